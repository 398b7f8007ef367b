// The skills screen. Not built yet: notes its call and chooses nothing.
#include "shell/skills_screen.h"

#include "console/console.h"

char skill_hotkey_letter[3][50] = {};
int skill_hotkey_id[3][50] = {};

int skills_screen(int) {
    note_stub_call("skills_screen");
    return 1000;
}
void sort_skills_by_group() { note_stub_call("sort_skills_by_group"); }
