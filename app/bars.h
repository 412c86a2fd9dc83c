#pragma once
// The bar that carries the Go menu and the seven toolbar buttons: the
// shell's menu bar along the bottom, or a command bar along the top of the
// main window.

#include "platform/graphics/handles.h"
#include "platform/menus/menu.h"

namespace quillory {

// Made once while the main window is created, before the view: records the
// main window, the bar and its height in AppState.
void CreateBars(platform::WindowHandle mainWindow);

// After the main window's size changed: the command bar spans its width
// again, the menu bar the bottom of the screen (beside the scroll bar).
void FitBars(platform::WindowHandle mainWindow);

// The menu whose check marks the reader keeps; null without a bar.
platform::Menu* CheckMarkMenu();

}  // namespace quillory
