#include "creatures/creature_services.h"

#include "base/stubs.h"

#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_table.h"

AreaEvent AreaEvents[AREA_EVENT_COUNT];

int is_open_water_at(int x, int y) {
    if (x == -1) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (is_open_water_at(player_x + dx, player_y + dy)) return 1;
        return 0;
    }
    if (!(terrain_flags_of(terrain_at(x, y)) & TF_WATER)) return 0;
    if (ice_thickness_at(x, y) == 0) return 1;
    return find_map_object(94, x, y) >= 0 ? 1 : 0;
}

int creature_facing(int creature) { return creature == -1 ? Plr.facing : 0; }

// Not built yet: no creature table, so no slot holds a creature.
int creature_kind(int creature) { KSM_STUB("creature_kind"); return -1; }

// Not built yet: no templates, so no weight is known.
int world_entry_weight(int data) { KSM_STUB("world_entry_weight"); return 0; }

// Not built yet: without the creature table nobody is a companion, an own
// animal, a human, tied or skinned, and every listed creature is present.
int cre_is_companion(int creature) { KSM_STUB("cre_is_companion"); return 0; }
int cre_is_own_animal(int creature) { KSM_STUB("cre_is_own_animal"); return 0; }
int cre_is_human(int creature) { KSM_STUB("cre_is_human"); return 0; }
int cre_status(int creature) { KSM_STUB("cre_status"); return 0; }
int is_carcass_skinned(int creature) {
    return cre_slot_valid(creature) && is_carcass_skinned(Cre[creature]) ? 1 : 0;
}
int cre_is_present(int creature) { KSM_STUB("cre_is_present"); return 1; }

// Not built yet: the player is "human", any other creature "creature".
char* creature_name(int creature, int flags) { KSM_STUB("creature_name");
    return ring_copy(creature == -1 ? "human" : "creature");
}

// Not built yet: without the creature table the people of a settlement are
// taken to be at home, so that no settlement is given up.
int site_has_resident_humans(int wx, int wy) { KSM_STUB("site_has_resident_humans"); return 1; }
// Not built yet: no creature records to write; no identity.
int store_creature_for_map(int creature, int wx, int wy) { KSM_STUB("store_creature_for_map"); return 0; }
// Not built yet: nobody follows the player.
int creature_travels_with_player(int data) { KSM_STUB("creature_travels_with_player"); return 0; }

// Not built yet: without the creature table every creature reads as an
// animal of no sex with plain sounds.
int cre_class(int creature) { KSM_STUB("cre_class"); return 0; }
int cre_is_female(int creature) { KSM_STUB("cre_is_female"); return 0; }
const char* cre_aggression_sound(int creature) { KSM_STUB("cre_aggression_sound"); return "growl"; }
const char* cre_sound(int creature) { KSM_STUB("cre_sound"); return "sound"; }

// Not built yet: no creature table, so nothing changes by days, no
// companion helps and no creature is watched during a task.
void creature_day(int) { KSM_STUB("creature_day"); }
void drop_expired_area_events() { KSM_STUB("drop_expired_area_events"); }
int count_helping_companions() {
    KSM_STUB("count_helping_companions");
    return 0;
}
const char* companion_names_text() {
    KSM_STUB("companion_names_text");
    return "your companions";
}
bool creature_task_view(int, TaskCreatureView&) {
    KSM_STUB("creature_task_view");
    return false;
}

// Not built yet: no creature has hooves or a pelt worth a price, and the
// player's animals and companions take no orders.
int cre_has_hooves(int) { KSM_STUB("cre_has_hooves"); return 0; }
int is_fur_bearer(const char*) { KSM_STUB("is_fur_bearer"); return 0; }
float pelt_price(const char*) { KSM_STUB("pelt_price"); return 0.0f; }
void pet_command_menu(int, int) { KSM_STUB("pet_command_menu"); }
int companion_command_menu(int) { KSM_STUB("companion_command_menu"); return 1; }
// Not built yet: the turn keeps no loudest noise, nobody hears a blow.
void raise_turn_noise(int, int, int) { KSM_STUB("raise_turn_noise"); }
