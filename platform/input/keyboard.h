// The key table (held flag and press count per virtual-key code 1..255), the key names, the
// typed-character queue, and the waits. Events come from a key source: the SDL window
// (platform/display/sdl_events) or a key script (platform/replay/keyscript). Messages are handled
// only inside the queries and the waits.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

enum KeyCode : int {
  KeyEnter = 13,
  KeyEscape = 27,
  KeySpace = 32,
  KeyUp = 38,
  KeyDown = 40,
  Key0 = 48,
  KeyA = 65,
  KeyG = 71,
  KeyH = 72,
  KeyF1 = 112,
  KeyLeftShift = 160,
  KeyRightShift = 161,
};

// The virtual-key code of a key name ("enter", "f3", "q", "vk37"; any case), or 0.
int KeyCodeFromName(const std::string& name);
// The name of a virtual-key code 1-255 (one KeyCodeFromName reads back).
std::string KeyNameFromCode(int key);

int IsKeyDown(int key);
// Presses since last asked; then sets the count to 0.
int WasKeyPressed(int key);
// Handles pending messages, then forgets every held key, press and queued character.
void ClearKeyPresses();
// ClearKeyPresses, then waits for messages until some key has a press; returns the lowest such code,
// consuming only that key's count.
int WaitForKey();
void HideMousePointer();

// Where messages come from. poll handles whatever is pending; wait blocks until at least one more
// message has been handled (a script that has nothing more to give ends the program instead).
// framePresented is told the number (from 1) of each presented frame; cleared runs inside
// ClearKeyPresses just before the table is forgotten. A source with endsAtDeliveries ends the
// program for a signal only at a key wait or in framePresented, never in the middle of a query.
struct TKeySource {
  std::function<void()> poll;
  std::function<void()> wait;
  std::function<void(int64_t frame)> framePresented;
  std::function<void()> hideMousePointer;
  std::function<void()> cleared;
  bool endsAtDeliveries = false;
};
void SetKeySource(TKeySource source);

// Called by the display after each present; counts frames and tells the key source.
void NotifyFramePresented();
int64_t PresentedFrameCount();

// Runs at the start of every WaitForKey, after its clear (the replay tool writes a screenshot here).
void SetKeyWaitHook(std::function<void()> hook);

int KeysSuspended();
int TerminateRequested();
// Characters typed and not yet read (filled, never read by the game).
int TypedCharCount();

// Forgets all keyboard state and frame counts, and restores the default (empty) key source. The
// key-wait hook stays as it was (the replay tool sets it before the run starts).
void ResetKeyboard();
