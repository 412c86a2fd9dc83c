#include "platform/backends/headless/headless_script.h"

#include <algorithm>
#include <cstdlib>

#include "platform/graphics/png_writer.h"
#include "platform/system/ascii_case.h"
#include "platform/system/decimal.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"

namespace platform {
namespace {

// The largest step of a scripted drag, in pixels.
constexpr int kDragStep = 8;

struct NamedKey {
  std::string_view name;
  std::uint16_t key;
  char16_t character;
};

constexpr NamedKey kNamedKeys[] = {
    {"Up", kVkUp, 0},         {"Down", kVkDown, 0},         {"Left", kVkLeft, 0},   {"Right", kVkRight, 0},
    {"PageUp", kVkPrior, 0},  {"PageDown", kVkNext, 0},     {"Home", kVkHome, 0},   {"End", kVkEnd, 0},
    {"Return", kVkReturn, u'\r'}, {"Escape", kVkEscape, 0x1B}, {"F1", kVkF1, 0},    {"F3", kVkF3, 0},
    {"Tab", kVkTab, u'\t'},     {"Backspace", kVkBack, 0x08}, {"Delete", kVkDelete, 0},
    {"Space", kVkSpace, u' '},  {"F10", kVkF10, 0},           {"F11", kVkF11, 0},
    {"plus", kVkOemPlus, u'+'}, {"minus", kVkOemMinus, u'-'},
};

// The virtual key a character's key has: letters and digits their upper
// case code, everything else none of its own.
std::uint16_t KeyOfCharacter(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<std::uint16_t>(c - u'a' + u'A');
  if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u' ') return c;
  return 0;
}

bool ParseKey(std::string_view name, ScriptCommand& command) {
  while (true) {
    if (StartsWithIgnoringAsciiCase(name, "ctrl+") && name.size() > 5) {
      command.control = true;
      name.remove_prefix(5);
    } else if (StartsWithIgnoringAsciiCase(name, "alt+") && name.size() > 4) {
      command.alt = true;
      name.remove_prefix(4);
    } else if (StartsWithIgnoringAsciiCase(name, "shift+") && name.size() > 6) {
      command.shift = true;
      name.remove_prefix(6);
    } else {
      break;
    }
  }
  for (const NamedKey& named : kNamedKeys) {
    if (EqualsIgnoringAsciiCase(name, named.name)) {
      command.key = named.key;
      command.character = named.character;
      return true;
    }
  }
  const std::u16string character = Utf8ToUtf16(name);
  if (character.size() != 1 || character[0] == 0xFFFD) return false;
  command.character = character[0];
  command.key = KeyOfCharacter(character[0]);
  // With a modifier held a key types nothing.
  if (command.control || command.alt) command.character = 0;
  return true;
}

// Exactly `count` whole numbers of pixel coordinates, separated by single spaces.
std::optional<std::vector<std::int32_t>> ParseCoordinates(std::string_view text, std::size_t count) {
  std::vector<std::int32_t> numbers;
  while (true) {
    const std::size_t gap = text.find(' ');
    const auto number = ParseWholeNumber(text.substr(0, gap), -32768, 32767);
    if (!number) return std::nullopt;
    numbers.push_back(static_cast<std::int32_t>(*number));
    if (gap == std::string_view::npos) break;
    text.remove_prefix(gap + 1);
  }
  if (numbers.size() != count) return std::nullopt;
  return numbers;
}

// The presses of the tap verbs.
int TapClicks(std::string_view verb) {
  if (verb == "tap") return 1;
  if (verb == "double-tap") return 2;
  if (verb == "triple-tap") return 3;
  return 0;
}

// One line's command, or the reason it is not one.
std::optional<std::string> ParseLine(std::string_view line, ScriptCommand& command) {
  const std::size_t space = line.find(' ');
  std::string_view verb = line.substr(0, space);
  const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
  const bool shifted = StartsWithIgnoringAsciiCase(verb, "shift+");
  if (shifted) verb.remove_prefix(6);
  if (TapClicks(verb) != 0) {
    const auto at = ParseCoordinates(rest, 2);
    if (!at) return std::string(verb) + " takes two whole numbers: " + std::string(verb) + " X Y";
    command.kind = ScriptCommand::Kind::kTap;
    command.x = (*at)[0];
    command.y = (*at)[1];
    command.clicks = TapClicks(verb);
    command.shift = shifted;
  } else if (shifted) {
    return "only a tap takes shift+";
  } else if (verb == "drag") {
    const auto at = ParseCoordinates(rest, 4);
    if (!at) return "drag takes four whole numbers: drag X1 Y1 X2 Y2";
    command.kind = ScriptCommand::Kind::kDrag;
    command.x = (*at)[0];
    command.y = (*at)[1];
    command.toX = (*at)[2];
    command.toY = (*at)[3];
  } else if (verb == "key") {
    command.kind = ScriptCommand::Kind::kKey;
    if (rest.empty() || !ParseKey(rest, command)) return "unknown key '" + std::string(rest) + "'";
  } else if (verb == "type") {
    if (rest.empty()) return "type takes the text to type";
    command.kind = ScriptCommand::Kind::kType;
    command.text = rest;
  } else if (verb == "command") {
    const auto id = ParseWholeNumber(rest, 0, 65535);
    if (!id) return "command takes an identifier from 0 to 65535";
    command.kind = ScriptCommand::Kind::kCommand;
    command.command = static_cast<std::uint16_t>(*id);
  } else if (verb == "wait-idle") {
    if (!rest.empty()) return "wait-idle takes nothing";
    command.kind = ScriptCommand::Kind::kWaitIdle;
  } else if (verb == "snapshot") {
    if (rest.empty()) return "snapshot takes a file name";
    command.kind = ScriptCommand::Kind::kSnapshot;
    command.text = rest;
  } else {
    return "unknown command '" + std::string(verb) + "'";
  }
  return std::nullopt;
}

void PressKey(std::uint16_t key, char16_t character, bool control, bool alt, bool shift) {
  if (control) InjectKey(kVkControl, true);
  if (alt) InjectKey(kVkMenu, true);
  if (shift) InjectKey(kVkShift, true);
  InjectKey(key, true, character);
  InjectKey(key, false);
  if (shift) InjectKey(kVkShift, false);
  if (alt) InjectKey(kVkMenu, false);
  if (control) InjectKey(kVkControl, false);
}

}  // namespace

std::optional<std::vector<ScriptCommand>> ParseScript(std::string_view text, ScriptError& error) {
  std::vector<ScriptCommand> commands;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    ScriptCommand command;
    if (const auto reason = ParseLine(line, command)) {
      error = ScriptError{number, *reason};
      return std::nullopt;
    }
    commands.push_back(std::move(command));
  }
  return commands;
}

void RunScriptCommand(const ScriptCommand& command) {
  const WindowHandle front = GetForegroundWindow();
  switch (command.kind) {
    case ScriptCommand::Kind::kTap: {
      if (!front) return;
      const Point at = ClientToScreen(front, Point{command.x, command.y});
      if (command.shift) InjectKey(kVkShift, true);
      // Each press counted as the desktop counts the presses of a click.
      for (int press = 1; press <= command.clicks; ++press) {
        InjectStylus(StylusAction::kDown, at, press);
        InjectStylus(StylusAction::kUp, at);
      }
      if (command.shift) InjectKey(kVkShift, false);
      return;
    }
    case ScriptCommand::Kind::kDrag: {
      if (!front) return;
      const Point from = ClientToScreen(front, Point{command.x, command.y});
      const Point to = ClientToScreen(front, Point{command.toX, command.toY});
      InjectStylus(StylusAction::kDown, from);
      // A hand moves the pointer through the points between, a few pixels
      // at a time.
      const int steps = std::max({1, std::abs(to.x - from.x) / kDragStep, std::abs(to.y - from.y) / kDragStep});
      for (int step = 1; step <= steps; ++step) {
        InjectStylus(StylusAction::kMove, Point{from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
      }
      InjectStylus(StylusAction::kUp, to);
      return;
    }
    case ScriptCommand::Kind::kKey:
      PressKey(command.key, command.character, command.control, command.alt, command.shift);
      return;
    case ScriptCommand::Kind::kType:
      for (const char16_t c : Utf8ToUtf16(command.text)) PressKey(KeyOfCharacter(c), c, false, false, false);
      return;
    case ScriptCommand::Kind::kCommand:
      if (front) PostMessage(front, kWmCommand, command.command, 0);
      return;
    case ScriptCommand::Kind::kWaitIdle:
      return;
    case ScriptCommand::Kind::kSnapshot:
      WritePng(ScreenImage(), command.text);
      return;
    case ScriptCommand::Kind::kCall:
      if (command.call) command.call();
      return;
  }
}

}  // namespace platform
