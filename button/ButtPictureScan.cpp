#include "button/ButtPictureScan.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "host/GdiObjects.h"

void SnapTransparentRuns(uint32_t* pixels, int width, int height, uint32_t transparent, std::vector<RECT>& runs) {
  SnapTransparentRuns(pixels, width, width, height, transparent, runs);
}

namespace {
// Two 8-bit channels in the low bytes of two 16-bit lanes: channels 0 and 2
// of a pixel, or (after a shift by 8) channels 1 and 3.
constexpr uint32_t kLaneBytes = 0x00FF00FFu;

// The channel test of one pixel without branches, on two lanes at a time:
// value x is in [lo, lo + w] exactly when u = x + 256 - lo has bit 8 set
// and u + 255 - w has bit 9 clear. No lane borrows from or carries into
// its neighbour.
struct ChannelWindow {
  uint32_t lowEven, slackEven, lowOdd, slackOdd;

  explicit ChannelWindow(uint32_t key) {
    uint32_t low[4], slack[4];
    for (int k = 0; k < 4; ++k) {
      const int c = static_cast<int>((key >> (8 * k)) & 0xFF);
      const int lo = k == 3 ? 0 : std::max(c - 3, 0);
      const int hi = k == 3 ? 255 : std::min(c + 3, 255);  // the top byte is ignored
      low[k] = static_cast<uint32_t>(256 - lo);
      slack[k] = static_cast<uint32_t>(255 - (hi - lo));
    }
    lowEven = low[0] | (low[2] << 16);
    slackEven = slack[0] | (slack[2] << 16);
    lowOdd = low[1] | (low[3] << 16);
    slackOdd = slack[1] | (slack[3] << 16);
  }
  bool Contains(uint32_t p) const {
    const uint32_t ue = (p & kLaneBytes) + lowEven, uo = ((p >> 8) & kLaneBytes) + lowOdd;
    const uint32_t above = ue & uo & 0x01000100u;
    const uint32_t beyond = ((ue + slackEven) | (uo + slackOdd)) & 0x02000200u;
    return above == 0x01000100u && beyond == 0;
  }
};
}  // namespace

void SnapTransparentRuns(uint32_t* topRow, ptrdiff_t rowStride, int width, int height, uint32_t transparent,
                         std::vector<RECT>& runs) {
  const uint32_t key = transparent & 0xFFFFFF;
  const ChannelWindow window(key);
  // Per row: first mark and snap every pixel (a loop without branches the
  // compiler can vectorise), then read the runs off the marks.
  thread_local std::vector<uint8_t> marks;
  marks.resize(static_cast<size_t>(width) + 1);
  marks[static_cast<size_t>(width)] = 0;  // ends the last run of a row
  for (int y = 0; y < height; ++y) {
    uint32_t* row = topRow + rowStride * y;
    for (int x = 0; x < width; ++x) {
      const uint32_t p = row[x];
      const uint32_t hit = window.Contains(p) ? 1u : 0u;
      marks[static_cast<size_t>(x)] = static_cast<uint8_t>(hit);
      row[x] = hit ? (p & 0xFF000000u) | key : p;
    }
    for (int x = 0; x < width;) {
      if (!marks[static_cast<size_t>(x)]) {
        ++x;
        continue;
      }
      const int start = x;
      while (marks[static_cast<size_t>(x)]) ++x;
      runs.push_back({start, y, x, y + 1});
    }
  }
}

std::vector<RECT> RowBands(const std::vector<RECT>& runs) {
  std::vector<RECT> rects;
  rects.reserve(runs.size());
  size_t bandStart = 0;  // first rectangle of the band being extended
  size_t i = 0;
  while (i < runs.size()) {
    size_t rowEnd = i;
    while (rowEnd < runs.size() && runs[rowEnd].top == runs[i].top) ++rowEnd;
    const size_t count = rowEnd - i;
    const size_t bandCount = rects.size() - bandStart;
    bool extends = bandCount == count && bandStart < rects.size() && rects[bandStart].bottom == runs[i].top;
    for (size_t k = 0; extends && k < count; ++k)
      extends = rects[bandStart + k].left == runs[i + k].left && rects[bandStart + k].right == runs[i + k].right;
    if (extends) {
      for (size_t k = 0; k < count; ++k) rects[bandStart + k].bottom = runs[i + k].bottom;
    } else {
      bandStart = rects.size();
      rects.insert(rects.end(), runs.begin() + static_cast<ptrdiff_t>(i),
                   runs.begin() + static_cast<ptrdiff_t>(rowEnd));
    }
    i = rowEnd;
  }
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
  constexpr size_t kChunk = 16;
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
      if (i + 1 < parts.size()) CombineRgn(parts[i].get(), parts[i].get(), parts[i + 1].get(), RGN_OR);
      if (out != i) parts[out] = std::move(parts[i]);
      ++out;
    }
    parts.resize(out);
  }
  return parts.front().release();
}

HRGN GrownRegion(HRGN source) {
  // Each pixel becomes a 3 x 3 block: the union of the source shifted one
  // pixel left and right, then of that shifted one pixel up and down. Every
  // step is one linear region operation.
  gdi::Region grown(CreateRectRgn(0, 0, 0, 0)), shifted(CreateRectRgn(0, 0, 0, 0));
  if (!grown || !shifted || CombineRgn(grown.get(), source, nullptr, RGN_COPY) == ERROR) return nullptr;
  for (const POINT step : {POINT{1, 0}, POINT{0, 1}}) {
    CombineRgn(shifted.get(), grown.get(), nullptr, RGN_COPY);
    OffsetRgn(shifted.get(), step.x, step.y);
    CombineRgn(grown.get(), grown.get(), shifted.get(), RGN_OR);
    OffsetRgn(shifted.get(), -2 * step.x, -2 * step.y);
    CombineRgn(grown.get(), grown.get(), shifted.get(), RGN_OR);
  }
  return grown.release();
}
