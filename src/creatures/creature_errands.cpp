// Named stubs until the task queue, creature turns, cultures and carcasses
// are built; each answers as its header says.
#include "creatures/creature_errands.h"

#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/hunting.h"
#include "maps/map_view.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

int cre_action_message(int creature, const char* seen, const char*) {
    // An event of no creature is shown whatever happens.
    if (creature == -1) {
        show_message(seen ? seen : "");
        return 1;
    }
    KSM_STUB("cre_action_message");
    // Until the senses come, a creature's doing is told when the player sees
    // its square; nothing is heard.
    if (messages_suppressed || !cre_slot_valid(creature) || !seen || !seen[0]) return 0;
    if (!is_in_view(creature_x(creature), creature_y(creature))) return 0;
    show_message(seen);
    return 1;
}

void cre_announce_trade_terms(int) { KSM_STUB("cre_announce_trade_terms"); }

void cre_die(int, int) { KSM_STUB("cre_die"); }
void cre_eat_carried_food(int, int) { KSM_STUB("cre_eat_carried_food"); }
void cre_make_foe(int) { KSM_STUB("cre_make_foe"); }
// Partly built: a predator hunts prey of either diet mask; nothing else
// is sought.
void ravinnonhankinta(int creature, int) {
    KSM_STUB("ravinnonhankinta");
    if (!Saalista(creature, 1)) Saalista(creature, 2);
}
void village_note_mischief(int, int, int) { KSM_STUB("village_note_mischief"); }

float animal_value(const CreatureRecord&) { KSM_STUB("animal_value"); return 0.0f; }
const char* creature_record_name(int, const CreatureRecord&) { KSM_STUB("creature_record_name"); return ""; }
void list_creature_yields() { KSM_STUB("list_creature_yields"); }

int carcass_decay_text(int, char* out, size_t cap) {
    KSM_STUB("carcass_decay_text");
    if (out && cap) out[0] = '\0';
    return 0;
}
int carcass_used_percent(int, char* out, size_t cap) {
    KSM_STUB("carcass_used_percent");
    if (out && cap) out[0] = '\0';
    return 0;
}

int random_culture_meat_food(int) { KSM_STUB("random_culture_meat_food"); return 0; }
