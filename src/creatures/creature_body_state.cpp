// A creature's body from turn to turn: its wound totals, falls when its
// legs give way, and the cold of open water.
#include <algorithm>
#include <cstdlib>

#include "body/body_condition.h"
#include "body/wound_checks.h"
#include "body/wounds.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_services.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"

namespace {

constexpr float NORMAL_BODY_TEMP = 37.0f;
constexpr uint8_t MOBILITY_SWIMMER = 96;
constexpr uint8_t MOBILITY_DIVER = 128;
constexpr int KIND_WATER_SPIRIT = 701;
constexpr int KEPT_WARM_RANGE = 8;

// The cold class of the water: its warmth in whole degrees, 3 when it is
// colder than 3 degrees or frozen over.
int water_cold_class() {
    const int ice = weather.current.ice;
    return ice < 30 ? 3 : ice / 10;
}

bool on_water_square(int x, int y) { return is_world_map() != 1 && (terrain_flags_of(terrain_at(x, y)) & TF_WATER); }

// In open water the body cools by the water's cold; the player's own keep
// warm near the player; anywhere else it warms back.
void water_cold(int creature, CreatureRecord& c) {
    const int x = creature_x(creature), y = creature_y(creature);
    if (!on_water_square(x, y)) {
        if (c.body_temp < NORMAL_BODY_TEMP) c.body_temp += 0.1f;
        return;
    }
    if (c.kind == KIND_WATER_SPIRIT || c.mobility == MOBILITY_SWIMMER || c.mobility == MOBILITY_DIVER) return;
    if (!is_open_water_at(x, y)) return;
    const bool person = c.cre_class == CRE_CLASS_HUMAN;
    const int cold = water_cold_class();
    if (cold < 10) c.body_temp -= person ? 0.05f : 0.025f;
    if (cold < 6) c.body_temp -= person ? 0.05f : 0.025f;
    if ((cre_is_companion(creature) || cre_is_own_animal(creature)) &&
        std::max(std::abs(x - player_x), std::abs(y - player_y)) <= KEPT_WARM_RANGE && c.body_temp < NORMAL_BODY_TEMP)
        c.body_temp += 0.2f;
}

}  // namespace

void cre_update_body_state(int creature) {
    if (creature != -1 && !cre_slot_valid(creature)) return;
    if (creature == -1) {
        if (cre_locomotion_disability(-1) >= 1.0f) cre_fall_down(-1, 0);
        return;
    }
    CreatureRecord& c = Cre[creature];
    if (c.body_temp == 0.0f) c.body_temp = NORMAL_BODY_TEMP;
    // The wound load is the fourth column summed over the wounds there are;
    // the bleeding column is summed where bleeding is worked out.
    int load = 0;
    for (int s = 0; s < 20; ++s)
        if (c.wounds[CW_KIND][s] != 0) load += c.wounds[CW_DAMAGE][s];
    c.injury = uint8_t(std::min(load, 255));
    if (cre_locomotion_disability(creature) >= 1.0f) cre_fall_down(creature, 0);
    if (c.air_state < 1) {
        water_cold(creature, c);
    } else if (cre_is_stunned(creature)) {
        cre_fall_down(creature, 0);
    } else if (c.air_state == AIR_IN_TREE &&
               !(terrain_flags_of(terrain_at(creature_x(creature), creature_y(creature))) & TF_YOUNG_TREE)) {
        cre_fall_down(creature, 0);
    }
}
