// Requirements and the crafting task. Not built yet: neutral answers.
#include "work/requirements.h"

#include "base/stubs.h"
#include "objects/object_store.h"

int obj_container_type(const ObjectRecord& record) {
    if (record.kind == 331 || record.kind == 351 || record.item_class == 3) return 2;
    if (record.kind == 350) return 1;
    // A filled container is the record of its contents, linked to it.
    return record.contents != 0 ? 1 : 0;
}

void clear_requirement_tables() { KSM_STUB("clear_requirement_tables"); }
void clear_requirement_scratch() { KSM_STUB("clear_requirement_scratch"); }
void add_requirement() { KSM_STUB("add_requirement"); }
