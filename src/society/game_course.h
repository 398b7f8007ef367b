// Game courses: guided tasks whose events the rest of the game reports.
#pragma once

#include <cstdint>

// The count of the awaited event so far.
extern int32_t course_counter;

// Counts an event for the current game-course task.
void report_game_course_event(int event_id);
// The events that the skill set-up of a new character raises: a skill is
// put to use ("LEARNING BY DOING") and knowledge is learned ("THE SPIRIT
// WORLD").
constexpr int COURSE_EVENT_SKILL_USE = 42;
constexpr int COURSE_EVENT_KNOWLEDGE_LEARNED = 30;
// Starts a game course (0 living in the wild, 1 advanced adventures).
void start_game_course(int course);

// Course flags: marks of what the character has done or knows that the
// tasks of the courses ask about. They are set again from the record at
// every start of a game.
constexpr int COURSE_FLAG_COUNT = 256;
// Forgets every flag (before a game is started).
void clear_course_flags();
// Sets a flag (0..255; others are ignored). While the course awaits the
// start-of-game event (30) and its task is not done, every setting counts
// toward the task; reaching the target marks the task done.
void set_course_flag(int flag);
bool course_flag_is_set(int flag);
