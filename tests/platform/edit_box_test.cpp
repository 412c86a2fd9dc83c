// Edit boxes as the Search and Font dialogs use them: replacing the
// selection and stepping the caret back, the limit, typing (Hebrew
// included), selection and undo, and the single- and multi-line layouts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/windows/message_box.h"
#include "resources/dialog_templates.h"
#include "tests/platform/dialog_fixture.h"

namespace {

using namespace platform;
using quillory::kPatternBoxId;
using quillory::kSampleId;
using quillory::kSearchDialogId;

constexpr char16_t kAlef = 0x05D0;
constexpr char16_t kBet = 0x05D1;
constexpr char16_t kGimel = 0x05D2;

class EditBoxTest : public quillory_test::DialogFixture {
 protected:
  // Runs the Search dialog: `start` at its initialisation (the result
  // focuses the pattern box), `command` for each command the script sends,
  // and ends at Escape.
  void Search(const std::function<void(WindowHandle)>& start,
              const std::function<void(WindowHandle, std::uint16_t, std::uint16_t)>& command,
              const std::string& script) {
    Run(kSearchDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
      if (message == kWmInitDialog) {
        start(dialog);
        return 1;
      }
      if (message != kWmCommand) return 0;
      if (LowWord(first) == kIdCancel) {
        EndDialog(dialog, 2);
        return 1;
      }
      command(dialog, LowWord(first), HighWord(first));
      return 1;
    }, script + "key Escape\n");
  }
  static std::uint32_t Selection(WindowHandle dialog) {
    return static_cast<std::uint32_t>(SendDlgItemMessage(dialog, kPatternBoxId, kEmGetSel, 0, 0));
  }
};

// The on-screen keyboard's insertion: replace the selection with the
// letter (undoably), then put the caret before it.
void InsertLetter(WindowHandle dialog, char16_t letter) {
  const std::u16string text(1, letter);
  SendDlgItemMessage(dialog, kPatternBoxId, kEmReplaceSel, 1, TextParam(text));
  std::uint32_t caret = 0;
  SendDlgItemMessage(dialog, kPatternBoxId, kEmGetSel, reinterpret_cast<WParam>(&caret), 0);
  SendDlgItemMessage(dialog, kPatternBoxId, kEmSetSel, caret - 1, caret - 1);
}

TEST_F(EditBoxTest, ReplacingTheSelectionAndSteppingBackBuildsTheTextLeftwards) {
  std::vector<std::u16string> texts;
  Search([&](WindowHandle dialog) {
    SetDlgItemText(dialog, kPatternBoxId, u"xyz");
  }, [&](WindowHandle dialog, std::uint16_t id, std::uint16_t) {
    if (id != 500) return;
    // The dialog selected the whole text: the first letter replaces it.
    for (const char16_t letter : {kAlef, kBet, kGimel}) InsertLetter(dialog, letter);
    texts.push_back(GetDlgItemText(dialog, kPatternBoxId, 33));
    EXPECT_EQ(Selection(dialog), MakeLong(0, 0));
    EXPECT_EQ(SendDlgItemMessage(dialog, kPatternBoxId, kEmUndo, 0, 0), 1);
    texts.push_back(GetDlgItemText(dialog, kPatternBoxId, 33));
    SendDlgItemMessage(dialog, kPatternBoxId, kEmUndo, 0, 0);
    texts.push_back(GetDlgItemText(dialog, kPatternBoxId, 33));
  }, "command 500\n");
  EXPECT_EQ(texts, (std::vector<std::u16string>{{kGimel, kBet, kAlef}, {kBet, kAlef}, {kGimel, kBet, kAlef}}))
      << "gimel first in the box; undo takes the last letter back, and undo again puts it back";
}

TEST_F(EditBoxTest, TheLimitCutsTypingAndReplacementButNotATextSetWhole) {
  std::vector<std::size_t> lengths;
  std::vector<std::uint16_t> notices;
  const std::u16string forty(40, u'a');
  Search([&](WindowHandle dialog) {
    SendDlgItemMessage(dialog, kPatternBoxId, kEmLimitText, 33, 0);
  }, [&](WindowHandle dialog, std::uint16_t id, std::uint16_t code) {
    if (id == kPatternBoxId) notices.push_back(code);
    if (id == 500) {
      lengths.push_back(GetWindowText(GetDlgItem(dialog, kPatternBoxId)).size());
      SendDlgItemMessage(dialog, kPatternBoxId, kEmSetSel, 0, 3);
      SendDlgItemMessage(dialog, kPatternBoxId, kEmReplaceSel, 1, TextParam(forty));
      lengths.push_back(GetWindowText(GetDlgItem(dialog, kPatternBoxId)).size());
      SetDlgItemText(dialog, kPatternBoxId, forty);
      lengths.push_back(GetDlgItemText(dialog, kPatternBoxId).size());
      EXPECT_EQ(GetDlgItemText(dialog, kPatternBoxId, 33).size(), 33u) << "read at most 33";
      EXPECT_EQ(SendDlgItemMessage(dialog, kPatternBoxId, kEmGetLimitText, 0, 0), 33);
    }
  }, "type " + std::string(30, 'b') + "\ntype cccccc\ncommand 500\n");
  EXPECT_EQ(lengths, (std::vector<std::size_t>{33, 33, 40}));
  // 30 changes, then 3 more, then a cut-off typing; the replacement is cut too.
  EXPECT_EQ(std::count(notices.begin(), notices.end(), kEnChange), 34);
  EXPECT_EQ(std::count(notices.begin(), notices.end(), kEnMaxText), 4) << "each character that did not fit, and the replacement";
}

TEST_F(EditBoxTest, TypingHebrewGoesToTheFocusedBoxAndUndoesAsOneStep) {
  std::vector<std::u16string> texts;
  Search([](WindowHandle) {}, [&](WindowHandle dialog, std::uint16_t id, std::uint16_t) {
    if (id >= 500 && id < 510) texts.push_back(GetDlgItemText(dialog, kPatternBoxId));
  }, "type \u05D0\u05D1\u05D2\ncommand 500\n"
     "key Backspace\nkey Left\ntype x\nkey Home\nkey Delete\ncommand 501\n"
     "key ctrl+a\ntype yy\ncommand 502\nkey ctrl+z\ncommand 503\n");
  EXPECT_EQ(texts, (std::vector<std::u16string>{{kAlef, kBet, kGimel},
                                                {u'x', kBet},
                                                {u'y', u'y'},
                                                {u'x', kBet}}))
      << "typed in storage order; select-all then typing replaces; undo takes the whole typed run back";
}

TEST_F(EditBoxTest, SelectionMessagesFollowTheHandheldsRules) {
  Search([](WindowHandle dialog) { SetDlgItemText(dialog, kPatternBoxId, u"abcdefgh"); },
         [&](WindowHandle dialog, std::uint16_t id, std::uint16_t) {
           if (id != 500) return;
           const auto select = [&](WParam start, LParam end) {
             SendDlgItemMessage(dialog, kPatternBoxId, kEmSetSel, start, end);
             return Selection(dialog);
           };
           EXPECT_EQ(select(0, -1), MakeLong(0, 8)) << "everything";
           EXPECT_EQ(select(5, 2), MakeLong(2, 5)) << "reported in order";
           EXPECT_EQ(select(static_cast<WParam>(-1), 0), MakeLong(2, 2)) << "dropped, the caret kept at 2";
           EXPECT_EQ(select(3, 99), MakeLong(3, 8)) << "kept inside the text";
           std::uint32_t start = 0;
           std::uint32_t end = 0;
           SendDlgItemMessage(dialog, kPatternBoxId, kEmGetSel, reinterpret_cast<WParam>(&start),
                              reinterpret_cast<LParam>(&end));
           EXPECT_EQ(start, 3u);
           EXPECT_EQ(end, 8u);
           // A text set around the box is the box's text, from its start.
           SetWindowText(GetDlgItem(dialog, kPatternBoxId), u"xy");
           EXPECT_EQ(Selection(dialog), MakeLong(0, 0));
           EXPECT_EQ(SendDlgItemMessage(dialog, kPatternBoxId, kEmCanUndo, 0, 0), 0);
           char16_t room[2] = {u'?', u'?'};
           EXPECT_EQ(SendDlgItemMessage(dialog, kPatternBoxId, kWmGetText, 2, reinterpret_cast<LParam>(room)), 1);
           EXPECT_EQ(room[0], u'x');
           EXPECT_EQ(room[1], u'\0') << "cut to the room given, terminator included";
         },
         "command 500\n");
}

// Pixels other than white in a column band of the box's inner area.
int InkIn(WindowHandle box, std::int32_t from, std::int32_t to) {
  const Rect client = GetClientRect(box);
  const Framebuffer& screen = ScreenImage();
  int ink = 0;
  for (std::int32_t y = 2; y < client.bottom - 2; ++y) {
    for (std::int32_t x = from; x < to; ++x) {
      const Point at = ClientToScreen(box, Point{x, y});
      ink += screen.at(at.x, at.y) != 0x00FFFFFF;
    }
  }
  return ink;
}

TEST_F(EditBoxTest, ARightAlignedLineEndsAtTheRightEdgeAndALongOneScrollsToTheCaret) {
  // A full block, then thin dots far past the box's width.
  const std::u16string longText = u"\u2588" + std::u16string(80, u'.');
  std::vector<int> left;
  std::vector<int> right;
  Search([](WindowHandle dialog) { SetDlgItemText(dialog, kPatternBoxId, u"\u2588"); },
         [&](WindowHandle dialog, std::uint16_t id, std::uint16_t) {
           const WindowHandle box = GetDlgItem(dialog, kPatternBoxId);
           const std::int32_t width = GetClientRect(box).right;
           left.push_back(InkIn(box, 3, 12));
           right.push_back(InkIn(box, width - 12, width - 3));
           if (id == 500) {
             SetDlgItemText(dialog, kPatternBoxId, longText);  // the caret at the start
             SendDlgItemMessage(dialog, kPatternBoxId, kEmSetSel, 0, 0);
           }
           if (id == 501) SendDlgItemMessage(dialog, kPatternBoxId, kEmSetSel, 81, 81);
         },
         "command 500\ncommand 501\ncommand 502\n");
  ASSERT_EQ(left.size(), 3u);
  EXPECT_EQ(left[0], 0) << "a short text stands at the right";
  EXPECT_GT(right[0], 20);
  EXPECT_GT(left[1], 40) << "a long one shows its start while the caret is there";
  EXPECT_LT(left[2], 20) << "and scrolls the block away when the caret goes to the end";
  EXPECT_GT(right[2], 0);
}

TEST_F(EditBoxTest, AMultiLineBoxWrapsItsLinesAndScrollsToTheCaret) {
  std::u16string tenLines;
  for (int i = 0; i < 10; ++i) tenLines += u"line\r\n";
  tenLines += u"last";
  std::vector<LResult> counts;
  std::vector<LResult> firstLines;
  Run(quillory::kFontDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
    if (message == kWmInitDialog) {
      // Words wider together than the box wrap at their spaces.
      SetDlgItemText(dialog, kSampleId, u"alpha beta gamma delta epsilon zeta eta theta iota kappa");
      counts.push_back(SendDlgItemMessage(dialog, kSampleId, kEmGetLineCount, 0, 0));
      SetDlgItemText(dialog, kSampleId, tenLines);
      counts.push_back(SendDlgItemMessage(dialog, kSampleId, kEmGetLineCount, 0, 0));
      firstLines.push_back(SendDlgItemMessage(dialog, kSampleId, kEmGetFirstVisibleLine, 0, 0));
      SendDlgItemMessage(dialog, kSampleId, kEmSetSel, tenLines.size(), static_cast<LParam>(tenLines.size()));
      firstLines.push_back(SendDlgItemMessage(dialog, kSampleId, kEmGetFirstVisibleLine, 0, 0));
      SendDlgItemMessage(dialog, kSampleId, kEmSetSel, 7, 7);  // in the second line
      firstLines.push_back(SendDlgItemMessage(dialog, kSampleId, kEmGetFirstVisibleLine, 0, 0));
      return 0;
    }
    if (message == kWmCommand && LowWord(first) <= kIdCancel) EndDialog(dialog, 1);
    return 0;
  }, "key Return\n");
  EXPECT_EQ(counts, (std::vector<LResult>{2, 11}));
  // 81 pixels less border and margins hold five lines of 13.
  EXPECT_EQ(firstLines, (std::vector<LResult>{0, 6, 1}));
}

TEST_F(EditBoxTest, EnterBreaksTheLineOnlyInABoxThatWantsIt) {
  std::u16string text;
  const auto keep = [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
    if (message == kWmInitDialog) return 1;
    if (message == kWmCommand && LowWord(first) == kIdCancel) {
      text = GetDlgItemText(dialog, 1);
      EndDialog(dialog, 2);
    }
    if (message == kWmCommand && LowWord(first) == kIdOk) text = u"confirmed";
    return 1;
  };
  RunTemplate(quillory_test::OneControl(kEditClass, kEsMultiLine | kEsWantReturn | kWsTabStop, 1, 80, 40), keep,
              "type a\nkey Return\ntype b\nkey Escape\n");
  EXPECT_EQ(text, u"a\r\nb");
  RunTemplate(quillory_test::OneControl(kEditClass, kEsMultiLine | kWsTabStop, 7, 80, 40), keep,
              "type a\nkey Return\n");
  EXPECT_EQ(text, u"confirmed");
}

}  // namespace
