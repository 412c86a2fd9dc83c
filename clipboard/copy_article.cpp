#include "clipboard/copy_article.h"

#include <memory>
#include <optional>
#include <span>

#include "clipboard/clipboard_data.h"
#include "clipboard/plain_text.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/windows/message_box.h"
#include "view/text_selection.h"
#include "view/text_view.h"

namespace quillory {
namespace {

using ExportText = std::unique_ptr<char16_t, platform::HeapDeleter>;

// A font with the Unicode Hebrew block is matched by every program the
// text is pasted into, which gets rich text; the lower bases are font
// layouts of their own, whose text goes as it is.
bool RichExport() { return App().font.asciiBase > kHighestByteBase; }

// The selection's places, or nothing when nothing is selected.
std::optional<PassagePlaces> SelectedPassage(const TextView& view) {
  if (!HasSelection(view)) return std::nullopt;
  const PlaceSpan span = SelectedSpan(view);
  return PassagePlaces{span.start, span.end, (view.flags & kShowBackLinks) != 0};
}

// The plain export text of the passage, or of the whole text without one;
// null when memory ran out or the text did not fit (said in a box).
ExportText Export(const TextView& view, const std::optional<PassagePlaces>& passage) {
  const std::span<const std::uint8_t> text(view.text.data(), view.text.length());
  const std::size_t capacity = PlainTextCapacity(text);
  ExportText plain(static_cast<char16_t*>(AllocOrStop(capacity * sizeof(char16_t))));
  if (!plain) return plain;
  const std::uint32_t savedFlags = App().flags;
  // Rich text is laid out right to left by the program that shows it, so
  // it wants the logical order: the opposite of the order the view draws.
  if (RichExport()) App().flags ^= kReverseFlag;
  const std::size_t bytes = capacity * sizeof(char16_t);
  const int result = passage ? PassageToPlainText(text, *passage, plain.get(), bytes)
                             : ArticleToPlainText(text, plain.get(), bytes);
  App().flags = savedFlags;
  if (result != 0) {
    platform::ShowMessageBox(App().mainWindow, "(obuf > (start + size))", nullptr, platform::kMbOk);
    return nullptr;
  }
  return plain;
}

}  // namespace

void CopyArticleToClipboard(TextView* view, bool append) {
  if (view == nullptr || !view->text) return;
  const std::optional<PassagePlaces> passage = SelectedPassage(*view);
  const ExportText plain = Export(*view, passage);
  if (!plain) return;
  const std::u16string_view exported(plain.get());
  if (RichExport()) {
    PutRtfOnClipboard(exported, append);
  } else {
    PutTextOnClipboard(exported, append);
  }
  if (passage) PutOnPrimarySelection(exported, RichExport());
}

void OfferSelection(TextView* view) {
  if (view == nullptr || !view->text) return;
  const std::optional<PassagePlaces> passage = SelectedPassage(*view);
  if (!passage) return;
  if (const ExportText plain = Export(*view, passage)) PutOnPrimarySelection(plain.get(), RichExport());
}

}  // namespace quillory
