// Byte streams: memory streams over the program's own bytes (read-only, never copied) and file
// streams. Typed reads are little-endian; reading past the end yields zeros; a read or write that
// moves nothing before the end is a program error ("Error reading from stream" /
// "Error writing to stream").
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "platform/core/text.h"

struct TStream {
  enum class Kind { Memory, File, Buffer };
  Kind kind = Kind::Memory;
  // Memory stream.
  const uint8_t* data = nullptr;
  // File stream.
  std::FILE* file = nullptr;
  // Buffer stream: a growable byte vector owned by the caller (writing a file's bytes in memory first).
  std::vector<uint8_t>* buffer = nullptr;
  bool writable = false;
  int64_t position = 0;
  int64_t size = 0;
  // File streams: the last operation (0 none, 1 read, 2 write); stdio needs a seek between the two.
  int lastOp = 0;

  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;
  ~TStream();
  bool Eof() const { return position >= size; }
  int64_t Position() const { return position; }
  int64_t Size() const { return size; }
  void Seek(int64_t pos);
  // File streams: written through to the disk (fflush and fsync).
  void Flush();
  void Close();
  // Up to n bytes; returns the count moved.
  int64_t Read(void* dest, int64_t n);
  int64_t Write(const void* src, int64_t n);
};

using StreamPtr = std::unique_ptr<TStream>;

StreamPtr MakeMemoryStream(const uint8_t* data, int64_t size);
// Readable and writable, over *buffer (which must outlive the stream); writes grow it.
StreamPtr MakeBufferStream(std::vector<uint8_t>* buffer);
// mode: 'r' read-only, 'w' create or truncate, 'u' read-write without truncation.
StreamPtr OpenFileStream(const Text& path, char mode);

void CloseStream(TStream* stream);

// Exact reads/writes under every typed operation.
void ReadBytes(TStream* s, void* dest, int64_t n);
void WriteBytes(TStream* s, const void* src, int64_t n);
void SkipBytes(TStream* s, int64_t n);

int8_t ReadInt8(TStream* s);
int16_t ReadInt16(TStream* s);
int32_t ReadInt32(TStream* s);
int64_t ReadInt64(TStream* s);
float ReadFloat32(TStream* s);
double ReadFloat64(TStream* s);
void WriteInt8(TStream* s, int8_t v);
void WriteInt16(TStream* s, int16_t v);
void WriteInt32(TStream* s, int32_t v);
void WriteInt64(TStream* s, int64_t v);
void WriteFloat32(TStream* s, float v);
void WriteFloat64(TStream* s, double v);

// count characters, one byte each; a text cut short by the end of the stream holds only the bytes
// that were there (a damaged count cannot make a huge text).
Text ReadText(TStream* s, int32_t count);
// One byte per character (the low 8 bits), no length and no terminator.
void WriteText(TStream* s, const Text& text);
// Up to a line feed or zero byte (consumed, not kept); every carriage return is dropped.
Text ReadTextLine(TStream* s);
// The characters, then carriage return and line feed.
void WriteTextLine(TStream* s, const Text& text);
