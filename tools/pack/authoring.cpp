#include "tools/pack/authoring.h"

#include <charconv>
#include <optional>

#include "tools/pack/letter_text.h"
#include "tools/pack/records.h"
#include "tools/pack/utf8.h"

namespace quillory::pack {
namespace {

constexpr int kArticleCount = 44;

enum class Shape { kText, kRule, kLink, kBack, kEmpty };

struct Kind {
  std::string_view name;
  Shape shape;
  std::uint8_t style;
  std::uint8_t indent;
  std::uint8_t label;
};

constexpr Kind kKinds[] = {
    {"title", Shape::kText, 0xDC, 0, 0},      {"subtitle", Shape::kText, 0xD1, 0, 0},
    {"heading", Shape::kText, 0xDC, 0, 0},    {"subheading", Shape::kText, 0xB9, 0, 0},
    {"p", Shape::kText, 0xB1, 0, 0},          {"small", Shape::kText, 0xB2, 12, 0},
    {"smaller", Shape::kText, 0xB3, 24, 0},   {"note", Shape::kText, 0xB1, 0, 1},
    {"ltr", Shape::kText, 0x41, 0, 0},        {"rule", Shape::kRule, 0xC7, 0, 0},
    {"link", Shape::kLink, 0xD7, 0, 0},       {"back", Shape::kBack, 0xD7, 0, 0},
    {"empty", Shape::kEmpty, 0xC7, 0, 0},
};

// One source line split into its head words and its text.
struct Line {
  std::size_t number = 0;
  std::vector<std::string_view> words;
  std::string_view text;
};

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitWords(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    std::size_t j = i;
    while (j < s.size() && s[j] != ' ' && s[j] != '\t') ++j;
    if (j > i) words.push_back(s.substr(i, j - i));
    i = j;
  }
  return words;
}

// Decimal, or hexadecimal with 0x.
std::optional<std::uint32_t> ParseNumber(std::string_view s) {
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  std::uint32_t value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return value;
}

class SourceReader {
 public:
  SourceReader(std::string_view file, std::vector<Diagnostic>& diagnostics) : file_(file), diagnostics_(diagnostics) {}

  // The record lines of `source`: comments and blank lines dropped.
  std::vector<Line> Lines(std::string_view source) {
    std::vector<Line> lines;
    std::size_t number = 0;
    while (!source.empty()) {
      ++number;
      const std::size_t end = source.find('\n');
      std::string_view raw = source.substr(0, end);
      source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
      raw = Trim(raw);
      if (raw.empty() || raw.front() == '#') continue;
      const std::size_t colon = raw.find(':');
      if (colon == std::string_view::npos) {
        Error(number, "no ':' after the record's kind");
        continue;
      }
      Line line;
      line.number = number;
      line.words = SplitWords(raw.substr(0, colon));
      line.text = Trim(raw.substr(colon + 1));
      if (line.words.empty()) {
        Error(number, "no kind before ':'");
        continue;
      }
      lines.push_back(line);
    }
    return lines;
  }

  // Text of a record converted to its stored string.
  std::optional<std::string> StoreText(const Line& line, bool hebrew) {
    std::size_t bad = 0;
    const auto logical = DecodeUtf8(line.text, &bad);
    if (!logical) {
      Error(line.number, "not UTF-8 at byte " + std::to_string(bad) + " of the text");
      return std::nullopt;
    }
    TextError error;
    auto stored = hebrew ? StoreHebrew(*logical, error) : StorePlain(*logical, error);
    if (!stored) Error(line.number, "column " + std::to_string(error.column) + ": " + error.reason);
    return stored;
  }

  void Error(std::size_t line, std::string message) { diagnostics_.push_back({std::string(file_), line, std::move(message)}); }
  bool failed() const { return failed_ != diagnostics_.size(); }

 private:
  std::string_view file_;
  std::vector<Diagnostic>& diagnostics_;
  std::size_t failed_ = diagnostics_.size();
};

// Options of a head after its kind (and number), into their fields.
struct Options {
  std::optional<std::uint32_t> style, indent, label, level;
  bool cont = false;
  bool wide = false;
};

bool ParseOptions(const Line& line, std::size_t first, Options& options, SourceReader& reader) {
  for (std::size_t i = first; i < line.words.size(); ++i) {
    const std::string_view word = line.words[i];
    if (word == "cont") {
      options.cont = true;
      continue;
    }
    if (word == "wide") {
      options.wide = true;
      continue;
    }
    const std::size_t eq = word.find('=');
    const std::string_view name = word.substr(0, eq);
    const auto value = eq == std::string_view::npos ? std::nullopt : ParseNumber(word.substr(eq + 1));
    std::optional<std::uint32_t>* field = name == "style"    ? &options.style
                                          : name == "indent" ? &options.indent
                                          : name == "label"  ? &options.label
                                          : name == "level"  ? &options.level
                                                             : nullptr;
    if (field == nullptr || !value) {
      reader.Error(line.number, "unknown option '" + std::string(word) + "'");
      return false;
    }
    *field = value;
  }
  return true;
}

// Rule width: "N" (the stored code), "Npx" (1-160 pixels), "N%" (even, 2-190).
std::optional<std::uint8_t> ParseRuleWidth(std::string_view text) {
  if (text.size() > 2 && text.substr(text.size() - 2) == "px") {
    const auto px = ParseNumber(text.substr(0, text.size() - 2));
    if (px && *px >= 1 && *px <= 160) return static_cast<std::uint8_t>(*px);
    return std::nullopt;
  }
  if (!text.empty() && text.back() == '%') {
    const auto percent = ParseNumber(text.substr(0, text.size() - 1));
    if (percent && *percent >= 2 && *percent <= 190 && *percent % 2 == 0) {
      return static_cast<std::uint8_t>(160 + *percent / 2);
    }
    return std::nullopt;
  }
  const auto code = ParseNumber(text);
  if (code && *code >= 1 && *code <= 255) return static_cast<std::uint8_t>(*code);
  return std::nullopt;
}

const Kind* FindKind(std::string_view name) {
  for (const Kind& kind : kKinds) {
    if (kind.name == name) return &kind;
  }
  return nullptr;
}

void AppendString(std::vector<std::uint8_t>& out, std::string_view s) {
  out.insert(out.end(), s.begin(), s.end());
  out.push_back(0);
}

// Compiles one article line into `out`; false (with a diagnostic) when refused.
bool CompileRecord(const Line& line, std::vector<std::uint8_t>& out, SourceReader& reader) {
  const Kind* kind = FindKind(line.words[0]);
  if (kind == nullptr) {
    reader.Error(line.number, "unknown kind '" + std::string(line.words[0]) + "'");
    return false;
  }
  std::size_t optionsAt = 1;
  std::uint16_t linkNumber = 0;
  if (kind->shape == Shape::kLink) {
    const auto n = line.words.size() > 1 ? ParseNumber(line.words[1]) : std::nullopt;
    if (!n || *n < 1 || *n > kArticleCount) {
      reader.Error(line.number, "a link names an article from 1 to 44");
      return false;
    }
    linkNumber = static_cast<std::uint16_t>(*n);
    optionsAt = 2;
  } else if (kind->shape == Shape::kBack) {
    linkNumber = kBackLinkNumber;
  }
  Options options;
  if (!ParseOptions(line, optionsAt, options, reader)) return false;
  const std::uint32_t style = options.style.value_or(kind->style);
  const std::uint32_t indent = options.indent.value_or(kind->indent);
  const std::uint32_t label = options.label.value_or(kind->label);
  const bool special = kind->shape != Shape::kText;
  if (style == 0 || style > 0xFF || IsSpecialStyle(static_cast<std::uint8_t>(style)) != special) {
    reader.Error(line.number, special ? "this kind needs a style whose low three bits are 7"
                                      : "a text record cannot have a style whose low three bits are 7 or 0");
    return false;
  }
  if (indent > 63 || label > 3 || (options.cont && label == 0)) {
    reader.Error(line.number, "indent is 0-63, label 0-3, and cont needs a label");
    return false;
  }
  const auto styleByte = static_cast<std::uint8_t>(style);
  const bool hebrew = (styleByte & kHebrewBit) != 0;

  switch (kind->shape) {
    case Shape::kEmpty:
      out.insert(out.end(), {styleByte, 0, 0});
      return true;
    case Shape::kRule: {
      const auto width = ParseRuleWidth(line.text);
      if (!width) {
        reader.Error(line.number, "rule width is N (1-255), Npx (1-160) or N% (even, 2-190)");
        return false;
      }
      out.insert(out.end(), {styleByte, *width, 0});
      return true;
    }
    case Shape::kLink:
    case Shape::kBack: {
      const auto text = reader.StoreText(line, hebrew);
      if (!text) return false;
      if (text->empty()) {
        reader.Error(line.number, "a link needs a caption");
        return false;
      }
      // The layout byte of a link is not read, but must not be 0 (that would
      // make an empty record).
      out.insert(out.end(), {styleByte, 1});
      if (linkNumber > 0x7F || options.wide) {
        out.push_back(static_cast<std::uint8_t>(linkNumber & 0x7F));
        out.push_back(static_cast<std::uint8_t>(0x80 | (linkNumber >> 7)));
      } else {
        out.push_back(static_cast<std::uint8_t>(linkNumber));
      }
      AppendString(out, *text);
      return true;
    }
    case Shape::kText: {
      auto text = reader.StoreText(line, hebrew);
      if (!text) return false;
      if (text->empty()) {
        reader.Error(line.number, "empty text (the record would make no line)");
        return false;
      }
      // A labelled string that starts with a space continues the previous
      // paragraph's hanging indent instead of starting a label of its own.
      if (options.cont && text->front() != ' ') text->insert(text->begin(), ' ');
      if (label != 0 && !options.cont && text->front() == ' ') {
        reader.Error(line.number, "this labelled paragraph would continue the previous one; add cont or reword");
        return false;
      }
      out.push_back(styleByte);
      out.push_back(static_cast<std::uint8_t>((label << 6) | indent));
      AppendString(out, *text);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Diagnostic::ToString() const {
  return line == 0 ? file + ": " + message : file + ":" + std::to_string(line) + ": " + message;
}

std::vector<std::uint8_t> CompileArticleSource(std::string_view file, std::string_view source,
                                               std::vector<Diagnostic>& diagnostics) {
  SourceReader reader(file, diagnostics);
  std::vector<std::uint8_t> out;
  for (const Line& line : reader.Lines(source)) CompileRecord(line, out, reader);
  if (out.empty() && !reader.failed()) reader.Error(0, "the article has no records");
  // A zero byte ends the article; the stored texts end with four of them.
  out.insert(out.end(), 4, 0);
  return out;
}

std::vector<std::uint8_t> CompileIndexSource(std::string_view file, std::string_view source,
                                             std::vector<Diagnostic>& diagnostics) {
  SourceReader reader(file, diagnostics);
  std::vector<std::uint8_t> out;
  for (const Line& line : reader.Lines(source)) {
    const std::string_view kind = line.words[0];
    // 0 is no article and no group key, so it stands for a missing number.
    const std::uint32_t n = line.words.size() > 1 ? ParseNumber(line.words[1]).value_or(0) : 0;
    std::uint32_t key = 0;
    if (kind == "article" && n >= 1 && n <= kArticleCount) {
      key = 0x4000 | n;
    } else if (kind == "group" && (n & 0x8000) != 0 && n <= 0xFFFF) {
      key = n;
    } else {
      reader.Error(line.number, "an entry is 'article N' (1-44) or 'group KEY' (a key with bit 0x8000)");
      continue;
    }
    Options options;
    if (!ParseOptions(line, 2, options, reader)) continue;
    const std::uint32_t style = options.style.value_or(0x8C);
    const std::uint32_t level = options.level.value_or(1);
    if (style == 0 || style > 0xFF || level > 0xFF) {
      reader.Error(line.number, "style is 1-255 and level 0-255");
      continue;
    }
    const auto title = reader.StoreText(line, true);
    if (!title) continue;
    if (title->size() < 2 || title->size() > 24) {
      reader.Error(line.number, "a title is 2 to 24 bytes, this one " + std::to_string(title->size()));
      continue;
    }
    out.push_back(static_cast<std::uint8_t>(key & 0xFF));
    out.push_back(static_cast<std::uint8_t>(key >> 8));
    out.push_back(static_cast<std::uint8_t>(style));
    out.push_back(static_cast<std::uint8_t>(level));
    AppendString(out, *title);
  }
  out.insert(out.end(), 5, 0);
  return out;
}

}  // namespace quillory::pack
