#pragma once
// Menu resources, built at compile time from a readable table so that the
// bytes cannot drift from it. The layout is the handheld's menu template:
//
//   word  version, 0
//   word  header size, 0
//   then items, in order, each:
//   word  options: kMenuPopup, kMenuLastItem (last item of its level),
//         kMenuSeparator
//   word  command identifier (absent on a pop-up, whose items follow it)
//   text  UTF-16 code units and a 0 unit; a shortcut label follows the text
//         after a tab ("F&ont\tCtrl+F")
//
// All words are little-endian. A separator is an item with kMenuSeparator,
// identifier 0 and empty text.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "resources/little_endian_bytes.h"

namespace quillory {

constexpr std::uint16_t kMenuPopup = 0x0010;
constexpr std::uint16_t kMenuLastItem = 0x0080;
constexpr std::uint16_t kMenuSeparator = 0x0800;

struct MenuItem {
  std::uint16_t command;
  std::u16string_view text;
  std::u16string_view shortcut;  // empty when the command has none

  constexpr bool separator() const { return command == 0 && text.empty(); }
};

constexpr MenuItem kSeparatorItem{0, u"", u""};

// Writes a menu bar whose only entry is the pop-up `popupTitle` holding
// `items`.
template <typename Writer>
constexpr void WriteMenuTemplate(Writer& out, std::u16string_view popupTitle, std::span<const MenuItem> items) {
  out.Word(0);
  out.Word(0);
  out.Word(kMenuPopup | kMenuLastItem);
  out.Utf16(popupTitle);
  out.Word(0);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    std::uint16_t options = item.separator() ? kMenuSeparator : 0;
    if (i + 1 == items.size()) options |= kMenuLastItem;
    out.Word(options);
    out.Word(item.command);
    out.Utf16(item.text);
    if (!item.shortcut.empty()) {
      out.Word(u'\t');
      out.Utf16(item.shortcut);
    }
    out.Word(0);
  }
}

constexpr std::size_t MenuTemplateSize(std::u16string_view popupTitle, std::span<const MenuItem> items) {
  ByteCount count;
  WriteMenuTemplate(count, popupTitle, items);
  return count.size();
}

// kSize must be MenuTemplateSize of the same arguments; any other size stops
// the compilation.
template <std::size_t kSize>
constexpr std::array<std::uint8_t, kSize> MenuTemplate(std::u16string_view popupTitle,
                                                       std::span<const MenuItem> items) {
  LittleEndianBytes<kSize> out;
  WriteMenuTemplate(out, popupTitle, items);
  return out.Finished();
}

}  // namespace quillory
