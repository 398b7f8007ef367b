// Far look. Not built yet: each notes its call.
#include "maps/far_look.h"

#include "console/console.h"

void far_look_command() { note_stub_call("far_look_command"); }
void describe_location(int, int, int) { note_stub_call("describe_location"); }
