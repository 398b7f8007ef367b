// Single records of the map-object table that carry something over time:
// the plant marks that remember picked plants and young trees, the timed
// records of building work and of food being prepared with the phrases
// that tell how long they last, and what becomes of a thrown item and of
// the items on a square that turns out to be ice, water, bog, a pine, a
// trap or a fire site (settle_items_at, objects/map_object_table.h).
#pragma once

#include <cstdint>

// `subkind` bit of a picked plant's mark (the young-tree bit:
// PLANT_MARK_YOUNG_TREE, objects/map_kinds.h).
constexpr uint8_t PLANT_MARK_PICKED = 0x04;

// The plant mark (kind 64) at the square, made when there is none: its
// index, or MAP_NO_RECORD when none could be made.
int add_plant_mark(int x, int y);
// The same, marked picked.
int mark_plant_picked(int x, int y);
// 1 when the square's plant mark says picked.
int is_plant_picked(int x, int y);

// Building work and preparations by record index: the minutes spent, and
// those left (0 for an index outside the table).
int work_time_spent(int i);
int work_time_left(int i);
// "for an hour", "till late evening" ... (ring text).
const char* remaining_time_phrase(int i);
// "shortly", "by noon", "tomorrow", "after 3 days" ... (a buffer of its
// own, valid until the next call).
const char* ready_time_phrase(int i);
// 1 when the preparation at record i is due and its tender (if it still
// stands on the map) is awake and able.
int is_preparation_done(int i);
// The preparation becomes an item again; a smoking batch that had too
// little smoke spoils, wholly or in part. The record's object id.
int finish_food_preparation(int i);
// Tells of every preparation at the square ("CANT_PICK_PREPARING"): their
// number.
int report_preparing_at(int x, int y);

// A thrown item lands at (x, y): an obstacle throws it back to a square
// beside it, it is put down there and the square settles it. An item for
// which the map has no record goes back to the player.
void aseta_heitetty_esine(int x, int y, int object_id);
