#include "platform/controls/edit_text.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace platform {

void EditText::SetText(std::u16string_view text) {
  text_ = text;
  anchor_ = caret_ = 0;
  EmptyUndo();
}

void EditText::Select(std::ptrdiff_t start, std::ptrdiff_t end) {
  typingRun_ = false;
  if (start < 0) {
    anchor_ = caret_;
    return;
  }
  const std::size_t length = text_.size();
  anchor_ = std::min(static_cast<std::size_t>(start), length);
  caret_ = end < 0 ? length : std::min(static_cast<std::size_t>(end), length);
}

void EditText::MoveCaret(std::size_t to, bool extend) {
  typingRun_ = false;
  caret_ = std::min(to, text_.size());
  if (!extend) anchor_ = caret_;
}

void EditText::RememberForUndo(bool typing) {
  if (!(typing && typingRun_)) {
    undoText_ = text_;
    undoAnchor_ = anchor_;
    undoCaret_ = caret_;
    canUndo_ = true;
  }
  typingRun_ = typing;
}

EditText::Replaced EditText::ReplaceSelection(std::u16string_view insert, bool undoable, bool typing) {
  const std::size_t start = selectionStart();
  const std::size_t removed = selectionEnd() - start;
  const std::size_t kept = text_.size() - removed;
  const std::size_t room = limit_ > kept ? limit_ - kept : 0;
  const std::u16string_view fitting = insert.substr(0, std::min(insert.size(), room));
  const bool fitted = fitting.size() == insert.size();
  if (removed == 0 && fitting.empty()) return Replaced{false, fitted};
  if (undoable) {
    RememberForUndo(typing);
  } else {
    EmptyUndo();
  }
  text_.replace(start, removed, fitting);
  anchor_ = caret_ = start + fitting.size();
  return Replaced{true, fitted};
}

bool EditText::DeleteBackward() {
  if (!hasSelection()) {
    if (caret_ == 0) return false;
    anchor_ = caret_ - 1;
  }
  ReplaceSelection(u"", true);
  return true;
}

bool EditText::DeleteForward() {
  if (!hasSelection()) {
    if (caret_ >= text_.size()) return false;
    anchor_ = caret_ + 1;
  }
  ReplaceSelection(u"", true);
  return true;
}

bool EditText::Undo() {
  if (!canUndo_) return false;
  std::swap(text_, undoText_);
  std::swap(anchor_, undoAnchor_);
  std::swap(caret_, undoCaret_);
  typingRun_ = false;
  return true;
}

void EditText::EmptyUndo() {
  canUndo_ = false;
  undoText_.clear();
  typingRun_ = false;
}

void EditText::SetLimit(std::size_t limit) {
  limit_ = limit == 0 ? std::numeric_limits<std::size_t>::max() : limit;
}

}  // namespace platform
