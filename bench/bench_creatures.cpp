// The creature table of a crowded local map: 500 creatures on a creature
// file of 10,000 records. The map-entry pass that loads them (and gives
// the 100 generated ones records), the write-back when the map is stored,
// and a lookup by identity.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"
#include "bench_folder.h"

namespace {

constexpr int FILE_RECORDS = 10000;
constexpr int ON_MAP = 500;
constexpr int GENERATED = 100;

struct CreatureFolder {
    BenchFolder folder{"creatures"};
    std::vector<CreatureRecord> file;
    CreatureFolder() {
        folder.enter();
        std::filesystem::create_directories("Herd");
        copy_text(character_name, "Herd");
        file.assign(FILE_RECORDS, CreatureRecord{});
        creature_defaults();
        CreScratch.cre_class = 3;
        CreScratch.kind = 100;
        // Every other record used, the rest free.
        for (int i = 0; i < FILE_RECORDS; i += 2) {
            file[size_t(i)] = CreScratch;
            file[size_t(i)].sotu = uint32_t(1000 + i);
        }
        std::memset(CreTemplates, 0, sizeof CreTemplates);
        CreTemplates[100] = CreScratch;
        write_file_atomic("Herd/Herd.CRS", file.data(), file.size() * sizeof(CreatureRecord));
    }
    // The map as it comes from the store: 400 creatures with records and
    // 100 generated ones, among 5,000 other records.
    void lay_out_map() const {
        reset_map_object_table();
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        Plr.zoom_origin_x = 1000;
        Plr.zoom_origin_y = 500;
        for (int i = 0; i < 5000 + ON_MAP; ++i) {
            MapObject& o = Data[i];
            o.x = uint16_t(MAP_BLOCK_FIRST + (i * 7) % 320);
            o.y = uint16_t(MAP_BLOCK_FIRST + (i * 13) % 320);
            o.amount = 1;
            if (i % 11 == 0 && i / 11 < ON_MAP) {
                const int n = i / 11;
                o.TYPE = MK_CREATURE;
                o.DATA = n < ON_MAP - GENERATED ? 1000 + 2 * n : 100;
            } else {
                o.TYPE = MK_BLOOD;
                o.DATA = 1;
            }
        }
    }
};

CreatureFolder& herd() {
    static CreatureFolder f;
    f.folder.enter();
    copy_text(character_name, "Herd");
    messages_suppressed = true;
    return f;
}

void BM_CreatureMessWith500CreaturesOn10000Records(benchmark::State& state) {
    CreatureFolder& f = herd();
    // The file is read once; each pass starts from an empty creature table,
    // the map as stored and the file as read. A reset of the creature
    // tables would forget the file and read its 14 MB again every pass.
    reset_creature_tables();
    crs_records();
    for (auto _ : state) {
        state.PauseTiming();
        std::memset(Cre, 0, sizeof Cre);
        std::memset(CreSlotRefs, 0, sizeof CreSlotRefs);
        crs_records() = f.file;
        f.lay_out_map();
        state.ResumeTiming();
        creature_mess();
    }
    if (CreSlotRefs[ON_MAP - 1] == 0) state.SkipWithError("not every creature was loaded");
}
BENCHMARK(BM_CreatureMessWith500CreaturesOn10000Records)->Unit(benchmark::kMillisecond);

void BM_CreSaveToCrsWith500Creatures(benchmark::State& state) {
    CreatureFolder& f = herd();
    reset_creature_tables();
    crs_records() = f.file;
    f.lay_out_map();
    creature_mess();
    for (auto _ : state) cre_save_to_crs();
}
BENCHMARK(BM_CreSaveToCrsWith500Creatures)->Unit(benchmark::kMillisecond);

void BM_CreBySotu(benchmark::State& state) {
    CreatureFolder& f = herd();
    reset_creature_tables();
    crs_records() = f.file;
    f.lay_out_map();
    creature_mess();
    // The last creature of the table, its object near the end of the used part.
    const uint32_t s = Cre[ON_MAP - 1].sotu;
    for (auto _ : state) benchmark::DoNotOptimize(cre_by_sotu(s));
    if (cre_by_sotu(s) != ON_MAP - 1) state.SkipWithError("wrong slot");
}
BENCHMARK(BM_CreBySotu)->Unit(benchmark::kNanosecond);

}  // namespace
