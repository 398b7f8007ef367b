// The controller link is not built yet: it never opens, receives nothing
// and announces nothing.
#include "ui/controller.h"

#include "base/stubs.h"

// Not built yet: the link stays closed.
bool controller_link_open() { KSM_STUB("controller_link_open"); return false; }

// Not built yet: opening the link does nothing.
void openPort() { KSM_STUB("openPort"); }

// Not built yet: nothing ever arrives.
const char* poll_controller() { KSM_STUB("poll_controller"); return ""; }

// Not built yet: nothing is sent.
void announce_controller_link() { KSM_STUB("announce_controller_link"); }
