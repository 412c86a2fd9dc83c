// quillory-pack: compiles a volume's authoring sources into the reader's
// compressed text resources, and reads them back for people checking a volume.

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "quillory_version.h"
#include "store/uncompress.h"
#include "tools/pack/dump.h"
#include "tools/pack/emit.h"
#include "tools/pack/volume.h"

namespace {

using namespace quillory;
using namespace quillory::pack;

constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: quillory-pack [--volume DIR] [--greedy] COMMAND\n"
    "Compiles a volume (DIR/articles/01.txt..44.txt and DIR/index.txt; DIR is\n"
    "'volume' unless given) into the reader's text resources.\n"
    "\n"
    "Commands:\n"
    "  --emit FILE   write the resources as a C++ source for the reader\n"
    "  --check       validate the whole volume; exit 1 with the reasons on failure\n"
    "  --dump N      decode article N (1-44, or 31767 for the index) and print it\n"
    "                as readable text with its record structure\n"
    "  --stats       one line per resource: identifier, stored bytes, decoded\n"
    "                bytes, ratio; then the totals\n"
    "  --help        this text\n"
    "  --version     the program's version\n"
    "\n"
    "Options:\n"
    "  --volume DIR  the authoring folder\n"
    "  --greedy      compress with the greedy parser instead of the optimal one\n";

struct Command {
  std::string name;
  std::string argument;
  std::string folder = "volume";
  Parser parser = Parser::kOptimal;
};

std::optional<Command> ParseCommandLine(int argc, char** argv) {
  Command command;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool takesValue = arg == "--volume" || arg == "--emit" || arg == "--dump";
    if (takesValue && i + 1 >= argc) {
      std::cerr << "quillory-pack: " << arg << " needs a value\n";
      return std::nullopt;
    }
    if (arg == "--volume") {
      command.folder = argv[++i];
    } else if (arg == "--greedy") {
      command.parser = Parser::kGreedy;
    } else if (arg == "--emit" || arg == "--dump" || arg == "--check" || arg == "--stats" || arg == "--help" ||
               arg == "--version") {
      if (!command.name.empty()) {
        std::cerr << "quillory-pack: one command at a time\n";
        return std::nullopt;
      }
      command.name = arg;
      if (takesValue) command.argument = argv[++i];
    } else {
      std::cerr << "quillory-pack: unknown option '" << arg << "'\n";
      return std::nullopt;
    }
  }
  if (command.name.empty()) {
    std::cerr << "quillory-pack: no command given\n";
    return std::nullopt;
  }
  return command;
}

std::optional<std::vector<CompiledResource>> Compile(const Command& command) {
  std::vector<Diagnostic> diagnostics;
  auto resources = CompileVolume(command.folder, command.parser, diagnostics);
  for (const Diagnostic& d : diagnostics) std::cerr << d.ToString() << '\n';
  return resources;
}

// Decodes the resource through the reader's own decoder, so a dump shows
// exactly what the reader will get.
int Dump(const std::vector<CompiledResource>& resources, std::string_view argument) {
  char* end = nullptr;
  const long number = std::strtol(std::string(argument).c_str(), &end, 10);
  const bool isIndex = number == 31767;
  if (end == nullptr || *end != '\0' || !((number >= 1 && number <= kVolumeArticles) || isIndex)) {
    std::cerr << "quillory-pack: --dump takes 1 to 44, or 31767 for the index\n";
    return kExitUsage;
  }
  const auto id = static_cast<std::uint16_t>((1000 + number) % 65536);
  for (const CompiledResource& r : resources) {
    if (r.id != id) continue;
    const auto& bytes = r.stored.bytes;
    LoadStatus status{};
    const TextBuffer text = UnCompressBlock(bytes.data() + 6, static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]), &status);
    if (!text) {
      std::cerr << "quillory-pack: resource " << id << " does not decode (status " << static_cast<int>(status) << ")\n";
      return 1;
    }
    const std::span<const std::uint8_t> decoded(text.data(), text.length());
    std::cout << "# resource " << id << " from " << r.source << ": " << r.stored.bytes.size() << " bytes stored, "
              << text.length() << " decoded\n";
    return (isIndex ? DumpIndex(decoded, std::cout) : DumpArticle(decoded, std::cout)) ? 0 : 1;
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const auto command = ParseCommandLine(argc, argv);
  if (!command) {
    std::cerr << "Try 'quillory-pack --help'.\n";
    return kExitUsage;
  }
  if (command->name == "--help") {
    std::cout << kUsage;
    return 0;
  }
  if (command->name == "--version") {
    std::cout << "quillory-pack " << kProductVersion << "\n";
    return 0;
  }
  const auto resources = Compile(*command);
  if (!resources) {
    std::cerr << "quillory-pack: the volume in '" << command->folder << "' was refused\n";
    return 1;
  }
  if (command->name == "--check") {
    std::cout << "volume '" << command->folder << "': " << resources->size() << " resources, all well formed\n";
    return 0;
  }
  if (command->name == "--stats") {
    PrintStats(*resources, std::cout);
    return 0;
  }
  if (command->name == "--dump") return Dump(*resources, command->argument);
  if (!WriteIfChanged(command->argument, VolumeSource(*resources))) {
    std::cerr << "quillory-pack: cannot write '" << command->argument << "'\n";
    return 1;
  }
  return 0;
}
