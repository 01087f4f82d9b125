// The registry over a folder of real and test plug-ins: order, kinds, selection and sense calls.
#include "HostFixture.h"

#include "base/ErrorLog.h"

namespace tarn::test {
namespace {

using Registry = HostTest;

// The order in which the platform's file finder lists the folder's plug-ins.
std::vector<std::wstring> FinderOrder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*.spi").c_str(), &found);
  do names.push_back(found.cFileName);
  while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

TEST_F(Registry, KeepsTheFinderOrderAndSkipsWhatItCannotUse) {
  Install(L"TarnBmp.spi", L"TarnBmp.spi");
  Install(L"FakeNoInfo.spi", L"NoInfo.spi");
  Install(L"FakeArchive.spi", L"Archive.spi");
  Install(L"FakePlugin.spi", L"TarnGif.spi");
  Install(L"FakePlugin.spi", L"Other.spi");
  EXPECT_EQ(Enumerate(), 3);
  EXPECT_EQ(g_PluginCount, 3);
  std::vector<std::wstring> expected;
  for (const std::wstring& name : FinderOrder(folder_))
    if (name != L"NoInfo.spi" && name != L"Archive.spi") expected.push_back(name);
  std::vector<std::wstring> actual;
  for (int i = 0; i < registry_->Count(); ++i) {
    wchar_t name[MAX_PATH];
    ASSERT_EQ(registry_->GetName(i, name), 0);
    actual.push_back(name);
  }
  EXPECT_EQ(actual, expected);
  wchar_t name[MAX_PATH];
  EXPECT_EQ(registry_->GetName(3, name), -1);
  EXPECT_EQ(registry_->GetName(-1, name), -1);
}

TEST_F(Registry, AFolderWithoutPlugInsChangesNothingAndNamesAreNotRegisteredTwice) {
  EXPECT_EQ(Enumerate(), 0);
  Install(L"TarnBmp.spi", L"TarnBmp.spi");
  EXPECT_EQ(Enumerate(), 1);
  EXPECT_EQ(Enumerate(), 0) << "the same file name again is skipped";
  EXPECT_EQ(registry_->Count(), 1);
  EXPECT_EQ(registry_->Enumerate(L"Z:\\no\\such\\folder"), 0);
}

TEST_F(Registry, EnabledFlagsAndFindByName) {
  Install(L"FakePlugin.spi", L"TarnGif.spi");
  ASSERT_EQ(Enumerate(), 1);
  EXPECT_EQ(registry_->FindByName(L"tarngif.SPI"), 0);
  EXPECT_EQ(registry_->Enabled(0, 2), 1);
  EXPECT_EQ(registry_->Enabled(0, 2), 1) << "2 only reads";
  EXPECT_EQ(registry_->Enabled(0, 0), 1);
  EXPECT_EQ(registry_->Enabled(0, 2), 0);
  EXPECT_EQ(registry_->FindByName(L"TarnGif.spi"), -1) << "only enabled plug-ins are found";
  EXPECT_EQ(registry_->Enabled(0, 7), 0) << "other values only read";
  EXPECT_EQ(registry_->Enabled(1, 1), -1);
  EXPECT_EQ(registry_->Enabled(-1, 1), -1);
  EXPECT_EQ(registry_->FindByName(nullptr), -1);
}

TEST_F(Registry, FirstPlugInThatClaimsAndDecodesWins) {
  Install(L"FakePlugin.spi", L"GifA.spi");
  Install(L"FakePlugin.spi", L"GifB.spi");
  ASSERT_EQ(Enumerate(), 2);
  const std::wstring gif = WriteFile(L"anim.gif", "GIF89a....");
  FakeControl* first = Control(registry_->At(0).FileName().c_str());
  FakeControl* second = Control(registry_->At(1).FileName().c_str());
  ASSERT_TRUE(first && second);
  std::strcpy(first->extension, ".gif");
  std::strcpy(second->extension, ".gif");

  HLOCAL info = nullptr, bits = nullptr;
  unsigned char record[kPictureInfoReserve];
  ASSERT_EQ(registry_->LoadPicture(gif.c_str(), &info, &bits, reinterpret_cast<PictureInfo*>(record)), 0);
  EXPECT_EQ(first->pictureCalls, 1);
  EXPECT_EQ(second->pictureCalls, 0);
  EXPECT_EQ(registry_->m_LastPlugin, 0);
  EXPECT_EQ(reinterpret_cast<PictureInfo*>(record)->width, 2u) << "the winner's picture information";
  EXPECT_EQ(std::memcmp(first->lastHeader, "GIF89a..", 8), 0) << "IsSupported saw the file's first bytes";
  LocalFree(info);
  LocalFree(bits);

  // The first claims but fails, handing over handles anyway: they are freed and the next tries.
  first->pictureResult = 2;
  first->handlesOnFailure = 1;
  info = bits = nullptr;
  ASSERT_EQ(registry_->LoadPicture(gif.c_str(), &info, &bits, nullptr), 0);
  EXPECT_EQ(second->pictureCalls, 1);
  EXPECT_EQ(registry_->m_LastPlugin, 1);
  LocalFree(info);
  LocalFree(bits);

  second->pictureResult = 4;
  info = bits = nullptr;
  EXPECT_EQ(registry_->LoadPicture(gif.c_str(), &info, &bits, nullptr), 2) << "their own codes are not passed on";
  EXPECT_TRUE(info == nullptr && bits == nullptr);
  EXPECT_EQ(LocalSize(first->handedOver[0]), 0u) << "the failing plug-in's handles were freed";
  EXPECT_EQ(LocalSize(first->handedOver[1]), 0u);
  EXPECT_EQ(registry_->IsSupportedAny(gif.c_str()), 1);

  registry_->Enabled(0, 0);
  registry_->Enabled(1, 0);
  EXPECT_EQ(registry_->LoadPicture(gif.c_str(), &info, &bits, nullptr), 2);
  EXPECT_EQ(registry_->IsSupportedAny(gif.c_str()), 0);
}

TEST_F(Registry, FileAndArgumentFailures) {
  Install(L"FakePlugin.spi", L"Fake.spi");
  ASSERT_EQ(Enumerate(), 1);
  HLOCAL info = nullptr, bits = nullptr;
  SenseCell cells[3] = {};
  const std::wstring missing = folder_ + L"missing.fake";
  EXPECT_EQ(registry_->LoadPicture(missing.c_str(), &info, &bits, nullptr), 6);
  EXPECT_EQ(registry_->LoadPreview(missing.c_str(), &info, &bits, nullptr), 6);
  EXPECT_EQ(registry_->SenseDispatch(L"Fake.spi", missing.c_str(), cells), 61);
  EXPECT_EQ(registry_->LoadPicture(nullptr, &info, &bits, nullptr), 8);
  EXPECT_EQ(registry_->LoadPicture(missing.c_str(), nullptr, &bits, nullptr), 8);
  EXPECT_EQ(registry_->SenseDispatch(nullptr, missing.c_str(), cells), 8);
  EXPECT_EQ(registry_->SenseDispatch(L"Fake.spi", missing.c_str(), nullptr), 8);
  EXPECT_EQ(registry_->IsSupportedAny(missing.c_str()), 0);
}

TEST_F(Registry, SenseCallsReachOnlyTheNamedPlugInThatClaimsTheFile) {
  Install(L"FakePlugin.spi", L"First.spi");
  Install(L"FakePlugin.spi", L"TarnGif.spi");
  ASSERT_EQ(Enumerate(), 2);
  const std::wstring file = WriteFile(L"a.fake", "x");
  SenseCell cells[3] = {-3, 0, 0};
  Control(L"TarnGif.spi")->frames = 4;
  ASSERT_EQ(registry_->SenseDispatch(L"TarnGif.spi", file.c_str(), cells), 0);
  EXPECT_EQ(Control(L"First.spi")->senseCalls, 0);
  EXPECT_EQ(Control(L"TarnGif.spi")->lastCommand, -3);
  EXPECT_STREQ(Control(L"TarnGif.spi")->lastSpiName, "TarnGif.spi");
  EXPECT_EQ(cells[0], 4);
  EXPECT_EQ(registry_->m_LastPlugin, registry_->FindByName(L"TarnGif.spi"));
  EXPECT_EQ(registry_->SenseDispatch(L"TarnMov.spi", file.c_str(), cells), 2) << "nobody of that name";
  std::strcpy(Control(L"TarnGif.spi")->extension, ".other");
  EXPECT_EQ(registry_->SenseDispatch(L"TarnGif.spi", file.c_str(), cells), 2) << "it does not claim the file";
}

TEST_F(Registry, UnicodeNamesReachThePlugInAsMarkersWithTheRealHeader) {
  Install(L"FakePlugin.spi", L"Fake.spi");
  ASSERT_EQ(Enumerate(), 1);
  const std::wstring file = WriteFile(L"caf\u00E9.fake", "REALBYTES");
  HLOCAL info = nullptr, bits = nullptr;
  ASSERT_EQ(registry_->LoadPicture(file.c_str(), &info, &bits, nullptr), 0);
  FakeControl* fake = Control(L"Fake.spi");
  EXPECT_STREQ(fake->lastName, "[UNICODE].fake");
  EXPECT_EQ(std::memcmp(fake->lastHeader, "REALBYTE", 8), 0);
  LocalFree(info);
  LocalFree(bits);

  EXPECT_EQ(registry_->At(0).IsSupported(file.c_str()), 1) << "by file: the host reads the header itself";
  EXPECT_EQ(std::memcmp(fake->lastHeader, "REALBYTE", 8), 0);

  const std::wstring dotless = WriteFile(L"caf\u00E9", "REALBYTES");
  EXPECT_EQ(registry_->LoadPicture(dotless.c_str(), &info, &bits, nullptr), 2);
  EXPECT_STREQ(fake->lastName, "");
  ASSERT_FALSE(prompt_.shown.empty());
  EXPECT_EQ(prompt_.shown[0].text, u"_T(拡張子' . 'が検出できません<-w11>");
}

TEST_F(Registry, WrappersOfAbsentExportsAnswerWithoutCalling) {
  Install(L"FakeBare.spi", L"Bare.spi");
  ASSERT_EQ(Enumerate(), 1);
  CSPICore& bare = registry_->At(0);
  const std::wstring file = WriteFile(L"a.fake", "x");
  PictureInfo info;
  HLOCAL a = nullptr, b = nullptr;
  SenseCell cells[1] = {};
  EXPECT_EQ(bare.ConfigurationDlg(nullptr, 1), -1);
  EXPECT_EQ(bare.GetPictureInfo(file.c_str(), &info), -1);
  EXPECT_EQ(bare.GetPreview(file.c_str(), 0, 0, &a, &b, nullptr, 0), -1);
  EXPECT_EQ(bare.SensePlugIn(L"Bare.spi", file.c_str(), cells), -1);
  EXPECT_EQ(bare.HasFunction(kFnConfigurationDlg), 0);
  EXPECT_EQ(bare.HasFunction(kFnGetPicture), 1);
  EXPECT_EQ(bare.HasFunction(kFnGetPluginInfo), 1);
  EXPECT_EQ(bare.HasFunction(0), 0);
  EXPECT_EQ(bare.HasFunction(11), 0);
}

TEST_F(Registry, PictureInformationIsRetriedAtOffset128) {
  Install(L"FakePlugin.spi", L"Fake.spi");
  ASSERT_EQ(Enumerate(), 1);
  const std::wstring file = WriteFile(L"a.fake", "x");
  FakeControl* fake = Control(L"Fake.spi");
  fake->infoResult = 2;
  PictureInfo info{};
  EXPECT_EQ(registry_->At(0).GetPictureInfo(file.c_str(), &info), 0);
  EXPECT_EQ(fake->infoCalls, 2);
  EXPECT_EQ(fake->infoOffsets[0], 0);
  EXPECT_EQ(fake->infoOffsets[1], 128);
  EXPECT_EQ(info.left, 0) << "the record is cleared again before the second call";
}

TEST_F(Registry, ConversionFailuresAreLoggedAndShown) {
  Install(L"FakePlugin.spi", L"Fake.spi");
  ASSERT_EQ(Enumerate(), 1);
  CreateErrorLog();
  CSPICore& spi = registry_->At(0);
  const std::wstring tooLong = folder_ + std::wstring(300, L'a') + L".fake";
  HLOCAL a = nullptr, b = nullptr;
  PictureInfo info;
  SenseCell cells[1] = {};
  EXPECT_EQ(spi.IsSupported(tooLong.c_str(), "header"), 0);
  EXPECT_EQ(spi.IsSupported(tooLong.c_str()), 0);
  EXPECT_EQ(spi.GetPictureInfo(tooLong.c_str(), &info), -1);
  EXPECT_EQ(spi.GetPicture(tooLong.c_str(), &a, &b, nullptr, 0), -1);
  EXPECT_EQ(spi.GetPreview(tooLong.c_str(), 0, 0, &a, &b, nullptr, 0), -1);
  EXPECT_EQ(spi.SensePlugIn(L"Fake.spi", tooLong.c_str(), cells), -1);
  EXPECT_EQ(spi.SensePlugIn(L"F\u00E9.spi", folder_.c_str(), cells), -1);
  const std::u16string path = FromWide(tooLong.c_str());
  const std::u16string head = u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 ]：CSPICore::";
  const std::vector<std::u16string> expected = {
      head + u"IsSupported関数_2\n  filename= " + path,
      head + u"IsSupported関数_1\n  filename= " + path,
      head + u"GetPictureInfo関数\n  filename= " + path,
      u"[ ワイド文字列 ⇒ マルチ文字列 変換失敗 <-s11>]：CSPICore::GetPicture関数\n  filename= " + path,
      head + u"GetPreview関数_2\n  buf= " + path,
      head + u"SensePlugIn関数\n  filename= " + path,
      u"ws To ms 失敗：CSPICore::SensePlugIn関数 SpiName",
  };
  ASSERT_EQ(prompt_.shown.size(), expected.size());
  std::u16string logged;
  // The boxes break the path into lines; the log keeps it whole.
  const auto unbroken = [](std::u16string text) {
    std::erase(text, u'\n');
    return text;
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(unbroken(prompt_.shown[i].text), unbroken(expected[i])) << i;
    if (i + 1 < expected.size()) logged += expected[i] + u"\n";
  }
  const std::u16string log = LogText();
  EXPECT_EQ(log.substr(log.size() - logged.size()), logged) << "all but the plug-in name failure are logged";
  EXPECT_EQ(Control(L"Fake.spi")->isSupportedCalls, 0);
}

TEST_F(Registry, FormatsAndTheirExtensions) {
  Install(L"TarnBmp.spi", L"TarnBmp.spi");
  Install(L"FakePlugin.spi", L"Fake.spi");
  ASSERT_EQ(Enumerate(), 2);
  EXPECT_EQ(registry_->CountFormats(), 2);
  const int bmp = registry_->FindByName(L"TarnBmp.spi");
  EXPECT_EQ(registry_->RepresentativeExtensions(bmp), L"代表的な拡張子 ( *.bmp; *.dib )\n");
  EXPECT_EQ(registry_->RepresentativeExtensions(5), L"");
  registry_->Enabled(bmp, 0);
  EXPECT_EQ(registry_->CountFormats(), 1);
  wchar_t name[256], pattern[256];
  CSPICore& core = registry_->At(bmp);
  ASSERT_EQ(core.GetSupportedType(0, name, pattern), 1);
  EXPECT_STREQ(name, L"BMP file");
  EXPECT_STREQ(pattern, L"*.bmp; *.dib");
  EXPECT_EQ(core.GetSupportedType(1, name, pattern), 0);
  EXPECT_EQ(core.GetApiKind(), kApiImportNormal);
}

TEST_F(Registry, InformationLongerThanOfferedIsCutAndTerminated) {
  Install(L"FakeOverlong.spi", L"Overlong.spi");
  ASSERT_EQ(Enumerate(), 1);
  char buf[300];
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(registry_->At(0).GetPluginInfo(1, buf, 100), 99);
  EXPECT_EQ(std::string(buf), std::string(99, 'A'));
  EXPECT_EQ(buf[100], 'x') << "nothing written past what the caller offered";
  EXPECT_EQ(registry_->At(0).GetPluginInfo(1, buf, 300), 255) << "the host offers the plug-in 256 bytes";
}

TEST_F(Registry, InformationStringsOutsideTheCodePageAreTold) {
  Install(L"FakeBadPattern.spi", L"BadPattern.spi");
  Install(L"FakeBadTypeName.spi", L"BadName.spi");
  CSPICore core;
  EXPECT_EQ(core.Load((folder_ + L"BadPattern.spi").c_str()), 0);
  EXPECT_TRUE(core.IsLoaded()) << "left loaded";
  wchar_t name[256], pattern[256];
  EXPECT_EQ(core.GetSupportedType(0, name, pattern), 0);
  EXPECT_EQ(core.Load((folder_ + L"BadName.spi").c_str()), 0);
  EXPECT_EQ(core.GetSupportedType(0, name, pattern), 0);
  const std::vector<std::u16string> expected = {
      u"ms To ws 失敗：CDialogPlugin::OnSpiInfo関数_1 sz",
      u"ms To ws 失敗：CSPICore::GetSupportedType関数 lpszTypeExt",
      u"ms To ws 失敗：CDialogPlugin::OnSpiInfo関数_2 sz",
      u"ms To ws 失敗：CSPICore::GetSupportedType関数 lpszTypeName",
  };
  ASSERT_EQ(prompt_.shown.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(prompt_.shown[i].text, expected[i]) << i;
  core.Unload();
  EXPECT_FALSE(core.IsLoaded());
  EXPECT_EQ(core.FormatCount(), 0);
  prompt_.shown.clear();
  EXPECT_EQ(Enumerate(), 0) << "plug-ins whose strings cannot be read are not registered";
}

}  // namespace
}  // namespace tarn::test
