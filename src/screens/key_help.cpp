// The key help page. Not built yet: notes its call.
#include "ui/key_help.h"

#include "console/console.h"

void key_help_screen() { note_stub_call("key_help_screen"); }
