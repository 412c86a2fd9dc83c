#pragma once
// The fonts the system has, through fontconfig: finding the file for a face
// name and listing the families with their character sets.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/font.h"

namespace platform {

// Character sets as the handheld numbers them.
constexpr std::uint8_t kAnsiCharSet = 0;
constexpr std::uint8_t kHebrewCharSet = 177;

// The file of the face `faceName` (UTF-16, no terminator needed) closest to
// `weight`. An empty or unknown name gives a face that has the Hebrew
// letters. Bold asked of a family without a bold face comes back with
// `embolden` set. Nothing only when the system has no usable font at all.
std::optional<FontFile> FindFontFile(std::u16string_view faceName, std::int32_t weight);

// FindFontFile and Font::Open in one step, as the handheld creates a font
// from its logical description. Null when no font could be made.
std::unique_ptr<Font> CreateFont(const FontRequest& request);

// How CreateFont makes fonts; null means through the system's catalog.
// Tests install fixed fonts here to get results in exact pixels.
using FontFactory = std::unique_ptr<Font> (*)(const FontRequest& request);
// Returns the factory it replaced.
FontFactory SetFontFactory(FontFactory factory);

// The family of the face an empty face name gives: the one text is drawn
// in while no face is chosen. Empty when no font can be made.
std::u16string DefaultFaceName();

struct FontFamily {
  std::u16string faceName;
  std::uint8_t charSet = kAnsiCharSet;  // kHebrewCharSet when alef to tav are all there
};

// Every scalable family once, in the order fontconfig lists them (or the
// installed lister gives them).
std::vector<FontFamily> EnumerateFontFamilies();

// Calls `collect` with each family of EnumerateFontFamilies, in its order,
// until a call returns 0, as the handheld's enumeration calls back. Returns
// what the last call returned; 1 when there was no family.
using FontFamilyProc = int (*)(const FontFamily& family, void* parameter);
int EnumFontFamilies(FontFamilyProc collect, void* parameter);

// Where EnumerateFontFamilies takes its families from; null means the
// system's catalog. Tests install fixed lists here, in an order of their
// choosing. Returns the lister it replaced.
using FontFamilyLister = std::vector<FontFamily> (*)();
FontFamilyLister SetFontFamilyLister(FontFamilyLister lister);

}  // namespace platform
