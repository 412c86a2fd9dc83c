// Every font of the dialog tests, the stock fonts included, comes from
// DejaVu Sans named by its file, so that sizes and images are the same on
// every machine with the project's packages. Installed before any test
// runs, so before the stock fonts are first made.

#include <gtest/gtest.h>

#include "platform/graphics/font_catalog.h"
#include "tests/platform/test_fonts.h"

namespace {

std::unique_ptr<platform::Font> DejaVu(const platform::FontRequest& request) {
  return platform::Font::Open(platform::FontFile{quillory_test::kDejaVuSans, 0, request.weight >= 600}, request);
}

class DejaVuFonts : public ::testing::Environment {
 public:
  void SetUp() override { platform::SetFontFactory(DejaVu); }
};

[[maybe_unused]] ::testing::Environment* const kInstalled = ::testing::AddGlobalTestEnvironment(new DejaVuFonts);

}  // namespace
