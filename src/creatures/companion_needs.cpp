// Companions' needs. Not built yet: neutral answers.
#include "creatures/companion_needs.h"

#include "base/stubs.h"

int cre_come_to_talk(int slot) {
    (void)slot;
    KSM_STUB("cre_come_to_talk");
    return 0;
}
