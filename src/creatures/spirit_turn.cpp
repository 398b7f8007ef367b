// One turn of a spirit on a local map: the maid, the water spirit and the
// forest spirit face the player, keep their distance, lure, give, and
// vanish out of sight or after 150 turns.
#include "creatures/spirit_turn.h"

#include "base/files.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/movement_modes.h"
#include "creatures/turn_steps.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/item_makers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/society_services.h"

namespace {

constexpr int KIND_MAID = 700, KIND_WATER_SPIRIT = 701, KIND_FOREST_SPIRIT = 702;
constexpr int LURE_NONE = 0, LURE_PLAY = 1, LURE_GIFT = 2, LURE_ADVISED = 3;
constexpr uint8_t MOVE_MODE_FLEEING = 4;
constexpr int SPIRIT_LIFETIME = 150;
constexpr int VIEW_REACH = 30;

const char* const kGiftPhrases[4] = {"I have something for you.", "Come get what is now yours.",
                                     "Come, I want you to have it.", "Follow me and get your gift."};
const char* const kPlayPhrases[4] = {"Catch me, and I'm yours.", "Come play with me.",
                                     "You want to follow me. Yes, you do.", "Can you catch me?"};

bool remembered_blank(int x, int y) {
    const uint8_t r = remembered_at(x, y);
    return r == 0 || r == ' ';
}

void mark_seen(int kind) {
    if (kind == KIND_MAID) Plr.forest_maids |= MAIDS_MET;
    else if (kind == KIND_WATER_SPIRIT) Plr.plr_deed_flags |= DEED_WATER_SPIRIT_SEEN;
    else if (kind == KIND_FOREST_SPIRIT) Plr.plr_deed_flags |= DEED_FOREST_SPIRIT_MET;
}

// The nearest square of the 40 x 40 around the spirit that the player has
// not seen and that lies nearer to the spirit than to the player.
bool find_hiding_spot(int sx, int sy, TaskPoint& out) {
    int best = 1 << 30;
    bool found = false;
    for (int y = sy - 20; y <= sy + 19; ++y)
        for (int x = sx - 20; x <= sx + 19; ++x) {
            if (x == sx && y == sy) continue;
            if (!remembered_blank(x, y)) continue;
            const int d = chebyshev_distance(x, y, sx, sy);
            if (d >= chebyshev_distance(x, y, player_x, player_y) || d >= best) continue;
            best = d;
            out = {x, y};
            found = true;
        }
    if (!found && remembered_blank(sx, sy) && 0 < chebyshev_distance(sx, sy, player_x, player_y)) {
        out = {sx, sy};
        found = true;
    }
    return found;
}

bool out_of_sight(int x, int y) {
    if (x == 0 || y == 0) return true;
    if (chebyshev_distance(x, y, player_x, player_y) > VIEW_REACH) return true;
    if (x < ZOOM_FIRST || x > ZOOM_LAST || y < ZOOM_FIRST || y > ZOOM_LAST) return true;
    return !is_in_view(x, y);
}

// The maid's promised gift on the first free square of the 5 x 5 around
// her; once a character.
void leave_gift(int x, int y) {
    if (Plr.forest_maids & MAIDS_GIFT_GIVEN) return;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int gx = x + dx, gy = y + dy;
            if (!remembered_blank(gx, gy) || (terrain_flags_of(terrain_at(gx, gy)) & TF_OBSTACLE)) continue;
            ObjectRecord shirt;
            make_embroidered_shirt(shirt);
            const int id = obj_store_record(shirt);
            if (id <= 0 || put_object_on_map(MK_ITEM, gx, gy, id, 1) < 0) return;
            Plr.forest_maids |= MAIDS_GIFT_GIVEN;
            return;
        }
}

void vanish(int slot) {
    CreatureRecord& c = Cre[slot];
    if (c.kind == KIND_MAID && lure_state(c) == LURE_GIFT) leave_gift(creature_x(slot), creature_y(slot));
    Poista_Olento(slot);
}

// Step 9: the lure; true when the turn is over, false when the spirit goes
// on to its walk.
bool lure_step(int slot, bool near) {
    CreatureRecord& c = Cre[slot];
    if (lure_state(c) != LURE_NONE) return false;
    if (c.move_mode == MOVE_MODE_FLEEING) return false;
    if (c.spirit_turns <= 9) return false;
    const int sx = creature_x(slot), sy = creature_y(slot);
    if (c.kind == KIND_FOREST_SPIRIT) {
        if (is_in_view(sx, sy) && chebyshev_distance(sx, sy, player_x, player_y) <= 3) {
            forest_spirit_advice();
            Plr.plr_deed_flags |= DEED_FOREST_SPIRIT_MET;
            lure_state(c) = LURE_ADVISED;
        }
    } else if (c.kind == KIND_MAID) {
        if (random_below(12) == 0 && !(Plr.forest_maids & MAIDS_GIFT_GIVEN)) {
            lure_state(c) = LURE_GIFT;
            cre_say(slot, kGiftPhrases[random_below(4)]);
        } else {
            lure_state(c) = LURE_PLAY;
            cre_say(slot, kPlayPhrases[random_below(4)]);
        }
        return true;
    }
    return c.spirit_turns <= 100 && !near;
}

}  // namespace

void spirit_creature_turn(int map_index) {
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return;
    CreatureRecord& c = Cre[slot];
    // 1, 2.
    if (Plr.sleeping && !(seen_flags(c) & 1)) return;
    if (c.spirit_turns < 255) c.spirit_turns += 1;
    cre_face_towards(slot, player_x, player_y);
    const int sx = Data[map_index].x, sy = Data[map_index].y;
    // 3.
    if (is_in_view(sx, sy)) {
        seen_flags(c) |= 1;
        mark_seen(c.kind);
    }
    // 4-7: where to keep.
    TaskPoint spot{0, 0};
    bool have_spot = find_hiding_spot(sx, sy, spot);
    bool straight_to_walk = false;
    if (c.kind == KIND_WATER_SPIRIT) {
        int wx = 0, wy = 0;
        if (find_nearest_water(sx, sy, &wx, &wy)) {
            spot = {wx, wy};
            have_spot = true;
        }
        if (random_below(3) == 0) {
            const int dx = random_below(3) - 1;
            const int dy = random_below(3) - 1;
            const int px = c.Viimeisin_X + dx, py = c.Viimeisin_Y + dy;
            const int d = chebyshev_distance(px, py, player_x, player_y);
            if (is_open_water_at(px, py) && !creature_catch_up && (d == 2 || d == 3)) Kulje_Paikkaan(slot, px, py);
        }
    } else if (c.kind == KIND_FOREST_SPIRIT) {
        if (lure_state(c) != LURE_ADVISED) {
            if (creature_catch_up || chebyshev_distance(sx, sy, player_x, player_y) > 2)
                Kulje_Paikkaan(slot, player_x, player_y);
        } else if (random_below(3) == 0) {
            straight_to_walk = true;
        }
    }
    if (!have_spot) spot = Hae_Pakopaikka(slot, player_x, player_y);
    if (spirit_origin_x(c) == 0) {
        spirit_origin_x(c) = int16_t(player_x);
        spirit_origin_y(c) = int16_t(player_y);
    }
    if (!straight_to_walk) {
        // 8, 9.
        const int here_x = creature_x(slot), here_y = creature_y(slot);
        const int player_d = chebyshev_distance(player_x, player_y, here_x, here_y);
        const int origin_d = chebyshev_distance(spirit_origin_x(c), spirit_origin_y(c), here_x, here_y);
        const bool near = player_d <= 1 || (player_d <= 3 && player_d < origin_d);
        if (lure_step(slot, near)) return;
    }
    // 10. The walk.
    if (c.kind == KIND_WATER_SPIRIT && is_open_water_at(creature_x(slot), creature_y(slot))) {
        cre_dive(slot);
        Poista_Olento(slot);
        return;
    }
    Kulje_Paikkaan(slot, spot.x, spot.y);
    for (int k = 0; k < 50 && Data[map_index].TYPE == MK_CREATURE; ++k) {
        if (chebyshev_distance(player_x, player_y, creature_x(slot), creature_y(slot)) > 1) break;
        Kulje_Paikkaan(slot, spot.x, spot.y);
    }
    // 11. Gone when out of sight, or after its time.
    if (Data[map_index].TYPE != MK_CREATURE) return;
    if (out_of_sight(creature_x(slot), creature_y(slot))) vanish(slot);
    else if (c.spirit_turns > SPIRIT_LIFETIME) Poista_Olento(slot);
}
