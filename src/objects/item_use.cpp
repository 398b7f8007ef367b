// The apply command: one loop over the item selection screen and one
// dispatcher over the chosen item's record.
#include "objects/item_use.h"

#include "base/platform.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "objects/containers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/item_selection.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/shovel.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/fishing.h"
#include "work/work_services.h"

namespace {

constexpr int KIND_BOW = 120, KIND_BOWSTRING = 121, KIND_SAUNA_WHISK = 230, KIND_FISHING_ROD = 249,
              KIND_FISH_HOOK = 250, KIND_SHOVEL = 310, KIND_WOODEN_SHOVEL = 311, KIND_BINDING = 327,
              KIND_SKULL = 416;
constexpr uint8_t MAGIC_STROKED = 10;
constexpr uint8_t TRAVEL_WALK = 1, TRAVEL_SKI = 7;
constexpr int PURPOSE_APPLY = 910;
constexpr int SUBKIND_NET = 1;

void not_yet(const char* what) {
    (void)what;
    show_message("!Not available yet.");
}

bool carries_string_or_strung_bow() {
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (Plr.plr_inv_id[s] == 0) continue;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[s], r);
        if (r.kind == KIND_BOWSTRING || (r.kind == KIND_BOW && r.effect_raw != 0)) return true;
    }
    return false;
}

bool watercraft_at_player() {
    for (int i = 0; i < MAP_OBJECT_COUNT && Data[i].TYPE != 0; ++i) {
        if (Data[i].TYPE != MK_ITEM || Data[i].x != player_x || Data[i].y != player_y) continue;
        ObjectRecord r;
        if (obj_record(Data[i].DATA, r).item_class == ITEM_VEHICLE) return true;
    }
    return false;
}

bool held_in_a_hand(int slot) { return plr_wielded_slot(1) == slot || plr_wielded_slot(2) == slot; }

// Writes the current object back as the slot's own object: a record that
// other stacks may share is never changed in place.
void store_current_into_slot(int slot) {
    const int id = obj_store_record(current_object);
    if (id > 0) Plr.plr_inv_id[slot] = id;
}

void finish(int slot) {
    turn_time_state = TURN_ONE_TURN;
    plr_merge_stacks_into(slot);
}

void stroke(int slot) {
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    char line[200];
    format_text(line, sizeof line, "You stroke the %s.", obj_name_with_unit(Plr.plr_inv_id[slot], 1, 0));
    show_message(line);
    turn_time_state = TURN_ONE_TURN;
    if (r.length == 0) {
        show_message("Some hair falls off from it.");
    } else {
        Plr.luck_uses = 3;
        r.length = uint8_t(r.length - 1);
        const int id = obj_store_record(r);
        if (id > 0) Plr.plr_inv_id[slot] = id;
    }
    plr_merge_stacks_into(slot);
}

// A tool's sub-kind decides what applying it does; 1 after the row, or the
// early answer of a tool that is only put down.
int apply_tool(int slot) {
    const ObjectRecord& r = current_object;
    switch (r.subclass) {
    case 7:
        show_message(
            "!Water is thrown on the sauna stove by applying a water container. Sauna scoop isn't needed "
            "anymore.");
        break;
    case 9:
        if (r.kind == KIND_BINDING) show_message("+This item has no use on its own. It is used to bind things together.");
        else lead_on_leash(slot);
        break;
    case 10: show_message(":You produce a fancy sound."); break;
    case 12: set_trap(390, slot); break;
    case 13:
        if (held_in_a_hand(slot)) {
            take_off_or_unwield(slot, 1);
            return 1;
        }
        wield_command(slot, 0);
        if (!watercraft_at_player())
            show_message("_If you were standing on a raft or punt now you could go by waterways.");
        else
            show_message("_To travel by the watercraft here just keep moving normally towards water.");
        break;
    case 14: toggle_light(slot, r.link == 0 ? 1 : 0); break;
    case 40: toggle_skis(slot); break;
    case 41:
        if (held_in_a_hand(slot)) {
            take_off_or_unwield(slot, 1);
            return 1;
        }
        wield_command(slot, 0);
        break;
    default: {
        char line[200];
        format_text(line, sizeof line, "!There's no special way to apply %s.", obj_name_with_unit(Plr.plr_inv_id[slot], 2, 0));
        show_message(line);
    }
    }
    finish(slot);
    return 1;
}

}  // namespace

int apply_command() {
    unsigned filter = 0x80000048u;
    if (carries_string_or_strung_bow()) filter |= 1u << ITEM_WEAPON;
    for (;;) {
        const int slot = select_item("What do you want to apply?", "apply", SEL_FILLED_AS_CONTAINER, int(filter),
                                     PURPOSE_APPLY);
        if (last_list_refusal[0]) show_message(last_list_refusal);
        if (slot < 0) {
            if (slot == SEL_NOTHING) show_message(message_by_key("OUT_OF_ITEMS:apply"));
            return 0;
        }
        switch (chosen_activity) {
        case 451: fill_command(slot); return 1;
        case 459: empty_command(slot); continue;
        case 458:
            if (Kaada_Astiaan(slot)) continue;
            return 0;
        case 465: throw_water_on_stove(slot); return 1;
        case 480: tie_leashed_animal(slot); return 1;
        case 481: take_off_leash(slot); return 1;
        case 490: return remove_hook_or_string(slot);
        default: break;
        }
        const int done = apply_item(slot);
        if (done) return done;
    }
}

int apply_item(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return 0;
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    // The net and the rod go fishing; what they do there is the fishing's.
    if ((r.item_class == ITEM_WEAPON && r.subclass == SUBKIND_NET) || r.kind == KIND_FISHING_ROD) {
        if (!wilderness_refusal_fishing()) go_fishing(slot, 0);
        return 1;
    }
    if (r.kind == KIND_SKULL) {
        remove_teeth_from_skull(slot);
        return 1;
    }
    if (r.kind == KIND_SAUNA_WHISK) {
        use_vasta(slot);
        return 1;
    }
    plr_split_off_single_item(slot);
    obj_record(Plr.plr_inv_id[slot], r);
    if (r.MAGIC == MAGIC_STROKED) {
        stroke(slot);
        return 1;
    }
    if (r.kind == KIND_SHOVEL || r.kind == KIND_WOODEN_SHOVEL) {
        applyShovel(Plr.plr_inv_id[slot]);
        plr_merge_stacks_into(slot);
        return 1;
    }
    if (r.kind == KIND_BOWSTRING) return string_bow(slot), 1;
    if (r.kind == KIND_FISH_HOOK) return attach_hook(slot), 1;
    obj_load_current(Plr.plr_inv_id[slot]);
    if (current_object.item_class != ITEM_TOOL) {
        msg_item = Plr.plr_inv_id[slot];
        show_message(message_by_key("ITEM_CANT_APPLY"));
        plr_merge_stacks_into(slot);
        return 0;
    }
    Plr.hiding = 0;
    return apply_tool(slot);
}

void toggle_skis(int slot) {
    if (current_object.link == 0) {
        current_object.link = 1;
        show_message("You are wearing skis now.");
    } else {
        current_object.link = 0;
        show_message("You take off your skis.");
        if (Plr.travel_mode == TRAVEL_SKI) Plr.travel_mode = TRAVEL_WALK;
    }
    store_current_into_slot(slot);
}

void toggle_light(int slot, int mode) {
    char line[200];
    const char* name = obj_name(Plr.plr_inv_id[slot], 1, 0);
    if (mode == 0) {
        format_text(line, sizeof line, "You put out your %s.", name);
        show_message(line);
        current_object.link = 0;
    } else if (current_object.spoilage_days == 0) {
        format_text(line, sizeof line, "Your %s has burnt out and can't be lighted.", name);
        show_message(line);
        current_object.link = 0;
    } else {
        bool one_lit = false;
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            if (Plr.plr_inv_id[s] == 0) continue;
            ObjectRecord o;
            obj_record(Plr.plr_inv_id[s], o);
            if (o.item_class == ITEM_TOOL && o.subclass == 14 && o.link != 0) one_lit = true;
        }
        if (!one_lit) {
            format_text(line, sizeof line, "light a %s", name);
            const ObjectRecord kept = current_object;
            if (!Kay_Tarvikelista(line)) return;
            current_object = kept;
        }
        format_text(line, sizeof line, "You light your %s.", name);
        show_message(line);
        current_object.link = 1;
    }
    store_current_into_slot(slot);
}

int plr_worn_skis() {
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (Plr.plr_inv_id[s] == 0) continue;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[s], r);
        if (r.item_class == ITEM_TOOL && r.subclass == 40 && r.link != 0) return Plr.plr_inv_id[s];
    }
    return 0;
}

// The handlers that come later; each says so.
void throw_water_on_stove(int) { KSM_STUB("throw_water_on_stove"); not_yet("sauna"); }
int use_vasta(int) { KSM_STUB("use_vasta"); not_yet("vasta"); return 0; }
void remove_teeth_from_skull(int) { KSM_STUB("remove_teeth_from_skull"); not_yet("teeth"); }
int remove_hook_or_string(int) { KSM_STUB("remove_hook_or_string"); not_yet("hook"); return 0; }
int attach_hook(int) { KSM_STUB("attach_hook"); not_yet("hook"); return 0; }
int string_bow(int) { KSM_STUB("string_bow"); not_yet("string"); return 0; }

