// The exchange of blows: outcome tables, the one sentence that tells it,
// the combat sounds and the tactical advantage.
#include "body/melee_exchange.h"

#include <cstdarg>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "body/fighters.h"
#include "body/wound_checks.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/turn_state.h"
#include "objects/item_commands.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/sound.h"

namespace {

void play_combat_sample(const char* name) { play_sample(name, 0); }

}  // namespace

void (*exchange_sound)(const char* name) = play_combat_sample;
void (*exchange_pause)(uint32_t milliseconds) = [](uint32_t ms) { sound_pause(int(ms)); };

namespace {

void exchange_debug(const char* format, ...) __attribute__((format(printf, 1, 2)));
void exchange_debug(const char* format, ...) {
    if (!debug_messages_on) return;
    char text[256];
    va_list args;
    va_start(args, format);
    vformat_text(text, sizeof text, format, args);
    va_end(args);
    debug_message(text);
}

using Table = OutcomeCell[4][4];

const Table block_table = {
    {{"BF", 4}, {"AF", 3}, {"AF", 4}, {"AF", 5}},
    {{"DF", 3}, {"Blk", 0}, {".", 0}, {"AF", 3}},
    {{"A*", 2}, {"A*", 1}, {"Blk", 0}, {".", 0}},
    {{"A*", 3}, {"A*", 2}, {"A*", 1}, {"Blk", 0}},
};
const Table dodge_table = {
    {{"BS", 3}, {"AF", 3}, {"DTA", 0}, {"DTA", 0}},
    {{"DS", 3}, {".", 0}, {".", 0}, {"DTA", 0}},
    {{"A*", 2}, {"A*", 1}, {".", 0}, {".", 0}},
    {{"A*", 3}, {"A*", 2}, {"A*", 1}, {".", 0}},
};
// A missile dodged by moving: the dodge's contents, a table of its own.
const Table missile_dodge_table = {
    {{"BS", 3}, {"AF", 3}, {"DTA", 0}, {"DTA", 0}},
    {{"DS", 3}, {".", 0}, {".", 0}, {"DTA", 0}},
    {{"A*", 2}, {"A*", 1}, {".", 0}, {".", 0}},
    {{"A*", 3}, {"A*", 2}, {"A*", 1}, {".", 0}},
};
const Table counterstrike_table = {
    {{"BF", 3}, {"AF", 4}, {"D*", 2}, {"D*", 3}},
    {{"A*", 1}, {".", 0}, {"D*", 1}, {"D*", 2}},
    {{"A*", 3}, {"A*", 2}, {"B*", 1}, {"D*", 1}},
    {{"A*", 4}, {"A*", 3}, {"A*", 1}, {"B*", 1}},
};
const Table undefended_table = {
    {{"A*", 1}, {"A*", 1}, {"A*", 1}, {"A*", 1}},
    {{"A*", 2}, {"A*", 2}, {"A*", 2}, {"A*", 2}},
    {{"A*", 3}, {"A*", 3}, {"A*", 3}, {"A*", 3}},
    {{"A*", 4}, {"A*", 4}, {"A*", 4}, {"A*", 4}},
};

const char* const grade_words[4] = {"INFERIOR", "MARGINAL", "GOOD", "SUPERIOR"};

int clamp_grade(int g) { return g < 0 ? 0 : (g > 3 ? 3 : g); }

// The conjunction between the attack and the defence: "but" when the
// defence turns the attack's quality, "and" when it goes along with it.
const char* melee_conjunction(int attack, int defence) {
    if (attack >= 2) return defence >= attack ? "BUT" : "AND";
    return defence < attack ? "BUT" : "AND";
}

const char* missile_conjunction(int launch, int attack) {
    if (launch < 2) return (launch < attack && attack > 1) ? "BUT" : "AND";
    return (attack < launch && attack < 2) ? "BUT" : "AND";
}

void append_key(char* out, size_t cap, const char* key) { append_text(out, cap, message_by_key(key)); }

void append_defence_phrase(char* out, size_t cap, int kind, int grade) {
    char key[64];
    switch (kind) {
    case DEFENCE_DODGE: format_text(key, sizeof key, "DODGE_%s", grade_words[grade]); break;
    case DEFENCE_BLOCK: format_text(key, sizeof key, "BLOCK_%s", grade_words[grade]); break;
    case DEFENCE_COUNTERSTRIKE:
        format_text(key, sizeof key, "%s_%s", combat.defence_option.armed ? "COUNTERSTRIKE" : "COUNTERATTACK",
                    grade_words[grade]);
        break;
    case DEFENCE_MISSILE_DODGE:
        if (combat.missile_dodge == 1)
            copy_text(key, combat.reached_creature ? "MOVEMENT_DODGE_FAILURE" : "MOVEMENT_DODGE_SUCCESS");
        else if (combat.missile_dodge == 2)
            copy_text(key, combat.reached_creature ? "MOVING_DODGE_FAILURE" : "MOVING_DODGE_SUCCESS");
        else
            copy_text(key, combat.aim_modifier ? "TARGET_LOCATION_MISS" : "TARGET_SIZE_MISS");
        break;
    case DEFENCE_SHIELD_COVER: copy_text(key, "SHIELD_PROTECTS"); break;
    default: return;
    }
    append_key(out, cap, key);
}

// The one sentence of the exchange; "" when there is nothing to say.
void compose_sentence(char* out, size_t cap, int mode, int attack, int kind, int defence) {
    out[0] = 0;
    char key[64];
    if (mode == OPTION_MISSILE) {
        if (combat.narration[0]) {
            append_text(out, cap, combat.narration);
            if (kind == DEFENCE_NONE) {
                append_text(out, cap, " ");
                append_key(out, cap, missile_conjunction(clamp_grade(combat.launch_grade), attack));
                append_text(out, cap, " ");
            } else {
                append_text(out, cap, ". ");
            }
        } else {
            append_text(out, cap, "&");  // the trajectory opens the sentence
        }
        format_text(key, sizeof key, "TRAJECTORY_%s", grade_words[attack]);
        append_key(out, cap, key);
    } else {
        format_text(key, sizeof key, "MELEE_%s:<attacker>", grade_words[attack]);
        append_key(out, cap, key);
    }
    if (kind == DEFENCE_NONE) {
        append_text(out, cap, ".");
        return;
    }
    append_text(out, cap, " ");
    append_key(out, cap, melee_conjunction(attack, defence));
    append_text(out, cap, " ");
    append_defence_phrase(out, cap, kind, defence);
}

// Whether the attacker fights with a weapon in hand: a creature only when
// it is a person holding something.
bool attacker_is_armed(int attacker) {
    if (attacker == -1) return cre_wielded_item(-1, 1) != 0 || cre_wielded_item(-1, 2) != 0;
    if (!fighter_is_person(attacker) || !cre_slot_valid(attacker)) return false;
    return Cre[attacker].wielded != 0 || Cre[attacker].shield != 0;
}

int strike_of(int level, int max_dice) {
    const int s = level < max_dice ? level : max_dice;
    return s < 0 ? 0 : (s > 255 ? 255 : s);
}

const char* hit_sound(int level) {
    if (level <= 1) return "hit_minor";
    if (level == 2) return "hit_serious";
    return "hit_grievous";
}

const char* strike_key(const char* base, int level) {
    static char key[64];
    if (level <= 1) format_text(key, sizeof key, "%s_LIGHT", base);
    else if (level == 2) copy_text(key, base);
    else format_text(key, sizeof key, "%s_HARD", base);
    return key;
}

// The sounds of one exchange: none when quiet, and none of a fight the
// player neither takes part in nor perceives (asked once, when needed).
struct ExchangeSounds {
    int attacker, defender;
    bool quiet;
    int perceived = -1;
    bool audible() {
        if (quiet) return false;
        if (perceived < 0) perceived = player_perceives_fight(attacker, defender) ? 1 : 0;
        return perceived == 1;
    }
    void play(const char* name) {
        if (audible()) exchange_sound(name);
    }
    void blow_lands() {
        if (!audible()) return;
        exchange_sound("smash");
        exchange_pause(200);
    }
};

}  // namespace

const OutcomeCell& outcome_cell(int kind, int attack, int defence) {
    const int a = clamp_grade(attack), d = clamp_grade(defence);
    switch (kind) {
    case DEFENCE_BLOCK: return block_table[a][d];
    case DEFENCE_DODGE: return dodge_table[a][d];
    case DEFENCE_MISSILE_DODGE: return missile_dodge_table[a][d];
    case DEFENCE_COUNTERSTRIKE: return counterstrike_table[a][d];
    default: return undefended_table[a][d];
    }
}

const ExchangeOutcome& resolve_exchange(int mode, int attack_grade, int kind, int defence_grade) {
    const int attack = clamp_grade(attack_grade);
    const int defence = clamp_grade(defence_grade);
    const int attacker = combat.attacker, defender = combat.defender;
    msg_attacker = attacker;
    msg_defender = defender;

    // The sentence is put together only when someone will read it.
    if (!messages_suppressed && player_perceives_fight(attacker, -2)) {
        char sentence[MESSAGE_BYTES];
        compose_sentence(sentence, sizeof sentence, mode, attack, kind, defence);
        if (sentence[0]) {
            heard_message_text[0] = 0;  // a composed sentence is only seen
            tell_text_about(attacker, sentence);
        }
    }

    ExchangeOutcome& out = exchange_outcome;
    std::memset(&out, 0, sizeof out);
    char code[8];
    int level = 0;
    if (mode == OPTION_MISSILE) {
        if (kind == DEFENCE_SHIELD_COVER) {
            copy_text(code, "Shi");
        } else if (combat.reached_creature) {
            copy_text(code, "M*");
            level = attack == 0 ? 1 : attack;
        } else {
            copy_text(code, "Wld");
        }
    } else {
        const OutcomeCell& cell = outcome_cell(kind, attack, defence);
        copy_text(code, cell.code);
        level = cell.level;
    }
    exchange_debug("ATTACK_RESULT: %s%d", code, level);

    const bool player_involved = attacker == -1 || defender == -1;
    ExchangeSounds sounds{attacker, defender, combat.quiet != 0};
    const bool block = kind == DEFENCE_BLOCK;
    const bool counter = kind == DEFENCE_COUNTERSTRIKE;
    auto is = [&code](const char* c) { return std::strcmp(code, c) == 0; };
    const uint8_t lv = uint8_t(level < 0 ? 0 : (level > 255 ? 255 : level));

    if (is("BF")) {
        if (block) sounds.play("block");
        if (block || counter) out.clash = uint8_t(attack + 1);
        out.attacker_fumble = out.defender_fumble = lv;
        tell_about(defender, "FUMBLE_TOGETHER");
    }
    if (is("AF")) {
        if (block && player_involved) sounds.play("block");
        if (block || counter) out.clash = uint8_t(attack);
        if (attacker_is_armed(attacker)) out.attacker_fumble = lv;
        else copy_text(code, "AS");  // nothing to drop: a stumble instead
    }
    if (is("DF")) {
        if (block) {
            sounds.play("block");
            out.clash = uint8_t(attack + 1);
        }
        out.defender_fumble = lv;
    }
    if (is("BS")) {
        out.attacker_stumble = out.defender_stumble = lv;
        tell_about(defender, "STUMBLE_TOGETHER");
    }
    if (is("DTA")) {
        give_tactical_advantage(defender);
        if (player_involved) sounds.play("miss");
    }
    if (is("AS")) out.attacker_stumble = lv;
    if (is("DS")) {
        if (cre_stumble_check(defender, 0, 0) == 0) copy_text(code, ".");  // already down: a plain miss
        else out.defender_stumble = lv;
    }
    if (is("Blk")) {
        sounds.play("block");
        out.blocked = 1;
        out.clash = uint8_t(attack + 1);
        tell_about(defender, "MELEE_BLOCK");
    }
    if (is(".")) {
        out.missed = 1;
        tell_about(defender, block ? "MELEE_PARRY" : "MELEE_MISS");
        if (player_involved) sounds.play(block ? "block" : "miss");
    }
    if (is("Wld")) {
        out.missed = 1;
        if (combat.passed_target) tell_about(defender, "MISSILE_MISS");
        else if (!combat.too_far) tell_about(defender, "MISSILE_WILD");
        if (player_involved) sounds.play("miss");
    }
    if (is("Shi")) {
        if (player_involved) {
            sounds.play("thump");
            if (!messages_suppressed) show_message(message_by_key("MISSILE_HITS_SHIELD"));
        }
    }
    if (is("B*")) {
        out.attacker_strike = uint8_t(strike_of(level, combat.attack_option.max_dice));
        out.defender_strike = uint8_t(strike_of(level, combat.defence_option.max_dice));
        tell_about(attacker, "BOTH_STRIKE");
    }
    const bool missile_strike = is("M*");
    if (is("A*") || missile_strike) out.attacker_strike = uint8_t(strike_of(level, combat.attack_option.max_dice));
    if (is("D*")) out.defender_strike = uint8_t(strike_of(level, combat.defence_option.max_dice));

    if (out.attacker_strike != 0) {
        if (player_involved) sounds.blow_lands();
        if (defender == -1) sounds.play(hit_sound(out.attacker_strike));
        if (attacker == -1) sounds.play("hit_npc");
        const char* key = nullptr;
        if (missile_strike)
            key = combat.blunt_missile ? "MISSILE_STRIKE" : strike_key("MISSILE_STRIKE", out.attacker_strike);
        else
            key = strike_key("ATTACKER_STRIKE", out.attacker_strike);
        tell_about(defender, key);
    }
    if (out.defender_strike != 0) {
        sounds.blow_lands();
        if (attacker == -1) sounds.play(hit_sound(out.defender_strike));
        if (defender == -1) sounds.play("hit_npc");
        tell_about(attacker, strike_key("DEFENDER_STRIKE", out.defender_strike));
    }
    return out;
}

// ------------------------------------------------------------ the advantage

void give_tactical_advantage(int x) {
    if (x <= COMBAT_NOBODY) {
        tactical_advantage = ADVANTAGE_NOBODY;
        last_tactical_advantage = ADVANTAGE_NOBODY;
        return;
    }
    if (x == last_tactical_advantage) {
        tactical_advantage = ADVANTAGE_NOBODY;
        exchange_debug("TACTICAL_ADVANTAGE tupla - ei tulosta");
        return;
    }
    if (tactical_advantage == ADVANTAGE_NOBODY || tactical_advantage == x) {
        tactical_advantage = x;
        last_tactical_advantage = x;
        exchange_debug("new LAST_TACTICAL_ADVANTAGE: %d", x);
        return;
    }
    tactical_advantage = ADVANTAGE_NOBODY;
    exchange_debug("TACTICAL_ADVANTAGE molemmille - ei tulosta!");
}

int announce_tactical_advantage() {
    const int holder = tactical_advantage;
    if (holder == ADVANTAGE_NOBODY) return holder;
    if (holder == combat.defender) tell_about(combat.defender, "DEFENDER_ADVANTAGE");
    else if (holder == combat.attacker) tell_about(combat.attacker, "ATTACKER_ADVANTAGE");
    return holder;
}
