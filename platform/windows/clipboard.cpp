#include "platform/windows/clipboard.h"

#include <map>
#include <string>
#include <vector>

#include "platform/system/ascii_case.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/backend.h"

namespace platform {
namespace {

// Registered formats are numbered from here, as on the handheld, so that
// they never meet a standard format.
constexpr ClipboardFormat kFirstRegisteredFormat = 0xC000;

struct ClipboardState {
  std::vector<std::string> names;  // UTF-8; format kFirstRegisteredFormat + index
  std::map<ClipboardFormat, HeapBlock> held;
  // Another program's data read during this opening; dropped at closing.
  std::map<ClipboardFormat, std::vector<std::uint8_t>> fetched;
  bool open = false;
  bool changed = false;  // emptied or written during this opening
  std::map<ClipboardFormat, HeapBlock> primary;
};

ClipboardState& State() {
  static ClipboardState state;
  return state;
}

std::span<const std::uint8_t> BytesOf(const HeapBlock& block) { return {block.data(), block.length()}; }

}  // namespace

ClipboardFormat RegisterClipboardFormat(std::u16string_view name) {
  if (name.empty()) return 0;
  const std::string utf8 = Utf16ToUtf8(name);
  std::vector<std::string>& names = State().names;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (EqualsIgnoringAsciiCase(names[i], utf8)) return kFirstRegisteredFormat + static_cast<ClipboardFormat>(i);
  }
  names.push_back(utf8);
  return kFirstRegisteredFormat + static_cast<ClipboardFormat>(names.size() - 1);
}

bool OpenClipboard(WindowHandle owner) {
  (void)owner;  // one program, one thread: the owner window decides nothing here
  ClipboardState& state = State();
  if (state.open) return false;
  state.open = true;
  state.changed = false;
  return true;
}

bool EmptyClipboard() {
  ClipboardState& state = State();
  if (!state.open) return false;
  state.held.clear();
  state.fetched.clear();
  state.changed = true;
  return true;
}

bool SetClipboardData(ClipboardFormat format, HeapBlock data) {
  ClipboardState& state = State();
  if (!state.open || !data) return false;
  state.held[format] = std::move(data);
  state.fetched.clear();
  state.changed = true;
  return true;
}

std::optional<std::span<const std::uint8_t>> GetClipboardData(ClipboardFormat format) {
  ClipboardState& state = State();
  if (!state.open) return std::nullopt;
  if (const auto held = state.held.find(format); held != state.held.end()) return BytesOf(held->second);
  // Contents of its own, or an emptying of its own, mean the program holds
  // the clipboard: nobody else's data is current.
  if (!state.held.empty() || state.changed) return std::nullopt;
  if (const auto fetched = state.fetched.find(format); fetched != state.fetched.end()) {
    return std::span<const std::uint8_t>(fetched->second);
  }
  std::optional<std::vector<std::uint8_t>> data = CurrentBackend().ReadDesktopClipboard(format);
  if (!data) return std::nullopt;
  return std::span<const std::uint8_t>(state.fetched[format] = std::move(*data));
}

bool CloseClipboard() {
  ClipboardState& state = State();
  if (!state.open) return false;
  state.open = false;
  state.fetched.clear();
  if (state.changed) CurrentBackend().ClipboardChanged();
  state.changed = false;
  return true;
}

std::optional<std::span<const std::uint8_t>> HeldClipboardData(ClipboardFormat format) {
  const ClipboardState& state = State();
  const auto held = state.held.find(format);
  if (held == state.held.end()) return std::nullopt;
  return BytesOf(held->second);
}

bool ClipboardHoldsAnything() { return !State().held.empty(); }

void ForgetHeldClipboard() { State().held.clear(); }

void SetPrimarySelection(std::vector<std::pair<ClipboardFormat, HeapBlock>> contents) {
  std::map<ClipboardFormat, HeapBlock>& primary = State().primary;
  primary.clear();
  for (auto& [format, data] : contents) {
    if (data) primary[format] = std::move(data);
  }
  CurrentBackend().PrimarySelectionChanged();
}

std::optional<std::span<const std::uint8_t>> HeldPrimarySelection(ClipboardFormat format) {
  const auto& primary = State().primary;
  const auto held = primary.find(format);
  if (held == primary.end()) return std::nullopt;
  return BytesOf(held->second);
}

void ForgetPrimarySelection() { State().primary.clear(); }

void ResetClipboard() { State() = ClipboardState{}; }

}  // namespace platform
