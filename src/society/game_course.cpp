#include "society/game_course.h"

#include "base/stubs.h"

#include "game/player.h"
#include "society/quest_commands.h"

int32_t course_counter = 0;

// Only the counting is here so far: when the course awaits the event the
// counter rises, and at the target it starts again. Marking the event as
// reached comes with the game courses.
void report_game_course_event(int event_id) {
    if (Plr.course_event != event_id) return;
    if (++course_counter >= Plr.course_target) course_counter = 0;
}

// Not built yet: the tasks of the courses come with the game courses; a
// started course only records that no task is set yet.
void start_game_course(int course) { KSM_STUB("start_game_course");
    (void)course;
    Plr.course_task = -1;
}

namespace {
uint8_t course_flags[COURSE_FLAG_COUNT / 8];
constexpr int COURSE_EVENT_GAME_START = 30;
}  // namespace

void clear_course_flags() {
    for (uint8_t& b : course_flags) b = 0;
}

void set_course_flag(int flag) {
    if (flag < 0 || flag >= COURSE_FLAG_COUNT) return;
    course_flags[flag / 8] |= uint8_t(1u << (flag % 8));
    if (Plr.course_event != COURSE_EVENT_GAME_START || course_task_state == 1) return;
    if (++course_counter >= Plr.course_target) {
        course_task_state = 1;
        course_counter = 0;
    }
}

bool course_flag_is_set(int flag) {
    if (flag < 0 || flag >= COURSE_FLAG_COUNT) return false;
    return (course_flags[flag / 8] & (1u << (flag % 8))) != 0;
}
