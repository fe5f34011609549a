// Compiled with the game library's include directories and flags; the build must refuse it, since
// only the platform library may see an outside library's headers.
#include <SDL.h>

int LayerCheckSdlVersion() { return SDL_MAJOR_VERSION; }
