// SDL's virtual joystick as a standard game controller, for the controller tests.
#include "tests/support/virtual_pad.h"

#include <SDL.h>

namespace {

SDL_Joystick* Joystick(void* p) { return static_cast<SDL_Joystick*>(p); }

}  // namespace

TVirtualPad::TVirtualPad() {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.name = "Cairnmark test pad";
  int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) return;
  joystick_ = SDL_JoystickOpen(index);
  id_ = joystick_ ? SDL_JoystickInstanceID(Joystick(joystick_)) : -1;
}

TVirtualPad::~TVirtualPad() {
  Unplug();
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void TVirtualPad::Press(TPadButton button) {
  if (joystick_) SDL_JoystickSetVirtualButton(Joystick(joystick_), button, SDL_PRESSED);
}

void TVirtualPad::Release(TPadButton button) {
  if (joystick_) SDL_JoystickSetVirtualButton(Joystick(joystick_), button, SDL_RELEASED);
}

void TVirtualPad::Stick(int32_t x, int32_t y) {
  if (!joystick_) return;
  SDL_JoystickSetVirtualAxis(Joystick(joystick_), SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x));
  SDL_JoystickSetVirtualAxis(Joystick(joystick_), SDL_CONTROLLER_AXIS_LEFTY, static_cast<Sint16>(y));
}

void TVirtualPad::Unplug() {
  if (!joystick_) return;
  SDL_JoystickClose(Joystick(joystick_));
  joystick_ = nullptr;
  // Device indexes shift as joysticks come and go: find this one's by its instance.
  for (int i = 0; i < SDL_NumJoysticks(); ++i)
    if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
      SDL_JoystickDetachVirtual(i);
      break;
    }
}
