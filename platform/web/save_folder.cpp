// The page's save folder on IndexedDB (emscripten's IDBFS): mounted and read in before the game,
// stored after each change to it, each time awaited so the game goes on only once its save is kept.
#include "platform/web/save_folder.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/files/folder_keeper.h"

namespace {

const char* mounted = "";
bool readable = false;
bool leaving = false;

// As the page is being left no callback runs again, and IndexedDB drops what it was still
// writing; the browser's local storage is written at once. So the folder is kept there whole as
// the page goes ("cairnmark-folder-as-left:" and its path), and put back in IndexedDB the next time the page opens.

// 1 when the folder was read in from IndexedDB (and what the page left in local storage with it).
EM_ASYNC_JS(int, MountAndLoad, (const char* folder), {
  const path = UTF8ToString(folder);
  FS.mkdir(path);
  FS.mount(IDBFS, {}, path);
  const sync = function(populate) {
    return new Promise(function(resolve) { FS.syncfs(populate, function(err) { resolve(!err); }); });
  };
  if (!await sync(true)) return 0;
  let left = null;
  try { left = JSON.parse(localStorage.getItem("cairnmark-folder-as-left:" + path) || "null"); } catch (e) { left = null; }
  if (!left) return 1;
  FS.readdir(path).forEach(function(name) {
    const file = path + "/" + name;
    if (FS.isFile(FS.stat(file).mode) && !(name in left)) FS.unlink(file);
  });
  Object.keys(left).forEach(function(name) {
    FS.writeFile(path + "/" + name, Uint8Array.from(atob(left[name]), function(c) { return c.charCodeAt(0); }));
  });
  if (await sync(false)) localStorage.removeItem("cairnmark-folder-as-left:" + path);
  return 1;
});

// 0 when kept, else a reason the caller frees.
EM_ASYNC_JS(char*, StoreAll, (), {
  const err = await new Promise(function(resolve) { FS.syncfs(false, resolve); });
  if (!err) return 0;
  return stringToNewUTF8("the browser would not keep it (" + (err.message || err.name || String(err)) + ")");
});

EM_JS(void, StoreAllNow, (const char* folder), {
  const path = UTF8ToString(folder);
  try {
    const left = {};
    FS.readdir(path).forEach(function(name) {
      const file = path + "/" + name;
      if (!FS.isFile(FS.stat(file).mode)) return;
      let text = "";
      FS.readFile(file).forEach(function(byte) { text += String.fromCharCode(byte); });
      left[name] = btoa(text);
    });
    localStorage.setItem("cairnmark-folder-as-left:" + path, JSON.stringify(left));
  } catch (e) {
    console.error("the save could not be kept as the page was left: " + e.message);
  }
});

bool KeepFolder(std::string& error) {
  if (!readable) {
    error = "the browser's storage could not be read, so it keeps nothing";
    return false;
  }
  if (leaving) {
    StoreAllNow(mounted);
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
  mounted = folder;
  readable = MountAndLoad(folder) != 0;
  SetFolderKeeper(KeepFolder);
  return readable;
}

void StoreWebSaveFolderWithoutWaiting() { leaving = true; }
