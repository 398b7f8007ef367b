#include "creatures/creature_turn_index.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"

namespace {

std::vector<int> rows;
std::unordered_map<uint32_t, std::vector<int>> by_cell;
bool built = false;
int last_row = -1;

uint32_t cell_key(int x, int y) { return uint32_t(y) * uint32_t(MAP_STRIDE) + uint32_t(x); }
bool indexed_kind(uint8_t kind) { return kind == MK_CREATURE || kind == MK_FIRE || kind == MK_TRAP; }

void build() {
    rows.clear();
    by_cell.clear();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (!indexed_kind(o.TYPE)) continue;
        if (o.TYPE == MK_CREATURE) rows.push_back(i);
        by_cell[cell_key(o.x, o.y)].push_back(i);
    }
    built = true;
}

bool in_walk() { return map_object_walk_running(); }

}  // namespace

void turn_index_note_act(int map_index) {
    if (!in_walk() || map_index <= last_row || !built) built = false;
    if (built && Data[map_index].TYPE == MK_CREATURE &&
        !std::binary_search(rows.begin(), rows.end(), map_index))
        built = false;  // a creature the index never saw
    last_row = map_index;
}

const std::vector<int>& creature_rows() {
    if (!built || !in_walk()) {
        build();
        built = in_walk();
    }
    return rows;
}

int rows_at_cell(int x, int y, int* out, int cap) {
    int n = 0;
    if (in_walk()) {
        creature_rows();
        const auto it = by_cell.find(cell_key(x, y));
        if (it == by_cell.end()) return 0;
        for (int i : it->second) {
            const MapObject& o = Data[i];
            if (n < cap && indexed_kind(o.TYPE) && o.x == x && o.y == y) out[n++] = i;
        }
        return n;
    }
    for (int i = 0; i < MAP_OBJECT_COUNT && n < cap; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_UNUSED) break;
        if (indexed_kind(o.TYPE) && o.x == x && o.y == y) out[n++] = i;
    }
    return n;
}

void turn_index_moved(int row, int ox, int oy, int x, int y) {
    if (!built) return;
    const auto it = by_cell.find(cell_key(ox, oy));
    if (it != by_cell.end()) {
        auto& v = it->second;
        v.erase(std::remove(v.begin(), v.end(), row), v.end());
    }
    by_cell[cell_key(x, y)].push_back(row);
}

void reset_turn_index() {
    rows.clear();
    by_cell.clear();
    built = false;
    last_row = -1;
}
