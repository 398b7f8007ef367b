// The message catalogue: texts looked up by upper-case keys in the files
// "messages/ksm_*.txt", with variants chosen by a condition variable, a
// heard version, variables <name> and references [OTHER_KEY]; and the chat
// lines people say about a topic ("messages/ksm_chat.txt").
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

constexpr int CATALOGUE_TEXT_BYTES = 1024;
constexpr int MESSAGE_VARIABLE_BYTES = 300;
constexpr int MSG_VAR_TEXT_BYTES = 104;

// What the catalogue asks the game while it fills message variables and
// chooses condition variants: about the player, the creatures, the items and
// the player's standing with the people talked to. The game connects these
// at start-up; unconnected, each gives the neutral answer noted.
struct CatalogueQuestions {
    int (*player_sex)();                                       // 1 (a man)
    const char* (*player_first_name)();                        // ""
    const char* (*address_term)(int creature, int flags);      // "stranger"
    // Standing by category (CATALOGUE_STANDING_*): its title and level.
    const char* (*standing_title)(int category);               // ""
    int (*standing_level)(int category);                       // 3
    const char* (*direction_to_creature)(int creature);        // ""
    const char* (*item_name)(int item, int count, int flags);            // "item"
    const char* (*item_name_with_unit)(int item, int count, int flags);  // "item"
    int (*creature_class)(int creature);                       // 0: an animal
    int (*creature_is_female)(int creature);                   // 0
    int (*creature_kind)(int creature);                        // -1
    const char* (*creature_name)(int creature, int flags);     // "creature"
    const char* (*creature_aggression_sound)(int creature);    // "growl"
    const char* (*creature_sound)(int creature);               // "sound"
};
extern CatalogueQuestions catalogue_questions;
// The standing categories the catalogue asks for (the village's own
// numbering), the overall level and the familiarity level.
constexpr int CATALOGUE_STANDING_TRADE = 0;
constexpr int CATALOGUE_STANDING_THEFT = 1;
constexpr int CATALOGUE_STANDING_MISCHIEF = 2;
constexpr int CATALOGUE_STANDING_HELP = 5;
constexpr int CATALOGUE_STANDING_OVERALL = -1;
constexpr int CATALOGUE_STANDING_FAMILIARITY = -2;

// The finished text of the last message_by_key (overwritten by the next).
extern char message_result[CATALOGUE_TEXT_BYTES];
// The heard version of the last looked-up block, "" when it has none.
extern char heard_message_text[CATALOGUE_TEXT_BYTES];
// A caller's text for the first "%s" of the heard version; cleared by every
// message_by_key.
extern char message_argument[CATALOGUE_TEXT_BYTES];
// What message_variable returns.
extern char message_variable_value[MESSAGE_VARIABLE_BYTES];

// Message variables: set them just before a lookup. Texts start as "none".
extern char msg_var_text[MSG_VAR_TEXT_BYTES];       // general text
extern char msg_attack_aspect[MSG_VAR_TEXT_BYTES];
extern char msg_attack_weapon[MSG_VAR_TEXT_BYTES];
extern char msg_attack_bow[MSG_VAR_TEXT_BYTES];
extern char msg_defend_aspect[MSG_VAR_TEXT_BYTES];
extern char msg_defend_weapon[MSG_VAR_TEXT_BYTES];
extern char msg_bodypart[MSG_VAR_TEXT_BYTES];
extern char msg_bodypart_counterstrike[MSG_VAR_TEXT_BYTES];
extern char msg_wounded_bodypart[MSG_VAR_TEXT_BYTES];
extern char msg_status[MSG_VAR_TEXT_BYTES];
extern uint8_t msg_wc_bonus;
extern uint8_t msg_attack_class;
extern uint8_t msg_defense_class;
extern int32_t msg_weapon_slot;
extern int32_t msg_attacker;   // creature index, -1 the player
extern int32_t msg_defender;   // creature index, -1 the player
extern int32_t msg_npc;        // creature index, -1 the player
// The creature that catalogue texts speak of: the conversation sets it to
// the person it talks with. Another name of msg_npc.
extern int32_t& msg_subject_creature;
extern int32_t msg_item;       // object id, -1 the current object
extern int32_t msg_num;        // a count
extern int32_t msg_prepdays;   // prepared days (farming)
extern int32_t msg_direction;  // direction code 0-7

// The finished message of a key ("KEY" or "KEY:value" to give the
// condition value). A missing key gives ".KEY." (".KEY.(value)").
const char* message_by_key(const char* key);
// The raw text of a key's block (no variables, no references); also sets
// heard_message_text. Returns message_result's working buffer of its own.
const char* find_message_text(const char* key);
// Replaces every <name> of the text (cap bytes) by its variable, in place.
void fill_message_variables(char* text, size_t cap);
// The value of a variable by the words of its name.
const char* message_variable(const char* name);
// The text of a keyed text variable ("plr_gender" and the like): another
// name of message_variable, as quest texts ask it.
inline const char* text_variable(const char* name) { return message_variable(name); }
// What a person says about a topic ("TOPIC" or "TOPIC:filter"), in a ring
// text.
char* chat_line(const char* topic);

// Fills a catalogue text that holds printf-like places ("%s", "%d", "%i",
// "%c", "%u", "%ld", ...) with the given texts, in order, by plain
// substitution: the catalogue text is never used as a format. "%%" gives
// "%"; places without a value are left as they stand; text that came from a
// value is never looked at again. Returns dst.
char* fill_message_format(char* dst, size_t cap, const char* text,
                          std::initializer_list<const char*> values);
