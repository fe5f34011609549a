// Park and Miller's minimal-standard generator (multiplier 48271) by Schrage's method; the exact
// sequence is part of the game's rules, since items and battles draw on it.
#pragma once
#include <cstdint>

void SeedRandom(int32_t seed);
// Called with every seed (the start-up hands it to the recording being made); nullptr for none.
void SetSeedHook(void (*hook)(uint32_t seed));
// Uniform over [min(a, b), max(a, b)).
double RandomReal(double a, double b);
// Uniform over min(a, b) .. max(a, b), both ends included (truncation toward zero).
int32_t RandomInteger(int32_t a, int32_t b);

// The generator's state, for tests and for saving a run's position.
int32_t RandomState();
void SetRandomState(int32_t state);
// One step of the generator from state; exposed for tests.
int32_t RandomStep(int32_t state);
// A unit real in [0, 1), two steps.
double RandomUnit();
