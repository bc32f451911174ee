#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/ExtractResource.h"
#include "tests/app/WideFiles.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr DWORD kUnwantedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The bytes of one of this test program's own items (filesets_test.rc).
Bytes ItemBytes(int16_t id, const char* group) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(id), group);
  if (!found) return {};
  const DWORD size = SizeofResource(self, found);
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(self, found)));
  return data ? Bytes(data, data + size) : Bytes{};
}

// The large item's bytes, written by the same rule that generated its file:
// every byte value, no two neighbours alike over long runs.
Bytes LargeItemPattern() {
  Bytes bytes(65537);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(((i * 131) ^ (i >> 8)) & 0xFF);
  return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  const BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(ok);
}

Bytes ReadBytes(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  Bytes bytes(GetFileSize(file, nullptr));
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

// A fresh, empty folder under the temporary folder, removed with its files.
class FilesetWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, base), 0u);
    folder_ = std::string(base) + "vorn-writer-" + std::to_string(GetCurrentProcessId()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
  }
  void TearDown() override {
    SetFileAttributesA(folder_.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::string& name : List()) {
      const std::string path = In(name);
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string In(const std::string& name) const { return folder_ + "\\" + name; }

  // Names in the folder, sorted, without "." and "..".
  std::vector<std::string> List() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
};

const Bytes kOldContent = {'o', 'l', 'd', '\r', '\n'};

using FilesetWriterItems = FilesetWriterTest;

TEST_F(FilesetWriterItems, TestItemsAreEmbeddedAsExpected) {
  EXPECT_EQ(ItemBytes(201, "CUSTOM").size(), 42u);
  EXPECT_EQ(ItemBytes(203, "CUSTOM"), LargeItemPattern());
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC empty = FindResourceA(self, MAKEINTRESOURCEA(202), "CUSTOM");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SizeofResource(self, empty), 0u);
}

TEST_F(FilesetWriterItems, WrittenFileIsByteIdenticalToTheItem) {
  // Small text with CR LF, NUL and high bytes; empty; larger than 64 KiB.
  for (int16_t id : {201, 202, 203}) {
    SCOPED_TRACE(id);
    const std::string target = In("type1.xml");
    WriteBytes(target, kOldContent);
    EXPECT_EQ(ExtractResource(id, "CUSTOM", target), 0);
    EXPECT_EQ(ReadBytes(target), ItemBytes(id, "CUSTOM"));
    EXPECT_EQ(List(), std::vector<std::string>{"type1.xml"});
  }
  EXPECT_EQ(ReadBytes(In("type1.xml")), LargeItemPattern());
}

TEST_F(FilesetWriterItems, LongerTargetLeavesNoTail) {
  const std::string target = In("type2.xml");
  WriteBytes(target, LargeItemPattern());
  EXPECT_EQ(ExtractResource(201, "CUSTOM", target), 0);
  EXPECT_EQ(ReadBytes(target), ItemBytes(201, "CUSTOM"));
}

TEST_F(FilesetWriterItems, GroupSelectsTheItem) {
  const std::string target = In("type3.xml");
  WriteBytes(target, kOldContent);
  ASSERT_EQ(ExtractResource(201, "OTHER", target), 0);
  const Bytes other = ItemBytes(201, "OTHER");
  EXPECT_EQ(ReadBytes(target), other);
  EXPECT_NE(other, ItemBytes(201, "CUSTOM"));
}

TEST_F(FilesetWriterItems, ExplicitModuleIsSearched) {
  const std::string target = In("type4.xml");
  WriteBytes(target, kOldContent);
  EXPECT_EQ(ExtractResource(201, "CUSTOM", target, GetModuleHandleA(nullptr)), 0);
  EXPECT_EQ(ReadBytes(target), ItemBytes(201, "CUSTOM"));
  // kernel32 carries no such item: the target stays as it was.
  EXPECT_NE(ExtractResource(201, "CUSTOM", target, GetModuleHandleA("kernel32.dll")), 0);
  EXPECT_EQ(ReadBytes(target), ItemBytes(201, "CUSTOM"));
}

using FilesetWriterAttributes = FilesetWriterTest;

TEST_F(FilesetWriterAttributes, ReadOnlyTargetIsReplacedAndLeftNormal) {
  const std::string target = In("type1.xml");
  WriteBytes(target, kOldContent);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ExtractResource(203, "CUSTOM", target), 0);
  EXPECT_EQ(ReadBytes(target), LargeItemPattern());
  const DWORD attributes = GetFileAttributesA(target.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(attributes & kUnwantedAttributes, 0u);
  EXPECT_EQ(List(), std::vector<std::string>{"type1.xml"});
}

TEST_F(FilesetWriterAttributes, HiddenSystemReadOnlyTargetIsReplacedAndLeftNormal) {
  const std::string target = In("type5_noblur.xml");
  WriteBytes(target, kOldContent);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_EQ(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
  EXPECT_EQ(ExtractResource(201, "CUSTOM", target), 0);
  EXPECT_EQ(ReadBytes(target), ItemBytes(201, "CUSTOM"));
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & kUnwantedAttributes, 0u);

  SetFileAttributesA(target.c_str(), kUnwantedAttributes);
  EXPECT_EQ(ExtractResource(203, "CUSTOM", target), 0);
  EXPECT_EQ(ReadBytes(target), LargeItemPattern());
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & kUnwantedAttributes, 0u);
  EXPECT_EQ(List(), std::vector<std::string>{"type5_noblur.xml"});
}

using FilesetWriterFailure = FilesetWriterTest;

TEST_F(FilesetWriterFailure, MissingTargetIsNotCreated) {
  EXPECT_NE(ExtractResource(201, "CUSTOM", In("type1.xml")), 0);
  EXPECT_TRUE(List().empty());
  // A folder that does not exist is not created either.
  EXPECT_NE(ExtractResource(201, "CUSTOM", In("postprocess\\type1.xml")), 0);
  EXPECT_TRUE(List().empty());
}

TEST_F(FilesetWriterFailure, MissingItemLeavesTargetUntouched) {
  const std::string target = In("type1.xml");
  WriteBytes(target, kOldContent);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_NE(ExtractResource(299, "CUSTOM", target), 0);       // no such number
  EXPECT_NE(ExtractResource(202, "OTHER", target), 0);        // number not in that group
  EXPECT_NE(ExtractResource(201, "NOSUCHGROUP", target), 0);  // no such group
  EXPECT_NE(ExtractResource(0, "CUSTOM", target), 0);         // no item can carry 0
  EXPECT_EQ(ReadBytes(target), kOldContent);
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & kUnwantedAttributes,
            DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN});
  EXPECT_EQ(List(), std::vector<std::string>{"type1.xml"});
}

TEST_F(FilesetWriterFailure, LockedTargetStaysIntactWithNoTemporaryFileLeft) {
  const std::string target = In("type4_noblur.xml");
  WriteBytes(target, kOldContent);
  ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
  HANDLE lock = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  const int32_t result = ExtractResource(203, "CUSTOM", target);
  CloseHandle(lock);
  EXPECT_EQ(result, ERROR_SHARING_VIOLATION);
  EXPECT_EQ(ReadBytes(target), kOldContent);
  // The attributes are put back as well.
  EXPECT_EQ(GetFileAttributesA(target.c_str()) & kUnwantedAttributes, DWORD{FILE_ATTRIBUTE_READONLY});
  EXPECT_EQ(List(), std::vector<std::string>{"type4_noblur.xml"});
  // Once the lock is gone the same call succeeds.
  EXPECT_EQ(ExtractResource(203, "CUSTOM", target), 0);
  EXPECT_EQ(ReadBytes(target), LargeItemPattern());
}

TEST_F(FilesetWriterFailure, FolderAsTargetIsRefused) {
  ASSERT_TRUE(CreateDirectoryA(In("type1.xml").c_str(), nullptr));
  EXPECT_EQ(ExtractResource(201, "CUSTOM", In("type1.xml")), kErrorTargetIsFolder);
  EXPECT_EQ(GetFileAttributesA(In("type1.xml").c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(List(), std::vector<std::string>{"type1.xml"});
}

using FilesetWriterInPlace = FilesetWriterTest;

TEST_F(FilesetWriterInPlace, AFolderThatTakesNoNewFilesGetsTheFileRewrittenInPlace) {
  const std::string target = In("type1.xml");
  WriteBytes(target, LargeItemPattern());
  ReplacedOriginal original;
  {
    wide_files::ImmutableFile folder(folder_);
    if (!folder.Denied()) GTEST_SKIP() << "no folder could be made that takes no new files";
    ASSERT_EQ(ReplaceWithItem(201, "CUSTOM", target, original), 0);
    EXPECT_TRUE(original.inPlace);
    EXPECT_EQ(ReadBytes(target), ItemBytes(201, "CUSTOM"));
    EXPECT_EQ(List(), std::vector<std::string>{"type1.xml"});
    // The flushed copy of the original lies elsewhere, and it puts the
    // original back the same way.
    EXPECT_EQ(ReadBytes(original.kept), LargeItemPattern());
    EXPECT_EQ(RestoreOriginal(original), 0);
    EXPECT_EQ(ReadBytes(target), LargeItemPattern());
  }
  EXPECT_EQ(GetFileAttributesA(original.kept.c_str()), INVALID_FILE_ATTRIBUTES) << "the copy goes once put back";
}

}  // namespace
