// Quest, spell and game-course commands. Not built yet: each notes its call.
#include "society/quest_commands.h"

#include "base/stubs.h"
#include "console/console.h"

int32_t course_task_state = 0;
uint8_t quests_active = 0;

void game_course_event_check() { KSM_STUB("game_course_event_check"); }
void game_course_screen() { KSM_STUB("game_course_screen"); }
void quest_journal() { KSM_STUB("quest_journal"); }
void perform_spell_command() { KSM_STUB("perform_spell_command"); }

// Not built yet: there are no quests or stale records to clear.
void remove_expired_quests() { KSM_STUB("remove_expired_quests"); }
void retire_stale_creature_records() { KSM_STUB("retire_stale_creature_records"); }
