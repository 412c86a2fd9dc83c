#include "view/font_family_list.h"

#include <memory>

#include "core/font_description.h"
#include "platform/system/memory.h"
#include "platform/system/text_encoding.h"

namespace quillory {

int CollectFontFamily(const platform::FontFamily& family, void* parameter) {
  FontFamilyList& list = *static_cast<FontFamilyList*>(parameter);
  if (list.freeCount == 0) {
    void* block = platform::AllocZeroed(sizeof(FontFamilyNode) * kFamilyBlockNodes);
    if (!block) return 0;
    auto* first = static_cast<FontFamilyNode*>(block);
    std::uninitialized_value_construct_n(first, kFamilyBlockNodes);
    first->blockMark = 1;
    list.nextFree = first;
    list.freeCount = kFamilyBlockNodes;
  }
  FontFamilyNode* node = list.nextFree++;
  --list.freeCount;
  SetFaceName(node->faceName, platform::UntilZero(family.faceName));
  node->charSet = family.charSet;
  *list.link = node;
  list.link = &node->next;
  return 1;
}

const FontFamilyNode* FindFontFamily(const FontFamilyList& list, std::u16string_view faceName) {
  for (const FontFamilyNode* node = list.head; node != nullptr; node = node->next) {
    if (platform::UntilZero({node->faceName.data(), node->faceName.size()}) == faceName) return node;
  }
  return nullptr;
}

void ReleaseFontList(FontFamilyList& list) {
  // The list starts with the first node of a block, and a block's nodes
  // are consecutive: each marked node begins the next block.
  FontFamilyNode* node = list.head;
  while (node != nullptr) {
    FontFamilyNode* block = node;
    do {
      node = node->next;
    } while (node != nullptr && node->blockMark == 0);
    platform::Release(block);
  }
  list.head = nullptr;
  list.link = &list.head;
  list.nextFree = nullptr;
  list.freeCount = 0;
}

}  // namespace quillory
