// Markers: a short summary of every world cell that has a stored local map,
// kept in one table of 10,000 records saved whole as "MARKER.DAT".
#pragma once

#include <cstddef>
#include <cstdint>

struct Marker {
    int16_t world_x;          // 0 = free record
    int16_t world_y;
    uint16_t last_visit;      // low 16 bits of days_played at the last leave
    uint8_t unused_6[2];
    uint8_t object_flags;     // 4 set traps, 2 nets set
    uint8_t structure_flags;  // 2 shelter, 4 own settlement, 8 kota framework
    uint16_t shelter_x;
    uint16_t shelter_y;
    uint8_t important;        // 100 once the settlement is abandoned
    uint8_t unused_15[96];
    uint8_t field_update[2];  // village subsystem
    uint8_t village_flags;    // MARK_PEOPLE_PENDING, MARK_CLAIM_PENDING
    uint8_t unused_114[2];
    int32_t village_id;       // 0 none
    uint8_t unused_120[24];
    int32_t stocked_day;      // last stocking with wild creatures
    int32_t zoomout_x;        // 1 + x within the cell at the last leave; 0 none
    int32_t zoomout_y;
};

constexpr int MARKER_COUNT = 10000;
constexpr long long MARKER_FILE_SIZE = 1560000;
constexpr long long AREA_EVENT_FILE_SIZE = 1440000;
constexpr int MARKER_NONE = -1;  // marker_slot on a full table

constexpr uint8_t MARK_TRAPS = 4, MARK_NETS = 2;
constexpr uint8_t MARK_SHELTER = 2, MARK_OWN_SETTLEMENT = 4, MARK_KOTA = 8;
// village_flags: the village's people are still to join it here; the land
// claim of the cell is still to run.
constexpr uint8_t MARK_PEOPLE_PENDING = 1, MARK_CLAIM_PENDING = 2;

extern Marker Markers[MARKER_COUNT];

// The record of the cell, else the first free one; MARKER_NONE when the
// table is full. The caller tells found from new by the record's x and y.
int marker_slot(int wx, int wy);
void delete_marker(int wx, int wy);
int count_markers();
// Days since the marker's last visit, counted modulo 65,536 like the field.
int marker_day_lag(const Marker& m, int days_played);

// Game load: markers from "MARKER.DAT" and the area records from
// "EXTRAMARKER.DAT"; missing or damaged files start empty.
void load_markers();
// Writes "MARKER.DAT" whole. False when it could not be written.
bool save_markers();
bool save_area_events();

int marker_last_visit_at(int x, int y);
int marker_zoomout_x_at(int x, int y);
int marker_zoomout_y_at(int x, int y);
