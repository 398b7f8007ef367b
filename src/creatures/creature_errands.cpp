// Named stubs until the task queue, creature turns, cultures and carcasses
// are built; each answers as its header says.
#include "creatures/creature_errands.h"

#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/hunting.h"
#include "maps/map_view.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"


float animal_value(const CreatureRecord&) { KSM_STUB("animal_value"); return 0.0f; }
void list_creature_yields() { KSM_STUB("list_creature_yields"); }


int random_culture_meat_food(int) { KSM_STUB("random_culture_meat_food"); return 0; }
