// Digging pits with a shovel and filling them up again.
#pragma once

// The ground by the mean day temperature of the last two weeks.
constexpr int GROUND_SOFT = 0, GROUND_FROSTY = 1, GROUND_FROZEN = 2;
int ground_frost_class(double mean_temperature);
// Minutes a pit takes: three for every point of strength below 48 (at
// least ten), slower with a wooden shovel than with an iron one (kind 310),
// half as long again on frosty ground.
int dig_work_minutes(int strength, int shovel_kind, int frost_class);
// Applying the shovel (object id): digs a pit on a square the player picks,
// or fills up the pit there; 1 when a pit was dug. A dig broken off after
// it could be resumed keeps its work at the square for the next time.
int applyShovel(int shovel_id);
