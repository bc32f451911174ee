// Texts between the program's ANSI strings (the system code page) and the
// UTF-16 strings of COM interfaces.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace host {

inline std::wstring WideText(std::string_view text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

// A null pointer is an empty text.
inline std::string AnsiText(const wchar_t* text) {
  if (!text) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

}  // namespace host
