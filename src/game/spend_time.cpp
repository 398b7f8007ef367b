// Long tasks: the clock runs step by step while the world goes on, with a
// small window for the time spent, the progress and the effort, until the
// task is done or something stops it.
#include "game/spend_time.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "game/clock.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "game/player.h"
#include "body/body_upkeep.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/map_objects.h"
#include "body/body_services.h"
#include "creatures/creature_services.h"
#include "maps/happenings.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "maps/map_draw.h"
#include "ui/prompts.h"
#include "ui/sound.h"

char task_sound_name[20] = {};
int32_t task_resumable = 0;

void clear_task_sound() { task_sound_name[0] = 0; }

int32_t task_interrupt_request = 0;
int32_t task_key_request = 0;
SpendTimeSeams default_spend_time_seams() {
    SpendTimeSeams s{};
    s.rebuild_view = rebuild_view;
    s.adjacent_fighters = [] { return plr_count_adjacent_fighters(-1, 0); };
    s.creature_view = creature_task_view;
    s.count_helping_companions = count_helping_companions;
    s.companion_names = companion_names_text;
    s.effort_word = effort_word;
    s.world_encounter_check = [] { check_world_encounter(); };
    return s;
}
SpendTimeSeams spend_time_seams = default_spend_time_seams();

namespace {

// The creatures on the map at the start of a task, watched while it runs.
struct WatchEntry {
    int slot;        // creature slot in the creature table
    int x, y;        // where it stood at the start
    int distance;    // its distance to the player at the start
    bool watched;
    bool hostile;
    uint8_t asked;   // bit 0 first sighting, bit 1 approach, bit 2 aggression
};
constexpr int WATCH_SLOTS = 500;
WatchEntry watch_table[WATCH_SLOTS];
int watch_count = 0;

uint32_t game_now_ms() { return SDL_GetTicks(); }
void game_sleep_ms(uint32_t ms) { SDL_Delay(ms); }

uint32_t now_ms() { return spend_time_seams.now_ms ? spend_time_seams.now_ms() : game_now_ms(); }
void sleep_ms(uint32_t ms) {
    if (spend_time_seams.sleep_ms) spend_time_seams.sleep_ms(ms);
    else game_sleep_ms(ms);
}
int poll_task_key() { return spend_time_seams.poll_key ? spend_time_seams.poll_key() : poll_key_nowait(); }
int ask(const char* question) {
    return spend_time_seams.ask_yes_no ? spend_time_seams.ask_yes_no(question) : ask_yes_no(question);
}
int ask_default_yes(const char* question) {
    return spend_time_seams.ask_yes_no_default_yes ? spend_time_seams.ask_yes_no_default_yes(question)
                                                   : ask_yes_no_default_yes(question);
}

int task_adjacent_fighters() {
    return spend_time_seams.adjacent_fighters ? spend_time_seams.adjacent_fighters() : 0;
}
bool task_creature_view(int slot, TaskCreatureView& out) {
    return spend_time_seams.creature_view ? spend_time_seams.creature_view(slot, out) : false;
}
int task_helping_companions() {
    return spend_time_seams.count_helping_companions ? spend_time_seams.count_helping_companions() : 0;
}
const char* task_companion_names() {
    return spend_time_seams.companion_names ? spend_time_seams.companion_names() : "your companions";
}
const char* task_effort_word(int exertion) {
    return spend_time_seams.effort_word ? spend_time_seams.effort_word(exertion) : "";
}
void task_rebuild_view() {
    if (spend_time_seams.rebuild_view) spend_time_seams.rebuild_view();
}
void task_world_encounter_check() {
    if (spend_time_seams.world_encounter_check) spend_time_seams.world_encounter_check();
}
void task_update_map_objects() {
    if (spend_time_seams.update_map_objects) spend_time_seams.update_map_objects();
    else update_map_objects();
}
void task_body_check(int time) {
    if (spend_time_seams.body_check) spend_time_seams.body_check(time);
    else plr_body_check(time);
}
int plr_task_x() { return player_x; }
int plr_task_y() { return player_y; }
bool task_cell_in_sight(int x, int y) { return is_in_view(x, y) != 0; }

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// The player's wounds: occupied entries of the first wound column.
int wound_count() {
    int n = 0;
    for (int i = 0; i < PLR_WOUND_SLOTS; ++i) n += Plr.wounds[0][i] != 0;
    return n;
}

bool watch_by_key(const char* key, bool hostile) {
    if (std::strcmp(key, "NO") == 0) return false;
    if (std::strcmp(key, "HOSTILE") == 0) return hostile;
    return true;
}

void build_watch_table() {
    // Keys are read once per task; people and animals have one each.
    char humans[32], animals[32];
    copy_text(humans, ini_get_string("TASK_ABORT_HUMANS", "HOSTILE"));
    copy_text(animals, ini_get_string("TASK_ABORT_ANIMALS", "YES"));
    watch_count = 0;
    TaskCreatureView v;
    for (int slot = 0; slot < WATCH_SLOTS && watch_count < WATCH_SLOTS; ++slot) {
        if (!task_creature_view(slot, v)) continue;
        WatchEntry& w = watch_table[watch_count++];
        w.slot = slot;
        w.x = v.x;
        w.y = v.y;
        w.distance = chebyshev(v.x, v.y, plr_task_x(), plr_task_y());
        w.hostile = v.hostile;
        w.watched = watch_by_key(v.is_person ? humans : animals, v.hostile);
        w.asked = 0;
    }
}

// Asks about creatures in sight; true when the task should stop.
bool creatures_call_for_attention() {
    TaskCreatureView v;
    for (int i = 0; i < watch_count; ++i) {
        WatchEntry& w = watch_table[i];
        if (!w.watched || !task_creature_view(w.slot, v)) continue;
        if (!task_cell_in_sight(v.x, v.y)) continue;
        const int distance = chebyshev(v.x, v.y, plr_task_x(), plr_task_y());
        const char* key = nullptr;
        if (v.hostile && v.targets_player) {
            if (w.asked & 4) continue;
            w.asked |= 4 | 1;
            key = "TASK_PROMPT_AGGRESSION";
        } else if (distance < w.distance && distance <= 5) {
            if (w.asked & 2) continue;
            key = (w.asked & 1) ? "TASK_PROMPT_AGG_CREATURE" : "TASK_PROMPT_AGG_APPROACH";
            w.asked |= 2 | 1;
        } else if (!(w.asked & 1)) {
            w.asked |= 1;
            key = v.dangerous ? "TASK_PROMPT_AGG_CREATURE" : "TASK_PROMPT_CREATURE";
        }
        if (!key) continue;
        msg_npc = w.slot;
        show_message(message_by_key(key));
        if (ask_default_yes("Abort task?")) return true;
    }
    return false;
}

// ------------------------------------------------------------ the window

struct TaskWindow {
    bool open = false;
    int x = 0, y = 0, w = 0, h = 0;
};

bool can_draw() { return canvas != nullptr && canvas->format != nullptr; }
Uint32 rgb(int r, int g, int b) { return SDL_MapRGB(canvas->format, Uint8(r), Uint8(g), Uint8(b)); }

void open_task_window(TaskWindow& win, const char* label, int progress_done, int flags) {
    if (!can_draw()) return;
    // The window stands in the side panel, below the status box.
    win.x = 480;
    win.y = 330;
    win.w = 310;
    win.h = 100;
    SDL_Rect r{win.x, win.y, win.w, win.h};
    save_screen_under("spend", &r);
    char title[128];
    copy_text(title, label ? label : "");
    if (title[0]) title[0] = char(latin1_upper(uint8_t(title[0])));
    append_text(title, sizeof title, " ...");
    draw_window(win.x, win.y, win.w, win.h, title, WIN_STONE);
    const Uint32 white = rgb(255, 255, 255);
    draw_text_at(win.x + 8, win.y + 24, "Time spent: ", white, 1);
    if (!(flags & TASK_NO_PROGRESS))
        draw_text_at(win.x + 8, win.y + 38, progress_done > 0 ? "Continuing: " : "  Progress: ", white, 1);
    draw_text_at(win.x + 8, win.y + 52, "    Effort: ", white, 1);
    draw_text_at(win.x + 104, win.y + 52, task_effort_word(Plr.exertion), rgb(87, 87, 87), 1);
    draw_text_at(win.x + 8, win.y + 80, "Wait, or press [ESC] to cancel.", rgb(60, 90, 152), 1);
    present_rect(win.x, win.y, win.w, win.h, 1);
    win.open = true;
}

void draw_task_progress(const TaskWindow& win, const char* spent, int percent, int flags) {
    if (!win.open || !can_draw()) return;
    fill_canvas_rect(win.x + 104, win.y + 22, win.w - 110, 12, rgb(32, 32, 32));
    draw_text_at(win.x + 104, win.y + 24, spent, rgb(255, 255, 255), 1);
    if (!(flags & TASK_NO_PROGRESS)) draw_percent_bar(win.x + 104, win.y + 38, 180, percent);
    present_rect(win.x, win.y, win.w, win.h, 1);
}

void close_task_window(TaskWindow& win) {
    if (!win.open) return;
    restore_screen_under("spend");
    free_screen_under("spend");
    present_rect(win.x, win.y, win.w, win.h, 1);
    win.open = false;
}

// " 2 hours, 5 minutes", " 1 hour", "5 minutes" or "40 seconds".
void time_spent_text(char* out, size_t cap, int minutes_done, int ticks_done, bool fine, int task_minutes) {
    out[0] = 0;
    if (fine && minutes_done == 0 && task_minutes < 5) {
        format_text(out, cap, "%d seconds", ticks_done * 10);
        return;
    }
    const int hours = minutes_done / 60, minutes = minutes_done % 60;
    if (hours == 1) append_text(out, cap, " 1 hour");
    else if (hours > 1) {
        char h[32];
        format_text(h, sizeof h, " %d hours", hours);
        append_text(out, cap, h);
    }
    if (minutes > 0 || hours == 0) {
        char m[32];
        format_text(m, sizeof m, "%s%d minutes", hours > 0 ? ", " : "", minutes);
        append_text(out, cap, m);
    }
}

void debug_to_message_line(const char* text) {
    debug_log("spend", text);
    if (debug_messages_on) debug_message(text);
}

}  // namespace

int task_step_count(int seconds, int minutes, int flags) {
    if (flags & TASK_FINE_TICKS) return std::max(0, seconds) / 10 + std::max(0, minutes) * 6;
    return std::max(0, minutes);
}

int task_step_pause_ms(int minutes, int flags) {
    int pause = minutes > 0 ? 1000 / minutes : 1000;
    if (flags & TASK_FINE_TICKS) pause /= 6;
    return std::min(pause, 200);
}

namespace {
const char* running_label = nullptr;
int run_task(int seconds, int minutes, const char* label, int progress_done, int flags);
}  // namespace

const char* running_task_label() { return running_label; }
bool long_task_running() { return running_label != nullptr; }
bool long_task_busy() { return running_label != nullptr && std::strstr(running_label, "STANDING BY") == nullptr; }

int spend_time_on_task(int seconds, int minutes, const char* label, int progress_done, int flags) {
    // The label is known to the rest of the game while the task runs.
    const char* outer = running_label;
    running_label = label ? label : "";
    const int result = run_task(seconds, minutes, label, progress_done, flags);
    running_label = outer;
    return result;
}

namespace {
int run_task(int seconds, int minutes, const char* label, int progress_done, int flags) {
    if (seconds < 0) seconds = 0;
    if (minutes < 0) minutes = 0;
    if (progress_done < 0) progress_done = 0;
    if (progress_done > 99) progress_done = 99;
    const int task_minutes = minutes + seconds / 60;

    // Refusals come first: they cost no time at all.
    if (Plr.travel_mode == 2) {
        show_message("!That's something you can not do while swimming!");
        return 0;
    }
    if (task_adjacent_fighters() > 0) {
        show_message("!Get rid of the combat situation first!");
        return 0;
    }
    if (task_minutes >= TASK_MAX_PLAIN_MINUTES + 1 && !(flags & (TASK_LONG_RESUMABLE | TASK_LONG_RESUMABLE0))) {
        show_message("!It takes far too long to accomplish this task like that! It's practically impossible.");
        return 0;
    }

    // The configured addition to each step's pause, within reason.
    long delay_add = std::strtol(ini_get_string("SPEND_DELAY_ADD", "0"), nullptr, 10);
    delay_add = delay_add < 0 ? 0 : delay_add > 5000 ? 5000 : delay_add;
    task_resumable = 0;
    build_watch_table();
    const int wounds_at_start = wound_count();
    turn_time_state = TURN_ONE_TURN;

    // A short task is done in one step.
    if (task_minutes < 2 && !(flags & TASK_FINE_TICKS)) {
        add_game_minutes(1);  // normalised by the next status refresh
        run_minute_steps(1, 1);
        task_update_map_objects();
        task_rebuild_view();
        return 1;
    }

    const bool fine = (flags & TASK_FINE_TICKS) != 0;
    int steps = task_step_count(seconds, minutes, flags);
    if (steps < 1) steps = 1;
    long pause = task_step_pause_ms(minutes, flags) + delay_add;
    if (pause < 1) pause = 1;
    const int threshold = (flags & TASK_LONG_RESUMABLE) ? 5 : (flags & TASK_LONG_RESUMABLE0) ? 0 : -1;

    {
        char line[160];
        format_text(line, sizeof line, "SPENDSTART %d (MIN %d, SEC: %d)", steps, minutes, seconds);
        debug_to_message_line(line);
    }

    TaskWindow win;
    open_task_window(win, label, progress_done, flags);
    if (task_sound_name[0]) {
        play_sample(task_sound_name, -1);
        task_sound_name[0] = 0;
    }

    bool completed = false;
    int done = 0;              // steps done
    int minutes_done = 0;
    int helpers_shown = 0;
    int help_percent = 0;
    uint32_t last_step = now_ms();
    int last_minute = Plr.minute;
    while (true) {
        if (done >= steps) {
            completed = true;
            break;
        }
        // The real-time pause keeps the task visible but short.
        while (now_ms() - last_step < uint32_t(pause)) {
            uint32_t passed = now_ms() - last_step;
            sleep_ms(uint32_t(pause) - passed);
        }
        last_step = now_ms();

        // 9. Count the step and show it.
        ++done;
        if (!fine || done % 6 == 0) ++minutes_done;
        normalize_game_clock();
        screen_hooks.refresh_status_panel();
        char spent[64];
        time_spent_text(spent, sizeof spent, minutes_done, done, fine, task_minutes);
        int percent = progress_done + int(std::ceil(double(done) / steps * (100 - progress_done)));
        if (percent > 100) percent = 100;
        draw_task_progress(win, spent, percent, flags);
        if (threshold >= 0 && !task_resumable && percent >= threshold) {
            task_resumable = 1;
            if (win.open && can_draw())
                draw_text_at(win.x + 8, win.y + 66, "You may continue afterwards.", rgb(0, 100, 0), 1);
        }

        // 10. The world goes on.
        task_update_map_objects();
        if (Plr.minute != last_minute) {
            last_minute = Plr.minute;
            task_world_encounter_check();
            task_rebuild_view();
        } else {
            screen_hooks.draw_movement_box();
        }

        // 11. One key, without waiting.
        int key = poll_task_key();

        // 12. Rested.
        if ((flags & TASK_UNTIL_RESTED) && Plr.fatigue <= 0.0f) {
            show_message("&You have rested away the fatigue.");
            completed = true;
            break;
        }

        // 13. Interruptions.
        bool stop = false;
        if (task_interrupt_request != 0) {
            const int req = task_interrupt_request;
            task_interrupt_request = 0;
            if (req == 2) {
                task_rebuild_view();
                show_message("#Your task is interrupted.");
                stop = true;
            } else if (req == 4) {
                stop = ask_default_yes("Abort task?") != 0;
            } else if (req == 1) {
                if (ini_flag_default_no("TASK_ABORT_SOUNDS")) stop = ask_default_yes("Abort task?") != 0;
            } else if (req == 3) {
                show_message("!You have been attacked...");
                stop = true;
            }
        }
        if (!stop && task_key_request != 0) {
            if (task_key_request == -2) stop = true;
            else if (task_key_request == -1) key = KEY_ESC;
            task_key_request = 0;
        }
        if (!stop) stop = creatures_call_for_attention();
        if (!stop && task_adjacent_fighters() > 0) {
            show_message("!You're engaged with a hostile creature...");
            stop = true;
        }
        if (!stop && wound_count() > wounds_at_start) {
            show_message("!You got injured!");
            stop = true;
        }
        if (!stop && task_resumable) {
            if (Plr.fatigue >= 100.0f) {
                show_message("&Too fatigued to continue! You need a break.");
                stop = true;
            } else if (Plr.plr_sleepiness > 2000) {
                show_message("&You are too tired to continue! You need to sleep.");
                stop = true;
            }
        }
        if (!stop && (Plr.body_state == 4 || quit_state == -1)) stop = true;
        if (!stop && key == KEY_ESC) {
            if (flags & TASK_ESC_STOPS) stop = true;
            else stop = ask(task_resumable ? "Take a break?" : "Cancel current task?") != 0;
        }
        if (stop) break;

        // 14. The time of the step.
        if (fine) {
            advance_seconds(10);
        } else {
            add_game_minutes(1);
            run_minute_steps(1, 1);
        }

        // 15. Companions lend a hand.
        if ((flags & TASK_COMPANIONS) && !helpers_shown) {
            const int helpers = task_helping_companions();
            if (helpers > 0) {
                helpers_shown = 1;
                const int share = (flags & TASK_HELP_TWO) ? 2 : (flags & TASK_HELP_ONE) ? 1 : 3;
                help_percent = std::min(75, helpers * share * 10);
                char line[200];
                const char* names = task_companion_names();
                if (helpers == 1)
                    format_text(line, sizeof line, "#%s helps you with this task.", names);
                else if (helpers == 2)
                    format_text(line, sizeof line, "#%s help you with this task.", names);
                else
                    format_text(line, sizeof line, "#You get some help with this task from %s.", names);
                show_message(line);
                const int left = steps - done;
                steps = done + left - left * help_percent / 100;
                format_text(line, sizeof line, "TimeHelp (%d pct) activated. Numohelpers: %d : spendtick %d",
                            help_percent, helpers, done);
                debug_to_message_line(line);
            }
        }

        // 16. The body.
        task_body_check(0);
        if (quit_state == -1) break;
    }

    // 17. The end.
    if (sound_on)
        for (int ch = 0; ch <= 3; ++ch) Mix_HaltChannel(ch);
    task_interrupt_request = 0;
    task_key_request = 0;
    close_task_window(win);
    task_rebuild_view();
    screen_hooks.refresh_status_panel();
    turn_time_state = TURN_LONG_TASK;
    {
        char line[200];
        format_text(line, sizeof line, "SPENDEND l: %d spendtick: %d (MINDONE %d) CompaidCounter: %d", steps, done,
                    minutes_done, help_percent);
        debug_to_message_line(line);
    }
    if (!completed) {
        show_message(task_resumable ? "_Task paused, to be continued at will." : "!Task cancelled!");
        return 0;
    }
    advance_seconds(10);
    task_rebuild_view();
    return 1;
}
}  // namespace

int spend_time_on_task_finely(int seconds, int minutes, const char* label, int progress_done) {
    return spend_time_on_task(seconds, minutes, label, progress_done, TASK_FINE_TICKS);
}
