#pragma once
// Every user command arrives at the main window as a command identifier,
// from the Go menu, the toolbar, a shortcut key or a second start of the
// program, and is carried out here. The checkable commands, Reverse,
// Bookmark and Full Screen, keep their check marks in step with the state.

#include <cstdint>

#include "platform/menus/menu.h"
#include "platform/windows/messages.h"

namespace quillory {

// 0 when the low 16 bits of `first` name a command of the reader, else 1
// (the window then hands the notification to default processing).
int DispatchCommand(platform::WindowHandle window, platform::WParam first);

// Next (+1) or previous (-1) article, wrapping from 44 to 1 and back; the
// back link is forgotten.
void StepArticle(platform::WindowHandle window, int step);

// The reader's font description given to the view, as after the Font
// dialog: the text laid out again in it and repainted, and the scroll bar
// brought to the new length.
void ApplyReaderFont(platform::WindowHandle window);

// With `set`: the Reverse check mark follows "Flags"; without: it flips.
// Either way the Reverse bit of "Flags" ends equal to the check mark.
void UpdateReverseCheck(platform::WindowHandle window, bool set);

// The Full Screen check mark shows whether the window is full screen.
void UpdateFullScreenCheck();

// The Bookmark check mark shows whether the current article is bookmarked.
void UpdateBookmarkCheckInReader(platform::WindowHandle window);

// With `set`: checks the item of `command` when `state` is not 0, clears it
// otherwise, and returns 1 or 0 accordingly. Without: flips the item's check
// mark and returns the new state.
int SetMenuCheck(platform::Menu* menu, bool set, std::uint16_t command, int state);

}  // namespace quillory
