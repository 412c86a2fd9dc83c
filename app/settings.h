#pragma once
// Settings persistence: the product key's values read into AppState once at
// start, and the save sequence that writes them back at exit and ends the
// message loop.

namespace quillory {

// Reads every setting of the product key into AppState (defaults where a
// value is missing), writes "Program Path", and loads the list glyphs from
// App().module into App().glyphBitmaps.
void LoadSettings();

// Releases the glyphs, writes the settings (a value left empty or 0 is not
// written, so the registry keeps what it held; nothing at all when memory ran
// out before every setting had been read), destroys the view, and
// posts the quit request with exit code 0. Run by the main window's
// destruction and by the out-of-memory stop; running it again writes the
// same values and releases nothing twice.
void SaveSequence();

}  // namespace quillory
