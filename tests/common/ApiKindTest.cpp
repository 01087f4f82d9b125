#include <gtest/gtest.h>

#include <cstring>

#include "common/PluginCodes.h"

namespace tarn {
namespace {

SpiApiKind Kind(const char* s) { return ApiKindOf(s, std::strlen(s)); }

TEST(ApiKind, EveryPublishedAnswerHasItsValue) {
  EXPECT_EQ(Kind("00IN"), 1);
  EXPECT_EQ(Kind("00IM"), 129);
  EXPECT_EQ(Kind("00AN"), 2);
  EXPECT_EQ(Kind("00AM"), 130);
  EXPECT_EQ(Kind("00XN"), 4);
  EXPECT_EQ(Kind("00XM"), 132);
  EXPECT_EQ(Kind("00CN"), 16);
  EXPECT_EQ(Kind("00EN"), 32);
}

TEST(ApiKind, AnythingElseIsKindZero) {
  EXPECT_EQ(Kind("00I"), 0) << "three bytes are too short";
  EXPECT_EQ(Kind(""), 0);
  EXPECT_EQ(Kind("01IN"), 0);
  EXPECT_EQ(Kind("00in"), 0) << "the letters are upper case";
  EXPECT_EQ(Kind("00CM"), 0);
  EXPECT_EQ(Kind("00ZN"), 0);
  EXPECT_EQ(ApiKindOf(nullptr, 4), 0);
  EXPECT_EQ(Kind("00INxyz"), 1) << "only the first four characters count";
}

TEST(InputSelector, OnlyTheLowThreeBitsSelect) {
  EXPECT_FALSE(IsMemoryInput(0));
  EXPECT_TRUE(IsMemoryInput(1));
  EXPECT_FALSE(IsMemoryInput(0x10)) << "higher bits carry no meaning";
  EXPECT_TRUE(IsMemoryInput(0x11));
}

TEST(InputSelector, HandlesAreValuesWithTheUpperBitsClear) {
  EXPECT_TRUE(IsFileHandleArgument(0));
  EXPECT_TRUE(IsFileHandleArgument(0xFFFF));
  EXPECT_FALSE(IsFileHandleArgument(0x10000));
}

}  // namespace
}  // namespace tarn
