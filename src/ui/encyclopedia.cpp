// The encyclopedia. Not built yet: no topics; opening it notes the call.
#include "ui/encyclopedia.h"

#include "console/console.h"

int encyclopedia_from_menu = 0;

void load_encyclopedia_topics() {}
int is_encyclopedia_topic(const char*) { return 0; }
void show_topic_hint(const char*, const char*) {}
void infobrowser(const char*) { note_stub_call("infobrowser"); }
