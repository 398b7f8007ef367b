// Plant item types from the flora files. Not built yet: neutral answers.
#include "objects/flora_types.h"

#include "base/stubs.h"

uint32_t effect_words_to_bits(uint32_t bits, const char* words) {
    (void)words;
    KSM_STUB("effect_words_to_bits");
    return bits;
}
