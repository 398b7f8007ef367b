// Pictures and tiles.
#include "ui/gfx.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ui/canvas.h"
#include "base/platform.h"

TileRecord tiles[MAX_TILES];

int tile_snowgnd = -1, tile_ground = -1, tile_gcmoss = -1, tile_iceblue = -1, tile_ice = -1,
    tile_pc_male = -1, tile_pc_female = -1, tile_skis = -1, tile_facedirs = -1, tile_pcdirs = -1,
    tile_gcfloor = -1, tile_locsel = -1, tile_elev1 = -1, tile_elev2 = -1, tile_elev3 = -1,
    tile_flee = -1, tile_ele_rain = -1, tile_ele_snow = -1;

TileTint load_tints[2] = {{0, 0, 0, 255}, {0, 0, 0, 255}};
bool big_tiles_on = false;
bool scale_big_tiles = false;
bool picture_frame_on = false;

SDL_Texture *sky_sun = nullptr, *sky_moon = nullptr, *sky_clouds = nullptr, *sky_rain = nullptr,
            *sky_snowfall = nullptr, *sky_horizon = nullptr;
SDL_Texture* firelight_glow = nullptr;
SDL_Texture *compass_arrow = nullptr, *compass_sound_clue = nullptr;
SDL_Surface *bg_backstory = nullptr, *bg_deathscene = nullptr, *bg_supernatural = nullptr,
            *bg_wideworld = nullptr, *bg_profile = nullptr;
SDL_Texture *bg_wideworld_texture = nullptr, *bg_rpanel_texture = nullptr;

namespace {

int tile_texture_count = 0;  // tile textures alive, for leak checks

SDL_Texture* make_tile_texture(SDL_Surface* s) {
    if (game_renderer == nullptr || s == nullptr) return nullptr;
    SDL_Texture* t = SDL_CreateTextureFromSurface(game_renderer, s);
    if (t == nullptr) {
        std::printf("Unable to create texture! SDL Error: %s\n", SDL_GetError());
        std::fflush(stdout);
        SDL_ClearError();
        return nullptr;
    }
    ++tile_texture_count;
    return t;
}

void destroy_tile_texture(SDL_Texture*& t) {
    if (t == nullptr) return;
    SDL_DestroyTexture(t);
    --tile_texture_count;
    t = nullptr;
}

void free_tile(TileRecord& r) {
    destroy_tile_texture(r.texture);
    destroy_tile_texture(r.grey);
    destroy_tile_texture(r.silhouette);
    std::memset(&r, 0, sizeof r);
}

Uint32 read_pixel32(SDL_Surface* s, int x, int y) {
    return reinterpret_cast<Uint32*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
}

// A copy of the picture where every pixel but the key colour is changed.
template <class Change>
SDL_Surface* recoloured(SDL_Surface* s, Uint32 key, Change change) {
    SDL_Surface* copy = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    if (copy == nullptr) return nullptr;
    SDL_LockSurface(copy);
    for (int y = 0; y < copy->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(copy->pixels) + y * copy->pitch);
        for (int x = 0; x < copy->w; ++x)
            if (row[x] != key) row[x] = change(row[x]);
    }
    SDL_UnlockSurface(copy);
    SDL_SetColorKey(copy, SDL_TRUE, key);
    return copy;
}

void free_surface(SDL_Surface*& s) {
    if (s) SDL_FreeSurface(s);
    s = nullptr;
}
void free_texture(SDL_Texture*& t) {
    if (t) SDL_DestroyTexture(t);
    t = nullptr;
}

// A name containing "/" is a path, else a picture of "truegfx/".
std::string picture_path(const char* name) {
    if (name == nullptr) return "";
    if (std::strchr(name, '/') != nullptr) return name;
    return std::string("truegfx/") + name;
}

SDL_Texture* load_texture_keyed(const char* path, bool keyed) {
    if (game_renderer == nullptr) return nullptr;
    SDL_Surface* s = load_picture(path);
    if (s == nullptr) return nullptr;
    if (keyed) {
        SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
        if (c) {
            SDL_SetColorKey(c, SDL_TRUE, read_pixel32(c, 0, 0));
            SDL_FreeSurface(s);
            s = c;
        }
    }
    SDL_Texture* t = SDL_CreateTextureFromSurface(game_renderer, s);
    if (t == nullptr) {
        std::printf("Unable to create texture! SDL Error: %s\n", SDL_GetError());
        std::fflush(stdout);
    }
    SDL_FreeSurface(s);
    return t;
}

void blit_to_sheet(const char* path, int x, int y) {
    SDL_Surface* s = load_picture(path);
    if (s == nullptr || panel_sheet == nullptr) {
        free_surface(s);
        return;
    }
    SDL_Rect dst = {x, y, 0, 0};
    SDL_BlitSurface(s, nullptr, panel_sheet, &dst);
    SDL_FreeSurface(s);
}

void frame_rect(int x, int y, int w, int h) {
    Uint32 black = map_rgb(0, 0, 0);
    fill_canvas_rect(x - 1, y - 1, w + 2, 1, black);
    fill_canvas_rect(x - 1, y + h, w + 2, 1, black);
    fill_canvas_rect(x - 1, y, 1, h, black);
    fill_canvas_rect(x + w, y, 1, h, black);
}

}  // namespace

// ------------------------------------------------------------ tiles

TileGeometry tile_geometry(int picture_w, int picture_h) {
    TileGeometry g{32, 32, 16, 16, 1};
    switch (picture_h) {
        case 50: g = {48, 48, 24, 24, 1}; break;
        case 66: g = {64, 64, 32, 32, 1}; break;
        case 74: g = {64, 72, 32, 66, 1}; break;
        case 82: g = {80, 80, 40, 40, 1}; break;
        case 98: g = {64, 96, 32, 82, 1}; break;
        case 130: g = {80, 128, 40, 64, 1}; break;
        default: break;
    }
    // Frames lie side by side, each followed by a one-pixel gutter after a
    // one-pixel border; counting by the frame width keeps every frame of a
    // strip whose frames are not square.
    if (picture_w > picture_h) {
        int count = (picture_w - 1) / (g.frame_w + 1);
        g.frame_count = count < 1 ? 1 : count > 255 ? 255 : count;
    }
    return g;
}

TileRecord* load_tile(const char* file_name, bool big_tiles, TileRecord* record, bool tint) {
    if (record == nullptr) return record;
    std::memset(record, 0, sizeof *record);
    if (file_name == nullptr || std::strstr(file_name, "gui-") != nullptr) return record;

    SDL_Surface* loaded = nullptr;
    if (big_tiles) {
        format_text(record->path, sizeof record->path, "truetile/big_truetile/%s", file_name);
        std::string p = resolve_path_ci(record->path);
        if (path_exists(p)) loaded = IMG_Load(p.c_str());
    }
    if (loaded == nullptr) {
        format_text(record->path, sizeof record->path, "truetile/%s", file_name);
        loaded = IMG_Load(resolve_path_ci(record->path).c_str());
    }
    if (loaded == nullptr) {
        SDL_ClearError();
        record->path[0] = 0;
        return record;
    }
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (s == nullptr) {
        SDL_ClearError();
        return record;
    }
    if (tint) {
        for (const TileTint& t : load_tints) {
            if (t.a == 255) continue;
            SDL_Surface* veil = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h, 32, SDL_PIXELFORMAT_ARGB8888);
            if (veil == nullptr) continue;
            SDL_FillRect(veil, nullptr, SDL_MapRGBA(veil->format, t.r, t.g, t.b, 255));
            SDL_SetSurfaceBlendMode(veil, SDL_BLENDMODE_BLEND);
            SDL_SetSurfaceAlphaMod(veil, t.a);
            SDL_BlitSurface(veil, nullptr, s, nullptr);
            SDL_FreeSurface(veil);
        }
    }
    SDL_LockSurface(s);
    Uint32 key = read_pixel32(s, 0, 0);
    Uint32 white = SDL_MapRGBA(s->format, 255, 255, 255, 255);
    bool small = s->w > 2 && read_pixel32(s, 2, 0) == white;
    SDL_UnlockSurface(s);
    SDL_SetColorKey(s, SDL_TRUE, key);
    record->small = (small && scale_big_tiles) ? 1 : 0;

    record->texture = make_tile_texture(s);
    // The name: the file name's first 24 characters, cut at the first '.'.
    char name[25];
    copy_text(name, sizeof name, file_name);
    if (char* dot = std::strchr(name, '.')) *dot = 0;
    copy_text(record->name, sizeof record->name, name);

    TileGeometry g = tile_geometry(s->w, s->h);
    record->frame_w = uint8_t(g.frame_w);
    record->frame_h = uint8_t(g.frame_h);
    record->anchor_x = uint8_t(g.anchor_x);
    record->anchor_y = uint8_t(g.anchor_y);
    record->frame_count = uint8_t(g.frame_count);
    record->centre_x = int8_t(g.frame_w / 2 - 9);
    record->centre_y = int8_t(g.frame_h / 2 - 10);

    if (std::strstr(file_name, "ter-") != nullptr) {
        SDL_Surface* grey = recoloured(s, key, [](Uint32 p) {
            int r = (p >> 16) & 0xFF, gr = (p >> 8) & 0xFF, b = p & 0xFF;
            int v = int(0.75 * (0.299 * r + 0.587 * gr + 0.114 * b));
            return (p & 0xFF000000u) | (Uint32(v) << 16) | (Uint32(v) << 8) | Uint32(v);
        });
        record->grey = make_tile_texture(grey);
        free_surface(grey);
    }
    SDL_Surface* sil = recoloured(s, key, [](Uint32 p) { return (p & 0xFF000000u) | 0x00FFFFFFu; });
    record->silhouette = make_tile_texture(sil);
    free_surface(sil);
    SDL_FreeSurface(s);
    SDL_ClearError();
    return record;
}

int live_tile_textures() { return tile_texture_count; }

void destroy_tiles() {
    for (auto& t : tiles) free_tile(t);
}

int tile_index(const char* name) {
    if (name == nullptr || name[0] == 0) return -1;
    size_t name_len = std::strlen(name);
    for (int i = 0; i < MAX_TILES; ++i) {
        const char* n = tiles[i].name;
        if (n[0] != name[0]) continue;
        bool fifth_ok = (name_len >= 4 && n[4] == name[4]) || strnlen(n, sizeof tiles[i].name) <= 4;
        if (!fifth_ok) continue;
        if (std::strncmp(n, name, sizeof tiles[i].name) == 0) return i;
    }
    return -1;
}

void reload_tile_tinted(const char* tile_name, TileTint tint1, TileTint tint2) {
    int i = tile_index(tile_name);
    if (i < 0) return;
    // The file name is the last part of the stored path.
    const char* slash = std::strrchr(tiles[i].path, '/');
    char file[256];
    copy_text(file, sizeof file, slash ? slash + 1 : tiles[i].path);
    if (file[0] == 0) return;
    TileTint old[2] = {load_tints[0], load_tints[1]};
    load_tints[0] = tint1;
    load_tints[1] = tint2;
    TileRecord fresh;
    load_tile(file, big_tiles_on, &fresh, true);
    load_tints[0] = old[0];
    load_tints[1] = old[1];
    if (fresh.name[0] == 0) return;  // the file is gone: keep what we have
    // The old textures go before the record is replaced.
    free_tile(tiles[i]);
    tiles[i] = fresh;
}

void NewGfx_loadtiledata() {
    destroy_tiles();
    int filled = 0;
    for (const DirEntry& e : list_matching("truetile/*.png")) {
        if (filled >= MAX_TILES) break;
        if (e.is_dir) continue;
        TileRecord r;
        load_tile(e.name.c_str(), big_tiles_on, &r, false);
        if (r.name[0] != 0) tiles[filled++] = r;
        else free_tile(r);
    }
    load_tints[0] = {171, 171, 171, 64};
    load_tints[1] = {255, 255, 255, 218};
    int snow = tile_index("ter-snowgnd");
    if (snow >= 0) {
        const char* slash = std::strrchr(tiles[snow].path, '/');
        char file[256];
        copy_text(file, sizeof file, slash ? slash + 1 : tiles[snow].path);
        TileRecord r;
        load_tile(file, big_tiles_on, &r, true);
        if (r.name[0] != 0) {
            free_tile(tiles[snow]);
            tiles[snow] = r;
        }
    }
    tile_snowgnd = tile_index("ter-snowgnd");
    tile_ground = tile_index("ter-ground");
    tile_gcmoss = tile_index("ter-gcmoss");
    tile_iceblue = tile_index("ter-iceblue");
    tile_ice = tile_index("ter-ice");
    tile_pc_male = tile_index("pc-male");
    tile_pc_female = tile_index("pc-female");
    tile_skis = tile_index("it-skis");
    tile_facedirs = tile_index("cur-facedirs");
    tile_pcdirs = tile_index("cur-pcdirs");
    tile_gcfloor = tile_index("ter-gcfloor");
    tile_locsel = tile_index("cur-locsel");
    tile_elev1 = tile_index("ter-elev1");
    tile_elev2 = tile_index("ter-elev2");
    tile_elev3 = tile_index("ter-elev3");
    tile_flee = tile_index("cur-flee");
    tile_ele_rain = tile_index("ele-rain");
    tile_ele_snow = tile_index("ele-snow");

    std::string report;
    char line[300];
    for (const TileRecord& t : tiles) {
        report += t.name;
        report += "\n";
        format_text(line, sizeof line, " tpx,tpy: %d,%d\n", t.anchor_x, t.anchor_y);
        report += line;
    }
    write_file_atomic("debug_tileloader.txt", report);
}

// ------------------------------------------------------------ pictures

SDL_Surface* load_picture(const char* path) {
    if (path == nullptr) return nullptr;
    SDL_Surface* s = IMG_Load(resolve_path_ci(path).c_str());
    if (s == nullptr) {
        std::printf("IMG_Load: %s\n", IMG_GetError());
        std::fflush(stdout);
    }
    return s;
}

void lataa_gui() {
    if (panel_sheet) {
        Uint32 white = SDL_MapRGB(panel_sheet->format, 255, 255, 255);
        SDL_FillRect(panel_sheet, nullptr, white);
        SDL_SetColorKey(panel_sheet, SDL_TRUE, white);
    }
    blit_to_sheet("truegfx/nappain.png", 0, 0);
    blit_to_sheet("truegfx/texture_vaalea.png", 40, 0);
    blit_to_sheet("truegfx/texture_tuohi.png", 200, 0);
    blit_to_sheet("truegfx/texture_kivi.png", 400, 0);
    blit_to_sheet("truegfx/texture_savuseina.png", 600, 0);
    free_texture(pointer_mark_texture);
    pointer_mark_texture = load_texture_keyed("truegfx/cursor_target.png", false);
    free_texture(sky_sun);
    sky_sun = load_texture_keyed("truetile/gui-sun.png", false);
    free_texture(sky_moon);
    sky_moon = load_texture_keyed("truetile/gui-moon.png", false);
    free_texture(sky_clouds);
    sky_clouds = load_texture_keyed("truetile/gui-clouds.png", true);
    free_texture(sky_rain);
    sky_rain = load_texture_keyed("truetile/gui-rain.png", true);
    free_texture(sky_snowfall);
    sky_snowfall = load_texture_keyed("truetile/gui-snowfall.png", true);
    free_texture(sky_horizon);
    sky_horizon = load_texture_keyed("truetile/gui-horizon.png", true);
    free_texture(firelight_glow);
    firelight_glow = load_texture_keyed("truetile/gui-firelit.png", false);
    free_texture(compass_arrow);
    free_texture(compass_sound_clue);
    // The compass pictures are optional.
    if (path_exists(resolve_path_ci("truetile/gui-arrow.png")))
        compass_arrow = load_texture_keyed("truetile/gui-arrow.png", true);
    if (path_exists(resolve_path_ci("truetile/gui-sndclue.png")))
        compass_sound_clue = load_texture_keyed("truetile/gui-sndclue.png", true);
}

void getbackgrounds() {
    free_surface(bg_backstory);
    bg_backstory = load_picture("truegfx/bg-backstory.png");
    free_surface(bg_deathscene);
    bg_deathscene = load_picture("truegfx/bg-deathscene.png");
    free_surface(bg_supernatural);
    bg_supernatural = load_picture("truegfx/bg-supernatural.jpg");
    free_surface(bg_wideworld);
    bg_wideworld = load_picture("truegfx/bg-wideworld.jpg");
    free_texture(bg_wideworld_texture);
    if (bg_wideworld && game_renderer)
        bg_wideworld_texture = SDL_CreateTextureFromSurface(game_renderer, bg_wideworld);
    free_surface(bg_profile);
    bg_profile = load_picture("truegfx/bg-profile.jpg");
    free_texture(bg_rpanel_texture);
    bg_rpanel_texture = load_texture_keyed("truegfx/bg-rpanel.png", false);
}

void free_pictures() {
    destroy_tiles();
    for (SDL_Texture** t : {&pointer_mark_texture, &sky_sun, &sky_moon, &sky_clouds, &sky_rain,
                            &sky_snowfall, &sky_horizon, &firelight_glow, &compass_arrow,
                            &compass_sound_clue, &bg_wideworld_texture, &bg_rpanel_texture})
        free_texture(*t);
    for (SDL_Surface** s : {&bg_backstory, &bg_deathscene, &bg_supernatural, &bg_wideworld, &bg_profile})
        free_surface(*s);
}

void draw_picture(const char* name, int x, int y, int w, int h) {
    if (canvas == nullptr || name == nullptr) return;
    std::string path = std::string("truegfx/") + name;
    SDL_Surface* s = load_picture(path.c_str());
    if (s == nullptr) return;
    SDL_Rect dst = {x, y, s->w, s->h};
    if (w != 0) {
        dst.w = w;
        dst.h = h;
        SDL_BlitScaled(s, nullptr, canvas, &dst);
        dst = {x, y, w, h};
    } else {
        SDL_BlitSurface(s, nullptr, canvas, &dst);
        dst = {x, y, s->w, s->h};
    }
    SDL_FreeSurface(s);
    if (picture_frame_on) frame_rect(dst.x, dst.y, dst.w, dst.h);
}

void draw_surface_framed(SDL_Surface* surface, int x, int y, int w, int h) {
    if (canvas == nullptr || surface == nullptr) return;
    SDL_Rect dst = {x, y, surface->w, surface->h};
    if (w > 0 && h > 0 && (w != surface->w || h != surface->h)) {
        dst.w = w;
        dst.h = h;
        SDL_BlitScaled(surface, nullptr, canvas, &dst);
        dst = {x, y, w, h};
    } else {
        SDL_BlitSurface(surface, nullptr, canvas, &dst);
        dst = {x, y, surface->w, surface->h};
    }
    frame_rect(dst.x, dst.y, dst.w, dst.h);
}

void draw_picture_framed(const char* name, int x, int y, int w, int h) {
    SDL_Surface* s = load_picture(picture_path(name).c_str());
    if (s == nullptr) return;
    draw_surface_framed(s, x, y, w, h);
    SDL_FreeSurface(s);
}

void draw_picture_fitted(const char* name, SDL_Surface* surface, int x, int y, int w, int h) {
    if (canvas == nullptr || w <= 0 || h <= 0) return;
    SDL_Surface* s = surface;
    if (s == nullptr) {
        std::string path = std::string("truegfx/") + (name ? name : "");
        s = load_picture(path.c_str());
        if (s == nullptr) return;
    }
    // Fill the rectangle: scale to its width and cut the picture's height
    // evenly at top and bottom (or its width at the sides when it is taller).
    SDL_Rect src = {0, 0, s->w, s->h};
    double want = double(w) / h, have = double(s->w) / (s->h ? s->h : 1);
    if (have < want) {
        src.h = int(s->w / want);
        src.y = (s->h - src.h) / 2;
    } else if (have > want) {
        src.w = int(s->h * want);
        src.x = (s->w - src.w) / 2;
    }
    SDL_Rect dst = {x, y, w, h};
    SDL_BlitScaled(s, &src, canvas, &dst);
    if (s != surface) SDL_FreeSurface(s);
}

void draw_picture_spec(const char* spec, int x, int y) {
    if (spec == nullptr) return;
    char name[256];
    copy_text(name, sizeof name, spec);
    int w = 0, h = 0;
    if (char* blank = std::strchr(name, ' ')) {
        *blank = 0;
        if (std::sscanf(blank + 1, "%dx%d", &w, &h) != 2) w = h = 0;
    }
    draw_picture(name, x, y, w, h);
}

SDL_Texture* load_picture_texture(const char* name) {
    return load_texture_keyed(picture_path(name).c_str(), false);
}

void render_picture_to_texture(const char* name, SDL_Surface* surface, SDL_Texture* target, int x,
                               int y, int w, int h, int flags) {
    if (game_renderer == nullptr) return;
    SDL_Texture* t = nullptr;
    if (surface) t = SDL_CreateTextureFromSurface(game_renderer, surface);
    else t = load_picture_texture(name);
    if (t == nullptr) return;
    SDL_Texture* old = SDL_GetRenderTarget(game_renderer);
    SDL_SetRenderTarget(game_renderer, target);
    SDL_Rect dst = {x, y, w, h};
    if (w == 0 || h == 0) SDL_QueryTexture(t, nullptr, nullptr, &dst.w, &dst.h);
    SDL_RenderCopy(game_renderer, t, nullptr, &dst);
    if (flags & 1) {
        SDL_SetRenderDrawColor(game_renderer, 0, 0, 0, 255);
        SDL_Rect frame = {dst.x - 1, dst.y - 1, dst.w + 2, dst.h + 2};
        SDL_RenderDrawRect(game_renderer, &frame);
    }
    SDL_SetRenderTarget(game_renderer, old);
    SDL_DestroyTexture(t);
}

