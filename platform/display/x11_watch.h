// The X connection under SDL's window: Xlib's own answer to an error is to end the process on the
// spot, so the game was never saved. Here an X protocol error (the window destroyed by another
// program) ends the program at its next key query, saved, with status 1; the connection lost saves
// and ends the process at once with status 1.
#pragma once

// Installs the handlers before SDL opens the display (SDL chains its own to them); nothing happens
// where no X library can be loaded.
void WatchWindowSystem();
// Puts Xlib's earlier handlers back.
void StopWatchingWindowSystem();

// What the handlers do, reachable without an X server.
void WindowSystemError(int errorCode, int requestCode);
[[noreturn]] void WindowSystemLost();
