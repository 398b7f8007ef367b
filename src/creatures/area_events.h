// Where animals and human groups have been met: circles on the world map
// with a kind, a count and a span of days (the AreaEvent table of
// creatures/creature_services.h). Kills add animal records, groups met add
// group records, the day change drops the expired ones, and the choice of
// the animals an encounter brings looks them up.
#pragma once

#include <cstdint>

struct AreaEvent;

constexpr int AREA_ANIMALS = 1;
constexpr int AREA_HUMAN_GROUP = 2;
constexpr int AREA_RADIUS = 100;
constexpr int AREA_ANIMAL_DAYS = 30;
constexpr int AREA_GROUP_DAYS = 10;

// Adds a record, or merges it into a record of the same type and key whose
// centre lies closer than the new radius: the merged record keeps the
// earlier first day and the later last day and adds the counts. Animal and
// group records merge into the first such record only; records of any other
// type merge into every one and are written as well. A new record takes the
// first free slot, or in a full table the slot of the smallest first day
// (the lowest among equals). The slot written or merged into last.
int add_area_event(int type, int x, int y, int radius, int first_day, int last_day, int key, int count,
                   const int32_t* reserved = nullptr);
// A kill of the kind at the player's world position, remembered 30 days.
void add_animal_area_event(int kind);
// A group of the kind met at the player's world position, for 10 days.
void add_group_area_record(int kind);
// A copy of the first record of the type and key whose radius covers the
// world cell (|dx| + |dy| below it); an all-zero record when none does.
void find_area_event(int x, int y, AreaEvent& out, int type, int key);
// Clears the records whose last day lies before today.
void drop_expired_area_events();
