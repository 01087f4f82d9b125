#include <gtest/gtest.h>

#include <cstring>

#include "common/PluginNames.h"

namespace tarn {
namespace {

const char* Extension(const char* name) {
  const char* e = ShortExtension(name);
  return e != nullptr ? e : "(none)";
}

TEST(ShortExtension, DotMustStandAmongTheLastFiveCharacters) {
  EXPECT_STREQ(Extension("a.bmp"), ".bmp");
  EXPECT_STREQ(Extension("photo.jpeg"), ".jpeg") << "dot fifth from the end";
  EXPECT_STREQ(Extension("photo.jpeg.bmp"), ".bmp") << "the last dot wins";
  EXPECT_STREQ(Extension("x.bmpxy"), "(none)") << "dot sixth from the end";
  EXPECT_STREQ(Extension("noextension"), "(none)");
  EXPECT_STREQ(Extension(".bmp"), ".bmp") << "a name that is all extension";
  EXPECT_STREQ(Extension("a."), ".");
  EXPECT_STREQ(Extension(""), "(none)");
  EXPECT_STREQ(Extension("C:\\dir.d\\file"), "(none)") << "a dot of a folder is too far back";
  EXPECT_EQ(ShortExtension(nullptr), nullptr);
}

TEST(HasExtension, ComparesWithoutRegardToCase) {
  static constexpr const char* kBmp[] = {".bmp", ".dib"};
  EXPECT_TRUE(HasExtension("A.BMP", kBmp, 2));
  EXPECT_TRUE(HasExtension("a.Dib", kBmp, 2));
  EXPECT_FALSE(HasExtension("a.bmpx", kBmp, 2));
  EXPECT_FALSE(HasExtension("a.bm", kBmp, 2));
  EXPECT_FALSE(HasExtension("bmp", kBmp, 2));
}

TEST(IsMarkerName, WholeNameWithoutRegardToCase) {
  static constexpr const char* kMarkers[] = {"[UNICODE].bmp", "[UNICODE].dib"};
  EXPECT_TRUE(IsMarkerName("[UNICODE].BMP", kMarkers, 2));
  EXPECT_TRUE(IsMarkerName("[unicode].dib", kMarkers, 2));
  EXPECT_FALSE(IsMarkerName("C:\\[UNICODE].bmp", kMarkers, 2));
  EXPECT_FALSE(IsMarkerName("[UNICODE].bmpx", kMarkers, 2));
  EXPECT_FALSE(IsMarkerName("[UNICODE].bm", kMarkers, 2));
  EXPECT_FALSE(IsMarkerName(nullptr, kMarkers, 2));
}

constexpr const char* kInfo[] = {"00IN", "TarnBmp v0.14u (c) someone", "*.bmp; *.dib", "BMP file"};

TEST(CopyInfoString, CopiesWholeStringsAndAnswersTheirLength) {
  char buf[64];
  EXPECT_EQ(CopyInfoString(kInfo, 4, 0, buf, sizeof buf), 4);
  EXPECT_STREQ(buf, "00IN");
  EXPECT_EQ(CopyInfoString(kInfo, 4, 2, buf, sizeof buf), 12);
  EXPECT_STREQ(buf, "*.bmp; *.dib");
}

TEST(CopyInfoString, CutsToTheBufferWithTheTerminatorInside) {
  char buf[8];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(CopyInfoString(kInfo, 4, 1, buf, 5), 4);
  EXPECT_STREQ(buf, "Tarn");
  EXPECT_EQ(buf[5], 'x') << "nothing written past buflen";
  EXPECT_EQ(CopyInfoString(kInfo, 4, 1, buf, 1), 0);
  EXPECT_STREQ(buf, "");
}

TEST(CopyInfoString, OutOfRangeLeavesTheBufferAlone) {
  char buf[8] = "keep";
  EXPECT_EQ(CopyInfoString(kInfo, 4, 4, buf, sizeof buf), 0);
  EXPECT_EQ(CopyInfoString(kInfo, 4, -1, buf, sizeof buf), 0);
  EXPECT_EQ(CopyInfoString(kInfo, 4, 0, buf, 0), 0);
  EXPECT_EQ(CopyInfoString(kInfo, 4, 0, buf, -3), 0);
  EXPECT_STREQ(buf, "keep");
  EXPECT_EQ(CopyInfoString(kInfo, 4, 0, nullptr, 8), 0);
}

}  // namespace
}  // namespace tarn
