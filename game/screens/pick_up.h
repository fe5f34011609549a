// Picking up an item found or bought: into the pack, or, when the pack is full, in place of an item
// the player chooses.
#pragma once
#include <cstdint>

struct titem;

// Takes item into the pack ("You got the ..." on the next menu) and returns 1; with the pack full,
// says so and offers to replace an item (1, the replaced item freed) or to cancel (0, item stays
// with the caller).
int32_t PickUpItem(titem* item);
