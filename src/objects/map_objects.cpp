#include "objects/map_objects.h"

#include "base/stubs.h"

// Not built yet: the map holds no objects that change by themselves.
void update_map_objects() { KSM_STUB("update_map_objects"); }

#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"

// The least of the unpacking: everything that travelled is put down on the
// player's square (followers beside the player come with the creature
// code); items join the stacks lying there. An entry that could not be put
// down stays on the stack, and the player is told once.
void unpack_party_stack() {
    int kept = 0;
    for (int i = 0; i < party_stack_count; ++i) {
        const PartyEntry e = party_stack[i];
        int placed;
        if (e.kind == MK_CREATURE || e.kind == MK_CARCASS) {
            clear_staging_object();
            map_object_staging.x = uint16_t(player_x);
            map_object_staging.y = uint16_t(player_y);
            map_object_staging.TYPE = uint8_t(e.kind);
            map_object_staging.amount = uint16_t(e.amount);
            map_object_staging.DATA = e.data;
            placed = insert_map_object(-1);
        } else {
            const int amount = e.kind == MK_PARTY_ENTRY && e.amount > 30 ? 30 : e.amount;
            placed = put_object_on_map(e.kind, player_x, player_y, e.data, amount);
        }
        if (placed < 0) party_stack[kept++] = e;
    }
    party_stack_count = kept;
    if (kept > 0) warn_map_item_limit();
}

// Not built yet: nothing on the map ages, is prepared or carries a daily flag.
void age_map_items(int) { KSM_STUB("age_map_items"); }
int areal_itemizer() {
    KSM_STUB("areal_itemizer");
    return 0;
}
void clear_daily_object_flags() { KSM_STUB("clear_daily_object_flags"); }
