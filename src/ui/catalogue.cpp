// The message catalogue. Every lookup reads the catalogue files again; there
// is no index. Expansion of variables and references is done left to right
// in one pass each, bounded in count and length, and nothing here ever
// hands catalogue or variable text to printf as a format.
#include "ui/catalogue.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"

char message_result[CATALOGUE_TEXT_BYTES];
char heard_message_text[CATALOGUE_TEXT_BYTES];
char message_argument[CATALOGUE_TEXT_BYTES];
char message_variable_value[MESSAGE_VARIABLE_BYTES];
char msg_var_text[MSG_VAR_TEXT_BYTES] = "none";
char msg_attack_aspect[MSG_VAR_TEXT_BYTES] = "none";
char msg_attack_weapon[MSG_VAR_TEXT_BYTES] = "none";
char msg_attack_bow[MSG_VAR_TEXT_BYTES] = "none";
char msg_defend_aspect[MSG_VAR_TEXT_BYTES] = "none";
char msg_defend_weapon[MSG_VAR_TEXT_BYTES] = "none";
char msg_bodypart[MSG_VAR_TEXT_BYTES] = "none";
char msg_bodypart_counterstrike[MSG_VAR_TEXT_BYTES] = "none";
char msg_wounded_bodypart[MSG_VAR_TEXT_BYTES] = "none";
char msg_status[MSG_VAR_TEXT_BYTES] = "none";
uint8_t msg_wc_bonus = 0;
uint8_t msg_attack_class = 0;
uint8_t msg_defense_class = 0;
int32_t msg_weapon_slot = 0;
int32_t msg_attacker = -1;
int32_t msg_defender = -1;
int32_t msg_npc = -1;
int32_t& msg_subject_creature = msg_npc;
int32_t msg_item = 0;
int32_t msg_num = 0;
int32_t msg_prepdays = 0;
int32_t msg_direction = 0;


// ------------------------------------------- what the game answers

namespace {

int no_sex() { return 1; }
const char* no_text() { return ""; }
const char* no_text_for(int) { return ""; }
const char* no_address(int, int) { return "stranger"; }
int neutral_level(int) { return 3; }
const char* plain_item(int, int, int) { return "item"; }
int zero_for(int) { return 0; }
int no_kind(int) { return -1; }
const char* plain_creature(int, int) { return "creature"; }
const char* growl(int) { return "growl"; }
const char* plain_sound(int) { return "sound"; }

void catalogue_debug_log(const char* text) { debug_log("msg", text); }

}  // namespace

CatalogueQuestions catalogue_questions = {
    no_sex,     no_text,  no_address, no_text_for, neutral_level,  no_text_for, plain_item,
    plain_item, zero_for, zero_for,   no_kind,     plain_creature, growl,       plain_sound,
};

namespace {

constexpr int LINE_BYTES = 1026;        // lines of up to 1024 characters
constexpr size_t BLOCK_TEXT_CHARS = 300;  // a block's text and heard text
constexpr int MAX_EXPANSIONS = 16;        // references expanded per text
constexpr size_t TAG_BYTES = 320;
constexpr const char* CATALOGUE_PATTERN = "messages/ksm_*.txt";
constexpr const char* CHAT_FILE = "messages/ksm_chat.txt";

// find_message_text's own result, so that a reference can be looked up
// while message_result is being built.
char found_text[CATALOGUE_TEXT_BYTES];

bool contains(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

// Copies at most `chars` characters of src into dst (cap bytes).
void copy_chars(char* dst, size_t cap, const char* src, size_t chars) {
    size_t n = std::strlen(src);
    if (n > chars) n = chars;
    if (n > cap - 1) n = cap - 1;
    std::memcpy(dst, src, n);
    dst[n] = 0;
}

// What follows the first ':' of a line, at most 300 characters, with a
// final ']' removed (or a ']' and the one character after it).
void text_after_colon(const char* line, char* out, size_t cap) {
    const char* colon = std::strchr(line, ':');
    copy_chars(out, cap, colon ? colon + 1 : "", BLOCK_TEXT_CHARS);
    size_t n = std::strlen(out);
    if (n >= 1 && out[n - 1] == ']') {
        out[n - 1] = 0;
    } else if (n >= 2 && out[n - 2] == ']') {
        out[n - 2] = 0;
    }
}

bool ends_block(const char* line) { return std::strlen(line) < 2 || line[0] == '/'; }

// The catalogue files in sorted name order; the chat file holds topics,
// not message keys, and is left out.
std::vector<std::string> catalogue_files() {
    std::vector<std::string> names;
    for (const DirEntry& e : list_matching(CATALOGUE_PATTERN)) {
        if (e.is_dir) continue;
        if (compare_no_case(e.name, "ksm_chat.txt") == 0) continue;
        names.push_back(e.name);
    }
    return names;
}

// Replaces the first "%s" of text (cap bytes) by value; the value is not
// looked at again. Nothing happens without a "%s".
void replace_first_percent_s(char* text, size_t cap, const char* value) {
    char* at = std::strstr(text, "%s");
    if (!at) return;
    char rest[CATALOGUE_TEXT_BYTES];
    copy_text(rest, sizeof rest, at + 2);
    *at = 0;
    append_text(text, cap, value);
    append_text(text, cap, rest);
}

// Text whose bytes remember whether they came from a variable's value:
// brackets of such bytes never open a reference.
struct MarkedText {
    char text[CATALOGUE_TEXT_BYTES];
    bool from_value[CATALOGUE_TEXT_BYTES];
    size_t len;
};

void marked_append(MarkedText& t, const char* src, size_t n, bool from_value) {
    for (size_t i = 0; i < n && src[i] && t.len < CATALOGUE_TEXT_BYTES - 1; ++i) {
        t.text[t.len] = src[i];
        t.from_value[t.len] = from_value;
        ++t.len;
    }
    t.text[t.len] = 0;
}

// Fills every <name> of src once, left to right, into out: a value is put
// in as it stands and never filled again.
void fill_variables_marked(const char* src, MarkedText& out) {
    out.len = 0;
    out.text[0] = 0;
    const char* p = src;
    while (*p) {
        const char* open = std::strchr(p, '<');
        const char* close = open ? std::strchr(open + 1, '>') : nullptr;
        if (!open || !close) {
            marked_append(out, p, std::strlen(p), false);
            break;
        }
        marked_append(out, p, size_t(open - p), false);
        if (close == open + 1) {  // "<>" names nothing and stays
            marked_append(out, open, 2, false);
        } else {
            char name[MESSAGE_VARIABLE_BYTES];
            copy_chars(name, sizeof name, open + 1, size_t(close - open - 1));
            char value[MESSAGE_VARIABLE_BYTES];
            copy_text(value, sizeof value, message_variable(name));
            marked_append(out, value, std::strlen(value), true);
        }
        p = close + 1;
    }
}

const char* lookup_block(const char* key, bool set_heard);

// Replaces every [NAME] of the text by the text of that key. Text put in
// by a reference is looked at again (it may refer further), at most 16
// references in all; brackets that came from a variable's value are text.
void expand_references(MarkedText& t) {
    size_t pos = 0;
    for (int expansions = 0; expansions < MAX_EXPANSIONS;) {
        size_t open = pos;
        while (open < t.len && !(t.text[open] == '[' && !t.from_value[open])) ++open;
        if (open >= t.len) return;
        size_t close = open + 1;
        while (close < t.len && !(t.text[close] == ']' && !t.from_value[close])) ++close;
        if (close >= t.len) return;
        if (close == open + 1) {  // "[]" names nothing and stays
            pos = close + 1;
            continue;
        }
        char name[MESSAGE_VARIABLE_BYTES];
        copy_chars(name, sizeof name, t.text + open + 1, close - open - 1);
        char inserted[CATALOGUE_TEXT_BYTES];
        copy_text(inserted, sizeof inserted, lookup_block(name, false));

        MarkedText out;
        out.len = 0;
        std::memcpy(out.text, t.text, open);
        std::memcpy(out.from_value, t.from_value, open);
        out.len = open;
        marked_append(out, inserted, std::strlen(inserted), false);
        for (size_t i = close + 1; i < t.len && out.len < CATALOGUE_TEXT_BYTES - 1; ++i) {
            out.text[out.len] = t.text[i];
            out.from_value[out.len] = t.from_value[i];
            ++out.len;
        }
        out.text[out.len] = 0;
        t = out;
        pos = open;  // the inserted text is scanned next
        ++expansions;
    }
}

void expand_text(char* text, size_t cap, bool fill_variables) {
    MarkedText t;
    if (fill_variables) {
        fill_variables_marked(text, t);
    } else {
        t.len = 0;
        marked_append(t, text, std::strlen(text), false);
    }
    expand_references(t);
    copy_text(text, cap, t.text);
}

// The raw lookup; fills found_text. The heard version is taken only for the
// block that was asked for, never for a reference inside it.
const char* lookup_block(const char* key, bool set_heard) {
    char search[LINE_BYTES];
    format_text(search, sizeof search, ".%s.", key);
    if (std::strstr(search, "%s")) {
        char name[LINE_BYTES];
        copy_text(name, sizeof name, search);
        replace_first_percent_s(search, sizeof search, message_variable(name));
    }

    char tag[TAG_BYTES] = "";
    char caller_value[TAG_BYTES] = "";
    if (char* colon = std::strchr(search, ':')) {
        copy_text(caller_value, sizeof caller_value, colon + 1);
        size_t n = std::strlen(caller_value);
        if (n > 0 && caller_value[n - 1] == '.') caller_value[n - 1] = 0;
        format_text(tag, sizeof tag, "[%s:", caller_value);
        colon[0] = '.';
        colon[1] = 0;
    }
    if (caller_value[0]) {
        format_text(found_text, sizeof found_text, "%s(%s)", search, caller_value);
    } else {
        copy_text(found_text, sizeof found_text, search);
    }

    std::vector<std::string> files = catalogue_files();
    if (files.empty()) {
        format_text(found_text, sizeof found_text, "!ERROR: %s is missing!", CATALOGUE_PATTERN);
        return found_text;
    }

    static char line[LINE_BYTES];
    for (const std::string& name : files) {
        std::string path = "messages/" + name;
        FILE* f = open_file_ci(path, "r");
        if (!f) {
            format_text(found_text, sizeof found_text, "!ERROR: %s is missing!", path.c_str());
            return found_text;
        }
        bool key_line = false;
        while (read_data_line(line, sizeof line, f)) {
            if (std::strstr(line, search)) {
                key_line = true;
                break;
            }
        }
        if (!key_line) {
            std::fclose(f);
            continue;
        }

        // The key is here: this file decides.
        const char* open = std::strchr(line, '(');
        const char* close = open ? std::strchr(open + 1, ')') : nullptr;
        if (open && close && close > open + 1) {
            char variable[MESSAGE_VARIABLE_BYTES];
            copy_chars(variable, sizeof variable, open + 1, size_t(close - open - 1));
            format_text(tag, sizeof tag, "[%s:", message_variable(variable));
        }

        bool found = false;
        if (!tag[0]) {
            if (read_data_line(line, sizeof line, f)) {
                copy_chars(found_text, sizeof found_text, line, BLOCK_TEXT_CHARS);
                found = true;
            }
        } else {
            while (read_data_line(line, sizeof line, f)) {
                if (ends_block(line)) break;
                const char* colon = std::strchr(line, ':');
                if (line[0] != '[' || !colon) continue;
                char head[LINE_BYTES];
                copy_chars(head, sizeof head, line, size_t(colon - line) + 1);
                if (!match_wildcards(head, tag)) continue;
                text_after_colon(line, found_text, sizeof found_text);
                if (contains(found_text, "debug")) copy_text(found_text, sizeof found_text, tag);
                found = true;
                break;
            }
        }

        if (found && set_heard) {
            // The heard version: from the line last read to the block's end.
            bool have_line = true;
            while (have_line && !ends_block(line)) {
                if (std::strstr(line, "[HEAR:")) {
                    text_after_colon(line, heard_message_text, sizeof heard_message_text);
                    break;
                }
                have_line = read_data_line(line, sizeof line, f) != nullptr;
            }
        }
        std::fclose(f);
        return found_text;
    }
    return found_text;
}

}  // namespace

const char* find_message_text(const char* key) { return lookup_block(key ? key : "", true); }

void fill_message_variables(char* text, size_t cap) {
    if (!text || cap == 0) return;
    MarkedText t;
    fill_variables_marked(text, t);
    copy_text(text, cap, t.text);
}

const char* message_by_key(const char* key) {
    if (!key) key = "";
    catalogue_debug_log(key);

    heard_message_text[0] = 0;
    message_result[0] = 0;
    char key_copy[CATALOGUE_TEXT_BYTES];
    copy_text(key_copy, sizeof key_copy, key);
    fill_message_variables(key_copy, sizeof key_copy);

    copy_text(message_result, sizeof message_result, find_message_text(key_copy));
    expand_text(message_result, sizeof message_result, true);
    if (heard_message_text[0]) {
        expand_text(heard_message_text, sizeof heard_message_text, true);
        if (message_argument[0])
            replace_first_percent_s(heard_message_text, sizeof heard_message_text, message_argument);
    }

    message_argument[0] = 0;
    catalogue_debug_log(message_result);
    return message_result;
}

// ------------------------------------------------------------- variables

namespace {

void set_value(const char* text) { copy_text(message_variable_value, sizeof message_variable_value, text); }

void set_number(long long n) { format_text(message_variable_value, sizeof message_variable_value, "%lld", n); }

}  // namespace

const char* message_variable(const char* name_in) {
    char name[MESSAGE_VARIABLE_BYTES];
    copy_text(name, sizeof name, name_in ? name_in : "");
    format_text(message_variable_value, sizeof message_variable_value, "?%s?", name);

    if (contains(name, "direction")) set_value(direction_name(msg_direction));
    if (contains(name, "npc_direction")) {
        set_value(catalogue_questions.direction_to_creature(msg_npc));
        return message_variable_value;
    }

    if (contains(name, "var")) set_value(msg_var_text);
    if (contains(name, "attack_aspect")) set_value(msg_attack_aspect);
    if (contains(name, "attack_weapon")) set_value(msg_attack_weapon);
    if (contains(name, "attack_bow")) set_value(msg_attack_bow);
    if (contains(name, "defend_aspect")) set_value(msg_defend_aspect);
    if (contains(name, "defend_weapon")) set_value(msg_defend_weapon);
    if (contains(name, "wc_bonus")) set_number(msg_wc_bonus);
    if (contains(name, "attack_class")) set_number(msg_attack_class);
    if (contains(name, "defense_class")) set_number(msg_defense_class);

    if (std::strcmp(name, "bodypart") == 0) set_value(msg_bodypart);
    if (std::strcmp(name, "bodypart_counterstrike") == 0) set_value(msg_bodypart_counterstrike);
    if (std::strcmp(name, "wounded_bodypart") == 0) set_value(msg_wounded_bodypart);
    if (std::strcmp(name, "weapon_slot") == 0) set_number(msg_weapon_slot);

    // The creature in question; a later word of the list wins.
    int32_t creature = 1000;
    if (contains(name, "attacker")) creature = msg_attacker;
    if (contains(name, "defender")) creature = msg_defender;
    if (contains(name, "npc")) creature = msg_npc;
    if (contains(name, "who")) creature = msg_npc;

    if (contains(name, "plr_")) {
        if (contains(name, "_gender")) {
            set_value(catalogue_questions.player_sex() == 1 ? "man" : "woman");
        } else if (contains(name, "_identity")) {
            set_value(catalogue_questions.address_term(msg_npc, 0));
        } else if (contains(name, "_bad_name")) {
            set_value(catalogue_questions.address_term(msg_npc, 1));
        } else if (contains(name, "_name")) {
            set_value(catalogue_questions.player_first_name());
        }
    }

    if (contains(name, "reptitle")) {
        char title[MESSAGE_VARIABLE_BYTES] = "adventurer";
        const char* phrase = nullptr;
        if (contains(name, "tra")) phrase = catalogue_questions.standing_title(CATALOGUE_STANDING_TRADE);
        if (contains(name, "ste") || contains(name, "the") || contains(name, "thi"))
            phrase = catalogue_questions.standing_title(CATALOGUE_STANDING_THEFT);
        if (contains(name, "misch")) phrase = catalogue_questions.standing_title(CATALOGUE_STANDING_MISCHIEF);
        if (contains(name, "hel")) phrase = catalogue_questions.standing_title(CATALOGUE_STANDING_HELP);
        if (phrase && phrase[0]) copy_text(title, sizeof title, phrase);
        if (contains(name, "ind")) {
            set_value(with_indefinite_article(title));
        } else if (contains(name, "the")) {
            format_text(message_variable_value, sizeof message_variable_value, "the %s", title);
        } else {
            set_value(title);
        }
    }

    if (contains(name, "num")) set_number(msg_num);
    if (contains(name, "prepdays")) set_number(msg_prepdays);
    if (contains(name, "status")) set_value(msg_status);

    if (contains(name, "item") && (msg_item >= 0 || msg_item == -1)) {
        int flags = (contains(name, "verbose") || contains(name, "full")) ? 0 : 4;
        int count = 1;
        if (contains(name, "items")) {
            if (contains(name, "nonum")) {
                count = 2;
            } else {
                count = msg_num;
                flags += 1;
            }
        }
        if (contains(name, "_container")) flags += 32;
        if (contains(name, "(s)")) {
            count = msg_num;
            flags += 1;
        }
        char item[MESSAGE_VARIABLE_BYTES];
        copy_text(item, sizeof item,
                  contains(name, "raw") ? catalogue_questions.item_name(msg_item, count, flags)
                                        : catalogue_questions.item_name_with_unit(msg_item, count, flags));
        if (contains(name, "def") || contains(name, "the")) {
            format_text(message_variable_value, sizeof message_variable_value, "the %s", item);
        } else if (count == 1 && contains(name, "ind")) {
            set_value(with_indefinite_article(item));
        } else {
            set_value(item);
        }
    }

    if (creature != 1000) {
        bool player = creature == -1;
        if (player) {
            set_value("PC");
        } else {
            int cls = catalogue_questions.creature_class(creature);
            if (cls == 1) {
                set_value(catalogue_questions.creature_is_female(creature) ? "FEM" : "MASC");
            } else if (cls == 50) {
                set_value(catalogue_questions.creature_kind(creature) == 700 ? "FEM" : "MASC");
            } else {
                set_value("ANIMAL");
            }
        }
        if (contains(name, "_desc")) set_value(player ? "you" : catalogue_questions.creature_name(creature, 0));
        if (contains(name, "_defdesc") || contains(name, "the"))
            set_value(player ? "you" : catalogue_questions.creature_name(creature, 2));
        if (contains(name, "_aggsound")) set_value(player ? "swear" : catalogue_questions.creature_aggression_sound(creature));
        if (contains(name, "_sound"))
            set_value(player ? "sing" : catalogue_questions.creature_sound(creature));
    }
    return message_variable_value;
}

// ------------------------------------------------------------ chat lines

char* chat_line(const char* topic_in) {
    const char* topic = topic_in ? topic_in : "";
    char* result = next_ring_text();
    format_text(result, TEXT_RING_BYTES, "I haven't been taught to talk about %s.", topic);

    FILE* f = open_file_ci(CHAT_FILE, "r");
    if (f) {
        char search[LINE_BYTES];
        format_text(search, sizeof search, ".%s.", topic);
        char filter[LINE_BYTES] = "";
        if (char* colon = std::strchr(search, ':')) {
            copy_text(filter, sizeof filter, colon + 1);
            size_t n = std::strlen(filter);
            if (n > 0 && filter[n - 1] == '.') filter[n - 1] = 0;
            colon[0] = '.';
            colon[1] = 0;
        }

        static char line[LINE_BYTES];
        bool topic_found = false;
        while (read_data_line(line, sizeof line, f)) {
            if (std::strstr(line, search)) {
                topic_found = true;
                break;
            }
        }
        if (topic_found) {
            int level = 0;
            // The last word found on the line wins.
            const char* best = nullptr;
            auto consider = [&](const char* word, int value) {
                const char* at = std::strstr(line, word);
                if (at && (!best || at > best)) {
                    best = at;
                    level = value;
                }
            };
            consider("(tra", catalogue_questions.standing_level(CATALOGUE_STANDING_TRADE));
            consider("(steal", catalogue_questions.standing_level(CATALOGUE_STANDING_THEFT));
            consider("(theft)", catalogue_questions.standing_level(CATALOGUE_STANDING_THEFT));
            consider("(mis", catalogue_questions.standing_level(CATALOGUE_STANDING_MISCHIEF));
            consider("(overall", catalogue_questions.standing_level(CATALOGUE_STANDING_OVERALL));
            consider("(help", catalogue_questions.standing_level(CATALOGUE_STANDING_HELP));
            int fam = catalogue_questions.standing_level(CATALOGUE_STANDING_FAMILIARITY);
            consider("(fam", fam == 2 ? 3 : fam);

            static char texts[7][CATALOGUE_TEXT_BYTES];
            static char fallback[CATALOGUE_TEXT_BYTES];
            for (auto& t : texts) t[0] = 0;
            fallback[0] = 0;
            bool have_default = false;
            while (read_data_line(line, sizeof line, f)) {
                const char* dash = std::strchr(line, '-');
                if (!line[0] || !dash) break;
                if (filter[0] && !std::strstr(line, filter)) continue;
                char label[3];
                copy_chars(label, sizeof label, line, size_t(dash - line));
                const char* text = dash + 1;
                if (!have_default) {
                    copy_text(fallback, sizeof fallback, text);
                    have_default = true;
                }
                if (std::strcmp(label, ":(") == 0) {
                    for (int l = 0; l <= 2; ++l) copy_text(texts[l], sizeof texts[l], text);
                } else if (std::strcmp(label, ":)") == 0) {
                    for (int l = 4; l <= 6; ++l) copy_text(texts[l], sizeof texts[l], text);
                } else {
                    copy_text(texts[3], sizeof texts[3], text);
                }
            }
            const char* chosen = (level >= 0 && level <= 6 && texts[level][0]) ? texts[level] : fallback;
            copy_text(result, TEXT_RING_BYTES, chosen);
        }
        std::fclose(f);
    }

    fill_message_variables(result, TEXT_RING_BYTES);
    if (!result[0]) format_text(result, TEXT_RING_BYTES, "I can't talk about %s.", topic);
    return result;
}

// ------------------------------------------------- filling a text's places

char* fill_message_format(char* dst, size_t cap, const char* text,
                          std::initializer_list<const char*> values) {
    if (!dst || cap == 0) return dst;
    dst[0] = 0;
    if (!text) return dst;
    const char* const* next = values.begin();
    size_t len = 0;
    auto put = [&](const char* s, size_t n) {
        for (size_t i = 0; i < n && s[i] && len < cap - 1; ++i) dst[len++] = s[i];
        dst[len] = 0;
    };
    const char* p = text;
    while (*p) {
        if (*p != '%') {
            put(p, 1);
            ++p;
            continue;
        }
        if (p[1] == '%') {
            put("%", 1);
            p += 2;
            continue;
        }
        // A place: flags, width, precision and length letters, then the
        // conversion letter.
        const char* q = p + 1;
        // (A blank is not taken as a flag: "50% off" is text.)
        while (*q && std::strchr("-+#0123456789.", *q)) ++q;
        while (*q && std::strchr("hlLqjzt", *q)) ++q;
        if (*q && std::strchr("sdiucfgxX", *q) && next != values.end()) {
            const char* v = *next++;
            put(v ? v : "", std::strlen(v ? v : ""));
            p = q + 1;
        } else {
            put(p, 1);  // not a place, or no value left: kept as it stands
            ++p;
        }
    }
    return dst;
}
