#include "app/update_check.h"

#include <cstdio>

#include "app/command_line.h"
#include "core/app_state.h"
#include "core/product.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/message_box.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"

namespace quillory {
namespace {

// The request buffer's size in 16-bit characters, terminator included.
constexpr std::size_t kAddressBufferLength = 200;

bool KeptAsItIs(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'.' || c == u'/';
}

}  // namespace

std::u16string UpdateAddress(std::u16string_view productId) {
  std::u16string address = std::u16string(kUpdateServer) + u"/cgi-bin/upgrade?p=arm/";
  for (const char16_t c : productId) {
    if (c == u' ') {
      address += u'+';
    } else if (KeptAsItIs(c)) {
      address += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "%%%.2X", static_cast<unsigned>(c));
      for (const char* p = escape; *p != '\0'; ++p) address += static_cast<char16_t>(*p);
    }
  }
  address += u"&v=";
  for (const char* p = kProductVersion; *p != '\0'; ++p) address += static_cast<char16_t>(*p);
  if (address.size() > kAddressBufferLength - 1) address.resize(kAddressBufferLength - 1);
  return address;
}

void OpenAddress(platform::WindowHandle window, std::u16string_view address) {
  const std::string text = platform::Utf16ToUtf8(address);
  platform::ShellOpenAddress(text, [window, text] {
    const std::string message = "No web browser could be started to open\n" + text + "\n\nOpen it in a browser by hand.";
    platform::ShowMessageBox(platform::IsWindow(window) ? window : App().mainWindow, message.c_str(), kProductTitle,
                             platform::kMbIconExclamation);
  });
}

void CheckForUpdates(platform::WindowHandle window) { OpenAddress(window, UpdateAddress(kProductId)); }

}  // namespace quillory
