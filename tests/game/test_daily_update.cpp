// The daily update: the day count, the daily counters, starvation, the
// daily trace line and the creatures of the map.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "objects/map_object_table.h"
#include "game/daily_update.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

struct DayCalls {
    std::vector<std::string> order;
    std::vector<int> creature_slots;
    int died = 0;
    int cause_at_death = 0;
    int plant_value = -1;
};
DayCalls day_calls;

class DailyUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        prepare();
    }
    // A character on day 7 of month 3, counting services.
    void prepare() {
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Hero");
        Plr.day = 7;
        Plr.month = 3;
        Plr.hour = 8;
        Plr.days_played = 4;
        Plr.day_change_mark = 6;
        Plr.Methaltij = -12;
        copy_text(character_name, "Hero");
        make_folder("Hero");
        std::memset(Data, 0, sizeof Data);
        day_calls = DayCalls{};
        DailyServices s{};
        s.rebuild_terrain_types = [] { day_calls.order.push_back("terrain"); };
        s.rot_pack_food = [] { day_calls.order.push_back("rot"); };
        s.age_map_items = [](int days) {
            EXPECT_EQ(days, 1);
            day_calls.order.push_back("age");
        };
        s.areal_itemizer = [] {
            day_calls.order.push_back("itemizer");
            return 17;
        };
        s.update_plant_patches = [](int v) {
            day_calls.plant_value = v;
            day_calls.order.push_back("plants");
        };
        s.purge_old_tracks = [] { day_calls.order.push_back("tracks"); };
        s.retire_stale_creature_records = [] { day_calls.order.push_back("retire"); };
        s.remove_expired_quests = [] { day_calls.order.push_back("quests"); };
        s.plr_die = [] {
            ++day_calls.died;
            day_calls.cause_at_death = Plr.cause_of_death;
            day_calls.order.push_back("die");
        };
        s.daily_wound_change = [] { day_calls.order.push_back("wounds"); };
        s.refresh_status_panel = [] { day_calls.order.push_back("panel"); };
        s.roll_daily_human_presence = [](int kind) {
            EXPECT_EQ(kind, 0);
            day_calls.order.push_back("humans");
        };
        s.creature_day = [](int slot) { day_calls.creature_slots.push_back(slot); };
        s.drop_expired_area_events = [] { day_calls.order.push_back("areas"); };
        s.clear_daily_object_flags = [] { day_calls.order.push_back("flags"); };
        daily_services = s;
    }
    void TearDown() override {
        Plr = saved_;
        daily_services = default_daily_services();
        character_name[0] = 0;
        std::memset(Data, 0, sizeof Data);
    }
    PlayFolder folder_{false};

private:
    PlayerRecord saved_;
};

TEST_F(DailyUpdateTest, StarvationOfAHundredKillsAtTheDayChange) {
    struct Case {
        int starvation;
        bool dies;
    } cases[] = {{99, false}, {100, true}, {255, true}, {0, false}};
    for (const Case& c : cases) {
        prepare();
        Plr.starvation = uint8_t(c.starvation);
        Plr.cause_of_death = 0;
        start_new_day();
        EXPECT_EQ(day_calls.died, c.dies ? 1 : 0) << c.starvation;
        EXPECT_EQ(Plr.days_played, 5) << c.starvation;
        if (c.dies) {
            EXPECT_EQ(day_calls.cause_at_death, CAUSE_STARVATION);
            EXPECT_EQ(Plr.cause_of_death, -101);
            // The day stops there: no mark, no trace line, no wound change.
            EXPECT_EQ(Plr.day_change_mark, 6);
            EXPECT_EQ(Plr.second_day_counter, 0);
            EXPECT_FALSE(folder_.exists("Hero/EQUIP.DAT"));
            EXPECT_EQ(day_calls.order.back(), "die");
        } else {
            EXPECT_EQ(Plr.cause_of_death, 0);
            EXPECT_EQ(Plr.day_change_mark, 7);
            EXPECT_EQ(Plr.second_day_counter, 1);
        }
        remove_file("Hero/EQUIP.DAT");
    }
}

TEST_F(DailyUpdateTest, RunsItsStepsInOrder) {
    start_new_day();
    const std::vector<std::string> expected = {"terrain", "rot",    "age",   "itemizer", "plants",
                                               "tracks",  "retire", "quests", "wounds",  "panel",
                                               "humans",  "areas",  "flags"};
    EXPECT_EQ(day_calls.order, expected);
    EXPECT_EQ(day_calls.plant_value, 17);
}

TEST_F(DailyUpdateTest, EquipFileGainsOneLineADay) {
    for (int d = 0; d < 3; ++d) {
        Plr.Methaltij = -12 + d;
        Plr.day = uint8_t(7 + d);
        start_new_day();
    }
    EXPECT_EQ(folder_.read("Hero/EQUIP.DAT"), "-12\n-11\n-10\n");
    EXPECT_EQ(Plr.days_played, 7);
    EXPECT_EQ(Plr.second_day_counter, 3);
    EXPECT_EQ(Plr.day_change_mark, 9);
}

TEST_F(DailyUpdateTest, ClearsTheDailyCounters) {
    std::memset(Plr.skill_rises_today, 3, sizeof Plr.skill_rises_today);
    for (int32_t& v : Plr.recent_offerings) v = 9;
    Plr.skill_level[0] = 44;  // next to the counters, untouched
    Plr.rite_list[0] = 5;
    start_new_day();
    for (uint8_t v : Plr.skill_rises_today) EXPECT_EQ(v, 0);
    for (int32_t v : Plr.recent_offerings) EXPECT_EQ(v, 0);
    EXPECT_EQ(Plr.skill_level[0], 44);
    EXPECT_EQ(Plr.rite_list[0], 5);
}

TEST_F(DailyUpdateTest, CreaturesOfTheMapCatchUp) {
    auto put = [](int i, uint8_t kind, int data) {
        Data[i].TYPE = kind;
        Data[i].DATA = data;
    };
    put(0, 4, 1000);   // slot 0
    put(1, 4, 1499);   // slot 499
    put(2, 4, 1500);   // beyond the table: skipped
    put(3, 4, 999);    // not a creature reference: skipped
    put(4, 52, 1003);  // a carcass: skipped
    put(9999, 4, 1042);
    start_new_day();
    EXPECT_EQ(day_calls.creature_slots, (std::vector<int>{0, 499, 42}));
}

TEST_F(DailyUpdateTest, WithoutServicesTheDayStillPasses) {
    DailyServices none{};
    daily_services = none;
    Plr.starvation = 100;
    start_new_day();  // no death service yet: nothing to call, no crash
    EXPECT_EQ(Plr.cause_of_death, CAUSE_STARVATION);
    Plr.starvation = 0;
    start_new_day();
    EXPECT_EQ(Plr.days_played, 6);
    EXPECT_EQ(folder_.read("Hero/EQUIP.DAT"), "-12\n");
}

}  // namespace
