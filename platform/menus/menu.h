#pragma once
// Menus: loaded from a menu resource, with check marks found by command
// identifier, shown as a pop-up that is chosen from with the stylus or the
// keys.
//
// A menu resource is the handheld's menu template, all 16-bit words
// little-endian:
//
//   header    version (0), header size (0)
//   item      option word: 0x0010 pop-up, 0x0080 last item of its level,
//                          0x0800 separator, 0x0008 checked, 0x0001 grayed
//             command identifier (not for a pop-up)
//             text: UTF-16 units ending with 0; a tab separates the
//             item's text from its shortcut label
//             a pop-up's items follow its text, up to the one marked last
//
// A template that runs off its end, nests too deeply or holds no item is
// refused.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/system/resources.h"
#include "platform/windows/messages.h"

namespace platform {

constexpr std::uint32_t kMfGrayed = 0x0001;
constexpr std::uint32_t kMfChecked = 0x0008;
constexpr std::uint32_t kMfPopup = 0x0010;
constexpr std::uint32_t kMfEnd = 0x0080;
constexpr std::uint32_t kMfSeparator = 0x0800;
// What CheckMenuItem and GetMenuState answer for an item that is not there.
constexpr std::uint32_t kMenuItemMissing = 0xFFFFFFFF;

struct Menu;

struct MenuItem {
  std::uint32_t flags = 0;
  std::uint16_t command = 0;
  std::u16string text;      // with its '&' mnemonic marks
  std::u16string shortcut;  // the label shown right-aligned, if any
  std::unique_ptr<Menu> popup;
};

struct Menu {
  std::vector<MenuItem> items;
};

std::unique_ptr<Menu> ParseMenu(std::span<const std::uint8_t> bytes);
// Null when the module has no such menu or it is damaged.
std::unique_ptr<Menu> LoadMenu(ModuleHandle module, std::uint16_t id);

// The pop-up at `position` of a menu, or null.
Menu* GetSubMenu(Menu* menu, int position);
// Sets or clears the check mark of the item with this command, in the menu
// or any of its pop-ups; returns the item's previous state (kMfChecked or
// 0), or kMenuItemMissing.
std::uint32_t CheckMenuItem(Menu* menu, std::uint16_t command, bool checked);
// The item's flags, or kMenuItemMissing.
std::uint32_t GetMenuState(Menu* menu, std::uint16_t command);

// TrackPopupMenu's flags: (x, y) is the menu's bottom left rather than its
// top left; the menu was opened from the keyboard, so its first item is
// selected at once, as a desktop menu opened with F10 has it.
constexpr std::uint32_t kTpmBottomAlign = 0x0020;
constexpr std::uint32_t kTpmFromKeyboard = 0x10000;

// Shows `menu` as a pop-up with its top left at a screen point (moved as
// far as needed to stay on the screen) and waits until the reader chooses
// an item or dismisses it: an item tapped, or picked with the arrow keys
// (Home and End for the first and last) and Return, or by its underlined
// letter on any keyboard layout; a tap outside, Escape or F10 dismisses it.
// The chosen command is sent to `owner` as a command notification and
// returned; 0 when none was chosen.
std::uint16_t TrackPopupMenu(Menu* menu, std::int32_t x, std::int32_t y, WindowHandle owner, std::uint32_t flags = 0);

}  // namespace platform
