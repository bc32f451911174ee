// A picture object shared by reference, like the host's StdPicture: a
// bitmap, an icon or a cursor, with its size in HIMETRIC and pixels. Copies
// share the same handle; the handle is destroyed with the last copy and is
// counted by the GDI owners (bitmaps) or the USER owners (icons, cursors).
// A default-constructed Picture is "none".
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace host {

// The numbers of the classic picture types; cursors are icons with
// IsCursor() true.
enum class PictureType : int16_t { None = 0, Bitmap = 1, Icon = 3 };

class Picture {
 public:
  Picture() = default;

  // Loads a BMP, JPEG, GIF, ICO or CUR file (Windows path). Throws
  // host::Error: file not found (53), unreadable (75) or not a picture (481).
  static Picture LoadFile(const std::string& path);
  // The same from the bytes of such a file.
  static Picture LoadBytes(const void* data, size_t size);
  static Picture LoadBytes(const std::vector<uint8_t>& bytes) { return LoadBytes(bytes.data(), bytes.size()); }
  // From a resource holding the bytes of a picture file (any resource type,
  // e.g. RCDATA or "CUSTOM").
  static Picture LoadResourceBytes(HMODULE module, LPCSTR name, LPCSTR type);
  // From a BITMAP, ICON or CURSOR resource (LoadImage).
  static Picture LoadBitmapResource(HMODULE module, LPCSTR name);
  static Picture LoadIconResource(HMODULE module, LPCSTR name);
  static Picture LoadCursorResource(HMODULE module, LPCSTR name);
  // Wraps an existing handle. With takeOwnership the picture destroys it;
  // otherwise the picture makes and owns a copy.
  static Picture FromBitmap(HBITMAP bitmap, bool takeOwnership);
  static Picture FromIcon(HICON icon, bool isCursor, bool takeOwnership);

  explicit operator bool() const { return d_ != nullptr; }
  PictureType Type() const;
  bool IsCursor() const;
  // The handle: an HBITMAP for bitmaps, an HICON (or HCURSOR) for icons.
  HANDLE Handle() const;
  HBITMAP Bitmap() const;  // nullptr unless a bitmap
  HICON Icon() const;      // nullptr unless an icon or cursor
  int WidthPixels() const;
  int HeightPixels() const;
  int32_t WidthHimetric() const;
  int32_t HeightHimetric() const;

  // The bytes of a file that loads back to this picture: the original file
  // bytes when it was loaded from a file or bytes, else BMP or ICO/CUR bytes
  // made from the handle. Empty for "none".
  std::vector<uint8_t> FileBytes() const;

  // Same shared picture object (or both none).
  bool operator==(const Picture& o) const { return d_ == o.d_; }

  struct Data;

 private:
  explicit Picture(std::shared_ptr<Data> d) : d_(std::move(d)) {}
  std::shared_ptr<Data> d_;
};

}  // namespace host
