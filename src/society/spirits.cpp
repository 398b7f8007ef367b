#include "society/spirits.h"

// Not built yet: the spirits have nothing to say.
void spirit_mood_message() {}
