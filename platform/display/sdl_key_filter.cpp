// The window's own keys. An Enter pressed with Alt is remembered so that its release, which may come
// after Alt was let go, is dropped too; F11 is the key players try first for full screen, and the
// game's menus never offer the option it would otherwise stand for.
#include "platform/display/sdl_key_filter.h"

#include <SDL.h>

namespace {

bool altEnterHeld = false;

bool IsAlt(int32_t keycode) { return keycode == SDLK_LALT || keycode == SDLK_RALT || keycode == SDLK_MODE; }
bool IsEnter(int32_t keycode) { return keycode == SDLK_RETURN || keycode == SDLK_KP_ENTER; }

}  // namespace

TSdlKeyAction FilterSdlKey(int32_t keycode, bool alt, bool down, bool repeat) {
  if (IsAlt(keycode)) return TSdlKeyAction::Drop;
  if (keycode == SDLK_F11) return down && !repeat ? TSdlKeyAction::ToggleFullScreen : TSdlKeyAction::Drop;
  if (IsEnter(keycode) && down && alt) {
    bool first = !altEnterHeld && !repeat;
    altEnterHeld = true;
    return first ? TSdlKeyAction::ToggleFullScreen : TSdlKeyAction::Drop;
  }
  if (IsEnter(keycode) && !down && altEnterHeld) {
    altEnterHeld = false;
    return TSdlKeyAction::Drop;
  }
  return TSdlKeyAction::Pass;
}

void ResetSdlKeyFilter() { altEnterHeld = false; }
