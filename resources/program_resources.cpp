#include "resources/program_resources.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "resources/about_picture.h"
#include "resources/search_keyboard.h"
#include "resources/list_glyphs.h"
#include "resources/dialog_templates.h"
#include "resources/little_endian_bytes.h"
#include "resources/menu_template.h"
#include "resources/pixel_art.h"
#include "resources/program_icon.h"
#include "resources/toolbar_pictures.h"

namespace quillory {
namespace {

constexpr std::u16string_view kGoMenuTitle = u"&Go";

// Every item that a key reaches shows the key (app/accelerators.cpp binds
// them).
constexpr auto kGoMenuItems = std::to_array<MenuItem>({
    {kAboutCommand, u"&About", u"F1"},
    {kCheckForUpdatesCommand, u"Check For &Updates", u""},
    kSeparatorItem,
    {kChooseFontCommand, u"F&ont", u"Ctrl+F"},
    {kReverseCommand, u"Re&verse", u""},
    {kFullScreenCommand, u"&Full Screen", u"F11"},
    {kNightReadingCommand, u"Night &Reading", u"Ctrl+N"},
    kSeparatorItem,
    {kThisWeekCommand, u"&This Week", u"Ctrl+Home"},
    kSeparatorItem,
    {kIndexCommand, u"&Index", u"Ctrl+D"},
    {kBookmarkCommand, u"&Bookmark", u"Ctrl+B"},
    {kPreviousArticleCommand, u"&Previous Article", u"Left"},
    {kNextArticleCommand, u"&Next Article", u"Right"},
    kSeparatorItem,
    {kSearchCommand, u"&Search", u"Alt+F3"},
    {kSearchAgainCommand, u"Search A&gain", u"F3"},
    kSeparatorItem,
    {kCopyCommand, u"&Copy", u"Ctrl+C"},
    {kAppendToClipboardCommand, u"&Append to ClipBoard", u"Ctrl+E"},
    kSeparatorItem,
    {kExitCommand, u"E&xit", u"Ctrl+Q"},
});

constexpr auto kMenu = MenuTemplate<MenuTemplateSize(kGoMenuTitle, kGoMenuItems)>(kGoMenuTitle, kGoMenuItems);

// The menu bar holds one drop-down button, labelled by kGoStringId, that
// opens the menu's first pop-up.
constexpr std::uint16_t kButtonEnabled = 4;
constexpr std::uint16_t kButtonDropDownAutoSize = 24;
constexpr std::array<std::uint16_t, 9> kMenuBarWords = {
    kMenuId, 1, kNoButtonImage, kGoButtonCommand, kButtonEnabled, kButtonDropDownAutoSize, kGoStringId, 0, 0,
};

constexpr auto kMenuBar = [] {
  LittleEndianBytes<2 * kMenuBarWords.size()> out;
  for (const std::uint16_t word : kMenuBarWords) out.Word(word);
  return out.Finished();
}();

constexpr std::u16string_view kGoLabel = u"Go";
constexpr auto kGoString = [] {
  LittleEndianBytes<2 * kGoLabel.size()> out;
  out.Utf16(kGoLabel);
  return out.Finished();
}();

constexpr auto kAboutTemplate = DialogTemplateBytes<DialogTemplateSize(kAboutDialog)>(kAboutDialog);
constexpr auto kFontTemplate = DialogTemplateBytes<DialogTemplateSize(kFontDialog)>(kFontDialog);
constexpr auto kSearchTemplate = DialogTemplateBytes<DialogTemplateSize(kSearchDialog)>(kSearchDialog);
constexpr auto kChooseSectionTemplate =
    DialogTemplateBytes<DialogTemplateSize(kChooseSectionDialog)>(kChooseSectionDialog);

constexpr auto kToolbarBitmap = PixelArtDib(kToolbarPictures);
constexpr auto kIcon = PixelArtDib(std::array{kProgramIconPicture});
constexpr auto kAboutBitmap = MonochromeDib(std::array{kAboutPicture});
constexpr auto kExpandBitmap = MonochromeDib(std::array{kExpandGlyph});
constexpr auto kCollapseBitmap = MonochromeDib(std::array{kCollapseGlyph});
constexpr auto kArticleBitmap = MonochromeDib(std::array{kArticleGlyph});
constexpr auto kSearchKeyboardBitmap = MonochromeDib(std::array{kSearchKeyboardPicture});
constexpr auto kSearchKeyboardDoubleSizeBitmap = MonochromeDib(std::array{kSearchKeyboardDoubleSizePicture});

template <std::size_t kSize>
constexpr platform::ResourceEntry Entry(platform::ResourceType type, std::uint16_t id,
                                        const std::array<std::uint8_t, kSize>& bytes) {
  return {type, id, bytes.data(), static_cast<std::uint32_t>(kSize)};
}

constexpr std::array kProgram = {
    Entry(platform::ResourceType::kIcon, kIconId, kIcon),
    Entry(platform::ResourceType::kMenu, kMenuId, kMenu),
    Entry(platform::ResourceType::kRawData, kMenuBarId, kMenuBar),
    Entry(platform::ResourceType::kBitmap, kAboutPictureId, kAboutBitmap),
    Entry(platform::ResourceType::kBitmap, kToolbarBitmapId, kToolbarBitmap),
    Entry(platform::ResourceType::kBitmap, kSearchKeyboardId, kSearchKeyboardBitmap),
    Entry(platform::ResourceType::kBitmapDoubleSize, kSearchKeyboardId, kSearchKeyboardDoubleSizeBitmap),
    Entry(platform::ResourceType::kBitmap, ListGlyphId(ListGlyph::kExpand), kExpandBitmap),
    Entry(platform::ResourceType::kBitmap, ListGlyphId(ListGlyph::kCollapse), kCollapseBitmap),
    Entry(platform::ResourceType::kBitmap, ListGlyphId(ListGlyph::kArticle), kArticleBitmap),
    Entry(platform::ResourceType::kString, kGoStringId, kGoString),
    Entry(platform::ResourceType::kDialog, kAboutDialogId, kAboutTemplate),
    Entry(platform::ResourceType::kDialog, kFontDialogId, kFontTemplate),
    Entry(platform::ResourceType::kDialog, kSearchDialogId, kSearchTemplate),
    Entry(platform::ResourceType::kDialog, kChooseSectionDialogId, kChooseSectionTemplate),
};

}  // namespace

std::span<const platform::ResourceEntry> ProgramResources() { return kProgram; }

}  // namespace quillory
