// The key table, the key names, the typed-character queue and the waits. Messages from the key
// source are handled only inside the queries and waits, on the one thread; a key source with no wait
// (none installed) ends the program at a key wait rather than spinning forever.
#include "platform/input/key_events.h"
#include "platform/input/keyboard.h"

#include <array>
#include <cctype>
#include <string>
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

// The number a key name ends in (f12, vk37): digits only, at most three, else 0.
int NameNumber(const std::string& digits) {
  if (digits.empty() || digits.size() > 3) return 0;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

}  // namespace

int KeyCodeFromName(const std::string& name) {
  std::string key = name;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (key == "enter") return KeyEnter;
  if (key == "esc") return KeyEscape;
  if (key == "space") return KeySpace;
  if (key == "up") return KeyUp;
  if (key == "down") return KeyDown;
  if (key == "lshift") return KeyLeftShift;
  if (key == "rshift") return KeyRightShift;
  if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') return Key0 + (key[0] - '0');
  if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') return KeyA + (key[0] - 'a');
  if (key.size() >= 2 && key[0] == 'f') {
    const int n = NameNumber(key.substr(1));
    if (n >= 1 && n <= 12 && key[1] != '0') return KeyF1 + n - 1;
  }
  if (key.size() >= 3 && key.size() <= 5 && key.compare(0, 2, "vk") == 0 && key[2] != '0') {
    const int n = NameNumber(key.substr(2));
    if (n >= 1 && n <= 255) return n;
  }
  return 0;
}

std::string KeyNameFromCode(int key) {
  if (key == KeyEnter) return "enter";
  if (key == KeyEscape) return "esc";
  if (key == KeySpace) return "space";
  if (key == KeyUp) return "up";
  if (key == KeyDown) return "down";
  if (key == KeyLeftShift) return "lshift";
  if (key == KeyRightShift) return "rshift";
  if (key >= Key0 && key <= Key0 + 9) return std::string(1, static_cast<char>('0' + key - Key0));
  if (key >= KeyA && key <= KeyA + 25) return std::string(1, static_cast<char>('a' + key - KeyA));
  if (key >= KeyF1 && key < KeyF1 + 12) return "f" + std::to_string(key - KeyF1 + 1);
  return "vk" + std::to_string(key);
}

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
