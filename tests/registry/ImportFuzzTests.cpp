// ImportFromReg and ImportRegFile on hostile files: seeded, reproducible
// generated content. Each import must end (with 0 or 1) and never crash or
// hang; generated keys all lie below the test key.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "registry/RegistryTestKey.h"
#include "registry/clsRegistryAccess.h"

using registry_test::CrLfLines;
using registry_test::RawKeyExists;
using registry_test::TempFile;

namespace {

// "Windows Registry Editor Version 5.00" and CR LF in UTF-16LE after its mark.
constexpr char kUtf16Header[] =
    "\xFF\xFEW\0i\0n\0d\0o\0w\0s\0 \0R\0e\0g\0i\0s\0t\0r\0y\0 \0E\0d\0i\0t\0o\0r\0 \0V\0e\0r\0s\0i\0o\0n\0 \0"
    "5\0.\0\x30\0\x30\0\r\0\n\0";

// std::mt19937 is the same sequence everywhere; draws avoid the library's
// distributions, whose results differ between implementations.
class Dice {
 public:
  explicit Dice(uint32_t seed) : engine_(seed) {}
  uint32_t Below(uint32_t n) { return engine_() % n; }
  char Byte() { return static_cast<char>(engine_() & 0xFF); }
  std::string Bytes(size_t n) {
    std::string s;
    for (size_t i = 0; i < n; ++i) s.push_back(Byte());
    return s;
  }

 private:
  std::mt19937 engine_;
};

class RegistryImportFuzz : public registry_test::RegistryKeyTest {
 protected:
  void SetUp() override {
    RegistryKeyTest::SetUp();
    Long = "HKEY_CURRENT_USER\\" + Sub;
  }
  // Imports the bytes; the result must be 0 or 1.
  int32_t Import(const std::string& bytes) {
    file.Write(bytes);
    const int32_t result = reg.ImportFromReg(file.path());
    EXPECT_TRUE(result == 0 || result == 1) << result;
    return result;
  }
  // Both readers; ImportRegFile's result says whether it refused a line.
  void ImportBoth(const std::string& bytes) {
    Import(bytes);
    const int32_t result = reg.ImportRegFile(file.path());
    EXPECT_EQ(result, reg.RefusedLines().empty() ? 1 : 0);
  }
  // One line of the format, filled with random pieces.
  std::string HostileLine(Dice& dice) {
    const std::string junk = dice.Bytes(dice.Below(40));
    switch (dice.Below(14)) {
      case 0: return "[" + Long + "\\k" + std::to_string(dice.Below(8)) + "]";
      case 1: return "[-" + Long + "\\k" + std::to_string(dice.Below(8)) + "]";
      case 2: return "[";
      case 3: return "\"" + junk + "\"=\"" + dice.Bytes(dice.Below(20)) + "\"";
      case 4: return "\"h\"=hex:" + junk;
      case 5: return "\"d\"=dword:" + junk;
      case 6: return "\"" + junk + "\"=-";
      case 7: return "@=" + junk;
      case 8: return junk;
      case 9: return std::string(dice.Below(5), '\0') + "=" + junk;
      case 10: return "; " + junk;
      case 11: return "\"n\"=hex:" + std::string(dice.Below(3) * 20000, 'a');
      case 12: return "==" + junk + "==";
      default: return "";
    }
  }
  clsRegistryAccess reg;
  TempFile file{"fuzz"};
  std::string Long;
};

}  // namespace

TEST_F(RegistryImportFuzz, ArbitraryBytes) {
  Dice dice(20261208);
  for (int round = 0; round < 200; ++round) {
    std::string bytes = dice.Bytes(dice.Below(4096));
    // Past the header most of the time: REGEDIT4, or REGEDIT5 in UTF-16 (of
    // any length, odd ones too).
    if (round % 3 == 1) bytes = "REGEDIT4\r\n" + bytes;
    if (round % 3 == 2) bytes = std::string(kUtf16Header, sizeof kUtf16Header - 1) + bytes;
    ImportBoth(bytes);
  }
  EXPECT_TRUE(RawKeyExists("Software"));
}

TEST_F(RegistryImportFuzz, HostileLinesOfTheFormat) {
  Dice dice(4242);
  for (int round = 0; round < 60; ++round) {
    std::string bytes = "REGEDIT4\r\n";
    const uint32_t lines = dice.Below(60);
    for (uint32_t i = 0; i < lines; ++i) {
      bytes += HostileLine(dice);
      if (dice.Below(10)) bytes += "\r\n";  // sometimes lines run together
    }
    ImportBoth(bytes);
  }
  EXPECT_TRUE(RawKeyExists("Software"));
}

TEST_F(RegistryImportFuzz, EdgeShapes) {
  const std::string key = "[" + Long + "]";
  EXPECT_EQ(Import("["), 0);
  EXPECT_EQ(Import("REGEDIT4\r\n["), 0);
  EXPECT_EQ(Import("REGEDIT4"), 1);
  EXPECT_EQ(Import("REGEDIT4\r\n"), 1);
  EXPECT_EQ(Import(std::string("REGEDIT4\0\r\n", 11)), 0);
  // No final CR LF: the last line still counts.
  EXPECT_EQ(Import("REGEDIT4\r\n" + key + "\r\n\"last\"=\"x\""), 1);
  EXPECT_EQ(reg.ReadString(Path, "last"), "x");
  // NUL bytes inside names, data and key lines.
  EXPECT_EQ(Import(CrLfLines({"REGEDIT4", key, std::string("\"a\0b\"=\"c\0d\"", 11), std::string("[\0]", 3),
                              std::string("\"z\"=\"\0\"", 7)})),
            1);
  EXPECT_EQ(reg.ReadString(Path, "a"), std::string("c\0d", 3)) << "the name ends at its NUL, the data do not";
  // Huge lines: 8 MB without a line break, then a 1 MB string value.
  EXPECT_EQ(Import("REGEDIT4\r\n" + key + "\r\n" + std::string(8 << 20, 'x')), 1);
  EXPECT_EQ(Import(CrLfLines({"REGEDIT4", key, "\"big\"=\"" + std::string(1 << 20, 'y') + "\""})), 1);
  EXPECT_TRUE(reg.ValueExists(Path, "big"));
  // Only CR or only LF: one line.
  EXPECT_EQ(Import(std::string(100000, '\n')), 0);
  EXPECT_EQ(Import("REGEDIT4\r\n" + std::string(100000, '\r')), 1);
}

TEST_F(RegistryImportFuzz, ByteOrderMarksAndOddUtf16) {
  using namespace std::string_literals;
  const std::string header(kUtf16Header, sizeof kUtf16Header - 1);
  struct Case {
    std::string bytes;
    int32_t result;  // of ImportRegFile; ImportFromReg refuses all of them
  };
  const Case cases[] = {
      {"\xFF\xFE"s, 0},                                          // a mark and nothing else
      {"\xFF\xFE\r\0\n\0[\0"s, 0},                               // a mark with no header
      {"\xEF\xBB\xBF"s, 0},                                      // the UTF-8 mark alone
      {"\xEF\xBB\xBFREGEDIT4\r\n[HKEY_CURRENT_USER"s, 0},         // an unclosed key line
      {header, 1},                                              // the header alone
      {header + "[", 0},                                        // odd length: half a character
      {header.substr(0, header.size() - 1), 0},                 // the header cut in its last character
      {"\xFE\xFF\0W\0i\0n"s, 0},                                 // big-endian is not read
  };
  for (const Case& c : cases) {
    file.Write(c.bytes);
    EXPECT_EQ(reg.ImportFromReg(file.path()), 0);
    EXPECT_EQ(reg.ImportRegFile(file.path()), c.result) << c.bytes.size() << " bytes";
    EXPECT_EQ(reg.RefusedLines().empty(), c.result == 1);
  }
  EXPECT_FALSE(RawKeyExists(Sub));
}

TEST_F(RegistryImportFuzz, HundredThousandLines) {
  Dice dice(7);
  std::string bytes = "REGEDIT4\r\n[" + Long + "]\r\n";
  for (int i = 0; i < 100000; ++i) {
    if (i % 1000 == 0) {
      bytes += "\"v" + std::to_string(i / 1000) + "\"=dword:" + std::to_string(i % 9) + "\r\n";
    } else if (i % 3 == 0) {
      bytes += "; comment " + std::to_string(i) + "\r\n";
    } else if (i % 3 == 1) {
      bytes += "  x" + dice.Bytes(dice.Below(30)) + "\r\n";  // never a key line
    } else {
      bytes += "\r\n";
    }
  }
  EXPECT_EQ(Import(bytes), 1);
  // Every value line of the one key block was applied, the last one too.
  EXPECT_EQ(reg.ReadDWORD(Path, "v0", -7), 0);
  EXPECT_EQ(reg.ReadDWORD(Path, "v99", -7), 99000 % 9);
}
