// Tests of the file data object: loading each kind of text file, conversions cut by the read blocks, the
// refusals and their messages, the read-only flag, saving, and the file's age.
#include "editor/QvEditorFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "editor/QvEditor.h"
#include "editor/QvEditorDataString.h"
#include "model/Errors.h"

namespace velmora::editor {
namespace {

using namespace std::string_literals;

const std::string kReplacement = "\xEF\xBF\xBD";

// Writes the kind of each notification: "reset", "inserted", "deleted", "changed".
class TEventEditor : public TQvEditor {
 public:
  std::vector<std::string> Events;

  void DataChanged() override { Events.push_back("changed"); }
  void DataReset() override { Events.push_back("reset"); }
  void DataDeleted(int32_t, int32_t, std::string_view) override { Events.push_back("deleted"); }
  void DataInserted(int32_t, std::string_view) override { Events.push_back("inserted"); }
};

// A file data object attached to an editor, and a scratch folder removed afterwards.
class EditorFile : public ::testing::Test {
 protected:
  EditorFile() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/velmora-file-test.XXXXXX";
    if (!::mkdtemp(pattern.data()))
      ADD_FAILURE() << "cannot create a scratch folder: " << std::strerror(errno);
    FFolder = pattern;
    FEditor.SetData(&FFile);
    FEditor.Events.clear();
  }
  ~EditorFile() override {
    std::error_code ignored;
    std::filesystem::remove_all(FFolder, ignored);
  }

  std::string PathOf(const std::string& name) const { return FFolder + "/" + name; }

  std::string Write(const std::string& name, std::string_view bytes) const {
    const std::string path = PathOf(name);
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    EXPECT_GE(descriptor, 0) << std::strerror(errno);
    EXPECT_EQ(::write(descriptor, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    ::close(descriptor);
    return path;
  }

  static std::string ReadBack(const std::string& path) {
    std::string bytes;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    char buffer[65536];
    for (ssize_t got; descriptor >= 0 && (got = ::read(descriptor, buffer, sizeof buffer)) > 0;)
      bytes.append(buffer, static_cast<size_t>(got));
    ::close(descriptor);
    return bytes;
  }

  static int64_t StatAge(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
  }

  // Loads Path, expecting a failure with exactly Message, and checks that the data is left empty.
  void ExpectLoadFails(const std::string& path, const std::string& message) {
    FEditor.Events.clear();
    try {
      FFile.LoadFromFile(path);
      ADD_FAILURE() << "the load did not fail";
    } catch (const EVelmoraError& error) {
      EXPECT_EQ(error.what(), message);
    }
    EXPECT_EQ(FFile.Size(), 0);
    EXPECT_EQ(FFile.FileName(), "");
    EXPECT_EQ(FFile.FileAge(), -1);
    EXPECT_FALSE(FFile.Modified());
    EXPECT_EQ(FEditor.Events, std::vector<std::string>{"reset"});
  }

  std::string FFolder;
  TQvEditorFile FFile;
  TEventEditor FEditor;
};

// --- Loading ---

TEST_F(EditorFile, LoadsEachKindOfFileAsUtf8) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool DetectUnicode;
    std::string Expected;
  };
  const std::string grin = "\xF0\x9F\x98\x80";
  const std::vector<TCase> cases = {
      {"no mark: binary bytes as they are",
       "\0\x01\x80\xFF"
       "abc\r\n\xC3"s,
       true,
       "\0\x01\x80\xFF"
       "abc\r\n\xC3"s},
      {"no detection: a mark stays", "\xFF\xFEx\0"s, false, "\xFF\xFEx\0"s},
      {"empty file", "", true, ""},
      {"one byte like a mark's first", "\xFE", true, "\xFE"},
      {"half a UTF-8 mark", "\xEF\xBB", true, "\xEF\xBB"},
      {"UTF-16 LE",
       "\xFF\xFE"
       "A\0\xE9\0\xAC\x20"s,
       true, "A\xC3\xA9\xE2\x82\xAC"},
      {"UTF-16 BE", "\xFE\xFF\0A\0\xE9\x20\xAC"s, true, "A\xC3\xA9\xE2\x82\xAC"},
      {"UTF-16 LE, a surrogate pair", "\xFF\xFE\x3D\xD8\x00\xDE"s, true, grin},
      {"UTF-16 LE, an unpaired surrogate, and the rest", "\xFF\xFE\x00\xD8r\0e\0s\0t\0"s, true,
       kReplacement + "rest"},
      {"UTF-16 LE, odd length", "\xFF\xFEx\0y"s, true, "x" + kReplacement},
      {"UTF-16, only the mark", "\xFE\xFF", true, ""},
      {"UTF-8 mark, a malformed byte, and the rest",
       "\xEF\xBB\xBF"
       "caf\xC3\xA9 \xFF rest",
       true, "caf\xC3\xA9 " + kReplacement + " rest"},
      {"UTF-8, only the mark", "\xEF\xBB\xBF", true, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string path = Write("case.txt", c.Bytes);
    FFile.SetModified(true);
    FEditor.Events.clear();
    FFile.LoadFromFile(path, c.DetectUnicode);
    EXPECT_EQ(FFile.ContiguousView(), c.Expected);
    EXPECT_EQ(FFile.FileName(), path);
    EXPECT_EQ(FFile.FileAge(), StatAge(path));
    EXPECT_FALSE(FFile.Modified());
    EXPECT_FALSE(FFile.ReadOnly());
    EXPECT_EQ(FEditor.Events, std::vector<std::string>{"reset"});
  }
}

// The file is read 64 KiB at a time: what the first block ends inside must come out whole.
TEST_F(EditorFile, ConvertsPairsAndSequencesCutByTheReadBlocks) {
  const std::string grin = "\xF0\x9F\x98\x80";
  {
    SCOPED_TRACE("UTF-16 LE: a pair across the first block's end, an unpaired surrogate later");
    std::string bytes = "\xFF\xFE";
    std::string expected;
    for (int i = 0; i < 32766; ++i)
      bytes += "a\0"s, expected += "a";
    bytes += "\x3D\xD8";  // the high surrogate ends the first block
    ASSERT_EQ(bytes.size(), 65536u);
    bytes +=
        "\x00\xDE"
        "e\0n\0d\0\x00\xD8"
        "t\0a\0i\0l\0"s;
    expected += grin + "end" + kReplacement + "tail";
    FFile.LoadFromFile(Write("pair.txt", bytes));
    EXPECT_TRUE(FFile.ContiguousView() == expected);
  }
  {
    SCOPED_TRACE("UTF-8 mark: a 4-byte sequence across the first block's end, a malformed one later");
    std::string bytes = "\xEF\xBB\xBF" + std::string(65531, 'a');
    bytes += grin;  // bytes 65534..65537
    bytes += " \xE2\x82 rest";
    FFile.LoadFromFile(Write("sequence.txt", bytes));
    EXPECT_TRUE(FFile.ContiguousView() == std::string(65531, 'a') + grin + " " + kReplacement + " rest");
  }
  {
    SCOPED_TRACE("no mark: many blocks byte for byte");
    std::mt19937 random(5);
    std::string bytes(300'001, '\0');
    for (char& c : bytes)
      c = static_cast<char>(random());
    bytes[0] = 'x';  // no mark by chance
    FFile.LoadFromFile(Write("binary.bin", bytes));
    EXPECT_TRUE(FFile.ContiguousView() == bytes);
  }
}

TEST_F(EditorFile, AFileThatCannotBeReadLeavesTheDataEmptyWithAMessageNamingIt) {
  FFile.LoadFromFile(Write("earlier.txt", "earlier content"));
  const std::string missing = PathOf("missing.txt");
  ExpectLoadFails(missing, "Cannot open file \"" + missing + "\". No such file or directory.");

  FFile.LoadFromFile(Write("earlier.txt", "earlier content"));
  ExpectLoadFails(FFolder, "Cannot open file \"" + FFolder + "\". Is a directory.");

  // A FIFO is refused at once instead of waiting for a writer.
  const std::string fifo = PathOf("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ExpectLoadFails(fifo, "Cannot open file \"" + fifo + "\". It is not a regular file.");
}

TEST_F(EditorFile, AFileOf2GiBIsRefusedWithoutBeingRead) {
  const std::string path = Write("huge.bin", "");
  // Sparse: no disk space is used, and the refusal must come before any read.
  ASSERT_EQ(::truncate(path.c_str(), off_t{1} << 31), 0) << std::strerror(errno);
  ExpectLoadFails(path, "Cannot load file \"" + path + "\": an editor holds less than 2 GiB of text.");
}

TEST_F(EditorFile, ATextThatWouldPassTheLimitIsRefusedAlsoWhenItGrowsInConversion) {
  FFile.SetMaxSizeForTesting(12);
  FFile.LoadFromFile(Write("limit.txt", "twelve bytes"));
  EXPECT_EQ(FFile.Size(), 12);
  const std::string tooLong = Write("too-long.txt", "thirteen byte");
  ExpectLoadFails(tooLong, "Cannot load file \"" + tooLong + "\": an editor holds less than 2 GiB of text.");
  // Twelve bytes on disk, but the five euro signs take fifteen in UTF-8.
  const std::string grows = Write("grows.txt", "\xFF\xFE\xAC\x20\xAC\x20\xAC\x20\xAC\x20\xAC\x20"s);
  ExpectLoadFails(grows, "Cannot load file \"" + grows + "\": an editor holds less than 2 GiB of text.");
}

TEST_F(EditorFile, AFileThatCanOnlyBeOpenedForReadingLoadsReadOnly) {
  std::string path;
  if (::geteuid() != 0) {
    path = Write("locked.txt", "locked");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  } else {
    // Root may write any file the permissions forbid, but not a program that is running: this one.
    path = "/proc/self/exe";
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (descriptor >= 0) {
      ::close(descriptor);
      GTEST_SKIP() << "running as root on a system that lets a running program be opened for writing";
    }
  }
  FFile.LoadFromFile(path);
  EXPECT_TRUE(FFile.ReadOnly());
  EXPECT_GT(FFile.Size(), 0);
  FFile.LoadFromFile(Write("open.txt", "open"));
  EXPECT_FALSE(FFile.ReadOnly());
  FFile.SetReadOnly(true);
  FFile.New();
  EXPECT_FALSE(FFile.ReadOnly());
}

// --- Saving ---

TEST_F(EditorFile, SavesTheBytesAsTheyAreWithoutAMark) {
  FFile.LoadFromFile(Write("utf16.txt", "\xFF\xFE\xE9\0\n\0"s));
  FFile.Insert(0, "\xFF\0"s);
  const std::string saved = PathOf("saved.txt");
  FFile.SaveToFile(saved);
  EXPECT_EQ(ReadBack(saved), "\xFF\0\xC3\xA9\n"s);
  EXPECT_EQ(FFile.FileName(), PathOf("utf16.txt"));  // saving elsewhere is a copy
  EXPECT_TRUE(FFile.Modified());

  const std::string nowhere = PathOf("no-folder/saved.txt");
  EXPECT_THROW(FFile.SaveToFile(nowhere), EVelmoraError);
  EXPECT_FALSE(std::filesystem::exists(PathOf("no-folder")));
}

// --- The file's age ---

TEST_F(EditorFile, FileChangedTellsAnOutsideChangeUntilTheAgeIsReset) {
  const std::string path = Write("aged.txt", "text");
  FFile.LoadFromFile(path);
  EXPECT_EQ(FFile.FileAge(), StatAge(path));
  EXPECT_FALSE(FFile.FileChanged());

  const timespec times[2] = {{0, UTIME_OMIT}, {1'000'000'000, 123}};  // another modification time
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  EXPECT_TRUE(FFile.FileChanged());
  FFile.ResetFileAge();
  EXPECT_FALSE(FFile.FileChanged());
  EXPECT_EQ(FFile.FileAge(), int64_t{1'000'000'000} * 1'000'000'000 + 123);

  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  FFile.Insert(4, " and more");
  const timespec older[2] = {{0, UTIME_OMIT}, {500'000'000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), older, 0), 0);
  FFile.SaveToFile(path);  // our own save is no outside change
  EXPECT_FALSE(FFile.FileChanged());
  EXPECT_EQ(ReadBack(path), "text and more");

  std::filesystem::remove(path);
  EXPECT_FALSE(FFile.FileChanged());  // a file that is gone has no age to differ

  FEditor.Events.clear();
  FFile.New();
  EXPECT_EQ(FFile.FileName(), "");
  EXPECT_EQ(FFile.FileAge(), -1);
  EXPECT_FALSE(FFile.Modified());
  EXPECT_FALSE(FFile.FileChanged());
  EXPECT_EQ(FEditor.Events, std::vector<std::string>{"reset"});

  TQvEditorDataString noFile;
  EXPECT_FALSE(noFile.FileChanged());
}

}  // namespace
}  // namespace velmora::editor
