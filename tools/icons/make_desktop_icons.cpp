// Draws the program's icon (resource 101) for the desktop: one PNG per size
// of the freedesktop icon theme layout, OUT/<n>x<n>/apps/quillory-32.png,
// each an exact multiple of the 32 × 32 original so that every pixel stays
// sharp. Magenta, the icon's transparent colour, becomes transparent.
//
// Usage: make-desktop-icons OUT

#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/png_writer.h"
#include "platform/system/resources.h"
#include "resources/program_resources.h"

namespace {

constexpr int kScales[] = {1, 2, 3, 4, 8};
constexpr char kIconName[] = "quillory-32.png";

platform::Framebuffer Scaled(const platform::Framebuffer& icon, int scale) {
  platform::Framebuffer out(icon.width() * scale, icon.height() * scale);
  for (std::int32_t y = 0; y < out.height(); ++y) {
    for (std::int32_t x = 0; x < out.width(); ++x) out.at(x, y) = icon.at(x / scale, y / scale);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-desktop-icons OUT\n");
    return 2;
  }
  const platform::Module module{quillory::ProgramResources()};
  const platform::ResourceHandle resource = platform::FindResource(&module, quillory::kIconId, platform::ResourceType::kIcon);
  const std::uint8_t* bytes = platform::LoadResource(resource);
  const auto icon = bytes ? platform::ParseBitmap(std::span(bytes, platform::SizeofResource(resource))) : nullptr;
  if (!icon) {
    std::fprintf(stderr, "make-desktop-icons: the program has no readable icon\n");
    return 1;
  }
  const platform::Pixel transparent = platform::ToPixel(quillory::kIconTransparent);
  for (const int scale : kScales) {
    const std::string size = std::to_string(icon->pixels().width() * scale);
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / (size + "x" + size) / "apps";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string file = (folder / kIconName).string();
    if (!platform::WritePng(Scaled(icon->pixels(), scale), file, transparent)) {
      std::fprintf(stderr, "make-desktop-icons: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
