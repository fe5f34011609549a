// Key scripts for in-process tests (see key_script.h).
#include "tests/support/key_script.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/replay/keyscript.h"
#include "platform/replay/script_player.h"

void UseKeys(const std::string& script) {
  std::vector<TKeyStep> steps;
  std::string error;
  ASSERT_TRUE(ParseKeyScript(script, steps, error)) << error;
  UseKeyScript(std::move(steps));
}
