// The pixel work of preparing a picture, on a plain 32-bit pixel array:
// snapping near-transparent colours and finding the transparent runs,
// turning runs into the rectangle bands a region is built from, and growing
// a region by a pixel with a few linear region operations.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// Scans `pixels` (width x height, top-down rows, one 32-bit value per pixel
// in any fixed channel order, the top byte ignored) row by row: every pixel
// near `transparent` becomes exactly `transparent`, and each maximal run of
// such pixels in a row is appended to `runs` as (x0, y, x1, y + 1).
void SnapTransparentRuns(uint32_t* pixels, int width, int height, uint32_t transparent, std::vector<RECT>& runs);
// The same for rows `rowStride` pixels apart (negative for bottom-up
// bitmaps), starting at the top row.
void SnapTransparentRuns(uint32_t* topRow, ptrdiff_t rowStride, int width, int height, uint32_t transparent,
                         std::vector<RECT>& runs);

// The runs as non-overlapping rectangles in top-to-bottom bands: runs of
// consecutive rows with the same spans become one taller rectangle each.
std::vector<RECT> RowBands(const std::vector<RECT>& runs);

// A region from non-overlapping rectangles; an empty list gives an empty
// region. Short lists take one ExtCreateRegion. Some implementations of it
// (Wine's) join the rectangles one at a time, which grows with the square of
// the count, so long lists are cut into short runs of bands, each made in one
// ExtCreateRegion, and those are joined pairwise.
HRGN RegionFromRects(const std::vector<RECT>& rects);

// A new region holding `source` grown by one pixel in all eight directions
// (the region of every pixel within one step of it), or null on failure.
HRGN GrownRegion(HRGN source);
