// Quest, spell and game-course commands. Not built yet: each notes its call.
#include "society/quest_commands.h"

#include "console/console.h"

int32_t course_task_state = 0;
uint8_t quests_active = 0;

void game_course_event_check() {}
void game_course_screen() { note_stub_call("game_course_screen"); }
void quest_journal() { note_stub_call("quest_journal"); }
void perform_spell_command() { note_stub_call("perform_spell_command"); }
