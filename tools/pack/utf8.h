#pragma once
// UTF-8 to code points and back, for the authoring sources.

#include <optional>
#include <string>
#include <string_view>

namespace quillory::pack {

// Decodes `text`; nullopt when it is not well-formed UTF-8 (overlong forms,
// surrogates and values above U+10FFFF included). `badOffset` gets the byte
// offset of the first bad sequence.
std::optional<std::u32string> DecodeUtf8(std::string_view text, std::size_t* badOffset = nullptr);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace quillory::pack
