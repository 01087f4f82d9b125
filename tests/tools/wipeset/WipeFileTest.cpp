// The wipe itself, watched block by block and on disk after each pass.
#include "WipesetFixture.h"

#include <tuple>

#include "tools/wipeset/WipeFile.h"

namespace wipeset::test {
namespace {

using Block = std::tuple<int, std::uint64_t, std::uint32_t>;  // fill, offset, size

class Watcher : public WipeObserver {
 public:
  explicit Watcher(std::string path) : path_(std::move(path)) { g_WipeObserver = this; }
  ~Watcher() override { g_WipeObserver = nullptr; }
  void Wrote(unsigned char fill, std::uint64_t offset, std::uint32_t size) override { blocks.emplace_back(fill, offset, size); }
  // What another reader finds on disk once a pass is over.
  void PassDone(unsigned char) override { afterPass.push_back(WipesetTest::Read(path_)); }

  std::vector<Block> blocks;
  std::vector<std::string> afterPass;

 private:
  std::string path_;
};

using WipeFileTest = WipesetTest;

TEST_F(WipeFileTest, OverwritesWithOnesThenZerosInWholeBlocksAndTheRemainder) {
  const std::string path = Put(folder_ + "Tarn.cfg", 2500, 'S');
  Watcher watcher(path);
  EXPECT_EQ(WipeDelete(path), kWipeDone);
  EXPECT_EQ(watcher.blocks, (std::vector<Block>{{0xFF, 0, 1024}, {0xFF, 1024, 1024}, {0xFF, 2048, 452},
                                                {0x00, 0, 1024}, {0x00, 1024, 1024}, {0x00, 2048, 452}}));
  ASSERT_EQ(watcher.afterPass.size(), 2u);
  EXPECT_EQ(watcher.afterPass[0], std::string(2500, '\xFF'));
  EXPECT_EQ(watcher.afterPass[1], std::string(2500, '\0'));
  EXPECT_FALSE(Exists(path));
}

TEST_F(WipeFileTest, BlockBoundaries) {
  const std::vector<std::pair<std::size_t, std::vector<std::uint32_t>>> cases = {
      {0, {}}, {1, {1}}, {1023, {1023}}, {1024, {1024}}, {1025, {1024, 1}}, {2048, {1024, 1024}}};
  for (const auto& [size, pass] : cases) {
    const std::string path = Put(folder_ + "ErrLog.txt", size);
    Watcher watcher(path);
    EXPECT_EQ(WipeDelete(path), kWipeDone) << size;
    std::vector<std::uint32_t> sizes;
    for (const Block& b : watcher.blocks) sizes.push_back(std::get<2>(b));
    std::vector<std::uint32_t> twice = pass;
    twice.insert(twice.end(), pass.begin(), pass.end());
    EXPECT_EQ(sizes, twice) << size;
    EXPECT_EQ(watcher.afterPass.size(), 2u) << size;
    EXPECT_FALSE(Exists(path)) << size;
  }
}

TEST_F(WipeFileTest, FilesThatCannotBeWrittenAreLeftWhole) {
  EXPECT_EQ(WipeDelete(folder_ + "missing.txt"), kWipeOpenFailed);

  const std::string readOnly = Put(folder_ + "ro.txt", 300, 'R');
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(WipeDelete(readOnly), kWipeOpenFailed);
  EXPECT_EQ(Read(readOnly), std::string(300, 'R'));

  const std::string locked = Put(folder_ + "locked.txt", 300, 'L');
  const HANDLE holder = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_EQ(WipeDelete(locked), kWipeOpenFailed);
  CloseHandle(holder);
  EXPECT_EQ(Read(locked), std::string(300, 'L'));
}

TEST_F(WipeFileTest, UndeletableFileIsLeftEmptyAndDatedNow) {
  const std::string path = Put(folder_ + "held.txt", 2500);
  const HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  SYSTEMTIME old = {2001, 1, 1, 1, 12, 0, 0, 0};
  FILETIME oldTime, before;
  SystemTimeToFileTime(&old, &oldTime);
  ASSERT_TRUE(SetFileTime(h, nullptr, &oldTime, &oldTime));
  GetSystemTimeAsFileTime(&before);

  // The holder shares reading and writing but not deleting.
  EXPECT_EQ(WipeDelete(path), kWipeDeleteFailed);
  CloseHandle(h);
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  const auto ticks = [](const FILETIME& t) {
    return static_cast<long long>((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
  };
  const long long since = ticks(data.ftLastWriteTime) - ticks(before);  // in 100 ns
  EXPECT_GT(since, -20000000) << "dated now, not 2001";
  EXPECT_LT(since, 600000000);
}

}  // namespace
}  // namespace wipeset::test
