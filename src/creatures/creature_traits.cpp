// The small questions about a creature of the current map, read from its
// record in the creature table.
#include "creatures/creature_traits.h"

#include <cmath>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_society.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/sight.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "work/missile_tracer.h"
#include "work/work_services.h"

namespace {

constexpr int KIND_WOLF = 611;
constexpr uint8_t STATUS_SHAMAN = 13, STATUS_WOMAN = 14, STATUS_CHILD = 15, STATUS_ROBBER = 20;
constexpr uint8_t MOVE_FIGHT = 2, MOVE_MODE_RETURNS = 3, MOVE_FIGHT_ON = 99;
constexpr uint8_t BODY_SHOCKED = 3, BODY_FAINTED = 4;
constexpr int32_t AIR_ALOFT = 100, AIR_IN_TREE = 200, AIR_UNDER_WATER = -100;
constexpr uint8_t MOBILITY_FLYING = 64, MOBILITY_WATER_BIRD = 128;
constexpr uint8_t CLASS_BIRD = 21;
constexpr uint8_t BFDOM_LEASHABLE = 0x02, BFDOM_TIED = 0x10;
constexpr uint32_t CRE_NEVER_SLEEPS = CRE_AWAY | CRE_BROUGHT_BACK;
constexpr uint32_t CRE_MARKED = 0x2, CRE_ATE_BREAD = 0x4;
constexpr uint32_t HUNTING_BITS = 0x2 | 0x4 | 0x8 | 0x10 | 0x20 | 0x2000 | 0x10000;
constexpr uint32_t FORAGE_BITS = 0x80 | 0x100 | 0x200 | 0x400 | 0x800 | 0x1000;
constexpr uint8_t TOOL_SUBCLASS_LEASH = 9;

const CreatureRecord* rec(int creature) { return cre_slot_valid(creature) ? &Cre[creature] : nullptr; }

bool down(const CreatureRecord& c) { return c.body_state == BODY_SHOCKED || c.body_state == BODY_FAINTED; }
bool animal(const CreatureRecord& c) { return c.cre_class != CRE_CLASS_HUMAN; }

// The slot a creature record of the map-object table names; -1 for other
// records.
int creature_slot_of(const MapObject& o) {
    if (o.TYPE != MK_CREATURE) return -1;
    const int slot = o.DATA - CRE_REF_BASE;
    return cre_slot_valid(slot) ? slot : -1;
}

bool is_domestic_kind(int kind) {
    return kind >= 609 && kind <= 621 && kind != 611 && kind != 612 && kind != 613 && kind != 614 && kind != 620;
}

bool rhythm_awake(int rhythm, int hour) {
    switch (rhythm) {
    case 0: return hour > 21 || hour < 7;
    case 1: return hour >= 8 && hour <= 21;
    case 2: return hour >= 20;
    case 3: return (hour >= 19 && hour <= 22) || (hour >= 6 && hour <= 11);
    case 4: return true;
    default: return false;
    }
}

}  // namespace

// ------------------------------------------------------------ persons and bodies

int cre_is_human(int creature) {
    if (creature == -1) return 1;
    const CreatureRecord* c = rec(creature);
    return c && c->cre_class == CRE_CLASS_HUMAN ? 1 : 0;
}

int cre_is_not_human(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->cre_class != CRE_CLASS_HUMAN ? 1 : 0;
}

int cre_is_spirit(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->cre_class == CRE_CLASS_SPIRIT ? 1 : 0;
}

int cre_has_bird_body(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->cre_class == CLASS_BIRD ? 1 : 0;
}

int cre_is_bird(int creature) {
    const CreatureRecord* c = creature == -1 ? &CreScratch : rec(creature);
    if (c == nullptr) return 0;
    return c->cre_class == CLASS_BIRD || c->mobility == MOBILITY_FLYING || c->mobility == MOBILITY_WATER_BIRD ? 1 : 0;
}

int cre_has_hooves(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0;
    const int k = c->kind;
    if (k == 609 || (k >= 613 && k <= 616) || k == 619 || k == 620 || k == 660) return 1;
    const int cl = c->cre_class;
    return cl == 5 || (cl >= 7 && cl <= 10) || cl == 17 ? 1 : 0;
}

int cre_is_robber(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->cre_status == STATUS_ROBBER ? 1 : 0;
}

int cre_is_leashed(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->cre_status == CRE_STATUS_TIED ? 1 : 0;
}

int cre_is_female(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0;
    if (c->cre_status == STATUS_WOMAN) return 1;
    char name[sizeof c->name + 1];
    copy_field(name, sizeof name, c->name, sizeof c->name);
    return c->cre_status == STATUS_CHILD && match_wildcards("*girl*", name) ? 1 : 0;
}

int cre_is_old_man(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->cre_class != CRE_CLASS_HUMAN || c->cre_status == STATUS_SHAMAN) return 0;
    char name[sizeof c->name + 1];
    copy_field(name, sizeof name, c->name, sizeof c->name);
    return match_wildcards("*old *", name) && !cre_is_female(creature) ? 1 : 0;
}

int cre_is_young(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && animal(*c) && (c->sex_age & SEX_YOUNG) ? 1 : 0;
}

int cre_is_aggressive(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && (c->move_mode == MOVE_FIGHT || c->move_mode == MOVE_FIGHT_ON) ? 1 : 0;
}

int cre_is_flying_high(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->air_state == AIR_ALOFT ? 1 : 0;
}

int cre_is_diving(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->air_state == AIR_UNDER_WATER ? 1 : 0;
}

int cre_body_state(int creature) {
    if (creature == -1) return Plr.body_state;
    const CreatureRecord* c = rec(creature);
    return c ? c->body_state : 0;
}

int cre_is_predator(int creature) {
    if (creature == -1) return 1;
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->cre_class == CRE_CLASS_HUMAN) return 0;
    if ((c->diet1 | c->diet2) & HUNTING_BITS) return 1;
    return c->predator;
}

int cre_is_forager(int creature, int which) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->cre_class == CRE_CLASS_HUMAN) return 0;
    const uint32_t diet = which == 1 ? c->diet1 : which == 2 ? c->diet2 : (c->diet1 | c->diet2);
    return diet & FORAGE_BITS ? 1 : 0;
}

int cre_is_marked_wolf(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && c->kind == KIND_WOLF && (c->cre_flags & CRE_MARKED) ? 1 : 0;
}

// ------------------------------------------------------------ whose it is

int cre_is_own_animal(int creature) {
    const CreatureRecord* c = rec(creature);
    return c && animal(*c) && (c->cre_status == CRE_STATUS_TIED || c->owner == OWNER_PLAYER) ? 1 : 0;
}

int cre_belongs_to(int creature, int owner) {
    if (owner == -1) return cre_is_own_animal(creature);
    const CreatureRecord* c = rec(creature);
    const CreatureRecord* o = rec(owner);
    if (c == nullptr || o == nullptr || !animal(*c) || !(c->cre_bits & CRE_BITS_OWNED)) return 0;
    return uint32_t(c->owner) == o->sotu ? 1 : 0;
}

int cre_is_free_animal(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || !animal(*c)) return 0;
    if (c->cre_status == CRE_STATUS_TIED || c->owner == OWNER_PLAYER) return 0;
    if (c->owner <= 0 && (c->cre_bits & CRE_BITS_OWNED)) return 0;
    return 1;
}

int cre_is_leashable(int, int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0;
    if (is_domestic_kind(c->kind)) return 1;
    if (animal(*c) && c->flee_threshold == 0 && c->avoid_threshold == 0) return 1;
    return c->bfdom & BFDOM_LEASHABLE ? 1 : 0;
}

int cre_is_companion(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.cre_class != CRE_CLASS_HUMAN) return 0;
    if (c.party_flags & PARTY_MEMBER) return 1;
    if (c.move_mode == MOVE_MODE_PARTY) {
        // The one asked to join is taken in here.
        c.party_flags |= PARTY_MEMBER;
        c.move_mode = 0;
        return 1;
    }
    return 0;
}

int cre_is_kept(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0;
    if (cre_is_companion(creature)) return 1;
    if (animal(*c) && (c->cre_status == CRE_STATUS_TIED || c->owner == OWNER_PLAYER)) return 1;
    if (animal(*c) && c->disposition == 2) return 1;
    if (c->cre_status == STATUS_ROBBER) return 1;
    if (!animal(*c) && c->lauma != 0) return 1;
    return (c->cre_flags & CRE_MARKED) && !(c->cre_flags & CRE_ATE_BREAD) ? 1 : 0;
}

int cre_is_active_hour(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    const int hour = Plr.hour;
    if ((c.cre_flags & CRE_NEVER_SLEEPS) || hour + 1 == c.wake_hour) return 1;
    int rhythm = c.activity;
    if (c.move_mode == MOVE_MODE_RETURNS) {
        c.move_mode = 0;
        rhythm = 1;
    }
    if (creature_catch_up) return 1;
    if (cre_is_society_member(creature) && plr_has_goods_of_village(c.lauma)) return 1;
    const bool awake = rhythm_awake(rhythm, hour);
    if (c.move_mode == MOVE_MODE_ASLEEP || c.move_mode == 0) return awake ? 1 : 0;
    return 1;
}

int cre_can_see_point(int creature, int x, int y) {
    const int i = cre_slot_valid(creature) ? cre_datapos(creature) : -1;
    return i < 0 ? 0 : cre_can_see_point_from(creature, Data[i].x, Data[i].y, x, y);
}

int cre_can_see_point_from(int creature, int from_x, int from_y, int x, int y) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->move_mode == MOVE_MODE_ASLEEP || down(*c)) return 0;
    return is_point_visible_from(from_x, from_y, x, y, c->Suunta);
}

// ------------------------------------------------------------ leaders, followers, gear

int cre_leader_present(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->follow_sotu == 0) return 0;
    const int leader = cre_by_sotu(uint32_t(c->follow_sotu));
    return leader != CRE_NO_CREATURE && !down(Cre[leader]) ? 1 : 0;
}

int cre_has_follower(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr || c->sotu == 0) return 0;
    for (const MapObject& o : Data) {
        const int slot = creature_slot_of(o);
        if (slot >= 0 && slot != creature && uint32_t(Cre[slot].follow_sotu) == c->sotu) return 1;
    }
    return 0;
}

int cre_has_two_weapons(int creature) {
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0;
    auto weapon = [](int id) {
        if (!obj_id_is_valid(id)) return false;
        ObjectRecord r;
        return obj_record(id, r).item_class == ITEM_WEAPON;
    };
    int n = weapon(c->wielded) ? 1 : 0;
    for (int s = 0; s < 20 && n < 2; ++s)
        if (weapon(c->inv_id[s])) ++n;
    return n >= 2 ? 1 : 0;
}

int cre_find_owned_animal(int owner) {
    for (const MapObject& o : Data) {
        const int slot = creature_slot_of(o);
        if (slot >= 0 && cre_belongs_to(slot, owner)) return slot;
    }
    return CRE_NO_CREATURE;
}

int cre_find_leash_holder(int creature, int* x, int* y) {
    if (x) *x = 0;
    if (y) *y = 0;
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (!(c.bfdom & BFDOM_TIED)) return 0;
    // A leash keeps the tied creature's sotu in 16 bits.
    const uint16_t tied = uint16_t(c.sotu);
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_ITEM || !obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        if (r.item_class != ITEM_TOOL || r.subclass != TOOL_SUBCLASS_LEASH || uint16_t(r.link) != tied) continue;
        if (x) *x = o.x;
        if (y) *y = o.y;
        return 1;
    }
    // The leash is gone: the creature is free, unless the player is between
    // maps and the leash with the player.
    if (!map_transfer_flag) c.bfdom &= uint8_t(~BFDOM_TIED);
    return 0;
}

// ------------------------------------------------------------ sizes and heights

float cre_crust_load_factor(int creature) {
    if (creature == -1) return 1.0f;
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0.0f;
    if (c->cre_class == CRE_CLASS_HUMAN) return 1.0f;
    if (c->air_state == AIR_ALOFT || c->air_state == AIR_UNDER_WATER) return 0.0f;
    switch (c->kind) {
    case 600: case 604: case 612: case 625: return 0.0f;
    case 608: return 0.1f;
    case 602: case 603: case 622: case 626: return 0.2f;
    case 601: case 635: return 0.3f;
    case 627: case 628: return 0.4f;
    case 611: case 624: return 0.5f;
    case 618: case 623: return 0.7f;
    case 619: case 620: return 0.8f;
    default: return 1.0f;
    }
}

int cre_body_height(int creature) {
    if (creature == -1) return int(std::ceil(Plr.height_in * 2.54)) - 25;
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0;
    int h;
    if (c->cre_class == CRE_CLASS_HUMAN) {
        h = c->cre_status == STATUS_CHILD ? 80 : 140;
    } else {
        switch (c->kind) {
        case 600: h = 30; break;
        case 601: case 624: h = 45; break;
        case 602: case 650: h = 50; break;
        case 603: case 629: case 651: h = 40; break;
        case 604: case 612: case 625: h = 10; break;
        case 605: h = 140; break;
        case 608: h = 75; break;
        case 609: h = 160; break;
        case 611: case 615: h = 70; break;
        case 613: h = 100; break;
        case 614: case 616: h = 80; break;
        case 618: h = 60; break;
        case 619: h = 120; break;
        case 620: h = 130; break;
        case 621: h = 170; break;
        case 622: h = 5; break;
        case 623: h = 65; break;
        case 626: case 627: h = 20; break;
        case 628: case 633: case 634: case 635: h = 25; break;
        case 660: h = 180; break;
        default: h = c->weight / 100.0f < 0.2f ? (c->weight <= 1.0f ? 20 : 30) : 0; break;
        }
    }
    if (c->sex_age & SEX_YOUNG) h /= 2;
    return h;
}

float cre_target_size(int creature) {
    if (creature == -1) return Plr.body_state == 0 ? 0.7f : 0.2f;
    const CreatureRecord* c = rec(creature);
    if (c == nullptr) return 0.0f;
    const bool human = c->cre_class == CRE_CLASS_HUMAN;
    if (c->body_state != 0) return human ? 0.3f : (c->weight > 1.0f ? 0.2f : 0.1f);
    if (human) return 0.7f;
    const float size = c->weight / 100.0f;
    if (size < 0.2f) return c->weight > 1.0f ? 0.3f : 0.2f;
    return size;
}

float cre_elevation(int creature) {
    int x, y;
    if (creature == -1) {
        x = player_x;
        y = player_y;
    } else {
        const int i = cre_slot_valid(creature) ? cre_datapos(creature) : -1;
        if (i < 0) return 0.0f;
        x = Data[i].x;
        y = Data[i].y;
    }
    float e = obstacle_height_at(x, y);
    if (creature == -1) return e;
    const CreatureRecord& c = Cre[creature];
    if (c.air_state == AIR_ALOFT) e += 30.0f;
    else if (c.air_state == AIR_IN_TREE) e += float(10 + random_below(10));
    return e;
}
