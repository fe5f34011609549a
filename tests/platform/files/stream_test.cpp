// Streams: typed little-endian reads and writes on every kind, zeros past the end, text lines with
// stray carriage returns, and the read and write errors.
#include "platform/files/stream.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/core/program.h"
#include "tests/support/end_status.h"
#include "tests/support/scratch_dir.h"

namespace {

std::string Str(const Text& t) { return t.ToBytes(); }

class StreamTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ResetExitHandlers();
    SetEndMode(EndMode::Throw);
  }
};

TEST_F(StreamTest, MemoryStreamReadsTheBytesInPlace) {
  uint8_t bytes[] = {1, 2, 3, 4, 5, 6};
  StreamPtr s = MakeMemoryStream(bytes, sizeof bytes);
  EXPECT_EQ(s->data, bytes);
  EXPECT_EQ(s->Size(), 6);
  bytes[0] = 0x78;
  bytes[1] = 0x56;
  bytes[2] = 0x34;
  bytes[3] = 0x12;
  EXPECT_EQ(ReadInt32(s.get()), 0x12345678);
  EXPECT_EQ(s->Position(), 4);
  // The last two bytes read as an int fill only its low half.
  EXPECT_EQ(ReadInt32(s.get()), 0x0605);
  EXPECT_TRUE(s->Eof());
  EXPECT_EQ(ReadInt32(s.get()), 0);
  s->Seek(100);
  EXPECT_EQ(s->Position(), 6);
  s->Seek(-3);
  EXPECT_EQ(s->Position(), 0);
  SkipBytes(s.get(), 5);
  EXPECT_EQ(ReadInt8(s.get()), 6);
}

TEST_F(StreamTest, TypedValuesRoundTripLittleEndian) {
  std::vector<uint8_t> buffer;
  StreamPtr s = MakeBufferStream(&buffer);
  WriteInt8(s.get(), -2);
  WriteInt16(s.get(), -12345);
  WriteInt32(s.get(), 0x12345678);
  WriteInt64(s.get(), -1234567890123456789LL);
  WriteFloat32(s.get(), 1.5f);
  WriteFloat64(s.get(), -0.1);
  ASSERT_EQ(buffer.size(), 1u + 2 + 4 + 8 + 4 + 8);
  EXPECT_EQ(buffer[3], 0x78);
  EXPECT_EQ(buffer[6], 0x12);
  // 1.5f is 0x3FC00000.
  EXPECT_EQ(buffer[15], 0x00);
  EXPECT_EQ(buffer[17], 0xC0);
  EXPECT_EQ(buffer[18], 0x3F);
  s->Seek(0);
  EXPECT_EQ(ReadInt8(s.get()), -2);
  EXPECT_EQ(ReadInt16(s.get()), -12345);
  EXPECT_EQ(ReadInt32(s.get()), 0x12345678);
  EXPECT_EQ(ReadInt64(s.get()), -1234567890123456789LL);
  EXPECT_EQ(ReadFloat32(s.get()), 1.5f);
  EXPECT_EQ(ReadFloat64(s.get()), -0.1);
  EXPECT_TRUE(s->Eof());
}

TEST_F(StreamTest, BufferWritesOverwriteThenGrow) {
  std::vector<uint8_t> buffer = {9, 9, 9};
  StreamPtr s = MakeBufferStream(&buffer);
  s->Seek(2);
  WriteInt16(s.get(), 0x0201);
  EXPECT_EQ(buffer, (std::vector<uint8_t>{9, 9, 1, 2}));
  EXPECT_EQ(s->Size(), 4);
}

TEST_F(StreamTest, TextLinesDropEveryCarriageReturn) {
  const uint8_t lines[] = {'a', 'b', 13, 10, 'c', 'd'};
  StreamPtr s = MakeMemoryStream(lines, sizeof lines);
  EXPECT_EQ(Str(ReadTextLine(s.get())), "ab");
  EXPECT_EQ(Str(ReadTextLine(s.get())), "cd");
  EXPECT_EQ(Str(ReadTextLine(s.get())), "");
  const uint8_t middle[] = {'a', 13, 'b', 10, 'x'};
  s = MakeMemoryStream(middle, sizeof middle);
  EXPECT_EQ(Str(ReadTextLine(s.get())), "ab");
  const uint8_t zero[] = {'7', 0, '8', 10, 10, 0xE9};
  s = MakeMemoryStream(zero, sizeof zero);
  EXPECT_EQ(Str(ReadTextLine(s.get())), "7");
  EXPECT_EQ(Str(ReadTextLine(s.get())), "8");
  EXPECT_EQ(Str(ReadTextLine(s.get())), "");
  EXPECT_EQ(ReadTextLine(s.get()).chars, std::u16string(1, 0xE9));
}

TEST_F(StreamTest, TextIsOneLowBytePerCharacter) {
  std::vector<uint8_t> buffer;
  StreamPtr s = MakeBufferStream(&buffer);
  WriteText(s.get(), Text(std::u16string{u'h', 0x141, 0xE9}));
  WriteTextLine(s.get(), "ok");
  EXPECT_EQ(buffer, (std::vector<uint8_t>{'h', 0x41, 0xE9, 'o', 'k', 13, 10}));
  s->Seek(0);
  EXPECT_EQ(ReadText(s.get(), 3).chars, (std::u16string{u'h', 0x41, 0xE9}));
  // A count running past the end gives only what is there.
  EXPECT_EQ(Str(ReadText(s.get(), 1000000)), "ok\r\n");
  EXPECT_EQ(ReadText(s.get(), -4).Length(), 0);
}

TEST_F(StreamTest, WritingToAMemoryStreamIsAnError) {
  const uint8_t bytes[] = {1};
  StreamPtr s = MakeMemoryStream(bytes, 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(EndStatus([&] { WriteInt32(s.get(), 5); }), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error writing to stream");
}

TEST_F(StreamTest, ReadingAFileCutShortUnderTheStreamIsAnError) {
  WriteFile("four", "abcd");
  StreamPtr s = OpenFileStream(Text(PathOf("four")), 'r');
  ASSERT_NE(s, nullptr);
  // Another holder shortening the file under an open stream makes reads come back empty.
  std::FILE* other = std::fopen(PathOf("four").c_str(), "wb");
  std::fclose(other);
  testing::internal::CaptureStderr();
  EXPECT_EQ(EndStatus([&] { ReadInt32(s.get()); }), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error reading from stream");
}

TEST_F(StreamTest, EmptyFileReadsZero) {
  WriteFile("empty", "");
  StreamPtr s = OpenFileStream(Text(PathOf("empty")), 'r');
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(s->Eof());
  EXPECT_EQ(ReadInt32(s.get()), 0);
  EXPECT_EQ(ReadFloat32(s.get()), 0.0f);
}

TEST_F(StreamTest, FileModesCreateTruncateAndUpdate) {
  WriteFile("save.dat", "0123456789");
  StreamPtr s = OpenFileStream(Text(PathOf("save.dat")), 'u');
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Size(), 10);
  EXPECT_EQ(ReadInt8(s.get()), '0');
  WriteText(s.get(), "ab");
  EXPECT_EQ(ReadInt8(s.get()), '3');
  s->Seek(10);
  WriteText(s.get(), "XY");
  EXPECT_EQ(s->Size(), 12);
  CloseStream(s.get());
  CloseStream(s.get());
  EXPECT_EQ(FileBytes("save.dat"), "0ab3456789XY");

  s = OpenFileStream(Text(PathOf("save.dat")), 'w');
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->Size(), 0);
  WriteInt32(s.get(), 7);
  s->Flush();
  EXPECT_EQ(FileBytes("save.dat"), std::string("\x07\0\0\0", 4));
  s.reset();

  s = OpenFileStream(Text(PathOf("save.dat")), 'r');
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ReadInt32(s.get()), 7);
  testing::internal::CaptureStderr();
  EXPECT_EQ(EndStatus([&] { WriteInt8(s.get(), 1); }), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error writing to stream");
}

TEST_F(StreamTest, WhatCannotBeOpenedGivesNoStream) {
  EXPECT_EQ(OpenFileStream(Text(PathOf("missing")), 'r'), nullptr);
  EXPECT_EQ(OpenFileStream(Text(PathOf("missing")), 'u'), nullptr);
  EXPECT_EQ(OpenFileStream(Text(PathOf("no-folder/file")), 'w'), nullptr);
  EXPECT_EQ(OpenFileStream(Text(dir.string()), 'r'), nullptr);
  EXPECT_EQ(OpenFileStream(Text(PathOf("x")), 'q'), nullptr);
  EXPECT_EQ(MakeBufferStream(nullptr), nullptr);
}

}  // namespace
