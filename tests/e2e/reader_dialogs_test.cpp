// The reader's dialogs as a person meets them: About from the menu and
// from the help key, with its link.

#include <chrono>
#include <fstream>
#include <thread>

#include "resources/program_resources.h"
#include "tests/e2e/reader_fixture.h"
#include "tests/platform/png_reader.h"

namespace quillory_test {
namespace {

using quillory::App;

bool HasPixel(const platform::Framebuffer& screen, platform::Pixel wanted) {
  for (const platform::Pixel pixel : screen.pixels()) {
    if (pixel == wanted) return true;
  }
  return false;
}

TEST_F(ReaderTest, AboutShowsItsBlueLinkWhichOpensTheMakersPage) {
  const auto opener = scratch_.Write("xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > \"${0%/*}/opened\"\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  quillory::testing::ScopedVariable path("PATH", scratch_.path().string());
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  const std::string shot = (scratch_.path() / "about.png").string();
  // Played while the dialog runs: a picture of it, the link, then OK.
  Script("snapshot " + shot + "\ncommand 1025\ncommand 1\n");
  bool mainWindowAfter = false;
  Run([&] {
    Command(quillory::kAboutCommand);
    mainWindowAfter = platform::GetForegroundWindow() == App().mainWindow;
  });
  EXPECT_TRUE(mainWindowAfter);
  const auto screen = ReadPng(shot);
  ASSERT_TRUE(screen);
  EXPECT_TRUE(HasPixel(*screen, 0x000000FF));
  std::string opened;
  for (int i = 0; i < 200 && opened.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream(scratch_.path() / "opened") >> opened;
  }
  EXPECT_EQ(opened, "http://www.orvenda.example/");
}

TEST_F(ReaderTest, TheHelpKeyOpensAboutAndItsOkButtonClosesIt) {
  StoreSettings("\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  // The first command reaches the open dialog, so the second, This Week,
  // can only reach the reader once About is closed.
  Script("command 1\ncommand 108\n");
  Run([&] { Key(platform::kVkF1); });
  EXPECT_EQ(Stored("Flags").value_or(0) & quillory::kChosenArticleFlag, 0u);
}

}  // namespace
}  // namespace quillory_test
