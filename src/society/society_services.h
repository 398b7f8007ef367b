// Services of the villages, quests and spirits that the objects and the
// creatures ask for: the villages themselves (villages.h, standing.h,
// village_debts.h), and greetings and talks, quests, the player's
// knowledge, rituals and the spirits' moods, which are not built yet and
// give neutral answers (see each).
#pragma once

#include "society/villages.h"
#include "society/standing.h"
#include "society/village_debts.h"

void clear_trade_piles();
int cre_weapon_count_at_least(int creature, int count);
// Greetings (chat-line keys, "" for none) and talks.
const char* greeting_line(int creature);
const char* long_absence_greeting(int creature, int visits);
void talk_command(int mode);
void talk_debt(int villager, int key);
void talk_with_creature(int creature, int key);
// 1 when the quest's file was read into the buffer.
int read_quest_record(int quest, void* buffer, int size);
// The player's knowledge, rituals and the spirits.
int plr_knowledge_bit(int knowledge, int bit);
int bear_skull_in_pine(int x, int y);
void capercaillie_ritual_check(int x, int y);
// The day of the last water offering (0 none).
extern int32_t water_offering_day;
// The new mood of the nearest spirit of the kind (700-702).
int spirit_mood_add(int x, int y, int spirit_kind, int change);
// The forest spirit speaks one of its sayings to the player.
void forest_spirit_advice();

// What the body, the creatures and the work ask of the villages, quests and
// spirits. Not built yet: neutral answers.
// A map's fields and its other aged contents catch up with the time away.
void update_village_field();
void catch_up_map_aging();
// A human creature's upkeep over elapsed days.
void cre_catch_up_days(int creature, int days);
// Orders a creature to stay where it is: 1 when it does.
int cre_order_stay(int creature);
// The hourly ritual update and what sleep dreams.
void hourly_ritual_update();
void dream_hook();
// A creature's quest link goes; a quest of a creature expires.
void drop_quest_link(int creature);
void quest_expiry(int creature, int quest);
// The player names a creature.
void name_creature(int creature);
// 1 when the worn items of a body (-1 the player) of the item class meet
// the requirement text ("[dog fur mittens]").
int plr_has_ritual_garment(int creature, int item_class, const char* requirement);
// A line about a spirit creature for its information sheet ("" none).
const char* spirit_line(int spirit_value, int kind);
// The player's spirit flags (bit numbers as the rituals count them: 1 the
// water offering made, 8 a bear skull awaits its pine) and ritual flags
// (0 the capercaillie rite under way).
int plr_spirit_flag(int bit);
void set_plr_spirit_flag(int bit, int on);
int plr_ritual_flag(int bit);
// A piece of clothing given to the water starts the water offering: its
// timer runs `minutes` and the course counts it.
void start_water_offering(int minutes);
// The object ids that quests hold (their rewards and asked-for things), for
// the object maintenance: up to `capacity` into `ids`; the count of all.
int quest_held_object_ids(int* ids, int capacity);

// The player hurt a villager or a village's animal: its village notes the
// incident (time, day, alarm, and with wounds an offence).
void village_note_incident(int creature, int wounds);
