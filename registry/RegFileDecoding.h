// The text of a .reg file as regedit reads it: UTF-16LE after its byte-order
// mark, UTF-8 after its mark (or a "Windows Registry Editor Version 5.00"
// file without one that is valid UTF-8), else the ANSI code page; lines
// ending in CR LF, a lone CR or a lone LF. Pure.
#pragma once

#include <string>
#include <string_view>

namespace reg_file {

enum class TextEncoding { Ansi, Utf8, Utf16 };

struct DecodedFile {
  std::wstring text;
  TextEncoding encoding = TextEncoding::Ansi;
  // UTF-16 with an odd number of bytes: the last byte was dropped.
  bool halfCharacter = false;
};

DecodedFile DecodeRegFile(std::string_view bytes);

// The line that starts at `pos`, and `pos` moved past its end; false when
// the text is used up.
bool NextLine(std::wstring_view text, size_t& pos, std::wstring_view& line);

}  // namespace reg_file
