#pragma once
// Writes a compiled volume as a C++ source that the reader links: one byte
// array per resource and the table that resources/volume_resources.h declares.

#include <filesystem>
#include <string>
#include <vector>

#include "tools/pack/volume.h"

namespace quillory::pack {

std::string VolumeSource(const std::vector<CompiledResource>& resources);

// Writes `content` to `path` unless the file already holds exactly that, so
// an unchanged volume does not make the reader build again. False on failure.
bool WriteIfChanged(const std::filesystem::path& path, const std::string& content);

}  // namespace quillory::pack
