#pragma once
// The reader's bookmarks: a zero-terminated list of article numbers held in
// AppState from the settings load to the save sequence.

#include <cstdint>

namespace quillory {

// Whether `article` is in the bookmark list (false without a list).
bool IsBookmarked(std::uint16_t article);

}  // namespace quillory
