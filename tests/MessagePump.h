// Waiting in tests while this thread's messages keep flowing: the one
// helper every suite uses. The pump is a plain translate-and-dispatch loop
// unless a suite passes its own (suites with host forms pass
// host::DoEvents, so the forms' key routing runs as in a program).
#pragma once

#include <windows.h>

namespace test_pump {

// Translates and dispatches every message waiting in this thread's queue.
inline void DispatchWaiting() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps until done() is true or timeoutMs have passed, sleeping up to
// sliceMs between rounds unless input arrives; returns done().
template <typename Done, typename Pump = void (*)()>
bool PumpUntil(Done done, DWORD timeoutMs, Pump pump = DispatchWaiting, DWORD sliceMs = 5) {
  const DWORD start = GetTickCount();
  for (;;) {
    pump();
    if (done()) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, sliceMs, QS_ALLINPUT);
  }
}

}  // namespace test_pump
