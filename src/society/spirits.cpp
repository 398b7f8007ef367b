#include "society/spirits.h"

#include "base/stubs.h"

// Not built yet: the spirits have nothing to say.
void spirit_mood_message() { KSM_STUB("spirit_mood_message"); }

void hourly_spirit_presence() { KSM_STUB("hourly_spirit_presence"); }
