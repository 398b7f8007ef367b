// Plant marks, the phrases of timed work, food preparations and smoking
// batches, and thrown items that land, bounce and settle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_marks.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/canvas.h"
#include "ui/message_line.h"

namespace {

constexpr int PX = 230, PY = 230;
constexpr uint8_t GROUND = 250, BIRCH = 10;  // open ground; a tree, which things bounce off

ObjectRecord thing(const char* name, uint8_t item_class, int kind = 300) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = item_class;
    r.kind = kind;
    copy_text(r.name, name);
    r.weight = r.full_weight = 1.0f;
    return r;
}

class MapMarks : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        reset_object_store();
        reset_map_object_table();
        reset_creature_tables();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        init_terrain_types();
        player_x = PX;
        player_y = PY;
        Plr.days_played = 20;
        Plr.total_minutes = 100000;
        Plr.hour = 10;
        for (int y = PY - 12; y <= PY + 12; ++y)
            for (int x = PX - 12; x <= PX + 12; ++x) {
                terrain_layer[map_index(x, y)] = GROUND;
                view_layer[map_index(x, y)] = 0;
            }
        view_half_w = 12;
        view_half_h = 12;
        messages_suppressed = false;
        skip_message_pauses = true;
        seed_random(5);
    }
    void TearDown() override {
        reset_map_object_table();
        reset_object_store();
        reset_creature_tables();
        skip_message_pauses = false;
        Plr = saved_;
    }
    // A timed record: due `minutes` from now (0: no minute), on day `day`.
    int timed(uint8_t kind, long minutes, int day = 0) {
        clear_staging_object();
        map_object_staging.TYPE = kind;
        map_object_staging.x = PX;
        map_object_staging.y = PY;
        map_object_staging.expire_minute = minutes == 0 ? 0 : uint32_t(Plr.total_minutes + minutes);
        map_object_staging.expire_day = uint16_t(day);
        return insert_map_object(-1);
    }
    PlayFolder folder{true};
    PlayerRecord saved_;
};

TEST_F(MapMarks, APickedPlantIsRememberedByItsMark) {
    EXPECT_EQ(is_plant_picked(PX, PY), 0);
    const int mark = add_plant_mark(PX, PY);
    ASSERT_GE(mark, 0);
    EXPECT_EQ(add_plant_mark(PX, PY), mark) << "one mark a square";
    EXPECT_EQ(is_plant_picked(PX, PY), 0);
    EXPECT_EQ(mark_plant_picked(PX, PY), mark);
    EXPECT_EQ(Data[mark].subkind, PLANT_MARK_PICKED);
    EXPECT_EQ(is_plant_picked(PX, PY), 1);
    // A young tree's mark keeps its own bit when picked.
    Data[mark].subkind = PLANT_MARK_YOUNG_TREE;
    terrain_layer[map_index(PX, PY)] = BIRCH;
    mark_plant_picked(PX, PY);
    EXPECT_EQ(is_sapling_at(PX, PY), 1);
    EXPECT_EQ(is_plant_picked(PX, PY), 1);
    EXPECT_EQ(Data[mark].TYPE, MK_PLANT_MARK);
}

TEST_F(MapMarks, HowLongWorkLastsInWords) {
    const struct {
        long minutes;
        const char* phrase;
    } remaining[] = {{5, "for a very little while"}, {9, "for a very little while"}, {19, "for a little while"},
                     {39, "for half an hour"},       {69, "for an hour"},             {89, "for over an hour"},
                     {149, "for a few hours"},       {239, "for several hours"},      {240, "till afternoon"},
                     {-30, "for a very little while"}};
    for (const auto& r : remaining) EXPECT_STREQ(remaining_time_phrase(timed(MK_BUILDING_WORK, r.minutes)), r.phrase)
        << r.minutes;
    // Hours wrap at midnight, however far ahead.
    Plr.hour = 22;
    EXPECT_STREQ(remaining_time_phrase(timed(MK_BUILDING_WORK, 240)), "till small hours");
    EXPECT_STREQ(remaining_time_phrase(timed(MK_BUILDING_WORK, 240 + 48 * 60)), "till small hours");

    const int w = timed(MK_BUILDING_WORK, 0);
    Data[w].expire_minute = 300;
    Data[w].time_stamp = 120;
    EXPECT_EQ(work_time_spent(w), 120);
    EXPECT_EQ(work_time_left(w), 180);
    EXPECT_EQ(work_time_spent(10000), 0);
    EXPECT_EQ(work_time_left(-1), 0);
}

TEST_F(MapMarks, WhenAPreparationIsReady) {
    Plr.hour = 23;
    const struct {
        long minutes;
        int day;
        const char* phrase;
    } ready[] = {
        {0, 0, "some day"},
        {0, 21, "tomorrow"},
        {600, 21, "tomorrow"},  // tomorrow by the day, whatever the minute says
        {0, 20, "today"},
        {0, 24, "after 4 days"},
        {0, 18, "shortly"},     // overdue
        {-50, 0, "shortly"},
        {14, 0, "shortly"},
        {39, 0, "in half an hour"},
        {69, 0, "in an hour"},
        {120, 0, "in a few hours"},
        {200, 0, "by small hours"},  // 23 o'clock and three hours: past midnight
        {1300, 0, "by late evening"},
        {1301, 0, "tomorrow"},
        {3 * 1440, 0, "after 3 days"},
    };
    for (const auto& r : ready) {
        const int i = timed(MK_PREPARATION, r.minutes, r.day);
        EXPECT_STREQ(ready_time_phrase(i), r.phrase) << r.minutes << " " << r.day;
    }
}

TEST_F(MapMarks, APreparationFinishesWhenItsTenderCanOrIsGone) {
    const int by_day = timed(MK_PREPARATION, 0, 20);
    EXPECT_EQ(is_preparation_done(by_day), 1);
    EXPECT_EQ(is_preparation_done(timed(MK_PREPARATION, 30)), 0);
    EXPECT_EQ(is_preparation_done(timed(MK_PREPARATION, 0)), 0);
    const int due = timed(MK_PREPARATION, -5);
    EXPECT_EQ(is_preparation_done(due), 1);

    // A tender standing here who sleeps holds it up; one who left does not.
    Data[due].ref = 1033;
    Cre[2].cre_class = 2;
    Cre[2].sotu = 1033;
    Cre[2].move_mode = MOVE_MODE_ASLEEP;
    CreSlotRefs[2] = 1033;
    clear_staging_object();
    map_object_staging.TYPE = MK_CREATURE;
    map_object_staging.x = PX + 3;
    map_object_staging.y = PY;
    map_object_staging.DATA = CRE_REF_BASE + 2;
    const int tender = insert_map_object(-1);
    EXPECT_EQ(is_preparation_done(due), 0);
    Cre[2].move_mode = 0;
    EXPECT_EQ(is_preparation_done(due), 1);
    Cre[2].move_mode = MOVE_MODE_ASLEEP;
    free_map_object(tender);
    EXPECT_EQ(is_preparation_done(due), 1) << "the tender is gone: it finishes when due";
}

TEST_F(MapMarks, ASmokingBatchSpoilsByItsSmoke) {
    ObjectRecord fish = thing("Pike", ITEM_FOOD, 490);
    fish.spoilage_days = 3;
    fish.price = 16.0f;
    const int pike = obj_store_new(fish);
    auto batch = [&](int smoke_minutes, int pieces) {
        const int i = timed(MK_PREPARATION, -1);
        Data[i].DATA = pike;
        Data[i].amount = uint16_t(pieces);
        Data[i].subkind = MAP_SUBKIND_SMOKING;
        Data[i].day_stamp = int16_t(smoke_minutes);
        return i;
    };
    auto spoiled = [](int id) {
        ObjectRecord r;
        return obj_record(id, r).spoilage_days == 255;
    };

    // Too little smoke: the whole batch spoils.
    int i = batch(300, 10);
    EXPECT_TRUE(spoiled(finish_food_preparation(i)));
    EXPECT_EQ(Data[i].TYPE, MK_ITEM);
    EXPECT_EQ(Data[i].subkind, 0);
    EXPECT_EQ(Data[i].day_stamp, 0);
    EXPECT_EQ(Data[i].amount, 10);
    free_map_object(i);

    // Enough: nothing spoils.
    i = batch(1000, 10);
    EXPECT_EQ(finish_food_preparation(i), pike);
    free_map_object(i);

    // Half the smoke: each piece spoils on a roll above 50, about 49 in 100.
    i = batch(480, 2000);
    EXPECT_EQ(finish_food_preparation(i), pike);
    int bad = 0, good = 0;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_ITEM || o.x != PX || o.y != PY) continue;
        (spoiled(o.DATA) ? bad : good) += o.amount;
    }
    EXPECT_EQ(bad + good, 2000);
    EXPECT_NEAR(bad, 980, 70);

    // A preparation that is not food comes out with its grade known.
    ObjectRecord hide = thing("Elk-skin", ITEM_SKIN, 410);
    hide.quality = 0x04;
    i = timed(MK_PREPARATION, -1);
    Data[i].DATA = obj_store_new(hide);
    Data[i].amount = 1;
    ObjectRecord out;
    EXPECT_EQ(obj_record(finish_food_preparation(i), out).quality, 0x84);
}

TEST_F(MapMarks, PickingFromAPreparationTellsWhenItIsReady) {
    const int i = timed(MK_PREPARATION, 0, 21);
    Data[i].DATA = obj_store_new(thing("Pike", ITEM_FOOD, 490));
    timed(MK_PREPARATION, 60);
    reset_last_message();
    EXPECT_EQ(report_preparing_at(PX, PY), 2);
    EXPECT_NE(std::strstr(last_message, "is still being prepared"), nullptr) << last_message;
    EXPECT_NE(std::strstr(last_message, "ready in an hour."), nullptr) << last_message;
    EXPECT_EQ(report_preparing_at(PX + 1, PY), 0);
}

TEST_F(MapMarks, AThrownItemLandsOrBouncesOffATree) {
    const int stone = obj_store_new(thing("Stone", ITEM_WEAPON));
    aseta_heitetty_esine(PX + 2, PY, stone);
    EXPECT_GE(find_map_object(MK_ITEM, PX + 2, PY), 0);
    EXPECT_EQ(target_x, PX + 2);
    EXPECT_EQ(target_y, PY);

    // Off a tree it lands on open ground beside it.
    terrain_layer[map_index(PX + 5, PY)] = BIRCH;
    aseta_heitetty_esine(PX + 5, PY, stone);
    EXPECT_LT(find_map_object(MK_ITEM, PX + 5, PY), 0);
    EXPECT_EQ(std::abs(target_x - (PX + 5)) <= 1 && std::abs(target_y - PY) <= 1, true);
    EXPECT_GE(find_map_object(MK_ITEM, target_x, target_y), 0);

    // An arrow sticks in it.
    ObjectRecord arrow = thing("Arrow", ITEM_WEAPON);
    arrow.subclass = 6;
    const int shot = obj_store_new(arrow);
    aseta_heitetty_esine(PX + 5, PY, shot);
    EXPECT_GE(find_map_object(MK_ITEM, PX + 5, PY), 0);

    // Among trees and unseen squares it stays where it hit.
    const int tx = PX - 5, ty = PY - 5;
    for (int y = ty - 1; y <= ty + 1; ++y)
        for (int x = tx - 1; x <= tx + 1; ++x) {
            terrain_layer[map_index(x, y)] = BIRCH;
            if (x != tx) view_layer[map_index(x, y)] = VIEW_UNSEEN;
        }
    terrain_layer[map_index(tx + 1, ty)] = GROUND;  // open, but out of view
    aseta_heitetty_esine(tx, ty, stone);
    EXPECT_GE(find_map_object(MK_ITEM, tx, ty), 0);
}

TEST_F(MapMarks, AThrownItemWithNoRoomOnTheMapComesBack) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        Data[i].TYPE = MK_ITEM;
        Data[i].x = 100;
        Data[i].y = 100;
        Data[i].DATA = 1;
        Data[i].amount = 1;
    }
    const int stone = obj_store_new(thing("Stone", ITEM_WEAPON));
    reset_last_message();
    aseta_heitetty_esine(PX + 2, PY, stone);
    EXPECT_EQ(Plr.plr_inv_id[0], stone);
    EXPECT_EQ(Plr.plr_inv_count[0], 1);
    EXPECT_NE(std::strstr(last_message, "nothing more fits"), nullptr) << last_message;
}

TEST_F(MapMarks, ThingsInABoatLieInTheBoat) {
    ObjectRecord punt = thing("Punt", ITEM_VEHICLE, 820);
    punt.subclass = 13;
    const int rock = put_object_on_map(MK_ITEM, PX, PY, obj_store_new(thing("Rock", ITEM_WEAPON)), 1);
    const int boat = put_object_on_map(MK_ITEM, PX, PY, obj_store_new(punt), 1);
    ASSERT_EQ(rock, 0);
    ASSERT_EQ(boat, 1);
    settle_items_at(PX, PY);
    ObjectRecord r;
    EXPECT_EQ(obj_record(Data[0].DATA, r).item_class, ITEM_VEHICLE) << "the boat is moved to the bottom";
    EXPECT_EQ(obj_record(Data[1].DATA, r).item_class, ITEM_WEAPON);
}

}  // namespace
