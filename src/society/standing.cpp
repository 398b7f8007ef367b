#include "society/standing.h"

#include <algorithm>
#include <cstring>

#include "base/files.h"
#include "base/text_ring.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "game/player.h"

namespace {

// Phrases by level (level 3 has none).
const char* const trade_words[7] = {"cheater", "unreliable bargainer", "suspicious barterer", "",
                                    "fair barterer", "trustworthy trader", "fine tradesman"};
const char* const theft_words[7] = {"robber", "thief", "sneaky snatcher", "", "decent traveler", "fair visitor",
                                    "honest adventurer"};
const char* const mischief_words[7] = {"disturber of peace", "offender", "troublemaker", "", "", "", ""};
const char* const violence_words[7] = {"killer", "assailant", "brawler", "", "peaceful fellow", "peaceful fellow",
                                       "peaceful fellow"};
const char* const help_befriended_words[7] = {"exploiter", "selfish person", "inconsiderate person", "",
                                              "helpful soul", "able adventurer", "hero"};
const char* const help_plain_words[7] = {"exploiter", "selfish person", "inconsiderate person", "",
                                         "considerate person", "helpful soul", "obliging person"};

// The word for the people of a culture, as the villagers call the player's.
const char* people_word(int culture) {
    static const char* const words[10] = {"Kaumolainen", "Driikil\xE4inen", "Kiessel\xE4inen", "Reemil\xE4inen",
                                          "Sartolainen", "Islander",     "Koivulainen",        "Kuikka-tribe",
                                          "Owl-tribe",   "Seal-tribe"};
    return culture >= 0 && culture < 10 ? words[culture] : "stranger";
}

uint8_t weight_class_of(int level) { return level <= 1 ? 0 : level <= 3 ? 1 : 2; }

void set_level(StandingCategory& c, int level) {
    c.level = uint8_t(level);
    c.weight_class = weight_class_of(level);
}

void fresh(StandingCategory& c) {
    std::memset(&c, 0, sizeof c);
    set_level(c, 3);
}

bool female_player() { return Plr.sex == 2; }
const char* tribe_word() { return female_player() ? "tribeswoman" : "tribesman"; }

// The player's name as villagers say it.
const char* player_name() {
    char* out = next_ring_text();
    copy_field(out, TEXT_RING_BYTES, Plr.name, sizeof Plr.name);
    return out;
}

// Two words joined by a space (ring text).
char* ring_words(const char* first, const char* second) {
    char* out = next_ring_text();
    format_text(out, TEXT_RING_BYTES, "%s %s", first, second);
    return out;
}

int creature_familiarity(int creature) {
    if (creature < 0) return 0;
    const int meetings = cre_meeting_count(creature);
    int level = familiarity_level(meetings, meetings);
    if (cre_is_companion(creature)) level = 5;
    else if (cre_has_social_mark(creature, CRE_MARK_ACQUAINTANCE) && !cre_has_social_mark(creature, CRE_MARK_NUISANCE))
        level = 5;
    return level;
}

}  // namespace

int familiarity_level(int s, int f) {
    if (f <= 1) return 0;
    if (f <= 4) return 1;
    if (f < 10) return 2;
    if (f < 20) return s >= 10 ? 3 : 2;
    if (f < 60) return s >= 40 ? 4 : 3;
    if (f < 80) return s >= 60 ? 5 : 4;
    return s >= 80 ? 6 : 5;
}

int plr_familiarity(const VillageRecord* village, int creature) {
    if (village) {
        if (village->befriended != 0) return std::min(6, village->befriended + 3);
        return familiarity_level(village->talks, village->meets);
    }
    return creature_familiarity(creature);
}

StandingBlock neutral_standing(int creature) {
    StandingBlock block{};
    for (int c = 0; c < 6; ++c) {
        if (c == STANDING_VISITOR) continue;
        set_level(block.category[c], 3);
    }
    block.overall_level = 3;
    block.familiarity_level = uint8_t(creature == -1000 ? 0 : plr_familiarity(nullptr, creature));
    return block;
}

StandingBlock talk_standing = neutral_standing(-1000);

StandingBlock village_reputation(const VillageRecord& v) {
    StandingBlock b{};
    for (StandingCategory& c : b.category) fresh(c);
    b.overall_level = 3;
    if (v.soc == 0) {
        b.familiarity_level = 0;
        return b;
    }
    const int familiarity = plr_familiarity(&v, -1000);

    // Trade.
    int trade = 3;
    const int d = v.maksuhairiot, p = v.payments;
    if (p > d) {
        const int gap = p - d;
        if (gap > 20) trade = 6;
        else if (gap > 10) trade = 5;
        else if (gap > 3) trade = 4;
    } else {
        const int gap = d - p;
        if (gap > 9) trade = 0;
        else if (gap > 4) trade = 1;
        else if (gap > 1) trade = 2;
    }
    // A good name in trade takes knowing: at most one level above the
    // familiarity, and never below no opinion.
    if (trade > 3) trade = std::min(trade, std::max(3, familiarity + 1));
    if (trade >= 4) {
        if (v.generosity > 800.0f) trade += 2;
        else if (v.generosity > 400.0f) trade += 1;
        trade = std::min(trade, 6);
    }
    set_level(b.category[STANDING_TRADE], trade);
    copy_text(b.category[STANDING_TRADE].phrase, trade_words[trade]);

    // Theft.
    int theft = 3;
    if (v.thefts > 4) theft = 0;
    else if (v.thefts > 2) theft = 1;
    else if (v.thefts >= 1) theft = 2;
    else if (trade > 3) theft = trade;
    else if (v.perinta >= 2) theft = 2;
    set_level(b.category[STANDING_THEFT], theft);
    copy_text(b.category[STANDING_THEFT].phrase, theft_words[theft]);

    // Mischief.
    int mischief = 3;
    if (v.mischief >= 10) mischief = 0;
    else if (v.mischief >= 5) mischief = 1;
    else if (v.mischief >= 2) mischief = 2;
    set_level(b.category[STANDING_MISCHIEF], mischief);
    copy_text(b.category[STANDING_MISCHIEF].phrase, mischief_words[mischief]);

    // Violence: its phrase, but no text.
    int violence = 3;
    if (v.killing) violence = 0;
    else if (v.assaults >= 10) violence = 1;
    else if (v.assaults >= 1) violence = 2;
    set_level(b.category[STANDING_VIOLENCE], violence);
    copy_text(b.category[STANDING_VIOLENCE].phrase, violence_words[violence]);

    // Visitor: no opinion, always.
    copy_text(b.category[STANDING_VISITOR].phrase, "familiar visitor");

    // Help.
    int help = 3;
    if (v.help >= 10) help = 5;
    else if (v.help >= 4) help = 4;
    if (v.befriended) help = std::min(6, help + v.befriended);
    set_level(b.category[STANDING_HELP], help);
    copy_text(b.category[STANDING_HELP].phrase, (v.befriended ? help_befriended_words : help_plain_words)[help]);

    int sum = 0, counted = 0;
    for (int c = 0; c < 6; ++c) {
        StandingCategory& cat = b.category[c];
        if (c == STANDING_VISITOR) continue;
        if (cat.level != 3) {
            sum += cat.level;
            ++counted;
            if (c != STANDING_VIOLENCE && cat.phrase[0])
                format_text(cat.text, sizeof cat.text, "You seem like %s.", article_phrase(cat.phrase));
        }
    }
    b.overall_level = uint8_t(counted ? sum / counted : 3);
    b.familiarity_level = uint8_t(familiarity);
    return b;
}

const char* plr_address_term(int creature, int flags) {
    if (creature < 0) return ring_copy(tribe_word());
    const bool outsider = cre_culture(creature) != Plr.culture;
    const bool nuisance = (flags & 1) || cre_has_social_mark(creature, CRE_MARK_NUISANCE);
    bool traveller = cre_has_social_mark(creature, CRE_MARK_TRAVELLER) != 0;
    const bool villager = cre_is_villager(creature) != 0;

    int level;
    if (villager) {
        const int32_t village = cre_group_id(creature);
        VillageRecord v;
        if (village > 0) {
            set_current_village(village);
            v = CurVillage;
        } else {
            std::memset(&v, 0, sizeof v);
        }
        level = plr_familiarity(&v, -1000);
        if (!traveller && (v.village_flags & VILLAGE_TRAVELLERS_KIND) && level >= 2) {
            traveller = true;
            cre_set_social_mark(creature, CRE_MARK_TRAVELLER);
        }
    } else {
        level = creature_familiarity(creature);
    }
    level = std::clamp(level, 0, 6);
    const char* people = people_word(Plr.culture);
    const char* T = tribe_word();

    const char* term = "stranger";
    switch (level) {
    case 0:
        term = "stranger";
        if (!outsider) term = ring_words("unfamiliar", T);
        if (nuisance) term = "annoying stranger";
        break;
    case 1:
        term = ring_words(people, "traveller");
        if (traveller) term = "traveller";
        if (!outsider) term = traveller ? T : ring_words("travelling", T);
        if (nuisance) term = "disreputable traveller";
        break;
    case 2:
        term = ring_words(people, "guest");
        if (traveller) term = "frequent guest";
        if (!outsider) term = ring_words("fellow", T);
        if (nuisance) term = "frequent nuisance";
        break;
    case 3:
        term = "familiar visitor";
        if (!outsider) term = ring_words("fellow", T);
        if (nuisance) term = "familiar nuisance";
        break;
    default:
        term = ring_words(people, "fellow");
        if (traveller) term = player_name();
        if (!outsider) term = "fellow";
        if (nuisance) term = outsider ? ring_words(people, "nuisance") : "nuisance";
        break;
    }
    if (level >= 3) {
        if (traveller) {
            term = player_name();
            if (nuisance && outsider) {
                char* out = next_ring_text();
                format_text(out, TEXT_RING_BYTES, "%s %s", people, female_player() ? "woman" : "man");
                term = out;
            }
        }
        if (cre_has_social_mark(creature, CRE_MARK_ACQUAINTANCE) && !nuisance) {
            const int pick = random_below(3);
            if (traveller) {
                const char* name = player_name();
                term = pick == 0 ? ring_words(name, "my friend") : pick == 1 ? name : ring_words("good", name);
            } else if (outsider) {
                term = ring_words(people, "friend");
            } else {
                term = pick == 0 ? "my friend" : pick == 1 ? "friend" : "dear fellow";
            }
        }
    }
    return ring_copy(term);
}

void stamp_village_incident() {
    CurVillage.incident_flag = 1;
    CurVillage.incident_day = int16_t(Plr.days_played);
    CurVillage.incident_minute = Plr.total_minutes;
}

int banish_player(int reaction, int days) {
    VillageRecord& v = CurVillage;
    if (v.banish) return reaction;
    v.banish = 1;
    // A banishment starts now; the start of an earlier one is long past.
    v.banished_from = Plr.total_minutes + 5;
    v.banished_until = uint16_t(std::clamp(Plr.days_played + days, 0, 65535));
    v.state_flags &= ~VILLAGE_WELCOMING;
    v.welcome = 0;
    return reaction;
}

int village_turn_hostile(int32_t village) {
    if (village < 1) return 0;
    set_current_village(village);
    stamp_village_incident();
    const int a = CurVillage.assaults;
    if (a > 20) return banish_player(3, 180);
    if (a > 10) return banish_player(2, 30);
    return 0;
}

int village_react_to_mischief(int32_t village) {
    if (village < 1) return 0;
    set_current_village(village);
    stamp_village_incident();
    VillageRecord& v = CurVillage;
    int m = v.mischief;
    for (int i = 0; i < 4; ++i) {
        m += v.pending_mischief[i];
        v.pending_mischief[i] = 0;
        v.mischief_stamps[i] = 0;
    }
    v.mischief = uint8_t(std::min(m, 255));
    if (v.mischief >= 10) return banish_player(3, 30);
    if (v.mischief >= 5) return banish_player(2, 7);
    return 0;
}
