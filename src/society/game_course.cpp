#include "society/game_course.h"

#include "shell/player.h"

int32_t course_counter = 0;

// Only the counting is here so far: when the course awaits the event the
// counter rises, and at the target it starts again. Marking the event as
// reached comes with the game courses.
void report_game_course_event(int event_id) {
    if (Plr.course_event != event_id) return;
    if (++course_counter >= Plr.course_target) course_counter = 0;
}

// Not built yet: villages come with the society subsystem; 0 inhabitants.
int village_population(int village_id) { return 0; }

// Not built yet: the tasks of the courses come with the game courses; a
// started course only records that no task is set yet.
void start_game_course(int course) {
    (void)course;
    Plr.course_task = -1;
}
