// The map-object table: placing, merging, finding, counting, splitting,
// freeing, purging and packing the records of the current map.
#include "objects/map_object_table.h"

#include "base/stubs.h"

#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "creatures/creature_files.h"
#include "creatures/creature_looks.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

MapObject Data[MAP_OBJECT_COUNT];
MapObject map_object_staging;
int32_t map_limit_calls = 0;
uint8_t purge_requested = 0;
void (*map_objects_renumbered)(const int16_t* old_to_new) = nullptr;

MapCreatureProbe default_map_creature_probe() { return MapCreatureProbe{creature_altitude, creature_body_state}; }
MapCreatureProbe map_creature_probe = default_map_creature_probe();

namespace {

// The per-turn walk: how deep it is nested, and a compaction put off.
int walk_depth = 0;
bool compaction_put_off = false;
// Moves to the top asked for during the walk: made when it ends, so that no
// record is met twice in one walk.
constexpr int TOP_QUEUE_SIZE = 128;
int16_t top_queue[TOP_QUEUE_SIZE];
int top_queued = 0;

// Where each old record went in the last renumbering.
int16_t renumbering[MAP_OBJECT_COUNT];

constexpr int PURGE_MOST = 100;  // a purge stops once it has freed more than this
constexpr uint8_t PURGE_ORDER[] = {MK_FREED, MK_BLOOD, MK_TRACK, MK_FIRE_SITE, MK_OCCUPIER_66, MK_DORMANT_PLANT,
                                   MK_REFREEZING_HOLE};

bool is_free(const MapObject& o) { return o.TYPE == KIND_UNUSED || o.TYPE == KIND_FREED; }

// The squares of one world cell, for quick tests in the scans.
struct CellBox {
    int x0 = 0, y0 = 0;
    bool none = true;  // a square outside the blocks: no cell
    bool holds(const MapObject& o) const {
        return !none && unsigned(o.x - x0) < unsigned(MAP_BLOCK_SIDE) && unsigned(o.y - y0) < unsigned(MAP_BLOCK_SIDE);
    }
};

CellBox cell_of(int x, int y) {
    CellBox box;
    const int bx = map_block_of(x), by = map_block_of(y);
    if (bx == MAP_NO_BLOCK || by == MAP_NO_BLOCK) return box;
    box.x0 = MAP_BLOCK_FIRST + (bx + 2) * MAP_BLOCK_SIDE;
    box.y0 = MAP_BLOCK_FIRST + (by + 2) * MAP_BLOCK_SIDE;
    box.none = false;
    return box;
}

// Used records of a world cell, leaving one record out (-1: none).
int count_cell_records(const CellBox& box, int left_out) {
    int n = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (is_free(o) || i == left_out) continue;
        if (box.holds(o)) ++n;
    }
    return n;
}

// The world-cell limit for one more record at (x, y) where the cell holds
// `existing` used records (-1: count them, leaving out `replacing`, the
// record that the new one overwrites); see check_map_block_limit.
int block_limit_for(int x, int y, int replacing, int existing = -1) {
    if (is_world_map()) return 0;
    ++map_limit_calls;
    const CellBox box = cell_of(x, y);
    if (box.none) return 1;  // belongs to no world cell: nothing is stored for it
    if (existing < 0) existing = count_cell_records(box, replacing);
    if (existing + 1 <= MAP_BLOCK_LIMIT) return 1;
    const int freed = purge_map_objects_in_block(x, y);
    // The cell's stored map keeps only 2,000 records: one more is refused.
    if (count_cell_records(box, replacing) + 1 > MAP_BLOCK_CAPACITY) return -1;
    if (freed >= PURGE_MOST || map_limit_calls <= 10) return 1;
    warn_map_item_limit();
    map_limit_calls = 0;
    return 1;
}

// The first free record among 0..last; -1 when none. A search that passes
// 9,900 asks the command reader for a purge.
int first_free_record(int last) {
    for (int i = 0; i <= last; ++i) {
        if (is_free(Data[i])) {
            if (i > MAP_PURGE_INDEX) purge_requested = 1;
            return i;
        }
    }
    purge_requested = 1;
    return -1;
}

void report_renumbering() {
    if (map_objects_renumbered) map_objects_renumbered(renumbering);
}

void identity_renumbering() {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) renumbering[i] = int16_t(i);
}

// Packs the table now, filling `renumbering`; false when nothing moved.
bool pack_table() {
    int w = 0;
    bool moved = false;
    for (int r = 0; r < MAP_OBJECT_COUNT; ++r) {
        if (is_free(Data[r])) {
            renumbering[r] = -1;
            moved = moved || Data[r].TYPE == KIND_FREED;
            continue;
        }
        renumbering[r] = int16_t(w);
        if (w != r) {
            Data[w] = Data[r];
            moved = true;
        }
        ++w;
    }
    std::memset(&Data[w], 0, sizeof(MapObject) * size_t(MAP_OBJECT_COUNT - w));
    return moved;
}

// What one pass over the table tells a placement at a square: the first
// record the new things join (-1 none), the first free record up to a
// limit (-1 none) and the used records of the square's world cell.
struct Survey {
    int stack = -1;
    int free = -1;
    int in_cell = 0;
};

template <typename Joins>
Survey survey_square(int x, int y, int last_free, Joins joins) {
    Survey s;
    const CellBox box = cell_of(x, y);
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (is_free(o)) {
            if (s.free < 0 && i <= last_free) s.free = i;
            continue;
        }
        if (box.holds(o)) ++s.in_cell;
        if (s.stack < 0 && o.x == x && o.y == y && joins(o)) s.stack = i;
    }
    if (s.free < 0 || s.free > MAP_PURGE_INDEX) purge_requested = 1;
    return s;
}

// Adds to a stack without passing the largest amount: the surplus goes
// into a new record (`free`, a free record or -1) with the stack's other
// fields. The stack's index, or MAP_NO_RECORD when the surplus found no
// record (nothing changes then).
int add_to_stack(int i, int quantity, int free, int in_cell) {
    MapObject& o = Data[i];
    const int total = int(o.amount) + quantity;
    if (total <= MAP_AMOUNT_MAX) {
        o.amount = uint16_t(total);
        return i;
    }
    if (free < 0) return MAP_NO_RECORD;
    if (block_limit_for(o.x, o.y, free, in_cell) < 0) return MAP_NO_RECORD;
    Data[free] = o;
    Data[free].amount = uint16_t(total - MAP_AMOUNT_MAX);
    o.amount = uint16_t(MAP_AMOUNT_MAX);
    return i;
}

// Which item records a new object joins: unheld records of an object that
// it stacks with; `claimed` picks the player's own records instead of the
// unmarked ones. The incoming object is read once, when first needed.
struct ItemJoins {
    int object_id;
    bool claimed;
    bool loaded = false;
    ObjectRecord incoming{};
    ItemJoins(int id, bool mark) : object_id(id), claimed(mark) {}
    bool operator()(const MapObject& o) {
        if (o.TYPE != MK_ITEM || o.amount == 0 || o.state == MAP_STATE_HAULED) return false;
        if (claimed ? o.ref != MAP_REF_CLAIMED : o.ref != 0) return false;
        if (!obj_id_is_valid(o.DATA) || !obj_id_is_valid(object_id)) return false;
        if (!loaded) {
            obj_record(object_id, incoming);
            loaded = true;
        }
        ObjectRecord lying;
        obj_record(o.DATA, lying);
        return obj_can_stack(lying, incoming);
    }
};

// A placement at (x, y): onto the stack the survey found, else into the
// first free record up to 9,950, after one purge that freed more than 50
// when there is none. The new record is written by `fill`; the index or
// MAP_NO_RECORD.
template <typename Joins, typename Fill>
int place_at(int x, int y, Joins joins, int quantity, Fill fill) {
    Survey s = survey_square(x, y, MAP_PUT_LAST_INDEX, joins);
    if (s.stack >= 0) return add_to_stack(s.stack, quantity, s.free, s.in_cell);
    if (s.free < 0) {
        if (purge_map_objects() <= 50) return MAP_NO_RECORD;
        s = survey_square(x, y, MAP_PUT_LAST_INDEX, [](const MapObject&) { return false; });
        if (s.free < 0) return MAP_NO_RECORD;
    }
    if (block_limit_for(x, y, s.free, s.in_cell) < 0) return MAP_NO_RECORD;
    // A block purge only frees records: the one found is still free.
    clear_map_object(s.free);
    fill(Data[s.free]);
    return s.free;
}

}  // namespace

// ------------------------------------------------------------ records

void clear_staging_object() { std::memset(&map_object_staging, 0, sizeof map_object_staging); }

void clear_map_object(int i) {
    if (!map_index_valid(i)) return;
    std::memset(&Data[i], 0, sizeof Data[i]);
}

int insert_map_object(int i) {
    if (i >= 0) {
        if (i >= MAP_OBJECT_COUNT) return MAP_NO_RECORD;
        if (block_limit_for(map_object_staging.x, map_object_staging.y, i) < 0) return MAP_NO_RECORD;
        Data[i] = map_object_staging;
        return i;
    }
    if (i != -1) return MAP_NO_RECORD;
    const MapObject& s = map_object_staging;
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 0; k < MAP_OBJECT_COUNT; ++k) {
            MapObject& o = Data[k];
            if (s.TYPE == MK_SET_ASIDE && o.TYPE == MK_SET_ASIDE && o.x == s.x && o.y == s.y && o.DATA == s.DATA &&
                o.subkind == s.subkind && o.expire_minute == s.expire_minute)
                return add_to_stack(k, s.amount, first_free_record(MAP_PURGE_INDEX), -1);
            if (is_free(o)) {
                if (k > MAP_PURGE_INDEX) break;  // only records up to 9,900 are taken here
                if (block_limit_for(s.x, s.y, k) < 0) return MAP_NO_RECORD;
                // The block purge may have changed record k: it is free all the same.
                Data[k] = s;
                return k;
            }
            if (k == MAP_PURGE_INDEX) break;
        }
        // Nothing free up to 9,900: one purge, one more scan.
        purge_requested = 1;
        if (pass == 0 && purge_map_objects() == 0) break;
    }
    return MAP_NO_RECORD;
}

int put_object_on_map(int kind, int x, int y, int data, int quantity) {
    if (quantity < 0 || quantity > MAP_AMOUNT_MAX) return MAP_NO_RECORD;
    auto fill = [&](MapObject& o) {
        o.TYPE = uint8_t(kind);
        o.DATA = data;
        o.x = uint16_t(x);
        o.y = uint16_t(y);
        o.amount = uint16_t(quantity);
    };
    if (kind == MK_ITEM) {
        if (data == 0) return MAP_NO_RECORD;
        if (obj_id_is_valid(data)) {
            ObjectRecord r;
            if (obj_record(data, r).item_class == ITEM_CARCASS) return put_carcass_on_map(x, y, data);
        }
        return place_at(x, y, ItemJoins{data, false}, quantity, fill);
    }
    if (kind == MK_BLOOD) {
        auto same_mark = [data](const MapObject& o) { return o.TYPE == MK_BLOOD && o.amount != 0 && o.DATA == data; };
        return place_at(x, y, same_mark, quantity, fill);
    }
    return place_at(x, y, [](const MapObject&) { return false; }, quantity, fill);
}

int put_player_item_on_map(int x, int y, int object_id, int quantity) {
    if (object_id == 0) return MAP_NO_RECORD;
    if (quantity < 0 || quantity > MAP_AMOUNT_MAX) return MAP_NO_RECORD;
    if (obj_id_is_valid(object_id)) {
        ObjectRecord r;
        if (obj_record(object_id, r).ownerID != 0) return put_object_on_map(MK_ITEM, x, y, object_id, quantity);
    }
    // The claim mark is a village's: what the player puts down lies
    // unmarked, stacked with unmarked items.
    return place_at(x, y, ItemJoins{object_id, false}, quantity, [&](MapObject& o) {
        o.TYPE = MK_ITEM;
        o.subkind = 0;
        o.ref = 0;
        o.DATA = object_id;
        o.x = uint16_t(x);
        o.y = uint16_t(y);
        o.amount = uint16_t(quantity);
    });
}

int put_carcass_on_map(int x, int y, int object_id) {
    if (!obj_id_is_valid(object_id)) return MAP_NO_RECORD;
    ObjectRecord r;
    obj_record(object_id, r);
    const int reference = cre_load_into_slot(r.kind, 0);
    if (reference < CREATURE_REF_BASE) return MAP_NO_RECORD;
    clear_staging_object();
    map_object_staging.TYPE = MK_CARCASS;
    map_object_staging.x = uint16_t(x);
    map_object_staging.y = uint16_t(y);
    map_object_staging.DATA = reference;
    map_object_staging.amount = 1;
    return insert_map_object(-1);
}

int check_map_block_limit(int x, int y) { return block_limit_for(x, y, -1); }

void warn_map_item_limit() {
    show_message(message_by_key("WARNING_MAP_ITEM_LIMIT"));
    pause_prompt();  // nothing while messages are muted
}

void free_map_object(int i) {
    if (!map_index_valid(i)) return;
    std::memset(&Data[i], 0, sizeof Data[i]);
    Data[i].TYPE = KIND_FREED;
}

void decrement_map_object(int i) {
    if (!map_index_valid(i)) return;
    if (Data[i].amount < 2) free_map_object(i);
    else --Data[i].amount;
}

int reduce_map_object(int i, int n) {
    if (!map_index_valid(i)) return MAP_NO_RECORD;
    MapObject& o = Data[i];
    if (n <= 0) return o.amount;
    if (n >= o.amount) {
        free_map_object(i);
        return 0;
    }
    o.amount = uint16_t(o.amount - n);
    return o.amount;
}

int split_map_object(int i, int n) {
    if (!map_index_valid(i) || n <= 0) return MAP_NO_RECORD;
    if (!map_record_used(Data[i]) || n >= Data[i].amount) return MAP_NO_RECORD;
    const int f = first_free_record(MAP_OBJECT_COUNT - 1);
    if (f < 0) return MAP_NO_RECORD;
    map_object_staging = Data[i];
    map_object_staging.amount = uint16_t(n);
    const MapObject before = Data[i];
    if (insert_map_object(f) != f) return MAP_NO_RECORD;
    // The block purge before the insertion may have taken record i itself
    // (a blood mark or a track): then there is nothing left to split.
    if (std::memcmp(&Data[i], &before, sizeof before) != 0) {
        free_map_object(f);
        return MAP_NO_RECORD;
    }
    Data[i].amount = uint16_t(Data[i].amount - n);
    return f;
}

float take_weight_from_map_item(int i, float w) {
    if (!map_index_valid(i) || !(w > 0.0f)) return 0.0f;
    MapObject& o = Data[i];
    if (o.TYPE != MK_ITEM || !obj_id_is_valid(o.DATA)) return 0.0f;
    ObjectRecord r;
    obj_record(o.DATA, r);
    if (w >= r.weight) {
        decrement_map_object(i);
        return r.weight;
    }
    int rest = -1;
    if (o.amount > 1) {
        rest = split_map_object(i, o.amount - 1);
        if (rest < 0) return 0.0f;
    }
    r.weight -= w;
    const int id = obj_store_record(r);
    if (id == 0) {
        // No room for the lighter unit: the stack comes back together.
        if (rest >= 0) {
            Data[i].amount = uint16_t(Data[i].amount + Data[rest].amount);
            free_map_object(rest);
        }
        return 0.0f;
    }
    Data[i].DATA = id;
    return w;
}

namespace {

// One purge over the records that `in_scope` accepts: kind by kind in the
// purge order, each kind from index 0 up, until more than 100 were freed.
// One pass gathers the first 101 records of each kind.
template <typename Scope>
int purge_records(Scope in_scope) {
    constexpr int KINDS = int(sizeof PURGE_ORDER);
    constexpr int MOST = PURGE_MOST + 1;
    static int found[KINDS][MOST];
    int counts[KINDS] = {};
    int slot_of_kind[256];
    for (int& k : slot_of_kind) k = -1;
    for (int k = 0; k < KINDS; ++k) slot_of_kind[PURGE_ORDER[k]] = k;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const int k = slot_of_kind[Data[i].TYPE];
        if (k < 0 || counts[k] == MOST || !in_scope(Data[i])) continue;
        found[k][counts[k]++] = i;
    }
    int count = 0;
    for (int k = 0; k < KINDS; ++k) {
        for (int n = 0; n < counts[k]; ++n) {
            if (count > PURGE_MOST) return count;
            free_map_object(found[k][n]);
            ++count;
        }
    }
    return count;
}

}  // namespace

int purge_map_objects() {
    return purge_records([](const MapObject&) { return true; });
}

int purge_map_objects_in_block(int x, int y) {
    if (x == 0 && y == 0) return purge_map_objects();
    const CellBox box = cell_of(x, y);
    if (box.none) return 0;
    return purge_records([&box](const MapObject& o) { return box.holds(o); });
}

void compact_map_objects() {
    if (long_task_busy()) return;
    if (walk_depth > 0) {
        compaction_put_off = true;
        return;
    }
    if (pack_table()) report_renumbering();
}

int move_map_object_to_top(int i) {
    if (!map_index_valid(i)) return MAP_NO_RECORD;
    if (walk_depth > 0) {
        for (int k = 0; k < top_queued; ++k)
            if (top_queue[k] == i) return i;
        if (top_queued < TOP_QUEUE_SIZE) top_queue[top_queued++] = int16_t(i);
        return i;
    }
    int k = MAP_OBJECT_COUNT - 1;
    while (k >= 0 && Data[k].TYPE == KIND_UNUSED) --k;
    if (k == i) return i;  // already the top record
    int target;
    if (k < 0) target = 0;
    else if (Data[k].TYPE == KIND_FREED) target = k;
    else target = k + 1;
    if (target >= MAP_OBJECT_COUNT || target == i) return i;
    Data[target] = Data[i];
    free_map_object(i);
    identity_renumbering();
    renumbering[i] = int16_t(target);
    report_renumbering();
    return target;
}

int move_map_object_to_bottom(int i) {
    if (!map_index_valid(i)) return MAP_NO_RECORD;
    map_object_staging = Data[i];
    free_map_object(i);
    if (walk_depth > 0 || long_task_running()) {
        const int f = first_free_record(MAP_OBJECT_COUNT - 1);  // i itself at worst
        Data[f] = map_object_staging;
        identity_renumbering();
        renumbering[i] = int16_t(f);
        report_renumbering();
        return f;
    }
    // Room at the top first: the record freed above makes sure of it.
    int16_t packed[MAP_OBJECT_COUNT];
    const bool packed_first = map_record_used(Data[MAP_OBJECT_COUNT - 1]);
    if (packed_first) {
        pack_table();
        std::memcpy(packed, renumbering, sizeof packed);
    }
    std::memmove(&Data[1], &Data[0], sizeof(MapObject) * (MAP_OBJECT_COUNT - 1));
    Data[0] = map_object_staging;
    for (int r = 0; r < MAP_OBJECT_COUNT; ++r) {
        const int at = packed_first ? packed[r] : r;
        renumbering[r] = int16_t(at < 0 || at + 1 >= MAP_OBJECT_COUNT ? -1 : at + 1);
    }
    renumbering[i] = 0;
    report_renumbering();
    return 0;
}

int32_t renumbered_task_target(int task, int32_t target, const int16_t* old_to_new) {
    if (task != 80 && task != 81) return target;
    if (target < 0 || target >= MAP_OBJECT_COUNT) return target;
    return old_to_new[target];
}

void begin_map_object_walk() { ++walk_depth; }

void end_map_object_walk() {
    if (walk_depth > 0) --walk_depth;
    if (walk_depth == 0 && top_queued > 0) {
        const int n = top_queued;
        top_queued = 0;
        for (int k = 0; k < n; ++k)
            if (map_record_used(Data[top_queue[k]])) move_map_object_to_top(top_queue[k]);
    }
    if (walk_depth == 0 && compaction_put_off) {
        compaction_put_off = false;
        compact_map_objects();
    }
}

bool map_object_walk_running() { return walk_depth > 0; }

void reset_map_object_table() {
    top_queued = 0;
    std::memset(Data, 0, sizeof Data);
    clear_staging_object();
    purge_requested = 0;
    map_limit_calls = 0;
    walk_depth = 0;
    compaction_put_off = false;
}

// ------------------------------------------------------------ finds

namespace {

bool next_to(const MapObject& o, int x, int y) { return std::abs(int(o.x) - x) <= 1 && std::abs(int(o.y) - y) <= 1; }

int32_t creature_reference(int creature) {
    return creature >= CREATURE_REF_BASE ? creature : CREATURE_REF_BASE + creature;
}

// Where each creature's record was found last: looked at first, so that a
// creature's place is found without a walk over the table (a record moves
// only now and then; the hint is checked before it is trusted, and a
// creature has one living record).
int16_t creature_row_hint[1000];

int first_record_of(uint8_t kind, int creature) {
    const int32_t ref = creature_reference(creature);
    const int slot = ref - CREATURE_REF_BASE;
    const bool hinted = kind == MK_CREATURE && slot >= 0 && slot < 1000;
    if (hinted) {
        const int h = creature_row_hint[slot];
        if (h >= 0 && h < MAP_OBJECT_COUNT && Data[h].TYPE == kind && Data[h].DATA == ref) return h;
    }
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == kind && Data[i].DATA == ref) {
            if (hinted) creature_row_hint[slot] = int16_t(i);
            return i;
        }
    return -1;
}

bool creature_dived(int slot) {
    return map_creature_probe.altitude && map_creature_probe.altitude(slot) == -100;
}

}  // namespace

int find_map_object(int kind, int x, int y) {
    for (int i = MAP_OBJECT_COUNT - 1; i >= 0; --i) {
        const MapObject& o = Data[i];
        if (o.TYPE != kind) continue;
        if (x == 0 ? next_to(o, player_x, player_y) : (o.x == x && o.y == y)) return i;
    }
    return MAP_NOT_FOUND;
}

int cre_datapos(int creature) { return first_record_of(MK_CREATURE, creature); }

int cre_object_index(int creature) {
    const int i = first_record_of(MK_CREATURE, creature);
    return i < 0 ? MAP_NO_RECORD : i;
}

int corpse_object_index(int creature) {
    const int i = first_record_of(MK_CARCASS, creature);
    return i < 0 ? MAP_NO_RECORD : i;
}

int map_object_creature(int i) {
    if (!map_index_valid(i)) return MAP_NO_RECORD;
    const int32_t d = Data[i].DATA;
    return d >= CREATURE_REF_BASE ? d - CREATURE_REF_BASE : d;
}

int creature_x(int creature) {
    if (creature == -1) return player_x;
    const int i = cre_datapos(creature);
    return i < 0 ? 0 : Data[i].x;
}

int creature_y(int creature) {
    if (creature == -1) return player_y;
    const int i = cre_datapos(creature);
    return i < 0 ? 0 : Data[i].y;
}

void set_target_to_creature(int creature) {
    target_x = creature_x(creature);
    target_y = creature_y(creature);
}

int creature_at(int x, int y) {
    int last = -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE || o.x != x || o.y != y) continue;
        const int slot = o.DATA - CREATURE_REF_BASE;
        if (!debug_messages_on && creature_dived(slot)) continue;
        const int body = map_creature_probe.body_state ? map_creature_probe.body_state(slot) : 0;
        if (body != 3 && body != 4) return slot;
        last = slot;
    }
    return last;
}

int is_object_kind_adjacent(int kind, int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;
        if (o.TYPE == kind && next_to(o, x, y)) return 1;
    }
    return 0;
}

int is_object_kind_next_to_player(int kind) { return is_object_kind_adjacent(kind, player_x, player_y); }

int find_object_kind_near_player(int kind, int mode) {
    if (mode != 0 && mode != 1) return MAP_NO_RECORD;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;
        if (o.TYPE != kind || !next_to(o, player_x, player_y)) continue;
        if (!is_in_view(o.x, o.y)) continue;
        if (mode == 1 && o.x == player_x && o.y == player_y) continue;
        return i;
    }
    return MAP_NO_RECORD;
}

int count_traps_near(int x, int y) {
    int n = 0;
    for (const MapObject& o : Data)
        if (o.TYPE == MK_TRAP && next_to(o, x, y)) ++n;
    return n;
}

int count_items_of_type_near(int kind_code, int x, int y, int radius) {
    int sum = 0;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_ITEM) continue;
        if (std::abs(int(o.x) - x) > radius || std::abs(int(o.y) - y) > radius) continue;
        if (!obj_id_is_valid(o.DATA)) continue;
        ObjectRecord r;
        if (obj_record(o.DATA, r).kind == kind_code) sum += o.amount;
    }
    return sum;
}

int count_objects_at(int x, int y) {
    int n = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.x != x || o.y != y) continue;
        switch (o.TYPE) {
        case MK_ITEM: case MK_PREPARATION: case MK_FIRE: case MK_MARKER: case MK_TRAP: case MK_NET:
        case MK_CARCASS: case MK_OCCUPIER_66: case MK_OCCUPIER_96: case MK_OCCUPIER_97: case MK_FIRE_SITE:
        case MK_BLOOD: case MK_BUILDING_WORK:
            ++n;
            break;
        case MK_CREATURE:
            if (!creature_dived(o.DATA - CREATURE_REF_BASE)) ++n;
            break;
        case MK_PLANT_PATCH:
            if (o.day_stamp == 0 || Plr.days_played >= o.day_stamp) ++n;
            break;
        case MK_WORLD_CREATURE:
            if (o.DATA != 0 && can_spot_world_creature(o.x, o.y, i)) ++n;
            break;
        case MK_SET_ASIDE:
            if (debug_messages_on) ++n;
            break;
        default:
            break;
        }
    }
    return n;
}

int is_sapling_at(int x, int y) {
    if (!in_world_grid(x, y)) return 0;
    const int code = terrain_at(x, y);
    if (code != 10 && code != 12) return 0;
    // A mark on a square that is no longer a tree square is stale; asking
    // leaves it for the purge.
    if (!(terrain_flags_of(code) & TF_YOUNG_TREE)) return 0;
    for (const MapObject& o : Data)
        if (o.TYPE == MK_PLANT_MARK && o.x == x && o.y == y && (o.subkind & PLANT_MARK_YOUNG_TREE)) return 1;
    return 0;
}

// Not built yet: the item weights come with the object store.
int items_weight_at(int x, int y) { KSM_STUB("items_weight_at"); return 0; }
