#pragma once
// The bar that carries the program's menu and toolbar: either a command bar
// along the top of a window's client area, or the shell's menu bar along the
// bottom of the screen, made from a menu-bar definition. Both carry the same
// toolbar: buttons with 16 × 16 pictures from a bitmap strip, each sending
// its command to the bar's owner, with a tooltip shown while a button is
// held down or after the pointer has rested on it for half a second.
//
// A menu-bar definition is a raw-data resource of 16-bit little-endian
// words: the menu resource, the number of buttons, then seven words per
// button: image (65534 for none), command, state, style, label string
// resource, a reserved word, and the index of the menu's pop-up that the
// button opens.

#include <cstdint>
#include <span>
#include <string>

#include "platform/menus/menu.h"
#include "platform/system/resources.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"

namespace platform {

// The handheld's button state and style values.
constexpr std::uint8_t kButtonEnabled = 0x04;
constexpr std::uint8_t kButtonPlain = 0x00;
constexpr std::uint8_t kButtonDropDown = 0x08;
constexpr std::uint8_t kButtonAutoSize = 0x10;
// Hides the input-panel button while the menu bar is made.
constexpr std::uint32_t kMenuBarHideSipButton = 0x0004;

struct BarButton {
  std::int32_t image = 0;  // index among the bar's images
  std::uint16_t command = 0;
  std::uint8_t state = kButtonEnabled;
  std::uint8_t style = kButtonPlain;
};

// A command bar as a child of `parent`, along its top.
WindowHandle CreateCommandBar(ModuleHandle module, WindowHandle parent, std::uint16_t id);
// Puts menu `menuId` on the command bar; its pop-ups open from the bar.
bool CommandBarInsertMenu(WindowHandle bar, ModuleHandle module, std::uint16_t menuId);
// The close button at the bar's right end, for full-screen use.
bool CommandBarAddCloseButton(WindowHandle bar);
// The shell's menu bar for `owner` from menu-bar definition `definitionId`,
// along the bottom of the screen; null when the definition or its menu is
// missing or damaged.
WindowHandle ShellCreateMenuBar(WindowHandle owner, ModuleHandle module, std::uint16_t definitionId,
                                std::uint32_t flags);

// Tooltip texts: the first belongs to the menu's place, the rest to the
// buttons in order.
bool BarSetToolTips(WindowHandle bar, std::span<const std::u16string> texts);
// Adds `count` 16 × 16 images cut from bitmap `bitmapId`; the index of the
// first, or -1.
std::int32_t BarAddBitmap(WindowHandle bar, ModuleHandle module, std::uint16_t bitmapId, std::int32_t count);
// The handheld's standard small colour images: counted, never drawn (no
// button of the program uses them).
std::int32_t BarAddStandardImages(WindowHandle bar, std::int32_t count);
bool BarAddButtons(WindowHandle bar, std::span<const BarButton> buttons);
std::int32_t BarHeight(WindowHandle bar);
// The menu whose check marks the program keeps: the command bar's menu, or
// the pop-up of the menu bar's button with this command.
Menu* BarMenu(WindowHandle bar, std::uint16_t buttonCommand);
// Where toolbar button `index` is, in the bar's client coordinates.
Rect BarButtonRect(WindowHandle bar, int index);
// Opens the pop-up of the bar's `index`th menu button (0: the first) as the
// keyboard opens it, with its first item selected, and returns once it is
// closed. False when the bar has no such button or is hidden.
bool BarOpenMenu(WindowHandle bar, int index);
// The tooltip shown now, if a button is held down or rested on.
std::u16string BarShownToolTip(WindowHandle bar);

}  // namespace platform
