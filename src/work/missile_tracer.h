// The flight of a missile over the ground: from the shooter's square toward
// a target square under gravity and drag, with a random spread, square by
// square over the heights of the ground and what stands on it. At each
// square the combat code is asked whether a creature there is hit and
// whether the terrain stops the missile.
#pragma once

// The height of a cell in metres: the height layer on a local map, the
// world terrain's height on the world map; water at least 7; 0 outside.
float obstacle_height_at(int x, int y);

// What the last flight did.
struct MissileTrace {
    int planned_length;  // whole metres to the target
    int flown_length;    // metres travelled
    int end_x, end_y;    // the square reached
    int blocked;         // an obstacle stopped it
    int hit;             // a creature was hit
    int fell_short;      // more than 4 metres short
    int came_down_near;  // 3 to 4 metres short
    float impact_speed;  // metres per second where it ended
};
extern MissileTrace missile_trace;

// Flies from (x0, y0) toward (x1, y1): spread in radians, launch and aim
// heights in metres, launch speed in metres per second, drag in per mille
// of the horizontal speed lost per step.
void trace_missile_flight(int x0, int y0, int x1, int y1, float spread, float launch_height, float aim_height,
                          float speed, float drag);
