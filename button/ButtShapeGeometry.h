// Outlines of the slanted shapes and the corner trims of each style: plain
// geometry, no regions.
#pragma once

#include <windows.h>

#include <vector>

// A slanted quadrilateral (ButtonShape 1 left slant, 2 right slant, 3 both)
// for a client of width x height. Slants run at 45 degrees over the full
// height; a control too narrow to keep 5 pixels beside its slant is widened
// in steps of 5.
struct SlantOutline {
  int width;        // the width the control must have (may exceed the input)
  int run;          // horizontal run of one slant: height + 1
  POINT points[4];  // polygon, winding order top-left, bottom-left, bottom-right, top-right
  int slantLeft;    // x where the left slant meets the bottom (0: none)
  int slantRight;   // x where the top meets the right slant (width: none)
};
SlantOutline ComputeSlantOutline(int shape, int width, int height);

// Pieces cut from the window region of shapes 0..2 by ButtonStyle: single
// pixels (styles 1 and 3) or small triangles (styles 2 and 7). A piece of
// 3 points is a triangle polygon; a piece of 4 points is the axis-aligned
// rectangle from points[0] to points[2] (a single pixel).
struct CornerCut {
  int count;
  POINT points[4];
};
std::vector<CornerCut> CornerCuts(int style, int shape, bool enabled, int width, int height);
