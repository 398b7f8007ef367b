// Body parts, where blows land, wound names, the player's wound slots and
// their healing, and the damage wounds leave on a carcass.
#include "body/wounds.h"

#include <cmath>
#include <cstring>
#include <iterator>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/body_upkeep.h"
#include "body/needs.h"
#include "body/skills.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/work_services.h"

uint8_t last_hit_side = SIDE_NONE;
uint8_t combat_hit_side = SIDE_NONE;
uint8_t aimed_part_flag = 0;

void reset_body_state() {
    last_hit_side = SIDE_NONE;
    combat_hit_side = SIDE_NONE;
    aimed_part_flag = 0;
    reset_needs_state();
    reset_body_check_state();
}

namespace {

constexpr uint8_t CLASS_HUMAN = 1;
constexpr uint8_t CLASS_SNAKE = 11;
constexpr uint8_t CLASS_BIRD = 21;
constexpr int CREATURE_CARE = 4;
// The wound total that plr_limit_wound_total heals down to.
constexpr int WOUND_TOTAL_CAP = 90;

const char* const part_names[BODY_PART_COUNT] = {
    "skull", "eye",     "face", "neck",   "shoulder", "upper arm", "elbow", "forearm", "hand", "thorax",
    "abdomen", "hip",   "groin", "thigh", "knee",     "calf",      "foot",  "tail",    "wing",
};

// Names of wound kind x severity, each with its trailing blank.
const char* const wound_names[6][3] = {
    {"Bruise ", "Fracture ", "Crush "},
    {"Shallow cut ", "Serious cut ", "Deep cut "},
    {"Minor puncture ", "Serious puncture ", "Deep puncture "},
    {"Minor burn ", "Serious burn ", "Grievous burn "},
    {"Minor frost ", "Frostbite ", "Severe frostbite "},
    {"Shallow tear ", "Serious bite ", "Grievous bite "},
};

// One row of a zone table: draws up to `top` land on `part`.
struct ZoneRow {
    int top;
    int part;
};
const ZoneRow zone0[] = {{16, 0}, {20, 1}, {27, 2}, {43, 3}, {75, 4}, {79, 5}, {81, 6},
                         {86, 7}, {87, 11}, {93, 8}, {97, 9}, {98, 10}, {100, 11}};
const ZoneRow zone1[] = {{1, 0}, {2, 1}, {3, 11}, {5, 2}, {7, 3}, {21, 4}, {33, 5},
                         {39, 6}, {69, 7}, {89, 8}, {95, 5}, {97, 9}, {98, 10}, {100, 11}};
const ZoneRow zone2[] = {{2, 0},  {4, 1},   {6, 2},   {8, 3},   {16, 4},  {24, 5},  {28, 6},  {32, 7},  {34, 8},
                         {39, 4}, {55, 9},  {67, 10}, {84, 11}, {85, 12}, {86, 11}, {95, 13}, {97, 14}, {100, 15}};
// The legs' zone covers only 1..95: higher draws are drawn again.
const ZoneRow zone3[] = {{2, 7},   {4, 8},   {6, 9},   {11, 10}, {25, 11}, {28, 12},
                         {32, 11}, {63, 13}, {75, 14}, {89, 15}, {95, 16}};

int part_of_draw(const ZoneRow* rows, size_t count, int r) {
    for (size_t i = 0; i < count; ++i)
        if (r <= rows[i].top) return rows[i].part;
    return rows[count - 1].part;
}

bool valid_part(int part) { return part >= 0 && part < BODY_PART_COUNT; }
bool valid_slot(int slot) { return slot >= 0 && slot < WOUND_SLOTS; }

uint8_t saturate(long long v) { return uint8_t(v < 0 ? 0 : (v > 255 ? 255 : v)); }

const char* side_word(int side) {
    if (side == SIDE_RIGHT) return "right ";
    if (side == 0 || side == SIDE_LEFT) return "left ";
    return "";
}

// An ailment's name; `listing` chooses the injuries list's word for the
// altered consciousness over the one the healing message uses.
const char* ailment_name(int kind, bool listing) {
    switch (kind) {
    case 10: return "Influenza";
    case 11: return "Plague";
    case 20: return "Nausea";
    case 21: return "Stomach-ache";
    case 23: return "Poisoning";
    case 24: return "Deadly poisoning";
    case AILMENT_ALTERED_CONSCIOUSNESS: return listing ? "Hallucinating" : "Nausea and altered consciousness";
    default: return "Vague ailment";
    }
}

// The kind x severity name with its trailing blank; severities outside
// 1..3 read as the nearest.
const char* wound_kind_name(int kind, int severity) {
    if (kind < WOUND_BLUNT || kind > WOUND_BITE) return "Wound ";
    const int s = severity < 1 ? 1 : (severity > 3 ? 3 : severity);
    return wound_names[kind - 1][s - 1];
}

uint8_t& pw(int column, int slot) { return Plr.wounds[column][slot]; }

// Takes a slot's damage and bleeding out of the player's totals and clears
// the slot and its counters. Nothing else.
void drop_player_slot(PlayerRecord& rec, int slot) {
    rec.wound_total -= rec.wounds[PW_DAMAGE][slot];
    if (rec.wound_total < 0) rec.wound_total = 0;
    rec.blood_loss -= rec.wounds[PW_BLEEDING][slot];
    if (rec.blood_loss < 0) rec.blood_loss = 0;
    for (int c = 0; c < 7; ++c) rec.wounds[c][slot] = 0;
    rec.wound_treatments[slot] = 0;
    rec.wound_herb_care[slot] = 0;
}

bool slot_makes_sense(int kind, int severity, int part) {
    if (!valid_part(part)) return false;
    if (kind >= WOUND_BLUNT && kind <= WOUND_BITE) return severity >= 1 && severity <= 3;
    if (is_ailment_kind(kind)) return severity >= 1 && severity <= 5;
    return false;
}

void log_cleared_slot(const char* whose, int slot, int kind, int severity, int part) {
    char text[160];
    format_text(text, sizeof text, "%s wound slot %d cleared on load: kind %d, severity %d, part %d", whose, slot,
                kind, severity, part);
    debug_log("!body", text);
}

}  // namespace

// ------------------------------------------------------------ parts

bool is_paired_part(int part) {
    switch (part) {
    case PART_EYE: case PART_SHOULDER: case PART_UPPER_ARM: case PART_ELBOW: case PART_FOREARM:
    case PART_HAND: case PART_HIP: case PART_THIGH: case PART_KNEE: case PART_CALF: case PART_FOOT:
        return true;
    default:
        return false;
    }
}

const char* body_part_name(int part, int creature) {
    const char* name = valid_part(part) ? part_names[part] : "body";
    if (creature >= 0 && cre_slot_valid(creature) && Cre[creature].cre_class != CLASS_HUMAN) {
        switch (part) {
        case PART_UPPER_ARM: case PART_FOREARM: name = "FORELEG"; break;
        case PART_HAND: case PART_FOOT: name = "PAW"; break;
        case PART_GROIN: name = "ABDOMEN"; break;
        case PART_THIGH: case PART_CALF: name = "HINDLEG"; break;
        default: break;
        }
        if (std::strcmp(name, "PAW") == 0 && cre_has_hooves(creature)) name = "HOOF";
        if (Cre[creature].cre_class == CLASS_BIRD) {
            switch (part) {
            case PART_SHOULDER: name = "THORAX"; break;
            case PART_UPPER_ARM: case PART_ELBOW: case PART_FOREARM: case PART_HAND: name = "WING"; break;
            case PART_GROIN: name = "ABDOMEN"; break;
            case PART_HIP: case PART_THIGH: case PART_KNEE: case PART_CALF: case PART_FOOT: name = "SHANK"; break;
            default: break;
            }
        }
    }
    char key[64];
    format_text(key, sizeof key, "BODYPART:%s", name);
    return ring_copy(message_by_key(key));
}

int roll_body_part_hit(int zone, int creature, int part) {
    last_hit_side = SIDE_NONE;
    int hit = part;
    if (zone >= 0 && zone <= 3) {
        int r = body_draw(100) + 1;
        if (zone == 3) {
            for (int tries = 0; r > 95 && tries < 1000; ++tries) r = body_draw(100) + 1;
            if (r > 95) r = 95;  // a stream that never gives up stays on the table
        }
        switch (zone) {
        case 0: hit = part_of_draw(zone0, std::size(zone0), r); break;
        case 1: hit = part_of_draw(zone1, std::size(zone1), r); break;
        case 2: hit = part_of_draw(zone2, std::size(zone2), r); break;
        default: hit = part_of_draw(zone3, std::size(zone3), r); break;
        }
    }
    if (aimed_part_flag) hit = zone;
    aimed_part_flag = 0;
    if (!valid_part(hit)) hit = PART_THORAX;
    if (creature >= 0 && cre_slot_valid(creature)) {
        const uint8_t cls = Cre[creature].cre_class;
        if (cls == CLASS_SNAKE) hit = hit < PART_SHOULDER ? PART_SKULL : PART_ABDOMEN;
        if (cls == CLASS_BIRD) {
            if (hit == PART_SHOULDER || hit == PART_UPPER_ARM) hit = PART_THORAX;
            else if (hit >= PART_HIP && hit <= PART_THIGH) hit = PART_ABDOMEN;
            else if (hit >= PART_KNEE && hit <= PART_FOOT) hit = PART_KNEE;
        }
        if (cls != CLASS_HUMAN && hit == PART_GROIN) hit = PART_ABDOMEN;
    }
    if (is_paired_part(hit)) last_hit_side = uint8_t(body_draw(2) + 1);
    combat_hit_side = last_hit_side;
    return hit;
}

// ------------------------------------------------------------ names

const char* wound_name(int kind, int part, int severity, int side) {
    if (kind >= AILMENT_FIRST) return ring_copy(ailment_name(kind, false));
    char* out = next_ring_text();
    format_text(out, 1024, "%sin %s%s", wound_kind_name(kind, severity), side_word(side),
                body_part_name(part, -1));
    return out;
}

const char* wound_description(int creature, int slot) {
    const WoundView w = wound_view(creature, slot);
    char* out = next_ring_text();
    if (w.kind == 0) return out;
    if (w.kind >= AILMENT_FIRST) {
        copy_text(out, 1024, ailment_name(w.kind, true));
        return out;
    }
    char name[40];
    copy_text(name, sizeof name, wound_kind_name(w.kind, w.severity));
    const size_t n = std::strlen(name);
    if (n > 0 && name[n - 1] == ' ') name[n - 1] = 0;
    format_text(out, 1024, "%s in %s%s", name, side_word(w.side), body_part_name(w.part, creature));
    if (creature >= 0 && w.bleeding) {
        char bleeding[200];
        copy_text(bleeding, sizeof bleeding, message_by_key("WOUND_DESC_BLEEDING"));
        append_text(out, 1024, " (");
        append_text(out, 1024, bleeding);
        append_text(out, 1024, ")");
    }
    return out;
}

WoundView wound_view(int creature, int slot) {
    WoundView v{};
    if (!valid_slot(slot)) return v;
    if (creature == -1) {
        v.kind = pw(PW_KIND, slot);
        v.severity = pw(PW_SEVERITY, slot);
        v.part = pw(PW_PART, slot);
        v.damage = pw(PW_DAMAGE, slot);
        v.bleeding = pw(PW_BLEEDING, slot);
        v.side = pw(PW_SIDE, slot);
        v.care = pw(PW_CARE, slot);
        return v;
    }
    if (!cre_slot_valid(creature)) return v;
    const auto& w = Cre[creature].wounds;
    v.kind = w[CW_KIND][slot];
    v.severity = w[CW_SEVERITY][slot];
    v.part = w[CW_PART][slot];
    v.damage = w[CW_DAMAGE][slot];
    v.bleeding = w[CW_BLEEDING][slot];
    v.side = w[CW_SIDE][slot];
    v.care = CREATURE_CARE;
    return v;
}

// ------------------------------------------------------------ the player's slots

int wound_kind_of_damage(int damage_kind) {
    switch (damage_kind) {
    case 0: case 1: case 7: return WOUND_BLUNT;
    case 2: return WOUND_CUT;
    case 3: return WOUND_BITE;
    case 4: return WOUND_PUNCTURE;
    case 5: return WOUND_BURN;
    case 6: return WOUND_FROST;
    default: return is_ailment_kind(damage_kind) ? damage_kind : -1;
    }
}

int plr_wound_damage_sum() {
    int sum = 0;
    for (int slot = 0; slot < WOUND_SLOTS; ++slot)
        if (pw(PW_KIND, slot) != 0) sum += pw(PW_DAMAGE, slot);
    return sum;
}

int plr_add_wound(int damage, int part, int severity, int, int damage_kind) {
    const int kind = wound_kind_of_damage(damage_kind);
    if (kind < 0) return -1;
    const uint8_t side = last_hit_side;
    const bool ailment = is_ailment_kind(kind);
    if (damage < 0) damage = 0;
    int free_slot = -1;
    for (int slot = 0; slot < WOUND_SLOTS; ++slot) {
        if (pw(PW_KIND, slot) == 0) {
            free_slot = slot;
            break;
        }
        if (ailment && pw(PW_KIND, slot) == kind) {
            const uint8_t before = pw(PW_DAMAGE, slot);
            pw(PW_DAMAGE, slot) = saturate((long long)before + damage);
            Plr.wound_total += pw(PW_DAMAGE, slot) - before;
            return slot;
        }
        if (kind == WOUND_FROST && pw(PW_KIND, slot) == WOUND_FROST && pw(PW_PART, slot) == part &&
            pw(PW_SIDE, slot) == side) {
            if (severity > pw(PW_SEVERITY, slot)) pw(PW_SEVERITY, slot) = saturate(severity > 3 ? 3 : severity);
            if (damage > pw(PW_DAMAGE, slot)) {
                const uint8_t now = saturate(damage);
                Plr.wound_total += now - pw(PW_DAMAGE, slot);
                pw(PW_DAMAGE, slot) = now;
            }
            return slot;
        }
    }
    int slot = free_slot;
    if (slot < 0) {
        // All slots taken: the last one gives way, and what it held leaves
        // the totals with it.
        slot = WOUND_SLOTS - 1;
        drop_player_slot(Plr, slot);
    }
    const int top = ailment ? 5 : 3;
    const int s = severity < 1 ? 1 : (severity > top ? top : severity);
    pw(PW_PART, slot) = uint8_t(valid_part(part) ? part : PART_THORAX);
    pw(PW_BLEEDING, slot) = 0;
    pw(PW_SEVERITY, slot) = uint8_t(s);
    pw(PW_DAMAGE, slot) = saturate(damage);
    pw(PW_SIDE, slot) = side;
    pw(PW_KIND, slot) = uint8_t(kind);
    pw(PW_CARE, slot) = ailment ? uint8_t(s) : 0;
    Plr.wound_treatments[slot] = 0;
    Plr.wound_herb_care[slot] = 0;
    Plr.wound_total += pw(PW_DAMAGE, slot);
    return slot;
}

void plr_heal_wound(int slot, int amount) {
    if (!valid_slot(slot) || pw(PW_KIND, slot) == 0) return;
    const int kind = pw(PW_KIND, slot);
    char text[MESSAGE_BYTES];
    format_text(text, sizeof text, ":@%s",
                wound_name(kind, pw(PW_PART, slot), pw(PW_SEVERITY, slot), pw(PW_SIDE, slot)));
    const int take = amount < 0 ? 0 : (amount < pw(PW_DAMAGE, slot) ? amount : pw(PW_DAMAGE, slot));
    pw(PW_DAMAGE, slot) = uint8_t(pw(PW_DAMAGE, slot) - take);
    Plr.wound_total -= take;
    if (Plr.wound_total < 0) Plr.wound_total = 0;
    if (pw(PW_DAMAGE, slot) > 0 && pw(PW_CARE, slot) != 0) return;

    append_text(text, sizeof text, is_ailment_kind(kind) ? " seems to ease and go away!" : " has fully healed!");
    if (kind == AILMENT_ALTERED_CONSCIOUSNESS) stop_dreaming();
    // What damage is left (an untreated wound) goes with the slot.
    Plr.wound_total -= pw(PW_DAMAGE, slot);
    if (Plr.wound_total < 0) Plr.wound_total = 0;
    Plr.blood_loss -= pw(PW_BLEEDING, slot);
    if (Plr.blood_loss < 0) Plr.blood_loss = 0;
    pw(PW_KIND, slot) = 0;
    pw(PW_CARE, slot) = 0;
    pw(PW_DAMAGE, slot) = 0;
    pw(PW_BLEEDING, slot) = 0;
    Plr.wound_treatments[slot] = 0;
    Plr.wound_herb_care[slot] = 0;
    show_message(text);
    pause_prompt();
}

void plr_limit_wound_total(int keep_bleeding) {
    if (keep_bleeding == 0)
        for (int slot = 0; slot < WOUND_SLOTS; ++slot) pw(PW_BLEEDING, slot) = 0;
    if (Plr.blood_loss > 2 * Plr.end) Plr.blood_loss = 2 * Plr.end;
    int sum = plr_wound_damage_sum();
    for (int slot = 0; sum > WOUND_TOTAL_CAP; slot = (slot + 1) % WOUND_SLOTS) {
        if (pw(PW_KIND, slot) == 0) continue;
        plr_heal_wound(slot, 2);
        sum = plr_wound_damage_sum();
    }
    Plr.wound_total = sum;
}

// ------------------------------------------------------------ carcasses

int carcass_damage(int creature, char* out, size_t cap) {
    if (out && cap) out[0] = 0;
    if (creature < 0 || !cre_slot_valid(creature)) return 0;
    const CreatureRecord& c = Cre[creature];
    double sum = 0.0;
    int weighted = 0;
    int blunt_weighted = 0;
    for (int slot = 0; slot < WOUND_SLOTS; ++slot) {
        const int kind = c.wounds[CW_KIND][slot];
        if (kind == 0) continue;
        const int part = c.wounds[CW_PART][slot];
        const int severity = c.wounds[CW_SEVERITY][slot];
        double weight = 0.0;
        switch (part) {
        case PART_NECK: case PART_FOREARM: case PART_CALF: weight = 0.25; break;
        case PART_ELBOW: case PART_GROIN: case PART_KNEE: weight = 0.5; break;
        case PART_HAND: weight = 0.0; break;
        case PART_THORAX: case PART_ABDOMEN: weight = 1.0; break;
        default: weight = part >= PART_SHOULDER && part <= PART_CALF ? 0.75 : 0.0; break;
        }
        if (weight > 0.0) {
            ++weighted;
            if (kind == WOUND_BLUNT) ++blunt_weighted;
        }
        int value = 0;
        switch (kind) {
        case WOUND_BLUNT:
            // Bruises alone spoil little of a carcass: while every weighted
            // wound so far is blunt, only a crush counts.
            if (severity >= 3) value = 2;
            else if (blunt_weighted >= weighted && blunt_weighted < 6) value = 0;
            else value = severity == 2 ? 1 : 0;
            break;
        case WOUND_CUT: case WOUND_BITE: value = 3 * severity; break;
        case WOUND_PUNCTURE: value = 2 * severity; break;
        default: value = 0; break;
        }
        sum += value * weight;
    }
    int damage = int(std::ceil(sum * c.carcass_damage_factor));
    if (weighted == 1 && sum <= 6.0 && damage > 5) damage = 5;
    if (damage > 100) damage = 100;
    if (damage < 0) damage = 0;
    if (out && cap && damage >= 4) {
        int word = 0;
        if (damage > 70) word = 4;
        else if (damage > 50) word = 3;
        else if (damage > 30) word = 2;
        else if (damage > 10) word = 1;
        copy_text(out, cap, carcass_damage_words[word]);
    }
    return damage;
}

// ------------------------------------------------------------ loading

int check_player_wound_slots(PlayerRecord& rec) {
    int cleared = 0;
    for (int slot = 0; slot < WOUND_SLOTS; ++slot) {
        const int kind = rec.wounds[PW_KIND][slot];
        if (kind == 0) continue;
        const int severity = rec.wounds[PW_SEVERITY][slot];
        const int part = rec.wounds[PW_PART][slot];
        if (slot_makes_sense(kind, severity, part)) continue;
        log_cleared_slot("player", slot, kind, severity, part);
        drop_player_slot(rec, slot);
        ++cleared;
    }
    return cleared;
}

int check_creature_wound_slots(CreatureRecord& rec) {
    int cleared = 0;
    for (int slot = 0; slot < WOUND_SLOTS; ++slot) {
        const int kind = rec.wounds[CW_KIND][slot];
        if (kind == 0) continue;
        const int severity = rec.wounds[CW_SEVERITY][slot];
        const int part = rec.wounds[CW_PART][slot];
        if (slot_makes_sense(kind, severity, part)) continue;
        log_cleared_slot("creature", slot, kind, severity, part);
        for (auto& column : rec.wounds) column[slot] = 0;
        ++cleared;
    }
    return cleared;
}
