// Effects of eaten food.
#include "work/herb_effects.h"

#include <algorithm>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "body/skills.h"
#include "body/wounds.h"
#include "game/death.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/herblore.h"

namespace {

// The harm the player dies of when it proves fatal: food harm counts as
// disease.
constexpr int HARM_SOURCE_DISEASE = -109;

void set_harm(const char* text) {
    copy_text(harm_cause_text, text);
    Plr.knockout_ref = HARM_SOURCE_DISEASE;
}

// Takes a bit off the effects once it has acted; the player now knows the
// effect of the plant.
void effect_done(uint32_t bit, int index) {
    Plr.food_effects &= ~bit;
    mark_herb_effect_known(index);
}

uint8_t grown(uint8_t value, int by) { return uint8_t(std::min(255, int(value) + by)); }

void fall_to_knees() {
    show_message("!Ouch! Sudden pain in your stomach drops you down on your knees.");
    if (Plr.body_state != 0) return;
    Plr.body_state = 1;
    Plr.running = 0;
    msg_npc = -1;
    show_message(message_by_key("DO_FALL_PRONE"));
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
    view_rebuild_request = 1;
}

void wound_slot_step(int slot) {
    const int kind = Plr.wounds[PW_KIND][slot];
    uint8_t& damage = Plr.wounds[PW_DAMAGE][slot];
    uint8_t& severity = Plr.wounds[PW_SEVERITY][slot];
    switch (kind) {
    case AILMENT_NAUSEA:
        if (damage > 1) plr_vomit_check();
        plr_heal_wound(slot, 1);
        break;
    case AILMENT_STOMACH_ACHE:
        if (random_below(3) != 0) plr_vomit_check();
        else if (!(Plr.food_effects & FOOD_SOOTHES_STOMACH)) fall_to_knees();
        break;
    case AILMENT_POISONING:
    case AILMENT_POISONING_2:
        if (severity >= 4) {
            const int more = random_below(3);
            damage = grown(damage, more);
            Plr.wound_total += more;
            if (damage > 10) severity = 3;
        }
        show_message("You feel feverish.");
        break;
    case AILMENT_DEADLY_POISONING:
    case AILMENT_DEADLY_POISONING_2: {
        const int more = random_below(6);
        damage = grown(damage, more);
        Plr.wound_total += more;
        show_message("You feel poisoning growing in your body.");
        set_harm("poisoning");
        break;
    }
    default: break;
    }
}

}  // namespace

void apply_herb_effects() {
    if (debug_messages_on && Plr.food_effects != 0) {
        char line[200];
        for (int i = 0; i < HERB_EFFECT_COUNT; ++i) {
            if (!(Plr.food_effects & (1u << i))) continue;
            format_text(line, sizeof line, "Yrttivaikutus #%d - %s", i, HerbEffects[i].name);
            debug_message(line);
        }
        debug_message("Yrttivaikutukset asetetaan");
        pause_prompt();
    }
    if (Plr.food_effects & FOOD_QUENCHING) {
        if (Plr.thirst > 300 && Plr.thirst < 2000) Plr.thirst -= 200;
        Plr.food_effects &= ~FOOD_QUENCHING;
    }
    if (Plr.food_effects & FOOD_PSYCHOACTIVE) {
        plr_trance_step();
        mark_herb_effect_known(0);
    } else {
        Plr.dreaming = 0;
    }
    if (Plr.food_effects & FOOD_STIMULANT) {
        if (!Plr.stimulant_mark) {
            Plr.stimulant_mark = 1;
            Plr.plr_sleepiness /= 2;
        }
        effect_done(FOOD_STIMULANT, 2);
    }
    if (Plr.food_effects & FOOD_APPETIZING) mark_herb_effect_known(3);
    if (Plr.food_effects & FOOD_NAUSEA) {
        set_harm("nausea");
        const int damage = 2 + random_below(3);
        plr_add_wound(damage, 0, 5, 0, AILMENT_NAUSEA);
        show_message(":You are starting to feel slightly nauseous.");
        effect_done(FOOD_NAUSEA, 1);
    }
    if (Plr.food_effects & FOOD_GUT_IRRITATING) {
        set_harm("stomach burning poisoning");
        const int damage = 2 + random_below(3);
        plr_add_wound(damage, 0, 5, 0, AILMENT_STOMACH_ACHE);
        show_message(":You feel burning sensation in your stomach.");
        effect_done(FOOD_GUT_IRRITATING, 6);
    }
    if (Plr.food_effects & FOOD_DEADLY_POISONOUS) {
        show_message(":You start to feel very sick.");
        set_harm("deadly poisoning");
        plr_add_wound(1, 0, 2, 0, AILMENT_DEADLY_POISONING);
        effect_done(FOOD_DEADLY_POISONOUS, 4);
    }
    if (Plr.food_effects & FOOD_POISONOUS) {
        set_harm("poisoning");
        show_message(":You start to feel nauseous and weak.");
        plr_add_wound(3, 0, 4, 0, AILMENT_POISONING_2);
        effect_done(FOOD_POISONOUS, 5);
    }
    if (Plr.food_effects & FOOD_EXHAUSTING) {
        Plr.plr_sleepiness += 250;
        effect_done(FOOD_EXHAUSTING, 18);
    }
    for (int slot = 0; slot < PLR_WOUND_SLOTS; ++slot) wound_slot_step(slot);
}

void plr_vomit_check() {
    show_message(":You feel very sick and like you are going to throw up...");
    const int factor = (Plr.food_effects & FOOD_ANTIEMETIC) ? 8 : Plr.stomach > 200 ? 0 : Plr.stomach > 125 ? 1 : 4;
    if (roll_check(0, Plr.wil * factor) >= GRADE_SUCCESS) return;
    show_message("!Barf! You suddenly vomit!");
    Plr.thirst += 300;
    Plr.stomach = 0;
}

void plr_trance_step() {
    switch (random_below(5)) {
    case 0: {
        const int hours = Plr.hour + random_below(3);
        Plr.hour = uint8_t(hours % 24);
        break;
    }
    case 1:
        if (Plr.plr_sleepiness < 1000) Plr.plr_sleepiness = 1100;
        break;
    case 2: plr_vomit_check(); break;
    default:
        if (Plr.dreaming) {
            if (random_below(3) != 0) break;
            Plr.food_effects &= ~FOOD_PSYCHOACTIVE;
            Plr.dreaming = 0;
            show_message(":You suddenly feel like waking up from a dream.");
            show_message("World around you stops moving and altering.");
        } else {
            Plr.dreaming = 1;
            show_message(":You feel like quickly diving into a dream-like world.");
            show_message("!World around you starts to move and alter its form strangely.");
        }
        break;
    }
}
