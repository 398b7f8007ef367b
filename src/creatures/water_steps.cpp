// Water and watercraft: the player's step into water, wading, swimming and
// rowing, and the tests of open water, floating gear and a craft's load.
#include "creatures/water_steps.h"

#include <cmath>
#include <cstring>

#include "base/config.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "body/body_services.h"
#include "creatures/creature_services.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_table.h"
#include "creatures/movement_commands.h"
#include "game/death.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "society/game_course.h"
#include "society/society_services.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "work/work_services.h"

uint8_t water_blessing_flags = 0;
int32_t water_bonus_until = 0;
uint8_t swimming_allowed = 1;

void reset_water_state() {
    water_blessing_flags = 0;
    water_bonus_until = 0;
    swimming_allowed = 1;
}

namespace {

constexpr uint8_t SUBCLASS_FLOATING_GEAR = 13;
constexpr uint8_t IN_HAND = OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;
constexpr int MAX_LOAD_STACKS = 40;
constexpr int LOAD_PER_CRAFT_POUND = 200;
constexpr int SPIRIT_OF_WATER = 701;
constexpr int BONUS_MINUTES = 300;
constexpr int32_t CAUSE_COLD_WATER = -112;

bool on_water(int x, int y) { return (terrain_flags_of(terrain_at(x, y)) & TF_WATER) != 0; }

const char* craft_name(int map_index) {
    if (!map_index_valid(map_index)) return "watercraft";
    ObjectRecord r;
    obj_record(Data[map_index].DATA, r);
    char name[sizeof r.name + 1];
    copy_field(name, sizeof name, r.name, sizeof r.name);
    return lower_case_copy(name);
}

// The craft becomes the object the catalogue's messages speak of.
void name_craft(int map_index) {
    if (!map_index_valid(map_index)) return;
    msg_item = Data[map_index].DATA;
    obj_load_current(Data[map_index].DATA);
}

// A sesta alone can't reach the bottom of deep water.
int sesta_depth_test(int x, int y) {
    if (paddle_state == 1 && water_depth_at(x, y) > 3) {
        show_message("!You can't use plain sesta to move there. The water is too deep.");
        return -1;
    }
    return 1;
}

// Deep water: the player may swim when the map allows it.
int offer_swim(int x, int y) {
    show_message(message_by_key("DEEP_WATER"));
    if (is_world_map() || !swimming_allowed) return 0;
    if (automatic_answer("AUTO_SWIM", "Swim?")) plr_start_swimming(x, y);
    return 0;
}

int wade_in(int x, int y) {
    show_message(message_by_key("CAN_WADE"));
    if (check_physical_requirements(-1, PHYSREQ_STANCE, 2, "wade")) return 0;
    if (map_entry_flag) return 0;
    if (plr_worn_skis()) {
        show_message(cant_do_text("wade with skis on"));
        return 0;
    }
    if (automatic_refusal("AUTO_WADE")) return 0;
    confirm_enter_water(0);
    if (!automatic_answer("AUTO_WADE", "Step into water?")) return 0;
    Plr.travel_mode = TRAVEL_WADING;
    return 1;
}

int launch_craft(int x, int y) {
    if (watercraft_overloaded(player_x, player_y) == -1) return 0;
    const bool changed = Plr.travel_mode != TRAVEL_ROWING;
    Plr.travel_mode = TRAVEL_ROWING;
    if (changed) {
        name_craft(watercraft_record);
        show_message(message_by_key("WATERCRAFT_LAUNCH"));
        if ((step_flags & STEP_FLAG_UNSEEN) && (water_blessing_flags & 0x01)) {
            spirit_mood_add(player_x, player_y, SPIRIT_OF_WATER, 2);
            water_bonus_until = Plr.total_minutes + BONUS_MINUTES;
            report_game_course_event(11);
        }
    }
    return sesta_depth_test(x, y);
}

int step_from_shore(int x, int y) {
    const bool from_water = is_open_water_at(player_x, player_y) != 0;
    if (watercraft_record >= 0) {
        paddle_state = uint8_t(worn_floating_gear());
        if (paddle_state == 0) {
            show_message_parts("!To shove your ", craft_name(watercraft_record),
                               " ahead you must have sesta or paddle wielded!");
            Plr.travel_mode = on_water(player_x, player_y) ? TRAVEL_ROWING : TRAVEL_WALKING;
            return -1;
        }
        Data[watercraft_record].subkind = uint8_t((facing + 1) & 0xFF);
        if (from_water) {
            Plr.travel_mode = TRAVEL_ROWING;
            return sesta_depth_test(x, y);
        }
        return launch_craft(x, y);
    }
    if (find_watercraft_at(x, y) >= 0) {
        // The player steps to the craft.
        Plr.travel_mode = TRAVEL_WALKING;
        return 1;
    }
    const int depth = water_depth_at(x, y);
    if (from_water) {
        if (depth <= 1 || is_world_map()) {
            Plr.travel_mode = TRAVEL_WADING;
            return map_entry_flag ? 0 : 1;
        }
        if (map_entry_flag) return 0;
        return offer_swim(x, y);
    }
    if (depth <= 1 && !is_world_map()) return wade_in(x, y);
    return offer_swim(x, y);
}

int swim_on(int x, int y) {
    PLR_Lampotila();
    Plr.running = 0;
    Plr.hiding = 0;
    if (Plr.body_state == 1) Plr.body_state = 0;
    int grade = 2;
    if (water_depth_at(player_x, player_y) > 1) {
        grade = plr_swim_roll(1);
        if (grade == -1) {
            pause_prompt();
            show_message(":You sink under water not being able to struggle your way back to the surface.");
            Plr.cause_of_death = CAUSE_COLD_WATER;
            plr_die();
            return 0;
        }
        Plr.exertion = grade == 2 ? 7 : grade == 3 ? 6 : 10;
    } else {
        show_message(message_by_key("CAN_WADE"));
        plr_set_movement_mode(TRAVEL_WADING);
        Plr.exertion = 6;
    }
    const uint32_t flags = terrain_flags_of(terrain_at(x, y));
    if (flags & TF_RAPIDS) Plr.exertion = 10;
    else if ((flags & TF_FLOWING) && Plr.exertion < 7) Plr.exertion = 7;
    if (grade == 0) return -1;
    if (find_watercraft_at(x, y) >= 0) Plr.travel_mode = TRAVEL_WALKING;
    return 1;
}

}  // namespace

int is_near_water(int x, int y) {
    if (is_open_water_at(x, y)) return 0;
    static const int dx[4] = {0, 0, -5, 5};
    static const int dy[4] = {-5, 5, 0, 0};
    for (int d = 0; d < 4; ++d)
        if (is_open_water_at(x + dx[d], y + dy[d])) return 1;
    return 0;
}

int worn_floating_gear() {
    int gear = 0;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int id = Plr.plr_inv_id[slot];
        if (Plr.plr_inv_count[slot] <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (r.item_class != ITEM_TOOL || r.subclass != SUBCLASS_FLOATING_GEAR || !(r.state_bits & IN_HAND)) continue;
        if (r.coverage[0] == 1) return 2;  // a paddle
        gear = 1;                          // a sesta
    }
    return gear;
}

int confirm_enter_water(int ask) {
    const int warmth = weather.current.ice;  // tenths of a degree; below 0 ice
    const int degrees = warmth < 30 ? 3 : warmth / 10;
    if (degrees > 13) return 1;
    char line[MESSAGE_BYTES];
    format_text(line, sizeof line, "!The water is %s.", temperature_word(degrees));
    show_message(line);
    return ask ? ask_yes_no("Really enter the water?") : 1;
}

int watercraft_overloaded(int x, int y) {
    const int craft = find_watercraft_at(x, y);
    if (craft < 0) return 0;
    ObjectRecord vessel;
    obj_record(Data[craft].DATA, vessel);
    int stacks = 0;
    double pounds = 0.0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (i == craft || o.TYPE != MK_ITEM || o.x != x || o.y != y) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        ++stacks;
        pounds += double(o.amount) * r.full_weight;
    }
    const double limit = double(vessel.full_weight) * LOAD_PER_CRAFT_POUND;
    char line[96];
    const bool over = stacks > MAX_LOAD_STACKS || pounds >= limit;
    if (over) format_text(line, sizeof line, "stacks: %d weight: %.2f (over %.2f)", stacks, pounds, limit);
    else format_text(line, sizeof line, "stacks: %d weight: %.2f", stacks, pounds);
    debug_message(line);
    if (!over) return 1;
    name_craft(craft);
    show_message(message_by_key("WATERCRAFT_OVERLOADED"));
    return -1;
}

int plr_enter_water(int x, int y) {
    const int mode = Plr.travel_mode;
    if ((map_change_request || map_entry_flag) &&
        (mode == TRAVEL_SWIMMING || mode == TRAVEL_ROWING || mode == TRAVEL_WADING))
        return 1;
    on_watercraft = 0;
    paddle_state = 0;
    watercraft_record = find_watercraft_at(player_x, player_y);
    if (mode != TRAVEL_SWIMMING) return step_from_shore(x, y);
    return swim_on(x, y);
}
