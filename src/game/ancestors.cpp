// The ancestors. Not built yet: the death record and the pages come later;
// the calls are noted.
#include "game/ancestors.h"

#include "base/stubs.h"
#include "console/console.h"

int write_ancestor() {
    KSM_STUB("write_ancestor");
    return 0;
}

void show_ancestors(int) { KSM_STUB("show_ancestors"); }

// Not built yet: the memorial pages come with the ancestors' screens.
void write_ancestor_memorial(int, const char*, int) { KSM_STUB("write_ancestor_memorial"); }
