#include "registry/RegFileReader.h"

#include <algorithm>
#include <cstdint>

#include "registry/RegFileDecoding.h"
#include "registry/RegistryKeyPath.h"
#include "registry/RegistryWideText.h"

namespace reg_file {

namespace {

constexpr std::wstring_view kRegedit4 = L"REGEDIT4";
constexpr std::wstring_view kRegedit5 = L"Windows Registry Editor Version 5.00";

enum ReaderState {
  HEADER,              // the first line: which format
  LINE_START,          // a new line: key, value, comment or blank
  KEY_NAME,            // after "[": the key to create and open
  DELETE_KEY,          // after "[-": the key to delete with its subtree
  DEFAULT_VALUE_NAME,  // after "@"
  QUOTED_VALUE_NAME,   // after a double quote: the escaped name
  DATA_START,          // blanks, "=", blanks before the data
  DELETE_VALUE,        // the data "-"
  DATA_TYPE,           // a double quote, "hex:", "hex(N):" or "dword:"
  STRING_DATA,         // escaped text up to its closing quote
  DWORD_DATA,          // one to eight hex digits
  HEX_DATA,            // bytes separated by commas; a backslash goes on in the next line
  HEX_CONTINUATION,    // the next line that is neither blank nor a comment
  SET_VALUE,           // stores the value in the open key
  DONE,
  NB_READER_STATES
};

struct Reader {
  Reader(RegFileTarget& t, std::wstring_view file) : target(t), text(file) {}
  RegFileTarget& target;
  std::wstring_view text;
  size_t next = 0;          // where the next line starts
  int32_t lineNumber = 0;   // of the current line
  std::wstring_view line;   // the current line
  size_t pos = 0;           // the reader's place in it
  bool rereadLine = false;  // LINE_START takes the current line again
  bool keyOpen = false;
  // hex(1), hex(2) and hex(7) bytes are UTF-16, else ANSI text to convert.
  bool wideHexStrings = true;
  std::wstring keyName;  // between "[" and the key line's last "]"
  std::wstring valueName;
  int32_t valueLine = 0;  // the line the current value began on
  DWORD type = 0;
  std::string data;
  std::wstring textData;  // one buffer for every string value
  std::vector<RegFileRefusal> refusals;
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// Nothing but blanks, maybe followed by a comment.
bool IsBlankOrComment(std::wstring_view text) {
  const size_t first = text.find_first_not_of(L" \t");
  return first == std::wstring_view::npos || text[first] == L';';
}

std::wstring_view Rest(const Reader& r) { return r.line.substr(std::min(r.pos, r.line.size())); }

void SkipBlanks(Reader& r) {
  while (r.pos < r.line.size() && IsBlank(r.line[r.pos])) ++r.pos;
}

void Refuse(Reader& r, int32_t line, std::string reason) { r.refusals.push_back({line, std::move(reason)}); }

std::string WithError(const char* what, LONG error) {
  return std::string(what) + " (error " + std::to_string(error) + ")";
}

// Refuses the current line, and with it the value being read; the next line
// follows.
ReaderState RefuseLine(Reader& r, std::string reason) {
  Refuse(r, r.lineNumber, std::move(reason));
  return LINE_START;
}

bool ReadLine(Reader& r) {
  if (!NextLine(r.text, r.next, r.line)) return false;
  ++r.lineNumber;
  r.pos = 0;
  // regedit's lines are C strings: a NUL ends them.
  const size_t nul = r.line.find(L'\0');
  if (nul != std::wstring_view::npos) {
    r.line = r.line.substr(0, nul);
    Refuse(r, r.lineNumber, "a NUL character ends the line early");
  }
  return true;
}

// A number read as the C library's wcstoul reads base 16, which is how
// regedit reads bytes and type numbers: leading white space, a sign, "0x",
// digits. `end` stays at `start` when there are no digits.
struct HexNumber {
  uint32_t value = 0;
  size_t end = 0;
  bool overflow = false;
};

HexNumber ReadHexNumber(std::wstring_view s, size_t start) {
  size_t i = start;
  while (i < s.size() && (s[i] == L' ' || (s[i] >= L'\t' && s[i] <= L'\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == L'+' || s[i] == L'-')) negative = s[i++] == L'-';
  if (i + 2 < s.size() && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X') && HexDigit(s[i + 2]) >= 0) i += 2;
  const size_t first = i;
  uint64_t value = 0;
  HexNumber number;
  for (; i < s.size() && HexDigit(s[i]) >= 0; ++i) {
    value = value * 16 + static_cast<uint64_t>(HexDigit(s[i]));
    if (value > 0xFFFFFFFFu) {
      number.overflow = true;
      value = 0xFFFFFFFFu;
    }
  }
  if (i == first) {
    number.end = start;
    return number;
  }
  number.value = static_cast<uint32_t>(value);
  if (negative && !number.overflow) number.value = 0u - number.value;
  number.end = i;
  return number;
}

// Reads a quoted text from the reader's place up to its closing quote,
// which it passes. "\\" and "\"" stand for the character, "\n" and "\r"
// for line breaks, any other escaped character for itself; "\0" refuses.
bool ReadEscapedText(Reader& r, std::wstring& out) {
  out.clear();
  for (; r.pos < r.line.size(); ++r.pos) {
    wchar_t c = r.line[r.pos];
    if (c == L'"') {
      ++r.pos;
      return true;
    }
    if (c == L'\\') {
      if (++r.pos >= r.line.size()) break;
      c = r.line[r.pos];
      if (c == L'0') {
        Refuse(r, r.lineNumber, "\\0 cannot stand in a quoted text");
        return false;
      }
      if (c == L'n') c = L'\n';
      if (c == L'r') c = L'\r';
    }
    out.push_back(c);
  }
  Refuse(r, r.lineNumber, "a quoted text has no closing quote");
  return false;
}

// String types given as hex: a missing final NUL character is added, and in
// files whose strings are ANSI the bytes are converted to UTF-16, as regedit
// does. An odd number of UTF-16 bytes is stored as it is.
void PrepareHexStrings(Reader& r) {
  if ((r.type != REG_SZ && r.type != REG_EXPAND_SZ && r.type != REG_MULTI_SZ) || r.data.empty()) return;
  const size_t n = r.data.size();
  if (r.wideHexStrings) {
    if (n % 2 == 0 && (r.data[n - 2] != '\0' || r.data[n - 1] != '\0')) r.data.append(2, '\0');
    return;
  }
  if (r.data.back() != '\0') r.data.push_back('\0');
  std::wstring wide;
  registry_wide::ToWide(CP_ACP, r.data, wide);
  r.data = registry_wide::WideBytes(wide);
}

ReaderState HeaderState(Reader& r) {
  if (!ReadLine(r)) {
    Refuse(r, 0, "the file is empty");
    return DONE;
  }
  SkipBlanks(r);
  const std::wstring_view header = Rest(r);
  if (header == kRegedit5) {
    r.wideHexStrings = true;
    return LINE_START;
  }
  if (header == kRegedit4) return LINE_START;
  Refuse(r, 1,
         header == L"REGEDIT" ? "Windows 3.1 registry files are not read"
                              : "the first line is neither REGEDIT4 nor Windows Registry Editor Version 5.00");
  return DONE;
}

ReaderState LineStartState(Reader& r) {
  if (r.rereadLine) {
    r.rereadLine = false;
    r.pos = 0;
  } else if (!ReadLine(r)) {
    return DONE;
  }
  SkipBlanks(r);
  if (r.pos >= r.line.size()) return LINE_START;
  switch (r.line[r.pos]) {
    case L'[': ++r.pos; return KEY_NAME;
    case L'@': ++r.pos; return DEFAULT_VALUE_NAME;
    case L'"': ++r.pos; return QUOTED_VALUE_NAME;
    case L';': return LINE_START;
    default: return RefuseLine(r, "not a key, value or comment line");
  }
}

ReaderState KeyNameState(Reader& r) {
  const std::wstring_view rest = Rest(r);
  const size_t close = rest.rfind(L']');
  // As with regedit, the key opened before stays open.
  if (rest.empty() || IsBlank(rest[0]) || close == std::wstring_view::npos) {
    return RefuseLine(r, "a key line is [, the key's full name and ]");
  }
  if (!IsBlankOrComment(rest.substr(close + 1))) Refuse(r, r.lineNumber, "text after the key line's ]");
  r.keyName.assign(rest.substr(0, close));
  r.target.CloseKey();
  r.keyOpen = false;
  if (StartsWith(r.keyName, L"-")) return DELETE_KEY;
  std::wstring_view subKey;
  const HKEY root = registry_path::SplitRegeditPath(r.keyName, false, subKey);
  if (!root) return RefuseLine(r, "unknown root key (the long names such as HKEY_CURRENT_USER are needed)");
  const LONG rc = r.target.OpenKey(root, subKey);
  if (rc != ERROR_SUCCESS) return RefuseLine(r, WithError("the key cannot be created or opened", rc));
  r.keyOpen = true;
  return LINE_START;
}

ReaderState DeleteKeyState(Reader& r) {
  const std::wstring_view name = std::wstring_view(r.keyName).substr(1);
  if (name.empty() || (name[0] != L'H' && name[0] != L'h')) return RefuseLine(r, "not a key to delete");
  std::wstring_view subKey;
  const HKEY root = registry_path::SplitRegeditPath(name, false, subKey);
  // regedit ends the whole import here; so does this reader.
  if (!root) {
    Refuse(r, r.lineNumber, "unknown root key in a key to delete; the import stopped here");
    return DONE;
  }
  if (subKey.empty()) {
    Refuse(r, r.lineNumber, "a root key cannot be deleted; the import stopped here");
    return DONE;
  }
  const LONG rc = r.target.DeleteKey(root, subKey);
  if (rc != ERROR_SUCCESS) return RefuseLine(r, WithError("the key cannot be deleted", rc));
  return LINE_START;
}

ReaderState DefaultValueNameState(Reader& r) {
  r.valueName.clear();
  r.valueLine = r.lineNumber;
  return DATA_START;
}

ReaderState QuotedValueNameState(Reader& r) {
  r.valueLine = r.lineNumber;
  return ReadEscapedText(r, r.valueName) ? DATA_START : LINE_START;
}

ReaderState DataStartState(Reader& r) {
  SkipBlanks(r);
  if (r.pos >= r.line.size() || r.line[r.pos] != L'=') return RefuseLine(r, "no = after the value name");
  ++r.pos;
  SkipBlanks(r);
  // Blanks at the end of the line belong to nothing.
  r.line = r.line.substr(0, r.line.find_last_not_of(L" \t") + 1);
  return r.pos < r.line.size() && r.line[r.pos] == L'-' ? DELETE_VALUE : DATA_TYPE;
}

ReaderState DeleteValueState(Reader& r) {
  ++r.pos;
  if (!IsBlankOrComment(Rest(r))) return RefuseLine(r, "text after the - that deletes a value");
  if (!r.keyOpen) return RefuseLine(r, "no key is open for this value");
  const LONG rc = r.target.DeleteValue(r.valueName);
  if (rc != ERROR_SUCCESS) return RefuseLine(r, WithError("the value cannot be deleted", rc));
  return LINE_START;
}

ReaderState DataTypeState(Reader& r) {
  const std::wstring_view rest = Rest(r);
  r.data.clear();
  if (StartsWith(rest, L"\"")) {
    r.type = REG_SZ;
    r.pos += 1;
    return STRING_DATA;
  }
  if (StartsWith(rest, L"hex:")) {
    r.type = REG_BINARY;
    r.pos += 4;
    return HEX_DATA;
  }
  if (StartsWith(rest, L"dword:")) {
    r.type = REG_DWORD;
    r.pos += 6;
    return DWORD_DATA;
  }
  if (StartsWith(rest, L"hex(")) {
    // "hex(N):" with N in hex, no "0x".
    r.pos += 4;
    const std::wstring_view number = Rest(r);
    const HexNumber type = ReadHexNumber(r.line, r.pos);
    const bool closed = type.end + 1 < r.line.size() && r.line[type.end] == L')' && r.line[type.end + 1] == L':';
    if (number.empty() || (number.size() > 1 && (number[1] == L'x' || number[1] == L'X')) || type.overflow ||
        !closed) {
      return RefuseLine(r, "hex( is not followed by a type number and ):");
    }
    r.type = type.value;
    r.pos = type.end + 2;
    return HEX_DATA;
  }
  return RefuseLine(r, "unknown data type (a quoted text, hex:, hex(N): or dword: is needed)");
}

ReaderState StringDataState(Reader& r) {
  if (!ReadEscapedText(r, r.textData)) return LINE_START;
  if (!IsBlankOrComment(Rest(r))) return RefuseLine(r, "text after the closing quote");
  r.textData.push_back(L'\0');
  r.data.assign(reinterpret_cast<const char*>(r.textData.data()), r.textData.size() * sizeof(wchar_t));
  return SET_VALUE;
}

ReaderState DwordDataState(Reader& r) {
  SkipBlanks(r);
  const std::wstring_view rest = Rest(r);
  if (rest.empty()) return RefuseLine(r, "no digits after dword:");
  uint32_t value = 0;
  size_t digits = 0;
  for (; digits < rest.size() && HexDigit(rest[digits]) >= 0; ++digits) {
    if (digits == 8) return RefuseLine(r, "more than eight digits after dword:");
    value = value * 16 + static_cast<uint32_t>(HexDigit(rest[digits]));
  }
  if (!IsBlankOrComment(rest.substr(digits))) return RefuseLine(r, "dword: takes up to eight hex digits");
  r.data = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
  return SET_VALUE;
}

ReaderState HexDataState(Reader& r) {
  // "hex:" with nothing after it: no bytes.
  if (r.pos >= r.line.size()) return SET_VALUE;
  const char* const kNotBytes = "hex data are bytes (00 to ff) separated by commas";
  while (r.pos < r.line.size()) {
    const HexNumber byte = ReadHexNumber(r.line, r.pos);
    if (byte.overflow || byte.value > 0xFF) return RefuseLine(r, kNotBytes);
    if (byte.end == r.pos) {
      // No number: the end of the data, a comment, or a backslash that
      // continues the bytes in the next line.
      SkipBlanks(r);
      if (r.pos < r.line.size() && r.line[r.pos] == L'\\') {
        ++r.pos;
        if (!IsBlankOrComment(Rest(r))) return RefuseLine(r, "text after the \\ that continues hex data");
        return HEX_CONTINUATION;
      }
      if (r.pos < r.line.size() && r.line[r.pos] == L';') break;
      return RefuseLine(r, kNotBytes);
    }
    r.data.push_back(static_cast<char>(byte.value));
    r.pos = byte.end;
    if (r.pos < r.line.size() && r.line[r.pos] != L',') {
      if (!IsBlankOrComment(Rest(r))) return RefuseLine(r, kNotBytes);
      break;
    }
    if (r.pos < r.line.size()) ++r.pos;
  }
  PrepareHexStrings(r);
  return SET_VALUE;
}

ReaderState HexContinuationState(Reader& r) {
  // The file ends: the bytes read so far are the value.
  if (!ReadLine(r)) {
    PrepareHexStrings(r);
    return SET_VALUE;
  }
  SkipBlanks(r);
  if (r.pos >= r.line.size() || r.line[r.pos] == L';') return HEX_CONTINUATION;
  if (HexDigit(r.line[r.pos]) < 0) {
    // regedit drops this line too and would put the values after it into
    // the key before; here it is read as the line it is.
    Refuse(r, r.valueLine, "the hex value goes on with a line that is not hex data; it was not set");
    r.rereadLine = true;
    return LINE_START;
  }
  return HEX_DATA;
}

ReaderState SetValueState(Reader& r) {
  if (!r.keyOpen) {
    Refuse(r, r.valueLine, "no key is open for this value");
    return LINE_START;
  }
  const LONG rc = r.target.SetValue(r.valueName, r.type, r.data);
  if (rc != ERROR_SUCCESS) Refuse(r, r.valueLine, WithError("the value cannot be set", rc));
  return LINE_START;
}

using StateHandler = ReaderState (*)(Reader&);
const StateHandler kStateHandlers[NB_READER_STATES] = {
    HeaderState,            // HEADER
    LineStartState,         // LINE_START
    KeyNameState,           // KEY_NAME
    DeleteKeyState,         // DELETE_KEY
    DefaultValueNameState,  // DEFAULT_VALUE_NAME
    QuotedValueNameState,   // QUOTED_VALUE_NAME
    DataStartState,         // DATA_START
    DeleteValueState,       // DELETE_VALUE
    DataTypeState,          // DATA_TYPE
    StringDataState,        // STRING_DATA
    DwordDataState,         // DWORD_DATA
    HexDataState,           // HEX_DATA
    HexContinuationState,   // HEX_CONTINUATION
    SetValueState,          // SET_VALUE
    nullptr,                // DONE
};

}  // namespace

std::vector<RegFileRefusal> ReadRegFile(std::string_view bytes, RegFileTarget& target) {
  const DecodedFile file = DecodeRegFile(bytes);
  Reader reader(target, file.text);
  reader.wideHexStrings = file.encoding == TextEncoding::Utf16;
  ReaderState state = HEADER;
  while (state != DONE) state = kStateHandlers[state](reader);
  target.CloseKey();
  if (file.halfCharacter) {
    Refuse(reader, reader.lineNumber, "the file ends in half a UTF-16 character, which was dropped");
  }
  return std::move(reader.refusals);
}

}  // namespace reg_file
