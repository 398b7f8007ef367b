#include "creatures/creature_inventory.h"

#include <algorithm>
#include <cstdlib>

#include "base/platform.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_record.h"
#include "creatures/creature_traits.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/font.h"
#include "ui/input.h"

namespace {

constexpr int CARRIED_SLOTS = 20;
constexpr float LIGHTEST_CARRIER_KG = 2.0f;
constexpr int ALLY_REACH = 50;  // |dx| and |dy| below this
constexpr int PICK_UP_MIN_ATTRIBUTE = 4;

// tag < 0: stacks onto any slot and new slots get tag 0.
int add_to_slots(int creature, int object_id, int count, int tag) {
    if (count == 0 || object_id == 0) return 1;
    if (count < 0 || !cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    obj_load_current(object_id);
    if (c.weight < LIGHTEST_CARRIER_KG) return 0;
    if (!cre_can_carry(creature, float(count) * current_object.weight)) return 0;
    for (int s = 0; s < CARRIED_SLOTS; ++s) {
        if (c.inv_id[s] != object_id || c.inv_count[s] + count > CRE_SLOT_MAX) continue;
        if (tag >= 0 && c.inv_state[s] != tag) continue;
        c.inv_count[s] = uint8_t(c.inv_count[s] + count);
        return 1;
    }
    const int needed = (count + CRE_SLOT_MAX - 1) / CRE_SLOT_MAX;
    int empty = 0;
    for (int s = 0; s < CARRIED_SLOTS; ++s)
        if (c.inv_id[s] == 0) ++empty;
    if (empty < needed) return 0;
    int left = count;
    for (int s = 0; s < CARRIED_SLOTS && left > 0; ++s) {
        if (c.inv_id[s] != 0) continue;
        const int here = std::min(left, CRE_SLOT_MAX);
        c.inv_id[s] = object_id;
        c.inv_count[s] = uint8_t(here);
        c.inv_state[s] = uint8_t(tag < 0 ? 0 : tag);
        left -= here;
    }
    return 1;
}

bool pick_up(int creature, int map_index, int count, bool tagged) {
    if (!cre_slot_valid(creature) || !map_index_valid(map_index)) return false;
    CreatureRecord& c = Cre[creature];
    if (c.attr_int <= PICK_UP_MIN_ATTRIBUTE || c.attr_dex <= PICK_UP_MIN_ATTRIBUTE) return false;
    const MapObject& o = Data[map_index];
    if (o.TYPE != MK_ITEM || count < 0) return false;
    c.dress_bits |= 1u;
    const int object = o.DATA;
    // Never more than lies there.
    if (count == 0 || count > int(o.amount)) count = int(o.amount);
    if (count < 1) return false;
    const int added = tagged ? cre_add_item_tagged(creature, object, count, CRE_GOODS_NOT_OWN)
                             : cre_add_item(creature, object, count);
    if (!added) return false;
    msg_npc = creature;
    msg_item = object;
    msg_num = tagged ? count : 1;
    cre_action_message(creature, message_by_key("PICK_UP"), "");
    reduce_map_object(map_index, count);
    return true;
}

}  // namespace

int cre_add_item(int creature, int object_id, int count) { return add_to_slots(creature, object_id, count, -1); }

int cre_add_item_tagged(int creature, int object_id, int count, int tag) {
    return add_to_slots(creature, object_id, count, tag < 0 ? 0 : tag);
}

bool cre_pick_up_item(int creature, int map_index, int count) { return pick_up(creature, map_index, count, false); }
bool cre_pick_up_item_tagged(int creature, int map_index, int count) {
    return pick_up(creature, map_index, count, true);
}

int ally_takes_goods(int object_id, int count, int tag) {
    const int partner = trade_partner;
    const int pi = cre_datapos(partner);
    if (!cre_slot_valid(partner) || pi < 0) return 0;
    const int px = Data[pi].x, py = Data[pi].y;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CREATURE) continue;
        if (std::abs(int(o.x) - px) >= ALLY_REACH || std::abs(int(o.y) - py) >= ALLY_REACH) continue;
        const int ally = map_object_creature(i);
        if (ally == partner || !cre_slot_valid(ally)) continue;
        if (!cre_are_allies(partner, ally) || !cre_is_human(ally)) continue;
        if (cre_add_item_tagged(ally, object_id, count, tag)) return 1;
    }
    return 0;
}

int find_weapon_at(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_ITEM || o.x != x || o.y != y || !obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r{};
        obj_record(o.DATA, r);
        if (r.item_class == ITEM_WEAPON) return i;
    }
    return -1000;
}

// The first mask is the pelt cultures', the second the meat cultures'.
void debug_template_masks() {
    save_screen_backup();
    int y = 0;
    for (int t = 0; t < CRE_TEMPLATE_COUNT; ++t) {
        const CreatureRecord& r = CreTemplates[t];
        if (r.cre_class == 0) continue;
        char name[sizeof r.name + 1];
        copy_field(name, sizeof name, r.name, sizeof r.name);
        char line[160];
        format_text(line, sizeof line, "#%d - Cre: %s - pelt:", t, name);
        for (int b = 0; b < 14; ++b) append_text(line, sizeof line, (r.culture_mask1 >> b) & 1 ? "*" : ".");
        append_text(line, sizeof line, " meat:");
        for (int b = 0; b < 14; ++b) append_text(line, sizeof line, (r.culture_mask2 >> b) & 1 ? "*" : ".");
        draw_text_at(0, y, line, colour_white(), 0);
        y += 10;
    }
    present_screen();
    wait_key();
    restore_screen_backup();
    present_screen();
}
