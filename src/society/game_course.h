// Game courses: guided tasks whose events the rest of the game reports.
#pragma once

#include <cstdint>

// The count of the awaited event so far.
extern int32_t course_counter;

// Counts an event for the current game-course task.
void report_game_course_event(int event_id);
// The number of inhabitants of a village.
int village_population(int village_id);
// Starts a game course (0 living in the wild, 1 advanced adventures).
void start_game_course(int course);
