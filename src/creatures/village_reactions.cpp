#include "creatures/village_reactions.h"

#include <algorithm>
#include <cstdlib>

#include "base/debug_log.h"
#include "base/platform.h"
#include "body/creature_fights.h"
#include "console/console.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_society.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "creatures/movement_modes.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/map_object_table.h"
#include "objects/ownership.h"
#include "society/society_services.h"
#include "society/standing.h"
#include "society/village_debts.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t MAX_COUNT = 255;
constexpr int NO_ONE = -1000;
constexpr uint32_t WARN_COLLECTING = 0x4000;  // warn_flags: a debt collection runs
constexpr uint32_t WARN_WELCOME = 0x400;
constexpr int COLLECTION_MINUTES = 10;
constexpr uint8_t VISITOR = 5;
constexpr uint8_t GUARD = 15;
constexpr uint8_t MAP_AWAY_FROM_VILLAGE = 0x2, MAP_NOT_REACTING = 0x4;
constexpr uint8_t BFAGG_ALERT = 0x1, BFAGG_CHASING = 0x2, BFAGG_ATTACKING = 0x4;
constexpr int TALK_TOLD_OFF = 8;

int chebyshev(int ax, int ay, int bx, int by) { return std::max(std::abs(ax - bx), std::abs(ay - by)); }

bool catch_up_running() { return creature_catch_up != 0; }

int village_of(int villager) { return cre_slot_valid(villager) ? Cre[villager].lauma : 0; }

// Turns the player to the villager and opens a talk: the speaker, the
// notice and the pause first.
void face_and_talk_notice(int villager) {
    plr_facing_toward(creature_x(villager), creature_y(villager));
    rebuild_view();
    msg_npc = villager;
    show_message(message_by_key("NPC_TALKS"));
    pause_prompt();
}

void turn_alert(int villager) {
    if (!cre_is_aggressive(villager)) return;
    CreatureRecord& c = Cre[villager];
    c.bfagg = uint8_t((c.bfagg | BFAGG_ALERT) & ~(BFAGG_CHASING | BFAGG_ATTACKING));
}

bool stands_up(int villager, int mode) { return cre_would_attack(villager, mode) || cre_threat_test(villager); }

int step_towards_player(int villager) { return askel_kohti_paikkaa(player_x, villager, player_y); }

}  // namespace

void village_mark_theft(int village) {
    if (village < 1) return;
    set_current_village(village);
    VillageRecord& v = CurVillage;
    v.incident_flag = 1;
    v.incident_day = int16_t(Plr.days_played);
    v.incident_minute = Plr.total_minutes;
    if (!v.theft_mark) {
        v.thefts = uint8_t(std::min<int>(MAX_COUNT, v.thefts + v.offence_level));
        v.theft_mark = 1;
        v.theft_day = uint16_t(Plr.days_played);
    }
    v.state_flags &= ~WARN_COLLECTING;
    v.collection_level = 0;
    v.perinta = 0;
    v.collection_deadline = 0;
}

int village_note_mischief(int, int kind, int village, int severity) {
    if (village == 0) {
        const VillageLookup owner = village_at(plr_world_x(), plr_world_y());
        if (owner.not_found) return 0;
        village = owner.id;
    }
    if (village <= 0) return 0;
    if (!village_owns_cell(village, plr_world_x(), plr_world_y()) && find_society_witness(village) == NO_ONE)
        return NO_ONE;
    set_current_village(village);
    VillageRecord& v = CurVillage;
    if (!v.mischief_mark) v.said_mischief = 0;
    // The repeat count starts with the first mischief and saturates.
    if (v.mischief == 0) v.mischief = 1;
    else if (v.mischief < MAX_COUNT) ++v.mischief;
    bool listed = false;
    for (int i = 0; i < 4; ++i)
        if (v.mischief_stamps[i] == kind) listed = true;
    if (!listed) {
        for (int i = 3; i > 0; --i) {
            v.mischief_stamps[i] = v.mischief_stamps[i - 1];
            v.pending_mischief[i] = v.pending_mischief[i - 1];
        }
        v.mischief_stamps[0] = int16_t(kind);
        v.pending_mischief[0] = uint8_t(std::clamp(severity, 0, 255));
    }
    v.mischief_mark = 1;
    return 1;
}

int villager_collect_debt(int villager) {
    if (catch_up_running() || !cre_slot_valid(villager)) return 0;
    const int village = village_of(villager);
    if (village < 1) return 0;
    set_current_village(village);
    VillageRecord& v = CurVillage;
    if (v.theft_mark) return 0;
    if (v.perinta != 0 && v.has_debt == 0) {
        clear_debt_collection(village);
        village_has_displaced_items(village);
        return 0;
    }
    if (v.perinta == 1 && v.trade_ban) {
        set_debt_collection_state(village, 2);
        set_debt_collection_deadline(village, COLLECTION_MINUTES, 3);
    }
    char text[64];
    format_text(text, sizeof text, "perint\xE4: %d", int(v.perinta));
    debug_log("cre", text);
    if (v.perinta == 2 || v.perinta == 3) pop_task(villager, -1);
    if (v.collection_deadline != 0 && Plr.total_minutes >= v.collection_deadline) {
        int speaker = find_society_witness(village);
        if (speaker == NO_ONE) speaker = nearest_awake_villager(village);
        const int level = v.collection_level;
        if (level == 2 && speaker != NO_ONE && cre_shout(speaker, "You need to pay for those goods right now!"))
            pause_prompt();
        set_current_village(village);
        set_debt_collection_state(village, level);
    }
    set_current_village(village);
    if (CurVillage.perinta == 1) {
        set_debt_collection_state(village, 0);
        return 0;
    }
    if (CurVillage.perinta == 2) {
        if (step_towards_player(villager) ||
            chebyshev(creature_x(villager), creature_y(villager), player_x, player_y) <= 1) {
            if (long_task_running()) {
                task_interrupt_request = 2;
                return 1;
            }
            set_current_village(village);
            if (CurVillage.trade_ban) {
                if (!plr_has_goods_of_village(village)) forgive_village_debt(village);
                set_current_village(village);
                if ((CurVillage.state_flags & WARN_COLLECTING) || CurVillage.perinta == 0) return 1;
            }
            face_and_talk_notice(villager);
            talk_debt(villager, 0);
            return 1;
        }
        if (distance_to_village(village, plr_world_x(), plr_world_y()) > 1) village_mark_theft(village);
        return 1;
    }
    if (CurVillage.perinta == 3) {
        village_mark_theft(village);
        return 1;
    }
    return 0;
}

int villager_follow_player(int, int villager) {
    if (catch_up_running() || plr_cloaked || !cre_slot_valid(villager)) return 0;
    const int village = village_of(villager);
    if (village < 1 || !village_owns_cell(village, plr_world_x(), plr_world_y())) return 0;
    const CreatureRecord& c = Cre[villager];
    if (cre_can_see_point(villager, player_x, player_y)) {
        if (chebyshev(c.Viimeisin_X, c.Viimeisin_Y, player_x, player_y) <= 9) return 0;
    } else {
        cre_face_towards(villager, player_x, player_y);
    }
    const int x = creature_x(villager), y = creature_y(villager);
    step_towards_player(villager);
    return creature_x(villager) != x || creature_y(villager) != y ? 1 : 0;
}

int village_confront_troublemaker(int, int kind, int villager, int flags) {
    const int village = village_of(villager);
    if (village < 1) return 0;
    set_current_village(village);
    village_reputation(CurVillage);
    VillageRecord& v = CurVillage;
    uint8_t* said = kind == WARN_DROP_GOODS ? &v.said_goods
                    : kind == WARN_LEAVE    ? &v.said_leave
                    : kind == WARN_BEATING  ? &v.said_beating
                    : kind == WARN_MISCHIEF ? &v.said_mischief
                                            : nullptr;
    const uint32_t kind_bit = kind >= 0 && kind < 32 ? (1u << kind) : 0;
    if (flags & WARN_RESET) {
        if (said) *said = 0;
        else v.state_flags &= ~kind_bit;
        if (kind == WARN_LEAVE) v.state_flags &= ~WARN_WELCOME;
        return 0;
    }
    const char* words = "";
    switch (kind) {
    case WARN_DROP_GOODS: words = chat_line("DROP_OUR_GOODS"); break;
    case WARN_LEAVE:
        words = cre_is_aggressive(villager) ? "Get away from here immediately!"
                                            : "Leave now, or we will have to force you to leave!";
        break;
    case WARN_BEATING: words = "You have begged for beating, troublemaker!"; break;
    case WARN_MISCHIEF: words = "Stop, you mischief-maker! I need to tell you something!"; break;
    case WARN_GO_AWAY: words = "Go away, now!"; break;
    default: break;
    }
    const bool given = said ? *said != 0 : (v.state_flags & kind_bit) != 0;
    if (given && !(flags & WARN_FORCE)) return 0;
    if ((flags & WARN_IN_VIEW) && !is_in_view(creature_x(villager), creature_y(villager))) return 0;
    if ((flags & WARN_IF_ALERT) && Cre[villager].alert == 0) return 0;
    if (!cre_shout(villager, words)) return 0;
    set_current_village(village);
    uint8_t* now = kind == WARN_DROP_GOODS ? &CurVillage.said_goods
                   : kind == WARN_LEAVE    ? &CurVillage.said_leave
                   : kind == WARN_BEATING  ? &CurVillage.said_beating
                   : kind == WARN_MISCHIEF ? &CurVillage.said_mischief
                                           : nullptr;
    if (now) *now = 1;
    else CurVillage.state_flags |= kind_bit;
    if (kind == WARN_MISCHIEF && long_task_running()) task_key_request = -2;
    pause_prompt();
    return 1;
}

void cre_announce_trade_terms(int villager) {
    const int village = village_of(villager);
    if (village > 0) set_current_village(village);
    if (village > 0 && CurVillage.trade_ban) {
        village_reputation(CurVillage);
        cre_shout(villager, chat_line("TRADE_BANNED"));
        return;
    }
    cre_shout(villager, "When you've picked all the items you want, come chat with us and trade for the goods.");
}

int plr_near_village(int village) {
    if (village < 1) return 0;
    if (village_owns_cell(village, plr_world_x(), plr_world_y())) return 1;
    return village_member_distance(village) <= 10 ? 1 : 0;
}

int villager_notice_unpaid_goods(int, int villager) {
    if (!cre_slot_valid(villager)) return 0;
    const CreatureRecord& c = Cre[villager];
    const int village = c.lauma;
    if (c.cre_status == VISITOR || village < 1 || !cre_is_human(villager) || cre_is_companion(villager)) return 0;
    if (c.map_flags & (MAP_AWAY_FROM_VILLAGE | MAP_NOT_REACTING)) return 0;
    if (!plr_has_goods_of_village(village)) return 0;
    set_current_village(village);
    if (CurVillage.hostile) return 0;
    VillageRecord& v = CurVillage;
    if (v.mischief_mark || v.banish) {
        turn_alert(villager);
        if (v.theft_mark) return 0;
        if (v.banish) {
            village_mark_theft(village);
            set_current_village(village);
            if (CurVillage.banish) return 1;
        }
        if (!CurVillage.mischief_mark) return 1;
        if (distance_to_village(village, plr_world_x(), plr_world_y()) < 1) return 0;
        village_mark_theft(village);
        return 1;
    }
    if (v.theft_mark) return 0;
    if (!(c.bfagg & (BFAGG_CHASING | BFAGG_ATTACKING))) return 0;
    turn_alert(villager);
    village_mark_theft(village);
    return 1;
}

int villager_react_to_player(int villager) {
    if (catch_up_running() || plr_cloaked || Plr.body_state == 3 || Plr.body_state == 4) return 0;
    if (!cre_slot_valid(villager) || !cre_is_society_member(villager) || !cre_can_notice(villager)) return 0;
    if (Cre[villager].move_mode == MOVE_MODE_ASLEEP) return 0;
    if (villager_notice_unpaid_goods(0, villager)) return 1;
    const int village = Cre[villager].lauma;
    set_current_village(village);
    CreatureRecord& c = Cre[villager];
    if (CurVillage.hostile) {
        CurVillage.alarm = 0;
        if (cre_notices_player(villager)) {
            if (c.cre_status == GUARD) {
                cre_morale_check(villager, -1, 0);
            } else {
                cre_begin_attack(villager, -1, 0);
                Cre[villager].bfagg = 0;
            }
        }
        return 1;
    }
    if (CurVillage.theft_mark) {
        if (plr_has_goods_of_village(village)) {
            if (cre_notices_player(villager)) {
                village_confront_troublemaker(0, WARN_DROP_GOODS, villager, WARN_IN_VIEW);
                set_current_village(village);
                const int mode = CurVillage.offence_level > 1 ? 2 : 1;
                if (cre_threat_test(villager) || cre_would_attack(villager, mode)) {
                    cre_begin_attack(villager, -1, 0);
                    Cre[villager].bfagg |= BFAGG_ALERT;
                }
            }
        } else {
            const int level = forgive_village_debt(village);
            char text[48];
            format_text(text, sizeof text, "after theft: %d", level);
            debug_log("cre", text);
            set_current_village(village);
            CurVillage.theft_mark = 0;
        }
    }
    set_current_village(village);
    if (CurVillage.alarm && cre_notices_player(villager)) {
        if (cre_would_attack(villager, 2)) {
            cre_begin_attack(villager, -1, 0);
            Cre[villager].bfagg |= BFAGG_ATTACKING;
            return 1;
        }
        if (village_member_distance(village) >= 16) {
            set_current_village(village);
            CurVillage.alarm = 0;
            village_turn_hostile(village);
            return 1;
        }
    }
    set_current_village(village);
    if (CurVillage.banish && cre_notices_player(villager)) {
        VillageRecord& v = CurVillage;
        if (Plr.days_played >= int(v.banished_until)) {
            village_confront_troublemaker(0, WARN_LEAVE, villager, WARN_RESET);
            set_current_village(village);
            CurVillage.banish = 0;
            CurVillage.banished_until = 0;
            CurVillage.banished_from = 0;
            return 0;
        }
        if (v.alarm || v.mischief_mark) {
            v.banished_from = Plr.total_minutes;
            v.alarm = 0;
            v.mischief_mark = 0;
        }
        if (!v.said_leave) {
            if (village_confront_troublemaker(0, WARN_LEAVE, villager, WARN_IN_VIEW)) {
                set_current_village(village);
                if (CurVillage.banished_from <= Plr.total_minutes) CurVillage.banished_from = Plr.total_minutes + 1;
            }
            return 0;
        }
        if (Plr.total_minutes >= v.banished_from) {
            if (plr_near_village(village) && cre_would_attack(villager, 2)) {
                village_confront_troublemaker(0, WARN_GO_AWAY, villager, WARN_IF_ALERT);
                cre_begin_attack(villager, -1, 0);
                Cre[villager].bfagg |= BFAGG_CHASING;
                return 1;
            }
            return 0;
        }
    }
    set_current_village(village);
    if (CurVillage.mischief_mark && cre_notices_player(villager) && stands_up(villager, 2)) {
        if (chebyshev(c.Viimeisin_X, c.Viimeisin_Y, player_x, player_y) > 64) return 0;
        if (!CurVillage.said_mischief) village_confront_troublemaker(0, WARN_MISCHIEF, villager, WARN_IF_ALERT);
        const bool close = chebyshev(creature_x(villager), creature_y(villager), player_x, player_y) <= 2;
        step_towards_player(villager);
        if (close) {
            face_and_talk_notice(villager);
            clear_trade_piles();
            talk_command(TALK_TOLD_OFF);
            set_current_village(village);
            CurVillage.mischief_mark = 0;
        }
        return 1;
    }
    return 0;
}
