// Game controllers as the keys the game already knows: the D-pad and the left stick are the arrow
// keys, A and Start Enter, X Space, B and Back Escape. A held direction repeats as a held key does.
#pragma once
#include <cstdint>
#include <vector>

union SDL_Event;

// A key a controller pressed or let go, for the event pump to deliver.
struct TControllerKey {
  int key = 0;
  bool down = false;
};

// Starts SDL's game controllers (its own mapping database, and SDL_GAMECONTROLLERCONFIG for others),
// once; those plugged in arrive as events. Without them the game plays on with the keyboard.
void StartControllers();
// Closes every controller and stops SDL's game controllers.
void StopControllers();
// One SDL event: true when it was a controller's (added, removed, a button, an axis); the keys it
// pressed and let go are added to keys, in order.
bool HandleControllerEvent(const SDL_Event& e, std::vector<TControllerKey>& keys);
// The repeat of a direction held long enough: its key, to be pressed again, or 0 when none is due.
int RepeatControllerKey();
// Milliseconds until the next repeat is due, at most limit (limit when nothing is held).
int32_t MillisToNextControllerRepeat(int32_t limit);
// Forgets what the controllers hold (the window lost the focus, and with it the held keys).
void ForgetControllerInputs();
// The repeat of a held direction: the first after delay milliseconds, then one every interval.
void ControllerRepeatTiming(uint32_t& delay, uint32_t& interval);
