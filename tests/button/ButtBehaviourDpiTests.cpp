// A form with a Butt laid out again at a new DPI, as WM_DPICHANGED asks when
// the window moves to a monitor of another DPI: the window, the twips
// places, the label and the button with its font, shape and back buffer.
#include "tests/button/ButtBehaviourFixture.h"

namespace butt_test {
namespace {

using ButtBehaviourDpi = ButtFormTest;

RECT InParent(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

SIZE BitmapSize(HGDIOBJ bitmap) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof bm, &bm);
  return SIZE{bm.bmWidth, bm.bmHeight};
}

// What a DPI change must bring about, read back from the windows.
struct Layout {
  SIZE client;
  RECT box, label, butt, region;
  SIZE buffer;
  LONG fontHeight;
  int captionWidth;
};

TEST_F(ButtBehaviourDpi, WmDpiChangedLaysTheFormAndItsButtonOutAgain) {
  host::FormDesc desc = BaseForm();
  desc.form.clientWidth = Twips(200);
  desc.form.clientHeight = Twips(100);
  desc.form.font = host::FontDesc{"Tahoma", 8.25f};
  desc.containers.push_back(Box("Box1", 10, 10, 150, 80));
  host::LabelDesc label;
  label.name = "Label1";
  label.container = "Box1";
  label.left = 75;
  label.top = 60;
  label.width = 1620;
  label.height = 225;
  label.caption = "Post Process";
  desc.labels.push_back(label);
  host::PropertyBag bag = StoredBag(0, false, "CANCEL");
  bag.Set("BackStyle", host::PropertyValue::Int32(7));
  host::ControlDesc butt = ButtAt("Butt1", "Box1", 0, 0, 0, bag);
  butt.left = 855;  // twips that fall between pixels at 144 dpi
  butt.top = 405;
  butt.extentX = 1667;
  butt.extentY = 688;
  desc.controls.push_back(butt);
  Open(desc);
  ASSERT_EQ(Form().Dpi(), 96) << "the test prefix runs at 96 dpi";

  auto read = [&] {
    Layout l{};
    RECT c{};
    GetClientRect(Form().Hwnd(), &c);
    l.client = SIZE{c.right, c.bottom};
    l.box = InParent(Form().GetContainer("Box1").Hwnd());
    l.label = Form().GetLabel("Label1").Bounds();
    l.butt = InParent(Hwnd("Butt1"));
    gdi::Region region(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(Hwnd("Butt1"), region.get());
    GetRgnBox(region.get(), &l.region);
    const ButtState& s = B("Butt1").State();
    l.buffer = BitmapSize(GetCurrentObject(s.bufferDC.get(), OBJ_BITMAP));
    LOGFONTA lf{};
    GetObjectA(s.look.captionFont.get(), sizeof lf, &lf);
    l.fontHeight = lf.lfHeight;
    l.captionWidth = s.look.captionRect.right - s.look.captionRect.left;
    return l;
  };
  // The caption's width in the button's own font.
  auto textWidth = [&] {
    SIZE size{};
    GetTextExtentPoint32A(B("Butt1").State().bufferDC.get(), "CANCEL", 6, &size);
    return static_cast<int>(size.cx);
  };
  const Layout at96 = read();
  EXPECT_EQ(at96.fontHeight, -11);
  EXPECT_EQ(at96.butt.left, 57);
  EXPECT_EQ(at96.butt.right - at96.butt.left, 63);

  log_.clear();
  RECT suggested{40, 30, 40 + 300, 30 + 150};
  SendMessageA(Form().Hwnd(), host::kWmDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  host::DoEvents();
  const Layout at144 = read();
  EXPECT_EQ(Form().Dpi(), 144);
  RECT window{};
  GetWindowRect(Form().Hwnd(), &window);
  EXPECT_EQ(window.left, 40);
  EXPECT_EQ(window.top, 30);
  EXPECT_EQ(at144.client.cx, 300);
  EXPECT_EQ(at144.client.cy, 150);
  EXPECT_EQ(at144.box.left, 15);
  EXPECT_EQ(at144.box.right - at144.box.left, 225);
  // Twips to pixels at 144 dpi, halves to even: 75 -> 7.5 -> 8, 1620 -> 162.
  EXPECT_EQ(at144.label.left, 8);
  EXPECT_EQ(at144.label.top, 6);
  EXPECT_EQ(at144.label.right - at144.label.left, 162);
  // 855 twips -> 85.5 -> 86, 405 -> 40.5 -> 40; 1667 HIMETRIC -> 94.51 ->
  // 95, 688 -> 39.
  EXPECT_EQ(at144.butt.left, 86);
  EXPECT_EQ(at144.butt.top, 40);
  EXPECT_EQ(at144.butt.right - at144.butt.left, 95);
  EXPECT_EQ(at144.butt.bottom - at144.butt.top, 39);
  // The button rebuilt its font, back buffer and shape for the new size.
  EXPECT_EQ(at144.fontHeight, -16);  // 8.25 pt -> 16.5 -> 16
  EXPECT_EQ(at144.buffer.cx, 95);
  EXPECT_EQ(at144.buffer.cy, 39);
  EXPECT_EQ(at144.region.right - at96.region.right, 95 - 63);
  EXPECT_EQ(at144.region.bottom - at96.region.bottom, 39 - 26);
  EXPECT_GE(at144.captionWidth, textWidth()) << "the caption is clipped";
  EXPECT_EQ(Named("TestForm", "DpiChanged").size(), 1u);

  // The system asks for the size at a DPI before it suggests a rectangle.
  SIZE scaled{};
  EXPECT_TRUE(SendMessageA(Form().Hwnd(), host::kWmGetDpiScaledSize, 192, reinterpret_cast<LPARAM>(&scaled)));
  EXPECT_EQ(scaled.cx, 400);
  EXPECT_EQ(scaled.cy, 200);

  // Back at 96 dpi everything is where it was, to the pixel.
  SendMessageA(Form().Hwnd(), host::kWmDpiChanged, MAKEWPARAM(96, 96), 0);
  host::DoEvents();
  const Layout back = read();
  EXPECT_EQ(back.client.cx, at96.client.cx);
  EXPECT_EQ(back.client.cy, at96.client.cy);
  EXPECT_TRUE(EqualRect(&back.box, &at96.box));
  EXPECT_TRUE(EqualRect(&back.label, &at96.label));
  EXPECT_TRUE(EqualRect(&back.butt, &at96.butt));
  EXPECT_TRUE(EqualRect(&back.region, &at96.region));
  EXPECT_EQ(back.fontHeight, at96.fontHeight);
  EXPECT_EQ(back.captionWidth, at96.captionWidth);
}

}  // namespace
}  // namespace butt_test
