// Filling, milking, emptying and pouring. A filled container is the record
// of what it holds (class 3, the weight of the contents) whose `contents`
// names the empty container; emptying gives that container back.
#include "objects/containers.h"

#include <cmath>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/files.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_lists.h"
#include "objects/item_selection.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/ownership.h"
#include "society/village_debts.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "ui/sound.h"
#include "work/crafting_services.h"
#include "work/requirements.h"

namespace {

constexpr int KIND_CUP_LIKE[] = {331, 350, 351};
constexpr int TYPE_WATER = 55, TYPE_MILK = 69;
constexpr int KIND_FINE_POWDER = 461;
constexpr int CREATURE_COW = 609, CREATURE_GOAT = 616, CREATURE_SHEEP = 619;
constexpr int TASK_STAND_STILL = 2;
constexpr float EMPTY_WHOLE = 1000.0f;
constexpr uint8_t UNIT_LENGTH = 5, UNIT_BALL = 6;
constexpr float WEIGHT_EPSILON = 1e-5f;

bool container_by_kind(const ObjectRecord& r) {
    for (int k : KIND_CUP_LIKE)
        if (r.kind == k) return true;
    return false;
}

bool owned_and_not_free(const ObjectRecord& r) { return r.ownerID != 0 && !(r.ownflag & OWN_FREE_AGAIN); }

void raise_inventory_changed() {
    plr_recompute_carried_weight();
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}

int dairy_yield(int kind) {
    switch (kind) {
    case CREATURE_COW: return 2 + random_below(3);
    case CREATURE_SHEEP: return 2 + random_below(2);
    default: return 1 + random_below(2);
    }
}

bool in_milking_season(int kind, int month) {
    if (month < 4) return false;
    return kind == CREATURE_GOAT ? month <= 8 : month <= 10;
}

bool is_dairy_kind(int kind) { return kind == CREATURE_COW || kind == CREATURE_GOAT || kind == CREATURE_SHEEP; }

// The filled record replaces the one container in the slot.
void put_filled_into_slot(int slot, int filled_id) {
    Plr.plr_inv_id[slot] = filled_id;
    Plr.plr_inv_count[slot] = 1;
    plr_merge_stacks_into(slot);
}

void fill_with_water(int slot, int container_id, bool was_owned) {
    play_sample("water", 0);
    const int filled = Sailioi(0, container_id, TYPE_WATER, 0);
    if (filled <= 0) return;
    ObjectRecord container, record;
    obj_record(container_id, container);
    obj_record(filled, record);
    int filled_id = filled;
    if (was_owned) {
        obj_copy_ownership(container, record);
        filled_id = obj_store_record(record);
    }
    put_filled_into_slot(slot, filled_id);
    // The text names the cup, not the water in it.
    msg_item = container_id;
    show_message(message_by_key("FILL_WATER"));
    plr_recompute_carried_weight();
    if (was_owned && container.ownerID != 0) move_item_debt(container.ownerID, container_id, filled_id);
    raise_inventory_changed();
}

// False when refused (nothing changed); true when the milking was tried.
bool milk_into(int slot, int container_id, int x, int y) {
    const int c = creature_at(x, y);
    if (!cre_slot_valid(c)) {
        show_message(message_by_key("FILL_CANT"));
        return false;
    }
    CreatureRecord& animal = Cre[c];
    msg_npc = c;
    if (!is_dairy_kind(animal.kind) || (animal.sex_age & (SEX_MALE | SEX_YOUNG))) {
        show_message(message_by_key("MILK_CANT"));
        return false;
    }
    if (!cre_is_own_animal(c)) {
        show_message(message_by_key("MILK_REFUSE"));
        return false;
    }
    const int yield = dairy_yield(animal.kind);
    if (!in_milking_season(animal.kind, Plr.month)) {
        show_message(message_by_key("MILK_DRY_PERIOD"));
        return false;
    }
    const int32_t today = int32_t(calendar_day_count());
    if (animal.milking_day == today) {
        show_message(message_by_key("NO_MORE_MILK_TODAY"));
        return false;
    }
    // The animal stands still while it is milked.
    pop_task(c, -1);
    push_task(c, TASK_STAND_STILL, 2000);
    const int minutes = 10 + random_below(10);
    if (spend_time_on_task(0, minutes, "MILKING", 0, 0)) {
        const int filled = Sailioi(0, container_id, TYPE_MILK, yield);
        if (filled > 0) {
            put_filled_into_slot(slot, filled);
            msg_item = filled;
            msg_num = yield;
            msg_npc = c;
            show_message(message_by_key("MILK_GOT"));
            Cre[c].milking_day = today;
        }
    }
    pop_task(c, -1);
    raise_inventory_changed();
    return true;
}

}  // namespace

float used_up_threshold(const ObjectRecord& record) { return record.kind == KIND_FINE_POWDER ? 0.001f : 0.05f; }

bool is_container_record(const ObjectRecord& record) {
    return container_by_kind(record) || record.item_class == ITEM_CONTAINER;
}

void obj_copy_ownership(const ObjectRecord& from, ObjectRecord& to) {
    to.x = from.x;
    to.y = from.y;
    to.ownerID = from.ownerID;
    to.ownflag = from.ownflag;
    to.extra_a = from.extra_a;
}

void move_item_debt(int32_t village, int old_id, int new_id) {
    remitemdebt(village, old_id, 1);
    add_village_item_debt(village, new_id, 1);
}

int obj_empty_container(ObjectRecord& record) {
    record.item_class = ITEM_CONTAINER;
    record.weight = 0.0f;
    record.subclass = 0;
    record.contents = 0;
    record.blunt = record.edge = 0;  // the nutrition words
    record.point = record.protection4 = 0;
    record.effect_raw = 0;
    return 1;
}

int obj_reduce_count(int object_id, int n) {
    if (!obj_id_is_instance(object_id)) return 0;
    ObjectRecord r;
    obj_record(object_id, r);
    const int old_length = r.length;
    if (old_length - n <= 0) return 0;
    r.length = uint8_t(old_length - n);
    if (r.unit == 0) r.unit = UNIT_LENGTH;
    const float share = float(n) / float(old_length);
    r.weight -= r.weight * share;
    r.full_weight -= r.full_weight * share;
    return obj_store_record(r);
}

int obj_reduce_amount(int object_id, float amount) {
    ObjectRecord r;
    obj_record(object_id, r);
    if (r.weight - amount > used_up_threshold(r)) {
        r.weight -= amount;
        return obj_store_record(r);
    }
    if (is_container_record(r) && r.contents == 0) return object_id;
    return 0;
}

namespace {

// The used-up part of emptying: the slot gives up the contents, and the
// container (when there is one) comes back empty at the same place.
void give_back_empty_container(int slot, int contents_id, const ObjectRecord& contents, bool whole) {
    const int position = slot;
    if (--Plr.plr_inv_count[slot] <= 0) {
        Plr.plr_inv_id[slot] = 0;
        Plr.plr_inv_count[slot] = 0;
    }
    if (contents.contents == 0 || !obj_id_is_valid(contents.contents)) {
        plr_compact_inventory();
        return;
    }
    ObjectRecord container;
    obj_record(contents.contents, container);
    if (whole) {
        msg_item = contents.contents;
        show_message(message_by_key("CONTAINER_EMPTIED"));
    } else {
        char line[200];
        format_text(line, sizeof line, "+The %s is empty now.", lower_case_copy(obj_name(-1, 1, 0)));
        show_message(line);
    }
    obj_empty_container(container);
    if (owned_and_not_free(contents)) obj_copy_ownership(contents, container);
    // A new record of its own: the old id may be shared by other stacks.
    const int empty_id = obj_store_new(container);
    if (empty_id > 0) {
        if (Plr.plr_inv_id[position] == 0) {
            Plr.plr_inv_id[position] = empty_id;
            Plr.plr_inv_count[position] = 1;
        } else {
            plr_insert_into_inventory(empty_id, 1, 0, -1);
        }
        if (owned_and_not_free(contents)) move_item_debt(contents.ownerID, contents_id, empty_id);
    }
    plr_compact_inventory();
}

}  // namespace

float plr_empty_container(int slot, float pounds) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return 0.0f;
    ObjectRecord r;
    // An empty container gives nothing, and its stack stays as it is.
    if (is_container_record(obj_record(Plr.plr_inv_id[slot], r)) && r.contents == 0) return 0.0f;
    plr_split_off_single_item(slot);
    const int id = Plr.plr_inv_id[slot];
    obj_record(id, r);
    const float remaining = r.weight - pounds;
    // A hair above the mark: 1.0 less 0.95 must count as the 0.05 it is.
    if (remaining > used_up_threshold(r) + WEIGHT_EPSILON) {
        const float old_weight = r.weight;
        r.weight = remaining;
        if ((r.unit == UNIT_LENGTH || r.unit == UNIT_BALL) && old_weight > 0.0f)
            r.length = uint8_t(std::ceil(r.length * remaining / old_weight));
        r.full_weight = remaining;
        // Stored anew: the old id may stand in other slots or on the map.
        const int changed = obj_store_record(r);
        if (changed > 0) Plr.plr_inv_id[slot] = changed;
        plr_merge_stacks_into(slot);
        return pounds;
    }
    if (is_container_record(r) && r.contents == 0) return 0.0f;
    naming_scratch = r;
    give_back_empty_container(slot, id, r, pounds == EMPTY_WHOLE);
    plr_recompute_carried_weight();
    return r.weight;
}

int plr_empty_container_quietly(int slot, int count) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0 || count <= 0) return 0;
    plr_split_off_single_item(slot);
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    const int old_length = r.length;
    if (old_length - count > 0) {
        const float share = float(count) / float(old_length);
        r.length = uint8_t(old_length - count);
        if (r.unit == 0) r.unit = UNIT_LENGTH;
        r.weight -= r.weight * share;
        r.full_weight -= r.full_weight * share;
        const int changed = obj_store_record(r);
        if (changed > 0) Plr.plr_inv_id[slot] = changed;
        plr_merge_stacks_into(slot);
        return count;
    }
    if (is_container_record(r) && r.contents == 0) return 0;
    naming_scratch = r;
    give_back_empty_container(slot, Plr.plr_inv_id[slot], r, false);
    plr_recompute_carried_weight();
    return old_length;
}

void fill_command(int slot) {
    if (slot == -1000) {
        slot = select_item("Select a container to fill", "fill", SEL_FILTER_INVALID, ITEM_CONTAINER, 451);
        if (slot == SEL_NOTHING) {
            show_message(message_by_key("OUT_OF_ITEMS:fill"));
            return;
        }
        if (slot < 0) return;
    }
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return;
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    const bool was_owned = owned_and_not_free(r);
    if (r.item_class != ITEM_CONTAINER) {
        // A cup-like kind outside the class, or filled stuff of another
        // kind, can't take water or milk; anything else is no container.
        if (!container_by_kind(r) && r.contents == 0) {
            msg_item = Plr.plr_inv_id[slot];
            show_message(message_by_key("NOT_SUITABLE_ITEM"));
        } else {
            show_message("!You can't store different kinds of stuff in one container!");
        }
        return;
    }
    // A refusal after the split puts the carried things back as they were.
    int32_t kept_ids[PLR_INV_SLOTS], kept_counts[PLR_INV_SLOTS];
    std::memcpy(kept_ids, Plr.plr_inv_id, sizeof kept_ids);
    std::memcpy(kept_counts, Plr.plr_inv_count, sizeof kept_counts);
    auto put_back = [&] {
        std::memcpy(Plr.plr_inv_id, kept_ids, sizeof kept_ids);
        std::memcpy(Plr.plr_inv_count, kept_counts, sizeof kept_counts);
    };
    plr_split_off_single_item(slot);
    const int container_id = Plr.plr_inv_id[slot];

    int x = 0, y = 0;
    cre_cell_ahead(-1, &x, &y);
    if (is_open_water_at(x, y)) {
        fill_with_water(slot, container_id, was_owned);
        return;
    }
    msg_item = container_id;
    show_message(message_by_key("FILL_INFO"));
    if (!screen_hooks.choose_target_location(2, "water source or an animal to milk")) {
        put_back();
        return;
    }
    x = target_x;
    y = target_y;
    if (is_open_water_at(x, y)) {
        fill_with_water(slot, container_id, was_owned);
        return;
    }
    if (!milk_into(slot, container_id, x, y)) put_back();
}

void empty_command(int slot) {
    if (slot == -1000) {
        slot = select_item("Select a container to empty?", "empty", 0, 0, 459);
        if (slot == SEL_NOTHING) {
            show_message(message_by_key("OUT_OF_ITEMS:empty"));
            return;
        }
        if (slot < 0) return;
    }
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return;
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    if (r.contents == 0) {
        if (is_container_record(r)) {
            char line[200];
            format_text(line, sizeof line, "!The %s is empty!", lower_case_copy(obj_name(Plr.plr_inv_id[slot], 1, 0)));
            show_message(line);
        } else {
            msg_item = Plr.plr_inv_id[slot];
            show_message(message_by_key("NOT_SUITABLE_ITEM"));
        }
        return;
    }
    if (r.item_class != ITEM_CONTAINER) {
        char line[300];
        format_text(line, sizeof line, "!Emptying the %s will discard its contents for good.",
                    obj_name_with_unit(Plr.plr_inv_id[slot], 1, 0));
        show_message(line);
        if (!ask_yes_no("Do you really want to empty it?")) return;
    }
    plr_empty_container(slot, EMPTY_WHOLE);
    plr_merge_stacks_into(slot);
    raise_inventory_changed();
}

namespace {

constexpr unsigned POUR_SOURCE_CLASSES = 0x80000000u | (1u << ITEM_CONTAINER) | (1u << ITEM_FOOD);
constexpr int POUR_SOURCE_FLAGS = 8256;  // one of a stack, filled containers as containers

bool same_name(const ObjectRecord& a, const ObjectRecord& b) {
    char first[sizeof a.name + 1], second[sizeof b.name + 1];
    copy_field(first, sizeof first, a.name, sizeof a.name);
    copy_field(second, sizeof second, b.name, sizeof b.name);
    return std::strcmp(lower_case_copy(first), lower_case_copy(second)) == 0;
}

// What the container of a record holds at most: a filled record's empty
// container tells.
float capacity_of(const ObjectRecord& r) {
    if (r.contents != 0 && obj_id_is_instance(r.contents)) {
        ObjectRecord container;
        return obj_record(r.contents, container).full_weight;
    }
    return r.full_weight;
}

// The slot that holds the object after an insertion; -1.
int slot_of(int object_id) {
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] == object_id) return s;
    return -1;
}

}  // namespace

int Kaada_Astiaan(int target_slot) {
    show_message(message_by_key("POUR_INFO"));
    const int source = select_item("What do you want to pour or put into that container?", "fill the container with",
                                   POUR_SOURCE_FLAGS, int(POUR_SOURCE_CLASSES), 458);
    if (source < 0) return 0;
    return pour_into(source, target_slot);
}

int pour_into(int source, int target_slot) {
    if (source < 0 || source >= PLR_INV_SLOTS || Plr.plr_inv_id[source] == 0) return 0;
    // Every refusal after the first change puts the whole record back.
    const PlayerRecord kept = Plr;
    auto restore = [&] { Plr = kept; };
    ObjectRecord from;
    obj_record(Plr.plr_inv_id[source], from);
    const bool from_container = from.contents != 0;
    if (!from_container) {
        if (is_container_record(from)) {
            char line[200];
            format_text(line, sizeof line, "!The %s is empty!",
                        lower_case_copy(obj_name(Plr.plr_inv_id[source], 1, 0)));
            show_message(line);
            return 1;
        }
        if (from.item_class != ITEM_FOOD) {
            show_message(message_by_key("POUR_CANT"));
            return 1;
        }
    }
    msg_item = Plr.plr_inv_id[source];
    show_message(message_by_key("POUR_SOURCE_OK"));

    if (target_slot == -1000) {
        target_slot = select_item("Select the target container?", "be filled", 0, 0, 0);
        if (target_slot < 0) return 0;
    }
    if (target_slot < 0 || target_slot >= PLR_INV_SLOTS || Plr.plr_inv_id[target_slot] == 0) return 0;
    if (target_slot == source) {
        show_message("!Huh? You tried to pour something in itself.");
        return 1;
    }
    const int target_id = Plr.plr_inv_id[target_slot];
    ObjectRecord into;
    obj_record(target_id, into);
    if (obj_container_type(into) == 0) {
        msg_item = target_id;
        show_message(message_by_key("NOT_SUITABLE_ITEM"));
        return 1;
    }

    // The target leaves the pack while it is filled.
    plr_take_from_slot_in_place(target_slot, 1);
    plr_recompute_carried_weight();
    const float capacity = capacity_of(into);
    const bool holds = into.contents != 0;
    const float free_space = holds ? capacity - into.weight : capacity;
    if (free_space <= WEIGHT_EPSILON) {
        char line[300];
        format_text(line, sizeof line, "!%s is completely full!", obj_name_with_unit(target_id, 1, 0));
        restore();
        show_message(line);
        return 1;
    }
    if (holds && !same_name(into, from)) {
        restore();
        show_message("!You can't store different kinds of stuff in one container!");
        return 1;
    }

    // Contents go over as far as there is room; loose stuff in whole pieces,
    // as many as fit (at least one).
    ObjectRecord moved = from;
    float amount = 0.0f;
    int pieces = 1;
    if (from_container) {
        amount = from.weight < free_space ? from.weight : free_space;
        moved.weight = amount;
    } else {
        const float piece = from.weight;
        const int count = Plr.plr_inv_count[source];
        if (piece > 0.0f) {
            pieces = int(std::floor(free_space / piece + WEIGHT_EPSILON));
            if (pieces < 1) pieces = 1;
        }
        if (pieces > count) pieces = count;
        moved.weight = moved.full_weight = float(pieces) * piece;
        plr_take_from_slot_in_place(source, pieces);
    }
    moved.contents = 0;
    if (moved.kind == TYPE_WATER) {
        // Water poured out is nobody's any more.
        moved.ownerID = 0;
        moved.ownflag = 0;
        moved.extra_a = 0;
    }
    const int moved_id = obj_store_new(moved);
    const int filled = moved_id > 0 ? Sailioi(moved_id, target_id, 0, 0) : 0;
    if (filled <= 0) {
        restore();
        show_message("!There's no room to keep any more things.");
        return 1;
    }
    // The poured share was only the way in: the filled record is its own.
    if (moved_id != filled) {
        ObjectRecord cleared;
        obj_clear_record(cleared);
        obj_write_record(moved_id, cleared);
    }
    if (from_container) {
        // The source gives up exactly what went over.
        plr_empty_container(source, amount);
        plr_merge_stacks_into(source);
    }
    plr_compact_inventory();
    const int at = plr_insert_into_inventory(filled, 1, 1, -1);
    (void)at;
    const int filled_slot = slot_of(filled);
    if (filled_slot >= 0) plr_merge_stacks_into(filled_slot);
    plr_compact_inventory();
    raise_inventory_changed();

    ObjectRecord result;
    obj_record(filled, result);
    if (result.weight + WEIGHT_EPSILON < capacity) {
        msg_item = filled;
        show_message(message_by_key("POUR_OK"));
    } else {
        char line[300];
        format_text(line, sizeof line, "=You've got a full %s now.", obj_name_with_unit(filled, 1, 0));
        show_message(line);
    }
    return 1;
}
