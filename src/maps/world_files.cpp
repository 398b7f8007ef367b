// The world map files of a character and the culture grid.
#include "maps/world_files.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "objects/map_object_table.h"
#include "base/debug_log.h"
#include "base/fatal.h"
#include "game/turn_state.h"
#include "game/player.h"
#include "base/files.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "game/save_load.h"
#include "game/save_set.h"

static_assert(MAP_CELLS == size_t(WORLD_FILE_SIZE));
static_assert(sizeof(MapObject) * MAP_OBJECT_COUNT == size_t(WORLD_DATA_FILE_SIZE));
static_assert(CULTURE_CELLS == CULTURE_FILE_SIZE);

int32_t CultureBounds[CULTURE_CODES][CB_FIELDS];
// Cells of the stored world changed since the world file was last staged
// in a save; the next save writes the file whole.
static bool world_unsaved = false;
int32_t world_last_visit_day = 0;
MapObject world_data_copy[MAP_OBJECT_COUNT];

std::string character_file(const char* name) {
    std::string folder;
    if (install_folder[0]) {
        folder = install_folder;
        folder += '/';
    }
    folder += character_name;
    folder += '/';
    folder += name;
    return folder;
}

namespace {

void report(const char* text) {
    tell_player(text);
    debug_log("!maps", text);
}

// Writes a whole file of the character folder through the save set; a
// failure is named on the message line.
bool write_or_report(const char* name, const void* data, size_t size) {
    if (write_character_file(name, data, size)) return true;
    if (save_commit_open()) return false;  // the commit names what failed
    char text[600];
    format_text(text, sizeof text, "!Could not write %s.", name);
    report(text);
    return false;
}

}  // namespace

bool world_file_plausible(const void* data, size_t size) {
    if (size != MAP_CELLS) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    // The column and the row past the world are zero in every world the
    // game makes; the world itself is not empty.
    int odd = 0;
    for (int y = 0; y < MAP_ROWS; ++y)
        if (bytes[map_index(WORLD_W, y)] != 0) ++odd;
    for (int x = 0; x < MAP_STRIDE; ++x)
        if (bytes[map_index(x, WORLD_H)] != 0) ++odd;
    if (odd > 16) return false;
    for (size_t i = 0; i < map_index(0, WORLD_H); ++i)
        if (bytes[i] != 0) return true;
    return false;
}

void load_world_files() {
    const std::string world = character_file("WORLD.DAT");
    const GuardedRead r = read_guarded("WORLD.DAT", "WORLD.BAK", terrain_layer, MAP_CELLS, world_file_plausible);
    if (!r.found()) {
        char text[1200];
        if (r.verdict == FileVerdict::Missing) {
            format_text(text, sizeof text, "Ksm couldn't open %s", world.c_str());
        } else {
            format_text(text, sizeof text,
                        "Ksm couldn't use %s (%lld bytes, %lld expected, or not the world it was saved as) nor its "
                        "backup WORLD.BAK",
                        world.c_str(), file_size(resolve_path_ci(world)), WORLD_FILE_SIZE);
        }
        exit_with_message(text);
    }
    if (r.restored()) {
        // The damaged world file is replaced by the good copy, so that cells
        // written later land in a whole file.
        char text[600];
        format_text(text, sizeof text, "!WORLD.DAT was %s; the world was taken from %s.", verdict_words(r.verdict),
                    r.source.c_str());
        report(text);
        repair_character_file("WORLD.DAT", terrain_layer, MAP_CELLS);
    }
    std::memcpy(stored_world_terrain, terrain_layer, MAP_CELLS);
    world_unsaved = false;

    std::memset(Data, 0, sizeof Data);
    {
        SaveSetEntry e;
        const bool listed = save_set_entry("DATA.DAT", e);
        const GuardedRead d = read_guarded("DATA.DAT", nullptr, Data, sizeof Data);
        char text[300];
        if (d.verdict == FileVerdict::Missing && !d.found() && !listed) {
            write_or_report("DATA.DAT", Data, sizeof Data);
        } else if (!d.found()) {
            std::memset(Data, 0, sizeof Data);
            format_text(text, sizeof text, "!DATA.DAT is %s; the world map starts without its objects.",
                        verdict_words(d.verdict));
            report(text);
        } else if (d.restored()) {
            format_text(text, sizeof text, "!DATA.DAT was %s; the world map's objects were taken from %s.",
                        verdict_words(d.verdict), d.source.c_str());
            report(text);
            repair_character_file("DATA.DAT", Data, sizeof Data);
        }
    }
    std::memcpy(world_data_copy, Data, sizeof Data);

    std::memset(stored_world_remembered, CODE_OUTSIDE, MAP_CELLS);
    {
        SaveSetEntry e;
        const bool listed = save_set_entry("WORLD.PLM", e);
        const GuardedRead p = read_guarded("WORLD.PLM", nullptr, stored_world_remembered, MAP_CELLS);
        char text[300];
        if (!p.found() && (listed || p.verdict != FileVerdict::Missing)) {
            std::memset(stored_world_remembered, CODE_OUTSIDE, MAP_CELLS);
            format_text(text, sizeof text, "!WORLD.PLM is %s; the remembered map starts empty.",
                        verdict_words(p.verdict));
            report(text);
        } else if (p.restored()) {
            format_text(text, sizeof text, "!WORLD.PLM was %s; the remembered map was taken from %s.",
                        verdict_words(p.verdict), p.source.c_str());
            report(text);
        }
    }
}

void save_world_data() {
    write_or_report("DATA.DAT", Data, sizeof Data);
    std::memcpy(world_data_copy, Data, sizeof Data);
}

bool save_world_layers(const char* map_name) {
    if (!map_name || !std::strstr(map_name, "BIGMAP")) {
        // A local map: the stored world goes with it when a cell of it
        // changed meanwhile (the settlement rule of the store among them).
        begin_save_commit();
        bool ok = zoomsave();
        if (world_unsaved) {
            if (write_or_report("WORLD.DAT", stored_world_terrain, MAP_CELLS)) world_unsaved = false;
            else ok = false;
        }
        if (!end_save_commit()) {
            world_unsaved = true;
            return false;
        }
        return ok;
    }
    begin_save_commit();
    write_or_report("WORLD.DAT", terrain_layer, MAP_CELLS);
    write_or_report("WORLD.PLM", remembered_layer, MAP_CELLS);
    write_or_report("DATA.DAT", Data, sizeof Data);
    const bool ok = end_save_commit();
    world_unsaved = !ok;
    if (!ok && !save_commit_open()) {
        char text[300];
        format_text(text, sizeof text, "!Could not write %s.", save_commit_failed_file().c_str());
        report(text);
    }
    std::memcpy(world_data_copy, Data, sizeof Data);
    std::memcpy(stored_world_terrain, terrain_layer, MAP_CELLS);
    std::memcpy(stored_world_remembered, remembered_layer, MAP_CELLS);
    world_last_visit_day = Plr.days_played;
    return ok;
}

void load_world_data_copy() {
    if (is_world_map()) {
        std::memcpy(world_data_copy, Data, sizeof Data);
        return;
    }
    const FileVerdict v = read_character_file("DATA.DAT", world_data_copy, sizeof world_data_copy);
    if (v != FileVerdict::Good && v != FileVerdict::Unlisted) {
        report("!DATA.DAT could not be read; the world map's objects are kept as they were.");
    }
}

void set_stored_world_terrain(int x, int y, uint8_t code) {
    if (!in_world_grid(x, y)) return;
    const size_t at = map_index(x, y);
    stored_world_terrain[at] = code;
    if (is_world_map()) terrain_layer[at] = code;
    // The file follows with the next save, in the same switch as the rest
    // of the game: a cell is never on the disk ahead of its save.
    world_unsaved = true;
}

bool stored_world_unsaved() { return world_unsaved; }
void mark_stored_world_changed() { world_unsaved = true; }

void add_river_fords() {
    for (size_t i = 0; i < MAP_CELLS; ++i) {
        if (stored_world_terrain[i] == 176) return;
    }
    auto water = [](int x, int y) { return (terrain_flags_of(stored_world_terrain_at(x, y)) & TF_WATER) != 0; };
    const bool world = is_world_map();
    bool changed = false;
    for (int y = 0; y < WORLD_H; ++y) {
        for (int x = 0; x < WORLD_W; ++x) {
            const size_t at = map_index(x, y);
            if (stored_world_terrain[at] != 178) continue;
            const bool across = water(x - 1, y) && water(x + 1, y) && !water(x, y - 1) && !water(x, y + 1);
            const bool down = !water(x - 1, y) && !water(x + 1, y) && water(x, y - 1) && water(x, y + 1);
            if (!across && !down) continue;
            if (random_below(100) > 4) continue;
            if (zoom_index_find(x, y) != 0) continue;
            stored_world_terrain[at] = 176;
            if (world) terrain_layer[at] = 176;
            changed = true;
        }
    }
    if (changed) write_or_report("WORLD.DAT", stored_world_terrain, MAP_CELLS);
}

int water_depth_at(int x, int y) {
    if (is_world_map()) {
        switch (terrain_at(x, y)) {
        case 176: return 0;
        case 180:
        case 182: return 6;
        case 183: return 1;
        default: return 4;
        }
    }
    auto height = [](int cx, int cy) { return in_world_grid(cx, cy) ? int(height_layer[map_index(cx, cy)]) : 0; };
    const int h = height(x, y);
    int deepest = 0;
    bool shore = false;
    static const int dx[4] = {1, -1, 0, 0};
    static const int dy[4] = {0, 0, 1, -1};
    for (int d = 0; d < 4; ++d) {
        for (int step = 1; step <= 50; ++step) {
            const int cx = x + dx[d] * step, cy = y + dy[d] * step;
            if (!(terrain_flags_of(terrain_at(cx, cy)) & TF_WATER)) {
                shore = true;
                break;
            }
            const int ch = height(cx, cy);
            if (ch > deepest) deepest = ch;
        }
    }
    if (!shore) deepest = 0;
    if (deepest == 0) deepest = 7;
    const int answer = std::abs(h - deepest);
    if (debug_messages_on) {
        char text[200];
        format_text(text, sizeof text, "kohta: %d ranta: %d reldepth: %d gotshore:%d", h, deepest, answer,
                    shore ? 1 : 0);
        debug_message(text);
    }
    return answer;
}

namespace {

// A culture grid is whole when it is exactly 6,144 bytes of codes 0..13.
bool read_culture_file_bytes(const std::vector<uint8_t>& bytes, uint8_t* grid) {
    if (bytes.size() != size_t(CULTURE_CELLS)) return false;
    for (uint8_t b : bytes)
        if (b >= CULTURE_CODES) return false;
    std::memcpy(grid, bytes.data(), bytes.size());
    return true;
}

int count_zero_blocks() {
    int z = 0;
    for (uint8_t b : culture_grid) {
        if (b == 0) ++z;
    }
    return z;
}

}  // namespace

bool culture_file_plausible(const void* data, size_t size) {
    if (size != size_t(CULTURE_FILE_SIZE)) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    int zeros = 0;
    for (size_t i = 0; i < size; ++i) {
        if (bytes[i] >= CULTURE_CODES) return false;
        if (bytes[i] == 0) ++zeros;
    }
    return zeros <= CULTURE_MAX_ZEROS;
}

int load_culture_grid() {
    uint8_t grid[CULTURE_CELLS];
    std::vector<uint8_t> bytes;
    const FileVerdict v = read_character_file("kulttuuri.dat", bytes, CULTURE_CELLS);
    if ((v == FileVerdict::Good || v == FileVerdict::Unlisted) && culture_file_plausible(bytes.data(), bytes.size())) {
        std::memcpy(culture_grid, bytes.data(), CULTURE_CELLS);
        return 1;
    }
    // The backup is taken without counting its empty blocks; the earlier
    // copy of the grid after it.
    bytes.clear();
    const FileVerdict b = read_character_file("kulttuuri.bak", bytes, CULTURE_CELLS);
    const char* source = nullptr;
    if ((b == FileVerdict::Good || b == FileVerdict::Unlisted) && read_culture_file_bytes(bytes, grid)) {
        source = "kulttuuri.bak";
    } else if (read_previous_copy("kulttuuri.dat", grid, sizeof grid) && culture_file_plausible(grid, sizeof grid)) {
        source = "an earlier copy of it";
    }
    char text[300];
    if (!source) {
        report("!kulttuuri.dat and kulttuuri.bak are damaged; the cultures are kept as they were.");
        return 0;
    }
    format_text(text, sizeof text, "!kulttuuri.dat is %s; the cultures were taken from %s.",
                v == FileVerdict::Missing ? "missing" : "damaged", source);
    report(text);
    std::memcpy(culture_grid, grid, sizeof grid);
    // The damaged file is put right from the good copy.
    repair_character_file("kulttuuri.dat", grid, sizeof grid);
    return 1;
}

bool save_culture_grid() {
    bool whole = count_zero_blocks() <= CULTURE_MAX_ZEROS;
    for (uint8_t b : culture_grid) {
        if (b >= CULTURE_CODES) whole = false;
    }
    if (!whole) {
        // The files keep the last good grid; it is taken back from them.
        return load_culture_grid() == 1;
    }
    begin_save_commit();
    write_or_report("kulttuuri.dat", culture_grid, sizeof culture_grid);
    write_or_report("kulttuuri.bak", culture_grid, sizeof culture_grid);
    const bool ok = end_save_commit();
    if (!ok && !save_commit_open()) report("!Could not write kulttuuri.dat.");
    return ok;
}

int culture_neighbour_count(int y, int x, int code) {
    if (!in_world_grid(x, y)) return 0;
    const int bx = x / 32, by = y / 32;
    int n = 0;
    for (int row = by - 1; row <= by + 1; ++row) {
        if (row < 1 || row > CULTURE_ROWS - 1) continue;
        for (int col = bx - 1; col <= bx + 1; ++col) {
            if (col < 0 || col > CULTURE_COLS - 1) continue;
            if (culture_grid[row * CULTURE_COLS + col] == code) ++n;
        }
    }
    return n;
}

void compute_culture_bounds() {
    // Every cell of a 32 x 32 block has the block's culture and neighbour
    // count, so the blocks decide alone. A least coordinate of 0 counts as
    // unset and is replaced by the next cell, so a culture that reaches the
    // map's first row or column gets 1 there.
    for (int c = 0; c < CULTURE_CODES; ++c) {
        int32_t* b = CultureBounds[c];
        std::memset(b, 0, sizeof(int32_t) * CB_FIELDS);
        bool any = false;
        int min_bx = 0, min_by = 0, max_bx = 0, max_by = 0;
        for (int by = 0; by < CULTURE_ROWS; ++by) {
            for (int bx = 0; bx < CULTURE_COLS; ++bx) {
                if (culture_grid[by * CULTURE_COLS + bx] != c) continue;
                if (culture_neighbour_count(by * 32, bx * 32, c) <= 1) continue;
                if (!any) {
                    min_bx = max_bx = bx;
                    min_by = max_by = by;
                    any = true;
                    continue;
                }
                if (bx < min_bx) min_bx = bx;
                if (bx > max_bx) max_bx = bx;
                if (by > max_by) max_by = by;
            }
        }
        if (any) {
            b[CB_MIN_X] = min_bx == 0 ? 1 : min_bx * 32;
            b[CB_MIN_Y] = min_by == 0 ? 1 : min_by * 32;
            b[CB_MAX_X] = max_bx * 32 + 31;
            b[CB_MAX_Y] = max_by * 32 + 31;
        }
        b[CB_WIDTH] = std::abs(b[CB_MAX_X] - b[CB_MIN_X]);
        b[CB_HEIGHT] = std::abs(b[CB_MAX_Y] - b[CB_MIN_Y]);
        b[CB_THIRD_W] = b[CB_WIDTH] / 3;
        b[CB_THIRD_H] = b[CB_HEIGHT] / 3;
        b[CB_CENTRE_X] = b[CB_WIDTH] / 2 + b[CB_MIN_X];
        b[CB_CENTRE_Y] = b[CB_HEIGHT] / 2 + b[CB_MIN_Y];
    }
}

float float_abs(float value) { return std::fabs(value); }
