#include "shell/setup_options.h"

#include "console/console.h"

// Not built yet: the options are changed in "ksm_ini.txt" by hand.
void setup_options_screen() { note_stub_call("setup_options_screen"); }
