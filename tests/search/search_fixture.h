#pragma once
// What the search tests share: stand-ins for the reader's shell calls that
// count what the search asks of the reader, a headless backend that answers
// and records message boxes, the stored pattern, and what a view shows.

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "core/app_state.h"
#include "core/shell_calls.h"
#include "platform/backends/headless/headless_backend.h"
#include "platform/system/memory.h"
#include "view/text_view.h"

namespace quillory_test {

struct ShellCounts {
  int repaints = 0;
  int bookmarkChecks = 0;
  int refusedAllocations = 0;
};

// Installs the stand-ins for its lifetime. `onRefusal` runs when an
// allocation is refused, as the reader's stop would.
class ShellRecorder {
 public:
  explicit ShellRecorder(void (*onRefusal)() = nullptr) {
    counts_ = ShellCounts{};
    onRefusal_ = onRefusal;
    previous_ = quillory::InstallShellCalls(quillory::ShellCalls{
        [](std::size_t size) -> void* {
          void* block = platform::Alloc(size);
          if (block == nullptr) {
            ++counts_.refusedAllocations;
            if (onRefusal_ != nullptr) onRefusal_();
          }
          return block;
        },
        [](platform::WindowHandle) { ++counts_.repaints; }, nullptr,
        [](platform::WindowHandle) { ++counts_.bookmarkChecks; }, nullptr});
  }
  ~ShellRecorder() { quillory::InstallShellCalls(previous_); }
  ShellRecorder(const ShellRecorder&) = delete;
  ShellRecorder& operator=(const ShellRecorder&) = delete;

  const ShellCounts& counts() const { return counts_; }
  const std::vector<platform::MessageBoxRequest>& boxes() { return backend_->shownBoxes(); }

 private:
  static inline ShellCounts counts_;
  static inline void (*onRefusal_)() = nullptr;
  quillory::ShellCalls previous_;
  platform::ScopedHeadlessBackend backend_;
};

inline void StorePattern(const std::string& pattern) {
  quillory::App().searchPattern.fill(0);
  std::memcpy(quillory::App().searchPattern.data(), pattern.data(), pattern.size());
}

// The highlight and the top position of a view.
struct Shown {
  std::uint16_t highlightStart, highlightEnd, top;
  bool operator==(const Shown&) const = default;
};

inline Shown ShownBy(const quillory::TextView& view) {
  return Shown{view.highlightStart, view.highlightEnd, view.topPosition};
}

inline std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << "[" << s.highlightStart << ", " << s.highlightEnd << ") at top " << s.top;
}

}  // namespace quillory_test
