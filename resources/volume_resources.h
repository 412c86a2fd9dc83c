#pragma once
// The volume's compressed text resources (articles 1001-1044 and the index
// 32767), compiled from volume/ by quillory-pack at build time.

#include <span>

#include "platform/system/resources.h"

namespace quillory {

std::span<const platform::ResourceEntry> VolumeResources();

}  // namespace quillory
