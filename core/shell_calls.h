#pragma once
// The few operations of the running reader that lower subsystems call: the
// allocation that stops the program when memory runs out, the repaint and
// scroll-bar update of the main window, the Bookmark check mark, and the
// article switch. The reader installs its own at start; until then (and in
// tests that install stand-ins) the defaults below answer: a plain
// allocation, and nothing for the rest.

#include <cstddef>
#include <cstdint>

#include "platform/graphics/handles.h"

namespace quillory {

struct ShellCalls {
  void* (*allocOrStop)(std::size_t size) = nullptr;
  void (*repaintView)(platform::WindowHandle window) = nullptr;
  void (*updateScrollBar)(platform::WindowHandle window) = nullptr;
  void (*updateBookmarkCheck)(platform::WindowHandle window) = nullptr;
  // 0 when the article is shown, 1 when it could not be loaded.
  int (*switchArticle)(platform::WindowHandle window, std::uint16_t article, std::uint16_t top,
                       bool remember) = nullptr;
};

// Installs `calls`; a null member keeps its default. Returns the calls it replaced.
ShellCalls InstallShellCalls(const ShellCalls& calls);

// A block of `size` bytes from the platform heap, or nothing after the
// reader has told the user and ended through its save sequence.
void* AllocOrStop(std::size_t size);
// Draws the whole view into `window` (null: the main window) now.
void RepaintView(platform::WindowHandle window);
void UpdateScrollBar(platform::WindowHandle window);
void UpdateBookmarkCheck(platform::WindowHandle window);
// Shows `article` (0: this week's) at `top`; `remember` records the article
// being left as the one the back link returns to.
int SwitchArticle(platform::WindowHandle window, std::uint16_t article, std::uint16_t top, bool remember);

}  // namespace quillory
