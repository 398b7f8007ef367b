// The keyed words and texts that come from the message catalogue.
#include "ui/keyed_words.h"

#include <cstring>

#include "base/platform.h"
#include "base/text_ring.h"
#include "ui/catalogue.h"

namespace {

// A catalogue answer that stands for a key the catalogue does not know:
// its error text, or the key's name between dots.
bool is_missing_answer(const char* answer, const char* key) {
    if (answer == nullptr || answer[0] == '\0') return true;
    if (std::strncmp(answer, "!ERROR", 6) == 0) return true;
    if (answer[0] != '.') return false;
    size_t name_length = std::strcspn(key, ":");
    return std::strncmp(answer + 1, key, name_length) == 0 && answer[1 + name_length] == '.';
}

void keyed_word(char* word, const char* key) {
    const char* answer = message_by_key(key);
    if (!is_missing_answer(answer, key)) copy_text(word, WORD_TEXT_BYTES, answer);
}

}  // namespace

void ksm_textinit() {
    char key[64];
    for (int month = 1; month <= 12; ++month) {
        format_text(key, sizeof key, "MONTH_NAME:%d", month);
        keyed_word(month_names[month - 1], key);
    }
    static const char* const damage[5] = {"SLIGHT", "LOW", "MED", "HIGH", "GREAT"};
    static const char* const grade[4] = {"LOW", "MED", "HIGH", "GREAT"};
    for (int i = 0; i < 5; ++i) {
        format_text(key, sizeof key, "CARCASS_DAMAGE:%s", damage[i]);
        keyed_word(carcass_damage_words[i], key);
    }
    for (int i = 0; i < 4; ++i) {
        format_text(key, sizeof key, "CARCASS_EATEN:%s", grade[i]);
        keyed_word(carcass_eaten_words[i], key);
        format_text(key, sizeof key, "CARCASS_CUT:%s", grade[i]);
        keyed_word(carcass_cut_words[i], key);
    }
    keyed_word(adjective_big, "ADJ:BIG");
    keyed_word(adjective_small, "ADJ:SMALL");
    keyed_word(activity_profile_words[PROFILE_AGGRESSIVE], "ACTIVITY_PROFILE:AGGRESSIVE");
    keyed_word(activity_profile_words[PROFILE_ESCAPING], "ACTIVITY_PROFILE:ESCAPING");
    keyed_word(activity_profile_words[PROFILE_UNCONSCIOUS], "ACTIVITY_PROFILE:UNCONSCIOUS");
}

char* out_of_items_text(const char* item_name) {
    char format[TEXT_RING_BYTES];
    copy_text(format, sizeof format, message_by_key("OUT_OF_ITEMS"));
    char* out = next_ring_text();
    fill_message_format(out, TEXT_RING_BYTES, format, {item_name ? item_name : ""});
    return out;
}

