// The player's body turn by turn: cold and wounds, knock-outs, the time
// spent unconscious, what the knocker does meanwhile, and falls.
#include "body/body_upkeep.h"

#include <algorithm>
#include <cmath>

#include "base/debug_log.h"
#include "base/platform.h"
#include "body/bleeding.h"
#include "body/combat_state.h"
#include "body/body_condition.h"
#include "body/body_services.h"
#include "body/creature_fights.h"
#include "body/fighters.h"
#include "body/hit_wounds.h"
#include "body/needs.h"
#include "body/skills.h"
#include "body/wound_checks.h"
#include "body/wounds.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_traits.h"
#include "game/clock.h"
#include "game/death.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/inventory.h"
#include "objects/map_objects.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "society/village_debts.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "ui/sound.h"

namespace {

constexpr int CAUSE_COLD = -107;
constexpr int CAUSE_COLD_WATER = -112;
constexpr int CAUSE_WOUNDS = -104;
constexpr int CAUSE_DISEASE = -109;
constexpr int CAUSE_FALL = -108;
constexpr int EPISODE_TURNS = 500;
constexpr uint8_t STATUS_ROBBER = 20;
constexpr uint8_t STATUS_NO_VILLAGE_CLAIMS = 5;
constexpr uint8_t BFAGG_LIMITS = 0x7;      // bits 1-3: the wounds are limited
constexpr uint8_t BFAGG_TAKES_WEAPONS = 4;
constexpr uint8_t BFAGG_CARRIES = 2 | 4;

}  // namespace

int plr_confusion = 0;

namespace {

// The game minute of the last cold message.
int cold_message_minute = -1000;

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

// The creature whose identity the knock-out reference holds, or -1.
int knocker_slot() {
    if (Plr.knockout_ref < CRE_REF_BASE) return -1;
    const int slot = cre_by_sotu(uint32_t(Plr.knockout_ref));
    return cre_slot_valid(slot) ? slot : -1;
}

void player_falls() {
    if (Plr.body_state != BODY_UPRIGHT) return;
    Plr.running = 0;
    cre_fall_down(-1, 0);
    screen_hooks.refresh_status_panel();
}

void check_eyes() {
    for (int s = 0; s < PLR_WOUND_SLOTS; ++s) {
        const WoundView w = wound_view(-1, s);
        if (w.kind == 0 || w.part != PART_EYE || w.damage <= 5) continue;
        Plr.eye_injury |= w.side == 1 ? 1 : 2;
    }
}

}  // namespace

void reset_body_check_state() {
    cold_message_minute = -1000;
    plr_confusion = 0;
}

void plr_body_check(int) {
    if (quit_state == -1) return;

    // Deep cold.
    if (Plr.bodytemp <= 30.0f) {
        Plr.knockout_ref = 0;
        Plr.cause_of_death = (Plr.travel_mode == 2 || Plr.travel_mode == 4) ? CAUSE_COLD_WATER : CAUSE_COLD;
        show_message("&You feel warm for a moment, then lose your consciousness...");
        if (screen_ready()) fade(nullptr, 0.5f, 1);
        plr_die();
        return;
    }
    if (Plr.bodytemp <= 32.5f && Plr.total_minutes - cold_message_minute >= 3) {
        cold_message_minute = Plr.total_minutes;
        if (Plr.bodytemp <= 31.7f)
            show_message("&You've become drowsy and confused from the cold and can barely remain conscious!");
        else
            show_message("&You are shivering all over from the cold and feel confused.");
        if (Plr.bodytemp_change < 0) plr_confusion = 4;
    }

    if (Plr.wound_total < 100) {
        if (cre_bleed(-1, player_x, player_y, 0) || quit_state == -1) return;
        Plr.wound_total = plr_wound_damage_sum();
        check_eyes();
        if (Plr.body_state == BODY_UPRIGHT && cre_locomotion_disability(-1) >= 1.0f) {
            show_message(message_by_key("UNUSABLE_LEGS"));
            player_falls();
        }
        if (cre_limb_impairment(-1, LIMB_HANDS, LIMB_RIGHT) >= 1.0f && plr_wielded_slot(1) != PLR_NO_SLOT)
            cre_fumble_drop(-1, 1);
        if (cre_limb_impairment(-1, LIMB_HANDS, LIMB_LEFT) >= 1.0f && plr_wielded_slot(2) != PLR_NO_SLOT)
            cre_fumble_drop(-1, 2);
        return;
    }

    // A wound total of 100: a hostile knocker knocks the player out; else
    // the wounds kill.
    const int knocker = knocker_slot();
    if (knocker >= 0 && cre_hostile_to_player(knocker)) {
        if (Plr.body_state == BODY_FAINTED) return;  // out already
        Plr.body_state = BODY_FAINTED;
        eyes_closed = true;
        msg_npc = -1;
        tell_about(-1, "FALL_UNCONSCIOUS");
        skip_message_pauses = true;
        cre_fumble_drop(-1, 0);
        return;
    }
    Plr.cause_of_death = Plr.knockout_ref == CAUSE_DISEASE ? CAUSE_DISEASE : CAUSE_WOUNDS;
    eyes_closed = false;
    plr_die();
}

int plr_body_upkeep(int) {
    plr_needs_report(0);
    return 0;
}

// ------------------------------------------------------------ unconscious

void plr_unconscious_sequence() { plr_unconscious_episode(); }

void plr_unconscious_episode() {
    if (Plr.body_state != BODY_FAINTED || quit_state == -1) return;
    eyes_closed = true;
    if (sound_on) fade_out_audio(500);
    pause_prompt();
    skip_message_pauses = true;
    player_falls();

    const int knocker = knocker_slot();
    if (Plr.knockout_ref < 0 ||
        (knocker >= 0 && (Cre[knocker].cre_status == STATUS_ROBBER || (Cre[knocker].bfagg & BFAGG_LIMITS))))
        plr_limit_wound_total(0);

    const int origin_x = Plr.zoom_origin_x, origin_y = Plr.zoom_origin_y;
    for (int turn = 0; turn < EPISODE_TURNS; ++turn) {
        if (quit_state == -1) break;
        advance_seconds(6);
        update_map_objects();
        if (quit_state == -1) break;
        plr_body_check(0);
        if (quit_state == -1) break;
        if (!cre_shock_check(-1, 3, 0)) break;
    }
    eyes_closed = false;
    if (quit_state == -1) return;
    // Come to, lying where the player fell (also after the longest episode).
    Plr.body_state = BODY_FALLEN;

    // The knocker has its way, unless the party stands up to it.
    const int after = knocker_slot();
    if (Plr.knockout_ref < 0) plr_unconscious_consequences(Plr.knockout_ref);
    else if (after >= 0 && Cre[after].move_mode != 13 && Cre[after].move_mode != 4) plr_unconscious_consequences(after);
    Plr.knockout_ref = 0;

    const bool moved = Plr.zoom_origin_x != origin_x || Plr.zoom_origin_y != origin_y;
    view_rebuild_request = 1;
    screen_hooks.refresh_status_panel();
    skip_message_pauses = false;
    show_message(moved ? ":You come to your senses in unfamiliar surroundings..."
                       : message_by_key("REGAIN_CONSCIOUSNESS"));
}

void plr_unconscious_consequences(int c) {
    if (c < 0) {
        plr_limit_wound_total(0);
        return;
    }
    if (!cre_slot_valid(c)) return;
    CreatureRecord& k = Cre[c];
    if (k.cre_status != STATUS_NO_VILLAGE_CLAIMS && k.lauma != 0 && !cre_is_companion(c)) {
        const bool leaves_be = cre_is_human(c) && (k.map_flags == 2 || k.map_flags == 4);
        if (!leaves_be && cre_is_human(c)) return_village_property(c);
    }
    if (k.cre_status == STATUS_ROBBER || (k.bfagg & BFAGG_LIMITS)) plr_limit_wound_total(0);

    // Weapons taken: of more than five half, of three to five two.
    if (k.bfagg == BFAGG_TAKES_WEAPONS) {
        int weapons = 0;
        for (int s = 0; s < PLR_INV_SLOTS; ++s) {
            ObjectRecord r;
            if (Plr.plr_inv_id[s] != 0 && obj_record(Plr.plr_inv_id[s], r).item_class == 1) ++weapons;
        }
        int take = weapons > 5 ? weapons / 2 : weapons > 2 ? 2 : 0;
        for (int s = 0; s < PLR_INV_SLOTS && take > 0; ++s) {
            const int id = Plr.plr_inv_id[s];
            ObjectRecord r;
            if (id == 0 || obj_record(id, r).item_class != 1) continue;
            const int count = Plr.plr_inv_count[s];
            plr_take_from_slot_in_place(s, count);
            // They go to the knocker, or to the ground.
            if (!cre_add_item(c, id, count)) drop_item_at_player(count, id);
            --take;
        }
        plr_compact_inventory();
    }

    if (k.cre_status == STATUS_ROBBER) {
        plr_release_leashes();
        cre_snatch_player_items(c, 0);
    }

    if (k.bfagg == 2 || k.bfagg == 4 || k.cre_status == STATUS_ROBBER) {
        const CarryTarget t = pick_carry_off_cell(Plr.zoom_origin_x, Plr.zoom_origin_y);
        if (t.x < 0) return;  // nowhere to go: the player stays
        plr_carried_to(t.x, t.y);
        advance_minutes(60 * (2 + int(body_draw(3))), 0);
    }
}

CarryTarget pick_carry_off_cell(int ox, int oy) {
    static int cand[1023][2];
    int n = 0;
    for (int y = oy - 50; y <= oy + 50 && n < 1023; y += 1 + body_draw(4))
        for (int x = ox - 50; x <= ox + 50 && n < 1023; x += 1 + body_draw(4)) {
            if (x < 101 || x > 3071 || y < 101 || y > 2047) continue;
            if (site_within_radius(x, y, 5)) continue;
            if (terrain_flags_of(stored_world_terrain_at(x, y)) & (TF_OBSTACLE | TF_WATER)) continue;
            if (zoom_index_find(x, y) != 0) continue;
            cand[n][0] = x;
            cand[n][1] = y;
            ++n;
        }
    if (n == 0) return {-1, -1};
    const int i = body_draw(n);
    return {cand[i][0], cand[i][1]};
}

void plr_carried_to(int wx, int wy) {
    if (is_world_map()) return;
    save_character(SAVE_QUIET);
    return_to_world_map(0);
    maploader(0);
    player_x = wx;
    player_y = wy;
    terrain_map(0, -1);
    if (map_change_request) maploader(0);
}

int return_village_property(int c) {
    if (!cre_slot_valid(c) || Cre[c].lauma == 0) return 0;
    const int32_t v = Cre[c].lauma;
    int count = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (id == 0) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (r.ownerID != v || !(r.ownflag & (OWN_UNPAID | OWN_TAKEN))) continue;
        const int n = Plr.plr_inv_count[s];
        remitemdebt(v, id, n);
        plr_take_from_slot_in_place(s, n);
        r.ownflag &= uint8_t(~(OWN_UNPAID | OWN_TAKEN));
        const int back = obj_store_record(r);
        if (!back || !cre_add_item_tagged(c, back, n, 0)) add_to_village_pool(back ? back : id, v, n);
        count += n;
    }
    plr_compact_inventory();
    return count;
}

void plr_fall_damage(int feet) {
    if (feet <= 4) {
        show_message(":You safely fall a few feet.");
        return;
    }
    const int part = roll_body_part_hit(2, -1, 0);
    const int side = last_hit_side;
    char text[200];
    format_text(text, sizeof text, "!You fall %d meters and get your %s knocked on the way down!", std::max(2, feet / 3),
                body_part_name(part, -1));
    show_message(text);
    format_text(harm_cause_text, sizeof harm_cause_text, "Hurt after %d meters fall", std::max(2, feet / 3));
    cre_inflict_wound(-1, DAMAGE_BLUNT, roll_dice(feet / 10), part, side, CAUSE_FALL);
}
