// The installed game's save folder under the player's data home, and making it.
#include "platform/files/data_home.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

// An environment variable's value when it names an absolute path, else empty.
std::string AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

bool IsFolder(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string DataHomeSaveFolder(std::string& error) {
  std::string dataHome = AbsoluteFromEnvironment("XDG_DATA_HOME");
  if (dataHome.empty()) {
    std::string home = AbsoluteFromEnvironment("HOME");
    if (home.empty()) {
      // No HOME (a service, a stripped environment): the account's own home folder.
      const passwd* account = getpwuid(getuid());
      if (account != nullptr && account->pw_dir != nullptr && account->pw_dir[0] == '/') home = account->pw_dir;
    }
    if (home.empty()) {
      error = "no folder for the save: neither XDG_DATA_HOME nor HOME names a folder";
      return std::string();
    }
    dataHome = home + "/.local/share";
  }
  while (dataHome.size() > 1 && dataHome.back() == '/') dataHome.pop_back();
  return (dataHome == "/" ? std::string() : dataHome) + "/cairnmark";
}

bool MakeFolders(const std::string& path, std::string& error) {
  // Each prefix ending before a slash, then the whole path.
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string prefix = path.substr(0, end);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
      error = "cannot make the save folder " + path + ": " + prefix + ": " + std::strerror(errno);
      return false;
    }
    if (end == std::string::npos) break;
  }
  if (!IsFolder(path)) {
    error = "cannot make the save folder " + path + ": something other than a folder is in the way";
    return false;
  }
  return true;
}
