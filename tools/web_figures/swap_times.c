/* An LD_PRELOAD shim for tests/web/figures.mjs: notes the monotonic time (milliseconds) of each
 * SDL_GL_SwapWindow the desktop game makes, one line each in the file $CAIRNMARK_SWAP_TIMES, then
 * swaps; the game itself is unchanged. Built by the figures script: cc -shared -fPIC ... -ldl. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

void SDL_GL_SwapWindow(void* window) {
  static void (*swap)(void*) = NULL;
  static FILE* out = NULL;
  if (!swap) swap = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
  if (!out && getenv("CAIRNMARK_SWAP_TIMES")) out = fopen(getenv("CAIRNMARK_SWAP_TIMES"), "w");
  swap(window);
  if (out) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    fprintf(out, "%.3f\n", now.tv_sec * 1e3 + now.tv_nsec / 1e6);
    fflush(out);
  }
}
