// APPLY's routine WriteSet in this process, against real files in a scratch
// game folder whose name lies outside the ANSI code page. Files are held
// the way other programs hold them, through handles this test opens: Wine
// enforces share modes as Windows does.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/ApplySet.h"
#include "app/CommandLine.h"
#include "app/Elevation.h"
#include "app/ExtractResource.h"
#include "app/Utf8.h"
#include "host/UserObjects.h"
#include "tests/app/WideFiles.h"

namespace {

using vorn::Widen;

constexpr int kNoneFirstItem = 101;
constexpr int kFullFirstItem = 109;

std::string Item(int id) { return std::string(CarriedItemBytes(static_cast<int16_t>(id), "CUSTOM").value_or("")); }

using wide_files::Names;
using wide_files::ReadAll;

void WriteAll(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(wide_files::WriteAll(path, bytes)) << path;
}

// The names in `folder` (which ends in a separator).
std::vector<std::string> List(const std::string& folder) { return Names(folder.substr(0, folder.size() - 1)); }

// Another program's open handle on a file.
HANDLE Hold(const std::string& path, DWORD share) {
  return CreateFileW(Widen(path).c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
}

const std::vector<std::string> kFiles = {"type1.xml", "type2.xml",        "type2_noblur.xml", "type3.xml",
                                         "type4.xml", "type4_noblur.xml", "type5.xml",        "type5_noblur.xml"};

// C:\...\vorn-apply-<pid>-<test>-ゲーム\postprocess\ holding the Full set.
class ApplySetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
    root_ = vorn::Utf8(temp) + "vorn-apply-" + std::to_string(GetCurrentProcessId()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-\u30B2\u30FC\u30E0";
    ASSERT_TRUE(CreateDirectoryW(Widen(root_).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Widen(Folder()).c_str(), nullptr));
    Install(Folder(), kFullFirstItem);
  }
  void TearDown() override { wide_files::RemoveTree(root_); }

  std::string Folder() const { return root_ + "\\postprocess\\"; }
  std::string File(size_t i) const { return Folder() + kFiles[i]; }

  static void Install(const std::string& folder, int firstItem) {
    for (size_t i = 0; i < 8; ++i) WriteAll(folder + kFiles[i], Item(firstItem + static_cast<int>(i)));
  }
  ::testing::AssertionResult Holds(int firstItem) const {
    for (size_t i = 0; i < 8; ++i) {
      if (ReadAll(File(i)) != Item(firstItem + static_cast<int>(i))) {
        return ::testing::AssertionFailure() << kFiles[i] << " is not item " << firstItem + i;
      }
    }
    if (List(Folder()).size() != 8 + (List(Folder() + "backup\\").empty() ? 0 : 1)) {
      return ::testing::AssertionFailure() << "other files are left in the folder";
    }
    return ::testing::AssertionSuccess();
  }

  vorn::WriteOutcome Write(const vorn::PostProcessSet& set, const vorn::WriteOptions& options = {}) {
    return vorn::WriteSet(
        set, [&] { return Folder(); }, options);
  }

  std::string root_;
};

using ApplySetWhole = ApplySetTest;

TEST_F(ApplySetWhole, WritesEachSetInAFolderNamedOutsideTheAnsiCodePage) {
  std::string own = Item(kFullFirstItem + 3);
  own[10] ^= 1;
  WriteAll(File(3), own);
  EXPECT_TRUE(Write(vorn::kNoneSet).Written());
  EXPECT_TRUE(Holds(kNoneFirstItem));
  EXPECT_EQ(ReadAll(Folder() + "backup\\type3.xml"), own);
  EXPECT_TRUE(Write(vorn::kFullSet).Written());
  EXPECT_TRUE(Holds(kFullFirstItem));
}

TEST_F(ApplySetWhole, AHeldFileWritesNothingAndReadsAsInUse) {
  // As a running game or an editor holds a file, and as a scanner that lets
  // others write.
  for (const DWORD share : {DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    SCOPED_TRACE(share);
    WriteAll(File(0), "the player's own type1.xml");
    const user::File held(Hold(File(3), share));
    ASSERT_TRUE(held);
    vorn::WriteOptions options;
    options.heldFileWaitMs = 100;
    const vorn::WriteOutcome outcome = Write(vorn::kNoneSet, options);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_EQ(outcome.failures[0].path, File(3));
    EXPECT_TRUE(FileInUseError(outcome.failures[0].error)) << outcome.failures[0].error;
    EXPECT_EQ(vorn::ExitCodeFor(outcome), vorn::kExitInUse);
    EXPECT_FALSE(vorn::OfferElevation(outcome.failures, false));
    const std::string message = vorn::FailureMessage("None", outcome, vorn::ErrorText);
    EXPECT_NE(message.find(File(3) + "\r\n    in use by another program"), std::string::npos) << message;
    EXPECT_EQ(ReadAll(File(0)), "the player's own type1.xml");
    EXPECT_EQ(ReadAll(File(3)), Item(kFullFirstItem + 3));
    EXPECT_EQ(List(Folder()), kFiles) << "not even a backup is made";
  }
}

TEST_F(ApplySetWhole, ALockReleasedWithinAFractionOfASecondDoesNotFail) {
  HANDLE held = Hold(File(5), 0);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread release([held] {
    Sleep(300);
    CloseHandle(held);
  });
  const vorn::WriteOutcome outcome = Write(vorn::kNoneSet);
  release.join();
  EXPECT_TRUE(outcome.Written()) << vorn::FailureMessage("None", outcome, vorn::ErrorText);
  EXPECT_TRUE(Holds(kNoneFirstItem));
}

TEST_F(ApplySetWhole, AFailureMidwayPutsTheOldSetBack) {
  const std::string own = "the player's own type1.xml";
  WriteAll(File(0), own);
  ASSERT_TRUE(SetFileAttributesW(Widen(File(1)).c_str(), FILE_ATTRIBUTE_READONLY));
  // The sixth target is taken by another program after every file passed
  // the check: the five replaced before it get their originals back.
  std::optional<user::File> held;
  vorn::WriteOptions options;
  options.beforeReplacing = [&](size_t index, const std::string& path) {
    if (index == 5) held.emplace(Hold(path, FILE_SHARE_READ));
  };
  const vorn::WriteOutcome outcome = Write(vorn::kNoneSet, options);
  ASSERT_TRUE(held && *held);
  held.reset();
  ASSERT_EQ(outcome.failures.size(), 1u);
  EXPECT_EQ(outcome.failures[0].path, File(5));
  EXPECT_TRUE(FileInUseError(outcome.failures[0].error)) << outcome.failures[0].error;
  EXPECT_TRUE(outcome.notPutBack.empty());
  EXPECT_EQ(ReadAll(File(0)), own);
  for (size_t i = 1; i < 8; ++i) EXPECT_EQ(ReadAll(File(i)), Item(kFullFirstItem + static_cast<int>(i))) << kFiles[i];
  EXPECT_EQ(GetFileAttributesW(Widen(File(1)).c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
  std::vector<std::string> expected = kFiles;
  expected.push_back("backup");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(List(Folder()), expected) << "no replaced original or temporary file is left";
  EXPECT_NE(vorn::FailureMessage("None", outcome, vorn::ErrorText).find("Nothing was changed"), std::string::npos);
}

TEST_F(ApplySetWhole, AnOriginalThatCannotBePutBackIsNamedWithItsCopy) {
  // The game opens the new type2.xml before the sixth target fails.
  std::optional<user::File> held[2];
  vorn::WriteOptions options;
  options.beforeReplacing = [&](size_t index, const std::string& path) {
    if (index == 5) {
      held[0].emplace(Hold(File(1), FILE_SHARE_READ));
      held[1].emplace(Hold(path, FILE_SHARE_READ));
    }
  };
  const vorn::WriteOutcome outcome = Write(vorn::kNoneSet, options);
  held[0].reset();
  held[1].reset();
  ASSERT_EQ(outcome.failures.size(), 1u);
  ASSERT_EQ(outcome.notPutBack.size(), 1u);
  EXPECT_EQ(outcome.notPutBack[0].path, File(1));
  EXPECT_EQ(ReadAll(File(1)), Item(kNoneFirstItem + 1));
  EXPECT_EQ(ReadAll(outcome.notPutBack[0].original), Item(kFullFirstItem + 1)) << "its original is kept";
  for (size_t i : {0, 2, 3, 4, 5, 6, 7}) EXPECT_EQ(ReadAll(File(i)), Item(kFullFirstItem + static_cast<int>(i)));
  const std::string message = vorn::FailureMessage("None", outcome, vorn::ErrorText);
  EXPECT_NE(message.find("parts of both sets"), std::string::npos) << message;
  EXPECT_NE(message.find("its original is kept as " + outcome.notPutBack[0].original), std::string::npos) << message;
}

TEST_F(ApplySetWhole, PerUserCopiesAreMovedAsideWithTheirBytes) {
  const std::string copies = root_ + "\\VirtualStore\\Program Files\\VORN\\postprocess\\";
  for (const char* part :
       {"\\VirtualStore", "\\VirtualStore\\Program Files", "\\VirtualStore\\Program Files\\VORN",
        "\\VirtualStore\\Program Files\\VORN\\postprocess"}) {
    ASSERT_TRUE(CreateDirectoryW(Widen(root_ + part).c_str(), nullptr));
  }
  WriteAll(copies + "type1.xml", Item(kNoneFirstItem));
  WriteAll(copies + "type3.xml", "an old edit");
  WriteAll(copies + "notes.txt", "not one of the set's files");
  vorn::WriteOptions options;
  options.perUserCopies = copies;
  const vorn::WriteOutcome outcome = Write(vorn::kFullSet, options);
  ASSERT_TRUE(outcome.Written());
  EXPECT_TRUE(outcome.copiesLeft.empty());
  EXPECT_EQ(outcome.copiesMoved, (std::vector<std::string>{copies + "type1.xml", copies + "type3.xml"}));
  EXPECT_EQ(List(copies), (std::vector<std::string>{"backup", "notes.txt"}));
  EXPECT_EQ(ReadAll(copies + "backup\\type1.xml"), Item(kNoneFirstItem));
  EXPECT_EQ(ReadAll(copies + "backup\\type3.xml"), "an old edit");
  EXPECT_EQ(vorn::ExitCodeFor(outcome), vorn::kExitDone);
  EXPECT_NE(vorn::DoneMessage(outcome, vorn::ErrorText).find(copies + "backup\\"), std::string::npos);
  EXPECT_TRUE(Holds(kFullFirstItem));
}

}  // namespace
