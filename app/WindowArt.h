// The window's drawn art (the banner of Picture1 and the separator line of
// Image1) at the DPI the window is laid out at. Each picture is carried
// drawn at 100 %, 150 % and 200 % (scripts/gen_art.py); a DPI between or
// above those takes the next larger drawing (or the 200 % one) smoothly
// scaled to its size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "host/Picture.h"

namespace vorn {

// The drawing to start from at `dpi`: 100, 150 or 200 (percent).
int ArtPercent(int dpi);

// The pixel size at `dpi` of art drawn width x height at 100 % (96 dpi),
// rounded as the form rounds its lengths.
SIZE ArtSizeAt(int dpi, int width, int height);

// Scales a top-down picture of 24-bit pixels (3 bytes each, rows without
// padding) to a new size; every target pixel is the average of the source
// area it covers, weighted by how much of each source pixel lies in it.
std::vector<uint8_t> ScaleRgb(const std::vector<uint8_t>& pixels, int width, int height, int newWidth, int newHeight);

// The BITMAP resource `id100` (the 100 % drawing), or its 150 % or 200 %
// drawing (ids id100 + 10 and id100 + 20), for `dpi`. With `fitSize` the
// picture is scaled to ArtSizeAt(dpi) when the drawing's own size differs
// (a picture shown unstretched); without it the drawing is returned as it
// is (a picture its image stretches anyway). None when the resource is
// missing.
host::Picture LoadArt(HMODULE module, int id100, int dpi, bool fitSize);

}  // namespace vorn
