#include "view/letter_code.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <span>

#include "core/app_state.h"
#include "platform/system/memory.h"
#include "view/reading_order.h"

namespace quillory {
namespace {

constexpr std::uint8_t kFirstLetter = 0x61;  // alef
constexpr std::uint8_t kLastLetter = 0x7B;   // tav
constexpr std::uint8_t kCurlyStandIn = 0x7E;

struct ConversionBuffer {
  char16_t* chars = nullptr;   // from the platform heap; capacity + 1 characters
  std::int32_t capacity = 0;   // characters a run may have
  std::int32_t runBase = kNoMappingBase;

  ~ConversionBuffer() { platform::Release(chars); }
};

ConversionBuffer& Conversion() {
  static ConversionBuffer buffer;
  return buffer;
}

// Grows the buffer to hold `count` characters and the terminator. A failed
// growth keeps the old buffer, so that later, shorter runs still convert.
bool Reserve(ConversionBuffer& buffer, std::int32_t count) {
  if (buffer.chars && buffer.capacity >= count) return true;
  auto* grown = static_cast<char16_t*>(platform::Alloc((static_cast<std::size_t>(count) + 1) * sizeof(char16_t)));
  if (!grown) return false;
  platform::Release(buffer.chars);
  buffer.chars = grown;
  buffer.capacity = count;
  return true;
}

std::int32_t EffectiveBase(std::int32_t base) {
  return base == kLiveFontBase ? static_cast<std::int32_t>(App().font.asciiBase) : base;
}

bool ReverseOption() { return (App().flags & kReverseFlag) != 0; }

// A hyphen between two digits is part of a number range ("15-21"): a line
// broken there would show the range's halves in the wrong order.
bool JoinsDigits(const std::uint8_t* bytes, std::int32_t at, std::int32_t count) {
  const auto digit = [](std::uint8_t b) { return b >= '0' && b <= '9'; };
  return at >= 1 && at + 1 < count && digit(bytes[at - 1]) && digit(bytes[at + 1]);
}

}  // namespace

std::int32_t RunBase() { return Conversion().runBase; }
void SetRunBase(std::int32_t base) { Conversion().runBase = base; }

std::u16string_view ToDisplayChars(const std::uint8_t* bytes, std::int32_t count, std::int32_t base, bool reverse) {
  ConversionBuffer& buffer = Conversion();
  count = std::max(count, 0);
  if (!Reserve(buffer, count)) return {};
  std::int32_t length = 0;
  for (; length < count && bytes[length] != 0; ++length) {
    const std::uint8_t b = bytes[length];
    char16_t c = b;
    if (base != kNoMappingBase) {
      if (b >= kFirstLetter && b <= kLastLetter) c = static_cast<char16_t>(b - kFirstLetter + base);
      if (b == kCurlyStandIn) c = u'{';
    }
    buffer.chars[length] = c;
  }
  buffer.chars[length] = 0;
  // Only the characters converted are reversed: a zero byte may end the run
  // before `count`, and what lies beyond it is not part of the run.
  if (length > 0 && base != kNoMappingBase && reverse) {
    std::reverse(buffer.chars, buffer.chars + length);
    std::transform(buffer.chars, buffer.chars + length, buffer.chars, MirroredBracket);
  }
  return std::u16string_view(buffer.chars, static_cast<std::size_t>(length));
}

std::u16string_view ToReadingChars(const std::uint8_t* bytes, std::int32_t count, std::int32_t base) {
  const std::u16string_view reversed = ToDisplayChars(bytes, count, base, true);
  if (base == kNoMappingBase || reversed.empty()) return reversed;
  RestoreLeftToRightRuns(std::span(bytes, reversed.size()), std::span(Conversion().chars, reversed.size()));
  return reversed;
}

MeasuredRun MeasureRun(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t maxWidth,
                       std::int32_t count) {
  const std::u16string_view chars = ToDisplayChars(bytes, count, EffectiveBase(RunBase()), false);
  const platform::TextFit fit = context.GetTextExtentExPoint(chars, maxWidth);
  return MeasuredRun{fit.fit, fit.width};
}

MeasuredRun FitLine(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t maxWidth,
                    std::int32_t count, bool breakAfterHyphen) {
  const MeasuredRun run = MeasureRun(context, bytes, maxWidth, count);
  if (run.count >= count || bytes[run.count] == ' ') return run;
  for (std::int32_t i = run.count - 1; i >= 1; --i) {
    const bool space = bytes[i] == ' ';
    if (space || (breakAfterHyphen && bytes[i] == '-' && !JoinsDigits(bytes, i, count))) {
      return MeasureRun(context, bytes, run.width, space ? i : i + 1);
    }
  }
  return run;
}

ReadingStart FitReadingStart(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t count,
                             std::int32_t maxWidth) {
  const auto widthOf = [&](std::int32_t at, std::int32_t n) {
    return n == 0 ? 0 : MeasureRun(context, bytes + at, INT32_MAX, n).width;
  };
  // Most runs fit whole (a label's column is made for its label): one
  // measure instead of one for each byte.
  if (const std::int32_t whole = widthOf(0, count); whole <= maxWidth) return ReadingStart{0, 0, 0, count, 0, whole};
  const std::span<const std::uint8_t> stored(bytes, static_cast<std::size_t>(std::max(count, 0)));
  // The left-to-right run that ends where the tail begins, if one does.
  const auto runEndingAt = [&](std::size_t end) -> std::optional<LeftToRightRun> {
    for (auto run = NextLeftToRightRun(stored, 0); run && run->begin < end; run = NextLeftToRightRun(stored, run->end)) {
      if (run->end == end) return run;
    }
    return std::nullopt;
  };
  ReadingStart best{0, 0, count, 0, 0, 0};
  std::int32_t tail = count;          // the tail taken: bytes[tail, count)
  std::optional<LeftToRightRun> run;  // a run being taken from its left end
  std::int32_t taken = 0;
  while (true) {
    // One more byte in reading order.
    if (run) {
      ++taken;
    } else if (tail == 0) {
      break;
    } else if ((run = runEndingAt(static_cast<std::size_t>(tail)))) {
      taken = 1;
    } else {
      --tail;
    }
    if (run && static_cast<std::size_t>(taken) == run->end - run->begin) {
      tail = static_cast<std::int32_t>(run->begin);  // the whole run read: it joins the tail
      run.reset();
    }
    ReadingStart candidate;
    candidate.headAt = run ? static_cast<std::int32_t>(run->begin) : 0;
    candidate.headCount = run ? taken : 0;
    candidate.tailAt = tail;
    candidate.tailCount = count - tail;
    candidate.headWidth = widthOf(candidate.headAt, candidate.headCount);
    candidate.width = candidate.headWidth + widthOf(candidate.tailAt, candidate.tailCount);
    if (candidate.width > maxWidth) break;
    best = candidate;
  }
  return best;
}

std::u16string_view DrawnChars(const std::uint8_t* bytes, std::int32_t count) {
  return ToDisplayChars(bytes, count, EffectiveBase(RunBase()), ReverseOption());
}

bool RunDrawnReversed() { return ReverseOption() && EffectiveBase(RunBase()) != kNoMappingBase; }

void DrawRun(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t count, std::int32_t x,
             std::int32_t y, std::int32_t width, std::int32_t height) {
  const std::u16string_view chars = DrawnChars(bytes, count);
  constexpr std::uint32_t kCentredOneLine =
      platform::kDtCenter | platform::kDtVCenter | platform::kDtSingleLine | platform::kDtNoPrefix;
  static_assert(kCentredOneLine == 0x825);
  context.DrawText(chars, platform::Rect{x, y, x + width, y + height}, kCentredOneLine);
}

void DrawRunColoured(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t count, std::int32_t x,
                     std::int32_t y, std::int32_t width, std::int32_t height, platform::Color text,
                     platform::Color background) {
  const platform::Color oldText = context.SetTextColor(text);
  const platform::Color oldBackground = context.SetBkColor(background);
  DrawRun(context, bytes, count, x, y, width, height);
  context.SetTextColor(oldText);
  context.SetBkColor(oldBackground);
}

void FillViewRect(platform::DeviceContext& context, std::int32_t left, std::int32_t top, std::int32_t width,
                  std::int32_t height, platform::StockBrush brush) {
  context.FillRect(platform::Rect{left, top, left + width, top + height}, *platform::GetStockBrush(brush));
}

void FillViewRect(platform::DeviceContext& context, std::int32_t left, std::int32_t top, std::int32_t width,
                  std::int32_t height, platform::Color colour) {
  context.FillRect(platform::Rect{left, top, left + width, top + height}, platform::SolidBrush(colour));
}

}  // namespace quillory
