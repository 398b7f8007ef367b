// Markers: the summaries of the world cells that have stored local maps.
#include "maps/markers.h"

#include <cstring>

#include "maps/map_layers.h"
#include "maps/world_files.h"
#include "base/debug_log.h"
#include "game/player.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "body/body_services.h"
#include "console/console.h"
#include "creatures/creature_services.h"
#include "objects/map_object_table.h"
#include "society/game_course.h"

KSM_RECORD(Marker, 156);
KSM_OFFSET(Marker, world_y, 2);
KSM_OFFSET(Marker, last_visit, 4);
KSM_OFFSET(Marker, object_flags, 8);
KSM_OFFSET(Marker, structure_flags, 9);
KSM_OFFSET(Marker, shelter_x, 10);
KSM_OFFSET(Marker, shelter_y, 12);
KSM_OFFSET(Marker, important, 14);
KSM_OFFSET(Marker, field_update, 111);
KSM_OFFSET(Marker, village_flags, 113);
KSM_OFFSET(Marker, village_id, 116);
KSM_OFFSET(Marker, stocked_day, 144);
KSM_OFFSET(Marker, zoomout_x, 148);
KSM_OFFSET(Marker, zoomout_y, 152);

static_assert(sizeof(Marker) * MARKER_COUNT == MARKER_FILE_SIZE);

Marker Markers[MARKER_COUNT];

int marker_slot(int wx, int wy) {
    const int16_t x = int16_t(wx), y = int16_t(wy);
    int free_slot = MARKER_NONE;
    for (int i = 0; i < MARKER_COUNT; ++i) {
        if (Markers[i].world_x == x && Markers[i].world_y == y) return i;
        if (free_slot == MARKER_NONE && Markers[i].world_x == 0) free_slot = i;
    }
    return free_slot;
}

void delete_marker(int wx, int wy) {
    const int16_t x = int16_t(wx), y = int16_t(wy);
    for (Marker& m : Markers) {
        if (m.world_x == x && m.world_y == y) std::memset(&m, 0, sizeof m);
    }
}

int count_markers() {
    int n = 0;
    for (const Marker& m : Markers) {
        if (m.world_x != 0 && m.world_y != 0) ++n;
    }
    return n;
}

int marker_day_lag(const Marker& m, int days_played) {
    if (m.last_visit == 0) return 0;
    return uint16_t(uint32_t(days_played) - m.last_visit);
}

namespace {

// Reads a table file of exactly `size` bytes into `table`. A missing file
// that its save never listed is created with zeros. A damaged one (or a
// missing one its save listed) is taken from its previous copy when that
// is whole; otherwise the table starts empty and the player is told. A
// damaged file is left on the disk for the next save to replace.
void load_table_file(const char* name, void* table, long long size) {
    std::memset(table, 0, size_t(size));
    SaveSetEntry e;
    const bool listed = save_set_entry(name, e) && (e.flags & SET_SUM);
    const GuardedRead r = read_guarded(name, nullptr, table, size_t(size));
    char text[300];
    if (r.found()) {
        if (r.restored()) {
            format_text(text, sizeof text, "!%s was %s; it was taken from the save before.", name,
                        verdict_words(r.verdict));
            tell_player(text);
            debug_log("!maps", text);
            repair_character_file(name, table, size_t(size));
        }
        return;
    }
    std::memset(table, 0, size_t(size));
    if (r.verdict == FileVerdict::Missing && !listed) {
        if (!write_character_file(name, table, size_t(size))) {
            format_text(text, sizeof text, "!Could not create %s.", name);
            show_message(text);
        }
        return;
    }
    format_text(text, sizeof text, "!%s is %s and has no whole earlier copy; starting it empty.", name,
                verdict_words(r.verdict));
    tell_player(text);
    debug_log("!maps", text);
}

}  // namespace

void load_markers() {
    std::memset(Markers, 0, sizeof Markers);
    if (Plr.plr_version < 312) {
        // Records of older formats start with an empty table.
        write_character_file("MARKER.DAT", Markers, sizeof Markers);
    }
    load_table_file("MARKER.DAT", Markers, MARKER_FILE_SIZE);
    load_table_file("EXTRAMARKER.DAT", AreaEvents, AREA_EVENT_FILE_SIZE);
}

bool save_markers() { return write_character_file("MARKER.DAT", Markers, sizeof Markers); }

bool save_area_events() { return write_character_file("EXTRAMARKER.DAT", AreaEvents, size_t(AREA_EVENT_FILE_SIZE)); }

namespace {
// The marker of the world cell under a position of the current map, or
// nullptr when the cell has none.
const Marker* marker_under(int x, int y) {
    const int wx = world_x_of(x), wy = world_y_of(y);
    const int slot = marker_slot(wx, wy);
    if (slot == MARKER_NONE) return nullptr;
    const Marker& m = Markers[slot];
    if (m.world_x != int16_t(wx) || m.world_y != int16_t(wy) || m.world_x == 0) return nullptr;
    return &m;
}
}  // namespace

int marker_last_visit_at(int x, int y) {
    if (is_world_map()) return world_last_visit_day;
    const Marker* m = marker_under(x, y);
    if (!m || m->last_visit == 0) return Plr.days_played;
    return m->last_visit;
}

int marker_zoomout_x_at(int x, int y) {
    const Marker* m = marker_under(x, y);
    return m ? m->zoomout_x : 0;
}

int marker_zoomout_y_at(int x, int y) {
    const Marker* m = marker_under(x, y);
    return m ? m->zoomout_y : 0;
}
