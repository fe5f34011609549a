// Replacing, reading and keeping aside the save file: planted links and links to a save elsewhere,
// a folder that cannot take the new file, a full and a read-only disk, a disk out of inodes, another
// user's file, a write that takes nothing, a huge file, kept originals, a write killed mid-way.
#include "platform/files/save_files.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "tests/support/scratch_dir.h"
#include "tests/support/small_disk.h"

namespace fs = std::filesystem;

// What the next write() calls in this program do instead of writing: take nothing, or kill the
// process (a write interrupted for good). The file code is linked in, so this write is the one it calls.
enum class twrites { Normal, TakeNothing, Die };
twrites writes = twrites::Normal;

extern "C" ssize_t write(int fd, const void* data, size_t size) {
  if (writes == twrites::TakeNothing) return 0;
  if (writes == twrites::Die) kill(getpid(), SIGKILL);
  return syscall(SYS_write, fd, data, size);
}

namespace {

const std::vector<uint8_t> kNewSave = {1, 0, 2, 255};

class SaveFilesTest : public TempDirTest {
 protected:
  bool Write(const std::string& name, const std::vector<uint8_t>& bytes = kNewSave) {
    error = "stale";
    return WriteFileAtomically(Text(PathOf(name)), bytes, error);
  }
  std::vector<std::string> Names(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string error;
};

const std::string kNewBytes("\x01\x00\x02\xff", 4);

TEST_F(SaveFilesTest, ReplacesWholeKeepsPermissionsAndLeavesNothingElse) {
  WriteFile("save.dat", "old save");
  ASSERT_EQ(chmod(PathOf("save.dat").c_str(), 0640), 0);
  EXPECT_TRUE(Write("save.dat"));
  EXPECT_EQ(error, "");
  EXPECT_EQ(FileBytes("save.dat"), kNewBytes);
  EXPECT_EQ(fs::status(dir / "save.dat").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(dir), std::vector<std::string>{"save.dat"});
  EXPECT_TRUE(Write("empty.dat", {}));
  EXPECT_EQ(FileBytes("empty.dat"), "");
  // An unreadable save never makes its successor unreadable: its owner can always read and write it.
  ASSERT_EQ(chmod(PathOf("save.dat").c_str(), 0), 0);
  EXPECT_TRUE(Write("save.dat"));
  EXPECT_EQ(fs::status(dir / "save.dat").permissions(), fs::perms::owner_read | fs::perms::owner_write);
  // A first save: 0644 less the umask.
  const mode_t mask = umask(0077);
  EXPECT_TRUE(Write("first.dat"));
  umask(mask);
  EXPECT_EQ(fs::status(dir / "first.dat").permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(Write("second.dat"));
  EXPECT_EQ(fs::status(dir / "second.dat").permissions(), static_cast<fs::perms>(0644 & ~mask));
}

TEST_F(SaveFilesTest, AWriteThatTakesNothingSaysSoAndAKilledOneIsClearedAtTheNextStart) {
  WriteFile("save.dat", "old save");
  writes = twrites::TakeNothing;
  const bool wrote = Write("save.dat");
  writes = twrites::Normal;
  EXPECT_FALSE(wrote);
  EXPECT_EQ(error.find("Success"), std::string::npos) << error;
  EXPECT_EQ(Names(dir), std::vector<std::string>{"save.dat"});

  // Killed between creating the new file and renaming it: the new file stays behind.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    writes = twrites::Die;
    Write("save.dat");
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_EQ(Names(dir).size(), 2u);
  // Names alike but not the game's, and a planted link, are left alone.
  for (const char* name : {"save.dat.backup", "save.dat.new-Ab12", "save.dat.bad", "other.new-Ab12Cd"}) WriteFile(name, "x");
  fs::create_symlink("save.dat", dir / "save.dat.new-Zz99Zz");
  RemoveStaleTemporaries(Text(PathOf("save.dat")));
  EXPECT_EQ(Names(dir), (std::vector<std::string>{"other.new-Ab12Cd", "save.dat", "save.dat.backup", "save.dat.bad",
                                                  "save.dat.new-Ab12", "save.dat.new-Zz99Zz"}));
  EXPECT_EQ(FileBytes("save.dat"), "old save");
}

TEST_F(SaveFilesTest, APlantedLinkOrFileIsNeverWrittenThrough) {
  WriteFile("victim", "someone else's file");
  fs::create_symlink(dir / "victim", dir / "save.dat.tmp");
  WriteFile("save.dat.tmp.old", "planted");
  EXPECT_TRUE(Write("save.dat"));
  EXPECT_EQ(FileBytes("victim"), "someone else's file");
  EXPECT_TRUE(fs::is_symlink(dir / "save.dat.tmp"));
  EXPECT_EQ(FileBytes("save.dat.tmp.old"), "planted");
  EXPECT_EQ(FileBytes("save.dat"), kNewBytes);
  EXPECT_FALSE(fs::is_symlink(dir / "save.dat"));
}

TEST_F(SaveFilesTest, ALinkedSaveReplacesTheFileItPointsToAndStays) {
  fs::create_directories(dir / "elsewhere" / "deeper");
  WriteFile("elsewhere/deeper/hero.sav", "old save");
  // A relative link to a relative link: each is read against its own folder.
  fs::create_symlink("deeper/hero.sav", dir / "elsewhere" / "current");
  fs::create_symlink("elsewhere/current", dir / "save.dat");
  EXPECT_TRUE(Write("save.dat")) << error;
  EXPECT_TRUE(fs::is_symlink(dir / "save.dat"));
  EXPECT_TRUE(fs::is_symlink(dir / "elsewhere" / "current"));
  EXPECT_EQ(FileBytes("elsewhere/deeper/hero.sav"), kNewBytes);
  EXPECT_EQ(Names(dir / "elsewhere" / "deeper"), std::vector<std::string>{"hero.sav"});
  // A link whose file is not there yet makes the file.
  fs::create_symlink("made-later.sav", dir / "dangling");
  EXPECT_TRUE(Write("dangling"));
  EXPECT_EQ(FileBytes("made-later.sav"), kNewBytes);
  // A loop of links is a failure with its reason, not a hang.
  fs::create_symlink("loop-b", dir / "loop-a");
  fs::create_symlink("loop-a", dir / "loop-b");
  EXPECT_FALSE(Write("loop-a"));
  EXPECT_NE(error.find("loop-a"), std::string::npos) << error;
}

TEST_F(SaveFilesTest, AFolderThatTakesNoNewFileKeepsTheOldSaveAndSaysWhy) {
  EXPECT_FALSE(Write("no-folder/save.dat"));
  EXPECT_NE(error.find("no-folder"), std::string::npos);
  EXPECT_EQ(error.find('\n'), std::string::npos);
  // A directory in the save's place: the new file is made, the rename fails, nothing is left over.
  fs::create_directory(dir / "save.dat");
  EXPECT_FALSE(Write("save.dat"));
  EXPECT_TRUE(fs::is_directory(dir / "save.dat"));
  EXPECT_EQ(Names(dir), std::vector<std::string>{"save.dat"});
}

TEST_F(SaveFilesTest, AFullOrReadOnlyDiskKeepsTheOldSave) {
  fs::create_directory(dir / "disk");
  TSmallDisk disk(dir / "disk");
  if (!disk.mounted()) GTEST_SKIP() << disk.why();
  WriteFile("disk/save.dat", "old save");
  disk.Fill();
  EXPECT_FALSE(Write("disk/save.dat", std::vector<uint8_t>(8192, 7)));
  EXPECT_NE(error, "");
  EXPECT_EQ(FileBytes("disk/save.dat"), "old save");
  EXPECT_EQ(Names(dir / "disk"), (std::vector<std::string>{"filler", "save.dat"}));
  // Keeping the original aside costs no space.
  std::string keptAs;
  EXPECT_TRUE(KeepFileAside(Text(PathOf("disk/save.dat")), keptAs, error)) << error;
  EXPECT_EQ(FileBytes("disk/save.dat.bad"), "old save");

  ASSERT_EQ(unlink(PathOf("disk/filler").c_str()), 0);
  ASSERT_TRUE(disk.MakeReadOnly());
  EXPECT_FALSE(Write("disk/save.dat"));
  EXPECT_NE(error.find("Read-only"), std::string::npos) << error;
  EXPECT_EQ(FileBytes("disk/save.dat"), "old save");
}

// Where no second name can be given the original is copied aside; where nothing can be kept, it
// still stays where the game looks for it: a repair never leaves the folder without the save.
TEST_F(SaveFilesTest, KeepingAsideNeverMovesTheSave) {
  fs::create_directory(dir / "disk");
  {
    // Three inodes: the folder, the save and one other file. A second name takes one on tmpfs too.
    TSmallDisk disk(dir / "disk", "size=1m,nr_inodes=3,mode=0777");
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    WriteFile("disk/save.dat", "damaged save");
    WriteFile("disk/other", "x");
    std::string keptAs;
    EXPECT_FALSE(KeepFileAside(Text(PathOf("disk/save.dat")), keptAs, error));
    EXPECT_NE(error.find("no second name"), std::string::npos) << error;
    EXPECT_EQ(FileBytes("disk/save.dat"), "damaged save");
    EXPECT_EQ(Names(dir / "disk"), (std::vector<std::string>{"other", "save.dat"}));
  }
  // Another user's file, which the kernel will not link for us: copied, permissions and all.
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() != 0 || nobody == nullptr) GTEST_SKIP() << "cannot play another user here (needs root and 'nobody')";
  ASSERT_EQ(chmod(dir.c_str(), 0777), 0);
  WriteFile("save.dat", "root's damaged save");
  ASSERT_EQ(chmod(PathOf("save.dat").c_str(), 0644), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::string keptAs, why;
    const bool kept = setgid(nobody->pw_gid) == 0 && setuid(nobody->pw_uid) == 0 &&
                      KeepFileAside(Text(PathOf("save.dat")), keptAs, why) && keptAs == PathOf("save.dat.bad");
    _exit(kept ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(FileBytes("save.dat"), "root's damaged save");
  EXPECT_EQ(FileBytes("save.dat.bad"), "root's damaged save");
  struct stat copy {};
  ASSERT_EQ(stat(PathOf("save.dat.bad").c_str(), &copy), 0);
  EXPECT_EQ(copy.st_uid, nobody->pw_uid);
  EXPECT_EQ(copy.st_nlink, 1u) << "a copy, not a second name";
}

TEST_F(SaveFilesTest, AFileOverTheLimitIsNeverRead) {
  std::vector<uint8_t> bytes = {7};
  bool tooLarge = true;
  EXPECT_FALSE(ReadWholeFile(Text(PathOf("missing")), bytes, 100, tooLarge));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(tooLarge);
  EXPECT_FALSE(ReadWholeFile(Text(dir.string()), bytes, 100, tooLarge));

  WriteFile("exact", std::string(100, 'a'));
  EXPECT_TRUE(ReadWholeFile(Text(PathOf("exact")), bytes, 100, tooLarge));
  EXPECT_EQ(bytes.size(), 100u);
  // A sparse file of 256 MB: refused from its first bytes past the limit.
  const std::string huge = PathOf("huge");
  WriteFile("huge", "x");
  ASSERT_EQ(truncate(huge.c_str(), 256 << 20), 0);
  EXPECT_FALSE(ReadWholeFile(Text(huge), bytes, 100, tooLarge));
  EXPECT_TRUE(tooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_LT(bytes.capacity(), 1000u);
}

TEST_F(SaveFilesTest, KeptOriginalsNeverReplaceEachOther) {
  std::string keptAs;
  // Each save is renamed into place, as the game writes it, so the kept name holds the old bytes.
  for (const char* bytes : {"first", "second", "third"}) {
    ASSERT_TRUE(Write("save.dat", std::vector<uint8_t>(bytes, bytes + std::strlen(bytes))));
    ASSERT_TRUE(KeepFileAside(Text(PathOf("save.dat")), keptAs, error)) << error;
  }
  EXPECT_EQ(keptAs, PathOf("save.dat.bad.3"));
  EXPECT_EQ(FileBytes("save.dat.bad"), "first");
  EXPECT_EQ(FileBytes("save.dat.bad.2"), "second");
  EXPECT_EQ(FileBytes("save.dat.bad.3"), "third");
  EXPECT_EQ(FileBytes("save.dat"), "third") << "kept under a second name, still in place";
  // Through a link, the file it points to is kept beside itself.
  fs::create_directory(dir / "elsewhere");
  WriteFile("elsewhere/hero.sav", "linked");
  fs::create_symlink("elsewhere/hero.sav", dir / "linked.dat");
  ASSERT_TRUE(KeepFileAside(Text(PathOf("linked.dat")), keptAs, error));
  EXPECT_EQ(FileBytes("elsewhere/hero.sav.bad"), "linked");
  EXPECT_FALSE(KeepFileAside(Text(PathOf("missing")), keptAs, error));
  EXPECT_NE(error, "");
}

}  // namespace
