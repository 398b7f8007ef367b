#include "screens/setup_options.h"

#include "base/stubs.h"
#include "console/console.h"

// Not built yet: the options are changed in "ksm_ini.txt" by hand.
void setup_options_screen() { KSM_STUB("setup_options_screen"); }
