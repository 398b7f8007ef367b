// World generation: relief passes by midpoint displacement, rivers, cultures
// with their sites and roads, and the finishing pass.
#include "mapgen/world_gen.h"

#include "mapgen/world_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "maps/regions.h"
#include "game/save_set.h"
#include "maps/world_files.h"
#include "game/turn_state.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "base/platform.h"

uint8_t* height_grid = nullptr;
int world_progress_step = 0;
int world_progress_percent = 0;
char world_progress_text[128] = "";
WorldGenFacts world_facts;

namespace {

constexpr int W = WORLD_W;
constexpr int H = WORLD_H;

// One draw of the game's generator in the 0..32767 range.
inline int draw15() { return (ksm_rand() >> 16) & 0x7FFF; }
inline int rb(int n) { return random_below(n); }
inline bool chance(int in_100) { return draw15() % 100 < in_100; }

inline uint8_t& T(int x, int y) { return terrain_layer[map_index(x, y)]; }
inline uint8_t tget(int x, int y) { return in_world_grid(x, y) ? T(x, y) : CODE_OUTSIDE; }

inline bool is_sea(int c) { return c == 180 || c == 181; }
inline bool is_lake(int c) { return c == 182 || c == 183 || c == 247; }

// A byte grid that the displacement works on.
struct Grid {
    uint8_t* data;
    int w, h;
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    uint8_t get(int x, int y) const { return inside(x, y) ? data[size_t(y) * w + x] : 0; }
    uint8_t& at(int x, int y) const { return data[size_t(y) * w + x]; }
};

Grid heights() { return Grid{height_grid, W, H}; }

// Sets a cell from the sum of two known heights with roughness c.
void set_from_sum(const Grid& g, int x, int y, int sum, int c) {
    if (!g.inside(x, y) || g.at(x, y) != 0) return;
    if (c <= 0) c = 1;
    int v = draw15() % (2 * c + 1) + sum / 2 - c + 1;
    if (v >= 256) v = 510 - v;
    if (v <= 0) v = 1;
    g.at(x, y) = uint8_t(v);
}

void displace(const Grid& g, int x, int y, int b, int c, int d) {
    for (;;) {
        const int x2 = x + 2 * b, y2 = y + 2 * b;
        const int p = g.get(x, y), q = g.get(x2, y), r = g.get(x, y2), s = g.get(x2, y2);
        set_from_sum(g, x + b, y, p + q, c);
        set_from_sum(g, x, y + b, p + r, c);
        set_from_sum(g, x2, y + b, q + s, c);
        set_from_sum(g, x + b, y2, r + s, c);
        set_from_sum(g, x + b, y + b, p + s, c);
        if (b < 2) return;
        const int quarter = b;
        if (b < d) c /= 2;
        b /= 2;
        displace(g, x, y, b, c, d);
        displace(g, x + quarter, y, b, c, d);
        displace(g, x + quarter, y + quarter, b, c, d);
        y += quarter;
    }
}

// A relief grid one column and one row larger than the world: squares of
// half-size 512 from columns 0, 1024 and 2048 and rows 0 and 1024 have all
// their corners on it, so that seeds on the lattice of 32, 64 or 1024 cells
// are corners of the squares everywhere, the east included. The relief is
// copied back into the world-sized height grid without the extra column
// and row.
struct WideGrid {
    std::vector<uint8_t> cells;
    Grid grid;
    explicit WideGrid(const uint8_t* from) : cells(size_t(W + 1) * (H + 1), 0), grid{cells.data(), W + 1, H + 1} {
        for (int y = 0; y < H; ++y) std::memcpy(&cells[size_t(y) * (W + 1)], &from[size_t(y) * W], W);
    }
    void copy_to(uint8_t* to) const {
        for (int y = 0; y < H; ++y) std::memcpy(&to[size_t(y) * W], &cells[size_t(y) * (W + 1)], W);
    }
};

// The six squares of half-size 512 that cover the world, on the wide grid.
void displace_six(const Grid& wide, int c, int d) {
    for (int y : {0, 1024}) {
        for (int x : {0, 1024, 2048}) displace(wide, x, y, 512, c, d);
    }
}

// The coastline's seed for the high fells along the east edge.
constexpr int EAST_FELL_SEED = 200;

void seed(int x, int y, int v) {
    if (in_world_grid(x, y)) height_grid[size_t(y) * W + x] = uint8_t(std::clamp(v, 1, 255));
}

void clear_heights() { std::memset(height_grid, 0, size_t(W) * H); }

// ------------------------------------------------------------ coastline

struct Pt {
    int x, y;
};

bool inside_polygon(const std::vector<Pt>& poly, double px, double py) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const double xi = poly[i].x, yi = poly[i].y, xj = poly[j].x, yj = poly[j].y;
        if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

double distance_to_path(const std::vector<Pt>& path, double px, double py) {
    double best = 1e18;
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        const double ax = path[i].x, ay = path[i].y, bx = path[i + 1].x, by = path[i + 1].y;
        const double dx = bx - ax, dy = by - ay;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = ax + t * dx - px, ey = ay + t * dy - py;
        best = std::min(best, ex * ex + ey * ey);
    }
    return std::sqrt(best);
}

void coastline_pass() {
    clear_heights();
    // The coast walks from the north-east westwards, down the west side and
    // back east along the south; land lies inside it.
    std::vector<Pt> path;
    int row = 314 + 2 * rb(32);
    int col = 3007;
    path.push_back({W + 64, row});
    const int west_stop = 193 + rb(192);
    while (col >= west_stop) {
        path.push_back({col, row});
        col -= 64;
        const int step = 18 + 2 * rb(8);
        if (row > 96 && chance(44)) {
            row -= step;
        } else if (row < 256 && chance(40)) {
            row += step;
        }
    }
    while (col > 128) {
        path.push_back({col, row});
        row += 64;
        col -= 64;
    }
    // From row 1100 to 1650 the coast keeps near the mouths of the
    // south-western rivers: within 160 columns east of the line through
    // (480, 1224) and (740, 1536), so that each of their search boxes
    // reaches the sea.
    auto mouth_line = [](int r) { return 480 + (r - 1224) * 5 / 6; };
    const int south_stop = 64 * (15 + rb(5));
    while (row < south_stop) {
        if (row >= 1100) col = std::max(col, mouth_line(row));
        path.push_back({col, row});
        row += 128;
        if (chance(9)) {
            col -= rb(31);
        } else if (chance(60)) {
            col += 18 + rb(31);
        }
        col = std::clamp(col, 96, 400);
    }
    const int d = row;
    world_facts.coast_row_p = d + 128 + 3 * ((1664 - d) / 4);
    world_facts.coast_col_q = 2004 - d;
    // South-eastwards to the south coast, then east along it.
    const int south_row = 1800 + rb(48);
    while (row < south_row) {
        path.push_back({col, row});
        row += 64;
        col += 48 + rb(48);
        if (row >= 1100 && row <= 1650) col = std::clamp(col, mouth_line(row), mouth_line(row) + 160);
    }
    // East along the south, with a deep bay between the southern lands.
    // West of the bay the coast stays north of row 1810, where the southern
    // river's box looks for the sea.
    const int bay_west = 1920 + rb(64), bay_east = 2240 + rb(64);
    if (col < bay_west) row = std::clamp(row, 1780, 1810);
    while (col < W) {
        path.push_back({col, row});
        col += 64;
        if (col >= bay_west && col < bay_east) {
            row = 1380 + rb(80);
        } else if (row < 1780) {
            row = 1800 + rb(10);
        } else {
            row = std::clamp(row + rb(49) - 24, 1780, col < bay_west ? 1810 : 1990);
        }
    }
    path.push_back({W + 64, row});
    std::vector<Pt> polygon = path;
    polygon.push_back({W + 64, 0});  // closes along the east edge

    // Seeds on a lattice of 64 cells: land 220, coast 128 inland and 64
    // seaward, fells 120 and 200 towards the east. The sea is seeded 24 near
    // the coast and 8 further out (1 along the edges): the sea is made of the
    // cells below 32, so seeds above that would leave it a maze of islets.
    // The lattice reaches one past the last row and column (the wide grid).
    WideGrid wide(height_grid);
    const Grid& big = wide.grid;
    std::vector<Pt> sea_seeds;
    for (int y = 0; y <= H; y += 64) {
        for (int x = 0; x <= W; x += 64) {
            const int sx = std::min(x, W - 1), sy = std::min(y, H - 1);
            const bool land = inside_polygon(polygon, sx, sy);
            const double dist = distance_to_path(path, sx, sy) + rb(40) - 20;
            int v;
            if (dist < 48) {
                v = land ? 128 : 64;
            } else if (!land) {
                // Skerries near the coast, open water further out.
                v = dist < 128 ? 24 : 8;
                sea_seeds.push_back({sx, sy});
            } else if (sx >= 2880) {
                v = EAST_FELL_SEED;
            } else if (sx >= 2560) {
                v = 120 + rb(80);
            } else {
                v = 220;
            }
            if (x == 0 || y == 0 || y >= H) v = 1;  // the open sea at the edges
            big.at(x, y) = uint8_t(v);
        }
    }
    // Spread the lattice: squares of half-size 32, roughness 22 to 8.
    static constexpr int roughness[4] = {22, 18, 12, 8};
    for (int y = 0; y < H; y += 64) {
        if (y % 256 == 0) world_progress("BARONLY");
        for (int x = 0; x < W; x += 64) {
            const int c = roughness[rb(4)];
            displace(big, x, y, 32, c, 16);
        }
    }
    wide.copy_to(height_grid);
    const Grid g = heights();

    // The sea: edges first, then every low cell connected to them.
    std::vector<int> stack;
    stack.reserve(1 << 20);
    auto make_sea = [&](int x, int y) {
        const int h = g.at(x, y);
        T(x, y) = h > 20 ? 181 : 180;
        stack.push_back(y * W + x);
    };
    for (int y = 0; y < H; ++y) {
        T(0, y) = 180;
        stack.push_back(y * W);
    }
    for (int x = 0; x < W; ++x) {
        T(x, 0) = 180;
        T(x, H - 1) = 180;
        stack.push_back(x);
        stack.push_back((H - 1) * W + x);
    }
    // Every sea seed is open water too, so that a bay or a sound cut off by
    // skerries is still sea.
    for (const Pt& p : sea_seeds) {
        if (T(p.x, p.y) == 0 && g.at(p.x, p.y) < 32) make_sea(p.x, p.y);
    }
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        const int x = i % W, y = i / W;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const int nx = x + dx, ny = y + dy;
                if (!in_world_grid(nx, ny) || T(nx, ny) != 0) continue;
                if (g.at(nx, ny) < 32) make_sea(nx, ny);
            }
        }
    }
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (T(x, y) != 0) continue;
            const int h = g.at(x, y);
            if (h == 32) T(x, y) = 93;
            else if (h >= 33 && h <= 37) T(x, y) = 238;
        }
    }
}

// ------------------------------------------------------------ mountains

int first_undecided_row(int x) {
    for (int y = 0; y < H; ++y) {
        if (T(x, y) == 0) return y;
    }
    return H;
}

void mountains_pass() {
    clear_heights();
    for (int x = W - 1; x >= 1536; --x) {
        const int a = first_undecided_row(x);
        seed(x, a + 65 + rb(4), 250);
        seed(x, a + 100, 250);
        seed(x, a + 101, 250);
        seed(x, a + 129 + rb(16), 250);
        seed(x, a + 129 + rb(16), 250);
        seed(x, a + 201 + rb(32), 250);
    }
    int offset = 0;
    for (int x = 1536; x >= 1089; --x) {
        if (draw15() % 10 < 8) ++offset;
        const int a = first_undecided_row(x) + offset;
        const int w = x - 1 - rb(4);
        seed(w, a + 65 + rb(4), 250);
        seed(w, a + 100, 250);
        seed(x, a + 101, 250);
        seed(w, a + 129 + rb(16), 250);
        seed(w, a + 129 + rb(16), 250);
        seed(w, a + 201 + rb(32), 250);
    }
    for (int x = 1152; x >= 129; --x) {
        const int a = first_undecided_row(x);
        if (a >= 1024) continue;
        seed(x, a + 81 + rb(4), 250);
        seed(x, a + 120, 250);
        seed(x + 1 + rb(8), a + 120, 250);
        seed(x, a + 121, 250);
        seed(x + 1 + rb(8), a + 121, 250);
        seed(x, a + 129 + rb(16), 250);
        seed(x, a + 129 + rb(16), 250);
        seed(x, a + 201 + rb(32), 250);
    }
    const Grid g = heights();
    // The squares work on the wide grid, whose east edge (column 3072) the
    // three squares of the north reach and a fourth square, from (2048,
    // 1024), carries down to the south; the corners on that edge take the
    // coastline's eastern fell seed, so the land climbs to high fells
    // towards the east.
    WideGrid wide(height_grid);
    for (int y : {0, 1024, 2048}) wide.grid.at(W, y) = EAST_FELL_SEED;
    displace(wide.grid, 2048, 0, 512, 36, 8);
    displace(wide.grid, 1024, 0, 512, 36, 8);
    displace(wide.grid, 0, 0, 512, 36, 8);
    displace(wide.grid, 2048, 1024, 512, 36, 8);
    wide.copy_to(height_grid);
    for (int y = 0; y < H; ++y) {
        if (y % 256 == 0) world_progress("BARONLY");
        for (int x = 0; x < W; ++x) {
            if (T(x, y) != 0) continue;
            const int h = g.at(x, y);
            if (h > 240) T(x, y) = 94;
            else if (h >= 191) T(x, y) = 91;
            else if (h >= 161) T(x, y) = 3;
        }
    }
}

// ------------------------------------------------------------ lakes

void lakes_pass() {
    clear_heights();
    for (int by = 0; by < CULTURE_ROWS; ++by) {
        for (int bx = 0; bx < CULTURE_COLS; ++bx) {
            int v = 0;
            for (int y = by * 32; y < by * 32 + 32; ++y) {
                for (int x = bx * 32; x < bx * 32 + 32; ++x) {
                    switch (T(x, y)) {
                    case 3: v = std::max(v, 100); break;
                    case 91: v = std::max(v, 120); break;
                    case 94: v = std::max(v, 140); break;
                    case 93: v = std::max(v, 180); break;
                    case 181: v = std::max(v, 200); break;
                    case 180: v = std::max(v, 254); break;
                    default: break;
                    }
                }
            }
            if (bx * 32 >= 3009) v = 240;
            if (v) seed(bx * 32, by * 32, v);
        }
    }
    // The seeds lie on the lattice of 32 cells; the squares start on it
    // (column 2048, not 2047) on the wide grid, whose east column and south
    // row take the seeds of the last blocks.
    WideGrid wide(height_grid);
    for (int y = 0; y <= H; y += 32) wide.grid.at(W, y) = wide.grid.at(W - 32, std::min(y, H - 32));
    for (int x = 0; x <= W; x += 32) wide.grid.at(x, H) = wide.grid.at(std::min(x, W - 32), H - 32);
    displace_six(wide.grid, 100, 32);
    wide.copy_to(height_grid);
    const Grid g = heights();
    long long counted = 0;
    for (int y = 1; y < H; ++y) {
        for (int x = 1; x < W; ++x) {
            if (++counted % 500001 == 0) world_progress("BARONLY");
            uint8_t& cell = T(x, y);
            if (is_sea(cell)) continue;  // lakes are not laid into the sea
            const int h = g.at(x, y);
            if (h <= 4) cell = 182;
            else if (h <= 11) cell = 247;
            else if (h <= 13) cell = 183;
        }
    }
}

// ------------------------------------------------------------ forests

void forests_pass() {
    clear_heights();
    seed(2048, 0, 1 + rb(155));
    seed(1024, 0, 1 + rb(155));
    seed(2048, 1024, 1 + rb(155));
    seed(0, 2047, 150);
    seed(512, 2047, 150);
    seed(1024, 2047, 150);
    seed(0, 1024, 150);
    seed(1024, 1024, 150);
    WideGrid wide(height_grid);
    displace_six(wide.grid, 100, 16);
    wide.copy_to(height_grid);
    const Grid g = heights();
    for (int y = 0; y < H; ++y) {
        if (y % 256 == 0) world_progress("BARONLY");
        for (int x = 0; x < W; ++x) {
            uint8_t& cell = T(x, y);
            if (cell != 0) continue;
            const int h = g.at(x, y);
            if (h <= 9) cell = 233;
            else if (h <= 39) cell = 236;
            else if (h <= 119) cell = 235;
            else if (h <= 159) cell = 15;
            else if (h <= 229) cell = 238;
            else if (h <= 249) cell = 3;
            else if (h <= 253) cell = 91;
            else cell = 94;
        }
    }
}

// ------------------------------------------------------------ rivers

struct RiverSpec {
    int col, row, box_h, box_w, length, heading, wander, branches, rapids, lake, continuations;
};
constexpr RiverSpec river_table[WORLD_RIVERS] = {
    {2048, 1792, 196, 64, 320, 225, 45, 2, 60, 32, 0},
    {2176, 1320, 256, 64, 640, 200, 45, 2, 5, 32, 0},
    {2000, 1500, 96, 256, 320, 225, 45, 3, 4, 128, 2},
    {256, 768, 64, 256, 256, 100, 45, 1, 2, 64, 1},
    {256, 960, 64, 256, 312, 105, 35, 2, 2, 32, 0},
    {512, 1224, 64, 320, 256, 125, 45, 1, 2, 64, 2},
    {640, 1344, 64, 320, 320, 125, 45, 2, 2, 64, 0},
    {800, 1536, 64, 320, 320, 125, 33, 1, 2, 64, 1},
    {1402, 256, 256, 64, 320, 315, 16, 1, 10, 128, 0},
    {1280, 1792, 128, 32, 320, 180, 45, 2, 50, 64, 0},
};

int lake_cells_touching(int x, int y) {
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if ((dx || dy) && is_lake(tget(x + dx, y + dy))) ++n;
        }
    }
    return n;
}

bool has_code_around(int x, int y, int code) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (tget(x + dx, y + dy) == code) return true;
        }
    }
    return false;
}

int river_cells_marked = 0;

void mark_river_cell(int x, int y, int rapids, bool straight, int calm_code) {
    if (!in_world_grid(x, y)) return;
    const int c = T(x, y);
    if (c == 177 || is_sea(c) || is_lake(c)) return;
    int code;
    if (draw15() % 1000 < 80 - rapids) {
        code = 177;
    } else if (calm_code == 176 && !has_code_around(x, y, 176) && lake_cells_touching(x, y) < 2 &&
               chance(14) && straight) {
        code = 176;
    } else {
        code = 178;
    }
    T(x, y) = uint8_t(code);
    ++river_cells_marked;
}

// A lake of size L at the end of a river: a square of side n (2^k + 1)
// displaced from 64 at its rim and 1 at its centre.
void river_lake(int cx, int cy, int side) {
    if (side <= 4) return;
    const int half = (side - 1) / 2;
    std::vector<uint8_t> cells(size_t(side) * side, 0);
    const Grid g{cells.data(), side, side};
    const int e = side - 1;
    g.at(0, 0) = g.at(e, 0) = g.at(0, e) = g.at(e, e) = 64;
    g.at(half, 0) = g.at(0, half) = g.at(e, half) = g.at(half, e) = 64;
    g.at(half, half) = 1;
    if (half >= 2) {
        const int q = half / 2;
        displace(g, 0, 0, q, 8, 0);
        displace(g, half, 0, q, 8, 0);
        displace(g, half, half, q, 8, 0);
        displace(g, 0, half, q, 8, 0);
    }
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int wx = cx - half + x, wy = cy - half + y;
            if (!in_world_grid(wx, wy) || is_sea(T(wx, wy))) continue;
            const int h = g.at(x, y);
            if (h == 0) continue;
            if (h <= 3) T(wx, wy) = 182;
            else if (h <= 11) T(wx, wy) = 247;
            else if (h <= 13) T(wx, wy) = 183;
        }
    }
}

struct RiverWalk {
    double x, y;
    int heading;
    int base;
    int length;
    int wander;
    int branches;
    int rapids;
    int lake;
    int depth;
};

// Walks one river (and its branches); returns where it ended.
Pt walk_river(RiverWalk rw) {
    double fx = rw.x, fy = rw.y;
    double heading = rw.heading;
    int reference = rw.heading;
    int since_branch = 0;
    const int quarter = std::max(1, rw.length / 4);
    int ix = int(std::lround(fx)), iy = int(std::lround(fy));
    for (int step = 0; step < rw.length; ++step) {
        const double rad = heading * 3.14159265358979 / 180.0;
        fx += std::sin(rad);
        fy += std::cos(rad);
        const int nx = int(std::lround(fx)), ny = int(std::lround(fy));
        if (!in_world_grid(nx, ny)) break;
        const bool diagonal = nx != ix && ny != iy;
        mark_river_cell(nx, ny, rw.rapids, !diagonal, 176);
        if (diagonal) mark_river_cell(nx, iy, rw.rapids, false, 178);
        ix = nx;
        iy = ny;

        int g = rw.wander / 2;
        if (step >= 15) g = rw.wander;
        if (step > rw.length / 2) g = rw.wander + 5;
        heading += draw15() % (2 * g + 1) - g;
        if (step >= 5) {
            heading = std::clamp(heading, double(rw.base - rw.wander), double(rw.base + rw.wander));
        }

        ++since_branch;
        const int remaining = rw.length - step - 1;
        if (since_branch >= quarter && rw.depth < std::min(rw.branches, 4) && remaining > 15) {
            since_branch = 0;
            const int turn = 15 + rb(16);
            const int sign = chance(51) ? -1 : 1;
            RiverWalk branch = rw;
            branch.x = ix;
            branch.y = iy;
            branch.depth = rw.depth + 1;
            branch.length = 22 + rb(remaining + 63);
            branch.heading = reference + sign * turn;
            reference -= sign * turn;
            walk_river(branch);
        }
    }
    if (rw.lake > 7) {
        const int side = rw.depth <= 1 ? 2 * rw.lake + 1 : rw.lake + 1;
        if (side > 4) river_lake(ix, iy, side);
    }
    return {ix, iy};
}

void rivers_pass() {
    for (int i = 0; i < WORLD_RIVERS; ++i) {
        const RiverSpec& r = river_table[i];
        WorldRiver& out = world_facts.rivers[i];
        out = WorldRiver{};
        bool found = false;
        int sx = 0, sy = 0;
        for (int co = 0; co < r.box_w && !found; ++co) {
            for (int ro = 1; ro < r.box_h && !found; ++ro) {
                const int xs[2] = {r.col + co, r.col - co};
                const int ys[2] = {r.row + ro, r.row - ro};
                for (int a = 0; a < 2 && !found; ++a) {
                    for (int b = 0; b < 2 && !found; ++b) {
                        if (in_world_grid(xs[a], ys[b]) && is_sea(T(xs[a], ys[b]))) {
                            found = true;
                            sx = xs[a];
                            sy = ys[b];
                        }
                    }
                }
            }
        }
        if (found) {
            river_cells_marked = 0;
            out.drawn = 1;
            out.source_x = sx;
            out.source_y = sy;
            RiverWalk rw{double(sx), double(sy), r.heading, r.heading, r.length, r.wander,
                         r.branches, r.rapids, r.lake, 0};
            Pt end = walk_river(rw);
            for (int k = 0; k < r.continuations; ++k) {
                rw.x = end.x;
                rw.y = end.y;
                rw.heading = r.heading;
                end = walk_river(rw);
            }
            out.end_x = end.x;
            out.end_y = end.y;
            out.cells = river_cells_marked;
            if (r.rapids == 10) {
                world_facts.river_end_found = 1;
                world_facts.river_end_x = end.x;
                world_facts.river_end_y = end.y;
            }
        }
        world_progress("");
    }
}

// ------------------------------------------------------------ cultures

void put_fit(int x, int y, int code) {
    if (in_world_grid(x, y) && fit_site_code(T(x, y))) T(x, y) = uint8_t(code);
}

void count_site(int culture, int x, int y) {
    if (culture >= 0 && culture < 14) ++world_facts.sites[culture];
    (void)x;
    (void)y;
}

// The centre of a site: only on a fit cell.
bool put_site(int x, int y, int code, int culture) {
    if (!in_world_grid(x, y) || !fit_site_code(T(x, y))) return false;
    T(x, y) = uint8_t(code);
    count_site(culture, x, y);
    return true;
}

void surroundings(int x, int y) {
    static constexpr int pick[12] = {250, 250, 47, 237, 251, 251, 251, 0, 0, 0, 0, 0};
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (!dx && !dy) continue;
            const int code = pick[draw15() % 12];
            if (code) put_fit(x + dx, y + dy, code);
        }
    }
}

void village_patch(int x, int y, int culture) {
    if (!put_site(x, y, chance(35) ? 211 : 239, culture)) return;
    static constexpr int pick[16] = {251, 251, 250, 250, 47, 47, 237, 237, 16, 16, 16, 16, 0, 0, 0, 0};
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            if (!dx && !dy) continue;
            const int code = pick[draw15() % 16];
            if (code) put_fit(x + dx, y + dy, code);
        }
    }
}

void small_patch(int x, int y, int culture) {
    if (!put_site(x, y, chance(21) ? 211 : 239, culture)) return;
    static constexpr int pick[10] = {251, 251, 250, 47, 237, 93, 16, 0, 0, 0};
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (!dx && !dy) continue;
            const int code = pick[draw15() % 10];
            if (code) put_fit(x + dx, y + dy, code);
        }
    }
}

void site_with_surroundings(int x, int y, int code, int culture) {
    if (put_site(x, y, code, culture)) surroundings(x, y);
}

int off(int lo, int hi) {
    const int v = lo + rb(hi - lo + 1);
    return chance(50) ? -v : v;
}

void make_site(int culture, int x, int y) {
    switch (culture) {
    case 0:
    case 13:
        village_patch(x, y, culture);
        break;
    case 1:
        site_with_surroundings(x, y, chance(41) ? 239 : 210, culture);
        for (int k = 0; k < 3; ++k) site_with_surroundings(x + off(7, 18), y + off(7, 18), 239, culture);
        break;
    case 2:
        village_patch(x, y, culture);
        if (draw15() % 10 < 6) village_patch(x + 5 + rb(5), y - 3 + rb(9), culture);
        if (draw15() % 10 < 2) village_patch(x - 5 - rb(5), y - 3 + rb(9), culture);
        break;
    case 3:
        site_with_surroundings(x, y, 239, culture);
        for (int k = 0; k < 3; ++k) {
            const int sx = x + off(7, 22), sy = y + off(7, 22);
            if (draw15() % 12 < 9) village_patch(sx, sy, culture);
            else site_with_surroundings(sx, sy, chance(21) ? 211 : 239, culture);
        }
        break;
    case 4:
        site_with_surroundings(x, y, 239, culture);
        surroundings(x - 1 + rb(7), y - 1 + rb(7));
        for (int k = 0; k < 2; ++k) {
            site_with_surroundings(x + off(7, 18), y + off(7, 18), chance(26) ? 211 : 239, culture);
        }
        break;
    case 5:
        small_patch(x, y, culture);
        break;
    case 6:
        if (draw15() % 10 < 4) put_site(x, y, 239, culture);
        else village_patch(x, y, culture);
        surroundings(x, y);
        if (draw15() % 10 < 6) village_patch(x + off(3, 8), y + off(3, 8), culture);
        for (int k = 0; k < 2; ++k) {
            const int sx = x + off(11, 22), sy = y + off(11, 22);
            if (draw15() % 10 < 6) village_patch(sx, sy, culture);
            else site_with_surroundings(sx, sy, 239, culture);
        }
        break;
    case 11:
        site_with_surroundings(x, y, chance(91) ? 239 : 210, culture);
        break;
    default:
        put_site(x, y, 239, culture);
        break;
    }
}

int mean_draw(int centre, int radius, int limit) {
    const int a = centre - radius + rb(2 * radius + 1);
    const int b = centre - radius + rb(2 * radius + 1);
    return std::clamp((a + b) / 2, 0, limit - 1);
}

}  // namespace

int place_culture(int row, int col, int radius, int count, int culture) {
    int misses = 0;
    int placed = 0;
    while (placed < count) {
        const int y = mean_draw(row, radius, H);
        const int x = mean_draw(col, radius, W);
        if (!fit_site_code(T(x, y))) {
            if (++misses >= 256) return placed;
            continue;
        }
        misses = 0;
        const int bx = x / 32, by = y / 32;
        for (int j = by - 1; j <= by + 1; ++j) {
            for (int i = bx - 1; i <= bx + 1; ++i) {
                if (i >= 0 && j >= 0 && i < CULTURE_COLS && j < CULTURE_ROWS) {
                    culture_grid[j * CULTURE_COLS + i] = uint8_t(culture);
                }
            }
        }
        make_site(culture, x, y);
        ++placed;
    }
    return placed;
}

namespace {

bool road_blocked(int c) {
    return c == 60 || c == 94 || c == 177 || c == 178 || (c >= 180 && c <= 183) || c == 233 || c == 247;
}

bool road_near(int x, int y) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if ((dx || dy) && tget(x + dx, y + dy) == 46) return true;
        }
    }
    return false;
}

void road_line(int x0, int y0, int x1, int y1) {
    std::vector<Pt> cells;
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy, x = x0, y = y0;
    for (;;) {
        cells.push_back({x, y});
        if (x == x1 && y == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x += sx; }
        if (e2 <= dx) { err += dx; y += sy; }
    }
    for (const Pt& p : cells) {
        if (road_blocked(tget(p.x, p.y))) return;
    }
    // Cells beside an older road are left out, so that roads meet rather
    // than run side by side; the line's own cells don't count.
    std::vector<char> skip(cells.size());
    for (size_t i = 0; i < cells.size(); ++i) skip[i] = road_near(cells[i].x, cells[i].y);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (!skip[i]) put_fit(cells[i].x, cells[i].y, 46);
    }
}

void roads(int culture, int row, int col, int n) {
    for (int y = std::max(row, 0); y < std::min(row + n, H); ++y) {
        for (int x = std::max(col, 0); x < std::min(col + n, W); ++x) {
            if (T(x, y) != 239 || world_culture_at(x, y) != culture) continue;
            bool joined = false;
            for (int ox = 1; ox <= 31 && !joined; ++ox) {
                for (int oy = -24; oy <= 24 && !joined; ++oy) {
                    const int tx = x + ox, ty = y + oy;
                    if (tget(tx, ty) == 239 && world_culture_at(tx, ty) == culture) {
                        road_line(x, y, tx, ty);
                        joined = true;
                    }
                }
            }
        }
    }
}

void cultures_pass() {
    const int P = world_facts.coast_row_p, Q = world_facts.coast_col_q;
    place_culture(1344, 1344, 600, 32, 13);
    place_culture(220, 320, 256, 32, 9);
    if (world_facts.river_end_found) {
        place_culture(world_facts.river_end_y, world_facts.river_end_x, 128, 40, 7);
    } else {
        place_culture(440, 1160, 128, 30, 7);
    }
    place_culture(512, 1600, 256, 30, 8);
    place_culture(600, 2000, 256, 10, 8);
    world_progress("BARONLY");
    place_culture(1024, 1988, 140, 24, 0);
    place_culture(1144, 1628, 200, 12, 2);
    place_culture(1684, 1920, 320, 11, 3);
    roads(3, 1364, 1600, 640);
    world_progress("BARONLY");
    place_culture(896, 512, 280, 14, 4);
    roads(4, 616, 232, 560);
    place_culture(P - 300, Q + 360, 220, 8, 6);
    roads(6, P - 440, Q + 160, 320);
    world_progress("BARONLY");
    place_culture(P + 100, Q - 220, 160, 14, 5);
    place_culture(1824, 560, 120, 8, 5);
    place_culture(1824, 320, 200, 6, 5);
    place_culture(P, Q, 180, 9, 1);
    roads(1, P - 180, Q - 180, 360);
    place_culture(1536, 2560, 256, 32, 11);
    roads(11, 1280, 2304, 512);
    world_progress("BARONLY");
}

// ------------------------------------------------------------ finishing

void finalize_pass() {
    for (int x = 1; x <= 3069; ++x) {
        if (x % 384 == 0) world_progress("BARONLY");
        for (int y = 1; y <= 2045; ++y) {
            uint8_t& cell = T(x, y);
            const int c = cell;
            if (c == 3 || c == 15 || c == 235 || c == 238) {
                const int n = y >= 1537 ? 2400 : y >= 1025 ? 16000 : y >= 513 ? 128000 : 262144;
                if (draw15() % 262144 == 499) cell = 250;
                else if (draw15() % 16000 == 499) cell = 237;
                else if (draw15() % 16000 == 499) cell = 228;
                else if (draw15() % 12000 == 499) cell = 93;
                else if (draw15() % 8000 == 399) cell = 16;
                else if (draw15() % n == 4) cell = 250;
                else if (draw15() % n == 4) cell = 16;
                else if (draw15() % n <= 1) cell = 16;
                else if (draw15() % 500 == 199) {
                    bool sea = false;
                    for (int dy = -1; dy <= 1 && !sea; ++dy) {
                        for (int dx = -1; dx <= 1; ++dx) {
                            if (is_sea(T(x + dx, y + dy))) sea = true;
                        }
                    }
                    if (!sea) cell = 247;
                }
            } else if (c == 94) {
                if (draw15() % 100 == 4) cell = 60;
            } else if (c == 177 || c == 178) {
                if (lake_cells_touching(x, y) >= 4) cell = 247;
            }
        }
    }
}

}  // namespace

bool fit_site_code(int code) {
    switch (code) {
    case 60: case 91: case 93: case 94: case 177: case 178:
    case 180: case 181: case 182: case 183: case 233: case 239: case 247:
        return false;
    default:
        return true;
    }
}

void free_height_grid() {
    std::free(height_grid);
    height_grid = nullptr;
}

void world_progress(const char* text) {
    const bool bar_only = text && std::strcmp(text, "BARONLY") == 0;
    world_progress_percent =
        std::min(100, (world_progress_step * 100 + WORLD_PROGRESS_STEPS - 1) / WORLD_PROGRESS_STEPS);
    if (!bar_only && text && text[0]) copy_text(world_progress_text, text);
    if (canvas) {
        if (!bar_only && !(text && std::strstr(text, "Saving")) && height_grid) {
            draw_world_picture(world_view.origin_y, world_view.origin_x, world_view.zoom, 16);
        }
        fill_canvas_rect(0, 516, CANVAS_W, 20, map_rgb(0, 0, 0));
        draw_text_at(0, 520, world_progress_text, colour_white(), 0);
        draw_percent_bar(230, 518, 540, world_progress_percent);
        present_screen();
    }
    ++world_progress_step;
}

bool generate_world() {
    if (!height_grid) height_grid = static_cast<uint8_t*>(std::malloc(size_t(W) * H));
    if (!height_grid) return true;
    world_progress_step = 0;
    world_facts = WorldGenFacts{};
    std::memset(terrain_layer, 0, MAP_CELLS);
    clear_heights();
    std::memset(culture_grid, 10, CULTURE_CELLS);
    if (canvas) {
        draw_picture("bg-heritage.jpg", 0, 0, CANVAS_W, CANVAS_H);
        draw_window(8, 4, 784, 590, "RANDOM WORLD GENERATION", 0);
    }
    world_progress("Initializing ... ");
    world_progress("Generating coastline ...");
    coastline_pass();
    world_progress("Generating mountains ...");
    mountains_pass();
    world_progress("Generating lakes ... ");
    lakes_pass();
    world_progress("Generating forests ... ");
    forests_pass();
    world_progress("Generating rivers ... ");
    rivers_pass();
    world_progress("Generating cultures ... ");
    cultures_pass();
    world_progress("Finalizing map ... ");
    finalize_pass();
    world_progress("");
    // The world map of the game is the new world.
    std::memcpy(stored_world_terrain, terrain_layer, MAP_CELLS);
    return false;
}

bool save_generated_world() {
    if (!character_name[0]) return false;
    if (canvas) {
        // "Saving" over the world picture framed in white.
        const uint32_t white = colour_white();
        draw_line(15, 23, 784, 23, white);
        draw_line(15, 536, 784, 536, white);
        draw_line(15, 23, 15, 536, white);
        draw_line(784, 23, 784, 536, white);
    }
    world_progress("Saving ... ");
    const std::string world = character_file("WORLD.DAT");
    make_folder(folder_of(world));
    for (int y = 0; y < MAP_ROWS; ++y) {
        terrain_layer[map_index(WORLD_W, y)] = 0;
        if (y % 32 == 31) world_progress("BARONLY");
    }
    std::memset(&terrain_layer[map_index(0, WORLD_H)], 0, MAP_STRIDE);
    begin_save_commit();
    write_character_file("WORLD.DAT", terrain_layer, MAP_CELLS);
    write_character_file("WORLD.BAK", terrain_layer, MAP_CELLS);
    save_culture_grid();
    bool ok = end_save_commit();
    ok = generate_region_names() && ok;
    world_progress_step = WORLD_PROGRESS_STEPS + 1;
    return ok;
}

WorldColour world_map_rgb(int code) {
    switch (code) {
    case 3: return {0, 60, 0};
    case 15: return {0, 40, 0};
    case 16: return {60, 60, 60};
    case 46: return {8, 8, 8};
    case 47: return {60, 60, 32};
    case 60: return {16, 16, 16};
    case 91: return {50, 50, 50};
    case 93: return {32, 32, 32};
    case 94: return {60, 60, 60};
    case 176: return {45, 45, 60};
    case 177: return {55, 55, 60};
    case 178: return {30, 30, 60};
    case 180: return {2, 5, 50};
    case 181: return {2, 10, 60};
    case 182: return {2, 2, 54};
    case 183: return {2, 2, 62};
    case 210: return {63, 0, 63};
    case 211: return {63, 0, 32};
    case 228: return {0, 32, 0};
    case 233: return {0, 10, 0};
    case 235: return {0, 32, 0};
    case 236: return {0, 20, 0};
    case 237: return {32, 0, 0};
    case 238: return {0, 50, 0};
    case 239: return {63, 0, 0};
    case 247: return {2, 2, 60};
    case 250: return {0, 0, 50};
    case 251: return {63, 63, 32};
    default: return {0, 0, 0};
    }
}

uint32_t world_map_colour(int code, bool sites_only) {
    if (sites_only && code != 47 && code != 210 && code != 211 && code != 239 && code != 250 &&
        code != 251) {
        return map_vga_colour(0, 0, 0);
    }
    const WorldColour c = world_map_rgb(code);
    return map_vga_colour(c.r, c.g, c.b);
}
