// The kinds of map objects: what each `TYPE` code of a MapObject means and
// which fields that kind uses. Every piece of code that makes, reads or
// changes a map object names its kind and its fields through this file.
//
// Field meanings that differ from the plain names of MapObject are given
// as small accessors below (a track's gait flags live in `ref`, a spirit's
// mood too, a trap's setting quality in `amount` ...).
#pragma once

#include <cstdint>

#include "objects/map_object_table.h"

enum MapKind : uint8_t {
    // Never used since the table was last packed or cleared; the first one
    // ends the used part of the table.
    MK_UNUSED = 0,
    // An item on the ground: `DATA` object id, `amount` count, `ref` who
    // holds it (MAP_REF_HAULED_BY_PLAYER, a creature key, MAP_REF_CLAIMED),
    // `state` MAP_STATE_OVER_FIRE or MAP_STATE_HAULED.
    MK_ITEM = 1,
    // A living creature; its square is the creature's. `DATA` the creature
    // reference (CREATURE_REF_BASE + slot on the current map, the creature's
    // permanent identity in a stored map).
    MK_CREATURE = 4,
    // Food being dried, salted or smoked: `DATA` object id, `amount`
    // pieces, `expire_day` / `expire_minute` ready, `ref` the `sotu` of the
    // tending creature, `subkind` MAP_SUBKIND_SMOKING for a smoking batch
    // (then `day_stamp` counts its smoke minutes).
    MK_PREPARATION = 6,
    // A single object drawn once whatever its count: `DATA` object id
    // (freed at map load when 0).
    MK_LONE_OBJECT = 7,
    // A burning fire: `amount` fuel minutes, `DATA` total minutes burnt,
    // `expire_minute` burn-out minute, `time_stamp` lit, `day_stamp` lit day.
    MK_FIRE = 8,
    // A plant patch (field or wild plant) in season: `DATA` the plant's
    // object, `day_stamp` the day from which it counts as present.
    MK_PLANT_PATCH = 9,
    // A track: see track_gait, track_sotu, track_strength and
    // track_direction; `amount` passes counted on the square (on the world
    // map the turns left), `DATA` the creature kind, `day_stamp` the day laid
    // or renewed, `time_stamp` the minute laid.
    MK_TRACK = 10,
    // A creature entry of the world map: `DATA` a template kind code (500 a
    // human group, 551, a species) or a creature reference, `ref` 500 for a
    // human group, `amount` turns left (0 lasting), `subkind`
    // MAP_SUBKIND_SPENT_ENTRY, `time_stamp` when it was made.
    MK_WORLD_CREATURE = 11,
    // A thing that occupies its square; on the world map the player's own
    // map marker (`DATA` its colour code 2-5, `amount` 1).
    MK_MARKER = 13,
    // A trap: `DATA` a construction's kind code (TRAP_FIRST_CONSTRUCTION ..
    // TRAP_LAST_CONSTRUCTION) or a single trap item's object id, `subkind`
    // TRAP_SINGLE_ITEM and TRAP_OPTION, `amount` the setting quality 0-3
    // (trap_quality), `state` TRAP_SET, TRAP_SPRUNG_WITH_CATCH or
    // TRAP_SPRUNG.
    MK_TRAP = 27,
    // A fishing net set in water: `DATA` the net object, `amount` 1,
    // `subkind` the grade of the setting roll, `day_stamp` the day it was
    // set, `expire_minute` the minute it was set.
    MK_NET = 28,
    // An ant nest.
    MK_ANT_NEST = 29,
    // A freed record; any placement may take it.
    MK_FREED = 33,
    // A dead creature: `DATA` the creature reference.
    MK_CARCASS = 52,
    // A timed mark beside a dead creature: `DATA` the day it was made.
    MK_CARCASS_MARK = 53,
    // A plant mark: `subkind` PLANT_MARK_YOUNG_TREE (and the picked bit).
    MK_PLANT_MARK = 64,
    // A dormant plant patch.
    MK_DORMANT_PLANT = 65,
    // Things that occupy their square (a harvested plant patch for 66).
    MK_OCCUPIER_66 = 66,
    MK_OCCUPIER_96 = 96,
    MK_OCCUPIER_97 = 97,
    // An old dead creature (a carcass whose mark expired), and an entry
    // taken onto the party stack; both are removed by `mapfix` at the next
    // load of their map.
    MK_GONE = 88,
    // A refreezing ice hole: `amount` the ice thickness.
    MK_REFREEZING_HOLE = 93,
    // An open ice hole.
    MK_ICE_HOLE = 94,
    // A fire site left by a burnt-out fire: the fire's `DATA`, `amount`,
    // `expire_minute` and `day_stamp` (read by the body-heat code).
    MK_FIRE_SITE = 98,
    // A blood mark: `DATA` 1, `amount` the day it was made; marks of equal
    // `DATA` on a square stack.
    MK_BLOOD = 99,
    // A party-stack entry put down with its count.
    MK_PARTY_ENTRY = 111,
    // A creature waiting on a square to join the party stack (it travels as
    // a creature): `DATA` its reference.
    MK_PARTY_CREATURE = 112,
    // A storage place: `DATA` its kind.
    MK_STORAGE = 113,
    // A held creature: `DATA` the creature's `sotu`.
    MK_HELD_CREATURE = 117,
    // A spirit entry (local maps only): `DATA` the spirit kind (700, 701,
    // 702), spirit_mood, spirit_appear_day, `time_stamp` when last stirred,
    // `state` 1 once stirred.
    MK_SPIRIT = 118,
    // A mark left when a structure is built, and buried goods (`DATA` the
    // object, `amount` the count, `subkind` 0 turns into an item when its pit
    // is finished).
    MK_STRUCTURE_MARK = 119,
    // Building work: `DATA` the terrain code being built, `expire_minute`
    // the minutes needed, `time_stamp` the minutes spent.
    MK_BUILDING_WORK = 126,
    // An item set aside by a work task: `DATA` object id, `amount` count,
    // `subkind` the task's mark, `expire_minute` when due. Equal ones merge
    // when inserted; it occupies its square only with the debug switch on.
    MK_SET_ASIDE = 127,
};

// ------------------------------------------------------------ shared fields

// `ref` of an item that the player hauls (its `state` is MAP_STATE_HAULED).
constexpr int16_t MAP_REF_HAULED_BY_PLAYER = -1;
// `ref` of an item that the player put down or claimed.
constexpr int16_t MAP_REF_CLAIMED = 22222;
// `state` values of items.
constexpr uint8_t MAP_STATE_OVER_FIRE = 1;  // processed over a fire until `time_stamp`
constexpr uint8_t MAP_STATE_HAULED = 4;
// `DATA` of a creature or carcass on the current map: this + its `Cre` slot.
constexpr int32_t CREATURE_REF_BASE = 1000;
// `subkind` of a smoking batch (kind 6).
constexpr uint8_t MAP_SUBKIND_SMOKING = 123;
// `subkind` of a spent world-map creature entry (kind 11); `ref` of a
// human group.
constexpr uint8_t MAP_SUBKIND_SPENT_ENTRY = 2;
constexpr int16_t MAP_REF_HUMAN_GROUP = 500;

// ------------------------------------------------------------ plant marks

// `subkind` bit of a plant mark on a young tree.
constexpr uint8_t PLANT_MARK_YOUNG_TREE = 0x08;

// ------------------------------------------------------------ traps

constexpr int32_t TRAP_FIRST_CONSTRUCTION = 392;
constexpr int32_t TRAP_LAST_CONSTRUCTION = 397;
// The two trap pits (396 plain, 397 with stakes).
constexpr int32_t TRAP_PIT = 396;
constexpr int32_t TRAP_STAKE_PIT = 397;
// `subkind` bits.
constexpr uint8_t TRAP_SINGLE_ITEM = 0x2;
constexpr uint8_t TRAP_OPTION = 0x4;
// `state` values.
constexpr uint8_t TRAP_SPRUNG = 0;
constexpr uint8_t TRAP_SET = 100;
constexpr uint8_t TRAP_SPRUNG_WITH_CATCH = 101;

inline int trap_quality(const MapObject& o) { return o.amount; }

// ------------------------------------------------------------ tracks

// Gait flags of a track, kept in `ref`.
constexpr uint16_t TRACK_RUNNING = 0x2;
constexpr uint16_t TRACK_FAINT = 0x4;
constexpr uint16_t TRACK_LIMPING = 0x8;
constexpr uint16_t TRACK_SMALL = 0x10;
constexpr uint16_t TRACK_BIG = 0x20;
constexpr uint16_t TRACK_SPECIAL = 0x40;
// `subkind` of a track: the direction 0-7 in the low bits, and these.
constexpr uint8_t TRACK_DIRECTION_MASK = 0x07;
constexpr uint8_t TRACK_NUMEROUS = 0x20;
constexpr uint8_t TRACK_MIXED = 0x40;
constexpr uint8_t TRACK_UNNOTICED = 0x80;

inline uint16_t track_gait(const MapObject& o) { return uint16_t(o.ref); }
inline void set_track_gait(MapObject& o, uint16_t flags) { o.ref = int16_t(flags); }
// The permanent identity of the creature that left the track.
inline uint32_t track_sotu(const MapObject& o) { return o.expire_minute; }
inline uint8_t& track_strength(MapObject& o) { return o.state; }
inline uint8_t track_strength(const MapObject& o) { return o.state; }
inline int track_direction(const MapObject& o) { return o.subkind & TRACK_DIRECTION_MASK; }

// ------------------------------------------------------------ spirits

// A spirit entry's mood (-100..100) is kept in `ref`, the day of its last
// apparition in `day_stamp`.
inline int spirit_mood(const MapObject& o) { return o.ref; }
inline void set_spirit_mood(MapObject& o, int mood) { o.ref = int16_t(mood); }
inline int spirit_appear_day(const MapObject& o) { return o.day_stamp; }

// ------------------------------------------------------------ kinds

inline bool map_kind_is_used(uint8_t kind) { return kind != MK_UNUSED && kind != MK_FREED; }
