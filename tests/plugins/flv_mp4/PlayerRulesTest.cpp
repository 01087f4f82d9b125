// TarnFlv's and TarnMp4's name rule, the player's command line and the preset switch: what would
// start the wrong program, drop a quote or take a file the library cannot serve.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugins/flv_mp4/PlayerRules.h"

namespace tarn::player {
namespace {

TEST(PlayerNames, OnlyAThreeLetterOwnExtensionIsTakenAndRemembered) {
  char remembered[kRememberedBytes] = "junk";
  EXPECT_EQ(CheckName("C:\\movies\\clip.FLV", ".flv", remembered), NameCheck::kAccept);
  EXPECT_STREQ(remembered, ".FLV");
  EXPECT_TRUE(IsOwnExtension(remembered, ".flv"));
  EXPECT_FALSE(IsOwnExtension(remembered, ".mp4"));

  // Another kind of name forgets the last one, so GetPreview no longer serves it.
  EXPECT_EQ(CheckName("clip.flv1", ".flv", remembered), NameCheck::kOther);
  EXPECT_STREQ(remembered, "");
  EXPECT_EQ(CheckName("clip.mp4", ".flv", remembered), NameCheck::kOther);
  // Refused before anything is read or forgotten.
  std::memcpy(remembered, ".flv", 5);
  EXPECT_EQ(CheckName("clip.f", ".flv", remembered), NameCheck::kRefuse);
  EXPECT_EQ(CheckName("clip.flvxyz", ".flv", remembered), NameCheck::kRefuse);
  EXPECT_EQ(CheckName("noextension", ".flv", remembered), NameCheck::kRefuse);
  EXPECT_EQ(CheckName(nullptr, ".flv", remembered), NameCheck::kRefuse);
  EXPECT_STREQ(remembered, ".flv");
}

TEST(PlayerNames, NamesOfTwoHundredFiftySixBytesAreRefused) {
  char remembered[kRememberedBytes] = {};
  std::string name(251, 'a');
  name += ".flv";  // 255 bytes: the longest name there is room for
  EXPECT_EQ(CheckName(name.c_str(), ".flv", remembered), NameCheck::kAccept);
  name.insert(0, "a");
  EXPECT_EQ(CheckName(name.c_str(), ".flv", remembered), NameCheck::kRefuse);
}

TEST(PlayerCommandLine, QuotesOnlyPartsWithBlanks) {
  EXPECT_EQ(CommandLine("C:\\Program Files\\p.exe", "D:\\my clip.flv", "/play /close"),
            "\"C:\\Program Files\\p.exe\" \"D:\\my clip.flv\" /play /close");
  EXPECT_EQ(CommandLine("C:\\p.exe", "D:\\clip.mp4", ""), "C:\\p.exe D:\\clip.mp4");
}

TEST(PlayerCommandLine, PresetSwitchIsSlashPsFollowedByABlankOrTheEnd) {
  EXPECT_TRUE(HasPresetSwitch("/ps"));
  EXPECT_TRUE(HasPresetSwitch("/play /PS /close"));
  EXPECT_TRUE(HasPresetSwitch("/Ps "));
  EXPECT_FALSE(HasPresetSwitch("/psx"));
  EXPECT_FALSE(HasPresetSwitch("/p"));
  EXPECT_FALSE(HasPresetSwitch("ps /play"));
  EXPECT_FALSE(HasPresetSwitch(""));
}

TEST(PlayerSettings, SelectedSlotMustBeOneDigitFromZeroToTwo) {
  EXPECT_EQ(SlotFromProfile("2"), 2);
  EXPECT_EQ(SlotFromProfile("0"), 0);
  EXPECT_EQ(SlotFromProfile("3"), -1);
  EXPECT_EQ(SlotFromProfile("-1"), -1);
  EXPECT_EQ(SlotFromProfile("1x"), -1);
  EXPECT_EQ(SlotFromProfile("Nothing"), -1);
  EXPECT_EQ(SlotFromProfile(""), -1);
}

TEST(PlayerPictogram, UnicodeNamesTurnLettersGreyOnThePlaceholderColour) {
  PreviewLook look;
  MakePreviewLook(Library::kMp4, "[UNICODE].mp4", &look);
  EXPECT_EQ(look.style.background[0], 200);
  EXPECT_EQ(look.style.other[2], 200);
  MakePreviewLook(Library::kFlv, "x.flv", &look);
  EXPECT_EQ(look.style.background[0], 240);
  EXPECT_EQ(look.style.other[2], 255);
  // The two libraries' pictograms differ: each shows its own letters.
  int differing = 0;
  for (int y = 0; y < kPictogramSide; ++y)
    for (int x = 0; x < kPictogramSide; ++x)
      differing += PictogramCode(Library::kFlv, x, y) != PictogramCode(Library::kMp4, x, y);
  EXPECT_GT(differing, 20);
}

}  // namespace
}  // namespace tarn::player
