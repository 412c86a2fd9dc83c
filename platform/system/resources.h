#pragma once
// The program's module and its resources. A module is a set of read-only
// tables, each entry naming a resource by type and 16-bit identifier. The
// bytes belong to the tables (static data compiled into the program) and stay
// valid for the whole run; nobody releases them.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

namespace platform {

// The handheld's numbering of resource types. A menu-bar definition is stored
// as raw data, as the handheld stores it. kBitmapDoubleSize is the desktop's
// own: a bitmap drawn again at twice the size for dense screens, under the
// identifier of the bitmap it stands for (platform/graphics/bitmap.h).
enum class ResourceType : std::uint16_t {
  kBitmap = 2,
  kIcon = 3,
  kMenu = 4,
  kDialog = 5,
  kString = 6,
  kRawData = 10,
  kBitmapDoubleSize = 0x7F02,
};

struct ResourceEntry {
  ResourceType type;
  std::uint16_t id;
  const std::uint8_t* bytes;  // may be null: such a resource cannot be loaded
  std::uint32_t size;
};

class Module {
 public:
  Module(std::initializer_list<std::span<const ResourceEntry>> tables) : tables_(tables) {}
  explicit Module(std::vector<std::span<const ResourceEntry>> tables) : tables_(std::move(tables)) {}

  // The first entry of the given type and identifier, in table order.
  const ResourceEntry* Find(std::uint16_t id, ResourceType type) const;
  const std::vector<std::span<const ResourceEntry>>& tables() const { return tables_; }

 private:
  std::vector<std::span<const ResourceEntry>> tables_;
};

using ModuleHandle = const Module*;
using ResourceHandle = const ResourceEntry*;

// Null when the module has no such resource (or no module is given).
ResourceHandle FindResource(ModuleHandle module, std::uint16_t id, ResourceType type);
// 0 for a null handle.
std::uint32_t SizeofResource(ResourceHandle resource);
// The resource's bytes; null when the handle is null or the bytes cannot be had.
const std::uint8_t* LoadResource(ResourceHandle resource);

// A string resource: one resource per string, holding its UTF-16LE code
// units without a terminator. Empty when there is no such string.
std::u16string LoadString(ModuleHandle module, std::uint16_t id);

}  // namespace platform
