// Clothes and cords. Not built yet: nothing is made.
#include "work/clothes.h"

#include "base/stubs.h"

void make_clothes(const char* garment_name) {
    (void)garment_name;
    KSM_STUB("make_clothes");
}

void repair_clothing() { KSM_STUB("repair_clothing"); }
void join_tying_equipment() { KSM_STUB("join_tying_equipment"); }
void shorten_tying_equipment() { KSM_STUB("shorten_tying_equipment"); }
void make_bowstring() { KSM_STUB("make_bowstring"); }
