// Trees and timber. Not built yet: neutral answers.
#include "work/timber.h"

#include "base/stubs.h"

int fell_tree(int worker, int x, int y, int prepare_only, int shelter) {
    (void)worker;
    (void)x;
    (void)y;
    (void)prepare_only;
    (void)shelter;
    KSM_STUB("fell_tree");
    return 0;
}

void make_leaning_spruce_shelter() { KSM_STUB("make_leaning_spruce_shelter"); }
