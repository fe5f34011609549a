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

std::vector<std::string> RecordedLines(const std::vector<TRecordedKey>& keys) {
  std::vector<std::string> lines;
  for (const TRecordedKey& key : keys) lines.push_back(std::to_string(key.frame) + " " + key.Token());
  return lines;
}
