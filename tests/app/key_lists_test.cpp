// The keys the reader answers are listed alike wherever people look for
// them: the README's table, --help, the manual page and the Go menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/menus/menu.h"
#include "platform/system/text_encoding.h"
#include "resources/program_resources.h"

namespace quillory {
namespace {

std::string FileText(const std::string& path) {
  std::ifstream in(std::string(QUILLORY_SOURCE_DIR) + "/" + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every key of the reader's window, as the lists write it.
const std::vector<std::string> kKeys = {
    "Page Down", "Space",  "Page Up", "Shift+Space", "Home",     "End",       "Backspace", "Alt+Left",
    "F10",       "Alt+G",  "Ctrl+Home", "Ctrl+F",    "Ctrl+plus", "Ctrl+minus", "Ctrl+0",  "Ctrl+D",
    "Ctrl+B",    "Alt+F3", "F3",      "Ctrl+C",      "Ctrl+E",   "F11",       "Ctrl+Q",    "F1",
    "Ctrl+N",
};

TEST(KeyLists, TheReadmeHelpAndManualPageListEveryKey) {
  const struct {
    const char* where;
    std::string text;
  } lists[] = {
      {"README.md", FileText("README.md")},
      {"--help", UsageText()},
      {"the manual page", FileText("packaging/man/quillory-32.1.in")},
  };
  for (const auto& list : lists) {
    ASSERT_FALSE(list.text.empty()) << list.where;
    for (const std::string& key : kKeys) EXPECT_NE(list.text.find(key), std::string::npos) << key << " in " << list.where;
  }
}

TEST(KeyLists, TheGoMenuShowsKeysFromTheListAndTheListsNameFullScreen) {
  const platform::Module module{ProgramResources()};
  const std::unique_ptr<platform::Menu> menu = platform::LoadMenu(&module, kMenuId);
  ASSERT_TRUE(menu);
  std::vector<std::uint16_t> withoutKey;
  for (const platform::MenuItem& item : platform::GetSubMenu(menu.get(), 0)->items) {
    if (item.flags & platform::kMfSeparator) continue;
    if (item.shortcut.empty()) {
      withoutKey.push_back(item.command);
      continue;
    }
    const std::string label = platform::Utf16ToUtf8(item.shortcut);
    const bool arrow = label == "Left" || label == "Right";
    EXPECT_TRUE(arrow || std::find(kKeys.begin(), kKeys.end(), label) != kKeys.end()) << label;
  }
  EXPECT_EQ(withoutKey, (std::vector<std::uint16_t>{kCheckForUpdatesCommand, kReverseCommand}))
      << "every item a key reaches shows the key";
  EXPECT_NE(UsageText().find("F11                   full screen"), std::string::npos);
  EXPECT_NE(FileText("README.md").find("| F11 | full screen |"), std::string::npos);
}

}  // namespace
}  // namespace quillory
