// The apply command: one loop over the item selection screen and one
// dispatcher over the chosen item's record.
#include "objects/item_use.h"

#include "base/platform.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "body/body_services.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "objects/containers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/item_makers.h"
#include "objects/item_selection.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/shovel.h"
#include "society/game_course.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/sound.h"
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

// ------------------------------------------------------------ the sauna

namespace {

constexpr uint8_t TERRAIN_SAUNA_STOVE = 5;
constexpr int COURSE_EVENT_SAUNA = 39;
constexpr float SAUNA_HIGHEST_BODYTEMP = 42.5f;

// The stoves within `radius` squares of the player and the highest heat
// among them.
int stoves_around(int radius, int* highest) {
    int stoves = 0;
    *highest = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int x = player_x + dx, y = player_y + dy;
            if (!in_world_grid(x, y) || terrain_at(x, y) != TERRAIN_SAUNA_STOVE) continue;
            ++stoves;
            const int heat = fire_heat_at(x, y);
            if (heat > *highest) *highest = heat;
        }
    return stoves;
}

// Steam warms the body, but never past the sauna's limit.
void warm_body_by(float degrees) {
    if (Plr.bodytemp >= SAUNA_HIGHEST_BODYTEMP) return;
    Plr.bodytemp += degrees;
    if (Plr.bodytemp > SAUNA_HIGHEST_BODYTEMP) Plr.bodytemp = SAUNA_HIGHEST_BODYTEMP;
}

}  // namespace

void throw_water_on_stove(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS) return;
    int heat = 0;
    const int stoves = stoves_around(1, &heat);
    throw_water_at_heat(slot, stoves, heat);
}

void throw_water_at_heat(int slot, int stoves, int heat) {
    if (stoves == 0 || heat < 10) {
        show_message(message_by_key("SAUNA_NO_STOVE"));
        return;
    }
    plr_empty_container(slot, 0.25f);
    show_message(message_by_key("SAUNA_THROW_WATER"));
    turn_time_state = TURN_ONE_TURN;
    if (heat < 30) {
        show_message(message_by_key("SAUNA_NO_STEAM"));
        return;
    }
    if (heat >= 60) {
        show_message(message_by_key("SAUNA_STEAM"));
        play_sample("sauna_loyly", 0);
        warm_body_by(1.0f);
    } else {
        show_message(message_by_key("SAUNA_MILD_STEAM"));
        play_sample("sauna_small_loyly", 0);
        warm_body_by(0.5f);
    }
    rebuild_view();
    plr_raise_felt_warmth(40);
    if (Plr.bodytemp < 42.0f) warm_body_by(1.0f);
    report_game_course_event(COURSE_EVENT_SAUNA);
    PLR_Lampotila();
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}

int use_vasta(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return 0;
    int heat = 0;
    const int stoves = stoves_around(2, &heat);
    if (heat < 30) {
        show_message("!You should be in a heated sauna to use vasta.");
        if (stoves > 0) show_message("_The sauna stove here is not hot.");
        return 0;
    }
    if (!plr_wears_no_armour()) {
        show_message("!Remove your clothes first. You should be naked in the sauna.");
        return 0;
    }
    if (Plr.bodytemp < 38.0f) {
        show_message("!You don't feel comfortably warm yet to use vasta.");
        return 0;
    }
    show_message(":You start gently beating your body with vasta.");
    play_sample("sauna_vasta", 0);
    if (!spend_time_on_task(0, 10, "using vasta", 0, 0)) return 0;
    plr_empty_container(slot, 0.025f);
    show_message("#You feel relaxed.");
    return 1;
}

// ------------------------------------------------------------ skulls, hooks and strings

namespace {

uint32_t attachment_of(const ObjectRecord& r) { return r.effect_raw; }
constexpr int ATTACHMENT_WEAR = 1;  // coverage byte of the fitted part's wear
constexpr int TEETH = 0;            // coverage byte of a skull's teeth

// Puts a changed record back at the slot it came from: the one item was
// taken out in place, and the changed one is stored anew and goes in at
// the same position.
void put_back_at(int slot, const ObjectRecord& changed) {
    const int id = obj_store_record(changed);
    if (id > 0) plr_insert_into_inventory(id, 1, 0, slot);
}

char* name_of_record(const ObjectRecord& r) {
    naming_scratch = r;
    return ring_copy(obj_name(-1, 1, 0));
}

}  // namespace

void remove_teeth_from_skull(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return;
    ObjectRecord skull;
    obj_record(Plr.plr_inv_id[slot], skull);
    ObjectRecord tooth;
    make_tooth_item(skull, tooth);
    const int teeth = skull.coverage[TEETH];
    char line[300];
    if (teeth == 0 || tooth.name[0] == 0) {
        format_text(line, sizeof line, "!This %s has no teeth to remove.", obj_name(Plr.plr_inv_id[slot], 1, 0));
        show_message(line);
        return;
    }
    if (!Kay_Tarvikelista("Remove teeth from a skull")) return;
    // The skull keeps its teeth until the work is done.
    if (!spend_time_on_task(0, teeth, "Removing teeth from a skull", 0, 0)) return;
    plr_split_off_single_item(slot);
    skull.coverage[TEETH] = 0;
    const int skull_id = obj_store_record(skull);
    const int tooth_id = obj_store_record(tooth);
    if (skull_id <= 0 || tooth_id <= 0) return;
    Plr.plr_inv_id[slot] = skull_id;
    plr_give_item(tooth_id, teeth);
    format_text(line, sizeof line, "=You got %s.", obj_name_with_unit(tooth_id, teeth, NAME_WITH_COUNT));
    show_message(line);
    plr_merge_stacks_into(slot);
}

int remove_hook_or_string(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return 0;
    ObjectRecord holder;
    obj_record(Plr.plr_inv_id[slot], holder);
    const int part_id = int(attachment_of(holder));
    char line[300];
    if (holder.kind == KIND_FISHING_ROD) {
        if (part_id == 0) {
            show_message("!That fishing rod has no hook.");
            return 0;
        }
        if (!spend_time_on_task_finely(0, 5, "Removing the hook", 0)) return 0;
        plr_take_from_slot_in_place(slot, 1);
        holder.effect_raw = 0;
        holder.coverage[ATTACHMENT_WEAR] = 0;
        put_back_at(slot, holder);
        plr_insert_into_inventory(part_id, 1, 1, -1);
        plr_compact_inventory();
        format_text(line, sizeof line, "+You removed %s from that fishing rod.", obj_name(part_id, 1, 0));
        show_message(line);
        return 1;
    }
    if (holder.kind == KIND_BOW) {
        if (part_id == 0) {
            show_message("!That bow has no string.");
            return 0;
        }
        const char* bow_name = ring_copy(obj_name(Plr.plr_inv_id[slot], 1, 0));
        if (!spend_time_on_task_finely(30, 0, "Unstringing the bow", 0)) return 0;
        plr_take_from_slot_in_place(slot, 1);
        ObjectRecord string;
        obj_record(part_id, string);
        const int wear = holder.coverage[ATTACHMENT_WEAR];
        string.coverage[ATTACHMENT_WEAR] = uint8_t(wear);
        if (wear >= 10) string.weight = string.full_weight - wear / 100.0f * string.full_weight * 0.5f;
        holder.effect_raw = 0;
        holder.coverage[ATTACHMENT_WEAR] = 0;
        put_back_at(slot, holder);
        const int string_id = obj_store_record(string);
        if (string_id > 0) plr_insert_into_inventory(string_id, 1, 1, -1);
        plr_compact_inventory();
        format_text(line, sizeof line, "+You have unstrung the %s.", bow_name);
        show_message(line);
        return 1;
    }
    return 0;
}

namespace {

// Fits the part in part_slot to the holder the player picks (a rod for a
// hook, a bow for a string); 1 when fitted or refused with a message, 0
// when cancelled.
struct Fitting {
    const char* hint;
    uint8_t holder_class;
    const char* prompt;
    const char* verb;
    int holder_kind;
    const char* not_holder;
    const char* already;
    const char* how_to_remove;
    int seconds, minutes;
    bool fine;
    const char* label;
    const char* done_before;  // the fitted thing's name goes between
    const char* done_after;
};

// The part in part_slot onto the holder in holder_slot: 1 when fitted or
// refused with a message or broken off.
int fit_part_onto(int part_slot, int holder_slot, const Fitting& f) {
    if (part_slot < 0 || part_slot >= PLR_INV_SLOTS || Plr.plr_inv_id[part_slot] == 0) return 0;
    if (holder_slot < 0 || holder_slot >= PLR_INV_SLOTS || Plr.plr_inv_id[holder_slot] == 0) return 0;
    ObjectRecord holder, part;
    obj_record(Plr.plr_inv_id[holder_slot], holder);
    const int part_id = Plr.plr_inv_id[part_slot];
    obj_record(part_id, part);
    if (holder.kind != f.holder_kind) {
        show_message(f.not_holder);
        return 1;
    }
    if (attachment_of(holder) != 0) {
        show_message(f.already);
        show_message(f.how_to_remove);
        return 1;
    }
    const int done = f.fine ? spend_time_on_task_finely(f.seconds, f.minutes, f.label, 0)
                            : spend_time_on_task(f.seconds, f.minutes, f.label, 0, 0);
    if (!done) return 1;
    holder.effect_raw = uint32_t(part_id);
    holder.coverage[ATTACHMENT_WEAR] = f.holder_kind == KIND_BOW ? part.coverage[ATTACHMENT_WEAR] : 0;
    // Both come out in place, so neither slot moves before the holder goes
    // back to its own; the pack is closed up once at the end.
    plr_take_from_slot_in_place(part_slot, 1);
    plr_take_from_slot_in_place(holder_slot, 1);
    put_back_at(holder_slot, holder);
    plr_compact_inventory();
    char line[300];
    copy_text(line, f.done_before);
    append_text(line, sizeof line, name_of_record(holder));
    append_text(line, sizeof line, f.done_after);
    show_message(line);
    return 1;
}

// Asks for the holder, then fits; 0 when cancelled.
int fit_part(int part_slot, const Fitting& f) {
    if (part_slot < 0 || part_slot >= PLR_INV_SLOTS || Plr.plr_inv_id[part_slot] == 0) return 0;
    show_message(f.hint);
    const int holder_slot = select_item(f.prompt, f.verb, SEL_FILTER_INVALID, f.holder_class, 0);
    if (holder_slot < 0) return 0;
    return fit_part_onto(part_slot, holder_slot, f);
}

const Fitting hook_fitting = {
    "?You can use fishhooks to repair a fishing rod with no hook.",
    ITEM_TOOL,
    "Select a fishing rod to repair with this hook?",
    "have the hook attached to",
    KIND_FISHING_ROD,
    "!That is not a fishing rod.",
    "!That fishing rod already has a hook.",
    "_Should you want to remove the hook [a]pply the fishing rod on dry land.",
    0,
    5,
    false,
    "Attaching the hook",
    "+Now you have a ",
    ".",
};

const Fitting string_fitting = {
    "?You can use bowstrings to repair a bow with no string.",
    ITEM_WEAPON,
    "Select a bow to repair with this string?",
    "have the bowstring attached to",
    KIND_BOW,
    "!That is not a bow.",
    "!That bow is already strung.",
    "_Should you want to remove a bowstring use [a]pply command to a strung bow.",
    0,
    1,
    true,
    "Stringing the bow",
    "+Now you have a strung ",
    " ready to use.",
};

}  // namespace

int attach_hook(int slot) { return fit_part(slot, hook_fitting); }
int attach_hook_onto(int hook_slot, int rod_slot) { return fit_part_onto(hook_slot, rod_slot, hook_fitting); }
int string_bow(int slot) { return fit_part(slot, string_fitting); }
int string_bow_onto(int string_slot, int bow_slot) { return fit_part_onto(string_slot, bow_slot, string_fitting); }
