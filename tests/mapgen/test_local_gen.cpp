// The generation passes: the shape tools, edge strips and the join, the
// fillers of caves and fields, the water level and the rocks in the water,
// the finish and the saplings, the lying rocks and wood, and the plants of
// the flora placed by habitat, region, soil and group. Many hold over a
// run of seeds; the sanitizer build shows that nothing reads or writes
// off the map.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "creatures/creature_queries.h"
#include "gen_fixture.h"
#include "mapgen/fillers.h"
#include "mapgen/gen_grid.h"
#include "mapgen/vegetation.h"
#include "mapgen/water.h"
#include "maps/map_layers.h"

namespace {

using Passes = GenWorld;

constexpr int kSeeds = 12;

int count_mask() {
    int n = 0;
    for (uint8_t m : blob_mask) n += m != 0;
    return n;
}

void fill_map(uint8_t code, uint8_t height = 10) {
    zoom_clear_work();
    std::memset(zoom_work.terrain, code, sizeof zoom_work.terrain);
    std::memset(zoom_work.height, height, sizeof zoom_work.height);
}

// ------------------------------------------------------------ shapes

TEST_F(Passes, ShapesStayOnTheMapAndReachTheirSize) {
    struct Blob {
        int cx, cy, w, h;
    };
    const Blob blobs[] = {{32, 32, 64, 64}, {0, 0, 32, 32}, {63, 63, 12, 12}, {5, 60, 40, 20}, {32, 32, 8, 8}};
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        seed_random(seed);
        for (const Blob& b : blobs) {
            make_blob(b.cx, b.cy, b.w, b.h);
            EXPECT_GT(count_mask() * 5, 2 * b.w * b.h) << b.cx << "," << b.cy << " " << b.w << "x" << b.h;
        }
        for (int kind : {1, 2, 4, 8}) {
            place_blob(0, 0, kind);
            EXPECT_GE(count_mask(), kind == 8 ? 26 : kind == 4 ? 26 : 400) << "kind " << kind;
        }
        for (int size = 1; size <= 10; ++size) {
            make_pond(size);
            EXPECT_GE(count_mask(), 1);
            EXPECT_LE(count_mask(), (size + 1) * (size + 1));
        }
    }
}

TEST_F(Passes, CoverAndGroundTypesKeepEachOther) {
    fill_map(250, 20);
    make_blob(32, 32, 16, 16);
    blob_set_ground_type(GROUND_CRAG);
    blob_set_cover_kind(SURFACE_MOSS, 19);  // too high: no moss
    EXPECT_EQ(zoom_work.cover[gen_cell(32, 32)], GROUND_CRAG << 3);
    blob_set_cover_kind(SURFACE_MOSS, 20);
    EXPECT_EQ(zoom_work.cover[gen_cell(32, 32)], (GROUND_CRAG << 3) | SURFACE_MOSS);
    std::memset(zoom_work.height, 255, sizeof zoom_work.height);
    blob_raise();
    EXPECT_EQ(gen_height(32, 32), 255);  // heights stay within a byte
}

// ------------------------------------------------------------ strips

TEST_F(Passes, EdgeStripsTakeOnlyPatternedCellsAndNeverDrownWater) {
    std::memset(&blend_map, 0, sizeof blend_map);
    fill_map(250);
    gen_terrain(10, 3) = T_SPRUCE;
    gen_cover(11, 3) = SURFACE_MOSS;
    gen_terrain(12, 3) = T_SHALLOW_WATER;
    gen_terrain(2, 2) = T_PINE;  // north-west corner: taken by the north strip ...
    copy_edge_strip(SIDE_NORTH);
    fill_map(250);
    copy_edge_strip(SIDE_WEST);  // ... and unmarked by the west strip, blank there
    fill_map(250);
    gen_terrain(10, 3) = T_WATER;  // the finished map's water stays
    yhdista();
    EXPECT_EQ(gen_terrain(10, 3), T_WATER);
    EXPECT_EQ(gen_cover(11, 3), SURFACE_MOSS);
    EXPECT_EQ(gen_terrain(12, 3), T_SHALLOW_WATER);
    EXPECT_EQ(gen_terrain(2, 2), T_GROUND);
    EXPECT_EQ(count_terrain(T_GROUND), 64 * 64 - 2);
}

TEST_F(Passes, HillBesidePineMireShowsTheMireOnlyInItsNorthStrip) {
    stored_world_terrain[map_index(world.hill.x, world.hill.y - 1)] = 236;
    int mire_seen = 0;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE(seed);
        seed_random(seed);
        make_map(world.hill, "HILL");
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const int code = gen_terrain(x, y);
                const bool mire = code == T_SHALLOW_WATER || code == T_YOUNG_PINE || code == T_PINE ||
                                  code == T_YOUNG_SPRUCE || (gen_cover(x, y) & COVER_SURFACE_MASK) == SURFACE_MOSS;
                if (!mire) continue;
                ASSERT_LT(y, 8) << x << "," << y << " holds " << code;
                ++mire_seen;
            }
        }
    }
    EXPECT_GT(mire_seen, kSeeds * 20);
}

TEST_F(Passes, NeighboursLendTheirLookButNeverTheirHeights) {
    // A cliff to the north raises its rocks on its own map only.
    stored_world_terrain[map_index(world.hill.x, world.hill.y - 1)] = 93;
    give_heights(world.hill);
    std::vector<uint8_t> heights(zoom_work.height, zoom_work.height + 64 * 64);
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        seed_random(seed);
        make_map(world.hill, "HILL");
        EXPECT_TRUE(std::equal(heights.begin(), heights.end(), zoom_work.height)) << seed;
        int pines = 0;
        for (int x = 0; x < 64; ++x)
            for (int y = 0; y < 8; ++y) pines += gen_terrain(x, y) == T_PINE || gen_terrain(x, y) == T_YOUNG_PINE;
        EXPECT_GT(pines, 0) << "the cliff's heath along the north edge";
    }
}

// ------------------------------------------------------------ caves and fields

TEST_F(Passes, CaveHasOneWayOutFloorInItsChambersAndOneDwellerOrAFewThings) {
    for (uint32_t seed = 1; seed <= kSeeds * 2; ++seed) {
        SCOPED_TRACE(seed);
        seed_random(seed);
        make_map(world.cave, "CAVE");
        int ways_out = 0, dwellers = 0, things = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                if (gen_terrain(x, y) == T_SURFACE) {
                    EXPECT_EQ(y, 30);
                    ++ways_out;
                }
                if (gen_terrain(x, y) == T_CAVE_FLOOR) {
                    // The chambers lie from (39, 22) to (60, 40); the tunnel runs on row 30.
                    EXPECT_TRUE((x >= 39 && x <= 60 && y >= 22 && y <= 40) || y == 30) << x << "," << y;
                }
            }
        }
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE == 0 || gen_terrain(o.x, o.y) != T_CAVE_FLOOR) continue;
            EXPECT_LE(o.x, 47);
            EXPECT_LE(o.y, 47);
            if (o.TYPE == 4) ++dwellers;
            if (o.TYPE == 1) things += o.amount;
        }
        EXPECT_EQ(ways_out, 1);
        EXPECT_LE(dwellers, 1);
        EXPECT_LE(things, 3);
        EXPECT_FALSE(dwellers && things);
    }
}

TEST_F(Passes, TunnelWithoutOpenGroundEndsAtTheMapsEdge) {
    fill_map(T_HIGH_CLIFF);
    seed_random(3);
    dig_cave();
    EXPECT_EQ(gen_terrain(63, 30), T_SURFACE);
    for (int x = 48; x < 63; ++x) EXPECT_EQ(gen_terrain(x, 30), T_CAVE_FLOOR) << x;
}

TEST_F(Passes, FieldIsPreparedSoilAndItsCropsGrowOnlyThere) {
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE(seed);
        seed_random(seed);
        make_map(world.field, "FIELD");
        const int soil = count_terrain(T_PREPARED_SOIL);
        EXPECT_GE(soil, 560);
        EXPECT_LE(soil, 682);
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            EXPECT_EQ(gen_terrain(o.x, o.y), T_PREPARED_SOIL);
        }
        // A crop set on the field grows on its soil only.
        setplant(T_PREPARED_SOIL, 50, type_of("Fieldcorn"));
        EXPECT_GE(count_plant(type_of("Fieldcorn")), 30);
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            EXPECT_EQ(gen_terrain(o.x, o.y), T_PREPARED_SOIL);
        }
    }
}

TEST_F(Passes, VillageFieldStartsFromGroundAndLaysNoRocks) {
    fill_map(T_GROUND, 20);
    std::memset(zoom_work.terrain, T_PREPARED_SOIL, 2000);
    seed_random(8);
    zoom_make_cultivated_field(world.field.x, world.field.y, 1);
    const int soil = count_terrain(T_PREPARED_SOIL);
    EXPECT_GE(soil, 560);
    EXPECT_LE(soil, 682);
    EXPECT_EQ(count_terrain(T_BIG_ROCK), 0);
}

TEST_F(Passes, OutsideTheWorldIsNoLandOfAnyCulture) {
    EXPECT_EQ(generation_world_code(-1, 500), 32);
    EXPECT_EQ(generation_world_code(1000, 2048), 32);
    EXPECT_EQ(generation_world_code(world.conifer.x, world.conifer.y), 15);
    EXPECT_EQ(generation_culture(3072, 10), 10);
    EXPECT_EQ(generation_culture(world.conifer.x, world.conifer.y), world.land_culture);
}

TEST_F(Passes, FieldGrowsTheCropsOfItsCulture) {
    if (!text_mentions_culture("eastern", world.land_culture))
        GTEST_SKIP() << "the culture test of the creature code is not built yet";
    seed_random(5);
    make_map(world.field, "FIELD");
    EXPECT_GE(count_plant(type_of("Fieldcorn")), 30);
}

// ------------------------------------------------------------ water

TEST_F(Passes, WaterLevelComesFromTheBorderHeights) {
    struct Case {
        int low, high, code, level;
    };
    const Case cases[] = {
        {9, 20, 247, 10}, {12, 12, 247, 10}, {8, 13, 247, 9}, {2, 9, 247, 8},
        {30, 32, 247, 10}, {20, 40, 176, 7}, {0, 0, 247, 1}, {1, 3, 183, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(water_level_from_border(c.low, c.high, c.code), c.level) << c.low << "," << c.high;
    struct Code {
        int world, water;
    };
    const Code codes[] = {{176, 247}, {177, 177}, {178, 178}, {180, 180}, {181, 247},
                          {182, 247}, {183, 247}, {244, 244}, {247, 247}, {15, 247}};
    for (const Code& c : codes) EXPECT_EQ(water_code_for(c.world), c.water) << c.world;
}

TEST_F(Passes, RocksInTheWaterStayOnTheMapWithinTheirHeights) {
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        seed_random(seed);
        fill_map(T_WATER, 3);
        for (const int at : {0, 63}) {
            place_rock_cluster(at, at, 1);
            place_rock_chain(at, 63 - at, 1);
        }
        place_rock_cluster(30, 30, 9);
        for (int i = 0; i < 64 * 64; ++i) {
            EXPECT_GE(zoom_work.height[i], 1);
            if (zoom_work.terrain[i] == T_GROUND) {
                const int ground = (zoom_work.cover[i] & COVER_GROUND_MASK) >> COVER_GROUND_SHIFT;
                EXPECT_TRUE(ground == GROUND_BASE_ROCK || ground == GROUND_CRAG);
            }
        }
        // A cluster's stones lie a band under its level at the lowest.
        for (int y = 29; y <= 31; ++y)
            for (int x = 29; x <= 31; ++x) {
                if (gen_terrain(x, y) != T_GROUND) continue;
                EXPECT_GE(gen_height(x, y), 8);
            }
    }
}

TEST_F(Passes, FinishDrownsLowLandAndItsCropsAndBaresHighGround) {
    fill_map(T_GROUND, 20);
    gen_terrain(5, 5) = T_PREPARED_SOIL;
    gen_height(5, 5) = 6;
    gen_cover(5, 5) = SURFACE_MOSS;
    zoom_add_data(5, 5, MK_PLANT_PATCH, 50000, 1);
    zoom_add_data(6, 5, MK_PLANT_PATCH, 50000, 1);
    gen_height(7, 7) = 7;
    gen_height(9, 9) = 40;
    gen_height(10, 10) = 39;
    generation_world_x = world.conifer.x;
    generation_world_y = world.conifer.y;
    Viimeistele();
    EXPECT_EQ(gen_terrain(5, 5), T_WATER);
    EXPECT_EQ(gen_cover(5, 5), 0);
    EXPECT_EQ(zoom_work.objects[0].TYPE, 0);
    EXPECT_EQ(zoom_work.objects[1].TYPE, MK_PLANT_PATCH);  // beside it, on dry land
    EXPECT_EQ(gen_terrain(7, 7), T_GROUND);
    EXPECT_EQ(gen_ground_type(9, 9), GROUND_BASE_ROCK);
    EXPECT_EQ(gen_ground_type(10, 10), 0);

    // On a water cell's map low land stays land, bare of cover.
    fill_map(T_GROUND, 20);
    gen_height(5, 5) = 4;
    gen_cover(5, 5) = SURFACE_MOSS;
    generation_world_x = world.lake_centre.x;
    generation_world_y = world.lake_centre.y;
    Viimeistele();
    EXPECT_EQ(gen_terrain(5, 5), T_GROUND);
    EXPECT_EQ(gen_cover(5, 5), 0);
}

TEST_F(Passes, SaplingsMarkAFifthOfYoungSprucesAndASixthOfBirches) {
    int spruces = 0, spruce_marks = 0, birches = 0, birch_marks = 0;
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        seed_random(seed);
        fill_map(T_GROUND);
        std::memset(zoom_work.terrain, T_YOUNG_SPRUCE, 1500);
        std::memset(zoom_work.terrain + 1500, T_BIRCH, 1500);
        place_saplings();
        spruces += 1500;
        birches += 1500;
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE == 0) continue;
            ASSERT_EQ(o.TYPE, MK_PLANT_MARK);
            EXPECT_EQ(o.subkind, PLANT_MARK_YOUNG_TREE);
            EXPECT_EQ(o.DATA, 0);
            (gen_terrain(o.x, o.y) == T_YOUNG_SPRUCE ? spruce_marks : birch_marks) += 1;
        }
    }
    EXPECT_NEAR(double(spruce_marks) / spruces, 0.20, 0.02);
    EXPECT_NEAR(double(birch_marks) / birches, 1.0 / 6, 0.02);

    // A map whose entries are all in use gets none.
    fill_map(T_YOUNG_SPRUCE);
    for (MapObject& o : zoom_work.objects) o.TYPE = 1;
    place_saplings();
    EXPECT_EQ(count_entries(MK_PLANT_MARK), 0);
}

// ------------------------------------------------------------ rocks and wood

// Entries of the rock and stone items.
int count_rocks() {
    int n = 0;
    for (const MapObject& o : zoom_work.objects) {
        if (o.TYPE != MK_ITEM || !obj_id_is_type(o.DATA)) continue;
        n += std::strcmp(ItemTypes[o.DATA].name, "ROCK") == 0 || std::strcmp(ItemTypes[o.DATA].name, "STONE") == 0;
    }
    return n;
}

TEST_F(Passes, MiresHaveNoRocksAndTheLandOnlyWhatTheCatalogueHolds) {
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        seed_random(seed);
        for (const FixturePoint at : {world.open_mire, world.pine_mire}) {
            make_map(at, "MIRE");
            EXPECT_EQ(count_terrain(T_BIG_ROCK), 0);
            EXPECT_EQ(count_rocks(), 0);
        }
    }
    seed_random(2);
    make_map(world.mountain, "MOUNTAIN");
    EXPECT_GT(count_rocks(), 0);
    EXPECT_GT(count_terrain(T_BIG_ROCK), 0);
    // Without the catalogue's rocks and stones nothing lies on the ground.
    for (const char* name : {"ROCK", "STONE", "BRANCH", "TREE TRUNK", "SLENDER TREE TRUNK"})
        obj_clear_record(ItemTypes[type_of(name)]);
    seed_random(2);
    make_map(world.mountain, "MOUNTAIN");
    EXPECT_EQ(count_entries(MK_ITEM), 0);
}

TEST_F(Passes, AntNestsComeOnlyToConiferousLandAndOneAtMost) {
    int nests = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        seed_random(seed);
        fill_map(T_GROUND);
        generation_world_x = world.conifer.x;
        generation_world_y = world.conifer.y;
        scatter_rocks_and_wood(3);
        EXPECT_LE(count_terrain(T_ANT_NEST), 1);
        nests += count_terrain(T_ANT_NEST);
        fill_map(T_GROUND);
        generation_world_x = world.grove.x;
        generation_world_y = world.grove.y;
        scatter_rocks_and_wood(3);
        EXPECT_EQ(count_terrain(T_ANT_NEST), 0);
    }
    EXPECT_GT(nests, 0);
}

TEST_F(Passes, ScatterNeedsLevelGroundThatIsNotBareRock) {
    fill_map(T_GROUND, 10);
    EXPECT_EQ(scatter_cell_ok(0, 0), 1);  // off the map counts as level
    gen_height(21, 20) = 11;
    EXPECT_EQ(scatter_cell_ok(20, 20), 0);
    set_gen_ground_type(40, 40, GROUND_BASE_ROCK);
    EXPECT_EQ(scatter_cell_ok(40, 40), 0);
    set_gen_ground_type(50, 50, GROUND_CRAG);
    int yes = 0;
    for (int i = 0; i < 2000; ++i) yes += scatter_cell_ok(50, 50);
    EXPECT_NEAR(yes / 2000.0, 0.1, 0.03);
}

// ------------------------------------------------------------ plants

TEST_F(Passes, RegionWordsAdmitTheirPartOfTheWorld) {
    struct Case {
        const char* text;
        int x, y, expected;
    };
    const Case cases[] = {
        {"", 5, 5, 1},          {"north", 500, 899, 1}, {"north", 500, 900, 0}, {"NORTH", 500, 10, 1},
        {"south", 500, 2047, 0}, {"east", 1001, 851, 1}, {"east", 1000, 851, 0}, {"east", 1500, 850, 0},
        {"west", 1199, 851, 1}, {"west", 1200, 851, 0},  {"north west", 100, 1500, 1}, {"northern", 500, 10, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(region_matches(c.text, c.x, c.y), c.expected) << c.text << " " << c.x << "," << c.y;
}

TEST_F(Passes, WaterReachCountsTheStepsOfOpenWaterAround) {
    fill_map(T_WATER);
    EXPECT_EQ(water_reach(32, 32), 1000);
    EXPECT_EQ(water_reach(0, 0), 1000);  // beyond the map counts as water
    fill_map(T_GROUND);
    EXPECT_EQ(water_reach(32, 32), 0);
    for (int y = 15; y <= 25; ++y)
        for (int x = 15; x <= 25; ++x) gen_terrain(x, y) = T_WATER;
    EXPECT_EQ(water_reach(20, 20), 6);
    EXPECT_EQ(water_reach(16, 20), 2);
    EXPECT_EQ(terrain_near(14, 14, T_WATER, 1), 1);
    EXPECT_EQ(terrain_near(13, 14, T_WATER, 1), 0);
    gen_terrain(0, 0) = T_SPRUCE;
    EXPECT_EQ(terrain_near(1, 1, T_SPRUCE, 1), 0);  // cells on row or column 0 are not asked
    EXPECT_EQ(terrain_flag_near(1, 1, 1, TF_YOUNG_TREE), 1);
}

TEST_F(Passes, PlantsGrowInGroupsOnDistinctCellsOfTheirHabitatAndRegion) {
    const int berry = type_of("Testberry"), south = type_of("Southwort");
    ASSERT_GT(berry, 0);
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE(seed);
        seed_random(seed);
        make_map(world.conifer, "CONIFEROUS");
        EXPECT_GE(count_plant(berry), 5);
        EXPECT_LE(count_plant(berry), 8);
        EXPECT_EQ(count_plant(south), 0);
        std::set<int> cells;
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            EXPECT_TRUE(cells.insert(o.y * 64 + o.x).second) << "two plants on " << o.x << "," << o.y;
            EXPECT_EQ(gen_terrain(o.x, o.y), T_GROUND);
            EXPECT_GE(o.amount, 1);
            EXPECT_LE(o.amount, 8);
        }
    }
    // The grove's habitat is not theirs.
    seed_random(1);
    make_map(world.grove, "GROVE");
    EXPECT_EQ(count_plant(berry), 0);
}

TEST_F(Passes, WaterAndRockPlantsFindTheirOwnGround) {
    int reeds = 0, rockworts = 0;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        seed_random(seed);
        // Of the test plants only the reed grows in a lake; on this corner
        // of one its shores are near.
        make_map({world.lake_centre.x + 1, world.lake_centre.y - 1}, "WATER");
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            const int code = gen_terrain(o.x, o.y);
            EXPECT_TRUE(code == T_WATER || code == T_SHALLOW_WATER || code == T_RIVER || code == T_DEEP_WATER);
            EXPECT_LE(water_reach(o.x, o.y), 5);
            ++reeds;
        }
        make_map(world.mountain, "MOUNTAIN");
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            ObjectRecord r;
            obj_record(o.DATA, r);
            if (std::strcmp(r.name, "Rockwort") != 0) continue;
            const int ground = gen_ground_type(o.x, o.y);
            EXPECT_TRUE(ground == GROUND_BASE_ROCK || ground == GROUND_CRAG);
            ++rockworts;
        }
    }
    EXPECT_GT(reeds, 0);
    EXPECT_GT(rockworts, 0);
}

TEST_F(Passes, SymbiosisNeedsItsNeighboursByName) {
    folder.write("flora_gen.txt", std::string(kGenFlora) +
                                      ".Sprucefriend.\n[NAME:x][TERRAIN:coniferous][SYMBIOSIS:Spruce][COMMONNESS:0][QUANTITY:8]\n\n"
                                      ".Nobody.\n[NAME:x][TERRAIN:coniferous][SYMBIOSIS:Cloudwood][COMMONNESS:0][QUANTITY:8]\n\n");
    load_flora_item_types();
    fill_map(T_GROUND);
    // A terrain without a name (32) is no neighbour of any plant.
    gen_terrain(20, 20) = 32;
    for (int i = 0; i < 3; ++i) gen_terrain(40 + i, 40) = T_SPRUCE;
    seed_random(4);
    setplant(T_GROUND, 40, type_of("Nobody"));
    EXPECT_EQ(count_entries(MK_PLANT_PATCH), 0);
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        seed_random(seed);
        setplant(T_GROUND, 40, type_of("Sprucefriend"));
    }
    for (const MapObject& o : zoom_work.objects) {
        if (o.TYPE != MK_PLANT_PATCH) continue;
        EXPECT_LE(std::abs(o.x - 41), 3);
        EXPECT_LE(std::abs(o.y - 40), 2);
    }
}

}  // namespace
