// The player's steps on the world map and on local maps: on foot, running,
// crawling, skiing, wading, swimming and in a watercraft, with what each
// step costs in time and effort, the sound and the noise it makes, and
// what it carries along. The movement state below lives for the whole
// game; the travel mode, exertion class, posture and last-action bits are
// fields of the character record.
#pragma once

#include <cstdint>

#include "game/player.h"

// Travel modes (the record's travel_mode; 0 counts as walking).
constexpr uint8_t TRAVEL_WALKING = 1;
constexpr uint8_t TRAVEL_SWIMMING = 2;
constexpr uint8_t TRAVEL_ROWING = 3;
constexpr uint8_t TRAVEL_WADING = 4;
constexpr uint8_t TRAVEL_SKIING = 7;
constexpr uint8_t TRAVEL_HAULING = 9;

// Bits of the record's LastActionBit and of step_flags.
constexpr uint8_t LAST_ACTION_STEP = 0x02;
constexpr uint8_t LAST_ACTION_UNSEEN_STEP = 0x10;
constexpr uint32_t STEP_FLAG_UNSEEN = 0x02;

// The player's cell before the current step.
extern int32_t previous_x;
extern int32_t previous_y;
// 0 refused by an obstacle, 1 blocked in place (ice, a creature), 2 a step
// was taken.
extern uint8_t last_step_result;
// The direction the player last moved in, 0-7 counter-clockwise from east.
extern uint8_t last_step_direction;
// The facing of the last step: the facing, or its opposite for a step back.
extern int32_t step_facing;
// STEP_FLAG_UNSEEN for a step back or into a cell out of view; cleared at
// the start of every step with a direction.
extern uint32_t step_flags;
// Distance walked: +0.1 per world-map step, +0.002 per local-map step.
extern float walk_distance;
// The player sits in a watercraft this step; how it is driven (1 a sesta
// alone, 2 a paddle, 0 none); the craft's Data index, -1 none.
extern uint8_t on_watercraft;
extern uint8_t paddle_state;
extern int32_t watercraft_record;
// Steps swum in a row (read by the swimming roll; stops at 255).
extern uint8_t swim_steps;
// The noise of the player's last step: 0 silent, 1 normal, 2 loud. The
// loudest noise of the turn is the record's noise mark (cleared before
// every command), made at noise_x, noise_y.
extern uint8_t plr_noise;
inline uint8_t& noise_level = Plr.noise_mark;
extern int32_t noise_x;
extern int32_t noise_y;
// Set by the hiding command: the first sneaking step rolls as a fresh try.
extern uint8_t hiding_just_started;

// The per-game reset of the movement state above.
void reset_movement_state();

// One step: 1 forward, -1 backward along the facing, 0 the player's own
// cell looked at again, 100-107 a step toward north, north-east ... north-
// west without turning. 1 the step was taken (or a climb succeeded), 0
// refused with nothing spent, -1 refused after a question or a failure, or
// the water step's own refusal. Any other direction is no step (0).
int MovePlayer(int direction);
// The target cell of a direction from (x, y) with the facing (0 east,
// counter-clockwise); 0 for a direction that is no step to another cell.
int step_target(int direction, int x, int y, int heading, int* tx, int* ty);
// The step time factor of the target's terrain in thousandths: 249 720,
// 15 1200, 91, 94 and 236 3600, everything else 900.
int step_time_factor(int terrain_code);
// The seconds one step takes: base (100 on the world map, 2 on a local map)
// x factor, slower in water and in a watercraft (its kind code and whether
// a paddle drives it); rounded up.
int step_seconds(int base, int terrain_code, int travel_mode, int craft_kind, int paddle);

// Skis are worn and a stick wielded where the snow carries them: skiing.
void plr_update_ski_mode();
// The noise of a sneaking step (the STEALTH roll, with the cover around).
uint8_t plr_sneak_noise();
// Trees, impassable ground and young growth in the 3 x 3 cells around the
// player.
uint8_t plr_cover_count();
// The player's answer by an AUTO_ key of the configuration: "ASK" asks the
// question, "YES" answers yes, anything else no without a word. And whether
// the key refuses outright (neither "ASK" nor "YES").
bool automatic_answer(const char* key, const char* question);
bool automatic_refusal(const char* key);
// Sets bit number `bit` of the last-action byte of a creature or of the
// player (-1).
void cre_set_combat_flag(int creature, int bit);
// "Walking", "Swimming", "Rowing", "Wading", "Skiing", "Hauling", else
// "Not walking"; "laying down" when prone and neither wading nor swimming
// (ring text).
const char* movement_mode_text();

// The commands around the way the player moves (walking and running,
// hiding, doors, the movement menu) and the step into water.
#include "creatures/movement_modes.h"
#include "creatures/water_steps.h"
