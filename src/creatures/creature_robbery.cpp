// A robber snatches the player's most valuable things.
#include <algorithm>

#include "base/platform.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "game/player.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "objects/object_values.h"

float robbery_noted_load = 0.0f;
char robbery_taken_text[ROBBERY_TEXT_SIZE] = {};

namespace {

constexpr int MOST_TAKEN = 10;
constexpr int ARMOUR_TAKEN_LIMIT = 2;
constexpr float ALWAYS_WORTH_TAKING = 96.0f;

struct Candidate {
    int slot;
    float value;
};

// The player's slots a robber would want, the most valuable first (equal
// values keep the inventory's order).
int valuable_slots(Candidate (&out)[PLR_INV_SLOTS]) {
    int n = 0;
    ObjectRecord r;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (!obj_id_is_valid(id) || Plr.plr_inv_count[s] <= 0) continue;
        obj_record(id, r);
        if (!obj_is_valuable(r)) continue;
        out[n++] = {s, obj_value(r)};
    }
    std::stable_sort(out, out + n, [](const Candidate& a, const Candidate& b) { return a.value > b.value; });
    return n;
}

// The snatched thing goes to the robber as a record of its own: in no
// hand and not worn, its grade kept.
void hand_over(int creature, int slot) {
    const int id = Plr.plr_inv_id[slot];
    const int count = Plr.plr_inv_count[slot];
    ObjectRecord r;
    obj_record(id, r);
    r.state_bits &= uint8_t(~(OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND | OBJ_WORN));
    const int stolen = obj_store_record(r);
    plr_take_from_slot_in_place(slot, count);
    if (stolen == 0) return;
    if (cre_add_item_tagged(creature, stolen, count, 0)) return;
    put_object_on_map(MK_ITEM, creature_x(creature), creature_y(creature), stolen, count);
}

}  // namespace

void reset_robbery_state() {
    robbery_noted_load = 0.0f;
    robbery_taken_text[0] = 0;
}

int cre_snatch_player_items(int creature, int check) {
    robbery_taken_text[0] = 0;
    if (!cre_slot_valid(creature)) return 0;
    if (check && !(Plr.carried_load < robbery_noted_load)) return 0;
    Candidate list[PLR_INV_SLOTS];
    const int n = valuable_slots(list);
    int taken = 0;
    float last_value = 0.0f;
    for (int i = 0; i < n && taken < MOST_TAKEN; ++i) {
        const Candidate& c = list[i];
        if (taken > 0 && c.value < last_value / 3.0f && c.value < ALWAYS_WORTH_TAKING) continue;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[c.slot], r);
        if (r.item_class == ITEM_ARMOUR && taken > ARMOUR_TAKEN_LIMIT) continue;
        append_text(robbery_taken_text, sizeof robbery_taken_text,
                    obj_name_with_unit(Plr.plr_inv_id[c.slot], Plr.plr_inv_count[c.slot], 0));
        append_text(robbery_taken_text, sizeof robbery_taken_text, ", ");
        if (!check) hand_over(creature, c.slot);
        last_value = c.value;
        ++taken;
    }
    if (!check && taken > 0) {
        plr_compact_inventory();
        plr_recompute_carried_weight();
    }
    return taken;
}
