#pragma once
// Settings persistence: the product key's values read into AppState once at
// start, and the save sequence that writes them back at exit and ends the
// message loop.

#include <cstdint>

namespace quillory {

// Reads every setting of the product key into AppState (defaults where a
// value is missing, sound values where one is damaged: see below), writes
// "Program Path", and loads the list glyphs from App().module into
// App().glyphBitmaps. A damaged value is not kept, so the next save writes
// the sound one:
// - "FontAsciiBase" that places no letter on a character: 1488;
// - "PreviousLesson" that names no article: no back link (0, position 0);
// - the reader's-own-choice bit of "Flags" without a "Lesson": no own choice.
void LoadSettings();

// The letter code base a stored "FontAsciiBase" stands for: 97, 224, or a
// base above 256 whose 27 letters are all characters (within 16 bits, none
// a surrogate); anything else, 0 and 5 among them, is the default 1488.
std::uint32_t LetterBaseOf(std::uint32_t stored);

// The gutter a stored "SurroundingGutter" stands for: a negative one would
// push the text area out of the window, so it is 0; one beyond the largest
// coordinate a tap carries (32767) is that, so that twice it and the text
// area's edges plus it stay in range. A gutter that does not fit the window
// leaves the text area's edges where they are.
std::int32_t GutterOf(std::uint32_t stored);

// Releases the glyphs, writes the settings (a value left empty or 0 is not
// written, so the registry keeps what it held; nothing at all when memory ran
// out before every setting had been read), destroys the view, and
// posts the quit request with exit code 0. Run by the main window's
// destruction and by the out-of-memory stop; running it again writes the
// same values and releases nothing twice.
void SaveSequence();

}  // namespace quillory
