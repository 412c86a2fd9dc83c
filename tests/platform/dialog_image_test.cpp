// How a dialog and message boxes look, pixel for pixel (DejaVu Sans).

#include <gtest/gtest.h>

#include <vector>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/windows/message_box.h"
#include "resources/dialog_templates.h"
#include "tests/platform/dialog_fixture.h"
#include "tests/platform/monochrome_dib.h"
#include "tests/platform/png_reader.h"

namespace {

using namespace platform;

class DialogImageTest : public quillory_test::DialogFixture {};

// A picture of three rows of nine keys and a space bar, as the Search
// dialog shows its keyboard.
bool KeyboardInk(std::int32_t x, std::int32_t y) {
  if (y < 75) return x % 17 == 0 || x == 153 || y % 25 == 0 || (x % 17 == 8 && y % 25 > 8 && y % 25 < 17);
  return y == 80 && x >= 34 && x < 119;
}

TEST_F(DialogImageTest, TheSearchDialogWithHebrewTypedIntoItsBox) {
  const std::vector<std::uint8_t> keyboard = quillory_test::MonochromeDib(154, 95, KeyboardInk);
  const ResourceEntry pictures[] = {{ResourceType::kBitmap, quillory::kSearchKeyboardId, keyboard.data(),
                                     static_cast<std::uint32_t>(keyboard.size())}};
  const Module module{quillory::ProgramResources(), std::span<const ResourceEntry>(pictures)};
  Framebuffer shown(1, 1);
  quillory_test::CurrentHandler() = [&](WindowHandle dialog, std::uint32_t message, WParam first, LParam) -> LResult {
    if (message == kWmInitDialog) return 1;
    if (message == kWmCommand && LowWord(first) == 500) {
      shown = ScreenImage();
      EndDialog(dialog, 1);
    }
    return 0;
  };
  Play("type \u05E9\u05DC\u05D5\u05DD\nkey Left\ncommand 500\n");
  DialogBoxParam(&module, quillory::kSearchDialogId, owner_, quillory_test::HandlerProcedure, 0);
  quillory_test::ExpectMatchesGolden(shown, "search_dialog.png");
}

TEST_F(DialogImageTest, TheOutOfMemoryBoxAndTheBookmarkQuestion) {
  ShowMessageBox(nullptr, "There is not enough memory, aborting", "Error", kMbOk | kMbIconStop);
  quillory_test::ExpectMatchesGolden(backend_->lastScreen(), "message_box_stop.png");
  ShowMessageBox(owner_, "Remove Bookmark?\n\nCancel - Don't ask again", "Bookmark", kMbYesNoCancel);
  quillory_test::ExpectMatchesGolden(backend_->lastScreen(), "message_box_bookmark.png");
}

}  // namespace
