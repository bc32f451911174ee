#include "button/ButtShapeGeometry.h"

#include <cmath>

SlantOutline ComputeSlantOutline(int shape, int width, int height) {
  SlantOutline o{};
  // The run of a 45-degree slant over the full height, as the single
  // precision product 4 * ((h + 1) / 4).
  const float quarter = static_cast<float>(height + 1) / 4.0f;
  o.run = static_cast<int>(std::lrintf(4.0f * quarter));
  int x = width;
  while (x - o.run < 5) x += 5;
  o.width = x;
  const int w = o.width, h = height;
  o.points[0] = {0, 0};
  o.points[1] = {0, h + 1};
  o.points[2] = {w + 1, h + 1};
  o.points[3] = {w + 1, 0};
  o.slantLeft = 0;
  o.slantRight = w;
  if (shape == 1 || shape == 3) {
    o.points[1].x = o.run;
    o.slantLeft = o.run;
  }
  if (shape == 2 || shape == 3) {
    o.points[3].x = w - o.run + 1;
    o.slantRight = w - o.run;
  }
  return o;
}

namespace {
// A one-pixel square as a polygon.
CornerCut Pixel(int x, int y) { return {4, {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}}}; }
CornerCut Triangle(POINT a, POINT b, POINT c) { return {3, {a, b, c, {0, 0}}}; }

void CutLeftPixels(std::vector<CornerCut>& cuts, int style, int h) {
  if (style != 3) cuts.push_back(Pixel(0, 0));
  cuts.push_back(Pixel(0, h - 1));
}
void CutRightPixels(std::vector<CornerCut>& cuts, int style, int w, int h) {
  if (style != 3) cuts.push_back(Pixel(w - 1, h - 1));
  cuts.push_back(Pixel(w - 1, 0));
}
// Top corners lose triangles with 2-pixel legs, bottom corners 3-pixel legs.
void CutLeftTriangles(std::vector<CornerCut>& cuts, int h) {
  cuts.push_back(Triangle({0, 0}, {2, 0}, {0, 2}));
  cuts.push_back(Triangle({0, h}, {3, h}, {0, h - 3}));
}
void CutRightTriangles(std::vector<CornerCut>& cuts, int w, int h) {
  cuts.push_back(Triangle({w, 0}, {w - 2, 0}, {w, 2}));
  cuts.push_back(Triangle({w, h}, {w - 3, h}, {w, h - 3}));
}
}  // namespace

std::vector<CornerCut> CornerCuts(int style, int shape, bool enabled, int width, int height) {
  std::vector<CornerCut> cuts;
  if (shape < 0 || shape > 2) return cuts;
  const bool pixels = style == 1 || (style == 3 && enabled);
  const bool triangles = style == 2 || style == 7;
  if (!pixels && !triangles) return cuts;
  const bool left = shape == 0 || shape == 2;   // a left slant has no left corners
  const bool right = shape == 0 || shape == 1;  // a right slant has no right corners
  if (left) {
    if (pixels)
      CutLeftPixels(cuts, style, height);
    else
      CutLeftTriangles(cuts, height);
  }
  if (right) {
    if (pixels)
      CutRightPixels(cuts, style, width, height);
    else
      CutRightTriangles(cuts, width, height);
  }
  return cuts;
}
