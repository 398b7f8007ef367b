// What remains of a dead character: the ancestors' ring of 50 slots under
// "ANCESTORS", the death screen and the list of late characters.
#pragma once

// Writes the dead character into the next ancestor slot and returns it.
int write_ancestor();
// The character's memorial page under "ANCESTORS" (the console passes 10,
// "1" and 1).
void write_ancestor_memorial(int number, const char* text, int flag);
// -1: the browsable list of late characters (start menu); a slot: the
// death screen for that new slot.
void show_ancestors(int slot);
