#pragma once
// The controls of dialogs: static text and pictures, push, owner-drawn and
// automatic radio buttons, edit boxes and list boxes. Each is a window class
// that the platform registers; a control tells its parent what happened by a
// kWmCommand whose first parameter holds the control's identifier in the low
// word and the notification code in the high word, and whose second holds
// the control's handle. Styles, messages and codes have the handheld's
// values.
//
// Texts pass as zero-terminated UTF-16 strings in the second parameter
// (TextParam), as the handheld passes them; a buffer that receives text is
// given with its room in characters, the terminator included.

#include <cstdint>
#include <string>

#include "platform/graphics/device_context.h"
#include "platform/graphics/geometry.h"
#include "platform/windows/messages.h"

namespace platform {

// Class names, and the handheld's class atoms that dialog templates use.
inline constexpr char16_t kButtonClass[] = u"Button";
inline constexpr char16_t kEditClass[] = u"Edit";
inline constexpr char16_t kStaticClass[] = u"Static";
inline constexpr char16_t kListBoxClass[] = u"ListBox";
constexpr std::uint16_t kButtonAtom = 0x0080;
constexpr std::uint16_t kEditAtom = 0x0081;
constexpr std::uint16_t kStaticAtom = 0x0082;
constexpr std::uint16_t kListBoxAtom = 0x0083;

// Registers the control classes (again after ResetWindowSystem). Running a
// dialog does it; code that makes controls outside a dialog calls it first.
void RegisterControlClasses();

// The identifier of controls that need none (static text and pictures).
constexpr std::uint16_t kStaticId = 0xFFFF;

// --- Static controls ---
constexpr std::uint32_t kSsLeft = 0x0000;
constexpr std::uint32_t kSsCenter = 0x0001;
constexpr std::uint32_t kSsRight = 0x0002;
constexpr std::uint32_t kSsBitmap = 0x000E;    // shows a bitmap and takes its size
constexpr std::uint32_t kSsTypeMask = 0x001F;
constexpr std::uint32_t kSsNoPrefix = 0x0080;  // '&' is an ordinary character
constexpr std::uint32_t kSsNotify = 0x0100;    // takes taps itself; without it taps reach the parent
constexpr std::uint32_t kImageBitmap = 0;
enum StaticMessage : std::uint32_t {
  kStmSetImage = 0x0172,  // first: kImageBitmap; second: the Bitmap* (not owned); returns the previous one
  kStmGetImage = 0x0173,
};

// --- Buttons ---
constexpr std::uint32_t kBsPushButton = 0x0000;
constexpr std::uint32_t kBsDefPushButton = 0x0001;
constexpr std::uint32_t kBsRadioButton = 0x0004;
constexpr std::uint32_t kBsAutoRadioButton = 0x0009;  // checks itself and clears the rest of its group
constexpr std::uint32_t kBsOwnerDraw = 0x000B;        // its parent draws it (kWmDrawItem)
constexpr std::uint32_t kBsTypeMask = 0x000F;
enum ButtonMessage : std::uint32_t {
  kBmGetCheck = 0x00F0,
  kBmSetCheck = 0x00F1,  // first: kBstChecked or kBstUnchecked; other buttons of the group stay
  kBmGetState = 0x00F2,  // kBstChecked | kBstPushed
  kBmClick = 0x00F5,     // as if tapped
};
constexpr WParam kBstUnchecked = 0;
constexpr WParam kBstChecked = 1;
constexpr LResult kBstPushed = 0x0004;

// What kWmDrawItem's second parameter points at while an owner-drawn button
// is drawn. The context is the button's; the parent must leave its
// selections as it found them.
constexpr std::uint32_t kOdtButton = 4;
constexpr std::uint32_t kOdaDrawEntire = 0x0001;
constexpr std::uint32_t kOdsSelected = 0x0001;  // held down
constexpr std::uint32_t kOdsDisabled = 0x0004;
constexpr std::uint32_t kOdsFocus = 0x0010;
struct DrawItem {
  std::uint32_t controlType = kOdtButton;
  std::uint32_t controlId = 0;
  std::uint32_t itemId = 0;
  std::uint32_t itemAction = kOdaDrawEntire;
  std::uint32_t itemState = 0;
  WindowHandle item = nullptr;
  DeviceContext* context = nullptr;
  Rect rect;  // the whole control, in its client coordinates
  std::uintptr_t itemData = 0;
};

// --- Edit boxes ---
// Text is drawn left to right in the order stored: a right-aligned box of
// Hebrew in display order shows the last character rightmost.
constexpr std::uint32_t kEsLeft = 0x0000;
constexpr std::uint32_t kEsCenter = 0x0001;
constexpr std::uint32_t kEsRight = 0x0002;
constexpr std::uint32_t kEsMultiLine = 0x0004;
constexpr std::uint32_t kEsAutoVScroll = 0x0040;
constexpr std::uint32_t kEsAutoHScroll = 0x0080;
constexpr std::uint32_t kEsNoHideSel = 0x0100;    // the selection shows without the focus too
constexpr std::uint32_t kEsWantReturn = 0x1000;   // Enter breaks the line instead of confirming the dialog
enum EditMessage : std::uint32_t {
  kEmGetSel = 0x00B0,         // first, second: std::uint32_t* for start and end, or null; returns MakeLong(start, end)
  kEmSetSel = 0x00B1,         // first: start (-1 drops the selection), second: end (-1: the end of the text)
  kEmScrollCaret = 0x00B7,
  kEmGetLineCount = 0x00BA,
  kEmReplaceSel = 0x00C2,     // first: undoable; second: the text
  kEmLimitText = 0x00C5,      // first: the most characters typing may make; 0 for no limit
  kEmCanUndo = 0x00C6,
  kEmUndo = 0x00C7,
  kEmEmptyUndoBuffer = 0x00CD,
  kEmGetFirstVisibleLine = 0x00CE,
  kEmGetLimitText = 0x00D5,
};
constexpr std::uint16_t kEnChange = 0x0300;
constexpr std::uint16_t kEnMaxText = 0x0501;  // input was cut at the limit
// The limit of a new box.
constexpr std::uint32_t kDefaultEditLimit = 30000;

// --- List boxes ---
constexpr std::uint32_t kLbsNotify = 0x0001;  // taps send kLbnSelChange and kLbnDblClk
constexpr std::uint32_t kLbsSort = 0x0002;    // kept in order, letter case ignored
enum ListBoxMessage : std::uint32_t {
  kLbAddString = 0x0180,        // second: the text; returns its index
  kLbInsertString = 0x0181,     // first: the index (-1: the end)
  kLbDeleteString = 0x0182,     // returns the count left
  kLbResetContent = 0x0184,
  kLbSetCurSel = 0x0186,        // first: the index, -1 for none
  kLbGetCurSel = 0x0188,
  kLbGetText = 0x0189,          // first: the index; second: a buffer of kLbGetTextLen + 1 characters
  kLbGetTextLen = 0x018A,
  kLbGetCount = 0x018B,
  kLbSelectString = 0x018C,     // first: the index to search after (-1: from the start); second: a prefix
  kLbGetTopIndex = 0x018E,
  kLbFindString = 0x018F,       // as kLbSelectString, without selecting
  kLbSetTopIndex = 0x0197,
  kLbFindStringExact = 0x01A2,  // the whole text, letter case ignored
};
constexpr LResult kLbErr = -1;
constexpr std::uint16_t kLbnSelChange = 1;
constexpr std::uint16_t kLbnDblClk = 2;

// A text as the second parameter of the messages above. The string must
// outlive the call.
inline LParam TextParam(const std::u16string& text) { return reinterpret_cast<LParam>(text.c_str()); }
// A list box entry's text; empty for an index out of range.
std::u16string ListBoxText(WindowHandle list, LResult index);

}  // namespace platform
