// Liquids and loose stuff in containers: a filled container is the record of
// its contents whose `contents` names the empty container it sits in. The
// player's fill, empty and pour commands, and the routines that take an
// amount or a length out of a carried container or a stored object.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// What counts as used up: a container left with this much or less is empty
// (0.05 lb; 0.001 lb for fine powder).
float used_up_threshold(const ObjectRecord& record);
// A container by kind (331, 350, 351) or by class.
bool is_container_record(const ObjectRecord& record);
// Copies the ownership fields (and the day count kept beside them).
void obj_copy_ownership(const ObjectRecord& from, ObjectRecord& to);
// Moves an item debt of one from the old object to the new.
void move_item_debt(int32_t village, int old_id, int new_id);
// Takes an amount off a stored object: the id of the lowered record, the id
// itself for an empty container, 0 when nothing is left.
int obj_reduce_amount(int object_id, float amount);

// Fills a container from open water or milks the player's dairy animal into
// it (slot -1000: the player chooses the container).
void fill_command(int slot);
// Pours out what a container holds (slot -1000: the player chooses).
void empty_command(int slot);
// Pours or puts something into the target container (-1000: the player
// chooses); 0 when cancelled, 1 otherwise.
int Kaada_Astiaan(int target_slot);
// Its work once the source is chosen: what the source slot holds goes into
// the target (-1000: the player chooses), as much as there is room for.
int pour_into(int source_slot, int target_slot);
