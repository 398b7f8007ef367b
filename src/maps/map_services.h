// Services of the maps that the objects and creatures of a local map ask
// for: the weather's past days, the world's wandering entries, the marks a
// loaded map sheds, places for world events and sending a creature off the
// map. Some are not built yet: neutral answers (see each). The world
// happenings among them live in maps/happenings.cpp.
#pragma once

// The mean day temperature over the weather history of the days `from` to
// `to` (clamped to 1..720) and the sum of their precipitation.
struct WeatherAverage {
    double temperature;
    int precipitation;
};
WeatherAverage weather_history_average(int from_day, int to_day);
// The world map's creature entries: those far from the player are dropped,
// new ones are stocked near the player while time passes there.
void drop_far_world_entries();
void stock_world_entries();
// A loaded local map sheds the marks whose time is over.
void drop_stale_marks();
// A world cell within 25 cells of the player with open ground (its x and y
// in world_cell_found_x, world_cell_found_y): 1 when found, else 0.
int random_world_cell_near_player();
extern int world_cell_found_x, world_cell_found_y;
// 1 when the creature was taken off the current map towards the world cell
// (its current task is done with).
int send_creature_off_map(int creature, int world_x, int world_y);

// A distant creature makes itself heard on the world map.
void hear_distant_creature();
// One pass of the local map's animal spawning.
void spawn_local_creatures();
// The important entries of the working local map for that age in days
// (listed in "zi_debug.txt"), and its extra entries in use (of 10,000).
int zoom_count_important(int age_days);
int zoom_extras_used();

// The temperature word of the weather report (its first mode).
const char* weather_temperature_word();
// The map border information, rebuilt after each step.
void rebuild_map_border();
// A random square of the local map's inner area fit for a creature of the
// mobility (open water for swimmers, plain ground for the rest), away from
// the player and out of view, in up to 10 tries; 1 with the square.
int random_spawn_spot(int* x, int* y, int mobility);
// Non-zero when the terrain of the world cell keeps the trap catch away.
int world_cell_rejects_trap_catch(int wx, int wy);
// The map view's scale box shows the current scale again (each hour). Not
// built yet: nothing.
void refresh_scale_box();
