#include "creatures/food_seeking.h"

#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "body/body_condition.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/ownership.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/eating.h"
#include "work/food_values.h"
#include "work/work_services.h"

namespace {

constexpr int KIND_DOG = 618;
constexpr int KIND_WOLF = 611;
constexpr int FOOD_PLANT = 430, FOOD_BERRY = 431, FOOD_POD = 432, FOOD_ROOT = 433, FOOD_GRAIN = 438;
constexpr int FOOD_MUSHROOM = 513, FOOD_419 = 419;
constexpr int REQUIREMENT_EDIBLE = 490, REQUIREMENT_MEAT = 500;
constexpr int WIDE_RADIUS = 255, LEASHED_RADIUS = 5, OWN_ANIMAL_RADIUS = 128;
constexpr int CALL_COOLDOWN = 20, COOLDOWN_RESET_ABOVE = 60;
constexpr int EAT_TASK_TURNS = 100;
constexpr int ENERGY_FLOOR = -500;
constexpr uint8_t NEED_LEVEL_LOW = 3;
constexpr uint32_t WOLF_TAMED_BIT = 0x2;  // cre_flags of a wolf fed with bread
constexpr uint32_t PLANT_BITS = DIET_PODS_AND_ROOTS | DIET_PLANTS | DIET_ROOTS | DIET_BERRIES | DIET_GRAIN |
                                DIET_MUSHROOMS;

std::string record_name(const char* field, size_t size) {
    char buffer[64];
    copy_field(buffer, sizeof buffer, field, size);
    return buffer;
}

// Creature debug lines go to the "cre" channel and, with the debug switch
// on, to the message line as "? %s".
void cre_debug(const char* text) {
    debug_log("cre", text);
    debug_message(text);
}

uint32_t diet_mask(const CreatureRecord& c, int mode) {
    uint32_t d2 = c.diet2;
    if (c.kind == KIND_DOG) d2 |= DIET_KIND_419;
    if (mode == 1) return c.diet1;
    if (mode == 2) return d2;
    return c.diet1 | d2;
}

bool kind_matches(uint32_t mask, int kind) {
    return ((mask & DIET_BERRIES) && kind == FOOD_BERRY) || ((mask & DIET_GRAIN) && kind == FOOD_GRAIN) ||
           ((mask & DIET_ROOTS) && kind == FOOD_ROOT) || ((mask & DIET_PLANTS) && kind == FOOD_PLANT) ||
           ((mask & DIET_MUSHROOMS) && kind == FOOD_MUSHROOM) || ((mask & DIET_KIND_419) && kind == FOOD_419);
}

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// Whether an awake villager of the village is on the map, asked once per
// village in one search.
struct VillagerWatch {
    int32_t village[8];
    bool awake[8];
    int n = 0;
    bool watched(int32_t v) {
        for (int i = 0; i < n; ++i)
            if (village[i] == v) return awake[i];
        const bool a = nearest_awake_villager(v) != -1000;
        if (n < 8) {
            village[n] = v;
            awake[n] = a;
            ++n;
        }
        return a;
    }
};

// The squares of the set traps on the map, gathered once for a search.
struct TrapSquares {
    uint16_t x[64], y[64];
    int n = 0;
    bool many = false;  // more than fit: each square is asked of the table
    void gather() {
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == MK_UNUSED) break;
            if (o.TYPE != MK_TRAP) continue;
            if (n == 64) {
                many = true;
                return;
            }
            x[n] = o.x;
            y[n] = o.y;
            ++n;
        }
    }
    bool at(int sx, int sy) const {
        if (many) return find_map_object(MK_TRAP, sx, sy) >= 0;
        for (int i = 0; i < n; ++i)
            if (x[i] == sx && y[i] == sy) return true;
        return false;
    }
};

// The diet test with the creature's predator answer and diet mask given.
bool will_eat(bool predator, uint32_t mask, const ObjectRecord& food);

// What a search knows of the searcher for one pass.
struct Searcher {
    int c;
    bool predator;
    uint32_t mask;         // the pass's diet mask
    uint32_t both;         // both masks: the plant's own test
    bool eats_plants;
};

// The record of an object id read in place (a search looks at thousands);
// null for an id that names none.
const ObjectRecord* object_of(int id) {
    if (obj_id_is_type(id)) return &ItemTypes[id];
    if (obj_id_is_instance(id)) return &Objects[id - FIRST_INSTANCE_ID];
    return nullptr;
}

// An item of the map the creature may eat in the pass's mode.
bool item_candidate(const Searcher& s, int index, VillagerWatch& watch) {
    const MapObject& o = Data[index];
    const ObjectRecord* r = object_of(o.DATA);
    if (r == nullptr || !will_eat(s.predator, s.mask, *r)) return false;
    if (cre_avoids_food_spot(s.c, o.x, o.y)) return false;
    const OwnerStatus owner = map_item_owner_status(index);
    if (!owner.free && owner.owner > 0 && village_owns_cell(owner.owner, world_x_of(o.x), world_y_of(o.y)) &&
        watch.watched(owner.owner))
        return false;
    return true;
}

// The cheap questions first: the diet, the plant's kind, then the traps
// and whether the creature can step there.
bool patch_candidate(const Searcher& s, int index, const TrapSquares& traps) {
    const MapObject& o = Data[index];
    if (!s.eats_plants) return false;
    const ObjectRecord* r = object_of(o.DATA);
    if (r == nullptr) return false;
    if (o.state == 0) {
        const bool pods = (s.mask & DIET_PODS_AND_ROOTS) && (r->kind == FOOD_POD || r->kind == FOOD_ROOT);
        if (r->kind != FOOD_PLANT && !pods) return false;
    }
    if (!will_eat(s.predator, s.both, *r)) return false;
    if (traps.at(o.x, o.y)) return false;
    return Liikkuminen(s.c, o.x, o.y, 0) == 1;
}

// The eating task at the candidate: 1 queued, 0 the queue is full.
int queue_eating(int c, int index) {
    const MapObject& o = Data[index];
    if (o.TYPE == MK_PLANT_PATCH) {
        ObjectRecord r{};
        obj_record(o.DATA, r);
        char text[200];
        format_text(text, sizeof text, "%s -> eat plant: %d,%d (%s)", creature_name(c, 0), int(o.x), int(o.y),
                    record_name(r.name, sizeof r.name).c_str());
        cre_debug(text);
    }
    task_target_point = {o.x, o.y};
    const int slot = push_task(c, TASK_EAT_AT_SPOT, EAT_TASK_TURNS);
    if (slot < 0) return 0;
    Cre[c].task_target[slot] = o.DATA;
    return 1;
}

}  // namespace

int cre_will_eat(int creature, int mode, const ObjectRecord& food) {
    if (!cre_slot_valid(creature)) return 0;
    return will_eat(cre_is_predator(creature) != 0, diet_mask(Cre[creature], mode), food) ? 1 : 0;
}

namespace {

bool will_eat(bool predator, uint32_t mask, const ObjectRecord& food) {
    if (food.contents != 0) return 0;
    if (predator && obj_meets_requirement(REQUIREMENT_MEAT, food)) return 1;
    if ((mask & DIET_REQUIREMENT_490) && obj_meets_requirement(REQUIREMENT_EDIBLE, food)) return 1;
    if (kind_matches(mask, food.kind)) return 1;
    if ((mask & DIET_PODS_AND_ROOTS) && (food.kind == FOOD_POD || food.kind == FOOD_ROOT)) return 1;
    if ((mask & DIET_BREAD) && record_name(food.name, sizeof food.name).find("bread") != std::string::npos) return 1;
    if (!(mask & DIET_PLAIN_FOOD)) return 0;
    if (food.kind == 0 && food.item_class == ITEM_FOOD && food.spoilage_days != 255) return 1;
    return obj_meets_requirement(REQUIREMENT_EDIBLE, food) != 0;
}

}  // namespace

int cre_will_eat(int creature, const ObjectRecord& food) { return cre_will_eat(creature, 0, food); }

int ravinnonhankinta(int c, int mode) {
    if (!cre_slot_valid(c) || Cre[c].cre_class == CRE_CLASS_FREE) return 0;
    CreatureRecord& cr = Cre[c];
    // The debug lines are written only while someone reads them.
    const bool tell = debug_logs_on || debug_messages_on;
    const std::string name = tell ? creature_name(c, 0) : "";
    char text[200];
    format_text(text, sizeof text, "ravinnonhankinta(%s #%d)", name.c_str(), c);
    if (tell) cre_debug(text);
    if (cr.diet1 == 0 && cr.diet2 == 0) {
        cre_debug("ei ruokavaliota");
        return 0;
    }
    const int capacity = cre_stomach_capacity(c);
    const int threshold = mode == 0 ? capacity / 2 : int(double(capacity) * 0.95);
    if (cr.energy >= threshold && cr.energy >= 0) {
        format_text(text, sizeof text, "%s energia %d/%d - ei ravintotarvetta", name.c_str(), int(cr.energy),
                    capacity);
        cre_debug(text);
        return 0;
    }
    const int at = cre_datapos(c);
    if (at < 0) return -1;
    const int cx = Data[at].x, cy = Data[at].y;
    int radius = WIDE_RADIUS;
    const bool own = cre_is_own_animal(c) != 0;
    if (own && mode == 0) {
        radius = cr.cre_status == CRE_STATUS_TIED ? LEASHED_RADIUS : OWN_ANIMAL_RADIUS;
        if (cr.sound_cooldown > COOLDOWN_RESET_ABOVE) cr.sound_cooldown = 0;
        if (cr.sound_cooldown == 0) {
            msg_npc = c;
            const std::string seen = message_by_key("SOUND_HUNGRY");
            cre_action_message(c, seen.c_str(), heard_message_text);
            cr.sound_cooldown = CALL_COOLDOWN;
        }
    }
    VillagerWatch watch;
    TrapSquares traps;
    if ((cr.diet1 | cr.diet2) & PLANT_BITS) traps.gather();
    int candidate = -1, looked = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        Searcher s{c, cre_is_predator(c) != 0, diet_mask(cr, pass), diet_mask(cr, 0), false};
        s.eats_plants = (s.mask & PLANT_BITS) && cre_eats_plants(c, pass);
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == MK_UNUSED) break;
            if (o.TYPE != MK_ITEM && o.TYPE != MK_PLANT_PATCH) continue;
            ++looked;
            // Distance and diet first: ownership asks the villagers.
            const int d = chebyshev(cx, cy, o.x, o.y);
            if (d > radius) continue;
            const bool ok = o.TYPE == MK_ITEM ? item_candidate(s, i, watch) : patch_candidate(s, i, traps);
            if (!ok) continue;
            candidate = i;
            radius = d;
        }
        // The player's own animal first tries carcasses and prey.
        if (pass == 1 && candidate >= 0 && !own) pass = 2;
        if (pass == 2 && candidate >= 0) {
            const int carcass = Haaskasta(c, 2, 0);
            if (carcass != 0 && carcass < radius && Haaskasta(c, 2, 1)) return 1;
            if (queue_eating(c, candidate)) return 1;
        }
        if (tell) {
            format_text(text, sizeof text, "#%d haaska/saalis haku", looked);
            cre_debug(text);
        }
        if (Haaskasta(c, pass, 1)) return 1;
        if (Saalista(c, pass)) return 1;
    }
    return -1;
}

int cre_eat_carried_food(int creature, int mode) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    if (c.energy < ENERGY_FLOOR && !c.hunger_hold && c.life_bits == 0) c.energy = ENERGY_FLOOR;
    const int start = c.energy;
    const int capacity = cre_stomach_capacity(creature);
    auto fed = [&] {
        if (c.energy > capacity / 2) return true;
        return mode == 1 && std::abs(int(c.energy) - start) > capacity / 4;
    };
    for (int s = 0; s < 20; ++s) {
        if (fed()) return 1;
        if (c.inv_id[s] == 0 || c.inv_count[s] == 0) continue;
        ObjectRecord r{};
        obj_record(c.inv_id[s], r);
        if (r.item_class != ITEM_FOOD || r.spoilage_days == 255) continue;
        if (r.kind == 57 || r.kind == 61 || r.kind == 434 || r.kind == 435 || r.kind == 490 || r.kind == 500) continue;
        while (c.inv_count[s] > 0) {
            Nutrition n{};
            ravinto(r, n);
            add_food_to_stomach(creature, 0, 1.0f, n, r);
            const int id = c.inv_id[s];
            if (--c.inv_count[s] == 0) {
                c.inv_id[s] = 0;
                c.inv_state[s] = 0;
            }
            cre_compute_load(creature);
            msg_npc = creature;
            msg_item = id;
            cre_action_message(creature, message_by_key("DO_EAT"), "");
            if (fed()) return 1;
        }
    }
    return 0;
}

int cre_update_hunger(int creature) {
    if (!cre_slot_valid(creature) || !cre_is_companion(creature)) return 0;
    cre_eat_carried_food(creature, 0);
    CreatureRecord& c = Cre[creature];
    bool needy = false;
    if (c.energy < cre_stomach_capacity(creature) / 4) {
        if (c.energy > 0) {
            c.life_bits = (c.life_bits | NEED_HUNGRY) & ~NEED_STARVING;
        } else {
            c.life_bits = (c.life_bits | NEED_STARVING) & ~NEED_HUNGRY;
        }
        needy = true;
    } else {
        c.life_bits &= ~(NEED_HUNGRY | NEED_STARVING);
    }
    if (c.service_days > NEED_LEVEL_LOW) {
        c.life_bits &= ~NEED_LOW_LEVEL;
    } else {
        c.life_bits |= NEED_LOW_LEVEL;
        needy = true;
    }
    if (needy) c.life_bits |= NEED_SOME;
    return needy ? 1 : 0;
}

void cre_refuse_order(int creature) {
    if (creature == -1 || cre_is_human(creature)) {
        cre_say(creature, "I won't do that!");
        return;
    }
    msg_npc = creature;
    cre_action_message(creature, message_by_key("SOUND_DISAGREEMENT"), "");
}

void order_pet_to_eat(int creature) {
    if (!cre_slot_valid(creature)) return;
    CreatureRecord& c = Cre[creature];
    pop_task(creature, -1);
    std::memset(c.trail_x, 0, sizeof c.trail_x);
    std::memset(c.trail_y, 0, sizeof c.trail_y);
    const bool tamed_wolf = c.kind == KIND_WOLF && (c.cre_flags & WOLF_TAMED_BIT);
    if (!tamed_wolf) show_message(message_by_key("PET_PHRASE:EAT"));
    const int answer = ravinnonhankinta(creature, 1);
    msg_npc = creature;
    if (tamed_wolf || answer == -1) show_message(message_by_key("RESPONSE_CONFUSED"));
    else if (answer == 0) cre_refuse_order(creature);
    else show_message(message_by_key("RESPONSE_HAPPY"));
}
