// The resource store and path resolution: "protocol::rest" paths go to the protocol handlers in
// order (the built-in "incbin" handler serves the embedded bytes, read-only, by exact name); every
// other path is a file, with backslashes as directory separators. Also the file-system queries.
#include "platform/files/resources.h"
#include "platform/files/folder_keeper.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <deque>
#include <map>
#include <utility>

namespace {

// A deque keeps every entry where it is, so FindResource's pointers stay valid as the store grows.
std::deque<TResource>& Entries() {
  static std::deque<TResource> entries;
  return entries;
}

std::map<std::u16string, const TResource*>& ByName() {
  static std::map<std::u16string, const TResource*> byName;
  return byName;
}

StreamPtr OpenEmbedded(const Text& protocol, const Text& rest, bool write) {
  if (write || protocol != Text("incbin")) return nullptr;
  const TResource* resource = FindResource(rest);
  if (resource == nullptr) return nullptr;
  return MakeMemoryStream(resource->data, resource->size);
}

std::vector<TProtocolHandler>& Handlers() {
  static std::vector<TProtocolHandler> handlers{OpenEmbedded};
  return handlers;
}

StreamPtr Resolve(const Text& path, char mode) {
  const int32_t mark = TextFind(path, "::", 1);
  if (mark == 0) return OpenFileStream(path, mode);
  const Text protocol = TextLower(TextLeft(path, mark - 1));
  const Text rest = TextMid(path, mark + 2, -1);
  for (const TProtocolHandler& handler : Handlers()) {
    if (!handler) continue;
    if (StreamPtr stream = handler(protocol, rest, mode != 'r')) return stream;
  }
  return nullptr;
}

}  // namespace

bool RegisterResource(const Text& name, const uint8_t* data, int32_t size) {
  if (ByName().count(name.chars) != 0) return false;
  Entries().push_back(TResource{name, data, size < 0 ? 0 : size});
  ByName()[name.chars] = &Entries().back();
  return true;
}

const TResource* FindResource(const Text& name) {
  const auto found = ByName().find(name.chars);
  return found == ByName().end() ? nullptr : found->second;
}

int32_t ResourceCount() { return static_cast<int32_t>(Entries().size()); }

void AddProtocolHandler(TProtocolHandler handler) { Handlers().push_back(std::move(handler)); }

StreamPtr OpenResourceStream(const Text& path) { return Resolve(path, 'r'); }
StreamPtr OpenWriteStream(const Text& path) { return Resolve(path, 'w'); }
StreamPtr OpenReadWriteStream(const Text& path) { return Resolve(path, 'u'); }

int FileKind(const Text& path) {
  struct stat info {};
  if (stat(SystemPath(path).c_str(), &info) != 0) return 0;
  if (S_ISREG(info.st_mode)) return 1;
  if (S_ISDIR(info.st_mode)) return 2;
  return 0;
}

bool DeleteFile(const Text& path) {
  const std::string name = SystemPath(path);
  std::remove(name.c_str());
  struct stat info {};
  std::string error;
  return lstat(name.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR) && FolderKept(error);
}

std::string SystemPath(const Text& path) {
  std::string name = path.ToBytes();
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return name;
}

bool RenameFile(const Text& from, const Text& to) {
  return std::rename(SystemPath(from).c_str(), SystemPath(to).c_str()) == 0;
}
