// Needs report and starvation.
#include "body/needs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_upkeep.h"
#include "game/death.h"
#include "game/player.h"
#include "game/player_words.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

// Far enough back that the first report of a game may speak.
constexpr int32_t NO_REPORT_YET = INT32_MIN / 2;
int32_t last_needs_report_minute = NO_REPORT_YET;

void reset_needs_state() { last_needs_report_minute = NO_REPORT_YET; }

namespace {

constexpr int REPORT_GAP_MINUTES = 15;
constexpr int THIRST_FALL = 4000;
constexpr int THIRST_DEATH = 6001;

const char* exhaustion_lead(int e) {
    return e >= 2000 ? "You are very sleepy and"
           : e >= 1800 ? "You are sleepy and"
           : e >= 1600 ? "You feel"
           : e >= 1300 ? "You are getting"
                       : "You feel";
}
const char* exhaustion_state(int e) {
    return e >= 2000 ? "Ready to drop"
           : e >= 1800 ? "Extremely tired"
           : e >= 1600 ? "Weary"
           : e >= 1300 ? "Tired"
                       : "A bit tired";
}

void fall_prone() {
    Plr.body_state = 1;
    Plr.running = 0;
    msg_npc = -1;
    show_message(message_by_key("DO_FALL_PRONE"));
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
    view_rebuild_request = 1;
}

// Sleep overwhelms the player; a sleeper who wakes still over the edge is
// left just below it.
void forced_sleep(int mode) {
    plr_sleep(mode);
    if (Plr.plr_sleepiness > 2000) Plr.plr_sleepiness = 1950;
}

}  // namespace

int hunger_level() {
    const double factor = std::min(1.5, 1600.0 / double(std::max(500, Plr.Energiavaranto)));
    const double level = std::ceil(factor * double(255 - int(Plr.stomach)));
    return int(std::min(255.0, level));
}

void plr_needs_report(int force) {
    if (!force) {
        if (std::llabs(int64_t(Plr.total_minutes) - last_needs_report_minute) < REPORT_GAP_MINUTES) return;
        last_needs_report_minute = Plr.total_minutes;
    }
    // The sleep need.
    const int e = Plr.plr_sleepiness;
    char text[200];
    if (e > 1000 && random_below(20) == 0) {
        format_text(text, sizeof text, ":%s %s.", exhaustion_lead(e), lower_case_copy(exhaustion_state(e)));
        show_message(text);
    }
    if (e > 1800 && random_below(20) == 0) show_message("!You need to sleep! You can't stay awake much longer.");
    if (e > 2000 && !force) {
        if (Plr.body_state == 0) {
            show_message(":You are too tired to stay on your feet.");
            Plr.body_state = 1;
        }
        if (random_below(15) == 4 && e < 2500) forced_sleep(1);
    }
    if (Plr.plr_sleepiness > 2500 && !force) forced_sleep(0);

    // Hunger.
    const int level = hunger_level();
    const char* word = hunger_word(level);
    if (word[0] && (force || random_below(1000) < level)) {
        format_text(text, sizeof text, "&You are %s%s", word, level > 200 ? "!" : ".");
        show_message(text);
        debug_message_format("Vatsa: %d Energiavaranto: %d", Plr.stomach, Plr.Energiavaranto);
    }

    // Thirst.
    const char* thirst = thirst_word(Plr.thirst);
    if (thirst[0] && (force || random_below(20000) < Plr.thirst)) {
        format_text(text, sizeof text, "&You are %s", thirst);
        show_message(text);
    }
    if (Plr.thirst > THIRST_FALL && Plr.body_state == 0 && !force) {
        show_message("&Being very weak from prolonged lack of water you find it impossible to stand on your "
                     "shaky legs anymore!");
        fall_prone();
    }
    if (Plr.thirst >= THIRST_DEATH) {
        Plr.cause_of_death = CAUSE_THIRST;
        copy_text(harm_cause_text, "thirst");
        plr_die();
    }
}

void starvation_check() {
    char line[120];
    if (Plr.Energiavaranto < 200) {
        debug_log("eat", "** maintenance : starvation tarkistus! Energia < 50");
        if (random_below(10) == 0 && !(Plr.food_effects & FOOD_EFFECT_NO_STARVATION)) {
            const char* text = "!Your starvation grows lowering your physical performance!";
            show_message(text);
            if (Plr.starvation < 255) ++Plr.starvation;
            debug_log("eat", text);
            pause_prompt();
        }
        format_text(line, sizeof line, "STARVATION: %d (Energiavaranto: %d)", Plr.starvation, Plr.Energiavaranto);
        debug_message(line);
    }
    if (random_below(5) == 0 && Plr.Energiavaranto >= 1200 && Plr.starvation > 0) {
        int drop = 1;
        if (Plr.food_effects & FOOD_EFFECT_NO_STARVATION) ++drop;
        Plr.starvation = uint8_t(std::max(0, Plr.starvation - drop));
        show_message(Plr.starvation > 0 ? "&You recover from starvation a bit."
                                        : "&You have fully recovered from starvation.");
        if (!skip_message_pauses) pause_prompt();
    }
}
