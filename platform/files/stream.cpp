// Byte streams over embedded bytes (read-only windows, never copied), growable byte buffers and
// binary files, and the typed little-endian operations the game reads and writes with. Running out
// of data is not an error (the rest reads as zeros); a read or write that moves nothing is.
#include "platform/files/stream.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <sys/stat.h>

#include "platform/core/program.h"
#include "platform/files/folder_keeper.h"

TStream::~TStream() { Close(); }

void TStream::Seek(int64_t pos) {
  position = std::clamp<int64_t>(pos, 0, size);
  if (kind == Kind::File && file != nullptr) {
    fseeko(file, static_cast<off_t>(position), SEEK_SET);
    lastOp = 0;
  }
}

void TStream::Flush() {
  if (kind != Kind::File || file == nullptr) return;
  std::fflush(file);
  if (writable) FlushToDisk(fileno(file));
}

void TStream::Close() {
  if (kind == Kind::File && file != nullptr) {
    Flush();
    std::fclose(file);
  }
  file = nullptr;
  data = nullptr;
  buffer = nullptr;
  writable = false;
  position = 0;
  size = 0;
}

int64_t TStream::Read(void* dest, int64_t n) {
  const int64_t wanted = std::min<int64_t>(n, size - position);
  if (wanted <= 0) return 0;
  int64_t got = 0;
  switch (kind) {
    case Kind::Memory:
      if (data == nullptr) return 0;
      std::memcpy(dest, data + position, static_cast<size_t>(wanted));
      got = wanted;
      break;
    case Kind::Buffer:
      if (buffer == nullptr) return 0;
      std::memcpy(dest, buffer->data() + position, static_cast<size_t>(wanted));
      got = wanted;
      break;
    case Kind::File:
      if (file == nullptr) return 0;
      if (lastOp == 2) fseeko(file, static_cast<off_t>(position), SEEK_SET);
      lastOp = 1;
      got = static_cast<int64_t>(std::fread(dest, 1, static_cast<size_t>(wanted), file));
      break;
  }
  position += got;
  return got;
}

int64_t TStream::Write(const void* src, int64_t n) {
  if (!writable || n <= 0) return 0;
  int64_t put = 0;
  switch (kind) {
    case Kind::Memory:
      return 0;
    case Kind::Buffer:
      if (buffer == nullptr) return 0;
      if (position + n > static_cast<int64_t>(buffer->size())) buffer->resize(static_cast<size_t>(position + n));
      std::memcpy(buffer->data() + position, src, static_cast<size_t>(n));
      put = n;
      break;
    case Kind::File:
      if (file == nullptr) return 0;
      if (lastOp == 1) fseeko(file, static_cast<off_t>(position), SEEK_SET);
      lastOp = 2;
      put = static_cast<int64_t>(std::fwrite(src, 1, static_cast<size_t>(n), file));
      break;
  }
  position += put;
  size = std::max(size, position);
  return put;
}

StreamPtr MakeMemoryStream(const uint8_t* data, int64_t size) {
  auto stream = std::make_unique<TStream>();
  stream->kind = TStream::Kind::Memory;
  stream->data = data;
  stream->size = data != nullptr ? std::max<int64_t>(size, 0) : 0;
  return stream;
}

StreamPtr MakeBufferStream(std::vector<uint8_t>* buffer) {
  if (buffer == nullptr) return nullptr;
  auto stream = std::make_unique<TStream>();
  stream->kind = TStream::Kind::Buffer;
  stream->buffer = buffer;
  stream->writable = true;
  stream->size = static_cast<int64_t>(buffer->size());
  return stream;
}

StreamPtr OpenFileStream(const Text& path, char mode) {
  std::string name = path.ToBytes();
  std::replace(name.begin(), name.end(), '\\', '/');
  const char* how = mode == 'w' ? "wb" : mode == 'u' ? "r+b" : mode == 'r' ? "rb" : nullptr;
  if (how == nullptr || name.empty()) return nullptr;
  std::FILE* file = std::fopen(name.c_str(), how);
  if (file == nullptr) return nullptr;
  // A directory opens for reading on this system but reads nothing: it is no file stream.
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return nullptr;
  }
  auto stream = std::make_unique<TStream>();
  stream->kind = TStream::Kind::File;
  stream->file = file;
  stream->writable = mode != 'r';
  stream->size = static_cast<int64_t>(info.st_size);
  return stream;
}

void CloseStream(TStream* stream) {
  if (stream != nullptr) stream->Close();
}

void ReadBytes(TStream* s, void* dest, int64_t n) {
  if (n <= 0) return;
  std::memset(dest, 0, static_cast<size_t>(n));
  auto* at = static_cast<uint8_t*>(dest);
  while (n > 0 && !s->Eof()) {
    const int64_t got = s->Read(at, n);
    if (got <= 0) RaiseError("Error reading from stream");
    at += got;
    n -= got;
  }
}

void WriteBytes(TStream* s, const void* src, int64_t n) {
  const auto* at = static_cast<const uint8_t*>(src);
  while (n > 0) {
    const int64_t put = s->Write(at, n);
    if (put <= 0) RaiseError("Error writing to stream");
    at += put;
    n -= put;
  }
}

void SkipBytes(TStream* s, int64_t n) {
  if (n > 0) s->Seek(s->Position() + n);
}

namespace {

// Little-endian assembly, independent of the host's byte order.
uint64_t ReadLittle(TStream* s, int bytes) {
  uint8_t raw[8];
  ReadBytes(s, raw, bytes);
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | raw[i];
  return value;
}

void WriteLittle(TStream* s, uint64_t value, int bytes) {
  uint8_t raw[8];
  for (int i = 0; i < bytes; ++i) raw[i] = static_cast<uint8_t>(value >> (8 * i));
  WriteBytes(s, raw, bytes);
}

}  // namespace

int8_t ReadInt8(TStream* s) { return static_cast<int8_t>(ReadLittle(s, 1)); }
int16_t ReadInt16(TStream* s) { return static_cast<int16_t>(ReadLittle(s, 2)); }
int32_t ReadInt32(TStream* s) { return static_cast<int32_t>(ReadLittle(s, 4)); }
int64_t ReadInt64(TStream* s) { return static_cast<int64_t>(ReadLittle(s, 8)); }

float ReadFloat32(TStream* s) {
  const auto bits = static_cast<uint32_t>(ReadLittle(s, 4));
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

double ReadFloat64(TStream* s) {
  const uint64_t bits = ReadLittle(s, 8);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void WriteInt8(TStream* s, int8_t v) { WriteLittle(s, static_cast<uint8_t>(v), 1); }
void WriteInt16(TStream* s, int16_t v) { WriteLittle(s, static_cast<uint16_t>(v), 2); }
void WriteInt32(TStream* s, int32_t v) { WriteLittle(s, static_cast<uint32_t>(v), 4); }
void WriteInt64(TStream* s, int64_t v) { WriteLittle(s, static_cast<uint64_t>(v), 8); }

void WriteFloat32(TStream* s, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  WriteLittle(s, bits, 4);
}

void WriteFloat64(TStream* s, double v) {
  uint64_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  WriteLittle(s, bits, 8);
}

Text ReadText(TStream* s, int32_t count) {
  if (count <= 0) return Text();
  const int64_t available = std::max<int64_t>(s->Size() - s->Position(), 0);
  std::string bytes(static_cast<size_t>(std::min<int64_t>(count, available)), '\0');
  ReadBytes(s, bytes.data(), static_cast<int64_t>(bytes.size()));
  return Text(std::string_view(bytes));
}

void WriteText(TStream* s, const Text& text) {
  const std::string bytes = text.ToBytes();
  WriteBytes(s, bytes.data(), static_cast<int64_t>(bytes.size()));
}

Text ReadTextLine(TStream* s) {
  Text line;
  while (!s->Eof()) {
    uint8_t byte = 0;
    if (s->Read(&byte, 1) <= 0) RaiseError("Error reading from stream");
    if (byte == 10 || byte == 0) break;
    if (byte == 13) continue;
    line.chars.push_back(static_cast<char16_t>(byte));
  }
  return line;
}

void WriteTextLine(TStream* s, const Text& text) {
  WriteText(s, text);
  static constexpr uint8_t LineEnd[2] = {13, 10};
  WriteBytes(s, LineEnd, 2);
}
