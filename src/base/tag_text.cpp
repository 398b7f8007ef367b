#include "base/tag_text.h"

#include <cstdio>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"

// ------------------------------------------------------------ tag values

char tag_text_buffer[TAG_TEXT_BYTES];

namespace {

// Copies `length` bytes of `from` into tag_text_buffer, cut to fit.
const char* set_tag_text(const char* from, size_t length) {
    if (length > TAG_TEXT_BYTES - 1) length = TAG_TEXT_BYTES - 1;
    std::memcpy(tag_text_buffer, from, length);
    tag_text_buffer[length] = '\0';
    return tag_text_buffer;
}

}  // namespace

const char* tag_value(const char* text, const char* key, const char* default_value) {
    if (text == nullptr || key == nullptr) return default_value;
    char pattern[TAG_TEXT_BYTES];
    format_text(pattern, sizeof pattern, "[%s:", key);
    const char* found = std::strstr(text, pattern);
    if (found == nullptr) return default_value;
    const char* value = found + std::strlen(pattern);
    // The value ends at its ']'; a tag left open ends with its line.
    size_t length = std::strcspn(value, "]\r\n");
    return set_tag_text(value, length);
}

char* fix_a_umlaut(char* text) {
    if (text == nullptr) return text;
    for (char* p = text; *p; ++p)
        if (static_cast<unsigned char>(*p) == 0x84) *p = '\xE4';
    return text;
}

const char* text_between_delimiters(const char* text, const char* pair) {
    tag_text_buffer[0] = '\0';
    if (text == nullptr || pair == nullptr || pair[0] == '\0' || pair[1] == '\0')
        return tag_text_buffer;
    const char* open = std::strchr(text, pair[0]);
    if (open == nullptr) return tag_text_buffer;
    const char* close;
    if (pair[0] == pair[1]) {
        // From two places on, so that an empty pair is not taken as one.
        close = open[1] == '\0' ? nullptr : std::strchr(open + 2, pair[1]);
    } else {
        close = std::strchr(text, pair[1]);
    }
    // A missing closing delimiter, or one before the opening, is no pair.
    if (close == nullptr || close <= open) return tag_text_buffer;
    set_tag_text(open + 1, static_cast<size_t>(close - open - 1));
    fix_a_umlaut(tag_text_buffer);
    return tag_text_buffer;
}

// ------------------------------------------------------------ word buffer

char word_buffer[WORD_BUFFER_SLOTS][WORD_BYTES];
int32_t word_count = 0;
char drawn_text_copy[DRAWN_TEXT_BYTES];

void clear_word_buffer() {
    std::memset(word_buffer, 0, sizeof word_buffer);
    word_count = 0;
    std::memset(drawn_text_copy, 0, sizeof drawn_text_copy);
}

namespace {

// The last slot always stays empty, so that every reader finds the end.
constexpr int LAST_WORD_SLOT = WORD_BUFFER_SLOTS - 2;

bool word_slot_usable() { return word_count >= 0 && word_count <= LAST_WORD_SLOT; }

void append_char_to_word(char c) {
    if (!word_slot_usable()) return;
    char* word = word_buffer[word_count];
    size_t length = std::strlen(word);
    if (length < WORD_BYTES - 1) {
        word[length] = c;
        word[length + 1] = '\0';
    }
}

bool current_word_empty() { return !word_slot_usable() || word_buffer[word_count][0] == '\0'; }

void end_word() {
    if (word_slot_usable()) ++word_count;
}

void add_word(const char* word) {
    if (!word_slot_usable()) return;
    copy_text(word_buffer[word_count], WORD_BYTES, word);
    ++word_count;
}

}  // namespace

void add_text_to_word_buffer(bool clear_first, const char* text) {
    if (clear_first) clear_word_buffer();
    if (word_count < 0) word_count = 0;
    if (text == nullptr || text[0] == '\0') {
        add_word("<br>");
        add_word("<br>");
        return;
    }
    const char* p = text;
    if (p[0] == ' ' && p[1] != ' ') {
        add_word(" ");  // an indent
        ++p;
    }
    for (; *p; ++p) {
        char c = *p;
        if (c == ' ') {
            if (p[1] == ' ') {
                append_char_to_word(c);
            } else if (!current_word_empty()) {
                end_word();  // a blank ends only a word that has begun
            }
        } else if (c == '<') {
            if (!current_word_empty()) end_word();
            append_char_to_word(c);
        } else if (c == '>') {
            append_char_to_word(c);
            end_word();
        } else {
            append_char_to_word(c);
        }
    }
    if (!current_word_empty()) end_word();
}

char* word_buffer_text() {
    char* out = next_ring_text();
    std::memset(drawn_text_copy, 0, sizeof drawn_text_copy);
    size_t length = 0;
    bool full = false;
    int slot = 0;
    for (; slot < WORD_BUFFER_SLOTS && word_buffer[slot][0] != '\0'; ++slot) {
        if (full) continue;
        const char* word = word_buffer[slot];
        if (word[0] == '<') continue;
        bool blank = slot + 1 < WORD_BUFFER_SLOTS && word_buffer[slot + 1][0] != '\0' &&
                     word_buffer[slot + 1][0] != '.';
        size_t n = std::strlen(word);
        if (length + n + (blank ? 1 : 0) > TEXT_RING_BYTES - 1) {
            full = true;
            continue;
        }
        std::memcpy(out + length, word, n);
        length += n;
        if (blank) out[length++] = ' ';
        out[length] = '\0';
    }
    // Left at the number of words, so that more text can still be added.
    word_count = slot;
    return out;
}

void join_word_list_with_and(int first_slot, int minimum_items) {
    if (first_slot < 0) first_slot = 0;
    int end = first_slot;
    while (end < WORD_BUFFER_SLOTS && word_buffer[end][0] != '\0') ++end;
    int last = -1, second_last = -1, found = 0;
    for (int slot = end - 1; slot >= first_slot; --slot) {
        size_t length = std::strlen(word_buffer[slot]);
        if (length == 0 || word_buffer[slot][length - 1] != ',') continue;
        if (found == 0) last = slot;
        if (found == 1) second_last = slot;
        ++found;
    }
    if (last < 0) return;
    word_buffer[last][std::strlen(word_buffer[last]) - 1] = '\0';
    if (found >= minimum_items && second_last >= 0) {
        char* word = word_buffer[second_last];
        word[std::strlen(word) - 1] = '\0';
        append_text(word, WORD_BYTES, " and");
    }
}

// ---------------------------------------------------------- screen texts

void load_screen_info_text(const char* screen_name) {
    const char* name = screen_name ? screen_name : "";
    static const char file_name[] = "gameinfo/ksm_scrinfo.txt";
    char marker[TAG_TEXT_BYTES];
    format_text(marker, sizeof marker, ".%s.", name);
    char missing[TAG_TEXT_BYTES];
    format_text(missing, sizeof missing, "%s %s", file_name, marker);
    add_text_to_word_buffer(true, missing);

    FILE* file = open_file_ci(file_name, "rb");
    if (file == nullptr) return;
    char line[301];
    bool inside = false;
    while (read_data_line(line, sizeof line, file) != nullptr) {
        if (!inside) {
            clear_word_buffer();
            if (std::strstr(line, marker) != nullptr) inside = true;
            continue;
        }
        if (line[0] == '\0' || std::strstr(line, "***") != nullptr) break;
        add_text_to_word_buffer(false, line);
    }
    std::fclose(file);
}

// ---------------------------------------------------------- coded messages

char coded_message_table[CODED_MESSAGE_ROWS][CODED_MESSAGE_BYTES];

void load_coded_messages() {
    for (auto& row : coded_message_table) copy_text(row, CODED_MESSAGE_BYTES, " ");
    FILE* file = open_file_ci("NOTES.STD", "rb");
    if (file == nullptr) {
        std::printf("Ksm internal error: couldn't open NOTES.STD\n");
        std::fflush(stdout);
        return;
    }
    char line[301];
    int row = 0;
    bool cut = false;
    while (read_data_line(line, sizeof line, file) != nullptr) {
        if (row >= CODED_MESSAGE_ROWS) {
            std::printf("Ksm internal error: NOTES.STD has more than %d lines; the rest are left out\n",
                        CODED_MESSAGE_ROWS);
            break;
        }
        size_t length = std::strlen(line);
        if (length > CODED_MESSAGE_BYTES - 1) {
            // Keep the line code: the message is cut, not its last character.
            char code = line[length - 1];
            line[CODED_MESSAGE_BYTES - 2] = code;
            line[CODED_MESSAGE_BYTES - 1] = '\0';
            cut = true;
        }
        copy_text(coded_message_table[row], CODED_MESSAGE_BYTES, line);
        ++row;
    }
    if (cut)
        std::printf("Ksm internal error: NOTES.STD has lines over %d characters; they are cut\n",
                    CODED_MESSAGE_BYTES - 1);
    std::fflush(stdout);
    std::fclose(file);
}

void coded_message(char section_code, char line_code, char* out, size_t cap) {
    if (out == nullptr || cap == 0) return;
    bool in_section = false;
    for (const auto& row : coded_message_table) {
        size_t length = strnlen(row, CODED_MESSAGE_BYTES);
        if (length < 2 || length >= CODED_MESSAGE_BYTES) continue;
        if (row[0] == '*') {
            in_section = row[1] == section_code;
        } else if (in_section && row[length - 1] == line_code) {
            size_t n = length - 1 < cap - 1 ? length - 1 : cap - 1;
            std::memcpy(out, row, n);
            out[n] = '\0';
            return;
        }
    }
    copy_text(out, cap, coded_message_table[CODED_MESSAGE_ROWS - 1]);
}

// ----------------------------------------------------- activities, refusals

char* cant_while_text(const char* action, const char* state) {
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "!You can't %s while %s!", action ? action : "",
                state ? state : "");
    return out;
}

char* cant_do_text(const char* action) {
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "!You can't %s!", action ? action : "");
    return out;
}

namespace {

struct ActivityName {
    int code;
    const char* name;
};

const ActivityName activity_names[] = {
    {-1, "Craft an item"},
    {1, "Fell a tree"},
    {2, "Carve trunk into a log"},
    {3, "Chop felled tree into blocks"},
    {4, "Split firewood from a block"},
    {5, "Peel bark from a tree"},
    {6, "Split a trunk into boards"},
    {15, "Post spruce"},
    {27, "Grind flour"},
    {28, "Thresh (for grain/seeds/leaves)"},
    {29, "Harvest"},
    {30, "Prepare the soil"},
    {31, "Plant/sow"},
    {32, "Cut branches/twigs from a tree"},
    {33, "Build a fire"},
    {35, "Make a hole in the ice"},
    {36, "Skin an animal"},
    {37, "Cure the skin (for preservation)"},
    {38, "Tan the skin"},
    {39, "De-hair (for rawhide/leather)"},
    {40, "Apply tanning material"},
    {41, "Rinse and dry the skin"},
    {42, "Soften the skin"},
    {43, "Clean the skin"},
    {44, "Soak the skin"},
    {100, "Roasted meat"},
    {101, "Salted meat"},
    {102, "Smoked meat"},
    {103, "Dry (for preservation)"},
    {105, "Salt (for preservation)"},
    {113, "Ember-roasted turnips"},
    {118, "Roast in embers"},
    {119, "Boil"},
    {120, "Boil"},
    {121, "Roast on fire"},
    {122, "Cook"},
    {123, "Smoke (for preservation)"},
    {124, "Wild flour"},
    {219, "Join ropes and cords"},
    {220, "Shorten ropes and cords"},
    {221, "Withe"},
    {240, "Build something"},
    {280, "Spin yarn"},
    {281, "Retting"},
    {282, "Drying"},
    {283, "Extract fibre"},
    {350, "Leather belt"},
    {351, "Leather cap"},
    {352, "Leather shirt"},
    {353, "Leather leggings"},
    {354, "Leather shoes"},
    {355, "Fur cap"},
    {356, "Fur shirt"},
    {357, "Fur mittens"},
    {358, "Fur leggings"},
    {359, "Fur hood"},
    {360, "Fur footwear"},
    {361, "Fur cloak"},
    {362, "Leather forearm guards"},
    {363, "Leather shin guards"},
    {364, "Leather cuirass"},
    {365, "Fur overcoat"},
    {370, "Repair worn-out clothes"},
    {390, "Set a trap"},
    {391, "Disassemble a trap construction"},
    {392, "Light lever trap"},
    {393, "Small deadfall trap"},
    {394, "Big deadfall trap"},
    {395, "Heavy deadfall bear trap"},
    {396, "Trap pit"},
    {397, "Trap pit with sharp stakes"},
    {400, "Reset triggered trap"},
    {402, "Bait a trap"},
    {420, "Wear"},
    {423, "Wield"},
    {424, "Drop"},
    {426, "Take off"},
    {449, "Command pets and companions"},
    {450, "Talk to someone"},
    {451, "Fill with water, or milk into"},
    {452, "Get up (stand)"},
    {453, "Wounds and injuries"},
    {454, "Cut a carcass for meat"},
    {455, "Sleep"},
    {456, "Pack an animal"},
    {457, "Unpack an animal"},
    {458, "Pour something into a container"},
    {459, "Empty a container"},
    {500, "Active fishing"},
    {501, "Set a net"},
    {502, "Retrieve a net"},
    {600, "Deconstruct something"},
    {601, "Continue paused process"},
    {700, "Haul items"},
    {701, "Push/pack items"},
    {800, "Throw an item/shoot an arrow"},
};

}  // namespace

const char* activity_name(int code) {
    for (const ActivityName& entry : activity_names)
        if (entry.code == code) return entry.name;
    return "";
}

char* activity_phrase(int code) {
    const char* name = activity_name(code);
    return lower_case_copy(name[0] != '\0' ? name : "do that");
}
