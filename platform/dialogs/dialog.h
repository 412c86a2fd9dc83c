#pragma once
// Modal dialogs from templates (platform/dialogs/dialog_template.h), run with
// a dialog procedure in a loop nested on the one thread, as the handheld runs
// them inside a command.
//
// The dialog procedure sees every message of the dialog window, and
// kWmInitDialog (first: the control that would take the focus, second: the
// caller's parameter) before the dialog shows. It returns non-zero for a
// message it handled; the dialog then does nothing more with it. For
// kWmInitDialog non-zero means "focus the first tab stop" and 0 "I set the
// focus myself, or want none". While the dialog runs, its owner takes no
// input; Enter sends command 1 (or the command of the focused push button),
// Escape command 2, and Tab moves between tab stops; the caption bar's "ok"
// sends command 1. Nothing ends a dialog but EndDialog.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/dialogs/dialog_template.h"
#include "platform/graphics/geometry.h"
#include "platform/system/resources.h"
#include "platform/windows/messages.h"

namespace platform {

using DialogProcedure = LResult (*)(WindowHandle dialog, std::uint32_t message, WParam first, LParam second);

// Runs dialog resource `id` of `module`, owned by `owner` (may be null).
// Returns what EndDialog was given; -1 when the template is missing or
// damaged or a control could not be made; 0 when the dialog went without
// EndDialog (its owner was destroyed, or the quit request came, which is
// left for the outer loop).
std::intptr_t DialogBoxParam(ModuleHandle module, std::uint16_t id, WindowHandle owner, DialogProcedure procedure,
                             LParam parameter);
// The same from a template in memory; `module` gives its pictures.
std::intptr_t DialogBoxIndirectParam(ModuleHandle module, const DialogTemplate& dialogTemplate, WindowHandle owner,
                                     DialogProcedure procedure, LParam parameter);
// Ends the dialog's loop with `result` once the current message is handled.
bool EndDialog(WindowHandle dialog, std::intptr_t result);
bool IsDialog(WindowHandle window);

WindowHandle GetDlgItem(WindowHandle dialog, std::uint16_t id);
LResult SendDlgItemMessage(WindowHandle dialog, std::uint16_t id, std::uint32_t message, WParam first, LParam second);
// Through kWmSetText and kWmGetText, as the control itself keeps its text.
bool SetDlgItemText(WindowHandle dialog, std::uint16_t id, std::u16string_view text);
// At most `maxCount` characters of the control's text.
std::u16string GetDlgItemText(WindowHandle dialog, std::uint16_t id, std::size_t maxCount = 0xFFFF);
// A rectangle in the dialog's units to its pixels.
Rect MapDialogRect(WindowHandle dialog, const Rect& dialogUnits);

}  // namespace platform
