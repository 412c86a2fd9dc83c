#pragma once
// The desktop's own scale: how many of its pixels it gives what an ordinary
// screen shows in one, as the desktop says it. The reader opens at twice
// that (its own pixel was made for a handheld's small, dense screen).

#include <string_view>

namespace platform {

struct DesktopScaleSources {
  std::string_view resources;  // the X resource database, as text ("Xft.dpi:\t144\n...")
  std::string_view gdkScale;   // the GDK_SCALE variable; empty when unset
  double displayDpi = 0;       // the display's dots per inch; 0 when unknown
};

// The first that says: Xft.dpi / 96, GDK_SCALE, the display's DPI / 96;
// 1 when none does. Values that no desktop sets (below 0.5, above 8) say
// nothing.
double DesktopScaleOf(const DesktopScaleSources& sources);

// The same, asked of the X display (a Display*, as SDL gives it) and the
// environment.
double ReadDesktopScale(void* x11Display);

}  // namespace platform
