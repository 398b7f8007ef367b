// Building and deconstruction: the work records of paused constructions
// (kind 126: structure in DATA, minutes needed in expire_minute, minutes
// spent in time_stamp) are kept here; the building itself is not built yet.
#include "work/building.h"

#include <cmath>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "work/work_services.h"

namespace {

const char* stage_word(int share) {
    if (share > 80) return "finishing";
    if (share > 60) return "semi-finished";
    if (share > 40) return "half-finished";
    if (share > 20) return "partially built";
    return "initially prepared";
}

}  // namespace

const char* construction_stage_text(int index) {
    char* out = next_ring_text();
    if (!map_index_valid(index) || Data[index].TYPE != MK_BUILDING_WORK) return out;
    const MapObject& o = Data[index];
    const int needed = int(o.expire_minute);
    int share = needed > 0 ? int(std::ceil(double(o.time_stamp) * 100.0 / needed)) : 100;
    if (share > 100) share = 100;
    format_text(out, TEXT_RING_BYTES, "%s %s (under construction)", stage_word(share),
                lower_case_copy(terrain_name(o.DATA & 0xFF)));
    return out;
}

int deconstruct_structure(int x, int y, int worker) {
    (void)x;
    (void)y;
    (void)worker;
    KSM_STUB("deconstruct_structure");
    return 0;
}

void free_kind126_objects_at(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_BUILDING_WORK && Data[i].x == x && Data[i].y == y) free_map_object(i);
}

void build_pause(int x, int y, int structure, int minutes_done, int minutes_needed) {
    char line[80];
    format_text(line, sizeof line, "build_pause (%d,%d) - mc: %d", x, y, structure);
    debug_log("building", line);
    format_text(line, sizeof line, "rakennusaika %d/%d", minutes_done, minutes_needed);
    debug_log("building", line);
    free_kind126_objects_at(x, y);
    const int i = put_object_on_map(MK_BUILDING_WORK, x, y, structure, 1);
    if (i == MAP_NO_RECORD) return;
    Data[i].expire_minute = uint32_t(minutes_needed < 0 ? 0 : minutes_needed);
    Data[i].time_stamp = minutes_done;
}
