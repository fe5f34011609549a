#include "platform/files/folder_keeper.h"

#include <unistd.h>

namespace {

bool (*folderKeeper)(std::string& error) = nullptr;

}  // namespace

void SetFolderKeeper(bool (*keeper)(std::string& error)) { folderKeeper = keeper; }

bool FolderKept(std::string& error) { return !folderKeeper || folderKeeper(error); }

bool FlushToDisk(int fd) { return folderKeeper != nullptr || fsync(fd) == 0; }
