#pragma once
// What the running reader does when the program is started again: jump to
// This Week when it is the window in front, else come to the front.

#include "platform/graphics/handles.h"

namespace quillory {

void AnswerSecondStart(platform::WindowHandle mainWindow);

}  // namespace quillory
