#include "store/uncompress.h"

#include <bit>
#include <cstring>

#include "core/app_state.h"
#include "platform/system/resources.h"
#include "platform/windows/message_box.h"

namespace quillory {
namespace {

constexpr std::uint32_t kFollowingLengthMin = 5;

// The fast loop stores a byte pair as one 16-bit word.
static_assert(std::endian::native == std::endian::little);

std::uint16_t ReadBigEndian16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

void SetStatus(LoadStatus* status, LoadStatus value) {
  if (status != nullptr) *status = value;
}

// Margins of the fast loop: while the output has at least this much room
// (counting the two spare bytes of the buffer) every code can write 16 bytes
// unchecked, and while the input holds this much every code can read its
// operands (and an 8-byte literal load) unchecked.
constexpr std::ptrdiff_t kFastOutputRoom = 16;
constexpr std::ptrdiff_t kFastInputRoom = 10;

// Decodes codes while both margins hold. Single bytes and space pairs are
// most of the text and are written without a branch on their kind; literal
// runs and back references copy in fixed 8-byte steps. Returns false on a
// back reference that reaches before the start of the output.
bool DecodeFast(const std::uint8_t*& in, const std::uint8_t* inEnd, std::uint8_t*& out,
                std::uint8_t* const start, std::uint8_t* const end) {
  std::uint8_t* const room = end + 2;  // the buffer's two spare bytes count
  while (inEnd - in >= kFastInputRoom && room - out >= kFastOutputRoom) {
    const std::uint32_t k = *in;
    if (k - 1 >= 8 && (k & 0xC0) != 0x80) {
      // 0x00, 0x09-0x7F: one byte; 0xC0-0xFF: a space and K ^ 0x80.
      const bool pair = k >= 0xC0;
      const auto both = static_cast<std::uint16_t>((pair ? 0x20u : k) | ((k ^ 0x80u) << 8));
      std::memcpy(out, &both, 2);  // little-endian: the first byte is written first
      out += 1 + pair;
      in += 1;
    } else if (k <= 8) {
      std::memcpy(out, in + 1, 8);
      out += k;
      in += 1 + k;
    } else {
      const std::uint32_t p = (k << 8) | in[1];
      const std::uint32_t distance = (p >> 3) & 0x7FF;
      const std::uint32_t length = (p & 7) + 3;
      if (distance == 0 || distance > static_cast<std::uint32_t>(out - start)) return false;
      const std::uint8_t* from = out - distance;
      if (distance >= 8) {
        // Each 8-byte step reads only bytes already final, so two steps give
        // the same result as the byte-by-byte copy, overlapping or not.
        std::memcpy(out, from, 8);
        std::memcpy(out + 8, from + 8, 8);
      } else {
        for (std::uint32_t i = 0; i < length; ++i) out[i] = from[i];
      }
      out += length;
      in += 2;
    }
  }
  return true;
}

// The exact loop for the last codes: every byte written is checked against
// the end, every operand against the end of the block.
bool DecodeCareful(const std::uint8_t* in, const std::uint8_t* inEnd, std::uint8_t* out,
                   std::uint8_t* const start, std::uint8_t* const end) {
  while (out < end && in < inEnd) {
    const std::uint32_t k = *in++;
    if (k == 0 || (k >= 0x09 && k <= 0x7F)) {
      *out++ = static_cast<std::uint8_t>(k);
    } else if (k <= 8) {
      const std::uint32_t room = static_cast<std::uint32_t>(end - out);
      const std::uint32_t count = k < room ? k : room;
      if (count > static_cast<std::uint32_t>(inEnd - in)) return false;
      std::memcpy(out, in, count);
      out += count;
      in += count;  // when count < k the output is full and the loop ends
    } else if (k >= 0xC0) {
      *out++ = 0x20;
      if (out == end) break;
      *out++ = static_cast<std::uint8_t>(k ^ 0x80);
    } else {
      if (in == inEnd) return false;
      const std::uint32_t p = (k << 8) | *in++;
      const std::uint32_t distance = (p >> 3) & 0x7FF;
      std::uint32_t length = (p & 7) + 3;
      if (distance == 0 || distance > static_cast<std::uint32_t>(out - start)) return false;
      const std::uint32_t room = static_cast<std::uint32_t>(end - out);
      if (length > room) length = room;
      const std::uint8_t* from = out - distance;
      for (std::uint32_t i = 0; i < length; ++i) out[i] = from[i];
      out += length;
    }
  }
  return out == end;
}

}  // namespace

TextBuffer UnCompress(const BlockDescriptor& block, LoadStatus* status) {
  if (block.source == nullptr || block.outputLength == 0) {
    SetStatus(status, LoadStatus::kNoInput);
    return {};
  }
  TextBuffer buffer = TextBuffer::Allocate(block.outputLength, 2);
  if (!buffer) {
    SetStatus(status, LoadStatus::kNoMemory);
    return {};
  }
  std::uint8_t* const start = buffer.data();
  std::uint8_t* const end = start + block.outputLength;
  const std::uint8_t* in = block.source;
  const std::uint8_t* const inEnd = block.source + block.sourceLength;
  std::uint8_t* out = start;

  const bool ok = DecodeFast(in, inEnd, out, start, end) && DecodeCareful(in, inEnd, out, start, end);
  if (!ok) {
    buffer = {};
    platform::ShowMessageBox(nullptr, "UnCompress() buffer error!", nullptr, platform::kMbOk);
    SetStatus(status, LoadStatus::kBufferError);
    return {};
  }
  *end = 0;
  return buffer;
}

TextBuffer UnCompressBlock(const std::uint8_t* bytes, std::uint16_t followingLength, LoadStatus* status) {
  if (followingLength < kFollowingLengthMin) {
    SetStatus(status, LoadStatus::kBadHeader);
    return {};
  }
  const std::uint16_t compressedLength = ReadBigEndian16(bytes);
  if (compressedLength == 0) {
    SetStatus(status, LoadStatus::kBadHeader);
    return {};
  }
  // The block cannot be longer than what follows its header; a damaged
  // compressed length is cut there and the decoder reports the shortfall.
  const std::uint16_t available = followingLength - 4;
  const BlockDescriptor block{bytes + 4, compressedLength < available ? compressedLength : available,
                              ReadBigEndian16(bytes + 2)};
  return UnCompress(block, status);
}

TextBuffer LoadCompressedResource(int number, LoadStatus* status) {
  if (number < 1) return {};
  const auto id = static_cast<std::uint16_t>((1000 + number) % 65536);
  const platform::ResourceHandle resource =
      platform::FindResource(App().module, id, platform::ResourceType::kRawData);
  if (resource == nullptr) {
    SetStatus(status, LoadStatus::kNotFound);
    return {};
  }
  const std::uint32_t size = platform::SizeofResource(resource);
  const std::uint8_t* bytes = size == 0 ? nullptr : platform::LoadResource(resource);
  if (bytes == nullptr) {
    SetStatus(status, LoadStatus::kNoMemory);
    return {};
  }
  // A resource too short for its headers, or shorter than its following
  // length says, is read only as far as it goes.
  if (size < 6 + kFollowingLengthMin) {
    SetStatus(status, LoadStatus::kBadHeader);
    return {};
  }
  const std::uint16_t stated = ReadBigEndian16(bytes);
  const std::uint32_t present = size - 6;
  return UnCompressBlock(bytes + 6, static_cast<std::uint16_t>(stated < present ? stated : present), status);
}

}  // namespace quillory
