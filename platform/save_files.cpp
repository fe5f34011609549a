// Safe replacing, bounded reading and keeping aside of the save file, with POSIX calls: exclusive
// creation of the temporary file, fsync of the file and of its folder, hard links or no-replace
// renames for the kept originals.
#include "platform/save_files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/resources.h"

namespace {

// Links followed before giving up, as the kernel does.
constexpr int kMaxLinks = 40;
// Kept originals numbered up to this; past it the disk holds more damaged saves than anyone reads.
constexpr int kMaxKept = 999;

std::string Reason(const char* what, const std::string& name) {
  return std::string(what) + " " + name + ": " + std::strerror(errno);
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
    if (wrote <= 0) return false;
    done += static_cast<size_t>(wrote);
  }
  return true;
}

// The permissions a new file gets from the user's umask (read without changing it for long).
mode_t NewFileMode() {
  const mode_t mask = umask(022);
  umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const std::string& name) {
  const int dir = open(FolderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  fsync(dir);
  close(dir);
}

}  // namespace

bool WriteFileAtomically(const Text& path, const std::vector<uint8_t>& bytes, std::string& error) {
  error.clear();
  std::string target;
  if (!FinalTarget(SystemPath(path), target)) {
    error = Reason("cannot follow the link", SystemPath(path));
    return false;
  }
  // mkstemp opens with O_CREAT | O_EXCL: a link or file planted under the name is never written through.
  std::string temporary = target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = Reason("cannot create a new file beside", target);
    return false;
  }
  struct stat old {};
  const mode_t mode = stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  bool ok = WriteAll(fd, bytes);
  if (!ok) error = Reason("cannot write", temporary);
  if (ok && (fchmod(fd, mode) != 0 || fsync(fd) != 0)) {
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
  // The rename itself reaches the disk once the folder holding it is synced.
  SyncFolder(target);
  return true;
}

bool ReadWholeFile(const Text& path, std::vector<uint8_t>& bytes, int64_t limit, bool& tooLarge) {
  bytes.clear();
  tooLarge = false;
  const int fd = open(SystemPath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  // One byte past the limit is enough to know, whatever size the file claims.
  bytes.resize(static_cast<size_t>(limit) + 1);
  size_t got = 0;
  bool ok = true;
  while (got < bytes.size()) {
    const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  tooLarge = ok && got > static_cast<size_t>(limit);
  bytes.resize(ok && !tooLarge ? got : 0);
  return ok && !tooLarge;
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
  for (int n = 1; n <= kMaxKept; ++n) {
    const std::string name = target + ".bad" + (n == 1 ? "" : "." + std::to_string(n));
    // Both refuse to replace an existing name, so an earlier kept original is never lost.
    if (linksWork && link(target.c_str(), name.c_str()) == 0) {
      SyncFolder(target);
      keptAs = name;
      return true;
    }
    if (linksWork && errno != EEXIST) linksWork = false;
    if (!linksWork && renameat2(AT_FDCWD, target.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
      SyncFolder(target);
      keptAs = name;
      return true;
    }
    if (errno != EEXIST) {
      error = Reason("cannot keep", target);
      return false;
    }
  }
  error = "cannot keep " + target + ": " + std::to_string(kMaxKept) + " kept copies are there already";
  return false;
}
