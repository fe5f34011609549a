// The game in a web page. The page's script starts one program per game, each in a fresh canvas:
//   (nothing)      plays in the save folder the browser keeps, recorded as cairnmark --record
//                  records, so the page can hand out the recording;
//   --upload FILE  the same, after taking FILE as the save when the game's own loader can read it
//                  (a damaged one is then repaired at the title, as any save is), else saying why
//                  and keeping the save there was;
//   --watch FILE   plays a recording as cairnmark --watch does, touching no save.
// Each tells the page when it has ended.
#include <stdlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/watch.h"
#include "game/screens/start.h"
#include "game/screens/world.h"
#include "game/state/save.h"
#include "platform/core/text.h"
#include "platform/files/save_files.h"
#include "platform/run.h"
#include "platform/web/page.h"
#include "platform/web/save_folder.h"

namespace {

constexpr const char* kFolder = "/cairnmark";

// The refusal's words are the page's as well: it shows every line the game writes here.
void Refuse(const std::string& why) { std::fprintf(stderr, "the uploaded save was not taken: %s\n", why.c_str()); }

void TakeUploadedSave(const std::string& upload) {
  std::string text, why;
  // The page hands over at most one byte past the largest save, so a larger file is seen as such.
  if (!ReadRegularFile(upload, static_cast<size_t>(kSaveReadLimit) + 1, text, why)) return Refuse(why);
  if (text.size() > static_cast<size_t>(kSaveReadLimit)) return Refuse("it is far too large to be a saved game");
  const std::vector<uint8_t> bytes(text.begin(), text.end());
  std::string repairs;
  ResetGameWorld();
  // Read into a world of its own; the game starts afresh from the file afterwards.
  const int32_t readable = LoadGameFromBytes(bytes, repairs);
  if (!readable) return Refuse("it is damaged beyond repair (" + repairs + ")");
  if (!WriteFileAtomically(Text(std::string(kFolder) + "/save.dat"), bytes, why)) Refuse(why);
}

}  // namespace

int main(int argc, char** argv) {
  // The page is the window system; keys reach the game only while its canvas has the focus.
  setenv("SDL_VIDEODRIVER", "emscripten", 0);
  setenv("SDL_EMSCRIPTEN_KEYBOARD_ELEMENT", "#canvas", 0);
  ServePage();
  if (!OpenWebSaveFolder(kFolder))
    std::fprintf(stderr, "the browser's storage could not be read: no save can be kept in this page\n");
  const std::string mode = argc == 3 ? argv[1] : "";
  TRunOptions options;
  options.gameVersion = CAIRNMARK_VERSION;
  options.saveLimit = kSaveReadLimit;
  int status = 0;
  if (mode == "--watch") {
    status = Watch(argv[2], std::move(options));
  } else {
    if (mode == "--upload") TakeUploadedSave(argv[2]);
    options.workDir = kFolder;
    // Beside the save folder, in the page's memory: the page offers it for download.
    options.record = true;
    options.recordPath = "/tmp/cairnmark.rec";
    status = RunProgram(std::move(options), [] { GameMain(); });
  }
  TellPageGameEnded(status);
  return status;
}
