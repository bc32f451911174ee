// The baseline of the start-up benchmark: a bare Win32 window of VORN's size
// with one combo box and three buttons, made fully opaque at once (a layered
// window at alpha 255, so the benchmark finds it opaque the same way it finds
// VORN), with VORN's manifest. VornAppBench starts it and times it exactly as
// it times VORN.exe.
#include <windows.h>

#include "bench/app/BareWindow.h"
#include "host/SystemLibrary.h"

namespace {

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width, int height) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width, height,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  host::UseSystemFolderForDlls();  // as VORN.exe starts
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = BareWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "VornBenchBareWindow";
  RegisterClassA(&windowClass);
  // VORN's client area at 96 dpi: 3945 x 3225 twips.
  HWND window = CreateWindowExA(WS_EX_LAYERED, windowClass.lpszClassName, kBareWindowTitle, WS_POPUP, 100, 100, 263,
                                215, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HWND combo = Child(window, "COMBOBOX", "", CBS_DROPDOWN | WS_VSCROLL, 120, 143, 128, 120);
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Full"));
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("None"));
  SetWindowTextA(combo, "Full");
  Child(window, "BUTTON", "APPLY", BS_DEFPUSHBUTTON, 10, 180, 75, 25);
  Child(window, "BUTTON", "CANCEL", BS_PUSHBUTTON, 94, 180, 75, 25);
  Child(window, "BUTTON", "ABOUT", BS_PUSHBUTTON, 178, 180, 75, 25);
  SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return 0;
}
