// The current village.
#pragma once

#include <cstdint>

#include "ui/platform.h"

constexpr int32_t NO_VILLAGE = -1000;

// One settlement's record, kept in "<folder>/<name>.VIL". Its fields come
// with the society subsystem.
struct VillageRecord {
    int32_t soc;          // the village id
    uint8_t rest[11424];
};
KSM_RECORD(VillageRecord, 11428);

// Id of the village whose record is loaded; NO_VILLAGE when none.
extern int32_t current_village_id;
// The record of the current village.
extern VillageRecord current_village;
// Forgets the current village: id NO_VILLAGE and its record cleared.
void clear_current_village();
// Writes a village record into the village file; false when it could not.
bool save_village(int32_t village_id, const VillageRecord& rec);
// Builds a camp of people of a new society at a world cell.
void create_npc_camp(int world_x, int world_y, int society_id, int culture_type, int count, int flags);
