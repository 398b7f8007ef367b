// A thrown item's landing, and what the items on a square make of it.
#include "objects/map_marks.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "body/body_queries.h"
#include "body/combat_commands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/game_course.h"
#include "society/society_services.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/sound.h"
#include "work/work_services.h"

namespace {

constexpr int BOUNCE_TRIES = 10;
constexpr uint8_t SUBCLASS_MISSILE = 6;  // arrows and bolts stick where they land
constexpr int TERRAIN_PINE = 18;
constexpr int TERRAIN_SNARE_GROUND = 29;
constexpr int TERRAIN_OPEN_4 = 4, TERRAIN_OPEN_5 = 5;
constexpr int GROUND_BASE_ROCK = 1;
constexpr int KIND_BEAR_SKULL = 416;
constexpr int KIND_FEATHER = 418;
constexpr int KIND_SNARE = 801;
constexpr int KIND_FOX_TRAP = 800;
constexpr int KIND_OFFERED_FOOD_A = 490, KIND_OFFERED_FOOD_B = 500;
constexpr int TRAP_OFFERING_PIT = 395;
constexpr int CREATURE_BEAR = 605;
constexpr uint8_t PART_FEATHER_RITE = 4;  // the feather's part code (MAGIC)
constexpr uint32_t CRE_WAITS_BY_FIRE = 0x8;
constexpr int REQUIREMENT_WATER_GIFT = 490;
constexpr int WATER_OFFERING_MINUTES = 360;
constexpr int SPIRIT_WATER = 701, SPIRIT_FOREST = 702;
constexpr int COURSE_EVENT_RITE = 11;
constexpr uint32_t TF_BOG = 0x100;  // the world cell under the player sinks what falls in
constexpr uint8_t TRAP_BAITED = 0x4;

bool bounces_off(int x, int y, const ObjectRecord& r) {
    const int code = terrain_at(x, y);
    const uint32_t flags = terrain_flags_of(code);
    if (code == TERRAIN_OPEN_4 || code == TERRAIN_OPEN_5) return false;
    if (flags & TF_WATER) return false;
    if (r.subclass == SUBCLASS_MISSILE) return false;
    if (code == TERRAIN_PINE && r.kind == KIND_BEAR_SKULL) return false;  // it is hung there
    return (flags & TF_OBSTACLE) != 0;
}

bool can_land_on(int x, int y) {
    if (x < 1 || y < 1 || !in_world_grid(x, y)) return false;
    if (!is_in_view(x, y)) return false;
    return (terrain_flags_of(terrain_at(x, y)) & TF_OBSTACLE) == 0;
}

bool square_has(uint8_t kind, int x, int y) { return find_map_object(kind, x, y) >= 0; }

// The feather of the fire rite: the bird it came from waits by the fire.
void feather_by_fire(const ObjectRecord& r) {
    CreatureRecord bird;
    get_creature_record(uint32_t(r.extra_value), 4, bird);
    if (bird.cre_class == CRE_CLASS_FREE) return;
    bird.cre_flags |= CRE_WAITS_BY_FIRE;
    bird.leader_ref = Plr.total_minutes;  // offset 1312: the minute it began to wait
    write_crs_record(int(bird.sotu), bird);
}

// Traps at the square that an offering of food or a snare's bait pleases.
void offering_at_traps(int x, int y) {
    for (int t = 0; t < MAP_OBJECT_COUNT; ++t) {
        MapObject& trap = Data[t];
        if (trap.TYPE != MK_TRAP || trap.x != x || trap.y != y || trap.DATA != TRAP_OFFERING_PIT) continue;
        if (!plr_knowledge_bit(40, 0) || !plr_wears_no_armour()) continue;
        report_game_course_event(COURSE_EVENT_RITE);
        trap.subkind |= TRAP_BAITED;
    }
}

void fox_traps_in_the_afternoon(int x, int y) {
    for (int t = 0; t < MAP_OBJECT_COUNT; ++t) {
        MapObject& trap = Data[t];
        if (trap.TYPE != MK_TRAP || trap.x != x || trap.y != y || !(trap.subkind & TRAP_SINGLE_ITEM)) continue;
        if (!obj_id_is_valid(trap.DATA)) continue;
        ObjectRecord r;
        if (obj_record(trap.DATA, r).kind != KIND_FOX_TRAP) continue;
        if (!afternoon_weather_test() || !plr_knowledge_bit(82, 0)) continue;
        if (trap.amount < 2) trap.amount = 2;
        trap.subkind |= TRAP_BAITED;
        spirit_mood_add(player_x, player_y, SPIRIT_FOREST, 3);
        report_game_course_event(COURSE_EVENT_RITE);
    }
}

// An item in open water: it floats, is given to the water, or sinks. True
// when its record was freed.
bool into_the_water(int i, int x, int y) {
    const int id = Data[i].DATA;
    ObjectRecord r;
    obj_record(id, r);
    play_sample("splash", 0);
    const bool floats = obj_floats(id) != 0;
    if (r.item_class == ITEM_ARMOUR && plr_knowledge_bit(130, 0)) {
        start_water_offering(WATER_OFFERING_MINUTES);
        spirit_mood_add(player_x, player_y, SPIRIT_WATER, 2);
    }
    const int offered_day = water_offering_day;
    const bool offering_day = offered_day != 0 && offered_day - Plr.days_played <= 1 &&
                              Plr.days_played - offered_day <= 1;
    if (obj_meets_requirement(REQUIREMENT_WATER_GIFT, r) && Data[i].amount == 1 && plr_knowledge_bit(110, 0) &&
        offering_day && !plr_spirit_flag(1)) {
        spirit_mood_add(x, y, SPIRIT_WATER, 25);
        set_plr_spirit_flag(1, 1);
        free_map_object(i);
        return true;
    }
    if (floats) return false;
    if (terrain_flags_of(stored_world_terrain_at(plr_world_x(), plr_world_y())) & TF_BOG) {
        msg_item = id;
        show_message(message_by_key("BURIED_IN_BOG"));
    }
    free_map_object(i);
    return true;
}

// A settling under way: the ice that breaks beneath the items settles the
// square again, which must not start over.
bool settling = false;

}  // namespace

void aseta_heitetty_esine(int x, int y, int object_id) {
    char line[100];
    format_text(line, sizeof line, "aseta_heitetty_esine %d,%d - %d", x, y, object_id);
    debug_log("throw", line);
    if (debug_messages_on) {
        const bool muted = messages_suppressed;
        messages_suppressed = false;
        debug_message(line);
        messages_suppressed = muted;
    }
    ObjectRecord r;
    obj_record(object_id, r);
    if (obj_id_is_valid(object_id) && bounces_off(x, y, r)) {
        play_sample("thump", 0);
        for (int attempt = 0; attempt < BOUNCE_TRIES; ++attempt) {
            const int dx = random_below(3) - 1;
            const int dy = random_below(3) - 1;
            if (can_land_on(x + dx, y + dy)) {
                x += dx;
                y += dy;
                break;
            }
        }
    }
    target_x = x;
    target_y = y;
    if (put_object_on_map(MK_ITEM, x, y, object_id, 1) < 0) {
        // No record for it on this map: it is not lost but back in hand.
        warn_map_item_limit();
        plr_add_to_inventory(object_id, 1);
        cre_compute_load(-1);
        return;
    }
    settle_items_at(x, y);
}

void settle_items_at(int x, int y) {
    if (settling) return;
    settling = true;
    if (check_ice_breaks(x, y, 0, 0) == 1) do_break_ice(x, y);
    // Things in a boat lie in the boat: nothing sinks below it.
    const int craft = find_watercraft_at(x, y);
    if (craft >= 0) move_map_object_to_bottom(craft);
    const bool carried = craft >= 0;
    const int code = terrain_at(x, y);

    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE != MK_ITEM || o.x != x || o.y != y || !obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (r.kind == KIND_SNARE && code == TERRAIN_SNARE_GROUND && plr_knowledge_bit(89, 0)) {
            o.day_stamp = int16_t(Plr.days_played);
        } else if (r.kind == KIND_FEATHER && o.amount == 3 && square_has(MK_FIRE_SITE, x, y) &&
                   (code == TERRAIN_OPEN_5 || ground_type_at(x, y) == GROUND_BASE_ROCK) &&
                   r.MAGIC == PART_FEATHER_RITE) {
            feather_by_fire(r);
        } else if (r.kind == KIND_OFFERED_FOOD_A || r.kind == KIND_OFFERED_FOOD_B) {
            offering_at_traps(x, y);
        } else if (r.kind == KIND_BEAR_SKULL && code == TERRAIN_PINE) {
            char name[sizeof r.name + 1];
            copy_field(name, sizeof name, r.name, sizeof r.name);
            if (r.extra_value == CREATURE_BEAR || std::strstr(name, "ear skull") != nullptr) {
                set_plr_spirit_flag(8, 0);
                show_message("&You gracefully hang the bear skull in the pine.");
                spirit_mood_add(x, y, SPIRIT_FOREST, 20);
            }
        }
        fox_traps_in_the_afternoon(x, y);
        if (!carried && is_open_water_at(x, y)) into_the_water(i, x, y);
    }
    if (plr_ritual_flag(0)) capercaillie_ritual_check(x, y);
    settling = false;
}
