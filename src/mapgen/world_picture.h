// The picture of the whole world: drawn by the world-generation screen and,
// while the world is being made, by the generation's progress.
#pragma once

// Where the picture lies on the canvas.
constexpr int WORLD_PICTURE_X = 16;
constexpr int WORLD_PICTURE_Y = 24;
constexpr int WORLD_PICTURE_W = 768;
constexpr int WORLD_PICTURE_H = 512;

// The picture's view: 4, 2 or 1 world cells per pixel, and the world cell
// at the picture's top-left corner.
struct WorldView {
    int zoom = 4;
    int origin_x = 0, origin_y = 0;
    int culture_mode = 0;  // 0 terrain colours, 4 culture colours
    bool legend = false;
};
extern WorldView world_view;

// Picture modes: 0 terrain, 4 cultures, 16 terrain without sea (while the
// world is being generated), 32 sites only.
void draw_world_picture(int origin_y, int origin_x, int zoom, int mode);
