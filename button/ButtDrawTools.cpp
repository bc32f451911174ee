#include "button/ButtDrawTools.h"

#include "button/ButtState.h"
#include "button/TranslateColor.h"

DrawingScope::DrawingScope(ButtState& s) : s_(s), saved_(std::in_place, s.buffer.dc()) {}

DrawingScope::~DrawingScope() {
  // The saved state gives the buffer's own pen and brush back; the tools
  // taken out meanwhile can go.
  saved_.reset();
  s_.toolPen.reset();
  s_.toolBrush.reset();
}

void SelectDrawingTool(ButtState& s, bool select, HDC dc, int kind, int32_t color, bool alsoPen, int width, int style) {
  HDC buffer = s.buffer.dc();
  if (!select) {
    if (!buffer) return;
    s.buffer.SelectOwnPenAndBrush();
    s.toolBrush.reset();
    s.toolPen.reset();
    return;
  }
  switch (kind) {
    case ToolBrush: {
      if (!buffer) return;
      gdi::Brush brush(CreateSolidBrush(static_cast<COLORREF>(color)));
      if (!brush) return;
      // The replaced brush leaves the DC before its owner deletes it.
      SelectObject(buffer, brush.get());
      s.toolBrush = std::move(brush);
      if (alsoPen) SelectDrawingTool(s, true, dc, ToolPen, color, false, width, style);
      break;
    }
    case ToolPen: {
      if (!buffer) return;
      gdi::Pen pen(CreatePen(style, width, static_cast<COLORREF>(color)));
      if (!pen) return;
      SelectObject(buffer, pen.get());
      s.toolPen = std::move(pen);
      break;
    }
    case ToolTextColor: SetTextColor(dc, static_cast<COLORREF>(TranslateColor(color))); break;
    default: break;
  }
}

void DrawBox(ButtState& s, HDC dc, int x1, int y1, int x2, int y2, int32_t fillColor, int32_t penColor, int penWidth,
             int penStyle) {
  if (penColor != -1) SelectDrawingTool(s, true, dc, ToolPen, penColor, false, penWidth, penStyle);
  SelectDrawingTool(s, true, dc, ToolBrush, fillColor, penColor == -1);
  Rectangle(dc, x1, y1, x2, y2);
}
