#include "work/missile_tracer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/files.h"
#include "base/platform.h"
#include "body/body_queries.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"

MissileTrace missile_trace;

namespace {

constexpr float CELL_METRES = 2.0f;
constexpr float GRAVITY = 9.81f;

float unit_draw() { return float(ksm_rand()) / float(KSM_RAND_MAX + 1.0); }

}  // namespace

float obstacle_height_at(int x, int y) {
    if (!in_world_grid(x, y)) return 0.0f;
    float h = float(height_at(x, y));
    if (terrain_flags_of(terrain_at(x, y)) & TF_WATER) h = std::max(h, 7.0f);
    return h;
}

void trace_missile_flight(int x0, int y0, int x1, int y1, float e, float launch_height, float aim_height,
                          float v, float d) {
    MissileTrace& t = missile_trace;
    t = MissileTrace{};
    t.end_x = x0;
    t.end_y = y0;
    if (v <= 0.0f) v = 1.0f;
    // 1. The plan.
    const float D = CELL_METRES * float(std::max(std::abs(x1 - x0), std::abs(y1 - y0)));
    t.planned_length = int(D);
    // 2-3. The elevation that carries the missile to the aim height.
    const float time = D / v;
    const float drop = std::min(4.905f * time * time, D);
    float a = drop - (launch_height - aim_height);
    if (D >= 6.0f && obstacle_height_at(x0, y0) > obstacle_height_at(x1, y1)) a += 0.5f;
    const float elevation = std::atan2(a, std::max(D, 0.001f)) + unit_draw() * e / 2.0f;
    float w = -std::sin(elevation) * v;
    float u = std::cos(elevation) * v;
    if (u < 0.01f) u = 0.01f;
    float s = CELL_METRES / u;
    // 4. The heading, spread.
    const float base = std::atan2(float(y1 - y0), float(x1 - x0));
    float heading = base - e + unit_draw() * 2.0f * e;
    if (e >= 0.2625f) {
        if (random_below(2) == 0) heading = base + e - unit_draw() * 0.75f * e;
        else heading = base - e + unit_draw() * 0.75f * e;
    }
    // 5. One unit a step along the major axis.
    const float cx = std::cos(heading), sy = std::sin(heading);
    const bool x_major = std::fabs(cx) >= std::fabs(sy);
    const float step_x = x_major ? (cx >= 0 ? 1.0f : -1.0f) : cx / std::fabs(sy);
    const float step_y = x_major ? sy / std::fabs(cx) : (sy >= 0 ? 1.0f : -1.0f);
    float px = float(x0) + 0.5f, py = float(y0) + 0.5f;
    float height = launch_height;
    for (int i = 1; i < 4096; ++i) {
        // 6. The square under the point.
        px += step_x;
        py += step_y;
        const int x = int(std::floor(px)), y = int(std::floor(py));
        if (x < 1 || y < 1 || x > 1024 || y > 1024) break;
        t.end_x = x;
        t.end_y = y;
        t.flown_length = int(CELL_METRES * float(std::max(std::abs(x - x0), std::abs(y - y0))));
        // 7. How near the middle of the square it passes.
        const float minor = x_major ? py : px;
        const float frac = minor - std::floor(minor);
        const int q = int(std::floor(101.0f - std::fabs(frac - 0.5f) * 2.0f * 100.0f));
        if (missile_hit_check(x, y, std::min(q, 100)) > 0) {
            t.hit = 1;
            break;
        }
        // 8. An obstacle that stops missiles.
        if (missile_obstacle_check(x, y, std::min(q, 100), x1, y1) && !(i == 1 && (x != x1 || y != y1))) {
            t.blocked = 1;
            break;
        }
        // 9. Gravity and drag.
        w += s * GRAVITY;
        height -= s * w;
        u -= u * d / 1000.0f;
        if (u < 0.01f) u = 0.01f;
        s = CELL_METRES / u;
        const int ax = int(std::floor(px + step_x)), ay = int(std::floor(py + step_y));
        if (height < obstacle_height_at(ax, ay)) break;
    }
    t.impact_speed = std::sqrt(u * u + w * w);
    // 10. Short of the plan.
    if (!t.hit && t.flown_length < t.planned_length) {
        const int short_by = t.planned_length - t.flown_length;
        if (!t.blocked && short_by > 4) t.fell_short = 1;
        if (obstacle_height_at(t.end_x, t.end_y) != obstacle_height_at(x0, y0) &&
            !(terrain_flags_of(terrain_at(t.end_x, t.end_y)) & TF_WATER) && short_by > 3 && short_by <= 4) {
            t.came_down_near = 1;
            t.fell_short = 0;
        }
    }
}
