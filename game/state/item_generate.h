// Making items: a new item for a floor and a kind.
#pragma once
#include <cstdint>

struct titem;

// Items are made once and live for the run (held by the inventory, the market or nowhere).
titem* GenerateItem(int32_t floor, int32_t kind);
