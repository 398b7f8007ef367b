// The encyclopedia. Not built yet: no topics; opening it notes the call.
#include "ui/encyclopedia.h"

#include "base/stubs.h"

int encyclopedia_from_menu = 0;

void load_encyclopedia_topics() { KSM_STUB("load_encyclopedia_topics"); }
int is_encyclopedia_topic(const char*) { KSM_STUB("is_encyclopedia_topic"); return 0; }
void show_topic_hint(const char*, const char*) { KSM_STUB("show_topic_hint"); }
void infobrowser(const char*) { KSM_STUB("infobrowser"); }
