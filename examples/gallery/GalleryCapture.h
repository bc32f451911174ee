// Saves what the screen shows of a window as a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

bool SaveWindowBmp(HWND hwnd, const std::string& path);
