// The named values of Butt's enumerated properties and its FontStyle flags,
// in the control's namespace. The enumerations are typed (32-bit) and
// convert to the plain numbers that the properties, the stored form and the
// host carry; a stored number outside a set stays a number.
#pragma once

#include <cstdint>

namespace butt {

// Mode
enum ButtonMode : int32_t {
  ModeCommand = 0,
  ModeCheckBox = 1,
  ModeOptionButton = 2,
};

// CaptionAlign
enum CaptionAlignment : int32_t {
  CaptionLeft = 0,
  CaptionRight = 1,
  CaptionCenter = 2,
};

// CaptionStyle
enum CaptionEffect : int32_t {
  CaptionFlat = 0,
  CaptionEmbossed = 1,
  CaptionEngraved = 2,
};

// PictureAlign
enum PictureAlignment : int32_t {
  PicAlignLeftEdge = 0,
  PicAlignLeftOfCaption = 1,
  PicAlignRightEdge = 2,
  PicAlignRightOfCaption = 3,
  PicAlignTopCenter = 4,
  PicAlignBottomCenter = 5,
};

// PictureSize (property values; the stored pictureSizePx is (value + 2) * 8)
enum PictureSizeChoice : int32_t {
  Size16 = 0,
  Size24 = 1,
  Size32 = 2,
  SizeFill = 3,
  SizeFit = 4,
};

// ButtonStyle
enum FaceStyle : int32_t {
  StyleSoft3D = 0,
  StyleClassic3D = 1,
  StyleRoundedTheme = 2,
  StyleEtched = 3,
  StyleThin3D = 4,
  StyleHotTrack = 5,
  StyleLight3D = 6,
  StyleRoundedGrey = 7,
};
inline constexpr int32_t kStyleCount = 8;

// ButtonShape: 0..3 polygons, 4..6 ellipses, 7..8 outlines taken from the
// picture.
enum Shape : int32_t {
  ShapeRectangle = 0,
  ShapeSlantLeft = 1,            // left edge slanting at 45 degrees
  ShapeSlantRight = 2,           // right edge slanting at 45 degrees
  ShapeParallelogram = 3,        // both slants
  ShapeEllipse = 4,              // with a gradient ring
  ShapeEllipseValueCaption = 5,  // as 4; the caption shows only while Value is true
  ShapeEllipseFramed = 6,        // with a black frame
  ShapePicture = 7,              // the picture's opaque part, framed in the back colour
  ShapePictureRinged = 8,        // the picture's opaque part, with a gradient ring
};
inline constexpr int32_t kShapeCount = 9;

// GradientMode
enum GradientDirection : int32_t {
  GradientNone = 0,
  GradientHorizontal = 1,
  GradientHorizontalReversed = 2,
  GradientVertical = 3,
  GradientVerticalReversed = 4,
};

// CustomClick
enum ClickMove : int32_t {
  ClickStandard = 0,
  MoveUp = 1,
  MoveUpRight = 2,
  MoveUpLeft = 3,
  MoveDownRight = 4,
  MoveDownLeft = 5,
  MoveRight = 6,
  MoveDown = 7,
  MoveLeft = 8,
};

// HoverColorLocks (any number is kept; only these lock)
enum HoverLock : int32_t {
  LockBoth = 0,
  LockForeOnly = 1,
  LockBackOnly = 2,
  LockNone = 3,
};

// FontStyle flags, combined by addition.
inline constexpr int32_t FontBold = 2;
inline constexpr int32_t FontItalic = 4;
inline constexpr int32_t FontUnderline = 8;

}  // namespace butt
