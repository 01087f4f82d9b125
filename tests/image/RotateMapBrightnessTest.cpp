// Brightness through RotateMap: absolute from the loaded pixels until the picture is turned,
// cumulative afterwards; never wrapping; palette pictures change only their colour table.
#include <gtest/gtest.h>

#include "TestPicture.h"
#include "image/BrightLevels.h"
#include "image/PictureTransforms.h"
#include "image/TransState.h"

namespace tarn {
namespace {

using test::Pixels;
using test::TestPicture;

std::uint8_t Clamped(int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// Every byte of every pixel moved by `offset`, held to 0..255.
Pixels Brightened(Pixels p, int bitCount, int offset) {
  for (std::uint32_t& v : p.values) {
    std::uint32_t out = 0;
    for (int k = 0; k < bitCount / 8; ++k)
      out |= std::uint32_t{Clamped(static_cast<int>(v >> (8 * k) & 0xFF) + offset)} << (8 * k);
    v = out;
  }
  return p;
}

// The loaded picture turned clockwise, by screen position.
Pixels TurnedClockwise(const Pixels& p) {
  Pixels out{p.height, p.width, p.values};
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) out.At(p.height - 1 - y, x) = p.At(x, y);
  return out;
}

// The dialog's OK with `level` in its edit box, then the change it asks for.
int Change(PictureTransforms& t, TestPicture& picture, BrightLevels& bright, int level) {
  AcceptBrightness(level, bright);
  return t.RotateMap(kRotateBrightness, picture.Blocks(), bright);
}

TEST(RotateMapBrightness, WithoutATurnEachLevelIsTakenFromTheLoadedPixels) {
  for (const int bits : {24, 32}) {
    SCOPED_TRACE(bits);
    TestPicture picture(5, 3, bits);
    PictureTransforms t;
    BrightLevels bright;
    ASSERT_EQ(Change(t, picture, bright, 40), 0);
    EXPECT_EQ(t.State(), kTransBright);
    EXPECT_EQ(picture.Current(t), Brightened(picture.Loaded(), bits, 40));
    ASSERT_EQ(Change(t, picture, bright, 60), 0);
    EXPECT_EQ(picture.Current(t), Brightened(picture.Loaded(), bits, 60)) << "+60, not +100";
    ASSERT_EQ(Change(t, picture, bright, -20), 0);
    EXPECT_EQ(picture.Current(t), Brightened(picture.Loaded(), bits, -20));
    EXPECT_TRUE(picture.CurrentPaddingIsZero(t)) << "padding is never brightened";
    EXPECT_TRUE(picture.BitsUntouched());
  }
}

TEST(RotateMapBrightness, AfterATurnEachStepIsAddedToTheCurrentPixels) {
  TestPicture picture(5, 3, 24);
  PictureTransforms t;
  BrightLevels bright;
  ASSERT_EQ(t.RotateMap(kRotateClockwise, picture.Blocks(), bright), 0);
  const Pixels turned = TurnedClockwise(picture.Loaded());
  ASSERT_EQ(Change(t, picture, bright, 40), 0);
  EXPECT_EQ(t.State(), kTransTurnedBright);
  EXPECT_EQ(picture.Current(t), Brightened(turned, 24, 40));
  ASSERT_EQ(Change(t, picture, bright, 60), 0);
  EXPECT_EQ(picture.Current(t), Brightened(turned, 24, 60)) << "step 20 on top of 40";
  // Going back down does not recover what stopped at 255.
  ASSERT_EQ(Change(t, picture, bright, 20), 0);
  EXPECT_EQ(picture.Current(t), Brightened(Brightened(turned, 24, 60), 24, -40));
}

TEST(RotateMapBrightness, BytesStopAtTheEndsInsteadOfWrapping) {
  TestPicture picture(3, 1, 32);
  picture.Paint(0, 0, 0xFAFAFAFA);
  picture.Paint(1, 0, 0x0A0A0A0A);
  picture.Paint(2, 0, 0x10FA800A);
  PictureTransforms t;
  BrightLevels bright;
  ASSERT_EQ(Change(t, picture, bright, 40), 0);
  Pixels now = picture.Current(t);
  EXPECT_EQ(now.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(now.At(1, 0), 0x32323232u);
  EXPECT_EQ(now.At(2, 0), 0x38FFA832u) << "the fourth byte of a 32-bit pixel changes too";
  ASSERT_EQ(Change(t, picture, bright, -40), 0);
  now = picture.Current(t);
  EXPECT_EQ(now.At(0, 0), 0xD2D2D2D2u);
  EXPECT_EQ(now.At(1, 0), 0x00000000u);
  EXPECT_EQ(Change(t, picture, bright, 128), 0);
  EXPECT_EQ(picture.Current(t).At(2, 0), 0x90FFFF8Au);
}

TEST(RotateMapBrightness, KeptLevelIsGivenOnlyToAnUntouchedPicture) {
  TestPicture picture(4, 2, 24);
  PictureTransforms t;
  BrightLevels bright{.level = 30, .delta = 0};
  ASSERT_EQ(t.RotateMap(kRotateKeptBrightness, picture.Blocks(), bright), 0);
  EXPECT_EQ(t.State(), kTransBright);
  EXPECT_EQ(picture.Current(t), Brightened(picture.Loaded(), 24, 30));
  bright.level = 90;
  EXPECT_EQ(t.RotateMap(kRotateKeptBrightness, picture.Blocks(), bright), 0);
  EXPECT_EQ(picture.Current(t), Brightened(picture.Loaded(), 24, 30));

  TestPicture turned(4, 2, 24);
  PictureTransforms u;
  ASSERT_EQ(u.RotateMap(kRotateFlipLeftRight, turned.Blocks(), bright), 0);
  const Pixels flipped = turned.Current(u);
  EXPECT_EQ(u.RotateMap(kRotateKeptBrightness, turned.Blocks(), bright), 0);
  EXPECT_EQ(u.State(), kTransTurned);
  EXPECT_EQ(turned.Current(u), flipped);
}

TEST(RotateMapBrightness, StateMovesByTheKindOfChange) {
  EXPECT_EQ(TransStateAfterTurn(kTransUntouched), kTransTurned);
  EXPECT_EQ(TransStateAfterTurn(kTransTurned), kTransTurned);
  EXPECT_EQ(TransStateAfterTurn(kTransBright), kTransTurnedBright);
  EXPECT_EQ(TransStateAfterTurn(kTransTurnedBright), kTransTurnedBright);
  EXPECT_EQ(PlanBrightness(kTransUntouched).after, kTransBright);
  EXPECT_EQ(PlanBrightness(kTransTurned).after, kTransTurnedBright);
  EXPECT_EQ(PlanBrightness(kTransBright).after, kTransBright);
  EXPECT_EQ(PlanBrightness(kTransTurnedBright).after, kTransTurnedBright);
  EXPECT_TRUE(PlanBrightness(kTransBright).fromLoadedBits && PlanBrightness(kTransBright).byLevel);
  EXPECT_FALSE(PlanBrightness(kTransTurnedBright).fromLoadedBits ||
               PlanBrightness(kTransTurnedBright).byLevel);

  // A turn after a brightness change turns the brightened pixels.
  TestPicture picture(6, 4, 24);
  PictureTransforms t;
  BrightLevels bright;
  ASSERT_EQ(Change(t, picture, bright, 25), 0);
  ASSERT_EQ(t.RotateMap(kRotateClockwise, picture.Blocks(), bright), 0);
  EXPECT_EQ(t.State(), kTransTurnedBright);
  EXPECT_EQ(picture.Current(t), TurnedClockwise(Brightened(picture.Loaded(), 24, 25)));
  // Cancel in the dialog returns to the first state, turn included.
  ASSERT_EQ(t.RotateMap(kRotateRestore, picture.Blocks(), bright), 0);
  EXPECT_EQ(t.State(), kTransUntouched);
  EXPECT_EQ(picture.Info(), picture.LoadedInfo());
  EXPECT_EQ(picture.Current(t), picture.Loaded());
}

TEST(BrightnessDialog, LevelsStayInRangeAndTheStepIsWhatTheLevelGains) {
  BrightLevels bright{.level = 40, .delta = 7};
  EXPECT_EQ(OpenBrightnessDialog(false, false, bright), 0);
  EXPECT_EQ(bright.level, 0);
  EXPECT_EQ(bright.delta, 0);
  bright = {.level = 40, .delta = 7};
  EXPECT_EQ(OpenBrightnessDialog(false, true, bright), 40) << "the picture shows it";
  EXPECT_EQ(bright.delta, 40);
  bright = {.level = 30, .delta = 0};
  EXPECT_EQ(OpenBrightnessDialog(true, false, bright), 30) << "kept for a new picture";
  EXPECT_EQ(bright.delta, 30);

  EXPECT_EQ(BrightnessLine(128, +1), 128);
  EXPECT_EQ(BrightnessLine(-128, -1), -128);
  EXPECT_EQ(BrightnessLine(5, -1), 4);
  EXPECT_EQ(BrightnessLine(-1, +1), 0);

  bright = {.level = 40, .delta = 40};
  AcceptBrightness(300, bright);
  EXPECT_EQ(bright.level, 128);
  EXPECT_EQ(bright.delta, 88);
  AcceptBrightness(-500, bright);
  EXPECT_EQ(bright.level, -128);
  EXPECT_EQ(bright.delta, -256) << "a step may span the whole range";
  CancelBrightness(bright);
  EXPECT_EQ(bright.level, 0);
  EXPECT_EQ(bright.delta, 0);
}

// A step of the whole range still stops at the ends of a byte.
TEST(RotateMapBrightness, StepsBeyondAByteSaturate) {
  TestPicture picture(2, 1, 24);
  picture.Paint(0, 0, 0xFF8000);
  picture.Paint(1, 0, 0x01FE7F);
  PictureTransforms t;
  BrightLevels bright;
  ASSERT_EQ(t.RotateMap(kRotateFlipLeftRight, picture.Blocks(), bright), 0);
  ASSERT_EQ(Change(t, picture, bright, 128), 0);
  ASSERT_EQ(Change(t, picture, bright, -128), 0);  // a step of -256
  EXPECT_EQ(picture.Current(t).At(0, 0), 0u);
  EXPECT_EQ(picture.Current(t).At(1, 0), 0u);
  ASSERT_EQ(Change(t, picture, bright, 128), 0);  // +256
  EXPECT_EQ(picture.Current(t).At(0, 0), 0xFFFFFFu);
}

// The colour table of the header block, entry bytes as stored.
std::vector<std::uint8_t> Table(const TestPicture& picture) {
  return {picture.Info().begin() + kDibHeaderBytes, picture.Info().end()};
}
std::vector<std::uint8_t> BrightenedTable(std::vector<std::uint8_t> table, int offset) {
  for (std::size_t i = 0; i < table.size(); ++i)
    if (i % 4 != 3) table[i] = Clamped(table[i] + offset);
  return table;
}

TEST(RotateMapBrightness, PalettePicturesChangeOnlyTheirColourTable) {
  for (const int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    TestPicture picture(7, 3, bits, 11);
    const std::vector<std::uint8_t> loaded = Table(picture);
    ASSERT_EQ(loaded.size(), PaletteEntries(bits) * 4);
    PictureTransforms t;
    BrightLevels bright;
    ASSERT_EQ(Change(t, picture, bright, 40), 0);
    EXPECT_EQ(t.State(), kTransUntouched);
    EXPECT_EQ(t.CurrentBits(picture.Bits().data()), picture.Bits().data());
    EXPECT_TRUE(picture.BitsUntouched());
    EXPECT_EQ(Table(picture), BrightenedTable(loaded, 40)) << "reserved bytes as loaded";
    ASSERT_EQ(Change(t, picture, bright, -60), 0);
    EXPECT_EQ(Table(picture), BrightenedTable(loaded, -60)) << "from the loaded colours";
    ASSERT_EQ(t.RotateMap(kRotateRestore, picture.Blocks(), bright), 0);
    EXPECT_EQ(Table(picture), loaded);
  }
}

TEST(RotateMapBrightness, PaletteChangeAfterATurnKeepsTheTurnAndUsesTheLevel) {
  TestPicture picture(13, 5, 4);
  PictureTransforms t;
  BrightLevels bright;
  const std::vector<std::uint8_t> loaded = Table(picture);
  ASSERT_EQ(t.RotateMap(kRotateCounterClockwise, picture.Blocks(), bright), 0);
  const Pixels turned = picture.Current(t);
  ASSERT_EQ(Change(t, picture, bright, 50), 0);
  ASSERT_EQ(Change(t, picture, bright, 70), 0);
  EXPECT_EQ(t.State(), kTransTurned);
  EXPECT_EQ(picture.Current(t), turned);
  EXPECT_EQ(Table(picture), BrightenedTable(loaded, 70));
  ASSERT_EQ(t.RotateMap(kRotateRestore, picture.Blocks(), bright), 0);
  EXPECT_EQ(picture.Info(), picture.LoadedInfo());
}

// A new picture starts clean: the old picture's colour table is never restored into it.
TEST(RotateMapBrightness, ForgettingThePictureDropsTheSavedTableAndTheTurn) {
  TestPicture first(5, 3, 8, 1);
  PictureTransforms t;
  BrightLevels bright;
  ASSERT_EQ(t.RotateMap(kRotateClockwise, first.Blocks(), bright), 0);
  ASSERT_EQ(Change(t, first, bright, 40), 0);
  t.ForgetPicture();
  EXPECT_EQ(t.State(), kTransUntouched);
  EXPECT_FALSE(t.Swapped());

  TestPicture second(5, 3, 8, 2);
  EXPECT_EQ(t.CurrentBits(second.Bits().data()), second.Bits().data());
  ASSERT_EQ(t.RotateMap(kRotateRestore, second.Blocks(), bright), 0);
  EXPECT_EQ(second.Info(), second.LoadedInfo());
}

}  // namespace
}  // namespace tarn
