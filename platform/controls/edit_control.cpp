// Edit boxes. The text is the window's text (so GetWindowText reads it); the
// box keeps its selection, limit and undo beside it
// (platform/controls/edit_text.h). A single-line box scrolls sideways to keep
// the caret in view, a multi-line box wraps its lines
// (platform/controls/edit_layout.h) and scrolls down.

#include <algorithm>
#include <vector>

#include "platform/controls/control_support.h"
#include "platform/controls/controls.h"
#include "platform/controls/edit_layout.h"
#include "platform/controls/edit_text.h"
#include "platform/windows/input.h"
#include "platform/windows/window_system.h"

namespace platform {
namespace {

constexpr std::int32_t kMarginX = 2;
constexpr std::int32_t kMarginY = 1;
constexpr Color kSelectionFace = Rgb(0, 0, 128);

struct EditState : ControlState {
  EditState() { text.SetLimit(kDefaultEditLimit); }
  EditText text;
  bool focused = false;
  bool selecting = false;      // the stylus is held down in the box
  std::int32_t scrollX = 0;    // single-line: pixels scrolled past the text's start
  std::size_t firstLine = 0;   // multi-line: the line at the top
};

struct Geometry {
  Font* font;
  Rect inner;  // where text goes, in client coordinates
  std::vector<EditLine> lines;
  std::int32_t lineHeight;
  bool multiLine;
  std::uint32_t align;
};

Geometry Measure(WindowHandle edit, EditState& state) {
  const std::uint32_t style = GetWindowStyle(edit);
  Font* font = FontOrSystem(state.font);
  Rect inner = GetClientRect(edit);
  const std::int32_t border = (style & kWsBorder) ? 1 : 0;
  inner = Rect{inner.left + border + kMarginX, inner.top + border + kMarginY, inner.right - border - kMarginX,
               inner.bottom - border - kMarginY};
  const bool multiLine = style & kEsMultiLine;
  std::vector<EditLine> lines;
  if (font) lines = BreakEditLines(state.text.text(), *font, std::max(1, inner.width()), multiLine);
  if (lines.empty()) lines.push_back(EditLine{0, state.text.text().size()});
  return Geometry{font, inner, std::move(lines), font ? font->metrics().height : 1, multiLine, style & 0x3};
}

std::u16string_view LineText(const EditState& state, const EditLine& line) {
  return std::u16string_view(state.text.text()).substr(line.start, line.end - line.start);
}

std::size_t VisibleLines(const Geometry& g) { return static_cast<std::size_t>(std::max(1, g.inner.height() / g.lineHeight)); }

// Where a line's first character is drawn.
std::int32_t LineLeft(const Geometry& g, const EditState& state, const EditLine& line) {
  const std::int32_t width = g.font ? TextWidth(*g.font, LineText(state, line)) : 0;
  // A single line wider than the box (with room for the caret at its end)
  // scrolls; anything narrower stands where its alignment puts it.
  if (!g.multiLine && width >= g.inner.width()) return g.inner.left - state.scrollX;
  switch (g.align) {
    case kEsRight: return g.inner.right - width;
    case kEsCenter: return g.inner.left + (g.inner.width() - width) / 2;
    default: return g.inner.left;
  }
}

std::int32_t CaretX(const Geometry& g, const EditState& state, const EditLine& line) {
  const std::size_t caret = std::clamp(state.text.caret(), line.start, line.end);
  const std::u16string_view before = std::u16string_view(state.text.text()).substr(line.start, caret - line.start);
  return LineLeft(g, state, line) + (g.font ? TextWidth(*g.font, before) : 0);
}

void UpdateScrollBar(WindowHandle edit, const EditState& state, const Geometry& g) {
  if (!(GetWindowStyle(edit) & kWsVScroll)) return;
  const std::size_t visible = VisibleLines(g);
  const std::size_t last = g.lines.size() > visible ? g.lines.size() - visible : 0;
  SetScrollRange(edit, kSbVert, 0, static_cast<std::int32_t>(last), false);
  SetScrollPos(edit, kSbVert, static_cast<std::int32_t>(state.firstLine), true);
}

void ScrollToCaret(WindowHandle edit, EditState& state) {
  const Geometry g = Measure(edit, state);
  const std::size_t line = LineOfIndex(g.lines, state.text.caret());
  if (g.multiLine) {
    const std::size_t visible = VisibleLines(g);
    if (line < state.firstLine) state.firstLine = line;
    if (line >= state.firstLine + visible) state.firstLine = line - visible + 1;
    state.firstLine = std::min(state.firstLine, g.lines.size() > visible ? g.lines.size() - visible : 0);
  } else {
    const std::int32_t width = g.font ? TextWidth(*g.font, LineText(state, g.lines[0])) : 0;
    const std::int32_t x = CaretX(g, state, g.lines[0]);
    if (x < g.inner.left) state.scrollX -= g.inner.left - x;
    if (x > g.inner.right - 1) state.scrollX += x - (g.inner.right - 1);
    state.scrollX = std::clamp(state.scrollX, 0, std::max(0, width - g.inner.width() + 1));
  }
  UpdateScrollBar(edit, state, g);
  InvalidateRect(edit, true);
}

// The window's text is the box's: a text set around the box (SetWindowText)
// is taken over as if set through it.
void FollowWindowText(WindowHandle edit, EditState& state) {
  const std::u16string& title = Live(edit)->title;
  if (title == state.text.text()) return;
  state.text.SetText(title);
  state.scrollX = 0;
  state.firstLine = 0;
}

void StoreText(WindowHandle edit, const EditState& state) { Live(edit)->title = state.text.text(); }

// After a change the user or a message made: the text stored, the caret in
// view, the parent told.
void Changed(WindowHandle edit, EditState& state, EditText::Replaced replaced = {true, true}) {
  StoreText(edit, state);
  ScrollToCaret(edit, state);
  if (!replaced.fitted) NotifyParent(edit, kEnMaxText);
  if (replaced.changed) NotifyParent(edit, kEnChange);
}

void PaintLine(DeviceContext& context, const Geometry& g, const EditState& state, const EditLine& line,
               std::int32_t y, bool showSelection) {
  const std::int32_t left = LineLeft(g, state, line);
  const std::u16string_view text = LineText(state, line);
  context.SetTextColor(kBlack);
  context.DrawText(text, Rect{left, y, left + TextWidth(*g.font, text), y + g.lineHeight},
                   kDtSingleLine | kDtNoPrefix | kDtNoClip);
  const std::size_t from = std::max(line.start, state.text.selectionStart());
  const std::size_t to = std::min(line.end, state.text.selectionEnd());
  if (!showSelection || from >= to) return;
  const std::int32_t x = left + TextWidth(*g.font, text.substr(0, from - line.start));
  const std::u16string_view selected = text.substr(from - line.start, to - from);
  const Rect box{x, y, x + TextWidth(*g.font, selected), y + g.lineHeight};
  context.FillRect(box, SolidBrush(kSelectionFace));
  context.SetTextColor(kWhite);
  context.DrawText(selected, box, kDtSingleLine | kDtNoPrefix | kDtNoClip);
}

void Paint(WindowHandle edit, EditState& state) {
  const PaintInfo paint = BeginPaint(edit);
  DeviceContext& context = *paint.context;
  const Geometry g = Measure(edit, state);
  if (g.font) {
    const FontSelection font(context, g.font);
    const BackgroundMode oldMode = context.SetBkMode(BackgroundMode::kTransparent);
    const Color oldText = context.textColor();
    const bool showSelection = state.focused || (GetWindowStyle(edit) & kEsNoHideSel);
    const std::size_t first = g.multiLine ? state.firstLine : 0;
    for (std::size_t i = first; i < g.lines.size() && i < first + VisibleLines(g); ++i) {
      PaintLine(context, g, state, g.lines[i], g.inner.top + static_cast<std::int32_t>(i - first) * g.lineHeight,
                showSelection);
    }
    const std::size_t caretLine = LineOfIndex(g.lines, state.text.caret());
    if (state.focused && caretLine >= first && caretLine < first + VisibleLines(g)) {
      const std::int32_t x = std::clamp(CaretX(g, state, g.lines[caretLine]), g.inner.left, g.inner.right - 1);
      const std::int32_t y = g.inner.top + static_cast<std::int32_t>(caretLine - first) * g.lineHeight;
      context.FillRect(Rect{x, y, x + 1, y + g.lineHeight}, SolidBrush(kBlack));
    }
    context.SetTextColor(oldText);
    context.SetBkMode(oldMode);
  }
  // The border last, over any text scrolled beyond the margins.
  const Rect area = GetClientRect(edit);
  if (GetWindowStyle(edit) & kWsBorder) {
    const Brush* oldBrush = context.SelectBrush(GetStockBrush(StockBrush::kHollowBrush));
    context.Rectangle(area);
    context.SelectBrush(oldBrush);
  }
  EndPaint(edit);
}

std::size_t IndexAt(WindowHandle edit, EditState& state, Point at) {
  const Geometry g = Measure(edit, state);
  if (!g.font) return 0;
  std::size_t line = 0;
  if (g.multiLine) {
    const std::int32_t row = std::max(0, (at.y - g.inner.top) / g.lineHeight);
    line = std::min(state.firstLine + static_cast<std::size_t>(row), g.lines.size() - 1);
  }
  const EditLine& chosen = g.lines[line];
  return chosen.start + NearestBoundary(*g.font, LineText(state, chosen), at.x - LineLeft(g, state, chosen));
}

// The caret one line up or down, at about the same place across.
std::size_t IndexOnNextLine(WindowHandle edit, EditState& state, int direction) {
  const Geometry g = Measure(edit, state);
  const std::size_t line = LineOfIndex(g.lines, state.text.caret());
  if ((direction < 0 && line == 0) || (direction > 0 && line + 1 >= g.lines.size()) || !g.font) {
    return state.text.caret();
  }
  const EditLine& next = g.lines[direction < 0 ? line - 1 : line + 1];
  const std::int32_t x = CaretX(g, state, g.lines[line]);
  return next.start + NearestBoundary(*g.font, LineText(state, next), x - LineLeft(g, state, next));
}

// One step left or right, over a line break as one step.
std::size_t StepFrom(const std::u16string& text, std::size_t at, int direction) {
  if (direction < 0) {
    if (at == 0) return 0;
    return at >= 2 && text[at - 1] == u'\n' && text[at - 2] == u'\r' ? at - 2 : at - 1;
  }
  if (at >= text.size()) return text.size();
  return at + 1 < text.size() && text[at] == u'\r' && text[at + 1] == u'\n' ? at + 2 : at + 1;
}

void KeyDown(WindowHandle edit, EditState& state, std::uint16_t key) {
  const bool extend = GetKeyState(kVkShift);
  const bool control = GetKeyState(kVkControl);
  EditText& text = state.text;
  const Geometry g = Measure(edit, state);
  const EditLine& line = g.lines[LineOfIndex(g.lines, text.caret())];
  switch (key) {
    case kVkLeft:
    case kVkRight: {
      const int direction = key == kVkLeft ? -1 : 1;
      if (text.hasSelection() && !extend) {
        text.MoveCaret(direction < 0 ? text.selectionStart() : text.selectionEnd(), false);
      } else {
        text.MoveCaret(StepFrom(text.text(), text.caret(), direction), extend);
      }
      break;
    }
    case kVkHome: text.MoveCaret(control ? 0 : line.start, extend); break;
    case kVkEnd: text.MoveCaret(control ? text.text().size() : line.end, extend); break;
    case kVkUp: text.MoveCaret(IndexOnNextLine(edit, state, -1), extend); break;
    case kVkDown: text.MoveCaret(IndexOnNextLine(edit, state, 1), extend); break;
    case kVkDelete:
      if (text.DeleteForward()) Changed(edit, state);
      return;
    case 'A':
      if (!control) return;
      text.Select(0, -1);
      break;
    case 'Z':
      if (!control || !text.Undo()) return;
      Changed(edit, state);
      return;
    default:
      return;
  }
  ScrollToCaret(edit, state);
}

void Character(WindowHandle edit, EditState& state, char16_t c) {
  const std::uint32_t style = GetWindowStyle(edit);
  if (c == 0x08) {
    if (state.text.DeleteBackward()) Changed(edit, state);
    return;
  }
  if (c == u'\r' && (style & kEsMultiLine) && (style & kEsWantReturn)) {
    Changed(edit, state, state.text.ReplaceSelection(u"\r\n", true));
    return;
  }
  if (c < 0x20 || c == 0x7F || GetKeyState(kVkControl)) return;
  Changed(edit, state, state.text.ReplaceSelection(std::u16string_view(&c, 1), true, true));
}

void VerticalScroll(WindowHandle edit, EditState& state, WParam first) {
  const Geometry g = Measure(edit, state);
  if (!g.multiLine) return;
  const std::size_t visible = VisibleLines(g);
  const std::size_t last = g.lines.size() > visible ? g.lines.size() - visible : 0;
  const auto top = ScrolledTop(first, static_cast<std::ptrdiff_t>(state.firstLine), static_cast<std::ptrdiff_t>(visible),
                               static_cast<std::ptrdiff_t>(last));
  if (!top) return;
  state.firstLine = static_cast<std::size_t>(*top);
  UpdateScrollBar(edit, state, g);
  InvalidateRect(edit, true);
}

LResult GetSelection(const EditState& state, WParam first, LParam second) {
  const auto start = static_cast<std::uint32_t>(state.text.selectionStart());
  const auto end = static_cast<std::uint32_t>(state.text.selectionEnd());
  if (auto* out = reinterpret_cast<std::uint32_t*>(first)) *out = start;
  if (auto* out = reinterpret_cast<std::uint32_t*>(second)) *out = end;
  return static_cast<LResult>(MakeLong(static_cast<std::uint16_t>(start), static_cast<std::uint16_t>(end)));
}

LResult StylusMessage(WindowHandle edit, EditState& state, std::uint32_t message, LParam second) {
  const Point at = StylusPoint(second);
  if (message == kWmLButtonDown) {
    if (GetFocus() != edit) SetFocus(edit);
    state.text.MoveCaret(IndexAt(edit, state, at), GetKeyState(kVkShift));
    state.selecting = true;
    SetCapture(edit);
  } else if (message == kWmMouseMove && state.selecting) {
    state.text.MoveCaret(IndexAt(edit, state, at), true);
  } else if (message == kWmLButtonUp && state.selecting) {
    state.selecting = false;
    ReleaseCapture();
  } else {
    return 0;
  }
  ScrollToCaret(edit, state);
  return 0;
}

LResult HandleEditMessage(WindowHandle edit, EditState& state, std::uint32_t message, WParam first, LParam second) {
  EditText& text = state.text;
  switch (message) {
    case kEmGetSel:
      return GetSelection(state, first, second);
    case kEmSetSel:
      text.Select(static_cast<std::ptrdiff_t>(static_cast<LParam>(first)), static_cast<std::ptrdiff_t>(second));
      ScrollToCaret(edit, state);
      return 0;
    case kEmReplaceSel: {
      const auto* insert = reinterpret_cast<const char16_t*>(second);
      Changed(edit, state, text.ReplaceSelection(insert ? std::u16string_view(insert) : u"", first != 0));
      return 0;
    }
    case kEmLimitText:
      text.SetLimit(static_cast<std::size_t>(first));
      return 0;
    case kEmGetLimitText:
      return static_cast<LResult>(std::min<std::size_t>(text.limit(), 0x7FFFFFFF));
    case kEmCanUndo:
      return text.canUndo() ? 1 : 0;
    case kEmUndo:
      if (!text.Undo()) return 0;
      Changed(edit, state);
      return 1;
    case kEmEmptyUndoBuffer:
      text.EmptyUndo();
      return 0;
    case kEmScrollCaret:
      ScrollToCaret(edit, state);
      return 1;
    case kEmGetLineCount:
      return static_cast<LResult>(Measure(edit, state).lines.size());
    case kEmGetFirstVisibleLine:
      return static_cast<LResult>(state.firstLine);
    default:
      return DefWindowProc(edit, message, first, second);
  }
}

}  // namespace

LResult EditProcedure(WindowHandle edit, std::uint32_t message, WParam first, LParam second) {
  LResult result = 0;
  if (HandleCommonMessage<EditState>(edit, message, first, second, result)) {
    // Another font moves the text: the caret is brought back into view.
    if (message == kWmSetFont && LowWord(static_cast<std::uintptr_t>(second))) {
      ScrollToCaret(edit, *static_cast<EditState*>(GetWindowData(edit)));
    }
    return result;
  }
  auto* state = static_cast<EditState*>(GetWindowData(edit));
  if (!state) return DefWindowProc(edit, message, first, second);
  FollowWindowText(edit, *state);
  switch (message) {
    case kWmPaint:
      Paint(edit, *state);
      return 0;
    case kWmSetText: {
      const auto* text = reinterpret_cast<const char16_t*>(second);
      state->text.SetText(text ? std::u16string_view(text) : u"");
      state->scrollX = 0;
      state->firstLine = 0;
      StoreText(edit, *state);
      ScrollToCaret(edit, *state);
      return 1;
    }
    case kWmSize:
      ScrollToCaret(edit, *state);
      return 0;
    case kWmSetFocus:
    case kWmKillFocus:
      state->focused = message == kWmSetFocus;
      InvalidateRect(edit, true);
      return 0;
    case kWmKeyDown:
      KeyDown(edit, *state, static_cast<std::uint16_t>(first));
      return 0;
    case kWmChar:
      Character(edit, *state, static_cast<char16_t>(first));
      return 0;
    case kWmLButtonDown:
    case kWmMouseMove:
    case kWmLButtonUp:
      return StylusMessage(edit, *state, message, second);
    case kWmVScroll:
      VerticalScroll(edit, *state, first);
      return 0;
    default:
      return HandleEditMessage(edit, *state, message, first, second);
  }
}

}  // namespace platform
