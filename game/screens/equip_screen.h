// The equip screen: wearing weapons, armour and runes from the inventory.
#pragma once

void EquipScreen();
