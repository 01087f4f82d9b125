// The loader's side of the sense exchange with the GIF player, and the motion GIF's own steps,
// against a scripted player that may answer anything.
#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "image/MotionGif.h"
#include "image/SenseExchange.h"
#include "plugin_host/SenseState.h"

namespace tarn {
namespace {

class GifSenseTest : public ::testing::Test {
 protected:
  // Answers `result`, writing `frames_` and `cycles_` where the player does; records the commands.
  SenseCell* Load(bool frameLoad, int result = 0) {
    return PrepareGifSense(frameLoad, gif_, cells_, [this, result](SenseCell* command) {
      commands_.push_back(command[0]);
      if (result == 0) {
        command[0] = frames_;
        command[1] = cycles_;
      }
      return result;
    });
  }

  SenseCell cells_[kSenseCellCount] = {};
  MotionGif gif_;
  SenseCell frames_ = 0, cycles_ = 0;
  std::vector<SenseCell> commands_;
};

TEST_F(GifSenseTest, AnAnimationIsLearntOnceAndWalkedThroughItsCycles) {
  frames_ = 3;
  cycles_ = 2;
  gif_.maxWidth = gif_.maxHeight = 99;
  cells_[kCellGifLeft] = cells_[kCellGifTop] = 7;
  ASSERT_EQ(Load(true), &cells_[kCellGifCommand]);
  EXPECT_EQ(gif_.frames, 3);
  EXPECT_EQ(gif_.loops, 2);
  EXPECT_EQ(cells_[kCellGifCommand], 1) << "the frame to decode";
  EXPECT_EQ(gif_.maxWidth + gif_.maxHeight + cells_[kCellGifLeft] + cells_[kCellGifTop], 0);
  for (int shown = 2; shown <= 3; ++shown) {
    ASSERT_TRUE(gif_.StepAfterFrame());
    Load(true);
    EXPECT_EQ(cells_[kCellGifCommand], shown);
  }
  EXPECT_TRUE(gif_.CycleDone());
  ASSERT_TRUE(gif_.StepAfterFrame()) << "the second cycle";
  Load(true);
  EXPECT_EQ(commands_, (std::vector<SenseCell>{kGifStart, kGifNextCycle})) << "asked once per cycle";
  EXPECT_EQ(cells_[kCellGifCommand], 1);
  EXPECT_EQ(gif_.loops, 1) << "a new cycle leaves the count alone";

  gif_.frame = 3;
  EXPECT_FALSE(gif_.StepAfterFrame()) << "no cycle left";
  Load(true);
  EXPECT_EQ(commands_.back(), kGifStart) << "the next frame load starts afresh";
}

TEST_F(GifSenseTest, FrameCountsOfNoneOneFewerThanNoneAndMany) {
  using Case = std::pair<SenseCell, SenseCell>;  // frames answered, frame number sent
  for (const auto& [answered, frameSent] : {Case{0, 0}, Case{1, 1}, Case{-5, 0}, Case{INT_MAX, 1}}) {
    gif_ = {};
    frames_ = answered;
    cycles_ = 4;
    Load(true);
    EXPECT_EQ(gif_.Playing(), frameSent == 1) << answered;
    EXPECT_EQ(cells_[kCellGifCommand], frameSent) << answered;
  }
  // One frame: every cycle is that frame again, announced anew.
  gif_.frames = gif_.frame = 1;
  ASSERT_TRUE(gif_.StepAfterFrame());
  Load(true);
  EXPECT_EQ(commands_.back(), kGifNextCycle);
  EXPECT_EQ(cells_[kCellGifCommand], 1);
}

TEST_F(GifSenseTest, RefusalsStillsAndHostileCycles) {
  gif_ = {.frames = 5, .loops = 0, .frame = 2};
  Load(true, 8);  // a name the player cannot open
  EXPECT_FALSE(gif_.Playing());
  EXPECT_EQ(cells_[kCellGifCommand], 0) << "a refused animation is shown as its first frame";

  frames_ = 3;
  cycles_ = INT_MIN;
  Load(true);
  EXPECT_EQ(gif_.loops, 0) << "fewer cycles than none is none";
  gif_.frame = 3;
  EXPECT_FALSE(gif_.StepAfterFrame());

  gif_ = {.frames = 3, .loops = 2, .frame = 2};
  EXPECT_EQ(Load(false), nullptr) << "a still passes no frame number";
  EXPECT_EQ(commands_.back(), kGifReset);
  EXPECT_EQ(gif_.frames + gif_.loops + cells_[kCellGifCommand], 0);
}

TEST(MotionGif, FrameAnswersAreKeptInsideWhatAGifCanSay) {
  SenseCell cells[kSenseCellCount] = {};
  cells[kCellGifDelay] = -7;
  cells[kCellGifLeft] = -1;
  cells[kCellGifTop] = 0x10000;
  MotionGif gif{.frames = 2, .maxWidth = 30, .maxHeight = 40};
  TakeFrameAnswers(gif, cells);
  EXPECT_EQ(gif.left, 0);
  EXPECT_EQ(gif.top, 0xFFFF);
  EXPECT_EQ(gif.NextFrameInterval(), 70) << "no delay: paced by size";

  gif.TakeFrameExtent(20, INT_MAX);
  EXPECT_EQ(gif.maxWidth, 30) << "the extent never shrinks";
  EXPECT_EQ(gif.maxHeight, INT_MAX) << "offset and height saturate";
  cells[kCellGifDelay] = 5;
  TakeFrameAnswers(gif, cells);
  EXPECT_EQ(gif.NextFrameInterval(), 5) << "the area is counted wide";
}

TEST(MotionGif, FlvAndMp4PlayersByTheNamesEnd) {
  EXPECT_EQ(FlvMp4PlayerFor(u"C:\\a.FLV"), kFlvPlayer);
  EXPECT_EQ(FlvMp4PlayerFor(u"a.Mp4"), kMp4Player);
  for (const char16_t* other : {u"a.mp3", u"flv", u""}) EXPECT_EQ(FlvMp4PlayerFor(other), nullptr);
}

}  // namespace
}  // namespace tarn
