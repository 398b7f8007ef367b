// The character's plant knowledge: 100 records of 424 bytes, kept in
// "HERBLORE.DAT" of the character folder (non-empty records, packed).
// The knowledge itself comes with the wilderness-work subsystem; until then
// the table is only kept and saved.
#pragma once

#include <cstdint>

#include "base/platform.h"

struct ObjectRecord;

struct HerbloreRecord {
    uint8_t tieto;       // knowledge level; 0 in a new record
    uint8_t ML;          // identification difficulty
    uint8_t rest[422];   // the fields of the herblore code
};
KSM_RECORD(HerbloreRecord, 424);

constexpr int HERBLORE_RECORDS = 100;
extern HerbloreRecord herblore[HERBLORE_RECORDS];

// Builds the herb-effect table at the start of a game.
void init_herb_effects();
// Writes the non-empty records to "<character folder>/HERBLORE.DAT";
// false when it could not be written.
bool write_herblore();
// Registers the herbs of the herb table with the item types.
void register_herbs();

// The plant names by plant-type index (the type is a byte of the plant's
// object record), filled from the plant definitions; empty until they
// exist.
constexpr int PLANT_TYPES = 256;
constexpr int PLANT_NAME_BYTES = 30;
extern char plant_name_table[PLANT_TYPES][PLANT_NAME_BYTES];

// The plant-knowledge record that knows the plant object; -1 when the
// player knows nothing of it.
int herblore_index_of(const ObjectRecord& plant);
// The object copy a plant-knowledge record keeps (the plant as the player
// knows it) into out; false for an index that holds none.
bool herblore_known_object(int index, ObjectRecord& out);
// Reads the plant knowledge from "HERBLORE.DAT". Not built yet: the table
// stays as it is.
void read_herblore();
// Whether the player knows a plant from the start, and how well. Not built
// yet: not known, value 0.
void roll_initial_herb_knowledge(const ObjectRecord& plant, int* known, int* value);
// The plant item of the named plant ("nettle", "flax", "hemp"), and the
// turnip root. Not built yet: out is left as it was.
void make_plant_object(const char* plant_name, ObjectRecord& out);
void make_turnip_object(ObjectRecord& out);
