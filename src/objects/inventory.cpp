// The player's and the creatures' inventories and the commands on them.
#include "objects/inventory.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "body/body_queries.h"
#include "body/combat_commands.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/object_names.h"
#include "objects/ownership.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"

namespace {

constexpr uint8_t HELD_BITS = OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;
constexpr uint8_t SUBCLASS_LEASH = 9;
constexpr uint8_t SUBCLASS_WATERCRAFT = 13;
constexpr uint8_t TRAVEL_BY_WATERCRAFT = 3;
constexpr int STARTING_CLOTHES_SLOTS = 50;
constexpr int PLR_SLOT_MOST = INT_MAX;
constexpr int CORPSE_NAME_MOST = 39;

int32_t* ids() { return Plr.plr_inv_id; }
int32_t* counts() { return Plr.plr_inv_count; }

bool slot_valid(int slot) { return slot >= 0 && slot < PLR_INV_SLOTS; }
bool slot_used(int slot) { return ids()[slot] != 0; }
bool holds_instance(int slot) { return obj_id_is_instance(ids()[slot]); }

void clear_slot(int slot) {
    ids()[slot] = 0;
    counts()[slot] = 0;
    Plr.plr_inv_state[slot] = 0;
}

void recompute_load() { cre_compute_load(-1); }

int first_empty_slot() {
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (!slot_used(s)) return s;
    return -1;
}

// Adds to a slot's amount without passing the most a slot holds: the rest
// goes to an empty slot (or, with none, stays out). What could not be added.
int add_to_slot(int slot, int object_id, int count) {
    const long long total = (long long)counts()[slot] + count;
    if (total <= PLR_SLOT_MOST) {
        counts()[slot] = int(total);
        return 0;
    }
    counts()[slot] = PLR_SLOT_MOST;
    int rest = int(total - PLR_SLOT_MOST);
    const int free = first_empty_slot();
    if (free < 0) return rest;
    ids()[free] = object_id;
    counts()[free] = rest;
    return 0;
}

// What does not fit in the pack goes on the ground at the player; when the
// ground can't take it either it is kept in a slot past the usual ones, and
// only a pack full to the last slot loses it.
void overflow_to_ground(int object_id, int count) {
    show_message("!You carry too much! Excess items are now put on the ground.");
    if (!messages_suppressed) pause_prompt();
    if (put_object_on_map(MK_ITEM, player_x, player_y, object_id, count) >= 0) return;
    const int free = first_empty_slot();
    if (free >= 0) {
        ids()[free] = object_id;
        counts()[free] = count;
        return;
    }
    warn_map_item_limit();
}

// Stores the slot's object changed by `change` as an object of its own and
// points the slot at it; false (the slot unchanged) when the store is full.
template <typename Change>
bool change_slot_object(int slot, Change change) {
    const int id = ids()[slot];
    if (!obj_id_is_valid(id)) return false;
    ObjectRecord r;
    obj_record(id, r);
    change(r);
    const int changed = obj_store_record(r);
    if (changed == 0) return false;
    ids()[slot] = changed;
    return true;
}

const char* held_name(int slot) { return obj_name_with_unit(ids()[slot], 1, 0); }

}  // namespace

// ------------------------------------------------------------ the player

void plr_compact_inventory() {
    int to = 0;
    for (int from = 0; from < PLR_INV_SLOTS; ++from) {
        if (!slot_used(from)) continue;
        if (to != from) {
            ids()[to] = ids()[from];
            counts()[to] = counts()[from];
            Plr.plr_inv_state[to] = Plr.plr_inv_state[from];
            clear_slot(from);
        }
        ++to;
    }
    for (int s = to; s < PLR_INV_SLOTS; ++s) clear_slot(s);
    recompute_load();
}

int plr_take_from_slot_in_place(int slot, int count) {
    if (!slot_valid(slot) || count <= 0) return 0;
    const int held = counts()[slot];
    const int n = count < held ? count : held;
    if (n <= 0) return 0;
    counts()[slot] = held - n;
    if (n == held) clear_slot(slot);
    recompute_load();
    return n;
}

int plr_take_from_slot(int slot, int count) {
    const int n = plr_take_from_slot_in_place(slot, count);
    if (n > 0) plr_compact_inventory();
    return n;
}

int plr_find_inventory_item(int object_id) {
    if (!obj_id_is_valid(object_id)) return -1;
    obj_load_current(object_id);
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (!holds_instance(s)) continue;
        if (obj_can_stack(Objects[ids()[s] - FIRST_INSTANCE_ID], current_object)) return s;
    }
    return -1;
}

void plr_add_to_inventory(int object_id, int count) {
    if (object_id == 0 || count <= 0) return;
    if (slot_used(PLR_OVERFLOW_SLOT)) {
        overflow_to_ground(object_id, count);
        return;
    }
    const int empty = first_empty_slot();
    int slot = plr_find_inventory_item(object_id);
    if (slot < 0)
        for (int s = 0; s < PLR_INV_SLOTS && slot < 0; ++s)
            if (ids()[s] == object_id) slot = s;
    if (slot >= 0) {
        const int left = add_to_slot(slot, object_id, count);
        if (left > 0) overflow_to_ground(object_id, left);
        return;
    }
    if (empty < 0) {
        overflow_to_ground(object_id, count);
        return;
    }
    ids()[empty] = object_id;
    counts()[empty] = count;
}

int plr_insert_into_inventory(int object_id, int count, int merge, int position) {
    if (object_id == 0 || count <= 0) return PLR_NO_SLOT;
    if (slot_used(PLR_OVERFLOW_SLOT)) {
        overflow_to_ground(object_id, count);
        return PLR_NO_SLOT;
    }
    int target = first_empty_slot();
    // Opening a place moves the slots after it up by one; only while the
    // last slot that moves into has room, so that nothing is pushed out.
    if (position >= 0 && position < PLR_INV_SLOTS - 2 && !slot_used(PLR_INV_SLOTS - 2)) {
        for (int s = PLR_INV_SLOTS - 2; s > position; --s) {
            ids()[s] = ids()[s - 1];
            counts()[s] = counts()[s - 1];
            Plr.plr_inv_state[s] = Plr.plr_inv_state[s - 1];
        }
        clear_slot(position);
        target = position;
    }
    int slot = -1;
    if (merge == 1) slot = plr_find_inventory_item(object_id);
    if (merge != 0 && slot < 0)
        for (int s = 0; s < PLR_INV_SLOTS && slot < 0; ++s)
            if (ids()[s] == object_id && s != target) slot = s;
    if (slot >= 0) {
        const int left = add_to_slot(slot, object_id, count);
        if (left > 0) overflow_to_ground(object_id, left);
        recompute_load();
        return slot;
    }
    if (target < 0) {
        overflow_to_ground(object_id, count);
        return PLR_NO_SLOT;
    }
    ids()[target] = object_id;
    counts()[target] = count;
    recompute_load();
    return target;
}

void plr_give_item(int object_id, int count) {
    if (!obj_id_is_valid(object_id) || count <= 0) return;
    int id = object_id;
    if (plr_find_inventory_item(object_id) < 0) {
        const int made = obj_new_instance(object_id);
        if (made != 0) id = made;  // a full store: the type itself is carried
    }
    plr_add_to_inventory(id, count);
    recompute_load();
}

void plr_merge_stacks_into(int slot) {
    if (!slot_valid(slot) || !slot_used(slot) || counts()[slot] <= 0) return;
    const int id = ids()[slot];
    if (obj_id_is_valid(id)) {
        ObjectRecord mine;
        obj_record(id, mine);
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            if (s == slot || !slot_used(s) || counts()[s] <= 0 || !obj_id_is_valid(ids()[s])) continue;
            ObjectRecord other;
            if (!obj_can_stack(mine, obj_record(ids()[s], other))) continue;
            const long long total = (long long)counts()[slot] + counts()[s];
            if (total > PLR_SLOT_MOST) {
                // Full: the other keeps what does not fit.
                counts()[s] = int(total - PLR_SLOT_MOST);
                counts()[slot] = PLR_SLOT_MOST;
                continue;
            }
            counts()[slot] = int(total);
            clear_slot(s);
        }
    }
    recompute_load();
}

bool plr_split_off_single_item(int slot) {
    if (!slot_valid(slot) || !slot_used(slot) || counts()[slot] <= 0) return false;
    if (obj_id_is_type(ids()[slot])) {
        const int stored = obj_store_record(ItemTypes[ids()[slot]]);
        if (stored == 0) return false;
        ids()[slot] = stored;
    }
    const int id = ids()[slot];
    if (!obj_id_is_instance(id)) return false;
    obj_record(id, type_scratch);
    const int single = obj_new_instance(0);
    if (single == 0) return false;
    const int rest = counts()[slot] - 1;
    ids()[slot] = single;
    counts()[slot] = 1;
    if (rest > 0) plr_insert_into_inventory(id, rest, 0, slot + 1);
    recompute_load();
    return true;
}

int drop_item_at_player(int count, int object_id) {
    int id = object_id;
    if (obj_id_is_instance(id)) {
        ObjectRecord r;
        obj_record(id, r);
        if (r.state_bits & (HELD_BITS | OBJ_WORN)) {
            r.state_bits &= uint8_t(~(HELD_BITS | OBJ_WORN));
            const int loose = obj_store_record(r);
            if (loose != 0) id = loose;
        }
    }
    return put_object_on_map(MK_ITEM, player_x, player_y, id, count) >= 0 ? 1 : 0;
}

int plr_wielded_slot(int hand) {
    const uint8_t bit = hand == 1 ? OBJ_IN_FIRST_HAND : OBJ_IN_SECOND_HAND;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (holds_instance(s) && (Objects[ids()[s] - FIRST_INSTANCE_ID].state_bits & bit)) return s;
    return PLR_NO_SLOT;
}

int plr_wears_no_armour() {
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (!slot_used(s) || !obj_id_is_valid(ids()[s])) continue;
        ObjectRecord r;
        obj_record(ids()[s], r);
        if (r.item_class == ITEM_ARMOUR && (r.state_bits & OBJ_WORN)) return 0;
    }
    return 1;
}

void plr_release_leashes() {
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (!slot_used(s) || !obj_id_is_valid(ids()[s])) continue;
        ObjectRecord r;
        if (leash_creature(obj_record(ids()[s], r)) >= 0) take_off_leash(s);
    }
}

int plr_skill_by_pattern(const char* pattern) {
    if (pattern == nullptr || pattern[0] == 0) return PLR_NO_SLOT;
    for (int i = 0; i < PLR_SKILLS; ++i) {
        char name[PLR_SKILL_NAME_BYTES + 1];
        copy_field(name, sizeof name, Plr.skill_name[i], PLR_SKILL_NAME_BYTES);
        if (name[0] != 0 && std::strstr(name, pattern) != nullptr) return Plr.skill_level[i];
    }
    return PLR_NO_SLOT;
}

void boost_tracking_skill() {
    for (int i = 0; i < PLR_SKILLS; ++i) {
        char name[PLR_SKILL_NAME_BYTES + 1];
        copy_field(name, sizeof name, Plr.skill_name[i], PLR_SKILL_NAME_BYTES);
        if (std::strcmp(name, "TRACKING") == 0 && Plr.skill_level[i] < 80) Plr.skill_level[i] += 20;
    }
}

// ------------------------------------------------------------ commands

void discard_items_command() {
    show_message("#You are about discard some items for ever.");
    show_message("These items here can be discarded:");
    bool offered = false, discarded = false;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_ITEM || o.x != player_x || o.y != player_y || !obj_id_is_instance(o.DATA)) continue;
        if (!map_item_owner_status(i).free) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        // The craft the player sits in is not thrown away under him.
        if (Plr.travel_mode == TRAVEL_BY_WATERCRAFT && r.item_class == ITEM_VEHICLE &&
            r.subclass == SUBCLASS_WATERCRAFT)
            continue;
        offered = true;
        char line[600];
        format_text(line, sizeof line, "_You are about to discard %s.", obj_name_with_unit(o.DATA, o.amount, 1));
        show_message(line);
        if (ask_yes_no("Discard?")) {
            free_map_object(i);
            discarded = true;
        }
    }
    if (!offered) {
        show_message("!There are no items to discard here!");
        show_message("_First drop the items you wish to discard and use this command as you are standing on them.");
        show_message("_Notice that you can only discard items that are considered to be yours.");
        return;
    }
    if (!discarded) {
        show_message("No items were discarded.");
        return;
    }
    rebuild_view();
    show_message("#As you couldn't recycle these items they are now discarded forever.");
}

void exchange_weapons_command() {
    const int first = plr_wielded_slot(1), second = plr_wielded_slot(2);
    if (first == PLR_NO_SLOT && second == PLR_NO_SLOT) {
        show_message("*EL");
        return;
    }
    msg_item = ids()[first != PLR_NO_SLOT ? first : second];
    if (cre_limb_impairment(-1, 3, 1) >= 1.0f) {
        show_message(message_by_key("CANT_WIELD_INJURED:1"));
        return;
    }
    if (cre_limb_impairment(-1, 3, 2) >= 1.0f) {
        show_message(message_by_key("CANT_WIELD_INJURED:2"));
        return;
    }
    if (first != second) {
        if (first != PLR_NO_SLOT)
            change_slot_object(first, [](ObjectRecord& r) {
                r.state_bits = uint8_t((r.state_bits & ~OBJ_IN_FIRST_HAND) | OBJ_IN_SECOND_HAND);
            });
        if (second != PLR_NO_SLOT)
            change_slot_object(second, [](ObjectRecord& r) {
                r.state_bits = uint8_t((r.state_bits & ~OBJ_IN_SECOND_HAND) | OBJ_IN_FIRST_HAND);
            });
    }
    show_message("#Weapons exchanged:");
    bool shield = false;
    const int now_first = plr_wielded_slot(1), now_second = plr_wielded_slot(2);
    char line[300];
    for (int hand = 1; hand <= 2; ++hand) {
        const int slot = hand == 1 ? now_first : now_second;
        if (slot == PLR_NO_SLOT) {
            show_message(hand == 1 ? "!No primary weapon." : "!No secondary weapon.");
            continue;
        }
        format_text(line, sizeof line, "%s%s", hand == 1 ? "#1st weapon: " : "#2nd weapon: ", held_name(slot));
        show_message_as_is(line);  // "2nd" and the name as they are
        ObjectRecord r;
        shield = shield || obj_is_shield(obj_record(ids()[slot], r));
    }
    if (shield) Plr.shield_stance |= 1;
    screen_hooks.refresh_status_panel();
}

void exchange_weapons() { exchange_weapons_command(); }

void plr_wear_starting_armour() {
    for (int s = 0; s < STARTING_CLOTHES_SLOTS; ++s) {
        if (!holds_instance(s) || counts()[s] != 1) continue;
        if (Objects[ids()[s] - FIRST_INSTANCE_ID].item_class != ITEM_ARMOUR) continue;
        change_slot_object(s, [](ObjectRecord& r) { r.state_bits = OBJ_WORN; });
    }
}

void wear_starting_clothes() { plr_wear_starting_armour(); }

// ------------------------------------------------------------ creatures

int cre_take_from_slot(int creature, int slot, int count) {
    if (!cre_slot_valid(creature) || slot < 0 || slot >= CRE_INV_SLOTS || count <= 0) return 0;
    CreatureRecord& c = Cre[creature];
    const int held = c.inv_count[slot];
    const int n = count < held ? count : held;
    if (n <= 0) return 0;
    c.inv_count[slot] = uint8_t(held - n);
    if (c.inv_count[slot] == 0) {
        c.inv_id[slot] = 0;
        c.inv_state[slot] = 0;
    }
    cre_compute_load(creature);
    return n;
}

int cre_wielded_item(int creature, int hand) {
    if (creature == -1) {
        const int slot = plr_wielded_slot(hand);
        return slot == PLR_NO_SLOT ? 0 : ids()[slot];
    }
    if (!cre_slot_valid(creature)) return 0;
    return hand == 1 ? Cre[creature].wielded : hand == 2 ? Cre[creature].shield : 0;
}

int cre_wielded_count(int creature) {
    if (creature == -1) return (plr_wielded_slot(1) != PLR_NO_SLOT) + (plr_wielded_slot(2) != PLR_NO_SLOT);
    if (!cre_slot_valid(creature)) return 0;
    return (Cre[creature].wielded != 0) + (Cre[creature].shield != 0);
}

// ------------------------------------------------------------ objects

int dressing_time(const ObjectRecord& record) {
    if (record.weight <= 2.0f) return 10;
    if (record.weight <= 6.0f) return 20;
    return int(std::ceil(record.weight / 3.0)) * 10;
}

int is_food_object(const ObjectRecord& record) { return record.item_class == ITEM_FOOD && record.kind < 512; }

int leash_creature(const ObjectRecord& leash) {
    if (leash.item_class != ITEM_TOOL || leash.subclass != SUBCLASS_LEASH) return CRE_NO_CREATURE;
    const uint32_t sotu = uint16_t(leash.link);
    if (sotu == 0) return CRE_NO_CREATURE;
    return cre_by_sotu(sotu);
}

int make_corpse_object(uint32_t sotu) {
    cre_save_dead_to_crs();
    CreatureRecord dead;
    get_creature_record(sotu, 52, dead);
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_CARCASS;
    char name[sizeof dead.name + 1];
    copy_field(name, sizeof name, dead.name, sizeof dead.name);
    char text[CORPSE_NAME_MOST + 1];
    format_text(text, sizeof text, "dead %s", name);
    copy_text(r.name, text);
    r.kind = int32_t(sotu);
    r.weight = r.full_weight = 2.0f * dead.weight;
    return obj_store_record(r);
}

int obj_reveal_quality(int object_id) {
    if (object_id == -1) {
        if (type_scratch.quality != 0) type_scratch.quality |= OBJ_GRADE_KNOWN;
        return -1;
    }
    if (!obj_id_is_instance(object_id)) return object_id;
    ObjectRecord r;
    obj_record(object_id, r);
    if (r.quality == 0 || (r.quality & OBJ_GRADE_KNOWN)) return object_id;
    r.quality |= OBJ_GRADE_KNOWN;
    const int known = obj_store_record(r);
    return known != 0 ? known : object_id;
}

int wildcard_match(const char* pattern, const char* text) {
    if (pattern == nullptr || pattern[0] == 0 || text == nullptr) return 0;
    char piece[512];
    size_t n = 0;
    for (const char* p = pattern; *p; ++p) {
        if (*p != '*') {
            if (n < sizeof piece - 1) piece[n++] = *p;
            continue;
        }
        piece[n] = 0;
        if (std::strstr(text, piece) != nullptr) return 1;
        n = 0;
    }
    return 0;
}

void clear_object_list(ObjectList& list) { std::memset(&list, 0, sizeof list); }
