#include "base/text_ring.h"

#include <cstring>

#include "base/platform.h"

char text_ring[TEXT_RING_SIZE][TEXT_RING_BYTES];
int32_t text_ring_index = 0;

char* next_ring_text() {
    text_ring_index = (text_ring_index + 1) % TEXT_RING_SIZE;
    char* buffer = text_ring[text_ring_index];
    std::memset(buffer, 0, TEXT_RING_BYTES);
    return buffer;
}

char* ring_copy(const char* text) {
    char* out = next_ring_text();
    copy_text(out, TEXT_RING_BYTES, text);
    return out;
}

// ------------------------------------------------------------ word tables

char month_names[12][WORD_TEXT_BYTES] = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

const char skill_level_words[11][WORD_TEXT_BYTES] = {
    "unskilled", "untrained", "amateur", "novice", "adequate",   "competent",
    "skilled",   "talented",  "expert",  "master", "grandmaster"};

char carcass_damage_words[5][WORD_TEXT_BYTES];
char carcass_eaten_words[4][WORD_TEXT_BYTES];
char carcass_cut_words[4][WORD_TEXT_BYTES];
char adjective_big[WORD_TEXT_BYTES] = "big";
char adjective_small[WORD_TEXT_BYTES] = "small";
char activity_profile_words[3][WORD_TEXT_BYTES] = {"aggressive", "escaping", "unconscious"};

namespace {

bool is_vowel(char c) { return c != '\0' && std::strchr("aeiouAEIOU", c) != nullptr; }

bool ends_with(const char* text, size_t length, const char* tail) {
    size_t n = std::strlen(tail);
    return length >= n && std::memcmp(text + length - n, tail, n) == 0;
}

}  // namespace

// ------------------------------------------------------ descriptive words

char* temperature_word(int degrees) {
    const char* word = degrees <= 3    ? "freezing cold"
                       : degrees <= 7  ? "really cold"
                       : degrees <= 10 ? "cold"
                       : degrees <= 13 ? "chilly"
                       : degrees <= 16 ? "cool"
                       : degrees <= 18 ? "rather warm"
                       : degrees <= 21 ? "warm"
                                       : "very warm";
    return ring_copy(word);
}

char* snow_depth_words(int depth) {
    const char* word = depth < 10     ? ""
                       : depth < 30   ? "very faint snow"
                       : depth < 40   ? "faint snow"
                       : depth < 60   ? "very thin snow"
                       : depth < 80   ? "thin snow"
                       : depth < 130  ? "fist deep snow"
                       : depth < 150  ? "less than ankle deep snow"
                       : depth < 200  ? "ankle deep snow"
                       : depth < 300  ? "calf deep snow"
                       : depth < 400  ? "knee deep snow"
                       : depth < 600  ? "thigh deep snow"
                       : depth < 800  ? "waist deep snow"
                       : depth < 1000 ? "more than waist deep snow"
                                      : "chest deep snow";
    return ring_copy(word);
}

char* snow_crust_words(int crust) {
    const char* word = crust < 10    ? ""
                       : crust < 40  ? "faint crust"
                       : crust < 70  ? "thin crust"
                       : crust < 90  ? "mediocre crust"
                       : crust < 150 ? "hard crust"
                                     : "solid crust";
    return ring_copy(word);
}

char* date_phrase(int day_of_month, int month) {
    const char* part = day_of_month <= 3    ? "beginning of "
                       : day_of_month <= 10 ? "early "
                       : day_of_month <= 20 ? ""
                       : day_of_month <= 27 ? "late "
                                            : "end of ";
    if (month < 1) month = 1;
    if (month > 12) month = 12;
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "%s%s", part, month_names[month - 1]);
    return out;
}

const char* skill_level_word(int level) {
    if (level <= 0) return skill_level_words[0];
    if (level >= 95) return skill_level_words[10];
    return skill_level_words[(level + 5) / 10];
}

const char* direction_name(int code) {
    static const char* const names[8] = {"E", "NE", "N", "NW", "W", "SW", "S", "SE"};
    return code >= 0 && code < 8 ? names[code] : names[0];
}


const char* companion_role_phrase(int role_flags) {
    static char phrase[1024];
    const char* text = "wandering around with you";
    if (role_flags & 4) text = "working for you";
    if (role_flags & 2) text = "hunting with you";
    if (role_flags & 8) text = "exploring the wilderness and adventuring with you";
    copy_text(phrase, sizeof phrase, text);
    return phrase;
}

namespace {

void article_phrase_into(char* out, size_t cap, const char* noun) {
    const char* lower = lower_case_copy(noun ? noun : "");
    size_t length = std::strlen(lower);
    if (length > 0 && lower[length - 1] == 's')
        copy_text(out, cap, lower);
    else
        format_text(out, cap, is_vowel(lower[0]) ? "an %s" : "a %s", lower);
}

}  // namespace

const char* capitalised_article_phrase(const char* noun) {
    static char phrase[1024];
    article_phrase_into(phrase, sizeof phrase, noun);
    phrase[0] = char(latin1_upper(static_cast<unsigned char>(phrase[0])));
    return phrase;
}

const char* article_phrase(const char* noun) {
    static char phrase[1024];
    article_phrase_into(phrase, sizeof phrase, noun);
    return phrase;
}

namespace {

// Nouns whose plural the ending rules get wrong: they simply take an "s".
const char* const plain_plural_words[] = {"roof", "chief", "belief", "proof", "reef", "brief"};

// True when the text ends in `word` as a whole word (after a blank or at
// the start).
bool ends_in_word(const char* text, size_t length, const char* word) {
    size_t n = std::strlen(word);
    if (!ends_with(text, length, word)) return false;
    return length == n || text[length - n - 1] == ' ';
}

}  // namespace

char* plural_form(const char* name) {
    char* out = lower_case_copy(name ? name : "");
    const size_t cap = TEXT_RING_BYTES;
    size_t length = std::strlen(out);

    // The name's own plural after '/', as in "knife/knives".
    if (const char* slash = std::strchr(out, '/')) {
        std::memmove(out, slash + 1, std::strlen(slash + 1) + 1);
        return out;
    }
    if (length == 0) return out;

    for (const char* word : plain_plural_words) {
        if (ends_in_word(out, length, word)) {
            append_text(out, cap, "s");
            return out;
        }
    }
    if (ends_with(out, length, "fe")) {
        out[length - 2] = '\0';
        append_text(out, cap, "ves");
        return out;
    }
    if (length >= 2 && out[length - 1] == 'f') {
        char before = out[length - 2];
        if (before == 'l' || before == 'r' || is_vowel(before)) {
            out[length - 1] = '\0';
            append_text(out, cap, "ves");
            return out;
        }
        if (ends_with(out, length, "staff")) {
            out[length - 2] = '\0';
            append_text(out, cap, "ves");
            return out;
        }
    }
    if (std::strstr(out, "tooth") && ends_with(out, length, "ooth")) {
        std::memcpy(out + length - 4, "eeth", 4);
        return out;
    }
    if (char* block = std::strstr(out, "lock of wood")) {
        // "block of wood" -> "blocks of wood", whatever stands before it.
        char rest[TEXT_RING_BYTES];
        copy_text(rest, sizeof rest, block + 4);
        block[4] = '\0';
        append_text(out, cap, "s");
        append_text(out, cap, rest);
        return out;
    }
    if (out[length - 1] == 'x') {
        append_text(out, cap, "es");
        return out;
    }
    if (length >= 3 && ends_with(out, length, "ch")) {
        append_text(out, cap, "es");
        return out;
    }
    if (length >= 3 && ends_with(out, length, "ry")) {
        out[length - 1] = '\0';
        append_text(out, cap, "ies");
        return out;
    }
    if (out[length - 1] != 's') append_text(out, cap, "s");
    return out;
}

const char* singular_form(const char* name) {
    // Longer names are cut to the buffer: 47 characters at most.
    static char singular[48];
    copy_text(singular, sizeof singular, name ? name : "");
    if (char* slash = std::strchr(singular, '/')) *slash = '\0';
    return singular;
}

void time_of_day_name(int hour, char* out, size_t cap) {
    const char* name;
    switch (hour) {
        case 1: name = "After midnight"; break;
        case 2: case 3: name = "Small hours"; break;
        case 4: case 5: case 6: name = "Early morning"; break;
        case 7: case 8: name = "Morning"; break;
        case 9: case 10: name = "Late morning"; break;
        case 11: case 12: name = "Noon"; break;
        case 13: name = "Early afternoon"; break;
        case 14: name = "Afternoon"; break;
        case 15: case 16: name = "Late afternoon"; break;
        case 17: case 18: name = "Early evening"; break;
        case 19: name = "Evening"; break;
        case 20: case 21: name = "Late evening"; break;
        case 22: name = "Night"; break;
        case 23: name = "Late night"; break;
        default: name = "Midnight"; break;
    }
    if (out != nullptr && cap > 0) copy_text(out, cap, name);
}

char* body_temperature_words_for(float celsius, bool sentence, uint8_t* rgb) {
    struct Band {
        float top;
        const char* word;
        const char* sentence;
        uint8_t r, g, b;
    };
    static const Band bands[] = {
        {31.5f, "Freezing to death", "You are freezing to death!", 140, 140, 255},
        {32.5f, "Freezing", "You are freezing.", 150, 150, 230},
        {33.5f, "Numbingly cold", "You are numbingly cold.", 160, 160, 235},
        {34.5f, "Bitterly cold", "You feel bitterly cold.", 171, 171, 219},
        {35.5f, "Cold", "You feel cold.", 171, 171, 203},
        {36.0f, "Chilly", "You feel chilly.", 171, 171, 187},
        {36.5f, "Cool", "You feel a bit cool.", 171, 171, 179},
        {37.5f, "Comfortably warm", "You feel comfortably warm.", 187, 171, 171},
        {38.0f, "Rather warm", "You are feeling rather warm.", 203, 171, 171},
        {38.5f, "Warm", "You feel warm.", 219, 171, 171},
        {39.0f, "Hot", "You are feeling hot.", 235, 171, 171},
        {40.0f, "Sweaty", "You are sweaty.", 230, 160, 160},
    };
    static const Band hottest = {0.0f, "Sweating a lot", "You are sweating a lot.", 255, 150, 150};
    const Band* band = &hottest;
    if (static_cast<double>(celsius) <= 31.5) {
        band = &bands[0];
    } else {
        for (const Band& b : bands) {
            if (celsius <= b.top) {
                band = &b;
                break;
            }
        }
    }
    if (rgb != nullptr) {
        rgb[0] = band->r;
        rgb[1] = band->g;
        rgb[2] = band->b;
    }
    return ring_copy(sentence ? band->sentence : band->word);
}

namespace {
// Shared by hunger_words and nutrition_word.
char hunger_buffer[100];
}  // namespace

const char* thirst_words(int thirst) {
    static char buffer[100];
    const char* text = thirst > 5000   ? "dying of thirst!"
                       : thirst > 3500 ? "in serious need of water!"
                       : thirst > 2700 ? "craving for water!"
                       : thirst > 2300 ? "very thirsty."
                       : thirst > 1500 ? "thirsty."
                       : thirst > 700  ? "a bit thirsty."
                                       : "";
    copy_text(buffer, sizeof buffer, text);
    return buffer;
}

const char* nutrition_word(uint32_t energy_reserve) {
    const char* text = energy_reserve < 200    ? "Starving"
                       : energy_reserve < 700  ? "Malnourished"
                       : energy_reserve < 1200 ? "Insufficient"
                       : energy_reserve < 1700 ? "Scarce"
                       : energy_reserve < 2200 ? "Temperate"
                       : energy_reserve < 2700 ? "Good"
                       : energy_reserve <= 3200 ? "Nourished"
                       : energy_reserve <= 3700 ? "Well-fed"
                                                : "Abundant";
    copy_text(hunger_buffer, sizeof hunger_buffer, text);
    return hunger_buffer;
}

char* with_indefinite_article(const char* phrase) {
    char* out = next_ring_text();
    const char* p = phrase ? phrase : "";
    if (p[0] == '\0' || std::strncmp(p, "a ", 2) == 0 || std::strncmp(p, "an ", 3) == 0 ||
        (p[0] >= '0' && p[0] <= '9'))
        copy_text(out, TEXT_RING_BYTES, p);
    else
        format_text(out, TEXT_RING_BYTES, is_vowel(p[0]) ? "an %s" : "a %s", p);
    return out;
}

char* with_definite_article(const char* phrase) {
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "the %s", phrase ? phrase : "");
    return out;
}

char* join_list_with_and(const char* list) {
    char* out = next_ring_text();
    const char* text = list ? list : "";
    size_t length = std::strlen(text);
    if (length > 1000) {
        copy_text(out, TEXT_RING_BYTES, "text buffer overflow");
        return out;
    }
    // The second comma from the end.
    const char* second = nullptr;
    int commas = 0;
    for (size_t i = length; i-- > 0;) {
        if (text[i] == ',' && ++commas == 2) {
            second = text + i;
            break;
        }
    }
    if (second == nullptr) {
        copy_text(out, TEXT_RING_BYTES, text);
    } else {
        size_t before = static_cast<size_t>(second - text);
        std::memcpy(out, text, before);
        out[before] = '\0';
        append_text(out, TEXT_RING_BYTES, " and ");
        const char* after = second + 1;
        if (*after == ' ') ++after;
        append_text(out, TEXT_RING_BYTES, after);
    }
    size_t n = std::strlen(out);
    while (n > 0 && (out[n - 1] == ',' || out[n - 1] == ' ')) out[--n] = '\0';
    return out;
}

// ------------------------------------------------------------ name tally

NameTallySlot name_tally[NAME_TALLY_SLOTS];

void clear_name_tally() { std::memset(name_tally, 0, sizeof name_tally); }

void tally_name(const char* name) {
    if (name == nullptr || name[0] == '\0') return;
    // Compared as it would be stored, so that long names count together.
    char stored[WORD_TEXT_BYTES];
    copy_text(stored, sizeof stored, name);
    NameTallySlot* free_slot = nullptr;
    for (NameTallySlot& slot : name_tally) {
        if (slot.name[0] == '\0') {
            if (free_slot == nullptr) free_slot = &slot;
        } else if (std::strcmp(slot.name, stored) == 0) {
            ++slot.count;
            return;
        }
    }
    if (free_slot != nullptr) {
        copy_text(free_slot->name, sizeof free_slot->name, stored);
        free_slot->count = 1;
    }
}

char* tally_text() {
    char* out = next_ring_text();
    int last = -1;
    for (int i = 0; i < NAME_TALLY_SLOTS; ++i)
        if (name_tally[i].name[0] != '\0') last = i;
    bool first = true;
    for (int i = 0; i <= last; ++i) {
        const NameTallySlot& slot = name_tally[i];
        if (slot.name[0] == '\0') continue;
        char entry[TEXT_RING_BYTES];
        if (slot.count >= 2)
            format_text(entry, sizeof entry, "%u %s", slot.count, plural_form(slot.name));
        else
            copy_text(entry, sizeof entry, slot.name);
        const char* separator = first ? "" : (i == last ? " and " : ", ");
        if (std::strlen(out) + std::strlen(separator) + std::strlen(entry) >= 1000) {
            append_text(out, TEXT_RING_BYTES, first ? "and more" : " and more");
            return out;
        }
        append_text(out, TEXT_RING_BYTES, separator);
        append_text(out, TEXT_RING_BYTES, entry);
        first = false;
    }
    return out;
}

const char* hunger_words_for(int stomach, uint32_t energy_reserve) {
    const char* text = stomach > 225   ? "hungry as a bear"
                       : stomach > 200 ? "very hungry"
                       : stomach > 160 ? "hungry"
                       : stomach > 120 ? "getting hungry"
                       : stomach > 80  ? "a bit hungry"
                                       : "";
    // The energy reserve tells more than the stomach once it runs low; a
    // player who wants nothing more is not hungry, whatever the reserve.
    if (stomach > 80) {
        if (energy_reserve < 1000) text = "famished";
        if (energy_reserve < 700) text = "desperately hungry";
        if (energy_reserve < 200) text = "starving";
    }
    copy_text(hunger_buffer, sizeof hunger_buffer, text);
    return hunger_buffer;
}

const char* upper_case_copy(const char* text) {
    static char buffer[500];
    size_t i = 0;
    for (; text && text[i] && i < sizeof buffer - 1; ++i)
        buffer[i] = static_cast<char>(fold_upper(static_cast<unsigned char>(text[i])));
    buffer[i] = 0;
    return buffer;
}

char* lower_case_copy(const char* text) {
    char* out = next_ring_text();
    for (size_t i = 0; text && text[i] && i < 500; ++i)
        out[i] = static_cast<char>(fold_lower(static_cast<unsigned char>(text[i])));
    return out;
}
