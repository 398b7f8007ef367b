// The senses, reactions, turn, step and death of creatures on a small open
// map: hearing and its reach, the hidden player's cover, who counts as an
// ally, a hare that never turns on the player, what the player is told of
// seen and heard doings, the checks of a creature's turn (the advantage,
// the player's cell, traps, drowning), the step's rules (the play area,
// obstacles, fire and creatures, heights, doors) and a death's carcass,
// dropped things and the log of the player's kills.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "body/creature_fights.h"
#include "creatures/creature_death.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_senses.h"
#include "creatures/creature_table.h"
#include "creatures/player_step.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "objects/object_store.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250, OPEN_WATER = 247, DOOR_CLOSED = 254, DOOR_OPEN = 22;
constexpr int PX = 200, PY = 200;  // the player
constexpr int A = 3, B = 4;        // creature slots

uint8_t code_with(uint32_t want, uint32_t without) {
    for (int code = 1; code < 256; ++code) {
        const uint32_t f = terrain_flags_of(code);
        if ((f & want) == want && !(f & without)) return uint8_t(code);
    }
    return 0;
}

class CreatureSenses : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(stored_world_terrain, GROUND, MAP_CELLS);
        std::memset(view_layer, '.', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_task_queue();
        reset_object_store();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.bodytemp = 37;
        Plr.days_played = 40;
        Plr.month = 6;
        player_x = PX;
        player_y = PY;
        facing = 0;
        weather.current.snow = 0;
        weather.current.snowtopice = 0;
        tactical_advantage = ADVANTAGE_NOBODY;
        messages_suppressed = false;
        allow_repeated_message = true;
        skip_message_pauses = true;
        heard_message_text[0] = 0;
        reset_last_message();
        seed_random(11);
    }
    void TearDown() override {
        allow_repeated_message = false;
        skip_message_pauses = false;
        messages_suppressed = true;
        std::memset(view_layer, VIEW_UNSEEN, MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_object_store();
        copy_text(Plr.map_name, "BIGMAP");
    }

    // A creature of the class and kind in slot s at (x, y).
    static CreatureRecord& place(int s, uint8_t cls, int kind, int x, int y) {
        std::memset(&Cre[s], 0, sizeof(CreatureRecord));
        CreatureRecord& c = Cre[s];
        c.cre_class = cls;
        c.kind = kind;
        c.sotu = uint32_t(5000 + s);
        c.attr_end = c.attr_dex = c.attr_agi = c.attr_str = 12;
        c.attr_hrg = 10;
        c.weight = 40.0f;
        c.body_temp = 37.0f;
        c.fight_target = FIGHT_TARGET_NONE;
        c.home_culture = 1;
        copy_text(c.name, sizeof c.name, "beast");
        CreSlotRefs[s] = 2000 + s;
        put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + s, 1);
        return c;
    }
    static void move_to(int s, int x, int y) {
        const int i = cre_datapos(s);
        Data[i].x = uint16_t(x);
        Data[i].y = uint16_t(y);
    }
    static std::string told() { return last_message; }
};

// ------------------------------------------------------------ hearing

TEST_F(CreatureSenses, HearingReachesHearingTimesNoiseAndNoFarther) {
    place(A, 2, 600, PX, PY);
    Cre[A].attr_hrg = 10;
    struct Case {
        int distance, noise;
        bool ever;
    } cases[] = {
        {1, 0, false},   // a perfect sneak, however close
        {10, 1, true},   // just within reach
        {11, 1, false},  // one cell beyond
        {21, 2, false},
        {20, 2, true},
    };
    for (const Case& c : cases) {
        int heard = 0;
        for (int i = 0; i < 2000; ++i) heard += cre_hears(A, PX + c.distance, PY, c.noise);
        EXPECT_EQ(heard > 0, c.ever) << "distance " << c.distance << " noise " << c.noise << ": " << heard;
    }
    // With perception off nothing is heard at all.
    perception_on = 0;
    int heard = 0;
    for (int i = 0; i < 200; ++i) heard += cre_hears(A, PX + 1, PY, 3);
    perception_on = 1;
    EXPECT_EQ(heard, 0);
}

TEST_F(CreatureSenses, AnAdjacentCreatureAlwaysSeesThroughTheHideout) {
    const uint8_t tree = code_with(TF_YOUNG_TREE, 0);
    ASSERT_NE(tree, 0);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) terrain_layer[map_index(PX + dx, PY + dy)] = tree;
    place(A, 2, 611, PX + 1, PY);
    Cre[A].attr_hrg = 1;
    for (int i = 0; i < 300; ++i) {
        Plr.hiding = 1;
        EXPECT_EQ(cre_notices_hideout(A, cre_datapos(A)), 1);
        EXPECT_EQ(Plr.hiding, 0);  // in view: the player is found out
    }
    // Six cells off, under nine trees, the poor ear seldom finds it.
    move_to(A, PX + 6, PY);
    int noticed = 0;
    for (int i = 0; i < 300; ++i) noticed += cre_notices_hideout(A, cre_datapos(A));
    EXPECT_LT(noticed, 60);
}

// ------------------------------------------------------------ allies

TEST_F(CreatureSenses, AlliesByKindGroupCultureAndOwner) {
    struct Side {
        uint8_t cls;
        int kind;
        int32_t lauma;
        uint8_t culture, status;
    };
    struct Case {
        Side a, b;
        int allies;
        const char* what;
    } cases[] = {
        {{3, 611, 0, 1, 0}, {3, 611, 0, 1, 0}, 1, "two wolves"},
        {{15, 618, 0, 1, 0}, {15, 618, 0, 1, 0}, 0, "two stray dogs"},
        {{20, 612, 0, 1, 0}, {20, 612, 0, 1, 0}, 0, "two ermines"},
        {{2, 600, 0, 1, 0}, {2, 600, 0, 1, 0}, 0, "two hares (not of the herd kinds)"},
        {{2, 600, 7, 1, 0}, {3, 611, 7, 1, 0}, 1, "one group"},
        {{1, 500, 0, 11, 0}, {1, 500, 0, 11, 0}, 1, "two Rororad warriors"},
        {{1, 540, 0, 3, 0}, {1, 540, 0, 3, 0}, 1, "one culture"},
        {{1, 540, 0, 3, 20}, {1, 540, 0, 3, 0}, 0, "a robber among them"},
        {{1, 540, 0, 3, 0}, {1, 540, 0, 4, 0}, 0, "two cultures"},
        {{1, 510, 0, 5, 0}, {1, 510, 0, 6, 0}, 1, "two foreign traders"},
    };
    for (const Case& c : cases) {
        CreatureRecord& a = place(A, c.a.cls, c.a.kind, PX + 5, PY);
        a.lauma = c.a.lauma, a.home_culture = c.a.culture, a.cre_status = c.a.status;
        CreatureRecord& b = place(B, c.b.cls, c.b.kind, PX + 6, PY);
        b.lauma = c.b.lauma, b.home_culture = c.b.culture, b.cre_status = c.b.status;
        EXPECT_EQ(cre_are_allies(A, B), c.allies) << c.what;
        EXPECT_EQ(cre_are_allies(B, A), c.allies) << c.what << " (swapped)";
        reset_map_object_table();
    }
    // A dog stands by its owner; the player's own wolf is nobody's ally.
    place(A, 1, 540, PX + 5, PY);
    CreatureRecord& dog = place(B, 15, 618, PX + 6, PY);
    dog.cre_bits |= CRE_BITS_OWNED;
    dog.owner = int32_t(Cre[A].sotu);
    EXPECT_EQ(cre_are_allies(B, A), 1);
    EXPECT_EQ(cre_are_allies(A, B), 1);
    reset_map_object_table();
    place(A, 3, 611, PX + 5, PY).owner = OWNER_PLAYER;
    place(B, 3, 611, PX + 6, PY);
    EXPECT_EQ(cre_are_allies(A, B), 0);
}

TEST_F(CreatureSenses, HowAnAnimalSeesThePlayerAndTheAlarmCooldown) {
    struct Case {
        uint8_t cls;
        int kind;
        uint8_t flee, avoid;
        int relation;
        const char* what;
    } cases[] = {
        {15, 618, 0, 0, 4, "a dog and a stranger"},
        {2, 600, 79, 89, 1, "a wild hare and a person"},
        {9, 616, 0, 0, 0, "a sheep minds nobody"},
        {CRE_CLASS_SPIRIT, 702, 50, 50, 0, "a spirit"},
    };
    for (const Case& c : cases) {
        CreatureRecord& r = place(A, c.cls, c.kind, PX + 4, PY);
        r.flee_threshold = c.flee, r.avoid_threshold = c.avoid;
        EXPECT_EQ(cre_relation_animal(A, -1), c.relation) << c.what;
        reset_map_object_table();
    }
    // A cooldown above 60 counts as run out: the dog may bark again at once.
    place(A, 15, 618, PX + 4, PY);
    struct Cooldown {
        uint8_t before;
        int answer;
        uint8_t after;
    } cooldowns[] = {{0, 1, 0}, {5, 0, 5}, {60, 0, 60}, {61, 1, 0}, {200, 1, 0}};
    for (const Cooldown& c : cooldowns) {
        Cre[A].sound_cooldown = c.before;
        EXPECT_EQ(cre_set_alarm_cooldown(A, 0), c.answer) << int(c.before);
        EXPECT_EQ(Cre[A].sound_cooldown, c.after) << int(c.before);
    }
    EXPECT_EQ(cre_set_alarm_cooldown(A, 30), 30);
    EXPECT_EQ(Cre[A].sound_cooldown, 30);
    EXPECT_EQ(cre_set_alarm_cooldown(-1, 0), 1);
}

// ------------------------------------------------------------ reactions

TEST_F(CreatureSenses, AHareInViewNeverAttacksButRunsWhenClose) {
    int fled = 0;
    for (int i = 0; i < 1000; ++i) {
        const int d = 1 + i % 15;
        CreatureRecord& hare = place(A, 2, 600, PX + d, PY);
        hare.flee_threshold = 79;
        hare.avoid_threshold = 89;
        hare.alert = 1;
        cre_react(A, -1);
        EXPECT_NE(hare.move_mode, 2) << "at " << d;
        EXPECT_NE(hare.move_mode, 99) << "at " << d;
        fled += hare.move_mode == 4;
        reset_map_object_table();
    }
    EXPECT_GT(fled, 400);  // within its flight radius of 8 it runs
}

// Standing up to the player is the aggressiveness roll: villagers are made
// with no urge to attack at all, yet a bold one mostly stands up, a meek
// one never, and a sleeper not at all.
TEST_F(CreatureSenses, APersonStandsUpToThePlayerByItsAggressiveness) {
    struct Case {
        uint8_t aggressiveness, move_mode;
        int least, most;
        const char* what;
    } cases[] = {
        {0, 0, 0, 0, "meek"},
        {90, 0, 800, 950, "bold"},
        {99, MOVE_MODE_ASLEEP, 0, 0, "bold but asleep"},
    };
    for (const Case& c : cases) {
        CreatureRecord& r = place(A, CRE_CLASS_HUMAN, 530, PX + 2, PY);
        r.attack_threshold = 0;
        r.hyokkaavyys = c.aggressiveness;
        r.move_mode = c.move_mode;
        int stood = 0;
        for (int i = 0; i < 1000; ++i) stood += cre_threat_test(A) != 0;
        EXPECT_GE(stood, c.least) << c.what;
        EXPECT_LE(stood, c.most) << c.what;
        reset_map_object_table();
    }
}

// A person's standing toward the player is read from the attitude flags, the
// last byte of its attitude block; the `attitude` byte (drawn below 5 for
// every villager) never makes anyone hostile.
TEST_F(CreatureSenses, APersonsStandingTowardThePlayerComesFromItsAttitudeFlags) {
    struct Case {
        uint8_t flags, culture;
        int relation;
        const char* what;
    } cases[] = {
        {0x00, 1, 0, "no flags"},      {0x08, 1, 1, "lasting hatred"}, {0x0A, 1, 1, "hatred over hostility"},
        {0x02, 1, 3, "hostile"},       {0x01, 1, 2, "wary"},           {0x04, 1, 0, "at peace"},
        {0x00, 11, 1, "a Rororad warrior"}, {0x04, 11, 0, "a Rororad warrior at peace"},
    };
    for (const Case& c : cases)
        for (uint8_t temper = 0; temper < 5; ++temper) {
            CreatureRecord& r = place(A, CRE_CLASS_HUMAN, 540, PX + 2, PY);
            r.home_culture = c.culture;
            r.attitude = temper;
            r.attitude_block[sizeof r.attitude_block - 1] = c.flags;
            EXPECT_EQ(cre_relation_human(A, -1), c.relation) << c.what << ", attitude " << int(temper);
            reset_map_object_table();
        }
    // A villager with no grudge who sees the player beside it neither
    // threatens nor attacks, whatever its drawn attitude.
    for (uint8_t temper = 0; temper < 5; ++temper)
        for (int i = 0; i < 50; ++i) {
            CreatureRecord& r = place(A, CRE_CLASS_HUMAN, 540, PX + 1, PY);
            r.attitude = temper;
            r.attack_threshold = 90;
            r.alert = 1;
            reset_last_message();
            const std::string none = told();
            EXPECT_EQ(cre_react(A, -1), 0) << "attitude " << int(temper);
            EXPECT_NE(r.move_mode, 2) << "attitude " << int(temper);
            EXPECT_EQ(told(), none) << "attitude " << int(temper);
            reset_map_object_table();
        }
}

// ------------------------------------------------------------ seen and heard

TEST_F(CreatureSenses, WhatIsSeenAndWhatIsHeardFromAfar) {
    struct Case {
        uint8_t cls;
        int32_t lauma;
        int distance;
        bool in_view;
        const char* options;
        const char* heard_variant;
        const char* expected;  // "" nothing shown
    } cases[] = {
        {21, 0, 80, false, "HEARD", "", "HEARD"},   // a bird carries far
        {21, 0, 101, false, "HEARD", "", ""},       // but not that far
        {2, 0, 30, false, "HEARD", "", ""},         // an animal is not heard at 30
        {2, 0, 30, false, "ALWAYS_HEAR", "A cry.", "A cry."},
        {1, 9, 30, false, "HEARD", "", "HEARD"},    // a villager is
        {2, 0, 3, true, "FORCE_HEAR", "", ""},      // no heard version: nothing
        {2, 0, 3, true, "FORCE_HEAR", "A howl.", "A howl."},
        {2, 0, 3, true, "HEARD", "", "SEEN"},       // in view the seen text wins
        {2, 0, 20, false, "", "A rustle.", "A rustle."},
    };
    for (const Case& c : cases) {
        CreatureRecord& r = place(A, c.cls, c.cls == 1 ? 540 : 601, PX + c.distance, PY);
        r.lauma = c.lauma;
        view_layer[map_index(PX + c.distance, PY)] = c.in_view ? '.' : VIEW_UNSEEN;
        copy_text(heard_message_text, sizeof heard_message_text, c.heard_variant);
        copy_text(last_message, sizeof last_message, "");
        const int shown = cre_action_message(A, "SEEN", c.options);
        EXPECT_EQ(shown, c.expected[0] ? 1 : 0) << c.distance << " " << c.options;
        if (c.expected[0]) {
            EXPECT_NE(told().find(c.expected), std::string::npos) << told();
        }
        view_layer[map_index(PX + c.distance, PY)] = '.';
        reset_map_object_table();
    }
    // A forced range counts for one call only.
    place(A, 2, 601, PX + 40, PY);
    view_layer[map_index(PX + 40, PY)] = VIEW_UNSEEN;
    forced_hearing_range = 50;
    EXPECT_EQ(cre_action_message(A, "SEEN", "HEARD"), 1);
    EXPECT_EQ(forced_hearing_range, 0);
    EXPECT_EQ(cre_action_message(A, "SEEN", "HEARD"), 0);
}

// ------------------------------------------------------------ the turn

TEST_F(CreatureSenses, TheAdvantageHolderActsAloneAndThePlayersCellIsLeftAtOnce) {
    place(A, 3, 611, PX + 5, PY);
    place(B, 3, 611, PX + 7, PY);
    Cre[B].LastActionBit = 0xFF;
    tactical_advantage = A;
    CreatureAct(cre_datapos(B));
    EXPECT_EQ(Cre[B].LastActionBit, 0xFF);  // its turn ended after the first step
    EXPECT_EQ(Cre[B].Viimeisin_X, PX + 7);
    CreatureAct(cre_datapos(A));
    EXPECT_EQ(tactical_advantage, ADVANTAGE_NOBODY);

    // On the player's cell it flees before its wounds are looked at.
    CreatureRecord& hurt = place(5, 3, 611, PX, PY);
    hurt.injury = 250;
    hurt.attr_end = 1;
    CreatureAct(cre_datapos(5));
    EXPECT_NE(hurt.move_mode, MOVE_MODE_DEAD);
}

TEST_F(CreatureSenses, ATrappedPersonDiesAfterFiveDays) {
    CreatureRecord& man = place(A, 1, 540, PX + 5, PY);
    man.trapped_at = 1000;
    Plr.total_minutes = 1000 + 7199;
    CreatureAct(cre_datapos(A));
    EXPECT_NE(man.move_mode, MOVE_MODE_DEAD);
    Plr.total_minutes = 1000 + 7200;
    CreatureAct(cre_datapos(A));
    EXPECT_EQ(man.move_mode, MOVE_MODE_DEAD);
    EXPECT_EQ(Data[corpse_object_index(A)].TYPE, MK_CARCASS);
}

TEST_F(CreatureSenses, TheUnconsciousDrownInOpenWaterOnlyWhenNoSwimmers) {
    terrain_layer[map_index(PX + 5, PY)] = OPEN_WATER;
    messages_suppressed = true;
    for (int seed = 1; seed <= 30; ++seed) {
        seed_random(uint32_t(seed));
        CreatureRecord& c = place(A, 3, 611, PX + 5, PY);
        c.body_state = 4;
        c.attr_end = 1;  // never comes round
        int turns = 0;
        while (c.move_mode != MOVE_MODE_DEAD && turns < 40) {
            CreatureAct(cre_datapos(A));
            ++turns;
        }
        EXPECT_GE(turns, 12) << "seed " << seed;  // its count passed 10 at the least
        EXPECT_LE(turns, 21) << "seed " << seed;  // and never lasted past 20
        reset_map_object_table();
    }
    CreatureRecord& otter = place(A, 3, 611, PX + 5, PY);
    otter.mobility = 96;
    otter.body_state = 4;
    otter.attr_end = 1;
    for (int i = 0; i < 60; ++i) CreatureAct(cre_datapos(A));
    EXPECT_NE(otter.move_mode, MOVE_MODE_DEAD);

    // A wounded spirit without endurance neither crashes nor bleeds to death.
    CreatureRecord& spirit = place(B, CRE_CLASS_SPIRIT, 702, PX + 8, PY);
    spirit.attr_end = 0;
    spirit.injury = 200;
    spirit.body_state = 3;
    for (int i = 0; i < 5; ++i) CreatureAct(cre_datapos(B));
    EXPECT_NE(spirit.move_mode, MOVE_MODE_DEAD);
}

// ------------------------------------------------------------ the step

TEST_F(CreatureSenses, AStepKeepsToThePlayAreaAndAroundObstaclesFireAndCreatures) {
    const uint8_t rock = code_with(TF_OBSTACLE, TF_WATER | TF_YOUNG_TREE);
    ASSERT_NE(rock, 0);
    place(A, 3, 611, 74, 74);
    EXPECT_EQ(Liikkuminen(A, 73, 74, 1), STEP_REFUSED);
    EXPECT_EQ(Liikkuminen(A, 74, 73, 1), STEP_REFUSED);
    move_to(A, PX + 5, PY);
    terrain_layer[map_index(PX + 6, PY)] = rock;
    EXPECT_EQ(Liikkuminen(A, PX + 6, PY, 1), STEP_OBSTACLE);
    put_object_on_map(MK_FIRE, PX + 5, PY + 1, 1, 1);
    EXPECT_EQ(Liikkuminen(A, PX + 5, PY + 1, 1), STEP_REFUSED);
    place(B, 3, 611, PX + 4, PY);
    EXPECT_EQ(Liikkuminen(A, PX + 4, PY, 1), STEP_REFUSED);
    EXPECT_EQ(creature_x(A), PX + 5);
    // Free ground: asked, nothing moves; made, it moves.
    EXPECT_EQ(Liikkuminen(A, PX + 5, PY - 1, 0), STEP_FREE);
    EXPECT_EQ(creature_y(A), PY);
    EXPECT_EQ(Liikkuminen(A, PX + 5, PY - 1, 1), STEP_FREE);
    EXPECT_EQ(creature_y(A), PY - 1);
    EXPECT_EQ(Cre[A].LastActionBit & 0x02, 0x02);
}

TEST_F(CreatureSenses, AClimbOfTwoSucceedsOneTimeInTen) {
    CreatureRecord& c = place(A, 3, 611, PX + 5, PY);
    c.attr_agi = 14;  // may climb 2
    height_layer[map_index(PX + 6, PY)] = 2;
    int made = 0;
    for (int i = 0; i < 4000; ++i) {
        move_to(A, PX + 5, PY);
        const int r = Liikkuminen(A, PX + 6, PY, 1);
        ASSERT_TRUE(r == STEP_FREE || r == STEP_BLOCKED) << r;
        made += creature_x(A) == PX + 6;
    }
    EXPECT_GE(made, 320);
    EXPECT_LE(made, 480);
}

TEST_F(CreatureSenses, APersonOpensADoorAndShutsItBehind) {
    CreatureRecord& man = place(A, 1, 540, PX + 20, PY);
    terrain_layer[map_index(PX + 21, PY)] = DOOR_CLOSED;
    messages_suppressed = true;
    EXPECT_EQ(Liikkuminen(A, PX + 21, PY, 1), STEP_BLOCKED);
    EXPECT_EQ(terrain_at(PX + 21, PY), DOOR_OPEN);
    EXPECT_EQ(creature_x(A), PX + 20);  // it stays this turn
    EXPECT_EQ(Liikkuminen(A, PX + 21, PY, 1), STEP_FREE);
    EXPECT_EQ(Liikkuminen(A, PX + 22, PY, 1), STEP_FREE);
    EXPECT_EQ(terrain_at(PX + 21, PY), DOOR_CLOSED);
    // Without dexterity a door is a wall.
    man.attr_dex = 0;
    move_to(A, PX + 20, PY);
    EXPECT_EQ(Liikkuminen(A, PX + 21, PY, 1), STEP_OBSTACLE);
}

// ------------------------------------------------------------ death

class CreatureDeaths : public CreatureSenses {
protected:
    void SetUp() override {
        CreatureSenses::SetUp();
        world_ = make_fixture_world("Kills");
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.days_played = 40;
        messages_suppressed = false;
        std::memset(view_layer, '.', MAP_CELLS);
        player_x = PX;
        player_y = PY;
    }
    void TearDown() override {
        CreatureSenses::TearDown();
        reset_creature_tables();  // the creature file of the fixture goes with its folder
        character_name[0] = 0;
    }
    int stored_item(const char* name) {
        ObjectRecord r;
        obj_clear_record(r);
        copy_text(r.name, name);
        r.item_class = 4;
        r.weight = 1.0f;
        return obj_store_record(r);
    }
    PlayFolder folder_;  // with the installation: the catalogue's texts
    FixtureWorld world_;
};

TEST_F(CreatureDeaths, AHunterLeavesACarcassAndAllHeCarriedAndWore) {
    CreatureRecord& hunter = place(A, 1, 540, PX + 5, PY);
    for (int s = 0; s < 3; ++s) {
        hunter.inv_id[s] = stored_item("arrow");
        hunter.inv_count[s] = uint8_t(2 + s);
    }
    hunter.worn[0] = stored_item("coat");
    hunter.worn[3] = stored_item("boots");
    cre_die(A, 1);
    EXPECT_EQ(hunter.move_mode, MOVE_MODE_DEAD);
    EXPECT_EQ(hunter.day_mark, 40);
    const int body = corpse_object_index(A);
    ASSERT_GE(body, 0);
    EXPECT_EQ(Data[body].x, PX + 5);
    EXPECT_EQ(Data[body].day_stamp, 40);
    int arrows = 0, coats = 0, boots = 0;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_ITEM || o.x != PX + 5 || o.y != PY) continue;
        ObjectRecord r;
        obj_record(o.DATA, r);
        const std::string name = r.name;
        if (name == "arrow") arrows += o.amount;
        if (name == "coat") coats += o.amount;
        if (name == "boots") boots += o.amount;
    }
    EXPECT_EQ(arrows, 2 + 3 + 4);
    EXPECT_EQ(coats, 1);
    EXPECT_EQ(boots, 1);
    for (int s = 0; s < 20; ++s) EXPECT_EQ(hunter.inv_id[s], 0);
    EXPECT_EQ(hunter.worn[0], 0);
    EXPECT_NE(told().find("dies"), std::string::npos) << told();

    // Killed out cold, it passes away peacefully; with show 0 nothing is
    // told but it dies all the same. (The death rebuilt the view, which
    // sees nothing without sight tables: the cells are made seen again.)
    std::memset(view_layer, '.', MAP_CELLS);
    place(B, 3, 611, PX + 7, PY).body_state = 4;
    cre_die(B, 1);
    EXPECT_NE(told().find("passes away"), std::string::npos) << told();
    copy_text(last_message, sizeof last_message, "");
    place(5, 3, 611, PX + 9, PY);
    cre_die(5, 0);
    EXPECT_EQ(told(), "");
    EXPECT_EQ(Cre[5].move_mode, MOVE_MODE_DEAD);
}

TEST_F(CreatureDeaths, OnlyThePlayersKillsGoToTheKillLog) {
    place(A, 3, 611, PX + 5, PY).killer = -1;
    place(B, 3, 611, PX + 6, PY).killer = -105;
    place(5, 3, 611, PX + 7, PY).killer = B;
    cre_die(A, 0);
    cre_die(B, 0);
    cre_die(5, 0);
    EXPECT_EQ(pending_kill_count(), 2u);
    ASSERT_TRUE(save_kill_log());
    std::vector<uint8_t> log;
    ASSERT_TRUE(read_whole_file(world_.folder + "/KILL.LOG", log));
    ASSERT_EQ(log.size(), 2u * 1384u);
    int32_t kind = 0;
    std::memcpy(&kind, log.data() + 188, 4);
    EXPECT_EQ(kind, 611);
    // The next kill adds one whole record.
    place(6, 2, 600, PX + 8, PY).killer = -1;
    cre_die(6, 0);
    ASSERT_TRUE(save_kill_log());
    ASSERT_TRUE(read_whole_file(world_.folder + "/KILL.LOG", log));
    EXPECT_EQ(log.size(), 3u * 1384u);
    std::memcpy(&kind, log.data() + 2 * 1384 + 188, 4);
    EXPECT_EQ(kind, 600);
}

TEST_F(CreatureDeaths, AVillageCountsItsKilledAndALeashGoesSlack) {
    // A villager killed by the player: the village counts the killing and
    // the news goes round.
    CreatureRecord& man = place(A, 1, 540, PX + 5, PY);
    man.lauma = 31;
    man.killer = -1;
    save_village(31, load_village(31));
    cre_die(A, 0);
    set_current_village(31);
    EXPECT_EQ(CurVillage.killing, 1);
    EXPECT_EQ(CurVillage.pending_murder_news, 1);
    clear_current_village();

    // The leashed dog dies: the player's leash is tied to nothing now.
    ObjectRecord leash;
    obj_clear_record(leash);
    copy_text(leash.name, "leash");
    leash.item_class = ITEM_TOOL;
    leash.subclass = 9;
    CreatureRecord& dog = place(B, 15, 618, PX + 1, PY);
    dog.cre_status = CRE_STATUS_TIED;
    leash.link = int16_t(dog.sotu);
    const int id = obj_store_record(leash);
    ASSERT_NE(id, 0);
    Plr.plr_inv_id[0] = id;
    Plr.plr_inv_count[0] = 1;
    std::memset(view_layer, '.', MAP_CELLS);
    cre_die(B, 0);
    ObjectRecord after;
    obj_record(id, after);
    EXPECT_EQ(after.link, 0);
    EXPECT_NE(told().find("leash off"), std::string::npos) << told();
}

TEST_F(CreatureSenses, ACreatureDyingInTheWalkLeavesTheNextOneItsTurn) {
    // Two creatures in neighbouring records: the first freezes to death in
    // its turn, the second still takes its own.
    place(A, 3, 611, PX + 5, PY).body_temp = 20.0f;
    CreatureRecord& next = place(B, 3, 611, PX + 7, PY);
    ASSERT_EQ(cre_datapos(B), cre_datapos(A) + 1);
    next.LastActionBit = 0xFF;
    messages_suppressed = true;
    update_map_objects();
    EXPECT_EQ(Cre[A].move_mode, MOVE_MODE_DEAD);
    EXPECT_GE(corpse_object_index(A), 0);
    EXPECT_EQ(next.LastActionBit & 0xFD, 0);  // cleared by its own turn
    EXPECT_NE(next.move_mode, MOVE_MODE_DEAD);
}

}  // namespace
