#pragma once
// The Font dialog's list of font families, as the platform's enumeration
// reports them. Nodes are taken from zeroed blocks of kFamilyBlockNodes,
// one allocation per block, and linked in the order reported, so the nodes
// of one block follow each other in the list; the first node of each block
// carries the block mark, which is how the list is released block by block.

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/graphics/font_catalog.h"

namespace quillory {

constexpr int kFamilyBlockNodes = 25;

struct FontFamilyNode {
  FontFamilyNode* next = nullptr;       // the following node; its block owns it
  std::array<char16_t, 32> faceName{};  // zero-terminated, cut to 31 characters
  std::uint8_t charSet = 0;             // platform::kHebrewCharSet when alef to tav are there
  std::uint8_t blockMark = 0;           // 1 on the first node of its block
};

// The list being built and read. It owns its blocks (platform heap) until
// ReleaseFontList. One per open dialog; never copied, as `link` points
// into the list itself.
struct FontFamilyList {
  FontFamilyList() = default;
  FontFamilyList(const FontFamilyList&) = delete;
  FontFamilyList& operator=(const FontFamilyList&) = delete;

  FontFamilyNode* head = nullptr;
  FontFamilyNode** link = &head;       // where the next node is linked
  FontFamilyNode* nextFree = nullptr;  // in the current block
  int freeCount = 0;
};

// The enumeration's callback; `list` is the FontFamilyList to add to. 1 to
// go on; 0, ending the enumeration, when a new block cannot be allocated:
// the list then holds the families found so far.
int CollectFontFamily(const platform::FontFamily& family, void* list);

// The node whose face name is exactly `faceName`, or null.
const FontFamilyNode* FindFontFamily(const FontFamilyList& list, std::u16string_view faceName);

// Releases every block and leaves the list empty, ready to be filled again.
void ReleaseFontList(FontFamilyList& list);

}  // namespace quillory
