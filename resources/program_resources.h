#pragma once
// The reader's own resources: the Go menu and the menu-bar button that opens
// it, the button's label, the toolbar pictures and the program icon. All are
// read-only data built at compile time from readable tables in resources/.
//
// How each is stored:
// - menu: the menu template that resources/menu_template.h describes.
// - menu-bar definition (raw data): nine little-endian 16-bit words: the menu
//   resource, the button count (1), the button's image (kNoButtonImage), its
//   command, state (enabled), style (drop-down, sized to its label), label
//   string resource, a reserved 0, and which pop-up of the menu it opens.
// - string: one resource per string, holding its UTF-16LE code units without
//   a terminator; the resource's size gives the length. Strings are not
//   grouped sixteen to a resource.
// - bitmap: a 16-colour or one-bit device-independent bitmap
//   (platform/graphics/bitmap.h). The keyboard has a second drawing at twice
//   the size (type kBitmapDoubleSize, the same identifier) for dense
//   screens; the other pictures are pixel art, which the platform enlarges.
// - dialog: the handheld's dialog template (resources/dialog_templates.h
//   holds the four dialogs as tables).
// - icon: a plain 16-colour device-independent bitmap laid out as a bitmap,
//   with no mask; its magenta (255, 0, 255) pixels are transparent.

#include <cstdint>
#include <span>

#include "platform/graphics/color.h"
#include "platform/system/resources.h"

namespace quillory {

std::span<const platform::ResourceEntry> ProgramResources();

// Resource identifiers.
constexpr std::uint16_t kIconId = 101;
constexpr std::uint16_t kMenuId = 102;  // the menu (type kMenu)
constexpr std::uint16_t kMenuBarId = 102;  // its menu-bar definition (type kRawData)
constexpr std::uint16_t kAboutPictureId = 113;
constexpr std::uint16_t kSearchKeyboardId = 119;  // one bit, 154 × 95 (and 308 × 190)
constexpr std::uint16_t kToolbarBitmapId = 114;
// The section list's glyphs: kListGlyphFirstId + ListGlyph.
constexpr std::uint16_t kListGlyphFirstId = 201;
constexpr std::uint16_t kGoStringId = 302;

// The commands the menu and its menu-bar button send.
constexpr std::uint16_t kGoButtonCommand = 40001;
constexpr std::uint16_t kAboutCommand = 40004;
constexpr std::uint16_t kCheckForUpdatesCommand = 129;
constexpr std::uint16_t kChooseFontCommand = 40006;
constexpr std::uint16_t kReverseCommand = 122;
constexpr std::uint16_t kThisWeekCommand = 108;
constexpr std::uint16_t kIndexCommand = 119;
constexpr std::uint16_t kBookmarkCommand = 123;
constexpr std::uint16_t kPreviousArticleCommand = 110;
constexpr std::uint16_t kNextArticleCommand = 109;
constexpr std::uint16_t kSearchCommand = 116;
constexpr std::uint16_t kSearchAgainCommand = 117;
constexpr std::uint16_t kCopyCommand = 40007;
constexpr std::uint16_t kAppendToClipboardCommand = 40009;
constexpr std::uint16_t kExitCommand = 40005;
constexpr std::uint16_t kChooseArticleCommand = 107;  // the toolbar's; no menu item
// The desktop's full screen (F11); it does nothing without a desktop window.
constexpr std::uint16_t kFullScreenCommand = 40010;
// The page in the night palette, and back (checked while it is on).
constexpr std::uint16_t kNightReadingCommand = 40011;

// A menu-bar button without a picture shows its label instead.
constexpr std::uint16_t kNoButtonImage = 65534;

// The toolbar bitmap: square pictures side by side, in this order.
enum class ToolbarPicture : int {
  kPreviousArticle,
  kThisWeek,
  kNextArticle,
  kChooseFont,
  kSearch,
  kSearchAgain,
  kChooseArticle,
};
constexpr int kToolbarPictureCount = 7;
constexpr int kToolbarPictureSize = 16;
constexpr platform::Color kToolbarBackground = platform::Rgb(192, 192, 192);

// The section list's glyphs, one bit per pixel, square.
enum class ListGlyph : int {
  kExpand,    // a closed group: a boxed plus
  kCollapse,  // an open group: a boxed minus
  kArticle,   // an entry: a page with a folded corner
};
constexpr int kListGlyphCount = 3;
constexpr int kListGlyphSize = 9;
constexpr std::uint16_t ListGlyphId(ListGlyph glyph) {
  return static_cast<std::uint16_t>(kListGlyphFirstId + static_cast<int>(glyph));
}

// The About box's picture, one bit per pixel.
constexpr int kAboutPictureWidth = 65;
constexpr int kAboutPictureHeight = 72;

constexpr int kIconSize = 32;
constexpr platform::Color kIconTransparent = platform::Rgb(255, 0, 255);

}  // namespace quillory
