// The creature entries of the world map around the player: those far off
// are dropped, and new ones are stocked near while time passes there.
#include "maps/map_services.h"

#include <algorithm>
#include <cstdlib>

#include "base/files.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "creatures/encounter_species.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "objects/fire_turn.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "work/wandering_groups.h"

namespace {

constexpr int FAR_ENTRY = 100;
constexpr int NEAR_ENTRY = 25;
constexpr int ENTRIES_WANTED = 20;
constexpr int GROUP_REACH = 250;
constexpr int32_t ENTRY_HUMAN_GROUP = 500;
constexpr int32_t ENTRY_551 = 551;
constexpr int CULTURE_WANDERERS = 11;

// The encounter column of a culture: eastern, western, northern or other.
int column_of_culture(int culture) {
    switch (culture) {
    case 0: case 2: case 3: return 1;
    case 1: case 4: case 5: case 6: return 2;
    case 7: case 8: case 9: return 3;
    default: return culture > 9 ? 0 : 1;
    }
}

void stock_one_entry() {
    if (!random_world_cell_near_player()) return;
    const int x = world_cell_found_x, y = world_cell_found_y;
    const int kind = choose_encounter_species(column_of_culture(culture_at(x, y)), x, y, 0);
    if (kind == 606 || kind == 607 || kind <= 0 || kind >= 1000) return;
    if (kind == ENTRY_HUMAN_GROUP) {
        creature_template(ENTRY_HUMAN_GROUP);
        CreScratch.home_culture = CULTURE_WANDERERS;
        cre_roll_personal_values(CreScratch);
        const int ref = append_creature_record(CreScratch);
        if (ref == CRE_NO_CREATURE) return;
        clear_staging_object();
        map_object_staging.TYPE = MK_WORLD_CREATURE;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = ref;
        map_object_staging.ref = int16_t(CreScratch.kind);
        insert_map_object(-1);
        return;
    }
    put_object_on_map(MK_WORLD_CREATURE, x, y, kind, 0);
}

}  // namespace

void drop_far_world_entries() {
    if (!is_world_map()) return;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_WORLD_CREATURE) continue;
        if (std::abs(o.x - player_x) > FAR_ENTRY || std::abs(o.y - player_y) > FAR_ENTRY) free_world_entry(i);
    }
}

void stock_world_entries() {
    if (!is_world_map()) return;
    int near = 0, e551 = 0, groups = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_WORLD_CREATURE) continue;
        const int dx = std::abs(o.x - player_x), dy = std::abs(o.y - player_y);
        if (dx <= NEAR_ENTRY || dy <= NEAR_ENTRY) ++near;
        if (o.DATA == ENTRY_551) ++e551;
        if ((o.DATA == ENTRY_HUMAN_GROUP || o.ref == MAP_REF_HUMAN_GROUP) && std::max(dx, dy) < GROUP_REACH) ++groups;
    }
    if (near >= ENTRIES_WANTED) return;
    for (int n = near; n < ENTRIES_WANTED; ++n) stock_one_entry();
    if (random_below(5) == 0 && e551 == 0) {
        const MapPoint p = pick_world_site_cell(player_x, player_y, 25, 100, 0, 0, 0);
        if (p.x != 0 || p.y != 0) put_object_on_map(MK_WORLD_CREATURE, p.x, p.y, ENTRY_551, 0);
    }
    if (random_below(5) == 0 && groups == 0) {
        const int r = random_below(100);
        if (r < camp_site_percent_at(player_x, player_y)) {
            const MapPoint p = pick_world_site_cell(player_x, player_y, 50, 100, 0, 0, 0);
            if (p.x != 0 || p.y != 0) put_object_on_map(MK_WORLD_CREATURE, p.x, p.y, ENTRY_HUMAN_GROUP, 0);
        }
    }
}
