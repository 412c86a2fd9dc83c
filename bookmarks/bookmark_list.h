#pragma once
// The reader's bookmarks: whole articles, kept as a zero-terminated list of
// article numbers in AppState in the order they were added, read from
// "Bookmarks" when the settings are loaded and written back at exit.
//
// "Bookmarks" holds the numbers as 16-bit little-endian words followed by
// a 16-bit 0, so (count + 1) * 2 bytes; an empty list is two zero bytes.

#include <cstdint>
#include <span>
#include <vector>

namespace quillory {

// Forgets any list and reads "Bookmarks". A damaged value (an odd length,
// no terminating 0, a 0, a number above 44 or one repeated) is read as its
// valid, distinct numbers up to its first 0; a sound value as it stands.
void LoadBookmarks();
// The numbers LoadBookmarks takes from the stored bytes.
std::vector<std::uint16_t> StoredBookmarkNumbers(std::span<const std::uint8_t> stored);
// Writes "Bookmarks" from the list (two zero bytes without one).
void SaveBookmarks();
// Releases the list and forgets it.
void ReleaseBookmarks();

// Whether `article` is in the list (false without a list).
bool IsBookmarked(std::uint16_t article);

// Appends the current article unless it is there; nothing when memory runs out.
void AddBookmark();
// Takes the current article out of the list.
void RemoveBookmark();

// The Bookmark command, given whether the current article is bookmarked:
// adds it, or removes it after asking (owned by the main window) unless the
// reader chose not to be asked again. Yes removes, No keeps, and Cancel
// removes and stops the question for the rest of the run.
void ToggleBookmark(bool bookmarked);

}  // namespace quillory
