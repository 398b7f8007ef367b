// The controller link is not built yet: it never opens, receives nothing
// and announces nothing.
#include "ui/controller.h"

// Not built yet: the link stays closed.
bool controller_link_open() { return false; }

// Not built yet: opening the link does nothing.
void openPort() {}

// Not built yet: nothing ever arrives.
const char* poll_controller() { return ""; }

// Not built yet: nothing is sent.
void announce_controller_link() {}
