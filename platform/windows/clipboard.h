#pragma once
// The clipboard, shaped like the handheld's: formats registered by name,
// one opening at a time, emptied before it is written, data handed over as
// heap blocks that the clipboard then owns.
//
// The program's clipboard lives in the process. A backend that stands for a
// desktop with a clipboard of its own (the X11 CLIPBOARD selection) is told
// when the program's contents change, serves them to other programs, and is
// asked for another program's data when the program holds nothing.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/graphics/handles.h"
#include "platform/system/memory.h"

namespace platform {

using ClipboardFormat = std::uint32_t;

// The standard format of Unicode text: 16-bit characters, little-endian,
// ended by a zero character.
constexpr ClipboardFormat kCfUnicodeText = 13;
// The name under which programs register rich text (8-bit bytes).
constexpr char16_t kRtfFormatName[] = u"Rich Text Format";

// The format of `name` (registered on first use, the same number ever
// after; names compare without regard to case); 0 for an empty name.
ClipboardFormat RegisterClipboardFormat(std::u16string_view name);

// Opens the clipboard for this program; false when it is open already.
// `owner` may be null.
bool OpenClipboard(WindowHandle owner);
// Drops every format; false when the clipboard is not open.
bool EmptyClipboard();
// Puts `data` on the clipboard under `format`, replacing what that format
// held; the clipboard owns the block from now on. False (and the block is
// released) when the clipboard is not open or the block is empty.
bool SetClipboardData(ClipboardFormat format, HeapBlock data);
// The clipboard's data in `format`, valid until the clipboard is closed;
// nothing when it holds none or is not open. With no data of its own the
// program asks the backend for another program's.
std::optional<std::span<const std::uint8_t>> GetClipboardData(ClipboardFormat format);
// Closes it; a backend that serves the desktop learns of what changed.
bool CloseClipboard();

// For backends: what the program's clipboard holds in `format` now, valid
// until the next change; and the desktop's clipboard having passed to
// another program, which drops the program's own contents.
std::optional<std::span<const std::uint8_t>> HeldClipboardData(ClipboardFormat format);
bool ClipboardHoldsAnything();
void ForgetHeldClipboard();

// The desktop's primary selection (PRIMARY on X11): what the program has
// selected last, which other programs paste with the middle button. It is
// replaced whole, without an opening; a backend that serves the desktop
// learns of each change. Another program's selection taking its place
// drops it.
void SetPrimarySelection(std::vector<std::pair<ClipboardFormat, HeapBlock>> contents);
std::optional<std::span<const std::uint8_t>> HeldPrimarySelection(ClipboardFormat format);
void ForgetPrimarySelection();

// For tests: an unopened, empty clipboard with no formats registered, and
// no primary selection.
void ResetClipboard();

}  // namespace platform
