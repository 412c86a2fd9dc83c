// Dialogs: the reader's templates and where their controls land in pixels,
// the modal loop with its keys, focus and owner, and loops nested inside a
// command of the main window.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/graphics/dialog_units.h"
#include "platform/windows/input.h"
#include "platform/windows/message_box.h"
#include "platform/windows/shell.h"
#include "resources/dialog_templates.h"
#include "tests/platform/dialog_fixture.h"

namespace {

using namespace platform;
using quillory_test::DialogFixture;

std::optional<DialogTemplate> Stored(std::uint16_t id) {
  const Module module{quillory::ProgramResources()};
  const ResourceHandle resource = FindResource(&module, id, ResourceType::kDialog);
  if (!resource) return std::nullopt;
  return ParseDialogTemplate(std::span<const std::uint8_t>(LoadResource(resource), SizeofResource(resource)));
}

TEST(DialogTemplates, TheReadersDialogsAreStoredWithTheirCaptionsSizesAndControls) {
  const auto about = Stored(quillory::kAboutDialogId);
  ASSERT_TRUE(about);
  EXPECT_EQ(about->caption, u"Quillory - 32");
  EXPECT_EQ((Rect{about->x, about->y, about->width, about->height}), (Rect{0, 0, 130, 85}));
  EXPECT_EQ(about->pointSize, 8);
  EXPECT_EQ(about->faceName, u"System");
  EXPECT_EQ(about->exStyle, kWsExCaptionOkButton) << "the ok button in the caption bar";
  EXPECT_EQ(about->style & (kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kDsCenter),
            kWsPopup | kWsVisible | kWsCaption | kWsSysMenu | kDsCenter);
  ASSERT_EQ(about->items.size(), 5u);
  EXPECT_EQ(about->items[0].style & (kSsTypeMask | kSsNoPrefix), kSsLeft | kSsNoPrefix);
  EXPECT_EQ(about->items[1].style & kSsTypeMask, kSsBitmap);
  EXPECT_EQ(about->items[1].textResource, 113);
  EXPECT_EQ(about->items[2].text, u"Version 1.84a");
  const DialogItemTemplate& link = about->items[4];
  EXPECT_EQ(link.className, kButtonClass);
  EXPECT_EQ(link.id, 1025);
  EXPECT_EQ(link.style & (kBsTypeMask | kWsTabStop), kBsOwnerDraw | kWsTabStop);
  EXPECT_EQ((Rect{link.x, link.y, link.width, link.height}), (Rect{7, 58, 100, 8}));

  const auto font = Stored(quillory::kFontDialogId);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->caption, u"Choose Font");
  EXPECT_EQ((Rect{font->x, font->y, font->width, font->height}), (Rect{0, 0, 152, 167}));
  EXPECT_EQ(font->exStyle, kWsExCaptionOkButton);
  ASSERT_EQ(font->items.size(), 5u);
  const std::uint32_t list = kLbsNotify | kWsVScroll | kWsBorder | kWsTabStop;
  EXPECT_EQ(font->items[0].className, kListBoxClass);
  EXPECT_EQ(font->items[0].style & (list | kLbsSort), list | kLbsSort);
  EXPECT_EQ(font->items[1].id, 1006);
  EXPECT_EQ(font->items[1].style & (list | kLbsSort), list) << "the size list keeps its order";
  EXPECT_EQ(font->items[2].className, kEditClass);
  EXPECT_EQ(font->items[2].style & (kEsMultiLine | kEsRight | kEsAutoVScroll),
            kEsMultiLine | kEsRight | kEsAutoVScroll);
  EXPECT_EQ(font->items[3].text, u"224");
  EXPECT_EQ(font->items[4].style & kBsTypeMask, kBsAutoRadioButton);

  const auto search = Stored(quillory::kSearchDialogId);
  ASSERT_TRUE(search);
  EXPECT_EQ(search->caption, u"Quillory - 32");
  EXPECT_EQ((Rect{search->x, search->y, search->width, search->height}), (Rect{0, 0, 126, 131}));
  ASSERT_EQ(search->items.size(), 3u);
  EXPECT_EQ(search->items[0].style & kSsTypeMask, kSsCenter);
  EXPECT_EQ(search->items[1].id, 1013);
  EXPECT_EQ(search->items[1].style & (kEsMultiLine | kEsRight | kEsAutoHScroll), kEsRight | kEsAutoHScroll);
  EXPECT_EQ(search->items[2].textResource, 119);
  EXPECT_EQ(search->items[2].style & kSsNotify, 0u) << "taps on the keyboard reach the dialog";

  const auto section = Stored(quillory::kChooseSectionDialogId);
  ASSERT_TRUE(section);
  EXPECT_EQ(section->caption, u"Choose Section");
  EXPECT_EQ((Rect{section->x, section->y, section->width, section->height}), (Rect{0, 0, 160, 160}));
  EXPECT_TRUE(section->items.empty());
}

TEST(DialogTemplates, DamagedTemplatesAreRefused) {
  const Module module{quillory::ProgramResources()};
  const ResourceHandle resource = FindResource(&module, quillory::kAboutDialogId, ResourceType::kDialog);
  std::vector<std::uint8_t> bytes(LoadResource(resource), LoadResource(resource) + SizeofResource(resource));
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_FALSE(ParseDialogTemplate(std::span<const std::uint8_t>(bytes.data(), size))) << "cut at " << size;
  }
  std::vector<std::uint8_t> menu = bytes;
  menu[18] = 0x41;  // a menu by name
  EXPECT_FALSE(ParseDialogTemplate(menu));
  std::vector<std::uint8_t> many = bytes;
  many[9] = 1;  // 261 controls
  EXPECT_FALSE(ParseDialogTemplate(many));
  // The first control's class atom (0x0082, static) becomes one the
  // platform does not have.
  const std::uint8_t atom[] = {0xFF, 0xFF, 0x82, 0x00};
  const auto at = std::search(bytes.begin(), bytes.end(), std::begin(atom), std::end(atom));
  ASSERT_NE(at, bytes.end());
  std::vector<std::uint8_t> unknown = bytes;
  unknown[static_cast<std::size_t>(at - bytes.begin()) + 2] = 0x99;
  EXPECT_FALSE(ParseDialogTemplate(unknown));
}

TEST(DialogUnits, BaseUnitsComeFromTheAverageLetterAndTheCellHeight) {
  EXPECT_EQ(FontHeightOfPoints(8), -11);
  EXPECT_EQ(FontHeightOfPoints(10), -13);
  // Advances of 7: 52 letters make 364 pixels, 14 a pair, 7 across.
  EXPECT_EQ(BaseUnitsOf(*Font::Fixed(16, 7)).cx, 7);
  EXPECT_EQ(BaseUnitsOf(*Font::Fixed(16, 7)).cy, 16);
  EXPECT_EQ(BaseUnitsOf(*Font::Fixed(10, 6)).cx, 6) << "(12 + 1) / 2, rounded down";
  // DejaVu Sans at 8 points: 359 pixels for the 52 letters, a 13-pixel cell.
  EXPECT_EQ(GetDialogBaseUnits().cx, 7);
  EXPECT_EQ(GetDialogBaseUnits().cy, 13);
  EXPECT_EQ(DialogUnitsToPixels(Rect{7, 71, 161, 166}, Size{7, 13}), (Rect{12, 115, 281, 269}));
  EXPECT_EQ(TemplateRectToPixels(7, 71, 154, 95, Size{7, 13}), (Rect{12, 115, 281, 269}));
  EXPECT_EQ(TemplateRectToPixels(1, 1, 1, 1, Size{7, 13}), (Rect{1, 1, 2, 2}))
      << "place and size each rounded down, not the far edge";
}

class DialogTest : public DialogFixture {
 protected:
  // The dialog's client size, its place and its controls' places in
  // pixels, read when it starts; the dialog then ends at once.
  struct Layout {
    Size client;
    Rect window;
    std::vector<Rect> controls;
  };
  Layout LayoutOf(std::uint16_t id) {
    Layout layout;
    Run(id, [&](WindowHandle dialog, std::uint32_t message, WParam, LParam) -> LResult {
      if (message != kWmInitDialog) return 0;
      const Rect client = GetClientRect(dialog);
      layout.client = Size{client.width(), client.height()};
      layout.window = GetWindowRect(dialog);
      for (WindowHandle child = GetWindow(dialog, kGwChild); child; child = GetWindow(child, kGwHwndNext)) {
        const Rect rect = GetWindowRect(child);
        const Point corner = ScreenToClient(dialog, Point{rect.left, rect.top});
        layout.controls.push_back(Rect{corner.x, corner.y, corner.x + rect.width(), corner.y + rect.height()});
      }
      EndDialog(dialog, 1);
      return 0;
    }, "");
    return layout;
  }
  // A handler that ends the dialog with the identifier of command 1 or 2
  // and records every command.
  quillory_test::DialogHandler EndsOnOkOrCancel() {
    return [this](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
      if (message != kWmCommand) return 0;
      commands_.push_back(LowWord(first));
      if (LowWord(first) == kIdOk || LowWord(first) == kIdCancel) EndDialog(dialog, LowWord(first));
      return 1;
    };
  }
  std::vector<std::uint16_t> commands_;
};

// Base units 7 × 13 (above): x * 7 / 4 and y * 13 / 8, rounded down.
TEST_F(DialogTest, ControlsArePlacedInPixelsFromTheirDialogUnits) {
  const Layout about = LayoutOf(quillory::kAboutDialogId);
  EXPECT_EQ(about.client.cx, 227);
  EXPECT_EQ(about.client.cy, 138);
  // Centred on the work area below the task bar, with its caption bar and frame.
  EXPECT_EQ(about.window, (Rect{5, 90, 234, 255}));
  EXPECT_EQ(about.controls, (std::vector<Rect>{{12, 11, 153, 24},
                                               {154, 11, 219, 83},  // the picture's own 65 × 72
                                               {12, 39, 153, 52},
                                               {12, 66, 152, 79},
                                               {12, 94, 187, 107}}));

  // The version label holds its text on its one line.
  std::int32_t versionWidth = 0;
  for (const char16_t c : std::u16string_view(u"Version 1.84a")) versionWidth += DialogFont()->Advance(c);
  EXPECT_LE(versionWidth, about.controls[2].width());
  EXPECT_LE(about.controls[2].right, about.controls[1].left) << "beside the picture, not under it";

  const Layout font = LayoutOf(quillory::kFontDialogId);
  EXPECT_EQ(font.client.cx, 266);
  EXPECT_EQ(font.client.cy, 271);
  EXPECT_EQ(font.controls, (std::vector<Rect>{{12, 11, 199, 163},
                                              {210, 71, 253, 162},
                                              {12, 172, 253, 253},
                                              {203, 30, 253, 46},
                                              {203, 50, 253, 66}}));

  const Layout search = LayoutOf(quillory::kSearchDialogId);
  EXPECT_EQ(search.client.cx, 220);
  EXPECT_EQ(search.client.cy, 212);
  // Placed from the owner's client area, which starts below the task bar.
  EXPECT_EQ(search.window, (Rect{0, kTaskBarHeight, 1 + 220 + 1, kTaskBarHeight + 26 + 212 + 1}));
  EXPECT_EQ(search.controls, (std::vector<Rect>{{12, 11, 208, 24}, {12, 34, 208, 103}, {12, 115, 166, 210}}));

  const Layout section = LayoutOf(quillory::kChooseSectionDialogId);
  EXPECT_EQ(section.client.cx, 280) << "the scroll bar beside the client area";
  EXPECT_EQ(section.client.cy, 260);
  EXPECT_EQ(section.window.width(), 1 + 280 + GetSystemMetrics(kSmCxVScroll) + 1);
  EXPECT_TRUE(section.controls.empty());
}

TEST_F(DialogTest, MapDialogRectUsesTheDialogsOwnUnits) {
  Rect mapped;
  Run(quillory::kSearchDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam, LParam) -> LResult {
    if (message != kWmInitDialog) return 0;
    mapped = MapDialogRect(dialog, Rect{7, 71, 126, 131});
    EndDialog(dialog, 1);
    return 0;
  }, "");
  EXPECT_EQ(mapped, (Rect{12, 115, 220, 212}));
}

TEST_F(DialogTest, InitialisationGetsTheParameterAndItsResultDecidesTheFocus) {
  LParam given = 0;
  std::uint16_t offered = 0;
  std::uint16_t focused = 0;
  bool dialogFocused = false;
  std::uint32_t selection = 0;
  const auto handler = [&](LResult initResult) {
    return [&, initResult](WindowHandle dialog, std::uint32_t message, WParam first, LParam second) -> LResult {
      if (message == kWmInitDialog) {
        given = second;
        offered = GetWindowId(reinterpret_cast<WindowHandle>(first));
        SetDlgItemText(dialog, 1013, u"abc");
        return initResult;
      }
      if (message == kWmCommand && LowWord(first) == kIdCancel) {
        focused = GetWindowId(GetFocus());
        dialogFocused = GetFocus() == dialog;
        selection = static_cast<std::uint32_t>(SendDlgItemMessage(dialog, 1013, kEmGetSel, 0, 0));
        EndDialog(dialog, 22);
      }
      return 0;
    };
  };
  EXPECT_EQ(Run(quillory::kSearchDialogId, handler(1), "key Escape\n", 4711), 22);
  EXPECT_EQ(given, 4711);
  EXPECT_EQ(offered, 1013) << "the first tab stop";
  EXPECT_EQ(focused, 1013);
  EXPECT_EQ(selection, MakeLong(0, 3)) << "the box's text selected, so that typing replaces it";

  EXPECT_EQ(Run(quillory::kSearchDialogId, handler(0), "key Escape\n"), 22);
  EXPECT_TRUE(dialogFocused) << "no control focused: keys go to the dialog itself";
  EXPECT_EQ(selection, MakeLong(0, 0));
  EXPECT_EQ(GetFocus(), nullptr) << "nothing was focused before the dialog";
}

TEST_F(DialogTest, EnterConfirmsEscapeCancelsAndTheCaptionsOkConfirms) {
  EXPECT_EQ(Run(quillory::kSearchDialogId, EndsOnOkOrCancel(), "key Return\n"), kIdOk);
  EXPECT_EQ(Run(quillory::kSearchDialogId, EndsOnOkOrCancel(), "key Escape\n"), kIdCancel);
  // The ok button at the caption bar's right end, above the client area.
  EXPECT_EQ(Run(quillory::kSearchDialogId, EndsOnOkOrCancel(), "tap 40 -13\ntap 200 -13\n"), kIdOk);
  EXPECT_EQ(commands_, (std::vector<std::uint16_t>{kIdOk, kIdCancel, kIdOk})) << "the title takes no taps";
  // Choose Section has no ok button of its own: only Enter confirms it.
  commands_.clear();
  EXPECT_EQ(Run(quillory::kChooseSectionDialogId, EndsOnOkOrCancel(), "tap 270 -13\nkey Return\n"), kIdOk);
  EXPECT_EQ(commands_, (std::vector<std::uint16_t>{kIdOk}));
}

TEST_F(DialogTest, TabGoesRoundTheTabStopsAndTheCloseRequestCancels) {
  std::vector<std::uint16_t> focus;
  const auto result = Run(quillory::kFontDialogId,
                          [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
                            if (message == kWmInitDialog) return 1;
                            if (message == kWmCommand && HighWord(first) == kBnClicked &&
                                LowWord(first) == kIdOk) {
                              focus.push_back(GetWindowId(GetFocus()));
                              if (focus.size() == 4) PostMessage(dialog, kWmClose, 0, 0);
                              return 1;
                            }
                            if (message == kWmCommand && LowWord(first) == kIdCancel) EndDialog(dialog, 2);
                            return 0;
                          },
                          "key Return\nkey Tab\nkey Return\nkey Tab\nkey Return\nkey Tab\nkey Return\n");
  EXPECT_EQ(result, kIdCancel) << "closing a dialog is cancelling it";
  // Face list, size list, sample, and round again; radio buttons are no tab stops.
  EXPECT_EQ(focus, (std::vector<std::uint16_t>{1001, 1006, 1002, 1001}));
}

TEST_F(DialogTest, TheOwnerTakesNoInputWhileTheDialogRunsAndIsActiveAgainAfter) {
  bool ownerEnabled = true;
  WindowHandle dialogWindow = nullptr;
  const auto result = Run(quillory::kSearchDialogId,
                          [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
                            dialogWindow = dialog;
                            if (message == kWmCommand && LowWord(first) == kIdOk) {
                              ownerEnabled = IsWindowEnabled(owner_);
                              EndDialog(dialog, 1);
                            }
                            return 0;
                          },
                          // Beside the dialog, over the owner.
                          "tap 230 250\nkey Return\n");
  EXPECT_EQ(result, 1);
  EXPECT_FALSE(ownerEnabled);
  EXPECT_EQ(std::count(quillory_test::OwnerMessages().begin(), quillory_test::OwnerMessages().end(),
                       std::uint32_t{kWmLButtonDown}),
            0);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_FALSE(IsWindow(dialogWindow));
  EXPECT_EQ(GetForegroundWindow(), owner_);
}

TEST_F(DialogTest, EndingDuringInitialisationNeverShowsTheDialogAndALostOwnerEndsTheLoop) {
  std::vector<std::uint32_t> seen;
  EXPECT_EQ(Run(quillory::kSearchDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam, LParam) -> LResult {
    seen.push_back(message);
    if (message == kWmInitDialog) EndDialog(dialog, 9);
    return 0;
  }, ""), 9);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), std::uint32_t{kWmActivate}), 0) << "never shown";
  EXPECT_EQ(seen.back(), kWmDestroy);

  seen.clear();
  EXPECT_EQ(Run(quillory::kSearchDialogId, [&](WindowHandle, std::uint32_t message, WParam, LParam) -> LResult {
    seen.push_back(message);
    if (message == kWmInitDialog) PostMessage(owner_, kWmClose, 0, 0);
    return 0;
  }, ""), 0) << "the owner went, and the dialog with it";
  EXPECT_FALSE(IsWindow(owner_));
  EXPECT_EQ(seen.back(), kWmDestroy);
}

TEST_F(DialogTest, APaintThatInvalidatesItsWindowDuringTheEraseIsPaintedAgain) {
  // The section list's way: paint without BeginPaint, then let the default
  // handling validate; the erase fills white and asks for a paint without
  // erasing.
  const Rect square{20, 20, 40, 40};
  Pixel inside = 0;
  Run(quillory::kChooseSectionDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
    switch (message) {
      case kWmPaint:
        GetDC(dialog)->FillRect(square, SolidBrush(kBlack));
        return 0;
      case kWmEraseBackground:
        reinterpret_cast<DeviceContext*>(first)->FillRect(GetClientRect(dialog), *GetStockBrush(StockBrush::kWhiteBrush));
        InvalidateRect(dialog, false);
        return 1;
      case kWmCommand:
        inside = ScreenImage().at(ClientToScreen(dialog, Point{30, 30}).x, ClientToScreen(dialog, Point{30, 30}).y);
        EndDialog(dialog, 1);
        return 1;
      default:
        return 0;
    }
  }, "key Return\n");
  EXPECT_EQ(inside, 0u) << "the square of the second paint";
}

std::vector<std::uint16_t> activations;

LResult Activations(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmActivate) activations.push_back(LowWord(first));
  return DefWindowProc(window, message, first, second);
}

TEST_F(DialogTest, AWindowLearnsWhetherATapMadeItActive) {
  WindowClass watched;
  watched.procedure = Activations;
  watched.name = u"Watched";
  RegisterClass(watched);
  const WindowHandle window = CreateWindow(0, u"Watched", u"", kWsVisible, 0, 200, 240, 100, nullptr, 0, nullptr);
  const WindowHandle other = CreateWindow(0, u"Owner", u"", kWsVisible, 0, 30, 240, 100, nullptr, 0, nullptr);
  InjectStylus(StylusAction::kDown, Point{10, 250});
  InjectStylus(StylusAction::kUp, Point{10, 250});
  PumpUntilIdle();
  SetForegroundWindow(other);
  SetForegroundWindow(window);
  EXPECT_EQ(activations, (std::vector<std::uint16_t>{kWaActive, kWaInactive, kWaClickActive, kWaInactive, kWaActive}));
}

TEST_F(DialogTest, TheInputPanelFollowsThePreferenceAndTheSwitchOfTheWindowThatAsks) {
  EXPECT_TRUE(ShellSipPreference(owner_, kSipUp));
  EXPECT_TRUE(GetShellState().inputPanelUp);
  EXPECT_EQ(GetShellState().sipPreferenceWindow, owner_);
  EXPECT_TRUE(ShellSipPreference(owner_, kSipDown));
  EXPECT_FALSE(GetShellState().inputPanelUp);
  EXPECT_EQ(GetShellState().sipPreference, kSipDown);
  EXPECT_FALSE(ShellSipPreference(nullptr, kSipUp)) << "only a window may ask";
  EXPECT_FALSE(GetShellState().inputPanelUp);
  SipShowInputMethod(kSipfOn);
  EXPECT_TRUE(GetShellState().inputPanelUp);
  SipShowInputMethod(kSipfOff);
  EXPECT_FALSE(GetShellState().inputPanelUp);
}

// What a command of the main window does with a dialog and a message box
// inside it, each in a loop of its own.
std::vector<std::intptr_t> answers;
const Module* resourceModule = nullptr;

LResult AskingDialog(WindowHandle dialog, std::uint32_t message, WParam first, LParam) {
  if (message != kWmCommand || LowWord(first) != kIdOk) return 0;
  const int answer = ShowMessageBox(dialog, "Remove Bookmark?\n\nCancel - Don't ask again", "Bookmark", kMbYesNoCancel);
  answers.push_back(answer);
  EndDialog(dialog, answer);
  return 1;
}

LResult MainWindow(WindowHandle window, std::uint32_t message, WParam first, LParam second) {
  if (message == kWmCommand && LowWord(first) == 116) {
    answers.push_back(DialogBoxParam(resourceModule, quillory::kSearchDialogId, window, AskingDialog, 0));
    PostQuitMessage(5);
    return 0;
  }
  return DefWindowProc(window, message, first, second);
}

TEST_F(DialogTest, AMessageBoxAnswerReachesTheDialogInsideTheMainWindowsCommand) {
  answers.clear();
  resourceModule = &module_;
  WindowClass main;
  main.procedure = MainWindow;
  main.name = u"Main";
  RegisterClass(main);
  const WindowHandle window =
      CreateWindow(0, u"Main", u"Main", kWsVisible, kUseDefault, 0, kUseDefault, 0, nullptr, 0, nullptr);
  backend_->ScriptAnswer(kIdNo);
  Play("command 116\nkey Return\n");
  Message message;
  while (GetMessage(message)) {
    TranslateMessage(message);
    DispatchMessage(message);
  }
  EXPECT_EQ(message.first, 5u) << "the quit request of the command, after both loops ended";
  EXPECT_EQ(answers, (std::vector<std::intptr_t>{kIdNo, kIdNo}));
  ASSERT_EQ(backend_->shownBoxes().size(), 1u);
  EXPECT_EQ(backend_->shownBoxes()[0].caption, "Bookmark");
  EXPECT_NE(backend_->shownBoxes()[0].owner, window) << "owned by the dialog";
  EXPECT_EQ(GetForegroundWindow(), window);
}

}  // namespace
