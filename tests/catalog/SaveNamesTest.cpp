// The names a save proposes: suffixes by mode and change, the filter and default extension by
// the proposed extension, the reserved working names and the format by extension.
#include <gtest/gtest.h>

#include "catalog/save/SaveNames.h"

namespace tarn {
namespace {

TEST(SaveNames, SuffixesFollowTheModeTheChangeAndThePercentage) {
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveCommand, false, 100).path, u"C:\\p\\cat.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p\\", u"cat.jpg", kSaveCommand, true, 250).path, u"C:\\p\\cat-r.jpg");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"a.b.bmp", kSaveThumbSource, false, 45).path, u"C:\\p\\a.b-45.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveThumbSource, true, 150).path, u"C:\\p\\cat-150r.bmp");
  EXPECT_EQ(MakeSaveTarget(u"C:\\p", u"cat.bmp", kSaveThumbSource, true, 100).path, u"C:\\p\\cat.bmp");
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
