#include "host/MessageLoop.h"

#include "host/Form.h"
#include "host/FormInternal.h"

namespace host {
namespace {

// Dispatches one message. For a host form's window the form counts as busy
// meanwhile, so a timer callback of a control (dispatched here, not through
// the form's window procedures) that unloads the form does not destroy the
// control under its own feet.
void Dispatch(MSG& msg) {
  TranslateMessage(&msg);
  Form* form = msg.hwnd ? Form::FromWindow(msg.hwnd) : nullptr;
  if (form) {
    DispatchScope scope(form);
    DispatchMessageA(&msg);
  } else {
    DispatchMessageA(&msg);
  }
}

}  // namespace

bool PreTranslateMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  Form* form = Form::FromWindow(msg.hwnd);
  return form && form->HandleKeyMessage(msg);
}

int Run(Form& form) {
  form.Show();
  MSG msg;
  while (form.IsLoaded()) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) break;
    if (!PreTranslateMessage(msg)) Dispatch(msg);
  }
  return 0;
}

void DoEvents() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (!PreTranslateMessage(msg)) Dispatch(msg);
  }
}

}  // namespace host
