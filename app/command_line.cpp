#include "app/command_line.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace quillory {
namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The whole of `text` as a decimal number within [low, high].
std::optional<std::int64_t> Number(std::string_view text, std::int64_t low, std::int64_t high) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return std::nullopt;
  return value;
}

// Longest face name a font description holds, in UTF-8 characters.
constexpr std::size_t kLongestFace = 31;

std::size_t Utf8Length(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool Refuse(CommandLine& result, const char* message) {
  result.error = message;
  return false;
}

// Reads one option that takes a value; false with `error` set when the
// value is missing or malformed.
bool ReadValueOption(const std::string& option, const std::string& value, CommandLine& result) {
  RenderOptions& render = result.render;
  if (option == "--render") {
    const auto number = Number(value, 1, 44);
    if (!number) return Refuse(result, "--render takes an article number from 1 to 44");
    render.article = static_cast<int>(*number);
    result.action = CommandLine::Action::kRender;
  } else if (option == "--output") {
    if (value.empty()) return Refuse(result, "--output takes a file name");
    render.output = value;
  } else if (option == "--size") {
    const std::size_t x = value.find('x');
    const auto width = Number(std::string_view(value).substr(0, x), 1, 4096);
    const auto height = x == std::string::npos ? std::nullopt : Number(std::string_view(value).substr(x + 1), 1, 4096);
    if (!width || !height) return Refuse(result, "--size takes WIDTHxHEIGHT, each from 1 to 4096");
    render.width = static_cast<std::int32_t>(*width);
    render.height = static_cast<std::int32_t>(*height);
  } else if (option == "--top") {
    const auto top = Number(value, 0, 65535);
    if (!top) return Refuse(result, "--top takes a display unit from 0 to 65535");
    render.top = static_cast<std::uint16_t>(*top);
  } else if (option == "--font") {
    if (Utf8Length(value) > kLongestFace) return Refuse(result, "--font takes a face name of at most 31 characters");
    render.face = value;
  } else {
    const auto size = Number(value, -400, 400);
    if (!size) return Refuse(result, "--font-size takes a height from -400 to 400");
    render.fontSize = static_cast<std::int32_t>(*size);
  }
  return true;
}

bool TakesValue(const std::string& option) {
  return option == "--render" || option == "--output" || option == "--size" || option == "--top" ||
         option == "--font" || option == "--font-size";
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine result;
  std::string handheldLine;
  const auto fail = [&result](std::string message) {
    result.action = CommandLine::Action::kUsageError;
    result.error = std::move(message);
    return result;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
    } else if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
    } else if (TakesValue(arg)) {
      if (i + 1 == arguments.size()) return fail(arg + " needs a value");
      if (!ReadValueOption(arg, arguments[++i], result)) return fail(result.error);
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option '" + arg + "'");
    } else {
      if (!handheldLine.empty()) handheldLine += ' ';
      handheldLine += arg;
    }
  }
  if (result.action == CommandLine::Action::kRender && result.render.output.empty()) {
    return fail("--render needs --output FILE.png");
  }
  result.today = EqualsIgnoringCase(handheldLine, "/today");
  return result;
}

std::string UsageText() {
  return "Usage: quillory-32 [OPTION]... [/today]\n"
         "Reads the volume \"Quillory - 32\".\n"
         "\n"
         "  /today             open this week's article, whatever was read last\n"
         "  --render N         draw a page of article N (1-44) into a PNG file and exit;\n"
         "                     no window opens and no setting changes\n"
         "  --output FILE.png  where --render writes the page\n"
         "  --size WxH         the page size in pixels (default 240x294)\n"
         "  --top UNIT         the display line at the top of the page (default 0)\n"
         "  --font FACE        the font face (default: a face with the Hebrew letters)\n"
         "  --font-size N      the font height: positive cell height, negative\n"
         "                     character height, 0 the default\n"
         "  --help             show this text and exit\n"
         "  --version          show the version and exit\n";
}

}  // namespace quillory
