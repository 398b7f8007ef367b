// The daily update.
#include "game/daily_update.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/platform.h"
#include "body/body_services.h"
#include "creatures/creature_services.h"
#include "game/death.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "society/quest_commands.h"
#include "work/work_services.h"

DailyServices default_daily_services() {
    DailyServices s{};
    s.rebuild_terrain_types = init_terrain_types;
    s.rot_pack_food = rot_pack_food;
    s.age_map_items = age_map_items;
    s.areal_itemizer = areal_itemizer;
    s.update_plant_patches = update_plant_patches;
    s.purge_old_tracks = purge_old_tracks;
    s.retire_stale_creature_records = retire_stale_creature_records;
    s.remove_expired_quests = remove_expired_quests;
    s.plr_die = plr_die;
    s.daily_wound_change = daily_wound_change;
    s.refresh_status_panel = [] { screen_hooks.refresh_status_panel(); };
    s.roll_daily_human_presence = roll_daily_human_presence;
    s.creature_day = creature_day;
    s.drop_expired_area_events = drop_expired_area_events;
    s.clear_daily_object_flags = clear_daily_object_flags;
    return s;
}
DailyServices daily_services = default_daily_services();

namespace {

constexpr uint8_t KIND_CREATURE = 4;
constexpr int CREATURE_SLOTS = 500;

template <class F, class... A>
void call(F f, A... args) {
    if (f) f(args...);
}

// Appends the forest-spirit standing as one line to the character's
// "EQUIP.DAT" (a daily trace of it).
void append_equip_line() {
    std::string path = std::string(character_name) + "/" + EQUIP_LOG_FILE;
    FILE* f = std::fopen(resolve_path_ci(path).c_str(), "ab");
    if (!f) {
        debug_log("!daily", "couldn't append to EQUIP.DAT");
        return;
    }
    std::fprintf(f, "%d\n", int(Plr.Methaltij));
    std::fclose(f);
}

}  // namespace

void start_new_day() {
    const DailyServices& s = daily_services;
    // 1. Seasonal terrain follows the date.
    call(s.rebuild_terrain_types);

    // 2. The day count and the daily counters.
    Plr.days_played += 1;
    std::memset(Plr.skill_rises_today, 0, sizeof Plr.skill_rises_today);
    std::memset(Plr.recent_offerings, 0, sizeof Plr.recent_offerings);

    // 3. Everything that ages by days.
    call(s.rot_pack_food);
    call(s.age_map_items, 1);
    const int prepared = s.areal_itemizer ? s.areal_itemizer() : 0;
    call(s.update_plant_patches, prepared);
    call(s.purge_old_tracks);
    call(s.retire_stale_creature_records);
    call(s.remove_expired_quests);

    // 4. Starvation.
    if (Plr.starvation > 99) {
        Plr.cause_of_death = CAUSE_STARVATION;
        call(s.plr_die);
        return;
    }

    // 5. The day is marked done.
    Plr.day_change_mark = Plr.day;
    Plr.second_day_counter += 1;

    // 6. Wounds, the panel, and people around.
    call(s.daily_wound_change);
    call(s.refresh_status_panel);
    call(s.roll_daily_human_presence, 0);

    // 7. The daily trace line.
    append_equip_line();

    // 8. The creatures of the current map catch up with the day.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != KIND_CREATURE) continue;
        const int slot = o.DATA - 1000;
        if (slot < 0 || slot >= CREATURE_SLOTS) continue;
        call(s.creature_day, slot);
    }

    // 9. Old area records and the daily object flags.
    call(s.drop_expired_area_events);
    call(s.clear_daily_object_flags);
}
