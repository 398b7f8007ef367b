// Carcasses, skins and hides. Not built yet: neutral answers.
#include "work/carcasses.h"

#include "base/stubs.h"

int butcher_carcass(int carcass, int worker, int mode) {
    (void)carcass;
    (void)worker;
    (void)mode;
    KSM_STUB("butcher_carcass");
    return 0;
}

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

void make_skin_record(int grade, float share, const CreatureRecord& creature, ObjectRecord& out) {
    (void)grade;
    (void)share;
    (void)creature;
    (void)out;
    KSM_STUB("make_skin_record");
}

void make_tanned_hide_record(int grade, float weight, const ObjectRecord& hide, ObjectRecord& out) {
    (void)grade;
    (void)weight;
    (void)hide;
    (void)out;
    KSM_STUB("make_tanned_hide_record");
}
