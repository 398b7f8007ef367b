#include "objects/item_lists.h"

#include <cstring>

#include "base/config.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/ownership.h"
#include "ui/catalogue.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/menus.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "ui/notices.h"
#include "ui/prompts.h"

SelectionEntry selection_list[SELECTION_ENTRIES];
int selection_count = 0;
uint32_t trade_selection_mask = 0;
uint32_t applicable_class_mask = 0;

namespace {

SelectionEntry selection_backup[SELECTION_ENTRIES];

constexpr int32_t KIND_BOWSTRING = 121;
constexpr int32_t KIND_BOW = 120;
constexpr int32_t KIND_CONTAINER_A = 331;
constexpr int32_t KIND_CONTAINER_B = 350;
constexpr int32_t KIND_CONTAINER_C = 351;
constexpr uint8_t SUBCLASS_LEASH = 9;
constexpr uint8_t SUBCLASS_LIGHT = 14;
constexpr uint8_t SUBCLASS_TIED_ITEM = 40;
constexpr uint8_t LEASHED_STATUS = 9;

void clear_list() {
    std::memset(selection_list, 0, sizeof selection_list);
    selection_count = 0;
}

SelectionEntry& add_entry(int32_t source, int32_t index, int32_t object, int32_t amount) {
    SelectionEntry& e = selection_list[selection_count++];
    e.source = source;
    e.index = index;
    e.object = object;
    e.amount = amount;
    return e;
}

// The class order, 1 to 12 where the setting leaves a place empty.
const uint8_t* class_order() {
    static uint8_t order[12];
    bool used[13] = {};
    int n = 0;
    for (int i = 0; i < 12; ++i) {
        const uint8_t c = inventory_order[i];
        if (c >= 1 && c <= 12 && !used[c]) {
            used[c] = true;
            order[n++] = c;
        }
    }
    for (uint8_t c = 1; c <= 12 && n < 12; ++c)
        if (!used[c]) order[n++] = c;
    return order;
}

}  // namespace

bool obj_is_container(const ObjectRecord& r) {
    return r.kind == KIND_CONTAINER_A || r.kind == KIND_CONTAINER_B || r.kind == KIND_CONTAINER_C ||
           r.item_class == ITEM_CONTAINER;
}

int list_ground_items(int x, int y) {
    clear_list();
    for (int i = 0; i < MAP_OBJECT_COUNT && selection_count < SELECTION_ENTRIES; ++i) {
        const MapObject& o = Data[i];
        if (o.x != x || o.y != y) continue;
        if (o.TYPE == MK_ITEM) {
            add_entry(LIST_SOURCE_MAP, i, o.DATA, o.amount).map_kind = MK_ITEM;
        } else if (o.TYPE == MK_CARCASS) {
            const int slot = map_object_creature(i);
            const uint32_t sotu = cre_slot_valid(slot) ? Cre[slot].sotu : 0;
            add_entry(LIST_SOURCE_MAP, i, make_corpse_object(sotu), 1).map_kind = MK_CARCASS;
        }
    }
    return selection_count;
}

int list_carried_items(int creature, int flags) {
    clear_list();
    if (creature == -1) {
        for (int s = 0; s < PLR_INV_SLOTS && selection_count < SELECTION_ENTRIES; ++s)
            if (Plr.plr_inv_id[s] > 0 && Plr.plr_inv_count[s] > 0)
                add_entry(LIST_SOURCE_CARRIED, s, Plr.plr_inv_id[s], Plr.plr_inv_count[s]);
        return selection_count;
    }
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    for (int s = 0; s < CRE_INV_SLOTS; ++s) {
        if (c.inv_id[s] == 0) continue;
        if ((flags & LIST_TRADE_SELECTION) && !(trade_selection_mask & (1u << s))) continue;
        SelectionEntry& e = add_entry(LIST_SOURCE_CARRIED, s, c.inv_id[s], c.inv_count[s]);
        if (flags & LIST_LOCK_UNFREED) {
            ObjectRecord r;
            obj_record(c.inv_id[s], r);
            if (!(r.ownflag & OWN_FREE_AGAIN)) e.locked = 1;
        }
    }
    return selection_count;
}

int choose_item_type(uint32_t mask) {
    menu_clear();
    const uint8_t* order = class_order();
    for (int i = 0; i < 12; ++i) {
        const int c = order[i];
        if (!(mask & (1u << c))) continue;
        const char* name = obj_category_name(c);
        if (name == nullptr || name[0] == 0) continue;
        char text[80];
        format_text(text, sizeof text, "%c.%s", CLASS_HOT_KEYS[c], name);
        menu_add(CLASS_HOT_KEYS[c], text);
    }
    if ((mask & (1u << FILTER_UNPAID)) && menu_count < MENU_ENTRIES) menu_add('u', "u.Unpaid");
    menu_add(-1, "");
    menu_add('*', "*.All types");
    const int key = menu_run("View what type of items?");
    if (key <= 0 || key == KEY_ESC) return -1;
    if (key == '*') return 0;
    if (key == 'u') return FILTER_UNPAID;
    const char* at = std::strchr(CLASS_HOT_KEYS, key);
    if (at == nullptr) return -1;
    const int c = int(at - CLASS_HOT_KEYS);
    return c >= 1 && c <= 12 ? c : 0;
}

bool filter_accepts(int filter, const ObjectRecord& r) {
    if (filter == 0) return true;
    if (filter < 0) return r.item_class < 32 && (uint32_t(filter) & (1u << r.item_class)) != 0;
    if (filter == FILTER_UNPAID) return (r.ownflag & (OWN_UNPAID | OWN_TAKEN)) != 0;
    return r.item_class == filter;
}

int filter_item_list(int filter, int flags) {
    const int n = selection_count;
    std::memcpy(selection_backup, selection_list, sizeof selection_list);
    clear_list();
    const uint8_t* order = class_order();
    bool taken[SELECTION_ENTRIES] = {};
    for (int g = 0; g < 12; ++g) {
        const int c = order[g];
        for (int i = 0; i < n; ++i) {
            if (taken[i]) continue;
            ObjectRecord r;
            obj_record(selection_backup[i].object, r);
            const bool filled = (flags & LIST_FILLED_AS_CONTAINER) && r.contents != 0;
            const int group = filled ? int(ITEM_CONTAINER) : int(r.item_class);
            if (group != c || !filter_accepts(filter, r)) continue;
            taken[i] = true;
            selection_list[selection_count++] = selection_backup[i];
        }
    }
    return selection_count;
}

void examine_item(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS) return;
    const int id = Plr.plr_inv_id[slot];
    if (!obj_id_is_valid(id)) return;
    obj_load_current(id);
    msg_item = id;
    const ObjectRecord& r = current_object;
    if (r.item_class == ITEM_WEAPON) {
        if (r.kind == KIND_BOWSTRING) {
            char text[200];
            format_text(text, sizeof text, "+%s", bowstring_condition_text(r));
            show_message(text);
            return;
        }
        msg_attack_class = uint8_t(r.ad_class & 0x0F);
        msg_defense_class = uint8_t(r.ad_class >> 4);
        char skill[sizeof r.skill + 1];
        copy_field(skill, sizeof skill, r.skill, sizeof r.skill);
        copy_text(msg_var_text, sizeof msg_var_text, skill);
        show_message(message_by_key("EXAMINE_ITEM_SKILL"));
        show_message(message_by_key("EXAMINE_ITEM_CLASS"));
        const int hands = obj_weapon_hands(r);
        if (hands != 0) {
            format_text(msg_var_text, sizeof msg_var_text, "%d", hands);
            show_message(message_by_key("EXAMINE_TWO-HANDED_ITEM"));
        }
        if (r.kind == KIND_BOW) {
            char text[200];
            format_text(text, sizeof text, "+%s", bowstring_condition_text(r));
            show_message(text);
        }
        copy_text(msg_var_text, sizeof msg_var_text, "none");
        if (!messages_suppressed) pause_prompt();
        return;
    }
    if (r.item_class == ITEM_ARMOUR) {
        armour_screen(obj_name(id, 1, NAME_NO_QUALITY));
        return;
    }
    show_message("_Only weapons, armours and clothes can be examined.");
}

void draw_item_icons(int x, int y, const ObjectRecord& r) {
    const bool worn = r.item_class == ITEM_ARMOUR && (r.state_bits & OBJ_WORN);
    const bool first = (r.state_bits & OBJ_IN_FIRST_HAND) != 0;
    const bool wielded = first || (r.state_bits & OBJ_IN_SECOND_HAND);
    bool in_use = false;
    if (r.item_class == ITEM_TOOL && r.link != 0) {
        if (r.subclass == SUBCLASS_LEASH) {
            const int animal = leash_creature(r);
            in_use = cre_slot_valid(animal) && Cre[animal].cre_status == LEASHED_STATUS;
        } else {
            in_use = r.subclass == SUBCLASS_LIGHT || r.subclass == SUBCLASS_TIED_ITEM;
        }
    }
    if (!worn && !wielded && !in_use) return;
    const int tile = tile_index(object_tile_name(r));
    // The tile shrunk to the row: a whole one would cover the rows around.
    if (tile >= 0) draw_tile_icon(tile, x + 4, y - 1, 11, 11);
    if (wielded) draw_text_at(x + 20, y, first ? "1st" : "2nd", map_rgb(240, 230, 140), 1);
}
