#include "maps/map_services.h"

#include "base/stubs.h"
#include "maps/local_store.h"

// Not built yet: no history is averaged; 0 degrees and no precipitation.
WeatherAverage weather_history_average(int from_day, int to_day) {
    KSM_STUB("weather_history_average");
    return WeatherAverage{0.0, 0};
}
// The creature goes to the stored map of its home cell; it stays when the
// cell has no stored map or its record could not be written.
int send_creature_off_map(int creature, int world_x, int world_y) {
    return zoom_move_creature_to_stored(creature, world_x, world_y);
}

// Not built yet: the working local map reports no entries.
int zoom_count_important(int) {
    KSM_STUB("zoom_count_important");
    return 0;
}
int zoom_extras_used() {
    KSM_STUB("zoom_extras_used");
    return 0;
}

// Not built yet: no temperature word, no border, and no world cell keeps
// the trap catch away.
const char* weather_temperature_word() { KSM_STUB("weather_temperature_word"); return ""; }
void rebuild_map_border() { KSM_STUB("rebuild_map_border"); }
int world_cell_rejects_trap_catch(int, int) { KSM_STUB("world_cell_rejects_trap_catch"); return 0; }
void refresh_scale_box() { KSM_STUB("refresh_scale_box"); }
