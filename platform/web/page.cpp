// The page's requests arrive as calls from its script while the game waits (between frames or for a
// key); the game's end goes back through Module.onGameEnded. A key wait sleeps until the page sees
// an event rather than polling SDL.
#include "platform/web/page.h"

#include <emscripten.h>

#include "platform/core/program.h"
#include "platform/display/sdl_events.h"
#include "platform/web/save_folder.h"

namespace {

// Seen while capturing, so SDL's own handler has queued the event by the time the game wakes.
EM_ASYNC_JS(void, SleepUntilPageEvent, (int32_t ms), {
  const kinds = ['keydown', 'keyup', 'keypress', 'focus', 'blur', 'resize', 'fullscreenchange', 'visibilitychange'];
  await new Promise((wake) => {
    let timer = 0;
    const done = () => {
      clearTimeout(timer);
      for (const kind of kinds) window.removeEventListener(kind, seen, true);
      wake();
    };
    const seen = () => setTimeout(done, 0);
    timer = setTimeout(done, ms);
    for (const kind of kinds) window.addEventListener(kind, seen, true);
  });
});

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

void ServePage() { SetEventWaiter(SleepUntilPageEvent); }

void TellPageGameEnded(int status) { CallGameEnded(status); }
