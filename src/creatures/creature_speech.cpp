// What creatures say and shout to the player.
#include "base/platform.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"
#include "game/spend_time.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/catalogue.h"

namespace {

constexpr uint8_t CRE_STATUS_VISITOR = 5;
constexpr uint8_t MAP_FLAGS_NOT_AT_HOME = 0x2 | 0x4;
constexpr int SPOKEN_BYTES = 1024;
// A spirit's words break into whatever the player is busy with.
constexpr int32_t INTERRUPT_ASK_TO_ABORT = 4;

// The template filled with the spoken words, seen and heard, and told.
int speak(int creature, const char* key, const char* text) {
    if (!text) text = "";
    msg_npc = creature;
    copy_text(msg_var_text, sizeof msg_var_text, text);
    char seen[SPOKEN_BYTES];
    char heard[SPOKEN_BYTES];
    // The words go in as they stand: a "%" in them is never read as a place.
    fill_message_format(seen, sizeof seen, message_by_key(key), {text});
    fill_message_format(heard, sizeof heard, heard_message_text, {text});
    return cre_action_message(creature, seen, heard);
}

// A person of a village at home: its shout rouses its own people.
bool is_village_person(int creature) {
    if (!cre_slot_valid(creature)) return false;
    const CreatureRecord& c = Cre[creature];
    return c.cre_status != CRE_STATUS_VISITOR && c.lauma != 0 && !cre_is_companion(creature) &&
           c.cre_class == CRE_CLASS_HUMAN && !(c.map_flags & MAP_FLAGS_NOT_AT_HOME);
}

}  // namespace

int cre_say(int creature, const char* text) {
    msg_npc = creature;
    if (creature != -1 && cre_slot_valid(creature) && Cre[creature].cre_class == CRE_CLASS_SPIRIT &&
        long_task_running())
        task_interrupt_request = INTERRUPT_ASK_TO_ABORT;
    return speak(creature, "NPC_SAYS", text);
}

int cre_shout(int creature, const char* text) {
    const int shown = speak(creature, "NPC_SHOUTS", text);
    if (creature < 0 || !is_village_person(creature)) return shown;
    const int32_t group = Cre[creature].lauma;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_CREATURE) continue;
        const int other = map_object_creature(i);
        if (other == creature || !is_village_person(other)) continue;
        if (Cre[other].lauma == group && Cre[other].move_mode == MOVE_MODE_ASLEEP) cre_wake_up(other);
    }
    return shown;
}
