#include "platform/resources.h"

namespace platform {

const ResourceEntry* Module::Find(std::uint16_t id, ResourceType type) const {
  for (const auto& table : tables_) {
    for (const auto& entry : table) {
      if (entry.id == id && entry.type == type) return &entry;
    }
  }
  return nullptr;
}

ResourceHandle FindResource(ModuleHandle module, std::uint16_t id, ResourceType type) {
  return module == nullptr ? nullptr : module->Find(id, type);
}

std::uint32_t SizeofResource(ResourceHandle resource) { return resource == nullptr ? 0 : resource->size; }

const std::uint8_t* LoadResource(ResourceHandle resource) {
  return resource == nullptr ? nullptr : resource->bytes;
}

}  // namespace platform
