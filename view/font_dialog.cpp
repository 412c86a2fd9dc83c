#include "view/font_dialog.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/app_state.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/graphics/font_catalog.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window.h"
#include "resources/dialog_templates.h"
#include "view/dialog_layout.h"
#include "view/font_family_list.h"
#include "view/font_sizes.h"

namespace quillory {
namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

// Full screen, input panel down, no menu bar.
constexpr std::uint32_t kFullScreenDialogFlags = 0x1E;
// The letter code's letters, alef to tav with the final forms.
constexpr std::uint32_t kLetterCount = 27;
// A face without the Hebrew letters draws the text as empty boxes: its
// entry in the face list says so. The mark is no part of the face's name.
constexpr std::u16string_view kNoHebrewMark = u" (no Hebrew)";

// Why a choice is applied: a radio button was clicked, OK, a list's
// selection changed.
enum class ChoiceMode { kRadioClicked = 0, kConfirmed = 1, kSelectionChanged = 2 };
// The base radio buttons, in the order OK asks them.
struct BaseRadio {
  std::uint16_t id;
  std::uint32_t base;
};
constexpr std::array<BaseRadio, 3> kBaseRadios = {
    {{kBase224Id, kBaseCp1255}, {kBase97Id, kBaseLatin}, {kBase5D0Id, kBaseUnicode}}};

// The state of the open dialog; it is modal, so there is one.
struct FontDialogState {
  FontDescription* font = nullptr;  // the caller's; written on OK only
  FontFamilyList families;
  // The face and height chosen so far; nothing else of it is ever set.
  platform::FontRequest working;
  // The sample box's font once a choice was made; the box keeps the
  // dialog's font until then.
  std::unique_ptr<platform::Font> sampleFont;
};
FontDialogState gState;

std::u16string Decimal(std::int32_t value) { return platform::Utf8ToUtf16(std::to_string(value)); }

// A height as the size list shows it; a character height of the reader's
// own (negative) keeps its sign.
std::int32_t ParseHeight(std::u16string_view text) {
  const bool negative = !text.empty() && text.front() == u'-';
  if (negative) text.remove_prefix(1);
  std::int32_t value = 0;
  for (const char16_t c : text) value = value * 10 + (c - u'0');
  return negative ? -value : value;
}

std::optional<std::u16string> SelectedText(WindowHandle dialog, std::uint16_t id) {
  const WindowHandle list = platform::GetDlgItem(dialog, id);
  const LResult index = platform::SendMessage(list, platform::kLbGetCurSel, 0, 0);
  if (index == platform::kLbErr) return std::nullopt;
  return platform::ListBoxText(list, index);
}

void AddEntry(WindowHandle dialog, std::uint16_t id, const std::u16string& text) {
  platform::SendDlgItemMessage(dialog, id, platform::kLbAddString, 0, platform::TextParam(text));
}

// The first entry that begins with `prefix`.
void SelectPrefix(WindowHandle dialog, std::uint16_t id, const std::u16string& prefix) {
  platform::SendDlgItemMessage(dialog, id, platform::kLbSelectString, static_cast<WParam>(-1),
                               platform::TextParam(prefix));
}

bool IsChecked(WindowHandle dialog, std::uint16_t id) {
  return platform::SendDlgItemMessage(dialog, id, platform::kBmGetCheck, 0, 0) == platform::kBstChecked;
}

void SetCheck(WindowHandle dialog, std::uint16_t id, bool checked) {
  platform::SendDlgItemMessage(dialog, id, platform::kBmSetCheck, checked ? platform::kBstChecked : platform::kBstUnchecked,
                               0);
}

// Tav down to alef: in the right-aligned box alef stands rightmost.
void FillSampleAlphabet(WindowHandle dialog, std::uint32_t base) {
  std::u16string alphabet;
  for (std::uint32_t letter = kLetterCount; letter-- > 0;) alphabet += static_cast<char16_t>(base + letter);
  platform::SetDlgItemText(dialog, kSampleId, alphabet);
}

std::u16string EntryOfFamily(const FontFamilyNode& node) {
  std::u16string entry(platform::UntilZero({node.faceName.data(), node.faceName.size()}));
  if (node.charSet != platform::kHebrewCharSet) entry += kNoHebrewMark;
  return entry;
}

std::u16string_view FaceOfEntry(std::u16string_view entry) {
  if (entry.ends_with(kNoHebrewMark)) entry.remove_suffix(kNoHebrewMark.size());
  return entry;
}

// The entry of exactly `face`, marked or not; -1 when none.
LResult FindFaceEntry(WindowHandle dialog, const std::u16string& face) {
  for (const std::u16string& entry : {face, face + std::u16string(kNoHebrewMark)}) {
    const LResult index = platform::SendDlgItemMessage(dialog, kFaceListId, platform::kLbFindStringExact,
                                                       static_cast<WParam>(-1), platform::TextParam(entry));
    if (index != platform::kLbErr) return index;
  }
  return platform::kLbErr;
}

// The face of the description is selected; without one (the first start)
// the face the text is drawn in, so that OK keeps what the reader sees.
void FillFaceList(WindowHandle dialog, const FontDescription& font) {
  platform::SendDlgItemMessage(dialog, kFaceListId, platform::kLbResetContent, 0, 0);
  for (const FontFamilyNode* node = gState.families.head; node != nullptr; node = node->next) {
    AddEntry(dialog, kFaceListId, EntryOfFamily(*node));
  }
  const std::u16string face(platform::UntilZero({font.faceName.data(), font.faceName.size()}));
  if (face.empty()) {
    const LResult shown = FindFaceEntry(dialog, platform::DefaultFaceName());
    if (shown != platform::kLbErr) {
      platform::SendDlgItemMessage(dialog, kFaceListId, platform::kLbSetCurSel, static_cast<WParam>(shown), 0);
      return;
    }
  }
  SelectPrefix(dialog, kFaceListId, face);
}

// A height below the table's smallest (one stored by hand, or a character
// height) stays on offer, first.
void FillSizeList(WindowHandle dialog, std::int32_t height) {
  platform::SendDlgItemMessage(dialog, kSizeListId, platform::kLbResetContent, 0, 0);
  if (height != 0 && height < kFontHeights.front()) AddEntry(dialog, kSizeListId, Decimal(height));
  for (const std::int32_t entry : kFontHeights) AddEntry(dialog, kSizeListId, Decimal(entry));
  if (height != 0) SelectPrefix(dialog, kSizeListId, Decimal(height));
}

void InitFontDialog(WindowHandle dialog, FontDescription* font) {
  InitDialogLayout(dialog, kFullScreenDialogFlags);
  // Normally empty already: the list goes when the dialog closes.
  ReleaseFontList(gState.families);
  gState.font = font;
  gState.working = platform::FontRequest{};
  if (font->asciiBase == 0) font->asciiBase = kBaseUnicode;
  FillSampleAlphabet(dialog, font->asciiBase);
  for (const BaseRadio& radio : kBaseRadios) {
    if (radio.base == font->asciiBase) SetCheck(dialog, radio.id, true);
  }
  platform::EnumFontFamilies(CollectFontFamily, &gState.families);
  FillFaceList(dialog, *font);
  FillSizeList(dialog, font->height);
  platform::SetFocus(platform::GetDlgItem(dialog, kFaceListId));
}

// A face with the Hebrew letters at their Unicode places is shown, and
// chosen, with base 0x5D0 unless the reader already has it on.
void PreferUnicodeBaseForHebrewFace(WindowHandle dialog) {
  const std::u16string_view face = platform::UntilZero({gState.working.faceName.data(), gState.working.faceName.size()});
  if (face.empty()) return;
  const FontFamilyNode* family = FindFontFamily(gState.families, face);
  if (family == nullptr || family->charSet != platform::kHebrewCharSet || IsChecked(dialog, kBase5D0Id)) return;
  SetCheck(dialog, kBase224Id, false);
  SetCheck(dialog, kBase97Id, false);
  SetCheck(dialog, kBase5D0Id, true);
  FillSampleAlphabet(dialog, kBaseUnicode);
}

// OK: what was chosen goes into the description; what was not stays.
void StoreChoice(WindowHandle dialog) {
  FontDescription& font = *gState.font;
  if (gState.working.height != 0) font.height = gState.working.height;
  for (const BaseRadio& radio : kBaseRadios) {
    if (IsChecked(dialog, radio.id)) {
      font.asciiBase = radio.base;
      break;
    }
  }
  if (gState.working.faceName[0] != 0) font.faceName = gState.working.faceName;
}

void ShowSample(WindowHandle dialog) {
  std::unique_ptr<platform::Font> font = platform::CreateFont(gState.working);
  platform::SendDlgItemMessage(dialog, kSampleId, platform::kWmSetFont, reinterpret_cast<WParam>(font.get()), 1);
  // The box holds the new font now, so the old one can go.
  gState.sampleFont = std::move(font);
}

void ApplyFontChoice(WindowHandle dialog, ChoiceMode mode) {
  if (const auto entry = SelectedText(dialog, kFaceListId)) {
    SetFaceName(gState.working.faceName, FaceOfEntry(*entry));
  }
  if (const auto height = SelectedText(dialog, kSizeListId)) gState.working.height = ParseHeight(*height);
  if (mode == ChoiceMode::kSelectionChanged) PreferUnicodeBaseForHebrewFace(dialog);
  if (mode == ChoiceMode::kConfirmed) {
    StoreChoice(dialog);
    return;
  }
  ShowSample(dialog);
}

void MoveControl(WindowHandle dialog, std::uint16_t id, std::int32_t x, std::int32_t y, std::int32_t width,
                 std::int32_t height) {
  platform::MoveWindow(platform::GetDlgItem(dialog, id), x, y, width, height, true);
}

// In pixels: the face list takes two thirds of the width and height, the
// radio buttons and the size list the column beside it, the sample the
// rest of the height.
void LayOutControls(WindowHandle dialog, std::int32_t clientWidth, std::int32_t clientHeight) {
  const std::int32_t w = clientWidth - 14;
  const std::int32_t h = clientHeight - 14;
  const std::int32_t d = 2 * w / 3;
  const std::int32_t f = 2 * h / 3;
  MoveControl(dialog, kFaceListId, 7, 7, d - 7, f - 7);
  MoveControl(dialog, kSizeListId, d + 7, 59, w - d, f - 59);
  MoveControl(dialog, kSampleId, 7, f, w, h - f);
  MoveControl(dialog, kBase97Id, d + 7, 7, w - d, 10);
  MoveControl(dialog, kBase224Id, d + 7, 24, w - d, 10);
  MoveControl(dialog, kBase5D0Id, d + 7, 41, w - d, 10);
}

void Close(WindowHandle dialog, std::intptr_t result) {
  ReleaseFontList(gState.families);
  platform::EndDialog(dialog, result);
}

LResult OnCommand(WindowHandle dialog, std::uint16_t id) {
  switch (id) {
    case platform::kIdOk:
      ApplyFontChoice(dialog, ChoiceMode::kConfirmed);
      Close(dialog, platform::kIdOk);
      return 1;
    case platform::kIdCancel:
      Close(dialog, platform::kIdCancel);
      return 1;
    case kFaceListId:
    case kSizeListId:
      ApplyFontChoice(dialog, ChoiceMode::kSelectionChanged);
      return 0;
    default:
      break;
  }
  for (const BaseRadio& radio : kBaseRadios) {
    if (radio.id == id) {
      FillSampleAlphabet(dialog, radio.base);
      ApplyFontChoice(dialog, ChoiceMode::kRadioClicked);
    }
  }
  return 0;
}

void OnDestroy(WindowHandle dialog) {
  // The box goes after the dialog: it lets go of the sample font first.
  platform::SendDlgItemMessage(dialog, kSampleId, platform::kWmSetFont, 0, 0);
  gState.sampleFont.reset();
  // Also when the dialog went without OK or Cancel (its owner was destroyed).
  ReleaseFontList(gState.families);
  gState.font = nullptr;
}

}  // namespace

std::intptr_t ShowFontDialog(WindowHandle owner, FontDescription& font) {
  return platform::DialogBoxParam(App().module, kFontDialogId, owner, FontDialogProc, reinterpret_cast<LParam>(&font));
}

std::intptr_t ShowFirstFontDialog(WindowHandle owner, FontDescription& font) {
  const std::intptr_t result = ShowFontDialog(owner, font);
  if (result == platform::kIdCancel && font.faceName[0] == 0) {
    SetFaceName(font.faceName, platform::DefaultFaceName());
  }
  return result;
}

LResult FontDialogProc(WindowHandle dialog, std::uint32_t message, WParam first, LParam second) {
  switch (message) {
    case platform::kWmInitDialog:
      InitFontDialog(dialog, reinterpret_cast<FontDescription*>(second));
      return 0;
    case platform::kWmSize:
      LayOutControls(dialog, platform::LowWord(static_cast<WParam>(second)), platform::HighWord(static_cast<WParam>(second)));
      return 0;
    case platform::kWmActivate:
      HideTaskBarOnActivation(first);
      return 0;
    case platform::kWmCommand:
      return OnCommand(dialog, platform::LowWord(first));
    case platform::kWmDestroy:
      OnDestroy(dialog);
      return 1;
    default:
      return 0;
  }
}

}  // namespace quillory
