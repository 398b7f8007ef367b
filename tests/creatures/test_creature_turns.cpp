// The people's, animals' and spirits' turns and the hunters' searches on a
// small open map: visitors leave on their day, a villager far from the
// player sleeps in its rest hours, animals near the player never do, a
// migrant leaves unseen, a bird nests once; spirits speak, give once and
// vanish; prey and carcasses are chosen by the rules of distance and fear.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "base/files.h"
#include "base/stubs.h"
#include "creatures/animal_turn.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_steps.h"
#include "creatures/human_turn.h"
#include "creatures/hunting.h"
#include "creatures/spirit_turn.h"
#include "creatures/task_queue.h"
#include "creatures/turn_steps.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "society/society_services.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr int CX = 200, CY = 200;

class CreatureTurns : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(stored_world_terrain, GROUND, MAP_CELLS);
        std::memset(view_layer, ' ', MAP_CELLS);
        std::memset(remembered_layer, ' ', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_task_queue();
        reset_creature_steps();
        reset_animal_turns();
        task_queue_services = default_task_queue_services();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.bodytemp = 37;
        Plr.spd = 12;
        Plr.end = 12;
        Plr.travel_mode = 1;
        Plr.hour = 12;
        Plr.month = 6;
        Plr.days_played = 100;
        Plr.total_minutes = 100 * 1440;
        Plr.zoom_origin_x = 500;
        Plr.zoom_origin_y = 500;
        player_x = 120;
        player_y = 120;
        weather.current.rain = 0;
        messages_suppressed = true;
        clear_stub_calls();
        seed_random(11);
    }
    void TearDown() override {
        reset_creature_tables();
        reset_map_object_table();
    }

    // A creature of the class in the slot at (x, y): its map index.
    int place(int slot, uint8_t cls, int kind, int x, int y) {
        std::memset(&Cre[slot], 0, sizeof(CreatureRecord));
        CreatureRecord& c = Cre[slot];
        c.cre_class = cls;
        c.kind = kind;
        c.sotu = uint32_t(5000 + slot);
        c.walk_speed = 6;
        c.attr_end = 12;
        c.weight = 4.0f;
        c.flee_threshold = 40;  // wild: not to be leashed
        c.avoid_threshold = 20;
        c.Viimeisin_X = x;
        c.Viimeisin_Y = y;
        copy_text(c.name, sizeof c.name, "Creature");
        CreSlotRefs[slot] = 2000 + slot;
        return put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + slot, 1);
    }
    static bool queued(int slot, int code) {
        for (int s = 0; s < TASK_SLOTS; ++s)
            if (Cre[slot].Puuha[s] == code) return true;
        return false;
    }
};

// ------------------------------------------------------------ people

TEST_F(CreatureTurns, VisitorsLeaveOnTheirDayAndPassingOnesAfterThirty) {
    struct Case {
        uint8_t status;
        int first, last;
    } cases[] = {{5, 105, 109}, {20, 130, 130}};
    for (const Case& k : cases) {
        std::set<int> days;
        for (int run = 0; run < 60; ++run) {
            reset_map_object_table();
            const int i = place(3, CRE_CLASS_HUMAN, 550, CX, CY);
            Cre[3].cre_status = k.status;
            Cre[3].activity = 4;  // always awake
            Ela_Ihminen(i);
            days.insert(int(Cre[3].leave_day));
            EXPECT_FALSE(Cre[3].map_flags & 0x10);
        }
        EXPECT_EQ(*days.begin(), k.first) << int(k.status);
        EXPECT_EQ(*days.rbegin(), k.last) << int(k.status);
        // On the day it leaves: the task of leaving, towards a point it may
        // stand on.
        reset_map_object_table();
        const int i = place(3, CRE_CLASS_HUMAN, 550, CX, CY);
        Cre[3].cre_status = k.status;
        Cre[3].activity = 4;
        Cre[3].leave_day = uint32_t(Plr.days_played);
        Ela_Ihminen(i);
        EXPECT_TRUE(Cre[3].map_flags & 0x10);
        EXPECT_EQ(Cre[3].Puuha[0], TASK_LEAVE_MAP);
    }
}

TEST_F(CreatureTurns, ARestingVillagerFarFromThePlayerQueuesItsRestThenSleeps) {
    Plr.hour = 2;
    const int i = place(3, CRE_CLASS_HUMAN, 550, CX, CY);
    Cre[3].activity = 1;  // awake 8-21
    Cre[3].lauma = 77;
    Cre[3].cre_status = 15;
    stored_world_terrain[map_index(Plr.zoom_origin_x, Plr.zoom_origin_y)] = 30;  // its village
    Ela_Ihminen(i);
    EXPECT_EQ(Cre[3].Puuha[0], 100);
    const int sleep_at = Cre[3].Puuha[1] == 101 ? 2 : 1;
    EXPECT_EQ(Cre[3].Puuha[sleep_at], 4);
    EXPECT_EQ(Cre[3].task_turns[sleep_at], 1000);
}

TEST_F(CreatureTurns, AnExitPointLiesInThePlayAreaOrIsNone) {
    place(3, CRE_CLASS_HUMAN, 550, CX, CY);
    for (int run = 0; run < 50; ++run) {
        const TaskPoint p = cre_find_exit_point(3);
        const bool none = p.x == 0 && p.y == 0;
        EXPECT_TRUE(none || (p.x >= 82 && p.x <= 381 && p.y >= 82 && p.y <= 381)) << p.x << "," << p.y;
    }
    // A swimmer on dry land has nowhere to stand: none.
    place(4, 2, 640, CX + 2, CY);
    Cre[4].mobility = 96;
    Cre[4].flee_threshold = 40;
    const TaskPoint p = cre_find_exit_point(4);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

// ------------------------------------------------------------ animals

TEST_F(CreatureTurns, NoAnimalNearThePlayerSleepsByTheRestRule) {
    Plr.hour = 2;
    for (int d : {5, 40, 41, 80}) {
        reset_map_object_table();
        const int i = place(3, 2, 600, player_x + d, player_y);
        Cre[3].activity = 1;
        EXPECT_EQ(cre_rest_if_rest_time(3, i), d > 40 ? 1 : 0) << d;
        EXPECT_EQ(queued(3, 4), d > 40) << d;
    }
    // Seeded turns of a hare 20 squares off never put it to sleep.
    for (int run = 0; run < 200; ++run) {
        reset_map_object_table();
        const int i = place(3, 2, 600, player_x + 20, player_y);
        Cre[3].activity = 1;
        Ela_Elain(i);
        EXPECT_FALSE(queued(3, 4));
    }
}

TEST_F(CreatureTurns, AMigratoryBirdLeavesOnlyUnseen) {
    struct Case {
        int month, from, to;
        bool seen;
        bool leaves;
    } cases[] = {
        {6, 4, 9, false, false}, {10, 4, 9, false, true}, {10, 4, 9, true, false},
        {1, 11, 2, false, false}, {12, 11, 2, false, false}, {3, 11, 2, false, true},
    };
    for (const Case& k : cases) {
        int left = 0;
        for (int run = 0; run < 30; ++run) {
            reset_map_object_table();
            Plr.month = uint8_t(k.month);
            const int i = place(3, 21, 630, player_x + 5, player_y);
            Cre[3].season_from = uint8_t(k.from);
            Cre[3].season_to = uint8_t(k.to);
            Cre[3].activity = 4;
            Cre[3].sound_kind = 0x02;  // silent
            std::memset(view_layer, k.seen ? ' ' : ':', MAP_CELLS);
            Ela_Elain(i);
            left += Data[i].TYPE != MK_CREATURE;
        }
        // A bird sometimes finds food or calls first; most turns it goes.
        if (k.leaves) EXPECT_GT(left, 10) << k.month << " " << k.from << ".." << k.to;
        else EXPECT_EQ(left, 0) << k.month << " " << k.from << ".." << k.to << (k.seen ? " seen" : "");
    }
}

TEST_F(CreatureTurns, ABirdNestsOnceWithTwoToSevenEggs) {
    // Trees on two sides of every other column.
    for (int y = CY - 50; y <= CY + 50; ++y)
        for (int x = CX - 50; x <= CX + 50; x += 2) terrain_layer[map_index(x, y)] = 10;
    std::set<int> clutches;
    for (int run = 0; run < 40; ++run) {
        reset_map_object_table();
        reset_object_store();
        const int i = place(3, 21, 630, CX, CY);
        Cre[3].nest_flags = 0x01;
        Cre[3].nest_month = 5;
        Cre[3].base_weight = 1.0f;
        cre_nesting_step(3, i);
        EXPECT_TRUE(Cre[3].nest_flags & 0x02);
        int eggs = 0;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_ITEM) eggs += o.amount;
        clutches.insert(eggs);
        // Never twice.
        cre_nesting_step(3, i);
        int again = 0;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_ITEM) again += o.amount;
        EXPECT_EQ(again, eggs);
    }
    EXPECT_EQ(*clutches.begin() >= 2, true);
    EXPECT_LE(*clutches.rbegin(), 7);
    EXPECT_GE(clutches.size(), 4u);
    // Out of its months, or with no site, the chance is spent all the same.
    reset_map_object_table();
    std::memset(terrain_layer, GROUND, MAP_CELLS);
    const int i = place(3, 21, 630, CX, CY);
    Cre[3].nest_flags = 0x01;
    Cre[3].nest_month = 6;
    cre_nesting_step(3, i);
    EXPECT_TRUE(Cre[3].nest_flags & 0x02);
    for (const MapObject& o : Data) EXPECT_NE(o.TYPE, MK_ITEM);
}

// ------------------------------------------------------------ spirits

TEST_F(CreatureTurns, TheMaidSaysOneOfHerPhrasesAndGivesOncePerCharacter) {
    const std::set<std::string> phrases = {"I have something for you.", "Come get what is now yours.",
                                           "Come, I want you to have it.", "Follow me and get your gift.",
                                           "Catch me, and I'm yours.", "Come play with me.",
                                           "You want to follow me. Yes, you do.", "Can you catch me?"};
    PlayFolder folder;  // the message catalogue
    messages_suppressed = false;
    skip_message_pauses = true;
    int gifts_promised = 0;
    for (int run = 0; run < 60; ++run) {
        reset_map_object_table();
        const int i = place(3, CRE_CLASS_SPIRIT, 700, player_x + 4, player_y);
        Cre[3].spirit_turns = 20;
        reset_last_message();
        spirit_creature_turn(i);
        ASSERT_NE(lure_state(Cre[3]), 0);
        int said = 0;
        for (const std::string& p : phrases) said += std::string(last_message).find(p) != std::string::npos;
        EXPECT_EQ(said, 1) << last_message;
        gifts_promised += lure_state(Cre[3]) == 2;
    }
    EXPECT_GT(gifts_promised, 0);
    // Out of sight with her promise: the shirt, once.
    for (int time = 0; time < 2; ++time) {
        reset_map_object_table();
        const int i = place(3, CRE_CLASS_SPIRIT, 700, player_x + 4, player_y);
        Cre[3].spirit_turns = 20;
        lure_state(Cre[3]) = 2;
        std::memset(view_layer, ':', MAP_CELLS);
        spirit_creature_turn(i);
        EXPECT_NE(Data[i].TYPE, MK_CREATURE);
        int items = 0;
        for (const MapObject& o : Data) items += o.TYPE == MK_ITEM;
        EXPECT_EQ(items, time == 0 ? 1 : 0) << time;
        EXPECT_TRUE(Plr.forest_maids & MAIDS_GIFT_GIVEN);
        std::memset(view_layer, ' ', MAP_CELLS);
    }
    messages_suppressed = true;
    skip_message_pauses = false;
}

TEST_F(CreatureTurns, AnySpiritVanishesPastOneHundredAndFiftyTurns) {
    for (int kind : {700, 701, 702}) {
        for (int turns : {149, 150}) {
            reset_map_object_table();
            const int i = place(3, CRE_CLASS_SPIRIT, kind, player_x + 6, player_y);
            Cre[3].spirit_turns = uint8_t(turns);
            lure_state(Cre[3]) = 1;
            spirit_creature_turn(i);
            EXPECT_EQ(Data[i].TYPE == MK_CREATURE, turns == 149) << kind << " " << turns;
        }
    }
}

TEST_F(CreatureTurns, AWaterSpiritOnOpenWaterDivesAndVanishes) {
    for (int y = player_y - 2; y <= player_y + 2; ++y)
        for (int x = player_x + 4; x <= player_x + 12; ++x) terrain_layer[map_index(x, y)] = 247;
    const int i = place(3, CRE_CLASS_SPIRIT, 701, player_x + 8, player_y);
    Cre[3].spirit_turns = 20;
    lure_state(Cre[3]) = 1;
    spirit_creature_turn(i);
    EXPECT_NE(Data[i].TYPE, MK_CREATURE);
    // The player's mark of having seen it.
    EXPECT_TRUE(Plr.plr_deed_flags & DEED_WATER_SPIRIT_SEEN);
}

// ------------------------------------------------------------ hunting

TEST_F(CreatureTurns, APredatorTakesTheLaterOfTwoEquallyNearPreyAndNothingBeyondReach) {
    const int wolf_at = place(3, 3, 611, CX, CY);
    (void)wolf_at;
    Cre[3].weight = 40.0f;
    Cre[3].diet2 = 0x2;
    place(4, 2, 600, CX + 10, CY);
    place(5, 2, 600, CX - 10, CY);
    EXPECT_EQ(cre_prey_match(3, 4), 2);
    ASSERT_EQ(Saalista(3, 2), 1);
    EXPECT_EQ(Cre[3].Puuha[0], 55);
    EXPECT_EQ(Cre[3].task_target[0], int32_t(Cre[5].sotu));
    // None of the other mask; none beyond 125 squares.
    pop_task(3, -1);
    EXPECT_EQ(Saalista(3, 1), 0);
    reset_map_object_table();
    place(3, 3, 611, CX, CY);
    Cre[3].weight = 40.0f;
    Cre[3].diet2 = 0x2;
    place(4, 2, 600, CX + 126, CY);
    EXPECT_EQ(Saalista(3, 2), 0);
    // Its own group is not prey.
    reset_map_object_table();
    place(3, 3, 611, CX, CY);
    Cre[3].weight = 40.0f;
    Cre[3].diet2 = 0x2;
    Cre[3].lauma = 9;
    place(4, 2, 600, CX + 5, CY);
    Cre[4].lauma = 9;
    EXPECT_EQ(Saalista(3, 2), 0);
}

TEST_F(CreatureTurns, AWildFoxRejectsACarcassFiveSquaresFromThePlayerAndTakesOneAtSix) {
    for (int d : {5, 6}) {
        reset_map_object_table();
        place(3, 3, 602, CX, CY);
        Cre[3].diet1 = 0x10;     // hares
        Cre[3].diet2 = 0x10000;  // carrion
        std::memset(&Cre[4], 0, sizeof Cre[4]);
        Cre[4].cre_class = 2;
        Cre[4].kind = 600;
        CreSlotRefs[4] = 2004;
        put_object_on_map(MK_CARCASS, player_x + d, player_y, CRE_REF_BASE + 4, 1);
        EXPECT_EQ(Haaskasta(3, 2, 1), d == 6 ? 1 : 0) << d;
        EXPECT_EQ(queued(3, TASK_EAT_CARCASS), d == 6) << d;
    }
    // On its own square the distance answers 1.
    reset_map_object_table();
    place(3, 3, 602, CX, CY);
    Cre[3].diet1 = 0x10;
    Cre[3].diet2 = 0x10000;
    put_object_on_map(MK_CARCASS, CX, CY, CRE_REF_BASE + 4, 1);
    EXPECT_EQ(Haaskasta(3, 2, 0), 1);
}

TEST_F(CreatureTurns, AHunterWithOneWeaponNeverHunts) {
    reset_object_store();
    ObjectRecord spear{};
    spear.item_class = ITEM_WEAPON;
    copy_text(spear.name, sizeof spear.name, "spear");
    const int a = obj_store_record(spear);
    copy_text(spear.name, sizeof spear.name, "bow");
    const int b = obj_store_record(spear);
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    place(3, CRE_CLASS_HUMAN, 550, CX, CY);
    Cre[3].home_culture = 2;
    place(4, 2, 600, CX + 8, CY);
    Cre[4].culture_mask1 = 1 << 2;
    Cre[3].inv_id[0] = a;
    Cre[3].inv_count[0] = 1;
    EXPECT_EQ(cre_seek_game(3), 0);
    Cre[3].inv_id[1] = b;
    Cre[3].inv_count[1] = 1;
    EXPECT_EQ(cre_seek_game(3), 1);
    EXPECT_EQ(Cre[3].Puuha[0], 69);
    EXPECT_EQ(Cre[3].task_target[0], int32_t(Cre[4].sotu));
    // Game of another culture is none.
    pop_task(3, -1);
    Cre[4].culture_mask1 = 1 << 5;
    EXPECT_EQ(cre_seek_game(3), 0);
}

}  // namespace
