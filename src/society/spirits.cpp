#include "society/spirits.h"

#include "base/stubs.h"

// Not built yet: the spirits have nothing to say.
void spirit_mood_message() { KSM_STUB("spirit_mood_message"); }
