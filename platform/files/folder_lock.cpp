// The folder lock: flock on the folder itself, so nothing is left behind, a crashed copy's lock goes
// with its process, and the lock belongs to the run that took it (a second open in the same process,
// as in-process tests make, is refused like another copy).
#include "platform/files/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace {

int lockedFolder = -1;

std::string WorkingFolderName() {
  char name[PATH_MAX];
  return getcwd(name, sizeof name) != nullptr ? std::string(name) : std::string(".");
}

}  // namespace

bool LockWorkingFolder(std::string& error) {
  error.clear();
  const int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return true;
  if (flock(folder, LOCK_EX | LOCK_NB) != 0) {
    const int why = errno;
    close(folder);
    if (why != EWOULDBLOCK) return true;
    error = "another copy of the game is already playing in " + WorkingFolderName() +
            " (one save.dat, one game at a time)";
    return false;
  }
  lockedFolder = folder;
  return true;
}

void UnlockWorkingFolder() {
  if (lockedFolder < 0) return;
  close(lockedFolder);
  lockedFolder = -1;
}
