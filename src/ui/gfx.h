// Pictures and tiles: the tile table, interface pictures, backgrounds and
// picture drawing into the canvas or onto textures.
#pragma once

#include <SDL.h>
#include <cstdint>

constexpr int MAX_TILES = 1024;

// One loaded tile picture. Lives only in memory (it holds texture handles).
struct TileRecord {
    SDL_Texture* texture;     // main texture; none in a free record
    SDL_Texture* grey;        // "ter-" tiles only: the grey variant (variant 8)
    SDL_Texture* silhouette;  // every non-key pixel white, for tinted overlays
    uint8_t anchor_x, anchor_y;
    uint8_t frame_w, frame_h;
    uint8_t frame_count;
    char name[32];  // file name cut at the first '.', at most 24 characters
    uint8_t small;  // drawn at 0.6 of its size
    char path[256];
    int8_t centre_x, centre_y;  // frame width / 2 - 9, frame height / 2 - 10
};

extern TileRecord tiles[MAX_TILES];

// Tile numbers looked up by name after loading (-1 when missing).
extern int tile_snowgnd, tile_ground, tile_gcmoss, tile_iceblue, tile_ice, tile_pc_male,
    tile_pc_female, tile_skis, tile_facedirs, tile_pcdirs, tile_gcfloor, tile_locsel,
    tile_elev1, tile_elev2, tile_elev3, tile_flee, tile_ele_rain, tile_ele_snow;

struct TileTint {
    uint8_t r, g, b, a;  // a == 255: no tint
};
extern TileTint load_tints[2];

extern bool big_tiles_on;      // look in "truetile/big_truetile/" first
extern bool scale_big_tiles;   // big tiles marked by their picture are drawn small
extern bool picture_frame_on;  // draw_picture frames what it draws

// Interface textures loaded by lataa_gui.
extern SDL_Texture *sky_sun, *sky_moon, *sky_clouds, *sky_rain, *sky_snowfall, *sky_horizon;
extern SDL_Texture* firelight_glow;
extern SDL_Texture *compass_arrow, *compass_sound_clue;

// Backgrounds loaded by getbackgrounds.
extern SDL_Surface *bg_backstory, *bg_deathscene, *bg_supernatural, *bg_wideworld, *bg_profile;
extern SDL_Texture *bg_wideworld_texture, *bg_rpanel_texture;

// Frame geometry for a tile picture of the given size.
struct TileGeometry {
    int frame_w, frame_h, anchor_x, anchor_y, frame_count;
};
TileGeometry tile_geometry(int picture_w, int picture_h);

void NewGfx_loadtiledata();
TileRecord* load_tile(const char* file_name, bool big_tiles, TileRecord* record, bool tint);
void reload_tile_tinted(const char* tile_name, TileTint tint1, TileTint tint2);
int tile_index(const char* name);
void destroy_tiles();
// Live tile textures (for leak checks).
int live_tile_textures();

void lataa_gui();
void getbackgrounds();

// Loads a picture ("IMG_Load: ..." on stdout when it fails).
SDL_Surface* load_picture(const char* path);

void draw_picture(const char* name, int x, int y, int w = 0, int h = 0);
void draw_surface_framed(SDL_Surface* surface, int x, int y, int w, int h);
void draw_picture_framed(const char* name, int x, int y, int w, int h);
void draw_picture_fitted(const char* name, SDL_Surface* surface, int x, int y, int w, int h);
void draw_picture_spec(const char* spec, int x, int y);
SDL_Texture* load_picture_texture(const char* name);
void render_picture_to_texture(const char* name, SDL_Surface* surface, SDL_Texture* target,
                               int x, int y, int w, int h, int flags);

// Frees everything lataa_gui, getbackgrounds and the tile loader made.
void free_pictures();
