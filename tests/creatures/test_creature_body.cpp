// A creature's body from turn to turn, a cornered creature turning on its
// pursuer, a robber snatching the player's valuables, and a creature sent
// home to its stored map.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "body/wounds.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_levels.h"
#include "creatures/creature_table.h"
#include "creatures/task_queue.h"
#include "creatures/task_runner.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr uint8_t WATER = 247;
constexpr int CX = 200, CY = 200;
constexpr int BEAST = 3;

class CreatureBody : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(height_layer, 0, MAP_CELLS);
        std::memset(view_layer, ' ', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_task_queue();
        reset_object_store();
        reset_robbery_state();
        std::memset(&Plr, 0, sizeof Plr);
        Plr.bodytemp = 37;
        copy_text(Plr.map_name, "ZOOMMAP");
        player_x = 120;
        player_y = 120;
        weather.current.ice = 50;  // water at 5 degrees
        messages_suppressed = true;
        seed_random(11);
    }

    CreatureRecord& place(int s, uint8_t cre_class, int x = CX, int y = CY) {
        std::memset(&Cre[s], 0, sizeof(CreatureRecord));
        Cre[s].cre_class = cre_class;
        Cre[s].sotu = uint32_t(5000 + s);
        Cre[s].walk_speed = 6;
        Cre[s].attr_end = 12;
        CreSlotRefs[s] = 2000 + s;
        put_object_on_map(MK_CREATURE, x, y, CRE_REF_BASE + s, 1);
        return Cre[s];
    }
};

TEST_F(CreatureBody, TheWoundLoadAndTheColdOfOpenWater) {
    CreatureRecord& c = place(BEAST, 2);
    c.wounds[CW_KIND][0] = 1;
    c.wounds[CW_DAMAGE][0] = 200;
    c.wounds[CW_KIND][1] = 2;
    c.wounds[CW_DAMAGE][1] = 100;
    c.wounds[CW_DAMAGE][2] = 50;  // no wound there: not counted
    cre_update_body_state(BEAST);
    EXPECT_FLOAT_EQ(c.body_temp, 37.0f);  // unset becomes 37
    EXPECT_EQ(c.injury, 255);             // 300 saturates

    // Open water at 5 degrees: an animal cools by 0.025 twice, a person by
    // 0.05 twice; out of it they warm again by 0.1 up to 37.
    struct Case {
        uint8_t cre_class;
        uint8_t mobility;
        int ice;
        float after;
    } cases[] = {
        {2, 0, 50, 36.95f},   // animal, cold below 6
        {1, 0, 50, 36.9f},    // person
        {2, 0, 80, 36.975f},  // animal, cold below 10 only
        {2, 0, 120, 37.0f},   // warm water
        {2, 0, -40, 37.0f},   // frozen over: no open water
        {2, 96, 50, 37.0f},   // a swimmer feels nothing
    };
    for (const Case& k : cases) {
        reset_map_object_table();
        CreatureRecord& w = place(BEAST, k.cre_class);
        w.mobility = k.mobility;
        w.body_temp = 37.0f;
        set_terrain_at(CX, CY, WATER);
        weather.current.ice = k.ice;
        cre_update_body_state(BEAST);
        EXPECT_NEAR(w.body_temp, k.after, 1e-4) << int(k.cre_class) << " " << k.ice;
    }
    set_terrain_at(CX, CY, GROUND);
    Cre[BEAST].body_temp = 36.5f;
    cre_update_body_state(BEAST);
    EXPECT_NEAR(Cre[BEAST].body_temp, 36.6f, 1e-4);
}

TEST_F(CreatureBody, AStunnedFlyerDropsAndASquirrelWithoutItsTreeFalls) {
    CreatureRecord& bird = place(BEAST, 21);
    bird.mobility = 64;
    bird.air_state = AIR_ALOFT;
    cre_update_body_state(BEAST);
    EXPECT_EQ(bird.air_state, AIR_ALOFT);
    bird.body_state = 4;  // fainted
    cre_update_body_state(BEAST);
    EXPECT_EQ(bird.air_state, 0);

    reset_map_object_table();
    CreatureRecord& squirrel = place(BEAST, 2);
    squirrel.kind = 604;
    squirrel.air_state = AIR_IN_TREE;
    cre_update_body_state(BEAST);  // ground, no tree: down it comes
    EXPECT_EQ(squirrel.air_state, 0);
}

TEST_F(CreatureBody, ACorneredCreatureTurnsOnlyWhenTiredHeavyAndFierce) {
    // The pursuer (the player) stands next to where the creature stood.
    player_x = CX + 1;
    player_y = CY;
    struct Case {
        const char* what;
        uint8_t fierce;
        float fatigue, weight;
        uint8_t boldness;
        int want_any;  // -1 never, 1 at least once in 200 tries
    } cases[] = {
        {"not fierce", 0, 40.0f, 80.0f, 90, -1},
        {"fresh", 5, 14.0f, 80.0f, 90, -1},
        {"tiny", 5, 40.0f, 4.0f, 90, -1},
        {"fierce, tired and bold", 5, 40.0f, 80.0f, 90, 1},
    };
    for (const Case& k : cases) {
        int turned = 0;
        for (int i = 0; i < 200; ++i) {
            reset_map_object_table();
            CreatureRecord& c = place(BEAST, 2);
            c.haavat = k.fierce;
            c.fatigue = k.fatigue;
            c.weight = k.weight;
            c.hyokkaavyys = k.boldness;
            c.Viimeisin_X = CX;
            c.Viimeisin_Y = CY;
            c.fight_target = -1;
            turned += cre_consider_cornered_attack(BEAST);
        }
        if (k.want_any < 0) EXPECT_EQ(turned, 0) << k.what;
        else EXPECT_GT(turned, 0) << k.what;
    }
    // Far from the pursuer nothing happens.
    player_x = CX + 10;
    reset_map_object_table();
    CreatureRecord& c = place(BEAST, 2);
    c.haavat = 5;
    c.fatigue = 40.0f;
    c.weight = 80.0f;
    c.hyokkaavyys = 90;
    c.Viimeisin_X = CX;
    c.Viimeisin_Y = CY;
    for (int i = 0; i < 50; ++i) EXPECT_EQ(cre_consider_cornered_attack(BEAST), 0);
}

// A carried thing of the class, its price and grade, in the next slot.
int give(uint8_t item_class, const char* name, float price, int count = 1, uint8_t grade = 3, uint8_t state = 0) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = 300;
    copy_text(r.name, name);
    copy_text(r.skill, name);
    r.price = price;
    r.weight = 1.0f;
    r.full_weight = 1.0f;
    r.quality = grade;
    r.state_bits = state;
    const int id = obj_store_record(r);
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        if (Plr.plr_inv_id[s] != 0) continue;
        Plr.plr_inv_id[s] = id;
        Plr.plr_inv_count[s] = count;
        return s;
    }
    return -1;
}

bool carries(const char* name) {
    ObjectRecord r;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] != 0 && std::strcmp(obj_record(Plr.plr_inv_id[s], r).name, name) == 0) return true;
    return false;
}

TEST_F(CreatureBody, ARobberTakesTheMostValuableFirstAndLeavesTheTrifles) {
    place(BEAST, 1);
    give(ITEM_FOOD, "Bread", 500.0f);                              // food is never taken
    give(ITEM_WEAPON, "Sword", 400.0f, 1, 4, OBJ_IN_FIRST_HAND);  // in hand, a good one
    give(ITEM_VALUABLE, "Silver ring", 200.0f);
    give(ITEM_TOOL, "Axe", 100.0f);    // at least a third of the ring's 200: taken
    give(ITEM_TOOL, "Knife", 30.0f);   // under a third of the axe's 100 and under 96: left
    give(ITEM_TOOL, "Awl", 5.0f);      // not valuable at all

    // The check only lists, and only once the player carries less than
    // when the robbery began.
    robbery_noted_load = 0.0f;
    EXPECT_EQ(cre_snatch_player_items(BEAST, 1), 0);
    Plr.carried_load = 10.0f;
    robbery_noted_load = 20.0f;
    const int listed = cre_snatch_player_items(BEAST, 1);
    EXPECT_EQ(listed, 3);
    EXPECT_TRUE(carries("Sword"));
    const std::string listed_names = lower_case_copy(robbery_taken_text);
    EXPECT_NE(listed_names.find("sword, "), std::string::npos) << listed_names;
    EXPECT_EQ(listed_names.find("knife"), std::string::npos) << listed_names;

    EXPECT_EQ(cre_snatch_player_items(BEAST, 0), 3);
    for (const char* gone : {"Sword", "Silver ring", "Axe"}) EXPECT_FALSE(carries(gone)) << gone;
    for (const char* kept : {"Bread", "Knife", "Awl"}) EXPECT_TRUE(carries(kept)) << kept;
    // With the robber's slots not built the loot lies beside it, the sword
    // out of any hand and still of its grade.
    bool sword_seen = false;
    ObjectRecord r;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_ITEM || Data[i].x != CX || Data[i].y != CY) continue;
        obj_record(Data[i].DATA, r);
        if (std::strcmp(r.name, "Sword") != 0) continue;
        sword_seen = true;
        EXPECT_EQ(r.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND | OBJ_WORN), 0);
        EXPECT_EQ(r.quality & OBJ_GRADE_MASK, 4);
    }
    EXPECT_TRUE(sword_seen);
}

TEST_F(CreatureBody, ArmourGoesOnlyWhileFewerThanThreeThingsWereTaken) {
    place(BEAST, 1);
    for (const char* name : {"Gold ring", "Gold chain", "Gold cup"}) give(ITEM_VALUABLE, name, 300.0f);
    give(ITEM_ARMOUR, "Mail shirt", 290.0f);
    give(ITEM_VALUABLE, "Gold bead", 280.0f);
    EXPECT_EQ(cre_snatch_player_items(BEAST, 0), 4);
    EXPECT_TRUE(carries("Mail shirt"));
    EXPECT_FALSE(carries("Gold bead"));
}

}  // namespace

namespace {

TEST_F(CreatureBody, SpokenWordsShowAsTheyStandPercentSignsAndAll) {
    PlayFolder folder;  // the message catalogue
    place(BEAST, CRE_CLASS_HUMAN, player_x + 2, player_y);
    view_half_w = 12;
    view_half_h = 11;
    messages_suppressed = false;
    skip_message_pauses = true;
    const char* words = "100% sure: %s %d %n";
    last_message[0] = 0;
    cre_say(BEAST, words);
    EXPECT_NE(std::string(last_message).find(words), std::string::npos) << last_message;
    last_message[0] = 0;
    cre_shout(BEAST, words);
    EXPECT_NE(std::string(last_message).find(words), std::string::npos) << last_message;
    messages_suppressed = true;
}

}  // namespace

namespace {

TEST_F(CreatureBody, ARobberWaitsForThePlayerToHandOverAndItsGroupKnows) {
    place(BEAST, CRE_CLASS_HUMAN);
    Cre[BEAST].lauma = 9;
    Cre[BEAST].lstatus = 1;
    place(BEAST + 1, CRE_CLASS_HUMAN, CX + 2, CY);
    Cre[BEAST + 1].lauma = 9;
    Cre[BEAST].attitude = 20;
    give(ITEM_VALUABLE, "Silver ring", 200.0f);
    const int i = cre_datapos(BEAST);

    // Nothing handed over: it stands and threatens until it gives up.
    ASSERT_GE(push_task(BEAST, 151, 3), 0);
    for (int k = 0; k < 3; ++k) Tee_Puuha(i);
    EXPECT_EQ(Cre[BEAST].Puuha[0], 0);
    EXPECT_EQ(Cre[BEAST].attitude_block[19], 0x04);
    EXPECT_EQ(Cre[BEAST + 1].attitude_block[19], 0x04);
    EXPECT_EQ(Cre[BEAST].attitude, 20) << "the attitude itself is left alone";
    EXPECT_TRUE(carries("Silver ring"));

    // The player carries less than at the robbery talk: done, and marked.
    Cre[BEAST].attitude_block[19] = 0;
    robbery_noted_load = 20.0f;
    Plr.carried_load = 5.0f;
    ASSERT_GE(push_task(BEAST, 151, 3), 0);
    EXPECT_EQ(Tee_Puuha(i), 1);
    EXPECT_EQ(Cre[BEAST].Puuha[0], 0);
    EXPECT_EQ(Cre[BEAST].attitude_block[19] & 0x08, 0x08);
    EXPECT_EQ(Cre[BEAST + 1].attitude_block[19] & 0x08, 0x08);
}

}  // namespace

namespace {

TEST_F(CreatureBody, WhereACreatureMayBe) {
    // Open water 5 east of the creature's square; the rest is ground whose
    // world cells are dry.
    std::memset(stored_world_terrain, GROUND, MAP_CELLS);
    weather.current.ice = 50;
    for (int y = CY - 1; y <= CY + 1; ++y) set_terrain_at(CX + 5, y, WATER);
    struct Case {
        const char* what;
        uint8_t cre_class, mobility;
        int kind, x, y, may;
    } cases[] = {
        {"nobody at x 0", 2, 0, 600, 0, CY, 0},
        {"nobody at y 0", CRE_CLASS_HUMAN, 0, 500, CX, 0, 0},
        {"a person anywhere", CRE_CLASS_HUMAN, 0, 500, CX + 5, CY, 1},
        {"a hare on the ground", 2, 0, 600, CX, CY, 1},
        {"a seal in the water", 24, 96, 640, CX + 5, CY, 1},
        {"a swimmer on land", 2, 96, 640, CX, CY, 0},
        {"a swimmer in the water", 2, 96, 640, CX + 5, CY, 1},
        {"a beaver 5 from the water", 2, 96, 623, CX, CY, 1},
        {"a beaver 4 from the water", 2, 96, 623, CX + 1, CY, 0},
        {"a bird over dry land", 21, 64, 650, CX, CY, 1},
        {"a diver on land", 21, 128, 651, CX, CY, 1},
        {"a diver on deep water", 21, 128, 651, CX + 5, CY, 0},
    };
    for (const Case& k : cases) {
        reset_map_object_table();
        CreatureRecord& c = place(BEAST, k.cre_class);
        c.mobility = k.mobility;
        c.kind = k.kind;
        c.flee_threshold = 50;  // wild: no tame animal goes anywhere
        EXPECT_EQ(cre_can_be_at(BEAST, k.x, k.y), k.may) << k.what;
    }
    // Water whose bottom lies near: the diver may swim there.
    for (int y = CY - 1; y <= CY + 1; ++y) height_layer[map_index(CX + 5, y)] = 3;
    reset_map_object_table();
    CreatureRecord& diver = place(BEAST, 21);
    diver.mobility = 128;
    diver.flee_threshold = 50;
    EXPECT_EQ(cre_can_be_at(BEAST, CX + 5, CY), 1);
    std::memset(height_layer, 0, MAP_CELLS);

    // A bird where the stored world cell is water may not be there.
    reset_map_object_table();
    CreatureRecord& bird = place(BEAST, 21);
    bird.mobility = 64;
    bird.flee_threshold = 50;
    stored_world_terrain[map_index(world_x_of(CX), world_y_of(CY))] = WATER;
    EXPECT_EQ(cre_can_be_at(BEAST, CX, CY), 0);
    std::memset(stored_world_terrain, GROUND, MAP_CELLS);
}

}  // namespace
