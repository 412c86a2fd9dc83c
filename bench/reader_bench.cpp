// The running reader on the headless backend, with a scratch registry file,
// drawn at scale 2 in two windows: the first-start window (240 × 320 of the
// reader's pixels, 480 × 640 on the screen) and a full-screen one of 1920 ×
// 1080 screen pixels (960 × 540 of the reader's). The argument of each
// benchmark picks the window.
//
// Start: from the entry point to the first painted frame, the first time in
// the process (fontconfig and FreeType starting included) and again warm.
// Switch: one article switch (decode, layout, repaint). Page turn: a Page
// Down key from the queue to the composed screen. Full repaint: the whole
// window invalidated, painted and composed. Drag move: one pointer move of a
// drag selecting across a whole page, from the queue to the composed screen.
// Night Reading: the command, the window painted once in the other palette,
// the screen composed. Peak memory: the reader program run headless through
// every page of every article, its largest resident size as the system
// counts it.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/reader.h"
#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/graphics/device_scale.h"
#include "platform/windows/input.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "view/text_view.h"

extern char** environ;

namespace {

using namespace quillory;
using Clock = std::chrono::steady_clock;

std::filesystem::path ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillory-bench-XXXXXX").string();
    std::filesystem::path made = mkdtemp(pattern.data());
    std::filesystem::create_directory(made / "run");
    std::filesystem::permissions(made / "run", std::filesystem::perms::owner_all);
    // A face chosen before: a first run would open the Font dialog.
    std::ofstream(made / "registry.reg") << "Windows Registry Editor Version 5.00\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
                                            "\"FontName\"=\"David CLM\"\n";
    setenv("QUILLORY_REGISTRY", (made / "registry.reg").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (made / "run").c_str(), 1);
    return made;
  }();
  return folder;
}

constexpr platform::DeviceScale kScale = platform::DeviceScale::FromQuarters(8);

struct Window {
  const char* name;
  platform::Size size;  // the reader's pixels
};
constexpr Window kWindows[] = {{"480x640", {240, 320}}, {"1920x1080", {960, 540}}};
const Window& WindowOf(const benchmark::State& state) { return kWindows[state.range(0)]; }

void WindowArguments(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgName("window")->Arg(0)->Arg(1);
}

// Runs the reader in `window` and `during` once it is shown; the time to
// the first frame.
double RunReaderOnce(const Window& window, const std::function<void()>& during) {
  ScratchFolder();
  platform::ScopedHeadlessBackend backend;
  backend->SetScript({});
  backend->SetDesktopWindow(kScale.ToDevice(window.size));
  platform::SetDeviceScale(kScale);
  platform::SetScreenSize(window.size);
  ReaderOptions options;
  Clock::time_point shown;
  options.onShown = [&] {
    platform::ScreenImage();
    shown = Clock::now();
    if (during) during();
  };
  const Clock::time_point start = Clock::now();
  RunReader(options);
  platform::ResetWindowSystem();
  return std::chrono::duration<double>(shown - start).count();
}

// Every article from its first page to its last, by Page Down.
std::string PagingScript() {
  std::string script;
  for (int article = 1; article <= kArticleCount; ++article) {
    script += "command 109\n";
    for (int page = 0; page < 60; ++page) script += "key PageDown\n";
  }
  return script;
}

// Registered first: posix_spawn starts the reader as a vfork, and the system
// counts the memory of the bench itself until the exec as the child's own,
// so the bench must not have opened any window yet.
void BM_PeakMemoryPagingTheVolume(benchmark::State& state) {
  const std::filesystem::path script = ScratchFolder() / "paging.script";
  std::ofstream(script) << PagingScript();
  const Window& window = WindowOf(state);
  state.SetLabel(window.name);
  long peakKilobytes = 0;
  for (auto _ : state) {
    char program[] = QUILLORY_READER;
    std::string scriptPath = script.string();
    std::string size = std::to_string(window.size.cx) + "x" + std::to_string(window.size.cy);
    char headless[] = "--headless";
    char scriptOption[] = "--script";
    char sizeOption[] = "--size";
    char scaleOption[] = "--scale";
    char scale[] = "2";
    char* arguments[] = {program,          headless,    scriptOption, scriptPath.data(), sizeOption,
                         size.data(),      scaleOption, scale,        nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, arguments, environ) != 0) {
      state.SkipWithError("cannot start the reader");
      return;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    peakKilobytes = usage.ru_maxrss;
  }
  state.counters["peak_MB"] = static_cast<double>(peakKilobytes) / 1024.0;
}
BENCHMARK(BM_PeakMemoryPagingTheVolume)->Apply(WindowArguments)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StartToFirstFrame(benchmark::State& state) {
  // The first start of the process pays for fontconfig and FreeType.
  static const double cold = RunReaderOnce(kWindows[1], nullptr);
  for (auto _ : state) state.SetIterationTime(RunReaderOnce(WindowOf(state), nullptr));
  state.counters["cold_ms"] = cold * 1000;
  state.SetLabel(WindowOf(state).name);
}
BENCHMARK(BM_StartToFirstFrame)->Apply(WindowArguments)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ArticleSwitch(benchmark::State& state) {
  state.SetLabel(WindowOf(state).name);
  RunReaderOnce(WindowOf(state), [&] {
    std::uint16_t article = 1;
    for (auto _ : state) {
      SwitchArticle(App().mainWindow, article, 0, false);
      article = static_cast<std::uint16_t>(article % kArticleCount + 1);
    }
  });
}
BENCHMARK(BM_ArticleSwitch)->Apply(WindowArguments)->Unit(benchmark::kMicrosecond);

void BM_PageTurn(benchmark::State& state) {
  state.SetLabel(WindowOf(state).name);
  RunReaderOnce(WindowOf(state), [&] {
    SwitchArticle(App().mainWindow, 4, 0, false);
    for (auto _ : state) {
      if (App().textView->topPosition >= App().textView->maxTop) {
        state.PauseTiming();
        App().textView->topPosition = 0;
        state.ResumeTiming();
      }
      platform::InjectKey(platform::kVkNext, true);
      platform::InjectKey(platform::kVkNext, false);
      platform::PumpUntilIdle();
      benchmark::DoNotOptimize(platform::ScreenImage());
    }
  });
}
BENCHMARK(BM_PageTurn)->Apply(WindowArguments)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
  state.SetLabel(WindowOf(state).name);
  RunReaderOnce(WindowOf(state), [&] {
    SwitchArticle(App().mainWindow, 4, 0, false);
    for (auto _ : state) {
      platform::InvalidateRect(App().mainWindow, true);
      platform::PumpUntilIdle();
      benchmark::DoNotOptimize(platform::ScreenImage());
    }
  });
}
BENCHMARK(BM_FullRepaint)->Apply(WindowArguments)->Unit(benchmark::kMicrosecond);

void BM_DragSelectMove(benchmark::State& state) {
  state.SetLabel(WindowOf(state).name);
  RunReaderOnce(WindowOf(state), [&] {
    SwitchArticle(App().mainWindow, 4, 0, false);
    const TextView& view = *App().textView;
    const auto at = [&](std::int32_t x, std::int32_t y) {
      return platform::ClientToScreen(App().mainWindow, platform::Point{x, y});
    };
    // Down the page from its top right to its bottom left, 4 pixels a move,
    // and up again, the button held all along.
    std::vector<platform::Point> path;
    for (std::int32_t y = 8; y < view.height - 8; y += 4) path.push_back(at(view.left + view.width - 10 - y * 2 / 3, view.top + y));
    for (std::size_t i = path.size(); i-- > 0;) path.push_back(path[i]);
    platform::InjectStylus(platform::StylusAction::kDown, at(view.left + view.width - 4, view.top + 4));
    platform::PumpUntilIdle();
    std::size_t move = 0;
    for (auto _ : state) {
      platform::InjectStylus(platform::StylusAction::kMove, path[move++ % path.size()]);
      platform::PumpUntilIdle();
      benchmark::DoNotOptimize(platform::ScreenImage());
    }
    platform::InjectStylus(platform::StylusAction::kUp, path.front());
    platform::PumpUntilIdle();
  });
}
BENCHMARK(BM_DragSelectMove)->Apply(WindowArguments)->Unit(benchmark::kMicrosecond);

void BM_NightReadingToggle(benchmark::State& state) {
  state.SetLabel(WindowOf(state).name);
  RunReaderOnce(WindowOf(state), [&] {
    SwitchArticle(App().mainWindow, 4, 0, false);
    for (auto _ : state) {
      platform::SendMessage(App().mainWindow, platform::kWmCommand, kNightReadingCommand, 0);
      platform::PumpUntilIdle();
      benchmark::DoNotOptimize(platform::ScreenImage());
    }
  });
}
BENCHMARK(BM_NightReadingToggle)->Apply(WindowArguments)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
