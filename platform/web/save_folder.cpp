// The page's save folder on IndexedDB (emscripten's IDBFS): mounted and read in before the game,
// flushed after each replaced file, each time awaited so the game goes on only once it is kept.
#include "platform/web/save_folder.h"

#include <emscripten.h>
#include <sys/stat.h>

namespace {

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
  if (!err) {
    if (Module.onSaveFolderStored) Module.onSaveFolderStored();
    return 0;
  }
  const reason = "the browser would not keep it (" + (err.message || err.name || String(err)) + ")";
  return stringToNewUTF8(reason);
});

}  // namespace

bool OpenWebSaveFolder(const char* folder) {
  // Emscripten starts with every permission bit masked, which would write a save nobody may read.
  umask(022);
  return MountAndLoad(folder) != 0;
}

bool FlushWebSaveFolder(std::string& error) {
  char* reason = StoreAll();
  if (!reason) return true;
  error = reason;
  free(reason);
  return false;
}
