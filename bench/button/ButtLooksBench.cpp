// Times the picture preparation of the button (bulk pixel access and
// regions built in one step) against the straightforward per-pixel version,
// and one redraw of each style. Prints its figures; not a test.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench/BenchClock.h"
#include "button/ButtCore.h"
#include "button/ButtLooks.h"
#include "button/ButtPicture.h"
#include "button/ButtState.h"
#include "host/GdiObjects.h"
#include "tests/button/LooksFixture.h"
#include "tests/button/PreparePictureReference.h"
#include "host/SystemLibrary.h"

namespace {
// A picture shape as a user would draw one: a round subject on a magenta
// background whose colour wanders within the tolerance, with a few holes.
HBITMAP ShapePicture(int n) {
  uint32_t seed = 12345;
  return MakeDib(n, n, [&](int x, int y) -> COLORREF {
    seed = seed * 1664525u + 1013904223u;
    const int dx = x - n / 2, dy = y - n / 2, r = n / 2 - 2;
    const bool subject = dx * dx + dy * dy < r * r && !((x / 8 + y / 8) % 11 == 0);
    if (subject) return RGB((x * 7) & 0xFF, (y * 5) & 0xFF, 90);
    return RGB(255 - (seed >> 24) % 4, (seed >> 16) % 4, 255 - (seed >> 8) % 4);
  });
}

void BenchPrepare(int n) {
  gdi::Bitmap pic(ShapePicture(n));
  ButtState s;
  s.clientWidth = n;
  s.clientHeight = n;
  UsePicture(s, pic.get());
  // The fastest of a few runs: the machine may be busy with other work.
  const int reps = n <= 64 ? 50 : (n <= 256 ? 15 : 2);
  double reference = 1e9, bulk = 1e9;
  for (int i = 0; i < reps; ++i) {
    gdi::Region region(CreateRectRgn(0, 0, n, n));
    const double t0 = bench::Seconds();
    ReferencePrepared ref = PreparePictureReference(pic.get(), n, n, region.get(), n, n);
    reference = std::min(reference, bench::Seconds() - t0);
  }
  // First preparation of a control (a new copy is allocated) ...
  double first = 1e9;
  for (int i = 0; i < reps; ++i) {
    ButtState fresh;
    fresh.clientWidth = n;
    fresh.clientHeight = n;
    UsePicture(fresh, pic.get());
    gdi::Region region(CreateRectRgn(0, 0, n, n));
    const double t0 = bench::Seconds();
    PreparePicture(fresh, n, n, region.get());
    first = std::min(first, bench::Seconds() - t0);
  }
  // ... and preparing again at the same size (every layout of a fill or fit
  // picture), which rewrites the previous copy.
  PreparePicture(s, n, n, nullptr);
  for (int i = 0; i < reps; ++i) {
    gdi::Region region(CreateRectRgn(0, 0, n, n));
    const double t0 = bench::Seconds();
    PreparePicture(s, n, n, region.get());
    bulk = std::min(bulk, bench::Seconds() - t0);
  }
  std::printf(
      "PreparePicture %4dx%-4d  per-pixel %9.3f ms | bulk first %8.3f ms (%5.1fx) | bulk again "
      "%8.3f ms (%5.1fx)\n",
      n, n, reference * 1e3, first * 1e3, reference / first, bulk * 1e3, reference / bulk);
}

void BenchRedraw(HDC screenLike) {
  static const char* kNames[8] = {"Soft3D", "Classic3D", "RoundedTheme", "Etched",
                                  "Thin3D", "HotTrack",  "Light3D",      "RoundedGrey"};
  for (int style = 0; style < 8; ++style) {
    ButtState s;
    s.clientWidth = 63;
    s.clientHeight = 26;
    s.hdc = screenLike;
    s.ButtonStyle = style;
    s.Caption = "APPLY";
    s.hostFont.name = "Tahoma";
    PresentBuffer(s, true);
    BuildShape(s);
    UpdateDerived(s, "BackColor");
    LayoutButton(s, false);
    const int reps = 2000;
    RedrawButton(s);
    const double t0 = bench::Seconds();
    for (int i = 0; i < reps; ++i) {
      s.stateFlags = (i & 1) ? StateHot : 0;
      s.hoverTracking = (i & 1) != 0;
      RedrawButton(s);
    }
    const double each = (bench::Seconds() - t0) / reps;
    std::printf("RedrawButton 63x26 style %d %-12s %8.1f us\n", style, kNames[style], each * 1e6);
  }
}
}  // namespace

int main() {
  host::UseSystemFolderForDlls();  // as the programs it measures start
  for (int n : {64, 256, 1024}) BenchPrepare(n);
  // The redraws present into a real window's DC.
  HWND wnd = CreateWindowExA(0, "STATIC", "bench", WS_POPUP | WS_VISIBLE, 0, 0, 63, 26, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  HDC dc = GetDC(wnd);
  BenchRedraw(dc);
  ReleaseDC(wnd, dc);
  DestroyWindow(wnd);
  return 0;
}
