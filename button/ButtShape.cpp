// BuildShape: the window region for each ButtonShape, the corner trims of
// the styles, and the two inset regions later drawing clips to.
#include "button/ButtShape.h"

#include "button/ButtCore.h"
#include "button/ButtDrawTools.h"
#include "button/ButtGradient.h"
#include "button/ButtLayoutMath.h"
#include "button/ButtLooks.h"
#include "button/ButtPicture.h"
#include "button/ButtShapeGeometry.h"
#include "button/ButtState.h"
#include "button/TranslateColor.h"

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);

// Cuts the style's corners off a region; false when the style cuts none.
bool Trim(HRGN region, const ButtState& s, int w, int h) {
  const std::vector<CornerCut> cuts = CornerCuts(s.ButtonStyle, s.ButtonShape, s.hostEnabled != 0, w, h);
  for (const CornerCut& cut : cuts) {
    gdi::Region piece(cut.count == 3
                          ? CreatePolygonRgn(cut.points, 3, WINDING)
                          : CreateRectRgn(cut.points[0].x, cut.points[0].y, cut.points[2].x, cut.points[2].y));
    if (piece) CombineRgn(region, region, piece.get(), RGN_DIFF);
  }
  return !cuts.empty();
}

void FrameRegion(ButtState& s, HRGN region, COLORREF colour) {
  if (!region || !s.buffer) return;
  gdi::Brush brush(CreateSolidBrush(colour));
  FrameRgn(s.buffer.dc(), region, brush.get(), 1, 1);
}

// White at the top to grey at the bottom over the whole buffer: what is
// left of it around the inset faces is the ring of the elliptic shapes.
void PaintRing(ButtState& s, COLORREF from, COLORREF to) {
  PaintGradient(s, butt::GradientVertical, static_cast<int32_t>(from), static_cast<int32_t>(to));
}

void SelectClip(ButtState& s, const gdi::Region& region) {
  if (s.buffer) SelectClipRgn(s.buffer.dc(), region.get());
}

// Gives the finished outline to the window, or keeps it for a windowless
// control. An outline that is the whole window clips nothing, so the window
// keeps no region then: setting one is a change of the window's position,
// which the window manager pays against every other window of the form.
void HandOver(ButtState& s, gdi::Region region, bool wholeWindow) {
  if (!s.hwnd) {
    s.look.windowRegion = std::move(region);
  } else if (wholeWindow) {
    if (s.look.windowShaped && SetWindowRgn(s.hwnd, nullptr, TRUE)) s.look.windowShaped = false;
  } else if (SetWindowRgn(s.hwnd, region.get(), TRUE)) {
    region.release();
    s.look.windowShaped = true;
  }
}

gdi::Region SlantedOutline(ButtState& s) {
  const int h = s.clientHeight;
  SlantOutline o = ComputeSlantOutline(s.ButtonShape, s.clientWidth, h);
  if (o.width != s.clientWidth) {
    DelayDrawing(s, true);
    ResizeControl(s, o.width, h);
    s.look.slantRight = s.clientWidth;
    s.drawingDelayed = false;
    o = ComputeSlantOutline(s.ButtonShape, s.clientWidth, h);
  }
  s.look.slantLeft = o.slantLeft;
  s.look.slantRight = o.slantRight;
  return gdi::Region(CreatePolygonRgn(o.points, 4, WINDING));
}

void EllipticOutline(ButtState& s, gdi::Region& region) {
  const int w = s.clientWidth, h = s.clientHeight;
  region.reset(CreateEllipticRgn(0, 0, w, h));
  if (s.ButtonStyle != butt::StyleHotTrack) {
    DrawingScope scope(s);
    if (s.ButtonShape == butt::ShapeEllipseFramed)
      FrameRegion(s, region.get(), RGB(0, 0, 0));
    else
      PaintRing(s, kWhite, kGrey);
  }
  s.look.shapeOuterRegion.reset(CreateEllipticRgn(1, 1, w - 1, h - 1));
  s.look.shapeInnerRegion.reset(CreateEllipticRgn(2, 2, w - 2, h - 2));
}

// Shapes 7 and 8: the control takes the fitted picture's size and its
// outline is the picture's opaque part. False when there is nothing to build.
bool PictureOutline(ButtState& s, gdi::Region& region) {
  if (s.pictureWidth == 0 || s.pictureHeight == 0) return false;
  DelayDrawing(s, true);
  int w = 0, h = 0;
  FitPicture(s.pictureWidth, s.pictureHeight, s.clientWidth, s.clientHeight, w, h);
  if (w <= 0 || h <= 0) {
    s.drawingDelayed = false;
    return false;
  }
  ResizeControl(s, w, h);
  s.look.slantRight = s.clientWidth;
  s.drawingDelayed = false;
  region.reset(CreateRectRgn(0, 0, s.clientWidth, s.clientHeight));
  if (!region) return false;
  PreparePicture(s, s.clientWidth, s.clientHeight, region.get());

  // Start the inset regions 1 and 2 pixels inside the outline's box, also
  // where the opaque part touches the client edge.
  RECT box{}, own{};
  GetRgnBox(region.get(), &box);
  if (s.look.shapeOuterRegion && GetRgnBox(s.look.shapeOuterRegion.get(), &own) != NULLREGION)
    OffsetRgn(s.look.shapeOuterRegion.get(), box.left - own.left + 1, box.top - own.top + 1);
  if (s.look.shapeInnerRegion && GetRgnBox(s.look.shapeInnerRegion.get(), &own) != NULLREGION)
    OffsetRgn(s.look.shapeInnerRegion.get(), box.left - own.left + 2, box.top - own.top + 2);

  DrawingScope scope(s);
  if (s.ButtonShape == butt::ShapePictureRinged)
    PaintRing(s, kWhite, kGrey);
  else
    FrameRegion(s, region.get(), static_cast<COLORREF>(TranslateColor(s.BackColor)));
  return true;
}
}  // namespace

void BuildShape(ButtState& s) {
  s.look.slantLeft = 0;
  s.look.slantRight = s.clientWidth;
  s.look.shapeInnerRegion.reset();
  s.look.shapeOuterRegion.reset();

  gdi::Region region;
  switch (s.ButtonShape) {
    case butt::ShapeSlantLeft:
    case butt::ShapeSlantRight:
    case butt::ShapeParallelogram: region = SlantedOutline(s); break;
    case butt::ShapeEllipse:
    case butt::ShapeEllipseValueCaption:
    case butt::ShapeEllipseFramed: EllipticOutline(s, region); break;
    case butt::ShapePicture:
    case butt::ShapePictureRinged:
      if (!PictureOutline(s, region)) return;
      break;
    default: region.reset(CreateRectRgn(0, 0, s.clientWidth + 1, s.clientHeight + 1)); break;
  }
  if (!region) return;
  bool trimmed = false;
  if (s.ButtonShape <= butt::ShapeSlantRight) trimmed = Trim(region.get(), s, s.clientWidth, s.clientHeight);
  const bool rectangle = s.ButtonShape < butt::ShapeSlantLeft || s.ButtonShape > butt::ShapePictureRinged;
  HandOver(s, std::move(region), rectangle && !trimmed);
  if (s.look.slantRight == 0) s.look.slantRight = s.clientWidth;
}

HRGN CopyWindowRegion(const ButtState& s) {
  gdi::Region copy(CreateRectRgn(0, 0, 0, 0));
  if (!copy) return nullptr;
  if (s.hwnd) {
    if (GetWindowRgn(s.hwnd, copy.get()) == ERROR) return nullptr;
  } else {
    if (!s.look.windowRegion) return nullptr;
    CombineRgn(copy.get(), s.look.windowRegion.get(), nullptr, RGN_COPY);
  }
  // The caller owns the copy and releases it through its own owner.
  return copy.release();
}

void ResizeControl(ButtState& s, int width, int height) {
  if (s.hwnd) {
    RECT outer{}, inner{};
    GetWindowRect(s.hwnd, &outer);
    GetClientRect(s.hwnd, &inner);
    const int extraW = (outer.right - outer.left) - (inner.right - inner.left);
    const int extraH = (outer.bottom - outer.top) - (inner.bottom - inner.top);
    SetWindowPos(s.hwnd, nullptr, 0, 0, width + extraW, height + extraH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(s.hwnd, &inner);
    if (s.clientWidth != inner.right || s.clientHeight != inner.bottom) {
      s.clientWidth = inner.right;
      s.clientHeight = inner.bottom;
      ResizeButton(s);
    }
  } else {
    s.clientWidth = width;
    s.clientHeight = height;
    ResizeButton(s);
  }
}

int16_t PrepareShapeClip(ButtState& s) {
  if (CustomClickMove(s)) return 0;
  int16_t r = 1;
  const bool heldDown = s.PressedAndHot();
  const bool value = s.Value != 0;
  const int shape = s.ButtonShape;
  // The clip starts empty: the pass runs in a DrawingScope of its renderer.
  if (!s.hoverTracking && !heldDown && !value && s.ButtonStyle == butt::StyleHotTrack) return r;
  if (s.ButtonStyle == butt::StyleHotTrack &&
      (value || (shape != butt::ShapeEllipseFramed && shape != butt::ShapePicture))) {
    PaintGradient(s, butt::GradientVertical, static_cast<int32_t>(kWhite), static_cast<int32_t>(kGrey));
    SelectClip(s, s.look.shapeInnerRegion);
    r = 4;
  }
  if ((heldDown || value) && shape != butt::ShapeEllipseFramed && shape != butt::ShapePicture) {
    // The sunken ring: grey at the top, white at the bottom.
    SelectClip(s, s.look.shapeOuterRegion);
    PaintGradient(s, butt::GradientVertical, static_cast<int32_t>(kGrey), static_cast<int32_t>(kWhite));
    SelectClip(s, s.look.shapeInnerRegion);
    r = 4;
  } else if (shape == butt::ShapePicture || (shape == butt::ShapeEllipseFramed && s.hoverTracking)) {
    gdi::Region outline(CopyWindowRegion(s));
    if (shape == butt::ShapeEllipseFramed) {
      FrameRegion(s, outline.get(), RGB(0, 0, 0));
    } else if (outline && s.buffer) {
      // The whole outline in the back colour rather than only its frame:
      // the one-pixel frame leaves diagonal gaps against the inset face,
      // which would show stale buffer pixels once no picture covers them.
      gdi::Brush brush(CreateSolidBrush(static_cast<COLORREF>(TranslateColor(s.BackColor))));
      FillRgn(s.buffer.dc(), outline.get(), brush.get());
    }
    SelectClip(s, s.look.shapeOuterRegion);
    r = 3;
  } else if (shape != butt::ShapeEllipseFramed) {
    SelectClip(s, s.look.shapeOuterRegion);
    r = 3;
  }
  return r;
}
