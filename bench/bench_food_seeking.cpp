// Food seeking over a full map: one look for food by a hungry fox among
// 10,000 map records (tracks, marks, plant patches of plants it does not
// eat, and stones) where nothing is to its taste.
#include <benchmark/benchmark.h>

#include <cstring>

#include "base/platform.h"
#include "bench_folder.h"
#include "creatures/creature_files.h"
#include "creatures/food_seeking.h"
#include "creatures/task_queue.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/message_line.h"

namespace {

BenchFolder& food_folder() {
    static BenchFolder folder("food_seeking");
    return folder;
}

constexpr int STONE = 7, SORREL = 8, FOX = 3, RECORDS = 10000;

void lay_out_map() {
    food_folder().enter();
    init_terrain_types_for_date(6, 1);
    std::memset(terrain_layer, 250, MAP_CELLS);
    reset_creature_tables();
    reset_map_object_table();
    reset_object_store();
    reset_task_queue();
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.map_name, "ZOOMMAP");
    player_x = player_y = 100;
    messages_suppressed = true;
    ObjectRecord& stone = ItemTypes[STONE];
    obj_clear_record(stone);
    stone.item_class = ITEM_VALUABLE;
    copy_text(stone.name, "Stone");
    ObjectRecord& sorrel = ItemTypes[SORREL];
    obj_clear_record(sorrel);
    sorrel.item_class = ITEM_PLANT;
    sorrel.kind = 430;
    copy_text(sorrel.name, "Wood sorrel");
    std::memset(&Cre[FOX], 0, sizeof(CreatureRecord));
    Cre[FOX].cre_class = 18;
    Cre[FOX].kind = 601;
    copy_text(Cre[FOX].name, "Fox");
    Cre[FOX].weight = 6.0f;
    Cre[FOX].diet2 = DIET_BERRIES;
    Cre[FOX].sotu = 2003;
    CreSlotRefs[FOX] = 2003;
    clear_staging_object();
    map_object_staging.TYPE = MK_CREATURE;
    map_object_staging.x = map_object_staging.y = 232;
    map_object_staging.DATA = CRE_REF_BASE + FOX;
    map_object_staging.amount = 1;
    insert_map_object(0);
    for (int i = 1; i < RECORDS; ++i) {
        clear_staging_object();
        const int pick = i % 10;
        map_object_staging.TYPE = pick < 6 ? 10 : pick < 8 ? MK_ITEM : MK_PLANT_PATCH;
        map_object_staging.x = uint16_t(80 + (i * 7) % 300);
        map_object_staging.y = uint16_t(80 + (i * 13) % 300);
        map_object_staging.DATA = pick < 8 ? STONE : SORREL;
        map_object_staging.state = 1;
        map_object_staging.amount = 1;
        insert_map_object(i);
    }
}

void BM_FoodSeeking(benchmark::State& state) {
    lay_out_map();
    for (auto _ : state) {
        Cre[FOX].energy = 0;
        benchmark::DoNotOptimize(ravinnonhankinta(FOX, 0));
    }
    if (Cre[FOX].Puuha[0] != 0) state.SkipWithError("the fox found food");
}
BENCHMARK(BM_FoodSeeking)->Unit(benchmark::kMicrosecond);

}  // namespace
