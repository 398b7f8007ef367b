// Traps: setting, baiting and taking them apart, and whether a trap
// catches a creature. Not built yet: no trap is set and none catches
// anything (see each).
#pragma once

// Setting, baiting and taking apart: work/work_services.h.
// 1 when the trap (a `Data` index) catches the creature slot (-1 the
// working creature record). Not built yet: 0.
int trap_catches(int trap, int creature);
