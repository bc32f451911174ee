// ButtGallery: every look of the Butt control on one form. The eight styles
// against the nine shapes, pictures in each alignment and size, gradients,
// caption effects, check boxes and option buttons, disabled buttons.
// F2 switches the form between run mode and edit mode. The status line
// shows the accessible name and role of what is under the cursor.
//
// Command line (for screenshots):
//   --edit              start in edit mode
//   --hover NAME        put the cursor over the named button
//   --press NAME        focus the named button and hold the space key
//   --shot FILE.bmp     save the window to FILE.bmp after a moment and exit
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "button/Butt.h"
#include "examples/gallery/GalleryAccessibleStatus.h"
#include "examples/gallery/GalleryCapture.h"
#include "examples/gallery/GalleryPictures.h"
#include "host/Host.h"

namespace {

constexpr int kLeft = 112;   // first column of buttons
constexpr int kColumn = 98;  // column pitch of the style x shape grid
constexpr int kRow = 40;

struct Gallery {
  host::Form& form;
  int tab = 0;
  host::Picture badge = host::Picture::FromBitmap(MakeBadge(24, RGB(40, 110, 200)), true);
  host::Picture smallBadge = host::Picture::FromBitmap(MakeBadge(16, RGB(200, 80, 40)), true);
  host::Picture pill = host::Picture::FromBitmap(MakePill(92, 32, RGB(60, 150, 90)), true);
  host::Picture ink = host::Picture::FromBitmap(MakeInk(24), true);

  Butt& Add(const std::string& name, int x, int y, int w, int h, const std::string& container = "Board") {
    host::ControlDesc c;
    c.className = Butt::kClassName;
    c.name = name;
    c.container = container;
    c.left = host::PixelsToTwips(x);
    c.top = host::PixelsToTwips(y);
    c.extentX = host::PixelsToHimetric(w);
    c.extentY = host::PixelsToHimetric(h);
    c.tabIndex = static_cast<int16_t>(tab++);
    form.AddControl(c);
    return form.ControlAs<Butt>(name);
  }

  void Label(const std::string& name, const std::string& text, int x, int y, int w = 104, int h = 16) {
    host::LabelDesc l;
    l.name = name;
    l.caption = text;
    l.left = host::PixelsToTwips(x);
    l.top = host::PixelsToTwips(y);
    l.width = host::PixelsToTwips(w);
    l.height = host::PixelsToTwips(h);
    l.container = "Board";
    l.transparent = true;
    form.AddLabel(l);
  }

  // Rows: the eight styles; columns: the nine shapes.
  void StyleShapeGrid() {
    static const char* kStyles[8] = {"0 Soft3D", "1 Classic3D", "2 RoundedTheme", "3 Etched",
                                     "4 Thin3D", "5 HotTrack",  "6 Light3D",      "7 RoundedGrey"};
    static const char* kShapes[9] = {"0 rectangle", "1 left slant", "2 right slant", "3 both slants", "4 ellipse",
                                     "5 ellipse",   "6 framed",     "7 picture",     "8 picture ring"};
    for (int shape = 0; shape < 9; ++shape)
      Label("shape" + std::to_string(shape), kShapes[shape], kLeft + shape * kColumn, 8, 96);
    for (int style = 0; style < 8; ++style) {
      const int y = 28 + style * kRow;
      Label("style" + std::to_string(style), kStyles[style], 8, y + 10);
      for (int shape = 0; shape < 9; ++shape) {
        Butt& b = Add("S" + std::to_string(style) + "x" + std::to_string(shape), kLeft + shape * kColumn, y, 92, 32);
        b.DelayDrawing(true);
        b.Caption("Style &" + std::to_string(style));
        b.BackColor(style == 2 ? RGB(200, 214, 236) : host::kButtonFace);
        b.ButtonStyle(style);
        if (shape >= 7) b.Picture(pill);
        b.DelayDrawing(false);
        // Outside the batch: a shape is built by the resize processing that
        // the ButtonShape setter runs, which a pending delay would skip.
        b.ButtonShape(shape);
      }
    }
  }

  void PictureRows(int y) {
    Label("pics", "Picture align", 8, y + 16);
    static const char* kAlign[6] = {"Left edge", "Left of", "Right edge", "Right of", "Top", "Bottom"};
    for (int a = 0; a < 6; ++a) {
      Butt& b = Add("Align" + std::to_string(a), kLeft + a * 132, y, 126, 52);
      b.DelayDrawing(true);
      b.ButtonStyle(a % 2 ? 7 : 1);
      b.Picture(smallBadge);
      b.PictureAlign(a);
      b.Caption(kAlign[a]);
      b.DelayDrawing(false);
    }
    y += 60;
    Label("sizes", "Picture size", 8, y + 16);
    static const char* kSize[5] = {"16 px", "24 px", "32 px", "Fill", "Fit"};
    for (int n = 0; n < 5; ++n) {
      Butt& b = Add("Size" + std::to_string(n), kLeft + n * 132, y, 126, 48);
      b.DelayDrawing(true);
      b.ButtonStyle(0);
      b.Picture(badge);
      b.PictureSize(n);
      b.PictureAlign(0);
      b.Caption(kSize[n]);
      b.CaptionAlign(1);
      b.DelayDrawing(false);
    }
    Butt& icon = Add("IconPic", kLeft + 5 * 132, y, 126, 48);
    icon.DelayDrawing(true);
    icon.Picture(host::Picture::FromIcon(
        static_cast<HICON>(LoadImageA(nullptr, MAKEINTRESOURCEA(32516), IMAGE_ICON, 32, 32, LR_SHARED)), false, false));
    icon.PictureSize(2);
    icon.Caption("Icon");
    icon.DelayDrawing(false);
  }

  void GradientRow(int y) {
    Label("grad", "Gradients", 8, y + 10);
    static const char* kMode[4] = {"Left to right", "Right to left", "Top down", "Bottom up"};
    for (int m = 1; m <= 4; ++m) {
      Butt& b = Add("Grad" + std::to_string(m), kLeft + (m - 1) * 132, y, 126, 32);
      b.DelayDrawing(true);
      b.ButtonStyle(m % 2 ? 0 : 7);
      b.BackColor(RGB(250, 250, 255));
      b.GradientColor(RGB(90, 130, 200));
      b.GradientMode(m);
      b.Caption(kMode[m - 1]);
      b.DelayDrawing(false);
    }
    Butt& emb = Add("Embossed", kLeft + 4 * 132, y, 126, 32);
    emb.CaptionStyle(1);
    emb.Caption("Embossed");
    Butt& eng = Add("Engraved", kLeft + 5 * 132, y, 126, 32);
    eng.CaptionStyle(2);
    eng.ButtonStyle(3);
    eng.Caption("Engraved");
  }

  void ModeRow(int y) {
    Label("modes", "Check / option", 8, y + 10);
    for (int i = 0; i < 4; ++i) {
      Butt& b = Add("Check" + std::to_string(i), kLeft + i * 98, y, 92, 32);
      b.DelayDrawing(true);
      b.ButtonStyle(i == 0 ? 1 : (i == 1 ? 3 : (i == 2 ? 7 : 2)));
      b.Mode(1);
      b.Value(i % 2 == 0);
      b.Caption(i % 2 == 0 ? "Checked" : "Unchecked");
      b.DelayDrawing(false);
    }
    // An option group lives in its own container.
    host::ContainerDesc box;
    box.name = "Options";
    box.container = "Board";
    box.left = host::PixelsToTwips(kLeft + 4 * 98);
    box.top = host::PixelsToTwips(y - 2);
    box.width = host::PixelsToTwips(3 * 98 + 4);
    box.height = host::PixelsToTwips(36);
    form.AddContainer(box);
    for (int i = 0; i < 3; ++i) {
      Butt& b = Add("Option" + std::to_string(i), 2 + i * 98, 2, 92, 32, "Options");
      b.DelayDrawing(true);
      b.ButtonStyle(5);
      b.Mode(2);
      b.Caption("Option &" + std::string(1, static_cast<char>('A' + i)));
      if (i == 1) b.Value(true);
      b.DelayDrawing(false);
    }
  }

  void DisabledRow(int y) {
    Label("disabled", "Disabled", 8, y + 10);
    for (int style = 0; style < 8; ++style) {
      Butt& b = Add("Off" + std::to_string(style), kLeft + style * 98, y, 92, 32);
      b.DelayDrawing(true);
      b.ButtonStyle(style);
      b.Caption("Off " + std::to_string(style));
      if (style == 4) {
        b.Picture(ink);
        b.PictureAlign(0);
      }
      if (style == 6) b.Mode(1);
      b.Enabled(false);
      b.DelayDrawing(false);
    }
  }

  void DemoRow(int y) {
    Label("demo", "Hover / press", 8, y + 10);
    Butt& hover = Add("HoverMe", kLeft, y, 126, 32);
    hover.ButtonStyle(2);
    hover.Caption("Hover me");
    Butt& press = Add("PressMe", kLeft + 132, y, 126, 32);
    press.ButtonStyle(7);
    press.Caption("Press me");
    Butt& hot = Add("HotTrack", kLeft + 264, y, 126, 32);
    hot.ButtonStyle(5);
    hot.Caption("Hot track");
    // Shapes 5 to 8 show their caption only while checked.
    Butt& ellipse = Add("CheckedEllipse", kLeft + 396, y, 126, 32);
    ellipse.DelayDrawing(true);
    ellipse.ButtonStyle(1);
    ellipse.Mode(1);
    ellipse.Value(true);
    ellipse.Caption("Checked 5");
    ellipse.DelayDrawing(false);
    ellipse.ButtonShape(5);
    Butt& shaped = Add("CheckedPicture", kLeft + 528, y, 126, 32);
    shaped.DelayDrawing(true);
    shaped.ButtonStyle(0);
    shaped.Mode(1);
    shaped.Value(true);
    shaped.Caption("Checked 7");
    shaped.Picture(pill);
    shaped.DelayDrawing(false);
    shaped.ButtonShape(7);
    Label("mode", "", kLeft, y + 44, 500);
    Label("status", "", kLeft, y + 60, 600);
  }

  // What a screen reader would read under the cursor.
  void ShowAccessibleUnderCursor() {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) return;
    const std::string text = "Screen reader: " + AccessibleNameAndRoleAt(cursor);
    host::Label& status = form.GetLabel("status");
    if (status.Caption() != text) status.SetCaption(text);
  }

  void ShowMode() {
    form.GetLabel("mode").SetCaption(form.UserMode() ? "RUN mode (F2 switches to edit mode)"
                                                     : "EDIT mode: dotted bounds, default frame (F2: run mode)");
  }
};

std::string ArgAfter(const std::vector<std::string>& args, const std::string& flag) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == flag) return args[i + 1];
  return {};
}

void CentreCursorOn(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;  // a real move, so the control sees the pointer arrive
  SendInput(1, &move, sizeof move);
}

void HoldSpace() {
  INPUT key{};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = VK_SPACE;
  SendInput(1, &key, sizeof key);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  host::UseSystemFolderForDlls();  // before anything loads a DLL
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__argv[i]);
  const std::string hoverName = ArgAfter(args, "--hover");
  const std::string pressName = ArgAfter(args, "--press");
  const std::string shot = ArgAfter(args, "--shot");
  bool editMode = false;
  for (const auto& a : args) editMode = editMode || a == "--edit";

  RegisterButtClass();
  host::FormDesc desc;
  desc.form.name = "Gallery";
  desc.form.caption = "Butt gallery";
  desc.form.left = 0;
  desc.form.top = 0;
  desc.form.clientWidth = host::PixelsToTwips(1000);
  desc.form.clientHeight = host::PixelsToTwips(676);
  // Labels live in containers: one board holds everything.
  host::ContainerDesc board;
  board.name = "Board";
  board.width = desc.form.clientWidth;
  board.height = desc.form.clientHeight;
  desc.containers.push_back(board);
  host::Form form(desc);
  form.Load();
  Gallery g{form};
  g.StyleShapeGrid();
  g.PictureRows(358);
  g.GradientRow(480);
  g.ModeRow(520);
  g.DisabledRow(560);
  g.DemoRow(600);
  form.SetDefaultButton("S1x0");
  if (editMode) form.SetUserMode(false);
  g.ShowMode();
  form.Show();

  // Screenshot sequence: settle, hover and press, settle, save, quit.
  const UINT_PTR timer = SetTimer(nullptr, 0, 400, nullptr);
  int ticks = 0;
  MSG msg;
  while (form.IsLoaded() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) {
      ++ticks;
      g.ShowAccessibleUnderCursor();
      if (ticks == 2 && !pressName.empty()) {
        form.SetFocusTo(pressName);
        HoldSpace();
      }
      if (ticks == 3 && !hoverName.empty()) CentreCursorOn(form.Site(hoverName).Hwnd());
      if (ticks == 6 && !shot.empty()) {
        SaveWindowBmp(form.Hwnd(), shot);
        form.Unload();
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F2) {
      form.SetUserMode(!form.UserMode());
      g.ShowMode();
      continue;
    }
    if (host::PreTranslateMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  KillTimer(nullptr, timer);
  return 0;
}
