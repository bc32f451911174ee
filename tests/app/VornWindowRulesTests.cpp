// The rules of the VORN window checked without a window: detection of the
// installed set, the choice of a set, the About title, key presses, the
// layout units, the art at each DPI, the command line and the offer to try
// again as administrator.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>

#include "app/AboutBox.h"
#include "app/ApplySet.h"
#include "app/CommandLine.h"
#include "app/Elevation.h"
#include "app/InfoViewer.h"
#include "app/InstalledSet.h"
#include "app/KeyPress.h"
#include "app/PostProcessSets.h"
#include "app/Report.h"
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
  const std::string text =
      vorn::FailureMessage("None", {{"C:\\g\\postprocess\\type3.xml", 32}, {"C:\\g\\postprocess\\type5.xml", 2}},
                           [](int32_t e) { return "reason " + std::to_string(e); });
  EXPECT_NE(text.find("C:\\g\\postprocess\\type3.xml\r\n    reason 32"), std::string::npos) << text;
  EXPECT_NE(text.find("C:\\g\\postprocess\\type5.xml\r\n    reason 2"), std::string::npos) << text;
  EXPECT_NE(text.find("2 files"), std::string::npos) << text;
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
  EXPECT_EQ(vorn::ParseCommandLine("").command, Command::Window);
  EXPECT_EQ(vorn::ParseCommandLine(" \t ").command, Command::Window);

  const vorn::CommandLine full = vorn::ParseCommandLine("/apply Full");
  EXPECT_EQ(full.command, Command::Apply);
  EXPECT_EQ(full.setName, "Full");
  EXPECT_FALSE(full.quiet);
  const vorn::CommandLine none = vorn::ParseCommandLine("/QUIET  \"/Apply\" \"None\"");
  EXPECT_EQ(none.command, Command::Apply);
  EXPECT_EQ(none.setName, "None");
  EXPECT_TRUE(none.quiet);
  const vorn::CommandLine back = vorn::ParseCommandLine(vorn::ApplyArguments("None"));
  EXPECT_EQ(back.command, Command::Apply);
  EXPECT_EQ(back.setName, "None");
  EXPECT_FALSE(back.quiet);

  EXPECT_EQ(vorn::ParseCommandLine("/?").command, Command::Usage);
  EXPECT_EQ(vorn::ParseCommandLine("/apply None /?").command, Command::Usage);

  // Every other line is an error that says what is wrong, never a start.
  for (const char* bad : {"/apply", "/apply full", "/apply Fast", "/apply None /apply Full", "/quiet", "/bogus",
                          "/apply None /bogus", "None", "/apply None extra", "-apply None"}) {
    const vorn::CommandLine line = vorn::ParseCommandLine(bad);
    EXPECT_EQ(line.command, Command::Error) << bad;
    EXPECT_FALSE(line.error.empty()) << bad;
  }
  EXPECT_NE(vorn::ParseCommandLine("/bogus").error.find("\"/bogus\""), std::string::npos);
  EXPECT_NE(vorn::ParseCommandLine("/apply Fast").error.find("\"Fast\""), std::string::npos);
  EXPECT_TRUE(vorn::ParseCommandLine("/bogus /quiet").quiet);
}

TEST(VornWindowRules, ElevationIsOfferedForAccessDeniedWhenNotElevated) {
  const std::vector<vorn::FileFailure> denied{{"a", ERROR_SHARING_VIOLATION}, {"b", ERROR_ACCESS_DENIED}};
  const std::vector<vorn::FileFailure> other{{"a", ERROR_SHARING_VIOLATION}, {"b", ERROR_FILE_NOT_FOUND}};
  EXPECT_TRUE(vorn::OfferElevation(denied, false));
  EXPECT_FALSE(vorn::OfferElevation(denied, true));
  EXPECT_FALSE(vorn::OfferElevation(other, false));
  EXPECT_FALSE(vorn::OfferElevation({}, false));
}

}  // namespace
