// The reader program started where no window can be opened: it says why in
// a person's words, draws its first pages as pictures instead, and leaves
// nothing behind but those pictures, nor any change to the settings.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/scoped_environment.h"

namespace {

namespace fs = std::filesystem;
using quillory::testing::ChildOptions;
using quillory::testing::WaitForExit;

std::string Contents(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class ReaderWithoutDisplay : public ::testing::Test {
 protected:
  // Runs the reader with `display` (nothing: none at all) and no runtime
  // folder of the session; its exit code.
  std::optional<int> Run(std::optional<std::string> display, const std::string& cache = "cache") {
    fs::create_directory(scratch_.path() / "run", ignored_);
    fs::permissions(scratch_.path() / "run", fs::perms::owner_all, ignored_);
    ChildOptions options;
    options.output = (scratch_.path() / "said").string();
    options.variables = {{"DISPLAY", display},
                         {"WAYLAND_DISPLAY", std::nullopt},
                         {"SDL_VIDEODRIVER", std::nullopt},
                         {"XDG_RUNTIME_DIR", display ? std::optional<std::string>((scratch_.path() / "run").string())
                                                     : std::nullopt},
                         {"XDG_CACHE_HOME", (scratch_.path() / cache).string()},
                         {"QUILLORY_REGISTRY", registry_.string()}};
    return WaitForExit(quillory::testing::StartChild(QUILLORY_READER, options));
  }
  std::string Said() const { return Contents(scratch_.path() / "said"); }

  quillory::testing::ScratchFolder scratch_;
  const fs::path registry_ = scratch_.Write(
      "registry.reg",
      "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
      "\"FontName\"=\"David CLM\"\n\"Lesson\"=dword:00000004\n\"Flags\"=dword:d1140044\n");
  std::error_code ignored_;
};

TEST_F(ReaderWithoutDisplay, SaysSoDrawsThePagesInsteadAndLeavesOnlyThem) {
  const std::string settings = Contents(registry_);
  EXPECT_EQ(Run(std::nullopt), 0);
  const fs::path pages = scratch_.path() / "cache" / "quillory-32";
  EXPECT_EQ(Said(), "quillory-32: no display was found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the reader "
                    "cannot show its window.\nIts first 3 pages were drawn as pictures instead:\n  " +
                        (pages / "page-1.png").string() + "\n  " + (pages / "page-2.png").string() + "\n  " +
                        (pages / "page-3.png").string() + "\n");
  EXPECT_EQ(Names(pages), (std::set<std::string>{"page-1.png", "page-2.png", "page-3.png"}));
  for (const std::string& page : Names(pages)) EXPECT_GT(fs::file_size(pages / page), 1000u) << page;
  EXPECT_EQ(Contents(pages / "page-1.png").substr(1, 3), "PNG");
  EXPECT_NE(Contents(pages / "page-1.png"), Contents(pages / "page-2.png")) << "the pages go forward";
  EXPECT_EQ(Contents(registry_), settings) << "a preview never changes the settings";
  EXPECT_EQ(Names(scratch_.path()), (std::set<std::string>{"cache", "registry.reg", "run", "said"}));
}

TEST_F(ReaderWithoutDisplay, ADisplayThatCannotBeOpenedIsNamed) {
  const std::string settings = Contents(registry_);
  EXPECT_EQ(Run(":4095"), 0);
  EXPECT_EQ(Said().substr(0, Said().find('\n')),
            "quillory-32: the display :4095 could not be opened, so the reader cannot show its window.");
  EXPECT_EQ(Names(scratch_.path() / "cache" / "quillory-32").size(), 3u);
  EXPECT_EQ(Contents(registry_), settings);
  EXPECT_FALSE(fs::exists(scratch_.path() / "run" / "quillory-32.socket")) << "the preview is no running reader";
}

TEST_F(ReaderWithoutDisplay, PagesThatCannotBeWrittenAreNotListed) {
  scratch_.Write("not-a-folder", "");
  EXPECT_EQ(Run(std::nullopt, "not-a-folder"), 1);
  EXPECT_EQ(Said(), "quillory-32: no display was found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the reader "
                    "cannot show its window.\nIts first pages could not be written to " +
                        (scratch_.path() / "not-a-folder" / "quillory-32").string() + " either.\n");
}

}  // namespace
