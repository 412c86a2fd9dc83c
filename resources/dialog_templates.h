#pragma once
// The reader's four dialogs as readable tables (dialog units, the system
// font at 8 points). Their procedures live with the subsystems that use
// them; the control identifiers here are the ones those procedures ask for.

#include <array>
#include <cstdint>

#include "platform/controls/controls.h"
#include "platform/dialogs/dialog_template.h"
#include "platform/windows/window.h"
#include "quillory_version.h"
#include "resources/dialog_template_writer.h"
#include "resources/program_resources.h"

namespace quillory {

constexpr std::uint16_t kAboutDialogId = 103;
constexpr std::uint16_t kFontDialogId = 105;
constexpr std::uint16_t kSearchDialogId = 115;
constexpr std::uint16_t kChooseSectionDialogId = 118;

// Controls.
constexpr std::uint16_t kAboutLinkId = 1025;
constexpr std::uint16_t kFaceListId = 1001;
constexpr std::uint16_t kSampleId = 1002;
// Base 97 has a radio button identifier that the Font dialog's procedure
// sets, reads and places like the other two; the template has no such
// button, so base 97 cannot be picked there and shows no button on.
constexpr std::uint16_t kBase97Id = 1003;
constexpr std::uint16_t kBase224Id = 1004;
constexpr std::uint16_t kBase5D0Id = 1005;
constexpr std::uint16_t kSizeListId = 1006;
constexpr std::uint16_t kPatternBoxId = 1013;

inline constexpr char16_t kDialogCaption[] = u"Quillory - 32";
inline constexpr char16_t kSystemFace[] = u"System";
constexpr std::uint16_t kSystemPoints = 8;

namespace dialog_styles {
using namespace platform;
constexpr std::uint32_t kPopupWithCaption = kWsPopup | kWsVisible | kWsCaption | kWsSysMenu;
constexpr std::uint32_t kLabel = kSsLeft;
constexpr std::uint32_t kListBox = kLbsNotify | kWsVScroll | kWsBorder | kWsTabStop;
}  // namespace dialog_styles

constexpr auto kAboutControls = std::to_array<DialogControl>({
    {platform::kStaticAtom, platform::kSsLeft | platform::kSsNoPrefix, platform::kStaticId, 7, 7, 81, 8, u""},
    {platform::kStaticAtom, platform::kSsBitmap, platform::kStaticId, 88, 7, 47, 20, u"", kAboutPictureId},
    // As wide as the line above it, up to the picture: 45 units cut the
    // version number off.
    {platform::kStaticAtom, dialog_styles::kLabel, platform::kStaticId, 7, 24, 81, 8, u"Version " QUILLORY_VERSION},
    {platform::kStaticAtom, dialog_styles::kLabel, platform::kStaticId, 7, 41, 80, 8, u"Copyright \u00A9 Orvenda"},
    {platform::kButtonAtom, platform::kBsOwnerDraw | platform::kWsTabStop, kAboutLinkId, 7, 58, 100, 8,
     u"www.orvenda.example"},
});
constexpr DialogDefinition kAboutDialog{
    dialog_styles::kPopupWithCaption | platform::kDsCenter,
    platform::kWsExCaptionOkButton,
    0, 0, 130, 85,
    kDialogCaption, kSystemPoints, kSystemFace, kAboutControls,
};

constexpr auto kFontControls = std::to_array<DialogControl>({
    {platform::kListBoxAtom, dialog_styles::kListBox | platform::kLbsSort, kFaceListId, 7, 7, 107, 94, u""},
    {platform::kListBoxAtom, dialog_styles::kListBox, kSizeListId, 120, 44, 25, 56, u""},
    {platform::kEditAtom,
     platform::kEsMultiLine | platform::kEsRight | platform::kEsAutoVScroll | platform::kWsBorder |
         platform::kWsTabStop,
     kSampleId, 7, 106, 138, 50, u""},
    {platform::kButtonAtom, platform::kBsAutoRadioButton, kBase224Id, 116, 19, 29, 10, u"224"},
    {platform::kButtonAtom, platform::kBsAutoRadioButton, kBase5D0Id, 116, 31, 29, 10, u"5D0"},
});
constexpr DialogDefinition kFontDialog{
    dialog_styles::kPopupWithCaption,
    platform::kWsExCaptionOkButton,
    0, 0, 152, 167,
    u"Choose Font", kSystemPoints, kSystemFace, kFontControls,
};

constexpr auto kSearchControls = std::to_array<DialogControl>({
    {platform::kStaticAtom, platform::kSsCenter, platform::kStaticId, 7, 7, 112, 8, u"Search"},
    {platform::kEditAtom, platform::kEsRight | platform::kEsAutoHScroll | platform::kWsBorder | platform::kWsTabStop,
     kPatternBoxId, 7, 21, 112, 43, u""},
    // Sized by its picture; taps on it reach the dialog.
    {platform::kStaticAtom, platform::kSsBitmap, platform::kStaticId, 7, 71, 0, 0, u"", kSearchKeyboardId},
});
constexpr DialogDefinition kSearchDialog{
    dialog_styles::kPopupWithCaption,
    platform::kWsExCaptionOkButton,
    0, 0, 126, 131,
    kDialogCaption, kSystemPoints, kSystemFace, kSearchControls,
};

// No controls: the section list is drawn into the client area, beside the
// dialog's own scroll bar. Its ok button comes from the shell's set-up.
constexpr DialogDefinition kChooseSectionDialog{
    dialog_styles::kPopupWithCaption | platform::kWsVScroll,
    0,
    0, 0, 160, 160,
    u"Choose Section", kSystemPoints, kSystemFace, {},
};

}  // namespace quillory
