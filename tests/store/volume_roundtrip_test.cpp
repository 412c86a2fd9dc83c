// Every resource compiled into the reader decodes back to exactly the text
// the volume compiler made from the authoring sources.

#include <gtest/gtest.h>

#include "core/app_state.h"
#include "platform/backends/headless/headless_backend.h"
#include "resources/volume_resources.h"
#include "store/uncompress.h"
#include "tests/store/reference_decoder.h"
#include "tools/pack/volume.h"

namespace quillory {
namespace {

TEST(VolumeRoundTrip, EveryBuiltResourceDecodesToItsSourceText) {
  std::vector<pack::Diagnostic> diagnostics;
  const auto compiled = pack::CompileVolume("volume", pack::Parser::kOptimal, diagnostics);
  ASSERT_TRUE(compiled) << (diagnostics.empty() ? "" : diagnostics[0].ToString());

  platform::ScopedHeadlessBackend backend;
  const platform::Module module{VolumeResources()};
  ResetAppState();
  App().module = &module;
  ASSERT_EQ(VolumeResources().size(), 45u);
  for (const auto& resource : *compiled) {
    const int number = resource.id == pack::kIndexId ? kIndexNumber : resource.id - 1000;
    LoadStatus status{};
    const TextBuffer text = LoadCompressedResource(number, &status);
    ASSERT_TRUE(text) << "resource " << resource.id << " status " << static_cast<int>(status);
    ASSERT_EQ(std::vector<std::uint8_t>(text.data(), text.data() + text.length()), resource.decoded)
        << "resource " << resource.id << " is stale or decodes wrongly";
    // The stored block ends exactly where the output fills: no code is left over.
    const auto& stored = resource.stored.bytes;
    const std::vector<std::uint8_t> block(stored.begin() + 10, stored.end() - 4);
    const auto reference = testing::ReferenceDecode(block, resource.decoded.size());
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->consumed, block.size()) << "resource " << resource.id;
  }
  EXPECT_TRUE(backend->shownBoxes().empty());
  ResetAppState();
}

}  // namespace
}  // namespace quillory
