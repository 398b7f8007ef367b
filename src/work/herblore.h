// The character's plant knowledge: 100 records of 424 bytes, kept in
// "HERBLORE.DAT" of the character folder (non-empty records, packed).
// The knowledge itself comes with the wilderness-work subsystem; until then
// the table is only kept and saved.
#pragma once

#include <cstdint>

#include "base/platform.h"
#include "objects/object_store.h"

struct ObjectRecord;

struct HerbloreRecord {
    uint8_t tieto;       // knowledge level; 0 in a new record
    uint8_t ML;          // identification difficulty
    uint8_t rest[422];   // the fields of the herblore code
};
KSM_RECORD(HerbloreRecord, 424);

constexpr int HERBLORE_RECORDS = 100;
extern HerbloreRecord herblore[HERBLORE_RECORDS];

// One herb effect; bit i of every herb-effect mask (a plant's raw and
// boiled effects, the player's effects) is entry i of HerbEffects. The
// names are the words of the plant definitions' effect lists.
struct HerbEffect {
    char name[100];
    char description[1024];  // the full statement, once the item is identified
    char impression[1024];   // how it feels, while it is not
    char message[1024];      // shown when the effect takes hold on the player
    char further[100];
    uint8_t topical;   // 1: acts when applied to wounds
    uint8_t internal;  // 1: acts when eaten
    uint8_t spare;
};
constexpr int HERB_EFFECT_COUNT = 32;
// Filled by init_herb_effects at the start of every game.
extern HerbEffect HerbEffects[HERB_EFFECT_COUNT];

// Builds the herb-effect table at the start of a game.
void init_herb_effects();
// Reads the character's plant knowledge ("HERBLORE.DAT") into the table.
// Not built yet: the table stays as it is.
void read_herblore();
// Whether the character knows a plant from the start, and when not, how
// hard it is to tell (2..95). Not built yet: unknown, difficulty 0.
struct HerbKnowledge {
    int known;
    int difficulty;
};
HerbKnowledge roll_initial_herb_knowledge(const ObjectRecord& plant);

// Writes the non-empty records to "<character folder>/HERBLORE.DAT";
// false when it could not be written.
bool write_herblore();
// Registers the herbs of the herb table with the item types.
void register_herbs();

// The plant names by plant-type index are the flora's (objects/flora.h).

// The plant-knowledge record that knows the plant object; -1 when the
// player knows nothing of it.
int herblore_index_of(const ObjectRecord& plant);
// The object copy a plant-knowledge record keeps (the plant as the player
// knows it) into out; false for an index that holds none.
bool herblore_known_object(int index, ObjectRecord& out);
// The plant item of the named plant ("nettle", "flax", "hemp"), and the
// turnip root. Not built yet: out is left as it was.
void make_plant_object(const char* plant_name, ObjectRecord& out);
void make_turnip_object(ObjectRecord& out);
// The player felt the effect (an index of HerbEffects): the plant knowledge
// marks it known. Not built yet: nothing.
void mark_herb_effect_known(int effect);
// The plant knowledge of an eaten or drunk plant learns the effect bits it
// showed, each stamped with the hour. Not built yet: nothing.
void record_felt_effects(const ObjectRecord& plant, uint32_t effects, int hour);
