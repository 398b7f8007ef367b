// Traps. Not built yet: neutral answers.
#include "work/traps.h"

#include "base/stubs.h"

int trap_catches(int trap, int creature) {
    (void)trap;
    (void)creature;
    KSM_STUB("trap_catches");
    return 0;
}
