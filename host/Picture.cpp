#include "host/Picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "host/Error.h"
#include "host/GdiObjects.h"
#include "host/Dpi.h"
#include "host/Units.h"
#include "host/UserObjects.h"
#include "host/WholeFile.h"

namespace host {

struct Picture::Data {
  PictureType type = PictureType::None;
  bool cursor = false;
  gdi::Bitmap bitmap;
  user::Icon icon;
  int widthPx = 0, heightPx = 0;
  int32_t widthHm = 0, heightHm = 0;
  std::vector<uint8_t> bytes;  // the file the picture came from, if any
};

namespace {

[[noreturn]] void NotAPicture(const std::string& what) {
  throw Error(errors::kInvalidPicture, "Invalid picture: " + what);
}

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Read32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// Size of an icon or cursor in pixels, from its bitmaps.
void IconSize(HICON icon, int& w, int& h) {
  ICONINFO info{};
  w = h = 0;
  if (!GetIconInfo(icon, &info)) return;
  BITMAP bm{};
  if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
    w = bm.bmWidth;
    h = bm.bmHeight;
  } else if (info.hbmMask && GetObjectA(info.hbmMask, sizeof bm, &bm)) {
    w = bm.bmWidth;
    h = bm.bmHeight / 2;
  }
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
}

void FillSizes(Picture::Data& d) {
  if (d.type == PictureType::Bitmap) {
    BITMAP bm{};
    GetObjectA(d.bitmap.get(), sizeof bm, &bm);
    d.widthPx = bm.bmWidth;
    d.heightPx = std::abs(bm.bmHeight);
  } else if (d.type == PictureType::Icon) {
    IconSize(d.icon.get(), d.widthPx, d.heightPx);
  }
  int dpi = ScreenDpi();
  d.widthHm = PixelsToHimetric(d.widthPx, dpi);
  d.heightHm = PixelsToHimetric(d.heightPx, dpi);
}

// A cursor file (type 2): the first image, made with the system's resource
// loader (the image bits are prefixed by the hot spot, as in a resource).
std::shared_ptr<Picture::Data> LoadCursorBytes(const uint8_t* p, size_t size) {
  if (size < 6 + 16) NotAPicture("the cursor file is truncated");
  uint16_t count = Read16(p + 4);
  if (count == 0) NotAPicture("the cursor file holds no image");
  const uint8_t* entry = p + 6;
  uint16_t hotX = Read16(entry + 4), hotY = Read16(entry + 6);
  uint32_t length = Read32(entry + 8), offset = Read32(entry + 12);
  if (offset > size || length > size - offset || length < sizeof(BITMAPINFOHEADER))
    NotAPicture("the cursor file is truncated");
  std::vector<uint8_t> res;
  Put16(res, hotX);
  Put16(res, hotY);
  res.insert(res.end(), p + offset, p + offset + length);
  int w = entry[0] ? entry[0] : 256, h = entry[1] ? entry[1] : 256;
  HICON h_icon = CreateIconFromResourceEx(res.data(), static_cast<DWORD>(res.size()), FALSE, 0x00030000, w, h, 0);
  if (!h_icon) NotAPicture("the cursor image cannot be read");
  auto d = std::make_shared<Picture::Data>();
  d->type = PictureType::Icon;
  d->cursor = true;
  d->icon = user::Icon(h_icon, true);
  FillSizes(*d);
  return d;
}

// Bitmaps, JPEG, GIF and icons through OleLoadPicture; the picture object's
// handle is copied so the picture owns (and counts) its own handle.
std::shared_ptr<Picture::Data> LoadOlePicture(const uint8_t* p, size_t size) {
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!global) NotAPicture("out of memory");
  void* mem = GlobalLock(global);
  std::memcpy(mem, p, size);
  GlobalUnlock(global);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(global, TRUE, &stream))) {
    GlobalFree(global);
    NotAPicture("out of memory");
  }
  IPicture* pic = nullptr;
  HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&pic));
  stream->Release();
  if (FAILED(hr) || !pic) NotAPicture("the data is not a bitmap, JPEG, GIF or icon");
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  OLE_XSIZE_HIMETRIC wHm = 0;
  OLE_YSIZE_HIMETRIC hHm = 0;
  pic->get_Type(&type);
  pic->get_Handle(&handle);
  pic->get_Width(&wHm);
  pic->get_Height(&hHm);
  auto d = std::make_shared<Picture::Data>();
  HANDLE h = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(handle));
  if (type == PICTYPE_BITMAP) {
    d->type = PictureType::Bitmap;
    d->bitmap = gdi::Bitmap(static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!d->bitmap) d->bitmap = gdi::Bitmap(static_cast<HBITMAP>(CopyImage(h, IMAGE_BITMAP, 0, 0, 0)));
  } else if (type == PICTYPE_ICON) {
    d->type = PictureType::Icon;
    d->icon = user::Icon(CopyIcon(static_cast<HICON>(h)), false);
  }
  pic->Release();
  if (d->type == PictureType::None) NotAPicture("only bitmaps, JPEG, GIF, icons and cursors are supported");
  if ((d->type == PictureType::Bitmap && !d->bitmap) || (d->type == PictureType::Icon && !d->icon))
    NotAPicture("the picture's handle cannot be copied");
  FillSizes(*d);
  if (wHm > 0 && hHm > 0) {
    d->widthHm = wHm;
    d->heightHm = hHm;
  }
  return d;
}

// BMP file bytes (24 bits per pixel) of a bitmap.
std::vector<uint8_t> EncodeBmp(HBITMAP bitmap, int w, int h) {
  std::vector<uint8_t> out;
  if (w <= 0 || h <= 0) return out;
  uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  std::vector<uint8_t> pixels(static_cast<size_t>(stride) * h);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  gdi::WindowDC screen(nullptr);
  int lines = GetDIBits(screen.get(), bitmap, 0, h, pixels.data(), &bi, DIB_RGB_COLORS);
  if (lines != h) return out;
  uint32_t offset = 14 + 40;
  out.push_back('B');
  out.push_back('M');
  Put32(out, offset + static_cast<uint32_t>(pixels.size()));
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(w));
  Put32(out, static_cast<uint32_t>(h));
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, BI_RGB);
  Put32(out, static_cast<uint32_t>(pixels.size()));
  Put32(out, 3780);
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

// ICO or CUR file bytes (one 32-bit image with its AND mask) of an icon.
std::vector<uint8_t> EncodeIcon(HICON icon, bool cursor, int w, int h) {
  std::vector<uint8_t> out;
  ICONINFO info{};
  if (w <= 0 || h <= 0 || !GetIconInfo(icon, &info)) return out;
  // GetIconInfo hands over copies of the icon's bitmaps.
  gdi::Bitmap colorBitmap(info.hbmColor), maskBitmap(info.hbmMask);
  gdi::WindowDC screen(nullptr);
  std::vector<uint8_t> color(static_cast<size_t>(w) * h * 4);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  // The mask as 1 bit per pixel; a monochrome icon's mask holds AND above XOR.
  uint32_t maskStride = ((static_cast<uint32_t>(w) + 31) / 32) * 4;
  int maskRows = info.hbmColor ? h : h * 2;
  std::vector<uint8_t> mask(static_cast<size_t>(maskStride) * maskRows);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } mi{};
  mi.header = bi.bmiHeader;
  mi.header.biHeight = maskRows;
  mi.header.biBitCount = 1;
  GetDIBits(screen.get(), info.hbmMask, 0, maskRows, mask.data(), reinterpret_cast<BITMAPINFO*>(&mi), DIB_RGB_COLORS);
  if (info.hbmColor) {
    GetDIBits(screen.get(), info.hbmColor, 0, h, color.data(), &bi, DIB_RGB_COLORS);
  } else {
    // Bottom-up rows: the XOR half is the lower rows of the mask bitmap's top.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        bool on = (mask[static_cast<size_t>(y) * maskStride + x / 8] >> (7 - x % 8)) & 1;
        uint8_t v = on ? 255 : 0;
        uint8_t* px = &color[(static_cast<size_t>(y) * w + x) * 4];
        px[0] = px[1] = px[2] = v;
        px[3] = 0;
      }
    mask.erase(mask.begin(), mask.begin() + static_cast<ptrdiff_t>(maskStride) * h);
  }
  mask.resize(static_cast<size_t>(maskStride) * h);

  uint32_t imageSize = 40 + static_cast<uint32_t>(color.size() + mask.size());
  Put16(out, 0);
  Put16(out, cursor ? 2 : 1);
  Put16(out, 1);
  out.push_back(static_cast<uint8_t>(w >= 256 ? 0 : w));
  out.push_back(static_cast<uint8_t>(h >= 256 ? 0 : h));
  out.push_back(0);
  out.push_back(0);
  Put16(out, cursor ? info.xHotspot : 1);
  Put16(out, cursor ? info.yHotspot : 32);
  Put32(out, imageSize);
  Put32(out, 6 + 16);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(w));
  Put32(out, static_cast<uint32_t>(h * 2));
  Put16(out, 1);
  Put16(out, 32);
  Put32(out, BI_RGB);
  Put32(out, static_cast<uint32_t>(color.size() + mask.size()));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  out.insert(out.end(), color.begin(), color.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

std::vector<uint8_t> ReadPictureFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  switch (ReadWholeFile(path, bytes)) {
    case WholeFileRead::kRead: return bytes;
    case WholeFileRead::kNotFound: throw Error(errors::kFileNotFound, "File not found: " + path);
    default: throw Error(errors::kFileIo, "File access error: " + path);
  }
}

}  // namespace

Picture Picture::LoadBytes(const void* data, size_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  if (!p || size < 4) NotAPicture("the data is empty or too short");
  std::shared_ptr<Data> d;
  if (Read16(p) == 0 && Read16(p + 2) == 2)
    d = LoadCursorBytes(p, size);
  else
    d = LoadOlePicture(p, size);
  d->bytes.assign(p, p + size);
  return Picture(std::move(d));
}

Picture Picture::LoadFile(const std::string& path) {
  std::vector<uint8_t> bytes = ReadPictureFile(path);
  try {
    return LoadBytes(bytes);
  } catch (const Error& e) {
    throw Error(e.Number(), e.Description() + " (" + path + ")");
  }
}

Picture Picture::LoadResourceBytes(HMODULE module, LPCSTR name, LPCSTR type) {
  HRSRC res = FindResourceA(module, name, type);
  HGLOBAL loaded = res ? LoadResource(module, res) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) throw Error(errors::kFileNotFound, "Resource not found");
  return LoadBytes(bytes, SizeofResource(module, res));
}

Picture Picture::LoadBitmapResource(HMODULE module, LPCSTR name) {
  HANDLE h = LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!h) throw Error(errors::kFileNotFound, "Bitmap resource not found");
  return FromBitmap(static_cast<HBITMAP>(h), true);
}

Picture Picture::LoadIconResource(HMODULE module, LPCSTR name) {
  HANDLE h = LoadImageA(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
  if (!h) throw Error(errors::kFileNotFound, "Icon resource not found");
  return FromIcon(static_cast<HICON>(h), false, true);
}

Picture Picture::LoadCursorResource(HMODULE module, LPCSTR name) {
  HANDLE h = LoadImageA(module, name, IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE);
  if (!h) throw Error(errors::kFileNotFound, "Cursor resource not found");
  return FromIcon(static_cast<HICON>(h), true, true);
}

Picture Picture::FromBitmap(HBITMAP bitmap, bool takeOwnership) {
  if (!bitmap || GetObjectType(bitmap) != OBJ_BITMAP) NotAPicture("the handle is not a bitmap");
  auto d = std::make_shared<Data>();
  d->type = PictureType::Bitmap;
  d->bitmap = gdi::Bitmap(
      takeOwnership ? bitmap : static_cast<HBITMAP>(CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!d->bitmap) NotAPicture("the bitmap cannot be copied");
  FillSizes(*d);
  return Picture(std::move(d));
}

Picture Picture::FromIcon(HICON icon, bool isCursor, bool takeOwnership) {
  if (!icon) NotAPicture("the handle is not an icon");
  HICON h = takeOwnership ? icon : static_cast<HICON>(CopyImage(icon, isCursor ? IMAGE_CURSOR : IMAGE_ICON, 0, 0, 0));
  if (!h) NotAPicture("the icon cannot be copied");
  auto d = std::make_shared<Data>();
  d->type = PictureType::Icon;
  d->cursor = isCursor;
  d->icon = user::Icon(h, isCursor);
  FillSizes(*d);
  return Picture(std::move(d));
}

PictureType Picture::Type() const { return d_ ? d_->type : PictureType::None; }
bool Picture::IsCursor() const { return d_ && d_->cursor; }
HANDLE Picture::Handle() const {
  if (!d_) return nullptr;
  return d_->type == PictureType::Bitmap ? static_cast<HANDLE>(d_->bitmap.get()) : static_cast<HANDLE>(d_->icon.get());
}
HBITMAP Picture::Bitmap() const { return d_ ? d_->bitmap.get() : nullptr; }
HICON Picture::Icon() const { return d_ ? d_->icon.get() : nullptr; }
int Picture::WidthPixels() const { return d_ ? d_->widthPx : 0; }
int Picture::HeightPixels() const { return d_ ? d_->heightPx : 0; }
int32_t Picture::WidthHimetric() const { return d_ ? d_->widthHm : 0; }
int32_t Picture::HeightHimetric() const { return d_ ? d_->heightHm : 0; }

std::vector<uint8_t> Picture::FileBytes() const {
  if (!d_) return {};
  if (!d_->bytes.empty()) return d_->bytes;
  if (d_->type == PictureType::Bitmap) return EncodeBmp(d_->bitmap.get(), d_->widthPx, d_->heightPx);
  return EncodeIcon(d_->icon.get(), d_->cursor, d_->widthPx, d_->heightPx);
}

}  // namespace host
