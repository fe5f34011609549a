// The healer: health bought with gold.
#pragma once

void Healer();
