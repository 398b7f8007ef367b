#include "society/society_services.h"

#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/creature_society.h"
#include "creatures/creature_species.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/villages.h"

int32_t water_offering_day = 0;

// Not built yet: no trade piles, no talks, no quests, no
// knowledge and calm spirits.
void clear_trade_piles() { KSM_STUB("clear_trade_piles"); }
const char* greeting_line(int creature) { KSM_STUB("greeting_line"); return "GREET"; }
const char* long_absence_greeting(int creature, int visits) { KSM_STUB("long_absence_greeting"); return ""; }
void talk_command(int mode) { KSM_STUB("talk_command"); }
void talk_debt(int villager, int key) { KSM_STUB("talk_debt"); }
void talk_with_creature(int creature, int key) { KSM_STUB("talk_with_creature"); }
int read_quest_record(int quest, void* buffer, int size) { KSM_STUB("read_quest_record"); return 0; }
int plr_knowledge_bit(int knowledge, int bit) { KSM_STUB("plr_knowledge_bit"); return 0; }
int bear_skull_in_pine(int x, int y) { KSM_STUB("bear_skull_in_pine"); return 0; }
void capercaillie_ritual_check(int x, int y) { KSM_STUB("capercaillie_ritual_check"); }
int spirit_mood_add(int x, int y, int spirit_kind, int change) { KSM_STUB("spirit_mood_add"); return 0; }
void forest_spirit_advice() { KSM_STUB("forest_spirit_advice"); }

// Not built yet: nothing catches up or expires, no creature stays on an
// order or gets a name, no ritual garment is worn and spirits say nothing.
void update_village_field() { KSM_STUB("update_village_field"); }
void catch_up_map_aging() { KSM_STUB("catch_up_map_aging"); }
void cre_catch_up_days(int, int) { KSM_STUB("cre_catch_up_days"); }
int cre_order_stay(int) { KSM_STUB("cre_order_stay"); return 0; }
void hourly_ritual_update() { KSM_STUB("hourly_ritual_update"); }
void dream_hook() { KSM_STUB("dream_hook"); }
void drop_quest_link(int) { KSM_STUB("drop_quest_link"); }
void quest_expiry(int, int) { KSM_STUB("quest_expiry"); }
void name_creature(int) { KSM_STUB("name_creature"); }
int plr_has_ritual_garment(int, int, const char*) { KSM_STUB("plr_has_ritual_garment"); return 0; }
const char* spirit_line(int, int) { KSM_STUB("spirit_line"); return ""; }
// Not built yet: no spirit or ritual flag is set, no offering is timed
// and no quest holds an object.
int plr_spirit_flag(int) { KSM_STUB("plr_spirit_flag"); return 0; }
void set_plr_spirit_flag(int, int) { KSM_STUB("set_plr_spirit_flag"); }
int plr_ritual_flag(int) { KSM_STUB("plr_ritual_flag"); return 0; }
void start_water_offering(int) { KSM_STUB("start_water_offering"); }
int quest_held_object_ids(int*, int) { KSM_STUB("quest_held_object_ids"); return 0; }

// The weapons a creature has to hand: the one wielded, and each carried
// weapon whose slot is not set aside.
int cre_weapon_count_at_least(int creature, int count) {
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    auto weapon = [](int id) {
        if (!obj_id_is_valid(id)) return false;
        ObjectRecord r;
        return obj_record(id, r).item_class == ITEM_WEAPON;
    };
    int n = weapon(c.wielded) ? 1 : 0;
    for (int s = 0; s < 20; ++s)
        if (c.inv_id[s] != c.wielded && c.inv_state[s] == 0 && weapon(c.inv_id[s])) ++n;
    return n >= count ? 1 : 0;
}


namespace {

constexpr uint8_t CULTURE_HOSTILE_TO_ALL = 11;
constexpr int ATTITUDE_HOSTILE = 0x01;

// The village's record made current, noting the incident.
void note_in_village(int32_t village, bool offence) {
    // A camp group has no village record: nobody keeps count.
    if (village < 1 || (village != cur_village_id && find_village_index(village) == NO_VILLAGE)) return;
    set_current_village(village);
    if (cur_village_id != village) return;
    CurVillage.incident_minute = Plr.total_minutes;
    CurVillage.incident_day = int16_t(Plr.days_played);
    CurVillage.incident_flag = 1;
    if (CurVillage.alarm == 0) CurVillage.alarm = 1;
    if (offence && CurVillage.assaults < 255) ++CurVillage.assaults;
}

}  // namespace

void village_note_incident(int creature, int wounds) {
    if (!cre_slot_valid(creature) || CreSlotRefs[creature] == 0) return;
    CreatureRecord& c = Cre[creature];
    if (c.cre_class == CRE_CLASS_HUMAN) {
        if (c.home_culture == CULTURE_HOSTILE_TO_ALL) return;
        if (cre_is_society_member(creature)) note_in_village(c.lauma, wounds != 0);
        else cre_mark_attitude_bit(0, -1, c, ATTITUDE_HOSTILE);
        return;
    }
    // Somebody's animal: the village whose land it grazes on.
    if (!cre_is_leashable(0, creature) || cre_is_own_animal(creature)) return;
    const int i = cre_datapos(creature);
    if (i < 0) return;
    const VillageLookup owner = village_at(world_x_of(Data[i].x), world_y_of(Data[i].y));
    if (!owner.not_found) note_in_village(owner.id, true);
}
