#pragma once
// The headless backend: no display at all. It records every message box that
// the program shows and runs it as the real box drawn in the screen, which
// it answers at the box's first idle moment by tapping the next scripted
// button (so the last screen, after a box, shows it). It keeps the last
// screen it was shown, and plays a script of input (see headless_script.h)
// one command each time the loop goes idle, ending with the platform's
// close request.
//
// It stands for the handheld's screen unless told to stand for a desktop
// window (SetDesktopWindow), which then has a monitor of its own to fill
// when made full screen.

#include <cstddef>
#include <deque>
#include <vector>

#include "platform/backends/headless/headless_script.h"
#include "platform/windows/backend.h"

namespace platform {

class HeadlessBackend final : public Backend {
 public:
  int RunMessageBox(const MessageBoxRequest& request) override;
  // Plays the next thing without waiting: a script has no clock, so a timer
  // comes only when it is due as the loop goes idle.
  bool WaitForInput(int timeoutMilliseconds) override;
  void Present(const Framebuffer& screen, const Rect&) override { lastScreen_ = &screen; }
  // Whether another program is taken to be in front, as tests set it; the
  // reader's request to come forward ends that.
  bool InFront() const override { return !behind_; }
  void ComeForward() override { behind_ = false; }
  void PutBehind() { behind_ = true; }

  // A desktop window on a monitor of `monitor` screen pixels.
  void SetDesktopWindow(Size monitor) {
    desktop_ = true;
    monitor_ = monitor;
  }
  bool HasDesktopWindow() const override { return desktop_; }
  // The screen takes the monitor's size at once, or goes back to the size
  // it had.
  void SetFullScreen(bool on) override;
  bool IsFullScreen() const override { return fullScreen_; }
  Size WindowedSize() const override;

  // The commands to play; the close request follows the last one (at once
  // for an empty script).
  void SetScript(std::vector<ScriptCommand> script);
  // The screen as last shown (empty before anything was): the window
  // system's own, which changes only when it is shown again.
  const Framebuffer& lastScreen() const { return lastScreen_ ? *lastScreen_ : kNothingShown; }

  // Queues the answer to a coming message box. Without a queued answer a box
  // is answered with its first button (OK, or Yes).
  void ScriptAnswer(int button) { answers_.push_back(button); }
  const std::vector<MessageBoxRequest>& shownBoxes() const { return shown_; }
  void ClearShownBoxes() { shown_.clear(); }
  // Without the real box a box is only recorded and answered, at no cost:
  // for fuzzing, where thousands of boxes come a second. On by default.
  void SetDrawsBoxes(bool draws) { drawsBoxes_ = draws; }

 private:
  // The answer for each box running now, innermost last, and whether its
  // button has been tapped.
  struct PendingAnswer {
    int button;
    bool tapped;
  };
  bool AnswerOpenBox();

  std::deque<int> answers_;
  std::vector<PendingAnswer> pending_;
  std::vector<MessageBoxRequest> shown_;
  static inline const Framebuffer kNothingShown{};
  const Framebuffer* lastScreen_ = nullptr;
  std::vector<ScriptCommand> script_;
  std::size_t next_ = 0;
  bool scripted_ = false;  // a script was given, even an empty one
  bool closeRequested_ = false;
  bool behind_ = false;
  bool drawsBoxes_ = true;
  bool desktop_ = false;
  Size monitor_;
  bool fullScreen_ = false;
  Size windowed_;  // the screen's size before it went full screen
};

// Installs a headless backend for the lifetime of this object, then puts the
// previous one back.
class ScopedHeadlessBackend {
 public:
  ScopedHeadlessBackend() : previous_(InstallBackend(&backend_)) {}
  ~ScopedHeadlessBackend() { InstallBackend(previous_); }
  ScopedHeadlessBackend(const ScopedHeadlessBackend&) = delete;
  ScopedHeadlessBackend& operator=(const ScopedHeadlessBackend&) = delete;

  HeadlessBackend* operator->() { return &backend_; }
  HeadlessBackend& get() { return backend_; }

 private:
  HeadlessBackend backend_;
  Backend* previous_;
};

}  // namespace platform
