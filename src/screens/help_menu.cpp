// The help and options menu. Not built yet: notes its call, chooses nothing.
#include "screens/help_menu.h"

#include "base/stubs.h"
#include "console/console.h"

int help_and_options_menu() {
    KSM_STUB("help_and_options_menu");
    return 0;
}
