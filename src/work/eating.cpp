// Eating and drinking. Not built yet: neutral answers.
#include "work/eating.h"

#include "base/stubs.h"

int cre_stomach_capacity(int slot) {
    (void)slot;
    KSM_STUB("cre_stomach_capacity");
    return 5000;
}

void add_food_to_stomach(int slot, int drinking, float portion, const Nutrition& nutrition,
                         const ObjectRecord& item) {
    (void)slot;
    (void)drinking;
    (void)portion;
    (void)nutrition;
    (void)item;
    KSM_STUB("add_food_to_stomach");
}
