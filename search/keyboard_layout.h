#pragma once
// The Search dialog's keyboard picture: 27 letter keys in three rows of
// nine, framed cells numbered from the top right key leftwards (key 1 is
// alef), and below them a space bar (key 0). The letters follow the letter
// code with each final form after its regular form, as the keys stand.

#include <cstdint>
#include <string_view>

namespace quillory {

// The letter code of key k (1 to 27) is kKeyLetters[k - 1].
constexpr std::string_view kKeyLetters = "abcdefghijlkmonqprsutwvxyz{";
constexpr int kLetterKeyCount = 27;
constexpr int kSpaceKey = 0;

constexpr int kKeyboardWidth = 154;
constexpr int kKeyboardHeight = 95;
constexpr int kKeyWidth = 17;
constexpr int kKeyHeight = 25;
constexpr int kKeysPerRow = 9;
constexpr int kLetterRows = 3;
// The space bar spans these key columns, counted from the left.
constexpr int kSpaceBarFirstColumn = 2;
constexpr int kSpaceBarLastColumn = 6;

constexpr int KeyRow(int key) { return (key - 1) / kKeysPerRow; }
// Counted from the left, 0 the leftmost.
constexpr int KeyColumn(int key) { return kKeysPerRow * (KeyRow(key) + 1) - key; }
constexpr int KeyAtCell(int row, int column) { return kKeysPerRow * (row + 1) - column; }

static_assert(KeyColumn(1) == kKeysPerRow - 1 && KeyRow(27) == kLetterRows - 1);
static_assert(KeyAtCell(KeyRow(13), KeyColumn(13)) == 13);

}  // namespace quillory
