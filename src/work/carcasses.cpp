// Carcasses, skins and hides. Not built yet: neutral answers.
#include "work/carcasses.h"

#include "base/stubs.h"

int skin_carcass(int carcass, int worker, int mode) {
    (void)carcass;
    (void)worker;
    (void)mode;
    KSM_STUB("skin_carcass");
    return 0;
}

void remove_carcass_remains(int worker, int x, int y) {
    (void)worker;
    (void)x;
    (void)y;
    KSM_STUB("remove_carcass_remains");
}
