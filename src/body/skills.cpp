// Skill checks, skill levels, skill use and advancement, dice, and what a
// skill level makes of working time and of a piece's quality.
#include "body/skills.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_services.h"
#include "console/console.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/skill_setup.h"
#include "society/game_course.h"
#include "ui/message_line.h"
#include "work/work_services.h"

int (*body_draw)(int n) = random_below;

namespace {

// Game-course events of a skill in use: any skill near mastery, and a bow.
constexpr int COURSE_EVENT_MASTERY = 42;
constexpr int COURSE_EVENT_BOW = 29;

constexpr int MAX_RISES_A_DAY = 3;

// A 12-byte name field equals the name (a longer name never does).
bool field_is(const char* field, const char* name) {
    const size_t len = strnlen(field, PLR_SKILL_NAME_BYTES);
    return strnlen(name, PLR_SKILL_NAME_BYTES + 1) == len && std::memcmp(field, name, len) == 0;
}

int clamp_int(long long v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : int(v)); }

// What the creature's cache gives for a skill, looking it up on a miss.
int creature_cached_level(int creature, const char* skill) {
    CreatureRecord& c = Cre[creature];
    for (int i = 0; i < 4; ++i)
        if (field_is(c.skill_slot_name[i], skill)) return c.skill_slot_level[i];
    // A miss goes into slot 0, whatever it held.
    std::memset(c.skill_slot_name[0], 0, sizeof c.skill_slot_name[0]);
    std::memcpy(c.skill_slot_name[0], skill, strnlen(skill, sizeof c.skill_slot_name[0]));
    const int level = clamp_int(skill_attribute_base(creature, skill, SKILL_START_LEVEL), 0, 255);
    c.skill_slot_level[0] = uint8_t(level);
    return level;
}

// The level a teacher's advice adds at a level.
int advice_gain(int level) {
    if (level <= 40) return 5;
    if (level <= 60) return 4;
    if (level <= 80) return 3;
    if (level <= 90) return 2;
    if (level < 100) return 1;
    return 0;
}

void report_mastery_events(const char* skill) {
    report_game_course_event(COURSE_EVENT_MASTERY);
    if (std::strstr(skill, "BOW")) report_game_course_event(COURSE_EVENT_BOW);
}

// Luck turns the grade of a check for the better while it lasts.
int apply_luck(int grade) {
    if (Plr.luck_uses == 0) return grade;
    const int r = body_draw(3);
    if (r == 0) {
        grade = GRADE_CRITICAL;
    } else if (r == 1) {
        if (grade < GRADE_SUCCESS) ++grade;
        else if (grade == GRADE_SUCCESS && body_draw(2) == 0) grade = GRADE_CRITICAL;
    } else if (grade == GRADE_FUMBLE) {
        grade = GRADE_FAILURE;
    }
    --Plr.luck_uses;
    return grade;
}

// Whether the mode lets an earned chance stand.
bool mode_keeps_chance(int mode) {
    switch (mode) {
    case -3: return false;
    case -2: return body_draw(5) == 0;
    case -1: return body_draw(3) == 0;
    case 1: return body_draw(2) == 0;
    default: return true;
    }
}

}  // namespace

// ------------------------------------------------------------ checks

int roll_check(int penalty, int value) {
    switch (roll_override) {
    case 3: return GRADE_FUMBLE;
    case 4: return GRADE_CRITICAL;
    case 1:
    case 2: return body_draw(4);
    default: break;
    }
    const int k = body_draw(10);
    const int chance = clamp_int((long long)value - penalty, 5, 95);
    // Only the last draw counts; the others move the generator on.
    int roll = 1;
    for (int i = 0; i < k + 9; ++i) roll = body_draw(100) + 1;
    const bool success = roll <= chance;
    const bool critical = roll % 5 == 0;
    if (success) return critical ? GRADE_CRITICAL : GRADE_SUCCESS;
    return critical ? GRADE_FUMBLE : GRADE_FAILURE;
}

int roll_dice(int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += body_draw(6) + 1;
    return sum;
}

int plr_total_penalty() {
    return int(std::floor(Plr.fatigue)) + Plr.wound_total + cre_penalty(-1, 4) + Plr.starvation;
}

// ------------------------------------------------------------ levels

int cre_movedodge_level(int creature) { return cre_movement_speed(creature) / 10; }

int plr_skill_slot(const char* skill) {
    if (!skill || !skill[0]) return -1;
    return find_skill_exact(Plr, skill);
}

int plr_skill_advancement(const char* skill) {
    const int slot = plr_skill_slot(skill);
    if (slot < 0) return 0;
    return std::abs(int(Plr.skill_level[slot]) - int(Plr.skill_start_level[slot]));
}

int cre_skill_level(int creature, const char* skill) {
    if (!skill || !skill[0]) return 0;
    if (roll_override == 2) return 80;
    if (std::strcmp(skill, "COMMON") == 0) return 60;
    if (std::strcmp(skill, "THROWING") == 0) {
        if (creature == -1) return (Plr.str + Plr.dex + Plr.eye) / 3 * 4;
        if (!cre_slot_valid(creature)) return 0;
        return (Cre[creature].attr_str + 2 * Cre[creature].attr_dex) / 3 * 4;
    }
    if (std::strcmp(skill, "MOVEDODGE") == 0) return cre_movedodge_level(creature);
    if (creature == -1) {
        const int slot = plr_skill_slot(skill);
        // A skill the player has no slot for is rolled at the lowest level.
        return slot < 0 ? 5 : Plr.skill_level[slot];
    }
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    if (std::strcmp(skill, "HIDEWORKING") == 0) return c.hideworking;
    if (std::strcmp(skill, "TIMBERCRAFT") == 0) return c.timbercraft;
    if (std::strcmp(skill, "DODGE") == 0) return c.dodge;
    return creature_cached_level(creature, skill);
}

// ------------------------------------------------------------ use

int plr_use_skill(int penalty, int bonus, const char* skill_in, int mode) {
    if (!skill_in || !skill_in[0]) return GRADE_FUMBLE;
    char skill[64];
    copy_text(skill, sizeof skill, upper_case_copy(skill_in));
    const int given_penalty = penalty;
    if (penalty == 1) penalty = plr_total_penalty();

    int slot = plr_skill_slot(skill);
    if (slot < 0 && std::strcmp(skill, "DAGGER") == 0) slot = plr_skill_slot("KNIFE");
    if (slot < 0) {
        int level = cre_skill_level(-1, skill);
        if (level == 0 || level == 1000) level = 5;
        const int grade = roll_check(penalty, level + bonus);
        debug_message_format("Kayta no-list taitoa: %s (%d%%)", skill, level);
        return grade;
    }

    const int level = Plr.skill_level[slot];
    debug_message_format("Kayta taitoa: %s (%d%%) [-%d] [+%d] Kehitys: %d", skill, level, given_penalty, bonus, mode);
    const int rolls = mode == 1 ? 8 : (mode == 2 ? 12 : 1);
    int grade = GRADE_FUMBLE;
    bool chance = false;
    for (int i = 0; i < rolls; ++i) {
        grade = roll_check(penalty, level + bonus);
        if (grade == GRADE_CRITICAL) {
            chance = true;
        } else if (grade == GRADE_SUCCESS && level < 10) {
            // A beginner learns from plain success too.
            if (mode == 1 || mode == 2 || body_draw(3) == 0) chance = true;
        }
    }
    if (chance) chance = mode_keeps_chance(mode);
    if (Plr.skill_rises_today[slot] >= MAX_RISES_A_DAY) {
        chance = false;
    } else if (chance) {
        ++Plr.skill_practice[slot];
        chance = Plr.skill_practice[slot] >= level / 10;
    }

    grade = apply_luck(grade);

    const bool advised = (Plr.skill_taught[slot] & 1) != 0;
    if (advised) {
        grade = GRADE_CRITICAL;
        Plr.skill_level[slot] = uint8_t(level + advice_gain(level));
        Plr.skill_taught[slot] &= uint8_t(~1u);
    } else if (!chance) {
        return grade;
    }

    // The rise step.
    Plr.skill_practice[slot] = 0;
    if (level >= 95) report_mastery_events(skill);
    const int r = body_draw(100);
    if (Plr.skill_attr_base[slot] + r + 1 <= Plr.skill_level[slot]) return grade;
    report_mastery_events(skill);
    if (Plr.skill_level[slot] < 100) ++Plr.skill_level[slot];
    if (Plr.skill_rises_today[slot] < 255) ++Plr.skill_rises_today[slot];
    return grade;
}

void plr_use_skill_command(int slot) {
    const char* name = skill_name_text(Plr, slot);
    if (!name[0]) return;
    char skill[PLR_SKILL_NAME_BYTES + 1];
    copy_text(skill, sizeof skill, name);
    screen_hooks.show_command_line(skill);
    if (plr_count_adjacent_fighters(-1, 0) > 0) {
        show_message("*sB");
        return;
    }
    char text[40];
    format_text(text, sizeof text, "#Using: %s", skill);
    show_message(text);
    skill_dispatcher(skill);
}

// ------------------------------------------------------------ work

int craftquality(int level, int grade) {
    static const int quality[4][10] = {
        {1, 1, 1, 1, 2, 2, 2, 2, 2, 2},
        {1, 1, 2, 2, 2, 3, 3, 3, 3, 3},
        {1, 2, 3, 3, 3, 4, 4, 4, 4, 4},
        {2, 2, 3, 3, 4, 4, 4, 5, 5, 5},
    };
    // A level below 0 reads the first column rather than before the table.
    const int index = clamp_int(level / 10, 0, 9);
    debug_message_format("craftquality: ML:%d success:%d SI:%d", level, grade, index);
    const int result = grade >= 0 && grade <= 3 ? quality[grade][index] : 0;
    debug_message_format("craftquality tulos: %d", result);
    return result;
}

int scale_work_time_by_skill(int minutes, int level) {
    if (level < 1) level = 1;  // no skill at all takes a hundred times as long
    const int result = int(std::ceil(double(minutes) * 100.0 / level));
    debug_message_format("TYOAIKA_mod: %d -> %d", minutes, result);
    return result;
}

int TYOAIKA_mod(int minutes, int level, int kind) {
    double t = minutes;
    if (level > 0 && level < 150) t = t * 100.0 / level;
    if (kind == 0) t *= 1.4;
    else if (kind == 1) t *= 1.2;
    else if (kind == 3) t *= 0.8;
    t = t * 100.0 / (95 + body_draw(10));
    const int result = int(std::ceil(t));
    debug_message_format("TYOAIKA_mod: %d -> %d", minutes, result);
    return result;
}
