// List boxes: one selected entry at most, a vertical scroll bar when made
// with kWsVScroll, entries in the order added or, with kLbsSort, in order
// with letter case ignored. Searches by prefix go round from the entry after
// the one given and ignore letter case.

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/controls.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

constexpr std::int32_t kTextIndent = 2;
constexpr Color kSelectionFace = Rgb(0, 0, 128);
// Two taps on one entry within this time are a double tap.
constexpr std::chrono::milliseconds kDoubleTapTime{500};

struct ListBoxState : ControlState {
  std::vector<std::u16string> entries;
  LResult selected = kLbErr;
  LResult top = 0;
  LResult lastTapped = kLbErr;
  std::chrono::steady_clock::time_point lastTap;
};

// Letters compare without regard to case: the Latin letters of ASCII and
// of Latin-1.
char16_t FoldCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return static_cast<char16_t>(c + 0x20);
  return c;
}

int CompareFolded(std::u16string_view a, std::u16string_view b) {
  const std::size_t length = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < length; ++i) {
    const char16_t x = FoldCase(a[i]);
    const char16_t y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithFolded(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && CompareFolded(text.substr(0, prefix.size()), prefix) == 0;
}

// A search condition: the entry begins with `prefix`.
auto BeginsWith(std::u16string_view prefix) {
  return [prefix](const std::u16string& entry) { return StartsWithFolded(entry, prefix); };
}

LResult Count(const ListBoxState& state) { return static_cast<LResult>(state.entries.size()); }
bool Valid(const ListBoxState& state, LResult index) { return index >= 0 && index < Count(state); }

std::u16string_view TextOf(LParam second) {
  const auto* text = reinterpret_cast<const char16_t*>(second);
  return text ? std::u16string_view(text) : std::u16string_view();
}

// The first entry after `after` (-1: from the start) that `matches`, going
// round to the start; kLbErr when none does.
template <typename Matches>
LResult Search(const ListBoxState& state, LResult after, Matches matches) {
  const LResult count = Count(state);
  const LResult start = Valid(state, after) ? after + 1 : 0;
  for (LResult i = 0; i < count; ++i) {
    const LResult index = (start + i) % count;
    if (matches(state.entries[static_cast<std::size_t>(index)])) return index;
  }
  return kLbErr;
}

struct Geometry {
  Rect inner;
  std::int32_t itemHeight;
  LResult visible;
};

Geometry Measure(WindowHandle list, const ListBoxState& state) {
  Rect inner = GetClientRect(list);
  if (GetWindowStyle(list) & kWsBorder) inner = Rect{inner.left + 1, inner.top + 1, inner.right - 1, inner.bottom - 1};
  Font* font = FontOrSystem(state.font);
  const std::int32_t itemHeight = std::max(1, font ? font->metrics().height : 1);
  return Geometry{inner, itemHeight, std::max<LResult>(1, inner.height() / itemHeight)};
}

LResult LastTop(WindowHandle list, const ListBoxState& state) {
  return std::max<LResult>(0, Count(state) - Measure(list, state).visible);
}

void Refresh(WindowHandle list, ListBoxState& state) {
  state.top = std::clamp<LResult>(state.top, 0, LastTop(list, state));
  if (GetWindowStyle(list) & kWsVScroll) {
    SetScrollRange(list, kSbVert, 0, static_cast<std::int32_t>(LastTop(list, state)), false);
    SetScrollPos(list, kSbVert, static_cast<std::int32_t>(state.top), true);
  }
  InvalidateRect(list, true);
}

void ScrollIntoView(WindowHandle list, ListBoxState& state, LResult index) {
  if (!Valid(state, index)) return;
  const LResult visible = Measure(list, state).visible;
  if (index < state.top) state.top = index;
  if (index >= state.top + visible) state.top = index - visible + 1;
}

LResult Select(WindowHandle list, ListBoxState& state, LResult index) {
  state.selected = Valid(state, index) ? index : kLbErr;
  ScrollIntoView(list, state, state.selected);
  Refresh(list, state);
  return state.selected;
}

void Notify(WindowHandle list, std::uint16_t code) {
  if (GetWindowStyle(list) & kLbsNotify) NotifyParent(list, code);
}

// A choice by the user: selected, and the parent told when it asks to be.
void Choose(WindowHandle list, ListBoxState& state, LResult index) {
  if (!Valid(state, index)) return;
  Select(list, state, index);
  Notify(list, kLbnSelChange);
}

LResult Insert(WindowHandle list, ListBoxState& state, LResult at, std::u16string_view text, bool sorted) {
  if (sorted) {
    const auto place = std::upper_bound(state.entries.begin(), state.entries.end(), text,
                                        [](std::u16string_view a, const std::u16string& b) {
                                          return CompareFolded(a, b) < 0;
                                        });
    at = place - state.entries.begin();
  } else if (at < 0 || at > Count(state)) {
    if (at >= 0) return kLbErr;
    at = Count(state);
  }
  state.entries.insert(state.entries.begin() + at, std::u16string(text));
  if (state.selected >= at) ++state.selected;
  Refresh(list, state);
  return at;
}

void Paint(WindowHandle list, const ListBoxState& state) {
  const PaintInfo paint = BeginPaint(list);
  DeviceContext& context = *paint.context;
  const Geometry g = Measure(list, state);
  const FontSelection font(context, FontOrSystem(state.font));
  const BackgroundMode oldMode = context.SetBkMode(BackgroundMode::kTransparent);
  const Color oldText = context.textColor();
  for (LResult i = state.top; i < Count(state) && i < state.top + g.visible + 1; ++i) {
    const std::int32_t y = g.inner.top + static_cast<std::int32_t>(i - state.top) * g.itemHeight;
    const Rect row{g.inner.left, y, g.inner.right, std::min(y + g.itemHeight, g.inner.bottom)};
    if (row.empty()) break;
    const bool selected = i == state.selected;
    if (selected) context.FillRect(row, SolidBrush(kSelectionFace));
    context.SetTextColor(selected ? kWhite : kBlack);
    context.DrawText(state.entries[static_cast<std::size_t>(i)], Rect{row.left + kTextIndent, row.top, row.right, row.bottom},
                     kDtSingleLine | kDtNoPrefix);
  }
  context.SetTextColor(oldText);
  context.SetBkMode(oldMode);
  if (GetWindowStyle(list) & kWsBorder) {
    const Brush* oldBrush = context.SelectBrush(GetStockBrush(StockBrush::kHollowBrush));
    context.Rectangle(GetClientRect(list));
    context.SelectBrush(oldBrush);
  }
  EndPaint(list);
}

void Tap(WindowHandle list, ListBoxState& state, Point at) {
  SetFocus(list);
  const Geometry g = Measure(list, state);
  if (at.y < g.inner.top) return;
  const LResult index = state.top + (at.y - g.inner.top) / g.itemHeight;
  if (!Valid(state, index)) return;
  const auto now = std::chrono::steady_clock::now();
  const bool doubleTap = index == state.lastTapped && now - state.lastTap <= kDoubleTapTime;
  state.lastTapped = doubleTap ? kLbErr : index;
  state.lastTap = now;
  if (doubleTap) {
    Notify(list, kLbnDblClk);
  } else {
    Choose(list, state, index);
  }
}

void KeyDown(WindowHandle list, ListBoxState& state, std::uint16_t key) {
  if (state.entries.empty()) return;
  const LResult visible = Measure(list, state).visible;
  const LResult current = state.selected;
  LResult next = current;
  switch (key) {
    case kVkUp: next = current <= 0 ? 0 : current - 1; break;
    case kVkDown: next = current + 1; break;
    case kVkPrior: next = current - visible + 1; break;
    case kVkNext: next = current + visible - 1; break;
    case kVkHome: next = 0; break;
    case kVkEnd: next = Count(state) - 1; break;
    default: return;
  }
  next = std::clamp<LResult>(next, 0, Count(state) - 1);
  if (next != current) Choose(list, state, next);
}

void VerticalScroll(WindowHandle list, ListBoxState& state, WParam first) {
  const auto top = ScrolledTop(first, state.top, Measure(list, state).visible, LastTop(list, state));
  if (!top) return;
  state.top = *top;
  Refresh(list, state);
}

LResult ListMessage(WindowHandle list, ListBoxState& state, std::uint32_t message, WParam first, LParam second) {
  const auto index = static_cast<LResult>(first);
  switch (message) {
    case kLbAddString:
      return Insert(list, state, -1, TextOf(second), GetWindowStyle(list) & kLbsSort);
    case kLbInsertString:
      return Insert(list, state, index, TextOf(second), false);
    case kLbDeleteString:
      if (!Valid(state, index)) return kLbErr;
      state.entries.erase(state.entries.begin() + index);
      if (state.selected == index) state.selected = kLbErr;
      if (state.selected > index) --state.selected;
      Refresh(list, state);
      return Count(state);
    case kLbResetContent:
      state.entries.clear();
      state.selected = kLbErr;
      state.top = 0;
      Refresh(list, state);
      return 0;
    case kLbSetCurSel:
      return Select(list, state, index) == kLbErr ? kLbErr : index;
    case kLbGetCurSel:
      return state.selected;
    case kLbGetText: {
      if (!Valid(state, index)) return kLbErr;
      const std::u16string& entry = state.entries[static_cast<std::size_t>(index)];
      return static_cast<LResult>(CopyText(entry, entry.size() + 1, reinterpret_cast<char16_t*>(second)));
    }
    case kLbGetTextLen:
      return Valid(state, index) ? static_cast<LResult>(state.entries[static_cast<std::size_t>(index)].size()) : kLbErr;
    case kLbGetCount:
      return Count(state);
    case kLbSelectString: {
      const LResult found = Search(state, index, BeginsWith(TextOf(second)));
      return found == kLbErr ? kLbErr : Select(list, state, found);
    }
    case kLbFindString:
      return Search(state, index, BeginsWith(TextOf(second)));
    case kLbFindStringExact:
      return Search(state, index, [whole = TextOf(second)](const std::u16string& entry) {
        return CompareFolded(entry, whole) == 0;
      });
    case kLbGetTopIndex:
      return state.top;
    case kLbSetTopIndex:
      if (!Valid(state, index)) return kLbErr;
      state.top = index;
      Refresh(list, state);
      return 0;
    default:
      return DefWindowProc(list, message, first, second);
  }
}

}  // namespace

LResult ListBoxProcedure(WindowHandle list, std::uint32_t message, WParam first, LParam second) {
  LResult result = 0;
  if (HandleCommonMessage<ListBoxState>(list, message, first, second, result)) {
    // Another font makes rows of another height.
    if (message == kWmSetFont) Refresh(list, *static_cast<ListBoxState*>(GetWindowData(list)));
    return result;
  }
  auto* state = static_cast<ListBoxState*>(GetWindowData(list));
  if (!state) return DefWindowProc(list, message, first, second);
  switch (message) {
    case kWmPaint:
      Paint(list, *state);
      return 0;
    case kWmSize:
      Refresh(list, *state);
      return 0;
    case kWmLButtonDown:
      Tap(list, *state, StylusPoint(second));
      return 0;
    case kWmKeyDown:
      KeyDown(list, *state, static_cast<std::uint16_t>(first));
      return 0;
    case kWmChar: {
      // A letter chooses the next entry that begins with it.
      const std::u16string letter(1, static_cast<char16_t>(first));
      const LResult found = Search(*state, state->selected, BeginsWith(letter));
      if (found != kLbErr && found != state->selected) Choose(list, *state, found);
      return 0;
    }
    case kWmVScroll:
      VerticalScroll(list, *state, first);
      return 0;
    default:
      return ListMessage(list, *state, message, first, second);
  }
}

std::u16string ListBoxText(WindowHandle list, LResult index) {
  const LResult length = SendMessage(list, kLbGetTextLen, static_cast<WParam>(index), 0);
  if (length < 0) return std::u16string();
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessage(list, kLbGetText, static_cast<WParam>(index), reinterpret_cast<LParam>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace platform
