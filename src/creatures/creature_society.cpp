#include "creatures/creature_society.h"

#include <algorithm>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/creature_traits.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t STATUS_TRADER = 5, STATUS_WOMAN = 14, STATUS_CHILD = 15;
constexpr uint8_t MAP_FLAG_OUT_OF_SOCIETIES = 0x04;
constexpr uint32_t LIFE_AWAITS_PAY = 0x40000;
constexpr int ROLE_LIST_SIZE = 100;

int slot_of(const MapObject& o) {
    if (o.TYPE != MK_CREATURE) return -1;
    const int slot = o.DATA - CRE_REF_BASE;
    return cre_slot_valid(slot) ? slot : -1;
}

bool up(const CreatureRecord& c) { return c.body_state != 3 && c.body_state != 4; }

int distance_to_player_of(const MapObject& o) {
    return std::max(std::abs(int(o.x) - player_x), std::abs(int(o.y) - player_y));
}

bool member_of(int slot, int society) {
    return society != 0 && Cre[slot].lauma == society && cre_is_society_member(slot);
}

// A list of members, kept in the order they were found.
struct RoleList {
    int slot[ROLE_LIST_SIZE];
    int count = 0;
    void add(int s) {
        if (count < ROLE_LIST_SIZE) slot[count++] = s;
    }
};

}  // namespace

// ------------------------------------------------------------ societies

int cre_is_society_member(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    if (c.cre_class != CRE_CLASS_HUMAN || c.lauma == 0 || c.cre_status == STATUS_TRADER) return 0;
    if (cre_is_companion(creature)) return 0;
    if ((c.map_flags & MAP_FLAG_OUT_OF_SOCIETIES) || (c.party_flags & PARTY_MEMBER)) return 0;
    return 1;
}

int find_society_witness(int society) {
    int best = CRE_NO_CREATURE, best_d = 0;
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot < 0 || !member_of(slot, society)) continue;
        const CreatureRecord& c = Cre[slot];
        if (!up(c) || c.move_mode == MOVE_MODE_ASLEEP) continue;
        if (!cre_can_see_point_from(slot, o.x, o.y, player_x, player_y)) continue;
        if (is_in_view(o.x, o.y)) return slot;
        const int d = distance_to_player_of(o);
        if (best == CRE_NO_CREATURE || d < best_d) {
            best = slot;
            best_d = d;
        }
    }
    return best;
}

int find_nearest_society_member(int society) {
    int best = CRE_NO_CREATURE, best_d = 0;
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot < 0 || !member_of(slot, society)) continue;
        const CreatureRecord& c = Cre[slot];
        if (!up(c) || c.move_mode == MOVE_MODE_ASLEEP) continue;
        const int d = distance_to_player_of(o);
        if (best == CRE_NO_CREATURE || d < best_d) {
            best = slot;
            best_d = d;
        }
    }
    return best;
}

int cre_is_nearest_of_society(int creature) {
    if (!cre_is_society_member(creature) || Cre[creature].cre_status == STATUS_CHILD) return 0;
    return find_nearest_society_member(Cre[creature].lauma) == creature ? 1 : 0;
}

int society_member_distance(int society) {
    int best = 1000;
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot >= 0 && member_of(slot, society)) best = std::min(best, distance_to_player_of(o));
    }
    return best;
}

int find_unpaid_server(int group) {
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot >= 0 && Cre[slot].lauma == group && (Cre[slot].life_bits & LIFE_AWAITS_PAY)) return slot;
    }
    return CRE_NO_CREATURE;
}

// ------------------------------------------------------------ social roles

int cre_has_socrole(int creature, int role) {
    if (role < 0 || role > 7 || !cre_is_society_member(creature)) return 0;
    const uint8_t bit = uint8_t(1u << role);
    if (Cre[creature].soc_value & bit) return 1;
    const int group = Cre[creature].lauma;
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot >= 0 && slot != creature && member_of(slot, group) && (Cre[slot].soc_value & bit)) return 0;
    }
    assign_socrole(group, role);
    return 0;
}

void assign_socrole(int group, int role) {
    if (role < 0 || role > 7) return;
    const uint8_t bit = uint8_t(1u << role);
    RoleList all, grown, men, chosen;
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot < 0 || !member_of(slot, group) || !up(Cre[slot])) continue;
        const uint8_t status = Cre[slot].cre_status;
        all.add(slot);
        if (status == STATUS_CHILD) continue;
        grown.add(slot);
        if (status == STATUS_WOMAN) continue;
        men.add(slot);
        if (role == 0 && !cre_is_female(slot)) chosen.add(slot);
        if (role == 2 && cre_has_two_weapons(slot)) chosen.add(slot);
    }
    int wanted = role == 1 ? 2 : role == 2 ? std::max(1, all.count / 3) : 1;
    wanted = std::min(wanted, all.count);
    char text[120];
    // The role's own candidates first, then the men, the grown-ups and
    // everybody, each list from its end.
    for (const RoleList* list : {&chosen, &men, &grown, &all}) {
        for (int i = list->count - 1; i >= 0 && wanted > 0; --i) {
            CreatureRecord& c = Cre[list->slot[i]];
            if (c.soc_value & bit) continue;
            c.soc_value |= bit;
            --wanted;
            if (debug_messages_on) {
                format_text(text, sizeof text, "Socrole %d for %.*s", role, int(sizeof c.name), c.name);
                debug_message(text);
            }
        }
    }
}

void cre_drop_socroles(int creature) {
    if (!cre_is_society_member(creature)) return;
    const uint8_t held = Cre[creature].soc_value;
    const int group = Cre[creature].lauma;
    if (held == 0) return;
    for (const MapObject& o : Data) {
        const int slot = slot_of(o);
        if (slot >= 0 && member_of(slot, group)) Cre[slot].soc_value &= uint8_t(~held);
    }
    Cre[creature].soc_value &= uint8_t(~held);
}

// Not built yet: nobody has an identity, a culture, a group or marks; no
// one joins a village and no one carries goods home.
uint32_t cre_sotu(int) { KSM_STUB("cre_sotu"); return 0; }
int cre_culture(int) { KSM_STUB("cre_culture"); return -1; }
int cre_group_id(int) { KSM_STUB("cre_group_id"); return 0; }
int cre_meeting_count(int) { KSM_STUB("cre_meeting_count"); return 0; }
int cre_is_villager(int) { KSM_STUB("cre_is_villager"); return 0; }
int cre_has_social_mark(int, int) { KSM_STUB("cre_has_social_mark"); return 0; }
void cre_set_social_mark(int, int) { KSM_STUB("cre_set_social_mark"); }
int assign_group_to_ungrouped_people(int, int, int, int, int) { KSM_STUB("assign_group_to_ungrouped_people"); return 0; }
int count_group_on_map(int) { KSM_STUB("count_group_on_map"); return 0; }
int cre_take_stored_goods(int, int*, int*, int) { KSM_STUB("cre_take_stored_goods"); return 0; }
