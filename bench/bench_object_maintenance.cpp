// One object maintenance over a grown character: 45,000 used instances,
// the store of local maps holding 1,000 stored maps, a creature file of
// 3,000 records, the current map's table, the player's pack and a few
// villages. Each pass frees the 500 instances that nothing holds, which are
// laid out again (untimed) before the next.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_ageing.h"
#include "objects/object_store.h"
#include "society/villages.h"
#include "bench_folder.h"
#include "ui/message_line.h"

namespace {

constexpr int USED = 45000;
constexpr int ORPHANS = 500;
constexpr int CREATURE_RECORDS = 3000;

ObjectRecord instance(int i) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = uint8_t(1 + i % 10);
    r.kind = 100 + i % 300;
    format_text(r.name, sizeof r.name, "Thing %d", i);
    r.weight = r.full_weight = 1.0f;
    return r;
}

// Slot i holds a thing; which holder keeps it goes by its slot: the stored
// maps the first 20,000, the creature file the next 12,000, the current
// map 9,900, the pack 100, the villages 1,000 and other instances (as their
// contents) 1,500; the last 500 are held by nothing.
struct MaintenanceWorld {
    BenchFolder folder{"objmaint"};
    int maps = 0;

    void lay_out(int stored_maps) {
        folder.enter();
        maps = stored_maps;
        install_folder[0] = 0;
        copy_text(character_name, "Maint");
        std::filesystem::create_directories("Maint");
        messages_suppressed = true;
        skip_message_pauses = true;
        reset_object_store();
        reset_map_object_table();
        reset_creature_tables();
        reset_villages();
        std::memset(&Plr, 0, sizeof Plr);
        for (int i = 0; i < USED; ++i) Objects[i] = instance(i);

        int next = 0;
        auto take = [&next]() { return FIRST_INSTANCE_ID + next++; };
        {
            std::vector<ZoomMap> store(size_t(stored_maps) + 1);
            std::memset(store.data(), 0, store.size() * sizeof(ZoomMap));
            store[0].world_x = store[0].world_y = -1;
            for (int m = 1; m <= stored_maps; ++m)
                for (int k = 0; k < 20 && next < 20000; ++k) {
                    MapObject& o = store[size_t(m)].objects[k * 97];
                    o.TYPE = MK_ITEM;
                    o.DATA = take();
                    o.amount = 1;
                }
            write_file_atomic("Maint/ZOOMMAPS.DAT", store.data(), store.size() * sizeof(ZoomMap));
        }
        {
            std::vector<CreatureRecord> file(CREATURE_RECORDS);
            std::memset(file.data(), 0, file.size() * sizeof(CreatureRecord));
            for (CreatureRecord& c : file) {
                c.cre_class = 2;
                for (int k = 0; k < 4 && next < 32000; ++k) c.inv_id[k] = take();
            }
            write_file_atomic("Maint/Maint.CRS", file.data(), file.size() * sizeof(CreatureRecord));
        }
        for (int i = 0; i < 9900; ++i) {
            Data[i].TYPE = MK_ITEM;
            Data[i].DATA = take();
            Data[i].amount = 1;
        }
        for (int s = 0; s < PLR_INV_SLOTS; ++s) Plr.plr_inv_id[s] = take();
        for (int v = 1; v <= 10; ++v) {
            VillageRecord record{};
            for (int p = 0; p < 100; ++p) {
                record.pool_ids[p] = take();
                record.pool_counts[p] = 1;
            }
            save_village(v, record);
        }
        // The last 1,500 held things are the contents of as many others.
        for (int i = 0; i < 1500; ++i) Objects[i].contents = take();
        obj_store_changed();
        crs_records();  // read in at the start of the game, as the game does
    }

    void bring_back_orphans() {
        for (int i = USED - ORPHANS; i < USED; ++i) Objects[i] = instance(i);
        obj_store_changed();
    }

    ~MaintenanceWorld() {
        reset_object_store();
        reset_map_object_table();
        reset_creature_tables();
        reset_villages();
        character_name[0] = 0;
    }
};

void BM_ObjMaintenance(benchmark::State& state) {
    static MaintenanceWorld world;
    world.lay_out(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        world.bring_back_orphans();
        state.ResumeTiming();
        obj_maintenance();
    }
    int kept = count_object_instances();
    if (kept != USED - ORPHANS) state.SkipWithError("the maintenance kept another number of things");
    state.counters["kept"] = double(kept);
}
BENCHMARK(BM_ObjMaintenance)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
