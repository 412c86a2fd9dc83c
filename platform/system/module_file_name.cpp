#include "platform/system/module_file_name.h"

#include <filesystem>
#include <system_error>

#include "platform/system/text_encoding.h"

namespace platform {

std::u16string GetModuleFileName() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return Utf8ToUtf16(path.string());
}

}  // namespace platform
