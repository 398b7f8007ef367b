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
