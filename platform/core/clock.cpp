// The millisecond clock: the system's monotonic clock (milliseconds since it started, wrapping at
// 32 bits), or a virtual clock that only moves when the program sleeps, so headless runs are
// deterministic and cost no real time.
#include "platform/core/clock.h"

#include <cerrno>
#include <ctime>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

bool virtualClock = false;
uint32_t virtualNow = 0;
int paceSpeed = 0;
uint32_t paceVirtualStart = 0;
uint64_t paceRealStart = 0;

uint64_t MonotonicMillis() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

void RealSleep(int32_t ms) {
#ifdef __EMSCRIPTEN__
  // In a page nanosleep spins; this yields to the browser until the time is up.
  emscripten_sleep(static_cast<unsigned>(ms));
  return;
#endif
  timespec wanted{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
  timespec left{};
  // A signal cuts the sleep short; sleep on for what is left.
  while (nanosleep(&wanted, &left) != 0 && errno == EINTR) wanted = left;
}

}  // namespace

uint32_t ElapsedMillis() {
  if (virtualClock) return virtualNow;
  return static_cast<uint32_t>(MonotonicMillis());
}

void SleepMillis(int32_t ms) {
  if (ms <= 0) return;
  if (virtualClock) {
    virtualNow += static_cast<uint32_t>(ms);
    if (paceSpeed > 0) {
      const uint64_t due = paceRealStart + (virtualNow - paceVirtualStart) / static_cast<uint32_t>(paceSpeed);
      const uint64_t now = MonotonicMillis();
      if (due > now) RealSleep(static_cast<int32_t>(due - now));
    }
    return;
  }
  RealSleep(ms);
}

void PaceVirtualClock(int speed) {
  paceSpeed = speed;
  paceVirtualStart = virtualNow;
  paceRealStart = MonotonicMillis();
}

void UseVirtualClock(uint32_t startMillis) {
  paceSpeed = 0;
  virtualClock = true;
  virtualNow = startMillis;
}

void UseRealClock() { virtualClock = false; }

bool ClockIsVirtual() { return virtualClock; }
