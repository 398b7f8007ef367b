// Wilderness work services reached by the command keys. Not built yet:
// neutral answers; each command notes its call for the developer's trace.
#include "work/work_services.h"

#include "console/console.h"

uint8_t raised_view_on = 0;
char raised_view_text[100] = "";

// No crafting data is kept open yet.
int close_tekodata() { return 0; }

void handcraft_options_menu() { note_stub_call("handcraft_options_menu"); }
void drink_command() { note_stub_call("drink_command"); }
void eat_command() { note_stub_call("eat_command"); }
void treat_wounds_command() { note_stub_call("treat_wounds_command"); }
