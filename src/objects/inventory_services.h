// What the crafts, quests and villages ask of the player's inventory and of
// the tools the player uses.
#pragma once

#include "body/combat_commands.h"
#include "objects/inventory.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "objects/item_selection.h"
#include "objects/leashes.h"
#include "objects/ownership.h"

// The walking wear of the worn footwear for that time.
void plr_wear_footwear(int seconds, int minutes);
// The inventory slot of the item the player picks (the count chosen left in
// select_item_count); with several allowed (0x001) the number of entries
// chosen. -3000 when nothing suitable is carried, another negative value
// when cancelled.
int select_item(const char* prompt, const char* verb, int flags, int filter, int purpose);
extern int select_item_count;

// ------------------------------------------------------------ what the body,
// the creatures and the work ask of the items. Not built yet apart from
// obj_weapon_hands and wear_object: neutral answers.

// Recomputes the player's carried weight after the inventory changed.
inline void plr_recompute_carried_weight() { cre_compute_load(-1); }
// The id of an instance identical to the record, else the record stored as
// a new instance.
inline int obj_instance_for_record(const ObjectRecord& record) { return obj_store_record(record); }
// A weapon's one-hand penalty (its 1H_PENALTY tag); 0 for what is no weapon.
int obj_weapon_hands(const ObjectRecord& record);
// True when a body (-1 the player) can carry the weight more: the player
// takes up to 1.5 x body weight at a time, a creature loads up to twice its
// own weight in all.
int cre_can_carry(int creature, float weight);
// True when the trading partner (the player's rule for -1), or else one of
// its allies within 49 squares, can carry the weight.
int ally_can_carry(float weight);
// The creature (-1 the player) can_take_item last decided for; texts read it.
extern int32_t current_taker;
// The creature the player trades with, -1 none (the player's own rule).
extern int32_t trade_partner;
// The player takes a new item only while this slot is empty: the last ten
// slots are kept for other ways of receiving items.
constexpr int PLR_TAKE_LAST_SLOT = 90;
// The player's refusal of a take ("CARRY_TOO_MANY", "CARRY_TOO_HEAVY"
// with the item and count set): 1 when refused.
int player_refuses_take(int count, int object_id);
// Clears the taker and the trading partner (per-game reset).
void reset_carry_state();
// The weapon's one-hand penalty when the wielder must use it one-handed
// (two items held, an arm fully impaired); show tells the player why.
int cre_check_wield_injuries(int creature, const ObjectRecord& weapon, int show);
// A spent arrow breaks where it fell.
void drop_broken_arrow(int x, int y, int object_id);
// Resets a record in place to an empty container; 1 when it did.
int obj_empty_container(ObjectRecord& record);
// The object id left after taking n from an object, 0 when none is left.
int obj_reduce_count(int object_id, int n);
// Takes pounds (or length units, quietly) out of a carried item; answers
// what was taken.
float plr_empty_container(int slot, float pounds);
int plr_empty_container_quietly(int slot, int count);
// Hauling: the drag of what the player hauls, and the hauled items moved to
// the player's cell (0 when nothing is hauled any more).
float plr_hauled_weight();
int plr_move_hauled_items();
// Worn armour over a part wears by a hit.
void plr_wear_armour_on_hit(int part, int damage);
// The id of the skis the player wears, 0 none.
int plr_worn_skis();
// Whether the item would clash with what the player wears (show: tell
// why); putting down or taking off a carried slot (merge: join equal
// stacks), -1 when it failed.
int wear_conflict(int creature, int object_id, int show);     // 0: no conflict
int take_off_or_unwield(int slot, int merge);                  // 0: nothing done
// Wears an object by a percent of its full weight, more for a crude piece
// and less for a fine one; at every step_percent of the full weight that
// the weight passes it loses a grade (step 0: never). 1 when it is used up
// (its weight at or below used_up_percent of the full weight).
int wear_object(ObjectRecord& record, int step_percent, double wear_percent, int used_up_percent);
// The throw or shoot command ("t").
void throw_command();
// 1 when the player can carry count of the object, else 0 with the reason
// shown (the first argument is the taker, -1 the player).
int can_take_item(int taker, int count, int object_id);
// The picker over a creature's 20 carried slots (several items, with
// amounts): up to cap chosen slots and counts; the number chosen, -1 when
// cancelled. mode 1 unpacks, 16385 picks from a companion.
int select_creature_items(int creature, const char* prompt, const char* verb, int mode, int* slots, int* counts,
                          int cap);
// Gives the player count of the item named (a catalogue name), wielded in
// hand 1 or 2 when hand is not 0; 1 when given.
int plr_give_item(const char* name, int count, int hand);
