// Using carried things: the apply command and its handlers, leading and
// tying animals on a leash, and digging pits with a shovel.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

// "a": the player applies a carried item; what the handler answers.
int apply_command();
