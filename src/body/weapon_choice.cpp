#include "body/weapon_choice.h"

#include "base/stubs.h"

// Not built yet: creatures keep what they hold and carry no missiles, so a
// shooter never shoots and closes in instead.
int cre_choose_weapon(int) {
    KSM_STUB("cre_choose_weapon");
    return 0;
}
int cre_take_missile(int) {
    KSM_STUB("cre_take_missile");
    return 0;
}
