// Liquids and loose stuff in containers: a filled container is the record of
// its contents whose `contents` names the empty container it sits in. The
// player's fill, empty and pour commands, and the routines that take an
// amount or a length out of a carried container or a stored object.
#pragma once

#include <cstdint>

#include "objects/object_store.h"


// Fills a container from open water or milks the player's dairy animal into
// it (slot -1000: the player chooses the container).
void fill_command(int slot);
// Pours out what a container holds (slot -1000: the player chooses).
void empty_command(int slot);
// Pours or puts something into the target container (-1000: the player
// chooses); 0 when cancelled, 1 otherwise.
int Kaada_Astiaan(int target_slot);
