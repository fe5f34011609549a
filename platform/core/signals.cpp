// The end signals, caught with sigaction: the handler only records the signal's number (all a
// handler may safely do); the key queries and waits call EndIfRequested, which ends the program
// the ordinary way, so a terminal closed, a Ctrl+C or a kill saves the game as Escape does.
#include "platform/core/signals.h"

#include <csignal>
#include <cstdio>

#include "platform/core/program.h"

namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGQUIT};
constexpr int kSignalCount = sizeof kEndSignals / sizeof kEndSignals[0];

volatile std::sig_atomic_t pendingSignal = 0;
volatile std::sig_atomic_t signalsSeen = 0;
volatile std::sig_atomic_t signalArrived = 0;
bool saySaved = true;
bool windowSystemFailed = false;
std::string failure;
bool caught = false;
struct sigaction earlier[kSignalCount];

// A second end signal is not asked twice: should the first end be stuck, the second ends at once.
void OnEndSignal(int number) {
  if (signalsSeen != 0) {
    std::signal(number, SIG_DFL);
    std::raise(number);
    return;
  }
  signalsSeen = 1;
  signalArrived = 1;
  pendingSignal = number;
}

}  // namespace

void CatchEndSignals() {
  if (caught) return;
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  // Slow calls carry on after the handler; the end waits for the next key query anyway.
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < kSignalCount; ++i) sigaction(kEndSignals[i], &action, &earlier[i]);
  caught = true;
}

void ReleaseEndSignals() {
  if (caught) {
    for (int i = 0; i < kSignalCount; ++i) sigaction(kEndSignals[i], &earlier[i], nullptr);
  }
  caught = false;
  pendingSignal = 0;
  signalsSeen = 0;
  signalArrived = 0;
  saySaved = true;
  windowSystemFailed = false;
  failure.clear();
}

void NoteWindowSystemFailure(const std::string& what) {
  if (windowSystemFailed) return;
  windowSystemFailed = true;
  failure = what;
}

void RequestEndSignal(int number) {
  signalsSeen = 1;
  pendingSignal = number;
}

bool EndSignalArrived() { return signalArrived != 0; }

void SaySaved(bool saved) { saySaved = saved; }

const char* EndingWords() { return saySaved ? "the game is saved and ends" : "the game ends"; }

bool EndRequested() { return pendingSignal != 0 || windowSystemFailed; }

void EndIfRequested() {
  if (windowSystemFailed) {
    // Told once: the exit handlers may poll again while they run.
    windowSystemFailed = false;
    std::fprintf(stderr, "Cairnmark: %s; %s\n", failure.c_str(), EndingWords());
    EndProgram(1);
  }
  const int number = pendingSignal;
  if (number == 0) return;
  pendingSignal = 0;
  EndProgram(128 + number);
}
