// The player's combat commands. Not built yet: neutral answers. (The skill
// command is plr_use_skill_command, body/skills.h.)
#pragma once

#include <cstdint>

#include "body/body_condition.h"

// The creature the player fights this turn; -1 none (set every command).
extern int32_t combat_reference;
// Kick "0", attack "1" and "2", repeat "3", punch "9".
void plr_attack_command(int key);
