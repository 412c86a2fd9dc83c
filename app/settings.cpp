#include "app/settings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "app/desktop_settings.h"
#include "app/reader_calls.h"
#include "bookmarks/bookmark_list.h"
#include "core/app_state.h"
#include "core/registry_values.h"
#include "platform/graphics/bitmap.h"
#include "platform/registry/registry_writer.h"
#include "platform/system/module_file_name.h"
#include "platform/system/text_encoding.h"
#include "platform/windows/window.h"
#include "resources/program_resources.h"
#include "view/text_view.h"

namespace quillory {
namespace {

// The stored texts are cut to what the records hold, less a terminator.
constexpr std::size_t kFaceNameLimit = 31;
constexpr std::size_t kSearchPatternLimit = 33;
constexpr std::uint32_t kDefaultLetterBase = kBaseUnicode;
constexpr std::uint32_t kDefaultFlags = 0xD1140040;

constexpr std::array<ListGlyph, kListGlyphCount> kGlyphs = {ListGlyph::kExpand, ListGlyph::kCollapse,
                                                           ListGlyph::kArticle};
static_assert(kGlyphs.size() == std::tuple_size_v<decltype(AppState::glyphBitmaps)>);

// From the settings load to the save that writes the list back.
bool gBookmarksLoaded = false;
// From the start of the settings load until it has read every value; it
// stays set when memory ran out on the way and stopped the reader. The save
// must then write nothing, or it would store the defaults over values that
// were never read.
bool gReadingSettings = false;

std::uint16_t ReadLow16(std::string_view name) { return static_cast<std::uint16_t>(ReadSetting(name, 0)); }

void LoadFaceName() {
  const WideTextBlock text = ReadRegText("FontName");
  if (!text || text[0] == 0) return;
  std::array<char16_t, 32>& face = App().font.faceName;
  std::size_t length = 0;
  while (length < kFaceNameLimit && text[length] != 0) {
    face[length] = text[length];
    ++length;
  }
  face[length] = 0;
}

// A stored pattern need not end in a zero: the copy stops at the end of the
// stored bytes as well.
void LoadSearchPattern() {
  const platform::HeapBlock bytes = ReadRegBytes("SearchString");
  if (!bytes || bytes.length() == 0 || bytes.data()[0] == 0) return;
  std::array<std::uint8_t, 34>& pattern = App().searchPattern;
  const std::size_t limit = std::min(bytes.length(), kSearchPatternLimit);
  std::size_t length = 0;
  while (length < limit && bytes.data()[length] != 0) {
    pattern[length] = bytes.data()[length];
    ++length;
  }
  pattern[length] = 0;
}

void SaveSearchPattern() {
  const std::array<std::uint8_t, 34>& pattern = App().searchPattern;
  const auto end = std::find(pattern.begin(), pattern.begin() + kSearchPatternLimit, 0);
  if (end == pattern.begin()) return;
  std::vector<std::uint8_t> stored(pattern.begin(), end);
  stored.push_back(0);
  WriteRegBytes("SearchString", stored);
}

void WriteSettings() {
  SaveSearchPattern();
  const std::u16string_view faceName = platform::UntilZero({App().font.faceName.data(), App().font.faceName.size()});
  if (!faceName.empty()) WriteRegText("FontName", faceName);
  if (App().font.height != 0) WriteRegNumber("FontSize", static_cast<std::uint32_t>(App().font.height));
  if (App().font.asciiBase != 0) WriteRegNumber("FontAsciiBase", App().font.asciiBase);
  if (App().textView != nullptr) WriteRegNumber("LastPosition", App().textView->topPosition);
  WriteDesktopSettings();
  WriteRegNumber("Flags", App().flags);
  WriteRegNumber("PreviousLesson", App().previousArticle);
  WriteRegNumber("PreviousPosition", App().previousPosition);
  if (App().currentArticle != 0) WriteRegNumber("Lesson", App().currentArticle);
  WriteRegNumber("NightReading", App().nightReading);
}

}  // namespace

std::uint32_t LetterBaseOf(std::uint32_t stored) {
  constexpr std::uint32_t kLetters = 27;
  constexpr std::uint32_t kSurrogatesFirst = 0xD800;
  constexpr std::uint32_t kSurrogatesLast = 0xDFFF;
  if (stored == kBaseLatin || stored == kBaseCp1255) return stored;
  const bool whole = stored > kHighestByteBase && stored <= 0x10000 - kLetters;
  const bool clearOfSurrogates = stored + kLetters <= kSurrogatesFirst || stored > kSurrogatesLast;
  return whole && clearOfSurrogates ? stored : kDefaultLetterBase;
}

std::int32_t GutterOf(std::uint32_t stored) {
  constexpr std::int32_t kLargestGutter = 0x7FFF;
  const auto gutter = static_cast<std::int32_t>(stored);
  return std::clamp(gutter, 0, kLargestGutter);
}

void LoadSettings() {
  gReadingSettings = true;
  const std::u16string programPath = platform::GetModuleFileName();
  if (!programPath.empty()) WriteRegText("Program Path", programPath);
  LoadFaceName();
  LoadSearchPattern();
  // The readers of texts and bytes may have stopped the reader: then it
  // takes nothing more that the stop's save would have to give back.
  if (ReaderStopped()) return;
  App().font.height = static_cast<std::int32_t>(ReadSetting("FontSize", 0));
  App().font.asciiBase = LetterBaseOf(ReadSetting("FontAsciiBase", kDefaultLetterBase));
  App().savedPosition = ReadLow16("LastPosition");
  App().flags = ReadSetting("Flags", kDefaultFlags);
  App().previousArticle = ReadLow16("PreviousLesson");
  App().previousPosition = ReadLow16("PreviousPosition");
  if (!IsArticleNumber(App().previousArticle)) App().previousArticle = App().previousPosition = 0;
  App().currentArticle = ReadLow16("Lesson");
  LoadReadingPlace(App().currentArticle);
  // An own choice of no article would keep the reader on nothing at every
  // start; This Week is what a reader without a choice gets.
  if (App().currentArticle == 0) App().flags &= ~kChosenArticleFlag;
  App().nightReading = ReadSetting("NightReading", 0) != 0 ? 1 : 0;
  for (std::size_t i = 0; i < kGlyphs.size(); ++i) {
    App().glyphBitmaps[i] = platform::LoadBitmap(App().module, ListGlyphId(kGlyphs[i]));
  }
  LoadBookmarks();
  if (ReaderStopped()) return;
  gBookmarksLoaded = true;
  gReadingSettings = false;
}

void SaveSequence() {
  // Every value reaches the file in one replacement, so that a reader killed
  // part way through leaves the settings as they were or as they are now,
  // never a position stored for an article that is not.
  platform::RegistryWriteBatch batch;
  for (platform::BitmapHandle& glyph : App().glyphBitmaps) {
    platform::DeleteBitmap(glyph);
    glyph = nullptr;
  }
  if (!gReadingSettings) WriteSettings();
  if (App().textView != nullptr) {
    DestroyTextView(App().textView, true);
    App().textView = nullptr;
  }
  // Once only: a second run of the sequence must not store the released
  // list as an empty one.
  if (gBookmarksLoaded) {
    SaveBookmarks();
    ReleaseBookmarks();
    gBookmarksLoaded = false;
  }
  platform::PostQuitMessage(0);
}

}  // namespace quillory
