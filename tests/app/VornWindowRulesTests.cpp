// The rules of the VORN window checked without a window: detection of the
// installed set, the choice of a set, the About title, key presses, the
// layout units, the command line and the offer to try again as
// administrator.
#include <gtest/gtest.h>

#include "app/AboutBox.h"
#include "app/ApplySet.h"
#include "app/CommandLine.h"
#include "app/Elevation.h"
#include "app/InstalledSet.h"
#include "app/KeyPress.h"
#include "app/PostProcessSets.h"
#include "app/VornLayout.h"

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
  const std::string text = vorn::FailureMessage(
      "None", {{"C:\\g\\postprocess\\type3.xml", 32}, {"C:\\g\\postprocess\\type5.xml", 2}},
      [](int32_t e) { return "reason " + std::to_string(e); });
  EXPECT_NE(text.find("C:\\g\\postprocess\\type3.xml\r\n    reason 32"), std::string::npos) << text;
  EXPECT_NE(text.find("C:\\g\\postprocess\\type5.xml\r\n    reason 2"), std::string::npos) << text;
  EXPECT_NE(text.find("2 files"), std::string::npos) << text;
  EXPECT_NE(vorn::ErrorText(2).find("not"), std::string::npos) << vorn::ErrorText(2);  // file not found
  EXPECT_EQ(vorn::ErrorText(0x7FFFFFF0), "error 2147483632");
}

TEST(VornWindowRules, KeyPressFiresOncePerPress) {
  vorn::KeyPressEdge f1;
  EXPECT_FALSE(f1.Update(0));
  EXPECT_TRUE(f1.Update(static_cast<int16_t>(0x8001)));  // goes down
  EXPECT_FALSE(f1.Update(static_cast<int16_t>(0x8000)));  // held
  EXPECT_FALSE(f1.Update(static_cast<int16_t>(0x8001)));  // held, auto-repeat
  EXPECT_FALSE(f1.Update(0));                             // released
  EXPECT_TRUE(f1.Update(1));                              // tapped between two polls
  EXPECT_FALSE(f1.Update(0));
  EXPECT_TRUE(f1.Update(static_cast<int16_t>(0x8000)));  // pressed again
}

TEST(VornWindowRules, TwipsBecomePixelsThroughTheScreensTwipsPerPixel) {
  EXPECT_EQ(vorn::TwipsPerPixel(96), 15);
  EXPECT_EQ(vorn::TwipsPerPixel(120), 12);
  EXPECT_EQ(vorn::TwipsPerPixel(144), 10);
  const RECT combo = vorn::ToPixels(vorn::kCombo1, 15);
  EXPECT_EQ(combo.left, 120);
  EXPECT_EQ(combo.top, 143);
  EXPECT_EQ(combo.right - combo.left, 128);
  EXPECT_EQ(combo.bottom - combo.top, 21);
  EXPECT_EQ(vorn::TwipsToPixels(-15, 15), -1);
  EXPECT_EQ(vorn::TwipsToPixels(2145, 12), 179);  // 178.75
  EXPECT_EQ(vorn::TwipsToPixels(30, 12), 2);      // 2.5: halves to even
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
