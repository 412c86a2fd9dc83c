// The desktop's clipboard on a real X server of each test's own (Xvfb), with
// xclip as the other program. Each step waits for what it should bring.

#include "platform/backends/sdl/x11_clipboard.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "platform/windows/backend.h"
#include "platform/windows/clipboard.h"
#include "tests/support/clipboard_contents.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/x11_test_server.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using platform::X11Clipboard;
using quillory::testing::WaitUntil;

// Generous, for a machine busy with other work; a step that never comes
// fails the test instead of hanging it.
constexpr auto kStepLimit = 30s;

// The program's clipboard on the X11 clipboard, as the real window has it.
class X11Backend final : public platform::Backend {
 public:
  explicit X11Backend(X11Clipboard& clipboard) : clipboard_(clipboard) {}
  int RunMessageBox(const platform::MessageBoxRequest&) override { return platform::kIdOk; }
  void ClipboardChanged() override { clipboard_.Claim(); }
  void PrimarySelectionChanged() override { clipboard_.ClaimPrimary(); }
  std::optional<std::vector<std::uint8_t>> ReadDesktopClipboard(platform::ClipboardFormat format) override {
    return clipboard_.Read(format);
  }

 private:
  X11Clipboard& clipboard_;
};

class X11ClipboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.started()) << server_.why();
    platform::ResetClipboard();
    clipboard_ = X11Clipboard::Open();
    ASSERT_TRUE(clipboard_);
    backend_ = std::make_unique<X11Backend>(*clipboard_);
    previous_ = platform::InstallBackend(backend_.get());
  }
  void TearDown() override {
    if (!backend_) return;
    platform::InstallBackend(previous_);
    clipboard_.reset();
    platform::ResetClipboard();
  }

  // Runs `command` in a shell while the clipboard answers requests, as the
  // message loop does; false when it fails or does not end.
  bool RunWhileServing(const std::string& command) {
    const std::string shell = "/bin/sh";
    char* arguments[] = {const_cast<char*>(shell.c_str()), const_cast<char*>("-c"), const_cast<char*>(command.c_str()),
                         nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, shell.c_str(), nullptr, nullptr, arguments, environ) != 0) return false;
    int status = 0;
    if (WaitUntil([&] {
          clipboard_->HandlePending();
          return waitpid(child, &status, WNOHANG) == child;
        }, kStepLimit)) {
      return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return false;
  }
  // What xclip reads from the clipboard (or another selection) in `target`.
  std::string XclipOut(const std::string& target, const std::string& selection = "clipboard") {
    const std::string file = (scratch_.path() / "out").string();
    EXPECT_TRUE(RunWhileServing("xclip -o -selection " + selection + " -t '" + target + "' > " + file));
    std::ostringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
  }
  // Has xclip take the clipboard with `data` in `target` (it stays in the
  // background serving it until another program takes the clipboard).
  void XclipIn(const std::string& target, const std::string& data) {
    const auto file = scratch_.Write("in", data);
    std::unique_ptr<Display, int (*)(Display*)> other(XOpenDisplay(nullptr), XCloseDisplay);
    ASSERT_TRUE(other);
    const Atom clipboard = XInternAtom(other.get(), "CLIPBOARD", False);
    const Window before = XGetSelectionOwner(other.get(), clipboard);
    ASSERT_EQ(std::system(("xclip -i -selection clipboard -t '" + target + "' < " + file.string()).c_str()), 0);
    // xclip takes the clipboard from its background process, a moment later.
    ASSERT_TRUE(WaitUntil([&] {
      clipboard_->HandlePending();
      return XGetSelectionOwner(other.get(), clipboard) != before;
    }, kStepLimit));
  }

  static void Put(platform::ClipboardFormat format, const std::string& bytes) {
    ASSERT_TRUE(quillory::testing::PutOnClipboard(format, bytes));
  }
  static std::optional<std::string> Get(platform::ClipboardFormat format) {
    return quillory::testing::ReadFromClipboard(format);
  }
  static platform::ClipboardFormat Rtf() { return platform::RegisterClipboardFormat(platform::kRtfFormatName); }

  quillory::testing::XTestServer server_;  // first made, last gone
  quillory::testing::ScratchFolder scratch_;
  std::unique_ptr<X11Clipboard> clipboard_;

 private:
  std::unique_ptr<X11Backend> backend_;
  platform::Backend* previous_ = nullptr;
};

// Unicode text as the clipboard holds it, with its terminator.
std::string Utf16Le(std::u16string_view text) { return quillory::testing::Utf16LeBytes(std::u16string(text) + u'\0'); }

TEST_F(X11ClipboardTest, ServesRichTextAndUtf8TextWithTheirTargets) {
  Put(Rtf(), "{\\rtf1 \\u1488}\r\n");
  EXPECT_EQ(XclipOut("text/rtf"), "{\\rtf1 \\u1488}\r\n");
  EXPECT_EQ(XclipOut("application/rtf"), "{\\rtf1 \\u1488}\r\n");
  EXPECT_EQ(XclipOut("TARGETS"), "TARGETS\nTIMESTAMP\ntext/rtf\napplication/rtf\n");

  Put(platform::kCfUnicodeText, std::string("\xD0\x05" "a\0\0\0ignored", 13));
  EXPECT_EQ(XclipOut("UTF8_STRING"), "\xD7\x90" "a") << "up to the terminator, in UTF-8";
  EXPECT_EQ(XclipOut("text/plain;charset=utf-8"), "\xD7\x90" "a");
  EXPECT_EQ(XclipOut("TARGETS"), "TARGETS\nTIMESTAMP\nUTF8_STRING\ntext/plain;charset=utf-8\n");
}

TEST_F(X11ClipboardTest, ServesLargeDataInIncrements) {
  std::string large(1'500'000, 'x');
  for (std::size_t i = 0; i < large.size(); i += 997) large[i] = static_cast<char>('a' + i % 26);
  Put(Rtf(), large);
  EXPECT_EQ(XclipOut("text/rtf"), large);
}

TEST_F(X11ClipboardTest, ReadsAnotherProgramsTextAndItsLargeDataInIncrements) {
  XclipIn("UTF8_STRING", "\xD7\x90 ok");
  EXPECT_EQ(Get(platform::kCfUnicodeText), std::string("\xD0\x05 \0o\0k\0\0\0", 10));

  std::string large(3'000'000, 'y');
  large[1'234'567] = 'z';
  XclipIn("text/rtf", large);
  EXPECT_EQ(Get(Rtf()), large);
}

TEST_F(X11ClipboardTest, AnotherProgramTakingTheClipboardReplacesTheProgramsOwn) {
  Put(platform::kCfUnicodeText, Utf16Le(u"mine"));
  XclipIn("UTF8_STRING", "theirs");
  EXPECT_TRUE(WaitUntil([&] {
    clipboard_->HandlePending();
    return !platform::ClipboardHoldsAnything();
  }, kStepLimit));
  EXPECT_EQ(Get(platform::kCfUnicodeText), Utf16Le(u"theirs"));
}

TEST_F(X11ClipboardTest, AnOwnerThatNeverAnswersIsGivenUpOn) {
  std::unique_ptr<Display, int (*)(Display*)> other(XOpenDisplay(nullptr), XCloseDisplay);
  ASSERT_TRUE(other);
  const Window window = XCreateSimpleWindow(other.get(), DefaultRootWindow(other.get()), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(other.get(), XInternAtom(other.get(), "CLIPBOARD", False), window, CurrentTime);
  XSync(other.get(), False);
  EXPECT_FALSE(Get(platform::kCfUnicodeText));
  EXPECT_FALSE(Get(Rtf()));
}

TEST_F(X11ClipboardTest, TheSelectionIsGivenUpAtTheEnd) {
  Put(Rtf(), "{\\rtf1 x}");
  std::unique_ptr<Display, int (*)(Display*)> other(XOpenDisplay(nullptr), XCloseDisplay);
  ASSERT_TRUE(other);
  const Atom clipboard = XInternAtom(other.get(), "CLIPBOARD", False);
  EXPECT_NE(XGetSelectionOwner(other.get(), clipboard), static_cast<Window>(None));
  clipboard_.reset();
  EXPECT_EQ(XGetSelectionOwner(other.get(), clipboard), static_cast<Window>(None));
  clipboard_ = X11Clipboard::Open();
}

// A clipboard manager of the simplest kind, in a child process of its own:
// it holds CLIPBOARD_MANAGER, and when asked to save the clipboard it reads
// the clipboard's rich text into `file` before it answers.
pid_t StartClipboardManager(const std::string& file) {
  const pid_t child = fork();
  if (child != 0) return child;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) _exit(2);
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom manager = XInternAtom(display, "CLIPBOARD_MANAGER", False);
  const Atom saved = XInternAtom(display, "SAVED", False);
  XSetSelectionOwner(display, manager, window, CurrentTime);
  XSync(display, False);
  std::optional<XSelectionRequestEvent> request;
  const auto end = std::chrono::steady_clock::now() + kStepLimit;
  while (std::chrono::steady_clock::now() < end) {
    XEvent event;
    while (XPending(display) > 0) {
      XNextEvent(display, &event);
      if (event.type == SelectionRequest && event.xselectionrequest.selection == manager && !request) {
        request = event.xselectionrequest;
        XConvertSelection(display, XInternAtom(display, "CLIPBOARD", False), XInternAtom(display, "text/rtf", False),
                          saved, window, CurrentTime);
      } else if (event.type == SelectionNotify && request && event.xselection.property == saved) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(display, window, saved, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after,
                           &data);
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(data), static_cast<long>(count));
        XFree(data);
        XEvent answer{};
        answer.xselection.type = SelectionNotify;
        answer.xselection.requestor = request->requestor;
        answer.xselection.selection = manager;
        answer.xselection.target = request->target;
        answer.xselection.property = request->property;
        answer.xselection.time = request->time;
        XSendEvent(display, request->requestor, False, NoEventMask, &answer);
        XSync(display, False);
        _exit(0);
      }
    }
    std::this_thread::sleep_for(10ms);
  }
  _exit(1);
}

TEST_F(X11ClipboardTest, AtTheEndTheClipboardManagerGetsACopy) {
  const std::string file = (scratch_.path() / "saved").string();
  const pid_t manager = StartClipboardManager(file);
  std::unique_ptr<Display, int (*)(Display*)> other(XOpenDisplay(nullptr), XCloseDisplay);
  ASSERT_TRUE(other);
  const Atom managerSelection = XInternAtom(other.get(), "CLIPBOARD_MANAGER", False);
  ASSERT_TRUE(WaitUntil([&] { return XGetSelectionOwner(other.get(), managerSelection) != None; }, kStepLimit));
  Put(Rtf(), "{\\rtf1 kept}");
  clipboard_.reset();
  int status = 0;
  ASSERT_EQ(waitpid(manager, &status, 0), manager);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::ostringstream saved;
  saved << std::ifstream(file, std::ios::binary).rdbuf();
  EXPECT_EQ(saved.str(), "{\\rtf1 kept}");
  clipboard_ = X11Clipboard::Open();
}

TEST_F(X11ClipboardTest, ThePrimarySelectionIsServedBesideTheClipboardAndGoesWhenAnotherProgramSelects) {
  Put(platform::kCfUnicodeText, Utf16Le(u"copied"));
  std::vector<std::pair<platform::ClipboardFormat, platform::HeapBlock>> selected;
  const std::string text = Utf16Le(u"selected \u05D0");
  platform::HeapBlock block = platform::HeapBlock::Allocate(text.size());
  std::copy(text.begin(), text.end(), block.data());
  selected.emplace_back(platform::kCfUnicodeText, std::move(block));
  platform::SetPrimarySelection(std::move(selected));
  EXPECT_EQ(XclipOut("UTF8_STRING", "primary"), "selected \xD7\x90");
  EXPECT_EQ(XclipOut("TARGETS", "primary"), "TARGETS\nTIMESTAMP\nUTF8_STRING\ntext/plain;charset=utf-8\n");
  EXPECT_EQ(XclipOut("UTF8_STRING"), "copied") << "the clipboard keeps its own";

  // Another program selecting something takes PRIMARY; the clipboard stays.
  const auto file = scratch_.Write("in", "theirs");
  ASSERT_EQ(std::system(("xclip -i -selection primary < " + file.string()).c_str()), 0);
  ASSERT_TRUE(WaitUntil([&] {
    clipboard_->HandlePending();
    return !platform::HeldPrimarySelection(platform::kCfUnicodeText);
  }, kStepLimit));
  EXPECT_EQ(XclipOut("UTF8_STRING"), "copied");
}

}  // namespace
