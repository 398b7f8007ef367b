#include "objects/ownership.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/stubs.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "ui/message_line.h"

int32_t carried_unpaid_villages[OWNER_LIST_SIZE];
int32_t carried_taken_villages[OWNER_LIST_SIZE];
int32_t hauled_unpaid_villages[OWNER_LIST_SIZE];
int32_t hauled_taken_villages[OWNER_LIST_SIZE];
int32_t held_goods_villages[OWNER_LIST_SIZE];
uint8_t unpaid_check_suppressed = 0;

OwnershipServices default_ownership_services() {
    return OwnershipServices{find_society_witness, nearest_awake_villager, cre_shout};
}
OwnershipServices ownership_services = default_ownership_services();

namespace {

constexpr int CULTURE_FREE_GOODS = 11;
constexpr int32_t UNPAID_DEADLINE_MINUTES = 15;
constexpr int32_t BARTER_DEADLINE_MINUTES = 10;
constexpr int32_t BARTER_STAMP_AGE = 10;
constexpr uint32_t HUMAN_HOLDS_GOODS = 0x100;
constexpr int32_t PARTY_BIT_2 = 0x2;
constexpr uint8_t MOVE_MODE_HANDED_GOODS = 6;
constexpr uint8_t SUBCLASS_LEASH_STATUS = 9;

int32_t last_village_looked_at = 0;

void logo(const char* text) { debug_log("ownership", text); }

OwnerStatus free_status() { return OwnerStatus{0, 0, 0, 1}; }

bool in_list(const int32_t* list, int32_t v) {
    for (int i = 0; i < OWNER_LIST_SIZE && list[i] != 0; ++i)
        if (list[i] == v) return true;
    return false;
}

bool owned_by(const ObjectRecord& r, int32_t v) {
    const OwnerStatus s = obj_owner_status(r);
    return !s.free && s.owner == v;
}

// Taken goods become unpaid, with a debt of `count`: the new object id.
int make_unpaid(int id, int count, int32_t v) {
    ObjectRecord r;
    obj_record(id, r);
    r.ownflag = uint8_t((r.ownflag & ~OWN_TAKEN) | OWN_UNPAID);
    const int new_id = obj_store_record(r);
    if (new_id == 0) return id;
    add_village_item_debt(v, new_id, count);
    return new_id;
}

// The witness names the trade terms; the village starts to collect.
void announce_terms(int witness, int32_t v, int state, int level, int minutes) {
    cre_announce_trade_terms(witness);
    set_debt_collection_state(v, state);
    if (level > 0) set_debt_collection_deadline(v, minutes, level);
}

void message_pause() {
    if (!messages_suppressed) pause_prompt();
}

}  // namespace

void forget_last_village_looked_at() { last_village_looked_at = 0; }

// ------------------------------------------------------------ status

OwnerStatus obj_owner_status(const ObjectRecord& r) {
    if (r.ownerID == 0 || (r.ownflag & OWN_FREE_AGAIN)) return free_status();
    return OwnerStatus{0, r.ownerID, 0, 0};
}

OwnerStatus map_item_owner_status(int index) {
    if (!map_index_valid(index)) return free_status();
    const MapObject& o = Data[index];
    const bool local = is_world_map() != 1;
    const int wx = local ? world_x_of(o.x) : o.x;
    const int wy = local ? world_y_of(o.y) : o.y;
    const int slot = marker_slot(wx, wy);
    const bool marked = slot >= 0 && Markers[slot].world_x == wx && Markers[slot].world_y == wy;
    if (marked && Markers[slot].village_id > 0) {
        if (o.TYPE != MK_ITEM) return free_status();
        if (o.ref == MAP_REF_CLAIMED) {
            if (world_culture_at(wx, wy) == CULTURE_FREE_GOODS) return free_status();
            return OwnerStatus{0, Markers[slot].village_id, 0, 0};
        }
    }
    if (o.TYPE != MK_ITEM || !obj_id_is_valid(o.DATA)) return free_status();
    ObjectRecord r;
    return obj_owner_status(obj_record(o.DATA, r));
}

void mark_map_item_claimed(int index) {
    if (!map_index_valid(index)) return;
    MapObject& o = Data[index];
    if (o.TYPE == MK_ITEM && o.ref == 0) o.ref = MAP_REF_CLAIMED;
}

// ------------------------------------------------------------ the lists

void owner_list_add(int32_t* list, int32_t v) {
    if (v == 0) return;
    for (int i = 0; i < OWNER_LIST_SIZE; ++i) {
        if (list[i] == v) return;
        if (list[i] == 0) {
            list[i] = v;
            return;
        }
    }
}

void note_carried_goods_villages() {
    std::memset(carried_unpaid_villages, 0, sizeof carried_unpaid_villages);
    std::memset(carried_taken_villages, 0, sizeof carried_taken_villages);
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (!obj_id_is_valid(Plr.plr_inv_id[s]) || Plr.plr_inv_count[s] <= 0) continue;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[s], r);
        const OwnerStatus st = obj_owner_status(r);
        if (st.free) continue;
        if (r.ownflag & OWN_UNPAID) owner_list_add(carried_unpaid_villages, st.owner);
        if (r.ownflag & OWN_TAKEN) owner_list_add(carried_taken_villages, st.owner);
    }
}

int held_goods_has_village(int32_t v) { return in_list(held_goods_villages, v) ? 1 : 0; }

int plr_has_goods_of_village(int v, int* slot) {
    if (v == 0) return 0;
    // The carried lists follow the inventory, which the load computation
    // would keep them by; they are read fresh here.
    note_carried_goods_villages();
    const int32_t* lists[] = {carried_unpaid_villages, carried_taken_villages, hauled_unpaid_villages,
                              hauled_taken_villages, held_goods_villages};
    for (const int32_t* list : lists)
        for (int i = 0; i < OWNER_LIST_SIZE && list[i] != 0; ++i)
            if (list[i] == v) {
                if (slot) *slot = i;
                return 1;
            }
    return 0;
}

// ------------------------------------------------------------ taking and returning

int village_member_sees_pickup(int id, int count, int quiet, const OwnerStatus& status) {
    if (obj_id_is_type(id)) id = obj_new_instance(id);
    if (!obj_id_is_valid(id)) return id;
    ObjectRecord r;
    obj_record(id, r);
    if (!status.free && r.ownerID == 0) r.ownerID = status.owner;
    if (r.ownerID == 0) return id;
    if (r.ownflag & OWN_UNPAID) return id;  // no second debt
    const int32_t v = r.ownerID;
    const int witness = ownership_services.find_witness(v);
    bool seen = false;
    if (witness < 0 || quiet) {
        r.ownflag = uint8_t((r.ownflag & ~OWN_UNPAID) | OWN_TAKEN);
    } else {
        char text[120];
        format_text(text, sizeof text, "soc member %s sees pickup", creature_name(witness, 0));
        logo(text);
        r.ownflag = uint8_t((r.ownflag & ~OWN_TAKEN) | OWN_UNPAID);
        seen = true;
    }
    // Column 0 of the world is sea: x 0 always means "not stamped".
    if (r.x == 0) {
        r.x = int16_t(plr_world_x());
        r.y = int16_t(plr_world_y());
        char text[80];
        format_text(text, sizeof text, "debtitem got og.coordinates %d,%d", int(r.x), int(r.y));
        logo(text);
    }
    const int new_id = obj_store_record(r);
    if (new_id == 0) return id;
    if (seen) add_village_item_debt(v, new_id, count);
    return new_id;
}

int return_unpaid_item(int id, int count, int only_at_origin) {
    if (!obj_id_is_valid(id)) return 0;
    ObjectRecord r;
    obj_record(id, r);
    if (!(r.ownflag & OWN_UNPAID) || obj_owner_status(r).free) return 0;
    if (only_at_origin && (plr_world_x() != r.x || plr_world_y() != r.y)) return 0;
    char text[200];
    format_text(text, sizeof text, "remove debt item: %s (%d) * %d", r.name, id, count);
    logo(text);
    const int paid = remitemdebt(r.ownerID, id, count);
    format_text(text, sizeof text, "remitemdebt returned: %d", paid);
    logo(text);
    if (paid == 0) return 0;
    r.ownflag = uint8_t(r.ownflag & ~OWN_UNPAID);
    const int new_id = obj_store_record(r);
    if (new_id == 0) return 0;
    format_text(text, sizeof text, "creates new item: %s (%d)", r.name, new_id);
    logo(text);
    return new_id;
}

ObjectRecord& obj_owned_by_creature(int creature, ObjectRecord& r) {
    r.ownflag = uint8_t(r.ownflag & ~OWN_MADE_MARK);
    if (cre_slot_valid(creature) && Cre[creature].home_culture == CULTURE_FREE_GOODS) return r;
    if (r.ownflag & OWN_MAKE_OWNERLESS) {
        r.ownflag = 0;
        r.x = r.y = 0;
        r.ownerID = 0;
    } else if (cre_is_society_member(creature) && cre_slot_valid(creature)) {
        r.ownerID = Cre[creature].lauma;
        r.ownflag = uint8_t(r.ownflag & ~(OWN_UNPAID | OWN_TAKEN | OWN_MADE_MARK));
        r.x = r.y = 0;
    }
    return r;
}

int create_item_at_creature(int creature, int object_id, int amount) {
    if (!obj_id_is_valid(object_id)) return MAP_NO_RECORD;
    ObjectRecord r;
    obj_record(object_id, r);
    obj_owned_by_creature(creature, r);
    const int id = obj_store_record(r);
    if (id == 0) return MAP_NO_RECORD;
    return put_object_on_map(MK_ITEM, creature_x(creature), creature_y(creature), id, amount);
}

// ------------------------------------------------------------ the village looks

void check_unpaid_goods(int32_t v, int force) {
    if (unpaid_check_suppressed || v == 0) return;
    if (v == last_village_looked_at && !force) return;
    set_current_village(v);
    if (!plr_has_goods_of_village(v) && !CurVillage.has_debt) return;
    last_village_looked_at = v;
    const int witness = ownership_services.find_witness(v);
    const int villager = ownership_services.nearest_villager(v);
    const bool seen = witness >= 0 || force;

    // Carried goods.
    bool unpaid_carried = false;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (!obj_id_is_valid(id) || Plr.plr_inv_count[s] <= 0) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (!owned_by(r, v)) continue;
        if (r.ownflag & OWN_UNPAID) {
            unpaid_carried = true;
        } else if ((r.ownflag & OWN_TAKEN) && seen) {
            Plr.plr_inv_id[s] = make_unpaid(id, Plr.plr_inv_count[s], v);
            set_current_village(v);
            if (CurVillage.perinta == 0 && witness >= 0) announce_terms(witness, v, 1, 2, UNPAID_DEADLINE_MINUTES);
        }
    }

    // Hauled goods.
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;
        if (o.TYPE != MK_ITEM || o.state != MAP_STATE_HAULED || o.ref != MAP_REF_HAULED_BY_PLAYER) continue;
        if (!obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (!owned_by(r, v) || !(r.ownflag & OWN_TAKEN) || !seen) continue;
        o.DATA = make_unpaid(o.DATA, o.amount, v);
        set_current_village(v);
        if (CurVillage.perinta == 0 && witness >= 0) announce_terms(witness, v, 1, 2, UNPAID_DEADLINE_MINUTES);
    }

    // Goods that creatures near the player hold for it.
    if (held_goods_has_village(v)) {
        bool held_taken = false;
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == KIND_UNUSED) break;
            if (o.TYPE != MK_CREATURE || o.DATA < CREATURE_REF_BASE) continue;
            const int slot = o.DATA - CREATURE_REF_BASE;
            if (!cre_slot_valid(slot)) continue;
            CreatureRecord& c = Cre[slot];
            if (c.cre_class == CRE_CLASS_HUMAN) {
                if (c.cre_flags & HUMAN_HOLDS_GOODS) {
                    c.party_flags |= PARTY_BIT_2;
                } else if (c.move_mode == MOVE_MODE_HANDED_GOODS) {
                    c.cre_flags |= HUMAN_HOLDS_GOODS;
                    c.move_mode = 0;
                } else {
                    continue;
                }
            } else if (!(c.cre_status == SUBCLASS_LEASH_STATUS || c.owner == OWNER_PLAYER)) {
                continue;
            }
            for (int k = 0; k < CRE_INV_SLOTS; ++k) {
                if (!obj_id_is_valid(c.inv_id[k])) continue;
                ObjectRecord r;
                obj_record(c.inv_id[k], r);
                if (!owned_by(r, v) || !(r.ownflag & OWN_TAKEN)) continue;
                held_taken = true;
                if (!seen) continue;
                c.inv_id[k] = make_unpaid(c.inv_id[k], c.inv_count[k], v);
                if (witness >= 0) {
                    cre_announce_trade_terms(witness);
                    set_debt_collection_state(v, 1);
                    set_debt_collection_deadline(v, UNPAID_DEADLINE_MINUTES, 2);
                }
            }
        }
        if (!held_taken && !unpaid_carried) std::memset(held_goods_villages, 0, sizeof held_goods_villages);
    }

    // Leaving with unpaid goods.
    set_current_village(v);
    const bool home_cell = village_owns_cell(v, plr_world_x(), plr_world_y()) != 0;
    if (unpaid_carried && !home_cell && (witness >= 0 || villager >= 0)) {
        if (CurVillage.perinta <= 1) {
            const int shouted =
                witness >= 0 ? ownership_services.shout(witness, "Don't you dare to leave with unpaid goods!")
                             : ownership_services.shout(villager, "Come back you thief! I saw you carry our goods!");
            if (shouted) message_pause();
            set_debt_collection_state(v, 2);
        }
        set_current_village(v);
        if (CurVillage.perinta <= 2) set_debt_collection_deadline(v, UNPAID_DEADLINE_MINUTES, 3);
    }

    // An offer to barter over goods taken a while ago. The record keeps no
    // flag against offers yet, so one is made whenever an old debt stands.
    set_current_village(v);
    if (CurVillage.perinta != 0 || witness < 0) return;
    for (const VillageDebt& d : CurVillage.item_debts) {
        if (!d.in_use) continue;
        const int32_t age = Plr.total_minutes - d.stamp;
        if (age <= BARTER_STAMP_AGE && age >= -BARTER_STAMP_AGE) continue;
        ownership_services.shout(witness, "You have found something to barter about? Let's talk about it.");
        set_debt_collection_state(v, 1);
        message_pause();
        set_debt_collection_deadline(v, BARTER_DEADLINE_MINUTES, 2);
        return;
    }
}

void reset_ownership() {
    std::memset(carried_unpaid_villages, 0, sizeof carried_unpaid_villages);
    std::memset(carried_taken_villages, 0, sizeof carried_taken_villages);
    std::memset(hauled_unpaid_villages, 0, sizeof hauled_unpaid_villages);
    std::memset(hauled_taken_villages, 0, sizeof hauled_taken_villages);
    std::memset(held_goods_villages, 0, sizeof held_goods_villages);
    last_village_looked_at = 0;
    unpaid_check_suppressed = 0;
}
