// A small tmpfs mounted on a folder, for the full-disk and read-only cases: what a player's disk
// does, without filling the real one. Only a process allowed to mount can make one; tests skip
// with the reason otherwise. Header only, shared by the test programs.
#pragma once
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

class TSmallDisk {
 public:
  // Mounts 64 KiB (or what options say) on where (a folder that must exist); mounted() says whether
  // it worked, why() why not.
  explicit TSmallDisk(std::filesystem::path where, const char* options = "size=64k,mode=0777")
      : path_(std::move(where)) {
    if (mount("tmpfs", path_.c_str(), "tmpfs", 0, options) == 0) {
      mounted_ = true;
    } else {
      why_ = std::string("cannot mount a small tmpfs here (") + std::strerror(errno) + ")";
    }
  }
  ~TSmallDisk() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
  }
  TSmallDisk(const TSmallDisk&) = delete;
  TSmallDisk& operator=(const TSmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }

  // Writes a filler file until no byte more fits.
  void Fill() const {
    const int fd = open((path_ / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const std::vector<char> chunk(1024, 'x');
    while (fd >= 0 && write(fd, chunk.data(), chunk.size()) > 0) {
    }
    while (fd >= 0 && write(fd, chunk.data(), 1) > 0) {
    }
    if (fd >= 0) close(fd);
  }
  // From now on nothing can be written on it (as a read-only folder for any user, root included).
  bool MakeReadOnly() const {
    return mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k,mode=0777") == 0;
  }

 private:
  std::filesystem::path path_;
  bool mounted_ = false;
  std::string why_;
};
