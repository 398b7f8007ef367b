// Item and activity commands. Those not built yet note their call (for the
// developer's trace) and give a neutral answer.
#include "objects/item_commands.h"

#include "base/stubs.h"
#include "console/console.h"
#include "maps/map_layers.h"
#include "objects/item_lists.h"
#include "objects/item_selection.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "base/platform.h"

uint8_t fire_burn_mark = 0;
uint8_t object_turn_flag = 0;

void examine_carried_equipment() {
    for (;;) {
        const int index = select_items(2, -1, 0, 0, "You are carrying the following items.",
                                       "examine (weapon or armour)", 0, 0, 0);
        if (index < 0) return;
        copy_text(msg_var_text, sizeof msg_var_text, "");
        examine_item(selection_list[index].index);
    }
}
void pick_up_command(int, int, int) { KSM_STUB("pick_up_command"); }
void pick_from_command(int) { KSM_STUB("pick_from_command"); }
void stop_hauling(int) { KSM_STUB("stop_hauling"); }
int hauled_items_on_map() { KSM_STUB("hauled_items_on_map"); return 0; }
// The carrying commands, until they are built.
void drop_command() { KSM_STUB("drop_command"); show_message("!Not available yet."); }
void haul_command() { KSM_STUB("haul_command"); show_message("!Not available yet."); }
void push_or_pack_items(int, int, int) { KSM_STUB("push_or_pack_items"); show_message("!Not available yet."); }
void wear_command() { KSM_STUB("wear_command"); show_message("!Not available yet."); }
void wield_command(int, int) { KSM_STUB("wield_command"); show_message("!Not available yet."); }
void take_off_command() { KSM_STUB("take_off_command"); show_message("!Not available yet."); }
