#include "host/FormText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/Error.h"

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
  for (size_t i = 0; i < b64.size(); i += kBase64LineLength) s += "\n" + indent + "  | " + b64.substr(i, kBase64LineLength);
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
  void Int(const std::string& key, int32_t v) { Line(key, std::to_string(v)); }
  void Bool(const std::string& key, bool v) { Line(key, v ? "-1" : "0"); }
  void Color(const std::string& key, OleColor v) { Line(key, Hex32(v)); }
  void Text(const std::string& key, const std::string& v) { Line(key, QuoteText(v)); }
  void Font(const std::string& key, const FontDesc& f) { Line(key, FontText(f)); }
  void Pic(const std::string& key, const Picture& p) { Line(key, PictureText(p, "  ")); }
  void Bag(const PropertyBag& bag) {
    for (const auto& e : bag.Entries()) Line(e.key, ValueText(e.value, "  "));
  }
  void Blank() { out_ += "\n"; }
  std::string& Out() { return out_; }

 private:
  std::string out_;
};

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
    if (lw == "bold") f.bold = true;
    else if (lw == "italic") f.italic = true;
    else if (lw == "underline") f.underline = true;
    else if (lw == "strikethrough") f.strikethrough = true;
    else if (lw.rfind("charset=", 0) == 0) f.charset = static_cast<int16_t>(Int32In(lw.substr(8), line, 0, 255));
    else Fail(line, "unknown font flag \"" + std::string(w) + "\"");
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

class Parser {
 public:
  Parser(std::string_view text, const std::string& baseDir) : text_(text), baseDir_(baseDir) {}

  FormDesc Run() {
    bool sawHeader = false;
    bool sawForm = false;
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
      if (!sawHeader) {
        if (s != kHeader) Fail(lineNo_, std::string("the text must start with \"") + kHeader + "\"");
        sawHeader = true;
        continue;
      }
      std::string_view rest = s;
      std::string first = Lower(Word(rest));
      if (first == "begin") {
        if (!block_.empty()) Fail(lineNo_, "Begin inside a block (missing End)");
        StartBlock(rest, sawForm);
      } else if (first == "end") {
        if (block_.empty()) Fail(lineNo_, "End without Begin");
        FinishBlock();
      } else {
        if (block_.empty()) Fail(lineNo_, "a value outside any block");
        Value(s);
      }
    }
    FinishPicture();
    if (!block_.empty()) Fail(lineNo_, "the last block has no End");
    if (!sawHeader) Fail(lineNo_, std::string("the text must start with \"") + kHeader + "\"");
    return std::move(desc_);
  }

 private:
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

  void StartBlock(std::string_view rest, bool& sawForm) {
    std::string kind = Lower(Word(rest));
    std::string name(Word(rest));
    std::string cls(Word(rest));
    if (name.empty()) Fail(lineNo_, "the block needs a name");
    if (!Word(rest).empty()) Fail(lineNo_, "unexpected words after the block name");
    block_ = kind;
    host_ = PropertyBag();
    if (kind == "form") {
      if (sawForm) Fail(lineNo_, "a second Form block");
      sawForm = true;
      desc_.form.name = name;
    } else if (kind == "container") {
      desc_.containers.emplace_back().name = name;
    } else if (kind == "label") {
      desc_.labels.emplace_back().name = name;
    } else if (kind == "image") {
      desc_.images.emplace_back().name = name;
    } else if (kind == "control") {
      if (cls.empty()) Fail(lineNo_, "a Control block names its class after its name");
      ControlDesc& c = desc_.controls.emplace_back();
      c.name = name;
      c.className = cls;
      c.properties.emplace();
    } else {
      Fail(lineNo_, "unknown block kind \"" + kind + "\"");
    }
    if (kind != "control" && !cls.empty()) Fail(lineNo_, "unexpected words after the block name");
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
    if (!hostValue && block_ != "control") Fail(lineNo_, "values of a " + block_ + " block start with @");
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
      PropertyValue r = hex ? PropertyValue::Color(static_cast<OleColor>(Int32In(w, lineNo_, 0, 0xFFFFFFFFLL) & 0xFFFFFFFF))
                            : PropertyValue::Int32(Int32In(w, lineNo_, INT32_MIN, INT32_MAX));
      return Finish(v, r);
    }
    std::string kind = Lower(Word(v));
    if (kind == "int32") return Finish(v, PropertyValue::Int32(Int32In(Word(v), lineNo_, INT32_MIN, INT32_MAX)));
    if (kind == "int16") return Finish(v, PropertyValue::Int16(static_cast<int16_t>(Int32In(Word(v), lineNo_, -32768, 32767))));
    if (kind == "bool") {
      std::string w = Lower(Word(v));
      bool b;
      if (w == "-1" || w == "true") b = true;
      else if (w == "0" || w == "false") b = false;
      else Fail(lineNo_, "a boolean is -1 or 0");
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

  PropertyValue Finish(std::string_view rest, PropertyValue v) {
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
    auto i32 = [&](const char* k, int32_t def) { known.push_back(k); return h.ReadInt32(k, def); };
    auto i16 = [&](const char* k, int16_t def) { known.push_back(k); return h.ReadInt16(k, def); };
    auto bl = [&](const char* k, bool def) { known.push_back(k); return h.ReadBool(k, def); };
    auto col = [&](const char* k, OleColor def) { known.push_back(k); return h.ReadColor(k, def); };
    auto txt = [&](const char* k, const std::string& def) { known.push_back(k); return h.ReadText(k, def); };
    auto fnt = [&](const char* k) { known.push_back(k); return h.ReadFont(k); };
    auto pic = [&](const char* k) { known.push_back(k); return h.ReadPicture(k); };
    try {
      if (block_ == "form") {
        FormProps& f = desc_.form;
        f.caption = txt("Caption", f.caption);
        f.left = i32("Left", f.left);
        f.top = i32("Top", f.top);
        f.clientWidth = i32("ClientWidth", f.clientWidth);
        f.clientHeight = i32("ClientHeight", f.clientHeight);
        f.backColor = col("BackColor", f.backColor);
        f.foreColor = col("ForeColor", f.foreColor);
        if (auto font = fnt("Font")) f.font = *font;
        f.borderStyle = i16("BorderStyle", f.borderStyle);
        f.icon = pic("Icon");
        f.picture = pic("Picture");
        f.isMdiForm = bl("MDIForm", f.isMdiForm);
      } else if (block_ == "container") {
        ContainerDesc& c = desc_.containers.back();
        c.container = txt("Container", c.container);
        c.left = i32("Left", c.left);
        c.top = i32("Top", c.top);
        c.width = i32("Width", c.width);
        c.height = i32("Height", c.height);
        c.tabIndex = i16("TabIndex", c.tabIndex);
        c.tabStop = bl("TabStop", c.tabStop);
        c.visible = bl("Visible", c.visible);
        c.backColor = col("BackColor", c.backColor);
        c.foreColor = col("ForeColor", c.foreColor);
        c.font = fnt("Font");
        c.picture = pic("Picture");
        c.borderStyle = i16("BorderStyle", c.borderStyle);
        c.toolTip = txt("ToolTipText", c.toolTip);
      } else if (block_ == "label") {
        LabelDesc& l = desc_.labels.back();
        l.container = txt("Container", l.container);
        l.left = i32("Left", l.left);
        l.top = i32("Top", l.top);
        l.width = i32("Width", l.width);
        l.height = i32("Height", l.height);
        l.tabIndex = i16("TabIndex", l.tabIndex);
        l.visible = bl("Visible", l.visible);
        l.caption = txt("Caption", l.caption);
        l.foreColor = col("ForeColor", l.foreColor);
        l.backColor = col("BackColor", l.backColor);
        l.transparent = bl("Transparent", l.transparent);
        l.font = fnt("Font");
        l.alignment = i16("Alignment", l.alignment);
        l.toolTip = txt("ToolTipText", l.toolTip);
      } else if (block_ == "image") {
        ImageDesc& m = desc_.images.back();
        m.container = txt("Container", m.container);
        m.left = i32("Left", m.left);
        m.top = i32("Top", m.top);
        m.width = i32("Width", m.width);
        m.height = i32("Height", m.height);
        m.visible = bl("Visible", m.visible);
        m.stretch = bl("Stretch", m.stretch);
        m.picture = pic("Picture");
        m.toolTip = txt("ToolTipText", m.toolTip);
      } else if (block_ == "control") {
        ControlDesc& c = desc_.controls.back();
        c.container = txt("Container", c.container);
        c.left = i32("Left", c.left);
        c.top = i32("Top", c.top);
        c.extentX = i32("ExtentX", c.extentX);
        c.extentY = i32("ExtentY", c.extentY);
        c.tabIndex = i16("TabIndex", c.tabIndex);
        c.isDefault = bl("Default", c.isDefault);
        c.isCancel = bl("Cancel", c.isCancel);
        c.visible = bl("Visible", c.visible);
        c.toolTip = txt("ToolTipText", c.toolTip);
        if (bl("New", false)) c.properties.reset();
      }
    } catch (const Error& e) {
      throw Error(errors::kBadFormText, "Form text block at line " + std::to_string(blockLine_) + ": " + e.Description());
    }
    for (const auto& e : h.Entries()) {
      bool ok = false;
      for (const auto& k : known) ok = ok || KeyEquals(k, e.key);
      if (!ok) Fail(blockLine_, "unknown value @" + e.key + " in a " + block_ + " block");
    }
    block_.clear();
  }

  std::string_view text_;
  std::string baseDir_;
  size_t pos_ = 0;
  std::string_view line_;
  int lineNo_ = 0;
  int blockLine_ = 0;
  std::string block_;
  PropertyBag host_;
  PendingPicture pending_;
  FormDesc desc_;
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
  const FormProps& f = desc.form;
  const FormProps df;
  w.Blank();
  w.Begin("Form", f.name);
  if (!f.caption.empty()) w.Text("@Caption", f.caption);
  if (f.left != df.left) w.Int("@Left", f.left);
  if (f.top != df.top) w.Int("@Top", f.top);
  w.Int("@ClientWidth", f.clientWidth);
  w.Int("@ClientHeight", f.clientHeight);
  w.Color("@BackColor", f.backColor);
  if (f.foreColor != df.foreColor) w.Color("@ForeColor", f.foreColor);
  w.Font("@Font", f.font);
  if (f.borderStyle != df.borderStyle) w.Int("@BorderStyle", f.borderStyle);
  if (f.icon) w.Pic("@Icon", f.icon);
  if (f.picture) w.Pic("@Picture", f.picture);
  if (f.isMdiForm) w.Bool("@MDIForm", true);
  w.End();
  for (const ContainerDesc& c : desc.containers) {
    const ContainerDesc d;
    w.Blank();
    w.Begin("Container", c.name);
    w.Text("@Container", c.container);
    w.Int("@Left", c.left);
    w.Int("@Top", c.top);
    w.Int("@Width", c.width);
    w.Int("@Height", c.height);
    w.Int("@TabIndex", c.tabIndex);
    if (c.tabStop != d.tabStop) w.Bool("@TabStop", c.tabStop);
    if (c.visible != d.visible) w.Bool("@Visible", c.visible);
    w.Color("@BackColor", c.backColor);
    if (c.foreColor != d.foreColor) w.Color("@ForeColor", c.foreColor);
    if (c.font) w.Font("@Font", *c.font);
    if (c.picture) w.Pic("@Picture", c.picture);
    if (c.borderStyle != d.borderStyle) w.Int("@BorderStyle", c.borderStyle);
    if (!c.toolTip.empty()) w.Text("@ToolTipText", c.toolTip);
    w.End();
  }
  for (const LabelDesc& l : desc.labels) {
    const LabelDesc d;
    w.Blank();
    w.Begin("Label", l.name);
    w.Text("@Container", l.container);
    w.Int("@Left", l.left);
    w.Int("@Top", l.top);
    w.Int("@Width", l.width);
    w.Int("@Height", l.height);
    w.Int("@TabIndex", l.tabIndex);
    if (l.visible != d.visible) w.Bool("@Visible", l.visible);
    w.Text("@Caption", l.caption);
    w.Color("@ForeColor", l.foreColor);
    if (l.backColor != d.backColor) w.Color("@BackColor", l.backColor);
    if (l.transparent) w.Bool("@Transparent", true);
    if (l.font) w.Font("@Font", *l.font);
    if (l.alignment != d.alignment) w.Int("@Alignment", l.alignment);
    if (!l.toolTip.empty()) w.Text("@ToolTipText", l.toolTip);
    w.End();
  }
  for (const ImageDesc& m : desc.images) {
    const ImageDesc d;
    w.Blank();
    w.Begin("Image", m.name);
    w.Text("@Container", m.container);
    w.Int("@Left", m.left);
    w.Int("@Top", m.top);
    w.Int("@Width", m.width);
    w.Int("@Height", m.height);
    if (m.visible != d.visible) w.Bool("@Visible", m.visible);
    if (m.stretch) w.Bool("@Stretch", true);
    if (m.picture) w.Pic("@Picture", m.picture);
    if (!m.toolTip.empty()) w.Text("@ToolTipText", m.toolTip);
    w.End();
  }
  for (const ControlDesc& c : desc.controls) {
    w.Blank();
    w.Begin("Control", c.name, c.className);
    w.Text("@Container", c.container);
    w.Int("@Left", c.left);
    w.Int("@Top", c.top);
    w.Int("@ExtentX", c.extentX);
    w.Int("@ExtentY", c.extentY);
    w.Int("@TabIndex", c.tabIndex);
    if (c.isDefault) w.Bool("@Default", true);
    if (c.isCancel) w.Bool("@Cancel", true);
    if (!c.visible) w.Bool("@Visible", false);
    if (!c.toolTip.empty()) w.Text("@ToolTipText", c.toolTip);
    if (c.properties)
      w.Bag(*c.properties);
    else
      w.Bool("@New", true);
    w.End();
  }
  return w.Out();
}

FormDesc LoadFormFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw Error(errors::kFileNotFound, "File not found: " + path);
  std::string text;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1LL << 30);
  if (ok) {
    text.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    ok = text.empty() || (ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr) && read == text.size());
  }
  CloseHandle(file);
  if (!ok) throw Error(errors::kFileIo, "File access error: " + path);
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
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw Error(errors::kFileIo, "File access error: " + path);
  DWORD written = 0;
  bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) && written == text.size();
  ok = CloseHandle(file) && ok;
  if (!ok || !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temp.c_str());
    throw Error(errors::kFileIo, "File access error: " + path);
  }
}

}  // namespace host
