#include "platform/menus/menu.h"

#include "platform/system/resource_reader.h"

namespace platform {
namespace {

constexpr int kDeepestNesting = 8;

// Reads the items of one level, up to the one marked last.
bool ReadLevel(ResourceReader& reader, Menu& menu, int depth) {
  if (depth > kDeepestNesting) return false;
  while (true) {
    const auto option = reader.Word();
    if (!option) return false;
    MenuItem item;
    item.flags = *option & (kMfGrayed | kMfChecked | kMfPopup | kMfSeparator);
    if (!(*option & kMfPopup)) {
      const auto command = reader.Word();
      if (!command) return false;
      item.command = *command;
    }
    auto text = reader.Text();
    if (!text) return false;
    const std::size_t tab = text->find(u'\t');
    item.text = text->substr(0, tab);
    if (tab != std::u16string::npos) item.shortcut = text->substr(tab + 1);
    if (!(item.flags & kMfPopup) && item.command == 0 && item.text.empty()) item.flags |= kMfSeparator;
    if (item.flags & kMfPopup) {
      item.popup = std::make_unique<Menu>();
      if (!ReadLevel(reader, *item.popup, depth + 1)) return false;
    }
    menu.items.push_back(std::move(item));
    if (*option & kMfEnd) return true;
  }
}

MenuItem* FindItem(Menu* menu, std::uint16_t command) {
  if (!menu) return nullptr;
  for (MenuItem& item : menu->items) {
    if (!(item.flags & (kMfPopup | kMfSeparator)) && item.command == command) return &item;
    if (MenuItem* found = FindItem(item.popup.get(), command)) return found;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<Menu> ParseMenu(std::span<const std::uint8_t> bytes) {
  ResourceReader reader(bytes);
  const auto version = reader.Word();
  const auto headerSize = reader.Word();
  if (!version || !headerSize || *version != 0 || *headerSize != 0) return nullptr;
  auto menu = std::make_unique<Menu>();
  if (!ReadLevel(reader, *menu, 0)) return nullptr;
  return menu;
}

std::unique_ptr<Menu> LoadMenu(ModuleHandle module, std::uint16_t id) {
  const ResourceHandle resource = FindResource(module, id, ResourceType::kMenu);
  const std::uint8_t* bytes = LoadResource(resource);
  if (!bytes) return nullptr;
  return ParseMenu(std::span<const std::uint8_t>(bytes, SizeofResource(resource)));
}

Menu* GetSubMenu(Menu* menu, int position) {
  if (!menu || position < 0 || static_cast<std::size_t>(position) >= menu->items.size()) return nullptr;
  return menu->items[static_cast<std::size_t>(position)].popup.get();
}

std::uint32_t CheckMenuItem(Menu* menu, std::uint16_t command, bool checked) {
  MenuItem* item = FindItem(menu, command);
  if (!item) return kMenuItemMissing;
  const std::uint32_t previous = item->flags & kMfChecked;
  item->flags = checked ? (item->flags | kMfChecked) : (item->flags & ~kMfChecked);
  return previous;
}

std::uint32_t GetMenuState(Menu* menu, std::uint16_t command) {
  const MenuItem* item = FindItem(menu, command);
  return item ? item->flags : kMenuItemMissing;
}

}  // namespace platform
