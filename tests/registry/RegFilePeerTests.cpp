// ImportRegFile and ExportRegFile against Wine's regedit as the peer: a
// corpus of hand-written edge-case files that both import (the trees must
// agree), a tree of every type with awkward names exported and imported
// across both, and the round trip of the pair itself.
#include <gtest/gtest.h>

#include <memory>

#include "registry/RegistryTestKey.h"
#include "registry/clsRegistryAccess.h"

using registry_test::DumpTree;
using registry_test::RunRegedit;
using registry_test::TempFile;

namespace {

enum class Encoding { Ansi, Utf16 };

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The bytes of a file: UTF-16LE with a byte-order mark, or the ANSI code page.
std::string FileBytes(const std::wstring& text, Encoding encoding) {
  if (encoding == Encoding::Utf16) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    return bytes;
  }
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::wstring Replaced(std::wstring text, const std::wstring& placeholder, const std::wstring& by) {
  for (size_t at = text.find(placeholder); at != std::wstring::npos; at = text.find(placeholder, at + by.size())) {
    text.replace(at, placeholder.size(), by);
  }
  return text;
}

class RegistryRegFile : public registry_test::RegistryKeyTest {
 protected:
  void SetUp() override {
    RegistryKeyTest::SetUp();
    WideSub = Wide(Sub);
  }
  // A value set through the wide calls, as an installer would.
  void Set(const std::wstring& key, const std::wstring& name, DWORD type, const std::string& data) {
    RegKey handle;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (WideSub + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              handle.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(handle.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
  }
  void SetText(const std::wstring& key, const std::wstring& name, DWORD type, const std::wstring& text) {
    Set(key, name, type, std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2));
  }
  void CreateKey(const std::wstring& key) {
    RegKey handle;
    ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, (WideSub + key).c_str(), handle.put()), ERROR_SUCCESS);
  }
  std::string Dump(const std::wstring& key = L"") { return DumpTree(HKEY_CURRENT_USER, WideSub + key); }
  void DeleteAll() { registry_test::DeleteTree(HKEY_CURRENT_USER, Sub); }

  clsRegistryAccess reg;
  std::wstring WideSub;
};

struct CorpusCase {
  const char* what;
  Encoding encoding;
  const wchar_t* text;  // "$" stands for the case's key below HKEY_CURRENT_USER
  std::vector<int32_t> refused;
};

#define KEY L"[HKEY_CURRENT_USER\\$]\r\n"

// Every case is read by both importers into keys of its own; the last one
// ends regedit's run, so it stays last.
const CorpusCase kCorpus[] = {
    {"every type, REGEDIT4", Encoding::Ansi,
     L"REGEDIT4\r\n\r\n" KEY L"@=\"default\"\r\n\"s\"=\"text\"\r\n\"n\"=dword:0000002a\r\n\"b\"=hex:00,7f,80,ff\r\n"
     L"\"e\"=hex(2):25,50,41,54,48,25,00\r\n\"m\"=hex(7):61,00,62,00,00\r\n\"q\"=hex(b):01,02,03,04,05,06,07,08\r\n"
     L"\"z\"=hex(0):\r\n\"x\"=hex(1):41,42\r\n\"big\"=hex(ffff):01\r\n",
     {}},
    {"every type, REGEDIT5", Encoding::Utf16,
     L"Windows Registry Editor Version 5.00\r\n\r\n" KEY
     L"@=\"default\"\r\n\"s\"=\"text\"\r\n\"n\"=dword:ffffffff\r\n\"b\"=hex:00,7f,80,ff\r\n"
     L"\"e\"=hex(2):25,00,50,00,00,00\r\n\"m\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n\"x\"=hex(1):41,00\r\n"
     L"\"q\"=hex(b):01,02,03,04,05,06,07,08\r\n\"z\"=hex(0):\r\n",
     {}},
    {"LF line ends", Encoding::Ansi, L"REGEDIT4\n[HKEY_CURRENT_USER\\$]\n\"a\"=\"1\"\n", {}},
    {"CR line ends", Encoding::Ansi, L"REGEDIT4\r[HKEY_CURRENT_USER\\$]\r\"a\"=\"1\"\r", {}},
    {"mixed line ends and blank lines", Encoding::Ansi,
     L"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\$]\r\r\n\"a\"=\"1\"\n\n\"b\"=\"2\"\r", {}},
    {"hex continued over lines", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY L"\"v\"=hex:11,22,33,44,\\\r\n  55,66,77,88\r\n\"w\"=hex(2):41,\\   ; note\r\n\r\n"
     L"; between\r\n  42,00\r\n",
     {}},
    {"hex continued at the end of the file", Encoding::Ansi, L"REGEDIT4\r\n" KEY L"\"v\"=hex:01,\\\r\n", {}},
    {"dword forms", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY
     L"\"a\"=dword:  00000008\r\n\"b\"=dword:\t2a\r\n\"c\"=dword:ffffffff ; c\r\n\"d\"=dword:;c\r\n"
     L"\"e\"=dword:000000001\r\n\"f\"=dword:\r\n\"g\"=dword:12 34\r\n\"h\"=DWORD:1\r\n\"i\"=dword:0x10\r\n",
     {7, 8, 9, 10, 11}},
    {"escapes", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY
     L"\"a\\\"b\"=\"c\\\\d\\\"e\"\r\n\"t\"=\"x\\ny\\rz\"\r\n\"u\"=\"\\q\"\r\n\"back\\\\slash\"=\"C:\\\\dir\\\\\"\r\n"
     L"\"v\"=\"\\0\"\r\n\"w\"=\"open\r\n\"x\"=\"y\" z\r\n\"y\"=\"z\" ; fine\r\n\"eq=;\"=\"a=b;c\"\r\n",
     {7, 8, 9}},
    {"blanks and tabs", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY
     L"\t\"i\"\t=\t\"tab\"\r\n  @ = \"d\"  \r\n\"x\"  =  hex: 01, 02 ;c\r\n\"y\"=hex:01 ,02\r\n\"z\"\t=\t-\r\n"
     L"\"tab\tin name\"=\"a\tb\"\r\n",
     {6}},
    {"comments and other lines", Encoding::Ansi,
     L"REGEDIT4\r\n; before the key\r\n" KEY
     L"  ; indented\r\n# not a comment\r\njunk\r\n\"a\"=\"1\"\r\n@x=\"2\"\r\n\"b\"\r\n\"c\"=42\r\n",
     {5, 6, 8, 9, 10}},
    {"value deletions", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY
     L"\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n@=\"3\"\r\n\"c\"=\"4\"\r\n\"a\"=-\r\n\"b\"= - ;c\r\n@=-\r\n\"c\"=-x\r\n"
     L"\"missing\"=-\r\n",
     {10}},
    {"key deletions", Encoding::Ansi,
     L"REGEDIT4\r\n[HKEY_CURRENT_USER\\$\\sub\\deep]\r\n\"v\"=\"1\"\r\n[HKEY_CURRENT_USER\\$\\other]\r\n\"w\"=\"2\"\r\n"
     L"[-HKEY_CURRENT_USER\\$\\sub]\r\n\"x\"=\"no key open\"\r\n[-HKEY_CURRENT_USER\\$\\missing]\r\n[-Software]\r\n"
     L"[-]\r\n",
     {7, 9, 10}},
    {"key line forms", Encoding::Ansi,
     L"REGEDIT4\r\n[HKEY_CURRENT_USER\\$] ; comment\r\n\"a\"=\"1\"\r\n[HKEY_CURRENT_USER\\$\\b]junk\r\n\"b\"=\"2\"\r\n"
     L"[ HKEY_CURRENT_USER\\$\\c]\r\n\"c\"=\"3\"\r\n[HKEY_CURRENT_USER\\$\\d\r\n\"d\"=\"4\"\r\n"
     L"[HKEY_CURRENT_USER\\$\\e]f]\r\n\"e\"=\"5\"\r\n[hkey_current_user\\$\\lower]\r\n\"l\"=\"6\"\r\n",
     {4, 6, 8}},
    {"root names", Encoding::Ansi,
     L"REGEDIT4\r\n[HKCU\\$\\short]\r\n\"a\"=\"1\"\r\n[HKEY_CURRENT_USERX\\$]\r\n\"b\"=\"2\"\r\n"
     L"[HKEY_CURRENT_USER\\$\\ok]\r\n\"c\"=\"3\"\r\n",
     {2, 3, 4, 5}},
    {"empty keys are created", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY L"[HKEY_CURRENT_USER\\$\\empty]\r\n[HKEY_CURRENT_USER\\$\\deep\\er\\still]\r\n", {}},
    {"a value before any key", Encoding::Ansi, L"REGEDIT4\r\n\"a\"=\"1\"\r\n" KEY L"\"b\"=\"2\"\r\n", {2}},
    {"header with a trailing blank", Encoding::Ansi, L"REGEDIT4 \r\n" KEY L"\"a\"=\"1\"\r\n", {1}},
    {"header in lower case", Encoding::Ansi, L"regedit4\r\n" KEY L"\"a\"=\"1\"\r\n", {1}},
    {"header after blanks", Encoding::Ansi, L"  REGEDIT4\r\n" KEY L"\"a\"=\"1\"\r\n", {}},
    {"Windows 3.1 header", Encoding::Ansi, L"REGEDIT\r\n" KEY L"\"a\"=\"1\"\r\n", {1}},
    {"REGEDIT4 in UTF-16", Encoding::Utf16, L"REGEDIT4\r\n" KEY L"\"a\"=hex(2):41,00,00,00\r\n", {}},
    {"header only", Encoding::Ansi, L"REGEDIT4\r\n", {}},
    {"empty file", Encoding::Ansi, L"", {0}},
    {"REGEDIT5 in 8 bits", Encoding::Ansi,
     L"Windows Registry Editor Version 5.00\r\n\r\n" KEY L"\"a\"=\"1\"\r\n\"n\"=dword:00000002\r\n", {}},
    {"hex forms", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY
     L"\"a\"=hex: 0x1f,+2,-0\r\n\"b\"=hex:100\r\n\"c\"=hex:01,,02\r\n\"d\"=hex:01,02,\r\n\"e\"=HEX:01\r\n"
     L"\"f\"=hex:01 02\r\n\"g\"=hex:1,2,f\r\n\"h\"=hex:-1\r\n\"i\"=hex:0001\r\n",
     {4, 5, 7, 8, 10}},
    {"hex(N) forms", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY
     L"\"a\"=hex(2x):41\r\n\"b\"=hex(0x2):41\r\n\"c\"=hex():01\r\n\"d\"=hex(100000000):01\r\n\"e\"=hex(2)41\r\n"
     L"\"f\"=hex(4):01,02\r\n\"g\"=hex(7):\r\n\"h\"=hex(   2):41,00\r\n",
     {3, 4, 6, 7}},
    {"REGEDIT4 strings as hex get their NUL and become UTF-16", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY L"\"a\"=hex(2):41,42\r\n\"b\"=hex(1):43\r\n\"c\"=hex(7):61,00,62,00,00\r\n", {}},
    {"REGEDIT5 strings as hex get their NUL", Encoding::Utf16,
     L"Windows Registry Editor Version 5.00\r\n" KEY L"\"a\"=hex(2):41,00\r\n\"b\"=hex(1):42,00,43,00\r\n", {}},
    {"names and texts outside ASCII", Encoding::Utf16,
     L"Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\$\\\u00dcn\u00efc\u00f8d\u00e9 \u043a\u043b\u044e\u0447]\r\n"
     L"\"\u00f1ame \u20ac\"=\"text \u30b2\u30fc\u30e0\"\r\n@=\"\u03a9\"\r\n",
     {}},
    {"ANSI text in the code page", Encoding::Ansi, L"REGEDIT4\r\n" KEY L"\"caf\u00e9\"=\"na\u00efve\"\r\n", {}},
    {"default value forms", Encoding::Ansi,
     L"REGEDIT4\r\n[HKEY_CURRENT_USER\\$\\q]\r\n\"\"=\"x\"\r\n[HKEY_CURRENT_USER\\$\\e]\r\n@=\"\"\r\n", {}},
    {"a deletion under an unknown root stops the import", Encoding::Ansi,
     L"REGEDIT4\r\n" KEY L"\"a\"=\"1\"\r\n[-HKEY_BOGUS\\x]\r\n\"b\"=\"2\"\r\n", {4}},
};

#undef KEY

}  // namespace

TEST_F(RegistryRegFile, CorpusOfEdgeCasesGivesTheTreesRegeditGives) {
  // Two long lines too, built here.
  std::wstring longLines = L"REGEDIT4\r\n[HKEY_CURRENT_USER\\$]\r\n\"big\"=hex:";
  for (int i = 0; i < 10000; ++i) longLines += std::wstring(i ? L"," : L"") + (i % 2 ? L"a5" : L"3c");
  longLines += L"\r\n\"s\"=\"" + std::wstring(5000, L'x') + L"\"\r\n";
  std::vector<CorpusCase> corpus(std::begin(kCorpus), std::end(kCorpus));
  corpus.insert(corpus.end() - 1, {"long lines", Encoding::Ansi, longLines.c_str(), {}});

  std::vector<std::unique_ptr<TempFile>> files;
  std::string theirFiles;
  const auto keyOf = [&](const char* side, size_t i) { return WideSub + L"\\" + Wide(side) + L"\\c" + std::to_wstring(i); };
  for (size_t i = 0; i < corpus.size(); ++i) {
    files.push_back(std::make_unique<TempFile>("corpus_ours" + std::to_string(i)));
    files.back()->Write(FileBytes(Replaced(corpus[i].text, L"$", keyOf("ours", i)), corpus[i].encoding));
    reg.ImportRegFile(files.back()->path());
    std::vector<int32_t> refused;
    for (const RegFileRefusal& refusal : reg.RefusedLines()) refused.push_back(refusal.line);
    EXPECT_EQ(refused, corpus[i].refused) << corpus[i].what;
    files.push_back(std::make_unique<TempFile>("corpus_theirs" + std::to_string(i)));
    files.back()->Write(FileBytes(Replaced(corpus[i].text, L"$", keyOf("theirs", i)), corpus[i].encoding));
    theirFiles += " \"" + files.back()->path() + "\"";
  }
  ASSERT_EQ(RunRegedit("/S" + theirFiles), 0);

  size_t agree = 0;
  for (size_t i = 0; i < corpus.size(); ++i) {
    const std::string ours = DumpTree(HKEY_CURRENT_USER, keyOf("ours", i));
    const std::string theirs = DumpTree(HKEY_CURRENT_USER, keyOf("theirs", i));
    EXPECT_EQ(ours, theirs) << corpus[i].what;
    if (ours == theirs) ++agree;
  }
  std::printf("corpus: %zu files, %zu give the tree regedit gives\n", corpus.size(), agree);
}

// Where ImportRegFile chooses to differ from regedit (see the README).
TEST_F(RegistryRegFile, ChosenDifferencesFromRegedit) {
  TempFile file("differ");
  const std::wstring key = L"HKEY_CURRENT_USER\\" + WideSub;
  // A hex value continued by a key line: regedit drops the key line too and
  // puts the next values into the key before; here the key line counts.
  file.Write(FileBytes(L"REGEDIT4\r\n[" + key + L"]\r\n\"h\"=hex:01,\\\r\n[" + key + L"\\next]\r\n\"v\"=\"1\"\r\n",
                       Encoding::Ansi));
  EXPECT_EQ(reg.ImportRegFile(file.path()), 0);
  ASSERT_EQ(reg.RefusedLines().size(), 1u);
  EXPECT_EQ(reg.RefusedLines()[0].line, 3);
  EXPECT_NE(reg.RefusedLines()[0].reason.find("not hex data"), std::string::npos);
  EXPECT_EQ(Dump(), "[]\n[\\next]\n  \"v\" type 1, 4 bytes: 31 00 00 00\n");
  // UTF-8 with its byte-order mark (regedit reads nothing of it), and hex(2)
  // bytes of a REGEDIT5 file as UTF-16 whatever the file's encoding.
  DeleteAll();
  file.Write("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\" + Sub +
             "\\\xC3\xBC]\r\n\"\xE2\x82\xAC\"=hex(2):41,00\r\n");
  EXPECT_EQ(reg.ImportRegFile(file.path()), 1);
  EXPECT_EQ(Dump(), "[]\n[\\\xC3\xBC]\n  \"\xE2\x82\xAC\" type 2, 4 bytes: 41 00 00 00\n");
}

// A tree of every type, awkward names and empty keys: ExportRegFile writes
// the file regedit /E writes, byte for byte; regedit /S reads ours and
// ImportRegFile reads regedit's into the same tree.
TEST_F(RegistryRegFile, ExportsAndImportsAgreeWithRegeditOnATreeOfEveryType) {
  std::string bytes;
  for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>(i * 37));
  SetText(L"", L"", REG_SZ, L"default");
  SetText(L"", L"quote\"back\\slash=semi;tab\t", REG_SZ, L"a\"b\\c=d;e\tf");
  SetText(L"", L"empty", REG_SZ, L"");
  SetText(L"", L"lines", REG_SZ, L"one\r\ntwo");
  SetText(L"", L"expand", REG_EXPAND_SZ, L"%PATH%;C:\\x");
  Set(L"", L"multi", REG_MULTI_SZ, std::string("a\0\0\0b\0\0\0\0\0", 10));
  Set(L"", L"dword", REG_DWORD, std::string("\x2a\0\0\x80", 4));
  Set(L"", L"big endian", REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\x2a", 4));
  Set(L"", L"qword", REG_QWORD, std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
  Set(L"", L"none", REG_NONE, "");
  Set(L"", L"none3", REG_NONE, "abc");
  Set(L"", L"type 99", 0x99, "xy");
  Set(L"", L"binary", REG_BINARY, bytes);
  Set(L"", L"empty binary", REG_BINARY, "");
  Set(L"", std::wstring(120, L'n'), REG_BINARY, bytes.substr(0, 40));
  SetText(L"", L"\u00f1ame \u20ac", REG_SZ, L"\u30b2\u30fc\u30e0 \u00e9");
  CreateKey(L"\\Empty");
  SetText(L"\\B", L"b", REG_SZ, L"upper");
  SetText(L"\\a", L"a", REG_SZ, L"lower");
  CreateKey(L"\\a\\deep\\er");
  SetText(L"\\\u00dcn\u00ef \u043a\u043b\u044e\u0447", L"", REG_SZ, L"\u03a9");
  const std::string tree = Dump();
  const std::string key = "HKEY_CURRENT_USER\\" + Sub;

  TempFile theirs("tree_theirs");
  TempFile ours("tree_ours");
  ASSERT_EQ(RunRegedit("/E \"" + theirs.path() + "\" \"" + key + "\""), 0);
  ASSERT_EQ(reg.ExportRegFile(key, ours.path()), 1);
  EXPECT_GT(ours.Read().size(), 2000u);
  EXPECT_TRUE(ours.Read() == theirs.Read()) << "ExportRegFile and regedit /E wrote different files";

  DeleteAll();
  EXPECT_EQ(reg.ImportRegFile(theirs.path()), 1);
  EXPECT_EQ(Dump(), tree) << "ImportRegFile of regedit's export";
  DeleteAll();
  ASSERT_EQ(RunRegedit("/S \"" + ours.path() + "\""), 0);
  EXPECT_EQ(Dump(), tree) << "regedit /S of ExportRegFile's export";
}

// ExportRegFile then ImportRegFile gives the tree back exactly, also values
// regedit's export would lose; REGEDIT4 too for ANSI text. The export
// replaces a file only when it succeeds.
TEST_F(RegistryRegFile, RoundTripReproducesTheTree) {
  SetText(L"", L"", REG_SZ, L"default");
  Set(L"", L"nul inside", REG_SZ, std::string("a\0\0\0b\0\0\0", 8));
  Set(L"", L"odd string", REG_SZ, std::string("a\0b", 3));
  Set(L"", L"short dword", REG_DWORD, std::string("\x01\x02", 2));
  Set(L"", L"long dword", REG_DWORD, std::string("\x01\x02\x03\x04\x05", 5));
  Set(L"", L"big", REG_BINARY, std::string(100000, '\x5a'));
  SetText(L"", L"expand", REG_EXPAND_SZ, L"%TEMP%\\x");
  Set(L"", L"multi", REG_MULTI_SZ, std::string("a\0\0\0b\0\0\0\0\0", 10));
  SetText(L"", L"q\"\\=;\t", REG_SZ, L"\"\\=;\t\r\n");
  CreateKey(L"\\Empty\\Also empty");
  SetText(L"\\\u00dc \u30b2", L"\u00f1", REG_SZ, L"\u20ac");
  const std::string tree = Dump();
  const std::string key = "HKEY_CURRENT_USER\\" + Sub;

  TempFile file("round_trip");
  ASSERT_EQ(reg.ExportRegFile("hkcu\\" + Sub, file.path()), 1);
  DeleteAll();
  EXPECT_EQ(reg.ImportRegFile(file.path()), 1);
  EXPECT_EQ(Dump(), tree);

  registry_test::DeleteTree(HKEY_CURRENT_USER, WideSub + L"\\\u00dc \u30b2");
  for (const wchar_t* name : {L"nul inside", L"odd string"}) {
    RegKey handle;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, WideSub.c_str(), 0, KEY_SET_VALUE, handle.put()), ERROR_SUCCESS);
    RegDeleteValueW(handle.get(), name);
  }
  const std::string ansiTree = Dump();
  ASSERT_EQ(reg.ExportRegFile(key, file.path(), false), 1);
  EXPECT_EQ(file.Read().substr(0, 10), "REGEDIT4\r\n");
  DeleteAll();
  EXPECT_EQ(reg.ImportRegFile(file.path()), 1);
  EXPECT_EQ(Dump(), ansiTree);

  // Failures leave the file as it was.
  const std::string before = file.Read();
  EXPECT_EQ(reg.ExportRegFile(key + "\\missing", file.path()), 0);
  EXPECT_EQ(reg.ExportRegFile("HKU\\" + Sub, file.path()), 0);
  EXPECT_EQ(reg.ExportRegFile(key, "\xFF.reg"), 0) << "a file name that is not UTF-8";
  EXPECT_EQ(file.Read(), before);
}
