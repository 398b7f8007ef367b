// The help and options menu (ESC during play).
#pragma once

// Shows the menu; a command code for the dispatcher: 63 key help, 81 quit,
// 1059 the encyclopedia, 1100 save, 0 otherwise. The set-up options are run
// from here directly (0 afterwards). With the controller link setting on,
// the menu offers only the key help, quitting and the encyclopedia.
int help_and_options_menu();
