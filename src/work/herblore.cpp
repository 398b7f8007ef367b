// Plant knowledge. Not built yet beyond keeping and saving the table.
#include "work/herblore.h"

#include <cstring>
#include <vector>

#include "base/stubs.h"
#include "console/console.h"
#include "game/save_set.h"
#include "maps/world_files.h"

HerbloreRecord herblore[HERBLORE_RECORDS];
HerbEffect HerbEffects[HERB_EFFECT_COUNT];

// Not built yet: there are no herb effects to set up.
void init_herb_effects() { KSM_STUB("init_herb_effects"); }

bool write_herblore() {
    static const HerbloreRecord empty{};
    std::vector<HerbloreRecord> used;
    for (const HerbloreRecord& r : herblore)
        if (std::memcmp(&r, &empty, sizeof r) != 0) used.push_back(r);
    return write_character_file("HERBLORE.DAT", used.data(), used.size() * sizeof(HerbloreRecord));
}

// Not built yet: there is no herb table.
void register_herbs() { KSM_STUB("register_herbs"); }

// Not built yet: the plant knowledge is kept as it is.
void read_herblore() { KSM_STUB("read_herblore"); }

// Not built yet: no plant is known from the start.
HerbKnowledge roll_initial_herb_knowledge(const ObjectRecord&) {
    KSM_STUB("roll_initial_herb_knowledge");
    return HerbKnowledge{0, 0};
}

// Not built yet: the player knows no plant.
int herblore_index_of(const ObjectRecord&) {
    KSM_STUB("herblore_index_of");
    return -1;
}
bool herblore_known_object(int, ObjectRecord&) {
    KSM_STUB("herblore_known_object");
    return false;
}

void make_plant_object(const char* plant_name, ObjectRecord& out) {
    (void)plant_name;
    (void)out;
    KSM_STUB("make_plant_object");
}

void make_turnip_object(ObjectRecord& out) {
    (void)out;
    KSM_STUB("make_turnip_object");
}

// Not built yet: the plant knowledge learns nothing from what was felt.
void mark_herb_effect_known(int) { KSM_STUB("mark_herb_effect_known"); }
void record_felt_effects(const ObjectRecord&, uint32_t, int) { KSM_STUB("record_felt_effects"); }
