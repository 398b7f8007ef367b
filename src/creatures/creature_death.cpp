// A creature dies on the local map: the player's kills are logged, the
// spirits', the village's and the game course's accounts are settled, what
// it carried falls, its map record becomes a carcass, and its companions
// go to the body.
#include "creatures/creature_death.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "body/wound_checks.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_party.h"
#include "creatures/creature_senses.h"
#include "creatures/creature_society.h"
#include "creatures/creature_species.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "game/save_set.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "objects/ownership.h"
#include "society/game_course.h"
#include "society/society_services.h"
#include "society/villages.h"
#include "ui/catalogue.h"

namespace {

constexpr int KIND_BEAR = 605, KIND_DOG = 618;
constexpr int32_t KILLER_PLAYER = -1, KILLER_PLAYER_OTHERWISE = -105;
constexpr int CULTURE_WARRIORS = 11;
constexpr uint8_t BODY_SHOCKED = 3, BODY_FAINTED = 4;
constexpr uint8_t WOLF_FED = 0x01, WOLF_MARKED = 0x02;
constexpr int32_t DEED_BEAR_KILLED = 0x08;
constexpr uint8_t STATUS_BITS_PARTY = 0x02;
constexpr uint8_t MOVE_MODE_TO_PARTY = 6;
constexpr int TASK_TO_BODY = 50;
constexpr int COURSE_WARRIOR_KILLED = 32, COURSE_ANIMAL_KILLED = 12, COURSE_BEAR_KILLED = 31;
constexpr uint8_t CLASS_BEAR_BODY = 4;
constexpr uint8_t LEASH_SUBCLASS = 9;
constexpr size_t KILL_LOG_MOST_RECORDS = 200000;

std::vector<CreatureRecord> pending_kills;

bool killed_by_player(const CreatureRecord& c) {
    return c.killer == KILLER_PLAYER || c.killer == KILLER_PLAYER_OTHERWISE;
}

bool killed_by_players_side(const CreatureRecord& c) {
    if (killed_by_player(c)) return true;
    const int k = c.killer;
    return cre_slot_valid(k) && CreSlotRefs[k] && (cre_is_companion(k) || cre_is_own_animal(k));
}

// A count toward the game course's task: at its target the task is done.
void course_count(int task) {
    if (Plr.course_task == task) report_game_course_event(task);
}

// Any other Rororad warrior still living on the map.
bool last_warrior_on_map(int dead) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CREATURE) continue;
        const int k = map_object_creature(i);
        if (k != dead && cre_slot_valid(k) && Cre[k].cre_class == CRE_CLASS_HUMAN &&
            Cre[k].home_culture == CULTURE_WARRIORS && Cre[k].move_mode != MOVE_MODE_DEAD)
            return false;
    }
    return true;
}

// The leashes in the player's hands that lead the dead animal go slack.
void untie_leashes(int c) {
    const uint16_t sotu = uint16_t(Cre[c].sotu);
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (Plr.plr_inv_count[s] <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (r.item_class != ITEM_TOOL || r.subclass != LEASH_SUBCLASS || uint16_t(r.link) != sotu) continue;
        r.link = 0;
        obj_write_record(id, r);
        cre_tell(c, "PET_UNLEASHED");
    }
}

// A sprung trap under the body is set again; a trap of one item becomes
// that item.
void reset_trap_at(int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_TRAP || o.x != x || o.y != y || o.state != TRAP_SPRUNG_WITH_CATCH) continue;
        if (o.subkind & TRAP_SINGLE_ITEM) {
            o.TYPE = MK_ITEM;
            o.amount = 1;
        } else {
            o.state = TRAP_SET;
        }
        return;
    }
}

// The creature bound to the dead one goes to its body.
void call_bonded_to_body(int dead, int x, int y) {
    const uint16_t sotu = uint16_t(Cre[dead].sotu);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (o.TYPE != MK_CREATURE) continue;
        const int k = map_object_creature(i);
        if (k == dead || !cre_slot_valid(k) || !CreSlotRefs[k]) continue;
        CreatureRecord& b = Cre[k];
        if (uint16_t(b.target_ref) != sotu) continue;
        const bool players_dog = b.kind == KIND_DOG && cre_is_own_animal(k);
        const bool party_human = b.cre_class == CRE_CLASS_HUMAN && (b.party_flags & PARTY_MEMBER);
        const bool joining = b.cre_class == CRE_CLASS_HUMAN && b.move_mode == MOVE_MODE_TO_PARTY;
        if (!players_dog && !party_human && !joining) continue;
        if (party_human) b.map_flags |= STATUS_BITS_PARTY;
        if (joining) {
            b.party_flags |= PARTY_MEMBER;
            b.move_mode = 0;
        }
        task_target_point = {x, y};
        push_task(k, TASK_TO_BODY, 100);
        cre_set_alarm_cooldown(k, 2);
        return;
    }
}

}  // namespace

void cre_die(int c, int show) {
    if (!cre_slot_valid(c) || !CreSlotRefs[c]) return;
    CreatureRecord& r = Cre[c];
    if (r.move_mode == MOVE_MODE_DEAD) return;
    const int row = cre_datapos(c);

    // 1. The wolf that took bread from the player's hand.
    if (cre_is_marked_wolf(c)) Plr.plr_wolf_quest = uint8_t((Plr.plr_wolf_quest | WOLF_FED) & ~WOLF_MARKED);

    // 2. A diver may sink out of reach; a spirit always fades.
    if ((r.air_state == -100 && random_below(2) == 0) || r.cre_class == CRE_CLASS_SPIRIT) {
        Poista_Olento(c);
        return;
    }
    // 3. The player's kills are logged.
    if (killed_by_player(r)) pending_kills.push_back(r);

    // 4. A bear.
    if (r.kind == KIND_BEAR) {
        if (killed_by_player(r)) spirit_mood_add(player_x, player_y, 702, -15);
        if (killed_by_players_side(r)) {
            Plr.plr_deed_flags |= DEED_BEAR_KILLED;
            Plr.bear_kill_day = uint16_t(Plr.days_played);
        }
    }
    // 5. A villager: its village counts the killing and the word spreads.
    if (cre_is_society_member(c)) {
        const int32_t village = r.lauma;
        if (killed_by_player(r)) {
            set_current_village(village);
            if (CurVillage.killing < 255) ++CurVillage.killing;
            CurVillage.pending_murder_news = 1;
        }
        if (debug_logs_on) {
            char line[80];
            format_text(line, sizeof line, "socpopul before %d", village_population(village));
            debug_log("cre", line);
        }
        remove_village_member(village, c);
        if (debug_logs_on) {
            char line[80];
            format_text(line, sizeof line, "socpopul after %d", village_population(village));
            debug_log("cre", line);
        }
    }
    // 6. The game course.
    last_creature = c;
    if (r.cre_class == CRE_CLASS_HUMAN && r.home_culture == CULTURE_WARRIORS && last_warrior_on_map(c))
        course_count(COURSE_WARRIOR_KILLED);
    if (r.cre_class != CRE_CLASS_HUMAN && killed_by_player(r)) {
        course_count(COURSE_ANIMAL_KILLED);
        const int cost = std::clamp(int(std::ceil(r.weight / 30.0f)), 1, 5);
        spirit_mood_add(player_x, player_y, 702, -cost);
    }
    if (r.kind == KIND_BEAR || r.cre_class == CLASS_BEAR_BODY) course_count(COURSE_BEAR_KILLED);

    // 7. The death told.
    if (show && r.air_state != -100) {
        const bool out = r.body_state == BODY_SHOCKED || r.body_state == BODY_FAINTED;
        cre_tell(c, out ? "NPC_DEATH_PEACEFUL" : "NPC_DEATH");
    }
    // 8. Its gear is nobody's now; the hands let go.
    cre_mark_companion_gear(c, 0);
    cre_fumble_drop(c, 0);
    // 9. What it carried and wore falls where it lies.
    for (int s = 0; s < 20; ++s) {
        if (obj_id_is_valid(r.inv_id[s]) && r.inv_count[s] > 0)
            create_item_at_creature(c, r.inv_id[s], r.inv_count[s]);
        r.inv_id[s] = 0;
        r.inv_count[s] = 0;
        r.inv_state[s] = 0;
    }
    for (int s = 0; s < 7; ++s) {
        if (obj_id_is_valid(r.worn[s])) create_item_at_creature(c, r.worn[s], 1);
        r.worn[s] = 0;
    }
    // 10. The area remembers certain game.
    cre_record_death_event(c);

    // 11. The body.
    const int last_x = r.Viimeisin_X, last_y = r.Viimeisin_Y;
    const int body_x = row >= 0 ? Data[row].x : last_x, body_y = row >= 0 ? Data[row].y : last_y;
    r.day_mark = Plr.days_played;
    r.move_mode = MOVE_MODE_DEAD;
    r.air_state = 0;
    r.Viimeisin_X = 0;
    r.Viimeisin_Y = 0;
    r.fatigue = r.weight;

    // 12. A leash goes slack.
    if (r.cre_status == CRE_STATUS_TIED) untie_leashes(c);

    // 13. The map record becomes a carcass, on top of the others.
    if (row >= 0) {
        Data[row].TYPE = MK_CARCASS;
        Data[row].day_stamp = int16_t(Plr.days_played);
        move_map_object_to_top(row);
        compact_map_objects();
        if (!creature_no_redraw && is_in_view(body_x, body_y)) rebuild_view();
    }
    // 14. A sprung trap under it is set again.
    reset_trap_at(body_x, body_y);
    // 15. The one bound to it comes to the body.
    call_bonded_to_body(c, body_x, body_y);
}

// ------------------------------------------------------------ the kill log

size_t pending_kill_count() { return pending_kills.size(); }

bool save_kill_log() {
    if (pending_kills.empty()) return true;
    std::vector<uint8_t> bytes;
    const FileVerdict v = read_character_file(KILL_LOG_FILE, bytes, KILL_LOG_MOST_RECORDS * sizeof(CreatureRecord));
    if (v != FileVerdict::Good && v != FileVerdict::Unlisted) bytes.clear();
    // Only whole records are kept: a torn tail is dropped.
    bytes.resize(bytes.size() / sizeof(CreatureRecord) * sizeof(CreatureRecord));
    const size_t at = bytes.size();
    bytes.resize(at + pending_kills.size() * sizeof(CreatureRecord));
    std::memcpy(bytes.data() + at, pending_kills.data(), pending_kills.size() * sizeof(CreatureRecord));
    if (!write_character_file(KILL_LOG_FILE, bytes.data(), bytes.size())) return false;
    pending_kills.clear();
    return true;
}

void reset_creature_death_state() { pending_kills.clear(); pending_kills.shrink_to_fit(); }
