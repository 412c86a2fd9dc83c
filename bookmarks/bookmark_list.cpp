#include "bookmarks/bookmark_list.h"

#include "core/app_state.h"

namespace quillory {

bool IsBookmarked(std::uint16_t article) {
  const std::uint16_t* entry = App().bookmarks;
  if (entry == nullptr || article == 0) return false;
  for (; *entry != 0; ++entry) {
    if (*entry == article) return true;
  }
  return false;
}

}  // namespace quillory
