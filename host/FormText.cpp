#include "host/FormText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/Error.h"
#include "host/UserObjects.h"
#include "host/WholeFile.h"

namespace host {
namespace {

constexpr const char* kHeader = "VornForm 1";
constexpr size_t kBase64LineLength = 64;

// ---------------------------------------------------------------- writing

std::string Hex32(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(v));
  return buf;
}

std::string SizeText(float size) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", static_cast<double>(size));
  std::string s(buf);
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

std::string FontText(const FontDesc& f) {
  std::string s = "font " + QuoteText(f.name) + " " + SizeText(f.size) + " " + std::to_string(f.weight);
  if (f.bold) s += " bold";
  if (f.italic) s += " italic";
  if (f.underline) s += " underline";
  if (f.strikethrough) s += " strikethrough";
  if (f.charset != 0) s += " charset=" + std::to_string(f.charset);
  return s;
}

// "picture ..." with its continuation lines, each indented by `indent`.
std::string PictureText(const Picture& p, const std::string& indent) {
  if (!p) return "picture none";
  std::string b64 = EncodeBase64(p.FileBytes());
  std::string s = "picture base64";
  for (size_t i = 0; i < b64.size(); i += kBase64LineLength)
    s += "\n" + indent + "  | " + b64.substr(i, kBase64LineLength);
  return s;
}

std::string ValueText(const PropertyValue& v, const std::string& indent) {
  switch (v.kind) {
    case ValueKind::Int32: return "int32 " + std::to_string(v.number);
    case ValueKind::Int16: return "int16 " + std::to_string(v.number);
    case ValueKind::Bool: return std::string("bool ") + (v.number ? "-1" : "0");
    case ValueKind::Color: return "color " + Hex32(static_cast<uint32_t>(v.number));
    case ValueKind::Text: return "text " + QuoteText(v.text);
    case ValueKind::Font: return FontText(v.font);
    case ValueKind::Picture: return PictureText(v.picture, indent);
  }
  return {};
}

class Writer {
 public:
  void Begin(const std::string& kind, const std::string& name, const std::string& cls = {}) {
    out_ += "Begin " + kind + " " + name + (cls.empty() ? "" : " " + cls) + "\n";
  }
  void End() { out_ += "End\n"; }
  void Line(const std::string& key, const std::string& value) { out_ += "  " + key + " = " + value + "\n"; }
  void Put(const std::string& key, int32_t v) { Line(key, std::to_string(v)); }
  void Put(const std::string& key, int16_t v) { Line(key, std::to_string(v)); }
  void Put(const std::string& key, bool v) { Line(key, v ? "-1" : "0"); }
  void Put(const std::string& key, OleColor v) { Line(key, Hex32(v)); }
  void Put(const std::string& key, const std::string& v) { Line(key, QuoteText(v)); }
  void Put(const std::string& key, const FontDesc& f) { Line(key, FontText(f)); }
  void Put(const std::string& key, const std::optional<FontDesc>& f) { Put(key, *f); }
  void Put(const std::string& key, const Picture& p) { Line(key, PictureText(p, "  ")); }
  void Bag(const PropertyBag& bag) {
    for (const auto& e : bag.Entries()) Line(e.key, ValueText(e.value, "  "));
  }
  void Blank() { out_ += "\n"; }
  std::string& Out() { return out_; }

 private:
  std::string out_;
};

// ---------------------------------------------------------- block fields

// The host values of each block kind, read and written through one table
// per kind. A field marked kAlways is written in every case; the others
// only when they differ from a new block's value (pictures and fonts that
// may be absent: when present).
enum class Write { kAlways, kIfChanged };
constexpr Write kAlways = Write::kAlways;
constexpr Write kIfChanged = Write::kIfChanged;

void ReadInto(const PropertyBag& bag, const char* key, std::string& v) { v = bag.ReadText(key, v); }
void ReadInto(const PropertyBag& bag, const char* key, int32_t& v) { v = bag.ReadInt32(key, v); }
void ReadInto(const PropertyBag& bag, const char* key, int16_t& v) { v = bag.ReadInt16(key, v); }
void ReadInto(const PropertyBag& bag, const char* key, bool& v) { v = bag.ReadBool(key, v); }
void ReadInto(const PropertyBag& bag, const char* key, OleColor& v) { v = bag.ReadColor(key, v); }
void ReadInto(const PropertyBag& bag, const char* key, FontDesc& v) {
  if (auto font = bag.ReadFont(key)) v = *font;
}
void ReadInto(const PropertyBag& bag, const char* key, std::optional<FontDesc>& v) { v = bag.ReadFont(key); }
void ReadInto(const PropertyBag& bag, const char* key, Picture& v) { v = bag.ReadPicture(key); }

template <typename T>
bool Changed(const T& value, const T& fresh) {
  return value != fresh;
}
bool Changed(const Picture& value, const Picture&) { return static_cast<bool>(value); }
bool Changed(const std::optional<FontDesc>& value, const std::optional<FontDesc>&) { return value.has_value(); }

template <typename Desc>
struct Field {
  const char* key;  // written with a leading "@"
  Write when;
  void (*read)(const PropertyBag& bag, const char* key, Desc& desc);
  void (*write)(Writer& w, const char* key, Write when, const Desc& desc);
};

template <typename M>
struct MemberOf;
template <typename C, typename T>
struct MemberOf<T C::*> {
  using Class = C;
};

template <auto Member>
Field<typename MemberOf<decltype(Member)>::Class> F(const char* key, Write when) {
  using Desc = typename MemberOf<decltype(Member)>::Class;
  return {key, when, [](const PropertyBag& bag, const char* k, Desc& d) { ReadInto(bag, k, d.*Member); },
          [](Writer& w, const char* k, Write how, const Desc& d) {
            static const Desc fresh;
            if (how == Write::kAlways || Changed(d.*Member, fresh.*Member)) w.Put(std::string("@") + k, d.*Member);
          }};
}

const Field<FormProps> kFormFields[] = {
    F<&FormProps::caption>("Caption", kIfChanged),
    F<&FormProps::left>("Left", kIfChanged),
    F<&FormProps::top>("Top", kIfChanged),
    F<&FormProps::clientWidth>("ClientWidth", kAlways),
    F<&FormProps::clientHeight>("ClientHeight", kAlways),
    F<&FormProps::backColor>("BackColor", kAlways),
    F<&FormProps::foreColor>("ForeColor", kIfChanged),
    F<&FormProps::font>("Font", kAlways),
    F<&FormProps::borderStyle>("BorderStyle", kIfChanged),
    F<&FormProps::icon>("Icon", kIfChanged),
    F<&FormProps::picture>("Picture", kIfChanged),
    F<&FormProps::isMdiForm>("MDIForm", kIfChanged),
};

const Field<ContainerDesc> kContainerFields[] = {
    F<&ContainerDesc::container>("Container", kAlways),
    F<&ContainerDesc::left>("Left", kAlways),
    F<&ContainerDesc::top>("Top", kAlways),
    F<&ContainerDesc::width>("Width", kAlways),
    F<&ContainerDesc::height>("Height", kAlways),
    F<&ContainerDesc::tabIndex>("TabIndex", kAlways),
    F<&ContainerDesc::tabStop>("TabStop", kIfChanged),
    F<&ContainerDesc::visible>("Visible", kIfChanged),
    F<&ContainerDesc::backColor>("BackColor", kAlways),
    F<&ContainerDesc::foreColor>("ForeColor", kIfChanged),
    F<&ContainerDesc::font>("Font", kIfChanged),
    F<&ContainerDesc::picture>("Picture", kIfChanged),
    F<&ContainerDesc::borderStyle>("BorderStyle", kIfChanged),
    F<&ContainerDesc::toolTip>("ToolTipText", kIfChanged),
};

const Field<LabelDesc> kLabelFields[] = {
    F<&LabelDesc::container>("Container", kAlways),
    F<&LabelDesc::left>("Left", kAlways),
    F<&LabelDesc::top>("Top", kAlways),
    F<&LabelDesc::width>("Width", kAlways),
    F<&LabelDesc::height>("Height", kAlways),
    F<&LabelDesc::tabIndex>("TabIndex", kAlways),
    F<&LabelDesc::visible>("Visible", kIfChanged),
    F<&LabelDesc::caption>("Caption", kAlways),
    F<&LabelDesc::foreColor>("ForeColor", kAlways),
    F<&LabelDesc::backColor>("BackColor", kIfChanged),
    F<&LabelDesc::transparent>("Transparent", kIfChanged),
    F<&LabelDesc::font>("Font", kIfChanged),
    F<&LabelDesc::alignment>("Alignment", kIfChanged),
    F<&LabelDesc::toolTip>("ToolTipText", kIfChanged),
};

const Field<ImageDesc> kImageFields[] = {
    F<&ImageDesc::container>("Container", kAlways),
    F<&ImageDesc::left>("Left", kAlways),
    F<&ImageDesc::top>("Top", kAlways),
    F<&ImageDesc::width>("Width", kAlways),
    F<&ImageDesc::height>("Height", kAlways),
    F<&ImageDesc::visible>("Visible", kIfChanged),
    F<&ImageDesc::stretch>("Stretch", kIfChanged),
    F<&ImageDesc::picture>("Picture", kIfChanged),
    F<&ImageDesc::toolTip>("ToolTipText", kIfChanged),
};

// A control's stored properties follow its fields; "@New = -1" stands for
// a new instance without them.
const Field<ControlDesc> kControlFields[] = {
    F<&ControlDesc::container>("Container", kAlways),
    F<&ControlDesc::left>("Left", kAlways),
    F<&ControlDesc::top>("Top", kAlways),
    F<&ControlDesc::extentX>("ExtentX", kAlways),
    F<&ControlDesc::extentY>("ExtentY", kAlways),
    F<&ControlDesc::tabIndex>("TabIndex", kAlways),
    F<&ControlDesc::isDefault>("Default", kIfChanged),
    F<&ControlDesc::isCancel>("Cancel", kIfChanged),
    F<&ControlDesc::visible>("Visible", kIfChanged),
    F<&ControlDesc::toolTip>("ToolTipText", kIfChanged),
};
constexpr const char* kNewKey = "New";

template <typename Desc, size_t N>
void WriteFields(Writer& w, const Field<Desc> (&fields)[N], const Desc& desc) {
  for (const Field<Desc>& f : fields) f.write(w, f.key, f.when, desc);
}

// Reads the fields from a block's host values; `known` collects their keys.
template <typename Desc, size_t N>
void ReadFields(const PropertyBag& bag, const Field<Desc> (&fields)[N], Desc& desc, std::vector<std::string>& known) {
  for (const Field<Desc>& f : fields) {
    known.push_back(f.key);
    f.read(bag, f.key, desc);
  }
}

// The block kinds, as a "Begin" line names them.
enum BlockKind { FORM, CONTAINER, LABEL, IMAGE, CONTROL, NB_BLOCK_KINDS };
const char* const kBlockWords[NB_BLOCK_KINDS] = {"form", "container", "label", "image", "control"};

// --------------------------------------------------------------- parsing

[[noreturn]] void Fail(int line, const std::string& what) {
  throw Error(errors::kBadFormText, "Form text line " + std::to_string(line) + ": " + what);
}

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Reads one word (up to white space) from s.
std::string_view Word(std::string_view& s) {
  s = Trim(s);
  size_t n = 0;
  while (n < s.size() && !std::isspace(static_cast<unsigned char>(s[n]))) ++n;
  std::string_view w = s.substr(0, n);
  s.remove_prefix(n);
  return w;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a quoted text from s (after optional white space).
std::string Quoted(std::string_view& s, int line) {
  s = Trim(s);
  if (s.empty() || s.front() != '"') Fail(line, "a text in double quotes is expected");
  std::string out;
  size_t i = 1;
  for (;; ++i) {
    if (i >= s.size()) Fail(line, "the text has no closing quote");
    char c = s[i];
    if (c == '"') break;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= s.size()) Fail(line, "the text ends inside an escape");
    switch (s[i]) {
      case '\\': out += '\\'; break;
      case '"': out += '"'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'x': {
        int hi = i + 1 < s.size() ? HexDigit(s[i + 1]) : -1;
        int lo = i + 2 < s.size() ? HexDigit(s[i + 2]) : -1;
        if (hi < 0 || lo < 0) Fail(line, "\\x needs two hexadecimal digits");
        out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default: Fail(line, std::string("unknown escape \\") + s[i]);
    }
  }
  s.remove_prefix(i + 1);
  return out;
}

int64_t Number(std::string_view w, int line) {
  std::string t(w);
  if (t.empty()) Fail(line, "a number is expected");
  errno = 0;
  char* end = nullptr;
  long long v;
  bool hex = t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X');
  if (hex)
    v = static_cast<long long>(std::strtoull(t.c_str() + 2, &end, 16));
  else
    v = std::strtoll(t.c_str(), &end, 10);
  if (errno != 0 || !end || *end != '\0' || (hex && t.size() == 2)) Fail(line, "\"" + t + "\" is not a number");
  return v;
}

int32_t Int32In(std::string_view w, int line, int64_t lo, int64_t hi) {
  int64_t v = Number(w, line);
  if (v < lo || v > hi) Fail(line, "the number " + std::string(w) + " is out of range");
  return static_cast<int32_t>(v);
}

FontDesc ParseFont(std::string_view& s, int line) {
  FontDesc f;
  f.name = Quoted(s, line);
  std::string size(Word(s));
  char* end = nullptr;
  double sz = std::strtod(size.c_str(), &end);
  if (size.empty() || *end != '\0' || !(sz > 0) || sz > 2048) Fail(line, "a font size in points is expected");
  f.size = static_cast<float>(sz);
  f.weight = static_cast<int16_t>(Int32In(Word(s), line, 0, 1000));
  for (std::string_view w = Word(s); !w.empty(); w = Word(s)) {
    std::string lw = Lower(w);
    if (lw == "bold")
      f.bold = true;
    else if (lw == "italic")
      f.italic = true;
    else if (lw == "underline")
      f.underline = true;
    else if (lw == "strikethrough")
      f.strikethrough = true;
    else if (lw.rfind("charset=", 0) == 0)
      f.charset = static_cast<int16_t>(Int32In(lw.substr(8), line, 0, 255));
    else
      Fail(line, "unknown font flag \"" + std::string(w) + "\"");
  }
  return f;
}

std::string JoinPath(const std::string& base, const std::string& rel) {
  bool absolute = (rel.size() > 1 && rel[1] == ':') || (!rel.empty() && (rel[0] == '\\' || rel[0] == '/'));
  if (absolute || base.empty()) return rel;
  std::string b = base;
  if (b.back() != '\\' && b.back() != '/') b += '\\';
  return b + rel;
}

struct PendingPicture {
  bool active = false;
  int line = 0;
  std::string base64;
  PropertyValue* target = nullptr;
};

// The states of the parser, one for each kind of line it expects; a
// handler reads one line and names the state for the next.
enum ParserState {
  HEADER,          // the first line: the header
  BETWEEN_BLOCKS,  // a "Begin" line
  IN_BLOCK,        // a value, or the block's "End"
  NB_PARSER_STATES
};

class Parser {
 public:
  Parser(std::string_view text, const std::string& baseDir) : text_(text), baseDir_(baseDir) {}

  FormDesc Run() {
    ParserState state = HEADER;
    while (NextLine()) {
      std::string_view s = Trim(line_);
      if (!s.empty() && s.front() == '|') {
        if (!pending_.active) Fail(lineNo_, "a \"|\" line must follow a picture base64 value");
        s.remove_prefix(1);
        pending_.base64 += std::string(Trim(s));
        continue;
      }
      FinishPicture();
      if (s.empty() || s.front() == '#') continue;
      state = (this->*kStateHandlers[state])(s);
    }
    FinishPicture();
    if (state == IN_BLOCK) Fail(lineNo_, "the last block has no End");
    if (state == HEADER) Fail(lineNo_, std::string("the text must start with \"") + kHeader + "\"");
    return std::move(desc_);
  }

 private:
  using StateHandler = ParserState (Parser::*)(std::string_view line);
  static const StateHandler kStateHandlers[NB_PARSER_STATES];

  ParserState HeaderLine(std::string_view s) {
    if (s != kHeader) Fail(lineNo_, std::string("the text must start with \"") + kHeader + "\"");
    return BETWEEN_BLOCKS;
  }

  ParserState BetweenBlocksLine(std::string_view s) {
    std::string_view rest = s;
    std::string first = Lower(Word(rest));
    if (first == "begin") {
      StartBlock(rest);
      return IN_BLOCK;
    }
    if (first == "end") Fail(lineNo_, "End without Begin");
    Fail(lineNo_, "a value outside any block");
  }

  ParserState InBlockLine(std::string_view s) {
    std::string_view rest = s;
    std::string first = Lower(Word(rest));
    if (first == "begin") Fail(lineNo_, "Begin inside a block (missing End)");
    if (first == "end") {
      FinishBlock();
      return BETWEEN_BLOCKS;
    }
    Value(s);
    return IN_BLOCK;
  }

  bool NextLine() {
    if (pos_ >= text_.size()) return false;
    size_t nl = text_.find('\n', pos_);
    if (nl == std::string_view::npos) nl = text_.size();
    line_ = text_.substr(pos_, nl - pos_);
    if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
    pos_ = nl + 1;
    ++lineNo_;
    return true;
  }

  void StartBlock(std::string_view rest) {
    std::string word = Lower(Word(rest));
    std::string name(Word(rest));
    std::string cls(Word(rest));
    if (name.empty()) Fail(lineNo_, "the block needs a name");
    if (!Word(rest).empty()) Fail(lineNo_, "unexpected words after the block name");
    int kind = 0;
    while (kind < NB_BLOCK_KINDS && word != kBlockWords[kind]) ++kind;
    if (kind == NB_BLOCK_KINDS) Fail(lineNo_, "unknown block kind \"" + word + "\"");
    block_ = static_cast<BlockKind>(kind);
    host_ = PropertyBag();
    switch (block_) {
      case FORM:
        if (sawForm_) Fail(lineNo_, "a second Form block");
        sawForm_ = true;
        desc_.form.name = name;
        break;
      case CONTAINER: desc_.containers.emplace_back().name = name; break;
      case LABEL: desc_.labels.emplace_back().name = name; break;
      case IMAGE: desc_.images.emplace_back().name = name; break;
      case CONTROL: {
        if (cls.empty()) Fail(lineNo_, "a Control block names its class after its name");
        ControlDesc& c = desc_.controls.emplace_back();
        c.name = name;
        c.className = cls;
        c.properties.emplace();
        break;
      }
      default: break;
    }
    if (block_ != CONTROL && !cls.empty()) Fail(lineNo_, "unexpected words after the block name");
    blockLine_ = lineNo_;
  }

  // "key = [kind] value"
  void Value(std::string_view s) {
    size_t eq = s.find('=');
    if (eq == std::string_view::npos) Fail(lineNo_, "\"key = value\" is expected");
    std::string key(Trim(s.substr(0, eq)));
    std::string_view v = Trim(s.substr(eq + 1));
    if (key.empty()) Fail(lineNo_, "the value has no key");
    bool hostValue = key.front() == '@';
    if (hostValue) key.erase(0, 1);
    if (!hostValue && block_ != CONTROL)
      Fail(lineNo_, std::string("values of a ") + kBlockWords[block_] + " block start with @");
    PropertyBag& bag = hostValue ? host_ : *desc_.controls.back().properties;
    if (bag.Contains(key)) Fail(lineNo_, "\"" + key + "\" appears twice in the block");
    bag.Set(key, ParseValue(v));
    if (pending_.active) pending_.target = const_cast<PropertyValue*>(bag.Find(key));
  }

  PropertyValue ParseValue(std::string_view v) {
    if (v.empty()) Fail(lineNo_, "the value is missing");
    if (v.front() == '"') return Finish(v, PropertyValue::Text(Quoted(v, lineNo_)));
    if (v.front() == '-' || std::isdigit(static_cast<unsigned char>(v.front()))) {
      std::string_view w = Word(v);
      bool hex = w.size() > 2 && (w[1] == 'x' || w[1] == 'X');
      PropertyValue r =
          hex ? PropertyValue::Color(static_cast<OleColor>(Int32In(w, lineNo_, 0, 0xFFFFFFFFLL) & 0xFFFFFFFF))
              : PropertyValue::Int32(Int32In(w, lineNo_, INT32_MIN, INT32_MAX));
      return Finish(v, r);
    }
    std::string kind = Lower(Word(v));
    if (kind == "int32") return Finish(v, PropertyValue::Int32(Int32In(Word(v), lineNo_, INT32_MIN, INT32_MAX)));
    if (kind == "int16")
      return Finish(v, PropertyValue::Int16(static_cast<int16_t>(Int32In(Word(v), lineNo_, -32768, 32767))));
    if (kind == "bool") {
      std::string w = Lower(Word(v));
      bool b;
      if (w == "-1" || w == "true")
        b = true;
      else if (w == "0" || w == "false")
        b = false;
      else
        Fail(lineNo_, "a boolean is -1 or 0");
      return Finish(v, PropertyValue::Bool(b));
    }
    if (kind == "color") {
      int64_t n = Number(Word(v), lineNo_);
      if (n < INT32_MIN || n > 0xFFFFFFFFLL) Fail(lineNo_, "the colour is out of range");
      return Finish(v, PropertyValue::Color(static_cast<OleColor>(n & 0xFFFFFFFF)));
    }
    if (kind == "text") return Finish(v, PropertyValue::Text(Quoted(v, lineNo_)));
    if (kind == "font") return Finish(v, PropertyValue::Font(ParseFont(v, lineNo_)));
    if (kind == "picture") {
      std::string how = Lower(Word(v));
      if (how == "none") return Finish(v, PropertyValue::Pic({}));
      if (how == "base64") {
        pending_ = PendingPicture{true, lineNo_, std::string(Trim(v)), nullptr};
        return PropertyValue::Pic({});
      }
      if (how == "file") {
        std::string path = JoinPath(baseDir_, Quoted(v, lineNo_));
        int line = lineNo_;
        try {
          return Finish(v, PropertyValue::Pic(Picture::LoadFile(path)));
        } catch (const Error& e) {
          throw Error(e.Number(), "Form text line " + std::to_string(line) + ": " + e.Description());
        }
      }
      Fail(lineNo_, "a picture is none, base64 or file \"path\"");
    }
    Fail(lineNo_, "unknown value kind \"" + kind + "\"");
  }

  // `rest` by reference: the value argument is parsed out of the same view,
  // and the order arguments are evaluated in is unspecified (clang goes left
  // to right, so a copy would still hold the value's text).
  PropertyValue Finish(const std::string_view& rest, PropertyValue v) {
    if (!Trim(rest).empty()) Fail(lineNo_, "unexpected text after the value: " + std::string(Trim(rest)));
    return v;
  }

  void FinishPicture() {
    if (!pending_.active) return;
    PendingPicture p = std::move(pending_);
    pending_ = {};
    std::vector<uint8_t> bytes = DecodeBase64(p.base64);
    try {
      if (p.target) p.target->picture = Picture::LoadBytes(bytes);
    } catch (const Error& e) {
      throw Error(e.Number(), "Form text line " + std::to_string(p.line) + ": " + e.Description());
    }
  }

  // Host values of the finished block into its description.
  void FinishBlock() {
    FinishPicture();
    const PropertyBag& h = host_;
    std::vector<std::string> known;
    try {
      switch (block_) {
        case FORM: ReadFields(h, kFormFields, desc_.form, known); break;
        case CONTAINER: ReadFields(h, kContainerFields, desc_.containers.back(), known); break;
        case LABEL: ReadFields(h, kLabelFields, desc_.labels.back(), known); break;
        case IMAGE: ReadFields(h, kImageFields, desc_.images.back(), known); break;
        case CONTROL: {
          ControlDesc& c = desc_.controls.back();
          ReadFields(h, kControlFields, c, known);
          known.push_back(kNewKey);
          if (h.ReadBool(kNewKey, false)) c.properties.reset();
          break;
        }
        default: break;
      }
    } catch (const Error& e) {
      throw Error(errors::kBadFormText,
                  "Form text block at line " + std::to_string(blockLine_) + ": " + e.Description());
    }
    for (const auto& e : h.Entries()) {
      bool ok = false;
      for (const auto& k : known) ok = ok || KeyEquals(k, e.key);
      if (!ok) Fail(blockLine_, "unknown value @" + e.key + " in a " + kBlockWords[block_] + " block");
    }
  }

  std::string_view text_;
  std::string baseDir_;
  size_t pos_ = 0;
  std::string_view line_;
  int lineNo_ = 0;
  int blockLine_ = 0;
  bool sawForm_ = false;
  BlockKind block_ = NB_BLOCK_KINDS;
  PropertyBag host_;
  PendingPicture pending_;
  FormDesc desc_;
};

const Parser::StateHandler Parser::kStateHandlers[NB_PARSER_STATES] = {
    &Parser::HeaderLine,         // HEADER
    &Parser::BetweenBlocksLine,  // BETWEEN_BLOCKS
    &Parser::InBlockLine,        // IN_BLOCK
};

const char kBase64Chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

}  // namespace

std::string QuoteText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20 || u == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\x%02X", u);
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string EncodeBase64(const std::vector<uint8_t>& bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t n = static_cast<uint32_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) n |= static_cast<uint32_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) n |= bytes[i + 2];
    out += kBase64Chars[(n >> 18) & 63];
    out += kBase64Chars[(n >> 12) & 63];
    out += i + 1 < bytes.size() ? kBase64Chars[(n >> 6) & 63] : '=';
    out += i + 2 < bytes.size() ? kBase64Chars[n & 63] : '=';
  }
  return out;
}

std::vector<uint8_t> DecodeBase64(std::string_view text) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int bits = 0;
  size_t padding = 0;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    if (padding) throw Error(errors::kBadFormText, "Bad base64 data: characters after the padding");
    const char* p = c ? std::strchr(kBase64Chars, c) : nullptr;
    if (!p) throw Error(errors::kBadFormText, std::string("Bad base64 data: unexpected character '") + c + "'");
    acc = (acc << 6) | static_cast<uint32_t>(p - kBase64Chars);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out.push_back(static_cast<uint8_t>((acc >> bits) & 0xFF));
    }
  }
  if (padding > 2 || bits >= 6) throw Error(errors::kBadFormText, "Bad base64 data: truncated");
  return out;
}

FormDesc ParseFormText(std::string_view text, const std::string& baseDir) { return Parser(text, baseDir).Run(); }

std::string WriteFormText(const FormDesc& desc) {
  Writer w;
  w.Out() = std::string(kHeader) + "\n";
  w.Blank();
  w.Begin("Form", desc.form.name);
  WriteFields(w, kFormFields, desc.form);
  w.End();
  for (const ContainerDesc& c : desc.containers) {
    w.Blank();
    w.Begin("Container", c.name);
    WriteFields(w, kContainerFields, c);
    w.End();
  }
  for (const LabelDesc& l : desc.labels) {
    w.Blank();
    w.Begin("Label", l.name);
    WriteFields(w, kLabelFields, l);
    w.End();
  }
  for (const ImageDesc& m : desc.images) {
    w.Blank();
    w.Begin("Image", m.name);
    WriteFields(w, kImageFields, m);
    w.End();
  }
  for (const ControlDesc& c : desc.controls) {
    w.Blank();
    w.Begin("Control", c.name, c.className);
    WriteFields(w, kControlFields, c);
    if (c.properties)
      w.Bag(*c.properties);
    else
      w.Put(std::string("@") + kNewKey, true);
    w.End();
  }
  return w.Out();
}

FormDesc LoadFormFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  switch (ReadWholeFile(path, bytes)) {
    case WholeFileRead::kRead: break;
    case WholeFileRead::kNotFound:
    case WholeFileRead::kNotOpened: throw Error(errors::kFileNotFound, "File not found: " + path);
    default: throw Error(errors::kFileIo, "File access error: " + path);
  }
  const std::string text(bytes.begin(), bytes.end());
  std::string dir;
  size_t slash = path.find_last_of("\\/");
  if (slash != std::string::npos) dir = path.substr(0, slash);
  return ParseFormText(text, dir);
}

void SaveFormFile(const std::string& path, const FormDesc& desc) {
  std::string text = WriteFormText(desc);
  // Written beside the target and moved over it, so a failed write never
  // leaves a half-written form behind.
  std::string temp = path + ".tmp";
  user::File file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(errors::kFileIo, "File access error: " + path);
  DWORD written = 0;
  bool ok =
      WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  ok = file.Close() && ok;
  if (!ok || !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temp.c_str());
    throw Error(errors::kFileIo, "File access error: " + path);
  }
}

}  // namespace host
