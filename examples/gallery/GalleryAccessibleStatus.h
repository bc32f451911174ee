// What a screen reader would say about the object under the cursor: its
// accessible name and role, as the gallery's status line shows them.
#pragma once

#include <windows.h>

#include <string>

// "Save (push button)", or "" where there is no accessible object.
std::string AccessibleNameAndRoleAt(POINT screen);
