// Colours as the host stores them (OLE_COLOR): 0x00BBGGRR, or, with the high
// bit set, a system colour whose index is the low byte (0x8000000F is the
// button face).
#pragma once

#include <windows.h>

#include <cstdint>

namespace host {

using OleColor = uint32_t;

inline constexpr OleColor kSystemColorFlag = 0x80000000u;
inline constexpr OleColor kButtonFace = 0x8000000Fu;
inline constexpr OleColor kButtonText = 0x80000012u;
inline constexpr OleColor kWindowText = 0x80000008u;

// The plain RGB colour of an OleColor; system colours resolve through
// GetSysColor at the time of the call.
inline COLORREF ResolveColor(OleColor color) {
  if (color & kSystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFFu));
  return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

}  // namespace host
