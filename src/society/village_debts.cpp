#include "society/village_debts.h"

#include <algorithm>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "creatures/creature_society.h"
#include "game/goods_storage.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "society/standing.h"

namespace {

constexpr int POOL_SLOT_MOST = 255;
constexpr uint8_t OBJ_UNPAID = 0x01;

void logd(const char* text) { debug_log("villages", text); }

// A formatted line on the villages' debug channel (the format a literal).
#define VILLAGE_LOG(...)                                  \
    do {                                                  \
        char village_log_text_[300];                      \
        format_text(village_log_text_, sizeof village_log_text_, __VA_ARGS__); \
        logd(village_log_text_);                          \
    } while (0)

void clear_debt(VillageDebt& d) { std::memset(&d, 0, sizeof d); }

// Whether a debt entry is for the same thing as the object paid with.
bool debt_matches(const VillageDebt& d, int object_id, const ObjectRecord& paid) {
    if (d.object_id == object_id) return true;
    if (!obj_id_is_valid(d.object_id) || !obj_id_is_valid(object_id)) return false;
    ObjectRecord owed;
    obj_record(d.object_id, owed);
    if (owed.item_class == 0 || paid.item_class == 0) return false;
    if (obj_can_stack(owed, paid)) return true;
    return owed.kind == 55 && paid.kind == 55 && owed.contents == paid.contents;
}

// The village's centre, or its first listed cell; false with neither.
bool village_cell(const VillageRecord& v, int& wx, int& wy) {
    if (!(v.isox == 0 && v.isoy == 0)) {
        wx = v.isox;
        wy = v.isoy;
        return true;
    }
    for (int i = 0; i < VILLAGE_CELLS; ++i)
        if (v.cell_x[i] != 0) {
            wx = v.cell_x[i];
            wy = v.cell_y[i];
            return true;
        }
    return false;
}

// Raw yields that villagers bring home (kinds 432-435) become their
// products; the count is changed to what the yield gives.
void make_products(ObjectRecord& rec, int& count) {
    if (rec.kind < 432 || rec.kind > 435 || count < 1) return;
    const int quarter = count / 4;
    int q = quarter;
    for (int i = 0; i < 3; ++i) q += quarter > 0 ? random_below(quarter) : 0;
    const float factor = rec.rating > 0 ? float(rec.rating) : 1.0f;
    const float r = float(q) * factor;
    if (rec.kind == 433) {
        count = q;
    } else if (rec.kind == 434) {
        int n = 1;
        if (rec.subclass == 2) {
            if (r >= 15) n = 2;
            else if (r >= 10) n = 1 + random_below(3);
            else if (r >= 5) n = 1 + random_below(2);
        } else {
            if (r >= 45) n = 2 + random_below(2);
            else if (r >= 30) n = 1 + random_below(3);
            else if (r >= 15) n = 1 + random_below(2);
        }
        count = n;
    } else {
        ObjectRecord made;
        obj_record(350, made);
        if (made.item_class != 0) {
            const float type_factor = made.rating > 0 ? float(made.rating) : 1.0f;
            const float half = type_factor / 2.0f;
            made.weight = r > half ? type_factor : half;
            rec = made;
        }
        count = 1;
    }
}

}  // namespace

// ------------------------------------------------------------ debts

int add_item_debt(int object_id, int count) {
    if (count < 1) return -1000;
    VillageRecord& v = CurVillage;
    ObjectRecord rec;
    obj_record(object_id, rec);
    const float value = obj_id_is_valid(object_id) ? obj_value(rec) : 0.0f;
    for (int i = 0; i < VILLAGE_DEBTS; ++i) {
        VillageDebt& d = v.item_debts[i];
        if (!d.in_use || d.object_id != object_id) continue;
        d.count += count;
        d.total_value += value * float(count);
        return i;
    }
    for (int i = 0; i < VILLAGE_DEBTS; ++i) {
        VillageDebt& d = v.item_debts[i];
        if (d.in_use) continue;
        clear_debt(d);
        d.in_use = 1;
        d.object_id = object_id;
        d.count = count;
        d.total_value = value * float(count);
        d.stamp = Plr.total_minutes;
        return i;
    }
    return -1000;
}

int add_village_item_debt(int32_t village, int object_id, int count) {
    if (village < 1) return -1000;
    set_current_village(village);
    const int entry = add_item_debt(object_id, count);
    refresh_village_debts(CurVillage);
    return entry;
}

int remitemdebt(int32_t village, int object_id, int count) {
    if (village < 0) return 0;
    set_current_village(village);
    if (cur_village_id != village) return 0;
    logd("rem itemdebt");
    VillageRecord& v = CurVillage;
    int left = count;
    if (object_id == -1 && count == 1) {
        for (VillageDebt& d : v.item_debts) clear_debt(d);
        left = 0;
    } else {
        ObjectRecord paid;
        obj_record(object_id, paid);
        if (!obj_id_is_valid(object_id)) paid.item_class = 0;
        for (int i = 0; i < VILLAGE_DEBTS && left > 0; ++i) {
            VillageDebt& d = v.item_debts[i];
            if (!d.in_use || !debt_matches(d, object_id, paid)) continue;
            if (d.count <= left) {
                left -= d.count;
                clear_debt(d);
                continue;
            }
            // What is left of the debt keeps the unit value it was made with.
            const float unit = d.count > 0 ? d.total_value / float(d.count) : 0.0f;
            d.count -= left;
            d.total_value = unit * float(d.count);
            left = 0;
        }
    }
    refresh_village_debts(v);
    logd(v.has_debt ? "still got debt" : "no debt no more");
    return left <= 0 ? 1 : 0;
}

void refresh_village_debts(VillageRecord& v) {
    v.has_debt = 0;
    bool special = false;
    bool any = false;
    int32_t oldest = 0;
    float total = 0.0f;
    for (VillageDebt& d : v.item_debts) {
        if (!d.in_use) continue;
        ObjectRecord rec;
        obj_record(d.object_id, rec);
        if (!obj_id_is_valid(d.object_id) || rec.item_class == 0 || rec.name[0] == 0) {
            clear_debt(d);
            continue;
        }
        if (rec.special_kind & OBJ_SPECIAL_KIND) special = true;
        if (!any || d.stamp < oldest) oldest = d.stamp;
        any = true;
        total += d.total_value;
        VILLAGE_LOG("debti: %s * %d", rec.name, int(d.count));
    }
    // A ban for a special item holds while any such debt is open.
    if (special && v.trade_ban == 0) v.trade_ban = 2;
    if (!special && v.trade_ban == 2) v.trade_ban = 0;
    if (any) {
        v.has_debt = 1;
        v.debt_age = Plr.total_minutes - oldest;
        v.debt_level = total > 400.0f ? 3 : total > 16.0f ? 2 : 1;
        logd("debtrefresh: got debt");
    } else {
        v.debt_age = 0;
        v.debt_level = 0;
    }
}

float total_debt_value(const VillageRecord& v) {
    float total = 0.0f;
    for (const VillageDebt& d : v.item_debts)
        if (d.in_use) total += d.total_value;
    return total;
}

void remove_all_item_debts(VillageRecord& v) {
    for (VillageDebt& d : v.item_debts) {
        if (!d.in_use) continue;
        if (obj_id_is_instance(d.object_id)) {
            ObjectRecord rec;
            obj_record(d.object_id, rec);
            if (rec.item_class != 0) {
                rec.ownflag &= uint8_t(~OBJ_UNPAID);
                obj_write_record(d.object_id, rec);
            }
        }
        clear_debt(d);
    }
}

void set_debt_collection_state(int32_t village, int state) {
    if (village < 1) return;
    set_current_village(village);
    CurVillage.perinta = uint8_t(std::clamp(state, 0, 255));
    CurVillage.collection_deadline = 0;
    CurVillage.collection_level = 0;
}

void set_debt_collection_deadline(int32_t village, int minutes, int level) {
    if (village < 1) return;
    set_current_village(village);
    if (CurVillage.collection_deadline != 0) return;
    CurVillage.collection_deadline = Plr.total_minutes + minutes;
    CurVillage.collection_level = uint8_t(std::clamp(level, 0, 255));
}

void clear_debt_collection(int32_t village) {
    if (village < 1) return;
    set_current_village(village);
    CurVillage.state_flags &= ~VILLAGE_COLLECTING;
    CurVillage.collection_level = 0;
    CurVillage.perinta = 0;
    CurVillage.collection_deadline = 0;
}

int forgive_village_debt(int32_t village) {
    if (village < 1) return 0;
    set_current_village(village);
    VillageRecord& v = CurVillage;
    stamp_village_incident();
    refresh_village_debts(v);
    const int b = v.debt_level;
    v.suspicion = uint8_t(std::min(255, v.suspicion + b + 1));
    int c = 0, d = 1;
    if (v.has_debt) {
        logd("Still got debt!");
        v.everdebt += total_debt_value(v);
        remove_all_item_debts(v);
        refresh_village_debts(v);
        VILLAGE_LOG("debt forgiven - everdebt now %.2f (debt level before: %d after %d)", double(v.everdebt), b,
             int(v.debt_level));
        clear_debt_collection(village);
        village_has_displaced_items(village);
        c = b == 2 ? 2 : b == 3 ? 3 : 0;
        d = b + 1;
    }
    const int D = std::min(255, v.maksuhairiot + d);
    v.maksuhairiot = uint8_t(D);
    if (D > 1 && c < 1) c = D < 5 ? 1 : 2;
    else if (c < 2 && D > 4) c = 2;
    const int result = (c < 3 && D > 9) ? 3 : c;
    if (v.theft_mark || v.thefts) {
        if (result == 2) banish_player(result, 7);
        else if (result == 3) banish_player(result, 30);
    }
    VILLAGE_LOG("maksuhairiot: %d", D);
    return result;
}

// ------------------------------------------------------------ displaced goods

int is_displaced_village_item(int map_index, int32_t village) {
    if (!map_index_valid(map_index) || village < 1) return 0;
    const MapObject& o = Data[map_index];
    if (o.TYPE != MK_ITEM || !obj_id_is_valid(o.DATA)) return 0;
    ObjectRecord rec;
    obj_record(o.DATA, rec);
    if (rec.item_class == 0 || rec.ownerID != village || rec.x == 0) return 0;
    const int wx = world_x_of(o.x), wy = world_y_of(o.y);
    if (wx != rec.x || wy != rec.y) return 1;
    const uint8_t code = terrain_at(o.x, o.y);
    return (code == 19 || code == 28 || code == 40 || code == 95 || code == 240) ? 0 : 1;
}

int village_has_displaced_items(int32_t village) {
    if (village < 1) return 0;
    set_current_village(village);
    int found = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && !found; ++i) {
        if (Data[i].TYPE == KIND_UNUSED) break;
        if (is_displaced_village_item(i, village)) found = 1;
    }
    CurVillage.displaced_goods = uint8_t(found);
    return found;
}

// ------------------------------------------------------------ goods pool

bool add_to_village_pool(int object_id, int32_t village, int count) {
    if (count < 1 || village < 1 || !obj_id_is_valid(object_id)) return false;
    set_current_village(village);
    VillageRecord& v = CurVillage;
    ObjectRecord rec;
    obj_record(object_id, rec);
    for (int i = 0; i < VILLAGE_POOL_SLOTS; ++i) {
        if (v.pool_counts[i] == 0 || v.pool_ids[i] != object_id) continue;
        if (v.pool_counts[i] + count < POOL_SLOT_MOST) {
            v.pool_counts[i] = uint8_t(v.pool_counts[i] + count);
            VILLAGE_LOG("vilpool #%d: %s count incr. to %d", i, rec.name, int(v.pool_counts[i]));
            return true;
        }
    }
    // Counts above a slot's most spill into further slots; all of it fits
    // or none of it is taken.
    int free_slots = 0;
    for (int i = 0; i < VILLAGE_POOL_SLOTS; ++i)
        if (v.pool_counts[i] == 0) ++free_slots;
    const int needed = (count + POOL_SLOT_MOST - 1) / POOL_SLOT_MOST;
    if (needed > free_slots) return false;
    int left = count;
    for (int i = 0; i < VILLAGE_POOL_SLOTS && left > 0; ++i) {
        if (v.pool_counts[i] != 0) continue;
        const int n = std::min(left, POOL_SLOT_MOST);
        v.pool_ids[i] = object_id;
        v.pool_counts[i] = uint8_t(n);
        left -= n;
        VILLAGE_LOG("vilpool #%d: %s add %d", i, rec.name, n);
    }
    return true;
}

void flush_village_pool(int32_t village) {
    if (village < 1) return;
    set_current_village(village);
    VillageRecord& v = CurVillage;
    int wx, wy;
    if (is_world_map() || !village_cell(v, wx, wy)) return;
    if (world_cell_local_rect(wx, wy).w == 0) return;
    const int dx = wx - Plr.zoom_origin_x, dy = wy - Plr.zoom_origin_y;
    for (int i = 0; i < VILLAGE_POOL_SLOTS; ++i) {
        if (v.pool_counts[i] == 0) continue;
        if (!obj_id_is_valid(v.pool_ids[i])) {
            v.pool_ids[i] = 0;
            v.pool_counts[i] = 0;
            continue;
        }
        ObjectRecord rec;
        obj_record(v.pool_ids[i], rec);
        int count = v.pool_counts[i];
        make_products(rec, count);
        rec.ownflag &= uint8_t(~0x07);
        const int id = count > 0 ? obj_store_record(rec) : 0;
        if (id == 0) {
            if (count <= 0) {
                v.pool_ids[i] = 0;
                v.pool_counts[i] = 0;
            }
            continue;
        }
        VILLAGE_LOG("flush %s * %d", rec.name, count);
        const int stored = std::clamp(store_goods_in_area(count, id, dx, dy), 0, count);
        if (stored >= count) {
            v.pool_ids[i] = 0;
            v.pool_counts[i] = 0;
        } else {
            // Kept for a later flush, as the goods they have become.
            v.pool_ids[i] = id;
            v.pool_counts[i] = uint8_t(std::min(count - stored, POOL_SLOT_MOST));
        }
    }
}

int cre_store_goods(int creature) {
    if (creature < 0 || !cre_is_villager(creature)) return 0;
    const int32_t village = cre_group_id(creature);
    if (village < 1) return 0;
    int ids[20], counts[20];
    const int n = cre_take_stored_goods(creature, ids, counts, 20);
    set_current_village(village);
    int wx = 0, wy = 0;
    const bool placed = village_cell(CurVillage, wx, wy);
    for (int i = 0; i < n; ++i) {
        const int stored = placed ? store_goods_in_area(counts[i], ids[i], wx - Plr.zoom_origin_x, wy - Plr.zoom_origin_y) : 0;
        // What finds no place is gathered for the village to store later.
        if (stored < counts[i]) add_to_village_pool(ids[i], village, counts[i] - stored);
    }
    return 1;
}

// ------------------------------------------------------------ terrain tests

bool letter_terrain_near(int x, int y) {
    for (int yy = y; yy <= y + 4; ++yy)
        for (int xx = x - 3; xx <= x + 3; ++xx) {
            const uint8_t c = terrain_at(xx, yy);
            if ((c >= 'a' && c <= 'g') || c == 'i' || c == 'l') return true;
        }
    return false;
}

bool dwelling_furniture_near(int x, int y) {
    for (int yy = y - 3; yy <= y + 3; ++yy)
        for (int xx = x - 3; xx <= x + 3; ++xx) {
            const uint8_t c = terrain_at(xx, yy);
            if (c == 4 || c == 5 || c == 19 || c == 240) return true;
        }
    return false;
}
