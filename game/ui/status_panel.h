// The status panel along the bottom of every frame: floor, health, gold, experience, statistics,
// equipment and runes of the hero.
#pragma once

// Draws the panel for the hero as he stands; changes nothing but the drawing state.
void DrawStatusPanel();
