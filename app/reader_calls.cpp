#include "app/reader_calls.h"

#include "app/article_loading.h"
#include "app/commands.h"
#include "app/settings.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/system/memory.h"
#include "platform/windows/message_box.h"
#include "platform/windows/window.h"
#include "view/text_paint.h"
#include "view/text_view.h"

namespace quillory {
namespace {

bool gStopped = false;

void* AllocOrStopInReader(std::size_t size) {
  if (void* block = platform::Alloc(size)) return block;
  platform::ShowMessageBox(nullptr, "There is not enough memory, aborting", "Error", platform::kMbIconStop);
  StopReader();
  return nullptr;
}

void UpdateScrollBarInReader(platform::WindowHandle window) {
  const TextView* view = App().textView;
  if ((App().flags & kScrollBarFlags) == 0 || view == nullptr) return;
  platform::SetScrollRange(window, platform::kSbVert, 0, view->maxTop, false);
  platform::SetScrollPos(window, platform::kSbVert, view->topPosition, true);
}

void RepaintViewInReader(platform::WindowHandle window) {
  if (window == nullptr) window = App().mainWindow;
  // The view draws through the window's own device context, kept for the
  // window's life, so there is nothing to take or give back here.
  PaintTextView(App().textView, true);
  UpdateScrollBarInReader(window);
}

}  // namespace

void InstallReaderCalls() {
  gStopped = false;
  InstallShellCalls(ShellCalls{AllocOrStopInReader, RepaintViewInReader, UpdateScrollBarInReader,
                               UpdateBookmarkCheckInReader, SwitchArticleInReader});
}

bool ReaderStopped() { return gStopped; }

void StopReader() {
  if (gStopped) return;
  gStopped = true;
  SaveSequence();
}

}  // namespace quillory
