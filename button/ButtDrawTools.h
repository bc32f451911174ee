// Pens, brushes and text colour of the back buffer, and filled boxes: the
// drawing primitives every painter of the looks shares.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "host/GdiObjects.h"

struct ButtState;

// One drawing pass over the back buffer (a style renderer, the painting of
// a shape's outline): saves the buffer's DC state (clip region, pen, brush,
// text colour) and gives it back when the pass ends, then deletes the pens
// and brushes the pass selected. Nothing inside resets that state by hand.
class DrawingScope {
 public:
  explicit DrawingScope(ButtState& s);
  ~DrawingScope();
  DrawingScope(const DrawingScope&) = delete;
  DrawingScope& operator=(const DrawingScope&) = delete;

 private:
  ButtState& s_;
  std::optional<gdi::SavedDC> saved_;
};

enum DrawingToolKind { ToolBrush = 0, ToolPen = 1, ToolTextColor = 2 };

// select true: ToolBrush makes a solid brush of `color` (and with alsoPen a
// pen as for ToolPen) and selects it into the back buffer; ToolPen makes a
// pen of `color`, `width` and `style`; ToolTextColor sets the text colour of
// `dc` to the translated colour. Each new pen or brush replaces and deletes
// the previous one. select false puts the buffer's own brush and pen back
// and deletes the ones taken out. Pens and brushes are selected inside a
// DrawingScope only.
void SelectDrawingTool(ButtState& s, bool select, HDC dc, int kind, int32_t color, bool alsoPen = false, int width = 1,
                       int style = PS_SOLID);

// Rectangle (x1, y1)-(x2, y2) filled with fillColor; penColor -1 outlines it
// in the fill colour, any other value with a pen of penColor, penWidth and
// penStyle.
void DrawBox(ButtState& s, HDC dc, int x1, int y1, int x2, int y2, int32_t fillColor, int32_t penColor = -1,
             int penWidth = 1, int penStyle = PS_SOLID);
