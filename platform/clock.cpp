// The millisecond clock: the system's monotonic clock (milliseconds since it started, wrapping at
// 32 bits), or a virtual clock that only moves when the program sleeps, so headless runs are
// deterministic and cost no real time.
#include "platform/clock.h"

#include <cerrno>
#include <ctime>

namespace {

bool virtualClock = false;
uint32_t virtualNow = 0;

}  // namespace

uint32_t ElapsedMillis() {
  if (virtualClock) return virtualNow;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

void SleepMillis(int32_t ms) {
  if (ms <= 0) return;
  if (virtualClock) {
    virtualNow += static_cast<uint32_t>(ms);
    return;
  }
  timespec wanted{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
  timespec left{};
  // A signal cuts the sleep short; sleep on for what is left.
  while (nanosleep(&wanted, &left) != 0 && errno == EINTR) wanted = left;
}

void UseVirtualClock(uint32_t startMillis) {
  virtualClock = true;
  virtualNow = startMillis;
}

void UseRealClock() { virtualClock = false; }

bool ClockIsVirtual() { return virtualClock; }
