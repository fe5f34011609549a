// How the program ends: the exit handlers (run once, newest first), then either the process exit or,
// for tests and the replay tool, a ProgramEnded throw carrying the status. A second end while the
// handlers run (a handler raising an error) skips the handlers left and ends with the new status.
#include "platform/core/program.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

EndMode endMode = EndMode::Exit;
std::vector<std::function<void()>> exitHandlers;
bool handlersRunning = false;
bool endingOnTheSpot = false;
int failedStatus = 0;

// Clears the running flag however the handlers finish, a throw included.
struct RunningGuard {
  RunningGuard() { handlersRunning = true; }
  ~RunningGuard() { handlersRunning = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;
};

void RunHandlersOnce() {
  if (handlersRunning) return;
  // Taken out of the table first, so each handler runs at most once.
  std::vector<std::function<void()>> handlers = std::move(exitHandlers);
  exitHandlers.clear();
  RunningGuard guard;
  for (auto it = handlers.rbegin(); it != handlers.rend(); ++it) {
    if (*it) (*it)();
  }
}

[[noreturn]] void Finish(int status) {
  if (status == 0) status = failedStatus;
  if (endMode == EndMode::Throw) throw ProgramEnded{status};
  std::fflush(stdout);
  std::fflush(stderr);
  std::exit(status);
}

}  // namespace

void SetEndMode(EndMode mode) { endMode = mode; }

void AtExit(std::function<void()> handler) { exitHandlers.push_back(std::move(handler)); }

void ExitProgram() { EndProgram(0); }

void RaiseError(const Text& message) {
  const std::string bytes = message.ToBytes();
  std::fwrite(bytes.data(), 1, bytes.size(), stderr);
  std::fflush(stderr);
  EndProgram(-1);
}

void EndProgram(int status) {
  RunHandlersOnce();
  Finish(status);
}

void SetFailedExitStatus(int status) { failedStatus = status; }

void EndProcessNow(int status) {
  endingOnTheSpot = true;
  RunHandlersOnce();
  if (status == 0) status = failedStatus;
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(status);
}

bool EndingOnTheSpot() { return endingOnTheSpot; }

void ResetExitHandlers() {
  exitHandlers.clear();
  handlersRunning = false;
  failedStatus = 0;
  endingOnTheSpot = false;
}
