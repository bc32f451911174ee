#include "registry/RegFileParser.h"

#include <algorithm>

#include "registry/RegFileLines.h"
#include "registry/RegistryText.h"

namespace reg_file {

namespace {

using registry_text::RemoveChar;
using registry_text::StartsWith;
using registry_text::TrimSpaces;

enum ParserState {
  HEADER,      // first line: must read REGEDIT4
  SEEK_KEY,    // outside a key block: skip lines until a key line
  KEY_LINE,    // current line opens a key block or deletes a key
  KEY_VALUES,  // inside a key block: value lines until the next key line
  DONE,        // stop; `result` says how
  NB_PARSER_STATES
};

struct Parser {
  std::vector<std::string_view> lines;
  size_t line = 0;      // index of the current line
  std::string keyLine;  // the current key line, trimmed and unquoted
  std::string keyPath;  // key of the current block
  ImportSink& sink;
  ImportResult result = ImportResult::Imported;
  std::string scratch{};  // the current value line without its quotes
};

ParserState HeaderState(Parser& p) {
  // Nothing is trimmed: a header with trailing spaces is rejected.
  if (p.lines.empty() || registry_text::ToUpperAscii(p.lines[0]) != kHeader) {
    p.result = ImportResult::NotRegedit4;
    return DONE;
  }
  p.line = 1;
  return SEEK_KEY;
}

ParserState SeekKeyState(Parser& p) {
  while (p.line < p.lines.size()) {
    p.keyLine = RemoveChar(TrimSpaces(p.lines[p.line]), '"');
    if (StartsWith(p.keyLine, "[")) return KEY_LINE;
    ++p.line;
  }
  return DONE;
}

ParserState KeyLineState(Parser& p) {
  // "[" alone has no path between its brackets.
  if (p.keyLine.size() < 2) {
    p.result = ImportResult::Aborted;
    return DONE;
  }
  std::string path = p.keyLine.substr(1, p.keyLine.size() - 2);
  ++p.line;
  if (StartsWith(path, "-")) {
    p.sink.KillKey(path.substr(1));
    return SEEK_KEY;
  }
  p.keyPath = std::move(path);
  return KEY_VALUES;
}

void ApplyValueLine(Parser& p, std::string_view line) {
  const size_t firstEq = line.find('=');
  const std::string name(line.substr(0, firstEq));
  std::string_view data = line.substr(firstEq + 1);
  // Text after a second "=" is not part of the data.
  data = data.substr(0, data.find('='));
  if (TrimSpaces(data) == "-") {
    p.sink.KillValue(p.keyPath, name);
  } else if (registry_text::StartsWithLowerCase(data, "hex:")) {
    std::string hex(data.substr(4));
    for (char& c : hex) {
      if (c == ',') c = ' ';
    }
    p.sink.WriteBinary(p.keyPath, name, hex);
  } else if (registry_text::StartsWithLowerCase(data, "dword:")) {
    // Blanks may stand between "dword:" and the digits, as regedit allows.
    data.remove_prefix(6);
    data.remove_prefix(std::min(data.size(), data.find_first_not_of(" \t")));
    if (const auto value = ParseDwordData(data)) p.sink.WriteDWORD(p.keyPath, name, *value);
  } else {
    p.sink.WriteString(p.keyPath, name, std::string(data));
    // An empty default value is removed rather than set.
    if (name == "@" && data.empty()) p.sink.KillValue(p.keyPath, "");
  }
}

// The line without its double quotes into `out` (one buffer for every line:
// a large file has many).
void Unquoted(std::string_view line, std::string& out) {
  out.clear();
  for (char c : line) {
    if (c != '"') out.push_back(c);
  }
}

// A hex value (hex: or hex(N):) whose line ends in a backslash.
bool IsContinuedHexLine(std::string_view line) {
  std::string_view data = line.substr(line.find('=') + 1);
  return (registry_text::StartsWithLowerCase(data, "hex:") || registry_text::StartsWithLowerCase(data, "hex(")) &&
         line.back() == '\\';
}

// Joins the continued hex value in p.scratch with its continuation lines,
// as regedit does: blank and comment lines between them are passed over, a
// comment after the bytes is dropped, and the value ends with the first line
// that does not end in a backslash, or with the file. A line that is not
// hex data ends the value unapplied (false) and is read as a line of its own.
bool JoinContinuationLines(Parser& p) {
  std::string joined(TrimSpaces(p.scratch));
  joined.pop_back();
  for (; p.line < p.lines.size(); ++p.line) {
    // The raw line: a quoted name must not pass for hex digits.
    std::string_view piece = p.lines[p.line];
    piece = piece.substr(0, piece.find(';'));
    piece.remove_prefix(std::min(piece.size(), piece.find_first_not_of(" \t")));
    piece = piece.substr(0, piece.find_last_not_of(" \t") + 1);
    if (piece.empty()) continue;
    if (registry_text::HexDigitValue(piece.front()) < 0) return false;
    joined.append(piece);
    if (joined.back() != '\\') {
      ++p.line;
      break;
    }
    joined.pop_back();
  }
  p.scratch = std::move(joined);
  return true;
}

ParserState KeyValuesState(Parser& p) {
  while (p.line < p.lines.size()) {
    Unquoted(p.lines[p.line], p.scratch);
    std::string_view line = TrimSpaces(p.scratch);
    if (StartsWith(line, "[")) return SEEK_KEY;  // the next key line, read again there
    ++p.line;
    // Comments and empty lines carry no "=".
    if (StartsWith(line, ";") || line.find('=') == std::string_view::npos) continue;
    if (IsContinuedHexLine(line)) {
      if (!JoinContinuationLines(p)) continue;
      line = TrimSpaces(p.scratch);
    }
    ApplyValueLine(p, line);
  }
  return DONE;
}

using StateHandler = ParserState (*)(Parser&);
const StateHandler kStateHandlers[NB_PARSER_STATES] = {
    HeaderState,     // HEADER
    SeekKeyState,    // SEEK_KEY
    KeyLineState,    // KEY_LINE
    KeyValuesState,  // KEY_VALUES
    nullptr,         // DONE
};

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::optional<int32_t> ParseDwordData(std::string_view data) {
  uint64_t value = 0;
  size_t digits = 0;
  for (char c : data) {
    const int digit = registry_text::HexDigitValue(c);
    if (digit < 0) break;
    // More than eight digits are refused, leading zeros included, as regedit
    // refuses them: cutting them would store a number the file never held.
    if (++digits > 8) return std::nullopt;
    value = value * 16 + static_cast<uint64_t>(digit);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

ImportResult ParseRegFile(std::string_view text, ImportSink& sink) {
  Parser parser{SplitLines(text), 0, {}, {}, sink};
  ParserState state = HEADER;
  while (state != DONE) state = kStateHandlers[state](parser);
  return parser.result;
}

}  // namespace reg_file
