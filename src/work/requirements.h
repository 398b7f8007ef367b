// What a task asks for: the requirement types and their titles, whether an
// object meets one, the requirement tables a task fills before the player
// chooses its items, the snapshot that a cancelled choice goes back to, and
// the crafting task that reads a recipe's requirements. Not built yet: each
// answers as though nothing were there to use (see each).
#pragma once

struct ObjectRecord;

// The requirement types' titles: work/crafting_services.h; whether an
// object meets one or floats, the requirement screen, the collect snapshot
// and the crafting task `Tee`: work/work_services.h.
// 2 for kinds 331 and 351 and every container, 1 for kind 350 or an item
// holding contents (a filled container's record), else 0.
int obj_container_type(const ObjectRecord& record);

// The requirement tables and their scratch record. Not built yet: nothing.
void clear_requirement_tables();
void clear_requirement_scratch();
void add_requirement();
