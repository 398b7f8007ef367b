// The skill table and the starting skills of a new character.
#include "game/skill_setup.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/fatal.h"
#include "creatures/creature_files.h"
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

// One entry of the skill table, read once and kept for the run.
struct SkillEntry {
    int attribs[32];     // attribute indices, -1 for a name the game doesn't know
    int attrib_count;    // every listed name counts toward the average
    int multiplier[15];  // by culture 0..13; [14] for a body of no culture
    int group;           // 2 combat, 1 physical, 0 the rest
    char key;
};

// The attributes by name, in the order body_attributes fills them.
const char* const attribute_names[11] = {"str", "int", "end", "dex", "agi", "smt", "hrg",
                                         "spd", "eye", "tch", "wil"};
constexpr int ATTRIBUTES = 11;

struct SkillTableCache {
    bool loaded = false;
    std::unordered_map<std::string, SkillEntry> entries;  // by upper-case name
};
SkillTableCache skill_table;

bool is_comment(const char* line) {
    return (line[0] == '/' && line[1] == '/') || (line[0] == '#' && line[1] == '#');
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

int attribute_index(const char* name) {
    for (int i = 0; i < ATTRIBUTES; ++i)
        if (std::strcmp(attribute_names[i], name) == 0) return i;
    return -1;
}

// The culture multiplier tag of a heading line: the culture's tag, else
// "def", else 1.
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

// An entry from its heading and the lines after it up to the first empty
// line (a later tag of the same name wins).
SkillEntry make_entry(const std::vector<std::string>& lines, size_t heading) {
    SkillEntry entry{};
    char attribs[LINE_BYTES] = "str int dex";
    char group[64] = "lore";
    entry.key = '!';
    for (size_t i = heading + 1; i < lines.size() && !lines[i].empty(); ++i) {
        const char* line = lines[i].c_str();
        if (const char* value = tag_value(line, "ATTRIBS", nullptr)) copy_text(attribs, sizeof attribs, value);
        if (const char* value = tag_value(line, "GROUP", nullptr)) copy_text(group, sizeof group, value);
        const char* value = tag_value(line, "KEY", nullptr);
        if (value && value[0]) entry.key = value[0];
    }
    if (!attribs[0]) copy_text(attribs, sizeof attribs, "str int dex");
    char word[32];
    const char* p = attribs;
    while (*p) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) break;
        size_t n = 0;
        while (p[n] && p[n] != ' ' && p[n] != '\t') ++n;
        size_t keep = n < sizeof word - 1 ? n : sizeof word - 1;
        std::memcpy(word, p, keep);
        word[keep] = 0;
        if (entry.attrib_count < int(std::size(entry.attribs))) entry.attribs[entry.attrib_count] = attribute_index(word);
        ++entry.attrib_count;
        p += n;
    }
    char upper[64];
    copy_text(upper, sizeof upper, upper_case_copy(group));
    entry.group = std::strstr(upper, "COMBAT") ? 2 : (std::strstr(upper, "PHYSICAL") ? 1 : 0);
    for (int culture = 0; culture < 15; ++culture)
        entry.multiplier[culture] = culture_multiplier(lines[heading].c_str(), culture);
    return entry;
}

std::string upper_name(const char* name) {
    std::string out;
    for (const char* p = name; *p && out.size() < LINE_BYTES; ++p)
        out.push_back(char(std::toupper(static_cast<unsigned char>(*p))));
    return out;
}

// Reads "ini_skills.txt" into the cache; a missing table ends the program.
void load_skill_table() {
    const std::string path = resolve_path_ci("ini_skills.txt");
    std::vector<uint8_t> bytes;
    if (file_size(path) < 0 || !read_whole_file(path, bytes, 1u << 20)) exit_with_message("ini_skills.txt missing");
    // The lines as the table means them: comments gone, line ends cut, each
    // at most a line buffer long.
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = at;
        while (end < bytes.size() && bytes[end] != '\n') ++end;
        std::string text(reinterpret_cast<const char*>(bytes.data()) + at, end - at);
        at = end + 1;
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
        if (text.size() >= size_t(LINE_BYTES)) text.resize(LINE_BYTES - 1);
        if (is_comment(text.c_str())) continue;
        lines.push_back(std::move(text));
    }
    skill_table.entries.clear();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] != '.') continue;
        char name[LINE_BYTES];
        heading_name(lines[i].c_str(), name, sizeof name);
        if (!name[0]) continue;
        // The first heading of a name is the one that counts.
        skill_table.entries.try_emplace(upper_name(name), make_entry(lines, i));
    }
    skill_table.loaded = true;
}

const SkillEntry* find_entry(const char* skill) {
    if (!skill_table.loaded) load_skill_table();
    char upper[PLR_SKILL_NAME_BYTES * 4];
    size_t n = 0;
    for (; skill[n] && n + 1 < sizeof upper; ++n) upper[n] = char(std::toupper(static_cast<unsigned char>(skill[n])));
    upper[n] = 0;
    const auto it = skill_table.entries.find(std::string(upper, n));
    return it == skill_table.entries.end() ? nullptr : &it->second;
}

// The attribute values (in attribute_names' order) and the culture of a
// body: a creature's own strength, intelligence, endurance, dexterity,
// agility, smell and hearing and its home culture; the other four, and
// everything of the player, from the character record.
void body_attributes(int creature, int* values, int& culture) {
    const int player[ATTRIBUTES] = {Plr.str, Plr.intel, Plr.end, Plr.dex, Plr.agi, Plr.smt,
                                    Plr.hrg, Plr.spd,   Plr.eye, Plr.tch, Plr.wil};
    std::memcpy(values, player, sizeof player);
    culture = Plr.culture;
    if (creature < 0 || !cre_slot_valid(creature)) return;
    const CreatureRecord& c = Cre[creature];
    const int own[7] = {c.attr_str, c.attr_int, c.attr_end, c.attr_dex, c.attr_agi, c.attr_smt, c.attr_hrg};
    std::memcpy(values, own, sizeof own);
    culture = c.home_culture;
}

int clamp_level(int level) { return level < 0 ? 0 : (level > 100 ? 100 : level); }

}  // namespace

void forget_skill_table() {
    skill_table.entries.clear();
    skill_table.loaded = false;
}

int skill_attribute_base(int creature, const char* skill, int kind) {
    if (!skill || !skill[0]) return 0;
    const SkillEntry* entry = find_entry(skill);
    if (!entry) {
        if (compare_no_case(skill, "SURVIVAL") != 0 && compare_no_case(skill, "DAGGER") != 0 &&
            compare_no_case(skill, "RITUAL") != 0) {
            char text[160];
            format_text(text, sizeof text, "!Bug! Couldn't resolve %s-skill. Report!", skill);
            show_message(text);
        }
        return 0;
    }
    if (kind == SKILL_KEY) return (unsigned char)entry->key;
    if (kind == SKILL_GROUP) return entry->group;
    int values[ATTRIBUTES];
    int culture = 0;
    body_attributes(creature, values, culture);
    int sum = 0;
    const int kept = entry->attrib_count < int(std::size(entry->attribs)) ? entry->attrib_count : int(std::size(entry->attribs));
    for (int i = 0; i < kept; ++i)
        if (entry->attribs[i] >= 0) sum += values[entry->attribs[i]];
    const int names = entry->attrib_count;
    const int base = names ? (sum + names - 1) / names : 0;
    if (kind == SKILL_BASE) return base;
    return base * entry->multiplier[culture >= 0 && culture < 14 ? culture : 14];
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
