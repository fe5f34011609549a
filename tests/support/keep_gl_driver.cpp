// Sanitizer builds only: Mesa's software OpenGL driver keeps a few blocks of its own to the end of
// the program and is unloaded before the leak checker looks, so those blocks show no library name.
// Loading it here for good (RTLD_NODELETE) keeps its name on them, and the suppressions can name
// the driver instead of an allocator the game's own leaks would hide behind.
#include <dlfcn.h>

#include <initializer_list>

namespace {

struct TKeepGlDriver {
  TKeepGlDriver() {
    for (const char* path : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib64/dri/swrast_dri.so",
                             "/usr/lib/dri/swrast_dri.so"}) {
      if (dlopen(path, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE) != nullptr) return;
    }
  }
};

const TKeepGlDriver keep;

}  // namespace
