// Arbitrary blocks for the decoder: the first two bytes are the stated
// decoded length (big-endian), the rest is the coded stream. Every run either
// returns exactly the stated length followed by a zero byte, or nothing.

#include <cstdint>
#include <cstdlib>

#include "platform/backends/headless/headless_backend.h"
#include "store/uncompress.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static platform::HeadlessBackend backend;
  backend.SetDrawsBoxes(false);
  platform::InstallBackend(&backend);
  backend.ClearShownBoxes();
  const std::uint32_t length = static_cast<std::uint32_t>((data[0] << 8) | data[1]);
  const quillory::BlockDescriptor block{data + 2, static_cast<std::uint32_t>(size - 2), length};
  quillory::LoadStatus status{};
  const quillory::TextBuffer text = quillory::UnCompress(block, &status);
  if (text && (text.length() != length || text.data()[length] != 0)) std::abort();
  if (!text && length != 0 && (status != quillory::LoadStatus::kBufferError || backend.shownBoxes().size() != 1)) {
    std::abort();
  }
  return 0;
}
