#pragma once
// The Font dialog (dialog 105, "Choose Font"): the face, the height and
// the letter code base of a font description. It lists the system's font
// families (sorted; those without the Hebrew letters marked "(no Hebrew)")
// with the description's face selected, or, when it names none, the face
// the text is drawn in; a fixed table of heights; shows the letters tav to
// alef in the font being chosen, and writes the choice into the description
// only on OK. Opening it turns a base of 0 into 0x5D0 at once, which stays
// even after Cancel.

#include <cstdint>

#include "core/font_description.h"
#include "platform/windows/messages.h"

namespace quillory {

// Runs the dialog modally over `font`, owned by `owner`. 1 for OK, 2 for
// Cancel, 0 when it went without either (its owner was destroyed), -1 when
// it could not be shown. The caller applies the description to the view.
std::intptr_t ShowFontDialog(platform::WindowHandle owner, FontDescription& font);

// The very first start's dialog: as ShowFontDialog, and when it is
// cancelled the face the text is drawn in becomes the description's, as
// the reader's choice, so that the dialog does not open at every start.
std::intptr_t ShowFirstFontDialog(platform::WindowHandle owner, FontDescription& font);

// Its procedure; the initialisation's parameter is the FontDescription*.
platform::LResult FontDialogProc(platform::WindowHandle dialog, std::uint32_t message, platform::WParam first,
                                 platform::LParam second);

}  // namespace quillory
