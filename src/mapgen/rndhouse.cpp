// The local-map maker, in its least form: the full generator of local maps
// takes this place. It reads the request, keeps any stored map as it is,
// and otherwise lays out the cell from its world terrain code.
#include "mapgen/rndhouse.h"

#include <cstdio>
#include <cstring>

#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"

namespace {

struct Request {
    char terrain_word[64];
    char name[32];
};

// Reads the first two lines of "RNDHOUSE.DAT"; a missing or short request
// counts as a plain "ZOOM".
Request read_request() {
    Request r{};
    copy_text(r.name, "ZOOM");
    FILE* f = open_file_ci("RNDHOUSE.DAT", "rb");
    if (!f) {
        debug_log("!maps", "RNDHOUSE.DAT is missing; the local map is made as a plain zoom");
        return r;
    }
    char line[256];
    if (read_data_line(line, sizeof line, f)) copy_text(r.terrain_word, line);
    if (read_data_line(line, sizeof line, f) && line[0]) copy_text(r.name, line);
    std::fclose(f);
    return r;
}

void put(int x, int y, uint8_t code) {
    if (x >= 0 && y >= 0 && x < 64 && y < 64) zoom_work.terrain[y * 64 + x] = code;
}

// The tree of a world forest code: pines on pine land, spruces on other
// coniferous land, birches elsewhere.
uint8_t tree_code_for(int world_code) {
    if (world_code == 3 || world_code == 236) return 18;
    if (terrain_flags_of(world_code) & TF_CONIFEROUS) return 13;
    return 10;
}

// A small walled room with a closed door in the south wall: 7 x 7 squares
// from (x0, y0), all of them building squares.
void lay_room(int x0, int y0) {
    const int x1 = x0 + 6, y1 = y0 + 6;
    for (int y = y0 + 1; y < y1; ++y)
        for (int x = x0 + 1; x < x1; ++x) put(x, y, 95);
    for (int x = x0 + 1; x < x1; ++x) {
        put(x, y0, 196);
        put(x, y1, 208);
    }
    for (int y = y0 + 1; y < y1; ++y) {
        put(x0, y, 200);
        put(x1, y, 188);
    }
    put(x0, y0, 218);
    put(x1, y0, 191);
    put(x0, y1, 192);
    put(x1, y1, 217);
    put(x0 + 3, y1, 254);
}

}  // namespace

void rndhouse_main(int wx, int wy, int defined) {
    (void)defined;
    const Request request = read_request();
    if (std::strncmp(request.name, "ZOOM", 4) != 0 && std::strncmp(request.name, "ENCOUNTER", 9) != 0 &&
        std::strncmp(request.name, "SCENE", 5) != 0) {
        debug_log("!maps", "RNDHOUSE.DAT asks for an unknown kind of map; made as a plain zoom");
    }
    // Encounters and scenes on a local map change nothing here yet.
    if (!is_world_map() && std::strncmp(request.name, "ZOOM", 4) != 0) return;

    // A stored map is never replaced.
    static uint8_t heights[64 * 64];
    std::memcpy(heights, zoom_work.height, sizeof heights);
    if (zoom_load_stored(wx, wy)) {
        save_zoommap(wx, wy, 0);
        return;
    }
    zoom_clear_work();
    std::memcpy(zoom_work.height, heights, sizeof heights);

    const int code = stored_world_terrain_at(wx, wy);
    const uint32_t flags = terrain_flags_of(code);
    if (flags & TF_WATER) {
        std::memset(zoom_work.terrain, code, sizeof zoom_work.terrain);
    } else {
        const bool forest = (flags & (TF_TALL | TF_CONIFEROUS)) != 0;
        const int trees = forest ? 24 : 3;
        const uint8_t tree = tree_code_for(code);
        for (int i = 0; i < trees; ++i) put(1 + random_below(62), 1 + random_below(62), tree);
        if (is_world_site_code(code)) lay_room(28, 28);
    }
    save_zoommap(wx, wy, 0);
}
