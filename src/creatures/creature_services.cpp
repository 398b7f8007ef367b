#include "creatures/creature_services.h"

#include "base/stubs.h"

#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "game/player.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"

AreaEvent AreaEvents[AREA_EVENT_COUNT];

int is_open_water_at(int x, int y) {
    if (x == -1) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (is_open_water_at(player_x + dx, player_y + dy)) return 1;
        return 0;
    }
    if (!(terrain_flags_of(terrain_at(x, y)) & TF_WATER)) return 0;
    if (ice_thickness_at(x, y) == 0) return 1;
    return find_map_object(94, x, y) >= 0 ? 1 : 0;
}

int creature_facing(int creature) {
    if (creature == -1) return Plr.facing;
    return cre_slot_valid(creature) ? Cre[creature].Suunta & 7 : 0;
}

int creature_kind(int creature) { return cre_slot_valid(creature) && Cre[creature].cre_class ? Cre[creature].kind : -1; }

int world_entry_weight(int data) {
    if (data >= 0 && data < CRE_TEMPLATE_COUNT) return int(CreTemplates[data].weight);
    if (data < CRE_REF_BASE) return 0;
    const std::vector<CreatureRecord>& file = crs_records();
    const size_t index = size_t(data - CRE_REF_BASE);
    return index < file.size() ? int(file[index].weight) : 0;
}

int cre_status(int creature) { return cre_slot_valid(creature) ? Cre[creature].cre_status : 0; }
int is_carcass_skinned(int creature) {
    return cre_slot_valid(creature) && is_carcass_skinned(Cre[creature]) ? 1 : 0;
}
// A held creature waits off the map until it is brought back.
int cre_is_present(int creature) {
    return cre_slot_valid(creature) && !(Cre[creature].cre_flags & CRE_AWAY) ? 1 : 0;
}

// Only a cell of the current local window can be judged: anywhere else
// its people are taken to be at home.
int site_has_resident_humans(int wx, int wy) {
    if (is_world_map()) return 1;
    const MapRect rect = world_cell_local_rect(wx, wy);
    if (rect.w == 0 || rect.h == 0) return 1;
    for (int s = 0; s < CRE_SLOTS; ++s) {
        if (CreSlotRefs[s] == 0) continue;
        const CreatureRecord& c = Cre[s];
        if (c.cre_class != CRE_CLASS_HUMAN || c.move_mode == MOVE_MODE_DEAD) continue;
        // The map object names the slot, or its reference while the map
        // is being stored.
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE != MK_CREATURE || (o.DATA != CRE_REF_BASE + s && o.DATA != CreSlotRefs[s])) continue;
            if (o.x >= rect.x && o.x < rect.x + rect.w && o.y >= rect.y && o.y < rect.y + rect.h) return 1;
            break;
        }
    }
    return 0;
}
// The creature leaves for a stored map: its task done with, its record
// written back to the creature file as last kept on that cell.
int store_creature_for_map(int creature, int wx, int wy) {
    if (!cre_slot_valid(creature) || CreSlotRefs[creature] < CRE_REF_BASE) return 0;
    CreatureRecord& c = Cre[creature];
    pop_task(creature, 0);
    c.day_mark = Plr.days_played;
    c.saved_world_x = int16_t(wx);
    c.saved_world_y = int16_t(wy);
    return write_crs_record(CreSlotRefs[creature], c) ? CreSlotRefs[creature] : 0;
}
// The check of followers made when the player leaves the map marks who
// comes along.
int creature_travels_with_player(int data) {
    const int slot = data - CRE_REF_BASE;
    return cre_slot_valid(slot) && (Cre[slot].bfdom & BFDOM_COMES_ALONG) ? 1 : 0;
}

int cre_class(int creature) { return cre_slot_valid(creature) ? Cre[creature].cre_class : 0; }
// A creature threatens with its pain word ("growl") and calls with its
// call ("howl"); an empty word gives the plain one.
const char* cre_aggression_sound(int creature) {
    if (!cre_slot_valid(creature) || Cre[creature].pain_word[0] == 0) return "growl";
    char word[sizeof Cre[0].pain_word + 1];
    copy_field(word, sizeof word, Cre[creature].pain_word, sizeof Cre[creature].pain_word);
    return ring_copy(word);
}
const char* cre_sound(int creature) {
    if (!cre_slot_valid(creature) || Cre[creature].call_word[0] == 0) return "sound";
    char word[sizeof Cre[0].call_word + 1];
    copy_field(word, sizeof word, Cre[creature].call_word, sizeof Cre[creature].call_word);
    return ring_copy(word);
}

// Not built yet: no creature is watched during a task.
bool creature_task_view(int, TaskCreatureView&) {
    KSM_STUB("creature_task_view");
    return false;
}

// Not built yet: the player's animals and companions take no orders.
void pet_command_menu(int, int) { KSM_STUB("pet_command_menu"); }
int companion_command_menu(int) { KSM_STUB("companion_command_menu"); return 1; }

