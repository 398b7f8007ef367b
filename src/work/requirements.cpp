// Requirements and the crafting task. Not built yet: neutral answers.
#include "work/requirements.h"

#include "base/stubs.h"

const char* requirement_type_name(int type) {
    (void)type;
    KSM_STUB("requirement_type_name");
    return "A specific item";
}

int obj_meets_requirement(int type, const ObjectRecord& record) {
    (void)type;
    (void)record;
    KSM_STUB("obj_meets_requirement");
    return 0;
}

int obj_container_type(const ObjectRecord& record) {
    (void)record;
    KSM_STUB("obj_container_type");
    return 0;
}

int obj_floats(int object_id) {
    (void)object_id;
    KSM_STUB("obj_floats");
    return 0;
}

void clear_requirement_tables() { KSM_STUB("clear_requirement_tables"); }
void clear_requirement_scratch() { KSM_STUB("clear_requirement_scratch"); }
void add_requirement() { KSM_STUB("add_requirement"); }

int Kay_Tarvikelista(const char* task_title) {
    (void)task_title;
    KSM_STUB("Kay_Tarvikelista");
    return 0;
}

int restore_collect_snapshot() {
    KSM_STUB("restore_collect_snapshot");
    return 0;
}

int Tee(int activity, int requirement_type, const char* entry_name) {
    (void)activity;
    (void)requirement_type;
    (void)entry_name;
    KSM_STUB("Tee");
    return 0;
}
