// cairnmark-launchtime: starts a program on the X display in $DISPLAY, watches the screen and reports
// when its first window is mapped (and at what size) and when the middle row of the screen stops
// being black, which for the game is its first title frame (the dimmed title picture and the first
// creatures); then ends the program. Every run starts in a fresh empty folder.
//
//   cairnmark-launchtime [--runs N] [--verbose] PROGRAM [ARGS...]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// A row mostly not black: the picture is up (a window's black inside, or no window, is not).
bool RowShowsPicture(Display* display, Window root, int width, int y) {
  XImage* row = XGetImage(display, root, 0, y, static_cast<unsigned>(width), 1, AllPlanes, ZPixmap);
  if (!row) return false;
  int lit = 0;
  for (int x = 0; x < width; ++x)
    if ((XGetPixel(row, x, 0) & 0xFFFFFF) > 0x101010) ++lit;
  XDestroyImage(row);
  return lit > width / 4;
}

struct Run {
  double mapped = -1, title = -1;
  int mappedWidth = 0, mappedHeight = 0;
};

Run Measure(Display* display, char** argv, bool verbose) {
  Window root = DefaultRootWindow(display);
  int width = DisplayWidth(display, DefaultScreen(display));
  int height = DisplayHeight(display, DefaultScreen(display));
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, True);
  char folder[] = "/tmp/cairnmark-launch-XXXXXX";
  Run run;
  if (!mkdtemp(folder)) return run;
  Clock::time_point start = Clock::now();
  pid_t child = fork();
  if (child == 0) {
    if (chdir(folder) != 0) _exit(127);
    execvp(argv[0], argv);
    _exit(127);
  }
  while (Seconds(start) < 10) {
    while (XPending(display)) {
      XEvent e;
      XNextEvent(display, &e);
      if (e.type == MapNotify && run.mapped < 0) {
        XWindowAttributes a;
        run.mapped = Seconds(start);
        if (XGetWindowAttributes(display, e.xmap.window, &a)) {
          run.mappedWidth = a.width;
          run.mappedHeight = a.height;
        }
      }
      if (verbose && (e.type == MapNotify || e.type == ConfigureNotify)) {
        XWindowAttributes a{};
        Window w = e.type == MapNotify ? e.xmap.window : e.xconfigure.window;
        XGetWindowAttributes(display, w, &a);
        std::printf("  %.3f s %s window 0x%lx %dx%d+%d+%d\n", Seconds(start), e.type == MapNotify ? "mapped" : "configured",
                    w, a.width, a.height, a.x, a.y);
      }
    }
    if (RowShowsPicture(display, root, width, height / 2)) {
      run.title = Seconds(start);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  XSelectInput(display, root, NoEventMask);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  // Let the screen settle back to black before the next run.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 10, first = 1;
  bool verbose = false;
  for (; first < argc; ++first) {
    if (std::strcmp(argv[first], "--runs") == 0 && first + 1 < argc) runs = std::max(1, std::atoi(argv[++first]));
    else if (std::strcmp(argv[first], "--verbose") == 0) verbose = true;
    else break;
  }
  if (first >= argc) {
    std::fprintf(stderr, "usage: cairnmark-launchtime [--runs N] [--verbose] PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cairnmark-launchtime: cannot open the display\n");
    return 1;
  }
  std::vector<double> titles, maps;
  for (int i = 0; i < runs; ++i) {
    Run run = Measure(display, argv + first, verbose);
    std::printf("run %d: window mapped %.3f s (%dx%d), title %.3f s\n", i + 1, run.mapped, run.mappedWidth,
                run.mappedHeight, run.title);
    if (run.title >= 0) titles.push_back(run.title);
    if (run.mapped >= 0) maps.push_back(run.mapped);
  }
  auto report = [](const char* what, std::vector<double> v) {
    if (v.empty()) return;
    std::sort(v.begin(), v.end());
    std::printf("%s: median %.3f s, min %.3f, max %.3f over %zu runs\n", what, v[v.size() / 2], v.front(), v.back(),
                v.size());
  };
  report("window mapped", maps);
  report("title on screen", titles);
  XCloseDisplay(display);
  return titles.size() == static_cast<size_t>(runs) ? 0 : 1;
}
