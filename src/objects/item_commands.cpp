// Item and activity commands. Those not built yet note their call (for the
// developer's trace) and give a neutral answer.
#include "objects/item_commands.h"

#include "base/stubs.h"
#include "console/console.h"
#include "maps/map_layers.h"
#include "objects/item_lists.h"
#include "objects/item_selection.h"
#include "body/body_condition.h"
#include "creatures/creature_files.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "objects/hauling.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/ownership.h"
#include "society/villages.h"
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
    if (o.TYPE == MK_ITEM && !status.free) {
        const int seen = village_member_sees_pickup(id, count, 0, status);
        if (seen != MAP_NO_RECORD) id = seen;
    }
    msg_item = id;
    msg_num = count;
    copy_text(msg_var_text, obj_name_with_unit(id, count, 1));
    show_message(message_by_key("PICK_UP"));
    plr_insert_into_inventory(id, count, 1, -1);
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
    return 1;
}

void pick_up_command(int x, int y, int flags) {
    if (select_items(1, -1, x, y, "What do you want to pick up?", "pick up", 133, 0, PURPOSE_PICK_UP) ==
        SEL_NOTHING) {
        show_message(message_by_key("CANT_PICK_UP"));
        return;
    }
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
        if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
        if (pick_up_map_item(entry.index, count, flags & 1)) {
            if (count < o.amount) {
                o.amount = uint16_t(o.amount - count);
            } else {
                o = MapObject{};
                o.TYPE = KIND_FREED;
            }
            entry.chosen = 0;
        } else if ((x != player_x || y != player_y) && !is_world_map()) {
            too_heavy = true;
        }
    }
    if (too_heavy) {
        show_message("_The heavy items you couldn't pick up can be pulled to your location.");
        if (ask_yes_no("Pull the items to your location?")) push_or_pack_items(1, player_x, player_y);
    }
    plr_stop_hauling_if_empty();
    cre_compute_load(-1);
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}
void pick_from_command(int) { KSM_STUB("pick_from_command"); }

