// The per-turn pass over a full map-object table (10,000 records without
// creatures, and with 20 fires among them), one turn of an animal, a person
// and a spirit on an open local map, and a haul-out spot of a map with a
// lake (its candidates gathered once, then drawn).
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "bench_folder.h"
#include "creatures/animal_turn.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_steps.h"
#include "creatures/task_queue.h"
#include "creatures/turn_steps.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "ui/message_line.h"

namespace {

constexpr int NOW = 200000;
constexpr int CX = 230, CY = 230;

BenchFolder& turns_folder() {
    static BenchFolder folder("creature_turns");
    return folder;
}

void open_local_map() {
    turns_folder().enter();
    init_terrain_types_for_date(6, 1);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(height_layer, 3, MAP_CELLS);
    std::memset(view_layer, ' ', MAP_CELLS);
    std::memset(remembered_layer, ' ', MAP_CELLS);
    std::memset(stored_world_terrain, 250, MAP_CELLS);
    reset_creature_tables();
    reset_map_object_table();
    reset_task_queue();
    reset_creature_steps();
    reset_animal_turns();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    Plr.spd = Plr.end = 12;
    Plr.travel_mode = 1;
    Plr.bodytemp = 37;
    Plr.hour = 12;
    Plr.month = 6;
    Plr.days_played = 100;
    Plr.total_minutes = NOW;
    Plr.zoom_origin_x = 500;
    Plr.zoom_origin_y = 500;
    player_x = 200;
    player_y = 200;
    weather.current.snow = 0;
    weather.current.rain = 0;
    messages_suppressed = true;
    is_world_map();
    seed_random(7);
}

// 10,000 used records of items, blood marks and tracks over the play area;
// `fires` of them burning fires that stay lit.
void lay_out_full_table(int fires) {
    open_local_map();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        o.x = uint16_t(MAP_BLOCK_FIRST + (i * 7) % 320);
        o.y = uint16_t(MAP_BLOCK_FIRST + (i * 13) % 320);
        o.TYPE = i % 3 == 0 ? MK_ITEM : i % 3 == 1 ? MK_BLOOD : MK_TRACK;
        o.DATA = 1;
        o.amount = 1;
    }
    for (int k = 0; k < fires; ++k) {
        MapObject& f = Data[k * (MAP_OBJECT_COUNT / fires) + 1];
        f.TYPE = MK_FIRE;
        f.amount = 60;
        f.DATA = 60;
        f.expire_minute = NOW + 600;
        f.time_stamp = NOW - 60;
        f.day_stamp = 100;
    }
}

void BM_UpdateMapObjects(benchmark::State& state) {
    lay_out_full_table(int(state.range(0)));
    for (auto _ : state) update_map_objects();
    state.SetLabel(state.range(0) ? "10,000 records, 20 fires" : "10,000 records, no creatures");
}
BENCHMARK(BM_UpdateMapObjects)->Arg(0)->Arg(20)->Unit(benchmark::kMicrosecond);

// One creature of the kind on open ground, its queue emptied before each
// turn so that every turn decides anew.
int place_creature(int kind, uint8_t cls) {
    open_local_map();
    std::memset(&Cre[3], 0, sizeof(CreatureRecord));
    CreatureRecord& c = Cre[3];
    c.cre_class = cls;
    c.kind = kind;
    c.sotu = 5003;
    c.walk_speed = 6;
    c.attr_end = 12;
    c.weight = 4.0f;
    c.flee_threshold = 40;
    c.avoid_threshold = 20;
    c.activity = 4;
    c.Viimeisin_X = CX;
    c.Viimeisin_Y = CY;
    copy_text(c.name, sizeof c.name, "Creature");
    CreSlotRefs[3] = 2003;
    return put_object_on_map(MK_CREATURE, CX, CY, CRE_REF_BASE + 3, 1);
}

void restart(int i) {
    CreatureRecord& c = Cre[3];
    std::memset(c.Puuha, 0, sizeof c.Puuha);
    Data[i].TYPE = MK_CREATURE;
    Data[i].x = CX;
    Data[i].y = CY;
    c.Viimeisin_X = CX;
    c.Viimeisin_Y = CY;
}

void BM_AnimalTurn(benchmark::State& state) {
    const int i = place_creature(600, 2);
    for (auto _ : state) {
        restart(i);
        Ela_Elain(i);
    }
}
BENCHMARK(BM_AnimalTurn)->Unit(benchmark::kMicrosecond);

void BM_HumanTurn(benchmark::State& state) {
    const int i = place_creature(550, CRE_CLASS_HUMAN);
    for (auto _ : state) {
        restart(i);
        Ela_Ihminen(i);
    }
}
BENCHMARK(BM_HumanTurn)->Unit(benchmark::kMicrosecond);

void BM_SpiritTurn(benchmark::State& state) {
    const int i = place_creature(700, CRE_CLASS_SPIRIT);
    // The player sees her from six squares: she stays.
    player_x = CX - 6;
    player_y = CY;
    for (auto _ : state) {
        restart(i);
        Cre[3].spirit_turns = 20;
        lure_state(Cre[3]) = 1;
        spirit_creature_turn(i);
    }
}
BENCHMARK(BM_SpiritTurn)->Unit(benchmark::kMicrosecond);

// A lake over the middle of the map with its ice thick enough to hold a
// seal, and ground islets in it.
void BM_HaulOutSpot(benchmark::State& state) {
    open_local_map();
    for (int y = 120; y < 340; ++y)
        for (int x = 120; x < 340; ++x) terrain_layer[map_index(x, y)] = (x / 20 + y / 20) % 5 == 0 ? 250 : 247;
    find_haul_out_spot();  // gathered once a map and day
    for (auto _ : state) benchmark::DoNotOptimize(find_haul_out_spot());
}
BENCHMARK(BM_HaulOutSpot)->Unit(benchmark::kMicrosecond);

}  // namespace
