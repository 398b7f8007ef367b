// The canvas, the renderer and presenting frames.
//
// Everything the game shows is drawn first into one 800 x 600 software
// canvas; a present uploads it into the screen texture, lets the renderer
// stretch it over the window, lays the map view over it and shows the frame.
#pragma once

#include <SDL.h>
#include <cstdint>

constexpr int CANVAS_W = 800;
constexpr int CANVAS_H = 600;

// ------------------------------------------------------------ the objects

extern SDL_Window* game_window;      // made by the start-up before InitGr
extern SDL_Renderer* game_renderer;  // made by InitGr
extern SDL_Surface* canvas;          // 800 x 600, 32-bit, no alpha
extern SDL_Texture* screen_texture;  // 800 x 600 ARGB8888, static
extern SDL_PixelFormat* canvas_format;
extern bool graphics_initialised;

// 0: the map view is not laid over the canvas; 1: on every present;
// 2: on the next present only.
extern int map_view_state;
// What lays the map view over the frame at a present (the map view's
// textures set it when they are made); null: nothing is laid.
extern void (*map_view_layer)();
// While set, laying the map view over the frame does not rebuild it first.
extern bool map_texture_current;
// The mouse position in canvas coordinates (kept by the input).
extern int mouse_x, mouse_y;
// While set, present operations do nothing at all.
extern bool no_flush;
// While set, frames are uploaded and composed but not shown.
extern bool present_hold;

// Work surfaces made by create_surfaces.
extern SDL_Surface* translucency_surface;  // 800 x 600, canvas format
extern SDL_Surface* prompt_backup_surface;
extern SDL_Surface* background_surface;
extern SDL_Surface* snapshot_surface;
extern SDL_Surface* panel_sheet;           // key caps and panel textures
extern SDL_Surface* sky_surface;           // 96 x 74, with its own renderer
extern SDL_Renderer* sky_renderer;
extern SDL_Surface* compass_surface;       // the compass box, own renderer
extern SDL_Renderer* compass_renderer;
extern SDL_Surface* known_map_surface[2];  // 1200 x 1200 each
extern SDL_Texture* known_map_texture;     // 1200 x 1200, static
extern int known_map_margin;               // the margin b of the known-areas map

// The texture screen: used by information screens instead of the canvas.
extern bool texture_screen_active;
extern SDL_Texture* texture_screen_base;
extern int texture_screen_flags;  // 2 known-areas map, 4 pointer mark, 8 extra picture
extern SDL_Texture* extra_picture;
extern SDL_Rect extra_picture_rect;
extern SDL_Rect pointer_mark_bounds;  // where the pointer mark (flag 4) is drawn
extern SDL_Texture* pointer_mark_texture;  // 32 x 32, loaded by lataa_gui

// Named colours, mapped once into the canvas format by init_colours.
struct CanvasColours {
    Uint32 black, outline;
    Uint32 c64_64_32, c96_96_64, c80_80_32, c32_32_32;
    Uint32 c48_64_80, c48_64_80_b;  // held twice
    Uint32 c80_96_128, c56_88_120, c160_48_0, c80_32_0, c144_96_32;
    Uint32 c56_72_88, c80_96_160, c208_208_192, c212_148_116, c84_60_28, c168_116_76;
};
extern CanvasColours colours;

// ------------------------------------------------------------ start-up

// The canvas's part of the graphics start-up (ui/graphics.h starts the
// rest): the renderer (software fallback), the screen texture, the canvas
// and the named colours; then the work surfaces (the compass box's size
// comes from the panel layout) and the known-areas map surfaces.
void start_canvas();
void create_surfaces(int compass_w, int compass_h);
void create_known_map_surfaces();
void init_colours();
// Releases what the canvas made.
void stop_canvas();

// ------------------------------------------------------------ presenting

void upload_screen();
int present_screen(int value = 0);  // returns value unchanged
void present_screen_with_map();
void present_rect(int x, int y, int w, int h, int present);
void clear_screen();
void scale_rect_to_output(SDL_Rect* rect);
// The output size of the renderer (the window when there is no renderer).
void output_size(int* w, int* h);

// The last mouse position in canvas space.
int mouse_x_to_canvas(int raw_x);
int mouse_y_to_canvas(int raw_y);

// ------------------------------------------------------------ save-unders

constexpr int SAVE_UNDER_SLOTS = 4;
void save_screen_under(const char* name, const SDL_Rect* rect = nullptr);
void restore_screen_under(const char* name);
void free_screen_under(const char* name);
// The slot that holds the name, or -1 (for tests and diagnosis).
int find_screen_under(const char* name);

void take_screen_snapshot();
void restore_screen_snapshot();
void restore_screen_snapshot_with_map();

void save_screen_backup();
void restore_screen_backup();
void restore_screen_backup_with_map();

// ------------------------------------------------------------ texture screen

void set_texture_screen(SDL_Texture* texture, int flags);
void render_texture_layers();
bool pointer_in_map_view();
void present_renderer();
void clear_extra_picture();

// ------------------------------------------------------------ effects

// picture: a surface, canvas itself, or nullptr (blend black over the
// current canvas, so the darkening accumulates). direction 1 fades to
// black, 0 fades from black.
void fade(SDL_Surface* picture, float seconds, int direction);
void fade_to_black_and_clear(float seconds);

// ------------------------------------------------------------ developer

void save_screenshot();  // "screenshot.bmp" of the renderer's output
void save_renderer_copy();
void restore_renderer_copy();

// ------------------------------------------------------------ colours

Uint32 map_rgb(int r, int g, int b);        // canvas pixel value
Uint32 map_vga_colour(int r, int g, int b);  // 6-bit components
Uint32 colour_white();

// ------------------------------------------------------------ test seam

// With KSM_TEST_SCREENSHOT set, every present first writes the composed
// frame as "<folder>/frame_NNNNNN.bmp". The number of the last one written
// (0 before the first).
int test_screenshot_count();
// A key script that names its shots turns the numbered frames off: the frame
// on screen is only kept, and save_test_shot writes it as "<folder>/NAME.bmp"
// (false without a folder, a frame, or with a name that is not plain).
void set_named_test_shots(bool on);
bool save_test_shot(const char* name);
// Reads the composed frame of the renderer (output size) into a new
// ARGB8888 surface; the caller frees it. nullptr on failure.
SDL_Surface* read_renderer_output();
// The same into a surface of the caller's, made or remade when it is missing
// or of another size; false when the output could not be read.
bool read_renderer_output_into(SDL_Surface*& surface);

// ------------------------------------------------------------ pixels

void put_pixel(int x, int y, Uint32 colour);
Uint32 get_pixel(int x, int y);
void put_surface_pixel(int x, int y, Uint32 colour, SDL_Surface* surface);
Uint32 get_surface_pixel(int x, int y, SDL_Surface* surface);
void fill_canvas_rect(int x, int y, int w, int h, Uint32 colour);

// ------------------------------------------------------------ the map view

// The map view geometry for a zoom factor.
struct MapViewGeometry {
    float zoom;
    SDL_Rect view;             // (15, 85, 450, 460)
    int centre_x, centre_y;    // (240, 315)
    float cell_w, cell_h;      // 18z x 20z
    int half_w, half_h;        // in cells
    int tex_centre_x, tex_centre_y;  // (531, 590)
    int src_x, src_y;          // zoom-1 source origin (306, 360)
    float cells_across, cells_down;
};
extern MapViewGeometry map_view;
// Half-width and half-height of the map view in cells, set with its
// geometry (the view window around the player).
extern int32_t view_half_w;
extern int32_t view_half_h;
void set_map_view_geometry(float zoom);
