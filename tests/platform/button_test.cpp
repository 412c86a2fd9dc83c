// Buttons and static controls: radio buttons exclusive in their group,
// owner-drawn and push buttons, and pictures that let taps through to the
// dialog.

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/graphics/dialog_units.h"
#include "platform/windows/message_box.h"
#include "resources/dialog_templates.h"
#include "tests/platform/dialog_fixture.h"
#include "tests/platform/monochrome_dib.h"

namespace {

using namespace platform;
using quillory::kBase224Id;
using quillory::kBase5D0Id;

class ButtonTest : public quillory_test::DialogFixture {
 protected:
  // A handler that records each command (identifier, code, whether the
  // control's handle came with it) and ends at Escape, running `onCommand`
  // for the script's commands 500 and up.
  quillory_test::DialogHandler Recording(const std::function<void(WindowHandle, std::uint16_t)>& onCommand = {}) {
    return [this, onCommand](WindowHandle dialog, std::uint32_t message, WParam first, LParam second) -> LResult {
      if (message == kWmInitDialog) return 1;
      if (message != kWmCommand) return 0;
      const std::uint16_t id = LowWord(first);
      if (id == kIdCancel) {
        EndDialog(dialog, 2);
      } else if (id >= 500 && id < 600) {
        if (onCommand) onCommand(dialog, id);
      } else {
        commands_.push_back({id, HighWord(first), reinterpret_cast<WindowHandle>(second) == GetDlgItem(dialog, id)});
      }
      return 1;
    };
  }
  struct Command {
    std::uint16_t id;
    std::uint16_t code;
    bool withHandle;
    bool operator==(const Command&) const = default;
  };
  std::vector<Command> commands_;
};

std::vector<LResult> Checks(WindowHandle dialog, std::initializer_list<std::uint16_t> ids) {
  std::vector<LResult> checks;
  for (const std::uint16_t id : ids) checks.push_back(SendDlgItemMessage(dialog, id, kBmGetCheck, 0, 0));
  return checks;
}

TEST_F(ButtonTest, AnAutomaticRadioButtonChecksItselfAndClearsTheOthersOfTheDialog) {
  std::vector<std::vector<LResult>> checks;
  // Radio 1004 at (203, 30) and 1005 at (203, 50), 50 × 16 pixels.
  Run(quillory::kFontDialogId, Recording([&](WindowHandle dialog, std::uint16_t id) {
    checks.push_back(Checks(dialog, {kBase224Id, kBase5D0Id}));
    if (id == 501) SendDlgItemMessage(dialog, kBase224Id, kBmSetCheck, kBstChecked, 0);
  }), "tap 210 38\ncommand 500\ntap 210 58\ncommand 501\ncommand 502\ntap 210 58\ncommand 503\n");
  EXPECT_EQ(checks, (std::vector<std::vector<LResult>>{{1, 0}, {0, 1}, {1, 1}, {0, 1}}))
      << "a message checks one alone; a tap clears the rest";
  EXPECT_EQ(commands_, (std::vector<Command>{{kBase224Id, kBnClicked, true},
                                             {kBase5D0Id, kBnClicked, true},
                                             {kBase5D0Id, kBnClicked, true}}));
}

DialogItemTemplate Radio(std::uint16_t id, std::int16_t y, bool group) {
  DialogItemTemplate item;
  item.style = kWsVisible | kBsAutoRadioButton | (group ? kWsGroup : 0);
  item.id = id;
  item.className = kButtonClass;
  item.text = u"radio";
  item.x = 4;
  item.y = y;
  item.width = 60;
  item.height = 10;
  return item;
}

TEST_F(ButtonTest, ARadioGroupEndsWhereTheNextGroupBegins) {
  DialogTemplate dialog = quillory_test::OneControl(kStaticClass, kSsLeft, kStaticId, 10, 8);
  for (const auto& item : {Radio(301, 10, true), Radio(302, 22, false), Radio(303, 34, true), Radio(304, 46, false)}) {
    dialog.items.push_back(item);
  }
  std::vector<LResult> after;
  // Dialog units 22 and 46 down are pixels 35 and 74; the buttons are 16 high.
  RunTemplate(dialog, Recording([&](WindowHandle window, std::uint16_t id) {
    if (id == 500) {
      SendDlgItemMessage(window, 301, kBmSetCheck, kBstChecked, 0);
      SendDlgItemMessage(window, 303, kBmSetCheck, kBstChecked, 0);
    } else {
      after = Checks(window, {301, 302, 303, 304});
    }
  }), "command 500\ntap 20 40\ncommand 501\n");
  EXPECT_EQ(after, (std::vector<LResult>{0, 1, 1, 0}));
}

TEST_F(ButtonTest, AnOwnerDrawnButtonAsksItsParentToDrawItAndSendsItsCommand) {
  std::vector<DrawItem> drawn;
  Font* buttonFont = nullptr;
  bool blueShown = false;
  Run(quillory::kAboutDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam second) -> LResult {
    switch (message) {
      case kWmInitDialog:
        buttonFont = reinterpret_cast<Font*>(SendDlgItemMessage(dialog, quillory::kAboutLinkId, kWmGetFont, 0, 0));
        return 0;
      case kWmDrawItem: {
        const auto& item = *reinterpret_cast<const DrawItem*>(second);
        EXPECT_EQ(first, quillory::kAboutLinkId);
        drawn.push_back(item);
        item.context->FillRect(item.rect, SolidBrush(Rgb(0, 0, 255)));
        return 1;
      }
      case kWmCommand:
        if (LowWord(first) == quillory::kAboutLinkId) {
          const WindowHandle link = GetDlgItem(dialog, quillory::kAboutLinkId);
          const Point middle = ClientToScreen(link, Point{50, 6});
          blueShown = ScreenImage().at(middle.x, middle.y) == 0x000000FF;
          EndDialog(dialog, 1025);
        }
        return 1;
      default:
        return 0;
    }
  }, "tap 50 100\n");
  EXPECT_EQ(buttonFont, DialogFont()) << "every control has the dialog's font";
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn[0].controlType, kOdtButton);
  EXPECT_EQ(drawn[0].controlId, quillory::kAboutLinkId);
  EXPECT_EQ(drawn[0].itemAction, kOdaDrawEntire);
  EXPECT_EQ(drawn[0].rect, (Rect{0, 0, 175, 13}));
  EXPECT_NE(drawn[0].context, nullptr);
  EXPECT_TRUE(blueShown) << "what the parent drew shows";
}

TEST_F(ButtonTest, APushButtonClicksOnATapOnEnterWhileFocusedAndOnSpace) {
  const DialogTemplate dialog =
      quillory_test::OneControl(kButtonClass, kBsPushButton | kWsTabStop, 300, 40, 14, u"&Push");
  // The button spans pixels 7 to 77 across and 6 to 28 down.
  RunTemplate(dialog, Recording(), "tap 20 10\nkey Return\nkey  \nkey Escape\n");
  EXPECT_EQ(commands_, (std::vector<Command>{{300, kBnClicked, true}, {300, kBnClicked, true}, {300, kBnClicked, true}}));
}

TEST_F(ButtonTest, APictureTakesItsBitmapsSizeAndPassesTapsToTheDialog) {
  const std::vector<std::uint8_t> keyboard =
      quillory_test::MonochromeDib(154, 95, [](std::int32_t x, std::int32_t y) { return x % 17 == 0 || y % 25 == 0; });
  const ResourceEntry pictures[] = {
      {ResourceType::kBitmap, quillory::kSearchKeyboardId, keyboard.data(), static_cast<std::uint32_t>(keyboard.size())},
  };
  const Module module{quillory::ProgramResources(), std::span<const ResourceEntry>(pictures)};
  std::vector<Point> taps;
  Rect picture;
  quillory_test::CurrentHandler() = [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam second) -> LResult {
    if (message == kWmInitDialog) {
      const WindowHandle control = GetWindow(GetDlgItem(dialog, quillory::kPatternBoxId), kGwHwndNext);
      const Rect rect = GetWindowRect(control);
      const Point corner = ScreenToClient(dialog, Point{rect.left, rect.top});
      picture = Rect{corner.x, corner.y, corner.x + rect.width(), corner.y + rect.height()};
    }
    if (message == kWmLButtonDown) {
      const auto packed = static_cast<std::uintptr_t>(second);
      taps.push_back(Point{SignedLowWord(packed), SignedHighWord(packed)});
    }
    if (message == kWmCommand && LowWord(first) == kIdCancel) EndDialog(dialog, 2);
    return 0;
  };
  // The top right key, the "Search" label, and the pattern box, which keeps its taps.
  Play("tap 150 120\ntap 100 15\ntap 100 50\nkey Escape\n");
  DialogBoxParam(&module, quillory::kSearchDialogId, owner_, quillory_test::HandlerProcedure, 0);
  EXPECT_EQ(picture, (Rect{12, 115, 166, 210}));
  ASSERT_EQ(taps.size(), 2u);
  EXPECT_EQ(taps[0].x, 150);
  EXPECT_EQ(taps[0].y, 120) << "in the dialog's client pixels";
  EXPECT_EQ(taps[1].x, 100);
  EXPECT_EQ(taps[1].y, 15);
}

}  // namespace
