// Ways the program is asked to end from outside: the signals SIGTERM, SIGINT, SIGHUP and SIGQUIT,
// and the window system failing under the game. Each is only noted where it arrives; the program
// then ends at its next key query or key wait through the exit handlers, so the game is saved first.
#pragma once
#include <string>

// Catches the four signals (the handlers in place before are kept for ReleaseEndSignals). The
// first is noted; a second one, should the ending be stuck, ends the process as the signal would.
void CatchEndSignals();
// Puts the earlier handlers back and forgets any end that was asked for.
void ReleaseEndSignals();

// The window system failed (the window destroyed by another program): what, for the one line.
void NoteWindowSystemFailure(const std::string& what);

// Asks for the end signal number as if it had arrived (a recorded signal played back).
void RequestEndSignal(int number);

// True when an end signal really arrived (not one played back).
bool EndSignalArrived();

// Whether the lines that tell of an end from outside may say the game is saved: not while a
// recording is watched, where no save of the player's is in play.
void SaySaved(bool saved);
// "the game is saved and ends", or "the game ends".
const char* EndingWords();

// True once the program has been asked to end and has not ended yet.
bool EndRequested();
// Ends the program if it has been asked to: with 128 + the signal's number (the status a shell gives
// a program the signal ended), or with 1 after a window-system failure and its one line.
void EndIfRequested();
