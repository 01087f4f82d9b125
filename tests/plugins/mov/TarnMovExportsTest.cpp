// TarnMov.spi as the host meets it, on media files made by ffmpeg: each is recognised through a
// file handle and gets a catalog picture (a frame for video, else the shell's icon); a sound plays
// to its end inside GetPicture and the host's query then answers 0 ms left; a video's picture
// reaches the playback window at the chosen size; the settings dialog writes what the user chose.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>

#include "common/DibLayout.h"
#include "tests/plugins/gif/WindowDriver.h"
#include "tests/support/PluginHarness.h"
#include "tests/support/OwnWindow.h"

namespace tarn::test {
namespace {

std::string Media(const char* name) { return std::string(TARN_TEST_MEDIA) + "\\" + name; }

std::string Profile(const char* section, const char* key) {
  char text[256];
  GetPrivateProfileStringA(section, key, "Nothing", text, sizeof text, "TarnSpi.ini");
  return text;
}

class TarnMovSpi : public PluginFolderTest {
 protected:
  TarnMovSpi() : PluginFolderTest(L"TarnMov.spi", "tarnmov") {}
  void SetUp() override {
    Forget();
    PluginFolderTest::SetUp();
  }
  void TearDown() override {
    PluginFolderTest::TearDown();
    Forget();
  }
  static void Forget() {
    WritePrivateProfileStringA("TarnMov", nullptr, nullptr, "TarnSpi.ini");
    WritePrivateProfileStringA("TarnMovForm", nullptr, nullptr, "TarnSpi.ini");
  }
  int ClaimsThroughHandle(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
    const int claimed = Spi().isSupported(path.c_str(), reinterpret_cast<ULONG_PTR>(h));
    CloseHandle(h);
    return claimed;
  }
};

TEST_F(TarnMovSpi, EveryGeneratedMediaFileGetsACatalogPicture) {
  const struct {
    const char* name;
    bool video;
  } files[] = {{"clip.avi", true},  {"clip.mpg", true},  {"clip.wmv", true},  {"clip.asf", true},
               {"clip.mov", true},  {"dark-start.avi", true}, {"tone.wav", false}, {"tone.mp3", false},
               {"tone.wma", false}, {"tone.aif", false}, {"note.mid", false}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    const std::string path = Media(f.name);
    EXPECT_EQ(ClaimsThroughHandle(path), 1);
    Delivered d;
    ASSERT_EQ(Load(path, 0, &d, true), kSpiOk);
    const DibHeader h = d.Header();
    ASSERT_GE(d.info.size(), kDibHeaderBytes);
    ASSERT_GE(d.pixels.size(), DibRowBytes(h.biWidth, h.biBitCount) * (h.biHeight < 0 ? -h.biHeight : h.biHeight));
    // Videos give a frame of their own size (Wine's DirectShow and GStreamer decode all four
    // forms made here); sounds the shell's 32 x 32 icon.
    EXPECT_EQ(h.biWidth, f.video ? 160 : 32);
    EXPECT_EQ(h.biHeight, f.video ? 120 : 32);
    if (std::strcmp(f.name, "dark-start.avi") == 0) {
      const auto lit = std::count_if(d.pixels.begin(), d.pixels.end(), [](std::uint8_t b) { return b != 0; });
      EXPECT_GT(lit, static_cast<std::ptrdiff_t>(d.pixels.size() / 4)) << "the black sample was not moved on";
    }
  }
  // Its neighbours' files are not its own.
  EXPECT_EQ(ClaimsThroughHandle(Media("clip.flv")), 0);
  EXPECT_EQ(ClaimsThroughHandle(Media("clip.mp4")), 0);
  Delivered d;
  EXPECT_EQ(Load(Media("clip.flv"), 0, &d, true), kSpiNotFormat);
  EXPECT_EQ(Load(folder_ + "\\missing.avi", 0, &d, true), kSpiFileError);
}

TEST_F(TarnMovSpi, SoundPlaysToItsEndAndTheHostIsToldNothingIsLeft) {
  SenseCell cells[2] = {-1, -2};
  ASSERT_EQ(Spi().sensePlugIn("TarnMov.spi", "tone.wav", &cells[1]), 0);
  HLOCAL info = nullptr, bits = nullptr;
  const DWORD started = GetTickCount();
  EXPECT_EQ(Spi().getPicture(Media("tone.wav").c_str(), 0, 0, &info, &bits, nullptr,
                             reinterpret_cast<LONG_PTR>(&cells[1])),
            kSpiOk);
  EXPECT_GE(GetTickCount() - started, 800u) << "a one-second tone returned before it was played";
  EXPECT_EQ(info, nullptr);
  EXPECT_EQ(Spi().sensePlugIn("TarnMov.spi", "tone.wav", &cells[0]), 0);
  EXPECT_EQ(cells[0], 0) << "milliseconds left after the end";
  EXPECT_EQ(Spi().sensePlugIn("tarnmov.spi", "tone.wav", &cells[0]), -1);
  cells[0] = 5;
  EXPECT_EQ(Spi().sensePlugIn("TarnMov.spi", "tone.wav", &cells[0]), -1) << "not a command";
}

// The playback window once it is shown (GetPicture runs the graph just before), waited for up to
// twenty seconds: building a graph under Wine on a busy machine takes seconds.
HWND WaitForPlayback() {
  for (DWORD waited = 0; waited < 20000; waited += 20) {
    if (HWND w = FindOwnWindow(L"Tarn Movie", nullptr); w != nullptr && IsWindowVisible(w)) return w;
    Sleep(20);
  }
  return nullptr;
}

bool IsRed(COLORREF c) { return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60; }

// The colour the screen shows at `x`, `y` of the window's client area, whichever child draws there.
COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  const HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// The colour at `x`, `y` of the client area once it turns red, or the last one seen in six seconds.
COLORREF WatchForRed(HWND window, int x, int y) {
  COLORREF at = CLR_INVALID;
  for (DWORD waited = 0; waited < 6000 && !IsRed(at) && IsWindow(window); waited += 50) {
    Sleep(50);
    at = ScreenPixel(window, x, y);
  }
  return at;
}

// Plays `name` while `watch` runs on a second thread with the shown playback window; the host's
// cell turns positive when `watch` is done, which ends the playback. Answers GetPicture's result.
template <typename Watch>
int PlayWhile(const PluginExports& spi, const std::string& name, SenseCell* cell, Watch watch) {
  std::thread host([&] {
    const HWND window = WaitForPlayback();
    EXPECT_NE(window, nullptr) << "no playback window";
    if (window != nullptr) watch(window);
    InterlockedExchange(reinterpret_cast<volatile LONG*>(cell), 1);
  });
  HLOCAL info = nullptr, bits = nullptr;
  const int result = spi.getPicture(name.c_str(), 0, 0, &info, &bits, nullptr, reinterpret_cast<LONG_PTR>(cell));
  host.join();
  return result;
}

TEST_F(TarnMovSpi, APositiveHostCellEndsAVideoAtOnce) {
  SenseCell cells[2] = {-1, -2};
  ASSERT_EQ(Spi().sensePlugIn("TarnMov.spi", "dark-start.avi", &cells[1]), 0);
  DWORD flagged = 0;
  EXPECT_EQ(PlayWhile(Spi(), Media("dark-start.avi"), &cells[1], [&](HWND) { flagged = GetTickCount(); }), kSpiOk);
  // The seek to the end and the graph's release take about two seconds under Wine on a busy machine.
  EXPECT_LT(GetTickCount() - flagged, 4000u) << "the five-second clip was played out";
  EXPECT_EQ(Spi().sensePlugIn("TarnMov.spi", "dark-start.avi", &cells[0]), 0);
  EXPECT_EQ(cells[0], 0) << "ended at its stop position";
}

TEST_F(TarnMovSpi, ARedVideoIsDrawnIntoThePlaybackWindowAtDoubleSize) {
  WritePrivateProfileStringA("TarnMov", "SizeSelect", "1", "TarnSpi.ini");
  Reload();
  SenseCell cell = -2;
  ASSERT_EQ(Spi().sensePlugIn("TarnMov.spi", "red.avi", &cell), 0);
  RECT client{};
  COLORREF corner = CLR_INVALID, panel = CLR_INVALID;
  EXPECT_EQ(PlayWhile(Spi(), Media("red.avi"), &cell,
                      [&](HWND window) {
                        GetClientRect(window, &client);
                        // The far corner of the doubled 160 x 120 picture: only a picture drawn
                        // at double size reaches it.
                        corner = WatchForRed(window, 315, 235);
                        // The panel's margin, left of its seek slider.
                        panel = ScreenPixel(window, 1, 241);
                      }),
            kSpiOk);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 240 + 70) << "the picture above the control panel";
  EXPECT_TRUE(IsRed(corner)) << "the video area shows " << std::hex << corner << ", not the red picture";
  EXPECT_EQ(panel, GetSysColor(COLOR_BTNFACE)) << "the control panel was painted over";
}

TEST_F(TarnMovSpi, EveryFormDisabledRecognisesNothing) {
  WritePrivateProfileStringA("TarnMovForm", "AVI (*.avi)", "0", "TarnSpi.ini");
  Reload();
  char patterns[256];
  Spi().getPluginInfo(2, patterns, sizeof patterns);
  EXPECT_EQ(std::string(patterns).rfind(" *.wav;", 0), 0u) << patterns;
  EXPECT_EQ(ClaimsThroughHandle(Media("clip.avi")), 0);
  const char* labels[] = {"AVI (*.avi)", "WAVE (*.wav)", "MPEG (*.mpg;*.mpeg)", "MP3 (*.mp3)",
                          "MIDI (*.mid;*.midi;*.rmi)", "MOV (*.mov)", "AIFF (*.aif;*.aiff)", "WMV (*.wmv)",
                          "WMA (*.wma)", "ASF (*.asf)"};
  for (const char* label : labels) WritePrivateProfileStringA("TarnMovForm", label, "0", "TarnSpi.ini");
  Reload();
  EXPECT_EQ(Spi().getPluginInfo(2, patterns, sizeof patterns), 0);
  EXPECT_EQ(ClaimsThroughHandle(Media("tone.wav")), 0);
  EXPECT_EQ(ClaimsThroughHandle(Media("clip.wmv")), 0);
}

TEST_F(TarnMovSpi, SettingsDialogWritesTheChoicesAndClampsTheSample) {
  Drive(L"設定ﾀﾞｲｱﾛｸﾞ", [&] { EXPECT_EQ(Spi().configurationDlg(nullptr, 1), 0); },
        [&] {
          HWND dialog = WaitForWindow(L"設定ﾀﾞｲｱﾛｸﾞ");
          ASSERT_NE(dialog, nullptr);
          SendDlgItemMessageW(dialog, 6420, LB_SETCURSEL, 3, 0);
          Click(dialog, 6421);  // ○×反転 on MP3
          wchar_t line[128] = {};
          SendDlgItemMessageW(dialog, 6420, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(line));
          EXPECT_STREQ(line, L" × Form_3= MP3 (*.mp3)");
          Click(dialog, 6424);  // ﾌﾙｽｸﾘｰﾝ
          Click(dialog, 6427);  // 倍速
          Click(dialog, 6425);  // 中央表示 off
          SetDlgItemTextW(dialog, 6430, L"5000");
          ClickLater(dialog, IDOK);
          EXPECT_TRUE(WaitUntilGone(dialog));
        });
  EXPECT_EQ(Profile("TarnMov", "SizeSelect"), "2");
  EXPECT_EQ(Profile("TarnMov", "RateSelect"), "1");
  EXPECT_EQ(Profile("TarnMov", "Center"), "0");
  EXPECT_EQ(Profile("TarnMov", "TopMost"), "1");
  EXPECT_EQ(Profile("TarnMov", "SampleStart"), "999");
  EXPECT_EQ(Profile("TarnMovForm", "MP3 (*.mp3)"), "0");
  EXPECT_EQ(Profile("TarnMovForm", "AVI (*.avi)"), "1");
}

}  // namespace
}  // namespace tarn::test
