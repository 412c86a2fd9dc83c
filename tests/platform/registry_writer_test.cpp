#include "platform/registry/registry_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/scoped_environment.h"
#include "tests/support/stored_values.h"

namespace platform {
namespace {

using quillory::testing::ScopedVariable;
using quillory::testing::ScratchFolder;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

constexpr char kProductSubKey[] = "Software\\Orvenda\\Quillory - 32";
constexpr char kProductPath[] = "HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32";

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

// A registry file in a scratch folder, named by $QUILLORY_REGISTRY.
class RegistryWriterTest : public ::testing::Test {
 protected:
  void Use(const std::string& text) { folder_.Write("registry.reg", text); }
  RegistryFile Reread() const { return RegistryFile::Parse(Contents(file_)); }
  const RegistryValue* Stored(const RegistryFile& file, std::string_view key, std::string_view name) const {
    const RegistryKeyRecord* record = file.FindKey(key);
    return record ? FindValue(*record, name) : nullptr;
  }
  bool SetProductNumber(std::string_view name, std::uint32_t value) {
    const std::optional<RegistryKey> key = CreateRegistryKey(kProductSubKey);
    return key && SetRegistryNumber(*key, name, value);
  }

  ScratchFolder folder_;
  fs::path file_ = folder_.path() / "registry.reg";
  ScopedVariable variable_{"QUILLORY_REGISTRY", file_.string()};
};

TEST_F(RegistryWriterTest, CreatesTheKeyTheFolderAndTheFile) {
  const fs::path nested = folder_.path() / "config" / "orvenda" / "registry.reg";
  const ScopedVariable registry("QUILLORY_REGISTRY", nested.string());
  const std::optional<RegistryKey> key = CreateRegistryKey(kProductSubKey);
  ASSERT_TRUE(key);
  EXPECT_EQ(key->access(), RegistryAccess::kFull);
  const RegistryFile file = RegistryFile::Parse(Contents(nested));
  ASSERT_NE(file.FindKey(kProductPath), nullptr);
  EXPECT_TRUE(file.FindKey(kProductPath)->values.empty());
  EXPECT_TRUE(OpenRegistryKey(kProductSubKey));
}

TEST_F(RegistryWriterTest, StoresNumbersTextAndBytes) {
  const std::optional<RegistryKey> key = CreateRegistryKey(kProductSubKey);
  ASSERT_TRUE(key);
  EXPECT_TRUE(SetRegistryNumber(*key, "Flags", 0xD1140040));
  EXPECT_TRUE(SetRegistryText(*key, "FontName", std::u16string_view(u"\u05D3\"\\x\0ignored", 13)));
  EXPECT_TRUE(SetRegistryValue(*key, "Bookmarks", kRegBytes, Bytes{0x11, 0, 3, 0, 0, 0}));
  EXPECT_TRUE(Reread().skippedLines().empty());
  quillory::testing::ExpectStoredSettings({
      {"Flags", kRegNumber, {0x40, 0x00, 0x14, 0xD1}},
      {"FontName", kRegText, {0xD3, 0x05, '"', 0, '\\', 0, 'x', 0, 0, 0}},  // up to the first zero, terminated
      {"Bookmarks", kRegBytes, {0x11, 0, 3, 0, 0, 0}},
  });
}

TEST_F(RegistryWriterTest, StoringAValueAsItWasLeavesTheFileUntouched) {
  ASSERT_TRUE(SetProductNumber("Lesson", 12));
  const auto inode = [&] {
    struct stat status{};
    stat(file_.c_str(), &status);
    return status.st_ino;
  };
  const ino_t before = inode();
  EXPECT_TRUE(SetProductNumber("Lesson", 12));
  EXPECT_EQ(inode(), before);
  EXPECT_TRUE(SetProductNumber("Lesson", 13));
  EXPECT_NE(inode(), before);
}

TEST_F(RegistryWriterTest, KeepsKeysValuesAndCommentsItDoesNotKnow) {
  Use("Windows Registry Editor Version 5.00\r\n"
      "; kept by hand\r\n"
      "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
      "\"Theirs\"=hex(7):41,00,00,00,00,00\r\n"
      "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\r\n"
      "\"Bookmarks\"=hex:11,00,00,00\r\n"
      "\"Flags\"=dword:00000001\r\n");
  ASSERT_TRUE(SetProductNumber("Flags", 2));
  const RegistryFile file = Reread();
  EXPECT_EQ(Stored(file, kProductPath, "Flags")->data, (Bytes{2, 0, 0, 0}));
  EXPECT_EQ(Stored(file, kProductPath, "Bookmarks")->data, (Bytes{0x11, 0, 0, 0}));
  const RegistryValue* theirs = Stored(file, "HKEY_CURRENT_USER\\Software\\Other", "Theirs");
  ASSERT_NE(theirs, nullptr);
  EXPECT_EQ(theirs->type, kRegMultiText);
  EXPECT_EQ(file.leadingComments(), std::vector<std::string>{" kept by hand"});
  EXPECT_EQ(file.keys()[0].path, "HKEY_CURRENT_USER\\Software\\Other") << "keys keep their order";
}

TEST_F(RegistryWriterTest, WritesIntoAKeySpelledInAnotherCase) {
  Use("[HKEY_CURRENT_USER\\SOFTWARE\\orvenda\\QUILLORY - 32]\n\"flags\"=dword:00000001\n");
  ASSERT_TRUE(SetProductNumber("Flags", 7));
  ASSERT_TRUE(SetProductNumber("Lesson", 12));
  const RegistryFile file = Reread();
  ASSERT_EQ(file.keys().size(), 1u);
  const RegistryKeyRecord& key = file.keys()[0];
  EXPECT_EQ(key.path, "HKEY_CURRENT_USER\\SOFTWARE\\orvenda\\QUILLORY - 32");
  ASSERT_EQ(key.values.size(), 2u);
  EXPECT_EQ(key.values[0].name, "flags") << "a value keeps the way its name is written";
  EXPECT_EQ(key.values[0].data, (Bytes{7, 0, 0, 0}));
  EXPECT_EQ(key.values[1].name, "Lesson");
}

// The values that could be read survive, the damaged lines stay as
// comments, and the file reads clean afterwards.
TEST_F(RegistryWriterTest, RepairsADamagedFileAndKeepsWhatWasReadable) {
  Use("[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n"
      "\"FontName\"=\"David\n"
      "\"FontSize\"=dword:00000010\n"
      "garbage here\n"
      "\"Lesson\"=dword:0000000c\n");
  ASSERT_EQ(RegistryFile::Parse(Contents(file_)).skippedLines().size(), 2u);
  ASSERT_TRUE(SetProductNumber("Flags", 1));
  const RegistryFile file = Reread();
  EXPECT_TRUE(file.skippedLines().empty());
  EXPECT_EQ(Stored(file, kProductPath, "FontSize")->data, (Bytes{0x10, 0, 0, 0}));
  EXPECT_EQ(Stored(file, kProductPath, "Lesson")->data, (Bytes{0x0c, 0, 0, 0}));
  const std::string text = Contents(file_);
  EXPECT_NE(text.find("\"FontName\"=\"David"), std::string::npos) << text;
  EXPECT_NE(text.find("garbage here"), std::string::npos) << text;
  ASSERT_TRUE(SetProductNumber("Flags", 2));
  const std::vector<std::string> comments = Reread().FindKey(kProductPath)->comments;
  const std::string mark(kUnreadableMark);
  EXPECT_EQ(comments, (std::vector<std::string>{mark + " \"FontName\"=\"David", mark + " garbage here"}))
      << "a second write keeps them once, as they were";
}

TEST_F(RegistryWriterTest, KeepsTheModeAndFollowsALink) {
  Use("[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n");
  ASSERT_EQ(::chmod(file_.c_str(), 0640), 0);
  ASSERT_TRUE(SetProductNumber("Flags", 1));
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms(0640));

  const fs::path link = folder_.path() / "link.reg";
  fs::create_symlink(file_, link);
  const ScopedVariable registry("QUILLORY_REGISTRY", link.string());
  ASSERT_TRUE(SetProductNumber("Flags", 2));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Stored(Reread(), kProductPath, "Flags")->data, (Bytes{2, 0, 0, 0}));
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms(0640));
}

// Writes beyond RLIMIT_FSIZE fail even for root, so the new file cannot be
// written: the old one must stay as it was, with no temporary file beside it.
TEST_F(RegistryWriterTest, AFailedWriteLeavesTheOldFile) {
  const std::string old = "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n\"Flags\"=dword:00000001\n";
  Use(old);
  const std::optional<RegistryKey> key = CreateRegistryKey(kProductSubKey);
  ASSERT_TRUE(key);
  const std::string big(4096, 'x');
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool stored = SetRegistryText(*key, "Big", std::u16string(big.begin(), big.end()));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(stored);
  EXPECT_EQ(Contents(file_), old);
  EXPECT_EQ(FolderEntries(folder_.path()), std::vector<std::string>{"registry.reg"});
}

// What cannot be read whole is never written over: its unread part would be lost.
TEST_F(RegistryWriterTest, LeavesAFileItCannotReadWholeAlone) {
  const fs::path folderInstead = folder_.path() / "registry.reg";
  fs::create_directory(folderInstead);
  EXPECT_FALSE(CreateRegistryKey(kProductSubKey));
  EXPECT_TRUE(fs::is_directory(folderInstead));
  fs::remove(folderInstead);

  std::string huge = "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n";
  huge.resize(kMaxRegistryFileBytes + 1, ';');
  Use(huge);
  EXPECT_FALSE(CreateRegistryKey(kProductSubKey));
  EXPECT_FALSE(SetRegistryNumber(RegistryKey({kProductPath, {}, {}}, RegistryAccess::kFull), "Flags", 1));
  EXPECT_EQ(fs::file_size(file_), huge.size());
}

TEST_F(RegistryWriterTest, RefusesWhatItMayNotOrCannotStore) {
  Use("[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n");
  const std::optional<RegistryKey> readOnly = OpenRegistryKey(kProductSubKey);
  ASSERT_TRUE(readOnly);
  EXPECT_FALSE(SetRegistryNumber(*readOnly, "Flags", 1));
  const std::optional<RegistryKey> key = CreateRegistryKey(kProductSubKey);
  ASSERT_TRUE(key);
  EXPECT_FALSE(SetRegistryNumber(*key, "Two\nLines", 1));
  EXPECT_FALSE(CreateRegistryKey("Software\\Two\nLines"));
  EXPECT_TRUE(Reread().FindKey(kProductPath)->values.empty());
  EXPECT_EQ(Reread().keys().size(), 1u);
}

// A batch reaches the disk in one replacement when it closes, so a process
// killed in the middle leaves the old file; reads inside see its changes.
TEST_F(RegistryWriterTest, ABatchWritesEveryChangeAtOnceWhenItCloses) {
  const std::string old = "; kept\n[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n\"Flags\"=dword:00000001\n";
  Use(old);
  {
    RegistryWriteBatch batch;
    ASSERT_TRUE(SetProductNumber("Flags", 2));
    {
      RegistryWriteBatch inner;
      ASSERT_TRUE(SetProductNumber("Lesson", 7));
    }
    EXPECT_EQ(Contents(file_), old) << "nothing is written before the outer batch closes";
    const std::optional<RegistryKey> key = OpenRegistryKey(kProductSubKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(Bytes(QueryRegistryValue(*key, "Lesson")->data.begin(), QueryRegistryValue(*key, "Lesson")->data.end()),
              (Bytes{7, 0, 0, 0}));
  }
  const RegistryFile file = Reread();
  EXPECT_EQ(Stored(file, kProductPath, "Flags")->data, (Bytes{2, 0, 0, 0}));
  EXPECT_EQ(Stored(file, kProductPath, "Lesson")->data, (Bytes{7, 0, 0, 0}));
  EXPECT_NE(Contents(file_).find("; kept"), std::string::npos);
  EXPECT_EQ(FolderEntries(folder_.path()), std::vector<std::string>{"registry.reg"});
  EXPECT_EQ(PendingRegistryFile(), nullptr);
}

TEST_F(RegistryWriterTest, ABatchLeavesAFileItCannotReadWholeAlone) {
  std::string huge = "[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n";
  huge.resize(kMaxRegistryFileBytes + 1, ';');
  Use(huge);
  {
    RegistryWriteBatch batch;
    EXPECT_FALSE(CreateRegistryKey(kProductSubKey));
    EXPECT_FALSE(SetRegistryNumber(RegistryKey({kProductPath, {}, {}}, RegistryAccess::kFull), "Flags", 1));
  }
  EXPECT_EQ(Contents(file_), huge);
}

// A writer killed between making its temporary file and the rename leaves
// it behind; the next write removes it, but not a live writer's file or a
// file of another name.
TEST_F(RegistryWriterTest, AWriteRemovesTheTemporaryFilesOfKilledWriters) {
  Use("[HKEY_CURRENT_USER\\Software\\Orvenda\\Quillory - 32]\n");
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string abandoned = ".registry.reg." + std::to_string(gone) + ".0.tmp";
  const std::string running = ".registry.reg." + std::to_string(::getppid()) + ".3.tmp";
  for (const std::string& name : {abandoned, running, std::string(".registry.reg.notes.tmp"), std::string(".other.reg.1.0.tmp")}) {
    folder_.Write(name, "partial");
  }
  ASSERT_TRUE(SetProductNumber("Flags", 1));
  std::vector<std::string> entries = FolderEntries(folder_.path());
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{".other.reg.1.0.tmp", running, ".registry.reg.notes.tmp", "registry.reg"}));
}

TEST_F(RegistryWriterTest, NoRegistryLocationMeansNoWrite) {
  const ScopedVariable registry("QUILLORY_REGISTRY", std::nullopt);
  const ScopedVariable config("XDG_CONFIG_HOME", std::nullopt);
  const ScopedVariable home("HOME", std::nullopt);
  EXPECT_FALSE(CreateRegistryKey(kProductSubKey));
}

}  // namespace
}  // namespace platform
