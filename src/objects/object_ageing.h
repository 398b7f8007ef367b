// Two passes over the object store that depend on the rest of the world:
// perishables (food and skins) age by the days and the weather that passed,
// turn stale and spoil; and the maintenance frees the instance slots that
// nothing refers to any more.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

struct CreatureRecord;

// Modes of obj_decay_record.
constexpr int DECAY_AGE = 0;
constexpr int DECAY_SPOIL = 1;
// Its answers.
constexpr int DECAY_UNCHANGED = 0;
constexpr int DECAY_AGED = 1;
constexpr int DECAY_SPOILED = 2;
// The place that keeps food best (a cellar's terrain code).
constexpr int DECAY_PLACE_CELLAR = 81;

// Ages a copy of the object by `days` (DECAY_AGE) or spoils it at once
// (DECAY_SPOIL); `place` is the terrain code where it lies (0 none). The
// aged or spoiled copy goes to out (untouched when unchanged); the caller
// stores it. Only food and skins age; nothing ages by 0 days or fewer.
int obj_decay_record(int object_id, int mode, int place, ObjectRecord& out, int days);

// Frees every instance that nothing refers to: the stored maps, the
// creature file and table, the player, the current map and the world's
// copy, the party stack, village debts and goods, quests, other instances
// (contents and attached parts), owners and special codes keep theirs.
void obj_maintenance();
// Marks the objects a creature holds (both hands, 20 carried, 7 worn) for
// keeping by the maintenance under way.
void obj_mark_creature_items(const CreatureRecord& creature);
// Maintenance runs in this game, and whether a run that freed little has
// warned the player.
extern int32_t obj_maintenance_runs;
extern uint8_t obj_maintenance_warned;
// The per-game reset of the two above.
void reset_object_maintenance();
