// Named stubs until the task queue, creature turns, cultures and carcasses
// are built; each answers as its header says.
#include "creatures/creature_errands.h"

#include "base/stubs.h"
#include "creatures/creature_files.h"
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

TaskPoint cre_find_exit_point(int) { KSM_STUB("cre_find_exit_point"); return {0, 0}; }

void cre_die(int, int) { KSM_STUB("cre_die"); }
void cre_make_foe(int) { KSM_STUB("cre_make_foe"); }
void cre_make_sound(int) { KSM_STUB("cre_make_sound"); }
int cre_snatch_player_items(int, int) { KSM_STUB("cre_snatch_player_items"); return 0; }

float animal_value(const CreatureRecord&) { KSM_STUB("animal_value"); return 0.0f; }
void list_creature_yields() { KSM_STUB("list_creature_yields"); }


int random_culture_meat_food(int) { KSM_STUB("random_culture_meat_food"); return 0; }
