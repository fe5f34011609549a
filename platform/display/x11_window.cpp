// What is asked of the X server directly, through the connection SDL opened: the window's geometry,
// whether a window manager is there to make windows full screen, the keyboard's repeat delay and
// rate, the _NET_WM_ICON property, which holds every size of the icon where SDL sets only one, and the
// _NET_WM_STATE property and message by which window managers make a window full screen.
#include "platform/display/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include "platform/images/image.h"

#if defined(SDL_VIDEO_DRIVER_X11) && defined(CAIRNMARK_HAVE_X11)
#include <X11/XKBlib.h>
#include <X11/Xatom.h>

namespace {

bool X11Handles(SDL_Window* window, Display*& display, Window& xwindow) {
  if (!window) return false;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  return display != nullptr && xwindow != 0;
}

}  // namespace

bool X11WindowSize(SDL_Window* window, int32_t& width, int32_t& height) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Handles(window, display, xwindow)) return false;
  Window root = 0;
  int x = 0, y = 0;
  unsigned int w = 0, h = 0, border = 0, depth = 0;
  if (!XGetGeometry(display, xwindow, &root, &x, &y, &w, &h, &border, &depth)) return false;
  width = static_cast<int32_t>(w);
  height = static_cast<int32_t>(h);
  return true;
}

bool X11MarkFullScreen(SDL_Window* window) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Handles(window, display, xwindow)) return false;
  Atom state = XInternAtom(display, "_NET_WM_STATE", False);
  Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  XChangeProperty(display, xwindow, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&fullScreen),
                  1);
  XFlush(display);
  return true;
}

bool X11LeaveFullScreen(SDL_Window* window) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Handles(window, display, xwindow)) return false;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = xwindow;
  e.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = 0;  // remove
  e.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False));
  e.xclient.data.l[3] = 1;  // from an application
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureNotifyMask | SubstructureRedirectMask, &e);
  XFlush(display);
  return true;
}

bool X11HasFullScreenManager(SDL_Window* window) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Handles(window, display, xwindow)) return false;
  // The window a manager names on the root, naming itself again: a manager that has gone away
  // leaves the first behind.
  auto namedWindow = [display](Window on, Atom property) -> Window {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window named = 0;
    if (XGetWindowProperty(display, on, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        data && type == XA_WINDOW && format == 32 && count == 1)
      named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return named;
  };
  Window root = DefaultRootWindow(display);
  Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  Window manager = namedWindow(root, check);
  if (manager == 0) return false;
  // Asking a window that no longer exists must not end the program through the error handler.
  XSync(display, False);
  int (*previous)(Display*, XErrorEvent*) = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  Window self = namedWindow(manager, check);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (self != manager) return false;
  Atom supported = XInternAtom(display, "_NET_SUPPORTED", False);
  Atom fullScreen = XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  bool found = false;
  if (XGetWindowProperty(display, root, supported, 0, 4096, False, XA_ATOM, &type, &format, &count, &after, &data) ==
          Success &&
      data && type == XA_ATOM && format == 32) {
    const auto* atoms = reinterpret_cast<const unsigned long*>(data);
    for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == fullScreen;
  }
  if (data) XFree(data);
  return found;
}

bool X11KeyRepeat(SDL_Window* window, uint32_t& delay, uint32_t& interval) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Handles(window, display, xwindow)) return false;
  unsigned int d = 0, i = 0;
  if (!XkbGetAutoRepeatRate(display, XkbUseCoreKbd, &d, &i)) return false;
  delay = d;
  interval = i;
  return true;
}

bool X11SetWindowIcons(SDL_Window* window, const std::vector<const TPixmap*>& icons) {
  Display* display = nullptr;
  Window xwindow = 0;
  if (!X11Handles(window, display, xwindow)) return false;
  // Width, height, then ARGB pixels, each in a long, as the property's format 32 wants.
  std::vector<unsigned long> data;
  for (const TPixmap* icon : icons) {
    if (!icon || icon->format != 6) continue;
    data.push_back(static_cast<unsigned long>(icon->width));
    data.push_back(static_cast<unsigned long>(icon->height));
    for (int32_t y = 0; y < icon->height; ++y)
      for (int32_t x = 0; x < icon->width; ++x) {
        const uint8_t* p = &icon->pixels[static_cast<size_t>(y) * icon->pitch + static_cast<size_t>(x) * 4];
        data.push_back(static_cast<unsigned long>(p[3]) << 24 | static_cast<unsigned long>(p[0]) << 16 |
                       static_cast<unsigned long>(p[1]) << 8 | p[2]);
      }
  }
  if (data.empty()) return false;
  Atom property = XInternAtom(display, "_NET_WM_ICON", False);
  XChangeProperty(display, xwindow, property, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
  XFlush(display);
  return true;
}

#else

bool X11WindowSize(SDL_Window*, int32_t&, int32_t&) { return false; }
bool X11MarkFullScreen(SDL_Window*) { return false; }
bool X11LeaveFullScreen(SDL_Window*) { return false; }
bool X11HasFullScreenManager(SDL_Window*) { return false; }
bool X11KeyRepeat(SDL_Window*, uint32_t&, uint32_t&) { return false; }
bool X11SetWindowIcons(SDL_Window*, const std::vector<const TPixmap*>&) { return false; }

#endif
