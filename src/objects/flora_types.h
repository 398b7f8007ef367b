// The plant item types read from the flora files, and the herb-effect
// words of their tags. Not built yet (see each).
#pragma once

#include <cstdint>

// `bits` with the bits of the herb effects named in the word list (split at
// blanks) added. Not built yet: `bits` unchanged.
uint32_t effect_words_to_bits(uint32_t bits, const char* words);
