// The program's own resources, read back the way the window code reads them:
// bitmaps through the platform's bitmap parser, everything else as bytes.

#include "resources/program_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics/bitmap.h"
#include "platform/graphics/device_context.h"
#include "resources/about_picture.h"
#include "resources/list_glyphs.h"
#include "resources/program_icon.h"
#include "resources/toolbar_pictures.h"
#include "resources/volume_resources.h"
#include "search/keyboard_layout.h"

namespace quillory {
namespace {

using platform::Pixel;
using platform::ResourceType;

constexpr Pixel kSilver = 0x00C0C0C0;
constexpr Pixel kMagenta = 0x00FF00FF;

std::span<const std::uint8_t> Bytes(ResourceType type, std::uint16_t id) {
  const platform::Module module{ProgramResources()};
  const platform::ResourceHandle resource = platform::FindResource(&module, id, type);
  if (resource == nullptr) return {};
  return {platform::LoadResource(resource), platform::SizeofResource(resource)};
}

std::uint16_t WordAt(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

template <std::size_t kColours>
Pixel PixelOf(const std::array<PaletteColour, kColours>& palette, char name) {
  const PaletteColour& colour = palette[PaletteIndex(palette, name)];
  return static_cast<Pixel>(colour.red << 16 | colour.green << 8 | colour.blue);
}

// Checks that `bitmap`, from column `left` on, shows `art` pixel for pixel.
template <std::size_t kWidth, std::size_t kHeight, std::size_t kColours = kClassicPalette.size()>
void ExpectShows(const platform::Bitmap& bitmap, std::int32_t left, const PixelArt<kWidth, kHeight>& art,
                 const std::array<PaletteColour, kColours>& palette = kClassicPalette) {
  for (std::size_t y = 0; y < kHeight; ++y) {
    for (std::size_t x = 0; x < kWidth; ++x) {
      ASSERT_EQ(bitmap.pixels().at(left + static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)),
                PixelOf(palette, art.rows[y][x]))
          << "column " << left + static_cast<std::int32_t>(x) << ", row " << y;
    }
  }
}

std::vector<Pixel> Picture(const platform::Bitmap& strip, int index) {
  std::vector<Pixel> pixels;
  for (std::int32_t y = 0; y < kToolbarPictureSize; ++y) {
    for (std::int32_t x = 0; x < kToolbarPictureSize; ++x) {
      pixels.push_back(strip.pixels().at(index * kToolbarPictureSize + x, y));
    }
  }
  return pixels;
}

TEST(ProgramResources, NoResourceHidesAnotherOfTheSameTypeAndIdentifier) {
  std::set<std::pair<ResourceType, std::uint16_t>> seen;
  for (const auto table : {ProgramResources(), VolumeResources()}) {
    for (const platform::ResourceEntry& entry : table) {
      EXPECT_TRUE(seen.insert({entry.type, entry.id}).second) << "type " << static_cast<int>(entry.type)
                                                                << ", id " << entry.id;
    }
  }
}

TEST(ProgramResources, ToolbarStripShowsSevenPicturesAsDrawn) {
  const auto strip = platform::ParseBitmap(Bytes(ResourceType::kBitmap, kToolbarBitmapId));
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->pixels().width(), kToolbarPictureCount * kToolbarPictureSize);
  EXPECT_EQ(strip->pixels().height(), kToolbarPictureSize);
  EXPECT_FALSE(strip->monochrome());
  EXPECT_EQ(platform::ToPixel(kToolbarBackground), kSilver);
  for (int i = 0; i < kToolbarPictureCount; ++i) {
    SCOPED_TRACE("picture " + std::to_string(i));
    ExpectShows(*strip, i * kToolbarPictureSize, kToolbarPictures[i]);
  }
}

TEST(ProgramResources, ToolbarPicturesAreDistinctDrawingsOnSilver) {
  const auto strip = platform::ParseBitmap(Bytes(ResourceType::kBitmap, kToolbarBitmapId));
  ASSERT_TRUE(strip);
  std::vector<std::vector<Pixel>> pictures;
  for (int i = 0; i < kToolbarPictureCount; ++i) {
    SCOPED_TRACE("picture " + std::to_string(i));
    const std::vector<Pixel> picture = Picture(*strip, i);
    constexpr int kLast = kToolbarPictureSize - 1;
    for (const int corner : {0, kLast, kLast * kToolbarPictureSize, kLast * kToolbarPictureSize + kLast}) {
      EXPECT_EQ(picture[corner], kSilver);
    }
    EXPECT_GT(std::count_if(picture.begin(), picture.end(), [](Pixel p) { return p != kSilver; }), 16);
    for (std::size_t j = 0; j < pictures.size(); ++j) EXPECT_NE(picture, pictures[j]) << "same as picture " << j;
    pictures.push_back(picture);
  }
}

TEST(ProgramResources, ThePreviousArrowPointsLeftAndTheNextArrowMirrorsIt) {
  const auto strip = platform::ParseBitmap(Bytes(ResourceType::kBitmap, kToolbarBitmapId));
  ASSERT_TRUE(strip);
  const std::vector<Pixel> previous = Picture(*strip, static_cast<int>(ToolbarPicture::kPreviousArticle));
  const std::vector<Pixel> next = Picture(*strip, static_cast<int>(ToolbarPicture::kNextArticle));
  std::int32_t tipColumn = kToolbarPictureSize;
  std::int32_t tailColumn = -1;
  for (std::int32_t y = 0; y < kToolbarPictureSize; ++y) {
    for (std::int32_t x = 0; x < kToolbarPictureSize; ++x) {
      const Pixel p = previous[y * kToolbarPictureSize + x];
      if (p != kSilver) {
        tipColumn = std::min(tipColumn, x);
        tailColumn = std::max(tailColumn, x);
      }
      EXPECT_EQ(p, next[y * kToolbarPictureSize + (kToolbarPictureSize - 1 - x)]) << x << ", " << y;
    }
  }
  // The point is one pixel, the tail a full-height edge.
  int tipPixels = 0;
  int tailPixels = 0;
  for (std::int32_t y = 0; y < kToolbarPictureSize; ++y) {
    tipPixels += previous[y * kToolbarPictureSize + tipColumn] != kSilver;
    tailPixels += previous[y * kToolbarPictureSize + tailColumn] != kSilver;
  }
  EXPECT_EQ(tipPixels, 1);
  EXPECT_GT(tailPixels, 1);
}

TEST(ProgramResources, IconIsA32PixelColourPictureOnTransparentMagenta) {
  const auto icon = platform::ParseBitmap(Bytes(ResourceType::kIcon, kIconId));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->pixels().width(), kIconSize);
  EXPECT_EQ(icon->pixels().height(), kIconSize);
  EXPECT_FALSE(icon->monochrome());
  ExpectShows(*icon, 0, kProgramIconPicture);
  EXPECT_EQ(platform::ToPixel(kIconTransparent), kMagenta);
  for (const auto& [x, y] : {std::pair{0, 0}, {kIconSize - 1, 0}, {0, kIconSize - 1}, {kIconSize - 1, kIconSize - 1}}) {
    EXPECT_EQ(icon->pixels().at(x, y), kMagenta);
  }
  const auto pixels = icon->pixels().pixels();
  EXPECT_GT(std::count_if(pixels.begin(), pixels.end(), [](Pixel p) { return p != kMagenta; }),
            kIconSize * kIconSize / 2);
}

// A one-bit bitmap resource of the given size: the bits-per-pixel field of
// its header says 1, and the parser makes it a monochrome bitmap.
std::unique_ptr<platform::Bitmap> OneBitBitmap(std::uint16_t id, std::int32_t width, std::int32_t height,
                                               ResourceType type = ResourceType::kBitmap) {
  const auto bytes = Bytes(type, id);
  EXPECT_GE(bytes.size(), 40u) << "bitmap " << id;
  if (bytes.size() < 40) return nullptr;
  EXPECT_EQ(WordAt(bytes, 14), 1) << "bitmap " << id << " bits per pixel";
  auto bitmap = platform::ParseBitmap(bytes);
  EXPECT_TRUE(bitmap) << "bitmap " << id;
  if (!bitmap) return nullptr;
  EXPECT_TRUE(bitmap->monochrome()) << "bitmap " << id;
  EXPECT_EQ(bitmap->pixels().width(), width) << "bitmap " << id;
  EXPECT_EQ(bitmap->pixels().height(), height) << "bitmap " << id;
  return bitmap;
}

std::vector<Pixel> AllPixels(const platform::Bitmap& bitmap) {
  const auto pixels = bitmap.pixels().pixels();
  return {pixels.begin(), pixels.end()};
}

TEST(ProgramResources, ListGlyphsAreNineByNineOneBitPicturesAsDrawn) {
  std::vector<std::vector<Pixel>> glyphs;
  for (int i = 0; i < kListGlyphCount; ++i) {
    const std::uint16_t id = ListGlyphId(static_cast<ListGlyph>(i));
    EXPECT_EQ(id, 201 + i);
    const auto glyph = OneBitBitmap(id, kListGlyphSize, kListGlyphSize);
    ASSERT_TRUE(glyph);
    ExpectShows(*glyph, 0, kListGlyphs[i], kMonochromePalette);
    for (const auto& other : glyphs) EXPECT_NE(AllPixels(*glyph), other) << "glyph " << id << " repeats another";
    glyphs.push_back(AllPixels(*glyph));
  }
}

TEST(ProgramResources, AboutPictureIsAOneBitDrawingOfItsSize) {
  const auto picture = OneBitBitmap(kAboutPictureId, kAboutPictureWidth, kAboutPictureHeight);
  ASSERT_TRUE(picture);
  ExpectShows(*picture, 0, kAboutPicture, kMonochromePalette);
  const std::vector<Pixel> pixels = AllPixels(*picture);
  const auto ink = std::count(pixels.begin(), pixels.end(), Pixel{0});
  EXPECT_GT(ink, static_cast<long>(pixels.size() / 10));
  EXPECT_LT(ink, static_cast<long>(pixels.size() / 2));
}

TEST(ProgramResources, GlyphsLoadAsHandlesThatASelectionKeepsAlive) {
  const platform::Module module{ProgramResources()};
  const platform::BitmapHandle glyph = platform::LoadBitmap(&module, ListGlyphId(ListGlyph::kArticle));
  ASSERT_NE(glyph, nullptr);
  EXPECT_EQ(platform::LoadBitmap(&module, 200), nullptr);
  EXPECT_FALSE(platform::DeleteBitmap(nullptr));
  {
    const auto context = platform::DeviceContext::CreateCompatible();
    context->SelectBitmap(glyph);
    EXPECT_FALSE(platform::DeleteBitmap(glyph)) << "a selected bitmap is still drawn with";
  }
  EXPECT_TRUE(platform::DeleteBitmap(glyph));
}

TEST(ProgramResources, MenuBarDefinitionOpensTheGoMenuFromOneLabelledButton) {
  const auto bytes = Bytes(ResourceType::kRawData, kMenuBarId);
  const std::vector<std::uint16_t> expected = {102, 1, 65534, 40001, 4, 24, 302, 0, 0};
  ASSERT_EQ(bytes.size(), 2 * expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(WordAt(bytes, 2 * i), expected[i]) << "word " << i;
}

TEST(ProgramResources, GoLabelIsItsCodeUnitsWithoutATerminator) {
  const auto bytes = Bytes(ResourceType::kString, kGoStringId);
  ASSERT_EQ(bytes.size(), 4u);
  EXPECT_EQ(WordAt(bytes, 0), u'G');
  EXPECT_EQ(WordAt(bytes, 2), u'o');
}

// Reads a menu template front to back, failing the test on a short read.
class MenuWalker {
 public:
  explicit MenuWalker(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint16_t Word() {
    if (at_ + 2 > bytes_.size()) {
      ADD_FAILURE() << "the menu ends inside a word at byte " << at_;
      at_ = bytes_.size();
      return 0;
    }
    const std::uint16_t word = WordAt(bytes_, at_);
    at_ += 2;
    return word;
  }
  std::u16string Text() {
    std::u16string text;
    while (at_ < bytes_.size()) {
      const char16_t unit = Word();
      if (unit == 0) return text;
      text += unit;
    }
    ADD_FAILURE() << "the menu ends inside a text";
    return text;
  }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

struct ExpectedItem {
  std::uint16_t id;  // 0 for a separator
  std::u16string text;
};

TEST(ProgramResources, MenuIsOneGoPopupOfTheReadersCommandsInOrderWithTheirKeys) {
  const std::vector<ExpectedItem> expected = {
      {40004, u"&About\tF1"},
      {129, u"Check For &Updates"},
      {0, u""},
      {40006, u"F&ont\tCtrl+F"},
      {122, u"Re&verse"},
      {40010, u"&Full Screen\tF11"},
      {40011, u"Night &Reading\tCtrl+N"},
      {0, u""},
      {108, u"&This Week\tCtrl+Home"},
      {0, u""},
      {119, u"&Index\tCtrl+D"},
      {123, u"&Bookmark\tCtrl+B"},
      {110, u"&Previous Article\tLeft"},
      {109, u"&Next Article\tRight"},
      {0, u""},
      {116, u"&Search\tAlt+F3"},
      {117, u"Search A&gain\tF3"},
      {0, u""},
      {40007, u"&Copy\tCtrl+C"},
      {40009, u"&Append to ClipBoard\tCtrl+E"},
      {0, u""},
      {40005, u"E&xit\tCtrl+Q"},
  };
  MenuWalker menu(Bytes(ResourceType::kMenu, kMenuId));
  EXPECT_EQ(menu.Word(), 0) << "version";
  EXPECT_EQ(menu.Word(), 0) << "header size";
  EXPECT_EQ(menu.Word(), 0x0010 | 0x0080) << "the only top-level item is a pop-up";
  EXPECT_EQ(menu.Text(), u"&Go");
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("item " + std::to_string(i));
    const std::uint16_t options = menu.Word();
    const bool last = i + 1 == expected.size();
    const bool separator = expected[i].id == 0;
    EXPECT_EQ(options, (last ? 0x0080 : 0) | (separator ? 0x0800 : 0));
    EXPECT_EQ(menu.Word(), expected[i].id);
    EXPECT_EQ(menu.Text(), expected[i].text);
  }
  EXPECT_TRUE(menu.AtEnd()) << "bytes follow the last item";
}

}  // namespace
}  // namespace quillory

namespace quillory {
namespace {

// Each letter key is a framed cell with a letter of its own inside; the
// space bar is a frame over key columns 2 to 6 below the letter rows. The
// same at twice the size, where every line is two pixels wide.
TEST(ProgramResources, SearchKeyboardHasFramedLetterKeysAndASpaceBar) {
  for (const int k : {1, 2}) {
    SCOPED_TRACE(k == 1 ? "at its own size" : "at twice the size");
    const auto keyboard = OneBitBitmap(kSearchKeyboardId, k * kKeyboardWidth, k * kKeyboardHeight,
                                       k == 1 ? ResourceType::kBitmap : ResourceType::kBitmapDoubleSize);
    ASSERT_TRUE(keyboard);
    // Whether the pixel of the keyboard's own grid is black all over.
    const auto black = [&](int x, int y) {
      for (int dy = 0; dy < k; ++dy) {
        for (int dx = 0; dx < k; ++dx) {
          if (keyboard->pixels().at(k * x + dx, k * y + dy) != Pixel{0}) return false;
        }
      }
      return true;
    };
    std::set<std::vector<bool>> letters;
    for (int key = 1; key <= kLetterKeyCount; ++key) {
      const int left = KeyColumn(key) * kKeyWidth;
      const int top = KeyRow(key) * kKeyHeight;
      for (int x = left; x <= left + kKeyWidth; ++x) {
        ASSERT_TRUE(black(x, top) && black(x, top + kKeyHeight)) << "key " << key;
      }
      for (int y = top; y <= top + kKeyHeight; ++y) ASSERT_TRUE(black(left, y) && black(left + kKeyWidth, y));
      std::vector<bool> inside;
      for (int y = k * top + k; y < k * (top + kKeyHeight); ++y) {
        for (int x = k * left + k; x < k * (left + kKeyWidth); ++x) inside.push_back(keyboard->pixels().at(x, y) == 0);
      }
      EXPECT_GT(std::count(inside.begin(), inside.end(), true), 5 * k * k) << "key " << key << " shows no letter";
      letters.insert(inside);
    }
    EXPECT_EQ(letters.size(), static_cast<std::size_t>(kLetterKeyCount));

    const int spaceTop = k * kLetterRows * kKeyHeight;
    int leftmost = k * kKeyboardWidth;
    int rightmost = -1;
    for (int y = spaceTop + k; y < k * kKeyboardHeight; ++y) {
      for (int x = 0; x < k * kKeyboardWidth; ++x) {
        if (keyboard->pixels().at(x, y) != 0) continue;
        leftmost = std::min(leftmost, x);
        rightmost = std::max(rightmost, x);
      }
    }
    EXPECT_EQ(leftmost, k * kSpaceBarFirstColumn * kKeyWidth);
    EXPECT_EQ(rightmost, k * (kSpaceBarLastColumn + 1) * kKeyWidth - 1);
    if (k == 2) {
      // A dense screen shows this drawing, not an enlargement.
      const platform::Module module{ProgramResources()};
      const auto loaded = platform::LoadBitmapResource(&module, kSearchKeyboardId);
      ASSERT_TRUE(loaded);
      const auto shown = loaded->AtScale(platform::DeviceScale::FromQuarters(8)).pixels();
      EXPECT_TRUE(std::equal(shown.begin(), shown.end(), keyboard->pixels().pixels().begin(),
                             keyboard->pixels().pixels().end()));
    }
  }
}

}  // namespace
}  // namespace quillory
