#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/DibLayout.h"
#include "plugins/gif/GifFormat.h"
#include "plugins/gif/GifPlayer.h"
#include "tests/plugins/gif/GifBuilder.h"
#include "tests/support/VectorPictureMemory.h"

namespace tarn::gif {
namespace {

using test::Bytes;
using test::GifFile;
using test::GifImage;
using test::MakeGif;
using test::VectorPictureMemory;

struct RecordingNotice : Notice {
  void Show(const char* text, const char* caption) override { shown.emplace_back(text, caption); }
  std::vector<std::pair<std::string, std::string>> shown;
};

struct MapFiles : FileSource {
  Status Load(const char* name) override {
    ++loads;
    if (noMemory) return kNoMemory;
    const auto it = files.find(name);
    if (it == files.end()) return kOpenFailed;
    current = it->second;
    return kLoaded;
  }
  const std::uint8_t* Data() const override { return current.data(); }
  std::size_t Size() const override { return current.size(); }
  void Release() override { current.clear(); }
  std::map<std::string, Bytes> files;
  Bytes current;
  bool noMemory = false;
  int loads = 0;
};

// A decoded picture: header, palette and a reader of colour indices (x, y from the top).
struct Picture {
  DibHeader h;
  Bytes palette, pixels;
  int Index(int x, int y) const {
    const std::size_t stride = DibRowBytes(h.biWidth, h.biBitCount);
    const std::uint8_t* row = pixels.data() + (h.biHeight - 1 - y) * stride;
    if (h.biBitCount == 8) return row[x];
    if (h.biBitCount == 4) return (x & 1) ? row[x >> 1] & 15 : row[x >> 1] >> 4;
    return row[x >> 3] >> (7 - (x & 7)) & 1;
  }
};

class GifPlayerTest : public ::testing::Test {
 protected:
  int Decode(const Bytes& gif, SenseCell* cells, Picture* out = nullptr) {
    VectorPictureMemory memory;
    const int result = player.Decode(gif.data(), gif.size(), cells, memory, notice);
    EXPECT_EQ(memory.workOutstanding, 0);
    EXPECT_EQ(result == kSpiOk, memory.held);
    if (result == kSpiOk && out != nullptr) {
      out->h = LoadDibHeader(memory.info.data());
      out->palette.assign(memory.info.begin() + 40, memory.info.end());
      out->pixels = memory.pixels;
    }
    return result;
  }
  int Sense(const Bytes& gif, SenseCell command) {
    files.files["anim.gif"] = gif;
    cells[0] = command;
    return player.Sense("TarnGif.spi", "anim.gif", cells, files, notice);
  }
  // Frame r as the host asks for it: the frame number in cells[0].
  int Frame(const Bytes& gif, int r, Picture* out) {
    cells[0] = r;
    return Decode(gif, cells, out);
  }

  GifPlayer player;
  RecordingNotice notice;
  MapFiles files;
  SenseCell cells[6] = {};
};

TEST_F(GifPlayerTest, OutputDepthFollowsTheScreenTableFieldAndIndicesAreReduced) {
  struct Case {
    int field, bits;
    std::size_t infoBytes;
  };
  for (const Case c : {Case{0, 1, 48}, Case{1, 4, 104}, Case{3, 4, 104}, Case{4, 8, 1064}, Case{7, 8, 1064}}) {
    SCOPED_TRACE(c.field);
    // A local table of 256 entries lets the pixels use indices beyond the delivered depth.
    const Bytes pixels = test::PatternIndices(11, 5, 256, 3);
    const Bytes gif = MakeGif({.width = 11, .height = 5, .field = c.field,
                               .images = {{.width = 11, .height = 5, .pixels = pixels, .localField = 7}}});
    VectorPictureMemory memory;
    ASSERT_EQ(player.Decode(gif.data(), gif.size(), nullptr, memory, notice), kSpiOk);
    ASSERT_EQ(memory.info.size(), c.infoBytes);
    const DibHeader h = LoadDibHeader(memory.info.data());
    EXPECT_EQ(h.biBitCount, c.bits);
    EXPECT_EQ(h.biClrUsed, PaletteEntries(c.bits));
    EXPECT_EQ(h.biWidth, 11);
    EXPECT_EQ(h.biHeight, 5);
    EXPECT_EQ(h.biCompression, 0u);
    const std::size_t stride = DibRowBytes(11, c.bits);
    ASSERT_EQ(memory.pixels.size(), stride * 5);
    Picture p{h, {}, memory.pixels};
    const int mask = c.bits == 8 ? 255 : c.bits == 4 ? 15 : 1;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 11; ++x) ASSERT_EQ(p.Index(x, y), pixels[y * 11 + x] & mask) << x << "," << y;
      // Padding after the last pixel's byte is zero, never left over.
      const std::size_t used = (11 * static_cast<std::size_t>(c.bits) + 7) / 8;
      for (std::size_t i = used; i < stride; ++i) EXPECT_EQ(memory.pixels[y * stride + i], 0);
    }
    if (c.bits == 1) {
      EXPECT_EQ(memory.pixels[1] & 0x1F, 0) << "unused low bits of the last byte";
    }
  }
}

TEST_F(GifPlayerTest, LocalTableEntriesLieOverTheGlobalOnes) {
  Bytes global = test::RampTable(3);      // 16 entries
  Bytes local = test::RampTable(1, 200);  // 4 entries
  const Bytes gif = MakeGif({.width = 2, .height = 1, .field = 3, .global = global,
                             .images = {{.width = 2, .height = 1, .pixels = {0, 5}, .localField = 1, .localTable = local}}});
  Picture p;
  ASSERT_EQ(Decode(gif, nullptr, &p), kSpiOk);
  ASSERT_EQ(p.palette.size(), 64u);
  for (int i = 0; i < 16; ++i) {
    const Bytes& t = i < 4 ? local : global;
    EXPECT_EQ(p.palette[i * 4], t[i * 3 + 2]) << i;
    EXPECT_EQ(p.palette[i * 4 + 1], t[i * 3 + 1]) << i;
    EXPECT_EQ(p.palette[i * 4 + 2], t[i * 3]) << i;
    EXPECT_EQ(p.palette[i * 4 + 3], 0) << i;
  }
  // Field 7 on the screen gives 8 bits even when only a local table exists.
  const Bytes only = MakeGif({.width = 2, .height = 1, .field = 7, .globalTable = false,
                              .images = {{.width = 2, .height = 1, .pixels = {1, 2}, .localField = 1}}});
  ASSERT_EQ(Decode(only, nullptr, &p), kSpiOk);
  EXPECT_EQ(p.h.biBitCount, 8);
  EXPECT_EQ(p.palette[4 * 4 + 2], 0) << "entries no table gives stay 0";
}

TEST_F(GifPlayerTest, InterlacedImageIsDeliveredInPictureOrder) {
  const Bytes pixels = test::PatternIndices(7, 19, 256, 5);
  const Bytes gif = MakeGif({.width = 7, .height = 19, .images = {{.width = 7, .height = 19, .pixels = pixels, .interlace = true}}});
  Picture p;
  ASSERT_EQ(Decode(gif, nullptr, &p), kSpiOk);
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 7; ++x) ASSERT_EQ(p.Index(x, y), pixels[y * 7 + x]);
}

TEST_F(GifPlayerTest, NoColourTableIsRefusedWithMessage3) {
  const Bytes gif = MakeGif({.width = 2, .height = 2, .globalTable = false, .images = {{.width = 2, .height = 2, .pixels = Bytes(4)}}});
  EXPECT_EQ(Decode(gif, nullptr), kSpiBroken);
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].first, "カラーテーブルが有りません<-3> ");
  EXPECT_EQ(notice.shown[0].second, "エラー");
}

// Three frames on a 6 x 4 screen: a transparent first frame smaller than the screen, a second that
// restores to background, a third drawn after that restore.
GifFile ComposedAnimation() {
  GifFile f{.width = 6, .height = 4, .background = 9, .application = true};
  f.images.push_back({.left = 1, .top = 1, .width = 3, .height = 2, .pixels = {1, 7, 1, 7, 1, 7},
                      .control = true, .disposal = 1, .transparent = true, .transparentIndex = 7, .delay = 5});
  f.images.push_back({.left = 3, .top = 0, .width = 2, .height = 2, .pixels = {2, 2, 2, 2},
                      .control = true, .disposal = 2, .transparent = false, .delay = 0});
  f.images.push_back({.left = 0, .top = 3, .width = 2, .height = 1, .pixels = {3, 7},
                      .control = true, .disposal = 0, .transparent = true, .transparentIndex = 7, .delay = 10});
  return f;
}

std::vector<std::string> Rows(const Picture& p) {
  std::vector<std::string> rows;
  for (int y = 0; y < p.h.biHeight; ++y) {
    std::string r;
    for (int x = 0; x < p.h.biWidth; ++x) r += static_cast<char>(p.Index(x, y) < 10 ? '0' + p.Index(x, y) : '+');
    rows.push_back(r);
  }
  return rows;
}

TEST_F(GifPlayerTest, FramesComposeWithTransparencyAndRestoreToBackground) {
  const Bytes gif = MakeGif(ComposedAnimation());
  ASSERT_EQ(Sense(gif, -1), kSpiOk);
  EXPECT_EQ(cells[0], 3);
  EXPECT_TRUE(player.Composing());
  Picture p;
  cells[4] = cells[5] = 99;
  ASSERT_EQ(Frame(gif, 1, &p), kSpiOk);
  EXPECT_EQ(p.h.biWidth, 6);
  EXPECT_EQ(p.h.biHeight, 4);
  // The first frame is transparent: the canvas starts as its transparent index.
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"777777", "717177", "771777", "777777"}));
  EXPECT_EQ(cells[3], 5);
  EXPECT_EQ(cells[4], 0) << "composed frames sit at 0, 0";
  EXPECT_EQ(cells[5], 0);

  ASSERT_EQ(Frame(gif, 2, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"777227", "717227", "771777", "777777"}));
  EXPECT_EQ(cells[3], 0);

  // Frame 2 restores to background; frame 3 is transparent, so its rectangle becomes index 7.
  ASSERT_EQ(Frame(gif, 3, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"777777", "717777", "771777", "377777"}));
  EXPECT_EQ(cells[3], 10);

  // A new cycle: -2 rebuilds the canvas, and frame 1 starts from scratch.
  ASSERT_EQ(Sense(gif, -2), kSpiOk);
  ASSERT_EQ(Frame(gif, 1, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"777777", "717177", "771777", "777777"}));
}

TEST_F(GifPlayerTest, RestoreToPreviousPutsBackWhatTheFrameCovered) {
  GifFile f = ComposedAnimation();
  f.images[1].disposal = 3;
  const Bytes gif = MakeGif(f);
  ASSERT_EQ(Sense(gif, -1), kSpiOk);
  EXPECT_TRUE(player.Composing());
  Picture p;
  for (int r = 1; r <= 2; ++r) ASSERT_EQ(Frame(gif, r, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"777227", "717227", "771777", "777777"}));
  ASSERT_EQ(Frame(gif, 3, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"777777", "717177", "771777", "377777"}));
}

// Only opaque frames of the screen's width, one of them hanging below the canvas: restoring to
// previous alone makes the frames compose, and the saved area stops at the canvas.
TEST_F(GifPlayerTest, RestoreToPreviousOfAFramePastTheCanvasRestoresTheCanvasPart) {
  GifFile f{.width = 3, .height = 3, .background = 4, .application = true};
  f.images.push_back({.width = 3, .height = 3, .pixels = Bytes(9, 1), .control = true});
  f.images.push_back({.left = 1, .top = 2, .width = 2, .height = 2, .pixels = {2, 2, 2, 2}, .control = true,
                      .disposal = 3});
  f.images.push_back({.top = 1, .width = 1, .height = 1, .pixels = {3}, .control = true});
  const Bytes gif = MakeGif(f);
  ASSERT_EQ(Sense(gif, -1), kSpiOk);
  ASSERT_TRUE(player.Composing());
  Picture p;
  for (int r = 1; r <= 2; ++r) ASSERT_EQ(Frame(gif, r, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"111", "111", "122"}));
  ASSERT_EQ(Frame(gif, 3, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"111", "311", "111"}));
}

TEST_F(GifPlayerTest, AnUndecodableMinimumCodeSizeIsBrokenData) {
  GifFile f{.width = 2, .height = 2};
  f.images.push_back({.width = 2, .height = 2, .pixels = Bytes(4, 1), .minCodeSize = 12});
  EXPECT_EQ(Decode(MakeGif(f), nullptr), kSpiBroken);
  f.images[0].minCodeSize = 9;
  Picture p;
  ASSERT_EQ(Decode(MakeGif(f), nullptr, &p), kSpiOk);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"11", "11"}));
}

// A composed animation's canvas starts as the colour the file names, in every depth, two colours
// included: the background when the first frame is opaque, its transparent index when it is not.
TEST_F(GifPlayerTest, FirstFrameFillsTheCanvasWithTheNamedIndexInEveryDepth) {
  struct Case {
    int field;
    std::uint8_t background;
    bool transparent;
    const char* row;
  };
  for (const Case c : {Case{0, 1, false, "11001"}, Case{2, 1, false, "11001"}, Case{7, 1, false, "11001"},
                       Case{0, 0, false, "00000"}, Case{0, 0, true, "11001"}}) {
    SCOPED_TRACE(testing::Message() << c.field << " " << int{c.background} << " " << c.transparent);
    GifFile f{.width = 5, .height = 3, .field = c.field, .background = c.background, .application = true};
    // Larger than the screen in height: the canvas grows to 5 x 4.
    f.images.push_back({.left = 2, .top = 0, .width = 2, .height = 4, .pixels = {0, 0, 0, 0, 0, 0, 0, 0}, .control = true,
                        .transparent = c.transparent, .transparentIndex = 1});
    f.images.push_back({.width = 1, .height = 1, .pixels = {0}, .control = true});
    const Bytes gif = MakeGif(f);
    ASSERT_EQ(Sense(gif, -1), kSpiOk);
    ASSERT_TRUE(player.Composing());
    Picture p;
    ASSERT_EQ(Frame(gif, 1, &p), kSpiOk);
    EXPECT_EQ(Rows(p), std::vector<std::string>(4, c.row));
  }
}

TEST_F(GifPlayerTest, ComposeFlagConditions) {
  struct Case {
    const char* what;
    GifFile file;
    bool compose;
    int frames;
  };
  const auto two = [](GifImage a, GifImage b) { return std::vector<GifImage>{a, b}; };
  const GifImage plain{.width = 4, .height = 4, .pixels = Bytes(16), .control = true};
  GifImage transparent = plain;
  transparent.transparent = true;
  GifImage restore = plain;
  restore.disposal = 2;
  GifImage previous = plain;
  previous.disposal = 3;
  GifImage larger{.width = 5, .height = 4, .pixels = Bytes(20)};
  GifImage pastEdge{.left = 2, .width = 3, .height = 1, .pixels = Bytes(3)};
  const std::vector<Case> cases = {
      {"plain frames", {.width = 4, .height = 4, .application = true, .images = two(plain, plain)}, false, 2},
      {"transparent", {.width = 4, .height = 4, .application = true, .images = two(plain, transparent)}, true, 2},
      {"restore", {.width = 4, .height = 4, .application = true, .images = two(restore, plain)}, true, 2},
      {"restore to previous", {.width = 4, .height = 4, .application = true, .images = two(previous, plain)}, true, 2},
      {"larger", {.width = 4, .height = 4, .application = true, .images = two(plain, larger)}, true, 2},
      {"past the right edge", {.width = 4, .height = 4, .application = true, .images = two(transparent, pastEdge)}, false, 2},
      {"no application extension", {.width = 4, .height = 4, .images = two(transparent, plain)}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(Sense(MakeGif(c.file), -1), kSpiOk);
    EXPECT_EQ(player.Composing(), c.compose);
    EXPECT_EQ(cells[0], c.frames < 2 ? 0 : c.frames);
  }
}

TEST_F(GifPlayerTest, FramePastTheRightEdgeIsDeliveredAtItsOwnSizeAndPlace) {
  GifFile f{.width = 4, .height = 4, .application = true};
  f.images.push_back({.width = 4, .height = 4, .pixels = Bytes(16, 1), .control = true, .transparent = true});
  f.images.push_back({.left = 3, .top = 2, .width = 3, .height = 1, .pixels = {5, 6, 7}, .control = true, .delay = 20});
  const Bytes gif = MakeGif(f);
  ASSERT_EQ(Sense(gif, -1), kSpiOk);
  EXPECT_FALSE(player.Composing());
  Picture p;
  ASSERT_EQ(Frame(gif, 2, &p), kSpiOk);
  EXPECT_EQ(p.h.biWidth, 3);
  EXPECT_EQ(p.h.biHeight, 1);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"567"}));
  EXPECT_EQ(cells[4], 3);
  EXPECT_EQ(cells[5], 2);
  EXPECT_EQ(cells[3], 20);
}

TEST_F(GifPlayerTest, StillLoadOfAnAnimationIsItsFirstImageAtItsOwnSize) {
  const Bytes gif = MakeGif(ComposedAnimation());
  ASSERT_EQ(Sense(gif, -1), kSpiOk);
  Picture p;
  ASSERT_EQ(Decode(gif, nullptr, &p), kSpiOk);
  EXPECT_EQ(p.h.biWidth, 3);
  EXPECT_EQ(p.h.biHeight, 2);
  EXPECT_EQ(Rows(p), (std::vector<std::string>{"171", "717"}));
  // -3 before a still load frees the canvas.
  ASSERT_EQ(Sense(gif, -3), kSpiOk);
  EXPECT_EQ(cells[0], 0);
  EXPECT_EQ(cells[1], 0);
  EXPECT_FALSE(player.Composing());
  EXPECT_EQ(player.CurrentCanvas().bytes, nullptr);
  EXPECT_EQ(files.loads, 1) << "-3 does not read the file";
}

// Twelve frames whose delays add up to 150 hundredths: e = 5 + 2.
Bytes TwelveFrames(std::uint16_t delay, std::uint16_t lastDelay) {
  GifFile f{.width = 2, .height = 2, .application = true};
  for (int i = 0; i < 12; ++i)
    f.images.push_back({.width = 2, .height = 2, .pixels = Bytes(4, static_cast<std::uint8_t>(i)), .control = true,
                        .delay = i == 11 ? lastDelay : delay});
  return MakeGif(f);
}

TEST_F(GifPlayerTest, CycleTableAndLoopSelect) {
  const Bytes gif = TwelveFrames(13, 7);  // 11 x 13 + 7 = 150
  const int cycles[4][2] = {{0, 0}, {12, 1}, {12, 7}, {12, 14}};
  for (int select = 0; select < 4; ++select) {
    player.loopSelect = select;
    cells[1] = 55;
    ASSERT_EQ(Sense(gif, -1), kSpiOk);
    EXPECT_EQ(cells[0], cycles[select][0]) << select;
    EXPECT_EQ(cells[1], cycles[select][1]) << select;
  }
  // -2 answers the frames again and leaves the cycles alone.
  player.loopSelect = 2;
  cells[1] = 3;
  ASSERT_EQ(Sense(gif, -2), kSpiOk);
  EXPECT_EQ(cells[0], 12);
  EXPECT_EQ(cells[1], 3);

  // Delays of 0 count 4 each: 12 x 4 = 48 gives 9 + 2.
  ASSERT_EQ(Sense(TwelveFrames(0, 0), -1), kSpiOk);
  EXPECT_EQ(player.LastScan().totalDelay, 48);
  EXPECT_EQ(cells[1], 11);
}

TEST(GifCycles, StandardCycleTable) {
  EXPECT_EQ(StandardCycles(1001, 2), 2);
  EXPECT_EQ(StandardCycles(1000, 2), 3);
  EXPECT_EQ(StandardCycles(501, 40), 3);
  EXPECT_EQ(StandardCycles(500, 20), 5);
  EXPECT_EQ(StandardCycles(500, 21), 3);
  EXPECT_EQ(StandardCycles(201, 21), 3);
  EXPECT_EQ(StandardCycles(200, 20), 7);
  EXPECT_EQ(StandardCycles(101, 21), 5);
  EXPECT_EQ(StandardCycles(100, 20), 9);
  EXPECT_EQ(StandardCycles(81, 21), 7);
  EXPECT_EQ(StandardCycles(80, 20), 11);
  EXPECT_EQ(StandardCycles(0, 21), 9);
}

TEST(GifSettings, LoopSelectFromTheProfile) {
  EXPECT_EQ(LoopSelectFromProfile("Nothing", 2), 2);
  for (int v = 0; v < 4; ++v) EXPECT_EQ(LoopSelectFromProfile(std::to_string(v).c_str(), 2), v);
  EXPECT_EQ(LoopSelectFromProfile("1abc", 2), 1) << "read as atoi reads";
  EXPECT_EQ(LoopSelectFromProfile("", 3), 0) << "an empty value is present and reads 0";
  EXPECT_EQ(LoopSelectFromProfile("7", 2), 2);
  EXPECT_EQ(LoopSelectFromProfile("-1", 3), 3);
}

TEST_F(GifPlayerTest, SenseProtocolAnswers) {
  const Bytes gif = TwelveFrames(10, 10);
  files.files["anim.gif"] = gif;
  SenseCell before[6] = {-1, 5, 6, 7, 8, 9};
  std::copy(before, before + 6, cells);
  EXPECT_EQ(player.Sense("TarnBmp.spi", "anim.gif", cells, files, notice), kSpiNotProvided);
  EXPECT_TRUE(std::equal(cells, cells + 6, before)) << "another plug-in's call touches no cell";
  EXPECT_EQ(player.Sense("TarnGif.spi", "[UNICODE].gif", cells, files, notice), kSpiInternal);
  EXPECT_EQ(files.loads, 0);

  EXPECT_EQ(player.Sense("TarnGif.spi", nullptr, cells, files, notice), kSpiInternal);
  cells[0] = -1;
  EXPECT_EQ(player.Sense("TarnGif.spi", "missing.gif", cells, files, notice), kSpiInternal);
  files.noMemory = true;
  cells[0] = -1;
  EXPECT_EQ(player.Sense("TarnGif.spi", "anim.gif", cells, files, notice), kSpiBroken);
  files.noMemory = false;
  ASSERT_EQ(notice.shown.size(), 3u);
  EXPECT_EQ(notice.shown[0].first, "ファイル名称が不当です<-4> ");
  EXPECT_EQ(notice.shown[1].first, "ファイルをオープンできません<-5> ");
  EXPECT_EQ(notice.shown[2].first, "データが壊れている<-6> ");

  files.files["text.gif"] = Bytes{'G', 'I', 'F', '7'};
  cells[0] = -1;
  EXPECT_EQ(player.Sense("TarnGif.spi", "text.gif", cells, files, notice), kSpiNotProvided);
  EXPECT_EQ(cells[0], 0);

  // A version the walk does not know plays as a still picture.
  Bytes other = gif;
  other[4] = '8';
  other[5] = 'b';
  EXPECT_EQ(Sense(other, -1), kSpiOk);
  EXPECT_EQ(cells[0], 0);
  // A frame number as command scans without resetting.
  EXPECT_EQ(Sense(gif, 4), kSpiOk);
  EXPECT_EQ(cells[0], 12);
}

TEST_F(GifPlayerTest, OverThousandExtensionBlocksStopPlayback) {
  GifFile f{.width = 2, .height = 2, .application = true, .commentBlocks = 998};
  f.images = {{.width = 2, .height = 2, .pixels = Bytes(4), .control = true, .transparent = true},
              {.width = 2, .height = 2, .pixels = Bytes(4)}};
  // 1 application + 998 comments + 1 graphic control = 1000: still played.
  ASSERT_EQ(Sense(MakeGif(f), -1), kSpiOk);
  EXPECT_EQ(cells[0], 2);
  EXPECT_TRUE(notice.shown.empty());
  f.commentBlocks = 999;
  ASSERT_EQ(Sense(MakeGif(f), -1), kSpiOk);
  EXPECT_EQ(cells[0], 0);
  EXPECT_FALSE(player.Composing());
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0], std::make_pair(std::string("動画再生を中止します "), std::string("ブロックカウントオーバー")));
  // The still picture still decodes.
  Picture p;
  EXPECT_EQ(Decode(MakeGif(f), nullptr, &p), kSpiOk);
}

TEST_F(GifPlayerTest, CanvasThatCannotBeAllocatedMeansNoAnimation) {
  player.canvasLimit = 10;
  ASSERT_EQ(Sense(MakeGif(ComposedAnimation()), -1), kSpiOk);
  EXPECT_EQ(cells[0], 0);
  EXPECT_FALSE(player.Composing());
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].first, "透過処理用メモリー確保失敗 ");
  EXPECT_EQ(notice.shown[0].second, "エラー");
}

TEST_F(GifPlayerTest, HostileFilesAnswerTheirCodes) {
  const GifImage image{.width = 4, .height = 4, .pixels = Bytes(16, 3)};
  const Bytes good = MakeGif({.width = 4, .height = 4, .images = {image}});
  // Image descriptor beyond the data, at every cut inside the header and descriptor.
  for (std::size_t cut = 0; cut < 13 + 768 + 11; ++cut)
    EXPECT_EQ(Decode(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)), nullptr), kSpiBroken) << cut;
  // Sub-blocks cut short: whatever arrived is decoded, the rest stays 0.
  for (std::size_t cut = 13 + 768 + 11; cut < good.size(); ++cut) {
    Picture p;
    EXPECT_EQ(Decode(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut)), nullptr, &p), kSpiOk) << cut;
  }
  // A sub-block whose length passes the end of the data.
  Bytes cutShort = MakeGif({.width = 4, .height = 4, .images = {{.width = 4, .height = 4, .rawData = true, .data = {200, 0x00, 0x01}}}, .trailer = false});
  EXPECT_EQ(Decode(cutShort, nullptr), kSpiOk);

  // Zero-sized frames have no picture; 65535 x 65535 is more than any process can hold.
  EXPECT_EQ(Decode(MakeGif({.width = 4, .height = 4, .images = {{.width = 0, .height = 4}}}), nullptr), kSpiBroken);
  EXPECT_EQ(Decode(MakeGif({.width = 4, .height = 4, .images = {{.width = 4, .height = 0}}}), nullptr), kSpiBroken);
  EXPECT_EQ(Decode(MakeGif({.images = {{.width = 65535, .height = 65535, .rawData = true, .data = {0}}}}), nullptr), kSpiNoMemory);
  Picture tall;
  ASSERT_EQ(Decode(MakeGif({.images = {{.width = 65535, .height = 2, .rawData = true, .data = {0}}}}), nullptr, &tall), kSpiOk);
  EXPECT_EQ(tall.h.biWidth, 65535);

  // Not "GIF" at all, or no image at all.
  EXPECT_EQ(Decode(Bytes{'G', 'I', 'X', '8', '9', 'a', 0, 0, 0, 0, 0, 0, 0}, nullptr), kSpiBroken);
  EXPECT_EQ(Decode(MakeGif({.images = {}}), nullptr), kSpiBroken);
}

TEST_F(GifPlayerTest, MemoryFailuresHoldNothing) {
  const Bytes gif = MakeGif({.width = 8, .height = 8, .images = {{.width = 8, .height = 8, .pixels = Bytes(64, 1)}}});
  {
    VectorPictureMemory memory;
    memory.workAvailable = false;
    EXPECT_EQ(player.Decode(gif.data(), gif.size(), nullptr, memory, notice), kSpiNoMemory);
    EXPECT_EQ(memory.pictureAllocations, 0);
  }
  for (int code : {kSpiNoMemory, kSpiLockFailed}) {
    VectorPictureMemory memory;
    memory.allocateAnswer = code;
    EXPECT_EQ(player.Decode(gif.data(), gif.size(), nullptr, memory, notice), code);
    EXPECT_FALSE(memory.held);
    EXPECT_EQ(memory.workOutstanding, 0);
  }
}

TEST(GifFirstImage, PictureInfoParse) {
  GifFile f{.width = 30, .height = 20, .field = 2, .application = true};
  f.images.push_back({.left = 3, .top = 4, .width = 5, .height = 6, .pixels = Bytes(30), .control = true});
  Bytes gif = MakeGif(f);
  FirstImage first;
  ASSERT_EQ(ReadFirstImage(gif.data(), gif.size(), &first), kSpiOk);
  EXPECT_EQ(first.left, 3);
  EXPECT_EQ(first.top, 4);
  EXPECT_EQ(first.width, 5);
  EXPECT_EQ(first.height, 6);
  EXPECT_EQ(first.colorDepth, 3) << "the table field + 1, not the delivered depth";

  // The descriptor must lie within the data.
  constexpr std::size_t descriptorEnd = 13 + 24 + 19 + 8 + 10;  // header, table, two extensions, descriptor
  for (std::size_t cut = 0; cut < descriptorEnd; ++cut)
    EXPECT_EQ(ReadFirstImage(gif.data(), cut, &first), kSpiNotFormat) << cut;
  EXPECT_EQ(ReadFirstImage(gif.data(), descriptorEnd, &first), kSpiOk);
  gif[3] = '7';
  EXPECT_EQ(ReadFirstImage(gif.data(), gif.size(), &first), kSpiNotFormat);

  // Blocks and sub-blocks count together: 100 of them are passed, the 101st is not.
  GifFile many{.width = 2, .height = 2, .commentBlocks = 50};  // 50 blocks of one sub-block each
  many.images.push_back({.width = 2, .height = 2, .pixels = Bytes(4)});
  gif = MakeGif(many);
  EXPECT_EQ(ReadFirstImage(gif.data(), gif.size(), &first), kSpiOk);
  many.commentBlocks = 51;
  gif = MakeGif(many);
  EXPECT_EQ(ReadFirstImage(gif.data(), gif.size(), &first), kSpiNotFormat);
}

}  // namespace
}  // namespace tarn::gif
