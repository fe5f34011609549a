// Xlib's error handlers, reached through dlopen so the program needs no X library to build or to
// run headless. Xlib calls the error handler from inside whatever call met the error, so it only
// notes the failure; the connection-lost handler may not return at all, so it saves and ends there,
// forgetting the window rather than closing it (SDL would wait for the server's answer for ever).
#include "platform/display/x11_watch.h"

#include "platform/display/display.h"
// After the game's own header: Xlib defines macros named like the display's functions.
#include <X11/Xlib.h>
#include <dlfcn.h>

#include <cstdio>
#include <string>

#include "platform/core/program.h"
#include "platform/core/signals.h"

namespace {

using TSetErrorHandler = XErrorHandler (*)(XErrorHandler);
using TSetIOErrorHandler = XIOErrorHandler (*)(XIOErrorHandler);

void* library = nullptr;
TSetErrorHandler setErrorHandler = nullptr;
TSetIOErrorHandler setIOErrorHandler = nullptr;
XErrorHandler earlierError = nullptr;
XIOErrorHandler earlierIOError = nullptr;

int OnXError(Display*, XErrorEvent* event) {
  WindowSystemError(event->error_code, event->request_code);
  return 0;
}

int OnXIOError(Display*) { WindowSystemLost(); }

}  // namespace

void WatchWindowSystem() {
  if (library != nullptr) return;
  library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return;
  setErrorHandler = reinterpret_cast<TSetErrorHandler>(dlsym(library, "XSetErrorHandler"));
  setIOErrorHandler = reinterpret_cast<TSetIOErrorHandler>(dlsym(library, "XSetIOErrorHandler"));
  if (setErrorHandler != nullptr) earlierError = setErrorHandler(OnXError);
  if (setIOErrorHandler != nullptr) earlierIOError = setIOErrorHandler(OnXIOError);
}

void StopWatchingWindowSystem() {
  if (library == nullptr) return;
  if (setErrorHandler != nullptr) setErrorHandler(earlierError);
  if (setIOErrorHandler != nullptr) setIOErrorHandler(earlierIOError);
  dlclose(library);
  library = nullptr;
  setErrorHandler = nullptr;
  setIOErrorHandler = nullptr;
}

void WindowSystemError(int errorCode, int requestCode) {
  // BadWindow (3) is what another program destroying the window leaves behind.
  const std::string what = errorCode == BadWindow ? "the window was destroyed by another program"
                                                  : "the window system failed";
  NoteWindowSystemFailure(what + " (X error " + std::to_string(errorCode) + ", request " +
                          std::to_string(requestCode) + ")");
}

void WindowSystemLost() {
  std::fprintf(stderr, "Cairnmark: the connection to the window system was lost; %s\n", EndingWords());
  // Closing the window would wait for the server's answer for ever.
  AbandonDisplay();
  EndProcessNow(1);
}
