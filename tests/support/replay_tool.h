// Running the replay tool from a test: its path in the build, and the start of a shell command that
// runs it headless with the project's one leak suppression file (sanitizer builds check the session
// for leaks, past the software OpenGL driver's own leftovers; see keep_gl_driver.cpp).
#pragma once
#include <string>

inline const std::string kReplay = std::string(CAIRNMARK_BINARY_DIR) + "/tools/replay/cairnmark-replay";

inline std::string ReplayCommand() {
  return "LSAN_OPTIONS=print_suppressions=0:suppressions='" + std::string(CAIRNMARK_SOURCE_DIR) +
         "/tests/lsan.supp' SDL_VIDEODRIVER=offscreen '" + kReplay + "'";
}
