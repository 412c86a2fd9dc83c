#pragma once
// Writes a registry file in the form registry_file.h describes, so that
// parsing the text gives back every key, value and comment as it was.
//
// Each value takes the most readable form that holds its bytes exactly:
// a number of 4 bytes as dword:, text as a quoted string when its bytes are
// well-formed UTF-16 with one terminator at the end and no line break, raw
// bytes as hex:, and anything else as hex(type): with its bytes. Long hex
// lists go on over lines ending in '\'. Comments follow the values of their
// key; lines end in "\n" and the text is UTF-8.

#include <string>
#include <string_view>

#include "platform/registry/registry_file.h"

namespace platform {

// Whether the format can hold a value of this name or a key at this path.
// The serializer expects every name and path of the file to pass; those
// that came from a parse always do.
bool IsWritableValueName(std::string_view name);
bool IsWritableKeyPath(std::string_view path);

std::string SerializeRegistryFile(const RegistryFile& file);

}  // namespace platform
