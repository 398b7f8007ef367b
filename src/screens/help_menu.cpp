// The help and options menu. Not built yet: notes its call, chooses nothing.
#include "ui/help_menu.h"

#include "console/console.h"

int help_and_options_menu() {
    note_stub_call("help_and_options_menu");
    return 0;
}
