#include "platform/registry/registry_file.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "platform/system/ascii_case.h"
#include "platform/system/text_encoding.h"

namespace platform {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

std::string Folded(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), FoldAsciiCase);
  return out;
}

std::string_view Trim(std::string_view s) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::string DecodeFileText(std::string_view bytes) {
  if (StartsWith(bytes, kUtf16LeMark)) {
    bytes.remove_prefix(kUtf16LeMark.size());
    return Utf8FromUtf16Le({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
  }
  if (StartsWith(bytes, kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  return std::string(bytes);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<std::uint32_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  const char lower = FoldAsciiCase(c);
  if (lower >= 'a' && lower <= 'f') return static_cast<std::uint32_t>(lower - 'a' + 10);
  return std::nullopt;
}

// 1 to `maxDigits` hex digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits, std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    const std::optional<std::uint32_t> digit = HexDigit(c);
    if (!digit) return std::nullopt;
    value = (value << 4) | *digit;
  }
  return value;
}

// "aa,bb,cc": bytes of one or two hex digits each; a trailing comma is allowed.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view list) {
  std::vector<std::uint8_t> bytes;
  list = Trim(list);
  while (!list.empty()) {
    const std::size_t comma = list.find(',');
    const std::optional<std::uint32_t> byte = ParseHexNumber(Trim(list.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    if (comma == std::string_view::npos) break;
    list = Trim(list.substr(comma + 1));
  }
  return bytes;
}

// A quoted string at the start of `s`, with \\ and \" unescaped; `s` moves
// past the closing quote. A backslash before any other character stays.
std::optional<std::string> TakeQuoted(std::string_view& s) {
  if (s.empty() || s.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      s.remove_prefix(i + 1);
      return out;
    }
    if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out += s[i];
  }
  return std::nullopt;
}

// The data after '=': the type and bytes of a value, or nothing when the
// text is not one of the value forms.
std::optional<RegistryValue> ParseData(std::string_view data) {
  RegistryValue value;
  if (!data.empty() && data.front() == '"') {
    const std::optional<std::string> text = TakeQuoted(data);
    if (!text || !Trim(data).empty()) return std::nullopt;
    value.type = kRegText;
    AppendUtf16LeFromUtf8(*text, value.data);
    value.data.insert(value.data.end(), {0, 0});
    return value;
  }
  if (StartsWith(data, "dword:")) {
    const std::optional<std::uint32_t> number = ParseHexNumber(Trim(data.substr(6)), 8);
    if (!number) return std::nullopt;
    value.type = kRegNumber;
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
    return value;
  }
  std::string_view list;
  if (StartsWith(data, "hex:")) {
    value.type = kRegBytes;
    list = data.substr(4);
  } else if (StartsWith(data, "hex(")) {
    const std::size_t close = data.find("):");
    const std::optional<std::uint32_t> type =
        close == std::string_view::npos ? std::nullopt : ParseHexNumber(data.substr(4, close - 4), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    list = data.substr(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> bytes = ParseHexBytes(list);
  if (!bytes) return std::nullopt;
  value.data = std::move(*bytes);
  return value;
}

// Where the parse puts what it keeps.
struct ParsedFile {
  std::vector<RegistryKeyRecord>& keys;
  std::vector<std::string>& leadingComments;
  std::vector<SkippedLine>& skipped;
};

class Parser {
 public:
  explicit Parser(std::vector<std::string_view> lines) : lines_(std::move(lines)) {}

  void Run(ParsedFile out);

 private:
  bool TakeKeyLine(std::string_view line, std::vector<RegistryKeyRecord>& keys);
  std::string JoinContinuations(std::string_view first, std::size_t& next) const;
  std::optional<RegistryValue> ParseValueEntry(std::string_view line, std::size_t& next, std::string& entryText) const;
  void Store(RegistryValue value, std::vector<RegistryKeyRecord>& keys);
  void Skip(std::size_t lineNumber, std::string entryText, ParsedFile out) const;
  std::vector<std::string>& SectionComments(ParsedFile out) const;

  std::vector<std::string_view> lines_;  // as in the file, without line ends
  std::unordered_map<std::string, std::size_t> keyIndex_;  // folded path -> keys[]
  std::unordered_map<std::string, std::size_t> valueIndex_;  // folded path '\n' folded name -> values[]
  std::optional<std::size_t> currentKey_;  // where values go; none after a damaged or deleted key
  std::optional<std::size_t> section_;     // where comments go: the last key opened
};

void Parser::Run(ParsedFile out) {
  bool headerAllowed = true;
  std::size_t next = 0;
  while (next < lines_.size()) {
    const std::size_t lineNumber = next + 1;
    const std::string_view raw = lines_[next++];
    const std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == ';') {
      SectionComments(out).emplace_back(line.substr(1));
      continue;
    }
    if (headerAllowed && line == kHeader) {
      headerAllowed = false;
      continue;
    }
    headerAllowed = false;
    if (line.front() == '[') {
      if (!TakeKeyLine(line, out.keys)) Skip(lineNumber, std::string(raw), out);
      continue;
    }
    std::string entryText(raw);
    std::optional<RegistryValue> value = ParseValueEntry(line, next, entryText);
    if (value && currentKey_) {
      Store(std::move(*value), out.keys);
    } else {
      Skip(lineNumber, std::move(entryText), out);
    }
  }
}

std::vector<std::string>& Parser::SectionComments(ParsedFile out) const {
  return section_ ? out.keys[*section_].comments : out.leadingComments;
}

// Lists the entry and keeps each of its lines as a marked comment.
void Parser::Skip(std::size_t lineNumber, std::string entryText, ParsedFile out) const {
  std::string_view lines = entryText;
  while (true) {
    const std::size_t end = lines.find('\n');
    const std::string_view line = Trim(lines.substr(0, end));
    std::string comment(kUnreadableMark);
    if (!line.empty()) (comment += ' ') += line;
    SectionComments(out).push_back(std::move(comment));
    if (end == std::string_view::npos) break;
    lines.remove_prefix(end + 1);
  }
  out.skipped.push_back({lineNumber, std::move(entryText)});
}

// "[path]" opens (or returns to) a key. A deletion entry "[-path]" or an
// empty path leaves no key open, so the values after it are skipped too.
bool Parser::TakeKeyLine(std::string_view line, std::vector<RegistryKeyRecord>& keys) {
  currentKey_.reset();
  if (line.size() < 2 || line.back() != ']') return false;
  std::string_view path = line.substr(1, line.size() - 2);
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  if (path.empty() || path.front() == '-') return false;
  const auto [it, added] = keyIndex_.try_emplace(Folded(path), keys.size());
  if (added) keys.push_back({std::string(path), {}, {}});
  currentKey_ = it->second;
  section_ = it->second;
  return true;
}

// A hex list may go on over lines that each end with '\'.
std::string Parser::JoinContinuations(std::string_view first, std::size_t& next) const {
  std::string joined(first);
  while (!joined.empty() && joined.back() == '\\') {
    joined.pop_back();
    if (next == lines_.size()) break;
    joined += Trim(lines_[next++]);
  }
  return joined;
}

// name=data, where the name is @ or quoted; `entryText` receives every line
// the entry spans, as written, for the list of skipped lines.
std::optional<RegistryValue> Parser::ParseValueEntry(std::string_view line, std::size_t& next,
                                                     std::string& entryText) const {
  std::string_view rest = line;
  std::string name;
  if (rest.front() == '@') {
    rest.remove_prefix(1);
  } else {
    std::optional<std::string> quoted = TakeQuoted(rest);
    if (!quoted) return std::nullopt;
    name = std::move(*quoted);
  }
  rest = Trim(rest);
  if (rest.empty() || rest.front() != '=') return std::nullopt;
  rest = Trim(rest.substr(1));
  if (StartsWith(rest, "hex")) {
    const std::size_t firstLine = next;
    const std::string joined = JoinContinuations(rest, next);
    for (std::size_t k = firstLine; k < next; ++k) (entryText += '\n') += lines_[k];
    std::optional<RegistryValue> value = ParseData(joined);
    if (value) value->name = std::move(name);
    return value;
  }
  std::optional<RegistryValue> value = ParseData(rest);
  if (value) value->name = std::move(name);
  return value;
}

void Parser::Store(RegistryValue value, std::vector<RegistryKeyRecord>& keys) {
  RegistryKeyRecord& key = keys[*currentKey_];
  const auto [it, added] = valueIndex_.try_emplace(Folded(key.path) + '\n' + Folded(value.name), key.values.size());
  if (added) {
    key.values.push_back(std::move(value));
  } else {
    key.values[it->second] = std::move(value);
  }
}

}  // namespace

RegistryFile RegistryFile::Parse(std::string_view bytes) {
  const std::string text = DecodeFileText(bytes);
  RegistryFile file;
  Parser(SplitLines(text)).Run({file.keys_, file.leadingComments_, file.skipped_});
  return file;
}

const RegistryKeyRecord* RegistryFile::FindKey(std::string_view path) const {
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  for (const RegistryKeyRecord& key : keys_) {
    if (EqualsIgnoringAsciiCase(key.path, path)) return &key;
  }
  return nullptr;
}

RegistryKeyRecord* RegistryFile::FindKey(std::string_view path) {
  return const_cast<RegistryKeyRecord*>(std::as_const(*this).FindKey(path));
}

RegistryKeyRecord& RegistryFile::FindOrAddKey(std::string_view path) {
  if (RegistryKeyRecord* key = FindKey(path)) return *key;
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  keys_.push_back({std::string(path), {}, {}});
  return keys_.back();
}

const RegistryValue* FindValue(const RegistryKeyRecord& key, std::string_view name) {
  for (const RegistryValue& value : key.values) {
    if (EqualsIgnoringAsciiCase(value.name, name)) return &value;
  }
  return nullptr;
}

void SetValue(RegistryKeyRecord& key, RegistryValue value) {
  for (RegistryValue& stored : key.values) {
    if (EqualsIgnoringAsciiCase(stored.name, value.name)) {
      stored.type = value.type;
      stored.data = std::move(value.data);
      return;
    }
  }
  key.values.push_back(std::move(value));
}

}  // namespace platform
