// Menus from the program's menu resource, the pop-up, and both bars.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/command_bar.h"
#include "platform/input.h"
#include "platform/menu.h"
#include "platform/shell.h"
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
  ASSERT_EQ(go->items.size(), 21u);
  EXPECT_EQ(go->items[0].command, 40004);
  EXPECT_TRUE(go->items[2].flags & kMfSeparator);
  EXPECT_EQ(go->items[3].text, u"F&ont");
  EXPECT_EQ(go->items[3].shortcut, u"Ctrl+F");
  EXPECT_EQ(go->items[5].text, u"&Full Screen");
  EXPECT_TRUE(go->items[5].flags & kMfGrayed) << "shown, but not yet chosen";
  EXPECT_EQ(go->items[20].text, u"E&xit");
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
  EXPECT_EQ(go->items.size(), 21u);
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

}  // namespace
