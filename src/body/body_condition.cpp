// The body's condition: load, weights, penalties, speeds, limbs, rising,
// physical requirements and their wordings.
#include "body/body_condition.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/skills.h"
#include "body/wounds.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

int32_t carried_unpaid_items[FLAGGED_ITEM_SLOTS];
int32_t carried_taken_items[FLAGGED_ITEM_SLOTS];
int32_t party_flagged_items[FLAGGED_ITEM_SLOTS];
uint8_t physreq_slow = 0;

namespace {

constexpr uint8_t CLASS_HUMAN = 1;
constexpr uint8_t CLASS_BIRD = 21;
constexpr uint8_t OWN_UNPAID = 0x01;
constexpr uint8_t OWN_TAKEN = 0x02;
constexpr int WORN_SLOTS = 7;
constexpr int CARRIED_SLOTS = 20;
constexpr int DISABLING_DAMAGE = 16;
constexpr int FLYING_HIGH = 100;

const CreatureRecord* record_of(int creature) {
    return cre_slot_valid(creature) ? &Cre[creature] : nullptr;
}

// Endurance as the divisor of the load rules: never below 1.
int endurance_divisor(int end) { return end > 0 ? end : 1; }

// What one carried item weighs: a container's weight field holds what is
// in it, its own weight comes on top.
double item_weight(int object_id) {
    if (!obj_id_is_valid(object_id)) return 0.0;
    ObjectRecord r;
    obj_record(object_id, r);
    return double(r.weight) + r.container_weight10 / 10.0;
}

void add_distinct(int32_t* list, int32_t id) {
    for (int i = 0; i < FLAGGED_ITEM_SLOTS; ++i) {
        if (list[i] == id) return;
        if (list[i] == 0) {
            list[i] = id;
            return;
        }
    }
}

void note_flagged(int32_t* unpaid, int32_t* taken, int object_id) {
    if (!obj_id_is_valid(object_id)) return;
    ObjectRecord r;
    obj_record(object_id, r);
    if (r.ownflag & OWN_UNPAID) add_distinct(unpaid, object_id);
    if (r.ownflag & OWN_TAKEN) add_distinct(taken, object_id);
}

// The flagged items the player's companions and animals on the map carry.
void collect_party_flagged_items() {
    std::memset(party_flagged_items, 0, sizeof party_flagged_items);
    for (int slot = 0; slot < CRE_SLOTS; ++slot) {
        if (CreSlotRefs[slot] == 0 || Cre[slot].cre_class == 0) continue;
        if (!cre_is_companion(slot) && !cre_is_own_animal(slot)) continue;
        const CreatureRecord& c = Cre[slot];
        for (int i = 0; i < CARRIED_SLOTS; ++i)
            if (c.inv_count[i] > 0) note_flagged(party_flagged_items, party_flagged_items, c.inv_id[i]);
        for (int i = 0; i < WORN_SLOTS; ++i) note_flagged(party_flagged_items, party_flagged_items, c.worn[i]);
    }
}

float compute_player_load() {
    std::memset(carried_unpaid_items, 0, sizeof carried_unpaid_items);
    std::memset(carried_taken_items, 0, sizeof carried_taken_items);
    double load = 0.0, worn = 0.0, allowance = 0.0;
    const double free_worn = Plr.body_weight / 10.0;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int count = Plr.plr_inv_count[slot];
        const int id = Plr.plr_inv_id[slot];
        if (count <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        obj_record(id, r);
        const double each = double(r.weight) + r.container_weight10 / 10.0;
        load += each * count;
        // Worn clothing weighs nothing up to a tenth of the body weight.
        if (r.state_bits & OBJ_WORN) {
            worn += each;
            if (free_worn > worn) allowance += each;
        }
        if (r.ownflag & OWN_UNPAID) add_distinct(carried_unpaid_items, id);
        if (r.ownflag & OWN_TAKEN) add_distinct(carried_taken_items, id);
    }
    collect_party_flagged_items();
    Plr.carried_load = float(load);
    Plr.carry_allowance = float(allowance);
    return Plr.carried_load;
}

float compute_creature_load(CreatureRecord& c) {
    double load = 0.0;
    for (int i = 0; i < CARRIED_SLOTS; ++i)
        if (c.inv_count[i] > 0) load += c.inv_count[i] * item_weight(c.inv_id[i]);
    // Worn things are free up to a fifth of the body weight.
    const double free_worn = (int(c.weight * 1000.0f) / 453) / 5.0;
    double worn = 0.0;
    for (int i = 0; i < WORN_SLOTS; ++i) {
        if (!obj_id_is_valid(c.worn[i])) continue;
        const double w = item_weight(c.worn[i]);
        worn += w;
        if (worn >= free_worn) load += w;
    }
    const double rounded = std::ceil(load);
    c.load = uint8_t(std::clamp(rounded, 0.0, 255.0));
    return float(load);
}

// Rounds a / b up for b > 0 in whole numbers.
int ceil_div(long long a, long long b) { return int(a >= 0 ? (a + b - 1) / b : a / b); }

// Wound weights of the limb groups, by body part (0 not part of it).
int limb_weight(int group, int part) {
    switch (group) {
    case LIMB_LEGS:
        switch (part) {
        case PART_HIP: return 2;
        case PART_THIGH: return 1;
        case PART_KNEE: return 3;
        case PART_CALF: return 1;
        case PART_FOOT: return 2;
        default: return 0;
        }
    case LIMB_ARMS:
        switch (part) {
        case PART_SHOULDER: return 2;
        case PART_UPPER_ARM: return 1;
        case PART_ELBOW: return 3;
        case PART_FOREARM: return 1;
        case PART_HAND: return 2;
        default: return 0;
        }
    case LIMB_HANDS:
        switch (part) {
        case PART_FOREARM: return 2;
        case PART_HAND: return 3;
        default: return 0;
        }
    default: return 0;
    }
}

bool on_side(int wound_side, int side) {
    if (side == LIMB_RIGHT) return wound_side == SIDE_RIGHT;
    return wound_side == SIDE_LEFT || wound_side == 0;
}

int endurance_of(int creature) {
    if (creature == -1) return Plr.end;
    const CreatureRecord* c = record_of(creature);
    return c ? c->attr_end : 0;
}

int body_state_of(int creature) {
    if (creature == -1) return Plr.body_state;
    const CreatureRecord* c = record_of(creature);
    return c ? c->body_state : 0;
}

bool two_legged(int creature) {
    if (creature == -1) return true;
    const CreatureRecord* c = record_of(creature);
    return c == nullptr || c->cre_class == CLASS_HUMAN || c->cre_class == CLASS_BIRD;
}

// A creature's speed bytes are filled from its species speed the first time
// they are asked for.
void fill_speed_bytes(CreatureRecord& c) {
    if (c.walk_speed != 0) return;
    c.walk_speed = uint8_t(std::max(1, c.species_speed / 20));
    c.max_speed = uint8_t(std::max(5, c.species_speed / 5));
}

struct Penalty {
    int value;
    const char* word;
};

}  // namespace

// ------------------------------------------------------------ load and weight

float cre_compute_load(int creature) {
    if (creature == -1) return compute_player_load();
    if (!cre_slot_valid(creature)) return 0.0f;
    return compute_creature_load(Cre[creature]);
}

int cre_body_weight_lb(int creature) {
    if (creature == -1) return Plr.body_weight;
    const CreatureRecord* c = record_of(creature);
    return c ? int(c->weight * 1000.0f) / 453 : 0;
}

int cre_total_weight_lb(int creature) {
    if (creature == -1) {
        int pounds = Plr.body_weight + int(Plr.carried_load);
        if (Plr.travel_mode == 7 || Plr.body_state == 1) pounds /= 2;
        return pounds;
    }
    const CreatureRecord* c = record_of(creature);
    return c ? cre_body_weight_lb(creature) + c->load : 0;
}

int cre_carry_penalty(int creature) {
    double load = 0.0, allowance = 0.0;
    int end = 0;
    if (creature == -1) {
        load = Plr.carried_load;
        allowance = Plr.carry_allowance;
        end = endurance_divisor(Plr.end);
    } else {
        if (!cre_slot_valid(creature)) return 0;
        load = cre_compute_load(creature);
        if (Cre[creature].attr_end == 0) return 50;
        end = Cre[creature].attr_end;
    }
    if (load > std::ceil(1.5 * cre_body_weight_lb(creature))) return 100;
    const double over = std::max(0.0, load - allowance);
    return std::min(100, int(std::ceil(over * 2.0 / end)));
}

int cre_fatigue_rounded(int creature) {
    if (creature == -1) return int(std::ceil(Plr.fatigue));
    const CreatureRecord* c = record_of(creature);
    return c ? int(std::ceil(c->fatigue)) : 0;
}

int cre_penalty(int creature, int kind) {
    if (creature != -1 && !cre_slot_valid(creature)) return 0;
    switch (kind) {
    case 1: return creature == -1 ? Plr.wound_total : Cre[creature].injury;
    case 2: return cre_fatigue_rounded(creature);
    case 3: return creature == -1 ? Plr.starvation : 0;
    case 4: return cre_carry_penalty(creature);
    default: return 0;
    }
}

int cre_penalty_sum(int creature) {
    int sum = 0;
    for (int kind = 1; kind <= 4; ++kind) sum += cre_penalty(creature, kind);
    return sum;
}

int cre_shock_level(int creature) { return (cre_penalty(creature, 1) + cre_fatigue_rounded(creature)) / 10; }

// ------------------------------------------------------------ speeds and states

int cre_walk_speed(int creature) {
    if (creature == -1) return Plr.spd * 5;
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    fill_speed_bytes(c);
    const bool young_animal = (c.sex_age & SEX_YOUNG) && c.cre_class != CLASS_HUMAN;
    return c.walk_speed * (young_animal ? 8 : 10);
}

int cre_run_speed(int creature) {
    if (creature == -1) return 2 * cre_walk_speed(-1);
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    fill_speed_bytes(c);
    if (c.max_speed == 0) return 2 * cre_walk_speed(creature);
    const bool young_animal = (c.sex_age & SEX_YOUNG) && c.cre_class != CLASS_HUMAN;
    return c.max_speed * (young_animal ? 8 : 10);
}

int cre_is_running(int creature) {
    if (creature == -1) return Plr.running ? 1 : 0;
    const CreatureRecord* c = record_of(creature);
    return c && (c->move_mode == 2 || c->move_mode == 4 || c->move_mode == 99) ? 1 : 0;
}

int cre_is_stunned(int creature) {
    const int state = body_state_of(creature);
    return state == 3 || state == 4 ? 1 : 0;
}

int cre_is_helpless(int creature) {
    if (cre_is_stunned(creature)) return 1;
    const CreatureRecord* c = record_of(creature);
    return creature != -1 && c && c->move_mode == MOVE_MODE_ASLEEP ? 1 : 0;
}

// ------------------------------------------------------------ limbs

float cre_limb_impairment(int creature, int group, int side) {
    if (creature != -1 && !cre_slot_valid(creature)) return 0.0f;
    const int end = endurance_of(creature);
    if (end <= 0) return 0.0f;
    const int capacity = 4 * end;
    int sum = 0;
    for (int slot = 0; slot < WOUND_SLOTS && sum < capacity; ++slot) {
        const WoundView w = wound_view(creature, slot);
        if (w.kind == 0 || w.damage == 0 || !on_side(w.side, side)) continue;
        const int weight = limb_weight(group, w.part);
        if (weight == 0) continue;
        // A wound this deep takes the limb out whatever else there is.
        if (w.damage >= DISABLING_DAMAGE) sum = capacity;
        else sum += w.damage * weight;
    }
    if (sum == 0) return 0.0f;
    return std::min(1.0f, float(sum) / float(capacity));
}

float cre_locomotion_disability(int creature) {
    if (creature != -1 && !cre_slot_valid(creature)) return 0.0f;
    const float right_leg = cre_limb_impairment(creature, LIMB_LEGS, LIMB_RIGHT);
    const float left_leg = cre_limb_impairment(creature, LIMB_LEGS, LIMB_LEFT);
    float result = 0.0f;
    int disabled = 0;
    if (two_legged(creature)) {
        disabled = (right_leg >= 1.0f) + (left_leg >= 1.0f);
        result = disabled > 0 ? 1.0f : (right_leg + left_leg) * 0.5f;
    } else {
        const float right_arm = cre_limb_impairment(creature, LIMB_ARMS, LIMB_RIGHT);
        const float left_arm = cre_limb_impairment(creature, LIMB_ARMS, LIMB_LEFT);
        if (Cre[creature].air_state == FLYING_HIGH) {
            // Aloft the wings carry it.
            disabled = (right_arm >= 1.0f) + (left_arm >= 1.0f);
            if (left_arm >= 0.5f || right_arm >= 0.5f) result = 1.0f;
            else result = std::min(1.0f, right_arm + left_arm);
        } else {
            disabled = (right_arm >= 1.0f) + (right_leg >= 1.0f) + (left_arm >= 1.0f) + (left_leg >= 1.0f);
            const float f = (right_arm + right_leg + left_arm + left_leg) * 0.65f;
            if (disabled >= 2) result = 1.0f;
            else if (disabled == 1) result = std::max(0.65f, f);
            else result = f;
        }
    }
    // Without a limb wholly lost the body still drags itself on.
    if (result >= 1.0f) result = disabled > 0 ? 1.0f : 0.95f;
    if (creature == -1 && debug_messages_on) {
        char line[64];
        format_text(line, sizeof line, "INVASUHDE_liikuntaelimet: %.2f", double(result));
        debug_message(line);
    }
    return result;
}

const char* leg_injury_word(int creature) {
    const float d = cre_locomotion_disability(creature);
    const char* key = d >= 1.0f    ? "LEG_INJURY:DISABLED"
                      : d >= 0.65f ? "LEG_INJURY:HIGH"
                      : d >= 0.35f ? "LEG_INJURY:MED"
                      : d >= 0.15f ? "LEG_INJURY:LOW"
                                   : nullptr;
    return ring_copy(key ? message_by_key(key) : "");
}

int cre_try_rise(int creature) {
    if (creature != -1 && !cre_slot_valid(creature)) return 0;
    if (body_state_of(creature) != 1) return 0;
    if (cre_locomotion_disability(creature) < 1.0f) {
        msg_npc = creature;
        const char* seen = ring_copy(message_by_key("RISE"));
        cre_action_message(creature, seen, heard_message_text);
        if (creature == -1) {
            Plr.body_state = 0;
            screen_hooks.refresh_status_panel();
        } else {
            Cre[creature].body_state = 0;
            view_rebuild_request = 1;
        }
        return 1;
    }
    if (creature == -1) show_message(message_by_key("UNUSABLE_LEGS"));
    return 0;
}

// ------------------------------------------------------------ physical requirements

int parse_physical_requirements(const char* text) {
    if (text == nullptr) return 0;
    int flags = 0;
    char token[64];
    size_t n = 0;
    for (const char* p = text;; ++p) {
        const bool end = *p == 0 || *p == ' ' || *p == ',';
        if (!end) {
            if (n + 1 < sizeof token) token[n++] = *p;
            continue;
        }
        token[n] = 0;
        if (n > 0) {
            if (std::strstr(token, "stance")) flags |= PHYSREQ_STANCE;
            if (std::strcmp(token, "arm") == 0) flags |= PHYSREQ_ONE_ARM;
            if (std::strcmp(token, "arms") == 0) flags |= PHYSREQ_BOTH_ARMS;
            if (std::strcmp(token, "hand") == 0) flags |= PHYSREQ_ONE_HAND;
            if (std::strcmp(token, "hands") == 0) flags |= PHYSREQ_BOTH_HANDS;
            if (std::strstr(token, "one-")) flags |= PHYSREQ_EITHER_SIDE;
        }
        n = 0;
        if (*p == 0) break;
    }
    return flags;
}

int check_physical_requirements(int creature, int flags, int difficulty, const char* action_words) {
    physreq_slow = 0;
    if (creature != -1 && !cre_slot_valid(creature)) return 0;
    const bool player = creature == -1;
    const char* action = action_words && action_words[0] ? action_words : "do that";
    char line[MESSAGE_BYTES];

    if ((flags & PHYSREQ_STANCE) && body_state_of(creature) == 1) {
        if (!(flags & PHYSREQ_STANCE_SLOWS)) {
            if (player) show_message(fill_message_format(line, sizeof line, message_by_key("PHYSREQ_STANCE"), {action}));
            return 1;
        }
        if (player) show_message("_You should be standing to perform this properly.");
        physreq_slow = 1;
    }

    const char* need = "better condition";
    const char* alternative_limb = nullptr;
    float impairment = cre_locomotion_disability(creature);
    float alternative = 1.0f;
    bool arms = false, hands = false;
    auto pair = [&](int group, bool both, const char* both_words, const char* other_words, const char* right,
                    const char* left, const char* one_words) {
        const float r = cre_limb_impairment(creature, group, LIMB_RIGHT);
        const float l = cre_limb_impairment(creature, group, LIMB_LEFT);
        if (both) {
            impairment = std::max(r, l);
            need = both_words;
            if (flags & PHYSREQ_EITHER_SIDE) {
                alternative = std::min(r, l);
                alternative_limb = r <= l ? right : left;
                need = other_words;
            }
        } else {
            impairment = std::min(r, l);
            need = one_words;
        }
    };
    if (flags & PHYSREQ_BOTH_ARMS) {
        pair(LIMB_ARMS, true, "both arms", "other arm", "right arm", "left arm", nullptr);
        arms = true;
    }
    if (flags & PHYSREQ_ONE_ARM) {
        pair(LIMB_ARMS, false, nullptr, nullptr, nullptr, nullptr, "one usable arm");
        arms = true;
    }
    if (flags & PHYSREQ_BOTH_HANDS) {
        pair(LIMB_HANDS, true, "both hands", "other hand", "right hand", "left hand", nullptr);
        hands = true;
    }
    if (flags & PHYSREQ_ONE_HAND) {
        pair(LIMB_HANDS, false, nullptr, nullptr, nullptr, nullptr, "one usable hand");
        hands = true;
    }
    const char* injury = arms && hands ? "badly injured arms and badly injured hands"
                         : arms        ? "badly injured arms"
                         : hands       ? "badly injured hands"
                                       : "hurt body";

    impairment = std::min(1.0f, impairment + difficulty / 25.0f);
    if (alternative_limb) alternative = std::min(1.0f, alternative + difficulty / 25.0f);

    if (impairment >= 1.0f) {
        if (alternative_limb && alternative < 1.0f) {
            if (player) {
                format_text(line, sizeof line, "_%s needed, but only your %s is in usable condition.", need,
                            alternative_limb);
                show_message(line);
            }
            physreq_slow = 1;
        } else {
            if (player) {
                show_message(fill_message_format(line, sizeof line, message_by_key("PHYSREQ_CANT"), {injury, action}));
                format_text(line, sizeof line, "_%s needed.", need);
                show_message(line);
            }
            return 1;
        }
    }
    if (physreq_slow && player) {
        format_text(line, sizeof line, "!It will be slow and difficult to %s now.", action);
        show_message(line);
        pause_prompt();
    }
    return 0;
}

// ------------------------------------------------------------ wordings

const char* plr_penalty_wording(int bits) {
    const bool heavy_load = ceil_div(int(std::ceil(Plr.carried_load)), endurance_divisor(Plr.end)) > 8;
    const Penalty all[4] = {
        {Plr.wound_total, "being wounded"},
        {int(std::ceil(Plr.fatigue)), heavy_load ? "being fatigued from carrying excess load" : "being fatigued"},
        {Plr.starvation, "suffering starvation"},
        {cre_carry_penalty(-1), "the load you are carrying"},
    };
    const int bit_of[4] = {PENALTY_BIT_WOUNDS, PENALTY_BIT_FATIGUE, PENALTY_BIT_STARVATION, PENALTY_BIT_LOAD};
    int count = 0, first = -1, second = -1;
    for (int i = 0; i < 4; ++i) {
        if (!(bits & bit_of[i]) || all[i].value <= 0) continue;
        ++count;
        if (first < 0 || all[i].value > all[first].value) {
            second = first;
            first = i;
        } else if (second < 0 || all[i].value > all[second].value) {
            second = i;
        }
    }
    char* out = next_ring_text();
    if (count == 0) return out;
    // A penalty under a third of the largest is not worth naming.
    if (second >= 0 && all[second].value * 3 < all[first].value) second = -1;
    if (count == 1) format_text(out, TEXT_RING_BYTES, "due to %s", all[first].word);
    else if (second >= 0 && count == 2) format_text(out, TEXT_RING_BYTES, "due to %s and %s", all[first].word, all[second].word);
    else if (second >= 0)
        format_text(out, TEXT_RING_BYTES, "due to %s and %s - plus other penalties", all[first].word, all[second].word);
    else format_text(out, TEXT_RING_BYTES, "mostly due to %s", all[first].word);
    return out;
}

const char* plr_skill_impairment_wording(const char* skill) {
    char* out = next_ring_text();
    const int slot = find_skill_exact(Plr, skill ? skill : "");
    if (slot < 0) return out;
    const int level = Plr.skill_level[slot];
    const double ratio = level > 0 ? double(plr_total_penalty()) / level : (plr_total_penalty() > 0 ? 1.0 : 0.0);
    struct Band {
        double from;
        const char* phrase;
    };
    static const Band bands[] = {
        {1.0, "is determined to succeed poorly "}, {0.85, "is most likely to succeed poorly "},
        {0.75, "is severely impaired "},          {0.6, "is significantly degraded "},
        {0.5, "is prone to succeed poorly "},     {0.35, "is prone to fail more easily "},
        {0.25, "is slightly lowered "},           {0.125, "is just a little disturbed "},
    };
    const char* phrase = nullptr;
    for (const Band& b : bands)
        if (ratio >= b.from) {
            phrase = b.phrase;
            break;
        }
    if (phrase == nullptr) return out;

    const char* name = lower_case_copy(skill_name_text(Plr, slot));
    char words[128];
    if (level < 15) format_text(words, sizeof words, "already unskilled %s attempt", name);
    else if (level < 30) format_text(words, sizeof words, "%s attempt", name);
    else if (level < 45) format_text(words, sizeof words, "%s performance", name);
    else if (level < 70) format_text(words, sizeof words, "%s expertise", name);
    else format_text(words, sizeof words, "mastery in %s", name);
    format_text(out, TEXT_RING_BYTES, "&Your %s %s%s%s", words, phrase, plr_penalty_wording(PENALTY_BITS_ALL),
                ratio >= 0.85 ? "!" : ".");
    return out;
}
