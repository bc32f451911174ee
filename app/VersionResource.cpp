#include "app/VersionResource.h"

#include <cstring>

namespace vorn {

std::optional<FileVersion> FixedFileVersion(const void* block, size_t size) {
  // VS_VERSIONINFO: wLength, wValueLength, wType, the key L"VS_VERSION_INFO"
  // with its terminator, padding to 32 bits, then the VS_FIXEDFILEINFO.
  static constexpr wchar_t kKey[] = L"VS_VERSION_INFO";
  constexpr size_t kKeyAt = 3 * sizeof(WORD);
  constexpr size_t kValueAt = (kKeyAt + sizeof kKey + 3) & ~size_t{3};
  if (!block || size < kValueAt + sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
  const auto* bytes = static_cast<const unsigned char*>(block);
  WORD length = 0, valueLength = 0;
  std::memcpy(&length, bytes, sizeof length);
  std::memcpy(&valueLength, bytes + sizeof(WORD), sizeof valueLength);
  if (length > size || length < kValueAt + sizeof(VS_FIXEDFILEINFO) || valueLength < sizeof(VS_FIXEDFILEINFO) ||
      std::memcmp(bytes + kKeyAt, kKey, sizeof kKey) != 0) {
    return std::nullopt;
  }
  VS_FIXEDFILEINFO info;
  std::memcpy(&info, bytes + kValueAt, sizeof info);
  if (info.dwSignature != 0xFEEF04BD) return std::nullopt;
  return FileVersion{HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS), HIWORD(info.dwFileVersionLS),
                     LOWORD(info.dwFileVersionLS)};
}

std::optional<FileVersion> ModuleFileVersion(HMODULE module) {
  if (!module) module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16));  // RT_VERSION
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* block = loaded ? LockResource(loaded) : nullptr;
  return block ? FixedFileVersion(block, SizeofResource(module, found)) : std::nullopt;
}

}  // namespace vorn
