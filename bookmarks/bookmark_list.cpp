#include "bookmarks/bookmark_list.h"

#include <algorithm>
#include <vector>

#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/system/memory.h"
#include "platform/windows/message_box.h"

namespace quillory {
namespace {

constexpr char kValueName[] = "Bookmarks";
constexpr std::uint16_t kSkipRemoveQuestion = 0x0001;

// A new list of `numbers` with its terminator, from the plain heap; null
// when memory runs out.
std::uint16_t* MakeList(const std::vector<std::uint16_t>& numbers) {
  auto* list = static_cast<std::uint16_t*>(platform::Alloc((numbers.size() + 1) * sizeof(std::uint16_t)));
  if (list == nullptr) return nullptr;
  for (std::size_t i = 0; i < numbers.size(); ++i) list[i] = numbers[i];
  list[numbers.size()] = 0;
  return list;
}

void SetList(std::uint16_t* list, std::size_t count) {
  platform::Release(App().bookmarks);
  App().bookmarks = list;
  App().bookmarkCount = list != nullptr ? static_cast<std::uint16_t>(count) : 0;
}

}  // namespace

void LoadBookmarks() {
  App().bookmarks = nullptr;
  App().bookmarkCount = 0;
  const platform::HeapBlock stored = ReadRegBytes(kValueName);
  if (!stored) return;
  const std::vector<std::uint16_t> numbers = StoredBookmarkNumbers({stored.data(), stored.length()});
  SetList(MakeList(numbers), numbers.size());
}

std::vector<std::uint16_t> StoredBookmarkNumbers(std::span<const std::uint8_t> stored) {
  // Whole words only, up to the first 0; what a list cannot hold is left out.
  std::vector<std::uint16_t> numbers;
  for (std::size_t at = 0; at + 1 < stored.size(); at += 2) {
    const auto number = static_cast<std::uint16_t>(stored[at] | stored[at + 1] << 8);
    if (number == 0) break;
    if (!IsArticleNumber(number) || std::find(numbers.begin(), numbers.end(), number) != numbers.end()) continue;
    numbers.push_back(number);
  }
  return numbers;
}

void SaveBookmarks() {
  std::vector<std::uint8_t> bytes;
  for (const std::uint16_t* entry = App().bookmarks; entry != nullptr && *entry != 0; ++entry) {
    bytes.push_back(static_cast<std::uint8_t>(*entry));
    bytes.push_back(static_cast<std::uint8_t>(*entry >> 8));
  }
  bytes.insert(bytes.end(), {0, 0});
  WriteRegBytes(kValueName, bytes);
}

void ReleaseBookmarks() { SetList(nullptr, 0); }

bool IsBookmarked(std::uint16_t article) {
  const std::uint16_t* entry = App().bookmarks;
  if (entry == nullptr || article == 0) return false;
  for (; *entry != 0; ++entry) {
    if (*entry == article) return true;
  }
  return false;
}

void AddBookmark() {
  // An article that does not exist (a damaged "Lesson" kept as the reader's
  // choice) cannot be read from a bookmark.
  const std::uint16_t article = App().currentArticle;
  if (!IsArticleNumber(article) || IsBookmarked(article)) return;
  std::vector<std::uint16_t> numbers(App().bookmarks, App().bookmarks + (App().bookmarks ? App().bookmarkCount : 0));
  numbers.push_back(article);
  if (std::uint16_t* list = MakeList(numbers)) SetList(list, numbers.size());
}

void RemoveBookmark() {
  std::uint16_t* list = App().bookmarks;
  if (list == nullptr) return;
  std::uint16_t* kept = list;
  for (const std::uint16_t* entry = list; *entry != 0; ++entry) {
    if (*entry == App().currentArticle) {
      --App().bookmarkCount;
    } else {
      *kept++ = *entry;
    }
  }
  *kept = 0;
}

void ToggleBookmark(bool bookmarked) {
  if (!bookmarked) {
    AddBookmark();
    return;
  }
  if ((App().bookmarkOptions & kSkipRemoveQuestion) == 0) {
    platform::MessageBoxRequest question;
    question.owner = App().mainWindow;
    question.text = "Remove Bookmark?\n\nCancel - Don't ask again";
    question.hasCaption = true;
    question.caption = "Bookmark";
    question.style = platform::kMbYesNoCancel;
    // Cancel here removes and stops asking: a person backing out with
    // Escape, or closing the box, keeps the bookmark instead.
    question.backOutAnswer = platform::kIdNo;
    const int answer = platform::ShowMessageBox(question);
    // Only an answer to remove removes: a box that could not be shown keeps it.
    if (answer != platform::kIdYes && answer != platform::kIdCancel) return;
    if (answer == platform::kIdCancel) App().bookmarkOptions |= kSkipRemoveQuestion;
  }
  RemoveBookmark();
}

}  // namespace quillory
