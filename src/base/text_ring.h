// The text ring and the descriptive words built on it.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int TEXT_RING_SIZE = 1024;
constexpr int TEXT_RING_BYTES = 1024;

extern char text_ring[TEXT_RING_SIZE][TEXT_RING_BYTES];
extern int32_t text_ring_index;

// The next ring buffer, cleared; valid until 1024 further ring texts.
char* next_ring_text();
// A ring copy of a text (cut to fit).
char* ring_copy(const char* text);
// Case-folded copies (both character sets fold to Latin-1).
const char* upper_case_copy(const char* text);  // static 500-byte buffer
char* lower_case_copy(const char* text);        // ring text

// ------------------------------------------------------------ word tables

constexpr int WORD_TEXT_BYTES = 100;

// Month names, month 1 first; English until ksm_textinit translates them.
extern char month_names[12][WORD_TEXT_BYTES];
extern const char skill_level_words[11][WORD_TEXT_BYTES];

// Keyed words filled from the message catalogue by ksm_textinit.
// Carcass damage: SLIGHT, LOW, MED, HIGH, GREAT; eaten and cut: LOW, MED,
// HIGH, GREAT.
extern char carcass_damage_words[5][WORD_TEXT_BYTES];
extern char carcass_eaten_words[4][WORD_TEXT_BYTES];
extern char carcass_cut_words[4][WORD_TEXT_BYTES];
extern char adjective_big[WORD_TEXT_BYTES];
extern char adjective_small[WORD_TEXT_BYTES];
// Activity-profile words of creatures: AGGRESSIVE, ESCAPING, UNCONSCIOUS.
enum { PROFILE_AGGRESSIVE = 0, PROFILE_ESCAPING = 1, PROFILE_UNCONSCIOUS = 2 };
extern char activity_profile_words[3][WORD_TEXT_BYTES];


// ------------------------------------------------------ descriptive words
// "ring" texts come from next_ring_text; "static" ones live in a buffer of
// the routine's own, valid until its next call.

char* temperature_word(int degrees);           // ring
char* snow_depth_words(int depth);             // ring, "" below 10
char* snow_crust_words(int crust);             // ring, "" below 10
char* date_phrase(int day_of_month, int month);  // ring; month clamped to 1..12
const char* skill_level_word(int level);       // constant table entry
const char* direction_name(int code);          // "E" .. "SE"; other codes "E"
const char* companion_role_phrase(int role_flags);        // static
const char* capitalised_article_phrase(const char* noun);  // static
const char* article_phrase(const char* noun);              // static
char* plural_form(const char* name);           // ring
const char* singular_form(const char* name);   // static, 48 bytes
// Writes the name of the time of day of the hour (0..23; 0, 24 and any
// other hour "Midnight").
void time_of_day_name(int hour, char* out, size_t cap);
template <size_t N>
void time_of_day_name(int hour, char (&out)[N]) { time_of_day_name(hour, out, N); }

// The character's body temperature as a short word, or with sentence set a
// sentence; rgb (3 bytes, may be null) receives its colour. Ring.
// The character's body temperature in words: game/player_words.h. The
// bands, given the temperature directly:
char* body_temperature_words_for(float celsius, bool sentence, uint8_t* rgb);
// How hungry a hunger level (0..255) and an energy reserve feel (static, shared with
// nutrition_word); the character's own: hunger_words in game/player_words.h.
const char* hunger_words_for(int stomach, uint32_t energy_reserve);
const char* thirst_words(int thirst);          // static
inline const char* thirst_word(int thirst) { return thirst_words(thirst); }
const char* nutrition_word(uint32_t energy_reserve);  // static (shared)

char* with_indefinite_article(const char* phrase);  // ring
char* with_definite_article(const char* phrase);    // ring
// "bread, fish, berries," -> "bread, fish and berries" (ring).
char* join_list_with_and(const char* list);

// ------------------------------------------------------------ name tally

constexpr int NAME_TALLY_SLOTS = 100;
struct NameTallySlot {
    char name[WORD_TEXT_BYTES];  // empty: free slot
    uint32_t count;
};
extern NameTallySlot name_tally[NAME_TALLY_SLOTS];

void clear_name_tally();
void tally_name(const char* name);
// The tally as "3 wolves, hare and 2 elks"; stops with "and more" before
// it reaches 1000 characters (ring).
char* tally_text();
