// Starting the reader: what it shows first, what it keeps across runs, and
// how it ends.

#include "app/second_start.h"
#include "calendar/hebrew_calendar.h"
#include "calendar/this_week.h"
#include "core/shell_calls.h"
#include "platform/system/memory.h"
#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"

namespace quillory_test {
namespace {

using quillory::App;

std::uint16_t ThisWeeksArticle() {
  const quillory::CivilDate today = quillory::TodayLocalDate();
  return quillory::ShownArticle(quillory::ThisWeekArticle(quillory::DayNumberFromCivil(today.month, today.day, today.year)));
}

TEST_F(ReaderTest, FirstStartShowsThisWeekAndWritesTheSettingsAtExit) {
  StoreExactSettings("");
  // The Font dialog opens first: the first face is selected, 20 is chosen.
  Script("key Tab\nkey 2\ncommand 1\n");
  std::uint16_t shown = 0;
  EXPECT_EQ(Run([&] { shown = App().currentArticle; }), 0);
  EXPECT_EQ(shown, ThisWeeksArticle());
  EXPECT_EQ(StoredText("FontName"), u"Courier");
  EXPECT_EQ(Stored("FontSize"), 20u);
  EXPECT_EQ(Stored("Flags"), 0xD1140040u);
  EXPECT_EQ(Stored("Lesson"), shown);
  EXPECT_EQ(Stored("LastPosition"), 0u);
  EXPECT_EQ(Stored("PreviousLesson"), 0u);
  EXPECT_EQ(Stored("PreviousPosition"), 0u);
  EXPECT_EQ(Stored("FontAsciiBase"), 1488u);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ReaderTest, TheReadersOwnChoiceSurvivesARestartUnlessTodayIsAsked) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:00000003\n");
  std::uint16_t top = 0;
  Run([&] { top = View().topPosition; });
  EXPECT_EQ(App().currentArticle, 12);
  EXPECT_EQ(top, 3);
  EXPECT_EQ(Stored("Lesson"), 12u);
  EXPECT_EQ(Stored("LastPosition"), 3u);

  Run(nullptr, /*today=*/true);
  EXPECT_EQ(App().currentArticle, ThisWeeksArticle());
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

TEST_F(ReaderTest, AMissingArticleIsReportedOnceAndLeavesTheViewEmpty) {
  // Article 45 kept as the reader's own choice: there is no such resource.
  StoreSettings("\"Lesson\"=dword:0000002d\n\"Flags\"=dword:d1140044\n");
  std::uint16_t lines = 1;
  Run([&] {
    lines = View().lineCount;
    Key(platform::kVkNext);  // nothing to page through, and nothing breaks
    Tap(120, 200);
  });
  EXPECT_EQ(lines, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Resource not found");
  EXPECT_EQ(boxes_[0].caption, "Error");
  EXPECT_EQ(boxes_[0].icon(), platform::kMbIconExclamation);
}

TEST_F(ReaderTest, TheShellsCloseRequestsEndTheRunThroughTheSave) {
  StoreSettings("\"Lesson\"=dword:00000005\n\"Flags\"=dword:d1140044\n");
  // A position change with the no-activate bit alone is not one.
  Run([&] {
    platform::WindowPosition position{App().mainWindow, 0, 0, 240, 294, platform::kSwpNoActivate};
    platform::SendMessage(App().mainWindow, platform::kWmWindowPositionChanged, 0, reinterpret_cast<platform::LParam>(&position));
    EXPECT_TRUE(platform::IsWindow(App().mainWindow));
    Key(platform::kVkNext);
    position.flags = platform::kSwpNoActivate | 0x10000;
    platform::SendMessage(App().mainWindow, platform::kWmWindowPositionChanged, 0, reinterpret_cast<platform::LParam>(&position));
    EXPECT_FALSE(platform::IsWindow(App().mainWindow));
  });
  EXPECT_NE(Stored("LastPosition").value_or(0), 0u);

  Run([&] {
    platform::PostMessage(App().mainWindow, platform::kWmHibernate, 0, 0);
    platform::PumpUntilIdle();
    EXPECT_FALSE(platform::IsWindow(App().mainWindow));
  });
}

TEST_F(ReaderTest, RunningOutOfMemoryTellsTheReaderSavesAndNeverTouchesTheReleasedView) {
  StoreSettings("\"Lesson\"=dword:00000007\n\"Flags\"=dword:d1140044\n\"LastPosition\"=dword:00000002\n");
  EXPECT_EQ(Run([&] {
              platform::FailNthAllocation(1);
              EXPECT_EQ(quillory::AllocOrStop(64), nullptr);
              EXPECT_EQ(App().textView, nullptr);
              // What a person might still do before the loop ends.
              Key(platform::kVkNext);
              Tap(120, 250);
              Command(quillory::kReverseCommand);
              Command(quillory::kNextArticleCommand);
              platform::SendMessage(App().mainWindow, platform::kWmVScroll, platform::kSbPageDown, 0);
            }),
            0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "There is not enough memory, aborting");
  EXPECT_EQ(boxes_[0].caption, "Error");
  EXPECT_EQ(boxes_[0].icon(), platform::kMbIconStop);
  EXPECT_EQ(boxes_[0].owner, nullptr);
  EXPECT_EQ(Stored("Lesson"), 7u);
  EXPECT_EQ(Stored("LastPosition"), 2u);
}

TEST_F(ReaderTest, AFailedArticleSwitchKeepsArticleFlagsAndText) {
  StoreSettings("\"Lesson\"=dword:00000009\n\"Flags\"=dword:d1140044\n");
  Run([&] {
    const std::uint16_t lines = View().lineCount;
    const std::uint32_t flags = App().flags;
    platform::FailNthAllocation(1);  // the decoder's output buffer
    Command(quillory::kThisWeekCommand);
    platform::FailNthAllocation(0);
    EXPECT_EQ(App().currentArticle, 9);
    EXPECT_EQ(App().flags, flags);
    EXPECT_EQ(View().lineCount, lines);
  });
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ReaderTest, ASecondStartJumpsToThisWeekWhenInFrontElseBringsTheReaderForward) {
  StoreSettings("\"Lesson\"=dword:0000000c\n\"Flags\"=dword:d1140044\n");
  Run([&] {
    backend_->PutBehind();
    quillory::AnswerSecondStart(App().mainWindow);
    platform::PumpUntilIdle();
    EXPECT_EQ(App().currentArticle, 12);
    EXPECT_TRUE(backend_->InFront());

    quillory::AnswerSecondStart(App().mainWindow);
    platform::PumpUntilIdle();
    EXPECT_EQ(App().currentArticle, ThisWeeksArticle());
  });
}

TEST_F(ReaderTest, FullScreenHidesTheTaskBarForTheRunOnly) {
  StoreSettings("", "\"FullScreen\"=dword:00000001\n");
  bool hiddenDuringRun = false;
  platform::Rect window{};
  Run([&] {
    hiddenDuringRun = !platform::IsWindowVisible(platform::FindWindow(u"HHTaskBar", u""));
    window = platform::GetWindowRect(App().mainWindow);
    EXPECT_FALSE(platform::GetShellState().startIconVisible);
  });
  EXPECT_TRUE(hiddenDuringRun);
  EXPECT_TRUE(taskBarShownAtEnd_);
  EXPECT_EQ(window.top, 0);
  EXPECT_EQ(window.bottom, 320);
}

}  // namespace
}  // namespace quillory_test
