#include "objects/armour_protection.h"

#include "base/stubs.h"

// Not built yet: no worn armour.
int plr_protection_at(int, int) {
    KSM_STUB("plr_protection_at");
    return 0;
}
// Not built yet: no object records.
int object_protection(int) {
    KSM_STUB("object_protection");
    return 0;
}
// Not built yet: no object records.
uint32_t current_object_coverage() {
    KSM_STUB("current_object_coverage");
    return 0;
}
