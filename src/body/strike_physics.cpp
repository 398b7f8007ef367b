// Strike profiles of weapons, the wear of a clash and the weapons worn or
// broken in the fighters' hands.
#include "body/strike_physics.h"

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "body/combat_commands.h"
#include "body/combat_state.h"
#include "body/fighters.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

void physics_debug(const char* format, ...) __attribute__((format(printf, 1, 2)));
void physics_debug(const char* format, ...) {
    if (!debug_messages_on) return;
    char text[256];
    va_list args;
    va_start(args, format);
    vformat_text(text, sizeof text, format, args);
    va_end(args);
    debug_message(text);
}

int ceil_int(double v) { return int(std::ceil(v)); }

// The skill word of an item is one of these whole words: an iron blade.
bool is_iron_skill(const char* skill) {
    static const char* const words[] = {"DAGGER", "KNIFE", "AXE", "SWORD", "SPEAR"};
    if (skill[0] == 0) return false;
    for (const char* w : words)
        if (std::strcmp(skill, w) == 0) return true;
    return false;
}

bool has(const char* text, const char* part) { return std::strstr(text, part) != nullptr; }

// The value of an aspect code; NO_ATTACK_VALUE for a code that names none.
int aspect_value_of(const ObjectRecord& r, int aspect) {
    switch (aspect) {
    case ASPECT_CODE_BLUNT: return r.blunt;
    case ASPECT_CODE_EDGE: return r.edge;
    case ASPECT_CODE_POINT: return r.point;
    default: return NO_ATTACK_VALUE;
    }
}

int at_least_one(int v) { return v < 1 ? 1 : v; }

}  // namespace

StrikeProfile weapon_strike_profile(const ObjectRecord& r, int a) {
    char skill[sizeof r.skill + 1];
    copy_field(skill, sizeof skill, r.skill, sizeof r.skill);
    char name[sizeof r.name + 1];
    copy_field(name, sizeof name, r.name, sizeof r.name);
    const double weight = r.weight;
    const double full = r.full_weight;

    StrikeProfile p{};
    p.block_area = 10;
    p.max_damage_pct = 50;
    p.aspect_value = 1;
    p.item_area = int(full * 10);
    p.velocity = (a == ASPECT_CODE_BLUNT || a == ASPECT_CODE_POINT) ? 0.5f : 1.0f;

    int c = 0;
    const int v = aspect_value_of(r, a);
    if (v < NO_ATTACK_VALUE) {
        p.aspect_value = v;
        c = ceil_int((v + 1) * (a == ASPECT_CODE_EDGE ? full : weight));
    }

    // Iron for the blades, wood for the javelins and staffs, stone for rock.
    if (r.material & MATERIAL_ROCK) {
        p.hardness = HARDNESS_STONE, p.material_value = 5, p.toughness = 3;
    } else if (is_iron_skill(skill) && !has(name, "Javelin") && !has(name, "taff")) {
        p.hardness = HARDNESS_IRON, p.material_value = 500, p.toughness = 30;
    } else {
        p.hardness = HARDNESS_WOOD, p.material_value = 20, p.toughness = 5;
    }

    // The weapon's class: a later one overrides an earlier one.
    if (has(skill, "AXE")) {
        c = ceil_int(full * 5);
        p.max_damage_pct = 2;
        p.velocity = 1.25f;
        p.block_area = c;
        p.item_area = 3 * c;
        if (r.kind == 141) {
            p.velocity = 0.5f;
            p.max_damage_pct = 100;
        }
        if (has(name, "Maul") || has(name, "hammer")) p.velocity = 2.0f;
        if (a == ASPECT_CODE_EDGE && r.edge < NO_ATTACK_VALUE) c = ceil_int(r.edge * full);
        if (a == ASPECT_CODE_POINT && r.point < NO_ATTACK_VALUE) c = ceil_int(r.point * full);
    }
    if (has(skill, "DAGGER") || has(skill, "KNIFE")) {
        const int e = r.edge < NO_ATTACK_VALUE ? ceil_int(r.edge * 6.0) : 6;
        p.item_area = int(e * 1.5);
        c = a == ASPECT_CODE_POINT ? e / 3 : e;
        p.block_area = 3;
    }
    if (has(skill, "CLUB")) {
        p.velocity = has(name, "Mace") ? 1.5f : 1.25f;
        c = 2 * r.blunt;
        p.block_area = c;
        p.max_damage_pct = 15;
        p.item_area = int(c * 1.5);
    }
    if (has(skill, "SWORD")) {
        const int e = r.edge < NO_ATTACK_VALUE ? ceil_int(r.edge * 10.0) + 10 : 30;
        p.item_area = int(e * 1.1);
        c = a == ASPECT_CODE_POINT ? e / 10 : e;
        p.block_area = 2;
        if (a == ASPECT_CODE_EDGE) p.velocity = 1.25f;
    }
    if (has(skill, "SPEAR")) {
        p.item_area = ceil_int(full * 10);
        c = 10;
        if (a == ASPECT_CODE_EDGE) {
            c = r.edge < NO_ATTACK_VALUE ? ceil_int(r.edge * 3.0) : 5;
            p.velocity = 1.0f;
        }
        if (a == ASPECT_CODE_POINT) {
            c = r.point < NO_ATTACK_VALUE ? ceil_int(r.point + full) : 5;
            p.velocity = 1.25f;
        }
        p.block_area = 8;
        if (has(name, "Ango")) {
            p.block_area = 50;
            p.item_area = 250;
            if (a == ASPECT_CODE_POINT) p.velocity = 1.5f;
        }
        if (match_wildcards("*trident*", name)) {
            p.block_area = 40;
            p.item_area = 175;
            if (match_wildcards("*small *", name)) {
                p.block_area = 30;
                p.item_area = 150;
            }
            if (match_wildcards("*wide *", name)) {
                p.item_area = 200;
                p.block_area = 60;
                if (a == ASPECT_CODE_POINT) p.velocity = 1.3f;
            }
        }
    }
    const bool shield = has(skill, "SHIELD");
    if (shield) {
        if (has(name, "oundshield")) {
            p.block_area = 255;
            p.item_area = 500;
            p.max_damage_pct = 25;
        } else {
            p.block_area = 80;
            p.item_area = 50;
        }
        p.strike_area = 20;
    } else {
        p.strike_area = c != 0 ? c : int(full * 2);
    }

    // The comparison divides by these areas: none is below 1.
    p.strike_area = at_least_one(p.strike_area);
    p.block_area = at_least_one(p.block_area);
    if (p.item_area < p.block_area) p.item_area = p.block_area;
    return p;
}

namespace {

// The share of a weapon one clash destroys, or a negative value when it
// takes no damage.
double clash_share(long long true_force, const StrikeProfile& own, const StrikeProfile& other, long long contact,
                   double own_full, double other_full, int g) {
    if (true_force < own.toughness || other.hardness < own.hardness) return -1.0;
    double f = double(contact) / own.item_area;
    physics_debug("%lld times exceed, %.2f contact pct", (true_force + own.toughness - 1) / own.toughness, f);
    if (ceil_int(f * 100) > own.max_damage_pct) f = own.max_damage_pct / 100.0;
    if (own_full > other_full && own_full > 0.0) f = f * other_full / own_full;
    if (g < 2) f *= 0.6;
    else if (g == 2) f *= 0.8;
    physics_debug("c_area(%lld) vs. item_area(%d) = %.2f%% destroyed", contact, own.item_area, f * 100);
    return f;
}

}  // namespace

const char* weapon_clash_damage_of(const ObjectRecord& a, const ObjectRecord& b, int aspect, int g) {
    const StrikeProfile pa = weapon_strike_profile(a, aspect);
    const StrikeProfile pb = weapon_strike_profile(b, aspect);
    physics_debug("att ca:%d block ca:%d", pa.strike_area, pb.block_area);
    physics_debug("aQ: %d bQ: %d", (a.quality & OBJ_GRADE_MASK) ? (a.quality & OBJ_GRADE_MASK) : 3,
                  (b.quality & OBJ_GRADE_MASK) ? (b.quality & OBJ_GRADE_MASK) : 3);

    // Kinetic energy of the blow, in 64 bits: a heavy maul squares to more
    // than 32 bits hold.
    long long k = (long long)std::ceil(double(pa.aspect_value) * a.weight * pa.velocity);
    if (k < 0) k = 0;
    physics_debug("wp %s strikes with ca %d vlc: %.2f", a.name, pa.strike_area, double(pa.velocity));
    physics_debug("KE: %lld", k);
    switch (g) {
    case 0: k /= 2; break;
    case 1: k = (long long)(double(k) * 0.8); break;
    case 2: k = (long long)(double(k) * 0.9); break;
    case 4: k = (long long)(double(k) * 1.1); break;
    default: break;
    }
    physics_debug("KE after velocity (%.2f): %lld", double(pa.velocity), k);
    const long long ke = k * k;
    const long long hit = ke / pa.strike_area;
    const long long contact = pa.strike_area < pb.block_area ? pa.strike_area : pb.block_area;
    const long long on_target = ke / contact;
    const long long true_force = (hit + on_target) / 2;
    physics_debug("KE = %lld FPA = %lld", ke, hit);
    physics_debug("KE = %lld FPA ont target = %lld", ke, on_target);
    physics_debug("TRUEFPA:%lld -- HITFPA:%lld BLOCKFPA:%lld", true_force, hit, on_target);

    char* out = next_ring_text();
    const double ad = clash_share(true_force, pa, pb, contact, a.full_weight, b.full_weight, g);
    if (ad >= 0.0) {
        physics_debug("!%s can damage!", b.name);
        format_text(out, TEXT_RING_BYTES, "[AD:%.0f]", ad * 100);
    }
    const double bd = clash_share(true_force, pb, pa, contact, b.full_weight, a.full_weight, g);
    if (bd >= 0.0) {
        physics_debug("!%s can damage!", a.name);
        char tag[64];
        format_text(tag, sizeof tag, "[BD:%.0f]", bd * 100);
        if (out[0]) append_text(out, TEXT_RING_BYTES, " ");
        append_text(out, TEXT_RING_BYTES, tag);
    }
    return out;
}

const char* weapon_clash_damage(int attacker_weapon, int blocker_weapon, int aspect, int clash_grade) {
    ObjectRecord a, b;
    obj_record(attacker_weapon, a);
    obj_record(blocker_weapon, b);
    return weapon_clash_damage_of(a, b, aspect, clash_grade);
}

namespace {

int tag_percent(const char* tags, const char* key) {
    const char* v = tag_value(tags, key, nullptr);
    return v ? std::atoi(v) : 0;
}

// One weapon in a hand wears by the percent; it gives out at half its full
// weight.
void wear_held_weapon(int holder, int hand, int percent) {
    const int id = fighter_held_item(holder, hand);
    if (id == 0 || percent == 0) return;
    ObjectRecord worn;
    obj_record(id, worn);
    const bool gone = wear_object(worn, 8, percent, 50) != 0;
    if (gone) {
        msg_item = id;
        obj_load_current(id);
        empty_hand(holder, hand);
        tell_about(holder, "BREAK_DO");
        cre_compute_load(holder);
        screen_hooks.refresh_status_panel();
        return;
    }
    keep_worn_record(holder, hand, worn);
}

}  // namespace

void cre_weapon_break_check(int attacker, int attacker_hand, int aspect, int g, int defender, int defender_hand) {
    if (!weapon_damage) return;
    const int a = fighter_held_item(attacker, attacker_hand);
    const int b = fighter_held_item(defender, defender_hand);
    if (a == 0 || b == 0) return;
    const char* tags = weapon_clash_damage(a, b, aspect, g);
    char copy[128];
    copy_text(copy, sizeof copy, tags);
    const int ad = tag_percent(copy, "AD");
    const int bd = tag_percent(copy, "BD");
    wear_held_weapon(defender, defender_hand, bd);
    wear_held_weapon(attacker, attacker_hand, ad);
}
