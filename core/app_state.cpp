#include "core/app_state.h"

namespace quillory {
namespace {
AppState gState;
}

AppState& App() { return gState; }

void ResetAppState() { gState = AppState{}; }

}  // namespace quillory
