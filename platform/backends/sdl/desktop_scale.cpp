#include "platform/backends/sdl/desktop_scale.h"

#include <X11/Xlib.h>

#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>

namespace platform {
namespace {

constexpr double kOrdinaryDpi = 96.0;
constexpr double kSmallestScale = 0.5;
constexpr double kLargestScale = 8.0;

std::optional<double> Number(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> Plausible(std::optional<double> scale) {
  if (scale && *scale >= kSmallestScale && *scale <= kLargestScale) return scale;
  return std::nullopt;
}

// The value of "Xft.dpi" in the resource database's lines "name:\tvalue".
std::optional<double> XftDpi(std::string_view resources) {
  constexpr std::string_view kName = "Xft.dpi:";
  while (!resources.empty()) {
    const std::size_t end = resources.find('\n');
    const std::string_view line = resources.substr(0, end);
    if (line.substr(0, kName.size()) == kName) return Number(line.substr(kName.size()));
    if (end == std::string_view::npos) break;
    resources.remove_prefix(end + 1);
  }
  return std::nullopt;
}

}  // namespace

double DesktopScaleOf(const DesktopScaleSources& sources) {
  const std::optional<double> dpi = XftDpi(sources.resources);
  if (const auto scale = Plausible(dpi ? std::optional<double>(*dpi / kOrdinaryDpi) : std::nullopt)) return *scale;
  if (const auto scale = Plausible(Number(sources.gdkScale))) return *scale;
  if (const auto scale = Plausible(sources.displayDpi / kOrdinaryDpi)) return *scale;
  return 1.0;
}

double ReadDesktopScale(void* x11Display) {
  auto* display = static_cast<Display*>(x11Display);
  DesktopScaleSources sources;
  const char* gdkScale = std::getenv("GDK_SCALE");
  if (gdkScale) sources.gdkScale = gdkScale;
  if (display) {
    if (const char* resources = XResourceManagerString(display)) sources.resources = resources;
    const int screen = DefaultScreen(display);
    const int millimetres = DisplayWidthMM(display, screen);
    if (millimetres > 0) sources.displayDpi = DisplayWidth(display, screen) * 25.4 / millimetres;
  }
  return DesktopScaleOf(sources);
}

}  // namespace platform
