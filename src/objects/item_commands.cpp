// Item and activity commands. Those not built yet note their call (for the
// developer's trace) and give a neutral answer.
#include "objects/item_commands.h"

#include <cstdlib>

#include "base/stubs.h"
#include "console/console.h"
#include "maps/map_layers.h"
#include "objects/item_lists.h"
#include "objects/item_selection.h"
#include "body/body_condition.h"
#include "creatures/creature_files.h"
#include "creatures/creature_party.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "objects/hauling.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_marks.h"
#include "objects/ownership.h"
#include "society/game_course.h"
#include "society/quest_commands.h"
#include "society/society_services.h"
#include "society/villages.h"
#include "work/field_work.h"
#include "work/fishing.h"
#include "maps/map_view.h"
#include "ui/catalogue.h"
#include "ui/prompts.h"
#include "ui/message_line.h"
#include "base/platform.h"

int32_t last_activity_code = 0;
int32_t last_activity_argument = 0;
char last_activity_data[100] = "";
uint8_t fire_burn_mark = 0;
uint8_t object_turn_flag = 0;

// The activities themselves come with the item subsystem; the call is
// remembered for the repeat key.
void perform_activity(int code, int argument, const char* data) {
    KSM_STUB("perform_activity");
    last_activity_code = code;
    last_activity_argument = argument;
    copy_text(last_activity_data, data ? data : "");
    // The item commands built so far run at once.
    switch (code) {
    case 424: drop_command(); break;
    case 700: haul_command(); break;
    case 701: push_or_pack_items(0, 0, 0); break;
    default: break;
    }
}

int world_map_refusal() {
    if (!is_world_map()) return 0;
    show_message(
        "!That's not allowed on the wilderness map! Press [ENTER] to zoom on the local terrain "
        "map.");
    return 1;
}

void examine_carried_equipment() {
    for (;;) {
        const int index = select_items(2, -1, 0, 0, "You are carrying the following items.",
                                       "examine (weapon or armour)", 0, 0, 0);
        if (index < 0) return;
        copy_text(msg_var_text, sizeof msg_var_text, "");
        examine_item(selection_list[index].index);
    }
}

// ------------------------------------------------------------ picking up

namespace {

constexpr int LEASH_SUBCLASS = 9;
constexpr int KIND_BEAR_SKULL = 416;
constexpr int CREATURE_BEAR = 605;
constexpr int SPIRIT_FOREST = 702;
constexpr int SPIRIT_FLAG_TOOK_BEAR_SKULL = 8;
constexpr int KIND_COURSE_SNARE = 801;
constexpr int TERRAIN_COURSE_SNARE = 29;
constexpr int COURSE_EVENT_SNARE_CHECKED = 11;
constexpr int COURSE_EVENT_PICKING = 3;
constexpr uint8_t COURSE_SNARE_MARK = 33;

// A leash lying tied on the map: the animal is led on it again, or, when
// the animal is gone, the leash forgets it.
void untie_picked_leash(int id) {
    ObjectRecord r;
    obj_record(id, r);
    if (r.item_class != ITEM_TOOL || r.subclass != LEASH_SUBCLASS) return;
    const int16_t link = int16_t(r.link & 0xFFFF);
    if (link == 0) return;
    if (cre_by_sotu(uint32_t(uint16_t(link))) == CRE_NO_CREATURE) {
        r.link = 0;
        obj_write_record(id, r);
        return;
    }
    untie_from_leash(id);
}

void refresh_panel() {
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}

}  // namespace

int pick_up_map_item(int index, int count, int auto_wield) {
    (void)auto_wield;  // wielding what is picked up comes with the wield command
    if (!map_index_valid(index) || count <= 0) return 0;
    const MapObject& o = Data[index];
    int id = o.DATA;
    if (o.TYPE == MK_CARCASS) {
        const int slot = map_object_creature(index);
        if (!cre_slot_valid(slot)) return 0;
        id = make_corpse_object(Cre[slot].sotu);
        if (id == 0) return 0;
    }
    current_taker = -1;
    if (player_refuses_take(count, id)) return 0;
    OwnerStatus status{};
    status.free = 1;
    if (o.TYPE == MK_ITEM) {
        status = map_item_owner_status(index);
        // The goods of a village nobody lives in any more are free for the taking.
        if (!status.free && status.owner != 0 && village_population(status.owner) == 0) status.free = 1;
    }
    if (id < FIRST_INSTANCE_ID) {
        ObjectRecord record;
        obj_record(id, record);
        const int stored = obj_store_record(record);
        if (stored == 0) return 0;
        id = stored;
    }
    untie_picked_leash(id);
    if (o.TYPE == MK_ITEM && !status.free) {
        const int seen = village_member_sees_pickup(id, count, 0, status);
        if (seen != MAP_NO_RECORD) id = seen;
    }
    ObjectRecord picked;
    obj_record(id, picked);
    if (bear_skull_in_pine(o.x, o.y) && picked.kind == KIND_BEAR_SKULL && picked.extra_value == CREATURE_BEAR) {
        // Taking the skull down again undoes the rite, and the forest minds.
        set_plr_spirit_flag(SPIRIT_FLAG_TOOK_BEAR_SKULL, 1);
        Plr.bear_kill_day = uint16_t(Plr.days_played);
        spirit_mood_add(o.x, o.y, SPIRIT_FOREST, -15);
    } else if (picked.kind == KIND_COURSE_SNARE && in_world_grid(o.x, o.y) &&
               terrain_at(o.x, o.y) == TERRAIN_COURSE_SNARE && course_flag_is_set(0) &&
               std::abs(Plr.days_played - int(o.day_stamp)) >= 3) {
        // The snare the course asked to leave for three days is checked.
        picked.MAGIC = COURSE_SNARE_MARK;
        const int marked = obj_store_new(picked);
        if (marked != 0) id = marked;
        report_game_course_event(COURSE_EVENT_SNARE_CHECKED);
    }
    msg_item = id;
    msg_num = count;
    copy_text(msg_var_text, obj_name_with_unit(id, count, 1));
    show_message(message_by_key("PICK_UP"));
    plr_insert_into_inventory(id, count, 1, -1);
    refresh_panel();
    return 1;
}

void pick_up_command(int x, int y, int flags) {
    const bool items_here = select_items(1, -1, x, y, "What do you want to pick up?", "pick up", 133, 0,
                                         PURPOSE_PICK_UP) != SEL_NOTHING;
    // Plants ready for harvest come first.
    bool decided = false, harvested = false;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE == MK_UNUSED) break;
        if (Data[i].TYPE != MK_PLANT_PATCH || Data[i].x != x || Data[i].y != y) continue;
        if (harvest_plant(i, -1, 0, 1) == 1) {
            if (!items_here) decided = true;
            if ((flags & 2) || !decided) {
                if (!ask_yes_no("Pick the plants for harvest?")) break;
                decided = true;
            }
            harvest_plant(i, -1, 0, 0);
            harvested = true;
        } else if (!items_here || decided) {
            // Its own "not yet" tells the player why.
            harvest_plant(i, -1, 0, 0);
            harvested = true;
        }
    }
    if (harvested) return;
    bool preparing = false;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE == MK_UNUSED) break;
        if (Data[i].TYPE != MK_PREPARATION || Data[i].x != x || Data[i].y != y) continue;
        msg_item = Data[i].DATA;
        char text[300];
        fill_message_format(text, sizeof text, message_by_key("CANT_PICK_PREPARING"), {ready_time_phrase(i)});
        show_message(text);
        preparing = true;
    }
    if (preparing && !items_here) return;
    const int chosen = select_items(1, -1, x, y, "What do you want to pick up?", "pick up",
                                    SEL_SEVERAL | SEL_AUTO_SINGLE, 0, PURPOSE_PICK_UP);
    if (chosen < 0) {
        if (chosen == SEL_NOTHING) show_message(message_by_key("CANT_PICK_UP"));
        return;
    }
    bool too_heavy = false;
    for (int e = 0; e < selection_count; ++e) {
        SelectionEntry& entry = selection_list[e];
        if (entry.chosen <= 0 || entry.source != LIST_SOURCE_MAP || !map_index_valid(entry.index)) continue;
        MapObject& o = Data[entry.index];
        if (!map_record_used(o)) continue;
        const int count = entry.chosen < o.amount ? entry.chosen : o.amount;
        cre_compute_load(-1);
        refresh_panel();
        if (pick_up_map_item(entry.index, count, flags & 1)) {
            if (count < o.amount) o.amount = uint16_t(o.amount - count);
            else free_map_object(entry.index);
            entry.chosen = 0;
        } else if ((x != player_x || y != player_y) && !is_world_map()) {
            too_heavy = true;
        }
        if (Plr.course_event == COURSE_EVENT_PICKING && course_task_state != 1 &&
            ++course_counter >= Plr.course_target) {
            course_task_state = 1;
            course_counter = 0;
        }
    }
    if (too_heavy) {
        show_message("_The heavy items you couldn't pick up can be pulled to your location.");
        if (ask_yes_no("Pull the items to your location?")) push_or_pack_items(1, player_x, player_y);
    }
    plr_stop_hauling_if_empty();
    cre_compute_load(-1);
    refresh_panel();
}

void pick_from_command(int flags) {
    show_message("+Use this command also to unpack your pack animal or pick items from your companion.");
    if (!screen_hooks.choose_target_location(2, "from where to pick")) return;
    const int x = target_x, y = target_y;
    if (creature_at(x, y) >= 0) {
        const int creature = screen_hooks.choose_creature_at(x, y, 0);
        if (creature == SEL_CANCELLED) return;
        if (creature >= 0) {
            if (unpack_or_pick_from_creature(0, creature) == 1) return;
            flags |= 2;
        }
    }
    if (find_map_object(MK_NET, x, y) >= 0) {
        retrieve_fishing_net(x, y);
        return;
    }
    pick_up_command(x, y, flags);
}

int32_t pick_list[PICK_LIST_SIZE];
int32_t pick_list_count = 0;

int collect_pickable_at(int x, int y) {
    for (int32_t& p : pick_list) p = -1;
    pick_list_count = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && pick_list_count < PICK_LIST_CAP; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM || o.x != x || o.y != y) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        // A boat the player sits in is no building material.
        if (r.item_class == ITEM_VEHICLE && r.subclass == 13 && Plr.travel_mode == 3) continue;
        pick_list[pick_list_count++] = i;
    }
    return pick_list_count;
}

