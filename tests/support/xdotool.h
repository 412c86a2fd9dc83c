#pragma once
// Real input from xdotool (XTEST), as a person's keyboard and mouse give it,
// to the X server that $DISPLAY names. A hung xdotool ends the step instead
// of the test run.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace quillory::testing {

inline void Xdotool(const std::string& arguments) {
  const std::string command = "timeout 30 xdotool " + arguments + " >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace quillory::testing
