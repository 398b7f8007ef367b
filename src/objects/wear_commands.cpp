// Wearing, wielding and taking off, and the wear of what the body uses.
#include "objects/wear_commands.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "body/body_condition.h"
#include "body/body_queries.h"
#include "creatures/creature_files.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/item_selection.h"
#include "objects/object_names.h"
#include "society/game_course.h"
#include "ui/catalogue.h"
#include "ui/keyed_words.h"
#include "ui/message_line.h"
#include "ui/prompts.h"

namespace {

constexpr uint8_t HELD_BITS = OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND;
constexpr uint8_t FOOT_BIT = 0x01;  // the foot's bit in the third coverage byte
constexpr int32_t KIND_BOWSTRING = 121;
constexpr uint8_t SUBCLASS_TIED_ITEM = 40;
constexpr int FOOTWEAR_STEP_PERCENT = 8;
constexpr int WALKING_DAY_HOURS = 14;
constexpr int NO_FOOTWEAR = -1000;
constexpr int CREATURE_WORN_SLOTS = 7;
constexpr int WIELDABLE_CLASSES = 0x80000042;  // weapons and tools
constexpr int NORTHERN_ITEM_EVENT = 36;        // the course's wield of a northern item
// Wearing several items at once: one of a stack, worn ones and what the
// filter leaves out can't be chosen.
constexpr int WEAR_FLAGS = SEL_SEVERAL | SEL_ONE_OF_STACK | SEL_WORN_INVALID | SEL_FILTER_INVALID;

// The walking clocks of the footwear and the slot of the footwear found at
// the last walking hour.
int32_t walk_seconds = 0;
int32_t walk_minutes = 0;
int32_t footwear_slot = NO_FOOTWEAR;

int32_t* ids() { return Plr.plr_inv_id; }
int32_t* counts() { return Plr.plr_inv_count; }
bool slot_valid(int slot) { return slot >= 0 && slot < PLR_INV_SLOTS; }

void refresh_panel() {
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}

// A carried thing changes only in a record of its own: what else shares the
// old instance keeps it. False (the slot unchanged) when the store is full.
bool rewrite_slot(int slot, const ObjectRecord& changed) {
    const int id = obj_store_record(changed);
    if (id == 0) return false;
    ids()[slot] = id;
    return true;
}

bool set_slot_bits(int slot, uint8_t clear, uint8_t set) {
    ObjectRecord r;
    obj_record(ids()[slot], r);
    r.state_bits = uint8_t((r.state_bits & ~clear) | set);
    return rewrite_slot(slot, r);
}

// The coverage bit of a body part: parts 0-7 in the first byte, 8-15 in the
// second, 16 and up in the third.
bool covers_part(const ObjectRecord& r, int part) {
    if (part < 0 || part >= 24) return false;
    return (r.coverage[part / 8] & (1u << (part % 8))) != 0;
}

// The last two words of a name (all of it when it has fewer than three),
// in lower case and led by a space, so that a one-word name meets the
// kind words (" helm") as a longer one does.
void key_words(const char* name, char* out, size_t cap) {
    const char* start = name;
    int words_seen = 0;
    for (const char* p = name + std::strlen(name); p > name; --p) {
        if (p[-1] == ' ' && p[0] != ' ' && ++words_seen == 2) {
            start = p;
            break;
        }
    }
    copy_text(out, cap, " ");
    append_text(out, cap, start);
    for (char* p = out; *p; ++p) *p = char(std::tolower(static_cast<unsigned char>(*p)));
}

bool has(const char* text, const char* word) { return std::strstr(text, word) != nullptr; }

bool of_one_kind(const char* mine, const ObjectRecord& new_item, const char* worn, const ObjectRecord& worn_item) {
    if (has(mine, " helm") && has(worn, " helm")) return true;
    if (has(mine, "cuirass") && has(worn, "cuirass")) return true;
    if ((has(mine, " hauberk") || has(mine, " habergeon")) && (has(worn, " hauberk") || has(worn, " habergeon")))
        return true;
    if ((has(mine, " boots") || has(mine, " shoes")) && (has(worn, " boots") || has(worn, " shoes"))) return true;
    return obj_is_footwear(new_item) && obj_is_footwear(worn_item);
}

// The worn item the new one clashes with, or 0.
int clashing_worn_item(int creature, int object_id) {
    ObjectRecord mine;
    obj_record(object_id, mine);
    char my_key[sizeof mine.name + 2];
    key_words(mine.name, my_key, sizeof my_key);
    const int candidates = creature == -1 ? PLR_INV_SLOTS : CREATURE_WORN_SLOTS;
    for (int i = 0; i < candidates; ++i) {
        int worn_id = 0;
        if (creature == -1) {
            if (counts()[i] <= 0 || !obj_id_is_valid(ids()[i])) continue;
            worn_id = ids()[i];
        } else {
            worn_id = Cre[creature].worn[i];
            if (!obj_id_is_valid(worn_id)) continue;
        }
        ObjectRecord worn;
        obj_record(worn_id, worn);
        if (creature == -1 && (worn.item_class != ITEM_ARMOUR || !(worn.state_bits & OBJ_WORN))) continue;
        char worn_key[sizeof worn.name + 2];
        key_words(worn.name, worn_key, sizeof worn_key);
        if (std::strcmp(my_key, worn_key) != 0 && !of_one_kind(my_key, mine, worn_key, worn)) continue;
        return worn_id;
    }
    return 0;
}

// Spends the time of putting on or taking off the item; false when it was
// interrupted.
bool spend_dressing_time(const ObjectRecord& r, const char* label) {
    return spend_time_on_task_finely(dressing_time(r), 0, label, 0) != 0;
}

}  // namespace

// ------------------------------------------------------------ wear and tear

bool obj_is_footwear(const ObjectRecord& record) {
    return record.item_class == ITEM_ARMOUR && (record.coverage[2] & FOOT_BIT) != 0;
}

int footwear_life_days(const ObjectRecord& record) {
    if (record.material & MATERIAL_LEATHER) return 540;
    if (record.material & MATERIAL_FUR) return 365;
    if (record.material & MATERIAL_BARK) return 14;
    return 180;
}

void reset_wear_state() {
    walk_seconds = 0;
    walk_minutes = 0;
    footwear_slot = NO_FOOTWEAR;
}

int footwear_clock_seconds() { return walk_minutes * 60 + walk_seconds; }

void plr_wear_armour_on_hit(int part, int damage) {
    bool broke = false;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (counts()[s] <= 0 || !obj_id_is_instance(ids()[s])) continue;
        ObjectRecord r;
        obj_record(ids()[s], r);
        if (r.item_class != ITEM_ARMOUR || !(r.state_bits & OBJ_WORN) || !covers_part(r, part)) continue;
        double wear = damage / 100 + random_below(6) * 0.01;
        if (r.MAGIC == 2) wear /= 2.0;  // the special pieces that hold better
        if (wear_object(r, 0, wear, ARMOUR_USED_UP_PERCENT)) {
            char text[200];
            format_text(text, sizeof text, "+Your %s breaks apart.", obj_name_with_unit(ids()[s], 1, 0));
            show_message(text);
            plr_take_from_slot_in_place(s, counts()[s]);
            broke = true;
            continue;
        }
        rewrite_slot(s, r);
    }
    if (broke) plr_compact_inventory();
}

void plr_wear_footwear(int seconds, int minutes) {
    if (Plr.travel_mode == 2 || Plr.travel_mode == 3 || Plr.travel_mode == 7) return;
    // Whole minutes go on to the minute clock and the seconds left over stay:
    // short steps add up to the hours they take.
    walk_seconds += seconds;
    minutes += walk_seconds / 60;
    walk_seconds %= 60;
    walk_minutes += minutes;
    if (walk_minutes < 60) return;
    walk_minutes = 0;
    int found = NO_FOOTWEAR;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (counts()[s] <= 0 || !obj_id_is_valid(ids()[s])) continue;
        ObjectRecord r;
        obj_record(ids()[s], r);
        if (obj_is_footwear(r) && (r.state_bits & OBJ_WORN)) found = s;
    }
    // The first hour in new footwear wears nothing: it is not yet known to
    // have been walked in for a whole hour.
    if (found != NO_FOOTWEAR && found == footwear_slot) {
        ObjectRecord r;
        obj_record(ids()[found], r);
        const double wear = 50.0 / (footwear_life_days(r) * WALKING_DAY_HOURS);
        if (wear_object(r, FOOTWEAR_STEP_PERCENT, wear, FOOTWEAR_USED_UP_PERCENT)) {
            char text[200];
            format_text(text, sizeof text, "+Your worn out %s break apart.", obj_name_with_unit(ids()[found], 1, 0));
            show_message(text);
            if (!messages_suppressed) pause_prompt();
            plr_take_from_slot(found, 1);
            found = NO_FOOTWEAR;
        } else {
            rewrite_slot(found, r);
        }
    }
    footwear_slot = found;
}

int wear_conflict(int creature, int object_id, int show) {
    if (creature > 499) return 1;
    if (creature != -1 && !cre_slot_valid(creature)) return 1;
    if (!obj_id_is_valid(object_id)) return 0;
    const int worn_id = clashing_worn_item(creature, object_id);
    if (worn_id == 0) return 0;
    if (creature != -1 || !show) return 1;
    char mine[200], worn[200];
    copy_text(mine, sizeof mine, obj_name(object_id, 1, 0));
    copy_text(worn, sizeof worn, obj_name(worn_id, 1, 0));
    if (std::strcmp(mine, worn) != 0) {
        msg_item = object_id;
        copy_text(msg_var_text, sizeof msg_var_text, worn);
        show_message(message_by_key("WEAR_SIMILAR"));
    } else {
        msg_item = worn_id;
        show_message(message_by_key("WEAR_DOUBLE"));
    }
    return 1;
}

// ------------------------------------------------------------ one item

int dress_command(int slot) {
    if (!slot_valid(slot) || counts()[slot] <= 0 || !obj_id_is_valid(ids()[slot])) return 0;
    ObjectRecord r;
    obj_record(ids()[slot], r);
    if (r.state_bits & OBJ_WORN) {
        msg_item = ids()[slot];
        show_message(message_by_key("WEAR_ALREADY"));
        return 0;
    }
    if (wear_conflict(-1, ids()[slot], 1)) return 0;
    if (!spend_dressing_time(r, "dressing")) return -1;
    // One of a stack goes on; the rest stays a stack of its own.
    if (counts()[slot] > 1 && !plr_split_off_single_item(slot)) return 0;
    if (!set_slot_bits(slot, 0, OBJ_WORN)) return 0;
    msg_item = ids()[slot];
    msg_npc = -1;
    show_message(message_by_key("WEAR_OK"));
    cre_compute_load(-1);
    refresh_panel();
    return 1;
}

int take_off_or_unwield(int slot, int merge) {
    if (!slot_valid(slot) || counts()[slot] <= 0 || !obj_id_is_valid(ids()[slot])) return 0;
    ObjectRecord r;
    obj_record(ids()[slot], r);
    if (r.state_bits & OBJ_WORN) {
        if (!spend_dressing_time(r, "undressing")) return -1;
        msg_item = ids()[slot];
        show_message(message_by_key("TAKEOFF_OK"));
        set_slot_bits(slot, OBJ_WORN, 0);
        plr_merge_stacks_into(slot);
        refresh_panel();
        return 1;
    }
    if (r.state_bits & HELD_BITS) {
        msg_item = ids()[slot];
        show_message(message_by_key("UNWIELD_WEAPON"));
        set_slot_bits(slot, HELD_BITS, 0);
        if (merge) plr_merge_stacks_into(slot);
        refresh_panel();
        return 1;
    }
    if (r.subclass == SUBCLASS_TIED_ITEM && r.link == 1) {
        // A tied thing is undone by applying it.
        perform_activity(PURPOSE_USE, slot, "");
        return 1;
    }
    msg_item = ids()[slot];
    show_message(message_by_key("TAKEOFF_CANT"));
    return 0;
}

int plr_wield_item(int preference, int slot, int quiet) {
    if (!slot_valid(slot) || counts()[slot] <= 0 || !obj_id_is_valid(ids()[slot])) return 0;
    const int first = plr_wielded_slot(1), second = plr_wielded_slot(2);
    if (first != PLR_NO_SLOT && second != PLR_NO_SLOT) {
        if (!quiet) show_message(message_by_key("BOTH_HANDS_WIELDED"));
        return 0;
    }
    ObjectRecord r;
    obj_record(ids()[slot], r);
    msg_item = ids()[slot];
    if (r.kind == KIND_BOWSTRING) {
        if (!quiet) show_message("!Bowstring can't be used as a weapon on its on. It's useless to wield it.");
        return 0;
    }
    if (r.item_class != ITEM_WEAPON && r.item_class != ITEM_TOOL && r.item_class != ITEM_FOOD &&
        r.item_class != ITEM_TIMBER) {
        if (!quiet) show_message(message_by_key("NOT_SUITABLE_ITEM"));
        return 0;
    }
    if (counts()[slot] > 1 && !plr_split_off_single_item(slot)) return 0;
    // The second hand only while it is free: one hand never holds two things.
    const int hand = (first != PLR_NO_SLOT || preference == 2) && second == PLR_NO_SLOT ? 2 : 1;
    if (!set_slot_bits(slot, HELD_BITS, hand == 2 ? OBJ_IN_SECOND_HAND : OBJ_IN_FIRST_HAND)) return 0;
    refresh_panel();
    msg_item = ids()[slot];
    msg_npc = -1;
    show_message(message_by_key("WIELD_WEAPON"));
    obj_record(ids()[slot], r);
    if (obj_is_shield(r)) choose_shield_mode();
    char upper[sizeof r.name + 1];
    copy_field(upper, sizeof upper, r.name, sizeof r.name);
    for (char* p = upper; *p; ++p) *p = char(std::toupper(static_cast<unsigned char>(*p)));
    if (std::strstr(upper, "NORTHERN") != nullptr) report_game_course_event(NORTHERN_ITEM_EVENT);
    return hand;
}

// ------------------------------------------------------------ the commands

void wear_command() {
    const int answer =
        select_items(2, -1, 0, 0, "What do you want to wear?", "wear", WEAR_FLAGS, ITEM_ARMOUR, PURPOSE_WEAR);
    if (answer == SEL_NOTHING) show_message(out_of_items_text("wear"));
    if (answer < 0) return;
    // Dressing splits stacks and so moves the slots after the one dressed:
    // the chosen objects are taken first and found again by id.
    int chosen[SELECTION_ENTRIES];
    int n = 0;
    for (int e = 0; e < selection_count; ++e) {
        const SelectionEntry& entry = selection_list[e];
        if (entry.chosen > 0 && entry.source == LIST_SOURCE_CARRIED && obj_id_is_valid(entry.object))
            chosen[n++] = entry.index;
    }
    int wanted[SELECTION_ENTRIES];
    for (int i = 0; i < n; ++i) wanted[i] = ids()[chosen[i]];
    for (int i = 0; i < n; ++i) {
        int slot = -1;
        for (int s = 0; s < PLR_INV_SLOTS && slot < 0; ++s) {
            if (ids()[s] != wanted[i] || counts()[s] <= 0) continue;
            slot = s;
        }
        if (slot < 0) continue;
        if (dress_command(slot) == -1) break;
    }
    cre_compute_load(-1);
    refresh_panel();
}

void take_off_command() {
    const int answer = select_item("What do you want to take off?", "take off", SEL_SEVERAL, 0, PURPOSE_TAKE_OFF);
    if (answer == SEL_NOTHING) show_message(out_of_items_text("take off"));
    if (answer < 0) return;
    // Taking off merges stacks, which can empty a later chosen slot; each is
    // looked for again by its object.
    int wanted[SELECTION_ENTRIES];
    int n = 0;
    for (int e = 0; e < selection_count; ++e) {
        const SelectionEntry& entry = selection_list[e];
        if (entry.chosen > 0 && entry.source == LIST_SOURCE_CARRIED && slot_valid(entry.index))
            wanted[n++] = ids()[entry.index];
    }
    for (int i = 0; i < n; ++i) {
        int slot = -1;
        for (int s = 0; s < PLR_INV_SLOTS && slot < 0; ++s)
            if (ids()[s] == wanted[i] && counts()[s] > 0) slot = s;
        if (slot < 0) continue;
        if (take_off_or_unwield(slot, 1) == -1) break;
    }
    plr_compact_inventory();
    refresh_panel();
}

void wield_command(int slot, int quiet) {
    if (slot == SEL_CANCELLED) {
        slot = select_item("What do you want to wield?", "wield", SEL_IN_USE_INVALID, WIELDABLE_CLASSES, PURPOSE_WIELD);
        if (slot < 0) return;
    }
    if (!slot_valid(slot) || counts()[slot] <= 0 || !obj_id_is_valid(ids()[slot])) return;
    ObjectRecord r;
    obj_record(ids()[slot], r);
    if (r.state_bits & HELD_BITS) {
        show_message("!You are already wielding that!");
        return;
    }
    if (check_physical_requirements(-1, PHYSREQ_ONE_HAND, 0, "wield anything")) return;
    const int item = ids()[slot];
    int hand = 0;
    int freed = 0;  // the object put down to free a hand
    auto put_down = [&freed](int held) {
        if (held == PLR_NO_SLOT) return;
        take_off_or_unwield(held, 0);
        freed = ids()[held];
    };
    if (int(cre_limb_impairment(-1, LIMB_HANDS, LIMB_RIGHT)) >= 1) {
        msg_item = item;
        show_message(message_by_key("CANT_WIELD_INJURED:1"));
        hand = 2;
        put_down(plr_wielded_slot(2));
    }
    if (int(cre_limb_impairment(-1, LIMB_HANDS, LIMB_LEFT)) >= 1) {
        msg_item = item;
        show_message(message_by_key("CANT_WIELD_INJURED:2"));
        hand = 1;
        put_down(plr_wielded_slot(1));
    }
    if (plr_wielded_slot(1) != PLR_NO_SLOT && plr_wielded_slot(2) != PLR_NO_SLOT) put_down(plr_wielded_slot(2));
    plr_wield_item(hand, slot, quiet);
    if (freed != 0) {
        // The split of a wielded stack may have moved the freed slot.
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            if (ids()[s] != freed || counts()[s] <= 0) continue;
            ObjectRecord loose;
            if (obj_record(freed, loose).state_bits & HELD_BITS) continue;
            plr_merge_stacks_into(s);
            break;
        }
    }
    cre_compute_load(-1);
    refresh_panel();
}

int cre_check_wield_injuries(int creature, const ObjectRecord& weapon, int show) {
    const int penalty = obj_weapon_hands(weapon);
    if (penalty == 0) return 0;
    if (cre_wielded_count(creature) == 2) return penalty;
    const int a1 = int(cre_limb_impairment(creature, LIMB_ARMS, LIMB_RIGHT));
    const int a2 = int(cre_limb_impairment(creature, LIMB_ARMS, LIMB_LEFT));
    if (a1 < 1 && a2 < 1) return 0;
    if (show && creature == -1) {
        msg_item = -1;
        naming_scratch = weapon;
        show_message(message_by_key(a1 >= 1 ? "CANT_WIELD_INJURED:1" : "CANT_WIELD_INJURED:2"));
    }
    return penalty;
}
