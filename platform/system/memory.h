#pragma once
// The device's general heap. Every allocation of the reader that is allowed
// to fail goes through here, so that tests can make the Nth one fail and
// walk each out-of-memory path.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// Returns a block of at least `size` bytes, or nullptr when the heap refuses
// (or when a test asked this allocation to fail). A size of 0 yields a valid
// one-byte block. Release with `Release`.
void* Alloc(std::size_t size);
// Like Alloc, with every byte set to 0.
void* AllocZeroed(std::size_t size);
// Releases a block from Alloc/AllocZeroed; nullptr is ignored.
void Release(void* block);

// Test hook: the `n`th allocation from now fails (1 = the very next one);
// later ones succeed again. 0 cancels a pending failure.
void FailNthAllocation(int n);
// Number of allocations attempted since start (failed ones included).
std::uint64_t AllocationCount();
// Number of blocks handed out and not yet released.
std::int64_t LiveAllocations();

struct HeapDeleter {
  void operator()(void* block) const { Release(block); }
};

// A heap block with its usable length. Owns the block; moving passes it on.
class HeapBlock {
 public:
  HeapBlock() = default;
  HeapBlock(std::uint8_t* bytes, std::size_t length) : bytes_(bytes), length_(length) {}

  // Allocates `length` usable bytes plus `slack` spare bytes; empty on failure.
  static HeapBlock Allocate(std::size_t length, std::size_t slack = 0);

  explicit operator bool() const { return bytes_ != nullptr; }
  std::uint8_t* data() { return bytes_.get(); }
  const std::uint8_t* data() const { return bytes_.get(); }
  std::size_t length() const { return length_; }
  // Gives up ownership; the caller releases the bytes with `Release`.
  std::uint8_t* Detach() {
    length_ = 0;
    return bytes_.release();
  }

 private:
  std::unique_ptr<std::uint8_t, HeapDeleter> bytes_;
  std::size_t length_ = 0;
};

}  // namespace platform
