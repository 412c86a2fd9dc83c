#include "index/choose_section.h"

#include "core/app_state.h"
#include "index/index_entries.h"
#include "index/section_list.h"
#include "platform/dialogs/dialog.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window.h"
#include "resources/dialog_templates.h"
#include "store/uncompress.h"
#include "view/dialog_layout.h"
#include "view/letter_code.h"
#include "view/palette.h"

namespace quillory {
namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

constexpr int kInitialLines = 100;
constexpr std::uint32_t kFullScreenLayout = 0x1E;

// The open dialog; it is modal, so there is at most one.
struct ChooseSectionState {
  std::uint16_t result = 0;
  WindowHandle dialog = nullptr;
  platform::DeviceContext* context = nullptr;
  ListRect listRect{};
  SectionList* list = nullptr;
  const FontDescription* font = nullptr;
};
ChooseSectionState gState;

// The whole client area: the dialog's scroll bar stands beside it already,
// outside the client area, so the list takes every column up to it (and a
// tap right of a header, up to the bar, reaches the header).
ListRect ListRectOf(WindowHandle dialog) {
  const platform::Rect client = platform::GetClientRect(dialog);
  return ListRect{client.left, client.top, client.right, client.bottom};
}

void UpdateListScrollBar() {
  if (!gState.list) return;
  platform::SetScrollRange(gState.dialog, platform::kSbVert, 0, gState.list->maxTop, false);
  platform::SetScrollPos(gState.dialog, platform::kSbVert, gState.list->topLine, true);
}

void BuildList() {
  platform::HeapBlock entries = AddBookmarkSection(LoadCompressedResource(kIndexNumber));
  static const FontDescription kNoFont{};
  gState.list = CreateSectionList(gState.context, &gState.listRect, gState.font ? *gState.font : kNoFont,
                                  kInitialLines);
  LayoutSectionList(gState.list, entries, false);
  RevealArticle(gState.list, gState.result);
  FocusArticle(gState.list, gState.result);
  UpdateListScrollBar();
}

void OnInit(WindowHandle dialog) {
  gState.dialog = dialog;
  gState.context = platform::GetDC(dialog);
  gState.listRect = ListRectOf(dialog);
  platform::SetScrollBarColors(dialog, CurrentPalette().scrollBar, false);
  BuildList();
  InitDialogLayout(dialog, kFullScreenLayout);
}

// A new size lays the list out again at the size the notification
// carries, keeping what was open and shown.
void OnSize(LParam second) {
  gState.listRect = ListRectOf(gState.dialog);
  SectionList* list = gState.list;
  if (!list) return;
  const ExpansionState saved = SaveExpansion(list);
  const auto size = static_cast<WParam>(second);
  ResizeSectionList(list, platform::LowWord(size), platform::HighWord(size));
  RestoreExpansion(list, saved.get());
  if (list->maxTop == 0) list->topLine = 0;
  ScrollFocusIntoView(list);
  PaintSectionList(list, true);
  UpdateListScrollBar();
}

void OnEraseBackground() {
  if (!gState.context) return;
  const ListRect& rect = gState.listRect;
  FillViewRect(*gState.context, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               CurrentPalette().page);
  platform::InvalidateRect(gState.dialog, false);
}

// The keys move the focus mark (and the list with it) rather than only
// scrolling, so that the dialog works without a stylus: Enter opens the
// marked article or opens and closes the marked group.
LResult OnKeyDown(WindowHandle dialog, WParam key) {
  SectionList* list = gState.list;
  bool moved = false;
  switch (key) {
    case platform::kVkUp:
    case platform::kVkDown:
      moved = MoveSectionFocus(list, key == platform::kVkDown ? 1 : -1);
      break;
    case platform::kVkPrior:
    case platform::kVkNext:
      moved = PageSectionFocus(list, key == platform::kVkNext ? 1 : -1);
      break;
    case platform::kVkHome:
    case platform::kVkEnd:
      moved = FocusEndOfList(list, key == platform::kVkEnd);
      break;
    case platform::kVkReturn: {
      const std::int32_t code = ActivateSectionFocus(list);
      if (code > 0) {
        gState.result = static_cast<std::uint16_t>(code);
        platform::EndDialog(dialog, platform::kIdOk);
        return 0;
      }
      moved = code < 0;
      break;
    }
    default:
      return 1;
  }
  if (moved) PaintSectionList(list, true);
  UpdateListScrollBar();
  return 0;
}

// Enter belongs to the list while it has a mark to open; Escape still
// cancels through the dialog manager.
LResult OnGetDialogCode(LParam second) {
  const auto* message = reinterpret_cast<const platform::Message*>(second);
  const bool enter = message != nullptr && message->id == platform::kWmKeyDown && message->first == platform::kVkReturn;
  return enter && FocusedEntry(gState.list) ? platform::kDlgcWantMessage : 0;
}

LResult OnCommand(WindowHandle dialog, WParam first) {
  switch (platform::LowWord(first)) {
    case platform::kIdOk:
      platform::EndDialog(dialog, platform::kIdOk);
      return 1;
    case platform::kIdCancel:
      gState.result = 0;
      platform::EndDialog(dialog, platform::kIdCancel);
      return 1;
    default:
      return 0;
  }
}

void OnStylusDown(WindowHandle dialog, LParam second) {
  const auto at = static_cast<WParam>(second);
  const std::int32_t code = HitTestSectionList(gState.list, platform::SignedLowWord(at), platform::SignedHighWord(at));
  if (code > 0) {
    gState.result = static_cast<std::uint16_t>(code);
    platform::EndDialog(dialog, platform::kIdOk);
  } else if (code < 0) {
    KeepFocusShown(gState.list);
    PaintSectionList(gState.list, true);
    UpdateListScrollBar();
  }
}

LResult OnVerticalScroll(WindowHandle dialog, WParam first, LParam second) {
  SectionList* list = gState.list;
  int delta = 0;
  if (list) {
    switch (platform::LowWord(first)) {
      case platform::kSbLineUp: delta = -1; break;
      case platform::kSbLineDown: delta = +1; break;
      case platform::kSbPageUp: delta = -list->linesDrawn; break;
      case platform::kSbPageDown: delta = list->linesDrawn; break;
      case platform::kSbThumbPosition:
      case platform::kSbThumbTrack: delta = platform::SignedHighWord(first) - list->topLine; break;
      case platform::kSbTop: delta = -list->topLine; break;
      case platform::kSbBottom: delta = +1; break;
      default: break;
    }
  }
  if (delta != 0) ScrollSectionList(list, delta, true, true);
  platform::DefWindowProc(dialog, platform::kWmVScroll, first, second);
  if (delta != 0) UpdateListScrollBar();
  return 1;
}

}  // namespace

std::uint16_t ChooseSection(platform::ModuleHandle module, WindowHandle owner, std::uint16_t currentArticle,
                            const FontDescription* font) {
  gState = ChooseSectionState{};
  gState.font = font;
  gState.result = currentArticle;
  platform::DialogBoxParam(module, kChooseSectionDialogId, owner, ChooseSectionProc, 0);
  const std::uint16_t result = gState.result;
  gState = ChooseSectionState{};
  return result;
}

const SectionList* OpenSectionList() { return gState.list; }

LResult ChooseSectionProc(WindowHandle dialog, std::uint32_t message, WParam first, LParam second) {
  switch (message) {
    case platform::kWmInitDialog:
      OnInit(dialog);
      return 0;
    case platform::kWmDestroy:
      gState.context = nullptr;
      DestroySectionList(gState.list, true);
      gState.list = nullptr;
      return 0;
    case platform::kWmSize:
      OnSize(second);
      return 0;
    case platform::kWmActivate:
      HideTaskBarOnActivation(first);
      return 0;
    case platform::kWmPaint:
      PaintSectionList(gState.list, true);
      return 0;
    case platform::kWmEraseBackground:
      OnEraseBackground();
      return 1;
    case platform::kWmKeyDown:
      return OnKeyDown(dialog, first);
    case platform::kWmGetDlgCode:
      return OnGetDialogCode(second);
    case platform::kWmCommand:
      return OnCommand(dialog, first);
    case platform::kWmLButtonDown:
      OnStylusDown(dialog, second);
      return 0;
    case platform::kWmVScroll:
      return OnVerticalScroll(dialog, first, second);
    default:
      return 0;
  }
}

}  // namespace quillory
