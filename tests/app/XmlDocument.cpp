#include "app/XmlDocument.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace vorn::test {

const std::string* XmlElement::attribute(std::string_view key) const {
  for (const auto& [name, value] : attributes) {
    if (name == key) return &value;
  }
  return nullptr;
}

namespace {

struct ParseError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }

bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// XML 1.0 characters among the 256 ISO-8859-1 code points.
bool isXmlChar(unsigned char c) { return c >= 0x20 || c == '\t' || c == '\n' || c == '\r'; }

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {
    lineStarts_.push_back(0);
    for (std::size_t i = 0; i < text_.size(); ++i) {
      if (text_[i] == '\n') lineStarts_.push_back(i + 1);
    }
  }

  XmlParseResult run() {
    XmlParseResult result;
    try {
      for (std::size_t i = 0; i < text_.size(); ++i) {
        if (!isXmlChar(static_cast<unsigned char>(text_[i]))) {
          pos_ = i;
          fail("byte " + std::to_string(static_cast<unsigned char>(text_[i])) + " is not an XML character");
        }
      }
      result.declaration = declaration();
      misc(result.comments);
      if (!lookingAt("<") || pos_ + 1 >= text_.size() || !isNameStart(text_[pos_ + 1])) {
        fail("expected the root element");
      }
      result.root = element(result.comments);
      misc(result.comments);
      if (pos_ != text_.size()) fail("content after the root element");
      result.ok = true;
    } catch (const ParseError& e) {
      result.ok = false;
      result.error = e.what();
    }
    return result;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw ParseError("line " + std::to_string(lineAt(pos_)) + ": " + what);
  }

  int lineAt(std::size_t at) const {
    auto next = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), at);
    return static_cast<int>(next - lineStarts_.begin());
  }

  // Number of tabs between the start of the line and 'at', or -1 when
  // anything else stands there.
  int indentAt(std::size_t at) const {
    std::size_t start = at;
    while (start > 0 && text_[start - 1] != '\n') --start;
    for (std::size_t i = start; i < at; ++i) {
      if (text_[i] != '\t') return -1;
    }
    return static_cast<int>(at - start);
  }

  bool lookingAt(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }

  void expect(std::string_view s) {
    if (!lookingAt(s)) fail("expected \"" + std::string(s) + "\"");
    pos_ += s.size();
  }

  bool skipSpace() {
    std::size_t start = pos_;
    while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
    return pos_ != start;
  }

  std::string name() {
    if (pos_ >= text_.size() || !isNameStart(text_[pos_])) fail("expected a name");
    std::size_t start = pos_;
    while (pos_ < text_.size() && isNameChar(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  // A quoted attribute value with its references resolved.
  std::string value() {
    if (pos_ >= text_.size() || (text_[pos_] != '"' && text_[pos_] != '\'')) {
      fail("attribute value not quoted");
    }
    char quote = text_[pos_++];
    std::string out;
    while (true) {
      if (pos_ >= text_.size()) fail("unterminated attribute value");
      char c = text_[pos_];
      if (c == quote) break;
      if (c == '<') fail("'<' inside an attribute value");
      if (c == '&') {
        out += reference();
        continue;
      }
      out += c;
      ++pos_;
    }
    ++pos_;
    return out;
  }

  std::string reference() {
    static const std::pair<std::string_view, char> named[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& [ref, c] : named) {
      if (lookingAt(ref)) {
        pos_ += ref.size();
        return std::string(1, c);
      }
    }
    if (lookingAt("&#")) {
      pos_ += 2;
      bool hex = lookingAt("x");
      if (hex) ++pos_;
      unsigned long code = 0;
      std::size_t digits = 0;
      while (pos_ < text_.size() && text_[pos_] != ';' && digits < 8) {
        char c = text_[pos_];
        int d = (c >= '0' && c <= '9')          ? c - '0'
                : (hex && c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (hex && c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                : -1;
        if (d < 0) fail("bad character reference");
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(d);
        ++pos_;
        ++digits;
      }
      if (digits == 0 || !lookingAt(";")) fail("bad character reference");
      ++pos_;
      if (code > 0xFF || !isXmlChar(static_cast<unsigned char>(code))) {
        fail("character reference outside ISO-8859-1 or not an XML character");
      }
      return std::string(1, static_cast<char>(code));
    }
    fail("unknown entity reference");
  }

  // Attributes up to the end of a start tag, or of the declaration.
  void attributes(XmlElement& e, bool declaration = false) {
    while (true) {
      bool spaced = skipSpace();
      if (pos_ >= text_.size()) fail("unterminated tag");
      if (declaration ? lookingAt("?>") : (lookingAt("/>") || lookingAt(">"))) return;
      if (!spaced) fail("attributes must be separated by white space");
      int line = lineAt(pos_);
      std::string key = name();
      skipSpace();
      expect("=");
      skipSpace();
      std::string v = value();
      if (e.attribute(key)) {
        throw ParseError("line " + std::to_string(line) + ": duplicate attribute " + key);
      }
      e.attributes.emplace_back(std::move(key), std::move(v));
    }
  }

  void comment() {
    expect("<!--");
    std::size_t end = text_.find("--", pos_);
    if (end == std::string_view::npos) fail("unterminated comment");
    pos_ = end;
    // The first "--" must be the end: this also rejects a comment that
    // ends in '-' ("--->").
    if (!lookingAt("-->")) fail("\"--\" inside a comment");
    pos_ += 3;
  }

  // White space and comments outside the root element.
  void misc(int& comments) {
    while (true) {
      skipSpace();
      if (lookingAt("<!--")) {
        comment();
        ++comments;
        continue;
      }
      if (lookingAt("<!")) fail("DOCTYPE and other declarations are not accepted");
      if (lookingAt("<?")) fail("processing instructions are not accepted");
      return;
    }
  }

  XmlDeclaration declaration() {
    if (!lookingAt("<?xml") || pos_ + 5 >= text_.size() || !isSpace(text_[pos_ + 5])) {
      fail("the document must start with an XML declaration");
    }
    pos_ += 5;
    XmlElement holder;
    attributes(holder, true);
    expect("?>");
    XmlDeclaration d;
    std::size_t index = 0;
    static const std::string_view order[] = {"version", "encoding", "standalone"};
    for (const auto& [key, v] : holder.attributes) {
      while (index < 3 && order[index] != key) ++index;
      if (index == 3) fail("unexpected or misplaced declaration attribute " + key);
      if (key == "version") d.version = v;
      if (key == "encoding") d.encoding = v;
      if (key == "standalone") d.standalone = v;
    }
    if (d.version != "1.0") fail("XML version must be 1.0");
    if (!d.standalone.empty() && d.standalone != "yes" && d.standalone != "no") fail("bad standalone value");
    return d;
  }

  XmlElement element(int& comments) {
    XmlElement e;
    std::size_t start = pos_;
    e.line = lineAt(start);
    e.indent = indentAt(start);
    expect("<");
    e.name = name();
    attributes(e);
    if (lookingAt("/>")) {
      pos_ += 2;
      e.endIndent = e.indent;
      return e;
    }
    expect(">");
    while (true) {
      if (pos_ >= text_.size()) fail("element " + e.name + " is not closed");
      if (lookingAt("</")) {
        std::size_t at = pos_;
        pos_ += 2;
        std::string closing = name();
        if (closing != e.name) fail("end tag </" + closing + "> does not match <" + e.name + ">");
        skipSpace();
        expect(">");
        e.endIndent = indentAt(at);
        return e;
      }
      if (lookingAt("<!--")) {
        comment();
        ++comments;
        continue;
      }
      if (lookingAt("<![CDATA[")) fail("CDATA sections are not accepted");
      if (lookingAt("<?")) fail("processing instructions are not accepted");
      if (lookingAt("<!")) fail("declarations are not accepted inside elements");
      if (lookingAt("<")) {
        e.children.push_back(element(comments));
        continue;
      }
      // Character data up to the next markup.
      while (pos_ < text_.size() && text_[pos_] != '<') {
        if (lookingAt("]]>")) fail("\"]]>\" in character data");
        if (text_[pos_] == '&') {
          reference();
          e.hasText = true;
          continue;
        }
        if (!isSpace(text_[pos_])) e.hasText = true;
        ++pos_;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<std::size_t> lineStarts_;
};

}  // namespace

XmlParseResult parseXml(std::string_view text) { return Parser(text).run(); }

}  // namespace vorn::test
