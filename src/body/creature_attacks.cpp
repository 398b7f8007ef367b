#include "body/creature_attacks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "body/attack_resolver.h"
#include "body/attack_setup.h"
#include "body/creature_fights.h"
#include "body/fighters.h"
#include "body/skills.h"
#include "body/weapon_choice.h"
#include "console/console.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "creatures/movement_commands.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/ownership.h"
#include "society/standing.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t MODE_ATTACKING = 99;
constexpr uint8_t MODE_FIGHTING = 2;
constexpr uint8_t MODE_ESCAPING = 4;
constexpr int KIND_DOG = 618;
constexpr uint8_t SUBCLASS_SHOOTING_WEAPON = 5;
constexpr int NO_NATURAL_ATTACK = 1000;
constexpr uint8_t STATUS_FOREIGN_TRADER = 5;
// status_bits (map_flags) values that take a creature out of societies.
constexpr uint8_t STATUS_IN_PARTY = 0x02;
constexpr uint8_t STATUS_OUT_OF_SOCIETY = 0x04;
constexpr int SOCROLE_ENFORCER = 2;

bool attacking(const CreatureRecord& c) { return c.move_mode == MODE_ATTACKING || c.move_mode == MODE_FIGHTING; }

bool unconscious(int fighter) {
    const int s = fighter_body_state(fighter);
    return s == BODY_SHOCKED || s == BODY_FAINTED;
}

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

// ------------------------------------------------------------ rows

// Each slot's record row in the map's table. An entry is trusted only
// while the record it names still holds the slot; any miss builds the whole
// index again in one pass.
int16_t fighter_rows[CRE_SLOTS];
bool fighter_rows_built = false;

bool row_holds(int slot, int row) {
    return row >= 0 && Data[row].TYPE == MK_CREATURE && Data[row].DATA == CRE_REF_BASE + slot;
}

// The first record of each slot wins, as in the finds by creature.
void build_fighter_rows() {
    std::fill(std::begin(fighter_rows), std::end(fighter_rows), int16_t(-1));
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE) continue;
        const int slot = o.DATA - CRE_REF_BASE;
        if (cre_slot_valid(slot) && fighter_rows[slot] < 0) fighter_rows[slot] = int16_t(i);
    }
    fighter_rows_built = true;
}

// Makes sure every loaded slot's entry is current: one check a slot, and
// at most one rebuild.
void refresh_fighter_rows() {
    if (!fighter_rows_built) {
        build_fighter_rows();
        return;
    }
    for (int s = 0; s < CRE_SLOTS; ++s) {
        if (CreSlotRefs[s] == 0) continue;
        if (!row_holds(s, fighter_rows[s])) {
            build_fighter_rows();
            return;
        }
    }
}

// ------------------------------------------------------------ village law

// The village of a society member made current for reading and writing.
VillageRecord* member_village(int creature) {
    const int32_t id = Cre[creature].lauma;
    if (id < 1 || (id != cur_village_id && find_village_index(id) == NO_VILLAGE)) return nullptr;
    set_current_village(id);
    return cur_village_id == id ? &CurVillage : nullptr;
}

// The errands of a villager against the player; true when the turn ends
// here.
bool keep_village_law(int creature) {
    CreatureRecord& c = Cre[creature];
    const int32_t village = c.lauma;
    if (c.bfagg & BFAGG_THIEF) {
        if (plr_has_goods_of_village(village)) {
            village_confront_troublemaker(0, 1, creature, 2);
        } else {
            cre_calm_down(creature);
            village_confront_troublemaker(0, 1, creature, 1);
            if (village > 0) village_has_displaced_items(village);
            return true;
        }
    }
    if (villager_notice_unpaid_goods(0, creature)) return true;
    if ((c.bfagg & BFAGG_DRIVE_AWAY) && !plr_near_village(village)) {
        cre_calm_down(creature);
        village_confront_troublemaker(0, 2, creature, 1);
        return true;
    }
    if ((c.bfagg & BFAGG_VIOLENCE) && cre_villager_stops_punishing(creature)) {
        cre_calm_down(creature);
        if (cre_is_society_member(creature)) {
            if (VillageRecord* v = member_village(creature)) {
                if (v->alarm) village_turn_hostile(village);
                if (v->alarm) {
                    const int witness = find_society_witness(village);
                    if (witness >= 0 && cre_shout(witness, "Won't you behave now?")) pause_prompt();
                }
                v->alarm = 0;
            }
        }
        return true;
    }
    return false;
}

// ------------------------------------------------------------ shooting

bool holds_launcher(const CreatureRecord& c, ObjectRecord& launcher) {
    if (c.wielded <= 0 || !obj_id_is_valid(c.wielded)) return false;
    obj_record(c.wielded, launcher);
    return launcher.subclass == SUBCLASS_SHOOTING_WEAPON;
}

bool is_crossbow(const ObjectRecord& launcher) {
    return std::strncmp(launcher.skill, "CROSSBOW", sizeof launcher.skill) == 0;
}

enum ShotOutcome { SHOT_NONE, SHOT_AIMED, SHOT_TAKEN };

// A shooter that sees its target aims (a bow one turn, a crossbow four),
// then shoots on a coin flip. SHOT_NONE: it goes on to close in.
ShotOutcome aim_and_shoot(int creature, const ObjectRecord& launcher) {
    CreatureRecord& c = Cre[creature];
    uint8_t& aim = cre_aim_count(creature);
    if (aim == 0) {
        aim = 1;
        return SHOT_AIMED;
    }
    if (is_crossbow(launcher) && aim < 4) {
        ++aim;
        return SHOT_AIMED;
    }
    if (body_draw(2) != 1) return SHOT_NONE;
    const int missile = cre_take_missile(creature);
    if (missile == 0) return SHOT_NONE;
    if (!cre_resolve_attack(creature, missile, 1, c.fight_target, c.wielded)) return SHOT_NONE;
    aim = 0;
    return SHOT_TAKEN;
}

// ------------------------------------------------------------ dogs

// A dog closes in on the player or on a creature that is not fighting: it
// holds its quarry at bay and barks. 1 when it may bite.
int dog_closes_in(int creature, int distance) {
    CreatureRecord& d = Cre[creature];
    const int tx = d.target_dx, ty = d.target_dy;
    if (distance == 1) {
        cre_face_towards(creature, tx, ty);
        if (d.fight_target == -1) {
            Kulje_Paikkaan(creature, tx, ty);
            return 0;
        }
        return fighter_weight_kg(creature) >= fighter_weight_kg(d.fight_target) && body_draw(2) == 1;
    }
    // Into the square in front of the quarry, on the dog's side.
    int x = 0, y = 0;
    fighter_square(creature, x, y);
    const int ax = tx + (x > tx) - (x < tx), ay = ty + (y > ty) - (y < ty);
    const int before = cre_map_row(creature);
    const int bx = before >= 0 ? Data[before].x : x, by = before >= 0 ? Data[before].y : y;
    Kulje_Paikkaan(creature, ax, ay);
    int nx = bx, ny = by;
    fighter_square(creature, nx, ny);
    if (nx != bx || ny != by) {
        tell_about(creature, "SOUND_ALARM");
        if (noise_level < 3) noise_level = 3;
    }
    return 0;
}

}  // namespace

uint8_t& cre_aim_count(int creature) { return Cre[creature].combat_value; }
uint8_t& cre_close_in_distance(int creature) { return Cre[creature].unlisted_568[0]; }

int cre_map_row(int creature) {
    if (!cre_slot_valid(creature)) return -1;
    if (!fighter_rows_built) build_fighter_rows();
    if (row_holds(creature, fighter_rows[creature])) return fighter_rows[creature];
    build_fighter_rows();
    return fighter_rows[creature];
}

void reset_fighter_rows() {
    std::fill(std::begin(fighter_rows), std::end(fighter_rows), int16_t(-1));
    fighter_rows_built = false;
}

int plr_count_adjacent_fighters(int who, int mode) {
    if (who != -1 || plr_invisible) return 0;
    refresh_fighter_rows();
    int count = 0;
    for (int s = 0; s < CRE_SLOTS; ++s) {
        const int row = fighter_rows[s];
        if (row < 0 || CreSlotRefs[s] == 0) continue;
        const MapObject& o = Data[row];
        if (std::abs(o.x - player_x) > 1 || std::abs(o.y - player_y) > 1) continue;
        const CreatureRecord& r = Cre[s];
        if (r.air_state != 0 || !attacking(r) || r.fight_target != -1) continue;
        if (r.body_state == BODY_FAINTED || r.body_state == BODY_SHOCKED) continue;
        if (mode == 1 && r.body_state != 0) continue;
        ++count;
    }
    return count;
}

bool cre_villager_stops_punishing(int creature) {
    if (!cre_slot_valid(creature)) return false;
    const CreatureRecord& c = Cre[creature];
    if (c.cre_class != CRE_CLASS_HUMAN || !cre_is_society_member(creature)) return false;
    if (c.cre_status == STATUS_FOREIGN_TRADER || cre_is_companion(creature)) return false;
    if (c.map_flags & (STATUS_IN_PARTY | STATUS_OUT_OF_SOCIETY)) return false;
    if (!(c.bfagg & BFAGG_VIOLENCE)) return false;
    VillageRecord* v = member_village(creature);
    if (!v) return false;
    if (v->killing) {
        v->alarm = 0;
        Cre[creature].bfagg = 0;
        return false;
    }
    if (v->banish) {
        v->alarm = 0;
        return false;
    }
    if (!v->alarm) return true;
    debug_message_format("viocheck: %d/%d", v->punishments, v->assaults);
    return v->punishments > 2 * v->assaults;
}

int rally_player_party(int attacker) {
    if (!cre_slot_valid(attacker)) return 0;
    const CreatureRecord& a = Cre[attacker];
    int ax = 0, ay = 0;
    if (!fighter_square(attacker, ax, ay)) return 0;
    const bool law = (a.bfagg & (BFAGG_THIEF | BFAGG_DRIVE_AWAY | BFAGG_VIOLENCE)) != 0;
    refresh_fighter_rows();
    int count = 0;
    for (int s = 0; s < CRE_SLOTS; ++s) {
        if (s == attacker || CreSlotRefs[s] == 0 || fighter_rows[s] < 0) continue;
        CreatureRecord& m = Cre[s];
        const bool companion = cre_is_companion(s) && !(m.party_flags & PARTY_WAITS);
        const bool dog = m.kind == KIND_DOG && (m.cre_status == CRE_STATUS_TIED || m.owner == OWNER_PLAYER);
        if (!companion && !dog) continue;
        if (attacking(m)) {
            ++count;
            continue;
        }
        const MapObject& o = Data[fighter_rows[s]];
        if (!cre_can_see_point_from(s, o.x, o.y, ax, ay) && !is_in_view(ax, ay)) continue;
        if (companion && a.lauma != 0 && a.lauma == m.lauma && cre_is_society_member(attacker)) {
            cre_leave_party(s);
            continue;
        }
        if (law) {
            if (companion && m.move_mode != MODE_ESCAPING) {
                cre_shout(s, "This is not my fight!");
                cre_begin_escape(s, attacker, 1);
            }
            continue;
        }
        cre_begin_attack(s, attacker, 0);
        if (attacking(m)) ++count;
    }
    return count;
}

int cre_close_in(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    int distance = cre_update_target_distance(creature);
    if (distance < 0) return 0;
    int x = 0, y = 0;
    if (!fighter_square(creature, x, y)) return 0;
    // 1. A led animal stays at the player's heels.
    if (c.cre_status == CRE_STATUS_TIED && chebyshev(x, y, player_x, player_y) > 1) {
        cre_pull_led_animal(0, creature);
        return 0;
    }
    // 2. Dogs hold at bay.
    if (c.kind == KIND_DOG && (c.fight_target == -1 || !attacking(Cre[c.fight_target])))
        return dog_closes_in(creature, distance);
    // 3. Next to its target it may strike.
    if (distance == 1) return 1;
    // 4. One driving the player away follows at a distance, and ever more
    // slowly.
    uint8_t& closed = cre_close_in_distance(creature);
    if ((c.bfagg & BFAGG_DRIVE_AWAY) && closed < distance) {
        if (distance < 3) return 0;
        closed = uint8_t(std::min(distance, 255));
        if (distance > 5 && body_draw(4) != 3) return 0;
        if (body_draw(3) != 2) return 0;
    }
    // 5. Towards the target.
    Kulje_Paikkaan(creature, c.target_dx, c.target_dy);
    distance = cre_update_target_distance(creature);
    if (distance >= 0) closed = uint8_t(std::min(distance, 255));
    return 0;
}

int cre_melee_step(int creature, int map_row) {
    if (!cre_slot_valid(creature) || unconscious(creature)) return -1;
    CreatureRecord& c = Cre[creature];
    // 2. Facing the target, within reach of its height.
    if (cre_update_target_distance(creature) < 0) return 0;
    const int target = c.fight_target;
    const int tx = c.target_dx, ty = c.target_dy;
    cre_face_towards(creature, tx, ty);
    if (std::fabs(cre_elevation(creature) - cre_elevation(target)) > 2.0f && !cre_is_bird(creature)) return -1;
    // 3. Next to it.
    const int x = map_index_valid(map_row) ? Data[map_row].x : creature_x(creature);
    const int y = map_index_valid(map_row) ? Data[map_row].y : creature_y(creature);
    if (target == -1 && !is_adjacent_to_player(x, y)) {
        cre_calm_down(creature);
        return 0;
    }
    if (std::abs(tx - x) >= 2 || std::abs(ty - y) >= 2) return 0;
    // 4. The blow.
    if (c.wielded > 0) return cre_resolve_attack(creature, c.wielded, 1, target, 0) ? 1 : 0;
    const int natural = cre_choose_natural_attack(creature);
    if (natural == NO_NATURAL_ATTACK) {
        cre_begin_escape(creature, target, 0);
        return -1;
    }
    return cre_resolve_attack(creature, natural, 0, target, 0) ? 1 : 0;
}

int cre_attack_turn(int creature) {
    if (!cre_slot_valid(creature)) return 0;
    CreatureRecord& c = Cre[creature];
    // 1. A target that is gone ends the fight.
    if (cre_update_target_distance(creature) < 0) {
        cre_calm_down(creature);
        return 0;
    }
    // 2. One it cannot reach, or
    if (c.cre_class != CRE_CLASS_HUMAN && !cre_is_bird(creature) &&
        cre_target_out_of_reach(creature, c.fight_target)) {
        cre_calm_down(creature);
        return 0;
    }
    // 3. a player it cannot see.
    if (c.fight_target == -1 && (plr_invisible || plr_cloaked)) {
        cre_calm_down(creature);
        return 0;
    }
    // 4. The noise of the fight.
    const int row = cre_map_row(creature);
    if (noise_level <= 3 && row >= 0) raise_turn_noise(Data[row].x, Data[row].y, 3);
    // 5.
    cre_drop_task_for_fight(creature);
    // 6. Villagers keep the village's law.
    if (cre_is_society_member(creature) && keep_village_law(creature)) return 0;
    // 7. The attack runs out.
    if (c.attack_state == 0) {
        tell_about(creature, "NPC_CALMS_DOWN");
        cre_calm_down(creature);
        return 0;
    }
    --c.attack_state;
    // 8. The player's people join in; a foe leaves a fainted player be.
    if (c.fight_target == -1) {
        rally_player_party(creature);
        if (Plr.body_state == BODY_FAINTED && cre_hostile_to_player(creature)) return 0;
    }
    // 9.
    if (cre_choose_weapon(creature)) return 0;
    // 10. A shooter aims and shoots at what it sees.
    ObjectRecord launcher;
    if (holds_launcher(c, launcher)) {
        if (cre_can_see_point(creature, c.target_dx, c.target_dy)) {
            const ShotOutcome shot = aim_and_shoot(creature, launcher);
            if (shot != SHOT_NONE) return shot == SHOT_TAKEN ? 1 : 0;
        } else {
            if (!cre_close_in(creature)) return 0;
            return cre_melee_step(creature, cre_map_row(creature)) == 1 ? 1 : 0;
        }
    }
    // 11. Closing in and striking.
    if (!cre_close_in(creature)) return 0;
    return cre_melee_step(creature, cre_map_row(creature)) == 1 ? 1 : 0;
}
