#pragma once
// Check For Updates: a web address on the maker's update server that says
// which product and version asks, handed to the desktop's browser. The
// reader itself does no network traffic.

#include <string>

#include "platform/graphics/handles.h"

namespace quillory {

// Addresses under a reserved example domain, so that nothing real is
// contacted by accident.
constexpr char16_t kUpdateServer[] = u"http://updates.orvenda.example";
constexpr char16_t kMakerHomePage[] = u"http://www.orvenda.example/";
constexpr char16_t kProductId[] = u"Orvenda/Quillory - 32";

// The update request address: the server's "/cgi-bin/upgrade?p=arm/", the
// product id encoded (space as '+', letters, digits, '.' and '/' as they
// are, anything else as '%' and at least two upper-case hex digits), and
// "&v=" with the version. At most 199 characters, as the request buffer
// holds: a longer address is cut there.
std::u16string UpdateAddress(std::u16string_view productId);

// Hands `address` to the desktop for opening. When no browser can be
// started, a message box over `window` (or the main window, when `window`
// has gone by then) tells the person so, with the address to open by hand.
void OpenAddress(platform::WindowHandle window, std::u16string_view address);

void CheckForUpdates(platform::WindowHandle window);

}  // namespace quillory
