// The Choose Section dialog when the index cannot be loaded: the bookmarks
// group alone, or nothing, and OK and Cancel still close it.

#include <gtest/gtest.h>

#include <vector>

#include "core/app_state.h"
#include "index/choose_section.h"
#include "index/section_list.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/graphics/font_catalog.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "tests/view/view_fixture.h"

namespace {

using namespace quillory;

class ChooseSectionWithoutIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppState();
    platform::ResetWindowSystem();
    platform::SetScreenSize(platform::Size{240, 320});
    previousFactory_ = platform::SetFontFactory(quillory_test::FixedFont);
  }
  void TearDown() override {
    platform::SetFontFactory(previousFactory_);
    platform::ResetWindowSystem();
    ResetAppState();
  }

  // Runs the dialog over a module without the volume; `look` sees its list,
  // then `closing` (1 or 2) is sent.
  std::uint16_t Run(std::uint16_t current, const std::function<void(const SectionList*)>& look, int closing) {
    platform::ScriptCommand step;
    step.kind = platform::ScriptCommand::Kind::kCall;
    step.call = [&] { look(OpenSectionList()); };
    platform::ScriptCommand close;
    close.kind = platform::ScriptCommand::Kind::kCommand;
    close.command = static_cast<std::uint16_t>(closing);
    backend_->SetScript({step, close});
    const FontDescription font{};
    return ChooseSection(&module_, nullptr, current, &font);
  }

  platform::ScopedHeadlessBackend backend_;
  const platform::Module module_{ProgramResources()};
  platform::FontFactory previousFactory_ = nullptr;
};

TEST_F(ChooseSectionWithoutIndex, BookmarksShowTheirHeaderAloneAndOkKeepsTheArticle) {
  std::uint16_t bookmarks[] = {5, 0};
  App().bookmarks = bookmarks;
  App().bookmarkCount = 1;
  std::vector<std::uint16_t> keys;
  const std::uint16_t chosen = Run(
      5,
      [&](const SectionList* list) {
        ASSERT_NE(list, nullptr);
        for (const ListLine* line = list->lines; line->style != 0; ++line) keys.push_back(line->key);
      },
      1);
  App().bookmarks = nullptr;
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{0x8877}));
  EXPECT_EQ(chosen, 5);
}

TEST_F(ChooseSectionWithoutIndex, WithoutBookmarksTheListIsEmptyAndCancelGivesZero) {
  int lines = -1;
  const std::uint16_t chosen = Run(
      7,
      [&](const SectionList* list) {
        ASSERT_NE(list, nullptr);
        lines = list->lineCount;
        EXPECT_FALSE(list->entries);
      },
      2);
  EXPECT_EQ(lines, 0);
  EXPECT_EQ(chosen, 0);
  EXPECT_EQ(OpenSectionList(), nullptr);
}

}  // namespace
