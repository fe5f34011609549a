// A game controller made by SDL in software (its virtual joystick, mapped as a standard controller):
// tests press its buttons and push its stick with no hardware. Plugged in when made, pulled out when
// destroyed; what it does arrives with the key source's next poll.
#pragma once
#include <cstdint>

// The standard controller's buttons and axes, numbered as SDL numbers them.
enum TPadButton : int {
  PadA = 0,
  PadB = 1,
  PadX = 2,
  PadY = 3,
  PadBack = 4,
  PadGuide = 5,
  PadStart = 6,
  PadLeftShoulder = 9,
  PadRightShoulder = 10,
  PadUp = 11,
  PadDown = 12,
  PadLeft = 13,
  PadRight = 14,
};

class TVirtualPad {
 public:
  TVirtualPad();
  ~TVirtualPad();
  TVirtualPad(const TVirtualPad&) = delete;
  TVirtualPad& operator=(const TVirtualPad&) = delete;

  bool Plugged() const { return joystick_ != nullptr; }
  void Press(TPadButton button);
  void Release(TPadButton button);
  // The left stick, each axis from -32768 (left, up) to 32767 (right, down).
  void Stick(int32_t x, int32_t y);
  // Pulled out now, before it is destroyed.
  void Unplug();

 private:
  void* joystick_ = nullptr;
  int32_t id_ = -1;
};
