// The key help page. Not built yet: notes its call.
#include "screens/key_help.h"

#include "base/stubs.h"
#include "console/console.h"

void key_help_screen() { KSM_STUB("key_help_screen"); }
