// Times RedrawButton and a hover enter/leave cycle of a 63 x 26 Butt, and the
// repaint of a native push button of the same size in the same run, and
// prints both with their ratio.
#include <windows.h>

#include <cstdio>

#include "bench/BenchClock.h"
#include "button/Butt.h"
#include "button/KtTimer.h"
#include "host/Host.h"

namespace {

constexpr int kWidth = 63;
constexpr int kHeight = 26;
constexpr int kRedraws = 5000;
constexpr int kHoverCycles = 2000;

// Microseconds per call of work, over count calls.
template <typename Work>
double MicrosecondsPer(int count, Work work) {
  const double start = bench::Seconds();
  for (int i = 0; i < count; ++i) work(i);
  return (bench::Seconds() - start) * 1e6 / count;
}

host::FormDesc BenchForm() {
  host::FormDesc desc;
  desc.form.name = "Bench";
  desc.form.left = 0;
  desc.form.top = 0;
  desc.form.clientWidth = host::PixelsToTwips(300);
  desc.form.clientHeight = host::PixelsToTwips(120);
  desc.form.borderStyle = 0;
  host::ContainerDesc box;
  box.name = "Box";
  box.width = host::PixelsToTwips(300);
  box.height = host::PixelsToTwips(120);
  box.backColor = 0x004D483F;
  desc.containers.push_back(box);
  host::ControlDesc butt;
  butt.className = Butt::kClassName;
  butt.name = "Butt1";
  butt.container = "Box";
  butt.left = host::PixelsToTwips(10);
  butt.top = host::PixelsToTwips(10);
  butt.extentX = host::PixelsToHimetric(kWidth);
  butt.extentY = host::PixelsToHimetric(kHeight);
  host::PropertyBag bag;  // one of the main window's buttons
  bag.Set("Caption", host::PropertyValue::Text("APPLY"));
  bag.Set("BackStyle", host::PropertyValue::Int32(7));
  bag.Set("Font", host::PropertyValue::Font(host::FontDesc{"Tahoma", 8.25f, 400}));
  bag.Set("cFore", host::PropertyValue::Color(0x00FFFFFF));
  bag.Set("cFHover", host::PropertyValue::Color(0x002394F5));
  bag.Set("Focus", host::PropertyValue::Bool(false));
  bag.Set("LockHover", host::PropertyValue::Int32(3));
  bag.Set("cGradient", host::PropertyValue::Color(0));
  bag.Set("Mode", host::PropertyValue::Int32(0));
  bag.Set("Value", host::PropertyValue::Bool(false));
  bag.Set("cBack", host::PropertyValue::Color(0x00291E16));
  butt.properties = bag;
  desc.controls.push_back(butt);
  return desc;
}

}  // namespace

int main() {
  host::UseSystemFolderForDlls();  // as the programs it measures start
  RegisterButtClass();
  host::Form form(BenchForm());
  form.Show();
  host::DoEvents();
  Butt& butt = form.ControlAs<Butt>("Butt1");
  HWND box = form.GetContainer("Box").Hwnd();
  HWND native = CreateWindowExA(0, "BUTTON", "APPLY", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 100, 10, kWidth, kHeight,
                                box, nullptr, GetModuleHandleA(nullptr), nullptr);
  host::DoEvents();

  RECT r{};
  GetWindowRect(butt.hWnd(), &r);
  const POINT over{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  const POINT away{GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5};

  // Warm-up, so first-time costs (fonts, caches) stay out of the figures.
  for (int i = 0; i < 50; ++i) {
    butt.Refresh();
    InvalidateRect(native, nullptr, TRUE);
    UpdateWindow(native);
  }

  const double redraw = MicrosecondsPer(kRedraws, [&](int) { butt.Refresh(); });
  const double nativeRepaint = MicrosecondsPer(kRedraws, [&](int) {
    InvalidateRect(native, nullptr, TRUE);
    UpdateWindow(native);
  });
  // One enter (event, window properties, timer, hot redraw) and one leave
  // (as the timer finds it: kill, event, redraw), driven with the real cursor.
  const double hover = MicrosecondsPer(kHoverCycles, [&](int) {
    SetCursorPos(over.x, over.y);
    butt.MouseMove(0, 0, 10, 10);
    SetCursorPos(away.x, away.y);
    butt.CheckHoverExit(HoverTimerId);
  });
  const double cursorOnly = MicrosecondsPer(kHoverCycles, [&](int) {
    SetCursorPos(over.x, over.y);
    SetCursorPos(away.x, away.y);
  });

  std::printf("Butt behaviour benchmark, %d x %d pixels, style 7\n", kWidth, kHeight);
  std::printf("  RedrawButton (Refresh)          %9.2f us per redraw   (%d)\n", redraw, kRedraws);
  std::printf("  native push button repaint      %9.2f us per repaint  (%d)\n", nativeRepaint, kRedraws);
  std::printf("  ratio Butt / native             %9.2f\n", redraw / nativeRepaint);
  std::printf("  hover enter + leave cycle       %9.2f us per cycle    (%d)\n", hover, kHoverCycles);
  std::printf("    of which two cursor moves     %9.2f us\n", cursorOnly);
  std::printf("  ratio hover cycle / native      %9.2f\n", hover / nativeRepaint);
  std::printf("  redraw passes counted           %9u\n", static_cast<unsigned>(butt.RedrawCount()));

  DestroyWindow(native);
  return 0;
}
