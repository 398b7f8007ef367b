// The per-turn pass over the current map's objects and the fire's turn:
// timed marks expire, food is tested, fires take their fuel, burn whoever
// stands in them and burn out into fire sites and ash, and every creature
// on the map takes its turn.
#include "objects/fire_turn.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/files.h"
#include "base/debug_log.h"
#include "base/platform.h"
#include "body/body_queries.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_table.h"
#include "game/death.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/terrain_queries.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_marks.h"
#include "objects/object_ageing.h"
#include "objects/object_store.h"
#include "society/villages.h"
#include "objects/map_object_table.h"
#include "objects/item_commands.h"
#include "objects/map_objects.h"
#include "objects/ownership.h"
#include "ui/message_line.h"
#include "work/fire_work.h"
#include "work/wandering_groups.h"

uint8_t encounter_class = 0;

namespace {

constexpr int FIRE_AHEAD_MAX = 1200;      // minutes a fire may burn ahead of the clock
constexpr int FIRE_ADD_MAX = 1200;        // fuel minutes taken in one turn
constexpr int FIRE_WARNING_MINUTES = 15;
constexpr int TASK_BURNING = 300;         // a dead body's first task while it burns
constexpr int CARCASS_MARK_DAYS = 4;
constexpr uint8_t TERRAIN_ASH = 250;
constexpr int SPREAD_RADIUS = 29;
constexpr int SPREAD_CROWD = 25;
constexpr int DAMAGE_BURN = 5;
constexpr int BURN_ZONE = 2;
constexpr int INFLICTER_FIRE = -111;

int32_t now() { return Plr.total_minutes; }

// A count kept in a 16-bit field stops at its top instead of wrapping.
uint16_t saturated_amount(long long v) { return uint16_t(std::clamp<long long>(v, 0, MAP_AMOUNT_MAX)); }

// A creature slot named by a map record's DATA (1000 + slot, or the slot).
int slot_of_data(int32_t data) { return data >= CREATURE_REF_BASE ? data - CREATURE_REF_BASE : data; }

void burn_player(bool world) {
    const int burns = world ? 3 : 1;
    for (int b = 0; b < burns; ++b) {
        const int part = roll_body_part_hit(BURN_ZONE, -1, 0);
        char line[160];
        format_text(line, sizeof line, "!The fire burns your %s!", body_part_name(part, -1));
        show_message(line);
        copy_text(harm_cause_text, "Burned by fire");
        const int r = random_below(10);
        cre_inflict_wound(-1, DAMAGE_BURN, r + 10, part, last_hit_side, INFLICTER_FIRE);
    }
    fire_burned_player = 1;
}

void fire_turn(int i, bool world) {
    MapObject& f = Data[i];
    const int32_t t = now();
    if (f.expire_minute == 0) f.expire_minute = uint32_t(f.amount + t);
    if (f.time_stamp == 0) f.time_stamp = t;
    if (f.day_stamp == 0) f.day_stamp = int16_t(Plr.days_played);
    if (int64_t(f.expire_minute) < int64_t(t)) {
        burn_out_fire(i);
        return;
    }
    const int x = f.x, y = f.y;
    const int add = std::min(2 * burn_items_at(x, y, 0, ""), FIRE_ADD_MAX);
    if (add > 0) {
        f.expire_minute += uint32_t(add);
        f.DATA += add;
        f.amount = saturated_amount(int64_t(f.amount) + add);
        add_smoke_to_food(x, y, add);
    }
    if (int64_t(f.expire_minute) > int64_t(t) + FIRE_AHEAD_MAX) f.expire_minute = uint32_t(t + FIRE_AHEAD_MAX);
    const int standing = creature_at(x, y);
    if (standing >= 0) {
        if (debug_messages_on) {
            const bool muted = messages_suppressed;
            messages_suppressed = false;
            debug_message("Fire esc");
            messages_suppressed = muted;
        }
        Pakene(standing);
    }
    if (x == player_x && y == player_y && !fire_burned_player) burn_player(world);
    burn_items_at(x, y, 1, "");
    const int64_t left = int64_t(Data[i].expire_minute) - t;
    if (Data[i].TYPE == MK_FIRE && std::llabs(left) < FIRE_WARNING_MINUTES && !world && is_in_view(x, y))
        show_message("The fire is about to burn out soon.");
    burn_corpses_in_fire(x, y);
}

// A kind-53 mark more than four days old: the dead creature under it is
// left for the next map load to clear, and the mark goes.
void expire_carcass_mark(int i) {
    const MapObject& m = Data[i];
    if (std::abs(m.DATA - Plr.days_played) <= CARCASS_MARK_DAYS) return;
    const int dead = find_map_object(MK_CARCASS, m.x, m.y);
    if (dead >= 0) Data[dead].TYPE = MK_GONE;
    free_map_object(i);
}

}  // namespace

int terrain_burns(int code) {
    if (terrain_flags_of(code) & TF_WATER) return 0;
    static const int never[] = {4, 5, 20, 21, 30, 39, 41, 60, 82, 91, 94, 96, 127, 233, 236, 246, 250};
    for (int c : never)
        if (c == code) return 0;
    return 1;
}

void burn_corpses_in_fire(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CARCASS || o.x != x || o.y != y) continue;
        const int slot = slot_of_data(o.DATA);
        if (!cre_slot_valid(slot) || CreSlotRefs[slot] == 0) continue;
        CreatureRecord& c = Cre[slot];
        if (c.Puuha[0] != TASK_BURNING) {
            c.Puuha[0] = TASK_BURNING;
            c.task_turns[0] = 0;
            continue;
        }
        c.task_turns[0] += 1;
        if (c.task_turns[0] > int(std::ceil(c.weight)) * 10) {
            // Burnt away: the body and its slot go.
            free_map_object(i);
            CreSlotRefs[slot] = 0;
            return;
        }
    }
}

void burn_out_fire(int i) {
    if (!map_index_valid(i) || Data[i].TYPE != MK_FIRE) return;
    const MapObject fire = Data[i];
    const int x = fire.x, y = fire.y;
    const bool world = is_world_map() != 0;
    if (!world) {
        const int old_site = find_map_object(MK_FIRE_SITE, x, y);
        if (old_site >= 0) free_map_object(old_site);
        clear_staging_object();
        map_object_staging.TYPE = MK_FIRE_SITE;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = fire.DATA;
        map_object_staging.amount = fire.amount;
        map_object_staging.expire_minute = fire.expire_minute;
        map_object_staging.day_stamp = fire.day_stamp;
        insert_map_object(-1);
    }
    free_map_object(i);
    const int code = terrain_at(x, y);
    if (code == 4 || code == 5) return;
    if (world) {
        // Only ground that burns changes, never a settlement's site; the
        // stored local map is made again only when its code changed.
        if (terrain_burns(code) && !is_world_site_code(code) && code != TERRAIN_ASH) {
            set_stored_world_terrain(x, y, TERRAIN_ASH);
            zoom_forget_stored(x, y);
        }
    } else if (terrain_burns(code)) {
        set_terrain_at(x, y, TERRAIN_ASH);
    }
    // Spreading: only beside another burning fire, and not in a crowd.
    int near = 0;
    for (int k = 0; k < MAP_OBJECT_COUNT; ++k) {
        const MapObject& o = Data[k];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE == MK_FIRE && std::abs(o.x - x) <= SPREAD_RADIUS && std::abs(o.y - y) <= SPREAD_RADIUS) ++near;
    }
    int around = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((dx || dy) && find_map_object(MK_FIRE, x + dx, y + dy) >= 0) ++around;
    if (around == 0 || near > SPREAD_CROWD || x < 3 || x > 3069 || y < 3 || y > 2045) return;
    if (random_below(50) == 1) return;
    for (int dy : {-1, 1}) {
        const int ny = y + dy;
        if (burn_items_at(x, ny, 0, "") > 2 || terrain_burns(terrain_at(x, ny))) {
            const int r = random_below(30);
            place_fire_object(x, ny, 30 + r);
        }
    }
}

void update_map_objects() {
    forget_last_village_looked_at();
    if (quit_state == -1) return;
    const bool world = is_world_map() != 0;
    begin_map_object_walk();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        switch (o.TYPE) {
        case MK_UNUSED:
        case MK_FREED:
            continue;
        case MK_CARCASS_MARK:
            expire_carcass_mark(i);
            break;
        case MK_WORLD_CREATURE:
            update_fire_record(i);
            break;
        case MK_PREPARATION:
        case MK_SET_ASIDE:
            if (o.expire_minute != 0) report_food_ready(i);
            break;
        case MK_ITEM:
            if (o.state == MAP_STATE_OVER_FIRE) check_food_burning(i);
            break;
        case MK_FIRE:
            fire_turn(i, world);
            break;
        case MK_CREATURE: {
            // Only a loaded slot takes a turn; a record naming none is
            // passed over, and one with a negative reference freed.
            if (o.DATA < 0) {
                free_map_object(i);
                break;
            }
            if (o.DATA < CREATURE_REF_BASE || o.DATA >= CREATURE_REF_BASE + CRE_SLOTS) break;
            const int slot = o.DATA - CREATURE_REF_BASE;
            if (CreSlotRefs[slot] == 0) break;
            if (encounter_class != 0 && Cre[slot].cre_class == encounter_class) break;
            if (creature_catch_up) Cre[slot].alert = 0;  // its words of the catch-up are not heard
            CreatureAct(i);
            break;
        }
        default:
            break;
        }
        // Tracks and world entries count down on the world map.
        MapObject& after = Data[i];
        if (world && (after.TYPE == MK_TRACK || after.TYPE == MK_WORLD_CREATURE) && after.amount != 0) {
            after.amount -= 1;
            if (after.amount == 0) free_world_entry(i);
        }
    }
    end_map_object_walk();
}

void free_world_entry(int i) {
    if (!map_index_valid(i)) return;
    const MapObject& o = Data[i];
    if (o.TYPE == MK_WORLD_CREATURE && o.DATA >= CRE_REF_BASE) {
        std::vector<CreatureRecord>& file = crs_records();
        const size_t n = size_t(o.DATA - CRE_REF_BASE);
        if (n < file.size()) file[n] = CreatureRecord{};
    }
    free_map_object(i);
}

void drop_stale_marks() {
    const int32_t t = now();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_FIRE_SITE && o.TYPE != MK_BLOOD) continue;
        bool stale;
        if (o.expire_minute != 0) stale = std::llabs(int64_t(o.expire_minute) - t) > 2880;
        else stale = std::abs(int(o.amount) - Plr.days_played) > 2 && Plr.days_played > 1;
        if (stale) free_map_object(i);
    }
}

int areal_itemizer() {
    is_world_map();
    drop_stale_marks();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const uint8_t kind = Data[i].TYPE;
        if (kind == MK_UNUSED) break;
        if (kind == MK_PREPARATION && is_preparation_done(i)) finish_food_preparation(i);
        else if (kind == MK_ICE_HOLE) age_open_ice_hole(i);
        else if (kind == MK_REFREEZING_HOLE) refreeze_ice_hole(i);
    }
    return 0;
}

void age_map_items(int days) {
    if (days == 0) return;
    // Food and skins lying about age, unless they are kept by a living
    // village (two people or more).
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM) continue;
        const OwnerStatus st = map_item_owner_status(i);
        if (!(st.free || st.owner == 0 || village_population(st.owner) < 2)) continue;
        ObjectRecord aged;
        if (obj_decay_record(o.DATA, DECAY_AGE, terrain_at(o.x, o.y), aged, days) == DECAY_UNCHANGED) continue;
        const int id = obj_store_record(aged);
        if (id > 0) Data[i].DATA = id;
    }
    // Goods taken from a village and left on the ground lose their claim
    // after ten days.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM || !obj_id_is_instance(o.DATA)) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (!(r.ownflag & (OWN_UNPAID | OWN_TAKEN))) continue;
        r.extra_a += 1;
        if (r.extra_a > 9) {
            r.ownflag &= uint8_t(~(OWN_UNPAID | OWN_TAKEN));
            r.x = r.y = 0;
            r.ownerID = 0;
            r.extra_a = 0;
        }
        const int id = obj_store_record(r);
        if (id > 0) o.DATA = id;
    }
}
