// The file side of preference files: replacement keeps permissions and links,
// never touches what is not a regular file, and two threads never lose each
// other's writes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include "settings/pref_file.h"
#include "temp_folder.h"

namespace lumiglow {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

void WriteOneKey(const std::string& file, const char* key, const char* value) {
  OpenPrefFile(file);
  WritePrefText(key, value);
  ClosePrefFile();
}

int FilesIn(const fs::path& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(PrefStorageTest, RewriteReplacesTheFileAndKeepsItsPermissions) {
  TempFolder folder;
  WriteFile("s.dat", "a=1\r\n");
  chmod("s.dat", 0640);
  struct stat before{};
  stat("s.dat", &before);
  WriteOneKey("s.dat", "a", "2");
  struct stat after{};
  stat("s.dat", &after);
  EXPECT_EQ(ReadFile("s.dat"), "a = 2\r\n");
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the name: no half-written state
  EXPECT_EQ(FilesIn(folder.Path()), 1);    // and no temporary file is left
}

TEST(PrefStorageTest, SaveRemovesOnlyOldTemporaryFilesOfThatFile) {
  TempFolder folder;
  const char* const kOld = ".s.dat.lumiglow-abc123.tmp";
  const char* const kYoung = ".s.dat.lumiglow-def456.tmp";
  const char* const kOther[] = {".t.dat.lumiglow-abc123.tmp", ".s.dat.lumiglow-abc1234.tmp",
                                "s.dat.lumiglow-abc123.tmp", ".s.dat.backup~"};
  for (const char* name : {kOld, kYoung}) WriteFile(name, "x");
  for (const char* name : kOther) WriteFile(name, "x");
  const auto long_ago = fs::file_time_type::clock::now() - std::chrono::minutes(5);
  fs::last_write_time(kOld, long_ago);
  for (const char* name : kOther) fs::last_write_time(name, long_ago);
  WriteOneKey("s.dat", "a", "1");
  EXPECT_FALSE(fs::exists(kOld));
  EXPECT_TRUE(fs::exists(kYoung));
  for (const char* name : kOther) EXPECT_TRUE(fs::exists(name)) << name;
}

TEST(PrefStorageTest, NewFileGetsTheUsualPermissions) {
  TempFolder folder;
  const mode_t old_mask = umask(022);
  WriteOneKey("new.dat", "a", "1");
  umask(old_mask);
  struct stat st{};
  ASSERT_EQ(stat("new.dat", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(PrefStorageTest, SymbolicLinkIsFollowed) {
  TempFolder folder;
  fs::create_directory("real");
  WriteFile("real/target.dat", "a=1\r\n");
  fs::create_symlink("real/target.dat", "s.dat");
  WriteOneKey("s.dat", "a", "2");
  EXPECT_TRUE(fs::is_symlink("s.dat"));
  EXPECT_EQ(ReadFile("real/target.dat"), "a = 2\r\n");
}

TEST(PrefStorageTest, PipesAndFoldersAreNeverOpenedNorReplaced) {
  TempFolder folder;
  ASSERT_EQ(mkfifo("pipe.dat", 0644), 0);
  fs::create_directory("folder.dat");
  fs::create_symlink("pipe.dat", "link.dat");
  for (const char* name : {"pipe.dat", "folder.dat", "link.dat"}) {
    EXPECT_FALSE(OpenPrefFile(name)) << name;  // returns at once: a pipe would block a reader
    EXPECT_EQ(ReadPrefText("a", "d"), "d");
    WritePrefText("a", "1");
    ClosePrefFile();
  }
  EXPECT_TRUE(fs::is_fifo("pipe.dat"));
  EXPECT_TRUE(fs::is_directory("folder.dat"));
  EXPECT_TRUE(fs::is_symlink("link.dat"));
  EXPECT_EQ(FilesIn(folder.Path()), 3);
}

TEST(PrefStorageTest, MissingFolderGivesDefaultsAndCreatesNothing) {
  TempFolder folder;
  EXPECT_FALSE(OpenPrefFile("no/such/folder/s.dat"));
  EXPECT_EQ(ReadPrefDecimal("a", 7), 7);
  WritePrefDecimal("a", 1);
  ClosePrefFile();
  EXPECT_FALSE(fs::exists("no"));
}

// Makes the folder take no new file, even for root: the immutable attribute.
bool SetImmutable(const char* folder, bool on) {
  const int fd = open(folder, O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
  ok = ok && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return ok;
}

TEST(PrefStorageTest, FolderThatTakesNoNewFileIsRewrittenInPlace) {
  TempFolder folder;
  fs::create_directory("locked");
  WriteFile("locked/s.dat", "a=1\r\n");
  const bool immutable = SetImmutable("locked", true);
  if (!immutable && geteuid() == 0) GTEST_SKIP() << "this file system keeps no immutable flag";
  if (!immutable) chmod("locked", 0555);
  WriteOneKey("locked/s.dat", "a", "2");
  if (immutable) SetImmutable("locked", false);
  chmod("locked", 0755);
  EXPECT_EQ(ReadFile("locked/s.dat"), "a = 2\r\n");
  EXPECT_EQ(FilesIn("locked"), 1);
}

// The user-interface thread saving while the worker loads and saves thresholds.
TEST(PrefFileConcurrency, EachThreadHasItsOwnCurrentFile) {
  TempFolder folder;
  std::promise<void> a_open, b_wrote;
  std::thread b([&] {
    a_open.get_future().wait();
    OpenPrefFile("b.ini");
    WritePrefText("who", "b");
    b_wrote.set_value();
    ClosePrefFile();
  });
  OpenPrefFile("a.ini");
  a_open.set_value();
  b_wrote.get_future().wait();
  EXPECT_EQ(ReadPrefText("who", "none"), "none");
  WritePrefText("who", "a");
  ClosePrefFile();
  b.join();
  EXPECT_EQ(ReadFile("a.ini"), "who = a\r\n");
  EXPECT_EQ(ReadFile("b.ini"), "who = b\r\n");
}

TEST(PrefFileConcurrency, SecondOpenerWaitsAndKeepsBothWrites) {
  TempFolder folder;
  std::promise<void> first_open;
  std::thread first([&] {
    OpenPrefFile("setting.dat");
    WritePrefText("X_form", "1");
    first_open.set_value();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ClosePrefFile();
  });
  first_open.get_future().wait();
  OpenPrefFile("setting.dat");
  const std::string seen = ReadPrefText("X_form", "none");
  WritePrefText("fr1", "2");
  ClosePrefFile();
  first.join();
  EXPECT_EQ(seen, "1");
  EXPECT_EQ(ReadFile("setting.dat"), "X_form = 1\r\nfr1 = 2\r\n");
}

}  // namespace
}  // namespace lumiglow
