// Hauling, dropping, pushing and packing: the player's commands that move
// things lying on the ground or leaving the inventory.
#include "objects/hauling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_traits.h"
#include "creatures/movement_commands.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/item_lists.h"
#include "objects/item_selection.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/ownership.h"
#include "ui/catalogue.h"
#include "ui/keyed_words.h"
#include "ui/message_line.h"

int32_t hauled_drag_class = 0;

void reset_hauling() { hauled_drag_class = 0; }

namespace {

constexpr int ACTIVITY_HAUL = 700;
constexpr int ACTIVITY_PUSH = 701;

struct ItemDragRow {
    float from;
    float factor;
    int drag_class;
};
// Highest row first: the first whose weight the unit reaches.
constexpr ItemDragRow kItemDrag[] = {
    {600, 2.0f, 10}, {400, 1.0f, 7}, {200, 0.75f, 7}, {100, 0.5f, 5},
    {40, 0.25f, 4},  {20, 0.1f, 4},  {10, 0.075f, 3},
};
constexpr ItemDragRow kLightItem = {0, 0.05f, 3};

struct CarcassDragRow {
    float above;
    float drag;
    int drag_class;
};
// Highest row first: the first whose weight the body exceeds.
constexpr CarcassDragRow kCarcassDrag[] = {
    {300, 15, 10}, {250, 12, 10}, {200, 10, 10}, {150, 7, 7}, {100, 5, 7},
    {80, 4, 6},    {60, 3, 6},    {40, 2, 5},    {20, 1, 4},  {10, 0.5f, 4},
};
constexpr CarcassDragRow kSmallCarcass = {0, 0.2f, 3};

bool hauled_by(const MapObject& o, int hauler) {
    return (o.TYPE == MK_ITEM || o.TYPE == MK_CARCASS) && o.state == MAP_STATE_HAULED && o.ref == hauler;
}

float object_weight(int id) {
    ObjectRecord r;
    return obj_record(id, r).weight;
}

// The dead creature's weight in pounds (its record on the map).
float carcass_pounds(int index) {
    const int slot = map_object_creature(index);
    return cre_slot_valid(slot) ? float(cre_body_weight_lb(slot)) : 0.0f;
}

DragCost record_drag(int index, int amount) {
    const MapObject& o = Data[index];
    if (o.TYPE == MK_CARCASS) return carcass_drag_weight(carcass_pounds(index));
    return item_drag_weight(amount, object_weight(o.DATA));
}

void clear_hauled_lists() {
    std::memset(hauled_unpaid_villages, 0, sizeof hauled_unpaid_villages);
    std::memset(hauled_taken_villages, 0, sizeof hauled_taken_villages);
}

void refresh_panel() {
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}

// The owner status of an item record (anything else is free).
OwnerStatus ground_status(int index) {
    if (Data[index].TYPE == MK_ITEM) return map_item_owner_status(index);
    OwnerStatus free{};
    free.free = 1;
    return free;
}

}  // namespace

// ------------------------------------------------------------ drag

DragCost item_drag_weight(int amount, float unit_weight) {
    ItemDragRow row = kLightItem;
    for (const ItemDragRow& r : kItemDrag)
        if (unit_weight >= r.from) {
            row = r;
            break;
        }
    return {float(amount) * row.factor, row.drag_class};
}

DragCost carcass_drag_weight(float pounds) {
    CarcassDragRow row = kSmallCarcass;
    for (const CarcassDragRow& r : kCarcassDrag)
        if (pounds > r.above) {
            row = r;
            break;
        }
    return {row.drag, row.drag_class};
}

float plr_hauled_weight() {
    double sum = 0;
    int drag_class = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (!hauled_by(o, MAP_REF_HAULED_BY_PLAYER)) continue;
        const DragCost d = record_drag(i, o.amount);
        sum += d.drag;
        drag_class = std::max(drag_class, d.drag_class);
    }
    hauled_drag_class = drag_class;
    return float(std::ceil(sum - 1e-6));
}

// ------------------------------------------------------------ hauling

int mark_map_item_hauled(int index, int amount) {
    if (!map_index_valid(index) || amount <= 0) return 0;
    MapObject& o = Data[index];
    if (o.TYPE != MK_ITEM && o.TYPE != MK_CARCASS) return 0;
    if (o.amount > amount && split_map_object(index, o.amount - amount) == MAP_NO_RECORD) return 0;
    if (o.TYPE == MK_ITEM) {
        const OwnerStatus status = map_item_owner_status(index);
        if (!status.free) {
            const int id = village_member_sees_pickup(o.DATA, o.amount, 0, status);
            if (id != MAP_NO_RECORD) o.DATA = id;
        }
    }
    o.state = MAP_STATE_HAULED;
    o.ref = MAP_REF_HAULED_BY_PLAYER;
    return 1;
}

int plr_move_hauled_items() {
    clear_hauled_lists();
    int moved = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (!hauled_by(o, MAP_REF_HAULED_BY_PLAYER)) continue;
        o.x = uint16_t(player_x);
        o.y = uint16_t(player_y);
        ++moved;
        if (o.TYPE != MK_ITEM) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (r.ownflag & OWN_UNPAID) owner_list_add(hauled_unpaid_villages, r.ownerID);
        if (r.ownflag & OWN_TAKEN) owner_list_add(hauled_taken_villages, r.ownerID);
    }
    return moved;
}

int release_hauled_items(int hauler, int mode) {
    int count = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (!hauled_by(o, hauler)) continue;
        ++count;
        if (mode != 1) continue;
        if (o.TYPE == MK_CARCASS) {
            o.state = 0;
            o.ref = 0;
            continue;
        }
        // Back on the map as an ordinary item, joining an equal stack there.
        MapObject kept = o;
        free_map_object(i);
        const int returned = return_unpaid_item(kept.DATA, kept.amount, 1);
        const int id = returned != 0 ? returned : kept.DATA;
        if (put_object_on_map(MK_ITEM, kept.x, kept.y, id, kept.amount) == MAP_NO_RECORD) {
            // No room for a new record: it stays where it was, let go.
            kept.state = 0;
            kept.ref = 0;
            kept.DATA = id;
            Data[i] = kept;
        }
    }
    return count;
}

int hauled_items_on_map() { return release_hauled_items(MAP_REF_HAULED_BY_PLAYER, 0); }

void stop_hauling(int hauler) {
    const int released = release_hauled_items(hauler, 1);
    if (hauler == MAP_REF_HAULED_BY_PLAYER && released > 0) show_message("_You stop hauling items.");
    if (Plr.travel_mode == TRAVEL_HAULING) Plr.travel_mode = TRAVEL_WALKING;
    if (hauler == MAP_REF_HAULED_BY_PLAYER) clear_hauled_lists();
    cre_compute_load(-1);
    refresh_panel();
}

void haul_command() {
    if (hauled_items_on_map() > 0 || Plr.travel_mode == TRAVEL_HAULING) {
        stop_hauling(MAP_REF_HAULED_BY_PLAYER);
        return;
    }
    if (Plr.travel_mode == TRAVEL_SWIMMING || Plr.travel_mode == TRAVEL_WADING) {
        show_message(cant_while_text("haul items", lower_case_copy(movement_mode_text())));
        if (Plr.travel_mode == TRAVEL_WADING) show_message("_Try to [p]ush items to the shore if needed.");
        return;
    }
    show_message("?You are about to start hauling items at your feet.");
    if (world_map_refusal()) return;
    const int chosen = select_items(1, -1, player_x, player_y, "Select items on the ground you wish to move",
                                    "haul around", SEL_SEVERAL, 0, ACTIVITY_HAUL);
    if (chosen < 0) {
        if (chosen == SEL_NOTHING) show_message(message_by_key("MOVE_NOTHING"));
        else show_message("!Canceled.");
        return;
    }
    Plr.travel_mode = TRAVEL_HAULING;
    if (Plr.hiding) {
        Plr.hiding = 0;
        refresh_panel();
    }
    show_message(":You start hauling. Use the command again when you are done.");
    for (int e = 0; e < selection_count; ++e) {
        const SelectionEntry& entry = selection_list[e];
        if (entry.source != LIST_SOURCE_MAP || entry.object == 0 || entry.chosen <= 0) continue;
        // A stack that can't be split is not hauled whole.
        if (!mark_map_item_hauled(entry.index, entry.chosen)) show_message("!Canceled.");
    }
    plr_move_hauled_items();
    plr_stop_hauling_if_empty();
    cre_compute_load(-1);
    refresh_panel();
}

// ------------------------------------------------------------ dropping

namespace {

constexpr uint8_t HELD_BITS = OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;

// The carried object as it lies on the ground: held in no hand and worn by
// nobody (a changed copy, never the shared instance).
int loose_object(int id) {
    if (!obj_id_is_instance(id)) return id;
    ObjectRecord r;
    obj_record(id, r);
    if (!(r.state_bits & (HELD_BITS | OBJ_WORN))) return id;
    r.state_bits &= uint8_t(~(HELD_BITS | OBJ_WORN));
    const int loose = obj_store_record(r);
    return loose != 0 ? loose : id;
}

// Puts count of the object at the square, in stacks of at most the map's
// largest amount: how many were put.
int put_down(int x, int y, int id, int count) {
    int put = 0;
    while (put < count) {
        const int part = std::min(count - put, MAP_AMOUNT_MAX);
        if (put_player_item_on_map(x, y, id, part) == MAP_NO_RECORD) break;
        put += part;
    }
    return put;
}

}  // namespace

int drop_carried(int slot, int count) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return 0;
    count = std::min<int>(count, Plr.plr_inv_count[slot]);
    if (count <= 0) return 0;
    turn_time_state = TURN_ONE_TURN;
    int id = Plr.plr_inv_id[slot];
    // Goods not paid for go back to their village when put down there.
    const int returned = return_unpaid_item(id, count, 1);
    if (returned != 0) {
        id = returned;
        Plr.plr_inv_id[slot] = returned;
        turn_time_state = TURN_NO_TIME;
    }
    const int put = put_down(player_x, player_y, loose_object(id), count);
    if (put == 0) {
        warn_map_item_limit();
        return 0;
    }
    msg_item = id;
    msg_num = put;
    show_message(message_by_key("PLAYER_DROP"));
    plr_take_from_slot_in_place(slot, put);
    cre_compute_load(-1);
    refresh_panel();
    settle_items_at(player_x, player_y);
    return put;
}

void drop_command() {
    const int chosen = select_items(2, -1, player_x, player_y, "What do you want to drop?", "drop", SEL_SEVERAL, 0,
                                    PURPOSE_DROP);
    if (chosen < 0) {
        if (chosen == SEL_NOTHING) show_message(out_of_items_text("drop"));
        return;
    }
    for (int e = 0; e < selection_count; ++e) {
        SelectionEntry& entry = selection_list[e];
        if (entry.source != LIST_SOURCE_CARRIED || entry.chosen <= 0) continue;
        drop_carried(entry.index, entry.chosen);
        entry.chosen = 0;
    }
    plr_compact_inventory();
}

// ------------------------------------------------------------ pushing and packing

namespace {

// The chosen ground entries packed on the animal, one by one, each costing
// its drag in minutes.
void pack_on_animal(int animal) {
    for (int e = 0; e < selection_count; ++e) {
        SelectionEntry& entry = selection_list[e];
        if (entry.source != LIST_SOURCE_MAP || entry.object == 0 || entry.chosen <= 0) continue;
        if (!map_index_valid(entry.index) || !map_record_used(Data[entry.index])) continue;
        const int index = entry.index;
        const int count = std::min<int>(entry.chosen, Data[index].amount);
        const DragCost d = record_drag(index, count);
        Plr.exertion = uint8_t(d.drag_class);
        int id = entry.object;
        msg_npc = animal;
        msg_item = id;
        msg_num = count;
        const OwnerStatus status = ground_status(index);
        bool taken_as_owned = false;
        if (!status.free) {
            const int seen = village_member_sees_pickup(id, count, 0, status);
            if (seen != MAP_NO_RECORD) id = seen;
            taken_as_owned = true;
        }
        if (!cre_add_item(animal, id, count)) {
            show_message(message_by_key("CARRY_TOO_HEAVY"));
            if (taken_as_owned) return_unpaid_item(id, count, 0);
            continue;
        }
        reduce_map_object(index, count);
        entry.chosen = 0;
        msg_item = id;
        show_message(message_by_key("PACK_DONE"));
        cre_compute_load(animal);
        const int minutes = int(std::ceil(d.drag - 1e-6f));
        if (minutes > 0 && !spend_time_on_task(0, minutes, "Packing items", 0, 0)) return;
    }
    plr_stop_hauling_if_empty();
}

// The chosen ground entries moved to the target square: the time is spent
// first, so a broken-off move moves nothing.
void move_to(int tx, int ty) {
    double sum = 0;
    int drag_class = 0;
    for (int e = 0; e < selection_count; ++e) {
        const SelectionEntry& entry = selection_list[e];
        if (entry.source != LIST_SOURCE_MAP || entry.chosen <= 0) continue;
        if (!map_index_valid(entry.index) || !map_record_used(Data[entry.index])) continue;
        const DragCost d = record_drag(entry.index, entry.chosen);
        sum += d.drag;
        drag_class = std::max(drag_class, d.drag_class);
    }
    Plr.exertion = uint8_t(drag_class);
    const int minutes = int(std::ceil(sum - 1e-6));
    const bool done = minutes < 2 ? spend_time_on_task(0, minutes, "MOVING ITEMS", 0, 0)
                                  : spend_time_on_task(0, minutes, "Moving items", 0, TASK_FINE_TICKS);
    if (!done) return;
    for (int e = 0; e < selection_count; ++e) {
        SelectionEntry& entry = selection_list[e];
        if (entry.source != LIST_SOURCE_MAP || entry.chosen <= 0) continue;
        if (!map_index_valid(entry.index) || !map_record_used(Data[entry.index])) continue;
        MapObject& o = Data[entry.index];
        if (o.x == tx && o.y == ty) continue;
        if (o.TYPE == MK_CARCASS) {
            // The dead creature keeps its record and its creature.
            o.x = uint16_t(tx);
            o.y = uint16_t(ty);
            o.state = 0;
            o.ref = 0;
            entry.chosen = 0;
            continue;
        }
        if (o.TYPE != MK_ITEM) continue;
        const int count = std::min<int>(entry.chosen, o.amount);
        int id = o.DATA;
        const OwnerStatus status = ground_status(entry.index);
        if (!status.free && status.owner != 0) {
            const int seen = village_member_sees_pickup(id, count, 1, status);
            if (seen != MAP_NO_RECORD) id = seen;
            village_note_mischief(0, ACTIVITY_PUSH, status.owner, 1);
        }
        if (put_object_on_map(MK_ITEM, tx, ty, id, count) == MAP_NO_RECORD) {
            warn_map_item_limit();
            continue;
        }
        reduce_map_object(entry.index, count);
        entry.chosen = 0;
    }
    settle_items_at(tx, ty);
    plr_stop_hauling_if_empty();
}

}  // namespace

void push_or_pack_items(int flag, int x, int y) {
    if (flag != 0) {
        // The entries still chosen in the selection list go to (x, y).
        move_to(x, y);
        return;
    }
    show_message(message_by_key("PUSH_INFO"));
    if (select_items(1, -1, player_x, player_y, "What do you want to move?", "move", SEL_SEVERAL | SEL_COUNT_ONLY, 0,
                     ACTIVITY_PUSH) == SEL_NOTHING) {
        show_message(message_by_key("MOVE_NOTHING"));
        return;
    }
    if (!screen_hooks.choose_target_location(2, "where to push the items")) {
        show_message("!Canceled.");
        return;
    }
    const int tx = target_x, ty = target_y;
    const int creature = screen_hooks.choose_creature_at(tx, ty, 0);
    if (creature == SEL_CANCELLED) {
        show_message("!Canceled.");
        return;
    }
    const bool animal = creature >= 0 && cre_is_own_animal(creature);
    int chosen;
    if (animal) {
        msg_npc = creature;
        show_message(message_by_key("PACK_ANIMAL_SELECTED"));
        chosen = select_items(1, -1, player_x, player_y, "What do you want to pack on it?", "pack", SEL_SEVERAL, 0,
                              ACTIVITY_PUSH);
    } else {
        chosen = select_items(1, -1, player_x, player_y, "What do you want to move to that location?", "move",
                              SEL_SEVERAL, 0, ACTIVITY_PUSH);
    }
    if (chosen < 0) {
        if (chosen == SEL_NOTHING) show_message(message_by_key("MOVE_NOTHING"));
        show_message("!Canceled.");
        return;
    }
    if (animal) pack_on_animal(creature);
    else move_to(tx, ty);
}
