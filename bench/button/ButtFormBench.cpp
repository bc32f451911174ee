// A form of n default Butt buttons, parsed from form text and shown, against
// n native BUTTON controls created on one window, in the same run, for
// n = 100 and 1,000: the time to create and show each (with the form's
// phases: parse, load, show, first paint), the objects each idle button
// holds, a resize that moves every button, a mouse sweep that hovers across
// 100 buttons, and whether unloading gives every object back.
// Usage: ButtFormBench [rounds]   (median of the rounds; default 3)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchClock.h"
#include "button/Butt.h"
#include "host/Host.h"

namespace {

// The grid the buttons sit on, in pixels: 40 columns of 24 x 18 buttons.
constexpr int kColumns = 40;
constexpr int kWidth = 24, kHeight = 18;
constexpr int kPitchX = 25, kPitchY = 20;
constexpr int kSweep = 100;  // buttons the mouse passes over

POINT Place(int i) { return {2 + (i % kColumns) * kPitchX, 2 + (i / kColumns) * kPitchY}; }
SIZE ClientSize(int n) { return {4 + kColumns * kPitchX, 4 + ((n + kColumns - 1) / kColumns) * kPitchY}; }

std::string FormText(int n) {
  const SIZE client = ClientSize(n);
  std::string text = "VornForm 1\nBegin Form Grid\n  @Caption = \"Grid\"\n  @Left = 0\n  @Top = 0\n";
  text += "  @ClientWidth = " + std::to_string(host::PixelsToTwips(client.cx)) + "\n";
  text += "  @ClientHeight = " + std::to_string(host::PixelsToTwips(client.cy)) + "\nEnd\n";
  for (int i = 0; i < n; ++i) {
    const POINT at = Place(i);
    text += "Begin Control Butt" + std::to_string(i + 1) + " Butt\n";
    text += "  @Left = " + std::to_string(host::PixelsToTwips(at.x)) + "\n";
    text += "  @Top = " + std::to_string(host::PixelsToTwips(at.y)) + "\n";
    text += "  @ExtentX = " + std::to_string(host::PixelsToHimetric(kWidth)) + "\n";
    text += "  @ExtentY = " + std::to_string(host::PixelsToHimetric(kHeight)) + "\n";
    text += "  @TabIndex = " + std::to_string(i) + "\n  @New = -1\nEnd\n";
  }
  return text;
}

// Dispatches everything waiting, the paints included.
void Settle() {
  host::DoEvents();
  GdiFlush();
}

struct Objects {
  long gdi = 0, user = 0;         // the host's live counters
  DWORD systemGdi = 0, systemUser = 0;  // GetGuiResources (0 where not implemented)
  static Objects Now() {
    return {gdi::LiveCount(), user::LiveCount(), GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)};
  }
};

struct Figures {
  double parse = 0, load = 0, show = 0, paint = 0;  // ms, Butt form phases
  double total = 0;                                 // ms, to the form shown and painted
  double resize = 0, sweep = 0;                     // ms
  double gdiPer = 0, userPer = 0, systemGdiPer = 0, systemUserPer = 0;
  int hovered = 0;   // buttons that saw the mouse enter during the sweep
  long gdiLeft = 0, userLeft = 0;  // not given back after unload
};

// A mouse move to a screen point, as the hardware would send it.
void MoveMouse(POINT screen) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof in);
  Settle();
}

// Hovers over the first kSweep buttons of a window's client area in turn.
double Sweep(HWND window, int n) {
  const double start = bench::Seconds();
  for (int i = 0; i < std::min(n, kSweep); ++i) {
    POINT p = Place(i);
    p.x += kWidth / 2;
    p.y += kHeight / 2;
    ClientToScreen(window, &p);
    MoveMouse(p);
  }
  const double ms = (bench::Seconds() - start) * 1e3;
  MoveMouse({GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2});
  return ms;
}

// Moves and sizes every button by a pixel or two, then lets them repaint.
template <typename MoveOne>
double ResizeAll(int n, MoveOne moveOne) {
  const double start = bench::Seconds();
  for (int i = 0; i < n; ++i) {
    const POINT at = Place(i);
    moveOne(i, at.x + 1, at.y + 1, kWidth - 1, kHeight - 1);
  }
  Settle();
  return (bench::Seconds() - start) * 1e3;
}

Figures RunButt(int n, const Objects& emptyForm) {
  Figures f;
  const std::string text = FormText(n);
  const Objects before = Objects::Now();
  const double t0 = bench::Seconds();
  host::FormDesc desc = host::ParseFormText(text);
  const double t1 = bench::Seconds();
  host::Form form(std::move(desc));
  int hovered = 0;
  form.OnAny([&](std::string_view, std::string_view event, host::EventArgs& args) {
    if (event == "MouseOnButton" && args.Int16(0) != 0) ++hovered;
  });
  form.Load();
  const double t2 = bench::Seconds();
  form.Show();
  const double t3 = bench::Seconds();
  Settle();
  const double t4 = bench::Seconds();
  f.parse = (t1 - t0) * 1e3;
  f.load = (t2 - t1) * 1e3;
  f.show = (t3 - t2) * 1e3;
  f.paint = (t4 - t3) * 1e3;
  f.total = (t4 - t0) * 1e3;

  const Objects idle = Objects::Now();
  f.gdiPer = static_cast<double>(idle.gdi - before.gdi - emptyForm.gdi) / n;
  f.userPer = static_cast<double>(idle.user - before.user - emptyForm.user) / n;
  f.systemGdiPer = (static_cast<double>(idle.systemGdi) - before.systemGdi - emptyForm.systemGdi) / n;
  f.systemUserPer = (static_cast<double>(idle.systemUser) - before.systemUser - emptyForm.systemUser) / n;

  std::vector<host::ControlSite*> sites = form.Sites();
  f.resize = ResizeAll(n, [&](int i, int x, int y, int w, int h) { sites[i]->Move(x, y, w, h); });
  f.sweep = Sweep(form.Hwnd(), n);
  host::PumpUntil([&] { return false; }, 120);  // the last hover ends by its timer
  f.hovered = hovered;

  form.Unload();
  Settle();
  const Objects after = Objects::Now();
  f.gdiLeft = after.gdi - before.gdi;
  f.userLeft = after.user - before.user;
  return f;
}

// The objects of a form without buttons, to take out of the per-button figures.
Objects EmptyFormObjects() {
  const Objects before = Objects::Now();
  host::Form form(host::ParseFormText(FormText(0)));
  form.Show();
  Settle();
  const Objects shown = Objects::Now();
  form.Unload();
  Settle();
  return {shown.gdi - before.gdi, shown.user - before.user, shown.systemGdi - before.systemGdi,
          shown.systemUser - before.systemUser};
}

LRESULT CALLBACK NativeProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(hwnd, msg, wp, lp); }

Figures RunNative(int n, HFONT font) {
  Figures f;
  const Objects before = Objects::Now();
  const double t0 = bench::Seconds();
  const SIZE client = ClientSize(n);
  RECT r{0, 0, client.cx, client.cy};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExA(0, "ButtFormBenchNative", "Grid", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  std::vector<HWND> buttons(n);
  for (int i = 0; i < n; ++i) {
    const POINT at = Place(i);
    const std::string caption = "Button" + std::to_string(i + 1);
    buttons[i] = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                 at.x, at.y, kWidth, kHeight, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(buttons[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Settle();
  f.total = (bench::Seconds() - t0) * 1e3;
  const Objects idle = Objects::Now();
  f.systemGdiPer = (static_cast<double>(idle.systemGdi) - before.systemGdi) / n;
  f.systemUserPer = (static_cast<double>(idle.systemUser) - before.systemUser) / n;
  f.resize = ResizeAll(n, [&](int i, int x, int y, int w, int h) { MoveWindow(buttons[i], x, y, w, h, TRUE); });
  f.sweep = Sweep(window, n);
  DestroyWindow(window);
  Settle();
  return f;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

template <typename Field>
double MedianOf(const std::vector<Figures>& runs, Field field) {
  std::vector<double> v;
  for (const Figures& f : runs) v.push_back(f.*field);
  return Median(v);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  RegisterButtClass();
  WNDCLASSA wc{};
  wc.lpfnWndProc = NativeProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "ButtFormBenchNative";
  RegisterClassA(&wc);
  // The native buttons share one font, as a dialog's do.
  gdi::Font font = host::CreateGdiFont(host::FontDesc{"Tahoma", 8.25f, 400});

  // Warm-up: first-time costs (classes, fonts, OLE) stay out of the figures.
  const Objects emptyForm = EmptyFormObjects();
  RunButt(10, emptyForm);
  RunNative(10, font.get());

  std::printf("Butt form benchmark: n default Butt buttons (%d x %d px) parsed from form text and shown,\n", kWidth,
              kHeight);
  std::printf("against n native BUTTON controls on one window; median of %d round(s)\n", rounds);
  double perButtonButt[2] = {}, perButtonNative[2] = {};
  const int sizes[2] = {100, 1000};
  for (int k = 0; k < 2; ++k) {
    const int n = sizes[k];
    std::vector<Figures> butt, native;
    for (int r = 0; r < rounds; ++r) {
      butt.push_back(RunButt(n, emptyForm));
      native.push_back(RunNative(n, font.get()));
    }
    const double buttTotal = MedianOf(butt, &Figures::total), nativeTotal = MedianOf(native, &Figures::total);
    perButtonButt[k] = buttTotal / n;
    perButtonNative[k] = nativeTotal / n;
    const Figures& last = butt.back();
    std::printf("\nn = %d\n", n);
    std::printf("  create and show    Butt %9.1f ms   native %9.1f ms   ratio %5.2f\n", buttTotal, nativeTotal,
                buttTotal / nativeTotal);
    std::printf("    Butt phases      parse %.1f, load %.1f, show %.1f, first paint %.1f ms\n",
                MedianOf(butt, &Figures::parse), MedianOf(butt, &Figures::load), MedianOf(butt, &Figures::show),
                MedianOf(butt, &Figures::paint));
    const double buttResize = MedianOf(butt, &Figures::resize), nativeResize = MedianOf(native, &Figures::resize);
    std::printf("  resize, every button moved  Butt %7.1f ms   native %7.1f ms   ratio %5.2f\n", buttResize,
                nativeResize, buttResize / nativeResize);
    const double buttSweep = MedianOf(butt, &Figures::sweep), nativeSweep = MedianOf(native, &Figures::sweep);
    std::printf("  mouse sweep over %d buttons Butt %7.1f ms   native %7.1f ms   ratio %5.2f   (%d Butts hovered)\n",
                std::min(n, kSweep), buttSweep, nativeSweep, buttSweep / nativeSweep, last.hovered);
    std::printf("  objects per idle Butt: GDI %.2f, USER %.2f (host's live counters)\n", last.gdiPer, last.userPer);
    if (last.systemGdiPer != 0 || last.systemUserPer != 0 || native.back().systemUserPer != 0)
      std::printf("  GetGuiResources per button: Butt GDI %.2f USER %.2f; native GDI %.2f USER %.2f\n",
                  last.systemGdiPer, last.systemUserPer, native.back().systemGdiPer, native.back().systemUserPer);
    else
      std::printf("  GetGuiResources: not implemented here (always 0)\n");
    std::printf("  after unload: %ld GDI and %ld USER objects not given back%s\n", last.gdiLeft, last.userLeft,
                last.gdiLeft == 0 && last.userLeft == 0 ? " (all given back)" : "");
  }
  std::printf("\nper button, n = 100 -> 1,000: Butt %.2f -> %.2f ms, native %.2f -> %.2f ms\n", perButtonButt[0],
              perButtonButt[1], perButtonNative[0], perButtonNative[1]);
  std::printf("growth 1,000 / 100 (10 is linear): Butt %.1f, native %.1f\n", perButtonButt[1] * 10 / perButtonButt[0],
              perButtonNative[1] * 10 / perButtonNative[0]);
  return 0;
}
