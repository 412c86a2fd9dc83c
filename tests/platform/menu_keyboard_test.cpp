// The menus without a stylus: the bar's pop-up opened from the keyboard,
// moved through with the arrows, Home and End, chosen by its underlined
// letters on any keyboard layout, closed again with F10; and a dialog
// whose own window keeps Enter.

#include <gtest/gtest.h>

#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/command_bar.h"
#include "platform/dialog.h"
#include "platform/dialog_template.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "resources/program_resources.h"

namespace {

using namespace platform;

std::vector<std::uint16_t> commands;

LResult Owner(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmCommand) commands.push_back(LowWord(first));
  return DefWindowProc(window, message, first, second);
}

class MenuKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetWindowSystem();
    SetScreenSize(Size{240, 320});
    commands.clear();
    WindowClass windowClass;
    windowClass.procedure = Owner;
    windowClass.name = u"Owner";
    RegisterClass(windowClass);
    owner_ = CreateWindow(0, u"Owner", u"Owner", kWsVisible, kUseDefault, 0, kUseDefault, 0, nullptr, 0, nullptr);
    bar_ = CreateCommandBar(&module_, owner_, 1);
    CommandBarInsertMenu(bar_, &module_, quillory::kMenuId);
    PumpUntilIdle();
  }
  void TearDown() override { ResetWindowSystem(); }

  // Opens the Go menu as F10 does and plays `script` inside it; what was
  // chosen, as the owner got it.
  std::vector<std::uint16_t> OpenAndPlay(const char* script) {
    commands.clear();
    ScriptError error;
    const auto parsed = ParseScript(script, error);
    EXPECT_TRUE(parsed) << error.reason;
    backend_->SetScript(parsed.value_or(std::vector<ScriptCommand>{}));
    EXPECT_TRUE(BarOpenMenu(bar_, 0));
    backend_->SetScript({});
    PumpUntilIdle();
    EXPECT_EQ(FindWindow(u"#MenuPopup", u""), nullptr) << "closed again";
    return commands;
  }

  ScopedHeadlessBackend backend_;
  const Module module_{quillory::ProgramResources()};
  WindowHandle owner_ = nullptr;
  WindowHandle bar_ = nullptr;
};

TEST_F(MenuKeyboardTest, OpenedFromTheKeyboardTheFirstItemIsSelected) {
  EXPECT_EQ(OpenAndPlay("key Return\n"), (std::vector<std::uint16_t>{quillory::kAboutCommand}));
  EXPECT_EQ(OpenAndPlay("key Down\nkey Return\n"), (std::vector<std::uint16_t>{quillory::kCheckForUpdatesCommand}));
  EXPECT_EQ(OpenAndPlay("key End\nkey Return\n"), (std::vector<std::uint16_t>{quillory::kExitCommand}));
  EXPECT_EQ(OpenAndPlay("key End\nkey Home\nkey Up\nkey Return\n"), (std::vector<std::uint16_t>{quillory::kExitCommand}))
      << "Up from the first wraps to the last";
  EXPECT_FALSE(BarOpenMenu(bar_, 1)) << "the bar has one menu";
}

TEST_F(MenuKeyboardTest, GrayedItemsArePassedOverAndCannotBeChosenByTheirLetter) {
  // Font, Reverse, then Full Screen (grayed), then This Week.
  EXPECT_EQ(OpenAndPlay("key Down\nkey Down\nkey Down\nkey Down\nkey Return\n"),
            (std::vector<std::uint16_t>{quillory::kThisWeekCommand}));
  EXPECT_EQ(OpenAndPlay("key f\nkey Escape\n"), (std::vector<std::uint16_t>{}));
}

TEST_F(MenuKeyboardTest, UnderlinedLettersWorkByTheirKeysWhateverTheLayoutTypesAndF10Closes) {
  // The N key on a Hebrew layout types mem; its key still means "n".
  commands.clear();
  ScriptCommand press;
  press.kind = ScriptCommand::Kind::kCall;
  press.call = [] {
    InjectKey('N', true, u'\u05DE');
    InjectKey('N', false);
  };
  backend_->SetScript({press});
  EXPECT_TRUE(BarOpenMenu(bar_, 0));
  backend_->SetScript({});
  PumpUntilIdle();
  EXPECT_EQ(commands, (std::vector<std::uint16_t>{quillory::kNextArticleCommand}));
  EXPECT_EQ(OpenAndPlay("key F10\n"), (std::vector<std::uint16_t>{}));
}

// A dialog whose window wants Enter for itself: Escape still cancels.
std::vector<WParam> keysSeen;
LResult WantsEnter(WindowHandle dialog, std::uint32_t message, WParam first, LParam second) {
  switch (message) {
    case kWmGetDlgCode: {
      const auto* key = reinterpret_cast<const Message*>(second);
      return key != nullptr && key->first == kVkReturn ? kDlgcWantMessage : 0;
    }
    case kWmKeyDown:
      keysSeen.push_back(first);
      return 0;
    case kWmCommand:
      EndDialog(dialog, LowWord(first));
      return 1;
    default:
      return 0;
  }
}

TEST_F(MenuKeyboardTest, AWindowThatWantsEnterGetsItAndEscapeStillCancels) {
  DialogTemplate dialog;
  dialog.style = kWsPopup | kWsCaption;
  dialog.width = 100;
  dialog.height = 60;
  dialog.caption = u"Wants Enter";
  keysSeen.clear();
  ScriptError error;
  backend_->SetScript(*ParseScript("key Return\nkey Return\nkey Escape\n", error));
  EXPECT_EQ(DialogBoxIndirectParam(&module_, dialog, owner_, WantsEnter, 0), kIdCancel);
  EXPECT_EQ(keysSeen, (std::vector<WParam>{kVkReturn, kVkReturn}));
}

}  // namespace
