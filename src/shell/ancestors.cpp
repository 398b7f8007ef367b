// The ancestors. Not built yet: the death record and the pages come later;
// the calls are noted.
#include "shell/ancestors.h"

#include "console/console.h"

int write_ancestor() {
    note_stub_call("write_ancestor");
    return 0;
}

void show_ancestors(int) { note_stub_call("show_ancestors"); }
