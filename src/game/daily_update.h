// The daily update: once per game day, at the first turn from 8 o'clock on
// a new day of the month, everything that changes by days moves on.
#pragma once

// Runs the day change (the game loop calls it; it moves the day-change mark).
void start_new_day();

// The file in the character folder that gains one line a day.
constexpr const char* EQUIP_LOG_FILE = "EQUIP.DAT";
// Cause of death given for starvation.
constexpr int CAUSE_STARVATION = -101;

// Services of other parts of the game that the day change calls: the
// game's own by default (stubs until they are built; the side panel is
// connected by the screens). A null entry is skipped with a neutral answer;
// a test may set its own.
struct DailyServices {
    void (*rebuild_terrain_types)();           // seasonal terrain follows the date
    void (*rot_pack_food)();                   // food in the pack rots
    void (*age_map_items)(int days);           // objects on the local map age
    int (*areal_itemizer)();                   // timed preparations; 0 when absent
    void (*update_plant_patches)(int value);   // seasonal update of plant patches
    void (*purge_old_tracks)();
    void (*retire_stale_creature_records)();
    void (*remove_expired_quests)();
    void (*plr_die)();                         // the character dies (cause set first)
    void (*daily_wound_change)();
    void (*refresh_status_panel)();
    void (*roll_daily_human_presence)(int kind);
    // The day's changes of the creature in a slot of the creature table
    // whose map object was found on the current map.
    void (*creature_day)(int slot);
    void (*drop_expired_area_events)();
    void (*clear_daily_object_flags)();        // the daily flag of the map objects
};
DailyServices default_daily_services();
extern DailyServices daily_services;
