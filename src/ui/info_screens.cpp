// Information screens. Not built yet: each notes its call.
#include "ui/info_screens.h"

#include "console/console.h"

void armour_coverage_screen(int, const char*) { note_stub_call("armour_coverage_screen"); }
void message_log_viewer() { note_stub_call("message_log_viewer"); }
