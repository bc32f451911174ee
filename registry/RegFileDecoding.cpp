#include "registry/RegFileDecoding.h"

#include <windows.h>

#include <algorithm>

#include "registry/RegistryWideText.h"

namespace reg_file {

namespace {
bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }
}  // namespace

DecodedFile DecodeRegFile(std::string_view bytes) {
  DecodedFile file;
  if (StartsWith(bytes, "\xFF\xFE")) {
    file.encoding = TextEncoding::Utf16;
    bytes.remove_prefix(2);
    file.halfCharacter = bytes.size() % 2 != 0;
    file.text = registry_wide::WideFromBytes(bytes);
    return file;
  }
  if (StartsWith(bytes, "\xEF\xBB\xBF")) {
    file.encoding = TextEncoding::Utf8;
    registry_wide::ToWide(CP_UTF8, bytes.substr(3), file.text);
    return file;
  }
  // A REGEDIT5 file saved by an editor in 8 bits is most often UTF-8.
  const std::string_view blanks = " \t";
  const size_t start = std::min(bytes.size(), bytes.find_first_not_of(blanks));
  if (StartsWith(bytes.substr(start), "Windows Registry Editor Version 5.00") &&
      registry_wide::ToWide(CP_UTF8, bytes, file.text, true)) {
    file.encoding = TextEncoding::Utf8;
    return file;
  }
  file.encoding = TextEncoding::Ansi;
  registry_wide::ToWide(CP_ACP, bytes, file.text);
  return file;
}

bool NextLine(std::wstring_view text, size_t& pos, std::wstring_view& line) {
  if (pos >= text.size()) return false;
  const size_t end = text.find_first_of(L"\r\n", pos);
  if (end == std::wstring_view::npos) {
    line = text.substr(pos);
    pos = text.size();
    return true;
  }
  line = text.substr(pos, end - pos);
  pos = end + 1;
  if (text[end] == L'\r' && pos < text.size() && text[pos] == L'\n') ++pos;
  return true;
}

}  // namespace reg_file
