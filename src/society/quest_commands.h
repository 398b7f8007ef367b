// Quests, spells and the game course as the command keys reach them. Not
// built yet: neutral answers.
#pragma once

#include <cstdint>

// The game-course task state: -1 and 1 count commands toward the screen.
extern int32_t course_task_state;
// Set while the character has active quests (F2).
extern uint8_t quests_active;
void game_course_event_check();
void game_course_screen();
void quest_journal();
void perform_spell_command();
// Daily: quests past their time are removed, creature records nobody needs
// any more are retired.
void remove_expired_quests();
void retire_stale_creature_records();
