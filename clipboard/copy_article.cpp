#include "clipboard/copy_article.h"

#include <memory>
#include <span>

#include "clipboard/clipboard_data.h"
#include "clipboard/plain_text.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/windows/message_box.h"
#include "view/text_view.h"

namespace quillory {

void CopyArticleToClipboard(TextView* view, bool append) {
  if (view == nullptr || !view->text) return;
  const std::span<const std::uint8_t> text(view->text.data(), view->text.length());
  const std::size_t capacity = PlainTextCapacity(text);
  std::unique_ptr<char16_t, platform::HeapDeleter> plain(
      static_cast<char16_t*>(AllocOrStop(capacity * sizeof(char16_t))));
  if (!plain) return;

  // A font with the Unicode Hebrew block is matched by every program the
  // text is pasted into, which gets rich text; the lower bases are font
  // layouts of their own, whose text goes as it is.
  const bool unicode = App().font.asciiBase > kHighestByteBase;
  const std::uint32_t savedFlags = App().flags;
  // Rich text is laid out right to left by the program that shows it, so
  // it wants the logical order: the opposite of the order the view draws.
  if (unicode) App().flags ^= kReverseFlag;
  const int result = ArticleToPlainText(text, plain.get(), capacity * sizeof(char16_t));
  App().flags = savedFlags;
  if (result != 0) {
    platform::ShowMessageBox(App().mainWindow, "(obuf > (start + size))", nullptr, platform::kMbOk);
    return;
  }
  const std::u16string_view exported(plain.get());
  if (unicode) {
    PutRtfOnClipboard(exported, append);
  } else {
    PutTextOnClipboard(exported, append);
  }
}

}  // namespace quillory
