// Picture files made byte by byte for the tests: a 24-bit BMP and a 32-bit
// ICO or CUR with one image.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace hosttest {

inline void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
inline void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

inline std::vector<uint8_t> MakeBmp(int w, int h, COLORREF color) {
  uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
  uint32_t size = stride * h;
  std::vector<uint8_t> v{'B', 'M'};
  Put32(v, 54 + size);
  Put32(v, 0);
  Put32(v, 54);
  Put32(v, 40);
  Put32(v, w);
  Put32(v, h);
  Put16(v, 1);
  Put16(v, 24);
  Put32(v, 0);
  Put32(v, size);
  Put32(v, 2835);
  Put32(v, 2835);
  Put32(v, 0);
  Put32(v, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      v.push_back(GetBValue(color));
      v.push_back(GetGValue(color));
      v.push_back(GetRValue(color));
    }
    for (uint32_t pad = w * 3; pad < stride; ++pad) v.push_back(0);
  }
  return v;
}

// type 1 icon, 2 cursor (hot spot hx, hy).
inline std::vector<uint8_t> MakeIconFile(int w, int h, bool cursor, int hx = 0, int hy = 0) {
  uint32_t maskStride = ((w + 31) / 32) * 4;
  uint32_t bytes = 40 + w * h * 4 + maskStride * h;
  std::vector<uint8_t> v;
  Put16(v, 0);
  Put16(v, cursor ? 2 : 1);
  Put16(v, 1);
  v.push_back(static_cast<uint8_t>(w));
  v.push_back(static_cast<uint8_t>(h));
  v.push_back(0);
  v.push_back(0);
  Put16(v, cursor ? hx : 1);
  Put16(v, cursor ? hy : 32);
  Put32(v, bytes);
  Put32(v, 22);
  Put32(v, 40);
  Put32(v, w);
  Put32(v, h * 2);
  Put16(v, 1);
  Put16(v, 32);
  Put32(v, 0);
  Put32(v, w * h * 4 + maskStride * h);
  Put32(v, 0);
  Put32(v, 0);
  Put32(v, 0);
  Put32(v, 0);
  for (int i = 0; i < w * h; ++i) {
    v.push_back(0x20);
    v.push_back(0x80);
    v.push_back(0xE0);
    v.push_back(0xFF);
  }
  for (uint32_t i = 0; i < maskStride * h; ++i) v.push_back(0);
  return v;
}

// A scratch file in the temp folder, removed with the object.
class TempFile {
 public:
  TempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    path_ = std::string(dir) + name;
    HANDLE f = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
  }
  ~TempFile() { DeleteFileA(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace hosttest
