// The pieces of a .reg file as regedit writes them, one small writer each:
// key line, value name, string, dword and hex data, and the value line that
// picks the form for a value's type. UTF-16 text; CR LF line ends. Pure.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace reg_file {

constexpr std::wstring_view kRegedit5Header = L"Windows Registry Editor Version 5.00";

// Backslashes, double quotes, CR and LF as \\, \", \r and \n.
std::wstring EscapedText(std::wstring_view text);
// An empty line, then "[path]": the start of each key's block.
std::wstring KeyBlockStart(std::wstring_view keyPath);
// "@=" for the default value (the empty name), else "\"name\"=" escaped.
std::wstring ValueNamePart(std::wstring_view name);
// "\"text\"" escaped.
std::wstring StringDataPart(std::wstring_view text);
// "dword:0000002a".
std::wstring DwordDataPart(uint32_t value);
// "hex:" for REG_BINARY, else "hex(N):", then the bytes as lowercase pairs
// separated by commas. As regedit does, a line is broken after the comma
// that reaches column 77, with a backslash, and goes on indented by two
// blanks; `column` is the length of what stands before on the line.
std::wstring HexDataPart(DWORD type, std::string_view bytes, size_t column);
// One value's line with its CR LF. Strings in quotes, 32-bit values as
// dword:, every other type (and a dword of another size than four bytes) as
// hex. REGEDIT5 (`unicode`) writes a string holding NUL characters or an odd
// number of bytes as hex(1) so that it comes back whole; REGEDIT4 writes
// hex(2) and hex(7) data as ANSI bytes.
std::wstring ValueLine(std::wstring_view name, DWORD type, std::string_view data, bool unicode);

}  // namespace reg_file
