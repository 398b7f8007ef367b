// The settlement stamps and builders, the scenes and the encounters on the
// working local map.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "mapgen/gen_grid.h"
#include "mapgen/rndhouse.h"
#include "mapgen/scenes.h"
#include "mapgen/settlement_stamps.h"
#include "mapgen/settlements.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"

namespace {

class Settlements : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Set");
        init_terrain_types_for_date(6, 1);
        messages_suppressed = true;
        reset_object_store();
        for (const char* name : {"FIREWOOD", "TREE TRUNK", "WOODEN TUB", "ROPE", "BRANCH"}) {
            obj_clear_staging();
            copy_text(current_object.name, name);
            current_object.item_class = ITEM_TIMBER;
            current_object.kind = 900;
            obj_store_template(-1);
        }
        reset_creature_tables();
        copy_text(Plr.map_name, "BIGMAP");
        is_world_map();
        Plr.days_played = 40;
        generation_world_x = world.village.x;
        generation_world_y = world.village.y;
        flat(20);
    }
    void TearDown() override {
        messages_suppressed = false;
        reset_object_store();
        reset_creature_tables();
    }
    static void flat(int h) {
        zoom_clear_work();
        std::memset(zoom_work.height, h, sizeof zoom_work.height);
    }
    static int count_terrain(int code) {
        int n = 0;
        for (uint8_t c : zoom_work.terrain) n += c == code;
        return n;
    }
    static std::vector<MapObject> creatures() {
        std::vector<MapObject> out;
        for (const MapObject& o : zoom_work.objects)
            if (o.TYPE == MK_CREATURE) out.push_back(o);
        return out;
    }
    PlayFolder folder{false};
    FixtureWorld world;
};

bool indoor_code(int c) {
    static const std::set<int> codes = {4, 5, 19, 23, 28, 240, 95, 188, 191, 192, 196, 200, 208, 217, 218, 254};
    return codes.count(c) != 0;
}

// Over many seeds and every culture: each door has its road below it,
// the furniture stands inside walls, no cell is left marked, every
// creature stands on the grid, and the people of culture 10 keep their
// dogs without a fence.
TEST_F(Settlements, VillagesOverSeedsKeepDoorsFurnitureAndEdgesRight) {
    for (int seed = 0; seed < 2000; ++seed) {
        SCOPED_TRACE(seed);
        seed_random(uint32_t(seed));
        flat(20);
        const int culture = seed % 14;
        if (seed % 3 == 0) build_village(uint8_t(culture));
        else if (seed % 3 == 1) TeeUudistalo(uint8_t(culture));
        else build_fortified_village(uint8_t(culture));
        bool ok = true;
        for (int y = 0; y < 64 && ok; ++y)
            for (int x = 0; x < 64 && ok; ++x) {
                const int c = gen_terrain(x, y);
                if (c == 255) ok = false;
                if (c == 254 && (y == 63 || gen_terrain(x, y + 1) != 46)) ok = false;
                if (c == 4 || c == 5 || c == 19 || c == 28 || c == 240) {
                    for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                        if (!on_gen_grid(x + dx, y + dy) || !indoor_code(gen_terrain(x + dx, y + dy))) ok = false;
                }
            }
        ASSERT_TRUE(ok) << "culture " << culture;
        for (const MapObject& o : creatures()) ASSERT_TRUE(o.x < 64 && o.y < 64);
        if (culture == 10) {
            EXPECT_EQ(count_terrain(42), 0);
        }
    }
}

TEST_F(Settlements, UnevenGroundTakesNoBuildingButThePeopleStillCome) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) gen_height(x, y) = uint8_t(((x + y) & 1) ? 21 : 20);
    for (int culture = 0; culture < 14; ++culture) {
        SCOPED_TRACE(culture);
        seed_random(uint32_t(culture));
        zoom_clear_work();
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) gen_height(x, y) = uint8_t(((x + y) & 1) ? 21 : 20);
        build_village(uint8_t(culture));
        for (int code : {95, 40, 254, 43}) EXPECT_EQ(count_terrain(code), 0) << code;
        // Nobody settled in a house, so the three come to the middle.
        int at_middle = 0;
        for (const MapObject& o : creatures()) at_middle += o.x == 25 && o.y == 25;
        EXPECT_GE(at_middle, 3);
    }
}

TEST_F(Settlements, AStampNearTheEdgeIsNeverCutOff) {
    stamp_clear();
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 7; ++c) settlement_stamp[r * STAMP_SIDE + c] = 95;
    EXPECT_EQ(stamp_at(58, 58, 2), 1);  // a row and a column would fall off
    EXPECT_EQ(count_terrain(95), 0);
    EXPECT_EQ(stamp_at(58, 58, 0), 0);  // painted by force: only what is on the grid
    EXPECT_EQ(count_terrain(95), 36);
    flat(20);
    for (int seed = 0; seed < 50; ++seed) {
        seed_random(uint32_t(seed));
        const StampPlace p = find_stamp_place(61, 61);
        ASSERT_TRUE(p.placed);
        EXPECT_LE(p.x + 6, 63);
        EXPECT_LE(p.y + 6, 63);
        flat(20);
    }
}

TEST_F(Settlements, EnclosuresHoldTheirAnimals) {
    struct Case {
        int culture;
        int first_kinds[3];  // a first enclosure holds one of these
        bool fence;
    };
    const Case cases[] = {
        {10, {618, 618, 618}, false},
        {1, {609, 615, 616}, true},
        {7, {619, 619, 619}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.culture);
        seed_random(7);
        flat(20);
        settlement_begin(c.culture);
        TeeAitaus(10, 10, 3);
        std::vector<MapObject> first = creatures();
        ASSERT_FALSE(first.empty());
        for (const MapObject& o : first)
            EXPECT_TRUE(o.DATA == c.first_kinds[0] || o.DATA == c.first_kinds[1] || o.DATA == c.first_kinds[2]);
        EXPECT_EQ(count_terrain(42) > 0, c.fence);
        // The second enclosure keeps the dogs, two to four, without a fence.
        const int fence = count_terrain(42);
        TeeAitaus(40, 40, 3);
        const std::vector<MapObject> all = creatures();
        const int dogs = int(all.size() - first.size());
        EXPECT_GE(dogs, 2);
        EXPECT_LE(dogs, 4);
        EXPECT_EQ(all.back().DATA, 618);
        EXPECT_EQ(count_terrain(42), fence);
    }
    // The people of culture 13 keep no animals at all.
    flat(20);
    settlement_begin(13);
    TeeAitaus(10, 10, 3);
    EXPECT_TRUE(creatures().empty());
}

TEST_F(Settlements, KotasKeepTheirSizesAndTheirPeopleIndoors) {
    struct Case {
        int asked, walls_to;  // the size asked, the column of its east wall
        bool people;
    };
    const Case cases[] = {{0, 2, false}, {1, 2, false}, {2, 3, true}, {3, 4, true}, {7, 4, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        seed_random(1);
        flat(20);
        settlement_begin(0);
        const StampPlace p = build_kota(10, 10, c.asked);
        ASSERT_TRUE(p.placed);
        EXPECT_EQ(gen_terrain(p.x + c.walls_to, p.y + c.walls_to), 141);  // the south-east corner
        const std::vector<MapObject> in = creatures();
        EXPECT_EQ(!in.empty(), c.people);
        for (const MapObject& o : in) EXPECT_EQ(gen_terrain(o.x, o.y), 40) << o.x << "," << o.y;
        int fires = 0;
        for (const MapObject& o : zoom_work.objects) fires += o.TYPE == MK_FIRE || o.TYPE == MK_FIRE_SITE;
        EXPECT_EQ(fires, c.walls_to == 4 ? 1 : 0);
    }
}

TEST_F(Settlements, TheSaunaTubNeedsAFreeEntry) {
    build_sauna(10, 10, 1);
    int tubs = 0;
    for (const MapObject& o : zoom_work.objects) tubs += o.TYPE == MK_ITEM && o.ref == 22222;
    EXPECT_EQ(tubs, 1);
    flat(20);
    for (int i = 0; i < 1990; ++i) zoom_work.objects[i].TYPE = MK_BLOOD;
    build_sauna(10, 10, 1);
    tubs = 0;
    for (const MapObject& o : zoom_work.objects) tubs += o.TYPE == MK_ITEM;
    EXPECT_EQ(tubs, 0);
}

TEST_F(Settlements, TheHuntersBloodMarksAreDatedAndApart) {
    for (int seed = 0; seed < 20; ++seed) {
        seed_random(uint32_t(seed));
        flat(20);
        scene_hunter();
        int marks = 0;
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_BLOOD) continue;
            ++marks;
            EXPECT_EQ(o.amount, Plr.days_played);
        }
        EXPECT_EQ(marks, 4);
        EXPECT_EQ(creatures().size(), 2u);
    }
}

TEST_F(Settlements, PalisadesStandWhole) {
    for (int seed = 0; seed < 50; ++seed) {
        for (const int culture : {11, 1}) {
            SCOPED_TRACE(culture);
            seed_random(uint32_t(seed));
            flat(20);
            build_fortified_village(uint8_t(culture));
            const int wall = culture == 11 ? 42 : 39;
            for (int i = 2; i <= 61; ++i) {
                for (const auto& [x, y] : {std::pair{2, i}, {61, i}, {i, 2}, {i, 61}}) {
                    const bool gate = culture == 11 ? (x == 32 && y == 2) : (x == 61 && y == 32);
                    ASSERT_EQ(gen_terrain(x, y), gate ? 46 : wall) << x << "," << y;
                }
            }
            if (culture == 11) {
                EXPECT_EQ(gen_terrain(32, 1), 46);
                EXPECT_EQ(gen_terrain(32, 3), 46);
            } else {
                EXPECT_EQ(gen_terrain(62, 32), 46);
                EXPECT_EQ(gen_terrain(63, 32), 46);
            }
        }
    }
}

TEST_F(Settlements, TheCommonEndingMakesSureOfPeople) {
    // A culture with no layout: bare ground and the three of the top-up.
    build_village(20);
    EXPECT_EQ(count_terrain(250), 64 * 64);
    std::vector<int> kinds;
    for (const MapObject& o : creatures()) {
        EXPECT_EQ(o.x, 25);
        EXPECT_EQ(o.y, 25);
        kinds.push_back(o.DATA);
    }
    ASSERT_EQ(kinds.size(), 3u);
    EXPECT_TRUE(kinds[0] == 540 || kinds[0] == 530);
    EXPECT_EQ(kinds[1], 520);
    EXPECT_EQ(kinds[2], 590);

    // The warriors' villages have people enough of their own: no top-up
    // (which alone brings 590s there).
    int with_warriors = 0;
    for (int seed = 0; seed < 100; ++seed) {
        seed_random(uint32_t(seed));
        flat(20);
        build_village(11);
        if (settlement.grown + settlement.children <= 2) continue;
        ++with_warriors;
        for (const MapObject& o : creatures()) ASSERT_NE(o.DATA, 590) << seed;
    }
    EXPECT_GT(with_warriors, 50);
}

TEST_F(Settlements, AHomesteadHasASingleDwellerAboutOneTimeInSix) {
    int single = 0;
    for (int seed = 0; seed < 600; ++seed) {
        seed_random(uint32_t(seed));
        flat(20);
        TeeUudistalo(uint8_t(seed % 7));
        if (!settlement.single_dweller) continue;
        ++single;
        int people = 0;
        for (const MapObject& o : creatures()) people += o.DATA >= 500 && o.DATA < 600;
        ASSERT_LE(people, 1) << seed;
    }
    EXPECT_GE(single, 70);
    EXPECT_LE(single, 130);
}

TEST_F(Settlements, ACampHasItsPeopleAndNoMarkedCells) {
    for (int seed = 0; seed < 30; ++seed) {
        seed_random(uint32_t(seed));
        flat(20);
        build_camp_site();
        EXPECT_EQ(count_terrain(255), 0);
        for (const MapObject& o : creatures()) EXPECT_EQ(o.DATA, 500);
    }
}

TEST_F(Settlements, TheAbandonedCampSceneIsLaidExactly) {
    scene_abandoned_camp();
    for (int y = 26; y <= 29; ++y)
        for (int x = 26; x <= 29; ++x) EXPECT_EQ(gen_terrain(x, y), x == 28 && y == 28 ? 31 : 250);
    auto item_at = [](int x, int y, const char* name) {
        const int t = obj_template_by_name(name, 1);
        for (const MapObject& o : zoom_work.objects)
            if (o.TYPE == MK_ITEM && o.x == x && o.y == y && o.DATA == t) return int(o.amount);
        return 0;
    };
    EXPECT_EQ(item_at(26, 26, "FIREWOOD"), 30);
    EXPECT_EQ(item_at(27, 26, "TREE TRUNK"), 1);
    EXPECT_EQ(item_at(26, 28, "TREE TRUNK"), 1);
    int random_items = 0;
    for (const MapObject& o : zoom_work.objects) random_items += o.TYPE == MK_ITEM && o.x == 29 && (o.y == 28 || o.y == 29);
    EXPECT_EQ(random_items, 2);
}

TEST_F(Settlements, ScenePlacesGiveUpWithoutGround) {
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) gen_terrain(x, y) = uint8_t((x + y) & 1 ? 250 : 18);
    const MapPoint p = scene_place("[mid]");
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    // The site scene paints nothing when it finds no place.
    const std::vector<uint8_t> before(zoom_work.terrain, zoom_work.terrain + 64 * 64);
    EXPECT_EQ(zoom_place_site_scene("[triboulder]", 0), 0);
    EXPECT_EQ(std::vector<uint8_t>(zoom_work.terrain, zoom_work.terrain + 64 * 64), before);
}

class Encounters : public Settlements {
protected:
    void SetUp() override {
        Settlements::SetUp();
        docreatures();
        std::memset(Data, 0, sizeof Data);
    }
};

TEST_F(Encounters, ABandOfTheNorthShareOneNewGroup) {
    std::set<int> groups;
    for (int round = 0; round < 3; ++round) {
        flat(20);
        seed_random(uint32_t(round));
        Encounter(551);
        const std::vector<MapObject> band = creatures();
        ASSERT_GE(band.size(), 2u);
        ASSERT_LE(band.size(), 4u);
        int group = -1;
        for (const MapObject& o : band) {
            ASSERT_GE(o.DATA, CRE_REF_BASE);
            const CreatureRecord& r = crs_records()[size_t(o.DATA - CRE_REF_BASE)];
            EXPECT_EQ(r.kind, 551);
            if (group < 0) group = r.lauma;
            EXPECT_EQ(r.lauma, group);
            EXPECT_EQ(gen_terrain(o.x, o.y), 250);
        }
        EXPECT_NE(group, 0);
        EXPECT_TRUE(groups.insert(group).second) << "a group id came twice";
    }
}

TEST_F(Encounters, NumbersThatNameNoCreatureBringNothing) {
    for (const int n : {-5, 7, 499, 1000000}) {
        flat(20);
        Encounter(n);
        EXPECT_TRUE(creatures().empty()) << n;
    }
    // A written creature comes as itself, once.
    creature_template(600);
    const int ref = append_creature_record(CreScratch);
    ASSERT_NE(ref, CRE_NO_CREATURE);
    flat(20);
    Encounter(ref);
    const std::vector<MapObject> one = creatures();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].DATA, ref);
}

TEST_F(Encounters, WorldCreaturesComeDownOnceAndSpottedGroupsNotAtAll) {
    auto world_entry = [&](int i, int subkind, int data) {
        MapObject& o = Data[i];
        o = MapObject{};
        o.TYPE = MK_WORLD_CREATURE;
        o.x = uint16_t(generation_world_x);
        o.y = uint16_t(generation_world_y);
        o.subkind = uint8_t(subkind);
        o.DATA = data;
    };
    world_entry(0, 2, 600);
    world_entry(1, 0, 600);
    Siirra_Maailma_Tapahtumat();
    EXPECT_EQ(Data[0].TYPE, MK_FREED);
    EXPECT_EQ(Data[1].TYPE, MK_FREED);
    const std::vector<MapObject> first = creatures();
    ASSERT_EQ(first.size(), 1u);  // the group that must be spotted made nothing
    EXPECT_EQ(first[0].DATA, 600);
    // Asked again for the cell: nothing comes a second time.
    flat(20);
    Siirra_Maailma_Tapahtumat();
    EXPECT_TRUE(creatures().empty());
}

}  // namespace
