// Fishing. Not built yet: neutral answers.
#include "work/fishing.h"

#include "base/stubs.h"

void go_fishing(int slot, int net) {
    (void)slot;
    (void)net;
    KSM_STUB("go_fishing");
}

void retrieve_fishing_net(int x, int y) {
    (void)x;
    (void)y;
    KSM_STUB("retrieve_fishing_net");
}
