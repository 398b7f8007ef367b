#include "creatures/creature_services.h"

#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "shell/player.h"
#include "ui/platform.h"
#include "ui/text_ring.h"

AreaEvent AreaEvents[AREA_EVENT_COUNT];

int is_open_water_at(int x, int y) {
    if (!(terrain_flags_of(terrain_at(x, y)) & TF_WATER)) return 0;
    if (ice_thickness_at(x, y) == 0) return 1;
    return find_map_object(94, x, y) >= 0 ? 1 : 0;
}

int creature_facing(int creature) { return creature == -1 ? Plr.facing : 0; }

// Not built yet: no creature table, so no slot holds a creature.
int creature_kind(int creature) { return -1; }

// Not built yet: no templates, so no weight is known.
int world_entry_weight(int data) { return 0; }

// Not built yet: without the creature table nobody is a companion, an own
// animal, a human, tied or skinned, and every listed creature is present.
int cre_is_companion(int creature) { return 0; }
int cre_is_own_animal(int creature) { return 0; }
int cre_is_human(int creature) { return 0; }
int cre_status(int creature) { return 0; }
int is_carcass_skinned(int creature) { return 0; }
int cre_is_present(int creature) { return 1; }

// Not built yet: the player is "human", any other creature "creature".
char* creature_name(int creature, int flags) {
    return ring_copy(creature == -1 ? "human" : "creature");
}

// Not built yet: without the creature table the people of a settlement are
// taken to be at home, so that no settlement is given up.
int site_has_resident_humans(int wx, int wy) { return 1; }
// Not built yet: no creature records to write; no identity.
int store_creature_for_map(int creature, int wx, int wy) { return 0; }
// Not built yet: nobody follows the player.
int creature_travels_with_player(int data) { return 0; }

// Not built yet: without the creature table every creature reads as an
// animal of no sex with plain sounds.
int cre_class(int creature) { return 0; }
int cre_is_female(int creature) { return 0; }
const char* cre_aggression_sound(int creature) { return "growl"; }
const char* cre_sound(int creature) { return "sound"; }
