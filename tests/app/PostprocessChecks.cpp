#include "app/PostprocessChecks.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <map>
#include <set>

namespace vorn::test {

namespace {

using Problems = std::vector<std::string>;

std::string lineTag(int line) { return "line " + std::to_string(line) + ": "; }

bool isIdentifier(std::string_view s) {
  if (s.empty()) return false;
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

bool isPositiveInteger(std::string_view s) {
  if (s.empty() || s.size() > 5 || s[0] == '0') return false;
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal like "1", "0.5" or "0.0625", greater than 0 and at most 1.
bool isScale(std::string_view s) {
  if (s == "1") return true;
  if (s.size() < 3 || s.substr(0, 2) != "0.") return false;
  std::string_view frac = s.substr(2);
  return std::all_of(frac.begin(), frac.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         frac.find_first_not_of('0') != std::string_view::npos && frac.back() != '0';
}

struct AttributeRule {
  std::string_view name;
  bool required;
  std::function<bool(std::string_view)> valid;
};

struct ElementRule {
  std::string_view name;
  std::vector<AttributeRule> attributes;
  std::vector<std::string_view> children;
};

bool anyOf(std::string_view v, std::initializer_list<std::string_view> allowed) {
  return std::find(allowed.begin(), allowed.end(), v) != allowed.end();
}

const std::vector<ElementRule>& vocabulary() {
  static const auto id = [](std::string_view v) { return isIdentifier(v); };
  static const auto filter = [](std::string_view v) { return anyOf(v, {"point", "linear", "anisotropic"}); };
  static const auto sampler = [](std::string_view v) {
    if (v.size() <= 7 || v.substr(0, 7) != "sampler") return false;
    return v == "sampler0" || isPositiveInteger(v.substr(7));
  };
  static const auto endpoint = [](std::string_view v) {
    std::size_t dot = v.find('.');
    if (dot == std::string_view::npos) return isIdentifier(v);
    return isIdentifier(v.substr(0, dot)) && isIdentifier(v.substr(dot + 1));
  };
  static const std::vector<ElementRule> rules = {
      {"PostProcess", {}, {"BlockUnit", "BlockGroup", "RootBlockGroup"}},
      {"BlockUnit", {{"id", true, id}, {"shader", true, id}}, {"BlockUnitInput", "BlockUnitOutput"}},
      {"BlockUnitInput",
       {{"id", true, id},
        {"sampler", true, sampler},
        {"magfilter", false, filter},
        {"minfilter", false, filter},
        {"extref", false, id}},
       {}},
      {"BlockUnitOutput",
       {{"id", true, id},
        {"config", true, id},
        {"format", false,
         [](std::string_view v) {
           return anyOf(v, {"u8x4", "f16x2", "f16x4"});
         }},
        {"widthScale", false, isScale},
        {"heightScale", false, isScale},
        {"width", false, isPositiveInteger},
        {"height", false, isPositiveInteger}},
       {}},
      {"BlockGroup", {{"id", true, id}}, {"BlockGroupInput", "BlockGroupOutput", "BlockReference", "Connection"}},
      {"RootBlockGroup", {{"id", true, id}}, {"BlockGroupInput", "BlockGroupOutput", "BlockReference", "Connection"}},
      {"BlockGroupInput", {{"id", true, id}, {"extref", false, id}}, {}},
      {"BlockGroupOutput", {{"id", true, id}, {"extref", false, id}}, {}},
      {"BlockReference", {{"id", true, id}, {"ref", true, id}}, {}},
      {"Connection", {{"from", true, endpoint}, {"to", true, endpoint}}, {}},
  };
  return rules;
}

const ElementRule* ruleFor(std::string_view name) {
  for (const auto& rule : vocabulary()) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

void checkElement(const XmlElement& e, int depth, Problems& out) {
  const std::string at = lineTag(e.line);
  const ElementRule* rule = ruleFor(e.name);
  if (!rule) {
    out.push_back(at + "unknown element " + e.name);
    return;
  }
  for (const auto& [key, value] : e.attributes) {
    const auto& attributeName = key;  // a lambda may not capture a structured binding in clang 14
    auto it = std::find_if(rule->attributes.begin(), rule->attributes.end(),
                           [&](const AttributeRule& a) { return a.name == attributeName; });
    if (it == rule->attributes.end()) {
      out.push_back(at + e.name + " has unknown attribute " + key);
    } else if (!it->valid(value)) {
      out.push_back(at + e.name + " has a bad " + key + " \"" + value + "\"");
    }
  }
  for (const auto& a : rule->attributes) {
    if (a.required && !e.attribute(a.name)) {
      out.push_back(at + e.name + " lacks attribute " + std::string(a.name));
    }
  }
  if (e.hasText) out.push_back(at + e.name + " holds text");
  if (e.indent != depth) {
    out.push_back(at + "<" + e.name + "> is not on its own line indented by " + std::to_string(depth) + " tabs");
  }
  if (!e.children.empty() && e.endIndent != depth) {
    out.push_back(at + "</" + e.name + "> is not on its own line indented like its start tag");
  }
  for (const auto& child : e.children) {
    bool known = ruleFor(child.name) != nullptr;  // unknown ones are reported by name below
    if (known && std::find(rule->children.begin(), rule->children.end(), child.name) == rule->children.end()) {
      out.push_back(lineTag(child.line) + child.name + " may not stand inside " + e.name);
      continue;
    }
    checkElement(child, depth + 1, out);
  }
}

std::string attr(const XmlElement& e, std::string_view key) {
  const std::string* v = e.attribute(key);
  return v ? *v : std::string();
}

// The ports a reference to a block offers.
struct Ports {
  std::vector<std::string> inputs;    // may be connected
  std::vector<std::string> external;  // unit inputs bound to an external target
  std::vector<std::string> outputs;
};

struct Block {
  const XmlElement* element = nullptr;
  bool unit = false;
  bool root = false;
  Ports ports;
};

bool contains(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

void checkUnit(const std::string& id, const Block& b, Problems& out) {
  const std::string at = lineTag(b.element->line) + "unit " + id + ": ";
  std::set<std::string> ports, samplers;
  for (const auto& child : b.element->children) {
    std::string port = attr(child, "id");
    if (!ports.insert(port).second) out.push_back(at + "port " + port + " declared twice");
    if (child.name == "BlockUnitInput" && !samplers.insert(attr(child, "sampler")).second) {
      out.push_back(at + "sampler " + attr(child, "sampler") + " used twice");
    }
    if (child.name == "BlockUnitOutput") {
      std::string config = attr(child, "config");
      if (!contains(b.ports.inputs, config) && !contains(b.ports.external, config)) {
        out.push_back(at + "output " + port + " takes its set-up from unknown input " + config);
      }
      bool scaled = child.attribute("widthScale") || child.attribute("heightScale");
      bool sized = child.attribute("width") || child.attribute("height");
      if (scaled && sized) out.push_back(at + "output " + port + " is both scaled and sized");
      if (!!child.attribute("widthScale") != !!child.attribute("heightScale") ||
          !!child.attribute("width") != !!child.attribute("height")) {
        out.push_back(at + "output " + port + " gives only one side");
      }
    }
  }
  if (b.ports.inputs.empty() && b.ports.external.empty()) out.push_back(at + "no inputs");
  if (b.ports.outputs.empty()) out.push_back(at + "no outputs");
}

struct Endpoint {
  std::string ref;  // empty for a port of the group itself
  std::string port;
};

Endpoint splitEndpoint(const std::string& s) {
  std::size_t dot = s.find('.');
  if (dot == std::string::npos) return {"", s};
  return {s.substr(0, dot), s.substr(dot + 1)};
}

void checkGroup(const std::string& id, const Block& g, const std::map<std::string, Block>& blocks, Problems& out) {
  const std::string at = lineTag(g.element->line) + "group " + id + ": ";
  std::map<std::string, const Block*> refs;  // reference id -> block
  std::set<std::string> ports;
  for (const auto& p : g.ports.inputs) {
    if (!ports.insert(p).second) out.push_back(at + "port " + p + " declared twice");
  }
  for (const auto& p : g.ports.outputs) {
    if (!ports.insert(p).second) out.push_back(at + "port " + p + " declared twice");
  }
  for (const auto& child : g.element->children) {
    if (child.name == "BlockGroupInput" || child.name == "BlockGroupOutput") {
      bool external = child.attribute("extref") != nullptr;
      if (external && !g.root) {
        out.push_back(lineTag(child.line) + "only the root chain reads or writes external targets");
      }
    }
    if (child.name != "BlockReference") continue;
    std::string ref = attr(child, "id"), target = attr(child, "ref");
    const std::string here = lineTag(child.line) + "reference " + ref + ": ";
    if (ports.count(ref)) out.push_back(here + "has the id of a group port");
    auto it = blocks.find(target);
    if (it == blocks.end()) {
      out.push_back(here + "names undefined block " + target);
    } else if (it->second.root) {
      out.push_back(here + "names the root chain");
    } else if (target == id) {
      out.push_back(here + "names its own group");
    }
    if (refs.count(ref)) out.push_back(here + "declared twice");
    refs[ref] = it == blocks.end() || it->second.root ? nullptr : &it->second;
  }

  std::map<std::string, int> fed;  // "ref.port" or group output -> times connected
  std::set<std::string> usedInputs, usedRefs;
  std::map<std::string, std::set<std::string>> flows;  // ref -> refs it feeds
  for (const auto& child : g.element->children) {
    if (child.name != "Connection") continue;
    const std::string here =
        lineTag(child.line) + "connection " + attr(child, "from") + " -> " + attr(child, "to") + ": ";
    Endpoint from = splitEndpoint(attr(child, "from")), to = splitEndpoint(attr(child, "to"));
    bool fromOk = false, toOk = false;
    if (from.ref.empty()) {
      fromOk = contains(g.ports.inputs, from.port);
      if (fromOk)
        usedInputs.insert(from.port);
      else
        out.push_back(here + "the group has no input " + from.port);
    } else if (!refs.count(from.ref)) {
      out.push_back(here + "no reference " + from.ref);
    } else if (const Block* b = refs[from.ref]) {
      fromOk = contains(b->ports.outputs, from.port);
      if (fromOk)
        usedRefs.insert(from.ref);
      else
        out.push_back(here + from.ref + " has no output " + from.port);
    }
    if (to.ref.empty()) {
      toOk = contains(g.ports.outputs, to.port);
      if (!toOk) out.push_back(here + "the group has no output " + to.port);
    } else if (!refs.count(to.ref)) {
      out.push_back(here + "no reference " + to.ref);
    } else if (const Block* b = refs[to.ref]) {
      toOk = contains(b->ports.inputs, to.port);
      if (!toOk) {
        out.push_back(here + to.ref +
                      (contains(b->ports.external, to.port) ? " reads " + to.port + " from an external target"
                                                            : " has no input " + to.port));
      }
    }
    if (toOk) ++fed[to.ref.empty() ? to.port : to.ref + "." + to.port];
    if (fromOk && toOk && !from.ref.empty() && !to.ref.empty()) flows[from.ref].insert(to.ref);
  }

  for (const auto& p : g.ports.inputs) {
    if (!usedInputs.count(p)) out.push_back(at + "input " + p + " is never used");
  }
  for (const auto& p : g.ports.outputs) {
    if (fed[p] != 1) out.push_back(at + "output " + p + " is fed " + std::to_string(fed[p]) + " times");
  }
  for (const auto& [ref, block] : refs) {
    if (!block) continue;
    for (const auto& p : block->ports.inputs) {
      int n = fed[ref + "." + p];
      if (n != 1) out.push_back(at + ref + "." + p + " is fed " + std::to_string(n) + " times");
    }
    if (!usedRefs.count(ref)) out.push_back(at + "nothing uses the result of " + ref);
  }

  // The data must flow one way: no reference may feed itself.
  std::map<std::string, int> state;  // 1 visiting, 2 done
  std::function<bool(const std::string&)> cyclic = [&](const std::string& r) {
    if (state[r] == 1) return true;
    if (state[r] == 2) return false;
    state[r] = 1;
    for (const auto& next : flows[r]) {
      if (cyclic(next)) return true;
    }
    state[r] = 2;
    return false;
  };
  for (const auto& [ref, block] : refs) {
    if (cyclic(ref)) {
      out.push_back(at + "connections form a cycle through " + ref);
      break;
    }
  }
}

}  // namespace

std::vector<std::string_view> splitCrLfLines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> checkPostprocessLayout(std::string_view bytes) {
  Problems out;
  if (bytes.substr(0, kPostprocessDeclaration.size() + 2) != std::string(kPostprocessDeclaration) + "\r\n") {
    out.push_back("line 1: not the XML declaration line");
  }
  if (bytes.size() < 2 || bytes.substr(bytes.size() - 2) != "\r\n") {
    out.push_back("the last line does not end in CR LF");
  }
  int line = 1;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c == '\n') {
      if (i == 0 || bytes[i - 1] != '\r') out.push_back(lineTag(line) + "LF without CR");
      ++line;
    } else if (c == '\r') {
      if (i + 1 >= bytes.size() || bytes[i + 1] != '\n') out.push_back(lineTag(line) + "CR without LF");
    } else if (c != '\t' && (c < 0x20 || c > 0x7E)) {
      out.push_back(lineTag(line) + "byte " + std::to_string(c) + " is not printable ASCII");
    }
  }
  line = 0;
  for (std::string_view l : splitCrLfLines(bytes)) {
    ++line;
    std::size_t text = l.find_first_not_of('\t');
    if (text == std::string_view::npos) continue;  // empty or only tabs
    if (l[text] == ' ') out.push_back(lineTag(line) + "indented with spaces");
    std::size_t last = l.find_last_not_of("\t ");
    if (l.substr(text, last - text + 1).find('\t') != std::string_view::npos) {
      out.push_back(lineTag(line) + "tab inside the text");
    }
    if (l.back() == ' ') out.push_back(lineTag(line) + "trailing space");
  }
  return out;
}

std::vector<std::string> checkPostprocessVocabulary(const XmlElement& document) {
  Problems out;
  if (document.name != "PostProcess") {
    out.push_back(lineTag(document.line) + "the root element is " + document.name + ", not PostProcess");
    return out;
  }
  checkElement(document, 0, out);
  return out;
}

std::vector<std::string> checkPostprocessChains(const XmlElement& document, std::string_view rootId,
                                                bool allowUnusedBlocks) {
  Problems out;
  std::map<std::string, Block> blocks;
  std::string rootName;
  int roots = 0;
  for (const auto& e : document.children) {
    Block b;
    b.element = &e;
    b.unit = e.name == "BlockUnit";
    b.root = e.name == "RootBlockGroup";
    for (const auto& port : e.children) {
      std::string pid = attr(port, "id");
      if (port.name == "BlockUnitInput") {
        (port.attribute("extref") ? b.ports.external : b.ports.inputs).push_back(pid);
      } else if (port.name == "BlockGroupInput") {
        b.ports.inputs.push_back(pid);
      } else if (port.name == "BlockUnitOutput" || port.name == "BlockGroupOutput") {
        b.ports.outputs.push_back(pid);
      }
    }
    std::string id = attr(e, "id");
    if (b.root) {
      ++roots;
      rootName = id;
    }
    if (!blocks.emplace(id, b).second) out.push_back(lineTag(e.line) + "block " + id + " defined twice");
  }

  if (roots != 1) out.push_back(std::to_string(roots) + " root chains instead of one");
  if (roots >= 1) {
    if (rootName != rootId) out.push_back("the root chain is " + rootName + ", not " + std::string(rootId));
    const Block& r = blocks[rootName];
    int ins = 0, outs = 0;
    bool readsScene = false, writesBackBuffer = false;
    for (const auto& port : r.element->children) {
      if (port.name == "BlockGroupInput") {
        ++ins;
        readsScene = attr(port, "extref") == "MainColourTarget";
      } else if (port.name == "BlockGroupOutput") {
        ++outs;
        writesBackBuffer = attr(port, "extref") == "BackBuffer";
      }
    }
    if (ins != 1 || !readsScene) out.push_back("the root chain must have one input, reading MainColourTarget");
    if (outs != 1 || !writesBackBuffer) out.push_back("the root chain must have one output, writing BackBuffer");
  }

  for (const auto& [id, b] : blocks) {
    if (b.unit)
      checkUnit(id, b, out);
    else
      checkGroup(id, b, blocks, out);
  }

  // Groups may not contain themselves, however deep.
  std::map<std::string, int> state;  // 1 visiting, 2 done
  std::function<bool(const std::string&)> containsItself = [&](const std::string& id) {
    auto it = blocks.find(id);
    if (it == blocks.end() || it->second.unit || state[id] == 2) return false;
    if (state[id] == 1) return true;
    state[id] = 1;
    for (const auto& child : it->second.element->children) {
      if (child.name == "BlockReference" && containsItself(attr(child, "ref"))) return true;
    }
    state[id] = 2;
    return false;
  };
  for (const auto& [id, b] : blocks) {
    if (containsItself(id)) {
      out.push_back("group " + id + " contains itself");
      return out;
    }
  }

  // Unless allowed, every block serves the root chain.
  if (!allowUnusedBlocks && roots == 1) {
    std::set<std::string> reached{rootName};
    std::vector<std::string> pending{rootName};
    while (!pending.empty()) {
      auto it = blocks.find(pending.back());
      pending.pop_back();
      if (it == blocks.end()) continue;
      for (const auto& child : it->second.element->children) {
        if (child.name == "BlockReference" && reached.insert(attr(child, "ref")).second) {
          pending.push_back(attr(child, "ref"));
        }
      }
    }
    for (const auto& [id, b] : blocks) {
      if (!reached.count(id)) out.push_back(lineTag(b.element->line) + "block " + id + " is never used");
    }
  }
  return out;
}

std::vector<std::string> checkPostprocessFile(std::string_view bytes, std::string_view rootId, bool allowUnusedBlocks) {
  Problems out = checkPostprocessLayout(bytes);
  XmlParseResult parsed = parseXml(bytes);
  if (!parsed.ok) {
    out.push_back("not well-formed: " + parsed.error);
    return out;
  }
  const XmlDeclaration& d = parsed.declaration;
  if (d.version != "1.0" || d.encoding != "ISO-8859-1" || d.standalone != "yes") {
    out.push_back("declaration is not XML 1.0, ISO-8859-1, standalone");
  }
  Problems v = checkPostprocessVocabulary(parsed.root);
  out.insert(out.end(), v.begin(), v.end());
  if (!v.empty()) return out;  // the graph check relies on the vocabulary
  Problems c = checkPostprocessChains(parsed.root, rootId, allowUnusedBlocks);
  out.insert(out.end(), c.begin(), c.end());
  return out;
}

std::vector<std::string> checkNoBlurPartner(std::string_view full, std::string_view noblur,
                                            std::string_view blurRefId) {
  Problems out;
  std::vector<std::string_view> a = splitCrLfLines(full), b = splitCrLfLines(noblur);
  if (a.size() != b.size()) {
    out.push_back("the files have " + std::to_string(a.size()) + " and " + std::to_string(b.size()) + " lines");
    return out;
  }
  const std::string blurRef = "\t\t<BlockReference id=\"" + std::string(blurRefId) + "\" ref=\"MotionBlur\"/>";
  const std::string toneRef = "\t\t<BlockReference id=\"toneMap\" ref=\"ToneMap_to_8\"/>";
  const std::string blurEnd = "\"" + std::string(blurRefId) + ".";
  bool inRoot = false;
  int references = 0, connections = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::string expected(a[i]);
    if (a[i].substr(0, 16) == "\t<RootBlockGroup") inRoot = true;
    if (a[i] == "\t</RootBlockGroup>") inRoot = false;
    if (inRoot && expected == blurRef) {
      expected = toneRef;
      ++references;
    } else if (inRoot && expected.substr(0, 14) == "\t\t<Connection ") {
      bool changed = false;
      for (std::size_t at; (at = expected.find(blurEnd)) != std::string::npos; changed = true) {
        expected.replace(at, blurEnd.size(), "\"toneMap.");
      }
      connections += changed ? 1 : 0;
    }
    if (b[i] != expected) {
      out.push_back(lineTag(static_cast<int>(i + 1)) + "\"" + std::string(b[i]) + "\" where \"" + expected +
                    "\" was expected");
    }
  }
  if (references != 1) out.push_back(std::to_string(references) + " references to MotionBlur in the root chain");
  if (connections != 3) out.push_back(std::to_string(connections) + " connections use the motion blur, not 3");
  return out;
}

}  // namespace vorn::test
