#include <gtest/gtest.h>

#include <string>

#include "common/DibLayout.h"
#include "common/UnicodePlaceholder.h"
#include "plugins/catch/CatchRules.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn::catchall {
namespace {

struct Claim {
  Decision decision;
  std::string caught;
};

Claim DecideFor(const char* name, const CatchSettings& s = {}) {
  char caught[kCaughtBytes];
  std::memset(caught, 'Z', sizeof caught);
  Claim c{Decide(name, s, caught), {}};
  c.caught = std::string(caught, strnlen(caught, kCaughtBytes));
  return c;
}

TEST(CatchDecide, BuiltInExtensionsAndTheirSignatures) {
  struct Case {
    const char* name;
    std::uint16_t signature;
    const char* caught;
  };
  for (const Case c : {Case{"x.bmp", kBmpSignature, ".bmp"}, Case{"x.DIB", kBmpSignature, ".DIB"},
                       Case{"x.rle", kBmpSignature, ".rle"}, Case{"x.jpg", kJpegSignature, ".jpg"},
                       Case{"x.Jpe", kJpegSignature, ".Jpe"}, Case{"a.b.jpeg", kJpegSignature, ".jpeg"},
                       Case{"x.gif", kGifSignature, ".gif"}, Case{"x.tif", kTiffSignature, ".tif"},
                       Case{"C:\\pics\\x.TIFF", kTiffSignature, ".TIFF"}}) {
    const Claim got = DecideFor(c.name);
    EXPECT_EQ(got.decision.kind, Decision::kTestHeader) << c.name;
    EXPECT_EQ(got.decision.signature, c.signature) << c.name;
    EXPECT_EQ(got.caught, c.caught) << c.name;
  }
  const Claim bak = DecideFor("backup.BAK");
  EXPECT_EQ(bak.decision.kind, Decision::kClaim) << "claimed whatever it holds";
  EXPECT_EQ(bak.caught, ".BAK");
}

TEST(CatchDecide, HeaderTestOnTheFirstWord) {
  const std::uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0}, text[] = {'h', 'i'};
  const std::uint8_t bmp[] = {'B', 'M'}, gif[] = {'G', 'I'}, little[] = {'I', 'I'}, big[] = {'M', 'M'};
  EXPECT_FALSE(LacksSignature(jpeg, kJpegSignature)) << "a real JPEG named x.jpg is not claimed";
  EXPECT_TRUE(LacksSignature(text, kJpegSignature)) << "a text file named x.jpg is";
  EXPECT_FALSE(LacksSignature(bmp, kBmpSignature));
  EXPECT_FALSE(LacksSignature(gif, kGifSignature));
  EXPECT_FALSE(LacksSignature(little, kTiffSignature));
  EXPECT_TRUE(LacksSignature(big, kTiffSignature)) << "a big-endian TIFF counts as lacking it";
}

TEST(CatchDecide, FlagsOffLeaveTheNameToThePattern) {
  CatchSettings s;
  s.jpgFlag = 0;
  EXPECT_EQ(DecideFor("x.jpg", s).decision.kind, Decision::kRefuse);
  s.pattern = "*";
  Claim c = DecideFor("x.jpg", s);
  EXPECT_EQ(c.decision.kind, Decision::kClaim);
  EXPECT_EQ(c.caught, "0000");
  s.pattern = "JP?";
  EXPECT_EQ(DecideFor("x.jpg", s).decision.kind, Decision::kClaim);
  EXPECT_EQ(DecideFor("x.jpe", s).decision.kind, Decision::kClaim);
  EXPECT_EQ(DecideFor("x.jpeg", s).decision.kind, Decision::kRefuse) << "the length must match";
  s.bakFlag = 0;
  s.pattern = "";
  EXPECT_EQ(DecideFor("x.bak", s).decision.kind, Decision::kRefuse);
  // With the flag on, a signed file is not claimed even though the pattern would take it.
  s = CatchSettings{};
  s.pattern = "*";
  EXPECT_EQ(DecideFor("x.jpg", s).decision.kind, Decision::kTestHeader);
}

TEST(CatchDecide, UserPatternRules) {
  CatchSettings s;
  s.pattern = "*";
  for (const char* name : {"x.mp3", "x.flv", "x.mpeg", "x.MP4", "x.wav", "x.aiff", "x.au_x"})
    EXPECT_EQ(DecideFor(name, s).decision.kind, Decision::kRefuse) << name;
  for (const char* name : {"x.txt", "x.au", "x.mp", "x.psd", "x.heic"})
    EXPECT_EQ(DecideFor(name, s).decision.kind, Decision::kClaim) << name;
  s.pattern = "P?D";
  EXPECT_EQ(DecideFor("x.psd", s).decision.kind, Decision::kClaim);
  EXPECT_EQ(DecideFor("x.PXD", s).decision.kind, Decision::kClaim);
  EXPECT_EQ(DecideFor("x.psdx", s).decision.kind, Decision::kRefuse);
  EXPECT_EQ(DecideFor("x.ps", s).decision.kind, Decision::kRefuse);
  for (const char* one : {"P", "?"}) {
    s.pattern = one;
    EXPECT_EQ(DecideFor("x.ps", s).decision.kind, Decision::kRefuse) << one;
  }
  s.pattern = "ps";
  EXPECT_EQ(DecideFor("x.ps", s).decision.kind, Decision::kRefuse) << "the pattern is stored in upper case";
}

TEST(CatchDecide, NamesThatAreNeverClaimed) {
  CatchSettings s;
  s.pattern = "*";
  for (const char* name : {"x.c", "x.abcdef", "noextension", "x.", "dir.d\\file", "dir.d/file"})
    EXPECT_EQ(DecideFor(name, s).decision.kind, Decision::kRefuse) << name;
  std::string longName(252, 'a');
  EXPECT_EQ(DecideFor((longName + ".bak").c_str()).decision.kind, Decision::kRefuse) << "256 bytes";
  longName.pop_back();
  EXPECT_EQ(DecideFor((longName + ".bak").c_str()).decision.kind, Decision::kClaim) << "255 bytes";
  EXPECT_EQ(DecideFor(nullptr).decision.kind, Decision::kRefuse);
}

TEST(CatchDecide, CaughtExtensionIsClearedOnlyForNamesWithAnExtension) {
  // The name is read for its extension only after the length checks.
  EXPECT_EQ(DecideFor("x.c").caught, "ZZZZZZZZ");
  EXPECT_EQ(DecideFor("x.txt").caught, "") << "cleared, nothing caught";
}

TEST(CatchDecide, DoubleByteCharactersAreNotFolded) {
  // "ｐ" is not a letter, and the trail byte 0x61 ("a") of a double-byte character stays as it is.
  CatchSettings s;
  s.pattern = "\x83" "a";
  EXPECT_EQ(DecideFor("x.\x83" "a", s).decision.kind, Decision::kClaim);
  s.pattern = "\x83" "A";
  EXPECT_EQ(DecideFor("x.\x83" "a", s).decision.kind, Decision::kRefuse);
  EXPECT_EQ(UpperAscii("a\x83" "ab", 4), "A\x83" "aB");
  // A backslash trail byte inside a name is no folder separator.
  s.pattern = "*";
  EXPECT_EQ(DecideFor("\x95\x5C.txt", s).decision.kind, Decision::kClaim);
  EXPECT_EQ(DecideFor("x.\x95\x5C" "b", s).decision.kind, Decision::kClaim);
}

TEST(CatchMarker, BackgroundByCaughtExtension) {
  struct Case {
    const char* caught;
    std::uint8_t b, g, r;
  };
  for (const Case c : {Case{".bak", 200, 200, 200}, Case{".bmp", 200, 210, 255}, Case{".dib", 170, 220, 255},
                       Case{".rle", 150, 170, 255}, Case{".jpg", 255, 240, 210}, Case{".JPE", 255, 220, 220},
                       Case{".jpeg", 255, 220, 190}, Case{".gif", 255, 220, 255}, Case{".tif", 235, 255, 235},
                       Case{".tiff", 220, 255, 220}, Case{"0000", 240, 255, 255}, Case{"", 0, 0, 0}}) {
    char caught[kCaughtBytes] = {};
    std::strncpy(caught, c.caught, kCaughtBytes - 1);
    test::VectorPictureMemory memory;
    ASSERT_EQ(BuildMarkerPicture(memory, nullptr, MarkerFor("C:\\x.any", caught)), kSpiOk);
    ASSERT_EQ(memory.pixels.size(), 12288u);
    for (std::size_t corner : {std::size_t{0}, std::size_t{12285}}) {
      EXPECT_EQ(memory.pixels[corner], c.b) << c.caught;
      EXPECT_EQ(memory.pixels[corner + 1], c.g) << c.caught;
      EXPECT_EQ(memory.pixels[corner + 2], c.r) << c.caught;
    }
    // The glyph: index 8 shows the background, unlisted indices red, the rest their fixed colours.
    int red = 0, background = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const std::uint8_t* p = &memory.pixels[((y + 16) * 64 + x + 16) * 3];
        const std::uint8_t index = CatchGlyphIndex(x, y);
        std::uint8_t want[3];
        MarkerColour(MarkerFor("x", caught), index, want);
        ASSERT_EQ(std::memcmp(p, want, 3), 0);
        if (index == 8) background += std::memcmp(p, memory.pixels.data(), 3) == 0;
        if (index != 8 && (index < 3 || index > 6)) red += p[0] == 0 && p[1] == 0 && p[2] == 255;
      }
    EXPECT_GT(red, 0);
    EXPECT_GT(background, 0);
  }
}

TEST(CatchMarker, UnicodeNamesGetThePlaceholderByteForByte) {
  test::VectorPictureMemory placeholder, marker;
  ASSERT_EQ(BuildPlaceholder(placeholder, nullptr), kSpiOk);
  ASSERT_EQ(BuildMarkerPicture(marker, nullptr, MarkerFor("[UNICODE].jpg", ".jpg")), kSpiOk);
  EXPECT_EQ(marker.info, placeholder.info);
  EXPECT_EQ(marker.pixels, placeholder.pixels);
  EXPECT_FALSE(IsUnicodeMarkerName("[unicode].jpg")) << "the host writes the marker in upper case";
  EXPECT_FALSE(IsUnicodeMarkerName("[UNICODE]jpg"));
}

TEST(CatchSettingsDialog, PatternCheck) {
  std::string got = "unchanged";
  EXPECT_EQ(CheckPattern("*", &got), PatternCheck::kAccepted);
  EXPECT_EQ(got, "*");
  for (const char* wrong : {"*a", "**", "*.jpg"}) EXPECT_EQ(CheckPattern(wrong, &got), PatternCheck::kWildcardNotAlone) << wrong;
  for (const char* wrong : {"a", "?", "abcdef"}) EXPECT_EQ(CheckPattern(wrong, &got), PatternCheck::kBadLength) << wrong;
  EXPECT_EQ(CheckPattern("ps?", &got), PatternCheck::kAccepted);
  EXPECT_EQ(got, "PS?");
  EXPECT_EQ(CheckPattern("", &got), PatternCheck::kAccepted);
  EXPECT_EQ(got, "") << "an empty text clears the pattern";
  const std::string seventy(70, 'x');
  EXPECT_EQ(CheckPattern(seventy.c_str(), &got), PatternCheck::kBadLength);
}

TEST(CatchSettingsProfile, NothingKeepsTheDefault) {
  EXPECT_EQ(FlagFromProfile("Nothing", 1), 1);
  EXPECT_EQ(FlagFromProfile("0", 1), 0);
  EXPECT_EQ(FlagFromProfile("", 1), 0);
  EXPECT_EQ(PatternFromProfile("Nothing", "JPG"), "JPG");
  EXPECT_EQ(PatternFromProfile("", "JPG"), "");
  EXPECT_EQ(PatternFromProfile("ps?", ""), "ps?") << "taken as stored";
}

}  // namespace
}  // namespace tarn::catchall
