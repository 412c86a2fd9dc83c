#pragma once
// The reader on a backend: in a real window, headless under a script, or,
// when no window can be opened, headless drawing its first pages to PNG
// files so that a newcomer on a machine without a display still sees it.

#include "app/command_line.h"

namespace quillory {

int RunInteractive(const CommandLine& commandLine);

}  // namespace quillory
