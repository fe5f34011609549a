// The millisecond clock. Real: the system's monotonic clock (milliseconds since it started).
// Virtual: starts at a given value and advances only when the program sleeps, so paced frames cost
// no real time and a given start value fixes the seed the game takes from the clock.
#pragma once
#include <cstdint>

// Milliseconds as an unsigned 32-bit count that wraps; take differences in 32-bit arithmetic.
uint32_t ElapsedMillis();

// Suspends the program (on the virtual clock: adds ms to it at once). ms <= 0 returns at once.
void SleepMillis(int32_t ms);

void UseVirtualClock(uint32_t startMillis);
void UseRealClock();
bool ClockIsVirtual();
// Watching a recording: each virtual sleep also waits in real time, so the virtual clock runs at
// speed times real time from now on (0: not paced, the default).
void PaceVirtualClock(int speed);
