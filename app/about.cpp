#include "app/about.h"

#include <memory>
#include <string>

#include "app/update_check.h"
#include "core/app_state.h"
#include "platform/controls/controls.h"
#include "platform/dialogs/dialog.h"
#include "platform/graphics/dialog_units.h"
#include "platform/windows/message_box.h"
#include "platform/graphics/font_catalog.h"
#include "platform/windows/window.h"
#include "resources/dialog_templates.h"

namespace quillory {
namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

constexpr std::size_t kLongestLinkText = 100;
constexpr std::int32_t kLinkPoints = 10;
constexpr std::int32_t kLinkWeight = 800;
constexpr char16_t kLinkFallbackFace[] = u"Tahoma";

// Held from the dialog's initialisation to its end; at most one About
// dialog is open at a time.
std::unique_ptr<platform::Font> gLinkFont;

std::u16string LinkText(WindowHandle link) {
  std::u16string text = platform::GetWindowText(link);
  if (text.size() > kLongestLinkText) text.resize(kLongestLinkText);
  return text;
}

// The button's font, underlined and heavy, 10 points when it has no size.
platform::FontRequest LinkFontRequest(WindowHandle link) {
  const auto* current = reinterpret_cast<const platform::Font*>(platform::SendMessage(link, platform::kWmGetFont, 0, 0));
  platform::FontRequest request = current != nullptr ? current->request() : platform::DialogFont()->request();
  request.underline = 1;
  if (request.faceName[0] == 0) std::copy(std::begin(kLinkFallbackFace), std::end(kLinkFallbackFace), request.faceName.begin());
  if (request.height == 0) request.height = -(kLinkPoints * platform::kLogicalPixelsPerInch) / 72;
  request.weight = kLinkWeight;
  return request;
}

// Makes the link font and fits the button to its text.
void InitAbout(WindowHandle dialog) {
  const WindowHandle link = platform::GetDlgItem(dialog, kAboutLinkId);
  if (link == nullptr) return;
  platform::DeviceContext* context = platform::GetDC(link);
  gLinkFont = platform::CreateFont(LinkFontRequest(link));
  if (!gLinkFont || context == nullptr) return;
  platform::Font* previous = context->SelectFont(gLinkFont.get());
  const std::u16string text = LinkText(link);
  platform::SendMessage(link, platform::kWmSetFont, reinterpret_cast<WParam>(gLinkFont.get()), 1);
  const platform::Size extent = context->GetTextExtent(text);
  const platform::Rect placed = platform::GetWindowRect(link);
  const platform::Point corner = platform::ScreenToClient(dialog, platform::Point{placed.left, placed.top});
  platform::MoveWindow(link, corner.x, corner.y, extent.cx + 2 * platform::GetSystemMetrics(platform::kSmCxEdge),
                       extent.cy + 2 * platform::GetSystemMetrics(platform::kSmCyEdge), true);
  platform::ShowWindow(link, platform::kSwShow);
  context->SelectFont(previous);
}

// Blue text on white, like a link on a web page.
void DrawLink(const platform::DrawItem& item) {
  platform::DeviceContext& context = *item.context;
  const std::u16string text = LinkText(item.item);
  context.SetTextColor(platform::Rgb(0, 0, 255));
  context.SetBkMode(platform::BackgroundMode::kTransparent);
  context.SetBkColor(platform::kWhite);
  context.FillRect(item.rect, platform::SolidBrush(platform::kWhite));
  platform::Font* previous = gLinkFont ? context.SelectFont(gLinkFont.get()) : nullptr;
  const platform::Rect at{platform::GetSystemMetrics(platform::kSmCxEdge) / 2, 0, item.rect.right, item.rect.bottom};
  context.DrawText(text, at, platform::kDtLeft | platform::kDtSingleLine | platform::kDtNoPrefix | platform::kDtNoClip);
  if (gLinkFont) context.SelectFont(previous);
}

}  // namespace

void ShowAbout(WindowHandle owner) {
  platform::DialogBoxParam(App().module, kAboutDialogId, owner, AboutDialogProc, 0);
}

LResult AboutDialogProc(WindowHandle dialog, std::uint32_t message, WParam first, LParam second) {
  switch (message) {
    case platform::kWmInitDialog:
      InitAbout(dialog);
      return 0;
    case platform::kWmDrawItem: {
      const auto* item = reinterpret_cast<const platform::DrawItem*>(second);
      if (item != nullptr && item->controlId == kAboutLinkId) DrawLink(*item);
      return 0;
    }
    case platform::kWmCommand:
      switch (platform::LowWord(first)) {
        case platform::kIdOk:
        case platform::kIdCancel:
          platform::EndDialog(dialog, platform::LowWord(first));
          // The button lets go of the font before it is released.
          platform::SendDlgItemMessage(dialog, kAboutLinkId, platform::kWmSetFont, 0, 0);
          gLinkFont.reset();
          return 1;
        case kAboutLinkId:
          OpenAddress(platform::GetDlgItem(dialog, kAboutLinkId), kMakerHomePage);
          return 0;
        default:
          return 0;
      }
    default:
      return 0;
  }
}

}  // namespace quillory
