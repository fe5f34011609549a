// Safe replacing, bounded reading and keeping aside of the save file, with POSIX calls: exclusive
// creation of the temporary file, fsync of the file and of its folder, hard links or exclusive
// copies for the kept originals (never a rename: the save stays where the game looks for it).
#include "platform/files/save_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/core/text.h"
#include "platform/files/folder_keeper.h"
#include "platform/files/resources.h"

namespace {

// Links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;
// Kept originals numbered up to this; past it the disk holds more damaged saves than anyone reads.
constexpr int kMaxKept = 999;
// Where no second name can be given, an original up to this size is copied; a larger one is no save.
constexpr off_t kLargestCopy = 16 << 20;
// What the new file is called while it is written: the save's name, this, and six random characters.
constexpr const char* kTemporaryMark = ".new-";

// Names come from the file system, where a planted link may hold any bytes: shown escaped.
std::string Reason(const char* what, const std::string& name) {
  return std::string(what) + " " + EscapedForTerminal(name) + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& name) {
  const size_t slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

// The file a chain of symbolic links at name ends in (name itself when it is no link), whether or
// not that file exists yet; false when the chain is too long or cannot be read.
bool FinalTarget(const std::string& name, std::string& target) {
  target = name;
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::string link(static_cast<size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
    const ssize_t length = readlink(target.c_str(), link.data(), link.size());
    if (length < 0) return false;
    link.resize(static_cast<size_t>(length));
    target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
  }
  errno = ELOOP;
  return false;
}

bool WriteAll(int fd, const std::vector<uint8_t>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    // A write that takes nothing sets no errno of its own; the disk simply took no more.
    if (wrote == 0) errno = EIO;
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

// The permissions a first save gets: 0644 less the user's umask (read without changing it for long).
mode_t NewFileMode() {
  const mode_t mask = umask(022);
  umask(mask);
  return 0644 & ~mask;
}

// What a file of this mode is, for a line that refuses it.
const char* KindName(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// A change to the folder holding name (a file renamed in, linked or copied there) reaches the disk
// once the folder is synced, and a folder that lives in memory once its keeper has stored it.
bool SyncFolder(const std::string& name, std::string& error) {
  const int dir = open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    FlushToDisk(dir);
    close(dir);
  }
  return FolderKept(error);
}

// A copy of the file at from under the new name to, created exclusively and flushed; a failed copy
// leaves nothing behind. errno says why it failed (EEXIST: the name is taken).
bool CopyFile(const std::string& from, const std::string& to) {
  const int in = open(from.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (in < 0) return false;
  struct stat info {};
  int why = fstat(in, &info) != 0 ? errno : 0;
  if (why == 0 && !S_ISREG(info.st_mode)) why = EINVAL;
  if (why == 0 && info.st_size > kLargestCopy) why = EFBIG;
  if (why != 0) {
    close(in);
    errno = why;
    return false;
  }
  const int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, (info.st_mode & 0777) | 0600);
  if (out < 0) {
    why = errno;
    close(in);
    errno = why;
    return false;
  }
  std::vector<uint8_t> chunk(65536);
  bool ok = true;
  for (;;) {
    const ssize_t got = read(in, chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    chunk.resize(static_cast<size_t>(got));
    ok = WriteAll(out, chunk);
    chunk.resize(65536);
    if (!ok) break;
  }
  if (ok && !FlushToDisk(out)) ok = false;
  why = errno;
  if (close(out) != 0 && ok) ok = false;
  close(in);
  if (!ok) {
    unlink(to.c_str());
    errno = why;
  }
  return ok;
}

}  // namespace

bool WriteFileAtomically(const Text& path, const std::vector<uint8_t>& bytes, std::string& error) {
  error.clear();
  std::string target;
  if (!FinalTarget(SystemPath(path), target)) {
    error = Reason("cannot follow the link", SystemPath(path));
    return false;
  }
  // Only a regular file is ever replaced: never a device, a pipe or a folder a link leads to.
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    error = "will not replace " + EscapedForTerminal(target) + ": it is " + KindName(old.st_mode);
    return false;
  }
  // mkstemp opens with O_CREAT | O_EXCL: a link or file planted under the name is never written through.
  std::string temporary = target + kTemporaryMark + "XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = Reason("cannot create a new file beside", target);
    return false;
  }
  // The old file's permissions, with its owner always able to read and write the new one.
  const mode_t mode = exists ? ((old.st_mode & 0777) | S_IRUSR | S_IWUSR) : NewFileMode();
  bool ok = WriteAll(fd, bytes);
  if (!ok) error = Reason("cannot write", temporary);
  if (ok && (fchmod(fd, mode) != 0 || !FlushToDisk(fd))) {
    ok = false;
    error = Reason("cannot flush", temporary);
  }
  if (close(fd) != 0 && ok) {
    ok = false;
    error = Reason("cannot close", temporary);
  }
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = Reason("cannot rename over", target);
  }
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself is kept once the folder holding it is.
  return SyncFolder(target, error);
}

bool ReadWholeFile(const Text& path, std::vector<uint8_t>& bytes, int64_t limit, bool& tooLarge) {
  // One byte past the limit is enough to know, whatever size the file claims.
  const bool ok = ReadFileHead(path, static_cast<size_t>(limit) + 1, bytes);
  tooLarge = ok && bytes.size() > static_cast<size_t>(limit);
  if (!ok || tooLarge) bytes.clear();
  return ok && !tooLarge;
}

bool ReadFileHead(const Text& path, size_t count, std::vector<uint8_t>& bytes) {
  bytes.clear();
  // Non-blocking, so a pipe planted under the name cannot hold the game at its open.
  const int fd = open(SystemPath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  bytes.resize(ok ? count : 0);
  size_t got = 0;
  while (ok && got < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  bytes.resize(ok ? got : 0);
  return ok;
}

bool ReadRegularFile(const std::string& path, size_t limit, std::string& bytes, std::string& why) {
  bytes.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return false;
  }
  struct stat info {};
  bool ok = fstat(fd, &info) == 0;
  if (!ok) why = std::strerror(errno);
  if (ok && !S_ISREG(info.st_mode)) {
    ok = false;
    why = std::string("it is ") + KindName(info.st_mode) + ", not a regular file";
  }
  const std::string tooLarge = "larger than " + std::to_string(limit >> 20) + " MiB";
  if (ok && static_cast<uint64_t>(info.st_size) > limit) {
    ok = false;
    why = tooLarge;
  }
  if (ok) bytes.reserve(static_cast<size_t>(info.st_size));
  char chunk[65536];
  while (ok) {
    const ssize_t got = read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ok = false;
      why = std::strerror(errno);
    }
    if (got <= 0) break;
    bytes.append(chunk, static_cast<size_t>(got));
    // A file growing while it is read is held to the same limit.
    if (bytes.size() > limit) {
      ok = false;
      why = tooLarge;
    }
  }
  close(fd);
  if (!ok) std::string().swap(bytes);
  return ok;
}

std::string SaveFileAt(const std::string& path, const Text& savePath) {
  std::string target, save;
  if (!FinalTarget(path, target)) return "";
  if (!FinalTarget(SystemPath(savePath), save)) save = SystemPath(savePath);
  const size_t slash = save.rfind('/');
  const std::string saveName = slash == std::string::npos ? save : save.substr(slash + 1);
  // Which of the save's files a name in the save's folder is.
  auto kind = [&saveName](const std::string& name) -> std::string {
    if (name == saveName) return "the save";
    if (name.compare(0, saveName.size() + std::strlen(kTemporaryMark), saveName + kTemporaryMark) == 0)
      return "a new save being written";
    if (name.compare(0, saveName.size() + 4, saveName + ".bad") == 0) return "a kept original of the save";
    return "";
  };
  struct stat folder {}, targetFolder {}, info {}, entryInfo {};
  if (stat(FolderOf(save).c_str(), &folder) != 0) return "";
  // A name still to be made: the save's files are those in its folder under its names.
  if (stat(target.c_str(), &info) != 0) {
    const size_t cut = target.rfind('/');
    if (stat(FolderOf(target).c_str(), &targetFolder) != 0 || targetFolder.st_dev != folder.st_dev ||
        targetFolder.st_ino != folder.st_ino)
      return "";
    return kind(cut == std::string::npos ? target : target.substr(cut + 1));
  }
  // An existing file: whatever its name, it is one of the save's files if it is the same file.
  DIR* dir = opendir(FolderOf(save).c_str());
  if (dir == nullptr) return "";
  std::string found;
  while (const dirent* entry = readdir(dir)) {
    const std::string what = kind(entry->d_name);
    if (!what.empty() && fstatat(dirfd(dir), entry->d_name, &entryInfo, 0) == 0 && entryInfo.st_dev == info.st_dev &&
        entryInfo.st_ino == info.st_ino) {
      found = what;
      break;
    }
  }
  closedir(dir);
  return found;
}

bool KeepFileAside(const Text& path, std::string& keptAs, std::string& error) {
  error.clear();
  keptAs.clear();
  std::string target;
  if (!FinalTarget(SystemPath(path), target)) {
    error = Reason("cannot follow the link", SystemPath(path));
    return false;
  }
  bool linksWork = true;
  std::string linkFailure;
  for (int n = 1; n <= kMaxKept; ++n) {
    const std::string name = target + ".bad" + (n == 1 ? "" : "." + std::to_string(n));
    // Both refuse to replace an existing name, so an earlier kept original is never lost. The
    // original itself never moves: until a new save replaces it, it is the save the game loads.
    if (linksWork && link(target.c_str(), name.c_str()) == 0) {
      keptAs = EscapedForTerminal(name);
      return SyncFolder(target, error);
    }
    if (linksWork && errno != EEXIST) {
      linksWork = false;
      linkFailure = std::strerror(errno);
    }
    if (!linksWork && CopyFile(target, name)) {
      keptAs = EscapedForTerminal(name);
      return SyncFolder(target, error);
    }
    if (errno != EEXIST) {
      error = "cannot keep " + EscapedForTerminal(target) + " (no second name: " + linkFailure + "; no copy: " + std::strerror(errno) + ")";
      return false;
    }
  }
  error = "cannot keep " + EscapedForTerminal(target) + ": " + std::to_string(kMaxKept) + " kept copies are there already";
  return false;
}

std::string NotARegularFile(const Text& path) { return NotARegularFileAt(SystemPath(path)); }

std::string NotARegularFileAt(const std::string& name) {
  struct stat info {};
  if (lstat(name.c_str(), &info) != 0) return "";
  const bool linked = S_ISLNK(info.st_mode);
  if (stat(name.c_str(), &info) != 0) {
    // A link to a file not made yet is a save still to come; a loop leads to no file at all.
    return errno == ELOOP ? "a loop of symbolic links" : "";
  }
  if (S_ISREG(info.st_mode)) return "";
  return linked ? std::string("a symbolic link to ") + KindName(info.st_mode) : KindName(info.st_mode);
}

void RemoveStaleTemporaries(const Text& path) {
  std::string target;
  if (!FinalTarget(SystemPath(path), target)) return;
  const size_t slash = target.rfind('/');
  const std::string prefix = (slash == std::string::npos ? target : target.substr(slash + 1)) + kTemporaryMark;
  const std::string folder = FolderOf(target);
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    // Exactly the names mkstemp gives: the prefix and six letters or digits.
    if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!std::all_of(name.begin() + static_cast<long>(prefix.size()), name.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; })) {
      continue;
    }
    struct stat info {};
    if (fstatat(dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)) {
      unlinkat(dirfd(dir), name.c_str(), 0);
    }
  }
  closedir(dir);
}
