// The set-up of the full-screen dialogs: the shell's sizing, the Done
// button unless the reader runs full screen, and the stretch over the task
// bar's place when it does.

#include "view/dialog_layout.h"

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "platform/windows/message_box.h"
#include "platform/windows/shell.h"
#include "resources/dialog_templates.h"
#include "tests/platform/dialog_fixture.h"

namespace quillory {
namespace {

using namespace platform;

class DialogLayoutTest : public quillory_test::DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    ResetAppState();
  }
  void TearDown() override {
    ResetAppState();
    DialogFixture::TearDown();
  }
  // Opens Choose Section laid out the full-screen way; taps its caption bar
  // where a Done button would be, then presses Escape. The dialog's place
  // and the command that ended it.
  std::pair<Rect, std::intptr_t> Open() {
    Rect place;
    const std::intptr_t result = Run(kChooseSectionDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
      if (message == kWmInitDialog) {
        InitDialogLayout(dialog, 0x1E);
        place = GetWindowRect(dialog);
      }
      if (message == kWmCommand) EndDialog(dialog, LowWord(first));
      return 0;
    }, "tap 220 -13\nkey Escape\n");
    return {place, result};
  }
};

TEST_F(DialogLayoutTest, TheDialogFillsTheWorkAreaWithADoneButtonAndTheInputPanelDown) {
  SipShowInputMethod(kSipfOn);
  const auto [place, result] = Open();
  EXPECT_EQ(place, (Rect{0, kTaskBarHeight, 240, 320})) << "below the task bar, down to the bottom";
  EXPECT_EQ(result, kIdOk) << "the Done button";
  EXPECT_FALSE(GetShellState().inputPanelUp);
}

TEST_F(DialogLayoutTest, FullScreenTheDialogStretchesOverTheTaskBarsPlaceWithoutADoneButton) {
  Switches().fullScreen = 1;
  const auto [place, result] = Open();
  EXPECT_EQ(place, (Rect{0, 0, 240, 320}));
  EXPECT_EQ(result, kIdCancel) << "no Done button: the tap did nothing, Escape ended it";

  ShellFullScreen(owner_, kShfsHideTaskBar);
  EXPECT_EQ(Open().first, (Rect{0, 0, 240, 320})) << "the task bar hidden: the same place";
}

}  // namespace
}  // namespace quillory
