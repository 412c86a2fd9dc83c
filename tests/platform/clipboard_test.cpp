#include "platform/windows/clipboard.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/windows/backend.h"

namespace {

// A desktop whose clipboard another program holds until the program
// writes its own.
class DesktopBackend final : public platform::Backend {
 public:
  int RunMessageBox(const platform::MessageBoxRequest&) override { return platform::kIdOk; }
  void ClipboardChanged() override {
    ++changes;
    othersData.reset();
  }
  std::optional<std::vector<std::uint8_t>> ReadDesktopClipboard(platform::ClipboardFormat format) override {
    ++reads;
    if (!othersData || format != platform::kCfUnicodeText) return std::nullopt;
    return othersData;
  }

  int changes = 0;
  int reads = 0;
  std::optional<std::vector<std::uint8_t>> othersData = std::vector<std::uint8_t>{'h', 0, 0, 0};
};

class Clipboard : public ::testing::Test {
 protected:
  Clipboard() : previous_(platform::InstallBackend(&desktop_)) { platform::ResetClipboard(); }
  ~Clipboard() override {
    platform::ResetClipboard();
    platform::InstallBackend(previous_);
  }

  static platform::HeapBlock Block(std::string_view bytes) {
    platform::HeapBlock block = platform::HeapBlock::Allocate(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.data());
    return block;
  }
  static std::optional<std::string> Get(platform::ClipboardFormat format) {
    const auto data = platform::GetClipboardData(format);
    if (!data) return std::nullopt;
    return std::string(data->begin(), data->end());
  }

  DesktopBackend desktop_;

 private:
  platform::Backend* previous_;
};

TEST_F(Clipboard, FormatsAreRegisteredOnceByNameWithoutRegardToCase) {
  const platform::ClipboardFormat rtf = platform::RegisterClipboardFormat(platform::kRtfFormatName);
  EXPECT_GE(rtf, 0xC000u);
  EXPECT_EQ(platform::RegisterClipboardFormat(u"rich text FORMAT"), rtf);
  EXPECT_NE(platform::RegisterClipboardFormat(u"Other"), rtf);
  EXPECT_EQ(platform::RegisterClipboardFormat(u""), 0u);
}

TEST_F(Clipboard, OneOpeningAtATimeAndNothingWithoutOne) {
  EXPECT_FALSE(platform::EmptyClipboard());
  EXPECT_FALSE(platform::SetClipboardData(platform::kCfUnicodeText, Block("x")));
  EXPECT_FALSE(platform::GetClipboardData(platform::kCfUnicodeText));
  EXPECT_FALSE(platform::CloseClipboard());
  ASSERT_TRUE(platform::OpenClipboard(nullptr));
  EXPECT_FALSE(platform::OpenClipboard(nullptr));
  EXPECT_FALSE(platform::SetClipboardData(platform::kCfUnicodeText, platform::HeapBlock())) << "no memory, no data";
  EXPECT_TRUE(platform::CloseClipboard());
  EXPECT_EQ(desktop_.changes, 0) << "an opening that changed nothing tells nobody";
}

TEST_F(Clipboard, AnotherProgramsDataIsReadUntilTheProgramWritesItsOwn) {
  ASSERT_TRUE(platform::OpenClipboard(nullptr));
  EXPECT_EQ(Get(platform::kCfUnicodeText), std::string("h\0\0\0", 4));
  EXPECT_EQ(Get(platform::kCfUnicodeText), std::string("h\0\0\0", 4));
  EXPECT_EQ(desktop_.reads, 1) << "read once an opening";
  EXPECT_FALSE(Get(0xC000));
  platform::EmptyClipboard();
  EXPECT_FALSE(Get(platform::kCfUnicodeText)) << "emptied: the program holds the clipboard";
  EXPECT_TRUE(platform::SetClipboardData(platform::kCfUnicodeText, Block("mine")));
  EXPECT_TRUE(platform::SetClipboardData(platform::kCfUnicodeText, Block("mine2")));
  EXPECT_EQ(Get(platform::kCfUnicodeText), "mine2");
  platform::CloseClipboard();
  EXPECT_EQ(desktop_.changes, 1);
  EXPECT_EQ(platform::HeldClipboardData(platform::kCfUnicodeText)->size(), 5u);

  // Another program takes the desktop's clipboard.
  platform::ForgetHeldClipboard();
  desktop_.othersData = std::vector<std::uint8_t>{'o', 0};
  ASSERT_TRUE(platform::OpenClipboard(nullptr));
  EXPECT_EQ(Get(platform::kCfUnicodeText), std::string("o\0", 2));
  platform::CloseClipboard();
}

}  // namespace
