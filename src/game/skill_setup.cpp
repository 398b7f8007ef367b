// The skill table and the starting skills of a new character.
#include "game/skill_setup.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/fatal.h"
#include "game/player.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "society/game_course.h"

OptionState option_state = {};

namespace {

constexpr int LINE_BYTES = 1024;

// One entry of the skill table as read from the file.
struct SkillEntry {
    char heading[LINE_BYTES];  // the heading line with the culture tags
    char attribs[LINE_BYTES];
    char group[64];
    char key;
};

bool is_comment(const char* line) {
    return (line[0] == '/' && line[1] == '/') || (line[0] == '#' && line[1] == '#');
}

void strip_line_end(char* line) {
    size_t n = std::strlen(line);
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) line[--n] = 0;
}

// The name between the first two '.' of a heading line.
void heading_name(const char* line, char* out, size_t cap) {
    out[0] = 0;
    const char* start = line + 1;
    const char* stop = std::strchr(start, '.');
    if (!stop) return;
    size_t n = size_t(stop - start);
    if (n >= cap) n = cap - 1;
    std::memcpy(out, start, n);
    out[n] = 0;
}

// Finds the skill's entry; false when the table has none.
bool find_entry(const char* skill, SkillEntry& entry) {
    FILE* file = open_file_ci("ini_skills.txt", "rb");
    if (!file) exit_with_message("ini_skills.txt missing");
    char line[LINE_BYTES];
    bool in_entry = false;
    bool found = false;
    while (std::fgets(line, sizeof line, file)) {
        strip_line_end(line);
        if (is_comment(line)) continue;
        if (!in_entry) {
            if (line[0] != '.') continue;
            char name[LINE_BYTES];
            heading_name(line, name, sizeof name);
            if (name[0] && compare_no_case(name, skill) == 0) {
                in_entry = true;
                copy_text(entry.heading, sizeof entry.heading, line);
                entry.attribs[0] = 0;
                copy_text(entry.group, sizeof entry.group, "lore");
                entry.key = '!';
                found = true;
            }
            continue;
        }
        if (!line[0]) break;  // the entry ends at the first empty line
        const char* value = tag_value(line, "ATTRIBS", nullptr);
        if (value) copy_text(entry.attribs, sizeof entry.attribs, value);
        value = tag_value(line, "GROUP", nullptr);
        if (value) copy_text(entry.group, sizeof entry.group, value);
        value = tag_value(line, "KEY", nullptr);
        if (value && value[0]) entry.key = value[0];
    }
    std::fclose(file);
    if (found && !entry.attribs[0]) copy_text(entry.attribs, sizeof entry.attribs, "str int dex");
    return found;
}

// The value of an attribute name; 0 for an unknown name.
int attribute_value(const char* name) {
    struct Row { const char* name; const uint8_t PlayerRecord::*field; };
    static const Row rows[] = {
        {"smt", &PlayerRecord::smt}, {"eye", &PlayerRecord::eye}, {"tch", &PlayerRecord::tch},
        {"int", &PlayerRecord::intel}, {"dex", &PlayerRecord::dex}, {"str", &PlayerRecord::str},
        {"agi", &PlayerRecord::agi}, {"end", &PlayerRecord::end}, {"wil", &PlayerRecord::wil},
        {"hrg", &PlayerRecord::hrg}, {"spd", &PlayerRecord::spd},
    };
    for (const Row& row : rows)
        if (std::strcmp(row.name, name) == 0) return Plr.*(row.field);
    return 0;
}

// The culture multiplier tag of a heading line.
int culture_multiplier(const char* heading, int culture) {
    static const char* const keys[14] = {"kau", "dri", "kie", "ree", "sar", "isl", "koi",
                                         "kui", "owl", "sea", "vag", "nje", "for", "woo"};
    const char* value = nullptr;
    if (culture >= 0 && culture < 14) value = tag_value(heading, keys[culture], nullptr);
    if (!value) value = tag_value(heading, "def", nullptr);
    if (!value) return 1;
    int m = 0;
    if (std::sscanf(value, "%d", &m) != 1) return 1;
    return m;
}

int clamp_level(int level) { return level < 0 ? 0 : (level > 100 ? 100 : level); }

}  // namespace

int skill_attribute_base(int creature, const char* skill, int kind) {
    // Creatures' own attributes come with the creature table; until then a
    // creature is asked about with the player's attributes and culture.
    (void)creature;
    if (!skill || !skill[0]) return 0;
    SkillEntry entry;
    if (!find_entry(skill, entry)) {
        if (compare_no_case(skill, "SURVIVAL") != 0 && compare_no_case(skill, "DAGGER") != 0 &&
            compare_no_case(skill, "RITUAL") != 0) {
            char text[160];
            format_text(text, sizeof text, "!Bug! Couldn't resolve %s-skill. Report!", skill);
            show_message(text);
        }
        return 0;
    }
    if (kind == SKILL_KEY) return (unsigned char)entry.key;
    if (kind == SKILL_GROUP) {
        char group[64];
        copy_text(group, sizeof group, upper_case_copy(entry.group));
        if (std::strstr(group, "COMBAT")) return 2;
        if (std::strstr(group, "PHYSICAL")) return 1;
        return 0;
    }
    int sum = 0;
    int names = 0;
    char word[32];
    const char* p = entry.attribs;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        size_t n = 0;
        while (p[n] && p[n] != ' ' && p[n] != '\t') ++n;
        size_t keep = n < sizeof word - 1 ? n : sizeof word - 1;
        std::memcpy(word, p, keep);
        word[keep] = 0;
        sum += attribute_value(word);
        ++names;
        p += n;
    }
    int base = names ? (sum + names - 1) / names : 0;
    if (kind == SKILL_BASE) return base;
    return base * culture_multiplier(entry.heading, Plr.culture);
}

void add_skill(const char* skill) {
    int slot = find_skill_exact(Plr, skill);
    if (slot >= 0 && Plr.skill_level[slot] > 0) return;
    if (slot < 0) slot = find_free_skill_slot(Plr);
    if (slot < 0) return;
    int base = skill_attribute_base(-1, skill, SKILL_BASE);
    int level = skill_attribute_base(-1, skill, SKILL_START_LEVEL);
    set_skill_name(Plr, slot, skill);
    Plr.skill_attr_base[slot] = uint8_t(base > 255 ? 255 : base);
    Plr.skill_level[slot] = uint8_t(clamp_level(level));
}

namespace {
const char* const standard_skills[] = {
    "DODGE",     "AGRICULTURE", "SHIELD",      "KNIFE",     "SWORD",       "CLUB",
    "AXE",       "FLAIL",       "SPEAR",       "BOW",       "CROSSBOW",    "UNARMED",
    "PHYSICIAN", "CLIMBING",    "STEALTH",     "COOKERY",   "SKIING",      "TIMBERCRAFT",
    "SWIMMING",  "FISHING",     "WEATHERLORE", "CARPENTRY", "HERBLORE",    "HIDEWORKING",
    "TRACKING",  "TRAPPING",    "BUILDING",    "TEXTILECRAFT"};

bool known_attribute(const char* word) {
    static const char* const names[] = {"smt", "eye", "tch", "int", "dex", "str",
                                        "agi", "end", "wil", "hrg", "spd"};
    for (const char* n : names)
        if (std::strcmp(n, word) == 0) return true;
    return false;
}
}  // namespace

bool check_skill_table(char* error, size_t error_size) {
    const std::string path = resolve_path_ci("ini_skills.txt");
    std::vector<uint8_t> bytes;
    if (file_size(path) < 0) {
        copy_text(error, error_size, "ini_skills.txt (the skill table) is missing");
        return false;
    }
    if (!read_whole_file(path, bytes, 1u << 20)) {
        copy_text(error, error_size, "ini_skills.txt (the skill table) can't be read or is far too large");
        return false;
    }
    auto damaged = [&](int line, const char* what) {
        format_text(error, error_size, "ini_skills.txt (the skill table) is damaged: line %d %s", line, what);
        return false;
    };
    std::vector<std::string> names;
    int number = 0;
    bool in_entry = false;
    size_t at = 0;
    while (at < bytes.size()) {
        ++number;
        size_t end = at;
        while (end < bytes.size() && bytes[end] != '\n') ++end;
        std::string text(reinterpret_cast<const char*>(bytes.data()) + at, end - at);
        at = end + 1;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (text.size() >= LINE_BYTES) return damaged(number, "is too long");
        for (char ch : text)
            if (static_cast<unsigned char>(ch) < 32 && ch != '\t') return damaged(number, "holds a control character");
        char line[LINE_BYTES];
        copy_text(line, sizeof line, text.c_str());
        if (is_comment(line)) continue;
        if (!line[0]) {
            in_entry = false;
            continue;
        }
        if (line[0] == '.') {
            char name[LINE_BYTES];
            heading_name(line, name, sizeof name);
            if (!name[0] || std::strlen(name) > size_t(PLR_SKILL_NAME_BYTES))
                return damaged(number, "is a heading without a skill name between two '.'");
            const char* after = std::strchr(line + 1, '.') + 1;
            for (const char* open = std::strchr(after, '['); open; open = std::strchr(open + 1, '[')) {
                const char* colon = std::strchr(open, ':');
                const char* close = std::strchr(open, ']');
                if (!close || !colon || colon > close) return damaged(number, "has a culture tag without its value");
                int value = 0;
                char rest = 0;
                char digits[32];
                copy_text(digits, sizeof digits, std::string(colon + 1, close).c_str());
                if (std::sscanf(digits, "%d%c", &value, &rest) != 1 || value < 0 || value > 20)
                    return damaged(number, "has a culture multiplier that is not a number from 0 to 20");
            }
            names.push_back(name);
            in_entry = true;
            continue;
        }
        if (!in_entry) return damaged(number, "stands outside any skill entry");
        if (const char* value = tag_value(line, "ATTRIBS", nullptr)) {
            char attribs[LINE_BYTES];
            copy_text(attribs, sizeof attribs, value);
            int count = 0;
            char* save = nullptr;
            for (char* word = strtok_r(attribs, " \t", &save); word; word = strtok_r(nullptr, " \t", &save)) {
                if (!known_attribute(word)) return damaged(number, "names an attribute the game doesn't know");
                ++count;
            }
            if (count == 0) return damaged(number, "lists no attributes");
        }
    }
    for (const char* skill : standard_skills) {
        bool found = false;
        for (const std::string& n : names) found = found || compare_no_case(n, skill) == 0;
        if (!found) {
            format_text(error, error_size,
                        "ini_skills.txt (the skill table) is damaged: it has no entry for %s (%d lines read)", skill,
                        number);
            return false;
        }
    }
    return true;
}

void setup_skills() {
    for (const char* skill : standard_skills) add_skill(skill);
    // Two game-course events: the skills are in use and the character has
    // learned what its people know.
    report_game_course_event(COURSE_EVENT_SKILL_USE);
    report_game_course_event(COURSE_EVENT_KNOWLEDGE_LEARNED);
    // The culture's ritual knowledge comes with the rituals.
}

// ------------------------------------------------------------ option points

void begin_option_spending(int max_degrade, int options, int max_improve) {
    option_state.options_left = options;
    option_state.max_improve = max_improve;
    option_state.max_degrade = max_degrade;
    option_state.last_slot = -1;
    std::memcpy(option_state.level_before, Plr.skill_level, sizeof option_state.level_before);
    std::memset(option_state.improved, 0, sizeof option_state.improved);
}

bool skill_is_improved(const char* skill) {
    if (!skill || !skill[0]) return false;
    for (const auto& name : option_state.improved)
        if (name[0] && std::strcmp(name, skill) == 0) return true;
    return false;
}

namespace {
void set_improved(const char* skill, bool on) {
    for (auto& name : option_state.improved) {
        if (on && !name[0]) { copy_text(name, sizeof name, skill); return; }
        if (!on && name[0] && std::strcmp(name, skill) == 0) { name[0] = 0; return; }
    }
}
}  // namespace

void mark_skill_improved(const char* skill) {
    if (skill && skill[0] && !skill_is_improved(skill)) set_improved(skill, true);
}

void clear_improved_skills() { std::memset(option_state.improved, 0, sizeof option_state.improved); }

bool change_skill_option(int slot, int direction) {
    if (slot < 0 || slot >= PLR_SKILLS) return false;
    const char* name = skill_name_text(Plr, slot);
    if (!name[0] || std::strcmp(name, "DODGE") == 0) return false;
    int base = Plr.skill_attr_base[slot];
    int level = Plr.skill_level[slot];
    int before = option_state.level_before[slot];
    bool changed = false;
    if (direction > 0) {
        if (option_state.options_left > 0 && !skill_is_improved(name) && level + base < 100) {
            --option_state.options_left;
            level += base;
            Plr.skill_level[slot] = uint8_t(clamp_level(level));
            if (level >= before + base * option_state.max_improve) set_improved(name, true);
            option_state.last_slot = slot;
            changed = true;
        }
    } else if (direction < 0) {
        if (level >= base &&
            (level - base >= before || level > before - base * option_state.max_degrade)) {
            ++option_state.options_left;
            Plr.skill_level[slot] = uint8_t(level - base);
            set_improved(name, false);
            changed = true;
        }
    }
    return changed;
}
