// Food seeking on a small open map, the companions' hunger, and the
// village's records of the player's thefts, mischief and warnings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/food_seeking.h"
#include "creatures/task_queue.h"
#include "creatures/village_reactions.h"
#include "creatures/villager_routines.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/villages.h"
#include "support/play_folder.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "work/eating.h"

namespace {

constexpr uint8_t GROUND = 250;
constexpr int CX = 200, CY = 200;
constexpr int S = 3;
constexpr int BREAD = 7;  // an item type of plain food
constexpr int VILLAGE = 41;
constexpr uint32_t PREY_HARE = 0x10, EATS_CARRION = 0x10000;

class FoodSeeking : public ::testing::Test {
protected:
    void SetUp() override {
        init_terrain_types_for_date(6, 1);
        std::memset(terrain_layer, GROUND, MAP_CELLS);
        std::memset(view_layer, ' ', MAP_CELLS);
        reset_creature_tables();
        reset_map_object_table();
        reset_object_store();
        reset_task_queue();
        reset_villages();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.bodytemp = 37;
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 1000;
        Plr.days_played = 10;
        player_x = 120;
        player_y = 120;
        messages_suppressed = true;
        skip_message_pauses = true;
        clear_stub_calls();
        ObjectRecord& t = ItemTypes[BREAD];
        obj_clear_record(t);
        t.item_class = ITEM_FOOD;
        t.weight = 1.0f;
        t.spoilage_days = 10;
        copy_text(t.name, "Barley bread");
        std::memset(&Cre[S], 0, sizeof(CreatureRecord));
        Cre[S].cre_class = 2;
        Cre[S].kind = 601;
        copy_text(Cre[S].name, "Fox");
        Cre[S].weight = 10.0f;  // a stomach of 350
        Cre[S].diet2 = DIET_PLAIN_FOOD;
        Cre[S].sotu = 2003;
        CreSlotRefs[S] = 2003;
        at_ = put_object_on_map(MK_CREATURE, CX, CY, CRE_REF_BASE + S, 1);
    }
    void TearDown() override {
        reset_map_object_table();
        reset_creature_tables();
        reset_villages();
    }
    CreatureRecord& c() { return Cre[S]; }
    int at_ = -1;
};

TEST_F(FoodSeeking, NeedStartsBelowHalfTheStomachInAnOrdinaryLook) {
    const int capacity = cre_stomach_capacity(S);
    put_object_on_map(MK_ITEM, CX + 3, CY, BREAD, 1);
    c().energy = int16_t(capacity / 2);
    EXPECT_EQ(ravinnonhankinta(S, 0), 0);
    EXPECT_EQ(c().Puuha[0], 0);
    // After eating the need lasts up to 95 per cent.
    EXPECT_EQ(ravinnonhankinta(S, 1), 1);
    EXPECT_EQ(c().Puuha[0], TASK_EAT_AT_SPOT);
    EXPECT_EQ(c().task_x[0], CX + 3);
    EXPECT_EQ(c().task_target[0], BREAD);
    // Without a diet nothing is looked for.
    pop_task(S, -1);
    c().diet2 = 0;
    c().energy = -100;
    EXPECT_EQ(ravinnonhankinta(S, 0), 0);
}

TEST_F(FoodSeeking, ALeashedPetLooksFiveSquaresAndCallsOnceInTwentyTurns) {
    c().cre_status = CRE_STATUS_TIED;
    put_object_on_map(MK_ITEM, CX + 6, CY, BREAD, 1);
    EXPECT_EQ(ravinnonhankinta(S, 0), -1);
    EXPECT_EQ(c().sound_cooldown, 20);
    c().sound_cooldown = 19;  // the turns count it down
    put_object_on_map(MK_ITEM, CX - 5, CY + 5, BREAD, 1);
    EXPECT_EQ(ravinnonhankinta(S, 0), 1);
    EXPECT_EQ(c().sound_cooldown, 19) << "no second call while the first one echoes";
    EXPECT_EQ(c().task_x[0], CX - 5);
}

TEST_F(FoodSeeking, OfEquallyNearFoodTheLaterIsTakenAndAFullQueueFallsThroughToCarcassesAndPrey) {
    put_object_on_map(MK_ITEM, CX + 4, CY, BREAD, 1);
    put_object_on_map(MK_ITEM, CX, CY - 4, BREAD, 2);
    put_object_on_map(MK_ITEM, CX + 9, CY, BREAD, 1);
    EXPECT_EQ(ravinnonhankinta(S, 0), 1);
    EXPECT_EQ(c().task_y[0], CY - 4);
    for (int i = 1; i < TASK_SLOTS; ++i) c().Puuha[i] = TASK_WAIT;
    // A carrion eater and hunter of hares, with a carcass and a hare near.
    c().diet1 = EATS_CARRION;
    c().diet2 |= PREY_HARE;
    c().flee_threshold = 50;  // wild: one that never flees is taken for a tame one
    c().Viimeisin_X = int16_t(CX);
    c().Viimeisin_Y = int16_t(CY);
    const int dead = 4, hare = 5;
    for (int slot : {dead, hare}) {
        std::memset(&Cre[slot], 0, sizeof(CreatureRecord));
        Cre[slot].cre_class = 2;
        Cre[slot].kind = 600;
        Cre[slot].weight = 3.0f;
        Cre[slot].sotu = uint32_t(2000 + slot);
        CreSlotRefs[slot] = int32_t(2000 + slot);
    }
    const int carcass = put_object_on_map(MK_CARCASS, CX + 6, CY, CRE_REF_BASE + dead, 1);
    Cre[hare].Viimeisin_X = int16_t(CX - 7);
    Cre[hare].Viimeisin_Y = int16_t(CY);
    put_object_on_map(MK_CREATURE, CX - 7, CY, CRE_REF_BASE + hare, 1);
    // The full queue takes nothing more: not the food, the carcass nor the prey.
    CreatureRecord before = c();
    EXPECT_EQ(ravinnonhankinta(S, 0), -1);
    EXPECT_EQ(std::memcmp(before.Puuha, c().Puuha, sizeof before.Puuha), 0);
    // The food gone and the queue free, the search falls through to the
    // carcass, and with the carcass gone to the hare.
    for (int i = 0; i < TASK_SLOTS; ++i) c().Puuha[i] = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && Data[i].TYPE != MK_UNUSED; ++i)
        if (Data[i].TYPE == MK_ITEM) Data[i].DATA = 0;
    EXPECT_EQ(ravinnonhankinta(S, 0), 1);
    EXPECT_EQ(c().Puuha[0], TASK_EAT_CARCASS);
    EXPECT_EQ(c().task_target[0], 2000 + dead);
    c().Puuha[0] = 0;
    Data[carcass].DATA = 0;
    EXPECT_EQ(ravinnonhankinta(S, 0), 1);
    EXPECT_EQ(c().Puuha[0], 55) << "the hunt";
    EXPECT_EQ(c().task_target[0], 2000 + hare);
}

TEST_F(FoodSeeking, VillageGoodsAreLeftWhileAVillagerIsAwake) {
    // The item lies in the village's own cell and is its.
    const int wx = world_x_of(CX), wy = world_y_of(CY);
    VillageRecord v{};
    v.isox = wx;
    v.isoy = wy;
    ASSERT_TRUE(save_village(VILLAGE, v));
    ObjectRecord bread = ItemTypes[BREAD];
    bread.ownerID = VILLAGE;
    const int owned = obj_store_record(bread);
    ASSERT_GT(owned, 0);
    put_object_on_map(MK_ITEM, CX + 2, CY, owned, 1);
    const int villager = 5;
    std::memset(&Cre[villager], 0, sizeof(CreatureRecord));
    Cre[villager].cre_class = CRE_CLASS_HUMAN;
    copy_text(Cre[villager].name, "tribesman");
    Cre[villager].lauma = VILLAGE;
    Cre[villager].sotu = 2005;
    CreSlotRefs[villager] = 2005;
    put_object_on_map(MK_CREATURE, CX + 20, CY, CRE_REF_BASE + villager, 1);
    EXPECT_EQ(ravinnonhankinta(S, 0), -1);
    Cre[villager].move_mode = MOVE_MODE_ASLEEP;
    EXPECT_EQ(ravinnonhankinta(S, 0), 1);
    EXPECT_EQ(c().task_x[0], CX + 2);
}

TEST_F(FoodSeeking, AFedCompanionHasNoNeedAndAHungryOneEatsFromItsPack) {
    c().cre_class = CRE_CLASS_HUMAN;
    c().party_flags = PARTY_MEMBER;
    c().service_days = 5;
    c().energy = 5000;
    EXPECT_EQ(cre_update_hunger(S), 0);
    EXPECT_EQ(c().life_bits, 0u);
    c().energy = 0;
    c().service_days = 2;
    EXPECT_EQ(cre_update_hunger(S), 1);
    EXPECT_EQ(c().life_bits, NEED_STARVING | NEED_LOW_LEVEL | NEED_SOME);
    // Bread in the pack: it eats until fed or out of bread.
    c().inv_id[0] = BREAD;
    c().inv_count[0] = 3;
    c().energy = -900;
    cre_eat_carried_food(S, 0);
    EXPECT_EQ(c().inv_count[0], 0);
    EXPECT_EQ(c().inv_id[0], 0);
    EXPECT_GE(c().energy, -500) << "a starving body's energy is raised first";
    // Only companions are looked after.
    c().party_flags = 0;
    EXPECT_EQ(cre_update_hunger(S), 0);
}

TEST_F(FoodSeeking, ASatedPetRefusesTheOrderToEat) {
    PlayFolder folder;  // the message catalogue
    c().owner = OWNER_PLAYER;
    c().energy = 30000;
    // Beside the player, where its sound is seen.
    Data[at_].x = uint16_t(player_x + 2);
    Data[at_].y = uint16_t(player_y);
    c().Viimeisin_X = int16_t(player_x + 2);
    c().Viimeisin_Y = int16_t(player_y);
    messages_suppressed = false;
    reset_last_message();
    order_pet_to_eat(S);
    messages_suppressed = true;
    EXPECT_EQ(c().Puuha[0], 0);
    // An animal refuses with its unhappy sound, told as its action.
    EXPECT_NE(std::string(last_message).find("lets out an unhappy"), std::string::npos) << last_message;
}

// ------------------------------------------------------------ villages

class VillageReactions : public FoodSeeking {
protected:
    void SetUp() override {
        FoodSeeking::SetUp();
        VillageRecord v{};
        v.isox = world_x_of(player_x);
        v.isoy = world_y_of(player_y);
        v.offence_level = 3;
        ASSERT_TRUE(save_village(VILLAGE, v));
        std::memset(&Cre[S], 0, sizeof(CreatureRecord));
        Cre[S].cre_class = CRE_CLASS_HUMAN;
        copy_text(Cre[S].name, "tribesman");
        Cre[S].lauma = VILLAGE;
        Cre[S].sotu = 2003;
        Data[at_].x = uint16_t(player_x + 3);
        Data[at_].y = uint16_t(player_y);
        view_half_w = view_half_h = 20;
        messages_suppressed = false;
    }
    VillageRecord& village() {
        set_current_village(VILLAGE);
        return CurVillage;
    }
};

TEST_F(VillageReactions, ATheftMarkedTwiceAddsTheOffenceOnce) {
    village_mark_theft(VILLAGE);
    village_mark_theft(VILLAGE);
    EXPECT_EQ(village().thefts, 3);
    EXPECT_EQ(village().theft_mark, 1);
    EXPECT_EQ(village().incident_flag, 1);
    // The theft count saturates.
    village().theft_mark = 0;
    village().thefts = 254;
    village_mark_theft(VILLAGE);
    EXPECT_EQ(village().thefts, 255);
}

TEST_F(VillageReactions, TheMischiefListKeepsTheFourNewestKindsOnce) {
    for (int kind : {29, 240, 600, 701, 5}) EXPECT_EQ(village_note_mischief(0, kind, VILLAGE, 2), 1);
    const int16_t expected[4] = {5, 701, 600, 240};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(village().mischief_stamps[i], expected[i]);
    EXPECT_EQ(village().mischief_mark, 1);
    EXPECT_EQ(village().mischief, 5);
    village_note_mischief(0, 600, VILLAGE, 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(village().mischief_stamps[i], expected[i]);
    // Away from the village's land, with none of its people here: not seen.
    player_x = 120 + 64;
    EXPECT_EQ(village_note_mischief(0, 33, VILLAGE, 1), -1000);
}

TEST_F(VillageReactions, EachWarningIsShoutedOnceUnlessForced) {
    const struct {
        int kind;
        const char* words;
    } cases[] = {{WARN_LEAVE, "Leave now, or we will have to force you to leave!"},
                 {WARN_BEATING, "You have begged for beating, troublemaker!"},
                 {WARN_MISCHIEF, "Stop, you mischief-maker! I need to tell you something!"},
                 {WARN_GO_AWAY, "Go away, now!"}};
    for (const auto& k : cases) {
        EXPECT_EQ(village_confront_troublemaker(0, k.kind, S, 0), 1) << k.kind;
        EXPECT_STREQ(msg_var_text, k.words);  // the words the shout was filled with
        EXPECT_EQ(village_confront_troublemaker(0, k.kind, S, 0), 0) << k.kind;
        EXPECT_EQ(village_confront_troublemaker(0, k.kind, S, WARN_FORCE), 1) << k.kind;
        EXPECT_EQ(village_confront_troublemaker(0, k.kind, S, WARN_RESET), 0);
    }
    // Under flag 0x8 only an alerted villager shouts.
    EXPECT_EQ(village_confront_troublemaker(0, WARN_MISCHIEF, S, WARN_IF_ALERT), 0);
    Cre[S].alert = 1;
    EXPECT_EQ(village_confront_troublemaker(0, WARN_MISCHIEF, S, WARN_IF_ALERT), 1);
    EXPECT_EQ(village().said_mischief, 1);
}

TEST_F(VillageReactions, ACollectorWhoCannotReachAPlayerFarFromTheVillageMarksATheft) {
    village().perinta = 2;
    village().has_debt = 1;
    // The player has gone two world cells away; the collector is far behind.
    player_x = 120 + 64 * 2;
    EXPECT_EQ(villager_collect_debt(S), 1);
    EXPECT_EQ(village().theft_mark, 1);
    EXPECT_EQ(village().perinta, 0) << "the theft mark ends the collection";
    // Without an open debt a collection just ends.
    village().theft_mark = 0;
    village().perinta = 2;
    village().has_debt = 0;
    EXPECT_EQ(villager_collect_debt(S), 0);
    EXPECT_EQ(village().perinta, 0);
    EXPECT_EQ(village().theft_mark, 0);
}

TEST_F(VillageReactions, TheVillageIsNearWhileThePlayerIsOnItsLand) {
    EXPECT_EQ(plr_near_village(VILLAGE), 1);
    player_x = 120 + 64 * 2;  // two cells away, the villager 131 squares off
    EXPECT_EQ(plr_near_village(VILLAGE), 0);
}

// ------------------------------------------------------------ routines

class VillagerRoutines : public VillageReactions {
protected:
    void SetUp() override {
        VillageReactions::SetUp();
        Cre[S].Viimeisin_X = CX;
        Cre[S].Viimeisin_Y = CY;
        Cre[S].weight = 80.0f;
        Cre[S].attr_int = Cre[S].attr_dex = 10;
        Data[at_].x = CX;
        Data[at_].y = CY;
        ObjectRecord& axe = ItemTypes[AXE];
        obj_clear_record(axe);
        axe.item_class = ITEM_WEAPON;
        axe.weight = 2.0f;
        axe.price = 200.0f;
        copy_text(axe.name, "Axe");
    }
    // An instance of the axe that belongs to the village, taken from the
    // cell at (1, 1): lying here it is displaced.
    int village_axe() {
        ObjectRecord r = ItemTypes[AXE];
        r.ownerID = VILLAGE;
        r.x = 1;
        r.y = 1;
        return obj_store_new(r);
    }
    static constexpr int AXE = 9;
};

TEST_F(VillagerRoutines, OfTwoDisplacedGoodsEquallyNearTheEarlierIsFetched) {
    const int a = put_object_on_map(MK_ITEM, CX + 5, CY, village_axe(), 1);
    const int b = put_object_on_map(MK_ITEM, CX - 5, CY, village_axe(), 1);
    ASSERT_GE(b, 0);
    villager_queue_fetch_goods(S);
    EXPECT_EQ(Cre[S].Puuha[0], TASK_FETCH_GOODS);
    EXPECT_EQ(Cre[S].task_target[0], a);
    // None left: the village's flag is cleared.
    pop_task(S, -1);
    free_map_object(a);
    free_map_object(b);
    village().displaced_goods = 1;
    villager_queue_fetch_goods(S);
    EXPECT_EQ(Cre[S].Puuha[0], 0);
    EXPECT_EQ(village().displaced_goods, 0);
}

TEST_F(VillagerRoutines, AValuableNearerThan48SquaresIsPickedUp) {
    put_object_on_map(MK_ITEM, CX + 48, CY, AXE, 1);
    EXPECT_EQ(villager_queue_pick_up(S), 0);
    const int near = put_object_on_map(MK_ITEM, CX + 47, CY, AXE, 1);
    EXPECT_EQ(villager_queue_pick_up(S), 1);
    EXPECT_EQ(Cre[S].Puuha[0], TASK_PICK_UP);
    EXPECT_EQ(Cre[S].task_target[0], near);
}

TEST_F(VillagerRoutines, MainTasksRunOutAndUnknownOnesAreDropped) {
    Cre[S].main_task = MAIN_TASK_HUNT;
    Plr.total_minutes = 1000;
    cre_run_main_task(S);
    EXPECT_EQ(Cre[S].main_task_until, 1720);
    Plr.total_minutes = 1720;
    EXPECT_EQ(cre_run_main_task(S), 0);
    EXPECT_EQ(Cre[S].main_task, 0);
    Cre[S].main_task = 42;
    EXPECT_EQ(cre_run_main_task(S), 0);
    EXPECT_EQ(Cre[S].main_task, 0);
    EXPECT_EQ(cre_run_main_task(S), 0);
}

TEST_F(VillagerRoutines, ALeavingCompanionsWageShortfallIsKept) {
    CreatureRecord& c = Cre[S];
    c.party_flags = PARTY_MEMBER;
    c.pay_value = 10.0f;
    c.served = 2;
    c.service_days = 3;
    cre_leave_party(S);
    EXPECT_FLOAT_EQ(c.wage_shortfall, 26.0f);  // 10 + 2 x 8, carrying nothing
    EXPECT_TRUE(c.life_bits & STATUS_UNPAID);
    EXPECT_TRUE(c.life_bits & STATUS_LEFT);
    EXPECT_FALSE(c.party_flags & PARTY_MEMBER);
    EXPECT_EQ(c.leave_day, Plr.days_played);
    // One seeking a settlement leaves without a claim.
    c.life_bits = STATUS_SEEKS_SETTLEMENT;
    cre_leave_party(S);
    EXPECT_EQ(c.wage_shortfall, 0.0f);
    EXPECT_FALSE(c.life_bits & (STATUS_UNPAID | STATUS_SEEKS_SETTLEMENT));
}

TEST_F(VillagerRoutines, ArmourIsPutOnFromThePack) {
    ObjectRecord& cap = ItemTypes[10];
    obj_clear_record(cap);
    cap.item_class = ITEM_ARMOUR;
    cap.weight = 1.0f;
    copy_text(cap.name, "Cap");
    Cre[S].inv_id[2] = 10;
    Cre[S].inv_count[2] = 2;
    EXPECT_EQ(cre_wear_armour(S), 1);
    EXPECT_EQ(Cre[S].worn[0], 10);
    EXPECT_EQ(Cre[S].inv_count[2], 1);
    // Beyond the table nothing is worn.
    EXPECT_EQ(cre_wear_armour(500), 0);
    EXPECT_EQ(cre_wear_armour(-2), 0);
}

}  // namespace
