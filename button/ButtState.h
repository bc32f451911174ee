// Everything one Butt knows about itself: its stored property values, the
// host values its drawing needs, the input/hover/redraw working state and the
// back buffer. A plain struct, constructible without a host or a window, so
// drawing code can be exercised against a memory DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "button/ButtLook.h"
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
inline constexpr uint16_t StateFocusShown = 1;    // focus/default frame shown
inline constexpr uint16_t StatePressed = 2;       // held by the left button or space
inline constexpr uint16_t StateHot = 4;           // pointer over the control
inline constexpr uint16_t StateCustomMoved = 1024;  // CustomClick displacement applied

// Mode
inline constexpr int32_t ModeCommand = 0;
inline constexpr int32_t ModeCheckBox = 1;
inline constexpr int32_t ModeOptionButton = 2;
// CaptionAlign
inline constexpr int32_t CaptionLeft = 0;
inline constexpr int32_t CaptionRight = 1;
inline constexpr int32_t CaptionCenter = 2;
// CaptionStyle
inline constexpr int32_t CaptionFlat = 0;
inline constexpr int32_t CaptionEmbossed = 1;
inline constexpr int32_t CaptionEngraved = 2;
// PictureAlign
inline constexpr int32_t PicAlignLeftEdge = 0;
inline constexpr int32_t PicAlignLeftOfCaption = 1;
inline constexpr int32_t PicAlignRightEdge = 2;
inline constexpr int32_t PicAlignRightOfCaption = 3;
inline constexpr int32_t PicAlignTopCenter = 4;
inline constexpr int32_t PicAlignBottomCenter = 5;
// PictureSize (property values; pictureSizePx holds (value + 2) * 8)
inline constexpr int32_t Size16 = 0;
inline constexpr int32_t Size24 = 1;
inline constexpr int32_t Size32 = 2;
inline constexpr int32_t SizeFill = 3;
inline constexpr int32_t SizeFit = 4;
// ButtonStyle
inline constexpr int32_t StyleSoft3D = 0;
inline constexpr int32_t StyleClassic3D = 1;
inline constexpr int32_t StyleRoundedTheme = 2;
inline constexpr int32_t StyleEtched = 3;
inline constexpr int32_t StyleThin3D = 4;
inline constexpr int32_t StyleHotTrack = 5;
inline constexpr int32_t StyleLight3D = 6;
inline constexpr int32_t StyleRoundedGrey = 7;
// GradientMode
inline constexpr int32_t GradientNone = 0;
inline constexpr int32_t GradientHorizontal = 1;
inline constexpr int32_t GradientHorizontalReversed = 2;
inline constexpr int32_t GradientVertical = 3;
inline constexpr int32_t GradientVerticalReversed = 4;
// CustomClick
inline constexpr int32_t ClickStandard = 0;
inline constexpr int32_t MoveUp = 1;
inline constexpr int32_t MoveUpRight = 2;
inline constexpr int32_t MoveUpLeft = 3;
inline constexpr int32_t MoveDownRight = 4;
inline constexpr int32_t MoveDownLeft = 5;
inline constexpr int32_t MoveRight = 6;
inline constexpr int32_t MoveDown = 7;
inline constexpr int32_t MoveLeft = 8;
// HoverColorLocks
inline constexpr int32_t LockBoth = 0;
inline constexpr int32_t LockForeOnly = 1;
inline constexpr int32_t LockBackOnly = 2;
inline constexpr int32_t LockNone = 3;
// FontStyle flags
inline constexpr int32_t FontBold = 2;
inline constexpr int32_t FontItalic = 4;
inline constexpr int32_t FontUnderline = 8;

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
  // The buffer's own objects go back out of bufferDC before the owners
  // below delete anything.
  ~ButtState() { RestoreBufferObjects(); }

  // --- Stored property values (named as the properties) ---
  int32_t ButtonStyle = StyleSoft3D;
  int32_t Mode = ModeCommand;
  std::string Caption;
  int32_t CaptionAlign = CaptionCenter;
  int32_t CaptionStyle = CaptionFlat;
  int32_t CustomClick = ClickStandard;
  int32_t ButtonShape = 0;
  int32_t PictureAlign = PicAlignLeftEdge;
  int16_t ShowFocusRect = kTrue;
  int16_t Value = kFalse;
  int32_t pictureSizePx = 16;  // PictureSize n is stored as (n + 2) * 8
  ButtColor BackColor = kColorButtonFace;
  ButtColor GradientColor = 0;
  int32_t GradientMode = GradientNone;
  int32_t HoverColorLocks = LockBoth;  // any value is kept; only 0..3 lock
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
  int dpi = 96;                   // the DPI the host lays the control out at
  HWND hwnd = nullptr;            // the control's window
  HWND containerHwnd = nullptr;   // the window that holds it
  HDC hdc = nullptr;              // the control's device context (host owned)

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

  // Back buffer: memory DC compatible with hdc, its bitmap of the client
  // size, and the pen and brush selected into it for its whole life. The
  // old-object fields hold what bufferDC held before; bufferOldBitmap is
  // non-null exactly while a back bitmap exists. The caption font itself is
  // owned by `look`; bufferOldFont is the font it replaced.
  gdi::MemoryDC bufferDC;
  gdi::Bitmap bufferBitmap;
  gdi::Pen bufferPen;
  gdi::Brush bufferBrush;
  HGDIOBJ bufferOldBitmap = nullptr;
  HGDIOBJ bufferOldPen = nullptr;
  HGDIOBJ bufferOldBrush = nullptr;
  HGDIOBJ bufferOldFont = nullptr;

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

  bool Has(uint16_t flag) const { return (stateFlags & flag) != 0; }
  bool PressedAndHot() const { return Has(StatePressed) && Has(StateHot); }
  void Set(uint16_t flag) { stateFlags = static_cast<uint16_t>(stateFlags | flag); }
  void Clear(uint16_t flag) { stateFlags = static_cast<uint16_t>(stateFlags & ~flag); }

  // Selects back every object bufferDC held before this control's own, so
  // that they can be deleted. Safe to call more than once.
  void RestoreBufferObjects() noexcept {
    HDC dc = bufferDC.get();
    if (!dc) return;
    for (HGDIOBJ* old : {&bufferOldBrush, &bufferOldPen, &bufferOldFont, &bufferOldBitmap}) {
      if (*old) SelectObject(dc, *old);
      *old = nullptr;
    }
  }
};
