#pragma once
// The compressed text resources and their decoder.
//
// Stored resource (all header fields 16-bit unsigned, BIG-endian):
//   offset 0   following length   resource size - 6; at least 5
//   offset 2   reserved word A    not read (articles: any value; index: 1)
//   offset 4   reserved word B    not read (articles: = A; index: 255)
//   offset 6   compressed length  bytes of the coded block; non-zero
//   offset 8   decoded length     bytes the block decodes to; non-zero
//   offset 10  the coded block    compressed length bytes
//   then       end marker         four zero bytes, never read
//
// The coded block is a sequence of codes; code byte K means:
//   0x00         the byte 0x00
//   0x01..0x08   the next K bytes, copied unchanged (a literal run)
//   0x09..0x7F   the byte K
//   0x80..0xBF   back reference with the next byte D: P = K*256 + D,
//                distance = (P >> 3) & 0x7FF (1..2047), length = (P & 7) + 3;
//                copied byte by byte from distance bytes back (may overlap)
//   0xC0..0xFF   a space, then the byte K ^ 0x80
//
// Decoding stops as soon as the output holds the decoded length; a stream
// that ends before that, or that breaks the coding (a distance of 0 or one
// reaching before the start, operands beyond the end of the block), fails
// with "UnCompress() buffer error!".

#include <cstdint>

#include "platform/system/memory.h"

namespace quillory {

// Why a load failed. Written only on failure, only when a place is given.
enum class LoadStatus : int {
  kNotFound = 1,     // no raw-data resource with the identifier
  kNoMemory = 2,     // empty or unloadable resource, or no memory for the output
  kBadHeader = 3,    // following length below 5, or compressed length 0
  kNoInput = 4,      // no source, or an output length of 0
  kBufferError = 5,  // the stream did not decode to exactly the output length
};

struct BlockDescriptor {
  const std::uint8_t* source;
  std::uint32_t sourceLength;
  std::uint32_t outputLength;
};

// A decoded text: `length()` bytes followed by one zero byte (and one more
// spare byte), owned by whoever holds it. Empty on failure; a partly decoded
// buffer never reaches a caller.
using TextBuffer = platform::HeapBlock;

// Decodes article `number` (1-44) or the index (31767) from the program's
// module: resource (1000 + number) mod 65536. A number below 1 returns an
// empty buffer and sets no status.
TextBuffer LoadCompressedResource(int number, LoadStatus* status = nullptr);

// Reads the block header at `bytes` (the resource's offset 6) and decodes it.
// `bytes` must hold `followingLength` readable bytes; a compressed length
// that claims more is cut to what is there.
TextBuffer UnCompressBlock(const std::uint8_t* bytes, std::uint16_t followingLength,
                           LoadStatus* status = nullptr);

// The decoder proper. Reads only inside [source, source + sourceLength).
TextBuffer UnCompress(const BlockDescriptor& block, LoadStatus* status = nullptr);

}  // namespace quillory
