#include "platform/system/resources.h"

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

std::u16string LoadString(ModuleHandle module, std::uint16_t id) {
  const ResourceHandle resource = FindResource(module, id, ResourceType::kString);
  const std::uint8_t* bytes = LoadResource(resource);
  std::u16string text;
  if (!bytes) return text;
  const std::uint32_t units = SizeofResource(resource) / 2;
  for (std::uint32_t i = 0; i < units; ++i) text += static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return text;
}

}  // namespace platform
