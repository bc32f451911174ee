// The pixel work of preparing a picture, on a plain 32-bit pixel array:
// snapping near-transparent colours and finding the transparent runs, and
// turning runs into the non-overlapping rectangle bands a region is built
// from in one step.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// True when each 8-bit channel of a and b differs by at most 3.
inline bool NearColour(uint32_t a, uint32_t b) {
  for (int k = 0; k < 3; ++k) {
    const int ca = (a >> (8 * k)) & 0xFF, cb = (b >> (8 * k)) & 0xFF;
    if (ca - cb > 3 || cb - ca > 3) return false;
  }
  return true;
}

// Scans `pixels` (width x height, top-down rows, one 32-bit value per pixel
// in any fixed channel order, the top byte ignored) row by row: every pixel
// near `transparent` becomes exactly `transparent`, and each maximal run of
// such pixels in a row is appended to `runs` as (x0, y, x1, y + 1).
void SnapTransparentRuns(uint32_t* pixels, int width, int height, uint32_t transparent,
                         std::vector<RECT>& runs);
// The same for rows `rowStride` pixels apart (negative for bottom-up
// bitmaps), starting at the top row.
void SnapTransparentRuns(uint32_t* topRow, ptrdiff_t rowStride, int width, int height,
                         uint32_t transparent, std::vector<RECT>& runs);

// The union of `runs` (as produced above, ordered by row then x) with every
// run grown by `grow` pixels on each side, as non-overlapping rectangles in
// top-to-bottom bands, each band ordered left to right, equal rows merged.
std::vector<RECT> GrownRunBands(const std::vector<RECT>& runs, int grow);

// A region from non-overlapping rectangles; an empty list gives an empty
// region. Short lists take one ExtCreateRegion. Some implementations of it
// (Wine's) join the rectangles one at a time, which grows with the square of
// the count, so long lists are cut into short runs of bands, each made in one
// ExtCreateRegion, and those are joined pairwise.
HRGN RegionFromRects(const std::vector<RECT>& rects);
