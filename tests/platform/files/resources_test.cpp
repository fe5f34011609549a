// The resource store and path resolution ("incbin::" names exact, protocols in any case, file
// paths with backslashes), and the file-system queries.
#include "platform/files/resources.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/scratch_dir.h"

namespace {

const uint8_t FirstBytes[] = {'o', 'n', 'e'};
const uint8_t SecondBytes[] = {'t', 'w', 'o', '!'};

std::string ReadAll(TStream* s) {
  std::string bytes(static_cast<size_t>(s->Size()), '\0');
  ReadBytes(s, bytes.data(), s->Size());
  return bytes;
}

TEST(ResourceStore, FirstRegistrationWins) {
  const int before = ResourceCount();
  EXPECT_TRUE(RegisterResource("image\\test\\first.dat", FirstBytes, 3));
  EXPECT_FALSE(RegisterResource("image\\test\\first.dat", SecondBytes, 4));
  EXPECT_EQ(ResourceCount(), before + 1);
  const TResource* found = FindResource("image\\test\\first.dat");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->data, FirstBytes);
  EXPECT_EQ(found->size, 3);
  // Entries stay put as the store grows.
  for (int i = 0; i < 200; ++i) RegisterResource("image\\test\\filler " + IntToText(i), SecondBytes, 4);
  EXPECT_EQ(FindResource("image\\test\\first.dat"), found);
}

TEST(ResourceStore, IncbinNamesMatchExactlyButTheProtocolIgnoresCase) {
  RegisterResource("image\\test\\font.png", SecondBytes, 4);
  StreamPtr s = OpenResourceStream("incbin::image\\test\\font.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->kind, TStream::Kind::Memory);
  EXPECT_EQ(s->data, SecondBytes);  // read in place, never copied
  EXPECT_EQ(ReadAll(s.get()), "two!");
  EXPECT_NE(OpenResourceStream("INCBIN::image\\test\\font.png"), nullptr);
  EXPECT_NE(OpenResourceStream("InCbIn::image\\test\\font.png"), nullptr);
  EXPECT_EQ(OpenResourceStream("incbin::Image\\test\\font.png"), nullptr);
  EXPECT_EQ(OpenResourceStream("incbin::image/test/font.png"), nullptr);
  EXPECT_EQ(OpenResourceStream("incbin:: image\\test\\font.png"), nullptr);
  EXPECT_EQ(OpenResourceStream("incbin::"), nullptr);
  EXPECT_EQ(OpenResourceStream("incbinx::image\\test\\font.png"), nullptr);
}

TEST(ResourceStore, IncbinNeverOpensForWriting) {
  RegisterResource("image\\test\\locked.dat", FirstBytes, 3);
  EXPECT_EQ(OpenWriteStream("incbin::image\\test\\locked.dat"), nullptr);
  EXPECT_EQ(OpenReadWriteStream("incbin::image\\test\\locked.dat"), nullptr);
}

TEST(ResourceStore, HandlersAreAskedInOrderWithTheLowerCasedProtocol) {
  static std::vector<std::string> asked;
  asked.clear();
  AddProtocolHandler([](const Text& protocol, const Text& rest, bool write) -> StreamPtr {
    asked.push_back(protocol.ToBytes() + "|" + rest.ToBytes() + (write ? "|w" : "|r"));
    if (protocol == Text("mem")) return MakeMemoryStream(FirstBytes, 3);
    return nullptr;
  });
  StreamPtr s = OpenResourceStream("MeM::a::b");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ReadAll(s.get()), "one");
  EXPECT_EQ(OpenWriteStream("http::x"), nullptr);
  // A registered name is served by incbin before the handlers added later are asked.
  RegisterResource("image\\test\\served.dat", SecondBytes, 4);
  EXPECT_NE(OpenResourceStream("incbin::image\\test\\served.dat"), nullptr);
  EXPECT_EQ(asked, (std::vector<std::string>{"mem|a::b|r", "http|x|w"}));
}

class FileSystemTest : public TempDirTest {};

TEST_F(FileSystemTest, BackslashesSeparateFolders) {
  std::filesystem::create_directory(dir / "saves");
  WriteFile("saves/save.dat", "hero");
  StreamPtr s = OpenResourceStream(Text(dir.string() + "\\saves\\save.dat"));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ReadAll(s.get()), "hero");
  EXPECT_EQ(FileKind(Text(dir.string() + "\\saves")), 2);
}

TEST_F(FileSystemTest, WriteStreamCreatesOrTruncatesAndReadWriteKeeps) {
  StreamPtr s = OpenWriteStream(Text(PathOf("save.dat")));
  ASSERT_NE(s, nullptr);
  WriteText(s.get(), "abcdef");
  CloseStream(s.get());
  s = OpenReadWriteStream(Text(PathOf("save.dat")));
  ASSERT_NE(s, nullptr);
  WriteText(s.get(), "X");
  s.reset();
  EXPECT_EQ(FileBytes("save.dat"), "Xbcdef");
  s = OpenWriteStream(Text(PathOf("save.dat")));
  s.reset();
  EXPECT_EQ(FileBytes("save.dat"), "");
  EXPECT_EQ(OpenReadWriteStream(Text(PathOf("none.dat"))), nullptr);
}

TEST_F(FileSystemTest, FileKindAndDelete) {
  WriteFile("save.dat", "x");
  std::filesystem::create_directory(dir / "empty");
  std::filesystem::create_directory(dir / "full");
  WriteFile("full/keep", "k");
  EXPECT_EQ(FileKind(Text(PathOf("save.dat"))), 1);
  EXPECT_EQ(FileKind(Text(PathOf("empty"))), 2);
  EXPECT_EQ(FileKind(Text(PathOf("nothing"))), 0);
  EXPECT_EQ(FileKind(""), 0);
  EXPECT_TRUE(DeleteFile(Text(PathOf("nothing"))));
  EXPECT_TRUE(DeleteFile(Text(PathOf("save.dat/under"))));
  EXPECT_TRUE(DeleteFile(Text(PathOf("save.dat"))));
  EXPECT_EQ(FileKind(Text(PathOf("save.dat"))), 0);
  EXPECT_TRUE(DeleteFile(Text(PathOf("empty"))));
  EXPECT_FALSE(DeleteFile(Text(PathOf("full"))));
  EXPECT_EQ(FileKind(Text(PathOf("full\\keep"))), 1);
}

}  // namespace
