// World heights from terrain codes and the banded local height field.
#include "mapgen/heights.h"

#include <cstring>

#include "maps/map_layers.h"

uint8_t height_block[HEIGHT_BLOCK_SIDE * HEIGHT_BLOCK_SIDE];
uint8_t band_grid[BAND_GRID_SIDE * BAND_GRID_STRIDE];
uint32_t height_fill_seed = 0;

namespace {

// The lower bound of every band, band n starting at band_floor[n - 1].
constexpr uint8_t band_floor[HEIGHT_BANDS] = {
    0,   4,   8,   12,  16,  20,  24,  28,  32,  36,  40,  48,  56,  64,  72,
    80,  88,  96,  104, 112, 120, 128, 132, 140, 148, 156, 162, 170, 171, 178,
    184, 191, 192, 200, 208, 216, 222, 223, 224, 230, 238, 242, 250};

struct BandTable {
    uint8_t band[256];
    constexpr BandTable() : band{} {
        int b = 0;
        for (int h = 0; h < 256; ++h) {
            while (b < HEIGHT_BANDS && band_floor[b] <= h) ++b;
            band[h] = uint8_t(b);
        }
    }
};
constexpr BandTable bands;

inline uint8_t& block_at(int x, int y) { return height_block[y * HEIGHT_BLOCK_SIDE + x]; }
inline int avg(int a, int b) { return (a + b) / 2; }

}  // namespace

int terrain_code_height(int code) {
    switch (code) {
    case 3: case 93: return 120;
    case 15: return 80;
    case 46: case 210: case 211: case 239: case 251: return 70;
    case 60: return 230;
    case 91: return 180;
    case 94: return 250;
    case 176: return 27;
    case 177: case 178: case 180: case 181: case 182: case 183: case 247: return 1;
    case 233: case 236: return 46;
    case 235: return 60;
    case 238: return 100;
    default: return 50;
    }
}

int world_height_at(int world_y, int world_x) {
    if (!in_world_grid(world_x, world_y)) return 50;
    return terrain_code_height(stored_world_terrain[map_index(world_x, world_y)]);
}

int height_band(int height) {
    if (height < 0) height = 0;
    if (height > 255) height = 255;
    return bands.band[height];
}

void prepare_height_block(int y, int x) {
    auto h = [&](int dy, int dx) { return world_height_at(y + dy, x + dx); };
    std::memset(height_block, 0, sizeof height_block);
    const int c = h(0, 0);
    block_at(32, 32) = uint8_t(c);

    bool flatten = false;
    if (in_world_grid(x, y)) {
        const int code = stored_world_terrain[map_index(x, y)];
        if ((code == 86 || code == 211 || code == 239) &&
            (h(-1, 0) > c + 50 || h(1, 0) > c + 50 || h(0, 1) > c + 50 || h(0, -1) > c + 50)) {
            flatten = true;
        }
    }
    if (c == 27) {
        block_at(32, 32) = block_at(32, 24) = block_at(32, 40) = 27;
        block_at(24, 32) = block_at(40, 32) = 27;
    } else if (c == 1) {
        flatten = true;
    }
    if (flatten) {
        static constexpr int spots[8][2] = {{16, 16}, {32, 16}, {48, 16}, {16, 32},
                                            {48, 32}, {16, 48}, {32, 48}, {48, 48}};
        for (const auto& s : spots) block_at(s[0], s[1]) = uint8_t(c);
    }

    const int top = avg(c, h(-1, 0));
    const int bottom = avg(c, h(1, 0));
    block_at(32, 0) = uint8_t(top);
    block_at(64, 32) = uint8_t(avg(c, h(0, 1)));
    block_at(0, 32) = uint8_t(avg(c, h(0, -1)));
    block_at(32, 64) = uint8_t(bottom);

    block_at(0, 0) = uint8_t(avg(top, avg(h(0, -1), h(-1, -1))));
    block_at(64, 0) = uint8_t(avg(top, avg(h(0, 1), h(-1, 1))));
    block_at(0, 64) = uint8_t(avg(bottom, avg(h(0, -1), h(1, -1))));
    block_at(64, 64) = uint8_t(avg(bottom, avg(h(0, 1), h(1, 1))));
}

void set_height_cell(int x, int y, int sum, int amplitude) {
    if (x < 0 || y < 0 || x >= HEIGHT_BLOCK_SIDE || y >= HEIGHT_BLOCK_SIDE) return;
    int v = sum / 2;
    const int a = amplitude > 1 ? amplitude : 1;
    if (a > 1) {
        height_fill_seed = height_fill_seed * 22695477u + 1u;
        v = v - a + int(height_fill_seed % uint32_t(2 * a));
    }
    if (v < 1) v = 1;
    if (v > 255) v = 255;
    uint8_t& cell = block_at(x, y);
    if (cell == 0) cell = uint8_t(v);
}

void midpoint_fill(int x, int y, int half, int amplitude, int threshold) {
    // The last quarter continues this loop; the other three recurse.
    for (;;) {
        const int x2 = x + 2 * half, y2 = y + 2 * half;
        const int xm = x + half, ym = y + half;
        auto at = [](int cx, int cy) -> int {
            if (cx < 0 || cy < 0 || cx >= HEIGHT_BLOCK_SIDE || cy >= HEIGHT_BLOCK_SIDE) return 0;
            return block_at(cx, cy);
        };
        const int p = at(x, y), q = at(x, y2), r = at(x2, y2), s = at(x2, y);
        set_height_cell(x, ym, p + q, amplitude);
        set_height_cell(xm, y2, q + r, amplitude);
        set_height_cell(x2, ym, r + s, amplitude);
        set_height_cell(xm, y, s + p, amplitude);
        set_height_cell(xm, ym, at(x2, ym) + at(x, ym), amplitude);
        if (half <= 1) return;
        if (half < threshold) amplitude /= 2;
        half /= 2;
        const int side = 2 * half;
        midpoint_fill(x, y, half, amplitude, threshold);
        midpoint_fill(x + side, y, half, amplitude, threshold);
        midpoint_fill(x + side, y + side, half, amplitude, threshold);
        y += side;
    }
}

void fill_height_blocks(int y0, int x0) {
    for (int j = 0; j < BAND_BLOCKS; ++j) {
        for (int i = 0; i < BAND_BLOCKS; ++i) {
            prepare_height_block(y0 + j, x0 + i);
            // The seed depends on the world cell alone, so a cell gets the
            // same field whichever block of the grid it falls in.
            height_fill_seed = uint32_t(x0 + i + y0 + j);
            const int c = block_at(32, 32);
            int amplitude = 4, threshold = 16;
            if (c <= 46) {
                amplitude = 2;
                threshold = 8;
            } else if (c >= 160) {
                amplitude = 6;
                threshold = 8;
            }
            midpoint_fill(0, 0, 32, amplitude, threshold);
            for (int row = 0; row < 64; ++row) {
                std::memcpy(&band_grid[(64 * j + row) * BAND_GRID_STRIDE + 64 * i],
                            &height_block[row * HEIGHT_BLOCK_SIDE], 64);
            }
        }
    }
    height_bands();
}

void height_bands() {
    for (int row = 0; row < BAND_GRID_SIDE; ++row) {
        uint8_t* line = &band_grid[row * BAND_GRID_STRIDE];
        for (int col = 0; col < BAND_GRID_SIDE; ++col) line[col] = bands.band[line[col]];
    }
}

bool copy_band_block(int dx, int dy, uint8_t* dest, int dest_stride) {
    const int i = dx + 3, j = dy + 3;
    if (i < 0 || j < 0 || i >= BAND_BLOCKS || j >= BAND_BLOCKS || !dest) return false;
    for (int row = 0; row < 64; ++row) {
        std::memcpy(dest + size_t(row) * dest_stride,
                    &band_grid[(64 * j + row) * BAND_GRID_STRIDE + 64 * i], 64);
    }
    return true;
}
