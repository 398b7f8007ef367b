// One creature's turn on the local map: is it still alive and able to act
// (cold, traps, bleeding, unconsciousness, drowning, breaking ice), what it
// perceives and how it reacts, and then its activity or the behaviour of
// its kind.
#include <algorithm>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "body/bleeding.h"
#include "body/body_condition.h"
#include "body/creature_fights.h"
#include "body/exertion.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_senses.h"
#include "creatures/creature_services.h"
#include "creatures/creature_traits.h"
#include "creatures/creature_turn_index.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/society_services.h"

// A line of the "cre" debug channel, formatted.
#define CRE_DEBUGF(...)                                      \
    do {                                                     \
        if (debug_logs_on) {                                 \
            char cre_line_[160];                             \
            format_text(cre_line_, sizeof cre_line_, __VA_ARGS__); \
            debug_log("cre", cre_line_);                     \
        }                                                    \
    } while (0)

namespace {

constexpr uint8_t BODY_FALLEN = 1, BODY_SHOCKED = 3, BODY_FAINTED = 4;
constexpr uint8_t MODE_FIGHTS = 2, MODE_BUSY = 3, MODE_ESCAPES = 4, MODE_ESCAPES_5 = 5, MODE_ESCAPES_7 = 7;
constexpr uint8_t MODE_FIGHTS_HARD = 99;
constexpr int32_t TRAP_DEATH_HUMAN = 7200;   // five days
constexpr int32_t TRAP_DEATH_ANIMAL = 4320;  // three days beyond its reserve
constexpr uint8_t STATUS_BITS_ICE_SCARE = 0x08;
constexpr int DROWN_AFTER = 10;

void cre_debug(const char* text) {
    if (debug_logs_on) debug_log("cre", text);
}

// The ice scare of one creature: its tasks go, it remembers the month.
void scare_off_ice(int c) {
    if (cre_is_own_animal(c)) return;
    cre_drop_tasks(c);
    Cre[c].map_flags |= STATUS_BITS_ICE_SCARE;
    if (!cre_is_companion(c)) Cre[c].move_value = Plr.month;
}

// The count of turns spent unconscious, as the shock recovery keeps it.
uint8_t& unconscious_turns(CreatureRecord& c) { return c.turn_value; }

}  // namespace

void cre_behaviour_turn(int map_index) {
    const int slot = map_object_creature(map_index);
    if (!cre_slot_valid(slot)) return;
    CreScratch = Cre[slot];
    if (Cre[slot].body_state == BODY_FALLEN || Cre[slot].body_state == BODY_FAINTED) return;
    if (Cre[slot].cre_class == CRE_CLASS_HUMAN) Ela_Ihminen(map_index);
    else if (Cre[slot].cre_class == CRE_CLASS_SPIRIT) spirit_creature_turn(map_index);
    else Ela_Elain(map_index);
}

int cre_check_ice_under(int x, int y, int c) {
    if (!cre_slot_valid(c) || is_world_map()) return 0;
    const CreatureRecord& r = Cre[c];
    if (r.air_state == AIR_ALOFT || r.air_state == AIR_UNDER_WATER) return 0;
    // Only water freezes: dry ground needs no look at the ice.
    if (!(terrain_flags_of(terrain_at(x, y)) & TF_WATER)) return 0;
    if (ice_holding_at(x, y) == 0 || check_ice_breaks(x, y, 0, 0) != 1) return 0;
    cre_tell(c, "ICE_BREAKS");
    do_break_ice(x, y);
    scare_off_ice(c);
    if (r.lauma != 0) {
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == MK_UNUSED) break;
            if (o.TYPE != MK_CREATURE) continue;
            const int k = map_object_creature(i);
            if (k != c && cre_slot_valid(k) && Cre[k].lauma == r.lauma) scare_off_ice(k);
        }
    }
    return 1;
}

int ActIt(int c) {
    if (!cre_slot_valid(c)) return 0;
    CreatureRecord& r = Cre[c];
    CRE_DEBUGF("ActIt (%d)", c);
    const int row = cre_datapos(c);
    if (row < 0) return 0;
    // A fighter or a runner may snatch up a weapon lying at its feet.
    if ((r.move_mode == MODE_FIGHTS || r.move_mode == MODE_ESCAPES || r.move_mode == MODE_FIGHTS_HARD) &&
        random_below(3) == 0) {
        const int x = Data[row].x, y = Data[row].y;
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
            const MapObject& o = Data[i];
            if (o.TYPE == MK_UNUSED) break;
            if (o.TYPE != MK_ITEM || o.x != x || o.y != y || !obj_id_is_valid(o.DATA)) continue;
            ObjectRecord item;
            obj_record(o.DATA, item);
            if (item.item_class != ITEM_WEAPON) continue;
            if (cre_pick_up_map_item(c, i, 1)) return 1;
            break;
        }
    }
    switch (r.move_mode) {
    case MODE_FIGHTS:
    case MODE_FIGHTS_HARD:
        return cre_attack_turn(c);
    case MODE_BUSY:
        cre_behaviour_turn(row);
        return 0;
    case MODE_ESCAPES:
    case MODE_ESCAPES_5:
    case MODE_ESCAPES_7:
        CRE_DEBUGF("Activity based Esc Cre[%d]", c);
        return Pakene(c);
    default:
        r.move_mode = 0;
        return 0;
    }
}

void CreatureAct(int map_index) {
    if (!map_index_valid(map_index) || Data[map_index].TYPE != MK_CREATURE) return;
    turn_index_note_act(map_index);
    const int c = map_object_creature(map_index);
    if (!cre_slot_valid(c) || !CreSlotRefs[c]) return;
    CreatureRecord& r = Cre[c];
    const int x = Data[map_index].x, y = Data[map_index].y;
    CRE_DEBUGF("CreatureAct (%d)", map_index);
    CRE_DEBUGF("cx,cy; %d,%d Cr:%d", x, y, c);

    // 1. Where it stood.
    if (r.Viimeisin_X == x && r.Viimeisin_Y == y) {
        r.korkeus = 1;
    } else {
        r.Viimeisin_X = x;
        r.Viimeisin_Y = y;
        r.korkeus = 0;
    }
    last_creature = c;

    // 2. The holder of the tactical advantage acts alone.
    if (tactical_advantage != ADVANTAGE_NOBODY) {
        if (tactical_advantage != c) return;
        tactical_advantage = ADVANTAGE_NOBODY;
    }

    // 3. The body's own time.
    r.LastActionBit = 0;
    cre_update_fatigue(c, 6);
    if (Plr.total_minutes != r.turn_stamp) {
        cre_spend_energy(c, 1);
        r.turn_stamp = Plr.total_minutes;
    }
    r.exertion = 1;
    cre_update_body_state(c);

    // 4. Nobody stays under the player's feet.
    if (x == player_x && y == player_y) {
        cre_debug("Esc under PLR");
        Pakene(c);
        return;
    }

    // 5. Breaking ice.
    if (cre_check_ice_under(x, y, c)) return;

    CRE_DEBUGF("vammatarkistukset ja toimenpiteet alkaa - Cr:%d cx,cy:%d,%d", c, x, y);
    // 6. Cold.
    if (r.body_temp > 0.0f && r.body_temp < 30.0f) {
        cre_tell(c, "NPC_DEATH_DROWN");
        cre_die(c, 0);
        return;
    }
    // 7. Caught in a trap.
    if (r.trapped_at != 0) {
        const int32_t t = std::abs(Plr.total_minutes - r.trapped_at);
        if (cre_is_human(c)) {
            if (t >= TRAP_DEATH_HUMAN) {
                cre_die(c, 1);
                return;
            }
        } else if (t >= int32_t(r.energy) + TRAP_DEATH_ANIMAL) {
            cre_die(c, 1);
            spirit_mood_add(x, y, 702, -10);
            return;
        }
    }
    // 8. Blood loss; spirits never bleed to death.
    if (r.injury > 0) {
        cre_debug("cre vammojen tarkitus");
        const int loss = (r.injury / 10) * 100 / std::max(1, int(r.attr_end));
        if (loss >= 100 && r.cre_class != CRE_CLASS_SPIRIT) {
            cre_die(c, 1);
            return;
        }
        if (cre_bleed(c, x, y, 0)) return;
        if (Data[map_index].TYPE != MK_CREATURE) return;
    }
    // 9. Shock and unconsciousness; the unconscious drown in open water.
    if (r.body_state == BODY_SHOCKED) r.body_state = BODY_FAINTED;
    if (r.body_state == BODY_FAINTED) {
        cre_debug("CombatProfile==Unconscious checks");
        if (!cre_is_aquatic(c) && is_open_water_at(x, y) &&
            unconscious_turns(r) > DROWN_AFTER + random_below(10)) {
            cre_tell(c, "NPC_DEATH_DROWN");
            cre_die(c, 0);
            return;
        }
        cre_shock_recovery(c);
        return;
    }
    // 10. Getting up.
    if (r.body_state == BODY_FALLEN && r.move_mode != MOVE_MODE_ASLEEP && cre_try_rise(c)) return;

    // 11. Perception and reaction.
    cre_debug("Reagoi ja havaitse ->");
    cre_alarm_check(c);
    if (Data[map_index].TYPE != MK_CREATURE) return;
    cre_perceive(c, map_index);
    cre_debug("<- Reagoi ja havaitse, completed");
    if (Data[map_index].TYPE != MK_CREATURE) return;

    // 12. Spirits.
    if (r.cre_class == CRE_CLASS_SPIRIT) {
        spirit_creature_turn(map_index);
        return;
    }
    // 13. Its activity, or the behaviour of its kind.
    if (r.move_mode != 0 && r.move_mode != MOVE_MODE_ASLEEP) {
        CRE_DEBUGF("call ActIt(%d)", c);
        ActIt(c);
        cre_debug("CreatureAct completed after ActIt return");
    } else {
        cre_debug("EasyGoing check ->");
        cre_behaviour_turn(map_index);
        cre_debug("<- EasyGoing check");
        cre_debug("CreatureAct completed with EasyGoing");
    }
}
