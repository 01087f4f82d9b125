#include <gtest/gtest.h>

#include "plugin_host/PluginName.h"

namespace tarn {
namespace {

// ASCII converts to itself, "あ" to its two code-page-932 bytes; everything else has no form.
class TinyEncoder : public CodePageEncoder {
 public:
  int Encode(char16_t c, char out[2]) override {
    if (c < 0x80) {
      out[0] = static_cast<char>(c);
      return 1;
    }
    if (c == u'あ') {
      out[0] = '\x82';
      out[1] = '\xA0';
      return 2;
    }
    return 0;
  }
};

PluginName Make(std::u16string_view path, NameMode mode) {
  TinyEncoder encoder;
  return MakePluginName(path, mode, encoder);
}

TEST(PluginName, ConvertiblePathsPassUnchanged) {
  for (NameMode mode : {NameMode::kStrict, NameMode::kMarker, NameMode::kMarkerCopy}) {
    const PluginName name = Make(u"C:\\pics\\あ.bmp", mode);
    EXPECT_EQ(name.outcome, NameOutcome::kConverted);
    EXPECT_EQ(name.bytes, "C:\\pics\\\x82\xA0.bmp");
  }
}

TEST(PluginName, UnconvertibleCharacterGivesTheMarkerWithTheExtensionAsItStands) {
  const PluginName name = Make(u"C:\\pics\\caf\u00E9.PNG", NameMode::kMarker);
  EXPECT_EQ(name.outcome, NameOutcome::kMarker);
  EXPECT_EQ(name.bytes, "[UNICODE].PNG");
  EXPECT_EQ(Make(u"C:\\\u00E9\\a.tar.gz", NameMode::kMarkerCopy).bytes, "[UNICODE].gz") << "the last dot";
  EXPECT_EQ(Make(u"C:\\x.d\\\u00E9", NameMode::kMarker).outcome, NameOutcome::kFailed)
      << "the last dot is a folder's, and the text after it cannot be converted";
}

TEST(PluginName, FailuresAndTheEmptyName) {
  EXPECT_EQ(Make(u"C:\\caf\u00E9.png", NameMode::kStrict).outcome, NameOutcome::kFailed);
  const PluginName noDot = Make(u"C:\\caf\u00E9", NameMode::kMarker);
  EXPECT_EQ(noDot.outcome, NameOutcome::kNoExtension);
  EXPECT_EQ(noDot.bytes, "");
  EXPECT_EQ(Make(u"C:\\caf\u00E9.p\u00E9g", NameMode::kMarker).outcome, NameOutcome::kFailed)
      << "the extension itself has no form";
}

TEST(PluginName, NamesLongerThanTheHostsBufferAreRefused) {
  const std::u16string fits = u"C:\\" + std::u16string(251, u'a') + u".b";  // 256 characters
  EXPECT_EQ(Make(fits.substr(1), NameMode::kMarker).bytes.size(), 255u);
  EXPECT_EQ(Make(fits, NameMode::kMarker).outcome, NameOutcome::kFailed) << "256 bytes leave no room";
  const std::u16string longExtension = u"\u00E9." + std::u16string(245, u'x');
  EXPECT_EQ(Make(longExtension, NameMode::kMarker).bytes.size(), 255u);
  EXPECT_EQ(Make(longExtension + u"x", NameMode::kMarker).outcome, NameOutcome::kFailed);
}

TEST(SubstituteName, UnconvertibleCharactersBecomeTheMiddleDot) {
  TinyEncoder encoder;
  EXPECT_EQ(SubstituteName(u"C:\\caf\u00E9\u00E9.png", encoder), "C:\\caf\x81\x45\x81\x45.png");
  EXPECT_EQ(SubstituteName(u"あ.bmp", encoder), "\x82\xA0.bmp");
}

}  // namespace
}  // namespace tarn
