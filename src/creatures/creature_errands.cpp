// Named stubs until the task queue, creature turns, cultures and carcasses
// are built; each answers as its header says.
#include "creatures/creature_errands.h"

#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/hunting.h"
#include "maps/map_view.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

void cre_announce_trade_terms(int) { KSM_STUB("cre_announce_trade_terms"); }

void cre_eat_carried_food(int, int) { KSM_STUB("cre_eat_carried_food"); }
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
