#pragma once
// The one-byte Hebrew letter code and the runs of text the view measures
// and draws. In Hebrew strings the bytes 0x61 to 0x7B are alef to tav in
// the order of the Unicode Hebrew block (each final form before its regular
// form) and 0x7E stands for '{'; every other byte is itself. A run becomes
// 16-bit characters for the chosen font: its letters moved to the font's
// "FontAsciiBase" (97, 224 or 1488), and, when the Reverse option is on,
// the whole run reversed with brackets mirrored.
//
// The conversion uses one buffer for the whole process, grown as needed
// and never shrunk; a converted run stays valid until the next conversion.
// Not reentrant: the reader has one thread.

#include <cstdint>
#include <string_view>

#include "platform/graphics/color.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/paint_objects.h"

namespace quillory {

// The base that maps nothing: bytes are characters of the same value.
constexpr std::int32_t kNoMappingBase = 97;
// A run base of 0 stands for the live "FontAsciiBase".
constexpr std::int32_t kLiveFontBase = 0;

// The base that the next measured or drawn run converts with. Callers that
// convert a Hebrew run set it right before and put back kNoMappingBase right
// after, so that it is kNoMappingBase between runs.
std::int32_t RunBase();
void SetRunBase(std::int32_t base);

// Converts at most `count` bytes, stopping early at a zero byte. Empty when
// the buffer cannot be grown (nothing is reported). The result is followed
// by a zero character.
std::u16string_view ToDisplayChars(const std::uint8_t* bytes, std::int32_t count, std::int32_t base, bool reverse);

// A Hebrew run in reading order, as ToDisplayChars with `reverse` converts
// it, except that its left-to-right runs (numbers, Latin words) keep their
// own order (see view/reading_order.h). With kNoMappingBase the bytes stay
// as they are, unreversed.
std::u16string_view ToReadingChars(const std::uint8_t* bytes, std::int32_t count, std::int32_t base);

struct MeasuredRun {
  std::int32_t count = 0;  // bytes that fit the width
  std::int32_t width = 0;  // their width in pixels
};

// How many of `count` bytes, converted with the run base and never
// reversed, fit in `maxWidth` pixels in the context's font, and their width.
MeasuredRun MeasureRun(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t maxWidth,
                       std::int32_t count);

// The next line of a text in reading order: as many of the `count` bytes
// as fit `maxWidth` pixels (measured as MeasureRun does). When that would
// end the line inside a word, the line ends at the last space before it
// (the space goes to neither line) or, with `breakAfterHyphen`, just after
// a hyphen-minus that does not stand between two digits, whichever comes
// later; a word without either is cut
// where it stops fitting. The line's first byte is never a break.
MeasuredRun FitLine(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t maxWidth,
                    std::int32_t count, bool breakAfterHyphen);

// The beginning in reading order of a Hebrew run stored in visual order,
// as much of it as fits `maxWidth` pixels: a stored tail of the run and,
// when the cut falls inside a number or a Latin word (which reads from
// left to right, see view/reading_order.h), that run's first bytes, which
// stand left of the tail. Drawn left to right: the head, then the tail.
// Offsets are from `bytes`; widths measured as MeasureRun does.
struct ReadingStart {
  std::int32_t headAt = 0;
  std::int32_t headCount = 0;
  std::int32_t tailAt = 0;
  std::int32_t tailCount = 0;
  std::int32_t headWidth = 0;
  std::int32_t width = 0;  // head and tail
};
ReadingStart FitReadingStart(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t count,
                             std::int32_t maxWidth);

// Draws `count` bytes converted with the run base (reversed when the
// Reverse option is on) centred in the box x, y, width × height on one line.
// Given the measured width, the text starts at x.
void DrawRun(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t count, std::int32_t x,
             std::int32_t y, std::int32_t width, std::int32_t height);
// DrawRun in the given colours; the context's colours are put back after.
void DrawRunColoured(platform::DeviceContext& context, const std::uint8_t* bytes, std::int32_t count, std::int32_t x,
                     std::int32_t y, std::int32_t width, std::int32_t height, platform::Color text,
                     platform::Color background);

// Fills left, top, width × height with a stock brush, or with a colour.
void FillViewRect(platform::DeviceContext& context, std::int32_t left, std::int32_t top, std::int32_t width,
                  std::int32_t height, platform::StockBrush brush);
void FillViewRect(platform::DeviceContext& context, std::int32_t left, std::int32_t top, std::int32_t width,
                  std::int32_t height, platform::Color colour);

// The characters DrawRun draws for `count` bytes with the run base now,
// left to right, and whether they are the bytes in reverse (the Reverse
// option on a run that the base maps): valid until the next conversion.
std::u16string_view DrawnChars(const std::uint8_t* bytes, std::int32_t count);
bool RunDrawnReversed();

}  // namespace quillory
