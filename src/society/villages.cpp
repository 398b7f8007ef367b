#include "society/villages.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "creatures/creature_society.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/object_values.h"
#include "society/village_debts.h"

int32_t cur_village_id = NO_VILLAGE;
VillageRecord CurVillage;

namespace {

constexpr size_t RECORD_BYTES = sizeof(VillageRecord);
// One record per marker is the most a world can have.
constexpr size_t MAX_VILLAGE_FILE = RECORD_BYTES * size_t(MARKER_COUNT);

std::vector<VillageRecord> village_table;
std::unordered_map<int32_t, int> village_slots;

bool is_settlement_site(uint8_t code) { return code == 210 || code == 211 || code == 239; }

bool world_cell_is_site(int wx, int wy) { return is_settlement_site(stored_world_terrain_at(wx, wy)); }

// The marker of a world cell, or nullptr when it has none.
Marker* marker_of_cell(int wx, int wy) {
    if (!in_world_grid(wx, wy)) return nullptr;
    const int m = marker_slot(wx, wy);
    if (m == MARKER_NONE) return nullptr;
    Marker& mk = Markers[m];
    if (mk.world_x != wx || mk.world_y != wy) return nullptr;
    return &mk;
}

// The record of a village to read: the current one, else the table's;
// nullptr when it has none.
const VillageRecord* village_view(int32_t id) {
    if (id == cur_village_id) return &CurVillage;
    const auto it = village_slots.find(id);
    return it == village_slots.end() ? nullptr : &village_table[size_t(it->second)];
}

void logv(const char* channel, const char* text) { debug_log(channel, text); }

// Keeps the bytes of a damaged village file beside it for a closer look.
void keep_aside(const std::vector<uint8_t>& bytes) {
    const std::string path = character_folder() + "/" + village_file_name() + ".bad";
    write_file_atomic(path, bytes.data(), bytes.size());
}

// Takes the whole records of a file image into the table; the first record
// of an id wins, records without an id are dropped. The count dropped.
int take_records(const std::vector<uint8_t>& bytes) {
    int dropped = 0;
    const size_t whole = bytes.size() / RECORD_BYTES;
    village_table.reserve(whole);
    for (size_t i = 0; i < whole; ++i) {
        VillageRecord rec;
        std::memcpy(&rec, bytes.data() + i * RECORD_BYTES, RECORD_BYTES);
        if (rec.soc < 1 || village_slots.count(rec.soc)) {
            ++dropped;
            continue;
        }
        village_slots.emplace(rec.soc, int(village_table.size()));
        village_table.push_back(rec);
    }
    return dropped;
}

}  // namespace

std::string village_file_name() { return std::string(character_name) + ".VIL"; }

void reset_villages() {
    village_table.clear();
    village_slots.clear();
    cur_village_id = NO_VILLAGE;
    std::memset(&CurVillage, 0, sizeof CurVillage);
}

int village_count() { return int(village_table.size()); }

VillageState village_state() {
    VillageState s;
    s.records = village_table;
    s.current = cur_village_id;
    s.current_record = CurVillage;
    return s;
}

void restore_village_state(const VillageState& s) {
    reset_villages();
    for (const VillageRecord& r : s.records) save_village(r.soc, r);
    cur_village_id = s.current;
    CurVillage = s.current_record;
}

void load_village_file() {
    reset_villages();
    const std::string name = village_file_name();
    std::vector<uint8_t> bytes;
    const FileVerdict v = read_character_file(name.c_str(), bytes, MAX_VILLAGE_FILE);
    SaveSetEntry e;
    const bool listed = save_set_entry(name.c_str(), e) && (e.flags & SET_SUM);
    // A file its save never listed that is missing: no village known yet.
    if (v == FileVerdict::Missing && !listed) return;
    if ((v == FileVerdict::Good || v == FileVerdict::Unlisted) && bytes.size() % RECORD_BYTES == 0) {
        if (take_records(bytes) == 0) return;
        // Records without an id, or a second record of an id: the first
        // record of each village counts, as a search from the start finds it.
        keep_aside(bytes);
        char text[300];
        format_text(text, sizeof text, "!%s held doubled village records; the first of each was kept.",
                    name.c_str());
        tell_player(text);
        debug_log("!villages", text);
    } else {
        // Damaged, lost, or ending in part of a record: the bytes are kept
        // aside, and the villages come from the save before when it is
        // whole, else from the whole records there are.
        if (v == FileVerdict::Damaged)
            read_whole_file(resolve_path_ci(character_folder() + "/" + name), bytes, MAX_VILLAGE_FILE);
        if (!bytes.empty()) keep_aside(bytes);
        std::vector<uint8_t> previous;
        bool from_previous = false;
        if (v != FileVerdict::Unlisted && listed && (e.flags & SET_PREV) && e.prev_size >= 0 &&
            e.prev_size % (long long)RECORD_BYTES == 0 && size_t(e.prev_size) <= MAX_VILLAGE_FILE) {
            previous.resize(size_t(e.prev_size));
            from_previous = read_previous_copy(name.c_str(), previous.data(), previous.size());
        }
        reset_villages();
        take_records(from_previous ? previous : bytes);
        char text[300];
        if (from_previous)
            format_text(text, sizeof text, "!%s was %s; the villages were taken from the save before.", name.c_str(),
                        v == FileVerdict::Missing ? "missing" : "damaged");
        else
            format_text(text, sizeof text, "!%s was %s; %d whole village records were kept.", name.c_str(),
                        v == FileVerdict::Missing ? "missing" : "damaged", village_count());
        tell_player(text);
        debug_log("!villages", text);
    }
    repair_character_file(name.c_str(), village_table.data(), village_table.size() * RECORD_BYTES);
}

namespace {

// A record that holds nothing but its id.
bool record_is_blank(const VillageRecord& rec) {
    VillageRecord blank;
    std::memset(&blank, 0, sizeof blank);
    blank.soc = rec.soc;
    return std::memcmp(&blank, &rec, sizeof rec) == 0;
}

// The current record goes back to the table. One that has no place there
// yet and still holds nothing stays out: it loads as the same zeros. Groups
// of people share the village numbering, so a family or band that is no
// settlement is made current by the villagers' routines as well; kept, each
// would leave an empty record in the file for good, past the one record per
// settlement the file is read with.
void write_back_current_village() {
    if (cur_village_id == NO_VILLAGE) return;
    if (find_village_index(cur_village_id) == NO_VILLAGE && record_is_blank(CurVillage)) return;
    save_village(cur_village_id, CurVillage);
}

}  // namespace

bool save_village_file() {
    write_back_current_village();
    return write_character_file(village_file_name().c_str(), village_table.data(),
                                village_table.size() * RECORD_BYTES);
}

int find_village_index(int32_t id) {
    const auto it = village_slots.find(id);
    return it == village_slots.end() ? NO_VILLAGE : it->second;
}

VillageRecord load_village(int32_t id) {
    const auto it = village_slots.find(id);
    if (it != village_slots.end()) return village_table[size_t(it->second)];
    VillageRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.soc = id;
    return rec;
}

bool save_village(int32_t id, const VillageRecord& rec) {
    if (id < 1) return false;
    const auto it = village_slots.find(id);
    VillageRecord* slot;
    if (it != village_slots.end()) {
        slot = &village_table[size_t(it->second)];
    } else {
        village_slots.emplace(id, int(village_table.size()));
        village_table.push_back(rec);
        slot = &village_table.back();
    }
    if (slot != &rec) *slot = rec;
    slot->soc = id;
    return true;
}

void set_current_village(int32_t id) {
    if (id == cur_village_id || id < 1) return;
    write_back_current_village();
    cur_village_id = id;
    CurVillage = load_village(id);
    refresh_village_debts(CurVillage);
}

void clear_current_village() {
    write_back_current_village();
    cur_village_id = NO_VILLAGE;
    std::memset(&CurVillage, 0, sizeof CurVillage);
}

int assign_village_id(int wx, int wy, int value) {
    if (!in_world_grid(wx, wy)) return 0;
    const int m = marker_slot(wx, wy);
    char text[200];
    if (m == MARKER_NONE) {
        format_text(text, sizeof text, "no marker for a village at %d,%d: the marker table is full", wx, wy);
        logv("!villages", text);
        return 0;
    }
    Marker& mk = Markers[m];
    if (mk.world_x == wx && mk.world_y == wy && mk.village_id != 0) return mk.village_id;
    const int32_t id = ++Plr.quest_id_counter;
    mk.world_x = int16_t(wx);
    mk.world_y = int16_t(wy);
    mk.village_id = id;
    mk.village_flags |= uint8_t(value & (MARK_PEOPLE_PENDING | MARK_CLAIM_PENDING));
    for (int y = wy - 2; y <= wy + 2; ++y)
        for (int x = wx - 2; x <= wx + 2; ++x) {
            if ((x == wx && y == wy) || !in_world_grid(x, y) || !world_cell_is_site(x, y))
                continue;
            const int n = marker_slot(x, y);
            if (n == MARKER_NONE) {
                format_text(text, sizeof text, "village %d: no marker for its cell %d,%d", id, x, y);
                logv("!villages", text);
                continue;
            }
            Marker& nk = Markers[n];
            if (nk.world_x == x && nk.world_y == y && nk.village_id != 0) continue;
            nk.world_x = int16_t(x);
            nk.world_y = int16_t(y);
            nk.village_id = id;
        }
    return id;
}

int village_owns_cell(int32_t id, int x, int y) {
    if (id < 1) return 0;
    const VillageRecord* v = village_view(id);
    if (v && !(v->isox == 0 && v->isoy == 0)) {
        if (v->isox == x && v->isoy == y) return 1;
        for (int i = 0; i < VILLAGE_CELLS; ++i)
            if (v->cell_x[i] != 0 && v->cell_x[i] == x && v->cell_y[i] == y) return 1;
        return 0;
    }
    if (v)
        for (int i = 0; i < VILLAGE_CELLS; ++i)
            if (v->cell_x[i] != 0 && v->cell_x[i] == x && v->cell_y[i] == y) return 1;
    if (!world_cell_is_site(x, y)) return 0;
    const Marker* mk = marker_of_cell(x, y);
    return mk && mk->village_id == id ? 1 : 0;
}

int distance_to_village(int32_t id, int x, int y) {
    if (id < 1) return 1000;
    const VillageRecord* v = village_view(id);
    if (!v) return 1000;
    int best = 1000;
    if (!(v->isox == 0 && v->isoy == 0)) best = std::max(std::abs(v->isox - x), std::abs(v->isoy - y));
    for (int i = 0; i < VILLAGE_CELLS; ++i) {
        if (v->cell_x[i] == 0) continue;
        best = std::min(best, std::max(std::abs(int(v->cell_x[i]) - x), std::abs(int(v->cell_y[i]) - y)));
    }
    return best;
}

void record_village_visit(int32_t id) {
    if (id < 1) return;
    set_current_village(id);
    VillageRecord& v = CurVillage;
    const int32_t today = Plr.days_played;
    if (v.lastday == today) return;
    if (v.lastday != 0) v.meetgap = uint16_t(std::clamp(today - v.lastday, 0, 65535));
    if (v.meets < 65535) ++v.meets;
    v.lastday = today;
    v.day_counter = 0;
}

namespace {

// The land claim of a world cell: unowned items worth more than 1 lying in
// the cell's block of the local map become the village's. The player's own
// things (put down or claimed) stay the player's.
void claim_items_in_cell(int32_t id, int wx, int wy) {
    if (is_world_map()) return;
    const MapRect r = world_cell_local_rect(wx, wy);
    char text[200];
    format_text(text, sizeof text, "claim - IsoX,Y: %d,%d [%d,%d,%d,%d]", wx, wy, r.x, r.y, r.w, r.h);
    logv("villages", text);
    if (r.w == 0) return;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (o.TYPE == KIND_UNUSED) break;
        if (o.TYPE != MK_ITEM || o.ref != 0) continue;
        if (o.x < r.x || o.x >= r.x + r.w || o.y < r.y || o.y >= r.y + r.h) continue;
        if (!obj_id_is_valid(o.DATA)) continue;
        ObjectRecord rec;
        obj_record(o.DATA, rec);
        if (rec.item_class == 0 || rec.ownerID != 0 || obj_value(rec) <= 1.0f) continue;
        rec.ownerID = id;
        rec.x = int16_t(wx);
        rec.y = int16_t(wy);
        const int owned = obj_store_record(rec);
        if (owned == 0) continue;
        o.DATA = owned;
        format_text(text, sizeof text, "owned: %s", rec.name);
        logv("villages", text);
    }
}

}  // namespace

void update_village_of_cell(int wx, int wy) {
    Marker* mk = marker_of_cell(wx, wy);
    if (!mk || mk->village_id == 0) return;
    const int32_t id = mk->village_id;
    if (id < 1) return;
    bool make_centre = false;
    if (mk->village_flags & MARK_PEOPLE_PENDING) {
        const MapRect r = world_cell_local_rect(wx, wy);
        if (!is_world_map() && r.w != 0 && assign_group_to_ungrouped_people(r.x, r.y, r.w, r.h, id) > 0)
            mk->village_flags &= uint8_t(~MARK_PEOPLE_PENDING);
        make_centre = true;
    }
    if (mk->village_flags & MARK_CLAIM_PENDING) {
        claim_items_in_cell(id, wx, wy);
        mk->village_flags &= uint8_t(~MARK_CLAIM_PENDING);
    }
    if (find_village_index(id) == NO_VILLAGE && cur_village_id != id) {
        clear_current_village();
        cur_village_id = id;
        std::memset(&CurVillage, 0, sizeof CurVillage);
        CurVillage.soc = id;
    } else {
        set_current_village(id);
    }
    VillageRecord& v = CurVillage;
    v.refresh_mark = 0;
    v.state_flags = 0;
    v.culture = uint8_t(world_culture_at(wx, wy));
    if (v.trade_ban == 1 && v.trade_ban_end_day <= Plr.days_played) {
        v.trade_ban = 0;
        v.trade_ban_end_day = 0;
    }
    const bool site = world_cell_is_site(wx, wy);
    if ((v.isox == 0 && v.isoy == 0 && site) || make_centre) {
        v.isox = wx;
        v.isoy = wy;
    }
    if (site) {
        bool listed = false;
        int free_slot = -1;
        for (int i = 0; i < VILLAGE_CELLS; ++i) {
            if (v.cell_x[i] == 0) {
                if (free_slot < 0) free_slot = i;
                continue;
            }
            if (v.cell_x[i] == wx && v.cell_y[i] == wy) listed = true;
        }
        if (!listed && free_slot >= 0) {
            v.cell_x[free_slot] = uint16_t(wx);
            v.cell_y[free_slot] = uint16_t(wy);
        }
    }
    save_village(id, CurVillage);
}

void update_villages_around(int ox, int oy) {
    for (int y = oy - 2; y <= oy + 2; ++y)
        for (int x = ox - 2; x <= ox + 2; ++x) {
            const Marker* mk = marker_of_cell(x, y);
            if (mk && mk->village_id > 0) update_village_of_cell(x, y);
        }
}

void assign_known_village_ids() {
    for (int i = 0; i < MARKER_COUNT; ++i) {
        const Marker& mk = Markers[i];
        if (mk.world_x == 0 || mk.village_id != 0) continue;
        const uint8_t code = stored_world_terrain_at(mk.world_x, mk.world_y);
        if (!is_settlement_site(code)) continue;
        // The people and things of the place were made before it had a
        // village: they join it at the next visit.
        assign_village_id(mk.world_x, mk.world_y, code == 210 ? 211 : 1);
    }
}

VillageLookup village_at(int wx, int wy) {
    VillageLookup out{true, 0};
    int best = 1000;
    int32_t nearest = 0;
    for (int i = 0; i < MARKER_COUNT; ++i) {
        const Marker& mk = Markers[i];
        if (mk.world_x == 0 || mk.village_id == 0) continue;
        if (mk.world_x == wx && mk.world_y == wy) {
            if (mk.village_id == NO_VILLAGE) return out;
            return VillageLookup{false, mk.village_id};
        }
        const int d = std::max(std::abs(mk.world_x - wx), std::abs(mk.world_y - wy));
        if (d <= 5 && d < best) {
            best = d;
            nearest = mk.village_id;
        }
    }
    const uint8_t code = stored_world_terrain_at(wx, wy);
    if (nearest != 0 && nearest != NO_VILLAGE && (code == 47 || code == 251)) return VillageLookup{false, nearest};
    return out;
}

int remove_village_member(int32_t id, int creature) {
    if (id < 1) return VILLAGE_MEMBERS;
    const uint32_t sotu = cre_sotu(creature);
    if (sotu == 0) return VILLAGE_MEMBERS;
    set_current_village(id);
    for (int i = 0; i < VILLAGE_MEMBERS; ++i)
        if (uint32_t(CurVillage.members[i]) == sotu) {
            CurVillage.members[i] = 0;
            return i;
        }
    return VILLAGE_MEMBERS;
}

int village_population(int32_t id) {
    if (id < 1) return 0;
    const VillageRecord* v = village_view(id);
    if (!v) return 0;
    int n = 0;
    for (int32_t m : v->members)
        if (m != 0) ++n;
    return n;
}

int count_villagers_on_map(int32_t id) {
    if (id < 1 || is_world_map()) return 0;
    return count_group_on_map(id);
}

void dump_villages() {
    write_back_current_village();
    if (village_table.empty()) {
        debug_log("vil", "not found - created");
        return;
    }
    char text[200];
    for (size_t i = 0; i < village_table.size(); ++i) {
        const VillageRecord& v = village_table[i];
        format_text(text, sizeof text, "#%u - ID: %u\n\r", unsigned(i), unsigned(v.soc));
        debug_log("vil", text);
        format_text(text, sizeof text, " - debt 1: %u\n\r", unsigned(v.item_debts[0].object_id));
        debug_log("vil", text);
    }
}

int village_held_object_ids(int* ids, int capacity) {
    int n = 0;
    const auto add = [&](int32_t id) {
        if (!obj_id_is_instance(id)) return;
        if (ids && n < capacity) ids[n] = id;
        ++n;
    };
    const auto walk = [&](const VillageRecord& v) {
        for (const VillageDebt& d : v.item_debts)
            if (d.in_use) add(d.object_id);
        for (int i = 0; i < VILLAGE_POOL_SLOTS; ++i)
            if (v.pool_counts[i] != 0) add(v.pool_ids[i]);
    };
    for (const VillageRecord& v : village_table)
        if (v.soc != cur_village_id) walk(v);
    if (cur_village_id != NO_VILLAGE) walk(CurVillage);
    return n;
}

// Not built yet: camps come with the society subsystem.
void create_npc_camp(int, int, int, int, int, int) { KSM_STUB("create_npc_camp"); }
