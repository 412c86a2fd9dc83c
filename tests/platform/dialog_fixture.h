#pragma once
// Running dialogs in tests: an owner window, the program's resources, and a
// dialog procedure given as a lambda, while a headless script plays the
// person in front of the dialog.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/backends/headless/headless_backend.h"
#include "platform/dialogs/dialog.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"

namespace quillory_test {

using DialogHandler = std::function<platform::LResult(platform::WindowHandle, std::uint32_t, platform::WParam,
                                                      platform::LParam)>;

// The lambda behind the dialog procedure of the test that runs now.
inline DialogHandler& CurrentHandler() {
  static DialogHandler handler;
  return handler;
}

inline platform::LResult HandlerProcedure(platform::WindowHandle dialog, std::uint32_t message,
                                          platform::WParam first, platform::LParam second) {
  return CurrentHandler() ? CurrentHandler()(dialog, message, first, second) : 0;
}

// What the owner window was sent, by message.
inline std::vector<std::uint32_t>& OwnerMessages() {
  static std::vector<std::uint32_t> messages;
  return messages;
}

inline platform::LResult OwnerProcedure(platform::WindowHandle window, std::uint32_t message,
                                        platform::WParam first, platform::LParam second) {
  OwnerMessages().push_back(message);
  return platform::DefWindowProc(window, message, first, second);
}

// A dialog of one control, `width` × `height` dialog units at (4, 4), in a
// captioned dialog of 120 × 100.
inline platform::DialogTemplate OneControl(const char16_t* className, std::uint32_t style, std::uint16_t id,
                                           std::int16_t width, std::int16_t height, std::u16string text = u"") {
  platform::DialogTemplate dialog;
  dialog.style = platform::kWsPopup | platform::kWsCaption;
  dialog.caption = u"Test";
  dialog.width = 120;
  dialog.height = 100;
  platform::DialogItemTemplate item;
  item.style = style | platform::kWsVisible;
  item.id = id;
  item.className = className;
  item.x = 4;
  item.y = 4;
  item.width = width;
  item.height = height;
  item.text = std::move(text);
  dialog.items.push_back(std::move(item));
  return dialog;
}

class DialogFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::ResetWindowSystem();
    platform::SetScreenSize(platform::Size{240, 320});
    OwnerMessages().clear();
    platform::WindowClass owner;
    owner.procedure = OwnerProcedure;
    owner.background = platform::GetStockBrush(platform::StockBrush::kWhiteBrush);
    owner.name = u"Owner";
    platform::RegisterClass(owner);
    owner_ = platform::CreateWindow(0, u"Owner", u"Owner", platform::kWsVisible, platform::kUseDefault, 0,
                                    platform::kUseDefault, 0, nullptr, 0, nullptr);
    platform::PumpUntilIdle();
  }
  void TearDown() override {
    CurrentHandler() = nullptr;
    platform::ResetWindowSystem();
  }

  void Play(const std::string& script) {
    platform::ScriptError error;
    auto parsed = platform::ParseScript(script, error);
    ASSERT_TRUE(parsed) << error.reason;
    backend_->SetScript(*parsed);
  }
  // Runs dialog resource `id` with `handler` while `script` plays.
  std::intptr_t Run(std::uint16_t id, DialogHandler handler, const std::string& script, platform::LParam parameter = 0) {
    CurrentHandler() = std::move(handler);
    Play(script);
    const std::intptr_t result = platform::DialogBoxParam(&module_, id, owner_, HandlerProcedure, parameter);
    backend_->SetScript({});
    return result;
  }

  // The same with a template made by the test.
  std::intptr_t RunTemplate(const platform::DialogTemplate& dialog, DialogHandler handler, const std::string& script) {
    CurrentHandler() = std::move(handler);
    Play(script);
    const std::intptr_t result = platform::DialogBoxIndirectParam(&module_, dialog, owner_, HandlerProcedure, 0);
    backend_->SetScript({});
    return result;
  }

  platform::ScopedHeadlessBackend backend_;
  const platform::Module module_{quillory::ProgramResources()};
  platform::WindowHandle owner_ = nullptr;
};

}  // namespace quillory_test
