#include "button/ButtPictureScan.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "host/GdiObjects.h"

void SnapTransparentRuns(uint32_t* pixels, int width, int height, uint32_t transparent,
                         std::vector<RECT>& runs) {
  SnapTransparentRuns(pixels, width, width, height, transparent, runs);
}

void SnapTransparentRuns(uint32_t* topRow, ptrdiff_t rowStride, int width, int height,
                         uint32_t transparent, std::vector<RECT>& runs) {
  const uint32_t key = transparent & 0xFFFFFF;
  for (int y = 0; y < height; ++y) {
    uint32_t* row = topRow + rowStride * y;
    int start = -1;
    for (int x = 0; x < width; ++x) {
      if (NearColour(row[x], key)) {
        row[x] = (row[x] & 0xFF000000u) | key;
        if (start < 0) start = x;
      } else if (start >= 0) {
        runs.push_back({start, y, x, y + 1});
        start = -1;
      }
    }
    if (start >= 0) runs.push_back({start, y, width, y + 1});
  }
}

namespace {
using Span = std::pair<LONG, LONG>;  // [left, right)

// Merges spans sorted by left into disjoint ones; touching spans join.
void MergeSpans(std::vector<Span>& spans) {
  std::sort(spans.begin(), spans.end());
  size_t out = 0;
  for (size_t i = 0; i < spans.size(); ++i) {
    if (out > 0 && spans[i].first <= spans[out - 1].second) {
      spans[out - 1].second = std::max(spans[out - 1].second, spans[i].second);
    } else {
      spans[out++] = spans[i];
    }
  }
  spans.resize(out);
}
}  // namespace

std::vector<RECT> GrownRunBands(const std::vector<RECT>& runs, int grow) {
  std::vector<RECT> rects;
  if (runs.empty()) return rects;
  // Index of the first run of each source row.
  const LONG firstRow = runs.front().top, lastRow = runs.back().top;
  const size_t rowCount = static_cast<size_t>(lastRow - firstRow + 1);
  std::vector<size_t> rowStart(rowCount + 1, runs.size());
  for (size_t i = runs.size(); i-- > 0;) rowStart[runs[i].top - firstRow] = i;
  for (size_t r = rowCount; r-- > 0;) rowStart[r] = std::min(rowStart[r], rowStart[r + 1]);

  std::vector<Span> band, spans;
  LONG bandTop = 0;
  auto flush = [&](LONG bottom) {
    for (const Span& s : band) rects.push_back({s.first, bandTop, s.second, bottom});
  };
  for (LONG y = firstRow - grow; y <= lastRow + grow + 1; ++y) {
    spans.clear();
    const LONG from = std::max(firstRow, y - grow), to = std::min(lastRow, y + grow);
    for (LONG src = from; src <= to; ++src) {
      const size_t r = static_cast<size_t>(src - firstRow);
      for (size_t i = rowStart[r]; i < rowStart[r + 1]; ++i)
        spans.push_back({runs[i].left - grow, runs[i].right + grow});
    }
    MergeSpans(spans);
    if (spans != band) {
      flush(y);
      band.swap(spans);
      bandTop = y;
    }
  }
  flush(lastRow + grow + 1);
  return rects;
}

namespace {
HRGN RegionFromSpan(const RECT* first, size_t count) {
  const size_t bytes = sizeof(RGNDATAHEADER) + count * sizeof(RECT);
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[bytes]);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.get());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(count);
  data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
  RECT bound = *first;
  for (const RECT* r = first; r != first + count; ++r) {
    bound.left = std::min(bound.left, r->left);
    bound.top = std::min(bound.top, r->top);
    bound.right = std::max(bound.right, r->right);
    bound.bottom = std::max(bound.bottom, r->bottom);
  }
  data->rdh.rcBound = bound;
  std::memcpy(data->Buffer, first, count * sizeof(RECT));
  return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
}
}  // namespace

HRGN RegionFromRects(const std::vector<RECT>& rects) {
  if (rects.empty()) return CreateRectRgn(0, 0, 0, 0);
  constexpr size_t kChunk = 32;
  std::vector<gdi::Region> parts;
  parts.reserve(rects.size() / kChunk + 1);
  for (size_t i = 0; i < rects.size(); i += kChunk) {
    parts.emplace_back(RegionFromSpan(rects.data() + i, std::min(kChunk, rects.size() - i)));
    if (!parts.back()) return nullptr;
  }
  // Join neighbours pairwise: each pass halves the count, so every
  // rectangle is copied about log2(parts) times.
  while (parts.size() > 1) {
    size_t out = 0;
    for (size_t i = 0; i < parts.size(); i += 2) {
      if (i + 1 < parts.size())
        CombineRgn(parts[i].get(), parts[i].get(), parts[i + 1].get(), RGN_OR);
      if (out != i) parts[out] = std::move(parts[i]);
      ++out;
    }
    parts.resize(out);
  }
  return parts.front().release();
}
