// Arbitrary bitmap resources: parsing stays inside the bytes given, and a
// bitmap that parses can be copied through a memory device context.

#include <cstdint>
#include <span>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/device_context.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto bitmap = platform::ParseBitmap(std::span<const std::uint8_t>(data, size));
  if (!bitmap) return 0;
  platform::Framebuffer screen(16, 16);
  platform::DeviceContext context(&screen);
  auto memory = platform::DeviceContext::CreateCompatible();
  memory->SelectBitmap(bitmap.get());
  context.BitBlt(-2, -2, 20, 20, *memory, 0, 0);
  memory.reset();
  return 0;
}
