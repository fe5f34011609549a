// The page's requests arrive as calls from its script while the game waits (between frames or for a
// key); the game's end goes back through Module.onGameEnded.
#include "platform/web/page.h"

#include <emscripten.h>

#include "platform/core/program.h"
#include "platform/display/sdl_events.h"
#include "platform/web/save_folder.h"

namespace {

EM_JS(void, CallGameEnded, (int status), {
  if (Module.onGameEnded) Module.onGameEnded(status);
});

}  // namespace

extern "C" {

// Another game is to start in the canvas: this one ends as a closed window ends it, saved.
EMSCRIPTEN_KEEPALIVE void cairnmark_close() { RequestWindowClose(); }

// The page is going away (closed, reloaded, navigated from): nothing runs after the script's
// handler returns, so the game saves now, as a lost window would have it, and ends on the spot.
EMSCRIPTEN_KEEPALIVE void cairnmark_leave() {
  StoreWebSaveFolderWithoutWaiting();
  EndProcessNow(0);
}

}  // extern "C"

void TellPageGameEnded(int status) { CallGameEnded(status); }
