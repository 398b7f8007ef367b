// A creature's steps on a small open map: the step choice by heading and
// tiers, a barred target beside it, the trail that boxes it in and thins,
// a turn's steps by speed, following whoever it follows, trying a walk out
// without a trace, and a shout that wakes the sleepers of its village.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include "base/files.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_table.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"
#include "game/turn_state.h"
#include "support/play_folder.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr int CX = 200, CY = 200;  // where the creature starts
constexpr int HARE = 3;            // creature slots
constexpr int OTHER = 4;
constexpr int STEP_DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int STEP_DY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

// A terrain code that bars a step (an obstacle).
uint8_t barred_code() {
    for (int code = 1; code < 256; ++code)
        if (!terrain_is_open(code) && !(terrain_flags_of(code) & TF_WATER)) return uint8_t(code);
    return 0;
}

class CreatureSteps : public ::testing::Test {
protected:
    // What the steps write (a calf's creature file) goes to a folder of
    // the test's own, whichever test ran before.
    PlayFolder folder{false};

    void SetUp() override {
        install_folder[0] = '\0';
        copy_text(character_name, "STEPS");
        std::filesystem::create_directories(folder.file("STEPS"));
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(stored_world_terrain, GROUND, MAP_CELLS);
        std::memset(view_layer, ' ', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_task_queue();
        reset_creature_steps();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.spd = 12;  // a walking speed of 60
        Plr.end = 12;
        Plr.travel_mode = 1;
        player_x = 120;
        player_y = 120;
        weather.current.snow = 0;
        weather.current.snowtopice = 0;
        messages_suppressed = true;
        seed_random(7);
    }

    // A creature of the class in slot s at (x, y), walking at the speed
    // byte given (10 a turn per point: 6 keeps the player's pace).
    CreatureRecord& place(int s, uint8_t cre_class, int x = CX, int y = CY, uint8_t speed = 6) {
        std::memset(&Cre[s], 0, sizeof(CreatureRecord));
        Cre[s].cre_class = cre_class;
        Cre[s].sotu = uint32_t(5000 + s);
        Cre[s].walk_speed = speed;
        Cre[s].attr_end = 12;
        Cre[s].body_temp = 37.0f;
        CreSlotRefs[s] = 2000 + s;
        put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + s, 1);
        return Cre[s];
    }

    void move_to(int s, int x, int y) {
        const int i = cre_datapos(s);
        Data[i].x = uint16_t(x);
        Data[i].y = uint16_t(y);
    }

    // The direction of the creature's last step from (x, y).
    int direction_from(int s, int x, int y) {
        for (int d = 0; d < 8; ++d)
            if (creature_x(s) == x + STEP_DX[d] && creature_y(s) == y + STEP_DY[d]) return d;
        return -1;
    }
};

TEST_F(CreatureSteps, AHeadingAllowsOnlyTheFiveDirectionsAheadWhileTheFirstTiersHaveCandidates) {
    place(HARE, 2);
    struct Case {
        int tx, ty;
        std::set<int> allowed;
    } cases[] = {
        {CX + 10, CY, {7, 0, 1}},          // east: nearer on x only
        {CX, CY - 10, {1, 2, 3}},          // north
        {CX - 10, CY - 10, {3}},           // north-west: the one both nearer
        {CX, CY + 10, {7}},                // south: only south-east is ahead
        {CX + 10, CY + 10, {7}},           // south-east, both nearer
    };
    for (const Case& c : cases) {
        std::set<int> seen;
        for (int k = 0; k < 40; ++k) {
            move_to(HARE, CX, CY);
            cre_clear_trail(HARE);
            Cre[HARE].Suunta = 1;
            EXPECT_EQ(askel_kohti_paikkaa(c.tx, HARE, c.ty), 0);
            const int d = direction_from(HARE, CX, CY);
            seen.insert(d);
            EXPECT_EQ(Cre[HARE].Suunta, d);
            EXPECT_EQ(Cre[HARE].trail_x[0], creature_x(HARE));
        }
        EXPECT_EQ(seen, c.allowed) << "target " << c.tx - CX << "," << c.ty - CY;
    }
}

TEST_F(CreatureSteps, ATargetReachedOrBarredBesideItAnswersReachedWithoutAStep) {
    const uint8_t wall = barred_code();
    ASSERT_NE(wall, 0);
    place(HARE, 2);
    // On the target: reached, nothing moves.
    EXPECT_EQ(askel_kohti_paikkaa(CX, HARE, CY), 1);
    EXPECT_EQ(Kulje_Paikkaan(HARE, CX, CY), 1);
    EXPECT_EQ(creature_x(HARE), CX);
    EXPECT_EQ(Cre[HARE].trail_x[0], 0);
    // A barred square beside it is as near as it gets.
    terrain_layer[map_index(CX + 1, CY + 1)] = wall;
    EXPECT_EQ(askel_kohti_paikkaa(CX + 1, HARE, CY + 1), 1);
    EXPECT_EQ(creature_x(HARE), CX);
    EXPECT_EQ(creature_y(HARE), CY);
    // Another creature on it bars it too.
    place(OTHER, 2, CX - 1, CY);
    EXPECT_EQ(askel_kohti_paikkaa(CX - 1, HARE, CY), 1);
    EXPECT_EQ(creature_x(HARE), CX);
    // Two squares off, a step is taken and the target not reached.
    EXPECT_EQ(askel_kohti_paikkaa(CX + 2, HARE, CY), 0);
    EXPECT_NE(creature_x(HARE), CX);
}

TEST_F(CreatureSteps, AFailedStepThinsTheTrail) {
    place(HARE, 2);
    CreatureRecord& c = Cre[HARE];
    // Pacing over a few squares (x equals the fourth entry): everything
    // but the newest forgotten.
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        c.trail_x[i] = i % 2 ? CX + 1 : CX;
        c.trail_y[i] = CY;
    }
    c.trail_x[3] = CX;
    cre_thin_trail(HARE);
    EXPECT_EQ(c.trail_x[0], 0);
    EXPECT_EQ(c.trail_y[0], 0);
    for (int i = 1; i < TRAIL_LENGTH; ++i) {
        EXPECT_EQ(c.trail_x[i], CX) << i;
        EXPECT_EQ(c.trail_y[i], CY) << i;
    }
    // Otherwise the trail moves back by one, the oldest entry dropping off.
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        c.trail_x[i] = 300 + i;
        c.trail_y[i] = 100 + i;
    }
    cre_thin_trail(HARE);
    EXPECT_EQ(c.trail_x[0], 0);
    for (int i = 1; i < TRAIL_LENGTH; ++i) EXPECT_EQ(c.trail_x[i], 300 + i - 1) << i;
}

TEST_F(CreatureSteps, ACreatureBoxedInByWallsAndItsTrailGetsFree) {
    const uint8_t wall = barred_code();
    place(HARE, 2);
    // Walls all round but the east; it came in from the east and paced.
    for (int d = 0; d < 8; ++d)
        if (d != 0) terrain_layer[map_index(CX + STEP_DX[d], CY + STEP_DY[d])] = wall;
    CreatureRecord& c = Cre[HARE];
    for (int i = 0; i < TRAIL_LENGTH; ++i) {
        c.trail_x[i] = CX + i;
        c.trail_y[i] = CY;
    }
    c.Suunta = 4;
    int turns = 0;
    while (creature_x(HARE) == CX && turns < 20) {
        askel_kohti_paikkaa(CX - 30, HARE, CY);
        ++turns;
    }
    EXPECT_EQ(creature_x(HARE), CX + 1) << "still boxed after " << turns << " turns";
}

TEST_F(CreatureSteps, AFasterCreatureTakesMoreStepsAndStopsWhereItArrives) {
    // Towards the north-east, heading that way, each step is the one both
    // nearer.
    struct Case {
        uint8_t speed;
        int target;  // squares north-east
        int steps;
        int reached;
    } cases[] = {
        {6, 10, 1, 0},   // the player's pace
        {12, 10, 2, 0},  // twice the player's speed
        {18, 10, 3, 0},  // three times
        {18, 1, 1, 1},   // a target one square off: it stops there
        {18, 2, 2, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "speed " << int(k.speed) << " target " << k.target);
        reset_map_object_table();
        place(HARE, 2, CX, CY, k.speed);
        Cre[HARE].Suunta = 1;
        EXPECT_EQ(Kulje_Paikkaan(HARE, CX + k.target, CY - k.target), k.reached);
        EXPECT_EQ(creature_x(HARE) - CX, k.steps);
        EXPECT_EQ(CY - creature_y(HARE), k.steps);
    }
}

TEST_F(CreatureSteps, FollowersKeepTheirGapToThePlayer) {
    struct Case {
        const char* who;
        uint8_t cre_class;
        int32_t owner;
        uint8_t status;
        int32_t party;
        int distance;
        int follows;    // mode 0
        int stepped;    // mode 1
    } cases[] = {
        {"a companion two off steps", CRE_CLASS_HUMAN, 0, 0, PARTY_MEMBER, 2, 1, 1},
        {"a companion beside the player stays", CRE_CLASS_HUMAN, 0, 0, PARTY_MEMBER, 1, 1, 0},
        {"a stranger does not follow", CRE_CLASS_HUMAN, 0, 0, 0, 3, 0, 0},
        {"a leashed animal keeps within one", 2, 0, CRE_STATUS_TIED, 0, 2, 1, 1},
        {"a pet that is neither a dog nor leashed does not follow", 2, OWNER_PLAYER, 0, 0, 6, 0, 0},
        {"a free animal does not follow", 2, 0, 0, 0, 6, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.who);
        reset_map_object_table();
        CreatureRecord& c = place(HARE, k.cre_class, player_x + k.distance, player_y);
        c.owner = k.owner;
        c.cre_status = k.status;
        c.party_flags = k.party;
        c.Suunta = 4;
        EXPECT_EQ(cre_follow_leader(HARE, 0), k.follows);
        EXPECT_EQ(cre_follow_leader(HARE, 1), k.stepped);
        EXPECT_EQ(creature_x(HARE), player_x + k.distance - k.stepped);
    }
    // A leader that is not on the map leads nobody.
    reset_map_object_table();
    CreatureRecord& led = place(HARE, 2, player_x + 4, player_y);
    led.owner = 7777;
    led.cre_bits = CRE_BITS_OWNED;
    led.bfdom = BFDOM_RANDOM_GAP;
    EXPECT_EQ(cre_follow_leader(HARE, 0), 0);
    place(OTHER, 2, player_x + 20, player_y).sotu = 7777;
    EXPECT_EQ(cre_follow_leader(HARE, 0), 1);
    EXPECT_EQ(cre_follow_leader(HARE, 1), 1);  // far from its leader, not from the player
    EXPECT_EQ(creature_x(HARE), player_x + 5);
    // The player's own dog keeps a gap of 1 to 5.
    reset_map_object_table();
    CreatureRecord& dog = place(HARE, 3, player_x + 6, player_y);
    dog.kind = 618;
    dog.owner = OWNER_PLAYER;
    EXPECT_EQ(cre_follow_leader(HARE, 1), 1);
    EXPECT_NE(dog.bfdom & BFDOM_RANDOM_GAP, 0);
}

TEST_F(CreatureSteps, TryingAWalkOutLeavesTheMapAndTheCreatureAsTheyWere) {
    const uint8_t wall = barred_code();
    CreatureRecord& c = place(HARE, 2);
    place(OTHER, 2, CX + 40, CY + 3);
    c.Suunta = 2;
    c.trail_x[0] = CX - 1;
    c.trail_y[0] = CY;
    c.exertion = 3;
    const CreatureRecord before = c;
    std::vector<MapObject> data(Data, Data + MAP_OBJECT_COUNT);
    messages_suppressed = false;

    // Far off on open ground: 100 steps would not get there.
    EXPECT_EQ(cre_can_reach_place(HARE, CX + 150, CY), 0);
    EXPECT_EQ(std::memcmp(&before, &c, sizeof c), 0);
    EXPECT_EQ(std::memcmp(data.data(), Data, sizeof Data), 0);
    EXPECT_FALSE(messages_suppressed);
    // Within reach, even where the trial walk moved it 40 squares.
    EXPECT_EQ(cre_can_reach_place(HARE, CX + 40, CY), 1);
    EXPECT_EQ(std::memcmp(&before, &c, sizeof c), 0);
    EXPECT_EQ(std::memcmp(data.data(), Data, sizeof Data), 0);
    // Walled in, the target beyond the wall is out of reach.
    for (int y = CY - 30; y <= CY + 30; ++y) terrain_layer[map_index(CX + 5, y)] = wall;
    EXPECT_EQ(cre_can_reach_place(HARE, CX + 10, CY), 0);
    EXPECT_EQ(std::memcmp(data.data(), Data, sizeof Data), 0);
}

TEST_F(CreatureSteps, AVillagersShoutWakesTheSleepersOfItsVillageAnywhere) {
    struct Case {
        const char* who;
        uint8_t status;
        int32_t party;
        int woken;
    } cases[] = {
        {"a villager wakes its own", 0, 0, 1},
        {"a visitor wakes nobody", 5, 0, 0},
        {"a companion wakes nobody", 0, PARTY_MEMBER, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.who);
        reset_map_object_table();
        CreatureRecord& shouter = place(HARE, CRE_CLASS_HUMAN);
        shouter.lauma = 44;
        shouter.cre_status = k.status;
        shouter.party_flags = k.party;
        CreatureRecord& sleeper = place(OTHER, CRE_CLASS_HUMAN, CX + 150, CY + 150);
        sleeper.lauma = 44;
        sleeper.move_mode = MOVE_MODE_ASLEEP;
        CreatureRecord& stranger = place(5, CRE_CLASS_HUMAN, CX + 3, CY);
        stranger.lauma = 45;
        stranger.move_mode = MOVE_MODE_ASLEEP;
        cre_shout(HARE, "Wake up, 100% now!");
        EXPECT_EQ(sleeper.move_mode != MOVE_MODE_ASLEEP, bool(k.woken));
        EXPECT_EQ(stranger.move_mode, MOVE_MODE_ASLEEP);
    }
    // The player's shout wakes nobody.
    Cre[OTHER].move_mode = MOVE_MODE_ASLEEP;
    cre_shout(-1, "Hey!");
    EXPECT_EQ(Cre[OTHER].move_mode, MOVE_MODE_ASLEEP);
}

}  // namespace

namespace {

TEST_F(CreatureSteps, AnElkCowBringsForthACalfThatSharesANewGroupWithHer) {
    struct Case {
        int kind;
        uint8_t sex_age;
        int made;
        bool group;
    } cases[] = {
        {660, 0, 1, true},          // an elk cow
        {605, 0, 1, true},          // a she-bear
        {620, 0, 1, false},         // a forest reindeer: no group
        {660, SEX_MALE, 0, false},  // a bull
        {660, SEX_YOUNG, 0, false},
        {611, 0, 0, false},         // a wolf has no young here
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.kind);
        reset_creature_tables();
        reset_map_object_table();
        Plr.quest_id_counter = 40;
        creature_template(k.kind);
        CreScratch.sex_age = k.sex_age;
        const int ref = append_and_load_creature(CreScratch);
        ASSERT_NE(ref, CRE_NO_CREATURE);
        const int mother = ref - CRE_REF_BASE;
        put_object_on_map(MK_CREATURE, CX, CY, ref, 1);
        const uint32_t sotu = Cre[mother].sotu;
        EXPECT_EQ(cre_spawn_kin(mother, 1), k.made);
        int young = -1;
        for (int s = 0; s < CRE_SLOTS; ++s)
            if (s != mother && CreSlotRefs[s] != 0 && uint32_t(Cre[s].follow_sotu) == sotu) young = s;
        if (!k.made) {
            EXPECT_EQ(young, -1);
            continue;
        }
        ASSERT_GE(young, 0);
        EXPECT_EQ(Cre[young].kind, k.kind);
        EXPECT_EQ(creature_x(young), CX);
        EXPECT_EQ(creature_y(young), CY);
        EXPECT_EQ(cre_by_sotu(Cre[young].sotu), young);
        if (k.group) {
            EXPECT_EQ(Cre[mother].lauma, 41);
            EXPECT_EQ(Cre[young].lauma, 41);
            EXPECT_EQ(Cre[mother].lstatus, 1);
        } else {
            EXPECT_EQ(Plr.quest_id_counter, 40);
        }
    }
}

}  // namespace

namespace {

TEST_F(CreatureSteps, ARefugeHoldsAFewTurnsAndTheFlightEndsBeyondTheSafeDistance) {
    CreatureRecord& c = place(HARE, 2, CX, CY, 12);
    std::set<int> turns;
    for (int k = 0; k < 200; ++k) {
        c.flee_x = c.flee_y = 0;
        const TaskPoint r = Hae_Pakopaikka(HARE, CX + 3, CY + 1);
        turns.insert(c.flee_state);
        // Away from the threat on x (it lies more along x), 25 squares in
        // all on the two axes.
        EXPECT_LT(r.x, CX);
        EXPECT_EQ(std::abs(r.x - CX) + std::abs(r.y - CY), 25);
    }
    EXPECT_EQ(*turns.begin(), 3);
    EXPECT_EQ(*turns.rbegin(), 22);

    // Kept while it is worth running for; dropped once near on both axes.
    c.flee_x = CX - 20;
    c.flee_y = CY + 2;
    c.flee_state = 5;
    TaskPoint r = Hae_Pakopaikka(HARE, CX + 3, CY);
    EXPECT_EQ(r.x, CX - 20);
    EXPECT_EQ(r.y, CY + 2);
    c.flee_x = CX - 2;  // near on x, far on y: still kept
    c.flee_y = CY - 10;
    r = Hae_Pakopaikka(HARE, CX + 3, CY + 30);
    EXPECT_EQ(r.x, CX - 2);
    c.flee_x = CX - 2;  // near on both: a new one
    c.flee_y = CY + 1;
    c.flee_state = 5;
    r = Hae_Pakopaikka(HARE, CX + 3, CY);
    EXPECT_FALSE(r.x == CX - 2 && r.y == CY + 1);

    // Fleeing from the player: it runs until the player is beyond 30
    // squares (and 2 more for each point of caution).
    reset_map_object_table();
    CreatureRecord& h = place(HARE, 2, player_x + 5, player_y, 12);
    h.threat_x = uint16_t(player_x);
    h.threat_y = uint16_t(player_y);
    h.caution = 1;
    int runs = 0;
    while (!Pakene(HARE) && runs < 60) ++runs;
    EXPECT_LT(runs, 60);
    const int away = std::max(std::abs(creature_x(HARE) - player_x), std::abs(creature_y(HARE) - player_y));
    EXPECT_GT(away, 32);
    EXPECT_LE(away, 35);
    EXPECT_EQ(h.flee_x, 0);
}

}  // namespace
