#include "app/command_line.h"

#include <algorithm>

#include "app/this_week_query.h"
#include "platform/system/ascii_case.h"
#include "platform/system/decimal.h"
#include "platform/system/text_encoding.h"

namespace quillory {
namespace {

CommandLine UsageError(std::string error) {
  CommandLine result;
  result.action = CommandLine::Action::kUsageError;
  result.error = std::move(error);
  return result;
}

// Longest face name a font description holds, in 16-bit characters.
constexpr std::size_t kLongestFace = 31;

bool TakesValue(const std::string& option) {
  return option == "--render" || option == "--output" || option == "--size" || option == "--top" ||
         option == "--font" || option == "--font-size" || option == "--script" || option == "--scale" ||
         option == "--snapshot" || option == "--readings";
}

// Reads the value of an option that takes one; the reason when it is malformed.
std::optional<std::string> ReadOptionValue(const std::string& option, const std::string& value, CommandLine& result) {
  RenderOptions& render = result.render;
  WindowOptions& window = result.window;
  if (option == "--script") {
    if (value.empty()) return "--script takes a file name";
    window.script = value;
  } else if (option == "--snapshot") {
    if (value.empty()) return "--snapshot takes a file name";
    window.snapshot = value;
  } else if (option == "--scale") {
    const auto scale = ParseScale(value);
    if (!scale) return "--scale takes a number from 1 to 4 in steps of 0.25";
    render.scale = *scale;
    window.scale = scale;
  } else if (option == "--readings") {
    const std::optional<ReadingsSpan> span = ParseReadingsYears(value);
    if (!span) {
      return "--readings takes a civil year from " + std::to_string(kFirstQueryYear) + " to " +
             std::to_string(kLastQueryYear) + ", a Hebrew year from " + std::to_string(kFirstReadingsHebrewYear) +
             " to " + std::to_string(kLastReadingsHebrewYear) + ", or a span of either kind (FIRST-LAST)";
    }
    result.readings = *span;
  } else if (option == "--render") {
    const auto number = platform::ParseWholeNumber(value, 1, 44);
    if (!number) return "--render takes an article number from 1 to 44";
    render.article = static_cast<int>(*number);
    result.action = CommandLine::Action::kRender;
  } else if (option == "--output") {
    if (value.empty()) return "--output takes a file name";
    render.output = value;
  } else if (option == "--size") {
    const std::size_t x = value.find('x');
    const auto width = platform::ParseWholeNumber(std::string_view(value).substr(0, x), 1, 4096);
    const auto height = x == std::string::npos ? std::nullopt : platform::ParseWholeNumber(std::string_view(value).substr(x + 1), 1, 4096);
    if (!width || !height) return "--size takes WIDTHxHEIGHT, each from 1 to 4096";
    render.width = static_cast<std::int32_t>(*width);
    render.height = static_cast<std::int32_t>(*height);
    window.size = platform::Size{render.width, render.height};
  } else if (option == "--top") {
    const auto top = platform::ParseWholeNumber(value, 0, 65535);
    if (!top) return "--top takes a display unit from 0 to 65535";
    render.top = static_cast<std::uint16_t>(*top);
  } else if (option == "--font") {
    if (platform::Utf8ToUtf16(value).size() > kLongestFace) return "--font takes a face name of at most 31 characters";
    render.face = value;
  } else {
    const auto size = platform::ParseWholeNumber(value, -400, 400);
    if (!size) return "--font-size takes a height from -400 to 400";
    render.fontSize = static_cast<std::int32_t>(*size);
  }
  return std::nullopt;
}

// With --this-week the other arguments are at most one date and one location.
CommandLine FinishThisWeek(CommandLine result, const std::vector<std::string>& positional) {
  if (positional.size() > 1) return UsageError("--this-week takes one date, not '" + positional[1] + "'");
  if (!positional.empty()) {
    result.date = ParseQueryDate(positional[0]);
    if (!result.date) {
      return UsageError("malformed date '" + positional[0] + "': expected YYYY-MM-DD, a day of the years " +
                        std::to_string(kFirstQueryYear) + " to " + std::to_string(kLastQueryYear));
    }
  }
  return result;
}

}  // namespace

std::optional<platform::DeviceScale> ParseScale(std::string_view text) {
  // Whole quarters only: at most two decimals, and those a quarter's.
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  const auto units = platform::ParseWholeNumber(whole, 1, 4);
  if (!units || (point != std::string_view::npos && (fraction.empty() || fraction.size() > 2))) return std::nullopt;
  std::int64_t hundredths = 0;
  if (!fraction.empty()) {
    const auto digits = platform::ParseWholeNumber(fraction, 0, 99);
    if (!digits) return std::nullopt;
    hundredths = fraction.size() == 1 ? *digits * 10 : *digits;
  }
  if (hundredths % 25 != 0 || (*units == 4 && hundredths != 0)) return std::nullopt;
  return platform::DeviceScale::FromQuarters(static_cast<int>(*units * 4 + hundredths / 25));
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  std::vector<std::string> positional;
  bool thisWeek = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
    } else if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
    } else if (arg == "--headless") {
      result.window.headless = true;
    } else if (arg == "--this-week") {
      thisWeek = true;
    } else if (arg == "--israel" || arg == "--diaspora") {
      const ReadingLocation location = arg == "--israel" ? ReadingLocation::kIsrael : ReadingLocation::kDiaspora;
      if (result.location && *result.location != location) return UsageError("--israel and --diaspora exclude each other");
      result.location = location;
    } else if (TakesValue(arg)) {
      if (i + 1 == arguments.size()) return UsageError(arg + " needs a value");
      if (const auto problem = ReadOptionValue(arg, arguments[++i], result)) return UsageError(*problem);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option '" + arg + "'");
    } else {
      positional.push_back(arg);
    }
  }
  // A span's days are never 0: the option was given.
  const bool readings = result.readings.lastDay != 0;
  if (thisWeek && result.action == CommandLine::Action::kRender) {
    return UsageError("--this-week and --render exclude each other");
  }
  if (readings && (thisWeek || !result.render.output.empty() || result.render.article != 0)) {
    return UsageError("--readings goes with nothing but --israel or --diaspora");
  }
  if (readings) {
    if (!positional.empty()) return UsageError("--readings takes one year or span, not '" + positional[0] + "'");
    if (result.action == CommandLine::Action::kRun) result.action = CommandLine::Action::kReadings;
    return result;
  }
  if (thisWeek) {
    if (result.action == CommandLine::Action::kRun) result.action = CommandLine::Action::kThisWeek;
    return FinishThisWeek(std::move(result), positional);
  }
  if (result.location) return UsageError("--israel and --diaspora go with --this-week or --readings");
  if (result.action == CommandLine::Action::kRender && result.render.output.empty()) {
    return UsageError("--render needs --output FILE.png");
  }
  if (!result.window.script.empty() && !result.window.headless) return UsageError("--script goes with --headless");
  std::string handheldLine;
  for (const std::string& arg : positional) {
    if (!handheldLine.empty()) handheldLine += ' ';
    handheldLine += arg;
  }
  result.today = platform::EqualsIgnoringAsciiCase(handheldLine, "/today");
  return result;
}

std::string UsageText() {
  return "Usage: quillory-32 [--headless [--script FILE]] [--scale S] [--size WxH]\n"
         "                   [--snapshot FILE.png] [/today]\n"
         "       quillory-32 --this-week [YYYY-MM-DD] [--israel|--diaspora]\n"
         "       quillory-32 --readings YEAR[-YEAR] [--israel|--diaspora]\n"
         "       quillory-32 --render N --output FILE.png [--size WxH] [--top UNIT]\n"
         "                   [--font FACE] [--font-size N] [--scale S]\n"
         "Reads the volume \"Quillory - 32\".\n"
         "\n"
         "  /today             open this week's article, whatever was read last\n"
         "  --headless         run without a window (for scripts and tests)\n"
         "  --script FILE      with --headless: play the taps, keys and commands of\n"
         "                     FILE, then close the reader the orderly way\n"
         "  --scale S          screen pixels per pixel of the reader, 1 to 4 in steps\n"
         "                     of 0.25 (default: twice the desktop's own scale, 2 on\n"
         "                     an ordinary screen; with --render 1)\n"
         "  --size WxH         the reader's size in its own pixels (default: as the\n"
         "                     window was left, first 240x320; with --render the page\n"
         "                     size, default 240x294)\n"
         "  --snapshot FILE    write the screen as PNG once the reader is shown, at\n"
         "                     the screen's pixels\n"
         "  --this-week        print the coming Sabbath of the date (default today),\n"
         "                     its Hebrew date, its portion and the article This Week\n"
         "                     shows; the location is decided as the reader decides it\n"
         "                     unless --israel or --diaspora is given\n"
         "  --readings YEAR    print every Sabbath of a civil year (1500-2599) or a\n"
         "                     Hebrew year (5260-6360), or of a span (1500-2599), one\n"
         "                     line each, tab-separated: the date, the Hebrew date,\n"
         "                     the portion read and the article This Week shows;\n"
         "                     the time zone decides the location unless --israel\n"
         "                     or --diaspora is given\n"
         "  --render N         draw a page of article N (1-44) into a PNG file\n"
         "  --output FILE.png  where --render writes the page\n"
         "  --top UNIT         the display line at the top of the page (default 0)\n"
         "  --font FACE        the font face (default: a face with the Hebrew letters)\n"
         "  --font-size N      the font height: positive cell height, negative\n"
         "                     character height, 0 the default\n"
         "  --help             show this text and exit\n"
         "  --version          show the version and exit\n"
         "\n"
         "--this-week, --readings and --render write no setting and open no window.\n"
         "\n"
         "Keys in the window:\n"
         "  Page Down, Space      a page forward    Page Up, Shift+Space  a page back\n"
         "  Down, Up              one line          Home, End      the article's start, end\n"
         "  Right, Left           the next, the previous article\n"
         "  Backspace, Alt+Left   back where the back link returns\n"
         "  F10, Alt+G            the Go menu (arrows, Enter, Escape, underlined letters)\n"
         "  Ctrl+Home             This Week         Ctrl+F         Font\n"
         "  Ctrl+plus, Ctrl+minus, Ctrl+0   the text larger, smaller, its default size\n"
         "  Ctrl+D                Index             Ctrl+B         Bookmark\n"
         "  Alt+F3, F3 (Enter)    Search, Search Again\n"
         "  Ctrl+C, Ctrl+E        Copy, Append to ClipBoard (the selection, when there is one)\n"
         "  Ctrl+N                Night Reading     Escape         clear the selection\n"
         "  F11                   full screen       F1             About\n"
         "  Ctrl+Q                quit, remembering where you were\n"
         "Mouse: drag across the text to select a passage, double-click a word,\n"
         "triple-click a paragraph, Shift+click to extend; a click turns the page.\n";
}

}  // namespace quillory
