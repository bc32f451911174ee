// The rules of the VORN window checked without a window: detection of the
// installed set, the choice of a set, the About title, key presses, the
// layout units, the art at each DPI, the command line, the messages of
// APPLY and its exit codes, the offer to try again as administrator and the
// per-user VirtualStore folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>

#include "app/AboutBox.h"
#include "app/ApplySet.h"
#include "app/CommandLine.h"
#include "app/Elevation.h"
#include "app/ExtractResource.h"
#include "app/InfoViewer.h"
#include "app/InstalledSet.h"
#include "app/KeyPress.h"
#include "app/PostProcessSets.h"
#include "app/Report.h"
#include "app/Utf8.h"
#include "app/VirtualStore.h"
#include "app/VornLayout.h"
#include "app/WindowArt.h"

namespace {

TEST(VornWindowRules, DetectionByLength) {
  EXPECT_EQ(vorn::InstalledSetName(597), "None");
  EXPECT_EQ(vorn::InstalledSetName(18473), "Full");
  EXPECT_EQ(vorn::InstalledSetName(0), "Full");
  EXPECT_EQ(vorn::InstalledSetName(598), "Full");
  EXPECT_EQ(vorn::InstalledSetName(std::nullopt), "None");
}

TEST(VornWindowRules, SelectionIsExactAndCaseSensitive) {
  ASSERT_NE(vorn::SetForSelection("None"), nullptr);
  EXPECT_EQ(vorn::SetForSelection("None")->front().item, 101);
  EXPECT_EQ(vorn::SetForSelection("Full")->back().item, 116);
  for (const char* other : {"none", "FULL", "Full ", " None", ""}) {
    EXPECT_EQ(vorn::SetForSelection(other), nullptr) << other;
  }
  // Both sets name the same files in the same order.
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_STREQ(vorn::kNoneSet[i].fileName, vorn::kFullSet[i].fileName);
    EXPECT_EQ(vorn::kFullSet[i].item, vorn::kNoneSet[i].item + 8);
  }
}

TEST(VornWindowRules, AboutTitleJoinsMinorAndRevision) {
  EXPECT_EQ(vorn::AboutTitle(1, 0, 1), "About (v1.01)");
  EXPECT_EQ(vorn::AboutTitle(2, 3, 14), "About (v2.314)");
  EXPECT_EQ(vorn::AboutTitle(10, 0, 0), "About (v10.00)");
}

TEST(VornWindowRules, InstallFolderMissingOnlyForTheBareSuffix) {
  EXPECT_TRUE(vorn::InstallFolderMissing("\\postprocess\\"));
  EXPECT_FALSE(vorn::InstallFolderMissing("C:\\Games\\VORN\\postprocess\\"));
  EXPECT_FALSE(vorn::InstallFolderMissing("C:\\Games\\VORN\\\\postprocess\\"));
}

TEST(VornWindowRules, FailureMessageNamesEveryFileAndWhy) {
  const auto reason = [](int32_t e) { return "reason " + std::to_string(e); };
  vorn::WriteOutcome outcome;
  outcome.failures = {{"C:\\g\\postprocess\\type3.xml", 2}, {"C:\\g\\postprocess\\type5.xml", kErrorTargetIsFolder}};
  std::string text = vorn::FailureMessage("None", outcome, reason);
  EXPECT_NE(text.find("C:\\g\\postprocess\\type3.xml\r\n    reason 2"), std::string::npos) << text;
  EXPECT_NE(text.find("C:\\g\\postprocess\\type5.xml\r\n    a folder stands where"), std::string::npos) << text;
  EXPECT_NE(text.find("Nothing was changed"), std::string::npos) << text;
  EXPECT_EQ(text.find("in use"), std::string::npos) << text;
  EXPECT_EQ(vorn::ExitCodeFor(outcome), vorn::kExitNotWritten);

  // A held file reads as in use, whatever error the system gave, with the
  // advice to close the game; a failed putting back is said too.
  outcome.failures = {{"C:\\g\\postprocess\\type3.xml", ERROR_LOCK_VIOLATION}};
  outcome.notPutBack = {{"C:\\g\\postprocess\\type1.xml", 5}};
  text = vorn::FailureMessage("Full", outcome, reason);
  EXPECT_NE(text.find("type3.xml\r\n    in use by another program"), std::string::npos) << text;
  EXPECT_NE(text.find("Close the game, or whatever program holds the file, and press APPLY again."), std::string::npos)
      << text;
  EXPECT_NE(text.find("parts of both sets:\r\n\r\nC:\\g\\postprocess\\type1.xml\r\n    reason 5"), std::string::npos)
      << text;
  EXPECT_EQ(text.find("Nothing was changed"), std::string::npos) << text;
  EXPECT_EQ(vorn::ExitCodeFor(outcome), vorn::kExitInUse);

  // Written: 0, unless per-user copies the game reads stayed.
  vorn::WriteOutcome written;
  EXPECT_EQ(vorn::DoneMessage(written, reason), "DONE!");
  EXPECT_EQ(vorn::ExitCodeFor(written), vorn::kExitDone);
  written.copiesLeft = {{"C:\\v\\type1.xml", 5}};
  EXPECT_EQ(vorn::ExitCodeFor(written), vorn::kExitNotWritten);
  EXPECT_NE(vorn::DoneMessage(written, reason).find("C:\\v\\type1.xml\r\n    reason 5"), std::string::npos);

  EXPECT_NE(vorn::ErrorText(2).find("not"), std::string::npos) << vorn::ErrorText(2);  // file not found
  EXPECT_EQ(vorn::ErrorText(0x7FFFFFF0), "error 2147483632");
}

TEST(VornWindowRules, KeyPressFiresOncePerPressMadeWhileThisProgramIsInFront) {
  constexpr int16_t kUp = 0, kDown = static_cast<int16_t>(0x8000), kDownMarked = static_cast<int16_t>(0x8001);
  struct Poll {
    int16_t state;
    bool inFront;
    bool press;
  };
  const Poll polls[] = {
      {kUp, true, false},
      {kDownMarked, true, true},    // goes down with this program in front
      {kDown, true, false},         // held
      {kDownMarked, true, false},   // held, auto-repeat
      {kUp, true, false},           // released
      {1, true, false},             // only the "pressed since the last query" mark
      {kDown, false, false},        // pressed while another program is in front
      {kDown, true, false},         // ... and still held when this one comes to the front
      {kUp, true, false},           //
      {kDown, true, true},          // pressed again, here
      {kUp, false, false},          //
      {kDownMarked, false, false},  // in the other program
  };
  vorn::KeyPressEdge key;
  for (size_t i = 0; i < std::size(polls); ++i) {
    EXPECT_EQ(key.Update(polls[i].state, polls[i].inFront), polls[i].press) << "poll " << i;
  }
}

TEST(VornWindowRules, TheViewerIsTheWindowsFoldersNotepadWithTheFileQuoted) {
  const vorn::ViewerCommand viewer = vorn::ViewerFor(L"D:\\WINNT", L"C:\\Program Files\\VORN\\QUILLMOR.nfo");
  EXPECT_EQ(viewer.program, L"D:\\WINNT\\Notepad.exe");
  EXPECT_EQ(viewer.commandLine, L"\"D:\\WINNT\\Notepad.exe\" \"C:\\Program Files\\VORN\\QUILLMOR.nfo\"");
  EXPECT_EQ(vorn::ViewerFor(L"C:\\", L"a.nfo").program, L"C:\\Notepad.exe");
}

TEST(VornWindowRules, TextsGoToARedirectedOutputAsUtf8Lines) {
  EXPECT_TRUE(vorn::OutputIsRedirected(FILE_TYPE_PIPE, false));
  EXPECT_TRUE(vorn::OutputIsRedirected(FILE_TYPE_DISK, false));
  EXPECT_TRUE(vorn::OutputIsRedirected(FILE_TYPE_CHAR, false));  // NUL
  EXPECT_FALSE(vorn::OutputIsRedirected(FILE_TYPE_CHAR, true));  // a console
  EXPECT_FALSE(vorn::OutputIsRedirected(FILE_TYPE_UNKNOWN, false));
  EXPECT_EQ(vorn::OutputBytes(L"DONE!"), "DONE!\r\n");
  EXPECT_EQ(vorn::OutputBytes(L"C:\\\u30B2\u30FC\u30E0\r\n    x"),
            "C:\\\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0\r\n    x\r\n");
}

TEST(VornWindowRules, TheSelectorsPlaceScalesWithTheDpi) {
  const RECT at96 = vorn::ToPixels(vorn::kCombo1, 96);
  EXPECT_EQ(at96.left, 120);
  EXPECT_EQ(at96.top, 143);
  EXPECT_EQ(at96.right - at96.left, 128);
  EXPECT_EQ(at96.bottom - at96.top, 21);
  const RECT at144 = vorn::ToPixels(vorn::kCombo1, 144);
  EXPECT_EQ(at144.top, 214);                // 214.5: halves to even
  EXPECT_EQ(at144.bottom - at144.top, 32);  // 31.5
  const RECT at192 = vorn::ToPixels(vorn::kCombo1, 192);
  EXPECT_EQ(at192.left, 240);
  EXPECT_EQ(at192.right - at192.left, 256);
}

TEST(VornWindowRules, ArtBetweenTheDrawnSizesIsScaledFromTheNextLarger) {
  std::string path = VORN_EXE_PATH;
  if (path[0] == '/') path = "Z:" + path;
  HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  for (const auto& [dpi, width, height] :
       {std::tuple{96, 256, 128}, {120, 320, 160}, {144, 384, 192}, {192, 512, 256}}) {
    const host::Picture banner = vorn::LoadArt(exe, 201, dpi, true);
    EXPECT_EQ(banner.WidthPixels(), width) << dpi;
    EXPECT_EQ(banner.HeightPixels(), height) << dpi;
  }
  // The line is stretched by its image: its drawing comes as it is.
  EXPECT_EQ(vorn::LoadArt(exe, 202, 120, false).HeightPixels(), 4);
  FreeLibrary(exe);
}

TEST(VornWindowRules, ArtIsPickedByDpiAndScaledByArea) {
  EXPECT_EQ(vorn::ArtPercent(96), 100);
  EXPECT_EQ(vorn::ArtPercent(120), 150);  // the next larger drawing, scaled down
  EXPECT_EQ(vorn::ArtPercent(144), 150);
  EXPECT_EQ(vorn::ArtPercent(168), 200);
  EXPECT_EQ(vorn::ArtPercent(192), 200);
  EXPECT_EQ(vorn::ArtPercent(288), 200);
  const SIZE banner144 = vorn::ArtSizeAt(144, 256, 128);
  EXPECT_EQ(banner144.cx, 384);
  EXPECT_EQ(banner144.cy, 192);
  const SIZE banner120 = vorn::ArtSizeAt(120, 256, 128);
  EXPECT_EQ(banner120.cx, 320);
  EXPECT_EQ(banner120.cy, 160);

  // Three pixels across become two: each target pixel takes one and a half
  // source pixels.
  const std::vector<uint8_t> row{0, 0, 0, 90, 90, 90, 240, 240, 240};
  EXPECT_EQ(vorn::ScaleRgb(row, 3, 1, 2, 1), (std::vector<uint8_t>{30, 30, 30, 190, 190, 190}));
  // Two by two into one: the average; channels stay apart.
  const std::vector<uint8_t> square{10, 0, 255, 20, 0, 255, 30, 0, 255, 40, 4, 255};
  EXPECT_EQ(vorn::ScaleRgb(square, 2, 2, 1, 1), (std::vector<uint8_t>{25, 1, 255}));
  // The same size gives the same pixels; growing repeats them.
  EXPECT_EQ(vorn::ScaleRgb(square, 2, 2, 2, 2), square);
  EXPECT_EQ(vorn::ScaleRgb(row, 3, 1, 6, 2),
            (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 90, 90, 90, 90, 90, 90, 240, 240, 240, 240, 240, 240,
                                  0, 0, 0, 0, 0, 0, 90, 90, 90, 90, 90, 90, 240, 240, 240, 240, 240, 240}));
}

TEST(VornWindowRules, CommandLine) {
  using vorn::Command;
  EXPECT_EQ(vorn::ParseCommandLine(L"").command, Command::Window);
  EXPECT_EQ(vorn::ParseCommandLine(L" \t ").command, Command::Window);

  const vorn::CommandLine full = vorn::ParseCommandLine(L"/apply Full");
  EXPECT_EQ(full.command, Command::Apply);
  EXPECT_EQ(full.setName, "Full");
  EXPECT_FALSE(full.quiet);
  const vorn::CommandLine none = vorn::ParseCommandLine(L"/QUIET  \"/Apply\" \"None\"");
  EXPECT_EQ(none.command, Command::Apply);
  EXPECT_EQ(none.setName, "None");
  EXPECT_TRUE(none.quiet);
  const vorn::CommandLine back = vorn::ParseCommandLine(vorn::Widen(vorn::ApplyArguments("None")));
  EXPECT_EQ(back.command, Command::Apply);
  EXPECT_EQ(back.setName, "None");
  EXPECT_FALSE(back.quiet);

  EXPECT_EQ(vorn::ParseCommandLine(L"/?").command, Command::Usage);
  EXPECT_EQ(vorn::ParseCommandLine(L"/apply None /?").command, Command::Usage);

  // Every other line is an error that says what is wrong, never a start.
  for (const wchar_t* bad : {L"/apply", L"/apply full", L"/apply Fast", L"/apply None /apply Full", L"/quiet",
                             L"/bogus", L"/apply None /bogus", L"None", L"/apply None extra", L"-apply None"}) {
    const vorn::CommandLine line = vorn::ParseCommandLine(bad);
    EXPECT_EQ(line.command, Command::Error) << vorn::Utf8(bad);
    EXPECT_FALSE(line.error.empty()) << vorn::Utf8(bad);
  }
  EXPECT_NE(vorn::ParseCommandLine(L"/bogus").error.find("\"/bogus\""), std::string::npos);
  EXPECT_NE(vorn::ParseCommandLine(L"/apply Fast").error.find("\"Fast\""), std::string::npos);
  EXPECT_TRUE(vorn::ParseCommandLine(L"/bogus /quiet").quiet);
  // Text beyond the ANSI code page comes through as it was typed.
  EXPECT_NE(vorn::ParseCommandLine(L"/apply \u30B2\u30FC\u30E0").error.find("\"\u30B2\u30FC\u30E0\""),
            std::string::npos);

  // The program's name, quoted or not, is not an argument.
  for (const auto& [line, arguments] :
       {std::pair<const wchar_t*, const wchar_t*>{L"VORN.exe /apply None", L"/apply None"},
        {L"\"C:\\Games\\\u30C4\u30FC\u30EB\\VORN.exe\"  /?", L"/?"},
        {L"\"C:\\a b\\VORN.exe\"", L""},
        {L"C:\\\"a b\"\\VORN.exe\t/quiet", L"/quiet"},
        {L"VORN.exe", L""}}) {
    EXPECT_EQ(vorn::ArgumentsOf(line), arguments) << vorn::Utf8(line);
  }
}

TEST(VornWindowRules, ElevationIsOfferedForAccessDeniedOnAFileNobodyHolds) {
  const std::vector<vorn::FileFailure> denied{{"a", ERROR_FILE_NOT_FOUND}, {"b", ERROR_ACCESS_DENIED}};
  EXPECT_TRUE(vorn::OfferElevation(denied, false));
  EXPECT_FALSE(vorn::OfferElevation(denied, true));
  // A held file stays held for an administrator; a folder is no file.
  for (const int32_t other :
       std::initializer_list<int32_t>{ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, kErrorTargetIsFolder}) {
    EXPECT_FALSE(vorn::OfferElevation({{"a", other}}, false)) << other;
  }
  EXPECT_FALSE(vorn::OfferElevation({{"a", ERROR_SHARING_VIOLATION}, {"b", ERROR_ACCESS_DENIED}}, false));
  EXPECT_FALSE(vorn::OfferElevation({}, false));
}

TEST(VornWindowRules, VirtualStoreMirrorsOnlyVirtualizedFolders) {
  const vorn::VirtualizedFolders folders{
      {"C:\\Program Files", "C:\\Program Files (x86)\\", "C:\\Windows", "C:\\ProgramData"},
      "C:\\Users\\p\\AppData\\Local"};
  const std::string store = "C:\\Users\\p\\AppData\\Local\\VirtualStore\\";
  for (const auto& [folder, copy] : {
           std::pair<std::string, std::string>{"C:\\Program Files\\VORN\\postprocess\\",
                                               store + "Program Files\\VORN\\postprocess\\"},
           {"c:\\PROGRAM FILES (X86)\\Olverant\\VORN\\\\postprocess\\",
            store + "PROGRAM FILES (X86)\\Olverant\\VORN\\postprocess\\"},
           {"C:\\ProgramData\\\u30B2\u30FC\u30E0\\postprocess",
            store + "ProgramData\\\u30B2\u30FC\u30E0\\postprocess\\"},
           {"C:\\Windows\\postprocess\\", store + "Windows\\postprocess\\"},
           {"C:\\Program Files2\\VORN\\postprocess\\", ""},  // a whole folder name only
           {"C:\\Games\\VORN\\postprocess\\", ""},
           {"D:\\Program Files\\VORN\\postprocess\\", ""},
           {"\\postprocess\\", ""},
       }) {
    EXPECT_EQ(vorn::VirtualStoreCopyOf(folder, folders), copy) << folder;
  }
  EXPECT_EQ(vorn::VirtualStoreCopyOf("C:\\Program Files\\VORN\\postprocess\\", {folders.roots, ""}), "");
}

}  // namespace
