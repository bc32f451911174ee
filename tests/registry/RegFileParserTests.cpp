#include "registry/RegFileParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace reg_file;

namespace {

// Records each change as one readable text.
class RecordingSink : public ImportSink {
 public:
  std::vector<std::string> calls;
  void KillKey(const std::string& k) override { calls.push_back("KillKey(" + k + ")"); }
  void KillValue(const std::string& k, const std::string& n) override {
    calls.push_back("KillValue(" + k + "|" + n + ")");
  }
  void WriteBinary(const std::string& k, const std::string& n, const std::string& h) override {
    calls.push_back("WriteBinary(" + k + "|" + n + "|" + h + ")");
  }
  void WriteDWORD(const std::string& k, const std::string& n, int32_t v) override {
    calls.push_back("WriteDWORD(" + k + "|" + n + "|" + std::to_string(v) + ")");
  }
  void WriteString(const std::string& k, const std::string& n, const std::string& t) override {
    calls.push_back("WriteString(" + k + "|" + n + "|" + t + ")");
  }
};

std::string File(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

}  // namespace

TEST(RegistryFileParser, SplitsOnlyAtCrLfPairs) {
  const auto lines = SplitLines("a\r\nb\nc\rd\r\n\r\ne");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "b\nc\rd");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "e");
  EXPECT_EQ(SplitLines("").size(), 1u);
}

TEST(RegistryFileParser, HeaderMustBeExactlyRegedit4AnyCase) {
  RecordingSink sink;
  EXPECT_EQ(ParseRegFile(File({"REGEDIT4 ", "[HKCU\\x]", "\"a\"=\"1\""}), sink), ImportResult::NotRegedit4);
  EXPECT_EQ(ParseRegFile(File({" REGEDIT4", "[HKCU\\x]", "\"a\"=\"1\""}), sink), ImportResult::NotRegedit4);
  EXPECT_EQ(ParseRegFile(File({"Windows Registry Editor Version 5.00", "[HKCU\\x]", "\"a\"=\"1\""}), sink),
            ImportResult::NotRegedit4);
  EXPECT_EQ(ParseRegFile("", sink), ImportResult::NotRegedit4);
  EXPECT_TRUE(sink.calls.empty());
  EXPECT_EQ(ParseRegFile(File({"regedit4", "[HKCU\\x]", "\"a\"=\"1\""}), sink), ImportResult::Imported);
  EXPECT_EQ(sink.calls.size(), 1u);
  EXPECT_EQ(ParseRegFile("REGEDIT4", sink), ImportResult::Imported);
}

TEST(RegistryFileParser, LfOnlyFileIsOneLineAndRejected) {
  RecordingSink sink;
  EXPECT_EQ(ParseRegFile("REGEDIT4\n\n[HKCU\\x]\n\"a\"=\"1\"\n", sink), ImportResult::NotRegedit4);
  EXPECT_TRUE(sink.calls.empty());
}

TEST(RegistryFileParser, EveryLineKind) {
  RecordingSink sink;
  const std::string text = File({
      "REGEDIT4",
      "",
      "\"before\"=\"no key yet\"",
      "[HKEY_CURRENT_USER\\Software\\T]",
      "; a comment=with equals",
      "",
      "no equals sign here",
      "\"s\"=\"text\"",
      "\"b\"=hex:01,ff,0A",
      "\"B\"=HEX:",
      "\"n\"=dword:0000002A",
      "\"m\"=DWORD:ffffffff",
      "\"gone\"=-",
      "\"gone2\"= - ",
      "@=\"x\"",
      "@=\"\"",
      "\"t\"=hex(2):41,00",
      "\"eq\"=\"a=b\"",
      "\"q\"=\"say \"hi\"\"",
      "  \"padded\"=\"v\"  ",
      "[-HKEY_CURRENT_USER\\Software\\T\\Old]",
      "\"ignored\"=\"after a key deletion\"",
      "[HKCU\\Software\\U]",
      "\"u\"=\"1\"",
  });
  EXPECT_EQ(ParseRegFile(text, sink), ImportResult::Imported);
  const std::string k = "HKEY_CURRENT_USER\\Software\\T";
  const std::vector<std::string> expected = {
      "WriteString(" + k + "|s|text)",
      "WriteBinary(" + k + "|b|01 ff 0A)",
      "WriteBinary(" + k + "|B|)",
      "WriteDWORD(" + k + "|n|42)",
      "WriteDWORD(" + k + "|m|-1)",
      "KillValue(" + k + "|gone)",
      "KillValue(" + k + "|gone2)",
      "WriteString(" + k + "|@|x)",
      "WriteString(" + k + "|@|)",
      "KillValue(" + k + "|)",
      "WriteString(" + k + "|t|hex(2):41,00)",
      "WriteString(" + k + "|eq|a)",
      "WriteString(" + k + "|q|say hi)",
      "WriteString(" + k + "|padded|v)",
      "KillKey(HKEY_CURRENT_USER\\Software\\T\\Old)",
      "WriteString(HKCU\\Software\\U|u|1)",
  };
  EXPECT_EQ(sink.calls, expected);
}

TEST(RegistryFileParser, ContinuedHexValuesAreJoinedAsRegeditJoinsThem) {
  struct Case {
    std::vector<const char*> lines;  // below "[HKCU\\x]"
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {{"\"b\"=hex:11,22,33,44,\\", "  55,66,77,88", "\"c\"=\"1\""},
       {"WriteBinary(HKCU\\x|b|11 22 33 44 55 66 77 88)", "WriteString(HKCU\\x|c|1)"}},
      // Blank and comment lines between the pieces, a comment after the bytes.
      {{"\"b\"=hex:01,\\", "", "; note", "\t02,\\ ", "  03 ; end"}, {"WriteBinary(HKCU\\x|b|01 02 03)"}},
      {{"\"t\"=hex(2):41,00,\\", "  42,00"}, {"WriteString(HKCU\\x|t|hex(2):41,00,42,00)"}},
      // A line that is not hex data ends the value unapplied and counts as
      // a line of its own; the file's end applies what was joined.
      {{"\"b\"=hex:01,\\", "\"c\"=\"1\"", "\"d\"=hex:02,\\"}, {"WriteString(HKCU\\x|c|1)", "WriteBinary(HKCU\\x|d|02 )"}},
      {{"\"b\"=hex:01,\\", "[HKCU\\y]", "\"c\"=\"1\""}, {"WriteString(HKCU\\y|c|1)"}},
      // A string value ending in a backslash is no continuation.
      {{"\"p\"=\"C:\\\"", "  55"}, {"WriteString(HKCU\\x|p|C:\\)"}},
      // Blanks after "dword:"; more than eight digits are refused.
      {{"\"n\"=dword:  00000008", "\"m\"=dword:\t2a"}, {"WriteDWORD(HKCU\\x|n|8)", "WriteDWORD(HKCU\\x|m|42)"}},
      {{"\"n\"=dword:000000001", "\"m\"=dword:123456789"}, {}},
  };
  for (const Case& c : cases) {
    std::string text = "REGEDIT4\r\n[HKCU\\x]\r\n";
    for (const char* line : c.lines) text += std::string(line) + "\r\n";
    RecordingSink sink;
    EXPECT_EQ(ParseRegFile(text, sink), ImportResult::Imported) << text;
    EXPECT_EQ(sink.calls, c.calls) << text;
  }
}

TEST(RegistryFileParser, LoneBracketStopsTheImportKeepingEarlierChanges) {
  RecordingSink sink;
  const std::string text =
      File({"REGEDIT4", "[HKCU\\x]", "\"a\"=\"1\"", " [ ", "\"b\"=\"2\"", "[HKCU\\y]", "\"c\"=\"3\""});
  EXPECT_EQ(ParseRegFile(text, sink), ImportResult::Aborted);
  const std::vector<std::string> expected = {"WriteString(HKCU\\x|a|1)"};
  EXPECT_EQ(sink.calls, expected);
  // "[]" has an empty path and is no error.
  sink.calls.clear();
  EXPECT_EQ(ParseRegFile(File({"REGEDIT4", "[]", "\"a\"=\"1\""}), sink), ImportResult::Imported);
  EXPECT_EQ(sink.calls, std::vector<std::string>{"WriteString(|a|1)"});
}

TEST(RegistryFileParser, KeyLineIsCutBetweenFirstAndLastCharacter) {
  RecordingSink sink;
  ParseRegFile(File({"REGEDIT4", "[HKCU\\x", "\"a\"=\"1\"", "[-]", "[\"HKCU\\q\"]", "\"b\"=\"2\""}), sink);
  const std::vector<std::string> expected = {"WriteString(HKCU\\|a|1)", "KillKey()", "WriteString(HKCU\\q|b|2)"};
  EXPECT_EQ(sink.calls, expected);
}

TEST(RegistryFileParser, DwordData) {
  EXPECT_EQ(ParseDwordData("0000002A"), 42);
  EXPECT_EQ(ParseDwordData("7fffffff"), INT32_MAX);
  EXPECT_EQ(ParseDwordData("80000000"), INT32_MIN);
  EXPECT_EQ(ParseDwordData("FFFFFFFF"), -1);
  EXPECT_EQ(ParseDwordData("2a"), 42);
  EXPECT_EQ(ParseDwordData("12xyz"), 0x12);
  EXPECT_EQ(ParseDwordData(""), 0);
  EXPECT_EQ(ParseDwordData("zz"), 0);
  EXPECT_EQ(ParseDwordData("000000002A"), std::nullopt);
  EXPECT_EQ(ParseDwordData("100000000"), std::nullopt);
  // A dword that does not fit is not applied; the import goes on.
  RecordingSink sink;
  EXPECT_EQ(ParseRegFile(File({"REGEDIT4", "[HKCU\\x]", "\"a\"=dword:123456789", "\"b\"=dword:1"}), sink),
            ImportResult::Imported);
  EXPECT_EQ(sink.calls, std::vector<std::string>{"WriteDWORD(HKCU\\x|b|1)"});
}

TEST(RegistryFileParser, QuotedKeyLineIsRecognisedOnlyInsideABlock) {
  // Inside a block, quotes go before trimming: '" [HKCU\y]' ends the block,
  // but the outer walk trims first and so does not take it as a key line.
  RecordingSink sink;
  ParseRegFile(File({"REGEDIT4", "[HKCU\\x]", "\" [HKCU\\y]", "\"a\"=\"1\"", "[HKCU\\z]", "\"b\"=\"2\""}), sink);
  EXPECT_EQ(sink.calls, std::vector<std::string>{"WriteString(HKCU\\z|b|2)"});
}
