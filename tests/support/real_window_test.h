#pragma once
// The fixture of tests that run the reader program in a real window: an X
// server of the test's own (first, so that $DISPLAY names it before anything
// else starts), the test's view of the windows on it, and a sandbox for the
// reader's settings and runtime folder.

#include <gtest/gtest.h>

#include <optional>

#include "tests/support/scoped_environment.h"
#include "tests/support/x11_test_server.h"
#include "tests/support/x11_windows.h"

namespace quillory::testing {

class RealWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.started()) << server_.why();
    windows_.emplace();
    ASSERT_TRUE(windows_->connected());
  }

  XTestServer server_;
  std::optional<XWindows> windows_;
  ReaderSandbox scratch_;
};

}  // namespace quillory::testing
