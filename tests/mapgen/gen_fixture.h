// The harness of the local-map generator's tests: the fixture world with
// its stored terrain and cultures, the heights the map change gives a
// cell, a small flora of test plants, the five lying things of the
// catalogue (rocks, stones, trunks and branches), and the two roads into
// generation: a request through "RNDHOUSE.DAT", or the passes alone on the
// working map (nothing stored, so one cell can be made over and over).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/platform.h"
#include "mapgen/heights.h"
#include "mapgen/rndhouse.h"
#include "maps/local_store.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/flora.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "work/herblore.h"

// Test plants: a berry of the forests that always grows, one of the south
// only, a water plant, a rocky one and a crop of the eastern cultures.
inline const char* const kGenFlora =
    ".Testberry. :98: (1) [berry]\n"
    "[NAME:testberry][TILEGFX:flo-berry][TERRAIN:coniferous fresh dry][COMMONNESS:100][QUANTITY:8][POPULATION:3]\n"
    "\n"
    ".Southwort.\n"
    "[NAME:southwort][TERRAIN:coniferous fresh dry][REGION:south][COMMONNESS:100][QUANTITY:8]\n"
    "\n"
    ".Reedling. [grass]\n"
    "[NAME:reedling][TERRAIN:lake][SYMBIOSIS:SHALLOW_WATER][COMMONNESS:100][QUANTITY:8][POPULATION:4]\n"
    "\n"
    ".Rockwort. [flower]\n"
    "[NAME:rockwort][TERRAIN:mountain cliff][SYMBIOSIS:ROCKY][COMMONNESS:100][QUANTITY:8]\n"
    "\n"
    ".Fieldcorn. [grain]\n"
    "[NAME:fieldcorn][CULTIVATED:eastern][COMMONNESS:100][QUANTITY:1]\n"
    "\n";

class GenWorld : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("Fix");
        init_terrain_types_for_date(6, 1);
        message_pause_count = 0;
        skip_message_pauses = true;
        load_world_files();
        load_culture_grid();
        std::memset(Markers, 0, sizeof(Marker) * MARKER_COUNT);
        zoom_index_invalidate();
        reset_object_store();
        std::memset(HerbEffects, 0, sizeof HerbEffects);
        folder.write("flora_gen.txt", kGenFlora);
        load_flora_item_types();
        for (const char* name : {"ROCK", "STONE", "BRANCH", "TREE TRUNK", "SLENDER TREE TRUNK"}) {
            obj_clear_staging();
            copy_text(current_object.name, name);
            current_object.item_class = ITEM_TIMBER;
            current_object.kind = 900;
            obj_store_template(-1);
        }
        debug_logs_on = 0;
        seed_random(11);
    }
    void TearDown() override {
        skip_message_pauses = false;
        message_pause_count = 0;
        debug_logs_on = 0;
        zoom_index_invalidate();
        clear_flora_index();
        reset_object_store();
    }

    // The heights the map change gives the cell before its request.
    static void give_heights(FixturePoint at) {
        fill_height_blocks(at.y - 3, at.x - 3);
        zoom_clear_work();
        zoom_copy_height_block(3, 3);
    }
    // A request as the map change writes it; rndhouse_main's answer.
    int request(FixturePoint at, const std::string& first_line, const std::string& scene = "ZOOM") {
        give_heights(at);
        write_file_atomic("RNDHOUSE.DAT", first_line + "\n" + scene + "\n0\n6\n1000,500\nFix\nFix\nBIGMAP\n");
        return rndhouse_main(at.x, at.y, -1);
    }
    // The passes alone on the working map: the cell is not stored.
    static void make_map(FixturePoint at, const char* env_word) {
        give_heights(at);
        std::memset(&generation_request, 0, sizeof generation_request);
        copy_text(generation_request.env_type, env_word);
        copy_text(generation_request.scene, "ZOOM");
        generation_world_x = filler_world_x = at.x;
        generation_world_y = filler_world_y = at.y;
        ASSERT_EQ(terrain_make(), 0);
    }

    static int count_terrain(int code) {
        int n = 0;
        for (uint8_t c : zoom_work.terrain) n += c == code;
        return n;
    }
    static int count_entries(int kind) {
        int n = 0;
        for (const MapObject& o : zoom_work.objects) n += o.TYPE == kind;
        return n;
    }
    // The item type slot of a name.
    static int type_of(const char* name) {
        for (int i = 1; i < ITEM_TYPE_COUNT; ++i)
            if (std::strcmp(ItemTypes[i].name, name) == 0) return i;
        return 0;
    }
    // Entries of the plant of item type t (its stored object).
    static int count_plant(int t) {
        int n = 0;
        for (const MapObject& o : zoom_work.objects) {
            if (o.TYPE != MK_PLANT_PATCH) continue;
            ObjectRecord r;
            obj_record(o.DATA, r);
            if (std::strcmp(r.name, ItemTypes[t].name) == 0) ++n;
        }
        return n;
    }

    PlayFolder folder{false};
    FixtureWorld world;
};
