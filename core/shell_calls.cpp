#include "core/shell_calls.h"

#include "platform/system/memory.h"

namespace quillory {
namespace {

void* PlainAlloc(std::size_t size) { return platform::Alloc(size); }
void NoWindowCall(platform::WindowHandle) {}
int NoSwitch(platform::WindowHandle, std::uint16_t, std::uint16_t, bool) { return 1; }

constexpr ShellCalls kDefaults{PlainAlloc, NoWindowCall, NoWindowCall, NoWindowCall, NoSwitch};
ShellCalls gCalls = kDefaults;

template <typename Call>
void Take(Call& slot, Call given, Call fallback) {
  slot = given != nullptr ? given : fallback;
}

}  // namespace

ShellCalls InstallShellCalls(const ShellCalls& calls) {
  const ShellCalls previous = gCalls;
  Take(gCalls.allocOrStop, calls.allocOrStop, kDefaults.allocOrStop);
  Take(gCalls.repaintView, calls.repaintView, kDefaults.repaintView);
  Take(gCalls.updateScrollBar, calls.updateScrollBar, kDefaults.updateScrollBar);
  Take(gCalls.updateBookmarkCheck, calls.updateBookmarkCheck, kDefaults.updateBookmarkCheck);
  Take(gCalls.switchArticle, calls.switchArticle, kDefaults.switchArticle);
  return previous;
}

void* AllocOrStop(std::size_t size) { return gCalls.allocOrStop(size); }
void RepaintView(platform::WindowHandle window) { gCalls.repaintView(window); }
void UpdateScrollBar(platform::WindowHandle window) { gCalls.updateScrollBar(window); }
void UpdateBookmarkCheck(platform::WindowHandle window) { gCalls.updateBookmarkCheck(window); }
int SwitchArticle(platform::WindowHandle window, std::uint16_t article, std::uint16_t top, bool remember) {
  return gCalls.switchArticle(window, article, top, remember);
}

}  // namespace quillory
