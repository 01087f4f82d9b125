// The owner of a plug-in's picture: what it takes, what it locks, and that every block it held is
// freed when it lets go, moved or not.
#include <windows.h>

#include <gtest/gtest.h>

#include "plugin_host/PluginPicture.h"

namespace tarn::test {
namespace {

struct Handed {
  HLOCAL info = nullptr, bits = nullptr, comment = nullptr;
};

// A plug-in's delivery answering `result`: a header of `width` x `height` x 24 (or, when
// `lockable` is false, blocks LocalLock refuses), a pixel block and a comment block.
auto Deliver(Handed& handed, int width, int height, int result = 0, bool lockable = true) {
  return [&handed, width, height, result, lockable](HLOCAL* info, HLOCAL* bits, PictureInfo* record) {
    handed.info = *info = LocalAlloc(LMEM_MOVEABLE, lockable ? sizeof(BITMAPINFOHEADER) : 0);
    handed.bits = *bits = LocalAlloc(LMEM_MOVEABLE, lockable ? 64 : 0);
    handed.comment = record->hInfo = LocalAlloc(LMEM_MOVEABLE, 8);
    if (lockable) {
      *static_cast<BITMAPINFOHEADER*>(LocalLock(*info)) = {sizeof(BITMAPINFOHEADER), width, height, 1, 24};
      LocalUnlock(*info);
    }
    return result;
  };
}

bool Freed(const Handed& h) { return LocalSize(h.info) == 0 && LocalSize(h.bits) == 0 && LocalSize(h.comment) == 0; }

TEST(PluginPicture, LocksWhatItTakesAndFreesItWhereverItWasMoved) {
  Handed first, second;
  {
    PluginPicture picture;
    ASSERT_EQ(picture.Receive(Deliver(first, 3, -5)), 0);
    ASSERT_TRUE(picture.Lock());
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Rows(), 5) << "a top-down picture has as many rows";
    EXPECT_EQ(picture.BitCount(), 24);
    EXPECT_GE(picture.BitsBytes(), 64u);

    PluginPicture moved(std::move(picture));
    EXPECT_TRUE(picture.IsEmpty());
    EXPECT_EQ(picture.Info(), nullptr);
    PluginPicture other;
    ASSERT_EQ(other.Receive(Deliver(second, 7, 2)), 0);
    other = std::move(moved);
    EXPECT_FALSE(Freed(first)) << "a move frees nothing";
    EXPECT_TRUE(Freed(second)) << "the picture given way to is freed";
    EXPECT_EQ(other.Width(), 3);
    EXPECT_EQ(other.Record().hInfo, first.comment);
  }
  EXPECT_TRUE(Freed(first)) << "the last holder frees it on going";
}

TEST(PluginPicture, LeftoversOfAFailedDeliveryAndBlocksThatCannotBeLocked) {
  Handed failed, unlockable;
  PluginPicture picture;
  EXPECT_EQ(picture.Receive(Deliver(failed, 3, 3, 3)), 3);
  EXPECT_FALSE(picture.IsEmpty()) << "held, so that they are freed";
  // Checked inside the next delivery: once it allocates, the system may hand out the same handles.
  EXPECT_EQ(picture.Receive([&](HLOCAL* info, HLOCAL* bits, PictureInfo* record) {
              EXPECT_TRUE(Freed(failed)) << "a new delivery lets the last one go first";
              return Deliver(unlockable, 0, 0, 0, false)(info, bits, record);
            }),
            0);
  EXPECT_FALSE(picture.Lock());
  EXPECT_EQ(picture.Info(), nullptr);
  EXPECT_EQ(picture.Bits(), nullptr);
  EXPECT_EQ(picture.InfoBytes(), 0u);
  EXPECT_EQ(picture.Rows(), 0);
  picture.Reset();
  EXPECT_TRUE(picture.IsEmpty());
  EXPECT_TRUE(Freed(unlockable));
}

}  // namespace
}  // namespace tarn::test
