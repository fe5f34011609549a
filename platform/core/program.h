// How the program ends: exit handlers run in reverse order of registration, then the process ends
// with the status (0 for ExitProgram, -1 i.e. 255 for RaiseError; a failed save turns 0 into 1).
// Tests and the replay tool ask for ending by throwing ProgramEnded instead, so the runner survives
// and sees the status.
#pragma once
#include <functional>

#include "platform/core/text.h"

// Thrown, after the handlers ran, when the end mode is Throw.
struct ProgramEnded {
  int status;
};

enum class EndMode { Exit, Throw };

void SetEndMode(EndMode mode);

// Registers a handler to run when the program ends.
void AtExit(std::function<void()> handler);

// Runs the exit handlers and ends the program with status 0.
[[noreturn]] void ExitProgram();

// Writes message to standard error without a line end, runs the exit handlers, ends with status -1.
[[noreturn]] void RaiseError(const Text& message);

// Runs the handlers (once; a second end while they run skips them) and ends with status.
[[noreturn]] void EndProgram(int status);

// Something the user relies on failed without stopping the game (the save could not be written):
// an end that would report 0 reports status instead.
void SetFailedExitStatus(int status);

// Runs the handlers (once) and ends the process at once, from inside a library's callback that
// cannot be unwound (the window system's connection lost); never throws, whatever the end mode.
[[noreturn]] void EndProcessNow(int status);

// True while the handlers run for an end on the spot, after which nothing of the program runs: a
// handler that only cleans up for code that would otherwise run after the end does its work then.
bool EndingOnTheSpot();

// Forgets every registered handler and a failed status; tests call it between in-process runs.
void ResetExitHandlers();
