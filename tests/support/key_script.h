// Installs a key script as the key source; a bad token fails the test.
#pragma once
#include <string>

void UseKeys(const std::string& script);
