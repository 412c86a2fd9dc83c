#pragma once
// Runs the whole reader on the headless backend with a scratch registry
// file and runtime folder, and fixed-width fonts so that pages come out the
// same on every machine. A test's steps run inside the reader once it is
// shown; the reader then gets the close request and saves as it does at exit.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "app/reader.h"
#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/graphics/font_catalog.h"
#include "platform/registry/registry.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/input.h"
#include "platform/windows/shell.h"
#include "platform/windows/window.h"
#include "tests/e2e/reading_steps.h"
#include "tests/support/scoped_environment.h"
#include "view/text_view.h"

namespace quillory_test {

// A character height asks for a cell a fifth taller, as real faces have it,
// so that dialogs come out their real size.
inline std::unique_ptr<platform::Font> FixedReaderFont(const platform::FontRequest& request) {
  const std::int32_t height = request.height == 0 ? 16 : (request.height < 0 ? (-request.height * 6 + 4) / 5 : request.height);
  return platform::Font::Fixed(height, 8, request.underline);
}

inline std::vector<platform::FontFamily> ReaderFamilies() {
  return {{u"Miriam Mono CLM", platform::kHebrewCharSet},
          {u"DejaVu Sans Mono", platform::kAnsiCharSet},
          {u"David CLM", platform::kHebrewCharSet},
          {u"Courier", platform::kAnsiCharSet}};
}

// The face that the settings of most tests name: a reader who has chosen a
// face before, so that the start is not a first run (which opens the Font
// dialog).
constexpr char kChosenFace[] = "\"FontName\"=\"David CLM\"\n";

class ReaderTest : public ::testing::Test {
 protected:
  ReaderTest() {
    previousFactory_ = platform::SetFontFactory(FixedReaderFont);
    previousLister_ = platform::SetFontFamilyLister(ReaderFamilies);
    platform::SetScreenSize(platform::Size{240, 320});
  }
  ~ReaderTest() override {
    platform::SetFontFactory(previousFactory_);
    platform::SetFontFamilyLister(previousLister_);
    platform::SetPlatformVersion(platform::PlatformVersion{});
  }

  // Registry-export lines under the product key (and the maker key's, when
  // given), with the chosen face unless they name one.
  void StoreSettings(const std::string& productValues, const std::string& makerValues = "") {
    const bool namesFace = productValues.find("\"FontName\"") != std::string::npos;
    StoreExactSettings(namesFace ? productValues : kChosenFace + productValues, makerValues);
  }

  // Exactly these lines: without "FontName" the start is a first run.
  void StoreExactSettings(const std::string& productValues, const std::string& makerValues = "") {
    std::string text = "Windows Registry Editor Version 5.00\n\n";
    text += "[HKEY_CURRENT_USER\\software\\Orvenda]\n" + makerValues + "\n";
    text += "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n" + productValues + "\n";
    scratch_.Write("registry.reg", text);
  }

  // Starts the reader, runs `steps` once its window is shown, plays the
  // script, and ends it with the close request; the exit code.
  int Run(const std::function<void()>& steps, bool today = false) {
    platform::ScopedHeadlessBackend backend;
    backend_ = &backend.get();
    if (desktopMonitor_) backend->SetDesktopWindow(*desktopMonitor_);
    backend->SetScript(script_);
    for (int answer : answers_) backend->ScriptAnswer(answer);
    quillory::ReaderOptions options;
    options.today = today;
    options.onShown = [&] {
      platform::PumpUntilIdle();
      if (steps) steps();
      platform::PumpUntilIdle();
    };
    const int exitCode = quillory::RunReader(options);
    boxes_ = backend->shownBoxes();
    taskBarShownAtEnd_ = platform::IsWindowVisible(platform::FindWindow(u"HHTaskBar", u""));
    platform::ResetWindowSystem();
    backend_ = nullptr;
    return exitCode;
  }

  // A stored number of the product key, read back from the file.
  std::optional<std::uint32_t> Stored(std::string_view name) const {
    const auto key = platform::OpenRegistryKey(quillory::kProductKey);
    if (!key) return std::nullopt;
    const auto value = platform::QueryRegistryValue(*key, name);
    if (!value || value->type != platform::kRegNumber || value->data.size() != 4) return std::nullopt;
    return static_cast<std::uint32_t>(value->data[0] | value->data[1] << 8 | value->data[2] << 16 |
                                      static_cast<std::uint32_t>(value->data[3]) << 24);
  }

  // A stored text of the product key.
  std::optional<std::u16string> StoredText(std::string_view name) const {
    const quillory::WideTextBlock text = quillory::ReadRegText(name);
    if (!text) return std::nullopt;
    return std::u16string(text.get());
  }

  static quillory::TextView& View() { return *quillory::App().textView; }

  static void Key(std::uint16_t virtualKey, std::uint16_t modifier = 0) {
    if (modifier != 0) platform::InjectKey(modifier, true);
    PressKey(virtualKey);
    if (modifier != 0) platform::InjectKey(modifier, false);
    platform::PumpUntilIdle();
  }

  static void Tap(std::int32_t x, std::int32_t y) { TapView(x, y); }

  void Script(std::string_view text) {
    platform::ScriptError error;
    script_ = platform::ParseScript(text, error).value();
  }

  // Appends a step of the test's own to the script: it runs when the
  // script reaches it, inside whatever dialog is open then.
  void Then(std::function<void()> step) {
    platform::ScriptCommand command;
    command.kind = platform::ScriptCommand::Kind::kCall;
    command.call = std::move(step);
    script_.push_back(std::move(command));
  }
  // Appends script text.
  void Then(std::string_view text) {
    platform::ScriptError error;
    std::vector<platform::ScriptCommand> commands = platform::ParseScript(text, error).value();
    for (auto& command : commands) script_.push_back(std::move(command));
  }

  static void Command(std::uint16_t id) {
    platform::SendMessage(quillory::App().mainWindow, platform::kWmCommand, id, 0);
    platform::PumpUntilIdle();
  }

  quillory::testing::ReaderSandbox scratch_;
  std::vector<int> answers_;
  // Played by the message loop after the steps, before the close request.
  std::vector<platform::ScriptCommand> script_;
  std::vector<platform::MessageBoxRequest> boxes_;
  bool taskBarShownAtEnd_ = false;
  platform::HeadlessBackend* backend_ = nullptr;
  // The reader in a desktop window on a monitor of this size (screen
  // pixels), rather than on the handheld's screen.
  std::optional<platform::Size> desktopMonitor_;

 private:
  platform::FontFactory previousFactory_ = nullptr;
  platform::FontFamilyLister previousLister_ = nullptr;
};

}  // namespace quillory_test
