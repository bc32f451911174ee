#include "FormFixture.h"
#include "TestPictures.h"

using namespace hosttest;

namespace {

// The main window's layout, expressed as form text: a panel, a banner with
// a picture and a transparent bold label, a stretched 1 x 3 line image.
std::string PanelForm() {
  std::vector<uint8_t> banner = MakeBmp(20, 10, RGB(200, 0, 0));
  std::vector<uint8_t> line;
  {
    // 1 x 3 bitmap, rows from the top: 40,49,54 / 86,95,100 / 63,72,77.
    line = MakeBmp(1, 3, RGB(0, 0, 0));
    const COLORREF rows[3] = {RGB(63, 72, 77), RGB(86, 95, 100), RGB(40, 49, 54)};  // bottom-up
    for (int y = 0; y < 3; ++y) {
      line[54 + y * 4 + 0] = GetBValue(rows[y]);
      line[54 + y * 4 + 1] = GetGValue(rows[y]);
      line[54 + y * 4 + 2] = GetRValue(rows[y]);
    }
  }
  return "VornForm 1\n"
         "Begin Form VORN\n  @Caption = \"VORN - Glarecut 1.01\"\n  @Left = 1500\n  @Top = 1500\n"
         "  @ClientWidth = 3945\n  @ClientHeight = 3225\n  @BackColor = 0x004D483F\n  @BorderStyle = 0\n"
         "  @Font = font \"Tahoma\" 8.25 400\nEnd\n"
         "Begin Container Picture3\n  @Left = 15\n  @Top = 15\n  @Width = 3915\n  @Height = 3195\n"
         "  @BackColor = 0x004D483F\nEnd\n"
         "Begin Container Picture1\n  @Container = \"Picture3\"\n  @Left = -15\n  @Top = -15\n  @Width = 5580\n"
         "  @Height = 1995\n  @BackColor = 0x00291E16\n  @TabIndex = 3\n"
         "  @Picture = picture base64\n  | " +
         host::EncodeBase64(banner) +
         "\nEnd\n"
         "Begin Label Label8\n  @Container = \"Picture1\"\n  @Left = 210\n  @Top = 1680\n  @Width = 1590\n"
         "  @Height = 225\n  @Caption = \"Lumatrim 1.01\"\n  @ForeColor = 0x00FFFFFF\n  @Transparent = -1\n"
         "  @Font = font \"Tahoma\" 8.25 700 bold\nEnd\n"
         "Begin Label Label1\n  @Container = \"Picture3\"\n  @Left = 75\n  @Top = 2190\n  @Width = 1620\n"
         "  @Height = 225\n  @Caption = \"Post Process Effects:\"\n  @ForeColor = 0x00FFFFFF\n  @BackColor = "
         "0x00000080\n"
         "  @ToolTipText = \"If you can't see it in the dropdown list, type it yourself!\"\nEnd\n"
         "Begin Image Image1\n  @Container = \"Picture3\"\n  @Left = 15\n  @Top = 2580\n  @Width = 5595\n"
         "  @Height = 45\n  @Stretch = -1\n  @Picture = picture base64\n  | " +
         host::EncodeBase64(line) +
         "\nEnd\n"
         "Begin Control Butt1 Recorder\n  @Container = \"Picture3\"\n  @Left = 2865\n  @Top = 2670\n"
         "  @ExtentX = 1667\n  @ExtentY = 688\n  @TabIndex = 2\nEnd\n";
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

// Saves the window's screen area as a BMP beside the test (for a person to
// look at); returns false when it cannot.
bool SaveShot(HWND hwnd, const char* path) {
  RECT r;
  GetWindowRect(hwnd, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  gdi::MemoryDC mem(screen);
  gdi::Bitmap bmp(CreateCompatibleBitmap(screen, w, h));
  {
    gdi::SelectGuard sel(mem.get(), bmp.get());
    BitBlt(mem.get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  host::Picture pic = host::Picture::FromBitmap(bmp.release(), true);
  std::vector<uint8_t> bytes = pic.FileBytes();
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  CloseHandle(f);
  return n == bytes.size();
}

}  // namespace

class HostPaint : public FormTest {};

TEST_F(HostPaint, ContainersPicturesLabelsAndImagesDrawWhereTheLayoutSays) {
  Open(PanelForm());
  HWND p3 = form->GetContainer("Picture3").Hwnd();
  HWND p1 = form->GetContainer("Picture1").Hwnd();
  RECT client;
  GetClientRect(form->Hwnd(), &client);
  EXPECT_EQ(client.right, 263);  // 3945 twips
  EXPECT_EQ(client.bottom, 215);
  UpdateWindow(form->Hwnd());
  RedrawWindow(form->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE);
  Pump();
  // Picture1 sits at -1,-1 in Picture3; its picture (20 x 10, red) unstretched at 0,0.
  RECT r;
  GetWindowRect(p1, &r);
  POINT origin{r.left, r.top};
  ScreenToClient(p3, &origin);
  EXPECT_EQ(origin.x, -1);
  EXPECT_EQ(origin.y, -1);
  EXPECT_EQ(ScreenPixel(p1, 5, 5), RGB(200, 0, 0));
  EXPECT_EQ(ScreenPixel(p1, 30, 5), RGB(22, 30, 41));  // the back colour beside the picture
  // The stretched line image: three rows, one colour each.
  EXPECT_EQ(ScreenPixel(p3, 50, 172), RGB(40, 49, 54));
  EXPECT_EQ(ScreenPixel(p3, 50, 173), RGB(86, 95, 100));
  EXPECT_EQ(ScreenPixel(p3, 50, 174), RGB(63, 72, 77));
  // Label1 has its own back colour; Label8 is transparent with white text.
  EXPECT_EQ(ScreenPixel(p3, 100, 160), RGB(128, 0, 0));
  int white = 0;
  for (int x = 14; x < 100; ++x)
    for (int y = 112; y < 127; ++y) white += ScreenPixel(p1, x, y) == RGB(255, 255, 255);
  EXPECT_GT(white, 20);
  EXPECT_EQ(ScreenPixel(p1, 100, 125), RGB(22, 30, 41));
  // The hosted control paints its face (the recorder fills blue).
  EXPECT_EQ(ScreenPixel(form->Site("Butt1").Hwnd(), 30, 12), RGB(0, 128, 255));
  EXPECT_GT(Rec("Butt1").paints, 0);
  SaveShot(form->Hwnd(), "host_paint.bmp");
}
