// The key table, the typed-character queue and the waits. Messages from the key source are handled
// only inside the queries and waits, on the one thread; a key source with no wait (none installed)
// ends the program at a key wait rather than spinning forever.
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"

#include <array>
#include <utility>

#include "platform/core/program.h"
#include "platform/core/signals.h"

namespace {

struct TKeyTable {
  std::array<int32_t, 256> held{};
  std::array<int32_t, 256> presses{};
  std::array<int32_t, 256> typed{};
  int32_t typedWritten = 0;
  int32_t typedRead = 0;
  bool autoPoll = true;
  int suspended = 0;
  int terminateRequested = 0;
  int64_t framesPresented = 0;
};

TKeyTable keys;
TKeySource source;
std::function<void()> keyWaitHook;

bool ValidKey(int key) { return key >= 0 && key < 256; }

void HandlePending() {
  if (!source.endsAtDeliveries) EndIfRequested();
  if (keys.autoPoll && source.poll) source.poll();
}

// Forgets held keys, presses and typed characters without handling messages (events call this).
void ForgetKeys() {
  keys.held.fill(0);
  keys.presses.fill(0);
  keys.typedWritten = 0;
  keys.typedRead = 0;
}

// The presses of key since last asked, then none.
int TakePresses(int key) {
  const int count = keys.presses[static_cast<size_t>(key)];
  keys.presses[static_cast<size_t>(key)] = 0;
  return count;
}

}  // namespace

int IsKeyDown(int key) {
  HandlePending();
  return ValidKey(key) ? keys.held[static_cast<size_t>(key)] : 0;
}

int WasKeyPressed(int key) {
  HandlePending();
  return ValidKey(key) ? TakePresses(key) : 0;
}

void ClearKeyPresses() {
  HandlePending();
  if (source.cleared) source.cleared();
  ForgetKeys();
}

int WaitForKey() {
  ClearKeyPresses();
  if (keyWaitHook) keyWaitHook();
  for (;;) {
    // A signal noted during the hook or the last wait ends the program before the next key.
    EndIfRequested();
    if (!source.wait) ExitProgram();
    source.wait();
    // Lowest code first; only the key returned gives up its count.
    for (int key = 1; key < 256; ++key) {
      if (TakePresses(key) != 0) return key;
    }
  }
}

void HideMousePointer() {
  if (source.hideMousePointer) source.hideMousePointer();
}

void SetKeySource(TKeySource newSource) { source = std::move(newSource); }

void NotifyFramePresented() {
  ++keys.framesPresented;
  if (source.framePresented) source.framePresented(keys.framesPresented);
}

int64_t PresentedFrameCount() { return keys.framesPresented; }

void SetKeyWaitHook(std::function<void()> hook) { keyWaitHook = std::move(hook); }

bool KeyDownEvent(int key) {
  if (!ValidKey(key)) return false;
  // An auto-repeat of a held key is not a new press.
  if (keys.held[static_cast<size_t>(key)] != 0) return false;
  keys.held[static_cast<size_t>(key)] = 1;
  ++keys.presses[static_cast<size_t>(key)];
  return true;
}

bool KeyUpEvent(int key) {
  if (!ValidKey(key) || keys.held[static_cast<size_t>(key)] == 0) return false;
  keys.held[static_cast<size_t>(key)] = 0;
  return true;
}

void CharTypedEvent(int ch) {
  if (keys.typedWritten - keys.typedRead >= 256) return;
  keys.typed[static_cast<size_t>(keys.typedWritten % 256)] = ch;
  ++keys.typedWritten;
}

void FocusEvent(bool active) {
  ForgetKeys();
  keys.suspended = active ? 0 : 1;
}

void CloseRequestedEvent() { keys.terminateRequested = 1; }

int KeysSuspended() { return keys.suspended; }
int TerminateRequested() { return keys.terminateRequested; }
int TypedCharCount() { return keys.typedWritten - keys.typedRead; }

void ResetKeyboard() {
  keys = TKeyTable{};
  source = TKeySource{};
}
