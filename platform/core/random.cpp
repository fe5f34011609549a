// The game's random generator: Park and Miller's minimal standard with multiplier 48271, stepped by
// Schrage's method. Items and battles draw on its exact sequence, so every draw here is fixed:
// a unit real costs two steps, and integer draws truncate toward zero.
#include "platform/core/random.h"

#include "platform/core/text.h"

namespace {

constexpr int32_t Modulus = 2147483647;
constexpr int32_t DefaultState = 4660;

int32_t state = DefaultState;
void (*seedHook)(uint32_t) = nullptr;

}  // namespace

int32_t RandomStep(int32_t s) {
  // 64-bit intermediates keep states outside 1 .. 2^31-2 free of overflow; inside it they are exact.
  int64_t next = 48271 * static_cast<int64_t>(s % 44488) - 3399 * static_cast<int64_t>(s / 44488);
  if (next < 0) next += Modulus;
  return static_cast<int32_t>(next);
}

void SeedRandom(int32_t seed) {
  // The game seeds from the clock: a recording keeps the value, so a replay can start its clock there.
  if (seedHook) seedHook(static_cast<uint32_t>(seed));
  state = static_cast<int32_t>(static_cast<uint32_t>(seed) & 0x7FFFFFFFu);
  if (state == 0 || state == Modulus) state = DefaultState;
}

void SetSeedHook(void (*hook)(uint32_t seed)) { seedHook = hook; }

int32_t RandomState() { return state; }

void SetRandomState(int32_t s) {
  // A state outside the generator's cycle would stick at 0; take the default instead.
  state = (s <= 0 || s >= Modulus) ? DefaultState : s;
}

double RandomUnit() {
  state = RandomStep(state);
  const int32_t high = state & 0x1FFFFFFC;
  state = RandomStep(state);
  const int32_t low = state & 0x1FFFFFF8;
  return (high + low / 134217728.0) / 536870912.0;
}

double RandomReal(double a, double b) {
  const double u = RandomUnit();
  if (b > a) return a + u * (b - a);
  return b + u * (a - b);
}

int32_t RandomInteger(int32_t a, int32_t b) {
  const double u = RandomUnit();
  const double d = static_cast<double>(b) - static_cast<double>(a);
  if (d > 0) return RealToInt(a + u * (d + 1));
  return RealToInt(b + u * (1 - d));
}
