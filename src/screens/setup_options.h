// The set-up options screen of the start menu.
#pragma once

// Shows the options and writes the changed ones to the configuration.
void setup_options_screen();
