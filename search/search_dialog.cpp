#include "search/search_dialog.h"

#include <memory>
#include <string>

#include "core/app_state.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/graphics/dialog_units.h"
#include "platform/graphics/font_catalog.h"
#include "platform/windows/input.h"
#include "platform/windows/message_box.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"
#include "resources/dialog_templates.h"
#include "search/find_next.h"
#include "search/hebrew_layout.h"
#include "search/keyboard_layout.h"
#include "search/pattern_typing.h"
#include "search/search_input.h"
#include "view/dialog_layout.h"
#include "view/letter_code.h"
#include "view/text_view.h"

namespace quillory {
namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

constexpr int kLongestPattern = 33;
// Where the keyboard picture stands in the template, in dialog units.
constexpr std::int32_t kKeyboardLeft = 7;
constexpr std::int32_t kKeyboardTop = 71;
constexpr char16_t kFirstHebrewLetter = u'\u05D0';

// The state of the open Search dialog; it is modal, so there is one.
struct SearchDialogState {
  std::unique_ptr<platform::Font> patternFont;
  platform::Size baseUnits;
  platform::WindowProcedure boxProcedure = nullptr;
  // What the box was filled with: confirmed unchanged, it stands for the
  // stored pattern as it is (with the Reverse option on, the box shows the
  // pattern reversed, which taken back as typed would reverse it).
  std::u16string shown;
};
SearchDialogState gState;

std::uint32_t CodeBase() { return App().font.asciiBase; }

// The view's face and height, every other attribute left at zero.
platform::FontRequest PatternFontRequest() {
  const FontDescription& font = App().textView != nullptr ? App().textView->font : App().font;
  platform::FontRequest request;
  request.height = font.height;
  request.faceName = font.faceName;
  return request;
}

// The box's text and selection.
struct BoxState {
  std::u16string text;
  std::uint32_t start = 0;
  std::uint32_t end = 0;
};

BoxState ReadBox(WindowHandle box) {
  BoxState state{platform::GetWindowText(box)};
  platform::SendMessage(box, platform::kEmGetSel, reinterpret_cast<WParam>(&state.start),
                        reinterpret_cast<LParam>(&state.end));
  return state;
}

// Puts an edit worked out on the box's text into it as one undoable change;
// one that would pass the box's limit is refused, as a full box refuses.
void WriteBox(WindowHandle box, const BoxEdit& edit) {
  if (edit.text.size() > kLongestPattern) return;
  platform::SendMessage(box, platform::kEmSetSel, 0, -1);
  platform::SendMessage(box, platform::kEmReplaceSel, 1, platform::TextParam(edit.text));
  platform::SendMessage(box, platform::kEmSetSel, edit.caret, static_cast<LParam>(edit.caret));
}

void InsertCharacter(WindowHandle box, char16_t character) {
  const BoxState state = ReadBox(box);
  WriteBox(box, TypeCharacter(state.text, state.start, state.end, character, CodeBase()));
}

// The computer's keyboard types as the on-screen one does, in reading
// order: a Hebrew letter (from any layout: a Latin one types the Israeli
// layout's letters) as its letter under the code base, each before the one
// typed last, so that a word comes out in the order the text is stored;
// numbers and Latin words in their own order (see pattern_typing.h).
LResult PatternBoxProc(WindowHandle box, std::uint32_t message, WParam first, LParam second) {
  if (message == platform::kWmChar && !platform::GetKeyState(platform::kVkControl)) {
    if (first == platform::kVkBack) {
      const BoxState state = ReadBox(box);
      WriteBox(box, EraseBackward(state.text, state.start, state.end, CodeBase()));
      return 0;
    }
    if (first >= 0x20 && first != 0x7F) {
      char16_t character = ThroughHebrewLayout(static_cast<char16_t>(first));
      if (character >= kFirstHebrewLetter && character < kFirstHebrewLetter + kLetterKeyCount) {
        character = static_cast<char16_t>(CodeBase() + (character - kFirstHebrewLetter));
      }
      InsertCharacter(box, character);
      return 0;
    }
  }
  return gState.boxProcedure(box, message, first, second);
}

void InitSearchDialog(WindowHandle dialog) {
  const AppState& app = App();
  const std::u16string_view shown =
      ToDisplayChars(app.searchPattern.data(), kLongestPattern, static_cast<std::int32_t>(CodeBase()),
                     (app.flags & kReverseFlag) != 0);
  platform::SetDlgItemText(dialog, kPatternBoxId, shown);
  gState.shown = std::u16string(shown);
  gState.patternFont = platform::CreateFont(PatternFontRequest());
  platform::SendDlgItemMessage(dialog, kPatternBoxId, platform::kWmSetFont,
                               reinterpret_cast<WParam>(gState.patternFont.get()), 1);
  platform::SendDlgItemMessage(dialog, kPatternBoxId, platform::kEmLimitText, kLongestPattern, 0);
  gState.baseUnits = platform::GetDialogBaseUnits();
  if (const WindowHandle box = platform::GetDlgItem(dialog, kPatternBoxId)) {
    gState.boxProcedure = platform::SetWindowProcedure(box, PatternBoxProc);
  }
}

void OnActivate(WParam first) {
  if (platform::LowWord(first) == platform::kWaInactive) return;
  if (Switches().allowSipInHebrewSearch != 0) platform::ShellFullScreen(App().mainWindow, platform::kShfsShowSipButton);
  HideTaskBarOnActivation(first);
}

void Close(WindowHandle dialog, std::intptr_t result) {
  platform::EndDialog(dialog, result);
  platform::ShellSipPreference(App().mainWindow, platform::kSipDown);
  platform::SipShowInputMethod(platform::kSipfOff);
  platform::ShellFullScreen(App().mainWindow, platform::kShfsHideSipButton);
}

void Confirm(WindowHandle dialog) {
  const std::u16string text = platform::GetDlgItemText(dialog, kPatternBoxId, kLongestPattern);
  if (text != gState.shown) App().searchPattern = PatternFromInput(text, CodeBase());
  if (App().searchPattern[0] == 0 || FindNext(dialog) == 1) {
    Close(dialog, platform::kIdOk);
    return;
  }
  // Nothing found: the next key typed replaces the whole pattern.
  platform::SendDlgItemMessage(dialog, kPatternBoxId, platform::kEmSetSel, 0, -1);
}

}  // namespace

int KeyAt(WindowHandle dialog, std::int32_t x, std::int32_t y) {
  const std::int32_t left = kKeyboardLeft * gState.baseUnits.cx / 4;
  const std::int32_t top = kKeyboardTop * gState.baseUnits.cy / 8;
  const std::optional<int> key = KeyNumberAt(x - left, y - top);
  if (!key) return 1;
  InsertKey(dialog, *key);
  return 0;
}

void InsertKey(WindowHandle dialog, int key) {
  const WindowHandle box = platform::GetDlgItem(dialog, kPatternBoxId);
  const std::optional<char16_t> character = KeyCharacter(key, CodeBase());
  if (box == nullptr || !character) return;
  InsertCharacter(box, *character);
}

void ShowSearchDialog(WindowHandle owner) {
  platform::DialogBoxParam(App().module, kSearchDialogId, owner, SearchDialogProc, 0);
}

LResult SearchDialogProc(WindowHandle dialog, std::uint32_t message, WParam first, LParam second) {
  switch (message) {
    case platform::kWmInitDialog:
      InitSearchDialog(dialog);
      return 1;
    case platform::kWmActivate:
      OnActivate(first);
      return 0;
    case platform::kWmLButtonDown:
      return KeyAt(dialog, platform::SignedLowWord(static_cast<WParam>(second)),
                   platform::SignedHighWord(static_cast<WParam>(second)));
    case platform::kWmCommand:
      if (platform::LowWord(first) == platform::kIdOk) {
        Confirm(dialog);
        return 1;
      }
      if (platform::LowWord(first) == platform::kIdCancel) {
        Close(dialog, platform::kIdCancel);
        return 1;
      }
      return 0;
    case platform::kWmDestroy:
      // The box goes with the dialog, after it: it gets its own procedure
      // back and lets go of the font before the font is released.
      if (const WindowHandle box = platform::GetDlgItem(dialog, kPatternBoxId); box && gState.boxProcedure) {
        platform::SetWindowProcedure(box, gState.boxProcedure);
        platform::SendMessage(box, platform::kWmSetFont, 0, 0);
      }
      gState = SearchDialogState{};
      return 0;
    default:
      return 0;
  }
}

}  // namespace quillory
