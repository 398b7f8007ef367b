// Hearing, sight of the hidden player, the perception step and the alarm
// between creatures, and how one creature stands to another.
#include "creatures/creature_senses.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "body/creature_fights.h"
#include "body/skills.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "creatures/creature_traits.h"
#include "creatures/creature_turn_index.h"
#include "creatures/movement_commands.h"
#include "creatures/movement_modes.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_queries.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

uint8_t perception_on = 1;
uint8_t player_reactions_on = 1;

namespace {

constexpr int KIND_ERMINE = 612, KIND_DOG = 618;
constexpr int KIND_SNAKE = 622, KIND_WARRIOR = 500, KIND_TRADER = 510;
constexpr int CULTURE_WARRIORS = 11;
constexpr uint8_t STATUS_ROBBER = 20;
constexpr uint8_t MODE_FIGHTS = 2, MODE_FIGHTS_HARD = 99, MODE_ESCAPES = 4;
constexpr uint8_t BODY_SHOCKED = 3, BODY_FAINTED = 4;
constexpr int TASK_GO_TO = 60;
constexpr int ALARM_REACH = 15;
constexpr uint8_t COOLDOWN_STALE = 60;
// Attitude bits toward the player: the last byte of the attitude block (the
// record's `attitude` byte is another value, drawn below 5 for people).
constexpr int ATTITUDE_FLAGS = sizeof(CreatureRecord::attitude_block) - 1;
constexpr uint8_t ATT_HATRED = 0x08, ATT_HOSTILE = 0x02, ATT_WARY = 0x01, ATT_PEACE = 0x04;

CreatureRecord* rec(int c) { return cre_slot_valid(c) && CreSlotRefs[c] ? &Cre[c] : nullptr; }
bool valid(int c) { return c == -1 || rec(c) != nullptr; }

int pos_x(int c) { return c == -1 ? player_x : creature_x(c); }
int pos_y(int c) { return c == -1 ? player_y : creature_y(c); }
int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }
int dist(int a, int b) { return chebyshev(pos_x(a), pos_y(a), pos_x(b), pos_y(b)); }

bool fights(const CreatureRecord& c) { return c.move_mode == MODE_FIGHTS || c.move_mode == MODE_FIGHTS_HARD; }
bool is_animal(int c) { return c != -1 && rec(c) && Cre[c].cre_class != CRE_CLASS_HUMAN && Cre[c].cre_class != CRE_CLASS_SPIRIT; }
bool is_dog(int c) { return rec(c) && Cre[c].kind == KIND_DOG; }
bool domestic(int c) { return c != -1 && cre_is_leashable(0, c); }
bool asleep(int c) { return c == -1 ? Plr.sleeping != 0 : (rec(c) && Cre[c].move_mode == MOVE_MODE_ASLEEP); }
int facing_of(int c) { return c == -1 ? facing : (rec(c) ? Cre[c].Suunta : 0); }

void cre_debug(const char* text) {
    if (debug_logs_on) debug_log("cre", text);
}

// The creature (or the player) sees the other's cell in its facing.
bool sees(int a, int b) {
    if (asleep(a)) return false;
    return is_point_visible_from(pos_x(a), pos_y(a), pos_x(b), pos_y(b), facing_of(a)) != 0;
}

}  // namespace

// ------------------------------------------------------------ small rules

int cre_is_conscious(int c) {
    if (c == -1) return Plr.body_state != BODY_SHOCKED && Plr.body_state != BODY_FAINTED;
    const CreatureRecord* r = rec(c);
    return r && r->body_state != BODY_SHOCKED && r->body_state != BODY_FAINTED ? 1 : 0;
}

int cre_set_alarm_cooldown(int c, int value) {
    if (c == -1) return 1;
    CreatureRecord* r = rec(c);
    if (!r) return 0;
    if (value != 0) {
        r->sound_cooldown = uint8_t(std::clamp(value, 0, 255));
        return value;
    }
    if (r->sound_cooldown > COOLDOWN_STALE) r->sound_cooldown = 0;
    return r->sound_cooldown == 0 ? 1 : 0;
}

void cre_drop_tasks(int c) {
    CreatureRecord* r = rec(c);
    if (!r) return;
    std::memset(r->Puuha, 0, sizeof r->Puuha);
    std::memset(r->task_turns, 0, sizeof r->task_turns);
    std::memset(r->task_state, 0, sizeof r->task_state);
    std::memset(r->task_x, 0, sizeof r->task_x);
    std::memset(r->task_y, 0, sizeof r->task_y);
    std::memset(r->task_target, 0, sizeof r->task_target);
}

void cre_go_towards(int c, int x, int y, int turns) {
    task_target_point = {std::clamp(x, 74, 389), std::clamp(y, 74, 389)};
    push_task(c, TASK_GO_TO, turns);
}

int cre_tell(int c, const char* key, const char* sound) {
    msg_npc = c;
    if (sound) copy_text(message_argument, sizeof message_argument, sound);
    const char* text = message_by_key(key);
    char seen[CATALOGUE_TEXT_BYTES];
    copy_text(seen, sizeof seen, text);
    return cre_action_message(c, seen, "");
}

// The turn's loudest noise.
void raise_turn_noise(int x, int y, int level) {
    if (noise_level >= level) return;
    noise_level = uint8_t(std::clamp(level, 0, 255));
    noise_x = x;
    noise_y = y;
}

// ------------------------------------------------------------ hearing

int cre_can_hear(int c) {
    if (!perception_on) return 0;
    const CreatureRecord* r = rec(c);
    if (!r) return 0;
    return fights(*r) || r->move_mode == MODE_ESCAPES ? 0 : 1;
}

int cre_hears(int listener, int x, int y, int noise) {
    if (!perception_on || noise <= 0) return 0;
    const CreatureRecord* r = listener == -1 ? nullptr : rec(listener);
    if (listener != -1 && !r) return 0;
    const int hearing = r ? r->attr_hrg : Plr.hrg;
    const int d = chebyshev(pos_x(listener), pos_y(listener), x, y);
    if (d > hearing * noise) return 0;
    if (roll_check(d, hearing * (noise + 1)) < 2) return 0;
    if (r) {
        if (noise >= 2) cre_wake_up(listener);
        cre_face_towards(listener, x, y);
        if (debug_logs_on) {
            char line[160];
            format_text(line, sizeof line, "kuulohavainto - npc %d, kuulee %d,%d paikassa %d-metelin", listener, x, y,
                        noise);
            cre_debug(line);
        }
    }
    return 1;
}

int cre_notices_hideout(int c, int) {
    const CreatureRecord* r = rec(c);
    if (!r) return 0;
    const int d = chebyshev(creature_x(c), creature_y(c), player_x, player_y);
    int trees = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (terrain_flags_of(terrain_at(player_x + dx, player_y + dy)) & TF_YOUNG_TREE) ++trees;
    const int cover = d / 2 + trees;
    hiding_just_started = 1;
    bool noticed = cover == 0 || d < 2 || roll_check(cover * 10, r->attr_hrg * 5) >= 2;
    if (!noticed) {
        cre_debug("Turvass!");
        return 0;
    }
    if (Plr.hiding && is_in_view(creature_x(c), creature_y(c))) {
        char line[200];
        format_text(line, sizeof line, "!%s seems to notice your hideout!", creature_name(c, 2));
        show_message(line);
        show_message(message_by_key("HIDING_STOP"));
        Plr.hiding = 0;
    }
    return 1;
}

// ------------------------------------------------------------ relations

int cre_are_allies(int a, int b) {
    if (!valid(a) || !valid(b) || a == b) return a == b && valid(a) ? 1 : 0;
    for (int turn = 0; turn < 2; ++turn) {
        const int x = turn ? b : a, y = turn ? a : b;
        if (is_dog(x)) {
            if (y != -1 ? cre_belongs_to(x, y) : cre_is_own_animal(x)) return 1;
            if (y != -1 && (Cre[x].cre_bits & CRE_BITS_OWNED) && cre_is_society_member(y) &&
                uint32_t(Cre[y].lauma) == uint32_t(Cre[x].owner))
                return 1;
        }
    }
    if (cre_is_companion(a) || cre_is_companion(b) || cre_is_own_animal(a) || cre_is_own_animal(b)) return 0;
    if (a == -1 || b == -1) return 0;
    const CreatureRecord &ra = Cre[a], &rb = Cre[b];
    if (ra.kind == KIND_WARRIOR && rb.kind == KIND_WARRIOR) return 1;
    if (ra.lauma != 0 && ra.lauma == rb.lauma) return 1;
    const bool ha = cre_is_human(a), hb = cre_is_human(b);
    if (ha && hb) {
        if ((ra.cre_status == STATUS_ROBBER) != (rb.cre_status == STATUS_ROBBER)) return 0;
        if (ra.home_culture == rb.home_culture) return 1;
    }
    if (ra.kind == KIND_TRADER && rb.kind == KIND_TRADER) return 1;
    if (!ha && !hb && ra.kind == rb.kind && ra.kind >= 609 && ra.kind <= 623 && ra.kind != KIND_ERMINE &&
        ra.kind != KIND_DOG && ra.kind != KIND_SNAKE)
        return 1;
    if (ha && hb && is_world_site_at(plr_world_x(), plr_world_y(), 1) && ra.home_culture != CULTURE_WARRIORS &&
        rb.home_culture != CULTURE_WARRIORS)
        return 1;
    return 0;
}

int cre_relation_human(int a, int b) {
    if (cre_are_allies(a, b)) return 0;
    if (a != -1 && b != -1 && rec(b) && fights(Cre[b]) && Cre[b].fight_target == a) {
        cre_morale_check(b, a, 0);
        return 0;
    }
    if (a == -1 || cre_is_companion(a)) return 0;
    const CreatureRecord& ra = Cre[a];
    const bool b_robber = b != -1 && rec(b) && Cre[b].cre_status == STATUS_ROBBER;
    if (b_robber && ra.cre_status != STATUS_ROBBER) return 4;
    const uint8_t att = b == -1 ? ra.attitude_block[ATTITUDE_FLAGS] : 0;
    if (debug_logs_on && b == -1) {
        char line[80];
        format_text(line, sizeof line, "cre #%d vs plr: %d", a, int(att));
        cre_debug(line);
    }
    if (att & ATT_HATRED) return 1;
    if (att & ATT_HOSTILE) return 3;
    if (att & ATT_WARY) return 2;
    if (att & ATT_PEACE) return 0;
    return ra.home_culture == CULTURE_WARRIORS ? 1 : 0;
}

int cre_relation_animal(int a, int b) {
    if (a == -1 || !rec(a)) return 0;
    if (is_dog(a) && !domestic(b) && (cre_is_predator(b) || (b != -1 && rec(b) && Cre[b].cre_status == STATUS_ROBBER)))
        return 4;
    if (is_animal(a) && !domestic(a) && cre_is_human(b)) return 1;
    if (cre_is_spirit(a) || (b != -1 && cre_is_spirit(b))) return 0;
    if (cre_preys_on(a, b)) return 3;
    if (cre_preys_on(b, a)) return 2;
    if (b != -1 && rec(b) && fights(Cre[b]) && Cre[b].fight_target == a) return 2;
    return 0;
}

int cre_preys_on(int hunter, int prey) {
    if (hunter == -1 || prey == -1 || !rec(hunter) || !rec(prey)) return 0;
    if (cre_is_human(hunter) || cre_is_human(prey)) return 0;
    // Which of the hunter's two masks the prey matches (0 none).
    return cre_prey_match(hunter, prey) != 0 ? 1 : 0;
}

int cre_is_culture_foe(int a, int b) {
    if (!cre_is_human(a) || !rec(b) || cre_is_human(b) || cre_is_own_animal(b)) return 0;
    const int culture = a == -1 ? Plr.culture : Cre[a].home_culture;
    const uint32_t bit = 1u << (culture % 32);
    return (Cre[b].culture_mask1 & bit) || (Cre[b].culture_mask2 & bit) ? 1 : 0;
}

// ------------------------------------------------------------ perception

// An animal kept by somebody else: not led, with an owner that is not the
// player (a village keeps its animals under its id).
int cre_is_kept_animal(int c) {
    const CreatureRecord* r = rec(c);
    if (!r || !is_animal(c) || r->cre_status == CRE_STATUS_TIED) return 0;
    return r->owner != 0 && r->owner != OWNER_PLAYER ? 1 : 0;
}

int cre_is_aquatic(int c) {
    const CreatureRecord* r = rec(c);
    if (!r) return 0;
    return r->kind == 701 || r->mobility == 96 || r->mobility == 128 ? 1 : 0;
}

void cre_make_foe(int c) {
    CreatureRecord* r = rec(c);
    if (!r) return;
    if (r->foe_count < 255) ++r->foe_count;
    r->attitude2 = 0;
}

// A person stands up to the player on the same roll of its aggressiveness
// that decides whether it fights back or runs when struck (a draw below 100
// that, plus one, stays under hyokkaavyys): a meek soul never does.
int cre_threat_test(int c) {
    const CreatureRecord* r = rec(c);
    if (!r || !cre_can_notice(c)) return 0;
    return 1 + random_below(100) < int(r->hyokkaavyys) ? 1 : 0;
}

// Mode 1 an ordinary provocation, 2 a grave one (its urge counts double).
int cre_would_attack(int c, int mode) {
    const CreatureRecord* r = rec(c);
    if (!r || !cre_can_notice(c)) return 0;
    const int urge = int(r->attack_threshold) * (mode == 2 ? 2 : 1);
    return 1 + random_below(100) <= urge ? 1 : 0;
}

int cre_can_notice(int c) {
    const CreatureRecord* r = rec(c);
    return r && cre_is_conscious(c) && r->move_mode != MOVE_MODE_ASLEEP ? 1 : 0;
}

int cre_notices_player(int c) {
    const CreatureRecord* r = rec(c);
    return r && (r->alert || r->alarm_value) ? 1 : 0;
}

void cre_sense_step(int c, int strength) {
    if (!rec(c)) return;
    if (cre_hears(c, noise_x, noise_y, strength)) cre_react(c, -1);
}

namespace {

constexpr int KIND_DOG_BARK_BASE = 5;

// A village dog barks at the player unless the village knows the player
// well; 1 when it barked or reacted.
bool dog_barks(int c) {
    CreatureRecord& r = Cre[c];
    const VillageLookup v = village_at(plr_world_x(), plr_world_y());
    if (v.not_found || v.id <= 0) return false;
    set_current_village(v.id);
    const int meets = load_village(v.id).meets;
    if (meets >= KIND_DOG_BARK_BASE + random_below(5) || Plr.sleeping) return false;
    if (!cre_set_alarm_cooldown(c, 0)) {
        cre_react(c, -1);
        return true;
    }
    cre_tell(c, "SOUND_NORMAL", cre_sound(c));
    raise_turn_noise(creature_x(c), creature_y(c), 3);
    r.sound_cooldown = uint8_t(30 + random_below(20));
    cre_drop_tasks(c);
    cre_go_towards(c, player_x, player_y, 10);
    return true;
}

}  // namespace

void cre_perceive(int c, int) {
    if (!perception_on) return;
    CreatureRecord* r = rec(c);
    if (!r) return;
    if (cre_is_companion(c) || cre_is_own_animal(c)) {
        r->alert = 0;
        r->alarm_value = 0;
        return;
    }
    if (cre_update_target(c)) return;
    if (domestic(c) && !(is_dog(c) && cre_is_kept_animal(c))) return;

    // Sight, then hearing.
    r->alert = 0;
    r->alarm_value = 0;
    if (r->move_mode != MOVE_MODE_ASLEEP) {
        r->alert = sees(c, -1) ? 1 : 0;
        if (r->alert && Plr.hiding && !cre_notices_hideout(c, 0)) r->alert = 0;
    }
    if (!r->alert && cre_can_hear(c)) {
        r->alarm_value = uint8_t(cre_hears(c, player_x, player_y, plr_noise));
        if (r->alarm_value) {
            const int task = r->Puuha[0];
            if (task != 65 && task != 69 && task != 151 && task != 200) {
                cre_drop_tasks(c);
                push_task(c, TASK_WAIT, 2);
            }
        }
    }
    if (!r->alert && !r->alarm_value) return;
    cre_wake_up(c);

    if (!cre_can_hear(c)) return;
    if (is_dog(c) && cre_is_kept_animal(c) && dog_barks(c)) return;
    cre_react(c, -1);
}

// ------------------------------------------------------------ the alarm

int cre_alarm_pair(int a, int b) {
    if (!rec(a) || !valid(b) || a == b) return 0;
    const bool human_rule = cre_is_human(a) && cre_is_human(b);
    // Beyond the reach only a fight aimed at a keeps its morale check.
    if (dist(a, b) > ALARM_REACH) {
        if (human_rule && b != -1 && fights(Cre[b]) && Cre[b].fight_target == a) cre_morale_check(b, a, 0);
        return 0;
    }
    const int relation = human_rule ? cre_relation_human(a, b) : cre_relation_animal(a, b);
    if (relation == 0) return 0;
    CreatureRecord& ra = Cre[a];
    bool saw = false;
    if (ra.move_mode == MOVE_MODE_ASLEEP) {
        if (!human_rule) cre_wake_up(a);
    } else {
        saw = sees(a, b);
    }
    if (b == -1) ra.alert = saw ? 1 : 0;
    if (!saw) return 0;
    if (relation == 4) {
        if (!cre_set_alarm_cooldown(a, 0)) return 1;
        const char* sound = cre_aggression_sound(a);
        cre_tell(a, "SOUND_ALARM", sound);
        raise_turn_noise(creature_x(a), creature_y(a), 3);
        ra.sound_cooldown = uint8_t(5 + random_below(5));
        cre_drop_tasks(a);
        cre_go_towards(a, pos_x(b), pos_y(b), 5);
        return 1;
    }
    if ((human_rule || relation == 1 || relation == 2) && cre_can_hear(a)) cre_react(a, b);
    return 1;
}

int cre_alarm_check(int c) {
    const CreatureRecord* r = rec(c);
    if (!perception_on || !r || fights(*r) || r->move_mode == MODE_ESCAPES || is_world_map()) return 0;
    if (cre_alarm_pair(c, -1)) return 1;
    const int ax = creature_x(c), ay = creature_y(c);
    const bool human = cre_is_human(c) != 0;
    for (int i : creature_rows()) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE) continue;
        const int other = map_object_creature(i);
        if (other == c || !rec(other)) continue;
        if (chebyshev(ax, ay, o.x, o.y) > ALARM_REACH) {
            // Out of reach no relation is weighed; only a fighter set on
            // this creature keeps its morale check.
            if (human && fights(Cre[other]) && Cre[other].fight_target == c && cre_is_human(other))
                cre_morale_check(other, c, 0);
            continue;
        }
        if (cre_alarm_pair(c, other)) return 1;
    }
    return 0;
}

void reset_creature_senses() {
    perception_on = 1;
    player_reactions_on = 1;
}
