// Traps: setting, baiting and taking them apart, and whether a trap
// catches a creature. Not built yet: no trap is set and none catches
// anything (see each).
#pragma once

// Sets a trap of the kind code (390 the single trap item in the inventory
// slot, 400 re-triggers a sprung construction). Not built yet: nothing.
void set_trap(int kind, int slot);
void bait_trap();
void disassemble_trap();
// 1 when the trap (a `Data` index) catches the creature slot (-1 the
// working creature record). Not built yet: 0.
int trap_catches(int trap, int creature);
