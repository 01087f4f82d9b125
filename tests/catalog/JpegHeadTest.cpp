// The head of a JPEG file as the catalog reads it for a camera's thumbnail: sizes, orientation
// and the thumbnail's place in the file, and hostile heads that must not be trusted past their
// bounds.
#include "catalog/cache/JpegHead.h"

#include <gtest/gtest.h>

#include "tests/support/ExifBuilder.h"

namespace tarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Segment(Bytes& file, std::uint8_t marker, const Bytes& payload) {
  const std::size_t length = payload.size() + 2;
  file.insert(file.end(), {0xFF, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
  file.insert(file.end(), payload.begin(), payload.end());
}

// SOI, a JFIF APP0, the EXIF block, a frame header of `width` x `height`, and a scan header.
Bytes Head(const Bytes& exif, int width = 4000, int height = 3000) {
  Bytes file{0xFF, 0xD8};
  Segment(file, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
  if (!exif.empty()) Segment(file, 0xE1, exif);
  file.push_back(0xFF);  // a fill byte before the frame header
  Segment(file, 0xC0, {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                       static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 3});
  Segment(file, 0xDA, {1, 1, 0});
  return file;
}

const Bytes kThumbnail{0xFF, 0xD8, 0xFF, 0xDB, 1, 2, 3, 4, 0xFF, 0xD9};

TEST(JpegHeadTest, FindsSizeOrientationAndTheThumbnailInBothByteOrders) {
  for (const bool bigEndian : {true, false}) {
    const Bytes file = Head(test::ExifPayload(6, bigEndian, kThumbnail));
    JpegHead head;
    ASSERT_TRUE(ReadJpegHead(file.data(), file.size(), head)) << bigEndian;
    EXPECT_EQ(head.width, 4000);
    EXPECT_EQ(head.height, 3000);
    EXPECT_EQ(head.exif.orientation, 6);
    ASSERT_EQ(head.exif.thumbnailLength, kThumbnail.size());
    EXPECT_TRUE(std::equal(kThumbnail.begin(), kThumbnail.end(), file.begin() + head.exif.thumbnailOffset));
  }
  JpegHead plain;
  ASSERT_TRUE(ReadJpegHead(Head({}).data(), Head({}).size(), plain));
  EXPECT_EQ(plain.exif.thumbnailLength, 0u);
  EXPECT_EQ(plain.exif.orientation, 1);
}

TEST(JpegHeadTest, DamagedHeadsAndBlocksAreNotTrustedPastTheirBounds) {
  const Bytes exif = test::ExifPayload(1, true, kThumbnail);
  JpegHead head;
  // The thumbnail's length reaching one byte past the block.
  Bytes longer = exif;
  longer[6 + 26 + 2 + 12 + 11] = static_cast<std::uint8_t>(kThumbnail.size() + 1);
  ASSERT_TRUE(ReadJpegHead(Head(longer).data(), Head(longer).size(), head));
  EXPECT_EQ(head.exif.thumbnailLength, 0u);
  // IFD1 placed past the block, and IFD1 pointing at IFD0 (no thumbnail tags there, no loop).
  for (const std::uint8_t ifd1 : {0xF0, 0x08}) {
    Bytes moved = exif;
    moved[6 + 8 + 2 + 12 + 3] = ifd1;
    ASSERT_TRUE(ReadJpegHead(Head(moved).data(), Head(moved).size(), head));
    EXPECT_EQ(head.exif.thumbnailLength, 0u);
  }
  // An IFD that claims more entries than the block holds.
  Bytes crowded = exif;
  crowded[6 + 26] = 0xFF;
  crowded[6 + 27] = 0xFF;
  ASSERT_TRUE(ReadJpegHead(Head(crowded).data(), Head(crowded).size(), head));

  const Bytes whole = Head(exif);
  // Cut anywhere before the frame header ends: no head, and nothing read past the cut.
  const std::size_t frameEnd = whole.size() - 7;
  for (std::size_t cut = 0; cut < frameEnd; ++cut) {
    const Bytes part(whole.begin(), whole.begin() + cut);
    EXPECT_FALSE(ReadJpegHead(part.data(), part.size(), head)) << cut;
  }
  // A scan before any frame header, and a segment length running past the end.
  Bytes scanFirst{0xFF, 0xD8};
  Segment(scanFirst, 0xDA, {1, 1, 0});
  EXPECT_FALSE(ReadJpegHead(scanFirst.data(), scanFirst.size(), head));
  Bytes overlong{0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 0, 0};
  EXPECT_FALSE(ReadJpegHead(overlong.data(), overlong.size(), head));
}

}  // namespace
}  // namespace tarn
