// The player's step on a local map: a hundred steps (fifty forward, fifty
// back) over level ground among 500 map records, with the step test, the
// time each step takes with its minute steps, the step's effort, sound and
// noise, and what lies on each cell told. The view is not rebuilt: the game
// loop does that once per turn, whatever the command.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "bench_folder.h"
#include "creatures/movement_commands.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "screens/far_look.h"
#include "ui/message_line.h"

namespace {

constexpr int RECORDS = 500;
constexpr int STEPS = 100;

BenchFolder& movement_folder() {
    static BenchFolder folder("movement");
    return folder;
}

// Level ground, the player in the middle facing east, and 500 records (items
// and tracks) spread over the play area, some of them on the walked row.
void lay_out_walk() {
    movement_folder().enter();
    init_terrain_types_for_date(6, 1);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(height_layer, 3, MAP_CELLS);
    std::memset(view_layer, ' ', MAP_CELLS);
    reset_object_store();
    reset_map_object_table();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    is_world_map();
    Plr.zoom_origin_x = 1000;
    Plr.zoom_origin_y = 500;
    Plr.travel_mode = 1;
    Plr.month = 6;
    Plr.day = 1;
    Plr.hour = 10;
    Plr.body_weight = 170;
    Plr.bodytemp = 37.0f;
    Plr.spd = Plr.end = Plr.str = Plr.agi = 12;
    weather.current.snow = 0;
    weather.current.ice = 150;
    player_x = 200;
    player_y = 232;
    facing = 0;
    reset_movement_state();
    messages_suppressed = true;
    screen_hooks.describe_location_contents = describe_location_contents;
    ObjectRecord stone;
    obj_clear_record(stone);
    stone.item_class = ITEM_TOOL;
    copy_text(stone.name, "Stone");
    stone.weight = stone.full_weight = 2.0f;
    const int id = obj_store_new(stone);
    for (int i = 0; i < RECORDS; ++i) {
        MapObject& o = Data[i];
        o.x = uint16_t(i % 5 == 0 ? 200 + (i / 5) % 50 : MAP_BLOCK_FIRST + (i * 7) % 320);
        o.y = uint16_t(i % 5 == 0 ? 232 : MAP_BLOCK_FIRST + (i * 13) % 320);
        o.TYPE = i % 2 == 0 ? MK_ITEM : MK_TRACK;
        o.DATA = o.TYPE == MK_ITEM ? id : 1;
        o.amount = 1;
    }
}

void BM_MovePlayerLocal(benchmark::State& state) {
    lay_out_walk();
    for (auto _ : state) {
        for (int i = 0; i < STEPS; ++i) {
            if (MovePlayer(i < STEPS / 2 ? 1 : -1) != 1) {
                state.SkipWithError("a step was refused");
                break;
            }
        }
        view_rebuild_request = 0;
    }
    if (player_x != 200) state.SkipWithError("the walk did not come back");
    state.SetItemsProcessed(state.iterations() * STEPS);
    state.counters["us_per_step"] =
        benchmark::Counter(double(state.iterations()) * STEPS, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    messages_suppressed = false;
    reset_map_object_table();
    reset_object_store();
}
BENCHMARK(BM_MovePlayerLocal)->Unit(benchmark::kMicrosecond);

}  // namespace
