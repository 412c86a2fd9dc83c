// Arbitrary menu resources: parsing stays inside the bytes given, and a menu
// that parses answers check-mark questions.

#include <cstdint>
#include <span>

#include "platform/menus/menu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto menu = platform::ParseMenu(std::span<const std::uint8_t>(data, size));
  if (!menu) return 0;
  platform::CheckMenuItem(menu.get(), 122, true);
  platform::GetMenuState(menu.get(), 123);
  platform::GetSubMenu(menu.get(), 0);
  return 0;
}
