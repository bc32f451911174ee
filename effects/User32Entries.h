// The user32 functions the window effects look up by name at run time, so a
// system that lacks one of them makes the operation using it fail instead of
// keeping the program from loading.
#pragma once

#include <windows.h>

struct User32Entries {
  using GetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
  using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
  using GetWindowLongAFn = LONG(WINAPI*)(HWND, int);
  using SetWindowLongAFn = LONG(WINAPI*)(HWND, int, LONG);
  using ReleaseCaptureFn = BOOL(WINAPI*)();
  using SendMessageAFn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

  GetLayeredWindowAttributesFn getLayeredWindowAttributes = nullptr;
  SetLayeredWindowAttributesFn setLayeredWindowAttributes = nullptr;
  GetWindowLongAFn getWindowLong = nullptr;
  SetWindowLongAFn setWindowLong = nullptr;
  ReleaseCaptureFn releaseCapture = nullptr;
  SendMessageAFn sendMessage = nullptr;

  bool complete() const {
    return getLayeredWindowAttributes && setLayeredWindowAttributes && getWindowLong && setWindowLong &&
           releaseCapture && sendMessage;
  }
};

// Looks the six functions up in `module`; those it lacks stay null.
User32Entries ResolveUser32Entries(HMODULE module);

// The entries of the process's user32, looked up once.
const User32Entries& User32();
