// Requirements and the crafting task. Not built yet: neutral answers.
#include "work/requirements.h"

#include "base/stubs.h"

int obj_container_type(const ObjectRecord& record) {
    (void)record;
    KSM_STUB("obj_container_type");
    return 0;
}

void clear_requirement_tables() { KSM_STUB("clear_requirement_tables"); }
void clear_requirement_scratch() { KSM_STUB("clear_requirement_scratch"); }
void add_requirement() { KSM_STUB("add_requirement"); }
