// Replacing, reading and keeping aside the save file: planted links and links to a save elsewhere,
// a folder that cannot take the new file, a full and a read-only disk, a huge file, kept originals.
#include "platform/save_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "tests/platform/temp_dir.h"
#include "tests/support/small_disk.h"

namespace fs = std::filesystem;

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
