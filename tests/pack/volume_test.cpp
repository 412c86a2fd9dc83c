#include "tools/pack/volume.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/pack/dump.h"
#include "tools/pack/records.h"

namespace quillory::pack {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The index as the reader expects it: 1-29 shown, a collapsed group, 30-44 hidden.
Bytes GoodIndex() {
  Bytes index;
  for (int i = 0; i < 45; ++i) {
    const int article = i < 29 ? i + 1 : i;
    const std::uint16_t key = i == 29 ? 0xBFE1 : static_cast<std::uint16_t>(0x4000 | article);
    index.insert(index.end(), {static_cast<std::uint8_t>(key & 0xFF), static_cast<std::uint8_t>(key >> 8),
                               static_cast<std::uint8_t>(i <= 29 ? 0x8C : 0x01), static_cast<std::uint8_t>(i <= 29 ? 1 : 2),
                               'a', 'b', 0});
  }
  index.insert(index.end(), 5, 0);
  return index;
}

TEST(CheckIndex, AcceptsTheExactLayoutAndNamesEveryDeparture) {
  EXPECT_TRUE(CheckIndexText(GoodIndex()).empty());

  Bytes wrongStyle = GoodIndex();
  wrongStyle[2] = 0x01;  // article 1 hidden
  EXPECT_EQ(CheckIndexText(wrongStyle).size(), 1u);

  Bytes missingEnd = GoodIndex();
  missingEnd.pop_back();
  EXPECT_FALSE(CheckIndexText(missingEnd).empty());

  Bytes shortTitle = GoodIndex();
  shortTitle.erase(shortTitle.begin() + 5);  // entry 1's title is one byte
  EXPECT_FALSE(CheckIndexText(shortTitle).empty());

  Bytes truncated = GoodIndex();
  truncated.resize(40);
  EXPECT_FALSE(CheckIndexText(truncated).empty());
}

TEST(ReadRecords, WalksEveryKindAndRefusesTruncation) {
  const Bytes text{0xDC, 0, 'a', 0,                // text
                   0xC7, 0, 0,                     // empty
                   0xC7, 210, 0,                   // rule
                   0xD7, 1, 0x7F, 0xFF, 'b', 0,    // back link, two bytes
                   0xD7, 1, 5, 'c', 0,             // link 5, one byte
                   0};
  std::string error;
  const auto records = ReadArticleRecords(text, error);
  ASSERT_TRUE(records) << error;
  ASSERT_EQ(records->size(), 5u);
  EXPECT_EQ((*records)[1].kind, RecordKind::kEmpty);
  EXPECT_EQ((*records)[2].kind, RecordKind::kRule);
  EXPECT_EQ((*records)[3].linkNumber, kBackLinkNumber);
  EXPECT_TRUE((*records)[3].wideNumber);
  EXPECT_EQ((*records)[4].linkNumber, 5);
  EXPECT_EQ((*records)[4].text, "c");
  for (std::size_t cut = 0; cut < text.size(); ++cut) {
    EXPECT_FALSE(ReadArticleRecords(std::span(text.data(), cut), error)) << "cut at " << cut;
  }
}

TEST(CheckArticle, FlagsLinksOutsideTheVolumeAndAnEmptyFirstRecord) {
  EXPECT_TRUE(CheckArticleText(Bytes{0xDC, 0, 'a', 0, 0xD7, 1, 44, 'x', 0, 0}).empty());
  EXPECT_EQ(CheckArticleText(Bytes{0xDC, 0, 'a', 0, 0xD7, 1, 45, 'x', 0, 0}).size(), 1u);
  EXPECT_EQ(CheckArticleText(Bytes{0xB1, 0, 0, 0}).size(), 1u);
}

class VolumeFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("quillory-volume-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_ / "articles");
    for (int n = 1; n <= 44; ++n) {
      char name[16];
      std::snprintf(name, sizeof name, "%02d.txt", n);
      Write(std::string("articles/") + name, "title: מאמר\nsubtitle: שורה\np: פסקה קצרה.\nlink 2: קישור\nback: חזרה\n");
    }
    std::ostringstream index;
    for (int n = 1; n <= 29; ++n) index << "article " << n << ": כותרת\n";
    index << "group 0xBFE1: נספחים\n";
    for (int n = 30; n <= 44; ++n) index << "article " << n << " style=0x01 level=2: כותרת\n";
    Write("index.txt", index.str());
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Write(const std::string& name, const std::string& content) { std::ofstream(folder_ / name) << content; }

  std::filesystem::path folder_;
};

TEST_F(VolumeFolder, CompilesAllResourcesInOrder) {
  std::vector<Diagnostic> diagnostics;
  const auto resources = CompileVolume(folder_, Parser::kOptimal, diagnostics);
  ASSERT_TRUE(resources) << diagnostics[0].ToString();
  ASSERT_EQ(resources->size(), 45u);
  EXPECT_EQ(resources->front().id, 1001);
  EXPECT_EQ(resources->back().id, 32767);
  // Reserved words: the article's number in both; the index 1 and 255.
  EXPECT_EQ(resources->front().stored.bytes[3], 1);
  EXPECT_EQ(resources->front().stored.bytes[5], 1);
  EXPECT_EQ(resources->back().stored.bytes[3], 1);
  EXPECT_EQ(resources->back().stored.bytes[5], 255);
}

TEST_F(VolumeFolder, AMissingArticleIsNamedByItsResource) {
  std::filesystem::remove(folder_ / "articles" / "17.txt");
  std::vector<Diagnostic> diagnostics;
  EXPECT_FALSE(CompileVolume(folder_, Parser::kOptimal, diagnostics));
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_NE(diagnostics[0].message.find("1017"), std::string::npos);
}

TEST_F(VolumeFolder, ABadLineIsNamedByFileAndLine) {
  Write("articles/05.txt", "title: א\np: ב\nlink 0: ג\n");
  std::vector<Diagnostic> diagnostics;
  EXPECT_FALSE(CompileVolume(folder_, Parser::kOptimal, diagnostics));
  ASSERT_EQ(diagnostics.size(), 1u);
  EXPECT_NE(diagnostics[0].ToString().find("05.txt:3:"), std::string::npos);
}

TEST_F(VolumeFolder, DumpShowsLogicalTextAndStructure) {
  std::vector<Diagnostic> diagnostics;
  const auto resources = CompileVolume(folder_, Parser::kOptimal, diagnostics);
  ASSERT_TRUE(resources);
  std::ostringstream article;
  ASSERT_TRUE(DumpArticle(resources->front().decoded, article));
  EXPECT_NE(article.str().find("[style 0xDC, layout 0x00] מאמר"), std::string::npos) << article.str();
  EXPECT_NE(article.str().find("link 16383 (back), two bytes] חזרה"), std::string::npos) << article.str();
  std::ostringstream index;
  ASSERT_TRUE(DumpIndex(resources->back().decoded, index));
  EXPECT_NE(index.str().find("[key 0xBFE1, style 0x8C, level 1] נספחים"), std::string::npos) << index.str();
}

}  // namespace
}  // namespace quillory::pack
