// Everything one Butt knows about itself: its stored property values, the
// host values its drawing needs, the input/hover/redraw working state and the
// back buffer. A plain struct, constructible without a host or a window, so
// drawing code can be exercised against a memory DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "button/ButtBackBuffer.h"
#include "button/ButtLook.h"
#include "button/ButtValues.h"
#include "host/FontDesc.h"
#include "host/GdiObjects.h"

// A colour in the 0x00BBGGRR layout; with the high bit set it names the
// system colour of its low byte (see TranslateColor). Negative in drawing
// code means "no colour".
using ButtColor = int32_t;

inline constexpr ButtColor SystemColor(int index) {
  return static_cast<ButtColor>(0x80000000u | static_cast<uint32_t>(index));
}
inline constexpr ButtColor kColorButtonFace = SystemColor(COLOR_BTNFACE);  // 0x8000000F
inline constexpr ButtColor kColorButtonText = SystemColor(COLOR_BTNTEXT);  // 0x80000012

// 16-bit booleans as they are stored and handed to the host.
inline constexpr int16_t kTrue = -1;
inline constexpr int16_t kFalse = 0;

// stateFlags bits.
inline constexpr uint16_t StateFocusShown = 1;      // focus/default frame shown
inline constexpr uint16_t StatePressed = 2;         // held by the left button or space
inline constexpr uint16_t StateHot = 4;             // pointer over the control
inline constexpr uint16_t StateCustomMoved = 1024;  // CustomClick displacement applied

// Picture kinds, with the platform's picture-type numbers.
inline constexpr int16_t kPictureNone = 0;    // PICTYPE_NONE
inline constexpr int16_t kPictureBitmap = 1;  // PICTYPE_BITMAP (bitmaps and decoded JPEGs)
inline constexpr int16_t kPictureIcon = 3;    // PICTYPE_ICON (icons and cursors)

// The host font of the control, as the caption font is built from it.
using ButtFont = host::FontDesc;

struct ButtState {
  ButtState() = default;
  ButtState(const ButtState&) = delete;
  ButtState& operator=(const ButtState&) = delete;

  // --- Stored property values (named as the properties) ---
  int32_t ButtonStyle = butt::StyleSoft3D;
  int32_t Mode = butt::ModeCommand;
  std::string Caption;
  int32_t CaptionAlign = butt::CaptionCenter;
  int32_t CaptionStyle = butt::CaptionFlat;
  int32_t CustomClick = butt::ClickStandard;
  int32_t ButtonShape = 0;
  int32_t PictureAlign = butt::PicAlignLeftEdge;
  int16_t ShowFocusRect = kTrue;
  int16_t Value = kFalse;
  int32_t pictureSizePx = 16;  // PictureSize n is stored as (n + 2) * 8
  ButtColor BackColor = kColorButtonFace;
  ButtColor GradientColor = 0;
  int32_t GradientMode = butt::GradientNone;
  int32_t HoverColorLocks = butt::LockBoth;  // any value is kept; only 0..3 lock
  ButtColor HoverForeColor = kColorButtonText;
  ButtColor HoverBackColor = kColorButtonFace;

  // The Picture property, seen by the drawing code: its handle (HBITMAP for
  // bitmaps, HICON for icons), not owned here (the control keeps the
  // picture object alive), and its kind.
  HANDLE pictureHandle = nullptr;
  int16_t pictureType = kPictureNone;

  // Picture metrics, written by UpdateDerived("Picture"): pixels, both 0
  // without a picture; pictureIsIcon 1 for an icon, 0 for a bitmap.
  int32_t pictureWidth = 0;
  int32_t pictureHeight = 0;
  int16_t pictureIsIcon = 0;

  // --- Mirrors of values that live in the host ---
  ButtFont hostFont;
  ButtColor hostForeColor = kColorButtonText;
  int16_t hostEnabled = kTrue;
  bool userMode = true;           // false while a person edits the form
  bool displayAsDefault = false;  // ambient "DisplayAsDefault"
  int32_t clientWidth = 0;        // pixels
  int32_t clientHeight = 0;
  int dpi = 96;                  // the DPI the host lays the control out at
  HWND hwnd = nullptr;           // the control's window
  HWND containerHwnd = nullptr;  // the window that holds it
  HDC hdc = nullptr;             // the control's device context (host owned)

  // --- Working state of input, hover and redraw ---
  uint16_t stateFlags = 0;
  int16_t lastButton = 0;
  bool inputDown = false;
  bool hoverTracking = false;
  bool drawingDelayed = false;
  ButtColor containerBackColor = 0;  // translated ambient back colour
  // Set while CustomClickMove displaces the window: the size change that
  // causes is not a resize of the control and keeps the buffer as it is.
  bool customMoving = false;

  // The pen and brush of the drawing in progress (SelectDrawingTool). They
  // are selected only inside a DrawingScope, which deselects them when it
  // ends.
  gdi::Pen toolPen;
  gdi::Brush toolBrush;

  // Number of RedrawButton passes that ran (not delayed), and of back
  // buffer copies to the control: callers and tests see what a batch of
  // changes cost and whether anything was shown.
  uint32_t redrawCount = 0;
  uint32_t presentCount = 0;

  // Makes the host show the control's current picture at once; empty (no-op)
  // without a host.
  std::function<void()> refreshHost;

  // Layout, working colours, caption font, regions, picture copy.
  ButtLook look;

  // The back buffer, compatible with hdc. Declared last so that it ends
  // first and gives the caption font (owned by `look`) and the tools back
  // before their owners delete them.
  ButtBackBuffer buffer;

  bool Has(uint16_t flag) const { return (stateFlags & flag) != 0; }
  bool PressedAndHot() const { return Has(StatePressed) && Has(StateHot); }
  void Set(uint16_t flag) { stateFlags = static_cast<uint16_t>(stateFlags | flag); }
  void Clear(uint16_t flag) { stateFlags = static_cast<uint16_t>(stateFlags & ~flag); }
};
