// Text between the byte encodings of .reg files and file names (UTF-8, the
// ANSI code page) and the UTF-16 of the wide registry and file calls.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace registry_wide {

// The bytes in code page `codePage` (CP_UTF8, CP_ACP) as UTF-16. With
// `strict`, bytes that are not valid in the code page fail (false); without,
// they become replacement characters.
bool ToWide(UINT codePage, std::string_view bytes, std::wstring& wide, bool strict = false);
// UTF-16 in code page `codePage`; characters it lacks become its default.
std::string FromWide(UINT codePage, std::wstring_view wide);

// The UTF-16 code units of `text` as little-endian bytes, and back (an odd
// last byte is dropped).
std::string WideBytes(std::wstring_view text);
std::wstring WideFromBytes(std::string_view bytes);

}  // namespace registry_wide
