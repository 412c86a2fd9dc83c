#include "store/uncompress.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/system/memory.h"
#include "platform/system/resources.h"
#include "tests/store/reference_decoder.h"

namespace quillory {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string AsString(const TextBuffer& t) { return std::string(reinterpret_cast<const char*>(t.data()), t.length()); }

class UnCompressTest : public ::testing::Test {
 protected:
  void SetUp() override { live_ = platform::LiveAllocations(); }
  void TearDown() override {
    platform::FailNthAllocation(0);
    EXPECT_EQ(platform::LiveAllocations(), live_) << "a path leaked its buffer";
  }

  TextBuffer Decode(const Bytes& stream, std::uint32_t outputLength, LoadStatus* status = nullptr) {
    return UnCompress({stream.data(), static_cast<std::uint32_t>(stream.size()), outputLength}, status);
  }

  platform::ScopedHeadlessBackend backend_;
  std::int64_t live_ = 0;
};

TEST_F(UnCompressTest, DecodesEveryKindOfCode) {
  const struct {
    const char* name;
    Bytes stream;
    std::string expected;
  } cases[] = {
      {"plain bytes and the zero code", {0x41, 0x00, 0x7F, 0x09}, std::string("A\0\x7F\t", 4)},
      {"literal run of high bytes", {0x03, 0x80, 0x01, 0xFF}, "\x80\x01\xFF"},
      {"space pair", {0xE1, 0xC0}, " a @"},
      {"distance 1 repeats the last byte", {0x61, 0x80, 0x0F}, std::string(11, 'a')},
      {"overlapping distance 2", {0x61, 0x62, 0x80, 0x17}, "abababababab"},
      {"distance 8 copies ahead of itself", {0x08, '1', '2', '3', '4', '5', '6', '7', '8', 0x80, 0x47},
       "123456781234567812"},
  };
  for (const auto& c : cases) {
    LoadStatus status = LoadStatus::kNoInput;
    const TextBuffer t = Decode(c.stream, static_cast<std::uint32_t>(c.expected.size()), &status);
    ASSERT_TRUE(t) << c.name;
    EXPECT_EQ(AsString(t), c.expected) << c.name;
    EXPECT_EQ(t.data()[t.length()], 0) << c.name << ": the zero byte after the text";
    EXPECT_EQ(status, LoadStatus::kNoInput) << c.name << ": status written on success";
  }
  EXPECT_TRUE(backend_->shownBoxes().empty());
}

TEST_F(UnCompressTest, OutputFillingMidCodeStopsTheCode) {
  // The space of a pair fills the last place: the letter is dropped.
  EXPECT_EQ(AsString(Decode({0x41, 0xE1}, 2)), "A ");
  // A literal run or back reference is cut where the output is full.
  EXPECT_EQ(AsString(Decode({0x05, 'a', 'b', 'c', 'd', 'e'}, 2)), "ab");
  EXPECT_EQ(AsString(Decode({0x61, 0x80, 0x0F}, 4)), "aaaa");
  // A stated length smaller than the stream: success with exactly that much.
  EXPECT_EQ(AsString(Decode({'x', 'y', 'z'}, 1)), "x");
  EXPECT_TRUE(backend_->shownBoxes().empty());
}

TEST_F(UnCompressTest, ShortOrBrokenStreamsReportBufferError) {
  const struct {
    const char* name;
    Bytes stream;
    std::uint32_t outputLength;
  } cases[] = {
      {"stated length larger than the stream", {'a', 'b'}, 3},
      {"back reference with distance 0", {'a', 0x80, 0x00}, 4},
      {"back reference before the start", {'a', 0x80, 0x10}, 4},
      {"back reference as the first code", {0x80, 0x08}, 3},
      {"back reference missing its second byte", {'a', 0x80}, 4},
      {"literal run past the end of the block", {0x05, 'a', 'b'}, 5},
  };
  for (const auto& c : cases) {
    backend_->ClearShownBoxes();
    LoadStatus status{};
    EXPECT_FALSE(Decode(c.stream, c.outputLength, &status)) << c.name;
    EXPECT_EQ(status, LoadStatus::kBufferError) << c.name;
    ASSERT_EQ(backend_->shownBoxes().size(), 1u) << c.name;
    const auto& box = backend_->shownBoxes()[0];
    EXPECT_EQ(box.text, "UnCompress() buffer error!");
    EXPECT_FALSE(box.hasCaption);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.style, platform::kMbOk);
  }
}

TEST_F(UnCompressTest, FastAndExactPathsAgreeWithTheCodingOnArbitraryBlocks) {
  std::mt19937 random(1234);
  for (int round = 0; round < 3000; ++round) {
    Bytes stream(1 + random() % 200);
    // Mostly text-like codes, with back references and runs mixed in.
    for (auto& b : stream) b = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : 0x20 + random() % 0x60);
    const auto outputLength = static_cast<std::uint32_t>(1 + random() % 300);
    const auto expected = testing::ReferenceDecode(stream, outputLength);
    LoadStatus status{};
    const TextBuffer t = Decode(stream, outputLength, &status);
    ASSERT_EQ(static_cast<bool>(t), expected.has_value()) << "round " << round;
    if (t) {
      EXPECT_EQ(Bytes(t.data(), t.data() + t.length()), expected->text) << "round " << round;
    } else {
      EXPECT_EQ(status, LoadStatus::kBufferError);
    }
  }
}

TEST_F(UnCompressTest, MissingInputAndMemoryAreReportedWithoutAMessage) {
  LoadStatus status{};
  EXPECT_FALSE(UnCompress({nullptr, 4, 4}, &status));
  EXPECT_EQ(status, LoadStatus::kNoInput);
  const Bytes stream{'a'};
  EXPECT_FALSE(Decode(stream, 0, &status));
  EXPECT_EQ(status, LoadStatus::kNoInput);
  platform::FailNthAllocation(1);
  EXPECT_FALSE(Decode(stream, 1, &status));
  EXPECT_EQ(status, LoadStatus::kNoMemory);
  platform::FailNthAllocation(1);
  EXPECT_FALSE(Decode(stream, 1));  // no status place: nothing written, no crash
  EXPECT_TRUE(backend_->shownBoxes().empty());
}

TEST_F(UnCompressTest, BlockHeaderIsCheckedBeforeDecoding) {
  // compressed length 1, decoded length 1, the byte 'q'
  const Bytes block{0x00, 0x01, 0x00, 0x01, 'q', 0, 0, 0, 0};
  LoadStatus status{};
  EXPECT_FALSE(UnCompressBlock(block.data(), 4, &status));
  EXPECT_EQ(status, LoadStatus::kBadHeader);
  const Bytes noData{0x00, 0x00, 0x00, 0x01, 0, 0, 0, 0};
  EXPECT_FALSE(UnCompressBlock(noData.data(), 8, &status));
  EXPECT_EQ(status, LoadStatus::kBadHeader);
  EXPECT_EQ(AsString(UnCompressBlock(block.data(), 9, &status)), "q");
  // A compressed length beyond what follows is cut there: it cannot be read.
  const Bytes overlong{0x00, 0x09, 0x00, 0x03, 'a', 'b', 'c', 0, 0};
  EXPECT_FALSE(UnCompressBlock(overlong.data(), 6, &status));
  EXPECT_EQ(status, LoadStatus::kBufferError);
  EXPECT_TRUE(backend_->shownBoxes().size() == 1);
}

// Resources of a small module: 1001 good, 1002 empty, 1003 unloadable,
// 1004 shorter than its header says.
class LoadTest : public UnCompressTest {
 protected:
  void SetUp() override {
    UnCompressTest::SetUp();
    ResetAppState();
    App().module = &module_;
  }
  void TearDown() override {
    ResetAppState();
    UnCompressTest::TearDown();
  }

  static constexpr std::uint8_t kGood[] = {0x00, 0x0A, 0, 7, 0, 7, 0x00, 0x02, 0x00, 0x03, 'o', 0xEB, 0, 0, 0, 0};
  static constexpr std::uint8_t kShort[] = {0x00, 0x0A, 0, 7, 0, 7, 0x00};
  static constexpr std::uint8_t kIndex[] = {0x00, 0x09, 0, 1, 0, 255, 0x00, 0x01, 0x00, 0x01, '!', 0, 0, 0, 0};
  const platform::ResourceEntry entries_[5] = {
      {platform::ResourceType::kRawData, 1001, kGood, sizeof kGood},
      {platform::ResourceType::kRawData, 1002, kGood, 0},
      {platform::ResourceType::kRawData, 1003, nullptr, 16},
      {platform::ResourceType::kRawData, 1004, kShort, sizeof kShort},
      {platform::ResourceType::kRawData, 32767, kIndex, sizeof kIndex},
  };
  const platform::Module module_{std::span<const platform::ResourceEntry>(entries_)};
};

TEST_F(LoadTest, NumbersNameResourcesModulo65536) {
  LoadStatus status{};
  EXPECT_EQ(AsString(LoadCompressedResource(1, &status)), "o k");
  EXPECT_EQ(AsString(LoadCompressedResource(31767, &status)), "!");
  EXPECT_FALSE(LoadCompressedResource(45, &status));
  EXPECT_EQ(status, LoadStatus::kNotFound);
}

TEST_F(LoadTest, NumbersBelowOneReturnNothingAndWriteNoStatus) {
  for (int number : {0, -1, -65535}) {
    LoadStatus status = LoadStatus::kBufferError;
    EXPECT_FALSE(LoadCompressedResource(number, &status));
    EXPECT_EQ(status, LoadStatus::kBufferError) << number;
  }
}

TEST_F(LoadTest, EmptyUnloadableAndTruncatedResourcesFailQuietly) {
  LoadStatus status{};
  EXPECT_FALSE(LoadCompressedResource(2, &status));
  EXPECT_EQ(status, LoadStatus::kNoMemory);
  EXPECT_FALSE(LoadCompressedResource(3, &status));
  EXPECT_EQ(status, LoadStatus::kNoMemory);
  EXPECT_FALSE(LoadCompressedResource(4, &status));
  EXPECT_EQ(status, LoadStatus::kBadHeader);
  EXPECT_TRUE(backend_->shownBoxes().empty());
}

TEST_F(LoadTest, NoModuleMeansNoResource) {
  App().module = nullptr;
  LoadStatus status{};
  EXPECT_FALSE(LoadCompressedResource(1, &status));
  EXPECT_EQ(status, LoadStatus::kNotFound);
}

}  // namespace
}  // namespace quillory
