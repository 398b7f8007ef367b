// The object store at 45,000 used slots: storing a record (merging with an
// identical instance, or a new one), allocating new instances, and loading
// and saving the character's object file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/debug_log.h"
#include "base/platform.h"
#include "objects/object_store.h"

namespace {

constexpr int USED_SLOTS = 45000;
constexpr int TYPES = 300;  // every type has 150 instances that differ in weight

ObjectRecord instance_of(int type, int variant) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = uint8_t(1 + type % 10);
    r.kind = 100 + type;
    format_text(r.name, sizeof r.name, "Item of type %d", type);
    format_text(r.tile, sizeof r.tile, "it-%d", type);
    r.weight = r.full_weight = 0.5f + 0.01f * float(variant);
    r.price = 8.0f * float(type % 17);
    r.spoilage_days = uint8_t(40 + type % 50);
    r.quality = 0x83;
    return r;
}

// 45,000 used slots from 0 up: instance i is variant i / 300 of type i % 300.
void lay_out_store() {
    reset_object_store();
    for (int i = 0; i < USED_SLOTS; ++i) Objects[i] = instance_of(i % TYPES, i / TYPES);
    for (int t = 1; t < TYPES && t < ITEM_TYPE_COUNT; ++t) ItemTypes[t] = instance_of(t, 0);
    obj_store_changed();
}

void BM_ObjStoreRecordMergesWithTheLastOfItsKind(benchmark::State& state) {
    lay_out_store();
    const int last_variant = USED_SLOTS / TYPES - 1;
    int type = 0;
    for (auto _ : state) {
        // Identical to the last instance of its type: every instance of that
        // type is compared before it is found.
        const int id = obj_store_record(instance_of(type, last_variant));
        benchmark::DoNotOptimize(id);
        if (++type == TYPES) type = 0;
    }
    if (obj_store_record(instance_of(5, last_variant)) != 50000 + last_variant * TYPES + 5)
        state.SkipWithError("the merge found another slot");
    reset_object_store();
}
BENCHMARK(BM_ObjStoreRecordMergesWithTheLastOfItsKind)->Unit(benchmark::kMicrosecond);

void BM_ObjStoreRecordStoresANewOne(benchmark::State& state) {
    lay_out_store();
    int type = 0;
    for (auto _ : state) {
        // A weight no instance has: compared with all 150 of its type, then
        // stored in slot 45,000 (and freed again for the next round).
        ObjectRecord r = instance_of(type, 0);
        r.weight = 77.0f;
        const int id = obj_store_record(r);
        if (id != 50000 + USED_SLOTS) {
            state.SkipWithError("the new record did not land in the first free slot");
            break;
        }
        obj_clear_record(Objects[id - 50000]);
        if (++type == TYPES) type = 0;
    }
    reset_object_store();
}
BENCHMARK(BM_ObjStoreRecordStoresANewOne)->Unit(benchmark::kMicrosecond);

void BM_ObjNewInstance(benchmark::State& state) {
    lay_out_store();
    // Holes to reuse, spread through the used part: every 50th slot.
    for (int slot = 1; slot < USED_SLOTS; slot += 50) obj_clear_record(Objects[slot]);
    constexpr int BATCH = 1000;
    int made = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(obj_new_instance(1 + made % 200));
        if (++made == BATCH) {
            state.PauseTiming();
            for (int slot = 1; slot < USED_SLOTS; slot += 50) obj_clear_record(Objects[slot]);
            for (int slot = USED_SLOTS; slot < OBJECT_INSTANCE_COUNT; ++slot) obj_clear_record(Objects[slot]);
            made = 0;
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
    reset_object_store();
}
BENCHMARK(BM_ObjNewInstance)->Unit(benchmark::kMicrosecond);

struct ObjectFileFolder {
    std::string root;
    ObjectFileFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "ksm-bench-objects-XXXXXX").string();
        if (!mkdtemp(tmpl.data())) std::abort();
        root = tmpl;
    }
    ~ObjectFileFolder() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    std::string file(const char* name) const { return root + "/" + name; }
};

ObjectFileFolder& object_file_folder() {
    static ObjectFileFolder folder;
    return folder;
}

void BM_LoadObjectFile(benchmark::State& state) {
    const std::string path = object_file_folder().file("BENCH.OBJ");
    lay_out_store();
    if (!save_object_store(path)) {
        state.SkipWithError("could not write the object file");
        return;
    }
    debug_logs_on = 0;
    for (auto _ : state) {
        const int read = load_object_store(path);
        if (read != OBJECT_INSTANCE_COUNT) {
            state.SkipWithError("short read");
            break;
        }
    }
    reset_object_store();
}
BENCHMARK(BM_LoadObjectFile)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveObjectFile(benchmark::State& state) {
    const std::string path = object_file_folder().file("BENCH.OBJ");
    lay_out_store();
    for (auto _ : state) {
        if (!save_object_store(path)) {
            state.SkipWithError("could not write the object file");
            break;
        }
    }
    reset_object_store();
}
BENCHMARK(BM_SaveObjectFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
