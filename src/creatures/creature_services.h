// Services of the creature subsystem that the map code asks for. The
// creature table itself comes with the creature subsystem; until then these
// give neutral answers (see each).
#pragma once

#include <cstdint>

// One animal population or human group in an area (type, place, radius,
// days, species, count); 10,000 of them are kept in "EXTRAMARKER.DAT".
// The fields are the creature subsystem's; the map code only loads and
// saves the table whole.
struct AreaEvent {
    uint8_t raw[144];
};
static_assert(sizeof(AreaEvent) == 144, "AreaEvent is 144 bytes");
constexpr int AREA_EVENT_COUNT = 10000;
extern AreaEvent AreaEvents[AREA_EVENT_COUNT];

// 1 when the square is water that is not frozen or holds an open ice hole.
int is_open_water_at(int x, int y);
// Heading 0..7 of a creature slot, the player's for -1.
int creature_facing(int creature);
// The type code of the creature in a slot; -1 for an empty slot.
int creature_kind(int creature);
// The weight in pounds of the creature named by a world-map entry's data
// (a template kind code or a creature reference); 0 when unknown.
int world_entry_weight(int data);
