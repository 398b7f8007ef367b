// Skills: the percentile check every uncertain outcome goes through, dice,
// how good a body is at a named skill, the player's skill checks and how
// they raise the skill, and what a skill level makes of working time and
// of the quality of a made piece.
#pragma once

// The grade of a check. Callers compare numbers: 2 and up succeed.
constexpr int GRADE_FUMBLE = 0;
constexpr int GRADE_FAILURE = 1;
constexpr int GRADE_SUCCESS = 2;
constexpr int GRADE_CRITICAL = 3;

// The draw every check, die and hit location takes: random_below, unless a
// test puts a scripted stream in its place.
extern int (*body_draw)(int n);

// The percentile check of value (a level or chance plus any bonus) less
// penalty: the chance is kept within 5..95; a roll ending in 0 or 5 is
// critical. The developer's override (console roll_override) may decide
// instead without any draw.
int roll_check(int penalty, int value);

// The player's total penalty: whole fatigue, the wound total, the carrying
// penalty and starvation.
int plr_total_penalty();

// The level of a named skill of a body (-1 the player). The player's table
// answers its slot's level, 5 for a skill the player has no slot for; a
// creature answers its fixed skill bytes or its cache of four looked-up
// levels, filling cache slot 0 on a miss. Empty name 0.
int cre_skill_level(int creature, const char* skill);
// The MOVEDODGE level: a tenth of the movement speed.
int cre_movedodge_level(int creature);
// The player's slot of a skill name (exact, within the 12-byte field);
// -1 when the player has none.
int plr_skill_slot(const char* skill);
// How far the skill has moved from its level at creation; 0 without a slot.
int plr_skill_advancement(const char* skill);

// Advancement modes of plr_use_skill: -3 never, -2 and -1 rarely, 0 as
// used, 1 eight rolls with a coin toss, 2 twelve rolls.
// A penalty of exactly 1 stands for plr_total_penalty. DAGGER uses the
// KNIFE slot when the player has no DAGGER of its own. The result is the
// grade of the last roll, after luck and a teacher's advice.
int plr_use_skill(int penalty, int bonus, const char* skill, int mode);
// A skill picked on the skills screen or by its hotkey: named on the
// command line, then refused next to a fighter ("*sB") or started.
void plr_use_skill_command(int slot);
// The command's older name, as the command keys call it.
inline void use_skill(int slot) { plr_use_skill_command(slot); }

// The quality 1..5 of a piece made at a skill level with a check's grade
// (0 for a grade outside 0..3).
int craftquality(int level, int grade);
// Minutes of a work at a skill level: minutes x 100 / level rounded up; a
// level of 0 or less counts as 1.
int scale_work_time_by_skill(int minutes, int level);
// Minutes of a task: scaled by a level between 1 and 149, by the kind
// (0 x1.4, 1 x1.2, 3 x0.8) and by a draw of 95..104 per cent.
int TYOAIKA_mod(int minutes, int level, int kind);
