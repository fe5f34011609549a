// The resource store (names exactly as the game writes them, backslashes and all; the first
// registration of a name wins), path resolution with protocol handlers ("incbin::" + name opens a
// memory stream over the embedded bytes; the protocol is case-insensitive, the name is not), and the
// file-system queries.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/text.h"
#include "platform/files/stream.h"

struct TResource {
  Text name;
  const uint8_t* data;
  int32_t size;
};

bool RegisterResource(const Text& name, const uint8_t* data, int32_t size);
const TResource* FindResource(const Text& name);
int32_t ResourceCount();

// A protocol handler: given the lower-cased protocol, the rest of the path and whether the stream is
// wanted for writing, returns a stream or none. Handlers are asked in registration order.
using TProtocolHandler = std::function<StreamPtr(const Text& protocol, const Text& rest, bool write)>;
void AddProtocolHandler(TProtocolHandler handler);

// A readable stream for path ("incbin::name" or a file path), or none.
StreamPtr OpenResourceStream(const Text& path);
// A writable file stream (created or truncated), or none. "incbin::" paths give none.
StreamPtr OpenWriteStream(const Text& path);
// Reading and writing an existing file without truncating it.
StreamPtr OpenReadWriteStream(const Text& path);

// 0 nothing there, 1 regular file, 2 directory.
int FileKind(const Text& path);
// True when afterwards nothing is at path (also when nothing was there), and that is kept (see
// folder_keeper.h).
bool DeleteFile(const Text& path);

// The operating system's name for a file path (backslashes become slashes).
std::string SystemPath(const Text& path);

// Moves from over to (replacing it); false on failure.
bool RenameFile(const Text& from, const Text& to);
// Defined by the build's generated table: registers all the game's embedded files.
void RegisterEmbeddedResources();
int EmbeddedResourceCount();
