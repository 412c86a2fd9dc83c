// The Font dialog as a person meets it: the lists it offers and what they
// select at the start, the sample, the base that follows a Hebrew face, and
// what OK and Cancel leave in the font description.

#include "view/font_dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "platform/controls/controls.h"
#include "platform/graphics/device_context.h"
#include "platform/graphics/dialog_units.h"
#include "platform/graphics/font_catalog.h"
#include "platform/system/memory.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/message_box.h"
#include "platform/windows/shell.h"
#include "resources/dialog_templates.h"
#include "tests/platform/dialog_fixture.h"

namespace quillory {
namespace {

using namespace platform;

// Commands the test's script sends to the dialog for the test itself: look
// at the controls, click the "224" button, run the test's own steps.
constexpr std::uint16_t kLook = 9001;
constexpr std::uint16_t kClick224 = 9002;
constexpr std::uint16_t kSteps = 9003;

// The families as the system would report them: in no particular order.
std::vector<FontFamily>& Families() {
  static std::vector<FontFamily> families;
  return families;
}
std::vector<FontFamily> ListFamilies() { return Families(); }

// Every font made while the dialog runs, by what was asked for.
std::vector<FontRequest>& Requests() {
  static std::vector<FontRequest> requests;
  return requests;
}
std::unique_ptr<Font> RecordingFont(const FontRequest& request) {
  Requests().push_back(request);
  return Font::Fixed(request.height > 0 ? request.height : 16, 8);
}

struct Controls {
  std::vector<std::u16string> faces;
  LResult faceSelected = kLbErr;
  std::vector<std::u16string> sizes;
  LResult sizeSelected = kLbErr;
  bool on224 = false;
  bool on5D0 = false;
  std::u16string sample;
};

std::vector<std::u16string> Entries(WindowHandle list) {
  std::vector<std::u16string> entries;
  const LResult count = SendMessage(list, kLbGetCount, 0, 0);
  for (LResult i = 0; i < count; ++i) entries.push_back(ListBoxText(list, i));
  return entries;
}

Controls Look(WindowHandle dialog) {
  Controls seen;
  seen.faces = Entries(GetDlgItem(dialog, kFaceListId));
  seen.faceSelected = SendDlgItemMessage(dialog, kFaceListId, kLbGetCurSel, 0, 0);
  seen.sizes = Entries(GetDlgItem(dialog, kSizeListId));
  seen.sizeSelected = SendDlgItemMessage(dialog, kSizeListId, kLbGetCurSel, 0, 0);
  seen.on224 = SendDlgItemMessage(dialog, kBase224Id, kBmGetCheck, 0, 0) == kBstChecked;
  seen.on5D0 = SendDlgItemMessage(dialog, kBase5D0Id, kBmGetCheck, 0, 0) == kBstChecked;
  seen.sample = GetDlgItemText(dialog, kSampleId);
  return seen;
}

// The letters tav down to alef under a base.
std::u16string Alphabet(char16_t alef) {
  std::u16string letters;
  for (int i = 26; i >= 0; --i) letters += static_cast<char16_t>(alef + i);
  return letters;
}

FontDescription Description(std::u16string_view face, std::int32_t height, std::uint32_t base) {
  FontDescription font;
  std::copy(face.begin(), face.end(), font.faceName.begin());
  font.height = height;
  font.asciiBase = base;
  return font;
}

std::u16string FaceOf(const FontDescription& font) {
  return std::u16string(UntilZero({font.faceName.data(), font.faceName.size()}));
}

class FontDialogTest : public quillory_test::DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    ResetAppState();
    // The stock fonts come from the catalog, made before the recording starts.
    SystemFont();
    MenuFont();
    DialogFont();
    previousLister_ = SetFontFamilyLister(ListFamilies);
    previousFactory_ = SetFontFactory(RecordingFont);
    Families() = {{u"Miriam Mono CLM", kHebrewCharSet},
                  {u"DejaVu Sans Mono", kAnsiCharSet},
                  {u"David CLM", kHebrewCharSet},
                  {u"Courier", kAnsiCharSet}};
    Requests().clear();
  }
  void TearDown() override {
    SetFontFactory(previousFactory_);
    SetFontFamilyLister(previousLister_);
    ResetAppState();
    DialogFixture::TearDown();
  }

  // Runs the dialog over `font` while `script` plays; a "command 9001" in
  // it records the controls as they are then.
  std::intptr_t Open(FontDescription& font, const std::string& script) {
    return Run(
        kFontDialogId,
        [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam second) -> LResult {
          if (message == kWmCommand && LowWord(first) == kLook) {
            seen_ = Look(dialog);
            return 1;
          }
          if (message == kWmCommand && LowWord(first) == kClick224) {
            SendDlgItemMessage(dialog, kBase224Id, kBmClick, 0, 0);
            return 1;
          }
          if (message == kWmCommand && LowWord(first) == kSteps) {
            steps_(dialog);
            return 1;
          }
          return FontDialogProc(dialog, message, first, second);
        },
        script, reinterpret_cast<LParam>(&font));
  }

  Controls seen_;
  std::function<void(WindowHandle)> steps_;

 private:
  FontFamilyLister previousLister_ = nullptr;
  FontFactory previousFactory_ = nullptr;
};

TEST_F(FontDialogTest, OpensWithTheFacesSortedTheDescriptionsEntriesSelectedAndTheAlphabetShown) {
  FontDescription font = Description(u"David", 20, kBaseUnicode);
  EXPECT_EQ(Open(font, "command 9001\ncommand 2\n"), kIdCancel);
  EXPECT_EQ(seen_.faces, (std::vector<std::u16string>{u"Courier (no Hebrew)", u"David CLM",
                                                      u"DejaVu Sans Mono (no Hebrew)", u"Miriam Mono CLM"}))
      << "sorted, and the faces without the Hebrew letters marked";
  EXPECT_EQ(seen_.faceSelected, 1) << "the first face that begins with the stored name";
  EXPECT_EQ(seen_.sizes, (std::vector<std::u16string>{u"10", u"11", u"12", u"14", u"16", u"18", u"20", u"22", u"24",
                                                      u"26", u"28", u"32", u"52", u"72"}));
  EXPECT_EQ(seen_.sizeSelected, 6);
  EXPECT_TRUE(seen_.on5D0);
  EXPECT_FALSE(seen_.on224);
  EXPECT_EQ(seen_.sample, Alphabet(u'\u05D0'));
  EXPECT_TRUE(Requests().empty()) << "no sample font before a choice";
}

TEST_F(FontDialogTest, ASmallHeightOfTheReadersOwnIsOfferedFirstAndAHeightOffTheTableSelectsNothing) {
  struct Case {
    std::int32_t height;
    std::u16string first;
    LResult selected;
  };
  for (const Case& c : {Case{8, u"8", 0}, Case{-12, u"-12", 0}, Case{13, u"10", kLbErr}, Case{0, u"10", kLbErr},
                        Case{72, u"10", 13}}) {
    SCOPED_TRACE(c.height);
    FontDescription font = Description(u"David CLM", c.height, kBaseUnicode);
    Open(font, "command 9001\ncommand 1\n");
    ASSERT_FALSE(seen_.sizes.empty());
    EXPECT_EQ(seen_.sizes.front(), c.first);
    EXPECT_EQ(seen_.sizes.size(), c.first == u"10" ? 14u : 15u);
    EXPECT_EQ(seen_.sizeSelected, c.selected);
    EXPECT_EQ(font.height, c.height) << "OK with the entry as it was keeps the height, a negative one too";
  }
}

TEST_F(FontDialogTest, CancelKeepsTheDescriptionButABaseOfZeroBecomes5D0) {
  FontDescription font = Description(u"Courier", 14, 0);
  const FontDescription before = font;
  // A face and a size chosen, then cancelled.
  EXPECT_EQ(Open(font, "command 9001\nkey D\nkey Tab\nkey 5\ncommand 2\n"), kIdCancel);
  EXPECT_TRUE(seen_.on5D0);
  EXPECT_EQ(seen_.sample, Alphabet(u'\u05D0'));
  EXPECT_EQ(font.asciiBase, kBaseUnicode);
  EXPECT_EQ(font.faceName, before.faceName);
  EXPECT_EQ(font.height, 14);
}

TEST_F(FontDialogTest, AHebrewFaceTurns5D0OnInPlaceOf224AndOkStoresIt) {
  FontDescription font = Description(u"Courier", 0, kBaseCp1255);
  // "D" chooses "David CLM", a Hebrew face.
  EXPECT_EQ(Open(font, "command 9001\nkey D\ncommand 9001\ncommand 1\n"), kIdOk);
  EXPECT_FALSE(seen_.on224);
  EXPECT_TRUE(seen_.on5D0);
  EXPECT_EQ(seen_.sample, Alphabet(u'\u05D0'));
  ASSERT_FALSE(Requests().empty());
  EXPECT_EQ(std::u16string(UntilZero({Requests().back().faceName.data(), 32})), u"David CLM");
  EXPECT_EQ(FaceOf(font), u"David CLM");
  EXPECT_EQ(font.asciiBase, kBaseUnicode);
  EXPECT_EQ(font.height, 0) << "no size chosen";

  // A face without the letters leaves "224" as it is.
  font = Description(u"DejaVu", 0, kBaseCp1255);
  Open(font, "key C\ncommand 9001\ncommand 1\n");
  EXPECT_TRUE(seen_.on224);
  EXPECT_EQ(FaceOf(font), u"Courier");
  EXPECT_EQ(font.asciiBase, kBaseCp1255);
}

TEST_F(FontDialogTest, Clicking224ShowsTheLettersFromUFADownToUE0InTheChosenFont) {
  FontDescription font = Description(u"Miriam", 16, kBaseUnicode);
  EXPECT_EQ(Open(font, "command 9002\ncommand 9001\ncommand 1\n"), kIdOk);
  EXPECT_EQ(seen_.sample, Alphabet(u'\u00E0'));
  EXPECT_EQ(seen_.sample.front(), u'\u00FA');
  EXPECT_TRUE(seen_.on224);
  EXPECT_FALSE(seen_.on5D0);
  ASSERT_EQ(Requests().size(), 1u);
  EXPECT_EQ(std::u16string(UntilZero({Requests()[0].faceName.data(), 32})), u"Miriam Mono CLM");
  EXPECT_EQ(Requests()[0].height, 16);
  EXPECT_EQ(font.asciiBase, kBaseCp1255);
}

TEST_F(FontDialogTest, OkKeepsWhatNothingIsSelectedForAndStoresASizeChosen) {
  FontDescription font = Description(u"Frank", 13, kBaseUnicode);
  EXPECT_EQ(Open(font, "command 9001\ncommand 1\n"), kIdOk);
  EXPECT_EQ(seen_.faceSelected, kLbErr);
  EXPECT_EQ(FaceOf(font), u"Frank");
  EXPECT_EQ(font.height, 13);

  // Tab to the size list, "5" chooses 52.
  EXPECT_EQ(Open(font, "key Tab\nkey 5\ncommand 1\n"), kIdOk);
  EXPECT_EQ(font.height, 52);
  EXPECT_EQ(FaceOf(font), u"Frank");
}

TEST_F(FontDialogTest, FullScreenTheTaskBarIsHiddenAgainWhenTheDialogBecomesActiveOtherThanByATap) {
  Switches().fullScreen = 1;
  Switches().taskBar = FindWindow(u"HHTaskBar", u"");
  ASSERT_NE(Switches().taskBar, nullptr);
  App().mainWindow = owner_;
  bool shownAfterTap = false;
  bool shownAfterActivation = true;
  steps_ = [&](WindowHandle dialog) {
    ShellFullScreen(owner_, kShfsShowTaskBar);
    SendMessage(dialog, kWmActivate, kWaClickActive, 0);
    shownAfterTap = IsWindowVisible(Switches().taskBar);
    SendMessage(dialog, kWmActivate, kWaActive, 0);
    shownAfterActivation = IsWindowVisible(Switches().taskBar);
  };
  FontDescription font = Description(u"David CLM", 0, kBaseUnicode);
  Open(font, "command 9003\ncommand 2\n");
  EXPECT_TRUE(shownAfterTap);
  EXPECT_FALSE(shownAfterActivation);
}

TEST_F(FontDialogTest, ABlockThatCannotBeAllocatedEndsTheListWithTheFacesFoundSoFar) {
  Families().clear();
  for (int i = 0; i < 60; ++i) {
    Families().push_back({Utf8ToUtf16("Face " + std::to_string(100 + i)), kAnsiCharSet});
  }
  const std::int64_t live = LiveAllocations();
  FontDescription font = Description(u"Face 1", 0, kBaseUnicode);
  Open(font, "command 9001\ncommand 2\n");
  EXPECT_EQ(seen_.faces.size(), 60u) << "three blocks";
  EXPECT_EQ(LiveAllocations(), live) << "every block released";

  FailNthAllocation(2);  // the second block
  Open(font, "command 9001\ncommand 1\n");
  FailNthAllocation(0);
  ASSERT_EQ(seen_.faces.size(), 25u);
  EXPECT_EQ(seen_.faces.front(), u"Face 100 (no Hebrew)");
  EXPECT_EQ(seen_.faces.back(), u"Face 124 (no Hebrew)");
  EXPECT_EQ(FaceOf(font), u"Face 100") << "OK with the first face selected, stored without its mark";
  EXPECT_EQ(LiveAllocations(), live);

  FailNthAllocation(1);  // no block at all: an empty list, and OK keeps the face
  Open(font, "command 9001\ncommand 1\n");
  FailNthAllocation(0);
  EXPECT_TRUE(seen_.faces.empty());
  EXPECT_EQ(FaceOf(font), u"Face 100");
}

TEST_F(FontDialogTest, AFamilyNameLongerThanAFaceNameIsCutTo31Characters) {
  const std::u16string longName = u"An Exceedingly Long Family Name Of Forty";
  Families() = {{longName, kHebrewCharSet}};
  FontDescription font = Description(u"", 0, kBaseCp1255);
  Open(font, "command 9001\ncommand 1\n");
  ASSERT_EQ(seen_.faces.size(), 1u);
  EXPECT_EQ(seen_.faces[0], longName.substr(0, 31));
  EXPECT_EQ(FaceOf(font), longName.substr(0, 31)) << "an empty name selects the first face";
}

}  // namespace
}  // namespace quillory
