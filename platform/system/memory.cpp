#include "platform/system/memory.h"

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

std::uint64_t gAttempts = 0;
std::uint64_t gFailAt = 0;  // attempt number that fails; 0 = none
std::int64_t gLive = 0;

bool ShouldFail() {
  ++gAttempts;
  if (gFailAt != 0 && gAttempts == gFailAt) {
    gFailAt = 0;
    return true;
  }
  return false;
}

}  // namespace

void* Alloc(std::size_t size) {
  if (ShouldFail()) return nullptr;
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block != nullptr) ++gLive;
  return block;
}

void* AllocZeroed(std::size_t size) {
  void* block = Alloc(size);
  if (block != nullptr) std::memset(block, 0, size == 0 ? 1 : size);
  return block;
}

void Release(void* block) {
  if (block == nullptr) return;
  --gLive;
  std::free(block);
}

void FailNthAllocation(int n) { gFailAt = n > 0 ? gAttempts + static_cast<std::uint64_t>(n) : 0; }

std::uint64_t AllocationCount() { return gAttempts; }

std::int64_t LiveAllocations() { return gLive; }

HeapBlock HeapBlock::Allocate(std::size_t length, std::size_t slack) {
  auto* bytes = static_cast<std::uint8_t*>(Alloc(length + slack));
  if (bytes == nullptr) return {};
  return HeapBlock(bytes, length);
}

}  // namespace platform
