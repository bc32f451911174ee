// The error number of a Win32 call that just failed.
#pragma once

#include <windows.h>

#include <cstdint>

namespace vorn {

// Win32 error number of the step that just failed; `fallback` when the
// platform left no error number, so a failure never reads as success.
inline int32_t LastErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return static_cast<int32_t>(error != 0 ? error : fallback);
}

}  // namespace vorn
