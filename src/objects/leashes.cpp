// Leashes: the leash and the animal it leads point at each other. The
// leash's `link` holds the animal's sotu; the animal's status says it is led
// (cre_status 9) or tied in place (bfdom 0x10, the leash lying at the tree).
#include "objects/leashes.h"

#include <cstring>

#include "base/platform.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "body/creature_fights.h"
#include "creatures/creature_files.h"
#include "creatures/creature_record.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_use.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/game_course.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t SUBCLASS_LEASH = 9;
constexpr int KIND_BINDING = 327;
constexpr int KIND_VILLAGE_DOG = 618;
constexpr uint8_t STATUS_FREE = 0;
constexpr uint8_t TIED_IN_PLACE = 0x10;     // bfdom
constexpr uint8_t ON_ITS_WAY_HOME = 0x01;   // map_flags
constexpr uint8_t LEASHED_PET_MODE = 2;     // the record's pet mode byte
constexpr int COURSE_EVENT_LEASHED = 19;
constexpr int TARGET_ANY_SQUARE = 2;
constexpr int TERRAIN_OUTSIDE = 32;
constexpr int MAP_CODE_TIE_POINT = 42;

bool is_leash(const ObjectRecord& r) {
    return r.item_class == ITEM_TOOL && r.subclass == SUBCLASS_LEASH && r.kind != KIND_BINDING;
}

uint32_t leash_sotu(const ObjectRecord& r) { return uint16_t(r.link & 0xFFFF); }

// The creature the leash in the slot names, on the map; CRE_NO_CREATURE.
int creature_of_slot_leash(int slot, ObjectRecord& leash) {
    obj_record(Plr.plr_inv_id[slot], leash);
    if (!is_leash(leash) || leash_sotu(leash) == 0) return CRE_NO_CREATURE;
    return cre_by_sotu(leash_sotu(leash));
}

// A changed leash is a record of its own: one leash is split off the stack
// and the changed record is stored for that one.
void store_leash(int slot, const ObjectRecord& leash) {
    plr_split_off_single_item(slot);
    const int id = obj_store_record(leash);
    if (id > 0) Plr.plr_inv_id[slot] = id;
}

// The village whose marker stands on the player's world cell; 0 none.
int32_t village_of_player_cell() {
    const int wx = plr_world_x(), wy = plr_world_y();
    const int m = marker_slot(wx, wy);
    if (m < 0 || Markers[m].world_x != wx || Markers[m].world_y != wy) return 0;
    return Markers[m].village_id;
}

void refuse_with_a_sound(int c) {
    msg_npc = c;
    show_message(message_by_key("SOUND_DISAGREEMENT"));
}

bool tree_square(int x, int y) {
    const int code = in_world_grid(x, y) ? terrain_at(x, y) : TERRAIN_OUTSIDE;
    return (terrain_flags_of(code) & TF_YOUNG_TREE) != 0;
}

}  // namespace

bool cre_led_by_player_leash(int creature) {
    if (!cre_slot_valid(creature)) return false;
    const uint32_t sotu = uint16_t(Cre[creature].sotu & 0xFFFF);
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (Plr.plr_inv_id[s] == 0) continue;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[s], r);
        if (is_leash(r) && leash_sotu(r) == sotu && sotu != 0) return true;
    }
    return false;
}

void lead_on_leash(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return;
    ObjectRecord leash;
    if (creature_of_slot_leash(slot, leash) != CRE_NO_CREATURE) return;
    if (!screen_hooks.choose_target_location ||
        !screen_hooks.choose_target_location(TARGET_ANY_SQUARE, "creature to be tied"))
        return;
    const int c = creature_at(target_x, target_y);
    if (!cre_slot_valid(c)) {
        show_message(message_by_key("GOOF_NO_CREATURE"));
        return;
    }
    CreatureRecord& animal = Cre[c];
    // An animal of a village's land is taken only when none of the village
    // is here to see it.
    bool taken = false;
    if (cre_is_leashable(0, c) && animal.owner != OWNER_PLAYER) {
        const int32_t village = village_of_player_cell();
        if (village > 0) taken = count_villagers_on_map(village) == 0;
    }
    const bool human = animal.cre_class == CRE_CLASS_HUMAN;
    const bool accepts =
        (!human && (animal.cre_status == CRE_STATUS_TIED || animal.owner == OWNER_PLAYER)) || taken;
    if (!accepts) {
        refuse_with_a_sound(c);
        return;
    }
    if ((animal.bfdom & TIED_IN_PLACE) || animal.cre_status == CRE_STATUS_TIED) {
        if (is_world_map()) animal.bfdom &= uint8_t(~TIED_IN_PLACE);
        if (animal.cre_status == CRE_STATUS_TIED && !cre_led_by_player_leash(c)) {
            // Its leash was left behind: the animal goes free.
            animal.cre_status = STATUS_FREE;
            msg_npc = c;
            show_message(message_by_key("PET_UNLEASHED"));
        } else {
            show_message("!It's already leashed.");
        }
        return;
    }
    if (taken && animal.kind == KIND_VILLAGE_DOG) {
        refuse_with_a_sound(c);
        cre_begin_attack(c, -1, 0);
        return;
    }
    msg_npc = c;
    show_message(message_by_key("PET_LEASHED"));
    leash.link = int32_t(uint16_t(animal.sotu & 0xFFFF));
    animal.cre_status = CRE_STATUS_TIED;
    animal.disposition = LEASHED_PET_MODE;
    animal.attitude = ATTITUDE_TO_PLAYER;
    animal.move_mode = 0;
    store_leash(slot, leash);
    if (taken) {
        animal.map_flags &= uint8_t(~ON_ITS_WAY_HOME);
        animal.owner = OWNER_PLAYER;
        animal.cre_bits = 0;  // the tie flags: it no longer follows a village creature
        if (random_below(4) == 0) {
            const int steps = 5 + random_below(15);
            cre_begin_attack(c, -1, steps);
        }
    }
    report_game_course_event(COURSE_EVENT_LEASHED);
}

int take_off_leash(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return 0;
    ObjectRecord leash;
    obj_record(Plr.plr_inv_id[slot], leash);
    const uint32_t sotu = leash_sotu(leash);
    if (sotu != 0) {
        for (int c = 0; c < CRE_SLOTS; ++c) {
            if (CreSlotRefs[c] == 0 || uint16_t(Cre[c].sotu & 0xFFFF) != sotu) continue;
            msg_npc = c;
            Cre[c].cre_status = STATUS_FREE;
            show_message(message_by_key("PET_UNLEASHED"));
            break;
        }
    }
    leash.link = 0;
    store_leash(slot, leash);
    return Plr.plr_inv_id[slot];
}

void release_leash(int slot) { take_off_leash(slot); }

void tie_leashed_animal(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return;
    ObjectRecord leash;
    const int c = creature_of_slot_leash(slot, leash);
    if (c == CRE_NO_CREATURE || !cre_slot_valid(c)) return;
    int x = 0, y = 0;
    cre_cell_ahead(-1, &x, &y);
    if (!tree_square(x, y)) {
        if (!screen_hooks.choose_target_location) return;
        const int code = screen_hooks.choose_target_location(TARGET_ANY_SQUARE, "where to tie");
        if (code == 0) return;
        x = target_x;
        y = target_y;
        if (!tree_square(x, y) && code != MAP_CODE_TIE_POINT) {
            msg_npc = c;
            show_message(message_by_key("PET_TIE_CANT"));
            return;
        }
    }
    const int leash_id = Plr.plr_inv_id[slot];
    if (put_object_on_map(MK_ITEM, x, y, leash_id, 1) == MAP_NO_RECORD) return;
    Cre[c].bfdom |= TIED_IN_PLACE;
    Cre[c].cre_status = STATUS_FREE;
    plr_take_from_slot(slot, 1);
    plr_recompute_carried_weight();
    msg_npc = c;
    // The catalogue text names the tie square's terrain.
    char line[CATALOGUE_TEXT_BYTES];
    show_message(fill_message_format(line, sizeof line, message_by_key("PET_TIED"),
                                     {lower_case_copy(terrain_name(terrain_at(x, y)))}));
}

void untie_from_leash(int leash_id) {
    ObjectRecord leash;
    obj_record(leash_id, leash);
    if (!is_leash(leash) || leash_sotu(leash) == 0) return;
    const int c = cre_by_sotu(leash_sotu(leash));
    if (!cre_slot_valid(c)) return;
    Cre[c].bfdom &= uint8_t(~TIED_IN_PLACE);
    Cre[c].cre_status = CRE_STATUS_TIED;
    Cre[c].disposition = LEASHED_PET_MODE;
    Cre[c].attitude = ATTITUDE_TO_PLAYER;
    msg_npc = c;
    show_message(message_by_key("PET_UNTIED"));
}
