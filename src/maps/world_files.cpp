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

static_assert(MAP_CELLS == size_t(WORLD_FILE_SIZE));
static_assert(sizeof(MapObject) * MAP_OBJECT_COUNT == size_t(WORLD_DATA_FILE_SIZE));
static_assert(CULTURE_CELLS == CULTURE_FILE_SIZE);

int32_t CultureBounds[CULTURE_CODES][CB_FIELDS];
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
    show_message(text);
    debug_log("!maps", text);
}

// Reads a whole layer file; false (layer untouched) unless it is exactly
// the size of a layer.
bool read_layer(const std::string& path, uint8_t* layer) {
    return read_file_exact(path, layer, MAP_CELLS);
}

bool write_or_report(const std::string& path, const void* data, size_t size) {
    if (write_file_atomic(path, data, size)) return true;
    char text[600];
    format_text(text, sizeof text, "!Could not write %s.", path.c_str());
    report(text);
    return false;
}

}  // namespace

void load_world_files() {
    const std::string world = character_file("WORLD.DAT");
    if (!read_layer(world, terrain_layer)) {
        const long long size = file_size(world);
        const std::string backup = character_file("WORLD.BAK");
        if (size < 0 || !read_layer(backup, terrain_layer)) {
            char text[1200];
            if (size < 0) {
                format_text(text, sizeof text, "Ksm couldn't open %s", world.c_str());
            } else {
                format_text(text, sizeof text,
                            "Ksm couldn't use %s (%lld bytes, %lld expected) nor its backup WORLD.BAK",
                            world.c_str(), size, WORLD_FILE_SIZE);
            }
            exit_with_message(text);
        }
        // The damaged world file is replaced by its backup, so that cells
        // written in place later land in a whole file.
        char text[600];
        format_text(text, sizeof text, "!WORLD.DAT was damaged (%lld bytes); the world was taken from WORLD.BAK.",
                    size);
        report(text);
        write_or_report(world, terrain_layer, MAP_CELLS);
    }
    std::memcpy(stored_world_terrain, terrain_layer, MAP_CELLS);

    std::memset(Data, 0, sizeof Data);
    const std::string data = character_file("DATA.DAT");
    const long long data_size = file_size(data);
    if (data_size < 0) {
        write_or_report(data, Data, sizeof Data);
    } else if (!read_records(data, Data, MAP_OBJECT_COUNT)) {
        std::memset(Data, 0, sizeof Data);
        char text[300];
        format_text(text, sizeof text, "!DATA.DAT is damaged (%lld bytes); the world map starts without its objects.",
                    data_size);
        report(text);
    }
    std::memcpy(world_data_copy, Data, sizeof Data);

    std::memset(stored_world_remembered, CODE_OUTSIDE, MAP_CELLS);
    const std::string plm = character_file("WORLD.PLM");
    const long long plm_size = file_size(plm);
    if (plm_size >= 0 && !read_layer(plm, stored_world_remembered)) {
        char text[300];
        format_text(text, sizeof text, "!WORLD.PLM is damaged (%lld bytes); the remembered map starts empty.",
                    plm_size);
        report(text);
    }
}

void save_world_data() {
    write_or_report(character_file("DATA.DAT"), Data, sizeof Data);
    std::memcpy(world_data_copy, Data, sizeof Data);
}

bool save_world_layers(const char* map_name) {
    if (!map_name || !std::strstr(map_name, "BIGMAP")) return zoomsave();
    bool ok = write_or_report(character_file("WORLD.DAT"), terrain_layer, MAP_CELLS);
    ok = write_or_report(character_file("WORLD.PLM"), remembered_layer, MAP_CELLS) && ok;
    ok = write_or_report(character_file("DATA.DAT"), Data, sizeof Data) && ok;
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
    if (!read_records(character_file("DATA.DAT"), world_data_copy, MAP_OBJECT_COUNT)) {
        report("!DATA.DAT could not be read; the world map's objects are kept as they were.");
    }
}

void set_stored_world_terrain(int x, int y, uint8_t code) {
    if (!in_world_grid(x, y)) return;
    const size_t at = map_index(x, y);
    stored_world_terrain[at] = code;
    if (is_world_map()) terrain_layer[at] = code;

    // One byte changes: write it in place when the file is whole, else the
    // whole stored world.
    const std::string path = character_file("WORLD.DAT");
    if (file_size(path) == WORLD_FILE_SIZE) {
        FILE* f = open_file_ci(path, "r+b");
        if (f) {
            const bool ok = std::fseek(f, long(at), SEEK_SET) == 0 && std::fwrite(&code, 1, 1, f) == 1;
            const bool closed = std::fclose(f) == 0;
            if (ok && closed) return;
        }
    }
    write_or_report(path, stored_world_terrain, MAP_CELLS);
}

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
    if (changed) write_or_report(character_file("WORLD.DAT"), stored_world_terrain, MAP_CELLS);
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

// A culture grid file is whole when it is exactly 6,144 bytes of codes
// 0..13. Counts its zero bytes.
bool read_culture_file(const std::string& path, uint8_t* grid, int* zeros) {
    uint8_t buffer[CULTURE_CELLS];
    if (!read_file_exact(path, buffer, sizeof buffer)) return false;
    int z = 0;
    for (uint8_t b : buffer) {
        if (b >= CULTURE_CODES) return false;
        if (b == 0) ++z;
    }
    std::memcpy(grid, buffer, sizeof buffer);
    if (zeros) *zeros = z;
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

int load_culture_grid() {
    uint8_t grid[CULTURE_CELLS];
    int zeros = 0;
    if (read_culture_file(character_file("kulttuuri.dat"), grid, &zeros) && zeros <= CULTURE_MAX_ZEROS) {
        std::memcpy(culture_grid, grid, sizeof grid);
        return 1;
    }
    if (read_culture_file(character_file("kulttuuri.bak"), grid, nullptr)) {
        report("!kulttuuri.dat is damaged; the cultures were taken from kulttuuri.bak.");
        std::memcpy(culture_grid, grid, sizeof grid);
        return 1;
    }
    report("!kulttuuri.dat and kulttuuri.bak are damaged; the cultures are kept as they were.");
    return 0;
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
    if (write_file_atomic(character_file("kulttuuri.dat"), culture_grid, sizeof culture_grid))
        return write_or_report(character_file("kulttuuri.bak"), culture_grid, sizeof culture_grid);
    report("!Could not write kulttuuri.dat.");
    return false;
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
