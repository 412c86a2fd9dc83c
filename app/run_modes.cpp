#include "app/run_modes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/desktop_settings.h"
#include "app/reader.h"
#include "core/product.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/backends/sdl/sdl_backend.h"
#include "platform/graphics/png_writer.h"
#include "platform/registry/registry.h"
#include "platform/windows/descriptor_watch.h"
#include "platform/windows/window.h"

namespace quillory {
namespace {

constexpr int kExitFailure = 1;
constexpr int kPreviewPages = 3;

ReaderOptions OptionsFor(const CommandLine& commandLine) {
  ReaderOptions options;
  options.today = commandLine.today;
  if (!commandLine.window.snapshot.empty()) {
    options.onShown = [file = commandLine.window.snapshot] {
      platform::PumpUntilIdle();
      if (!platform::WritePng(platform::ScreenImage(), file)) {
        std::fprintf(stderr, "quillory-32: cannot write %s\n", file.c_str());
      }
    };
  }
  return options;
}

// Without a display the reader still stands in a desktop window, as it
// would be shown, on a monitor of this many screen pixels.
constexpr platform::Size kHeadlessMonitor{1920, 1080};
// Twice the scale of a desktop that says nothing of its own.
constexpr platform::DeviceScale kHeadlessScale = platform::DeviceScale::FromQuarters(8);

int RunHeadless(const CommandLine& commandLine, std::vector<platform::ScriptCommand> script) {
  const WindowPlacement placement = ReadWindowPlacement();
  platform::HeadlessBackend backend;
  backend.SetScript(std::move(script));
  backend.SetDesktopWindow(kHeadlessMonitor);
  platform::Backend* previous = platform::InstallBackend(&backend);
  platform::SetDeviceScale(commandLine.window.scale.value_or(kHeadlessScale));
  platform::SetScreenSize(commandLine.window.size.value_or(placement.size));
  backend.SetFullScreen(placement.fullScreen);
  const int exitCode = RunReader(OptionsFor(commandLine));
  platform::ResetWindowSystem();
  platform::InstallBackend(previous);
  return exitCode;
}

std::optional<std::vector<platform::ScriptCommand>> ReadScript(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "quillory-32: cannot read the script %s\n", file.c_str());
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  platform::ScriptError error;
  auto script = platform::ParseScript(text.str(), error);
  if (!script) std::fprintf(stderr, "quillory-32: %s:%d: %s\n", file.c_str(), error.line, error.reason.c_str());
  return script;
}

std::filesystem::path PreviewFolder() {
  if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/') {
    return std::filesystem::path(cache) / "quillory-32";
  }
  if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
    return std::filesystem::path(home) / ".cache" / "quillory-32";
  }
  return std::filesystem::current_path() / "quillory-32-pages";
}

// A copy of the reader's settings in a private folder of its own, for a run
// that must read them but never change them; the folder goes with the object.
class SettingsCopy {
 public:
  SettingsCopy() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillory-32-preview-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    const std::filesystem::path copy = folder_ / "registry.reg";
    std::error_code error;
    // A first start has no file yet: the run starts from none, as the reader would.
    if (const auto registry = platform::RegistryFilePath()) std::filesystem::copy_file(*registry, copy, error);
    setenv("QUILLORY_REGISTRY", copy.c_str(), 1);
  }
  ~SettingsCopy() {
    std::error_code error;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, error);
  }
  SettingsCopy(const SettingsCopy&) = delete;
  SettingsCopy& operator=(const SettingsCopy&) = delete;

  bool made() const { return !folder_.empty(); }

 private:
  std::filesystem::path folder_;
};

// The reader as it would open, page by page, written to PNG files, for a
// person whose reader could not open a window (`why`).
int RenderPreview(const CommandLine& commandLine, const std::string& why) {
  const std::filesystem::path folder = PreviewFolder();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::vector<platform::ScriptCommand> script;
  // On a first run the Font dialog opens before the text: Escape cancels
  // it, so the pages show the text in the default face. Without the
  // dialog the reader takes no action on Escape.
  platform::ScriptCommand escape;
  escape.kind = platform::ScriptCommand::Kind::kKey;
  escape.key = platform::kVkEscape;
  escape.character = 0x1B;
  script.push_back(escape);
  std::vector<std::string> files;
  for (int page = 1; page <= kPreviewPages; ++page) {
    if (page > 1) {
      platform::ScriptCommand pageDown;
      pageDown.kind = platform::ScriptCommand::Kind::kKey;
      pageDown.key = platform::kVkNext;
      script.push_back(pageDown);
    }
    platform::ScriptCommand snapshot;
    snapshot.kind = platform::ScriptCommand::Kind::kSnapshot;
    snapshot.text = (folder / ("page-" + std::to_string(page) + ".png")).string();
    files.push_back(snapshot.text);
    script.push_back(snapshot);
  }
  // The preview pages forward; it reads the reader's settings but writes
  // what it changes into a copy, so the reader still opens where it was left.
  const SettingsCopy settings;
  if (!settings.made()) {
    std::fprintf(stderr, "quillory-32: %s, and no pages could be drawn instead (no temporary folder)\n", why.c_str());
    return kExitFailure;
  }
  const int exitCode = RunHeadless(commandLine, std::move(script));
  std::erase_if(files, [](const std::string& file) { return !std::filesystem::is_regular_file(file); });
  std::fprintf(stderr, "quillory-32: %s, so the reader cannot show its window.\n", why.c_str());
  if (files.empty()) {
    std::fprintf(stderr, "Its first pages could not be written to %s either.\n", folder.c_str());
    return kExitFailure;
  }
  std::fprintf(stderr, "Its first %zu pages were drawn as pictures instead:\n", files.size());
  for (const std::string& file : files) std::fprintf(stderr, "  %s\n", file.c_str());
  return exitCode;
}

}  // namespace

int RunInteractive(const CommandLine& commandLine) {
  const WindowOptions& window = commandLine.window;
  platform::CloseOnTerminationSignals();
  if (window.headless) {
    std::vector<platform::ScriptCommand> script;
    if (!window.script.empty()) {
      auto read = ReadScript(window.script);
      if (!read) return kExitFailure;
      script = std::move(*read);
    }
    return RunHeadless(commandLine, std::move(script));
  }
  // Without a display there is no window to share: the preview runs alone,
  // and a reader running on some desktop is not disturbed.
  std::string error;
  if (!platform::SdlBackend::DisplayNamed(error)) return RenderPreview(commandLine, error);
  // A later start tells the running reader and ends before it opens a
  // window of its own.
  std::optional<platform::SingleInstance> instance = ClaimSingleInstance();
  if (!instance) return 0;
  const WindowPlacement placement = ReadWindowPlacement();
  platform::DesktopWindowRequest request;
  request.size = window.size.value_or(placement.size);
  request.fullScreen = placement.fullScreen;
  request.scale = window.scale;
  std::unique_ptr<platform::SdlBackend> backend = platform::SdlBackend::Open(kProductTitle, request, error);
  if (!backend) {
    instance.reset();  // the preview is no running reader
    return RenderPreview(commandLine, error);
  }
  platform::Backend* previous = platform::InstallBackend(backend.get());
  ReaderOptions options = OptionsFor(commandLine);
  options.instance = &*instance;
  const int exitCode = RunReader(options);
  platform::ResetWindowSystem();
  platform::InstallBackend(previous);
  return exitCode;
}

}  // namespace quillory
