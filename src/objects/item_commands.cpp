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
void pick_up_command(int, int, int) { KSM_STUB("pick_up_command"); }
void pick_from_command(int) { KSM_STUB("pick_from_command"); }
void stop_hauling(int) { KSM_STUB("stop_hauling"); }
int hauled_items_on_map() { KSM_STUB("hauled_items_on_map"); return 0; }
