#pragma once
// The Choose Section dialog: a full-screen dialog whose client area is the
// section list of the volume's index, with the reader's bookmarks as an open
// group in front. A tap on an article's title closes it with that article.

#include <cstdint>

#include "core/font_description.h"
#include "platform/graphics/handles.h"
#include "platform/system/resources.h"
#include "platform/windows/messages.h"

namespace quillory {

struct SectionList;

// Runs the dialog owned by `owner` with `currentArticle` revealed; the
// article tapped, `currentArticle` when closed with OK (Done or Enter), 0
// when cancelled. The list draws in `font`, which must outlive the call.
std::uint16_t ChooseSection(platform::ModuleHandle module, platform::WindowHandle owner,
                            std::uint16_t currentArticle, const FontDescription* font);

// The open dialog's list, null when no dialog is open; the dialog owns it.
const SectionList* OpenSectionList();

platform::LResult ChooseSectionProc(platform::WindowHandle dialog, std::uint32_t message, platform::WParam first,
                                    platform::LParam second);

}  // namespace quillory
