#include "tools/pack/encoder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/backends/headless/headless_backend.h"
#include "store/uncompress.h"
#include "tools/pack/container.h"

namespace quillory::pack {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Decode(const Bytes& block, std::size_t length) {
  platform::ScopedHeadlessBackend backend;
  const TextBuffer text = UnCompress({block.data(), static_cast<std::uint32_t>(block.size()),
                                      static_cast<std::uint32_t>(length)});
  EXPECT_TRUE(backend->shownBoxes().empty());
  return text ? Bytes(text.data(), text.data() + text.length()) : Bytes{};
}

Bytes FromString(const std::string& s) { return Bytes(s.begin(), s.end()); }

// Inputs that stress each code: text, bytes that need literal runs, long runs
// of one byte, the space + letter pair at the very end.
std::vector<Bytes> SampleInputs() {
  std::vector<Bytes> inputs = {
      FromString("a"),
      FromString("ab a"),
      FromString(std::string(300, ' ')),
      FromString("zyx wvu zyx wvu zyx wvu zyx wvu, zyx wvu! 12 (34) [56]"),
      Bytes{0x00, 0x01, 0x08, 0x80, 0xFF, 0x00, 0x20, 0x40, 0x20, 0x7F, 0x20, 0x3F},
  };
  std::mt19937 random(7);
  for (int n = 0; n < 40; ++n) {
    Bytes b(1 + random() % 3000);
    const bool textLike = n % 2 == 0;
    for (auto& x : b) x = static_cast<std::uint8_t>(textLike ? " abcdefgh.,"[random() % 11] : random());
    inputs.push_back(b);
  }
  return inputs;
}

TEST(Encoder, BothParsersRoundTripThroughTheReadersDecoder) {
  for (const Bytes& input : SampleInputs()) {
    EXPECT_EQ(Decode(EncodeOptimal(input), input.size()), input);
    EXPECT_EQ(Decode(EncodeGreedy(input), input.size()), input);
  }
}

TEST(Encoder, OptimalIsNeverLongerThanGreedy) {
  std::size_t optimal = 0;
  std::size_t greedy = 0;
  for (const Bytes& input : SampleInputs()) {
    const std::size_t o = EncodeOptimal(input).size();
    const std::size_t g = EncodeGreedy(input).size();
    EXPECT_LE(o, g);
    optimal += o;
    greedy += g;
  }
  EXPECT_LT(optimal, greedy);
}

TEST(Encoder, UsesTheShortCodesWhereTheyApply) {
  EXPECT_EQ(EncodeOptimal(FromString(" a")), Bytes{0xE1});
  EXPECT_EQ(EncodeOptimal(FromString("a")), Bytes{0x61});
  EXPECT_EQ(EncodeOptimal(Bytes{0x80}), (Bytes{0x01, 0x80}));
  // Eleven of one byte: the byte, then one back reference of distance 1.
  EXPECT_EQ(EncodeOptimal(FromString(std::string(11, 'q'))), (Bytes{'q', 0x80, 0x0F}));
  // A window of 2047 bytes: a match 2048 bytes back is out of reach.
  Bytes far = FromString("pqrstuvwxy");
  far.resize(2048 + 10, '.');
  std::copy_n(far.begin(), 10, far.end() - 10);
  const Bytes block = EncodeOptimal(far);
  EXPECT_EQ(Decode(block, far.size()), far);
}

TEST(Container, LaysOutHeadersBigEndianWithTheEndMarker) {
  std::string error;
  const Bytes text = FromString("hello hello hello");
  const auto r = BuildStoredResource(text, 0x1234, 0x00FF, Parser::kOptimal, error);
  ASSERT_TRUE(r) << error;
  const Bytes& b = r->bytes;
  const std::size_t compressed = r->compressedLength;
  EXPECT_EQ(b.size(), 10 + compressed + 4);
  EXPECT_EQ((b[0] << 8) | b[1], static_cast<int>(compressed + 8));
  EXPECT_EQ((b[2] << 8) | b[3], 0x1234);
  EXPECT_EQ((b[4] << 8) | b[5], 0x00FF);
  EXPECT_EQ((b[6] << 8) | b[7], static_cast<int>(compressed));
  EXPECT_EQ((b[8] << 8) | b[9], static_cast<int>(text.size()));
  EXPECT_EQ(Bytes(b.end() - 4, b.end()), Bytes(4, 0));
}

TEST(Container, RefusesTextsTheHeaderCannotDescribe) {
  std::string error;
  EXPECT_FALSE(BuildStoredResource(Bytes{}, 1, 1, Parser::kOptimal, error));
  EXPECT_FALSE(BuildStoredResource(Bytes(65536, 'a'), 1, 1, Parser::kGreedy, error));
  EXPECT_NE(error.find("65536"), std::string::npos);
  // Incompressible text of 65,535 bytes does not fit the 16-bit following length.
  Bytes noise(65535);
  std::mt19937 random(3);
  for (auto& x : noise) x = static_cast<std::uint8_t>(0x80 | random());
  EXPECT_FALSE(BuildStoredResource(noise, 1, 1, Parser::kOptimal, error));
}

}  // namespace
}  // namespace quillory::pack
