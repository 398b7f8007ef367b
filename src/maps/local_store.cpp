// The store of local maps. Records are rewritten in place at their slot or
// appended; the index is derived data (every record carries its own world
// cell), so a missing or stale index is rebuilt from the records and the
// records are never wiped.
#include "maps/local_store.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "mapgen/heights.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "creatures/creature_services.h"
#include "objects/map_kinds.h"
#include "objects/item_commands.h"
#include "base/debug_log.h"
#include "game/turn_state.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/message_line.h"

ZoomMap zoom_work;
bool zoom_settlement_rules_on = true;

// Strict placement and the scene rectangle belong to map generation; they
// are read here. Defaults: off.
int zoom_strict_placement = 0;
int zoom_scene_mode = 0;
int zoom_scene_x = 0, zoom_scene_y = 0, zoom_scene_w = 0, zoom_scene_h = 0;

namespace {

constexpr long long RECORD_SIZE = sizeof(ZoomMap);
constexpr long long ENTRY_SIZE = sizeof(ZoomIndexEntry);

// Blocks of the current local map whose objects could not all be placed
// when it was loaded: their stored records must not be replaced by the
// incomplete copy in the layers.
bool block_incomplete[5][5];

void note(const char* channel, const char* text) { debug_log(channel, text); }

void report(const char* text) {
    show_message(text);
    debug_log("!maps", text);
}

std::string index_path() { return character_file("ZOOMINDEX.DAT"); }
std::string maps_path() { return character_file("ZOOMMAPS.DAT"); }

// The index as it is in memory, valid for one character folder and as long
// as the files keep the sizes seen when it was read (or last written here).
struct IndexCache {
    bool valid = false;
    bool unavailable = false;  // the store could not be read or made
    bool maps_missing = false;  // the maps file is gone: it is made anew at the next store
    std::string folder;
    long long index_size = -1;
    long long maps_size = -1;
    std::vector<ZoomIndexEntry> entries;  // one per whole record
};
IndexCache cache;

ZoomIndexEntry make_entry(int32_t wx, int32_t wy) {
    ZoomIndexEntry e{};
    e.unused = 0;
    e.world_x = wx;
    e.world_y = wy;
    return e;
}

bool read_at(FILE* f, long long offset, void* data, size_t size) {
    return fseeko(f, off_t(offset), SEEK_SET) == 0 && std::fread(data, 1, size, f) == size;
}

bool write_index_whole(const std::vector<ZoomIndexEntry>& entries, bool repair = false) {
    const size_t size = entries.size() * sizeof(ZoomIndexEntry);
    return repair ? repair_character_file("ZOOMINDEX.DAT", entries.data(), size)
                  : write_character_file("ZOOMINDEX.DAT", entries.data(), size);
}

void remember_sizes() {
    cache.index_size = file_size(resolve_path_ci(index_path()));
    cache.maps_size = file_size(resolve_path_ci(maps_path()));
}

// The dummy record 0: a blank map of cell (-1, -1). The working record is
// not touched, so a first look-up never clears a map being saved.
const ZoomMap& dummy_record() {
    static ZoomMap blank;
    std::memset(&blank, 0, sizeof blank);
    blank.world_x = -1;
    blank.world_y = -1;
    std::memset(blank.terrain, 250, sizeof blank.terrain);
    std::memset(blank.remembered, ' ', sizeof blank.remembered);
    return blank;
}

// Makes both files anew with their dummy (in one switch).
bool create_store() {
    const ZoomMap& blank = dummy_record();
    const ZoomIndexEntry dummy = make_entry(-1, -1);
    begin_save_commit();
    write_character_file("ZOOMMAPS.DAT", &blank, sizeof blank);
    write_index_whole({dummy});
    return end_save_commit() || save_commit_open();
}

// The cells the records of the maps file say they are of.
bool read_record_cells(const std::string& mpath, long long records, std::vector<ZoomIndexEntry>& own) {
    own.assign(size_t(records), make_entry(-1, -1));
    FILE* f = open_file_ci(mpath, "rb");
    if (!f) return false;
    for (long long n = 0; n < records; ++n) {
        int32_t xy[2] = {-1, -1};
        read_at(f, n * RECORD_SIZE, xy, sizeof xy);
        own[size_t(n)] = make_entry(xy[0], xy[1]);
    }
    std::fclose(f);
    return true;
}

// Brings the store into a consistent state and reads the index. What had
// to be repaired is told to the player; a whole file is never rewritten.
void load_index() {
    cache = IndexCache{};
    cache.folder = index_path();
    cache.valid = true;
    const std::string ipath = resolve_path_ci(index_path()), mpath = resolve_path_ci(maps_path());
    long long isize = file_size(ipath);
    long long msize = file_size(mpath);
    SaveSetEntry maps_entry{}, index_entry{};
    const bool maps_listed = save_set_entry("ZOOMMAPS.DAT", maps_entry);
    const bool index_listed = save_set_entry("ZOOMINDEX.DAT", index_entry) && (index_entry.flags & SET_SUM);
    char text[400];

    if (isize < 0 && msize < 0) {
        if (maps_listed || index_listed)
            tell_player("!The stored local maps (ZOOMMAPS.DAT and ZOOMINDEX.DAT) are missing; the places you have "
                        "visited will be made anew.");
        // A fresh character folder: both files with their dummy.
        if (!create_store()) {
            report("!The store of local maps could not be created.");
            cache.unavailable = true;
            return;
        }
        cache.entries.push_back(make_entry(-1, -1));
        remember_sizes();
        return;
    }
    if (msize < 0) {
        tell_player("!ZOOMMAPS.DAT is missing; the places you have visited will be made anew, and the store of "
                    "local maps is made again at the next save.");
        cache.maps_missing = true;
        cache.entries.push_back(make_entry(-1, -1));
        remember_sizes();
        return;
    }

    // The maps file: whole records, and (when its save vouches for a size)
    // no more and no fewer bytes than that.
    long long whole = msize - msize % RECORD_SIZE;
    if (maps_listed && (maps_entry.flags & SET_SIZE_ONLY) && maps_entry.size % RECORD_SIZE == 0 &&
        msize > maps_entry.size)
        whole = maps_entry.size;
    if (whole != msize) {
        if (!patch_character_file("ZOOMMAPS.DAT", whole, nullptr, 0, whole)) {
            report("!ZOOMMAPS.DAT is damaged and could not be repaired.");
            cache.unavailable = true;
            return;
        }
        format_text(text, sizeof text,
                    "!ZOOMMAPS.DAT had %lld bytes more than its stored maps; they were cut away and the maps kept.",
                    msize - whole);
        tell_player(text);
        note("!maps", text);
        msize = whole;
    }
    if (maps_listed && (maps_entry.flags & SET_SIZE_ONLY) && msize < maps_entry.size) {
        format_text(text, sizeof text,
                    "!ZOOMMAPS.DAT was cut short: %lld stored local maps were lost; those places will be made anew.",
                    (maps_entry.size - msize) / RECORD_SIZE);
        tell_player(text);
        note("!maps", text);
    }
    if (msize == 0) {
        // Not even the dummy: put it back.
        const ZoomMap& blank = dummy_record();
        if (!patch_character_file("ZOOMMAPS.DAT", 0, &blank, sizeof blank)) {
            report("!ZOOMMAPS.DAT could not be repaired.");
            cache.unavailable = true;
            return;
        }
        msize = RECORD_SIZE;
    }
    const long long records = msize / RECORD_SIZE;

    std::vector<ZoomIndexEntry> own;
    if (!read_record_cells(mpath, records, own)) {
        report("!ZOOMMAPS.DAT could not be read.");
        cache.unavailable = true;
        return;
    }

    // The index: whole when its save vouches for it.
    std::vector<ZoomIndexEntry> stored;
    FileVerdict index_verdict = FileVerdict::Missing;
    if (isize >= 0) {
        std::vector<uint8_t> bytes;
        index_verdict = read_character_file("ZOOMINDEX.DAT", bytes, size_t(64) << 20);
        if (bytes.size() % sizeof(ZoomIndexEntry) != 0) index_verdict = FileVerdict::Damaged;
        if (index_verdict == FileVerdict::Good || index_verdict == FileVerdict::Unlisted) {
            stored.resize(bytes.size() / sizeof(ZoomIndexEntry));
            if (!stored.empty()) std::memcpy(stored.data(), bytes.data(), bytes.size());
        }
    }
    const bool index_damaged = index_verdict == FileVerdict::Damaged || (index_verdict == FileVerdict::Missing && index_listed);

    bool rewrite = isize < 0 || isize != records * ENTRY_SIZE;
    bool mismatch = false;
    int damaged_records = 0;
    std::vector<ZoomIndexEntry> entries(static_cast<size_t>(records));
    for (long long n = 0; n < records; ++n) {
        const ZoomIndexEntry& mine = own[size_t(n)];
        if (size_t(n) < stored.size()) {
            const ZoomIndexEntry& e = stored[size_t(n)];
            const bool forgotten = e.world_x == -1 && e.world_y == -1;
            entries[size_t(n)] = make_entry(e.world_x, e.world_y);
            if (e.unused != 0) rewrite = true;
            if (!forgotten && n > 0 && (e.world_x != mine.world_x || e.world_y != mine.world_y)) {
                if (index_verdict == FileVerdict::Good) {
                    // The index is what its save wrote: the record is damaged.
                    entries[size_t(n)] = make_entry(-1, -1);
                    ++damaged_records;
                    rewrite = true;
                } else {
                    mismatch = true;
                }
            }
        } else {
            // A record written without its index entry.
            entries[size_t(n)] = make_entry(mine.world_x, mine.world_y);
        }
    }
    if (index_damaged || isize < 0 || mismatch) {
        // Rebuild from the records. A cell stored twice (forgotten and made
        // again) keeps its newest record.
        for (long long n = 0; n < records; ++n) entries[size_t(n)] = own[size_t(n)];
        for (long long n = records - 1; n > 0; --n) {
            const ZoomIndexEntry& later = entries[size_t(n)];
            if (later.world_x == -1 && later.world_y == -1) continue;
            if (!in_world_grid(later.world_x, later.world_y)) {
                entries[size_t(n)] = make_entry(-1, -1);
                continue;
            }
            for (long long m = 1; m < n; ++m) {
                ZoomIndexEntry& earlier = entries[size_t(m)];
                if (earlier.world_x == later.world_x && earlier.world_y == later.world_y)
                    earlier = make_entry(-1, -1);
            }
        }
        format_text(text, sizeof text, "ZOOMINDEX.DAT %s; rebuilt from %lld stored maps",
                    isize < 0 ? "was missing" : "did not match the maps", records);
        note("!maps", text);
        if (index_damaged || (isize < 0 && index_listed)) {
            format_text(text, sizeof text, "!ZOOMINDEX.DAT was %s; the index of your local maps was rebuilt from the "
                        "maps themselves.", isize < 0 ? "missing" : "damaged");
            tell_player(text);
        }
        rewrite = true;
    }
    if (damaged_records > 0) {
        format_text(text, sizeof text,
                    "!%d of your stored local maps in ZOOMMAPS.DAT were damaged; those places will be made anew.",
                    damaged_records);
        tell_player(text);
        note("!maps", text);
    }
    entries[0] = make_entry(-1, -1);
    if (rewrite && !write_index_whole(entries, true)) report("!ZOOMINDEX.DAT could not be rewritten.");
    cache.entries = std::move(entries);
    remember_sizes();
}

void ensure_index() {
    if (cache.valid && cache.folder == index_path() && file_size(resolve_path_ci(index_path())) == cache.index_size &&
        file_size(resolve_path_ci(maps_path())) == cache.maps_size)
        return;
    load_index();
}

int find_slot(int wx, int wy) {
    ensure_index();
    if (cache.unavailable) return 0;
    for (size_t n = 1; n < cache.entries.size(); ++n) {
        if (cache.entries[n].world_x == wx && cache.entries[n].world_y == wy) return int(n);
    }
    return 0;
}

bool is_building_code(int code) {
    switch (code) {
    case 40: case 95: case 188: case 191: case 192: case 196: case 200: case 208: case 217: case 218:
        return true;
    default:
        return false;
    }
}

bool kept_kind(int kind) { return kind != KIND_UNUSED && kind != KIND_FREED; }

int count_block_objects(int dx, int dy) {
    int n = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (!kept_kind(o.TYPE)) continue;
        if (map_block_of(o.x) == dx && map_block_of(o.y) == dy) ++n;
    }
    return n;
}

// The abandonment of a settlement site: clears its culture blocks around
// when no other live site is near.
void abandon_site(int wx, int wy, int marker) {
    if (marker != MARKER_NONE) Markers[marker].important = 100;
    const int culture = world_culture_at(wx, wy);
    const int bx = wx / 32, by = wy / 32;
    bool abandoned = true;
    for (int cy = by - 1; cy <= by + 1; ++cy) {
        for (int cx = bx - 1; cx <= bx + 1; ++cx) {
            if (cx < 0 || cy < 0 || cx >= CULTURE_COLS || cy >= CULTURE_ROWS) continue;
            bool live = false;
            for (int y = cy * 32; y < cy * 32 + 32 && !live; ++y) {
                for (int x = cx * 32; x < cx * 32 + 32; ++x) {
                    if (x == wx && y == wy) continue;
                    if (!is_world_site_code(stored_world_terrain_at(x, y))) continue;
                    const int m = marker_slot(x, y);
                    if (m != MARKER_NONE && Markers[m].world_x == x && Markers[m].world_y == y &&
                        Markers[m].important != 0)
                        continue;
                    live = true;
                    break;
                }
            }
            if (live) {
                abandoned = false;
            } else if (culture_grid[cy * CULTURE_COLS + cx] == culture) {
                culture_grid[cy * CULTURE_COLS + cx] = 10;
            }
        }
    }
    if (abandoned) culture_grid[by * CULTURE_COLS + bx] = 10;
}

}  // namespace

void zoom_index_invalidate() { cache.valid = false; }

void zoom_clear_work() {
    std::memset(zoom_work.objects, 0, sizeof zoom_work.objects);
    std::memset(zoom_work.terrain, 250, sizeof zoom_work.terrain);
    std::memset(zoom_work.remembered, ' ', sizeof zoom_work.remembered);
    std::memset(zoom_work.cover, 0, sizeof zoom_work.cover);
}

int zoom_index_find(int wx, int wy) { return find_slot(wx, wy); }

int zoom_load_stored(int wx, int wy) {
    zoom_clear_work();
    const int slot = find_slot(wx, wy);
    if (slot == 0) return 0;
    static ZoomMap record;
    // A map written earlier in the save under way is not on the disk yet.
    if (!pending_patch_bytes("ZOOMMAPS.DAT", slot * RECORD_SIZE, &record, sizeof record)) {
        FILE* f = open_file_ci(maps_path(), "rb");
        if (!f) return 0;
        const bool ok = read_at(f, slot * RECORD_SIZE, &record, sizeof record);
        std::fclose(f);
        if (!ok) return 0;
    }
    if (record.world_x != wx || record.world_y != wy) {
        char text[200];
        format_text(text, sizeof text, "zoom_load_stored(%d,%d): slot %d holds the map of %d,%d; not loaded", wx, wy,
                    slot, record.world_x, record.world_y);
        note("!maps", text);
        cache.valid = false;  // the index is stale: read it again next time
        return 0;
    }
    std::memcpy(&zoom_work, &record, sizeof record);
    return 1;
}

void zoom_forget_stored(int wx, int wy) {
    const int slot = find_slot(wx, wy);
    if (slot == 0) return;
    std::vector<ZoomIndexEntry> entries = cache.entries;
    entries[size_t(slot)] = make_entry(-1, -1);
    const bool own = !save_commit_open();
    if (write_index_whole(entries)) {
        cache.entries = std::move(entries);
        if (own) remember_sizes();
    } else {
        cache.valid = false;
    }
    delete_marker(wx, wy);
}

int zoom_add_data(int x, int y, int kind, int data, int amount) {
    if (x == -1) {
        for (int tries = 1;; ++tries) {
            x = 1 + random_below(63);
            y = 1 + random_below(63);
            if (!(terrain_flags_of(zoom_work.terrain[y * 64 + x]) & TF_OBSTACLE)) break;
            if (tries >= 100) {
                if (zoom_strict_placement) return ZOOM_FAIL;
                break;
            }
        }
    }
    if (x < 0 || y < 0 || x > 63 || y > 63) return ZOOM_FAIL;
    if (kind != MK_CREATURE && kind != MK_PLANT_PATCH) {
        for (int i = 0; i < ZOOM_OBJECTS; ++i) {
            MapObject& o = zoom_work.objects[i];
            if (o.TYPE == kind && o.DATA == data && o.x == x && o.y == y) {
                o.amount = uint16_t(o.amount + amount);
                return i;
            }
        }
    }
    for (int i = 0; i < ZOOM_OBJECTS; ++i) {
        MapObject& o = zoom_work.objects[i];
        if (o.TYPE != MK_UNUSED) continue;
        o = MapObject{};
        o.x = uint16_t(x);
        o.y = uint16_t(y);
        o.TYPE = uint8_t(kind);
        o.DATA = data;
        o.amount = uint16_t(amount);
        return i;
    }
    return ZOOM_FAIL;
}

void zoom_add_data_on_floor(int kind, int data) {
    for (int tries = 0; tries < 10000; ++tries) {
        int x, y;
        if (zoom_scene_mode == 1 && zoom_scene_w > 0 && zoom_scene_h > 0) {
            x = zoom_scene_x + random_below(zoom_scene_w);
            y = zoom_scene_y + random_below(zoom_scene_h);
            if (x < 0 || y < 0 || x > 63 || y > 63) continue;
        } else {
            x = 1 + random_below(47);
            y = 1 + random_below(47);
        }
        if (zoom_work.terrain[y * 64 + x] == 96) {
            zoom_add_data(x, y, kind, data, 1);
            return;
        }
    }
}

void zoom_copy_height_block(int bx, int by) {
    if (bx < 0 || by < 0 || bx >= BAND_BLOCKS || by >= BAND_BLOCKS) return;
    for (int y = 0; y < 64; ++y) {
        std::memcpy(&zoom_work.height[y * 64], &band_grid[(64 * by + y) * BAND_GRID_STRIDE + 64 * bx], 64);
    }
}

bool dataextract(int dx, int dy) {
    const int x0 = ZOOM_MIDDLE + ZOOM_BLOCK * dx, y0 = ZOOM_MIDDLE + ZOOM_BLOCK * dy;
    for (int y = 0; y < 64; ++y) {
        const size_t at = map_index(x0, y0 + y);
        std::memcpy(&zoom_work.terrain[y * 64], &terrain_layer[at], 64);
        std::memcpy(&zoom_work.remembered[y * 64], &remembered_layer[at], 64);
        std::memcpy(&zoom_work.cover[y * 64], &cover_layer[at], 64);
        std::memcpy(&zoom_work.height[y * 64], &height_layer[at], 64);
    }
    int count = count_block_objects(dx, dy);
    for (int round = 0; round < 10 && count >= 1901; ++round) {
        note("zoomsave", "dataextract: cleanup entries initialized");
        if (purge_map_objects() > 0) compact_map_objects();
        count = count_block_objects(dx, dy);
    }
    std::memset(zoom_work.objects, 0, sizeof zoom_work.objects);
    int taken = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT && taken < ZOOM_OBJECTS; ++i) {
        const MapObject& o = Data[i];
        if (!kept_kind(o.TYPE)) continue;
        if (map_block_of(o.x) != dx || map_block_of(o.y) != dy) continue;
        MapObject& w = zoom_work.objects[taken++];
        w = o;
        w.x = uint16_t(o.x - zoom_block_of(o.x).first);
        w.y = uint16_t(o.y - zoom_block_of(o.y).first);
    }
    return count <= ZOOM_OBJECTS;
}

void reset_local_store_state() { std::memset(block_incomplete, 0, sizeof block_incomplete); }

bool zoomsave() {
    char text[200];
    note("zoomsave", "zoomsave starts");
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_CREATURE) continue;
        format_text(text, sizeof text, "zoomsave datascan #%d cr %d", i, Data[i].DATA);
        note("zoomsave", text);
    }
    bool all = true;
    for (int dy = -2; dy <= 2; ++dy) {
        format_text(text, sizeof text, "zoomsave row --- %d", dy);
        note("zoomsave", text);
        for (int dx = -2; dx <= 2; ++dx) {
            const int wx = Plr.zoom_origin_x + dx, wy = Plr.zoom_origin_y + dy;
            format_text(text, sizeof text, "zoomsave extract & proceed %d,%d", dx, dy);
            note("zoomsave", text);
            if (block_incomplete[dy + 2][dx + 2]) {
                // Its objects did not all fit in the table when it was loaded:
                // the stored record is the whole one and stays.
                format_text(text, sizeof text, "zoomsave keeps the stored map of %d,%d (loaded incomplete)", wx, wy);
                note("!maps", text);
                all = false;
                continue;
            }
            if (!dataextract(dx, dy)) {
                format_text(text, sizeof text,
                            "!Too many things lie in one part of this area (%d,%d) to be stored; that part was not saved.",
                            wx, wy);
                report(text);
                all = false;
                continue;
            }
            format_text(text, sizeof text, "zoomsave extracted %d,%d", dx, dy);
            note("zoomsave", text);
            const int m = marker_slot(wx, wy);
            if (m != MARKER_NONE) {
                Markers[m].last_visit = uint16_t(Plr.days_played & 0xFFFF);
                Markers[m].world_x = int16_t(wx);
                Markers[m].world_y = int16_t(wy);
                if (zoom_block_of(player_x).d == dx && zoom_block_of(player_y).d == dy) {
                    Markers[m].zoomout_x = player_x - zoom_block_of(player_x).first + 1;
                    Markers[m].zoomout_y = player_y - zoom_block_of(player_y).first + 1;
                }
            }
            format_text(text, sizeof text, "zoomsave markers done %d,%d", dx, dy);
            note("zoomsave", text);
            format_text(text, sizeof text, "zoomsave approaching save_zoommap %d,%d", wx, wy);
            note("zoomsave", text);
            if (!save_zoommap(wx, wy, 0)) all = false;
            format_text(text, sizeof text, "zoomsave save_zoommap done %d,%d", wx, wy);
            note("zoomsave", text);
            format_text(text, sizeof text, "zoomsave tx,ty now %d,%d", wx, wy);
            note("zoomsave", text);
        }
    }
    return all;
}

bool zoom_blocks_fit() {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (!block_incomplete[dy + 2][dx + 2] && count_block_objects(dx, dy) > ZOOM_OBJECTS) return false;
    return true;
}

bool save_zoommap(int wx, int wy, int flag) {
    char text[200];
    zoom_work.world_x = wx;
    zoom_work.world_y = wy;
    const int slot = find_slot(wx, wy);
    if (cache.unavailable) {
        report("!The local map could not be stored: the store of local maps is not available.");
        return false;
    }
    const int m = marker_slot(wx, wy);
    Marker* mk = m != MARKER_NONE ? &Markers[m] : nullptr;
    if (mk) {
        mk->world_x = int16_t(wx);
        mk->world_y = int16_t(wy);
        mk->object_flags = 0;
        mk->structure_flags = 0;
    }
    for (const MapObject& o : zoom_work.objects) {
        if (o.TYPE == MK_TRAP && mk) mk->object_flags |= MARK_TRAPS;
        if (o.TYPE == MK_NET && mk) mk->object_flags |= MARK_NETS;
        if (o.TYPE == MK_CREATURE) {
            format_text(text, sizeof text, "savecr: %d for zoommap %d,%d", o.DATA, wx, wy);
            note("zoomsave", text);
        }
    }
    const int world_code = stored_world_terrain_at(wx, wy);
    const bool site = is_world_site_code(world_code) != 0;
    int buildings = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const int code = zoom_work.terrain[y * 64 + x];
            if (!site && mk) {
                if (code == 31 && zoom_work.remembered[y * 64 + x] != ' ') {
                    mk->structure_flags |= MARK_SHELTER;
                    mk->shelter_x = uint16_t(x);
                    mk->shelter_y = uint16_t(y);
                } else if (code == 41) {
                    mk->structure_flags |= MARK_KOTA;
                    mk->shelter_x = uint16_t(x);
                    mk->shelter_y = uint16_t(y);
                }
            }
            if (is_building_code(code)) ++buildings;
        }
    }
    if (!site) {
        if (buildings > 3 && mk) {
            mk->structure_flags |= MARK_OWN_SETTLEMENT;
            mk->shelter_x = 64;
            mk->shelter_y = 64;
        }
    } else if (zoom_settlement_rules_on) {
        bool abandoned = false;
        const bool to_ground = buildings < 4;
        if (to_ground && world_culture_at(wx, wy) != 10) abandoned = true;
        if (!is_world_map() && !site_has_resident_humans(wx, wy)) abandoned = true;
        if (to_ground) set_stored_world_terrain(wx, wy, 250);
        if (flag == 0 && abandoned) abandon_site(wx, wy, m);
    }

    // The record and (for a new map) its index entry go to the disk in one
    // switch: the save under way, or one of their own.
    const bool own = !save_commit_open();
    if (own) begin_save_commit();
    std::vector<ZoomIndexEntry> entries = cache.entries;
    long long at = slot * RECORD_SIZE;
    if (cache.maps_missing) {
        // The maps file was lost: it is made anew, from its dummy on.
        const ZoomMap& blank = dummy_record();
        patch_character_file("ZOOMMAPS.DAT", 0, &blank, sizeof blank, RECORD_SIZE);
        entries.assign(1, make_entry(-1, -1));
    }
    if (slot == 0 || cache.maps_missing) {
        at = (long long)entries.size() * RECORD_SIZE;
        entries.push_back(make_entry(wx, wy));
        write_index_whole(entries);
    }
    // A stored map that is already as it is now is not written again.
    bool same = false;
    if (slot != 0 && !cache.maps_missing) {
        static ZoomMap stored;
        bool have = pending_patch_bytes("ZOOMMAPS.DAT", at, &stored, sizeof stored);
        if (!have) {
            FILE* f = open_file_ci(maps_path(), "rb");
            if (f) {
                have = read_at(f, at, &stored, sizeof stored);
                std::fclose(f);
            }
        }
        same = have && std::memcmp(&stored, &zoom_work, sizeof stored) == 0;
    }
    if (!same) patch_character_file("ZOOMMAPS.DAT", at, &zoom_work, sizeof zoom_work);
    const bool ok = own ? end_save_commit() : !save_commit_spoiled();
    if (!ok) {
        format_text(text, sizeof text, "!The local map of %d,%d could not be written.", wx, wy);
        report(text);
        cache.valid = false;
        return false;
    }
    cache.entries = std::move(entries);
    cache.maps_missing = false;
    if (own) remember_sizes();
    return true;
}

bool zoomset_maailma(int dx, int dy) {
    const int x0 = ZOOM_MIDDLE + ZOOM_BLOCK * dx, y0 = ZOOM_MIDDLE + ZOOM_BLOCK * dy;
    for (int y = 0; y < 64; ++y) {
        const size_t at = map_index(x0, y0 + y);
        std::memcpy(&terrain_layer[at], &zoom_work.terrain[y * 64], 64);
        std::memcpy(&remembered_layer[at], &zoom_work.remembered[y * 64], 64);
        std::memcpy(&cover_layer[at], &zoom_work.cover[y * 64], 64);
        std::memcpy(&height_layer[at], &zoom_work.height[y * 64], 64);
    }
    static int next = 0;
    if (dx == -2 && dy == -2) next = 0;
    bool complete = true;
    for (int i = 0; i < ZOOM_OBJECTS; ++i) {
        const MapObject& o = zoom_work.objects[i];
        if (!kept_kind(o.TYPE)) continue;
        while (next < MAP_OBJECT_COUNT && Data[next].TYPE != KIND_UNUSED) ++next;
        if (next >= 9901 || next >= MAP_OBJECT_COUNT) {
            if (purge_map_objects() > 0) {
                compact_map_objects();
                next = 0;
                while (next < MAP_OBJECT_COUNT && Data[next].TYPE != KIND_UNUSED) ++next;
            }
        }
        if (next >= MAP_OBJECT_COUNT) {
            debug_log("_system", "!zoomset_maailma! Data-struct full");
            complete = false;
            break;
        }
        MapObject& d = Data[next++];
        d = o;
        d.x = uint16_t(o.x + x0);
        d.y = uint16_t(o.y + y0);
    }
    block_incomplete[dy + 2][dx + 2] = !complete;
    return complete;
}

void Zoomer(int wx, int wy) {
    bool all_placed = true;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            zoom_load_stored(wx + dx, wy + dy);
            all_placed = zoomset_maailma(dx, dy) && all_placed;
        }
    }
    // What did not fit stays in its stored map (see zoomsave); the player
    // is told that no more things fit here.
    if (!all_placed) warn_map_item_limit();
    char text[120];
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_CREATURE) continue;
        format_text(text, sizeof text, "Zoomer(%d,%d) DATA #%d cr:%d", wx, wy, i, Data[i].DATA);
        note("zoomer", text);
    }
    note("zoomer", "zoomer end");
}

int zoom_move_creature_to_stored(int creature, int wx, int wy) {
    if (find_slot(wx, wy) == 0) return 0;
    const int sotu = store_creature_for_map(creature, wx, wy);
    if (sotu == 0) return 0;
    zoom_load_stored(wx, wy);
    for (int i = 0; i < ZOOM_OBJECTS; ++i) {
        MapObject& o = zoom_work.objects[i];
        if (o.TYPE != MK_UNUSED) continue;
        o = MapObject{};
        o.x = 30;
        o.y = 30;
        o.TYPE = MK_CREATURE;
        o.DATA = sotu;
        o.amount = 1;
        break;
    }
    save_zoommap(wx, wy, 1);
    return 1;
}

int zoom_put_object_in_stored(int reference, int wx, int wy) {
    zoom_load_stored(wx, wy);
    zoom_add_data(-1, 0, 4, reference, 1);
    save_zoommap(wx, wy, 1);
    return 1;
}

namespace {

void zi_debug(const char* fmt_kind, int lag, int m, int o, int l) {
    if (!debug_logs_on) return;
    char text[200];
    format_text(text, sizeof text, "%s%d --  memloc: %d   obj: %d   life: %d\n", fmt_kind, lag, m, o, l);
    FILE* f = open_file_ci("zi_debug.txt", "ab");
    if (!f) return;
    std::fputs(text, f);
    std::fclose(f);
}

}  // namespace

int zoom_map_worth_keeping(int lag) {
    int M = 0, L = 0, O = 0;
    for (uint8_t c : zoom_work.remembered)
        if (c != ' ') ++M;
    for (const MapObject& o : zoom_work.objects) {
        switch (o.TYPE) {
        case MK_UNUSED: case MK_PLANT_PATCH: case MK_TRACK: case MK_DORMANT_PLANT: case MK_OCCUPIER_66: case MK_GONE:
        case MK_BLOOD:
            continue;
        default:
            break;
        }
        if (o.TYPE == MK_STRUCTURE_MARK) {
            zi_debug("IMPORTANT\t\t\t", lag, M, O, L);
            return 1;
        }
        if (o.TYPE == MK_CREATURE) ++L;
        if (o.DATA >= 50000) ++O;
    }
    // A map never seen that holds objects is kept: they were put there for
    // the player to find.
    if (M == 0 && O > 0) {
        zi_debug("  ", lag, M, O, L);
        return 1;
    }
    bool drop = M == 0 && L == 0;
    if (!drop && lag >= 150 && lag < 220) {
        drop = (M == 0 && L <= 1 && O == 0) || (M <= 64 && L == 0 && O <= 1);
    }
    if (!drop && lag >= 180) {
        drop = (M == 0 && (L <= 1 || (L == 2 && O == 0))) || (M <= 64 && L <= 1 && O == 0) ||
               (M <= 128 && L == 0 && O <= 1) || (M <= 256 && L == 0 && O == 0);
        if (!drop && M <= 192) zi_debug("REJ (daylag>=180)   ", lag, M, O, L);
    }
    if (!drop && lag >= 280) {
        drop = (M <= 384 && L == 0 && O == 0) || (M <= 256 && L <= 1 && O < 2) || (M <= 128 && L <= 1 && O == 0) ||
               (M == 0 && L <= 2 && O < 2);
        if (!drop && M <= 300) zi_debug("REJ (daylag>=280)   ", lag, M, O, L);
    }
    if (!drop && lag >= 365) {
        drop = (M == 0 && L <= 2) || (M <= 64 && L <= 1 && O <= 2) || (M <= 256 && L == 0 && O <= 1) ||
               (M <= 512 && L == 0 && O == 0);
    }
    if (!drop && lag >= 547) {
        drop = (M <= 512 && L <= 1 && O <= 2) || (M <= 1024 && L == 0 && O < 2);
    }
    if (!drop && lag >= 730) {
        drop = (M <= 256 && L <= 1 && O <= 2) || (M <= 1024 && L <= 1 && O < 2) || (M <= 2048 && L == 0 && O == 0);
    }
    if (!drop && lag >= 1460) {
        // The last rule's limit is 3,072 seen squares (three quarters of a map).
        drop = (M <= 512 && L <= 1 && O <= 2) || (M <= 2048 && L <= 1 && O < 2) || (M <= 3072 && L == 0 && O == 0);
    }
    zi_debug(drop ? "XXX  " : "  ", lag, M, O, L);
    return drop ? 0 : 1;
}

namespace {

void draw_progress(int percent) {
    if (!canvas) return;
    SDL_Rect frame{250, 300, 300, 16};
    SDL_FillRect(canvas, &frame, SDL_MapRGB(canvas->format, 40, 40, 40));
    SDL_Rect bar{252, 302, 296 * percent / 100, 12};
    SDL_FillRect(canvas, &bar, SDL_MapRGB(canvas->format, 200, 180, 90));
    present_screen();
}

bool write_whole_stream(FILE* f, const void* data, size_t size) { return std::fwrite(data, 1, size, f) == size; }

bool finish_stream(FILE* f, const std::string& path) {
    bool ok = std::fflush(f) == 0;
    ok = !file_operation_fails(FileOperation::Flush, path) && ::fsync(fileno(f)) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace

void zoom_prune_store() {
    char text[200];
    show_message("#Ksm needs to perform map maintenance now. That will take a few moments.");
    if (canvas) {
        draw_window(200, 230, 400, 110, "MAINTENANCING MAPS", 0);
        draw_progress(0);
    }
    ensure_index();
    if (cache.unavailable || cache.maps_missing) return;
    const std::vector<ZoomIndexEntry> entries = cache.entries;
    const int total = int(entries.size());
    if (debug_messages_on) {
        format_text(text, sizeof text, "? Maps total: %d", total);
        show_message(text);
    }
    // The kept maps go to a temporary file; the new maps file, its index
    // and the markers of the dropped maps then switch together.
    begin_save_commit();
    const std::string temp_maps = character_file("TEMPMAPS.DAT");
    FILE* in = open_file_ci(maps_path(), "rb");
    FILE* out_maps = nullptr;
    if (!save_commit_spoiled() && !file_operation_fails(FileOperation::Write, temp_maps))
        out_maps = std::fopen(resolve_path_ci(temp_maps).c_str(), "wb");
    bool ok = in && out_maps;
    int removed = 0;
    std::vector<ZoomIndexEntry> kept;
    for (int n = 0; ok && n < total; ++n) {
        const ZoomIndexEntry& e = entries[size_t(n)];
        if (!read_at(in, n * RECORD_SIZE, &zoom_work, sizeof zoom_work)) {
            ok = false;
            break;
        }
        bool keep;
        if (n == 0) {
            keep = true;
        } else if (e.world_x == -1 && e.world_y == -1) {
            keep = false;
        } else {
            int lag = 0;
            const int m = marker_slot(e.world_x, e.world_y);
            if (m != MARKER_NONE && Markers[m].world_x == e.world_x && Markers[m].world_y == e.world_y &&
                Markers[m].last_visit != 0)
                lag = std::abs(int(Plr.days_played & 0xFFFF) - int(Markers[m].last_visit));
            keep = zoom_map_worth_keeping(lag) != 0;
            if (!keep) {
                delete_marker(e.world_x, e.world_y);
                ++removed;
            }
        }
        if (keep) {
            ok = write_whole_stream(out_maps, &zoom_work, sizeof zoom_work);
            kept.push_back(make_entry(e.world_x, e.world_y));
        }
        if (n % 50 == 0 && canvas) {
            int percent = (n * 100 + total - 1) / (total ? total : 1);
            draw_progress(percent > 100 ? 100 : percent);
        }
    }
    if (in) std::fclose(in);
    if (out_maps) ok = finish_stream(out_maps, temp_maps) && ok;
    cache.valid = false;
    if (ok) {
        adopt_character_file("ZOOMMAPS.DAT", resolve_path_ci(temp_maps));
        write_index_whole(kept);
        save_markers();
        ok = end_save_commit();
    } else {
        abandon_save_commit();
        remove_file(temp_maps);
    }
    if (!ok) {
        // Nothing was replaced: the store stays as it was.
        report("!Map maintenance could not write its files; the maps were kept as they were.");
        load_markers();
        return;
    }
    if (debug_messages_on) {
        format_text(text, sizeof text, "? Remove %d maps", removed);
        show_message(text);
    }
    view_rebuild_request = 1;
    show_message("#Ok, map maintenance done.");
}

void zoom_dump_store() {
    ensure_index();
    FILE* out = std::fopen("debug_zoommaps.txt", "wb");
    if (!out) return;
    FILE* in = open_file_ci(maps_path(), "rb");
    static ZoomMap record;
    for (size_t n = 0; n < cache.entries.size(); ++n) {
        std::fprintf(out, "ZoomIndex = %d,%d\n", cache.entries[n].world_x, cache.entries[n].world_y);
        if (!in || !read_at(in, (long long)n * RECORD_SIZE, &record, sizeof record)) continue;
        std::fprintf(out, "Zoom:     = %d,%d\n", record.world_x, record.world_y);
        if (record.world_x == 0 && record.world_y == 0) {
            for (int y = 0; y < 64; ++y) {
                for (int x = 0; x < 64; ++x) {
                    const int c = record.terrain[y * 64 + x];
                    if (c) std::fprintf(out, "(%d)", c);
                    else std::fputs("?", out);
                }
                std::fputs("\n", out);
            }
        }
    }
    if (in) std::fclose(in);
    std::fclose(out);
}

int zoom_read_stored_objects(void (*visit)(const MapObject* objects, int count, void* context), void* context) {
    FILE* f = open_file_ci(maps_path(), "rb");
    if (f == nullptr) return -1;
    static MapObject block[ZOOM_OBJECTS];
    int maps = 0;
    for (long long n = 1;; ++n) {
        if (!read_at(f, n * RECORD_SIZE + static_cast<long long>(offsetof(ZoomMap, objects)), block, sizeof block)) break;
        ++maps;
        visit(block, ZOOM_OBJECTS, context);
    }
    std::fclose(f);
    return maps;
}
