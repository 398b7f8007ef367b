// Digging a pit with a shovel, or filling one up. The work may be broken
// off and continued: a building-work record (kind 126, structure 21) keeps
// the minutes needed and spent at the square.
#include "objects/shovel.h"

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_condition.h"
#include "body/skills.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/map_view.h"
#include "objects/activities.h"
#include "objects/map_kinds.h"
#include "objects/map_marks.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/building.h"
#include "work/work_services.h"

namespace {

constexpr int STRUCTURE_PIT = 21;
constexpr uint8_t TERRAIN_PIT = 21, TERRAIN_GROUND = 250;
constexpr int KIND_SHOVEL = 310;
constexpr int EXERTION_DIGGING = 6;
constexpr int SHOVEL_BODY_FLAGS = 5, SHOVEL_BODY_DIFFICULTY = 6;
constexpr uint8_t COVER_LOW_BITS = 0x07;

// The square's work record of any structure; -1 when none.
int work_record_at(int x, int y) {
    for (int i = MAP_OBJECT_COUNT - 1; i >= 0; --i)
        if (Data[i].TYPE == MK_BUILDING_WORK && Data[i].x == x && Data[i].y == y) return i;
    return -1;
}

// Hidden things at the bottom come to light; the number found.
int reveal_buried_items(int x, int y) {
    int found = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE != MK_STRUCTURE_MARK || o.x != x || o.y != y || o.subkind != 0) continue;
        o.TYPE = MK_ITEM;
        ++found;
    }
    return found;
}

}  // namespace

int ground_frost_class(double mean_temperature) {
    if (mean_temperature < 0.0) return GROUND_FROZEN;
    if (mean_temperature <= 3.0) return GROUND_FROSTY;
    return GROUND_SOFT;
}

int dig_work_minutes(int strength, int shovel_kind, int frost_class) {
    // A weak digger takes longer; never less than ten minutes however strong.
    int base = (48 - strength) * 3;
    if (base < 10) base = 10;
    int minutes = scale_work_time_by_skill(base, shovel_kind == KIND_SHOVEL ? 100 : 30);
    if (frost_class == GROUND_FROSTY) minutes = int(minutes * 1.5);
    return minutes;
}

int applyShovel(int shovel_id) {
    if (wilderness_refusal()) return 0;
    if (check_physical_requirements(-1, SHOVEL_BODY_FLAGS, SHOVEL_BODY_DIFFICULTY, "use a shovel")) return 0;
    ObjectRecord shovel;
    obj_record(shovel_id, shovel);

    const int today = (Plr.month - 1) * 30 + Plr.day;
    const int frost = ground_frost_class(weather_history_average(today - 14, today).temperature);
    if (frost == GROUND_FROZEN) {
        show_message("!The ground is frozen and impossible to dig!");
        return 0;
    }
    if (frost == GROUND_FROSTY) show_message("!The ground is frosty and hard to dig.");

    if (!screen_hooks.choose_open_location || !screen_hooks.choose_open_location("where to dig a pit")) return 0;
    const int x = target_x, y = target_y;
    char line[300];
    format_text(line, sizeof line, "applyShovel(%d) -> %d,%d", shovel_id, x, y);
    debug_log("shovel", line);

    if (ground_diggable_at(x, y) != 1) {
        char ground[200];
        cell_description_text(x, y, ground, sizeof ground);
        format_text(line, sizeof line, "!That's not possible because the ground is %s!",
                    lower_case_copy(ground));
        show_message(line);
        return 0;
    }
    const bool filling = terrain_at(x, y) == TERRAIN_PIT;

    const int record = work_record_at(x, y);
    int minutes_spent_before = 0;
    int minutes = 0;
    if (record < 0) {
        show_message(filling ? "#You start filling up the pit." : "#You start digging a pit.");
    } else if (Data[record].DATA != STRUCTURE_PIT) {
        format_text(line, sizeof line, "!Not possible! There's %s.", construction_stage_text(record));
        show_message(line);
        return 0;
    } else {
        show_message(fill_message_format(line, sizeof line, message_by_key("BIY_CONTINUE"),
                                         {construction_stage_text(record)}));
        if (filling) show_message("#You continue filling up the pit.");
        minutes = work_time_left(record);
        minutes_spent_before = work_time_spent(record);
    }
    const int needed = record < 0 ? dig_work_minutes(Plr.str, shovel.kind, frost) : minutes + minutes_spent_before;
    if (record < 0) minutes = needed;
    Plr.exertion = EXERTION_DIGGING;

    const int progress = needed > 0 ? minutes_spent_before * 100 / needed : 0;
    const int32_t started = Plr.total_minutes;
    const int done = spend_time_on_task(0, minutes, filling ? "FILLING UP THE PIT" : "DIGGING", progress,
                                        TASK_LONG_RESUMABLE);
    if (!done) {
        // The work done so far stays only when the task may be taken up again.
        if (!task_resumable) return 0;
        int spent_now = Plr.total_minutes - started;
        if (spent_now < 0) spent_now = 0;
        if (spent_now > minutes) spent_now = minutes;
        const int kept = work_record_at(x, y);
        if (kept < 0)
            build_pause(x, y, STRUCTURE_PIT, minutes_spent_before + spent_now, needed);
        else
            Data[kept].time_stamp += spent_now;
        return 0;
    }

    free_kind126_objects_at(x, y);
    if (filling) {
        set_terrain_at(x, y, TERRAIN_GROUND);
        show_message(":@You filled up the pit.");
        return 0;
    }
    cover_layer[map_index(x, y)] &= uint8_t(~COVER_LOW_BITS);
    set_terrain_at(x, y, TERRAIN_PIT);
    show_message(":@You managed to dig a pit.");
    if (reveal_buried_items(x, y) > 0) show_message("+You find some buried items at the bottom of the pit!");
    return 1;
}
