#include "core/app_state.h"

namespace quillory {
namespace {
AppState gState;
StartupSwitches gSwitches;
}

AppState& App() { return gState; }

StartupSwitches& Switches() { return gSwitches; }

void ResetAppState() {
  gState = AppState{};
  gSwitches = StartupSwitches{};
}

}  // namespace quillory
