// The SDL window as the key source: SDL's key, text, focus and quit events become the keyboard's
// events with Windows virtual-key codes, and game controllers' the keys they stand for
// (sdl_controllers), all delivered (and written to a recording being made) only right after a
// presented frame or inside a key wait, where a key script delivers them too. The window's own keys
// (Alt, Alt+Enter, F11) are kept from the game (sdl_key_filter); a request to close the window (SDL
// also turns SIGTERM into one) ends the program as Escape in the town does, so the game is saved.
#include <SDL.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/clock.h"
#include "platform/core/program.h"
#include "platform/core/signals.h"
#include "platform/display/display_internal.h"
#include "platform/display/sdl_controllers.h"
#include "platform/display/sdl_events.h"
#include "platform/display/sdl_key_filter.h"
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"
#include "platform/replay/script_player.h"
#include "platform/replay/recorder.h"


namespace {

void (*eventWaiter)(int32_t ms) = nullptr;

struct TKeyMapping {
  SDL_Keycode sdl;
  int vk;
};

constexpr TKeyMapping kKeyTable[] = {
    {SDLK_BACKSPACE, 8},  {SDLK_TAB, 9},          {SDLK_RETURN, 13},     {SDLK_KP_ENTER, 13},
    {SDLK_PAUSE, 19},     {SDLK_CAPSLOCK, 20},    {SDLK_ESCAPE, 27},     {SDLK_SPACE, 32},
    {SDLK_PAGEUP, 33},    {SDLK_PAGEDOWN, 34},    {SDLK_END, 35},        {SDLK_HOME, 36},
    {SDLK_LEFT, 37},      {SDLK_UP, 38},          {SDLK_RIGHT, 39},      {SDLK_DOWN, 40},
    {SDLK_PRINTSCREEN, 44}, {SDLK_INSERT, 45},    {SDLK_DELETE, 46},     {SDLK_LGUI, 91},
    {SDLK_RGUI, 92},      {SDLK_APPLICATION, 93}, {SDLK_KP_0, 96},       {SDLK_KP_1, 97},
    {SDLK_KP_2, 98},      {SDLK_KP_3, 99},        {SDLK_KP_4, 100},      {SDLK_KP_5, 101},
    {SDLK_KP_6, 102},     {SDLK_KP_7, 103},       {SDLK_KP_8, 104},      {SDLK_KP_9, 105},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107}, {SDLK_KP_MINUS, 109},  {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111}, {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145}, {SDLK_LSHIFT, 160},
    {SDLK_RSHIFT, 161},   {SDLK_LCTRL, 162},      {SDLK_RCTRL, 163},     {SDLK_LALT, 164},
    {SDLK_RALT, 165},     {SDLK_SEMICOLON, 186},  {SDLK_EQUALS, 187},    {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},    {SDLK_PERIOD, 190},     {SDLK_SLASH, 191},     {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

void TypeUtf8(const char* text) {
  // Characters are 16-bit codes: decode UTF-8, keep what fits.
  const auto* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    uint32_t code = *p++;
    int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    if (extra) code &= 0x3Fu >> extra;
    for (; extra > 0 && (*p & 0xC0) == 0x80; --extra) code = (code << 6) | (*p++ & 0x3Fu);
    if (code > 0 && code < 0x10000) CharTypedEvent(static_cast<int>(code));
  }
}

bool IsShift(int vk) { return vk == KeyLeftShift || vk == KeyRightShift; }

std::string At(int64_t frame) { return frame > 0 ? "@" + std::to_string(frame) : ""; }

// Events wait here between the points where a key script can deliver keys too: right after a
// presented frame, and inside a key wait. So the game sees every key at a point a recording can
// name, never in the middle of a frame's work (which costs a key pressed mid-frame one frame).
std::deque<SDL_Event> pending;

// Redrawing the window changes nothing in the game and is done at once; other window events that
// are not a focus change mean nothing to it.
void Take(const SDL_Event& e) {
  if (e.type == SDL_WINDOWEVENT) {
    if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
      RefreshDisplayWindow();
    if (e.window.event != SDL_WINDOWEVENT_FOCUS_LOST && e.window.event != SDL_WINDOWEVENT_FOCUS_GAINED) return;
  }
  pending.push_back(e);
}

void PumpSdl() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) Take(e);
}

// A controller's keys going down or up at delivery point frame, each press written to the recording
// as a keyboard's would be unless they are only being forgotten (a key table cleared). A held key
// the key table has forgotten (a key wait began) counts as pressed again. True when one was a new
// press.
bool DeliverControllerKeys(const std::vector<TControllerKey>& keys, int64_t frame, bool written) {
  bool pressed = false;
  for (const TControllerKey& k : keys) {
    if (!k.down) {
      KeyUpEvent(k.key);
    } else if (KeyDownEvent(k.key)) {
      pressed = true;
      if (written) RecordKeyToken(KeyNameFromCode(k.key) + At(frame));
    }
  }
  return pressed;
}

// Hands one event to the game, writing what it changed to the recording (frame 0: at a key wait).
// True when it was a new press. Only Shift's being held is written besides presses: it is the one
// key the game asks about while it is down.
bool Deliver(const SDL_Event& e, int64_t frame) {
  std::vector<TControllerKey> keys;
  if (HandleControllerEvent(e, keys)) return DeliverControllerKeys(keys, frame, true);
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const int change = HandleSdlKey(e.key.keysym.sym, e.key.keysym.scancode, (e.key.keysym.mod & KMOD_ALT) != 0,
                                       e.type == SDL_KEYDOWN, e.key.repeat != 0);
      if (change > 0) RecordKeyToken((IsShift(change) ? "hold:" : "") + KeyNameFromCode(change) + At(frame));
      if (change < 0 && IsShift(-change)) RecordKeyToken("release:" + KeyNameFromCode(-change) + At(frame));
      return change > 0;
    }
    case SDL_TEXTINPUT:
      TypeUtf8(e.text.text);
      return false;
    case SDL_WINDOWEVENT: {
      const bool gained = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      RecordKeyToken((gained ? "focus" : "unfocus") + At(frame));
      FocusEvent(gained);
      if (!gained) ForgetControllerInputs();
      return false;
    }
    case SDL_QUIT:
      RecordKeyToken("close" + At(frame));
      CloseRequestedEvent();
      ExitProgram();
    default:
      return false;
  }
}

// Delivers the waiting events in order; at a key wait only up to the first new press, the rest
// staying for the next point.
bool DeliverPending(int64_t frame, bool stopAtPress) {
  while (!pending.empty()) {
    const SDL_Event e = pending.front();
    pending.pop_front();
    if (Deliver(e, frame) && stopAtPress) return true;
  }
  return false;
}

void FramePresented(int64_t frame) {
  NoteDeliveryPoint(frame);
  PumpSdl();
  DeliverPending(frame, false);
  if (const int key = RepeatControllerKey()) DeliverControllerKeys({{key, true}}, frame, true);
  EndIfRequested();
}

// ClearKeyPresses forgets every key the game has not seen yet: they are applied (a full-screen
// toggle among them takes effect) and forgotten with the rest, unwritten, as they were before keys
// waited. A close or a focus change still waits for the next point.
void Cleared() {
  NoteDeliveryPoint(0);
  std::deque<SDL_Event> kept;
  for (const SDL_Event& e : pending) {
    std::vector<TControllerKey> keys;
    if (HandleControllerEvent(e, keys)) {
      DeliverControllerKeys(keys, 0, false);
      continue;
    }
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
      HandleSdlKey(e.key.keysym.sym, e.key.keysym.scancode, (e.key.keysym.mod & KMOD_ALT) != 0,
                   e.type == SDL_KEYDOWN, e.key.repeat != 0);
    else if (e.type != SDL_TEXTINPUT)
      kept.push_back(e);
  }
  pending = std::move(kept);
}

void WaitSdl() {
  NoteDeliveryPoint(0);
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    // Nothing can ever arrive: waiting would hang the program.
    CloseRequestedEvent();
    ExitProgram();
  }
  // Game controllers start at the first key wait, the title on screen: starting them (tens of
  // milliseconds, looking for devices) would delay the first picture.
  StartControllers();
  for (;;) {
    PumpSdl();
    if (DeliverPending(0, true)) return;
    // A direction held on a controller repeats here too, as a press at this wait.
    const int repeated = RepeatControllerKey();
    if (repeated != 0 && DeliverControllerKeys({{repeated, true}}, 0, true)) return;
    // A timeout keeps a signal that arrives mid-wait from going unnoticed, and wakes the wait for a
    // held direction's repeat.
    if (EndRequested()) return;
    SDL_Event e;
    if (eventWaiter) {
      // A page's game controllers are read, not heard: with one connected, look every frame or so.
      eventWaiter(MillisToNextControllerRepeat(SDL_NumJoysticks() > 0 ? 16 : 100));
      if (SDL_PollEvent(&e)) Take(e);
    } else if (SDL_WaitEventTimeout(&e, MillisToNextControllerRepeat(100))) {
      Take(e);
    }
  }
}

int watchSpeed = 1;
TKeySource watched;

// The viewer's keys while a recording plays; the game's keys come from the recording alone.
void WatchControls() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    if (e.type == SDL_QUIT) {
      CloseRequestedEvent();
      ExitProgram();
    }
    if (e.type == SDL_WINDOWEVENT &&
        (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
      RefreshDisplayWindow();
    if (e.type != SDL_KEYDOWN && e.type != SDL_KEYUP) continue;
    const SDL_Keycode sym = e.key.keysym.sym;
    const TSdlKeyAction action =
        FilterSdlKey(sym, (e.key.keysym.mod & KMOD_ALT) != 0, e.type == SDL_KEYDOWN, e.key.repeat != 0);
    if (action == TSdlKeyAction::ToggleFullScreen) ToggleDisplayFullScreen();
    if (action != TSdlKeyAction::Pass || e.type != SDL_KEYDOWN || e.key.repeat != 0) continue;
    if (sym == SDLK_ESCAPE) {
      CloseRequestedEvent();
      ExitProgram();
    }
    if (sym == SDLK_SPACE) {
      watchSpeed = watchSpeed >= 16 ? 1 : watchSpeed * 2;
      PaceVirtualClock(watchSpeed);
    }
  }
}

// A key wait takes no time on the virtual clock; the viewer is given a moment to read its menu.
void WatchWait() {
  for (int i = 0; i < 8; ++i) {
    WatchControls();
    SDL_Delay(static_cast<Uint32>(50 / watchSpeed));
  }
  PaceVirtualClock(watchSpeed);
  watched.wait();
}

}  // namespace

int VirtualKeyFromSdl(int32_t keycode, int32_t scancode) {
  if (keycode >= SDLK_a && keycode <= SDLK_z) return 65 + (keycode - SDLK_a);
  if (keycode >= SDLK_0 && keycode <= SDLK_9) return 48 + (keycode - SDLK_0);
  if (keycode >= SDLK_F1 && keycode <= SDLK_F12) return 112 + (keycode - SDLK_F1);
  if (keycode >= SDLK_F13 && keycode <= SDLK_F24) return 124 + (keycode - SDLK_F13);
  for (const TKeyMapping& m : kKeyTable)
    if (m.sdl == keycode) return m.vk;
  // Layouts whose letters are not Latin still have the keys where Latin letters would be.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 65 + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return 49 + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return 48;
  return 0;
}

int HandleSdlKey(int32_t keycode, int32_t scancode, bool alt, bool down, bool repeat) {
  switch (FilterSdlKey(keycode, alt, down, repeat)) {
    case TSdlKeyAction::ToggleFullScreen:
      ToggleDisplayFullScreen();
      return 0;
    case TSdlKeyAction::Drop:
      return 0;
    case TSdlKeyAction::Pass:
      break;
  }
  const int vk = VirtualKeyFromSdl(keycode, scancode);
  if (vk == 0) return 0;
  if (down) return KeyDownEvent(vk) ? vk : 0;
  return KeyUpEvent(vk) ? -vk : 0;
}

void QueueSdlKey(int32_t keycode, int32_t scancode, bool alt, bool down) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.keysym.sym = keycode;
  e.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
  e.key.keysym.mod = alt ? KMOD_LALT : KMOD_NONE;
  Take(e);
}

void UseWatchKeySource(std::vector<TKeyStep> steps) {
  ResetSdlKeyFilter();
  watched = KeyScriptSource(std::move(steps));
  watchSpeed = 1;
  PaceVirtualClock(1);
  TKeySource source = watched;
  source.poll = WatchControls;
  source.wait = WatchWait;
  source.framePresented = [](int64_t frame) {
    WatchControls();
    watched.framePresented(frame);
  };
  source.hideMousePointer = [] {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
  };
  SetKeySource(std::move(source));
}

void UseSdlKeySource() {
  ResetSdlKeyFilter();
  pending.clear();
  TKeySource source;
  source.poll = PumpSdl;
  source.wait = WaitSdl;
  source.framePresented = FramePresented;
  source.cleared = Cleared;
  source.endsAtDeliveries = true;
  source.hideMousePointer = [] {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
  };
  SetKeySource(std::move(source));
}

void RequestWindowClose() {
  SDL_Event close{};
  close.type = SDL_QUIT;
  SDL_PushEvent(&close);
}

void SetEventWaiter(void (*wait)(int32_t ms)) { eventWaiter = wait; }
