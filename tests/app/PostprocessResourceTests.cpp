// The sixteen carried post-process files, read back from the resources of a
// built executable exactly as the tool finds them: by number in "CUSTOM".
#include "app/PostprocessChecks.h"
#include "app/XmlDocument.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

using namespace vorn::test;

namespace {

struct Item {
  int id;
  bool full;
  const char* target;
  std::size_t size;
  const char* root;
  const char* blurRef;  // the root's motion blur reference in a "_noblur" partner, else nullptr
};

constexpr Item kItems[] = {
    {101, false, "type1.xml", 597, "Null", nullptr},
    {102, false, "type2.xml", 597, "Null", nullptr},
    {103, false, "type2_noblur.xml", 597, "Null", nullptr},
    {104, false, "type3.xml", 597, "Null", nullptr},
    {105, false, "type4.xml", 597, "Null", nullptr},
    {106, false, "type4_noblur.xml", 597, "Null", nullptr},
    {107, false, "type5.xml", 597, "Null", nullptr},
    {108, false, "type5_noblur.xml", 597, "Null", nullptr},
    {109, true, "type1.xml", 18473, "Type1", nullptr},
    {110, true, "type2.xml", 29638, "Type2", nullptr},
    {111, true, "type2_noblur.xml", 29652, "Type2", "blur"},
    {112, true, "type3.xml", 28897, "Type3", nullptr},
    {113, true, "type4.xml", 29473, "Type4", nullptr},
    {114, true, "type4_noblur.xml", 29463, "Type4", "motionBlur"},
    {115, true, "type5.xml", 30254, "Type5", nullptr},
    {116, true, "type5_noblur.xml", 30244, "Type5", "motionBlur"},
};

// The null chain, line by line: leading tabs and text; every line ends in
// CR LF. Built here from the line table, not from the carried files.
std::string nullChainFromLineTable() {
  struct Line {
    int tabs;
    const char* text;
  };
  static const Line lines[] = {
      {0, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>"},
      {0, "<PostProcess>"},
      {1, "<!-- Units (building blocks) -->\t"},
      {0, ""},
      {1, "<BlockUnit id=\"Copy\" shader=\"Copy_16f\">"},
      {2, "<BlockUnitInput id=\"in\" sampler=\"sampler0\" />"},
      {2, "<BlockUnitOutput id=\"out\" config=\"in\" />"},
      {1, "</BlockUnit>"},
      {0, ""},
      {0, "<!-- A null main chain -->"},
      {1, "<RootBlockGroup id=\"Null\">"},
      {2, "<BlockGroupInput id=\"in\" extref=\"MainColourTarget\" />"},
      {2, "<BlockGroupOutput id=\"out\" extref=\"BackBuffer\" />"},
      {2, "<BlockReference id=\"copy\" ref=\"Copy\"/>"},
      {2, "<Connection from=\"in\" to=\"copy.in\"/>"},
      {2, "<Connection from=\"copy.out\" to=\"out\"/>"},
      {1, "</RootBlockGroup>"},
      {0, ""},
      {0, "</PostProcess>"},
  };
  std::string text;
  for (const Line& l : lines) text += std::string(l.tabs, '\t') + l.text + "\r\n";
  return text;
}

// The bytes of carried item 'id' in 'module'; empty if it is missing.
std::string_view itemBytes(HMODULE module, int id) {
  HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), "CUSTOM");
  if (!info) return {};
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return {};
  return {static_cast<const char*>(bytes), SizeofResource(module, info)};
}

std::string joined(const std::vector<std::string>& problems) {
  std::string s;
  for (const auto& p : problems) s += "\n  " + p;
  return s;
}

std::string describe(const Item& item) {
  return std::to_string(item.id) + (item.full ? " (Full " : " (None ") + item.target + ")";
}

// The ports of block 'id' in a parsed file: the names of its input and
// output elements, in order, each prefixed with "in " or "out ".
std::vector<std::string> portsOf(const XmlElement& document, std::string_view id) {
  std::vector<std::string> ports;
  for (const auto& block : document.children) {
    const std::string* name = block.attribute("id");
    if (!name || *name != id) continue;
    for (const auto& port : block.children) {
      const std::string* pid = port.attribute("id");
      if (!pid || port.attribute("extref")) continue;
      if (port.name == "BlockUnitInput" || port.name == "BlockGroupInput") ports.push_back("in " + *pid);
      if (port.name == "BlockUnitOutput" || port.name == "BlockGroupOutput") ports.push_back("out " + *pid);
    }
  }
  return ports;
}

// The blocks the root chain of a parsed file refers to directly.
std::vector<std::string> rootStages(const XmlElement& document) {
  std::vector<std::string> stages;
  for (const auto& block : document.children) {
    if (block.name != "RootBlockGroup") continue;
    for (const auto& child : block.children) {
      if (child.name == "BlockReference") stages.push_back(*child.attribute("ref"));
    }
  }
  return stages;
}

bool has(const std::vector<std::string>& v, std::string_view s) {
  for (const auto& x : v) {
    if (x == s) return true;
  }
  return false;
}

// Every check on the items carried by 'module'.
void checkCarriedItems(HMODULE module) {
  const std::string nullChain = nullChainFromLineTable();
  ASSERT_EQ(nullChain.size(), 597u);
  for (const Item& item : kItems) {
    SCOPED_TRACE(describe(item));
    std::string_view bytes = itemBytes(module, item.id);
    ASSERT_FALSE(bytes.empty()) << "item missing";
    EXPECT_EQ(bytes.size(), item.size);
    if (!item.full) {
      EXPECT_TRUE(bytes == nullChain) << "differs from the null chain's line table";
    }
    std::vector<std::string> problems = checkPostprocessFile(bytes, item.root, item.blurRef != nullptr);
    EXPECT_TRUE(problems.empty()) << joined(problems);
    if (item.blurRef) {
      std::string_view partner = itemBytes(module, item.id - 1);
      std::vector<std::string> diff = checkNoBlurPartner(partner, bytes, item.blurRef);
      EXPECT_TRUE(diff.empty()) << joined(diff);
    }
  }
}

TEST(PostprocessResourceTest, EveryItemIsFoundWithItsSize) {
  HMODULE self = GetModuleHandleA(nullptr);
  for (const Item& item : kItems) {
    HRSRC info = FindResourceA(self, MAKEINTRESOURCEA(item.id), "CUSTOM");
    ASSERT_NE(info, nullptr) << describe(item);
    EXPECT_EQ(SizeofResource(self, info), item.size) << describe(item);
  }
  EXPECT_EQ(FindResourceA(self, MAKEINTRESOURCEA(100), "CUSTOM"), nullptr);
  EXPECT_EQ(FindResourceA(self, MAKEINTRESOURCEA(117), "CUSTOM"), nullptr);
}

TEST(PostprocessResourceTest, NullItemsAreTheLineTableByteForByte) {
  const std::string expected = nullChainFromLineTable();
  ASSERT_EQ(expected.size(), 597u);
  for (int id = 101; id <= 108; ++id) {
    std::string_view bytes = itemBytes(GetModuleHandleA(nullptr), id);
    EXPECT_TRUE(bytes == expected) << "item " << id;
  }
}

TEST(PostprocessResourceTest, EveryItemIsAWellFormedConsistentChain) {
  for (const Item& item : kItems) {
    std::string_view bytes = itemBytes(GetModuleHandleA(nullptr), item.id);
    std::vector<std::string> problems = checkPostprocessFile(bytes, item.root, item.blurRef != nullptr);
    EXPECT_TRUE(problems.empty()) << describe(item) << joined(problems);
  }
}

TEST(PostprocessResourceTest, NoBlurItemsDifferOnlyInTheMotionBlurReference) {
  HMODULE self = GetModuleHandleA(nullptr);
  for (const Item& item : kItems) {
    if (!item.blurRef) continue;
    std::vector<std::string> diff =
        checkNoBlurPartner(itemBytes(self, item.id - 1), itemBytes(self, item.id), item.blurRef);
    EXPECT_TRUE(diff.empty()) << describe(item) << joined(diff);
    // The size difference follows from the renamed reference alone.
    long delta = static_cast<long>(item.size) - static_cast<long>(kItems[item.id - 102].size);
    long perUse = static_cast<long>(std::string_view("toneMap").size()) -
                  static_cast<long>(std::string_view(item.blurRef).size());
    EXPECT_EQ(delta, 4 * perUse + 2) << describe(item);
  }
}

TEST(PostprocessResourceTest, MotionBlurCanStandInForToneMapping) {
  // The noblur files swap one for the other, so both must offer the same
  // ports: the HDR image and the adapted luminance in, 8 bits out.
  for (int id : {110, 113, 115}) {
    XmlParseResult parsed = parseXml(itemBytes(GetModuleHandleA(nullptr), id));
    ASSERT_TRUE(parsed.ok) << parsed.error;
    std::vector<std::string> blur = portsOf(parsed.root, "MotionBlur");
    EXPECT_FALSE(blur.empty()) << "item " << id;
    EXPECT_EQ(blur, portsOf(parsed.root, "ToneMap_to_8")) << "item " << id;
  }
}

TEST(PostprocessResourceTest, FullChainsRunTheirTypesStages) {
  struct Expect {
    int id;
    bool motionBlur, depthOfField;
  };
  for (Expect e :
       {Expect{109, false, false}, Expect{110, true, false}, Expect{111, false, false}, Expect{112, false, true},
        Expect{113, true, true}, Expect{114, false, true}, Expect{115, true, true}, Expect{116, false, true}}) {
    XmlParseResult parsed = parseXml(itemBytes(GetModuleHandleA(nullptr), e.id));
    ASSERT_TRUE(parsed.ok) << parsed.error;
    std::vector<std::string> stages = rootStages(parsed.root);
    SCOPED_TRACE("item " + std::to_string(e.id));
    EXPECT_TRUE(has(stages, "Luminance"));
    EXPECT_TRUE(has(stages, "Bloom"));
    EXPECT_EQ(has(stages, "MotionBlur"), e.motionBlur);
    EXPECT_EQ(has(stages, "ToneMap_to_8"), !e.motionBlur);
    EXPECT_EQ(has(stages, "DepthOfField"), e.depthOfField);
  }
}

TEST(PostprocessResourceTest, FullChainsDifferFromEachOther) {
  HMODULE self = GetModuleHandleA(nullptr);
  for (int a = 109; a <= 116; ++a) {
    for (int b = a + 1; b <= 116; ++b) {
      EXPECT_FALSE(itemBytes(self, a) == itemBytes(self, b)) << a << " and " << b;
    }
  }
}

// Reads the items of an executable file loaded as data, the way a file
// carrying them is inspected without running it.
void checkExecutableFile(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;  // a Unix path seen through Wine's root drive
  ASSERT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "not built: " << path;
  HMODULE file = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(file, nullptr) << "cannot load " << path << ", error " << GetLastError();
  checkCarriedItems(file);
  for (const Item& item : kItems) {
    EXPECT_TRUE(itemBytes(file, item.id) == itemBytes(GetModuleHandleA(nullptr), item.id)) << describe(item);
  }
  FreeLibrary(file);
}

TEST(PostprocessExecutableTest, ItemsReadBackFromAnExecutableFile) {
  char self[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  ASSERT_TRUE(n > 0 && n < MAX_PATH);
  checkExecutableFile(self);
}

TEST(PostprocessExecutableTest, TheToolCarriesTheCheckedItems) { checkExecutableFile(VORN_TOOL_PATH); }

}  // namespace
