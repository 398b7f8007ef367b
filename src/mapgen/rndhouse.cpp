// The local-map generator's driver: the request, the reset, and the passes
// of terrain_make in their order.
#include "mapgen/rndhouse.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "mapgen/fillers.h"
#include "mapgen/gen_grid.h"
#include "mapgen/scenes.h"
#include "mapgen/settlements.h"
#include "mapgen/vegetation.h"
#include "mapgen/water.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "society/villages.h"
#include "ui/message_line.h"

GenerationRequest generation_request;
int32_t generation_world_x = 0, generation_world_y = 0;
int32_t filler_world_x = 0, filler_world_y = 0;
int32_t TERRAIN_KNOWN = 0;
uint32_t neighbour_habitat = 0;
int32_t vegetation_class = -1;
ZoomMap blend_map;

namespace {

void log_make(const char* text) { debug_log("terrain_make", text); }

// Reads the request's four lines into their fields; false when there is
// no request. Every field starts empty: a missing line 2 reads "ZOOM" and
// a missing line 3 the number 0.
bool read_request(GenerationRequest& request) {
    std::memset(&request, 0, sizeof request);
    copy_text(request.scene, "ZOOM");
    copy_text(request.encounter, "0");
    FILE* f = open_file_ci("RNDHOUSE.DAT", "rb");
    if (!f) return false;
    char line[1024];
    if (read_data_line(line, int(sizeof line), f)) copy_text(request.env_type, line);
    if (read_data_line(line, int(sizeof line), f)) copy_text(request.scene, line);
    if (read_data_line(line, int(sizeof line), f)) copy_text(request.encounter, line);
    if (read_data_line(line, int(sizeof line), f)) copy_text(request.extra, line);
    std::fclose(f);
    return true;
}

void upper_in_place(char* text) {
    for (char* c = text; *c; ++c) *c = char(latin1_upper(static_cast<unsigned char>(*c)));
}

// The side's neighbour of the cell: north, south, east, west.
struct Side {
    int side, dx, dy;
};
constexpr Side kSides[4] = {{SIDE_NORTH, 0, -1}, {SIDE_SOUTH, 0, 1}, {SIDE_EAST, 1, 0}, {SIDE_WEST, -1, 0}};

// Steps 4 and 5: the edge strips of the neighbours whose land differs.
void blend_edges(int mc) {
    const int wx = generation_world_x, wy = generation_world_y;
    const bool eligible = is_water_code(mc) || mc == 91 || mc == 93 || mc == 94;
    int flags[4];
    for (int i = 0; i < 4; ++i)
        flags[i] = eligible && generation_world_code(wx + kSides[i].dx, wy + kSides[i].dy) != mc ? 1 : 0;
    char text[80];
    format_text(text, sizeof text, "mc: %d NSEW: %d%d%d%d", mc, flags[0], flags[1], flags[2], flags[3]);
    log_make(text);
    // The neighbour's pattern lends this map its look along the edge, never
    // its heights.
    static uint8_t heights[64 * 64];
    for (int i = 0; i < 4; ++i) {
        if (!flags[i]) continue;
        std::memcpy(heights, zoom_work.height, sizeof heights);
        fill_world_code(wx + kSides[i].dx, wy + kSides[i].dy);
        copy_edge_strip(kSides[i].side);
        zoom_clear_work();
        std::memcpy(zoom_work.height, heights, sizeof heights);
    }
}

// Step 8: the settlement of a site; true when the cell is one.
bool build_settlement(int mc) {
    const int wx = generation_world_x, wy = generation_world_y;
    const uint8_t culture = uint8_t(generation_culture(wx, wy));
    switch (mc) {
    case 30:
        build_camp_site();
        return true;
    case 86:
    case 211:
        log_make("uudisasutus");
        if (!TERRAIN_KNOWN) {
            log_make("uudisasutus known");
            assign_village_id(wx, wy, 1);
            log_make("socarea done");
        }
        log_make("TeeUudistalo");
        TeeUudistalo(culture);
        log_make("uudisasutus finished");
        return true;
    case 210:
        if (!TERRAIN_KNOWN) assign_village_id(wx, wy, 211);
        build_fortified_village(culture);
        return true;
    case 239:
        if (!TERRAIN_KNOWN) assign_village_id(wx, wy, 1);
        build_village(culture);
        return true;
    default:
        return false;
    }
}

void scatter_tries(int tries, int code) {
    for (int i = 0; i < tries; ++i) scatter_terrain(code);
}

// Steps 2 to 14: the whole making of a new map.
void generate_map() {
    const int wx = generation_world_x, wy = generation_world_y;
    vegetation_class = vegetation_class_of(generation_request.env_type);
    const int mc = generation_world_code(wx, wy);
    std::memset(&blend_map, 0, sizeof blend_map);
    zoom_clear_work();

    blend_edges(mc);

    filler_world_x = wx;
    filler_world_y = wy;
    log_make("water checks start");
    bool done = false;
    if (is_water_code(mc)) {
        log_make("T_WATER flag");
        zoom_clear_work();
        for (const Side& s : kSides) {
            const int code = generation_world_code(wx + s.dx, wy + s.dy);
            if (!is_water_code(code)) neighbour_habitat |= TerrainTypes[code].habitat;
        }
        water_pass();
        done = true;
    }

    log_make("village sets start");
    if (build_settlement(mc)) done = true;
    log_make("village sets done");

    if (!done) {
        if (!fill_world_code(wx, wy)) scatter_tries(81, T_BUSHES);
        switch (vegetation_class) {
        case 0:
            scatter_tries(409, T_YOUNG_SPRUCE);
            scatter_tries(1024, T_SPRUCE);
            break;
        case 1: scatter_tries(81, T_BUSHES); break;
        case 2: fill_grove_mix(); break;
        case 4: scatter_tries(136, T_BUSHES); break;
        default: break;
        }
    }

    yhdista();
    log_make("yhdista() complete");
    Viimeistele();
    log_make("Viimeistele() complete");
    scatter_rocks_and_wood(1);
    scatter_rocks_and_wood(2);
    scatter_rocks_and_wood(3);
    place_saplings();
    log_make("terrain_vegetation() call");
    terrain_vegetation();
}

}  // namespace

int generation_world_code(int wx, int wy) { return in_world_grid(wx, wy) ? stored_world_terrain_at(wx, wy) : 32; }

int generation_culture(int wx, int wy) { return in_world_grid(wx, wy) ? world_culture_at(wx, wy) : 10; }

int vegetation_class_of(const char* env_type) {
    char words[64];
    copy_text(words, env_type ? env_type : "");
    upper_in_place(words);
    auto has = [&words](const char* word) { return std::strstr(words, word) != nullptr; };
    // Each later match replaces an earlier one.
    int v = -1;
    if (has("CONIFER")) v = 0;
    if (has("GROUND") || has("ROAD") || has("THICKET")) v = 1;
    if (has("GROVE")) v = 2;
    if (has("BUSH")) v = 4;
    if (has("MOUNTAIN")) v = 5;
    if (has("THICKET")) v = 228;
    if (has("BURN")) v = 250;
    return v;
}

int terrain_make() {
    const int wx = generation_world_x, wy = generation_world_y;
    char text[120];
    neighbour_habitat = 0;
    TERRAIN_KNOWN = zoom_index_find(wx, wy) != 0 ? 1 : 0;
    format_text(text, sizeof text, "make: %d,%d TERRAIN_KNOWN: %d", wx, wy, int(TERRAIN_KNOWN));
    log_make(text);

    if (TERRAIN_KNOWN) {
        // A stored map is never made again: it is loaded as it is.
        log_make("TERRAIN_KNOWN - load map");
        if (!zoom_load_stored(wx, wy)) {
            log_make("TERRAIN_KNOWN load failed");
            format_text(text, sizeof text, "!The stored local map of %d,%d could not be read; it was left as it was.",
                        wx, wy);
            show_message(text);
            debug_log("!maps", text);
            return -1;
        }
        std::memcpy(&blend_map, &zoom_work, sizeof blend_map);
    } else {
        generate_map();
    }

    const char* scene = generation_request.scene;
    if (std::strcmp(scene, "SCENE1") == 0) scene_hunter();
    else if (std::strcmp(scene, "SCENE2") == 0) scene_fence_line();
    else if (std::strcmp(scene, "SCENE3") == 0) scene_abandoned_camp();
    else if (std::strcmp(scene, "SCENE5") == 0) scene_woodwork_site();
    else if (std::strcmp(scene, "SCENE6") == 0) scene_tethered_animal();
    format_text(text, sizeof text, "arg3: %s", scene);
    log_make(text);
    if (std::strcmp(scene, "ENCOUNTER") == 0) {
        log_make("Encounter() call");
        Encounter(int(std::strtol(generation_request.encounter, nullptr, 10)));
        log_make("Encounter() completed");
    }
    log_make("Siirra_Maailma_Tapahtumat() call");
    Siirra_Maailma_Tapahtumat();
    log_make("terrain_make() success");
    return 0;
}

int rndhouse_main(int wx, int wy, int extra) {
    char text[120];
    format_text(text, sizeof text, "rndhouse_main(%d,%d,%d)", wx, wy, extra);
    debug_log("rndhouse", text);
    GenerationRequest request;
    if (!read_request(request)) return 0;
    generation_request = request;
    generation_world_x = wx;
    generation_world_y = wy;
    filler_world_x = wx;
    filler_world_y = wy;

    zoom_clear_work();
    debug_log("rndhouse", "ZoomMap_Clear()");
    char upper[sizeof request.env_type];
    copy_text(upper, request.env_type);
    upper_in_place(upper);
    debug_log("rndhouse", upper);

    char* env = generation_request.env_type;
    if (std::strchr(env, '#')) {
        env[std::strlen(env) - 1] = 0;
        debug_log("rndhouse", "#null env_type");
        if (terrain_make() != 0) return -1;
        // A settlement just made is not judged before its people have
        // come onto the map.
        return save_zoommap(wx, wy, TERRAIN_KNOWN ? 0 : 1) ? 1 : -1;
    }
    upper_in_place(env);
    if (zoom_index_find(wx, wy) != 0) {
        debug_log("rndhouse", "known zoompos. return(0)");
        return 0;
    }
    // A plain request: the cell is stored as plain ground with its heights.
    if (!save_zoommap(wx, wy, 1)) return -1;
    debug_log("rndhouse", "save_zoommap completed");
    return 1;
}
