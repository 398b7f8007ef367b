// The gear of the cultures. Not built yet: neutral answers.
#include "creatures/culture_gear.h"

#include "base/stubs.h"

int random_item_quality(int grade) {
    (void)grade;
    KSM_STUB("random_item_quality");
    return 3;
}

int random_clothing_variant(int grade) {
    (void)grade;
    KSM_STUB("random_clothing_variant");
    return 1;
}

int Arvo_Esine_Listasta() {
    KSM_STUB("Arvo_Esine_Listasta");
    return 0;
}
