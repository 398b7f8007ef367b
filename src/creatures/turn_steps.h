// Small steps the people's, animals' and spirits' turns share: putting a
// task into the first free slot of the queue, nearness, and the record
// fields these turns name by their use.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "creatures/creature_record.h"

// Mobility and classes the turns tell apart.
constexpr uint8_t MOBILITY_FLYER = 64;
constexpr uint8_t MOBILITY_DIVER = 128;
constexpr uint8_t CRE_CLASS_BIRD = 21;
constexpr uint8_t CRE_CLASS_WATER_BODY = 24;

// Fields read under the names of their use in the turns.
inline uint8_t& activity_schedule(CreatureRecord& c) { return c.activity; }
inline uint8_t& sound_flags(CreatureRecord& c) { return c.sound_kind; }
inline int32_t& lure_state(CreatureRecord& c) { return c.spirit_value; }
inline uint8_t& seen_flags(CreatureRecord& c) { return c.social_bits; }
inline uint32_t& status_bits(CreatureRecord& c) { return c.life_bits; }
inline int16_t& spirit_origin_x(CreatureRecord& c) { return c.target_dx; }
inline int16_t& spirit_origin_y(CreatureRecord& c) { return c.target_dy; }

inline int chebyshev_distance(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// Puts the task into the first free of the ten slots, state 0 and the
// targets given; false when the queue is full.
bool queue_task(int creature, int code, int turns, int x = 0, int y = 0, int target = 0);
// A wander (task 1) or a wait (task 2, through push_task) of base + a draw
// below spread turns.
void queue_wander(int creature, int base, int spread);
void queue_wait(int creature, int base, int spread);
// The queue holds any task.
bool has_task(int creature);
// The month after m (12 is followed by 1).
inline int next_month(int m) { return m >= 12 ? 1 : m + 1; }
// Month m within from..to, the range wrapping over the new year (11..2).
inline bool month_within(int m, int from, int to) {
    return from <= to ? (m >= from && m <= to) : (m >= from || m <= to);
}
