// Item and activity commands. Not built yet: each notes its call (for the
// developer's trace) and gives a neutral answer.
#include "objects/item_commands.h"

#include "base/stubs.h"
#include "console/console.h"
#include "maps/map_layers.h"
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

void obj_maintenance() { KSM_STUB("obj_maintenance"); }
void discard_items_command() { KSM_STUB("discard_items_command"); }
void examine_carried_equipment() { KSM_STUB("examine_carried_equipment"); }
void exchange_weapons() { KSM_STUB("exchange_weapons"); }
void pick_up_command(int, int, int) { KSM_STUB("pick_up_command"); }
void pick_from_command(int) { KSM_STUB("pick_from_command"); }
void stop_hauling(int) { KSM_STUB("stop_hauling"); }
int hauled_items_on_map() { KSM_STUB("hauled_items_on_map"); return 0; }

// ---------------------------------------------------- hands, names, weights

#include <cmath>
#include <cstring>

#include "objects/object_store.h"
#include "base/config.h"
#include "base/platform.h"
#include "base/text_ring.h"

// Not built yet: nothing is wielded until the equipment comes with the
// objects subsystem.
int cre_wielded_item(int creature, int hand) { KSM_STUB("cre_wielded_item"); return 0; }

// Not built yet: the record's own name stands for the full display name
// until the names with measures come with the objects subsystem.
char* obj_name_with_unit(int id, int count, int flags) { KSM_STUB("obj_name_with_unit");
    if (!obj_id_is_valid(id)) return ring_copy("");
    ObjectRecord r;
    obj_record(id, r);
    char name[sizeof r.name + 1];
    copy_field(name, sizeof name, r.name, sizeof r.name);
    return ring_copy(name);
}

char* length_text(int flags, double feet) {
    const bool metric = std::strcmp(ini_get_string("UNITS", ""), "METRIC") == 0;
    const double value = metric ? feet / 3.0 : feet;
    char* out = next_ring_text();
    if (flags & 4) {
        copy_text(out, TEXT_RING_BYTES, metric ? "m" : "ft");
        return out;
    }
    const int precision = units_precision_from(ini_get_string("UNITS_PRECISION", "1"));
    const double whole = std::floor(value);
    const double fraction = value - whole;
    char number[64];
    bool small = false;
    if (flags & 8) {
        small = true;
        format_text(number, sizeof number, "%.0f", value * (metric ? 100.0 : 12.0));
    } else if (whole == 0.0 && fraction < 0.1) {
        // Under a tenth: inches or centimetres.
        small = true;
        const double part = fraction * (metric ? 100.0 : 12.0);
        if (metric || fraction <= 0.02) format_text(number, sizeof number, "%.0f", part);
        else format_text(number, sizeof number, precision == 2 ? "%.2f" : "%.1f", part);
    } else if ((whole != 0.0 && fraction <= 0.01) || (flags & 1)) {
        format_text(number, sizeof number, "%.0f", value);
    } else {
        format_text(number, sizeof number, precision == 2 ? "%.2f" : "%.1f", value);
    }
    if (flags & 2) copy_text(out, TEXT_RING_BYTES, number);
    else format_text(out, TEXT_RING_BYTES, "%s %s", number, small ? (metric ? "cm" : "in") : (metric ? "m" : "ft"));
    return out;
}

char* weight_text(int flags, double pounds) {
    const bool metric = std::strcmp(ini_get_string("UNITS", ""), "METRIC") == 0;
    const char* unit = metric ? "kg" : "lb";
    const double value = metric ? pounds * 454.0 / 1000.0 : pounds;
    char* out = next_ring_text();
    if (flags & 4) copy_text(out, TEXT_RING_BYTES, unit);
    else {
        int precision = units_precision_from(ini_get_string("UNITS_PRECISION", "1"));
        if (precision < 0 || precision > 2) precision = 1;
        char number[64];
        format_text(number, sizeof number, "%.*f", precision, value);
        if (flags & 16) copy_text(out, TEXT_RING_BYTES, number);
        else format_text(out, TEXT_RING_BYTES, "%s %s", number, unit);
    }
    return out;
}
