// The names a save proposes: suffixes by mode and change, the filter and default extension by
// the proposed extension, the reserved working names and the format by extension.
#include <gtest/gtest.h>

#include "catalog/save/SaveNames.h"
#include "catalog/save/ThumbSource.h"

namespace tarn {
namespace {

TEST(SaveNames, SuffixesFollowTheModeTheChangeAndThePercentage) {
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveCommand, false, 100).path, u"C:\\p\\cat.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p\\", u"cat.jpg", kSaveCommand, true, 250).path, u"C:\\p\\cat-r.jpg");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"a.b.bmp", kSaveThumbSource, false, 45).path, u"C:\\p\\a.b-45.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveThumbSource, true, 150).path, u"C:\\p\\cat-150r.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveThumbSource, true, 100).path, u"C:\\p\\cat-r.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveTrimming, true, 150).path, u"C:\\p\\cat.bmp");
  // Anything but ".bmp" (in any case) proposes JPEG; a name without a period keeps all of itself.
  const SaveTarget bmp = MakeSaveTarget(u"C:\\p", u"cat.BMP", kSaveCommand, false, 100);
  EXPECT_EQ(bmp.defaultExt, u".bmp");
  EXPECT_EQ(bmp.filter, u"DIB Files （*.bmp）|*.bmp|JPEG Files （*.jpg）|*.jpg|All Files （*.*）|*.*||");
  const SaveTarget other = MakeSaveTarget(u"C:\\p", u"readme", kSaveCommand, false, 100);
  EXPECT_EQ(other.path, u"C:\\p\\readme.jpg");
  EXPECT_EQ(other.filter, u"JPEG Files （*.jpg）|*.jpg|BMP Files （*.bmp）|*.bmp|All Files （*.*）|*.*||");
}

TEST(SaveNames, WorkingNamesAndFormatsCompareWithoutCase) {
  EXPECT_EQ(ReservedNameOf(u"C:\\Tarn\\tarntrim.BMP", u"C:\\Tarn\\"), kTrimmingName);
  EXPECT_EQ(ReservedNameOf(u"C:\\TARN\\ScreenShot.bmp", u"C:\\Tarn\\"), kClipboardName);
  EXPECT_EQ(ReservedNameOf(u"C:\\Other\\TarnTrim.bmp", u"C:\\Tarn\\"), kNotReserved);
  EXPECT_EQ(SaveFormatOf(u"x.JPG"), kSaveJpeg);
  EXPECT_EQ(SaveFormatOf(u"x.Bmp"), kSaveBmp);
  EXPECT_EQ(SaveFormatOf(u"x.jpeg"), kSaveUnknownFormat);
  EXPECT_EQ(SaveFormatOf(u"bmp"), kSaveUnknownFormat);
}

}  // namespace
}  // namespace tarn

namespace tarn {
namespace {

TEST(ThumbSourceRules, BmpSizeTakesZeroOr160To480AndNothingElse) {
  int size = -1;
  for (const char16_t* good : {u"0", u"160", u"480", u" 280 ", u"000"}) {
    EXPECT_TRUE(ParseBmpSize(good, size));
  }
  EXPECT_EQ(size, 0);
  ASSERT_TRUE(ParseBmpSize(u"160", size));
  EXPECT_EQ(size, 160);
  for (const char16_t* bad : {u"159", u"481", u"", u"  ", u"-200", u"2 80", u"abc", u"0480", u"99999999999"}) {
    size = 7;
    EXPECT_FALSE(ParseBmpSize(bad, size));
    EXPECT_EQ(size, 7) << "a refused text leaves the size alone";
  }
}

TEST(ThumbSourceRules, FolderOfThumbnailSourcesIsNamedByItsOwnLastPart) {
  EXPECT_TRUE(IsThumbSourceFolder(u"C:\\pics\\bmp-cats"));
  EXPECT_TRUE(IsThumbSourceFolder(u"C:\\pics\\BMP_cats\\"));
  EXPECT_TRUE(IsThumbSourceFolder(u"bmp-"));
  EXPECT_FALSE(IsThumbSourceFolder(u"C:\\bmp-cats\\dogs"));
  EXPECT_FALSE(IsThumbSourceFolder(u"C:\\pics\\bmpcats"));
  EXPECT_FALSE(IsThumbSourceFolder(u"C:\\pics\\my bmp-cats"));
  EXPECT_FALSE(IsThumbSourceFolder(u""));
  EXPECT_FALSE(IsThumbSourceFolder(u"\\\\"));
}

}  // namespace
}  // namespace tarn
