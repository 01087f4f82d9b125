// TarnMov's detection, playable names, volume and window arithmetic: what would take a file that
// is not media, refuse one that is, play at the wrong loudness or put the window off the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "plugins/mov/MediaForms.h"
#include "plugins/mov/MovSettings.h"
#include "plugins/mov/PlaybackLayout.h"

namespace tarn::mov {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Head(std::initializer_list<std::pair<std::size_t, const char*>> parts, std::size_t size = 64) {
  Bytes b(size, 0x20);
  for (const auto& [at, text] : parts) std::memcpy(b.data() + at, text, std::strlen(text));
  return b;
}

std::int32_t Detect(const Bytes& b, const char* name, const EnabledForms& forms = {}) {
  return DetectMedia(b.data(), b.size(), name, forms);
}

TEST(MediaDetection, SignaturesGiveTheirFormWithVideoMarkedBySign) {
  EXPECT_EQ(Detect(Head({{0, "RIFF"}, {8, "AVI "}}), "x.bin"), TypeCode(0));
  EXPECT_LT(TypeCode(0), 0);
  EXPECT_EQ(Detect(Head({{0, "RIFF"}, {8, "WAVE"}}), "x.bin"), 2);
  EXPECT_EQ(Detect(Head({{0, "RIFF"}, {8, "CDXA"}, {12, "fmt "}}), nullptr), TypeCode(2));
  EXPECT_EQ(Detect(Bytes{0, 0, 1, 0xBA, 0, 0}, nullptr), TypeCode(2));
  EXPECT_EQ(Detect(Head({{0, "ID3"}}), nullptr), 4);
  Bytes midi = Head({{0, "MThd"}, {14, "MTrk"}});
  std::memcpy(midi.data() + 4, "\0\0\0\6", 4);
  EXPECT_EQ(Detect(midi, nullptr), 5);
  midi[7] = 7;
  EXPECT_EQ(Detect(midi, nullptr), 0) << "a header length other than 6";
  EXPECT_EQ(Detect(Head({{4, "moov"}}), nullptr), TypeCode(5));
  EXPECT_EQ(Detect(Head({{12, "mdat"}}), nullptr), TypeCode(5));
  EXPECT_EQ(Detect(Head({{0, "FORM"}, {8, "AIFF"}, {12, "COMM"}}), nullptr), 7);
}

TEST(MediaDetection, AnMpegAudioHeaderCountsOnlyUnderAnAudioName) {
  const Bytes frame = {0xFF, 0xFB, 0x90, 0x64, 0, 0};  // layer 3, 128 kbit/s, 44.1 kHz
  EXPECT_EQ(Detect(frame, "song.MP2"), 4);
  EXPECT_EQ(Detect(frame, "song.dat"), 0);
  EXPECT_EQ(Detect(Bytes{0xFF, 0xFB, 0xF0, 0x64}, "song.mp3"), 0) << "bit-rate index 15";
  EXPECT_EQ(Detect(Bytes{0xFF, 0xFB, 0x9C, 0x64}, "song.mp3"), 0) << "sampling index 3";
  EXPECT_EQ(Detect(Bytes{0xFF, 0xF9, 0x90, 0x64}, "song.mp3"), 0) << "no layer";
  EXPECT_EQ(Detect(Bytes{0xFF, 0xEB, 0x90, 0x64}, "song.mp3"), 0) << "sync bits not all set";
}

TEST(MediaDetection, NamesAloneAndTheNeighboursFiles) {
  const Bytes nothing(16, 0);
  EXPECT_EQ(Detect(nothing, "a.WMV"), TypeCode(7));
  EXPECT_EQ(Detect(nothing, "a.wma"), 9);
  EXPECT_EQ(Detect(nothing, "a.asf"), TypeCode(9));
  EXPECT_EQ(Detect(nothing, "a.mov"), TypeCode(5));
  EXPECT_EQ(Detect(nothing, "a.wmv.bak"), 0);
  EXPECT_EQ(Detect(nothing, "wmv"), 0);
  // FLV and MP4 belong to the external-player plug-ins, whatever their content.
  EXPECT_EQ(Detect(Head({{4, "moov"}}), "a.mp4"), 0);
  EXPECT_EQ(Detect(Head({{0, "RIFF"}, {8, "AVI "}}), "a.FLV"), 0);
  // Short or absent data is simply not media.
  EXPECT_EQ(DetectMedia(nullptr, 0, "a.avi", {}), 0);
  EXPECT_EQ(Detect(Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V'}, nullptr), 0);
}

TEST(MediaDetection, DisabledFormsTakeNoPart) {
  EnabledForms none;
  for (bool& on : none.on) on = false;
  EXPECT_EQ(EnabledPatterns(none), "");
  EXPECT_EQ(Detect(Head({{0, "RIFF"}, {8, "WAVE"}}), "a.wav", none), 0);
  EXPECT_EQ(Detect(Bytes(8, 0), "a.wmv", none), 0);
  EnabledForms some = none;
  some.on[1] = some.on[9] = true;
  EXPECT_EQ(EnabledPatterns(some), " *.wav; *.asf");
  EXPECT_EQ(EnabledPatterns({}).size(), 70u - 1);
}

TEST(MediaPlayableNames, ShortExtensionsArePaddedAndLongOnesCut) {
  EXPECT_TRUE(IsPlayableName("C:\\a.mpeg"));  // "MPE"
  EXPECT_TRUE(IsPlayableName("a.au"));        // "AU_"
  EXPECT_TRUE(IsPlayableName("a.Rm"));
  EXPECT_TRUE(IsPlayableName("a.midi"));
  EXPECT_FALSE(IsPlayableName("a.flv"));
  EXPECT_FALSE(IsPlayableName("a.mp4"));
  EXPECT_FALSE(IsPlayableName("a.a"));
  EXPECT_FALSE(IsPlayableName("a.avi123"));
  EXPECT_FALSE(IsPlayableName("noextension"));
  EXPECT_FALSE(IsPlayableName(nullptr));
}

TEST(MediaVolume, LossInTenthsToTheFourthPower) {
  EXPECT_EQ(VolumeFor(100), 0);
  EXPECT_EQ(VolumeFor(90), -1);
  EXPECT_EQ(VolumeFor(91), 0);
  EXPECT_EQ(VolumeFor(50), -625);
  EXPECT_EQ(VolumeFor(1), -6561);
}

TEST(MediaSettings, StoredValuesOutsideTheirRangeKeepTheDefault) {
  EXPECT_EQ(RangeFromProfile("999", 0, 999, 10), 999);
  EXPECT_EQ(RangeFromProfile("1000", 0, 999, 10), 10);
  EXPECT_EQ(RangeFromProfile("Nothing", 1, 100, 90), 90);
  EXPECT_EQ(RangeFromProfile("0", 1, 100, 90), 90);
  EXPECT_EQ(SwitchFromProfile("1"), 1);
  EXPECT_EQ(SwitchFromProfile("on"), 0);
  EXPECT_DOUBLE_EQ(RateFor(2), 0.5);
}

TEST(MediaWindow, AreaFitsTheScreenAndNeverNarrowerThanThePanel) {
  const Extent room{1000, 700};
  EXPECT_EQ(VideoArea({160, 120}, kActualSize, room, 278).width, 278);
  const Extent twice = VideoArea({640, 480}, kDoubleSize, room, 278);
  EXPECT_EQ(twice.width, 933);  // 1280 x 960 cut to the usable height, aspect kept
  EXPECT_EQ(twice.height, 700);
  const Extent full = VideoArea({320, 100}, kFitScreen, room, 278);
  EXPECT_EQ(full.width, 1000);
  EXPECT_EQ(full.height, 312);
  EXPECT_EQ(VideoArea({0, 0}, kFitScreen, room, 243).width, 243) << "no video, the panel only";

  const Origin centred = WindowOrigin({2000, 300}, {1280, 1024}, true);
  EXPECT_EQ(centred.x, 0) << "never left of the screen";
  EXPECT_EQ(centred.y, 362);
  EXPECT_EQ(WindowOrigin({1240, 300}, {1280, 1024}, false).x, 20);
  EXPECT_EQ(WindowOrigin({1241, 300}, {1280, 1024}, false).x, 0);
  EXPECT_EQ(PercentDone(5, 0), 0);
  EXPECT_EQ(PercentDone(99, 100), 99);
}

}  // namespace
}  // namespace tarn::mov
