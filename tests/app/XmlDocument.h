// A small, strict reader for the XML the post-process files use: one
// declaration, elements with quoted attributes, comments and white space.
// Anything else (DOCTYPE, CDATA, processing instructions, unknown entity
// references, stray markup) is rejected with the line it was found on.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorn::test {

struct XmlElement {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;  // in file order, values unescaped
  std::vector<XmlElement> children;
  bool hasText = false;  // character data other than white space inside the element
  int line = 0;          // line of the start tag (1-based)
  int indent = -1;       // tabs before the start tag, or -1 if other text precedes it on its line
  int endIndent = -1;    // the same for the end tag; equals 'indent' for an empty-element tag

  // The value of attribute 'key', or nullptr.
  const std::string* attribute(std::string_view key) const;
};

struct XmlDeclaration {
  std::string version, encoding, standalone;  // empty when absent
};

struct XmlParseResult {
  bool ok = false;
  std::string error;  // "line N: what is wrong" when !ok
  XmlDeclaration declaration;
  XmlElement root;
  int comments = 0;
};

// Parses a whole document. The input is taken as ISO-8859-1: every byte is
// one character; bytes that are not XML characters are rejected.
XmlParseResult parseXml(std::string_view text);

}  // namespace vorn::test
