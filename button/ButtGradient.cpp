// Painting a gradient over the back buffer in strips.
#include "button/ButtGradient.h"

#include "button/ButtDrawTools.h"
#include "button/ButtState.h"

void PaintGradient(ButtState& s, int32_t mode, int32_t fromColour, int32_t toColour) {
  HDC dc = s.buffer.dc();
  if (!dc) return;
  const int w = s.clientWidth, h = s.clientHeight;
  const bool vertical = mode > 2;
  const int length = vertical ? h : w;
  const int screen = GetSystemMetrics(vertical ? SM_CYSCREEN : SM_CXSCREEN);
  const GradientStrips strips = GradientStripsFor(length, screen);
  if (strips.count <= 0) return;
  std::vector<int32_t> colours(static_cast<size_t>(strips.count));
  BuildGradient(colours, fromColour, toColour);
  RECT strip{0, 0, w, h};
  if (vertical)
    strip.bottom = strips.width;
  else
    strip.right = strips.width;
  const bool forward = (mode % 2) != 0;
  for (int i = 0; i < strips.count; ++i) {
    const int32_t colour = colours[static_cast<size_t>(forward ? i : strips.count - 1 - i)];
    DrawBox(s, dc, strip.left, strip.top, strip.right, strip.bottom, colour);
    if (vertical)
      OffsetRect(&strip, 0, strips.width);
    else
      OffsetRect(&strip, strips.width, 0);
  }
}
