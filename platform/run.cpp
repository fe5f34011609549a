// The platform's start-up around the game: end mode, working directory, clock, key source, display
// mode and screenshots, then the game's body; every way the program ends becomes an exit status, and
// SDL is shut down whatever happened.
#include "platform/input/key_events.h"
#include "platform/run.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/core/clock.h"
#include "platform/core/random.h"
#include "platform/display/display.h"
#include "platform/files/folder_lock.h"
#include "platform/input/keyboard.h"
#include "platform/replay/script_player.h"
#include "platform/core/program.h"
#include "platform/display/sdl_controllers.h"
#include "platform/replay/recorder.h"
#include "platform/display/sdl_events.h"
#include "platform/core/signals.h"
#include "platform/display/x11_watch.h"

namespace {

// Headless with no script nothing can ever press a key: a wait ends the program as closing would.
void UseEndingKeySource() {
  TKeySource source;
  source.poll = [] {};
  source.wait = [] {
    CloseRequestedEvent();
    ExitProgram();
  };
  SetKeySource(std::move(source));
}

}  // namespace

int RunProgram(TRunOptions options, void (*body)()) {
  SetEndMode(EndMode::Throw);
  std::error_code failed;
  const std::string recordPath =
      options.recordPath.empty() ? "" : std::filesystem::absolute(options.recordPath, failed).string();
  if (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0) {
    std::fprintf(stderr, "Cairnmark: cannot enter the directory %s\n", options.workDir.c_str());
    return 1;
  }
  std::string lockError;
  if (!LockWorkingFolder(lockError)) {
    std::fprintf(stderr, "Cairnmark: %s\n", lockError.c_str());
    return 1;
  }
  if (options.record &&
      !StartRecorder(recordPath, options.gameVersion, options.saveName, options.saveLimit, lockError)) {
    std::fprintf(stderr, "Cairnmark: %s\n", lockError.c_str());
    UnlockWorkingFolder();
    return 2;
  }
  // The recording keeps the clock value the game seeds its random numbers with.
  SetSeedHook(options.record ? RecordSeedClock : nullptr);
  SetFailedExitStatus(0);
  // A recording watched plays in a scratch folder: no save of the player's is in play.
  SaySaved(!options.watch);
  CatchEndSignals();
  if (!options.headless) WatchWindowSystem();
  if (options.virtualClock)
    UseVirtualClock(options.clockStart);
  else
    UseRealClock();
  SetDisplayHeadless(options.headless);
  SetDisplayDrawsNothing(options.drawNothing);
  ResetKeyboard();
  if (options.watch)
    UseWatchKeySource(std::move(options.keys));
  else if (options.useKeyScript)
    UseKeyScript(std::move(options.keys));
  else if (options.headless)
    UseEndingKeySource();
  else
    UseSdlKeySource();
  if (!options.shotsDir.empty()) {
    auto shot = std::make_shared<int>(0);
    std::string dir = options.shotsDir;
    SetKeyWaitHook([shot, dir] {
      char name[32];
      std::snprintf(name, sizeof name, "/%04d.png", ++*shot);
      SaveScreenshot(dir + name);
    });
  }
  int status = 0;
  try {
    body();
    EndProgram(0);
  } catch (const ProgramEnded& ended) {
    status = ended.status & 255;
  }
  if (options.record && !FinishRecorder(status) && status == 0) status = 1;
  SetSeedHook(nullptr);
  // The recorded game's own end (a signal it recorded among them) is no failure of watching it.
  if (options.watch && status != 1 && status != 255 && !EndSignalArrived()) status = 0;
  SetKeyWaitHook(nullptr);
  StopControllers();
  ShutdownDisplaySystem();
  SetDisplayDrawsNothing(false);
  StopWatchingWindowSystem();
  ReleaseEndSignals();
  UnlockWorkingFolder();
  return status;
}
