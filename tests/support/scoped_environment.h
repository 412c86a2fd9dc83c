#pragma once
// Test helpers for code that reads the environment and files: a variable set
// (or unset) for one scope, and a scratch folder removed with its contents.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include <unistd.h>

namespace quillory::testing {

class ScopedVariable {
 public:
  // Sets `name` to `value`, or unsets it when `value` is nothing.
  ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (previous_) {
      setenv(name_, previous_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillory-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `bytes` to `name` inside the folder and returns its path.
  std::filesystem::path Write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }

 private:
  std::filesystem::path path_;
};

// A registry file for one scope, found through $QUILLORY_REGISTRY.
class ScopedRegistry {
 public:
  explicit ScopedRegistry(std::string_view text)
      : file_(folder_.Write("registry.reg", text)), variable_("QUILLORY_REGISTRY", file_.string()) {}
  void Rewrite(std::string_view text) const { folder_.Write("registry.reg", text); }

 private:
  ScratchFolder folder_;
  std::filesystem::path file_;
  ScopedVariable variable_;
};

// A scratch folder that is a whole reader's world for one test: its
// settings file (registry.reg, through $QUILLORY_REGISTRY, written when the
// test stores settings) and its private runtime folder (run, through
// $XDG_RUNTIME_DIR, where the single-instance socket goes).
class ReaderSandbox : public ScratchFolder {
 public:
  ReaderSandbox()
      : registry_("QUILLORY_REGISTRY", (path() / "registry.reg").string()),
        runtime_("XDG_RUNTIME_DIR", (path() / "run").string()) {
    std::filesystem::create_directory(path() / "run");
    std::filesystem::permissions(path() / "run", std::filesystem::perms::owner_all);
  }

 private:
  ScopedVariable registry_;
  ScopedVariable runtime_;
};

}  // namespace quillory::testing
