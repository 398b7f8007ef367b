// Traps. Not built yet: neutral answers.
#include "work/traps.h"

#include "base/stubs.h"

void set_trap(int kind, int slot) {
    (void)kind;
    (void)slot;
    KSM_STUB("set_trap");
}

void bait_trap() { KSM_STUB("bait_trap"); }
void disassemble_trap() { KSM_STUB("disassemble_trap"); }

int trap_catches(int trap, int creature) {
    (void)trap;
    (void)creature;
    KSM_STUB("trap_catches");
    return 0;
}
