// Allocation failure at each allocation of a scripted run of the whole
// reader, one at a time: open, page, follow a link, search, the index, a
// bookmark, copy, quit. Every run must either stop with the memory message
// and the save sequence, or carry on as if nothing had happened, and must
// give back every block it took (the sanitizer build checks the rest).
//
// In `make test` the sweep takes every QUILLORY_SWEEP_STRIDE-th allocation
// (a default that keeps it short) and every allocation of the phases with
// few; `make soak` sets the stride to 1.

#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "platform/registry/registry.h"
#include "platform/system/memory.h"
#include "platform/windows/clipboard.h"
#include "platform/windows/message_box.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/e2e/reading_steps.h"

namespace quillory_test {
namespace {

constexpr char kMemoryMessage[] = "There is not enough memory, aborting";
constexpr std::uint32_t kStoredArticle = 4;
constexpr std::uint32_t kStoredFlags = 0xd1140044;
constexpr char kSettings[] =
    "\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n\"SearchString\"=hex:6d,7a,00\n"
    "\"Bookmarks\"=hex:02,00,00,00\n";
constexpr int kDefaultStride = 2;
// Phases with no more allocations than this are swept whole at any stride.
constexpr std::uint64_t kSmallPhase = 40;

constexpr const char* kPhaseNames[] = {"open", "page", "link", "search", "index", "bookmark", "copy", "quit"};
constexpr int kPhaseCount = std::size(kPhaseNames);

int SweepStride() {
  const char* text = std::getenv("QUILLORY_SWEEP_STRIDE");
  const int stride = text != nullptr ? std::atoi(text) : kDefaultStride;
  return stride > 0 ? stride : kDefaultStride;
}

struct RunOutcome {
  int exitCode = -1;
  int memoryMessages = 0;
  int phasesReached = 0;  // phases whose script started
  std::int64_t blocksKept = 0;
  std::vector<std::uint64_t> phaseStarts;  // allocations before each phase began
  std::uint64_t allocations = 0;
  // The registry file afterwards.
  std::size_t unreadableLines = 0;
  std::optional<std::u16string> faceName;
  // The article and flags the reader ended with are the stored ones: its
  // save sequence ran to the end.
  bool savedWhatItShowed = false;
  // The stored article and flags are those of the start: nothing was saved.
  bool keptTheStoredSettings = false;
};

class AllocationSweepTest : public ReaderTest {
 protected:
  // One scripted run whose `failAt`th allocation fails (0: none).
  RunOutcome PlayRun(std::uint64_t failAt) {
    RunOutcome outcome;
    StoreSettings(kSettings);
    Script("");
    const auto phase = [&] {
      Then([&] { outcome.phaseStarts.push_back(platform::AllocationCount() - start_); });
    };
    phase();  // the start is done: paging
    Then("key PageDown\nkey PageDown\n");
    phase();
    Then([] { FollowFirstLink(30); });
    phase();
    Then("command 116\ntype \xD7\xA7\xD7\xA8\xD7\x91\xD7\x9F\ncommand 1\ncommand 117\n");
    phase();
    Then("command 119\ncommand 1\n");
    phase();
    Then("command 123\ncommand 123\n");
    phase();
    Then("command 40007\ncommand 40009\n");
    phase();
    Then("command 40005\n");

    const std::int64_t liveBefore = platform::LiveAllocations();
    start_ = platform::AllocationCount();
    platform::FailNthAllocation(static_cast<int>(failAt));
    outcome.exitCode = Run(nullptr);
    platform::FailNthAllocation(0);
    // What Copy left on the clipboard is the clipboard's, not a leak.
    platform::ResetClipboard();
    outcome.allocations = platform::AllocationCount() - start_;
    outcome.blocksKept = platform::LiveAllocations() - liveBefore;
    outcome.phasesReached = static_cast<int>(outcome.phaseStarts.size()) + 1;
    for (const platform::MessageBoxRequest& box : boxes_) outcome.memoryMessages += box.text == kMemoryMessage;
    outcome.unreadableLines = platform::LoadRegistryFile().skippedLines().size();
    outcome.faceName = StoredText("FontName");
    const quillory::AppState& state = quillory::App();
    outcome.savedWhatItShowed = Stored("Flags") == state.flags && Stored("Lesson") == state.currentArticle;
    outcome.keptTheStoredSettings = Stored("Flags") == kStoredFlags && Stored("Lesson") == kStoredArticle;
    return outcome;
  }

  std::uint64_t start_ = 0;
};

TEST_F(AllocationSweepTest, EveryAllocationFailureStopsOrCarriesOnCleanly) {
  PlayRun(0);  // warms the process-wide buffers, so that runs compare
  const RunOutcome clean = PlayRun(0);
  ASSERT_EQ(clean.exitCode, 0);
  ASSERT_EQ(clean.memoryMessages, 0);
  ASSERT_EQ(clean.phasesReached, kPhaseCount);
  ASSERT_EQ(clean.blocksKept, 0);
  ASSERT_TRUE(clean.savedWhatItShowed);
  std::vector<std::uint64_t> bounds = clean.phaseStarts;
  bounds.insert(bounds.begin(), 0);
  bounds.push_back(clean.allocations);

  const int stride = SweepStride();
  std::map<std::string, int> stoppedIn, carriedOnIn, sweptIn;
  int swept = 0;
  for (int phase = 0; phase < kPhaseCount; ++phase) {
    const std::uint64_t first = bounds[phase] + 1, last = bounds[phase + 1];
    const std::uint64_t step = last - first + 1 <= kSmallPhase ? 1 : static_cast<std::uint64_t>(stride);
    for (std::uint64_t failAt = first; failAt <= last; failAt += step) {
      SCOPED_TRACE("allocation " + std::to_string(failAt) + ", in " + kPhaseNames[phase]);
      const RunOutcome outcome = PlayRun(failAt);
      ++swept;
      ++sweptIn[kPhaseNames[phase]];
      EXPECT_EQ(outcome.exitCode, 0);
      EXPECT_EQ(outcome.blocksKept, 0) << "blocks of the platform heap were not given back";
      EXPECT_LE(outcome.memoryMessages, 1);
      EXPECT_EQ(outcome.unreadableLines, 0u);
      EXPECT_EQ(outcome.faceName, u"David CLM") << "a setting the run never changed was lost";
      if (outcome.memoryMessages == 1) {
        ++stoppedIn[kPhaseNames[phase]];
        // Stopped before the reader showed anything, it may only have been
        // reading the settings, and must then have left them as they were.
        EXPECT_TRUE(outcome.savedWhatItShowed || (outcome.phaseStarts.empty() && outcome.keptTheStoredSettings))
            << "the save sequence did not store the reader's state";
      } else {
        ++carriedOnIn[kPhaseNames[phase]];
        EXPECT_EQ(outcome.phasesReached, kPhaseCount) << "a run that did not stop must play its whole script";
        EXPECT_TRUE(outcome.savedWhatItShowed) << "the save at exit did not store the reader's state";
      }
    }
  }
  std::cout << "allocation sweep: " << clean.allocations << " allocations in a run, " << swept
            << " failed one at a time (stride " << stride << ")\n";
  for (const char* name : kPhaseNames) {
    std::cout << "  " << name << ": " << sweptIn[name] << " swept, " << stoppedIn[name] << " stopped with the message, "
              << carriedOnIn[name] << " carried on\n";
  }
}

// The first allocation of a run reads the face name, before any other
// setting: the stop must leave every stored setting as it was, for none of
// them was read, and end before the window is made.
TEST_F(ReaderTest, RunningOutOfMemoryWhileReadingTheSettingsKeepsThemAsStored) {
  StoreSettings("\"Lesson\"=dword:00000007\n\"Flags\"=dword:d1140044\n\"PreviousLesson\"=dword:00000003\n"
                "\"PreviousPosition\"=dword:00000009\n\"Bookmarks\"=hex:02,00,00,00\n");
  const std::int64_t blocks = platform::LiveAllocations();
  bool shown = false;
  platform::FailNthAllocation(1);
  EXPECT_EQ(Run([&] { shown = true; }), 0);
  platform::FailNthAllocation(0);
  EXPECT_FALSE(shown);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, kMemoryMessage);
  EXPECT_EQ(Stored("Flags"), 0xd1140044u);
  EXPECT_EQ(Stored("PreviousLesson"), 3u);
  EXPECT_EQ(Stored("PreviousPosition"), 9u);
  EXPECT_EQ(Stored("Lesson"), 7u);
  EXPECT_EQ(StoredText("FontName"), u"David CLM");
  EXPECT_EQ(platform::LiveAllocations(), blocks);
}

}  // namespace
}  // namespace quillory_test
