// The skill table "ini_skills.txt", the starting skills of a new character
// and the option points the player spends on them at creation.
#pragma once

#include <cstddef>
#include <cstdint>

// What skill_attribute_base answers.
enum SkillAnswer {
    SKILL_START_LEVEL = 0,  // base x culture multiplier
    SKILL_BASE = 1,         // ceil of the average of the listed attributes
    SKILL_GROUP = 2,        // 2 combat, 1 physical, 0 lore and craft
    SKILL_KEY = 3,          // the key letter, '!' when none is given
};

// Asks the skill table about a skill of the player (creature -1) or of a
// creature: a creature's own strength, intelligence, endurance, dexterity,
// agility, smell, hearing and home culture count, the player's for the
// rest. An unknown skill answers 0 (after a "!Bug!" message for all but
// SURVIVAL, DAGGER and RITUAL); a missing table ends the program. The table
// is read at the first question and kept for the run.
int skill_attribute_base(int creature, const char* skill, int kind);
// Forgets the kept table: the next question reads the file again (for a
// table that changed under the running program, as tests change it).
void forget_skill_table();

// Checks the skill table "ini_skills.txt" before a game can use it: every
// line readable, every heading closed, the attributes known, the culture
// multipliers numbers, and an entry for each standard skill. False with a
// text that names the file and, where one is to blame, the line.
bool check_skill_table(char* error, size_t error_size);

// Puts the skill into the first free slot with its base and starting level,
// unless a slot of that name already has a level above 0.
void add_skill(const char* skill);
// The standard skill list and the culture's ritual knowledge.
void setup_skills();

// Option-point state of the spending screen.
struct OptionState {
    int options_left;
    int max_improve;   // steps above the level before spending
    int max_degrade;   // steps below it
    int last_slot;     // the skill changed last, -1 none
    uint8_t level_before[50];
    char improved[50][30];  // names that reached their improvement limit
};
extern OptionState option_state;

// Starts spending: keeps the levels and clears the improved list.
void begin_option_spending(int max_degrade, int options, int max_improve);
// True when the named skill is in the improved list.
bool skill_is_improved(const char* skill);
// Puts a skill into the improved list (once), so that it can't be raised.
void mark_skill_improved(const char* skill);
// Empties the improved list.
void clear_improved_skills();
// The option-point screen; returns when the player accepts.
void spend_option_points(int max_degrade, int options, int max_improve);
// One step up (+1) or down (-1) on a skill slot; true when it changed.
bool change_skill_option(int slot, int direction);
void draw_option_panel();
