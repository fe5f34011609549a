// The game in a web page: plays in the page's save folder, kept in the browser, and is recorded as
// cairnmark --record records, so the page can hand the recording out.
#include <stdlib.h>

#include "game/screens/start.h"
#include "game/state/save.h"
#include "platform/run.h"
#include "platform/web/save_folder.h"

int main() {
  // The page is the window system; keys reach the game only while its canvas has the focus.
  setenv("SDL_VIDEODRIVER", "emscripten", 0);
  setenv("SDL_EMSCRIPTEN_KEYBOARD_ELEMENT", "#canvas", 0);
  constexpr const char* kFolder = "/cairnmark";
  OpenWebSaveFolder(kFolder);
  TRunOptions options;
  options.workDir = kFolder;
  // Beside the save folder, in the page's memory: the page offers it for download.
  options.record = true;
  options.recordPath = "/tmp/cairnmark.rec";
  options.gameVersion = CAIRNMARK_VERSION;
  options.saveLimit = kSaveReadLimit;
  return RunProgram(std::move(options), [] { GameMain(); });
}
