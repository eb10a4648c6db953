// A collection root: modification state, file names, paths between trees, the Recycle Bin purge, and
// saving and loading files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "TreeSnapshot.h"
#include "model/AtomicFile.h"
#include "model/ClipFile.h"
#include "model/Errors.h"
#include "model/RecycledClip.h"

namespace velmora::model {
namespace {

using namespace std::chrono_literals;
using testing::AddClip;
using testing::AddFolder;
using testing::Snapshot;

TEST(ClipFile, AutoSaveIsDueStrictlyAfterFiveMinutesFromTheFirstChange) {
  TManualClock clock;
  TScopedClock installed(clock);
  TClipFile root;
  EXPECT_FALSE(root.NeedsAutoSave());
  root.MarkModified();
  const TDateTime first = root.FirstUnsavedChange();
  clock.Advance(4min);
  root.MarkModified();  // a further change does not move the first one
  EXPECT_EQ(root.FirstUnsavedChange(), first);
  EXPECT_GT(root.LastChanged(), first);
  clock.Advance(1min);
  EXPECT_FALSE(root.NeedsAutoSave());  // exactly five minutes
  clock.Advance(1ns);
  EXPECT_TRUE(root.NeedsAutoSave());
}

TEST(ClipFile, AWallClockChangeNeitherDelaysNorHastensTheAutoSave) {
  TManualClock clock;
  TScopedClock installed(clock);
  TClipFile root;
  root.MarkModified();
  clock.SetWallClock(clock.Now() + 1.0);  // a day forward
  EXPECT_FALSE(root.NeedsAutoSave());
  clock.SetWallClock(clock.Now() - 2.0);  // and back past the change
  clock.Advance(5min + 1ms);
  EXPECT_TRUE(root.NeedsAutoSave());
}

TEST(ClipFile, FileNameGivesTheNameWithoutExtension) {
  struct TCase {
    const char* Path;
    const char* Name;
  } cases[] = {
      {"/home/u/Work.vmc", "Work"}, {"/home/u/my.notes.vmc", "my.notes"},
      {"/home/u.d/Plain", "Plain"}, {"Relative.vmc", "Relative"},
      {"/home/u/.vmc", ""},         {"/a/b/", ""},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Path);
    TClipFile root;
    root.SetFileName(test.Path);
    EXPECT_EQ(root.FileName(), test.Path);
    EXPECT_EQ(root.Name(), test.Name);
  }
}

TEST(ClipFile, EnsurePathCreatesTheMissingFoldersAndFindPathOnlyLooks) {
  TClipFile source;
  TClipFolder* inner = AddFolder(*AddFolder(source, "Work"), "Mail");
  TClipFile bin;
  bin.SetName("bin");
  AddFolder(bin, "zzz");
  EXPECT_EQ(bin.FindPath(source, *inner), &bin);
  TClipFolder* made = bin.EnsurePath(source, *inner);
  EXPECT_EQ(Snapshot(bin), "bin{Work{Mail{}},zzz{}}");  // unsorted: created as the first child
  EXPECT_EQ(bin.EnsurePath(source, *inner), made);
  EXPECT_EQ(bin.FindPath(source, *inner), made);
  EXPECT_EQ(bin.FindPath(source, *inner->Parent()), made->Parent());

  TClipFile sorted;
  sorted.SetName("s");
  AddFolder(sorted, "a");
  AddFolder(sorted, "z");
  sorted.SetSorted(true);
  sorted.EnsurePath(source, *inner);
  EXPECT_EQ(Snapshot(sorted), "s{a{},Work{Mail{}},z{}}");
}

TEST(ClipFile, PurgeKeepsRecentRecycledClipsAndDropsEmptiedFolders) {
  TClipFile bin;
  bin.SetName("bin");
  auto recycled = [](TClipFolder& folder, const char* label, int32_t day) {
    auto* clip = folder.Add<TRecycledClip>(folder.LastChild());
    clip->SetLabel(label);
    clip->SetDeletedOn(day);
  };
  recycled(bin, "old", 99);
  recycled(bin, "edge", 100);
  AddClip(bin, "plain");  // not a recycled clip: always purged
  TClipFolder* f = AddFolder(bin, "f");
  recycled(*f, "older", 10);
  recycled(*AddFolder(*f, "g"), "new", 200);
  AddFolder(*AddFolder(bin, "empty"), "nested");
  PurgeRecycleBin(bin, 100);
  EXPECT_EQ(Snapshot(bin), "bin{edge@100,f{g{new@200}}}");
  EXPECT_EQ(testing::CheckLinks(bin), "");
}

TEST(ClipFile, RecycleFromStampsToday) {
  TManualClock clock(45000.75);
  TScopedClock installed(clock);
  TClip source(kPlainText, "gone");
  source.SetLabel("l");
  TRecycledClip recycled;
  recycled.RecycleFrom(source);
  EXPECT_EQ(recycled.DeletedOn(), 45000);
  EXPECT_EQ(recycled.Label(), "l");
  EXPECT_EQ(recycled.Text(), "gone");
}

class ClipFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    FFolder = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(FFolder); }

  std::string PathOf(const std::string& name) const { return (FFolder / name).string(); }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FFolder))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path FFolder;
};

TEST_F(ClipFileOnDisk, SaveAndLoadFollowTheNameAndModifiedRules) {
  TClipFile root;
  root.SetName("Stored name");
  AddClip(root, "a");
  root.MarkModified();
  const std::string path = PathOf("Work.vmc");
  root.SaveToFile(path);
  EXPECT_FALSE(root.Modified());
  EXPECT_EQ(root.FileName(), path);
  EXPECT_EQ(root.Name(), "Work");  // renamed only after the write: the file keeps the old name

  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);  // captured text stays private

  const timespec times[2] = {{1700000000, 0}, {1700000000, 500000000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  TClipFile loaded;
  loaded.MarkModified();
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.Name(), "Stored name");
  EXPECT_EQ(loaded.FileName(), path);
  EXPECT_FALSE(loaded.Modified());
  EXPECT_DOUBLE_EQ(loaded.LastChanged(), LocalDateTimeFromUnix(1700000000, 500000000));
  EXPECT_EQ(Snapshot(loaded), "Stored name{a}");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Work.vmc"});  // no temporary file left
}

TEST_F(ClipFileOnDisk, ReplacingAFileKeepsItsPermissionsAndFollowsALink) {
  const std::string path = PathOf("Shared.vmc");
  TClipFile root;
  root.SaveToFile(path);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  std::filesystem::create_symlink(path, PathOf("link.vmc"));
  AddClip(root, "more");
  root.SaveToFile(PathOf("link.vmc"));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.vmc")));
  TClipFile loaded;
  loaded.LoadFromFile(path);
  EXPECT_EQ(loaded.ClipCount(), 1u);
}

TEST_F(ClipFileOnDisk, AFailedSaveLeavesTheOldFileAndTheRootAsTheyWere) {
  const std::string path = PathOf("Keep.vmc");
  TClipFile root;
  root.SetName("Keep");
  AddClip(root, "original");
  root.SaveToFile(path);
  const std::string before = Read(path);

  TClipFile other;
  other.SetFileName("/elsewhere/Other.vmc");
  AddClip(other, std::string(200000, 'x'));
  other.MarkModified();
  // Let writes fail past a small size, as on a full disk.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string message;
  try {
    other.SaveToFile(path);
  } catch (const EVelmoraError& error) {
    message = error.what();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_EQ(message, "Stream write error");
  EXPECT_EQ(Read(path), before);
  EXPECT_EQ(other.FileName(), "/elsewhere/Other.vmc");
  EXPECT_TRUE(other.Modified());
  EXPECT_EQ(Entries(), std::vector<std::string>{"Keep.vmc"});
}

TEST_F(ClipFileOnDisk, FileErrorsNameTheFileAndTheReason) {
  TClipFile root;
  const std::string missing = PathOf("missing.vmc");
  try {
    root.LoadFromFile(missing);
    FAIL() << "loaded a missing file";
  } catch (const EVelmoraError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file \"" + missing + "\". No such file or directory.");
  }
  const std::string noFolder = PathOf("no/such/folder.vmc");
  root.SetFileName("/kept.vmc");
  try {
    root.SaveToFile(noFolder);
    FAIL() << "saved into a missing folder";
  } catch (const EVelmoraError& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot create file \"" + noFolder + "\". No such file or directory.");
  }
  EXPECT_EQ(root.FileName(), "/kept.vmc");
  try {
    root.LoadFromFile(FFolder.string());
    FAIL() << "loaded a folder";
  } catch (const EVelmoraError& error) {
    EXPECT_NE(std::string(error.what()).find("Cannot open file"), std::string::npos);
  }
}

TEST_F(ClipFileOnDisk, AnInterruptedWriteRemovesItsTemporaryFile) {
  const std::string path = PathOf("Target.vmc");
  WriteFileAtomically(path, [](TStreamWriter& writer) { writer.WriteString("old"); });
  EXPECT_THROW(WriteFileAtomically(path,
                                   [](TStreamWriter& writer) {
                                     writer.WriteString(std::string(3 << 20, 'n'));  // past the write buffer
                                     throw EVelmoraError("interrupted");
                                   }),
               EVelmoraError);
  EXPECT_EQ(Read(path), std::string("\x03\0\0\0old", 7));
  EXPECT_EQ(Entries(), std::vector<std::string>{"Target.vmc"});
}

}  // namespace
}  // namespace velmora::model
