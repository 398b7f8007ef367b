// What a task asks for: the requirement types and their titles, whether an
// object meets one, the requirement tables a task fills before the player
// chooses its items, the snapshot that a cancelled choice goes back to, and
// the crafting task that reads a recipe's requirements. Not built yet: each
// answers as though nothing were there to use (see each).
#pragma once

struct ObjectRecord;

// The title of a requirement type. Not built yet: "A specific item".
const char* requirement_type_name(int type);
// 1 when the object meets the requirement type. Not built yet: 0.
int obj_meets_requirement(int type, const ObjectRecord& record);
// 2 for kinds 331 and 351 and every container, 1 for kind 350 or an item
// holding contents, else 0. Not built yet: 0.
int obj_container_type(const ObjectRecord& record);
// Non-zero when the object stays afloat. Not built yet: 0.
int obj_floats(int object_id);

// The requirement tables and their scratch record. Not built yet: nothing.
void clear_requirement_tables();
void clear_requirement_scratch();
void add_requirement();
// The requirement screen: non-zero when the task may go on. Not built yet:
// 0, as though the player cancelled.
int Kay_Tarvikelista(const char* task_title);
// Puts back the inventory and objects a cancelled requirement screen
// changed; non-zero when both were read back. Not built yet: 0.
int restore_collect_snapshot();

// The crafting task (activity code or -1 for a recipe, requirement type or
// 0, entry name). Not built yet: 0, nothing made.
int Tee(int activity, int requirement_type, const char* entry_name);
