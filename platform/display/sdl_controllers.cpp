// Game controllers through SDL's game-controller API, turned into key down and key up events with
// the game's virtual-key codes, so the game, its key scripts and replays never know a controller was
// there. Each key counts the inputs holding it (two controllers, or A and Start together, hold Enter
// once); a controller pulled out lets go of what it held. The held direction pressed last repeats
// as the X server repeats a held key, with the server's own delay and rate. The keys go back to the
// event pump, which delivers them.
#include "platform/display/sdl_controllers.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/core/clock.h"
#include "platform/display/x11_window.h"
#include "platform/input/keyboard.h"

namespace {

constexpr int kKeyLeft = 37, kKeyRight = 39;

struct TButtonKey {
  SDL_GameControllerButton button;
  int key;
};

constexpr TButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, KeyUp},       {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KeyDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kKeyLeft},  {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kKeyRight},
    {SDL_CONTROLLER_BUTTON_A, KeyEnter},          {SDL_CONTROLLER_BUTTON_START, KeyEnter},
    {SDL_CONTROLLER_BUTTON_X, KeySpace},          {SDL_CONTROLLER_BUTTON_B, KeyEscape},
    {SDL_CONTROLLER_BUTTON_BACK, KeyEscape},
};

// The stick points nowhere inside the dead zone; it must be pushed past kStickPress to press a
// direction, which it then holds until it comes back into the dead zone (a stick resting near the
// edge does not chatter). Only its stronger axis counts: a diagonal push never presses two keys.
constexpr int32_t kStickDeadZone = 8000, kStickPress = 16000;

// The X server's defaults, for a desktop that does not say its own.
constexpr uint32_t kDefaultRepeatDelay = 660, kDefaultRepeatInterval = 40;

struct TPad {
  SDL_JoystickID id = -1;
  SDL_GameController* controller = nullptr;
  std::array<bool, SDL_CONTROLLER_BUTTON_MAX> buttons{};
  int32_t stickX = 0, stickY = 0;
  int stickKey = 0;  // the arrow key the left stick holds, 0 for none
};

bool started = false;
std::vector<TPad> pads;
std::array<int, 256> holders{};
int repeatKey = 0;
uint32_t nextRepeat = 0;
uint32_t repeatDelay = 0, repeatInterval = 0;

bool IsArrow(int key) { return key == KeyUp || key == KeyDown || key == kKeyLeft || key == kKeyRight; }

void ReadRepeatTiming() {
  if (repeatDelay != 0) return;
  uint32_t delay = 0, interval = 0;
  if (X11KeyRepeat(SDL_GL_GetCurrentWindow(), delay, interval) && delay > 0 && interval > 0) {
    repeatDelay = delay;
    repeatInterval = interval;
  } else {
    repeatDelay = kDefaultRepeatDelay;
    repeatInterval = kDefaultRepeatInterval;
  }
}

void Hold(int key, std::vector<TControllerKey>& keys) {
  if (holders[static_cast<size_t>(key)]++ == 0) keys.push_back({key, true});
  if (IsArrow(key)) {
    ReadRepeatTiming();
    repeatKey = key;
    nextRepeat = ElapsedMillis() + repeatDelay;
  }
}

void Release(int key, std::vector<TControllerKey>& keys) {
  if (holders[static_cast<size_t>(key)] == 0) return;
  if (--holders[static_cast<size_t>(key)] != 0) return;
  keys.push_back({key, false});
  if (repeatKey == key) repeatKey = 0;
}

int KeyOfButton(int button) {
  for (const TButtonKey& b : kButtonKeys)
    if (b.button == button) return b.key;
  return 0;
}

// How far the stick is pushed towards a direction's key (negative: the other way).
int32_t PushTowards(const TPad& pad, int key) {
  switch (key) {
    case KeyUp: return -pad.stickY;
    case KeyDown: return pad.stickY;
    case kKeyLeft: return -pad.stickX;
    case kKeyRight: return pad.stickX;
    default: return 0;
  }
}

int StickKey(const TPad& pad) {
  const int32_t across = std::abs(pad.stickX), down = std::abs(pad.stickY);
  const int stronger = down >= across ? (pad.stickY < 0 ? KeyUp : KeyDown) : (pad.stickX < 0 ? kKeyLeft : kKeyRight);
  if (std::max(across, down) >= kStickPress) return stronger;
  if (pad.stickKey != 0 && PushTowards(pad, pad.stickKey) > kStickDeadZone) return pad.stickKey;
  return 0;
}

TPad* FindPad(SDL_JoystickID id) {
  for (TPad& pad : pads)
    if (pad.id == id) return &pad;
  return nullptr;
}

void LetGo(TPad& pad, std::vector<TControllerKey>& keys) {
  for (size_t b = 0; b < pad.buttons.size(); ++b)
    if (pad.buttons[b]) {
      pad.buttons[b] = false;
      if (int key = KeyOfButton(static_cast<int>(b))) Release(key, keys);
    }
  if (pad.stickKey != 0) Release(pad.stickKey, keys);
  pad.stickKey = 0;
  pad.stickX = pad.stickY = 0;
}

void Added(int deviceIndex) {
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) return;
  SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  if (FindPad(id)) {
    // Already open: SDL counts opens, so give this one back.
    SDL_GameControllerClose(controller);
    return;
  }
  TPad pad;
  pad.id = id;
  pad.controller = controller;
  pads.push_back(pad);
}

void Removed(SDL_JoystickID id, std::vector<TControllerKey>& keys) {
  for (auto it = pads.begin(); it != pads.end(); ++it)
    if (it->id == id) {
      LetGo(*it, keys);
      SDL_GameControllerClose(it->controller);
      pads.erase(it);
      return;
    }
}

void Button(SDL_JoystickID id, int button, bool down, std::vector<TControllerKey>& keys) {
  TPad* pad = FindPad(id);
  if (!pad || button < 0 || button >= SDL_CONTROLLER_BUTTON_MAX) return;
  bool& held = pad->buttons[static_cast<size_t>(button)];
  if (held == down) return;
  held = down;
  int key = KeyOfButton(button);
  if (key == 0) return;
  if (down)
    Hold(key, keys);
  else
    Release(key, keys);
}

void Axis(SDL_JoystickID id, int axis, int32_t value, std::vector<TControllerKey>& keys) {
  TPad* pad = FindPad(id);
  if (!pad) return;
  if (axis == SDL_CONTROLLER_AXIS_LEFTX)
    pad->stickX = value;
  else if (axis == SDL_CONTROLLER_AXIS_LEFTY)
    pad->stickY = value;
  else
    return;
  int key = StickKey(*pad);
  if (key == pad->stickKey) return;
  if (pad->stickKey != 0) Release(pad->stickKey, keys);
  pad->stickKey = key;
  if (key != 0) Hold(key, keys);
}

}  // namespace

void StartControllers() {
  if (started) return;
  // SDL would drop controller input whenever it knows of no focused window, which on an X server
  // without a window manager may be always; input is dropped here instead while the window is
  // known to be in the background, as the keyboard's is.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void StopControllers() {
  for (TPad& pad : pads) SDL_GameControllerClose(pad.controller);
  pads.clear();
  holders.fill(0);
  repeatKey = 0;
  repeatDelay = repeatInterval = 0;
  if (started) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  started = false;
}

bool HandleControllerEvent(const SDL_Event& e, std::vector<TControllerKey>& keys) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Added(e.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Removed(e.cdevice.which, keys);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (KeysSuspended()) return true;
      Button(e.cbutton.which, e.cbutton.button, e.type == SDL_CONTROLLERBUTTONDOWN, keys);
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (KeysSuspended()) return true;
      Axis(e.caxis.which, e.caxis.axis, e.caxis.value, keys);
      return true;
    default:
      return false;
  }
}

int RepeatControllerKey() {
  if (repeatKey == 0) return 0;
  const uint32_t now = ElapsedMillis();
  if (static_cast<int32_t>(now - nextRepeat) < 0) return 0;
  nextRepeat += repeatInterval;
  // Late (a long frame): the next repeat comes an interval from now, not in a burst.
  if (static_cast<int32_t>(now - nextRepeat) >= 0) nextRepeat = now + repeatInterval;
  return repeatKey;
}

int32_t MillisToNextControllerRepeat(int32_t limit) {
  if (repeatKey == 0) return limit;
  const int32_t left = static_cast<int32_t>(nextRepeat - ElapsedMillis());
  return std::max(0, std::min(left, limit));
}

void ForgetControllerInputs() {
  for (TPad& pad : pads) {
    pad.buttons.fill(false);
    pad.stickKey = 0;
    pad.stickX = pad.stickY = 0;
  }
  holders.fill(0);
  repeatKey = 0;
}

void ControllerRepeatTiming(uint32_t& delay, uint32_t& interval) {
  ReadRepeatTiming();
  delay = repeatDelay;
  interval = repeatInterval;
}
