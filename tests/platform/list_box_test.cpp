// List boxes as the Font dialog uses them: a sorted face list and an
// unsorted size list, prefix selection, notifications of taps and keys,
// and the scroll bar.

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
using quillory::kFaceListId;
using quillory::kSizeListId;

LResult Add(WindowHandle dialog, std::uint16_t list, const std::u16string& text) {
  return SendDlgItemMessage(dialog, list, kLbAddString, 0, TextParam(text));
}

std::vector<std::u16string> Entries(WindowHandle list) {
  std::vector<std::u16string> entries;
  const LResult count = SendMessage(list, kLbGetCount, 0, 0);
  for (LResult i = 0; i < count; ++i) entries.push_back(ListBoxText(list, i));
  return entries;
}

struct Notice {
  std::uint16_t id;
  std::uint16_t code;
  bool fromTheList;
};

class ListBoxTest : public quillory_test::DialogFixture {
 protected:
  // Runs the Font dialog: `start` at its initialisation, `command` for the
  // script's commands (500 and up); every notice of a list is recorded.
  void Font(const std::function<void(WindowHandle)>& start, const std::function<void(WindowHandle, std::uint16_t)>& command,
            const std::string& script) {
    Run(quillory::kFontDialogId, [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam second) -> LResult {
      if (message == kWmInitDialog) {
        start(dialog);
        return 0;
      }
      if (message != kWmCommand) return 0;
      const std::uint16_t id = LowWord(first);
      if (id == kFaceListId || id == kSizeListId) {
        notices_.push_back(Notice{id, HighWord(first), reinterpret_cast<WindowHandle>(second) == GetDlgItem(dialog, id)});
      } else if (id == kIdCancel) {
        EndDialog(dialog, 2);
      } else if (id >= 500) {
        command(dialog, id);
      }
      return 1;
    }, script + "key Escape\n");
  }
  std::vector<Notice> notices_;
};

void AddFaces(WindowHandle dialog) {
  for (const char16_t* face : {u"Tahoma", u"david CLM", u"Aharoni CLM", u"DejaVu Sans", u"Courier"}) {
    Add(dialog, kFaceListId, face);
  }
}

TEST_F(ListBoxTest, ASortedListKeepsItsEntriesInOrderWithoutRegardToCaseAndAnotherInTheOrderAdded) {
  Font([&](WindowHandle dialog) {
    const WindowHandle faces = GetDlgItem(dialog, kFaceListId);
    EXPECT_EQ(Add(dialog, kFaceListId, u"Tahoma"), 0);
    EXPECT_EQ(Add(dialog, kFaceListId, u"david CLM"), 0);
    EXPECT_EQ(Add(dialog, kFaceListId, u"Aharoni CLM"), 0);
    EXPECT_EQ(Add(dialog, kFaceListId, u"DejaVu Sans"), 2);
    EXPECT_EQ(Add(dialog, kFaceListId, u"Courier"), 1);
    EXPECT_EQ(Entries(faces),
              (std::vector<std::u16string>{u"Aharoni CLM", u"Courier", u"david CLM", u"DejaVu Sans", u"Tahoma"}));

    const WindowHandle sizes = GetDlgItem(dialog, kSizeListId);
    EXPECT_EQ(Add(dialog, kSizeListId, u"10"), 0);
    EXPECT_EQ(Add(dialog, kSizeListId, u"8"), 1);
    EXPECT_EQ(Add(dialog, kSizeListId, u"72"), 2);
    EXPECT_EQ(SendMessage(sizes, kLbInsertString, 1, TextParam(u"9")), 1);
    EXPECT_EQ(SendMessage(sizes, kLbInsertString, 9, TextParam(u"x")), kLbErr);
    EXPECT_EQ(Entries(sizes), (std::vector<std::u16string>{u"10", u"9", u"8", u"72"}));
    EXPECT_EQ(SendMessage(sizes, kLbSetCurSel, 2, 0), 2);
    EXPECT_EQ(SendMessage(sizes, kLbDeleteString, 0, 0), 3);
    EXPECT_EQ(SendMessage(sizes, kLbGetCurSel, 0, 0), 1) << "the selection stays on its entry";
    EXPECT_EQ(SendMessage(sizes, kLbGetTextLen, 2, 0), 2);
    EXPECT_EQ(SendMessage(sizes, kLbGetTextLen, 3, 0), kLbErr);
    char16_t text[3] = {};
    EXPECT_EQ(SendMessage(sizes, kLbGetText, 2, reinterpret_cast<LParam>(text)), 2);
    EXPECT_EQ(std::u16string(text), u"72");
    EXPECT_EQ(SendMessage(sizes, kLbResetContent, 0, 0), 0);
    EXPECT_EQ(SendMessage(sizes, kLbGetCount, 0, 0), 0);
    EXPECT_EQ(SendMessage(sizes, kLbGetCurSel, 0, 0), kLbErr);
  }, [](WindowHandle, std::uint16_t) {}, "");
  EXPECT_TRUE(notices_.empty()) << "messages change nothing the parent is told of";
}

TEST_F(ListBoxTest, PrefixSelectionChoosesTheFirstEntryBeginningWithTheText) {
  Font([&](WindowHandle dialog) {
    AddFaces(dialog);
    const WindowHandle faces = GetDlgItem(dialog, kFaceListId);
    const auto select = [&](WParam after, const std::u16string& prefix) {
      return SendMessage(faces, kLbSelectString, after, TextParam(prefix));
    };
    EXPECT_EQ(select(static_cast<WParam>(-1), u"dej"), 3) << "letter case ignored";
    EXPECT_EQ(SendMessage(faces, kLbGetCurSel, 0, 0), 3);
    EXPECT_EQ(select(static_cast<WParam>(-1), u"D"), 2);
    EXPECT_EQ(select(2, u"d"), 3) << "searching after the entry given";
    EXPECT_EQ(select(3, u"d"), 2) << "and round to the start";
    EXPECT_EQ(select(static_cast<WParam>(-1), u"Zapf"), kLbErr);
    EXPECT_EQ(SendMessage(faces, kLbGetCurSel, 0, 0), 2) << "nothing found: the selection stays";
    EXPECT_EQ(select(static_cast<WParam>(-1), u""), 0) << "every entry begins with nothing";
    EXPECT_EQ(SendMessage(faces, kLbFindString, static_cast<WParam>(-1), TextParam(u"t")), 4);
    EXPECT_EQ(SendMessage(faces, kLbGetCurSel, 0, 0), 0) << "finding selects nothing";
    EXPECT_EQ(SendMessage(faces, kLbFindStringExact, static_cast<WParam>(-1), TextParam(u"courier")), 1);
    EXPECT_EQ(SendMessage(faces, kLbFindStringExact, static_cast<WParam>(-1), TextParam(u"Cour")), kLbErr);

    // The sizes as the Font dialog fills them for a height value of 8 …
    const WindowHandle sizes = GetDlgItem(dialog, kSizeListId);
    for (const char16_t* size : {u"8", u"10", u"11", u"12", u"14", u"16", u"18", u"20", u"22", u"24", u"26",
                                 u"28", u"32", u"52", u"72"}) {
      Add(dialog, kSizeListId, size);
    }
    EXPECT_EQ(SendMessage(sizes, kLbSelectString, static_cast<WParam>(-1), TextParam(u"8")), 0);
    EXPECT_EQ(SendMessage(sizes, kLbSelectString, static_cast<WParam>(-1), TextParam(u"52")), 13);
    EXPECT_EQ(SendMessage(sizes, kLbSelectString, static_cast<WParam>(-1), TextParam(u"1")), 1) << "\"10\"";
    // … and for 13, which no entry begins with.
    SendMessage(sizes, kLbSetCurSel, static_cast<WParam>(-1), 0);
    EXPECT_EQ(SendMessage(sizes, kLbSelectString, static_cast<WParam>(-1), TextParam(u"13")), kLbErr);
    EXPECT_EQ(SendMessage(sizes, kLbGetCurSel, 0, 0), kLbErr);
  }, [](WindowHandle, std::uint16_t) {}, "");
}

TEST_F(ListBoxTest, TapsAndKeysChooseAnEntryAndTellTheParent) {
  std::vector<LResult> selected;
  // The face list's third entry: the list's top (11), its border, two rows of 13.
  Font(AddFaces, [&](WindowHandle dialog, std::uint16_t) {
    selected.push_back(SendDlgItemMessage(dialog, kFaceListId, kLbGetCurSel, 0, 0));
  }, "tap 50 44\ncommand 500\ntap 50 44\ntap 50 150\ncommand 500\n"
     "key Down\nkey End\nkey Up\nkey c\ncommand 500\n");
  EXPECT_EQ(selected, (std::vector<LResult>{2, 2, 1}));
  std::vector<std::uint16_t> codes;
  for (const Notice& notice : notices_) {
    EXPECT_EQ(notice.id, kFaceListId);
    EXPECT_TRUE(notice.fromTheList);
    codes.push_back(notice.code);
  }
  // A tap, a double tap, nothing for a tap below the entries, then Down,
  // End, Up and the letter c.
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{kLbnSelChange, kLbnDblClk, kLbnSelChange, kLbnSelChange,
                                                kLbnSelChange, kLbnSelChange}));
}

TEST_F(ListBoxTest, TheScrollBarFollowsTheSelectionAndMovesTheTopEntry) {
  std::vector<LResult> tops;
  Font([&](WindowHandle dialog) {
    for (int i = 0; i < 30; ++i) {
      Add(dialog, kFaceListId, u"Face " + std::u16string(1, static_cast<char16_t>(u'A' + i / 10)) +
                                   std::u16string(1, static_cast<char16_t>(u'0' + i % 10)));
    }
  }, [&](WindowHandle dialog, std::uint16_t id) {
    const WindowHandle list = GetDlgItem(dialog, kFaceListId);
    const auto top = [&] { return SendMessage(list, kLbGetTopIndex, 0, 0); };
    if (id == 500) {
      // 150 pixels inside the border hold 11 rows of 13.
      SendMessage(list, kLbSetCurSel, 29, 0);
      tops.push_back(top());
      std::int32_t minimum = -1;
      std::int32_t maximum = -1;
      GetScrollRange(list, kSbVert, minimum, maximum);
      EXPECT_EQ(maximum, 19);
      EXPECT_EQ(GetScrollPos(list, kSbVert), 19);
      SendMessage(list, kWmVScroll, kSbLineUp, 0);
      tops.push_back(top());
      SendMessage(list, kWmVScroll, kSbTop, 0);
      tops.push_back(top());
      SendMessage(list, kWmVScroll, kSbPageDown, 0);
      tops.push_back(top());
      SendMessage(list, kWmVScroll, MakeLong(kSbThumbPosition, 5), 0);
      tops.push_back(top());
      SendMessage(list, kLbSetTopIndex, 25, 0);
      tops.push_back(top());
      SendMessage(list, kWmVScroll, kSbTop, 0);
    } else {
      tops.push_back(top());
    }
  }, "command 500\ntap 192 158\ncommand 501\n");
  // The scroll bar's down arrow, at the list's right end, moves it a line.
  EXPECT_EQ(tops, (std::vector<LResult>{19, 18, 0, 11, 5, 19, 1}));
}

}  // namespace
