// Measuring, drawing and laying out the volume's text.
//
// Measure: every paragraph of the volume broken into lines 232 pixels wide
// by successive MeasureRun calls, as layout does, in characters per second;
// warm (the font has seen every character) and cold (a new font each pass,
// so every character goes through FreeType once). Paint: a page of 20 lines
// of 40 characters drawn into a 240 × 320 framebuffer. Then the text view
// itself, in David CLM at the default size, 232 pixels wide: laying out the
// largest article and the whole volume, painting one page, and paging down
// from the top to the end of the largest article. Selecting: one pointer
// move of a drag across the whole page (finding the place under the
// pointer, marking what changed), and a page painted whole in the night
// palette and back.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/volume_texts.h"
#include "core/app_state.h"
#include "platform/graphics/device_context.h"
#include "tools/pack/records.h"
#include "view/article_format.h"
#include "view/letter_code.h"
#include "view/text_paint.h"
#include "view/text_selection.h"
#include "view/text_scroll.h"
#include "view/text_view.h"
#include "platform/graphics/font_catalog.h"
#include "resources/volume_resources.h"

namespace {

using namespace quillory;

constexpr char kFontFile[] = "/usr/share/fonts/truetype/culmus/DavidCLM-Medium.otf";
constexpr std::int32_t kLineWidth = 232;

struct Paragraph {
  std::string text;
  bool hebrew;
};

std::vector<Paragraph> VolumeParagraphs() {
  std::vector<Paragraph> paragraphs;
  for (const auto& text : VolumeTexts(true)) {
    std::string error;
    const auto records = pack::ReadArticleRecords(text, error);
    if (!records) continue;
    for (const pack::Record& r : *records) {
      if (!r.text.empty()) paragraphs.push_back({std::string(r.text), r.hebrew()});
    }
  }
  return paragraphs;
}

std::unique_ptr<platform::Font> OpenFont() {
  platform::FontRequest request;
  request.height = 16;
  return platform::Font::Open(platform::FontFile{kFontFile, 0, false}, request);
}

// Breaks every paragraph into lines; returns the characters measured.
std::int64_t MeasureVolume(platform::DeviceContext& context, const std::vector<Paragraph>& paragraphs) {
  std::int64_t characters = 0;
  for (const Paragraph& p : paragraphs) {
    SetRunBase(p.hebrew ? kLiveFontBase : kNoMappingBase);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(p.text.data());
    auto left = static_cast<std::int32_t>(p.text.size());
    while (left > 0) {
      const MeasuredRun run = MeasureRun(context, bytes, kLineWidth, left);
      const std::int32_t taken = run.count > 0 ? run.count : 1;
      bytes += taken;
      left -= taken;
      characters += taken;
    }
  }
  SetRunBase(kNoMappingBase);
  return characters;
}

void BM_MeasureVolume(benchmark::State& state, bool warm) {
  App().font.asciiBase = kBaseUnicode;
  const auto paragraphs = VolumeParagraphs();
  platform::Framebuffer pixels(240, 320);
  platform::DeviceContext context(&pixels);
  auto font = OpenFont();
  platform::Font* previous = context.SelectFont(font.get());
  std::int64_t characters = 0;
  MeasureVolume(context, paragraphs);
  for (auto _ : state) {
    if (!warm) {
      state.PauseTiming();
      context.SelectFont(previous);
      font = OpenFont();
      context.SelectFont(font.get());
      state.ResumeTiming();
    }
    characters += MeasureVolume(context, paragraphs);
  }
  context.SelectFont(previous);
  state.SetItemsProcessed(characters);
}

void BM_PaintPage(benchmark::State& state) {
  App().font.asciiBase = kBaseUnicode;
  platform::Framebuffer pixels(240, 320);
  platform::DeviceContext context(&pixels);
  auto font = OpenFont();
  platform::Font* previous = context.SelectFont(font.get());
  std::vector<std::string> lines;
  for (int i = 0; i < 20; ++i) {
    std::string line;
    for (int k = 0; k < 40; ++k) line += static_cast<char>(k % 7 == 6 ? ' ' : 'a' + (i * 40 + k) % 27);
    lines.push_back(line);
  }
  for (auto _ : state) {
    FillViewRect(context, 0, 0, 240, 320, platform::StockBrush::kWhiteBrush);
    SetRunBase(kLiveFontBase);
    std::int32_t y = 0;
    for (const std::string& line : lines) {
      const auto* bytes = reinterpret_cast<const std::uint8_t*>(line.data());
      const MeasuredRun run = MeasureRun(context, bytes, 240, 40);
      DrawRun(context, bytes, run.count, 240 - run.width, y, run.width, 16);
      y += 16;
    }
    SetRunBase(kNoMappingBase);
    benchmark::DoNotOptimize(pixels.at(0, 0));
  }
  context.SelectFont(previous);
}

// A view over a 240 × 294 page, as the reader has it under its bar.
class PageView {
 public:
  PageView() : context_(&pixels_) {
    App().module = &module_;
    App().font.asciiBase = kBaseUnicode;
    FontDescription font;
    const std::u16string_view face = u"David CLM";
    std::copy(face.begin(), face.end(), font.faceName.begin());
    const ViewRect rect{4, 0, 236, 294};
    view_ = CreateTextView(&context_, &rect, font, 100);
  }
  ~PageView() { DestroyTextView(view_, true); }
  TextView* view() { return view_; }
  static platform::HeapBlock Text(int number) { return LoadCompressedResource(number); }

 private:
  const platform::Module module_{VolumeResources()};
  platform::Framebuffer pixels_{240, 294};
  platform::DeviceContext context_;
  TextView* view_ = nullptr;
};

constexpr int kLargestArticle = 4;

void BM_LayoutLargestArticle(benchmark::State& state) {
  PageView page;
  LayoutText(page.view(), PageView::Text(kLargestArticle), true);
  for (auto _ : state) RelayoutText(page.view());
  state.counters["lines"] = page.view()->lineCount;
  state.counters["bytes"] = static_cast<double>(page.view()->text.length());
}

void BM_LayoutVolume(benchmark::State& state) {
  PageView page;
  std::vector<platform::HeapBlock> texts;
  for (int number = 1; number <= kArticleCount; ++number) {
    LayoutText(page.view(), PageView::Text(number), true);
    texts.push_back(std::move(page.view()->text));
  }
  for (auto _ : state) {
    for (platform::HeapBlock& text : texts) {
      std::swap(page.view()->text, text);
      RelayoutText(page.view());
      std::swap(page.view()->text, text);
    }
  }
}

void BM_PaintArticlePage(benchmark::State& state) {
  PageView page;
  LayoutText(page.view(), PageView::Text(kLargestArticle), true);
  page.view()->topPosition = 30;
  for (auto _ : state) PaintTextView(page.view(), true);
}

void BM_PageDownLargestArticle(benchmark::State& state) {
  PageView page;
  LayoutText(page.view(), PageView::Text(kLargestArticle), true);
  int pages = 0;
  for (auto _ : state) {
    page.view()->topPosition = 0;
    PaintTextView(page.view(), true);
    pages = 1;
    while (ScrollTextView(page.view(), std::max(1, page.view()->unitsDrawn - 1), 1, true) != kNothingToDo) ++pages;
  }
  state.counters["pages"] = pages;
}

// The pointer's path of a drag from the top right of the page to its
// bottom left, a few pixels a move, as a hand drags.
std::vector<platform::Point> DragPath() {
  std::vector<platform::Point> path;
  for (int y = 8; y < 290; y += 4) path.push_back(platform::Point{230 - (y * 200) / 290, y});
  return path;
}

void BM_DragSelectionMove(benchmark::State& state) {
  PageView page;
  LayoutText(page.view(), PageView::Text(kLargestArticle), true);
  page.view()->topPosition = 30;
  PaintTextView(page.view(), true);
  const std::vector<platform::Point> path = DragPath();
  const std::uint16_t anchor = PointOnPage(page.view(), 230, 4)->place;
  std::size_t move = 0;
  for (auto _ : state) {
    const platform::Point at = path[move++ % path.size()];
    if (const auto point = PointOnPage(page.view(), at.x, at.y)) SelectPlaces(page.view(), anchor, point->place);
  }
  state.counters["moves_per_page"] = static_cast<double>(path.size());
}

void BM_PaletteSwitch(benchmark::State& state) {
  PageView page;
  LayoutText(page.view(), PageView::Text(kLargestArticle), true);
  page.view()->topPosition = 30;
  for (auto _ : state) {
    App().nightReading ^= 1;
    PaintTextView(page.view(), true);
  }
  App().nightReading = 0;
}

BENCHMARK_CAPTURE(BM_MeasureVolume, warm, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MeasureVolume, cold, false)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayoutLargestArticle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayoutVolume)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintArticlePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageDownLargestArticle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragSelectionMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaletteSwitch)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
