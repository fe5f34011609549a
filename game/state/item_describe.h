// Item names and the default items' making.
#pragma once
#include <cstdint>

#include "platform/text.h"

Text TimingName(int32_t timing);
Text StatName(int32_t stat);
void CreateDefaultItems();
Text Capitalize(const Text& text);
void CapitalizeInPlace(Text& text);
