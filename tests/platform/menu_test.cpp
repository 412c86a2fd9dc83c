// Menus from the program's menu resource, the pop-up, and both bars.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/dialogs/dialog.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/menus/command_bar.h"
#include "platform/menus/menu.h"
#include "platform/windows/input.h"
#include "platform/windows/shell.h"
#include "resources/program_resources.h"
#include "tests/platform/png_reader.h"

namespace {

using namespace platform;
using quillory::kGoButtonCommand;
using quillory::kMenuBarId;
using quillory::kMenuId;
using quillory::kToolbarBitmapId;

std::vector<std::uint16_t> commands;

LResult Owner(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmCommand) commands.push_back(LowWord(first));
  if (message == kWmClose) commands.push_back(0xFFFF);
  return DefWindowProc(window, message, first, second);
}

class MenuTest : public ::testing::Test {
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
    PumpUntilIdle();
  }
  void TearDown() override { ResetWindowSystem(); }

  // Plays the script while the pop-up runs its own loop.
  std::uint16_t Choose(const char* script, Point at = {20, 60}) {
    ScriptError error;
    auto parsed = ParseScript(script, error);
    EXPECT_TRUE(parsed) << error.reason;
    backend_->SetScript(*parsed);
    const std::uint16_t chosen = TrackPopupMenu(GetSubMenu(menu_.get(), 0), at.x, at.y, owner_);
    backend_->SetScript({});
    PumpUntilIdle();
    return chosen;
  }

  ScopedHeadlessBackend backend_;
  const Module module_{quillory::ProgramResources()};
  std::unique_ptr<Menu> menu_ = LoadMenu(&module_, kMenuId);
  WindowHandle owner_ = nullptr;
};

TEST_F(MenuTest, TheGoMenuLoadsWithItsItemsSeparatorsAndShortcuts) {
  ASSERT_TRUE(menu_);
  ASSERT_EQ(menu_->items.size(), 1u);
  EXPECT_EQ(menu_->items[0].text, u"&Go");
  const Menu* go = GetSubMenu(menu_.get(), 0);
  ASSERT_TRUE(go);
  ASSERT_EQ(go->items.size(), 22u);
  EXPECT_EQ(go->items[0].command, 40004);
  EXPECT_TRUE(go->items[2].flags & kMfSeparator);
  EXPECT_EQ(go->items[3].text, u"F&ont");
  EXPECT_EQ(go->items[3].shortcut, u"Ctrl+F");
  EXPECT_EQ(go->items[5].text, u"&Full Screen");
  EXPECT_EQ(go->items[5].shortcut, u"F11");
  EXPECT_FALSE(go->items[5].flags & kMfGrayed) << "the window can be made full screen";
  EXPECT_EQ(go->items[6].text, u"Night &Reading");
  EXPECT_EQ(go->items[6].shortcut, u"Ctrl+N");
  EXPECT_EQ(go->items[21].text, u"E&xit");
  EXPECT_EQ(GetSubMenu(menu_.get(), 1), nullptr);
}

TEST_F(MenuTest, CheckMarksAreFoundByCommandInThePopUp) {
  EXPECT_EQ(CheckMenuItem(menu_.get(), 122, true), 0u);
  EXPECT_EQ(GetMenuState(menu_.get(), 122) & kMfChecked, kMfChecked);
  EXPECT_EQ(CheckMenuItem(menu_.get(), 122, false), kMfChecked);
  EXPECT_EQ(GetMenuState(menu_.get(), 122) & kMfChecked, 0u);
  EXPECT_EQ(CheckMenuItem(menu_.get(), 111, true), kMenuItemMissing);
  EXPECT_EQ(GetMenuState(menu_.get(), 40001), kMenuItemMissing);
  EXPECT_EQ(CheckMenuItem(nullptr, 122, true), kMenuItemMissing);
}

TEST_F(MenuTest, DamagedTemplatesAreRefused) {
  const ResourceHandle resource = FindResource(&module_, kMenuId, ResourceType::kMenu);
  const std::span<const std::uint8_t> good(LoadResource(resource), SizeofResource(resource));
  ASSERT_TRUE(ParseMenu(good));
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(ParseMenu(good.first(size))) << "cut to " << size;
  }
  std::vector<std::uint8_t> header(good.begin(), good.end());
  header[0] = 1;
  EXPECT_FALSE(ParseMenu(header)) << "another version";
  // Pop-ups nested without end.
  std::vector<std::uint8_t> deep = {0, 0, 0, 0};
  for (int i = 0; i < 20; ++i) deep.insert(deep.end(), {0x10, 0, 'a', 0, 0, 0});
  EXPECT_FALSE(ParseMenu(deep));
}

TEST_F(MenuTest, ThePopUpIsChosenByTapKeysOrLetterAndDismissedByEscapeOrATapOutside) {
  // Items are 20 pixels high under a 1-pixel border: the second item
  // ("Check For Updates") is at y 21 to 40.
  EXPECT_EQ(Choose("tap 10 30\n"), 129);
  EXPECT_EQ(commands, (std::vector<std::uint16_t>{129})) << "sent to the owner";
  EXPECT_EQ(Choose("key Down\nkey Down\nkey Down\nkey Return\n"), 40006) << "separators are passed over";
  EXPECT_EQ(Choose("key t\n"), 108) << "the underlined letter of This Week";
  EXPECT_EQ(Choose("key Escape\n"), 0);
  EXPECT_EQ(Choose("tap -5 -5\n"), 0) << "a tap outside";
  EXPECT_EQ(FindWindow(u"#MenuPopup", u""), nullptr) << "the pop-up is gone";
  EXPECT_EQ(GetForegroundWindow(), owner_);
}

TEST_F(MenuTest, ThePopUpStaysOnTheScreen) {
  // Opened at the screen's bottom right corner, its border ends there.
  const std::string snapshot = ::testing::TempDir() + "menu_popup.png";
  EXPECT_EQ(Choose(("snapshot " + snapshot + "\nkey Escape\n").c_str(), Point{230, 310}), 0);
  const auto screen = quillory_test::ReadPng(snapshot);
  ASSERT_TRUE(screen);
  EXPECT_EQ(screen->at(239, 319), 0u) << "the pop-up's border at the corner";
  EXPECT_EQ(screen->at(239, 200), 0u) << "and along the right edge";
}

TEST_F(MenuTest, TheCommandBarCarriesTheMenuAndTheToolbar) {
  const WindowHandle bar = CreateCommandBar(&module_, owner_, 1);
  ASSERT_TRUE(bar);
  EXPECT_TRUE(CommandBarInsertMenu(bar, &module_, kMenuId));
  const std::vector<std::u16string> tips = {u"", u"Previous Article", u"This Week"};
  EXPECT_TRUE(BarSetToolTips(bar, tips));
  EXPECT_EQ(BarAddBitmap(bar, &module_, kToolbarBitmapId, 7), 0);
  const BarButton buttons[] = {{0, 110, kButtonEnabled, kButtonPlain}, {1, 108, kButtonEnabled, kButtonPlain}};
  EXPECT_TRUE(BarAddButtons(bar, buttons));
  EXPECT_EQ(BarAddStandardImages(bar, -7), 7);
  EXPECT_TRUE(CommandBarAddCloseButton(bar));
  EXPECT_EQ(BarHeight(bar), kBarHeight);
  EXPECT_EQ(GetWindowRect(bar).top, GetWindowRect(owner_).top) << "along the top of the owner";
  EXPECT_EQ(BarMenu(bar, kGoButtonCommand), BarMenu(bar, 0)) << "the command bar's menu whatever the button";
  EXPECT_EQ(CheckMenuItem(BarMenu(bar, 0), 122, true), 0u);
  PumpUntilIdle();

  // Held down, a button shows its tooltip; let go over it, it sends its
  // command; let go elsewhere, nothing.
  const Rect first = BarButtonRect(bar, 0);
  const Point middle = ClientToScreen(bar, Point{(first.left + first.right) / 2, 10});
  InjectStylus(StylusAction::kDown, middle);
  PumpUntilIdle();
  EXPECT_EQ(BarShownToolTip(bar), u"Previous Article");
  InjectStylus(StylusAction::kUp, middle);
  PumpUntilIdle();
  EXPECT_EQ(BarShownToolTip(bar), u"");
  EXPECT_EQ(commands, (std::vector<std::uint16_t>{110}));
  const Rect second = BarButtonRect(bar, 1);
  EXPECT_EQ(second.left, first.right);
  InjectStylus(StylusAction::kDown, ClientToScreen(bar, Point{second.left + 5, 10}));
  InjectStylus(StylusAction::kUp, ClientToScreen(bar, Point{second.left + 5, 100}));
  PumpUntilIdle();
  EXPECT_EQ(commands, (std::vector<std::uint16_t>{110})) << "let go away from the button";
  // The close button at the right end asks the owner to close.
  commands.clear();
  const Point close = ClientToScreen(bar, Point{GetClientRect(bar).right - 5, 10});
  InjectStylus(StylusAction::kDown, close);
  InjectStylus(StylusAction::kUp, close);
  PumpUntilIdle();
  EXPECT_EQ(commands, (std::vector<std::uint16_t>{0xFFFF}));
}

TEST_F(MenuTest, TheMenuBarStandsAtTheBottomAndOpensTheGoMenuAboveItself) {
  const WindowHandle bar = ShellCreateMenuBar(owner_, &module_, kMenuBarId, kMenuBarHideSipButton);
  ASSERT_TRUE(bar);
  EXPECT_EQ(GetWindowRect(bar), (Rect{0, 320 - kBarHeight, 240, 320}));
  EXPECT_EQ(BarHeight(bar), kBarHeight);
  EXPECT_FALSE(GetShellState().sipButtonVisible);
  EXPECT_EQ(GetForegroundWindow(), owner_) << "the bar never takes the foreground";
  Menu* go = BarMenu(bar, kGoButtonCommand);
  ASSERT_TRUE(go);
  EXPECT_EQ(go->items.size(), 22u);
  EXPECT_EQ(BarMenu(bar, 40002), nullptr);
  EXPECT_EQ(ShellCreateMenuBar(owner_, &module_, 999, 0), nullptr) << "no such definition";

  ScriptError error;
  backend_->SetScript(*ParseScript("key Up\nkey Return\n", error));
  InjectStylus(StylusAction::kDown, ClientToScreen(bar, Point{8, 10}));
  InjectStylus(StylusAction::kUp, ClientToScreen(bar, Point{8, 10}));
  PumpUntilIdle();  // the tap opens the menu, whose loop plays the script
  backend_->SetScript({});
  PumpUntilIdle();
  EXPECT_EQ(commands, (std::vector<std::uint16_t>{40005})) << "Up from nothing picks the last item, Exit";
  SetForegroundWindow(owner_);
  EXPECT_EQ(GetForegroundWindow(), owner_);
}

// The menus without a stylus: the bar's pop-up opened from the keyboard,
// moved through with the arrows, Home and End, chosen by its underlined
// letters on any keyboard layout, closed again with F10; and a dialog
// whose own window keeps Enter.
class MenuKeyboardTest : public MenuTest {
 protected:
  void SetUp() override {
    MenuTest::SetUp();
    bar_ = CreateCommandBar(&module_, owner_, 1);
    CommandBarInsertMenu(bar_, &module_, quillory::kMenuId);
    PumpUntilIdle();
  }

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
  // Full Screen grayed, as a program grays what it cannot do now.
  Menu* go = GetSubMenu(BarMenu(bar_, 0), 0);
  ASSERT_TRUE(go);
  for (MenuItem& item : go->items) {
    if (item.command == quillory::kFullScreenCommand) item.flags |= kMfGrayed;
  }
  // Font, Reverse, then Full Screen (grayed), then Night Reading.
  EXPECT_EQ(OpenAndPlay("key Down\nkey Down\nkey Down\nkey Down\nkey Return\n"),
            (std::vector<std::uint16_t>{quillory::kNightReadingCommand}));
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
