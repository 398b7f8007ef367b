// What a creature does, told as seen or heard (cre_action_message:
// creatures/creature_errands.h).
#pragma once

#include <cstdint>

#include "ui/catalogue.h"

// A hearing range that the next cre_action_message uses in place of its
// own (0 none); every call clears it.
extern int32_t forced_hearing_range;

// The creature last spoken of: the one the catalogue's creature variables
// name.
inline int32_t& last_creature = msg_npc;
