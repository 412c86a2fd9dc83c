#pragma once
// Hebrew typing on any keyboard layout: the letter keys of a Latin layout
// type what the same keys carry on the standard Israeli layout (SI-1452),
// so that a reader without a Hebrew layout can type Hebrew. The letter code
// has no room for Latin lower-case letters beside the Hebrew ones, so
// nothing is lost: capitals, digits, spaces, "?" and "*" stay as they are,
// as does Hebrew typed through a Hebrew layout.

namespace quillory {

// What the key that types `typed` on a Latin layout types on the Israeli
// one: a Hebrew letter (final forms included) for a-z and for "," "." ";",
// and for q and w the slash and the apostrophe (geresh) there. Any other
// character comes back unchanged.
char16_t ThroughHebrewLayout(char16_t typed);

}  // namespace quillory
