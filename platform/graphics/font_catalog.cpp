#include "platform/graphics/font_catalog.h"

#include <fontconfig/fontconfig.h>

#include <map>
#include <memory>
#include <utility>

#include "platform/system/text_encoding.h"

namespace platform {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
struct CharSetDeleter {
  void operator()(FcCharSet* s) const { FcCharSetDestroy(s); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

constexpr char32_t kAlef = 0x05D0;
constexpr char32_t kTav = 0x05EA;

bool CoversHebrew(const FcPattern* font) {
  FcCharSet* charSet = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charSet) != FcResultMatch) return false;
  for (char32_t c = kAlef; c <= kTav; ++c) {
    if (!FcCharSetHasChar(charSet, c)) return false;
  }
  return true;
}

bool HasFamily(const FcPattern* font, const std::string& family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family.c_str())) == 0) return true;
  }
  return false;
}

// The best match of fontconfig for a family (empty: none named) and weight;
// with `hebrew` the match must carry the Hebrew letters.
Pattern Match(const std::string& family, std::int32_t weight, bool hebrew) {
  Pattern pattern(FcPatternCreate());
  if (!pattern) return nullptr;
  if (!family.empty()) FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(weight <= 0 ? 400 : weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (hebrew) {
    std::unique_ptr<FcCharSet, CharSetDeleter> letters(FcCharSetCreate());
    for (char32_t c = kAlef; c <= kTav; ++c) FcCharSetAddChar(letters.get(), c);
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, letters.get());
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("he"));
  }
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return nullptr;
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  return result == FcResultMatch ? std::move(match) : nullptr;
}

std::optional<FontFile> ToFontFile(const FcPattern* font, std::int32_t weight) {
  FcChar8* path = nullptr;
  if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch) return std::nullopt;
  FontFile file;
  file.path = reinterpret_cast<const char*>(path);
  int index = 0;
  if (FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch) file.index = index;
  double faceWeight = FC_WEIGHT_REGULAR;
  FcPatternGetDouble(font, FC_WEIGHT, 0, &faceWeight);
  file.embolden = weight >= 600 && faceWeight < FC_WEIGHT_DEMIBOLD;
  return file;
}

}  // namespace

std::optional<FontFile> FindFontFile(std::u16string_view faceName, std::int32_t weight) {
  // Finding a face costs fontconfig a fraction of a millisecond; views make
  // the same few fonts again at every change of font, so answers are kept.
  static std::map<std::pair<std::u16string, std::int32_t>, std::optional<FontFile>> answers;
  const std::u16string name(UntilZero(faceName));
  const auto key = std::make_pair(name, weight);
  if (const auto known = answers.find(key); known != answers.end()) return known->second;

  std::optional<FontFile> file;
  const std::string family = Utf16ToUtf8(name);
  if (!family.empty()) {
    if (Pattern match = Match(family, weight, false); match && HasFamily(match.get(), family)) {
      file = ToFontFile(match.get(), weight);
    }
  }
  if (!file) {
    if (Pattern fallback = Match("", weight, true)) file = ToFontFile(fallback.get(), weight);
  }
  answers.emplace(key, file);
  return file;
}

namespace {

FontFactory installedFactory = nullptr;
FontFamilyLister installedLister = nullptr;

std::vector<FontFamily> SystemFontFamilies() {
  std::vector<FontFamily> families;
  Pattern scalable(FcPatternBuild(nullptr, FC_SCALABLE, FcTypeBool, FcTrue, nullptr));
  std::unique_ptr<FcObjectSet, ObjectSetDeleter> objects(FcObjectSetBuild(FC_FAMILY, FC_CHARSET, nullptr));
  if (!scalable || !objects) return families;
  std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, scalable.get(), objects.get()));
  if (!fonts) return families;

  std::map<std::string, std::size_t> seen;  // family name → its place in `families`
  for (int i = 0; i < fonts->nfont; ++i) {
    FcChar8* name = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &name) != FcResultMatch) continue;
    const std::string family(reinterpret_cast<const char*>(name));
    const bool hebrew = CoversHebrew(fonts->fonts[i]);
    auto [place, added] = seen.emplace(family, families.size());
    if (added) families.push_back(FontFamily{Utf8ToUtf16(family), kAnsiCharSet});
    // A family counts as Hebrew when any of its faces has the letters.
    if (hebrew) families[place->second].charSet = kHebrewCharSet;
  }
  return families;
}

}  // namespace

FontFactory SetFontFactory(FontFactory factory) { return std::exchange(installedFactory, factory); }

std::unique_ptr<Font> CreateFont(const FontRequest& request) {
  if (installedFactory) return installedFactory(request);
  const std::optional<FontFile> file =
      FindFontFile(std::u16string_view(request.faceName.data(), request.faceName.size()), request.weight);
  return file ? Font::Open(*file, request) : nullptr;
}

std::u16string DefaultFaceName() {
  const std::unique_ptr<Font> font = CreateFont(FontRequest{});
  return font ? Utf8ToUtf16(font->familyName()) : std::u16string();
}

FontFamilyLister SetFontFamilyLister(FontFamilyLister lister) { return std::exchange(installedLister, lister); }

std::vector<FontFamily> EnumerateFontFamilies() {
  return installedLister ? installedLister() : SystemFontFamilies();
}

int EnumFontFamilies(FontFamilyProc collect, void* parameter) {
  int result = 1;
  for (const FontFamily& family : EnumerateFontFamilies()) {
    result = collect(family, parameter);
    if (result == 0) break;
  }
  return result;
}

}  // namespace platform
