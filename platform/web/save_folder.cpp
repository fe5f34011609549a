// The page's save folder on IndexedDB (emscripten's IDBFS): mounted and read in before the game,
// stored after each change to it, each time awaited so the game goes on only once its save is kept.
#include "platform/web/save_folder.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/files/folder_keeper.h"

namespace {

bool readable = false;
bool leaving = false;

// 1 when the folder was read in from IndexedDB.
EM_ASYNC_JS(int, MountAndLoad, (const char* folder), {
  const path = UTF8ToString(folder);
  FS.mkdir(path);
  FS.mount(IDBFS, {}, path);
  return await new Promise(function(resolve) {
    FS.syncfs(true, function(err) { resolve(err ? 0 : 1); });
  });
});

// 0 when kept, else a reason the caller frees.
EM_ASYNC_JS(char*, StoreAll, (), {
  const err = await new Promise(function(resolve) { FS.syncfs(false, resolve); });
  if (!err) return 0;
  return stringToNewUTF8("the browser would not keep it (" + (err.message || err.name || String(err)) + ")");
});

// The same, handed over without waiting: the page is being left.
EM_JS(void, StoreAllNow, (), {
  FS.syncfs(false, function(err) {
    if (err) console.error("the save could not be kept as the page was left: " + (err.message || err));
  });
});

bool KeepFolder(std::string& error) {
  if (!readable) {
    error = "the browser's storage could not be read, so it keeps nothing";
    return false;
  }
  if (leaving) {
    StoreAllNow();
    return true;
  }
  char* reason = StoreAll();
  if (!reason) return true;
  error = reason;
  free(reason);
  return false;
}

}  // namespace

bool OpenWebSaveFolder(const char* folder) {
  // Emscripten starts with every permission bit masked, which would write a save nobody may read.
  umask(022);
  readable = MountAndLoad(folder) != 0;
  SetFolderKeeper(KeepFolder);
  return readable;
}

void StoreWebSaveFolderWithoutWaiting() { leaving = true; }
