// Message boxes drawn in the screen: recorded and answered by a tap on the
// real box, answered by keys, keeping input from the program's windows,
// and captioned as the caller asks.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/dialogs/message_box_dialog.h"
#include "platform/windows/backend.h"
#include "platform/windows/input.h"
#include "platform/windows/message_box.h"
#include "tests/platform/dialog_fixture.h"

namespace {

using namespace platform;

constexpr char kBookmarkQuestion[] = "Remove Bookmark?\n\nCancel - Don't ask again";

class MessageBoxTest : public quillory_test::DialogFixture {
 protected:
  // Runs a box straight, without the headless backend's answer, while the
  // script plays.
  int RunWithScript(const MessageBoxRequest& request, const std::string& script) {
    Play(script);
    const int answer = RunMessageBoxDialog(request);
    backend_->SetScript({});
    return answer;
  }
  MessageBoxRequest Request(WindowHandle owner, unsigned style) const {
    MessageBoxRequest request;
    request.owner = owner;
    request.text = kBookmarkQuestion;
    request.hasCaption = true;
    request.caption = "Bookmark";
    request.style = style;
    return request;
  }
};

TEST_F(MessageBoxTest, EveryBoxIsRecordedAndAnsweredByATapOnItsButton) {
  backend_->ScriptAnswer(kIdNo);
  EXPECT_EQ(ShowMessageBox(owner_, kBookmarkQuestion, "Bookmark", kMbYesNoCancel), kIdNo);
  EXPECT_EQ(ShowMessageBox(owner_, kBookmarkQuestion, "Bookmark", kMbYesNoCancel), kIdYes) << "the first button";
  EXPECT_EQ(ShowMessageBox(nullptr, "UnCompress() buffer error!", nullptr, kMbOk), kIdOk);
  // A scripted answer the box has no button for still comes back.
  backend_->ScriptAnswer(kIdCancel);
  EXPECT_EQ(ShowMessageBox(owner_, "Not Found!", "Quillory - 32", kMbOk), kIdCancel);

  ASSERT_EQ(backend_->shownBoxes().size(), 4u);
  const MessageBoxRequest& first = backend_->shownBoxes()[0];
  EXPECT_EQ(first.owner, owner_);
  EXPECT_EQ(first.text, kBookmarkQuestion);
  EXPECT_EQ(first.caption, "Bookmark");
  EXPECT_FALSE(backend_->shownBoxes()[2].hasCaption);
  EXPECT_EQ(OpenMessageBox(), nullptr);
  EXPECT_EQ(FindWindow(u"Dialog", u""), nullptr) << "no box is left behind";
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(GetForegroundWindow(), owner_);
}

TEST_F(MessageBoxTest, WithoutDrawingABoxIsStillRecordedAndAnswered) {
  const Framebuffer before = backend_->lastScreen();
  backend_->SetDrawsBoxes(false);
  backend_->ScriptAnswer(kIdCancel);
  EXPECT_EQ(ShowMessageBox(owner_, kBookmarkQuestion, "Bookmark", kMbYesNoCancel), kIdCancel);
  EXPECT_EQ(ShowMessageBox(owner_, kBookmarkQuestion, "Bookmark", kMbYesNoCancel), kIdYes);
  EXPECT_EQ(backend_->shownBoxes().size(), 2u);
  const auto after = backend_->lastScreen().pixels();
  EXPECT_TRUE(std::equal(after.begin(), after.end(), before.pixels().begin(), before.pixels().end()))
      << "nothing was drawn";
}

TEST_F(MessageBoxTest, EnterPressesTheFocusedButtonAndEscapeCancels) {
  const MessageBoxRequest question = Request(owner_, kMbYesNoCancel);
  EXPECT_EQ(RunWithScript(question, "key Return\n"), kIdYes);
  EXPECT_EQ(RunWithScript(question, "key Tab\nkey Return\n"), kIdNo);
  EXPECT_EQ(RunWithScript(question, "key Tab\nkey Tab\nkey  \n"), kIdCancel);
  EXPECT_EQ(RunWithScript(question, "key Escape\n"), kIdCancel);
  EXPECT_EQ(RunWithScript(Request(owner_, kMbOk), "key Escape\n"), kIdOk) << "OK is the only answer";
}

TEST_F(MessageBoxTest, BackingOutAnswersAsTheRequestSaysWhileCancelStaysCancel) {
  MessageBoxRequest question = Request(owner_, kMbYesNoCancel);
  question.backOutAnswer = kIdNo;
  EXPECT_EQ(RunWithScript(question, "key Escape\n"), kIdNo);
  EXPECT_EQ(RunWithScript(question, "key Tab\nkey Tab\nkey  \n"), kIdCancel) << "the Cancel button";
  // The platform closing the box rather than a person answering it.
  ScriptCommand close;
  close.kind = ScriptCommand::Kind::kCall;
  close.call = [] { PostMessage(OpenMessageBox(), kWmClose, 0, 0); };
  backend_->SetScript({close});
  EXPECT_EQ(RunMessageBoxDialog(question), kIdNo);
  backend_->SetScript({close});
  EXPECT_EQ(RunMessageBoxDialog(Request(owner_, kMbYesNoCancel)), kIdCancel) << "by default, closing cancels";
  backend_->SetScript({});
}

// A backend that looks at each box while it is open, then plays its
// script one command at each idle moment.
class ProbingBackend final : public Backend {
 public:
  ProbingBackend(std::vector<ScriptCommand> script, std::function<void(WindowHandle box)> probe)
      : script_(std::move(script)), probe_(std::move(probe)), previous_(InstallBackend(this)) {}
  ~ProbingBackend() override { InstallBackend(previous_); }
  int RunMessageBox(const MessageBoxRequest& request) override { return RunMessageBoxDialog(request); }
  bool WaitForInput(int) override {
    if (next_ == 0) probe_(OpenMessageBox());
    if (next_ >= script_.size()) return false;
    RunScriptCommand(script_[next_++]);
    return true;
  }

 private:
  std::vector<ScriptCommand> script_;
  std::function<void(WindowHandle)> probe_;
  std::size_t next_ = 0;
  Backend* previous_;
};

std::vector<ScriptCommand> Script(const std::string& text) {
  ScriptError error;
  auto script = ParseScript(text, error);
  EXPECT_TRUE(script) << error.reason;
  return script.value_or(std::vector<ScriptCommand>{});
}

TEST_F(MessageBoxTest, ABoxOfNoWindowKeepsInputFromEveryWindowOfTheProgram) {
  // In front of the owner, over the lower part of the screen.
  const WindowHandle other = CreateWindow(0, u"Owner", u"Other", kWsVisible, 0, 250, 240, 70, nullptr, 0, nullptr);
  PumpUntilIdle();
  quillory_test::OwnerMessages().clear();
  bool bothDisabled = false;
  {
    ProbingBackend probing(Script("key Return\n"), [&](WindowHandle box) {
      bothDisabled = !IsWindowEnabled(owner_) && !IsWindowEnabled(other);
      const Rect rect = GetWindowRect(box);
      ASSERT_TRUE(rect.bottom < 250 && rect.top > 60);
      for (const Point at : {Point{5, 60}, Point{5, 290}}) {  // the owner, then the other window
        InjectStylus(StylusAction::kDown, at);
        InjectStylus(StylusAction::kUp, at);
      }
    });
    EXPECT_EQ(ShowMessageBox(nullptr, "There is not enough memory, aborting", "Error", kMbOk | kMbIconStop), kIdOk);
  }
  EXPECT_TRUE(bothDisabled);
  EXPECT_EQ(std::count(quillory_test::OwnerMessages().begin(), quillory_test::OwnerMessages().end(),
                       std::uint32_t{kWmLButtonDown}),
            0);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_TRUE(IsWindowEnabled(other));
  EXPECT_EQ(GetForegroundWindow(), other) << "active again as before the box";
  // The same taps reach the windows once the box is gone.
  InjectStylus(StylusAction::kDown, Point{5, 290});
  PumpUntilIdle();
  EXPECT_EQ(quillory_test::OwnerMessages().back(), kWmLButtonDown);
}

TEST_F(MessageBoxTest, TheCaptionIsTheCallersOrErrorAndTheTextKeepsItsLineBreaks) {
  struct Seen {
    std::u16string caption;
    std::u16string text;
    bool yellow;
    bool red;
  };
  std::vector<Seen> seen;
  const auto look = [&](WindowHandle box) {
    const Rect client = GetClientRect(box);
    bool yellow = false;
    bool red = false;
    const Framebuffer& screen = ScreenImage();
    for (std::int32_t y = 0; y < client.bottom; ++y) {
      for (std::int32_t x = 0; x < client.right; ++x) {
        const Point at = ClientToScreen(box, Point{x, y});
        yellow = yellow || screen.at(at.x, at.y) == 0x00FFFF00;
        red = red || screen.at(at.x, at.y) == 0x00FF0000;
      }
    }
    seen.push_back(Seen{GetWindowText(box), GetWindowText(GetWindow(box, kGwChild)), yellow, red});
  };
  const auto show = [&](const char* text, const char* caption, unsigned style) {
    ProbingBackend probing(Script("key Escape\n"), look);
    ShowMessageBox(owner_, text, caption, style);
  };
  show(kBookmarkQuestion, "Bookmark", kMbYesNoCancel);
  show("Resource not found", "Error", kMbOk | kMbIconExclamation);
  show("UnCompress() buffer error!", nullptr, kMbOk);
  show("Not Found!", "", kMbOk | kMbIconStop);
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].caption, u"Bookmark");
  EXPECT_EQ(seen[0].text, u"Remove Bookmark?\n\nCancel - Don't ask again");
  EXPECT_FALSE(seen[0].yellow || seen[0].red) << "no icon";
  EXPECT_EQ(seen[1].caption, u"Error");
  EXPECT_TRUE(seen[1].yellow) << "the exclamation icon";
  EXPECT_EQ(seen[2].caption, u"Error") << "the default caption";
  EXPECT_EQ(seen[3].caption, u"") << "a caption of its own, empty";
  EXPECT_TRUE(seen[3].red) << "the stop icon";
}

}  // namespace
