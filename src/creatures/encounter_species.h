// Species-level answers: which animal kind an encounter brings, the sound
// of a bird's call, and the trade figures of a species by its name (the
// price of its pelt, whether its hide makes fur, the worth of its meat).
#pragma once

struct CreatureRecord;

// Encounter modes: predators only, animals only (no people), birds only;
// any other mode lets every kind in.
constexpr int ENCOUNTER_PREDATORS = 1;
constexpr int ENCOUNTER_ANIMALS = 2;
constexpr int ENCOUNTER_BIRDS = 3;

// The kind code an encounter at the position (of the current map) brings,
// weighted by the region column (1-3; anything else is 1) and by the area
// records of the player's world cell; 0 when no kind fits. Never the same
// kind twice in a row while another could come. Leaves the chosen kind's
// template in CreScratch (the last candidate tested, when none fits).
int choose_encounter_species(int column, int x, int y, int mode);
// The kind chosen last (0 before the first choice of a game).
int last_encounter_species();
// Forgets the last choice (the per-game reset).
void reset_encounter_species();
// The encounter table: its row count, and a row's kind and weight in a
// column (1-3).
int encounter_row_count();
int encounter_row_kind(int row);
int encounter_row_weight(int row, int column);

// "birdcall_" and the lower-cased name with its blanks as "_" (ring text).
const char* bird_call_sound(const CreatureRecord& c);
// The price value of a pelt of the named animal (object price units).
float pelt_price(const char* name);
// 1 when the hide of the named animal makes fur rather than leather.
int is_fur_bearer(const char* name);
// The worth of the creature's meat: its meat cut's price per unit times its
// weight, rounded up, three times over (a dog's three times again).
float cre_meat_value(CreatureRecord c);
