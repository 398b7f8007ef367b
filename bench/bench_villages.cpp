// Switching the current village among 500 known villages, each with a few
// open item debts: the record current before is written back and the next
// one is loaded and its debts refreshed.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "base/platform.h"
#include "game/player.h"
#include "objects/object_store.h"
#include "society/village_debts.h"
#include "society/villages.h"

namespace {

void lay_out_villages(int count) {
    reset_object_store();
    reset_villages();
    std::memset(&Plr, 0, sizeof Plr);
    Plr.days_played = 40;
    Plr.total_minutes = 40 * 24 * 60;
    std::vector<int> goods;
    for (int i = 0; i < 20; ++i) {
        ObjectRecord r;
        obj_clear_record(r);
        r.item_class = ITEM_TOOL;
        r.kind = 300 + i;
        format_text(r.name, sizeof r.name, "Good %d", i);
        r.price = 8.0f * float(1 + i);
        goods.push_back(obj_store_new(r));
    }
    for (int id = 1; id <= count; ++id) {
        set_current_village(id);
        CurVillage.isox = 1000 + id % 50;
        CurVillage.isoy = 500 + id / 50;
        CurVillage.meets = uint16_t(id % 30);
        for (int d = 0; d < 3; ++d) add_item_debt(goods[size_t((id + d) % 20)], 1 + d);
    }
    clear_current_village();
}

void BM_SetCurrentVillage(benchmark::State& state) {
    const int count = int(state.range(0));
    lay_out_villages(count);
    int next = 0;
    for (auto _ : state) {
        // A stride that visits every village before coming back to one.
        next = (next + 37) % count;
        set_current_village(next + 1);
        benchmark::DoNotOptimize(CurVillage.debt_level);
    }
    state.counters["villages"] = double(village_count());
    reset_villages();
}
BENCHMARK(BM_SetCurrentVillage)->Arg(500);

}  // namespace
