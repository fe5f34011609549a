// Item names: the statistics', the timings', and capitalising.
#pragma once
#include <cstdint>

#include "platform/core/text.h"

Text TimingName(int32_t timing);
Text StatName(int32_t stat);
Text Capitalize(const Text& text);
void CapitalizeInPlace(Text& text);
