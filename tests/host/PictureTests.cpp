#include <gtest/gtest.h>

#include "host/Error.h"
#include "host/GdiObjects.h"
#include "host/Picture.h"
#include "host/Dpi.h"
#include "host/Units.h"
#include "host/UserObjects.h"
#include "TestPictures.h"

using host::Picture;
using host::PictureType;
using namespace hosttest;

namespace {

std::vector<uint8_t> ResourceBytes(int id, LPCSTR type) {
  HRSRC res = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  const uint8_t* p = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, res)));
  return std::vector<uint8_t>(p, p + SizeofResource(nullptr, res));
}

COLORREF PixelOf(const Picture& pic, int x, int y) {
  gdi::MemoryDC dc(nullptr);
  gdi::SelectGuard sel(dc.get(), pic.Bitmap());
  return GetPixel(dc.get(), x, y);
}

}  // namespace

TEST(HostPicture, LoadsABitmapFileWithItsSizeAndPixels) {
  TempFile file("host_pic.bmp", MakeBmp(5, 3, RGB(200, 10, 20)));
  Picture pic = Picture::LoadFile(file.path());
  ASSERT_TRUE(pic);
  EXPECT_EQ(pic.Type(), PictureType::Bitmap);
  EXPECT_EQ(pic.WidthPixels(), 5);
  EXPECT_EQ(pic.HeightPixels(), 3);
  EXPECT_EQ(pic.WidthHimetric(), host::PixelsToHimetric(5, host::ScreenDpi()));
  EXPECT_NE(pic.Bitmap(), nullptr);
  EXPECT_EQ(pic.Icon(), nullptr);
  EXPECT_EQ(PixelOf(pic, 2, 1), RGB(200, 10, 20));
}

TEST(HostPicture, LoadsAJpegThroughThePlatformDecoder) {
  Picture pic = Picture::LoadBytes(ResourceBytes(101, MAKEINTRESOURCEA(10)));  // RT_RCDATA
  EXPECT_EQ(pic.Type(), PictureType::Bitmap);
  EXPECT_EQ(pic.WidthPixels(), 12);
  EXPECT_EQ(pic.HeightPixels(), 8);
  COLORREF c = PixelOf(pic, 6, 4);
  EXPECT_NEAR(GetRValue(c), 200, 12);
  EXPECT_NEAR(GetGValue(c), 40, 12);
  EXPECT_NEAR(GetBValue(c), 10, 12);
}

TEST(HostPicture, LoadsIconAndCursorFiles) {
  TempFile ico("host_pic.ico", MakeIconFile(16, 16, false));
  Picture icon = Picture::LoadFile(ico.path());
  EXPECT_EQ(icon.Type(), PictureType::Icon);
  EXPECT_FALSE(icon.IsCursor());
  EXPECT_EQ(icon.WidthPixels(), 16);
  EXPECT_NE(icon.Icon(), nullptr);

  TempFile cur("host_pic.cur", MakeIconFile(32, 32, true, 5, 7));
  Picture cursor = Picture::LoadFile(cur.path());
  EXPECT_EQ(cursor.Type(), PictureType::Icon);
  EXPECT_TRUE(cursor.IsCursor());
  EXPECT_EQ(cursor.WidthPixels(), 32);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor.Icon(), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 7u);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

TEST(HostPicture, LoadsFromResources) {
  Picture jpeg = Picture::LoadResourceBytes(nullptr, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(10));
  EXPECT_EQ(jpeg.Type(), PictureType::Bitmap);
  Picture bmp = Picture::LoadBitmapResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(102));
  EXPECT_EQ(bmp.Type(), PictureType::Bitmap);
  EXPECT_EQ(bmp.WidthPixels(), 4);
  EXPECT_EQ(bmp.HeightPixels(), 3);
  Picture ico = Picture::LoadIconResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(103));
  EXPECT_EQ(ico.Type(), PictureType::Icon);
  EXPECT_THROW(Picture::LoadBitmapResource(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999)), host::Error);
}

TEST(HostPicture, ReportsMissingFilesAndDataThatIsNoPicture) {
  try {
    Picture::LoadFile("C:\\no\\such\\picture.bmp");
    FAIL();
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kFileNotFound);
  }
  std::vector<uint8_t> junk(64, 0x5A);
  try {
    Picture::LoadBytes(junk);
    FAIL();
  } catch (const host::Error& e) {
    EXPECT_EQ(e.Number(), host::errors::kInvalidPicture);
    EXPECT_FALSE(e.Description().empty());
  }
  std::vector<uint8_t> shortCursor{0, 0, 2, 0, 1, 0};
  EXPECT_THROW(Picture::LoadBytes(shortCursor), host::Error);
}

TEST(HostPicture, CopiesShareOneHandleReleasedWithTheLastCopy) {
  long gdiBefore = gdi::LiveCount();
  HBITMAP handle;
  {
    Picture a = Picture::LoadBytes(MakeBmp(2, 2, RGB(1, 2, 3)));
    Picture b = a;
    EXPECT_TRUE(a == b);
    handle = a.Bitmap();
    EXPECT_EQ(gdi::LiveCount(), gdiBefore + 1);
    a = Picture();
    EXPECT_NE(GetObjectType(handle), 0u);
  }
  EXPECT_EQ(GetObjectType(handle), 0u);
  EXPECT_EQ(gdi::LiveCount(), gdiBefore);

  long userBefore = user::LiveCount();
  {
    Picture icon = Picture::LoadBytes(MakeIconFile(16, 16, false));
    EXPECT_EQ(user::LiveCount(), userBefore + 1);
  }
  EXPECT_EQ(user::LiveCount(), userBefore);
}

TEST(HostPicture, WrapsHandlesWithOrWithoutTakingThem) {
  HBITMAP mine = CreateBitmap(3, 3, 1, 32, nullptr);
  {
    Picture copy = Picture::FromBitmap(mine, false);
    EXPECT_NE(copy.Bitmap(), mine);
  }
  EXPECT_NE(GetObjectType(mine), 0u);
  {
    Picture owner = Picture::FromBitmap(mine, true);
    EXPECT_EQ(owner.Bitmap(), mine);
  }
  EXPECT_EQ(GetObjectType(mine), 0u);
  EXPECT_THROW(Picture::FromBitmap(nullptr, true), host::Error);
}

TEST(HostPicture, FileBytesLoadBackToTheSamePicture) {
  std::vector<uint8_t> bmp = MakeBmp(3, 2, RGB(9, 8, 7));
  EXPECT_EQ(Picture::LoadBytes(bmp).FileBytes(), bmp);

  // Pictures made from handles are written as BMP or ICO/CUR.
  HBITMAP made = CreateBitmap(4, 2, 1, 32, nullptr);
  Picture fromHandle = Picture::FromBitmap(made, true);
  Picture reloaded = Picture::LoadBytes(fromHandle.FileBytes());
  EXPECT_EQ(reloaded.Type(), PictureType::Bitmap);
  EXPECT_EQ(reloaded.WidthPixels(), 4);
  EXPECT_EQ(reloaded.HeightPixels(), 2);

  Picture cursor = Picture::LoadBytes(MakeIconFile(32, 32, true, 3, 4));
  HICON copy = CopyIcon(cursor.Icon());
  Picture wrapped = Picture::FromIcon(copy, true, true);
  Picture back = Picture::LoadBytes(wrapped.FileBytes());
  EXPECT_TRUE(back.IsCursor());
  EXPECT_EQ(back.WidthPixels(), 32);
}
