#pragma once
// The registry file: the handheld's registry kept as one text file in the
// registry-export format.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Orvenda\Quillory - 32]
//   "Lesson"=dword:0000000c            a 32-bit number (type 4), 1-8 hex digits
//   "FontName"="David CLM"             text (type 1); \\ and \" are the escapes
//   "Bookmarks"=hex:04,00,0c,00,\      raw bytes (type 3), two hex digits each;
//     00,00                            a trailing \ continues on the next line
//   @=hex(7):41,00,00,00,00,00         any type N by number, as raw bytes
//
// The file is UTF-8 (a UTF-8 byte order mark is skipped; a file that starts
// with a UTF-16LE byte order mark is read as UTF-16LE). Lines starting with
// ';' are comments. In memory every value is what the handheld's registry
// holds: its type number and its bytes. Text is UTF-16LE with its two-byte
// terminator (so "12" is 6 bytes), a number is 4 little-endian bytes.
//
// Damage never stops the parse: a line that does not parse, a value outside
// any key, and a deletion entry ("[-...]", "name"=-) are skipped and listed,
// and everything else is kept. Key paths and value names compare without
// regard to ASCII letter case; a key or value that appears twice is one,
// holding the later value.
//
// The file is written back by programs other than an editor, so nothing in
// it may be lost on the way: comments are kept with the key whose section
// they stand in (those before the first key with the file), and every
// skipped line is kept there too, as a comment starting kUnreadableMark.
// Written back, a damaged file so becomes a sound one that still shows
// what could not be read.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Value types, numbered as the handheld numbers them.
enum RegistryType : std::uint32_t {
  kRegNone = 0,
  kRegText = 1,
  kRegExpandText = 2,
  kRegBytes = 3,
  kRegNumber = 4,
  kRegMultiText = 7,
};

// How a skipped line starts once it is kept as a comment (after the ';').
constexpr std::string_view kUnreadableMark = " unreadable, kept as written:";

struct RegistryValue {
  std::string name;  // UTF-8; "" is the key's default value, written @
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;

  bool operator==(const RegistryValue&) const = default;
};

struct RegistryKeyRecord {
  std::string path;  // as written, without brackets or trailing '\', e.g. "HKEY_CURRENT_USER\Software\Orvenda"
  std::vector<RegistryValue> values;
  // The comment lines of the key's section, in order, each without its ';'
  // and without white space at its end.
  std::vector<std::string> comments;

  bool operator==(const RegistryKeyRecord&) const = default;
};

struct SkippedLine {
  std::size_t lineNumber;  // 1-based, of the entry's first line
  std::string text;
};

class RegistryFile {
 public:
  static RegistryFile Parse(std::string_view bytes);

  // Null when the file has no such key. `path` is a full path from its root.
  const RegistryKeyRecord* FindKey(std::string_view path) const;
  RegistryKeyRecord* FindKey(std::string_view path);
  // The key at `path`, added after the others when the file has none.
  RegistryKeyRecord& FindOrAddKey(std::string_view path);

  const std::vector<RegistryKeyRecord>& keys() const { return keys_; }
  // Comment lines before the first key, as RegistryKeyRecord::comments.
  const std::vector<std::string>& leadingComments() const { return leadingComments_; }
  const std::vector<SkippedLine>& skippedLines() const { return skipped_; }

 private:
  std::vector<RegistryKeyRecord> keys_;
  std::vector<std::string> leadingComments_;
  std::vector<SkippedLine> skipped_;
};

// Null when the key has no value of that name.
const RegistryValue* FindValue(const RegistryKeyRecord& key, std::string_view name);
// Gives value `value.name` of `key` the type and data of `value`, adding it
// after the others when the key has none. A value already there keeps its
// place and the letter case its name is written in.
void SetValue(RegistryKeyRecord& key, RegistryValue value);

}  // namespace platform
