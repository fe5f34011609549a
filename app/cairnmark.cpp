// The game: takes no arguments and no configuration.
#include "game/screens/start.h"
#include "platform/run.h"

int main() {
  TRunOptions options;
  return RunProgram(options, [] { GameMain(); });
}
