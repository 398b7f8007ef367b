// The help and options menu (ESC during play). Not built yet.
#pragma once

// A command code for the dispatcher: 63 key help, 81 quit, 1059 the
// encyclopedia, 1100 save, 0 otherwise.
int help_and_options_menu();
