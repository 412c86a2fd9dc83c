#include "app/update_check.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/scoped_environment.h"

namespace {

using quillory::UpdateAddress;

TEST(UpdateAddress, EncodesTheProductIdAndNamesTheVersion) {
  const std::u16string address = UpdateAddress(quillory::kProductId);
  EXPECT_EQ(address, u"http://updates.orvenda.example/cgi-bin/upgrade?p=arm/Orvenda/Quillory+%2D+32&v=1.84a");
  // Characters above 0xFF take as many digits as they need.
  EXPECT_NE(UpdateAddress(u"a\u05D0b").find(u"/a%5D0b&v="), std::u16string::npos);
  EXPECT_NE(UpdateAddress(u"\u0007").find(u"/%07&v="), std::u16string::npos);
}

TEST(UpdateAddress, NeverGrowsPastTheRequestBuffer) {
  const std::u16string address = UpdateAddress(std::u16string(300, u'-'));
  EXPECT_EQ(address.size(), 199u);
}

TEST(UpdateAddress, IsHandedToTheDesktopsOpenerAsOneArgument) {
  quillory::testing::ScratchFolder folder;
  const auto opener = folder.Write("xdg-open", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"${0%/*}/opened\"\n");
  std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
  quillory::testing::ScopedVariable path("PATH", folder.path().string());
  quillory::CheckForUpdates(nullptr);
  std::string opened;
  for (int i = 0; i < 200 && opened.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(folder.path() / "opened");
    std::getline(in, opened);
  }
  EXPECT_EQ(opened, "1|http://updates.orvenda.example/cgi-bin/upgrade?p=arm/Orvenda/Quillory+%2D+32&v=1.84a");
}

}  // namespace
