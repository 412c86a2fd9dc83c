#pragma once
// Settings persistence: the product key's values read into AppState once at
// start, and the save sequence that writes them back at exit and ends the
// message loop.

namespace quillory {

// Reads every setting of the product key into AppState (defaults where a
// value is missing), writes "Program Path", and loads the list glyphs.
void LoadSettings();

// Writes the settings, releases the view and the glyphs, and posts the quit
// request with exit code 0. Run by the main window's destruction and by the
// out-of-memory stop.
void SaveSequence();

}  // namespace quillory
