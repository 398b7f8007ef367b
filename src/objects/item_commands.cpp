// Item and activity commands. Not built yet: each notes its call (for the
// developer's trace) and gives a neutral answer.
#include "objects/item_commands.h"

#include "console/console.h"
#include "maps/map_layers.h"
#include "ui/message_line.h"
#include "ui/platform.h"

int32_t last_activity_code = 0;
int32_t last_activity_argument = 0;
char last_activity_data[100] = "";
uint8_t purge_requested = 0;
uint8_t object_maintenance_due = 0;
uint8_t fire_burn_mark = 0;
uint8_t object_turn_flag = 0;

// The activities themselves come with the item subsystem; the call is
// remembered for the repeat key.
void perform_activity(int code, int argument, const char* data) {
    note_stub_call("perform_activity");
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

void compact_map_objects() {}
int purge_map_objects() { return 0; }
void object_maintenance() { note_stub_call("object_maintenance"); }
void discard_items_command() { note_stub_call("discard_items_command"); }
void examine_carried_equipment() { note_stub_call("examine_carried_equipment"); }
void exchange_weapons() { note_stub_call("exchange_weapons"); }
void pick_up_command(int, int, int) { note_stub_call("pick_up_command"); }
void pick_from_command(int) { note_stub_call("pick_from_command"); }
void stop_hauling(int) { note_stub_call("stop_hauling"); }
int hauled_items_on_map() { return 0; }
int count_object_instances() { return 0; }
