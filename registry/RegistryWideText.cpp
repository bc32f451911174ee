#include "registry/RegistryWideText.h"

#include <climits>
#include <cstring>

namespace registry_wide {

bool ToWide(UINT codePage, std::string_view bytes, std::wstring& wide, bool strict) {
  wide.clear();
  if (bytes.empty()) return true;
  if (bytes.size() > static_cast<size_t>(INT_MAX)) return false;
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<size_t>(length));
  return MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), length) == length;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
  if (wide.empty() || wide.size() > static_cast<size_t>(INT_MAX / 4)) return {};
  const int units = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(codePage, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), units, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// wchar_t holds UTF-16LE on Windows: the conversions are copies.
static_assert(sizeof(wchar_t) == 2, "UTF-16 wchar_t");

std::string WideBytes(std::wstring_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring WideFromBytes(std::string_view bytes) {
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return text;
}

}  // namespace registry_wide
