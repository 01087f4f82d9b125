// The WebP decoder on pictures made by libwebp's encoder: lossless and lossy, alpha over white,
// the catalog's scaled preview, the first frame of an animation, and damaged and hostile files.
#include "plugins/webp/WebpDecode.h"

#include <gtest/gtest.h>

#include <array>

#include <webp/decode.h>
#include <webp/mux.h>

#include "common/DibLayout.h"
#include "common/OverWhite.h"
#include "common/PluginCodes.h"
#include "tests/plugins/webp/WebpBuilder.h"
#include "tests/support/DecodedPicture.h"

namespace tarn::webp {
namespace {

using test::MakeWebp;
using test::RecordingProgress;
using test::VectorPictureMemory;
using test::WebpFile;
using Bytes = std::vector<std::uint8_t>;
using Bgr = std::array<int, 3>;

int Decode(const Bytes& file, VectorPictureMemory& memory, Scale scale = Scale::kFull,
           ProgressReport* progress = nullptr) {
  return Settled(DecodeWebp(file.data(), file.size(), scale, memory, progress), memory);
}


// Pixel (x, y), y counted from the top, of a delivered 24-bit picture.

TEST(DecodeWebp, LosslessPicturesArriveExactlyBottomRowFirst) {
  const WebpFile f{.width = 5, .height = 3};
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakeWebp(f), m), kSpiOk);
  const DibHeader h = Header(m);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, 3);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biSizeImage, 48u);
  ASSERT_EQ(m.info.size(), 40u);
  ASSERT_EQ(m.pixels.size(), 48u);
  const Bytes want = test::WebpPixels(f);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const std::uint8_t* p = &want[(y * 5 + x) * 4];
      EXPECT_EQ(At(m, x, y), (Bgr{p[0], p[1], p[2]})) << x << "," << y;
    }
    EXPECT_EQ(m.pixels[y * 16 + 15], 0) << "padding";
  }
}

TEST(DecodeWebp, AlphaIsShownOverWhite) {
  const WebpFile f{.width = 4, .height = 2, .alpha = true, .pixel = [](int x, int y, std::uint8_t* p) {
                     p[0] = 10;
                     p[1] = 100;
                     p[2] = 250;
                     p[3] = static_cast<std::uint8_t>(x * 85 * (y + 1) / 2);
                   }};
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakeWebp(f), m), kSpiOk);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      const unsigned a = static_cast<unsigned>(x * 85 * (y + 1) / 2);
      EXPECT_EQ(At(m, x, y), (Bgr{OverWhite8(10, a), OverWhite8(100, a), OverWhite8(250, a)})) << x << "," << y;
    }
}

// A lossy picture matches the library's own plain decode pixel for pixel, opaque or not.
TEST(DecodeWebp, LossyPicturesMatchTheLibrarysOwnDecode) {
  for (const bool alpha : {false, true}) {
    const WebpFile f{.width = 37, .height = 21, .lossless = false, .alpha = alpha, .quality = 75,
                     .pixel = [](int x, int y, std::uint8_t* p) {
                       p[0] = static_cast<std::uint8_t>(x * 7);
                       p[1] = static_cast<std::uint8_t>(y * 12);
                       p[2] = static_cast<std::uint8_t>((x * y) & 0xFF);
                       p[3] = static_cast<std::uint8_t>(x < 18 ? 255 : 128);
                     }};
    const Bytes file = MakeWebp(f);
    int w = 0, h = 0;
    std::uint8_t* reference = WebPDecodeBGRA(file.data(), file.size(), &w, &h);
    ASSERT_NE(reference, nullptr);
    VectorPictureMemory m;
    ASSERT_EQ(Decode(file, m), kSpiOk);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint8_t* p = reference + (y * w + x) * 4;
        ASSERT_EQ(At(m, x, y), (Bgr{OverWhite8(p[0], p[3]), OverWhite8(p[1], p[3]), OverWhite8(p[2], p[3])}))
            << alpha << " " << x << "," << y;
      }
    WebPFree(reference);
  }
}

TEST(WebpPreview, LongerSideIsTheSmallestStillAtLeast384) {
  EXPECT_EQ(PreviewSize({4000, 3000}), (PictureSize{384, 288}));
  EXPECT_EQ(PreviewSize({3000, 4000}), (PictureSize{288, 384}));
  EXPECT_EQ(PreviewSize({385, 10}), (PictureSize{384, 10}));
  EXPECT_EQ(PreviewSize({384, 384}), (PictureSize{384, 384})) << "no larger than needed: kept";
  EXPECT_EQ(PreviewSize({100, 50}), (PictureSize{100, 50}));
  EXPECT_EQ(PreviewSize({16383, 2}), (PictureSize{384, 1})) << "never below one pixel";
}

TEST(DecodeWebp, PreviewDecodesScaledAndSmallPicturesWhole) {
  const WebpFile large{.width = 800, .height = 200, .alpha = true};
  VectorPictureMemory m;
  ASSERT_EQ(Decode(MakeWebp(large), m, Scale::kPreview), kSpiOk);
  EXPECT_EQ(Header(m).biWidth, 384);
  EXPECT_EQ(Header(m).biHeight, 96);
  EXPECT_EQ(m.pixels.size(), DibRowBytes(384, 24) * 96);
  ASSERT_EQ(Decode(MakeWebp(large), m, Scale::kFull), kSpiOk);
  EXPECT_EQ(Header(m).biWidth, 800);

  const WebpFile small{.width = 30, .height = 20};
  VectorPictureMemory whole, preview;
  ASSERT_EQ(Decode(MakeWebp(small), whole), kSpiOk);
  ASSERT_EQ(Decode(MakeWebp(small), preview, Scale::kPreview), kSpiOk);
  EXPECT_EQ(preview.pixels, whole.pixels);
}

// Two frames on a 6 x 4 canvas: the first covers its left half in red, the second all of it in blue.
Bytes TwoFrameAnimation() {
  WebPAnimEncoderOptions options;
  WebPAnimEncoderOptionsInit(&options);
  WebPAnimEncoder* encoder = WebPAnimEncoderNew(6, 4, &options);
  WebPConfig config;
  WebPConfigInit(&config);
  config.lossless = 1;
  for (int frame = 0; frame < 2; ++frame) {
    WebPPicture picture;
    WebPPictureInit(&picture);
    picture.width = 6;
    picture.height = 4;
    picture.use_argb = 1;
    WebPPictureAlloc(&picture);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x)
        picture.argb[y * picture.argb_stride + x] =
            frame == 0 ? (x < 3 ? 0xFFFF0000u : 0x00000000u) : 0xFF0000FFu;
    WebPAnimEncoderAdd(encoder, &picture, frame * 100, &config);
    WebPPictureFree(&picture);
  }
  WebPAnimEncoderAdd(encoder, nullptr, 200, nullptr);
  WebPData data;
  WebPDataInit(&data);
  WebPAnimEncoderAssemble(encoder, &data);
  Bytes file(data.bytes, data.bytes + data.size);
  WebPDataClear(&data);
  WebPAnimEncoderDelete(encoder);
  return file;
}

TEST(DecodeWebp, AnAnimationShowsItsFirstFrameOnItsCanvas) {
  const Bytes file = TwoFrameAnimation();
  WebpInfo info;
  ASSERT_EQ(ReadWebpInfo(file.data(), file.size(), &info), kSpiOk);
  EXPECT_EQ(info.width, 6u);
  EXPECT_EQ(info.height, 4u);
  for (const Scale scale : {Scale::kFull, Scale::kPreview}) {
    VectorPictureMemory m;
    ASSERT_EQ(Decode(file, m, scale), kSpiOk);
    EXPECT_EQ(Header(m).biWidth, 6);
    EXPECT_EQ(Header(m).biHeight, 4);
    EXPECT_EQ(At(m, 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(At(m, 5, 3), (Bgr{255, 255, 255})) << "clear canvas over white";
  }
}

TEST(DecodeWebp, HostileAndDamagedFilesAnswerCodes) {
  const Bytes good = MakeWebp({.width = 40, .height = 30, .lossless = false, .alpha = true});
  VectorPictureMemory m;
  // Every cut of the file, down to nothing: a code, never a read outside.
  for (std::size_t n = 0; n < good.size(); n += n < 64 ? 1 : 7) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    const int r = Decode(cut, m);
    EXPECT_TRUE(r == kSpiNotFormat || r == kSpiBroken) << n << " gave " << r;
  }
  Bytes notWebp = good;
  notWebp[8] = 'X';
  EXPECT_EQ(Decode(notWebp, m), kSpiNotFormat);
  WebpInfo info;
  EXPECT_EQ(ReadWebpInfo(good.data(), 11, &info), kSpiNotFormat);

  // A lossless header claiming 16384 x 16384: refused before anything is allocated.
  Bytes huge = MakeWebp({.width = 2, .height = 2});
  ASSERT_EQ(huge[20], 0x2F);  // the lossless signature right after the chunk header
  const std::uint32_t sides = 16383u | 16383u << 14;
  for (int i = 0; i < 4; ++i) huge[21 + i] = static_cast<std::uint8_t>((sides >> (8 * i)) | (i == 3 ? huge[24] & 0xF0 : 0));
  EXPECT_EQ(ReadWebpInfo(huge.data(), huge.size(), &info), kSpiOk);
  EXPECT_EQ(info.width, 16384u);
  VectorPictureMemory counted;
  EXPECT_EQ(Decode(huge, counted), kSpiNoMemory);
  EXPECT_EQ(counted.pictureAllocations, 0);
}

TEST(DecodeWebp, FailuresAndStopsHoldNothing) {
  const Bytes withAlpha = MakeWebp({.width = 9, .height = 9, .alpha = true, .pixel = [](int x, int, std::uint8_t* p) {
                                       p[0] = p[1] = p[2] = 0;
                                       p[3] = static_cast<std::uint8_t>(x * 20);
                                     }});
  VectorPictureMemory m;
  m.allocateAnswer = kSpiNoMemory;
  EXPECT_EQ(Decode(withAlpha, m), kSpiNoMemory);
  m.allocateAnswer = kSpiOk;
  m.workAvailable = false;
  EXPECT_EQ(Decode(withAlpha, m), kSpiLockFailed);
  m.workAvailable = true;
  for (int stopAt : {0, 1}) {
    RecordingProgress progress(stopAt);
    EXPECT_EQ(Decode(withAlpha, m, Scale::kFull, &progress), kSpiStopped) << stopAt;
  }
}

TEST(WebpNames, SignatureAndExtension) {
  EXPECT_TRUE(HasWebpExtension("a.WebP"));
  EXPECT_TRUE(HasWebpExtension("a.png.webp"));
  EXPECT_FALSE(HasWebpExtension("a.webpx"));
  EXPECT_FALSE(HasWebpExtension("webp"));
  const Bytes file = MakeWebp({});
  EXPECT_TRUE(HasWebpSignature(file.data(), file.size()));
  EXPECT_FALSE(HasWebpSignature(file.data(), 11));
}

}  // namespace
}  // namespace tarn::webp
