#pragma once
// The text of an edit box with its selection, limit and one step of undo,
// apart from any drawing. Positions are character indices, from 0 to the
// text's length; the selection runs from the anchor to the caret, in either
// order. Nothing outside platform/ includes this.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace platform {

class EditText {
 public:
  const std::u16string& text() const { return text_; }
  std::size_t caret() const { return caret_; }
  std::size_t selectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
  std::size_t selectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
  bool hasSelection() const { return caret_ != anchor_; }

  // A new text: nothing selected, the caret at the start, nothing to undo.
  void SetText(std::u16string_view text);
  // The handheld's selection request: a negative start drops the selection
  // (the caret stays); a negative end means the end of the text; others are
  // kept inside the text. The caret goes to `end`.
  void Select(std::ptrdiff_t start, std::ptrdiff_t end);
  // The caret to `to` (kept inside the text), the anchor with it unless
  // the selection is extended.
  void MoveCaret(std::size_t to, bool extend);

  // Replaces the selection with as much of `insert` as the limit leaves room
  // for; the caret ends after what was inserted. Consecutive typing undoes
  // as one step.
  struct Replaced {
    bool changed;  // the text is not what it was
    bool fitted;   // all of `insert` went in
  };
  Replaced ReplaceSelection(std::u16string_view insert, bool undoable, bool typing = false);
  // Deletes the selection, or else the character before (or after) the caret.
  bool DeleteBackward();
  bool DeleteForward();

  // Swaps the text and selection with those before the last undoable
  // change, so that undoing again redoes it.
  bool Undo();
  bool canUndo() const { return canUndo_; }
  void EmptyUndo();

  // The most characters input may make (existing text is kept); 0 for as
  // many as can be.
  void SetLimit(std::size_t limit);
  std::size_t limit() const { return limit_; }

 private:
  void RememberForUndo(bool typing);

  std::u16string text_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::size_t limit_ = std::numeric_limits<std::size_t>::max();
  bool canUndo_ = false;
  std::u16string undoText_;
  std::size_t undoAnchor_ = 0;
  std::size_t undoCaret_ = 0;
  bool typingRun_ = false;  // the last change was typing at the caret
};

}  // namespace platform
