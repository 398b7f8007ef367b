// The apply command and its handlers.
#include "objects/item_use.h"

#include "base/stubs.h"
#include "ui/message_line.h"

int apply_command() { KSM_STUB("apply_command"); show_message("!Not available yet."); return 0; }
