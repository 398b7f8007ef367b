// Making creatures from their kind: the template routine, the culture of
// the place, the weight roll and the species table with its family makers.
#include "creatures/creature_species.h"

#include <cmath>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/people_makers.h"
#include "maps/map_layers.h"
#include "maps/world_files.h"

char creation_options[CREATION_OPTIONS_BYTES];
uint8_t keep_creation_options = 0;
char creation_culture_word[64] = "wandering";
int32_t creation_culture = CULTURE_WANDERING;
uint8_t forced_culture_on = 0;
int32_t forced_culture = 0;
char culture_tags[3][CULTURE_TEXT_BYTES];

namespace {

// ------------------------------------------------------------ cultures

const char* const kCultureWords[CULTURE_CODES] = {
    "Kaumolais", "Driikil\xE4is", "Kiessel\xE4is", "Reemil\xE4is", "Sartolais", "Islander",     "Koivulais",
    "Kuikka-tribe", "Owl-tribe", "Seal-tribe",  "Vagabond",     "Rororad",   "Foreign", "Forester",
};
const char* const kCultureCodes[CULTURE_CODES] = {"kau", "dri", "kie", "ree", "sar", "isl", "koi",
                                                  "kui", "owl", "sea", "vag", "nje", "for", "woo"};

bool valid_culture(int c) { return c >= 0 && c < CULTURE_CODES; }

// The word as a whole word of the text (letters and digits around it do
// not count as a border), case-blind.
bool has_whole_word(const char* text, const char* word) {
    const size_t n = std::strlen(word);
    auto inner = [](unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0xC0; };
    for (const char* at = text; *at; ++at) {
        if (at != text && inner(static_cast<unsigned char>(at[-1]))) continue;
        size_t i = 0;
        while (i < n && at[i] && latin1_upper(static_cast<unsigned char>(at[i])) ==
                                     latin1_upper(static_cast<unsigned char>(word[i])))
            ++i;
        if (i == n && !inner(static_cast<unsigned char>(at[n]))) return true;
    }
    return false;
}

// The culture of the place where the creature is made.
void choose_culture() {
    int code;
    if (forced_culture_on) code = forced_culture;
    else if (player_x > 0) code = culture_at(player_x, player_y);
    else code = -1;
    if (!valid_culture(code)) {
        creation_culture = CULTURE_WANDERING;
        copy_text(creation_culture_word, "wandering");
        return;
    }
    creation_culture = code;
    copy_text(creation_culture_word, kCultureWords[code]);
}

bool option_set(const char* flag) { return std::strstr(creation_options, flag) != nullptr; }

// ------------------------------------------------------------ the species table

enum class Family : uint8_t { none, rodent, cattle, pig, deer, sheep, mustelid, water_bird, bear };

struct Attack {
    const char* name = nullptr;
    uint8_t impact = 0, value = 0, aspect = 0, skill = 0;
};
// A personal value: base plus a draw below `below` (0: no draw).
struct Draw {
    uint8_t base = 0, below = 0;
};

// One animal kind. Weights are kilograms; speeds are the speed base
// (species_speed) and km/h (walk, top). Attributes not listed stay as the
// defaults leave them (int and dex 0 for every animal).
struct Species {
    int kind = 0;
    const char* name = "";
    Family family = Family::none;
    uint8_t cre_class = 0;
    int32_t type_code = 0, type_code_male = 0;  // male: 0 the same
    const char* picture = "";
    const char* picture_male = nullptr;     // null: the same
    float weight = 0.0f;
    uint8_t spread = 30;
    int16_t frequency = 0;
    uint8_t season_from = 0, season_to = 0;  // 0: all year
    uint32_t terrain_mask = 0;
    uint8_t mobility = 0;
    Attack attacks[3] = {};
    uint8_t armour[7] = {};
    uint8_t str = 0, end = 0, agi = 0, smt = 0, hrg = 0;
    uint8_t predator = 0, hunts = 0;
    uint8_t rhythm = 1;  // activity: 0 night, 1 day, 2 evening, 3 dusk and dawn, 4 always
    uint8_t stature = 2, attitude = 3, disposition = 2, gait2 = 1;
    uint8_t speed = 60, dodge = 0, fatigue_rate = 0;
    float carcass_damage = 30.0f;
    const char* pain = "whimper";
    const char* call = "mumble";
    uint32_t diet1 = 0, diet2 = 0;
    Draw avoid = {}, attack = {}, morale = {}, flee = {}, aggression = {};
    uint8_t walk = 0;
    Draw top = {};
    const char* cultures[3] = {};
    bool domestic = false;
};

// Diet bits. Hunting: what a hunter takes, by its prey's weight against its
// own; forage: plant food.
constexpr uint32_t PREY_UP_TO_ONE_AND_HALF = 0x2, PREY_UP_TO_TEN = 0x4, PREY_HEAVIER = 0x8,
                   PREY_HARE = 0x10, PREY_SMALL_PREDATOR = 0x20, PREY_SMALL_GAME = 0x2000,
                   CARRION = 0x10000;
constexpr uint32_t EATS_CROPS = 0x80, EATS_GRASS = 0x100, EATS_LEAVES = 0x200, EATS_TWIGS = 0x400,
                   EATS_SEEDS = 0x800, EATS_BERRIES = 0x1000;

// The bear's and the deer's and the sheep's young weigh this share of the
// kind's average when they are made young.
constexpr float YOUNG_SHARE_BEAR = 0.15f, YOUNG_SHARE_DEER = 0.3f, YOUNG_SHARE_SHEEP = 0.3f;

// One row per animal kind, in kind order. Every value the table of kinds
// does not fix is authored here; the comment says why.
const Species kSpecies[] = {
    // A shy, fast grazer of fields and clearings, up at dusk and dawn; it
    // bolts at once and hardly ever turns on anything.
    {.kind = 600, .name = "Hare", .cre_class = 2, .type_code = 1056, .picture = "av-hare", .weight = 4.0f,
     .spread = 40, .frequency = 400, .terrain_mask = 0x44058, .attacks = {{"nip", 0, 7, 3, 50}},
     .armour = {1, 0, 1, 1, 1, 1, 1}, .str = 3, .end = 10, .agi = 18, .smt = 14, .hrg = 20, .rhythm = 3,
     .stature = 1, .disposition = 1, .speed = 150, .dodge = 80, .carcass_damage = 5.0f, .pain = "squeal",
     .call = "thump", .diet1 = EATS_GRASS, .diet2 = EATS_TWIGS, .avoid = {60, 30}, .attack = {0, 5},
     .morale = {0, 30}, .flee = {70, 30}, .aggression = {0, 10}, .walk = 5, .top = {50, 10},
     .cultures = {"", "all"}},
    // A night hunter of hares and small game that also takes carrion;
    // wary rather than bold.
    {.kind = 601, .name = "Fox", .cre_class = 18, .type_code = 1041, .picture = "av-fox", .weight = 5.5f,
     .spread = 50, .frequency = 80, .terrain_mask = 0x4041d, .attacks = {{"snap", 0, 10, 3, 60}},
     .armour = {1, 1, 1, 1, 1, 1, 1}, .str = 6, .end = 12, .agi = 16, .smt = 19, .hrg = 19, .predator = 1,
     .hunts = 1, .rhythm = 0, .stature = 1, .attitude = 2, .disposition = 1, .gait2 = 2, .speed = 120,
     .dodge = 70, .carcass_damage = 4.0f, .pain = "yelp", .call = "bark", .diet1 = PREY_HARE | PREY_SMALL_GAME,
     .diet2 = CARRION, .avoid = {70, 20}, .attack = {0, 10}, .morale = {0, 30}, .flee = {40, 40},
     .aggression = {0, 20}, .walk = 5, .top = {40, 8}, .cultures = {"", "all"}},
    // The wolverine: strong for its size, takes prey far heavier than
    // itself and every carcass it finds; stubborn in a fight.
    {.kind = 602, .name = "Glutton", .cre_class = 20, .type_code = 1043, .picture = "av-glutton",
     .weight = 15.0f, .frequency = 60, .terrain_mask = 0x40007,
     .attacks = {{"bite", 1, 13, 3, 60}, {"rip", 0, 30, 3, 70}}, .armour = {3, 2, 2, 3, 2, 3, 3}, .str = 14,
     .end = 16, .agi = 12, .smt = 20, .hrg = 16, .predator = 1, .hunts = 1, .rhythm = 0, .stature = 1,
     .attitude = 2, .disposition = 3, .gait2 = 2, .speed = 90, .dodge = 50, .carcass_damage = 2.5f,
     .pain = "snarl", .call = "growl", .diet1 = PREY_UP_TO_TEN | PREY_HARE | PREY_SMALL_GAME, .diet2 = CARRION,
     .avoid = {50, 30}, .attack = {0, 25}, .morale = {0, 60}, .flee = {0, 40}, .aggression = {20, 40},
     .walk = 5, .top = {30, 6}, .cultures = {"", "northern"}},
    // The fox of the fells, awake at any hour in the long days and nights.
    {.kind = 603, .name = "Arctic fox", .cre_class = 18, .type_code = 1042, .picture = "av-afox",
     .weight = 4.0f, .frequency = 70, .terrain_mask = 0x50d1d, .attacks = {{"snap", 0, 10, 3, 60}},
     .armour = {1, 1, 1, 1, 1, 1, 1}, .str = 5, .end = 14, .agi = 16, .smt = 19, .hrg = 19, .predator = 1,
     .hunts = 1, .rhythm = 4, .stature = 1, .attitude = 2, .disposition = 1, .gait2 = 2, .speed = 110,
     .dodge = 70, .carcass_damage = 5.0f, .pain = "yelp", .call = "bark", .diet1 = PREY_HARE | PREY_SMALL_GAME,
     .diet2 = CARRION, .avoid = {70, 20}, .attack = {0, 10}, .morale = {0, 30}, .flee = {40, 40},
     .aggression = {0, 20}, .walk = 5, .top = {35, 8}, .cultures = {"", "northern"}},
    // Quick in the trees, lives on seeds and berries and never fights.
    {.kind = 604, .name = "Squirrel", .family = Family::rodent, .cre_class = 13, .type_code = 1053,
     .picture = "av-squirrel", .weight = 0.4f, .frequency = 250, .terrain_mask = 0x40400,
     .attacks = {{"nip", 0, 8, 3, 50}}, .str = 1, .end = 6, .agi = 20, .smt = 12, .hrg = 16, .stature = 0,
     .disposition = 1, .speed = 100, .dodge = 90, .carcass_damage = 12.0f, .pain = "squeak", .call = "chatter",
     .diet1 = EATS_SEEDS, .diet2 = EATS_BERRIES, .avoid = {80, 20}, .morale = {0, 10}, .flee = {80, 20},
     .aggression = {0, 5}, .walk = 3, .top = {18, 5}, .cultures = {"", "all"}},
    // The bear of the forests, out from spring to autumn: the heaviest of
    // the wild, takes large prey, carrion, berries and seeds; its blows go
    // by sex and age (see the bear's maker).
    {.kind = 605, .name = "Bear", .family = Family::bear, .cre_class = 4, .type_code = 1049,
     .picture = "av-bear", .weight = 240.0f, .spread = 40, .frequency = 30, .season_from = 4, .season_to = 11,
     .terrain_mask = 0x40007, .attacks = {{"smack", 7, 12, 0, 70}, {"crush", 10, 30, 1, 40}, {"big_bite", 8, 30, 3, 75}},
     .armour = {5, 3, 4, 5, 4, 5, 5}, .str = 20, .end = 19, .agi = 10, .smt = 20, .hrg = 15, .predator = 1,
     .hunts = 1, .rhythm = 1, .stature = 3, .attitude = 2, .disposition = 3, .gait2 = 2, .speed = 110,
     .dodge = 30, .carcass_damage = 0.6f, .pain = "roar", .call = "growl",
     .diet1 = PREY_UP_TO_ONE_AND_HALF | PREY_UP_TO_TEN, .diet2 = CARRION | EATS_BERRIES | EATS_SEEDS,
     .avoid = {40, 40}, .attack = {0, 30}, .morale = {20, 60}, .flee = {0, 40}, .aggression = {10, 40},
     .walk = 4, .top = {40, 8}, .cultures = {"", "all"}},
    // A stalker of dusk and dawn: hares, calves and small game, and the
    // smaller hunters too; keeps away from people.
    {.kind = 608, .name = "Lynx", .cre_class = 12, .type_code = 1040, .picture = "av-lynx", .weight = 20.0f,
     .frequency = 80, .terrain_mask = 0x40418, .attacks = {{"bite", 6, 17, 3, 65}, {"claw", 5, 16, 3, 70}},
     .armour = {2, 1, 2, 2, 2, 2, 2}, .str = 12, .end = 12, .agi = 18, .smt = 16, .hrg = 20, .predator = 1,
     .hunts = 1, .rhythm = 3, .stature = 1, .attitude = 2, .disposition = 1, .gait2 = 2, .speed = 120,
     .dodge = 70, .carcass_damage = 2.0f, .pain = "hiss", .call = "yowl",
     .diet1 = PREY_UP_TO_ONE_AND_HALF | PREY_HARE, .diet2 = PREY_SMALL_GAME | PREY_SMALL_PREDATOR,
     .avoid = {80, 20}, .attack = {0, 10}, .morale = {0, 40}, .flee = {0, 50}, .aggression = {5, 20},
     .walk = 5, .top = {45, 10}, .cultures = {"", "all"}},
    // Cattle graze and never hunt; heavy and slow, tame (see the cattle
    // maker for the sex, the name and the picture).
    {.kind = 609, .name = "bull", .family = Family::cattle, .cre_class = 8, .type_code = 1029,
     .type_code_male = 1031, .picture = "av-cow", .picture_male = "av-bull", .weight = 300.0f,
     .attacks = {{"ram", 5, 12, 0, 40}, {"hoof_kick", 7, 17, 0, 35}}, .armour = {3, 3, 3, 3, 3, 3, 3},
     .str = 20, .end = 16, .agi = 6, .smt = 14, .hrg = 14, .stature = 3, .speed = 50, .dodge = 10,
     .carcass_damage = 0.5f, .pain = "bellow", .call = "moo", .diet1 = EATS_GRASS, .diet2 = EATS_LEAVES,
     .walk = 4, .top = {20, 5}, .domestic = true},
    // The bull among the cattle, made as a male (the map entry turns it
    // into cattle of kind 609).
    {.kind = 610, .name = "bull", .family = Family::cattle, .cre_class = 8, .type_code = 1029,
     .type_code_male = 1031, .picture = "av-cow", .picture_male = "av-bull", .weight = 300.0f,
     .attacks = {{"ram", 5, 12, 0, 40}, {"hoof_kick", 7, 17, 0, 35}}, .armour = {3, 3, 3, 3, 3, 3, 3},
     .str = 20, .end = 16, .agi = 6, .smt = 14, .hrg = 14, .stature = 3, .speed = 50, .dodge = 10,
     .carcass_damage = 0.5f, .pain = "bellow", .call = "moo", .diet1 = EATS_GRASS, .diet2 = EATS_LEAVES,
     .walk = 4, .top = {20, 5}, .domestic = true},
    // The wolf, exactly as the game has always made it.
    {.kind = 611, .name = "Wolf", .cre_class = 3, .type_code = 1035, .picture = "av-wolf", .weight = 40.0f,
     .frequency = 45, .terrain_mask = 0x40c07, .attacks = {{"savage", 7, 20, 3, 80}},
     .armour = {3, 1, 2, 3, 2, 3, 3}, .str = 14, .end = 13, .agi = 14, .smt = 20, .hrg = 19, .predator = 1,
     .hunts = 1, .rhythm = 0, .stature = 0, .attitude = 2, .disposition = 3, .gait2 = 3, .speed = 140,
     .dodge = 70, .fatigue_rate = 1, .carcass_damage = 1.8f, .pain = "growl", .call = "howl", .diet1 = 0xc,
     .diet2 = 0x10022, .avoid = {90, 10}, .attack = {0, 15}, .morale = {0, 50}, .flee = {0, 50},
     .aggression = {5, 30}, .walk = 6, .top = {35, 6}, .cultures = {"nje", "northern eastern"}},
    // The small hunters of the weasel family are up at any hour, take
    // voles and birds and are gone at the first sight of a man.
    {.kind = 612, .name = "Ermine", .family = Family::mustelid, .cre_class = 23, .type_code = 1044,
     .picture = "av-srodent", .weight = 0.3f, .frequency = 60, .terrain_mask = 0x1c258,
     .attacks = {{"nip", 0, 8, 3, 50}}, .str = 2, .end = 8, .agi = 20, .smt = 18, .hrg = 18, .predator = 1,
     .hunts = 1, .rhythm = 4, .stature = 0, .attitude = 2, .disposition = 1, .speed = 110, .dodge = 90,
     .carcass_damage = 12.0f, .pain = "squeak", .call = "chirr", .diet1 = PREY_SMALL_GAME,
     .avoid = {70, 30}, .attack = {0, 10}, .morale = {0, 30}, .flee = {50, 40}, .aggression = {10, 30},
     .walk = 4, .top = {15, 5}, .cultures = {"", "northern"}},
    // The wild swine root at dusk and dawn; a boar charges what corners it.
    {.kind = 613, .name = "Wild boar", .family = Family::pig, .cre_class = 5, .type_code = 1038,
     .picture = "av-pig", .weight = 150.0f, .spread = 40, .attacks = {{"charge", 5, 12, 4, 50}},
     .armour = {4, 3, 3, 4, 3, 4, 4}, .str = 18, .end = 16, .agi = 10, .smt = 18, .hrg = 14, .rhythm = 3,
     .attitude = 2, .disposition = 3, .speed = 90, .dodge = 30, .carcass_damage = 0.8f, .pain = "squeal",
     .call = "grunt", .diet1 = EATS_CROPS | EATS_TWIGS, .diet2 = EATS_BERRIES, .avoid = {50, 40},
     .attack = {0, 20}, .morale = {20, 40}, .flee = {0, 50}, .aggression = {10, 40}, .walk = 4,
     .top = {35, 5}, .cultures = {"", "all"}},
    {.kind = 614, .name = "Wild sow", .family = Family::pig, .cre_class = 5, .type_code = 1039,
     .picture = "av-pig", .weight = 120.0f, .attacks = {{"charge", 5, 12, 4, 50}},
     .armour = {4, 3, 3, 4, 3, 4, 4}, .str = 16, .end = 16, .agi = 10, .smt = 18, .hrg = 14, .rhythm = 3,
     .attitude = 2, .disposition = 3, .speed = 90, .dodge = 30, .carcass_damage = 0.8f, .pain = "squeal",
     .call = "grunt", .diet1 = EATS_CROPS | EATS_TWIGS, .diet2 = EATS_BERRIES, .avoid = {50, 40},
     .attack = {0, 15}, .morale = {20, 40}, .flee = {0, 50}, .aggression = {5, 30}, .walk = 4,
     .top = {35, 5}, .cultures = {"", "all"}},
    // The farm pig keeps the day of the people who feed it.
    {.kind = 615, .name = "pig", .family = Family::pig, .cre_class = 5, .type_code = 1038, .picture = "av-pig",
     .weight = 100.0f, .attacks = {{"charge", 5, 12, 4, 50}}, .armour = {3, 2, 2, 3, 2, 3, 3}, .str = 14,
     .end = 14, .agi = 8, .smt = 18, .hrg = 14, .speed = 60, .dodge = 20, .carcass_damage = 0.9f,
     .pain = "squeal", .call = "grunt", .diet1 = EATS_CROPS | EATS_TWIGS, .diet2 = EATS_BERRIES, .walk = 4,
     .top = {25, 5}, .domestic = true},
    // Sheep graze in flocks and flee rather than fight; the wool guards
    // them a little (see the sheep maker for rams and lambs).
    {.kind = 616, .name = "sheep", .family = Family::sheep, .cre_class = 9, .type_code = 1036,
     .picture = "av-sheep", .picture_male = "av-ram", .weight = 45.0f,
     .attacks = {{"hoof_kick", 6, 12, 0, 35}, {"ram", 6, 10, 0, 75}}, .armour = {2, 2, 2, 2, 2, 2, 2},
     .str = 8, .end = 12, .agi = 10, .smt = 14, .hrg = 16, .stature = 1, .disposition = 1, .speed = 60,
     .dodge = 20, .carcass_damage = 1.5f, .pain = "bleat", .call = "baa", .diet1 = EATS_GRASS,
     .diet2 = EATS_LEAVES, .walk = 4, .top = {25, 5}, .domestic = true},
    // The ram among the sheep, made as a male (the map entry turns it into
    // a sheep of kind 616).
    {.kind = 617, .name = "sheep", .family = Family::sheep, .cre_class = 9, .type_code = 1036,
     .picture = "av-sheep", .picture_male = "av-ram", .weight = 45.0f,
     .attacks = {{"hoof_kick", 6, 12, 0, 35}, {"ram", 6, 10, 0, 75}}, .armour = {2, 2, 2, 2, 2, 2, 2},
     .str = 8, .end = 12, .agi = 10, .smt = 14, .hrg = 16, .stature = 1, .disposition = 1, .speed = 60,
     .dodge = 20, .carcass_damage = 1.5f, .pain = "bleat", .call = "baa", .diet1 = EATS_GRASS,
     .diet2 = EATS_LEAVES, .walk = 4, .top = {25, 5}, .domestic = true},
    // The village dog: a hunter by nature that keeps the day of its people;
    // tame, with a keen nose and ear.
    {.kind = 618, .name = "Dog", .cre_class = 15, .type_code = 1033, .picture = "av-dog", .weight = 40.0f,
     .attacks = {{"savage", 3, 13, 3, 60}}, .armour = {2, 1, 2, 2, 2, 2, 2}, .str = 10, .end = 14, .agi = 14,
     .smt = 20, .hrg = 19, .predator = 1, .hunts = 1, .stature = 1, .gait2 = 3, .speed = 130, .dodge = 60,
     .carcass_damage = 1.8f, .pain = "yelp", .call = "bark", .diet1 = PREY_HARE | PREY_SMALL_GAME,
     .diet2 = CARRION, .walk = 6, .top = {30, 8}, .domestic = true},
    // The herded reindeer of the north: lichen and twigs, tame; the antler
    // blow goes by sex and age (see the deer maker).
    {.kind = 619, .name = "reindeer", .family = Family::deer, .cre_class = 10, .type_code = 1052,
     .picture = "av-reindeer", .weight = 130.0f, .spread = 40, .terrain_mask = 0x40e0c,
     .attacks = {{"hoof_kick", 3, 15, 0, 60}, {"antler_rake", 2, 30, 0, 60}}, .armour = {3, 2, 2, 3, 2, 3, 3},
     .str = 15, .end = 18, .agi = 12, .smt = 16, .hrg = 16, .speed = 100, .dodge = 40, .carcass_damage = 0.9f,
     .pain = "grunt", .call = "grunt", .diet1 = EATS_GRASS, .diet2 = EATS_TWIGS, .walk = 5, .top = {45, 10},
     .cultures = {"", "northern"}, .domestic = true},
    // The wild reindeer of the forests: shy, up at dusk and dawn.
    {.kind = 620, .name = "Forest reindeer", .family = Family::deer, .cre_class = 10, .type_code = 1052,
     .picture = "av-forreind", .weight = 140.0f, .spread = 40, .frequency = 50, .terrain_mask = 0x40a05,
     .attacks = {{"hoof_kick", 3, 15, 0, 60}, {"antler_rake", 3, 30, 0, 60}}, .armour = {3, 2, 2, 3, 2, 3, 3},
     .str = 15, .end = 18, .agi = 12, .smt = 18, .hrg = 18, .rhythm = 3, .disposition = 1, .speed = 100,
     .dodge = 40, .carcass_damage = 0.9f, .pain = "grunt", .call = "grunt", .diet1 = EATS_GRASS,
     .diet2 = EATS_TWIGS, .avoid = {70, 30}, .attack = {0, 5}, .morale = {0, 30}, .flee = {60, 40},
     .aggression = {0, 10}, .walk = 5, .top = {50, 10}, .cultures = {"", "all"}},
    // The horse: big, fast and tame; its picture is its own.
    {.kind = 621, .name = "Horse", .cre_class = 17, .type_code = 1047, .picture = "av-horse", .weight = 350.0f,
     .attacks = {{"hoof_kick", 5, 8, 0, 60}}, .armour = {3, 3, 3, 3, 3, 3, 3}, .str = 20, .end = 18, .agi = 12,
     .smt = 14, .hrg = 16, .stature = 3, .speed = 150, .dodge = 30, .carcass_damage = 0.5f, .pain = "whinny",
     .call = "neigh", .diet1 = EATS_GRASS, .diet2 = EATS_LEAVES, .walk = 6, .top = {50, 10}, .domestic = true},
    // The adder of the summer months: slow, small, bites when trodden on.
    {.kind = 622, .name = "Snake", .cre_class = 11, .type_code = 1046, .picture = "av-snake", .weight = 0.25f,
     .frequency = 70, .season_from = 5, .season_to = 10, .terrain_mask = 0x1c047,
     .attacks = {{"snakebite", 1, 12, 4, 65}}, .armour = {1, 1, 1, 1, 1, 1, 1}, .str = 1, .end = 6, .agi = 14,
     .smt = 16, .hrg = 4, .stature = 0, .attitude = 2, .disposition = 3, .speed = 20, .dodge = 40,
     .carcass_damage = 15.0f, .pain = "hiss", .call = "hiss", .diet1 = PREY_SMALL_GAME, .avoid = {60, 30},
     .attack = {0, 30}, .morale = {0, 30}, .flee = {0, 30}, .aggression = {20, 40}, .walk = 1, .top = {3, 2},
     .cultures = {"", "all"}},
    // The beaver swims and walks, gnaws bark at night, flees into water.
    {.kind = 623, .name = "Beaver", .cre_class = 19, .type_code = 1055, .picture = "av-beaver", .weight = 20.0f,
     .mobility = 96, .attacks = {{"nip", 5, 10, 3, 50}}, .armour = {2, 2, 2, 2, 2, 2, 2}, .str = 8, .end = 14, .agi = 8,
     .smt = 16, .hrg = 16, .rhythm = 2, .stature = 1, .disposition = 1, .speed = 50, .dodge = 30,
     .carcass_damage = 2.0f, .pain = "squeal", .call = "hiss", .diet1 = EATS_TWIGS, .diet2 = EATS_LEAVES,
     .avoid = {70, 20}, .attack = {0, 5}, .morale = {0, 30}, .flee = {60, 30}, .aggression = {0, 10},
     .walk = 2, .top = {8, 4}, .cultures = {"", "all"}},
    // The badger digs out small game and berries at night; hard to drive
    // off when cornered.
    {.kind = 624, .name = "Badger", .cre_class = 22, .type_code = 1045, .picture = "av-badger",
     .weight = 10.0f, .frequency = 70, .terrain_mask = 0x4618,
     .attacks = {{"snap", 0, 10, 3, 50}, {"scratch", 0, 10, 3, 60}}, .armour = {3, 2, 2, 3, 2, 3, 3},
     .str = 10, .end = 14, .agi = 8, .smt = 20, .hrg = 14, .predator = 1, .rhythm = 2, .stature = 1,
     .attitude = 2, .disposition = 3, .speed = 50, .dodge = 30, .carcass_damage = 3.0f, .pain = "snarl",
     .call = "grunt", .diet1 = PREY_SMALL_GAME, .diet2 = EATS_BERRIES, .avoid = {50, 30}, .attack = {0, 20},
     .morale = {10, 40}, .flee = {0, 40}, .aggression = {10, 30}, .walk = 3, .top = {20, 5},
     .cultures = {"", "all"}},
    {.kind = 625, .name = "Weasel", .family = Family::mustelid, .cre_class = 23, .type_code = 1044,
     .picture = "av-srodent", .weight = 0.1f, .frequency = 40, .terrain_mask = 0x418,
     .attacks = {{"nip", 0, 8, 3, 50}}, .str = 1, .end = 8, .agi = 20, .smt = 18, .hrg = 18, .predator = 1,
     .hunts = 1, .rhythm = 4, .stature = 0, .attitude = 2, .disposition = 1, .speed = 110, .dodge = 90,
     .carcass_damage = 15.0f, .pain = "squeak", .call = "chirr", .diet1 = PREY_SMALL_GAME,
     .avoid = {70, 30}, .attack = {0, 10}, .morale = {0, 30}, .flee = {50, 40}, .aggression = {10, 30},
     .walk = 4, .top = {12, 5}, .cultures = {"", "all"}},
    // The pine-marten hunts squirrels and birds in the trees by night.
    {.kind = 626, .name = "Pine-marten", .family = Family::mustelid, .cre_class = 23, .type_code = 1044,
     .picture = "av-srodent", .weight = 1.7f, .spread = 40, .frequency = 40, .terrain_mask = 0x50001,
     .attacks = {{"nip", 0, 8, 3, 50}}, .armour = {1, 1, 1, 1, 1, 1, 1}, .str = 4, .end = 10, .agi = 20,
     .smt = 18, .hrg = 18, .predator = 1, .hunts = 1, .rhythm = 0, .stature = 0, .attitude = 2,
     .disposition = 1, .speed = 110, .dodge = 80, .carcass_damage = 8.0f, .pain = "squeak", .call = "chirr",
     .diet1 = PREY_SMALL_GAME, .diet2 = EATS_BERRIES, .avoid = {70, 30}, .attack = {0, 10},
     .morale = {0, 30}, .flee = {50, 40}, .aggression = {10, 30}, .walk = 4, .top = {20, 5},
     .cultures = {"", "all"}},
    {.kind = 627, .name = "Polecat", .family = Family::mustelid, .cre_class = 23, .type_code = 1044,
     .picture = "av-srodent", .weight = 1.0f, .attacks = {{"nip", 0, 8, 3, 50}},
     .armour = {1, 1, 1, 1, 1, 1, 1}, .str = 3, .end = 10, .agi = 18, .smt = 18, .hrg = 18, .predator = 1,
     .hunts = 1, .rhythm = 0, .stature = 0, .attitude = 2, .disposition = 1, .speed = 100, .dodge = 80,
     .carcass_damage = 10.0f, .pain = "squeak", .call = "chirr", .diet1 = PREY_SMALL_GAME,
     .avoid = {70, 30}, .attack = {0, 10}, .morale = {0, 30}, .flee = {50, 40}, .aggression = {10, 30},
     .walk = 4, .top = {15, 5}, .cultures = {"", "all"}},
    // The grouse family flies off the ground at a step; seeds, buds and
    // berries by day.
    {.kind = 628, .name = "Black grouse", .cre_class = 21, .type_code = 1054, .picture = "av-bgrouse",
     .weight = 1.0f, .frequency = 1300, .terrain_mask = 0x41018, .mobility = 64,
     .attacks = {{"peck", 0, 7, 4, 50}}, .str = 2, .end = 8, .agi = 14, .smt = 8, .hrg = 16, .stature = 0,
     .disposition = 1, .speed = 120, .dodge = 60, .carcass_damage = 10.0f, .pain = "cackle", .call = "coo",
     .diet1 = EATS_SEEDS, .diet2 = EATS_BERRIES, .avoid = {70, 30}, .morale = {0, 10}, .flee = {70, 30},
     .aggression = {0, 5}, .walk = 2, .top = {60, 10}, .cultures = {"", "all"}},
    // The swan of the summer lakes hisses and pecks at what comes near its
    // young; water plants.
    {.kind = 629, .name = "Swan", .cre_class = 21, .type_code = 1057, .picture = "av-swan", .weight = 10.0f,
     .season_from = 5, .season_to = 11, .mobility = 128, .attacks = {{"peck", 0, 7, 4, 50}},
     .armour = {1, 1, 1, 1, 1, 1, 1}, .str = 8, .end = 12, .agi = 10, .smt = 8, .hrg = 14, .stature = 1,
     .attitude = 2, .speed = 80, .dodge = 40, .carcass_damage = 3.0f, .pain = "hiss", .call = "whoop",
     .diet1 = EATS_LEAVES, .avoid = {60, 30}, .attack = {0, 10}, .morale = {0, 30}, .flee = {50, 40},
     .aggression = {5, 20}, .walk = 2, .top = {50, 10}},
    // The water birds (see the water-bird maker): ducks and the diver of
    // the open lakes from spring to autumn.
    {.kind = 630, .name = "Mallard", .family = Family::water_bird, .cre_class = 21, .type_code = 1058,
     .picture = "av-mallard", .weight = 1.1f, .frequency = 1400, .season_from = 4, .season_to = 10,
     .terrain_mask = 0x20, .attacks = {{"peck", 0, 7, 4, 50}}, .str = 2, .end = 8, .agi = 12, .smt = 8,
     .hrg = 16, .stature = 0, .disposition = 1, .speed = 100, .dodge = 60, .carcass_damage = 10.0f,
     .pain = "quack", .call = "quack", .diet1 = EATS_LEAVES, .diet2 = EATS_SEEDS, .avoid = {70, 30},
     .morale = {0, 10}, .flee = {70, 30}, .aggression = {0, 5}, .walk = 2, .top = {60, 10},
     .cultures = {"", "all"}},
    {.kind = 631, .name = "Tufted duck", .family = Family::water_bird, .cre_class = 21, .type_code = 1059,
     .picture = "av-tduck", .weight = 1.1f, .frequency = 1200, .season_from = 4, .season_to = 10,
     .terrain_mask = 0xa0, .attacks = {{"peck", 0, 7, 4, 50}}, .str = 2, .end = 8, .agi = 12, .smt = 8,
     .hrg = 16, .stature = 0, .disposition = 1, .speed = 100, .dodge = 60, .carcass_damage = 10.0f,
     .pain = "quack", .call = "quack", .diet1 = EATS_LEAVES, .diet2 = EATS_SEEDS, .avoid = {70, 30},
     .morale = {0, 10}, .flee = {70, 30}, .aggression = {0, 5}, .walk = 2, .top = {60, 10},
     .cultures = {"", "all"}},
    // The capercaillie cock fights for its ground: its peck is its own.
    {.kind = 632, .name = "Capercaillie", .cre_class = 21, .type_code = 1060, .picture = "av-capcail",
     .weight = 4.0f, .frequency = 900, .terrain_mask = 0x41805, .mobility = 64,
     .attacks = {{"peck", 0, 7, 4, 50}}, .armour = {1, 0, 0, 1, 0, 1, 1}, .str = 5, .end = 10, .agi = 10,
     .smt = 8, .hrg = 16, .stature = 1, .attitude = 2, .disposition = 1, .speed = 100, .dodge = 40,
     .carcass_damage = 5.0f, .pain = "cackle", .call = "clack", .diet1 = EATS_TWIGS, .diet2 = EATS_BERRIES,
     .avoid = {60, 30}, .attack = {0, 10}, .morale = {0, 20}, .flee = {60, 30}, .aggression = {0, 20},
     .walk = 2, .top = {50, 10}, .cultures = {"", "all"}},
    {.kind = 633, .name = "Hazel grouse", .cre_class = 21, .type_code = 1062, .picture = "av-hgrouse",
     .weight = 0.35f, .frequency = 1250, .terrain_mask = 0x418, .mobility = 64,
     .attacks = {{"peck", 0, 7, 4, 50}}, .str = 1, .end = 6, .agi = 14, .smt = 8, .hrg = 16, .stature = 0,
     .disposition = 1, .speed = 120, .dodge = 70, .carcass_damage = 12.0f, .pain = "cackle", .call = "whistle",
     .diet1 = EATS_SEEDS, .diet2 = EATS_BERRIES, .avoid = {70, 30}, .morale = {0, 10}, .flee = {70, 30},
     .aggression = {0, 5}, .walk = 2, .top = {50, 10}, .cultures = {"", "all"}},
    // The raven lives on carrion and is wary of everything.
    {.kind = 634, .name = "Raven", .cre_class = 21, .type_code = 1063, .picture = "av-raven", .weight = 1.2f,
     .frequency = 600, .terrain_mask = 0x40401, .mobility = 64, .attacks = {{"peck", 5, 10, 4, 50}},
     .str = 3, .end = 10, .agi = 14, .smt = 12, .hrg = 18, .stature = 0, .attitude = 2, .disposition = 1,
     .speed = 120, .dodge = 70, .carcass_damage = 10.0f, .pain = "croak", .call = "croak", .diet1 = CARRION,
     .diet2 = EATS_BERRIES, .avoid = {80, 20}, .attack = {0, 5}, .morale = {0, 20}, .flee = {60, 30},
     .aggression = {0, 10}, .walk = 2, .top = {60, 10}, .cultures = {"", "all"}},
    {.kind = 635, .name = "Willow grouse", .cre_class = 21, .type_code = 1064, .picture = "av-wgrouse",
     .weight = 0.7f, .spread = 20, .frequency = 700, .terrain_mask = 0x50d01, .mobility = 64,
     .attacks = {{"peck", 0, 7, 4, 50}}, .str = 2, .end = 8, .agi = 14, .smt = 8, .hrg = 16, .stature = 0,
     .disposition = 1, .speed = 120, .dodge = 60, .carcass_damage = 10.0f, .pain = "cackle", .call = "go-back",
     .diet1 = EATS_TWIGS, .diet2 = EATS_BERRIES, .avoid = {70, 30}, .morale = {0, 10}, .flee = {70, 30},
     .aggression = {0, 5}, .walk = 2, .top = {60, 10}, .cultures = {"", "all"}},
    {.kind = 636, .name = "Goldeneye", .family = Family::water_bird, .cre_class = 21, .type_code = 1065,
     .picture = "av-goldeye", .weight = 1.1f, .frequency = 1350, .season_from = 4, .season_to = 10,
     .terrain_mask = 0x20, .attacks = {{"peck", 0, 7, 4, 50}}, .str = 2, .end = 8, .agi = 12, .smt = 8,
     .hrg = 16, .stature = 0, .disposition = 1, .speed = 100, .dodge = 60, .carcass_damage = 10.0f,
     .pain = "quack", .call = "whistle", .diet1 = EATS_LEAVES, .diet2 = EATS_SEEDS, .avoid = {70, 30},
     .morale = {0, 10}, .flee = {70, 30}, .aggression = {0, 5}, .walk = 2, .top = {60, 10},
     .cultures = {"", "all"}},
    // The birds of prey take hares and small game; the hawk by day, the
    // owl at night.
    {.kind = 637, .name = "Goshawk", .cre_class = 21, .type_code = 1066, .picture = "av-goshawk",
     .weight = 1.5f, .frequency = 500, .season_from = 4, .season_to = 10, .terrain_mask = 0x40405,
     .mobility = 64, .attacks = {{"claw", 3, 10, 3, 80}}, .str = 4, .end = 10, .agi = 16, .smt = 8, .hrg = 16,
     .predator = 1, .hunts = 1, .stature = 0, .attitude = 2, .disposition = 1, .speed = 140, .dodge = 60,
     .carcass_damage = 8.0f, .pain = "screech", .call = "kek", .diet1 = PREY_SMALL_GAME, .diet2 = PREY_HARE,
     .avoid = {70, 30}, .attack = {0, 10}, .morale = {0, 30}, .flee = {40, 40}, .aggression = {5, 20},
     .walk = 2, .top = {70, 10}, .cultures = {"", "all"}},
    {.kind = 638, .name = "Eagle owl", .cre_class = 21, .type_code = 1067, .picture = "av-eowl",
     .weight = 3.0f, .frequency = 500, .terrain_mask = 0x40405, .mobility = 64,
     .attacks = {{"claw", 4, 10, 3, 80}}, .str = 6, .end = 10, .agi = 14, .smt = 8, .hrg = 20, .predator = 1,
     .hunts = 1, .rhythm = 2, .stature = 1, .attitude = 2, .disposition = 1, .speed = 110, .dodge = 50,
     .carcass_damage = 6.0f, .pain = "screech", .call = "hoot", .diet1 = PREY_SMALL_GAME | PREY_HARE,
     .diet2 = PREY_SMALL_PREDATOR, .avoid = {70, 30}, .attack = {0, 10}, .morale = {0, 30}, .flee = {40, 40},
     .aggression = {5, 20}, .walk = 2, .top = {60, 10}, .cultures = {"", "all"}},
    {.kind = 639, .name = "Kuikka", .family = Family::water_bird, .cre_class = 21, .type_code = 1069,
     .picture = "av-kuikka", .weight = 2.5f, .frequency = 800, .season_from = 4, .season_to = 9,
     .terrain_mask = 0x20, .attacks = {{"peck", 0, 7, 4, 50}}, .str = 3, .end = 10, .agi = 10, .smt = 8,
     .hrg = 16, .stature = 0, .disposition = 1, .speed = 90, .dodge = 50, .carcass_damage = 6.0f,
     .pain = "wail", .call = "wail", .diet1 = EATS_LEAVES, .avoid = {70, 30}, .morale = {0, 10},
     .flee = {70, 30}, .aggression = {0, 5}, .walk = 1, .top = {60, 10}, .cultures = {"", "all"}},
    // The seals live on fish, which is neither game nor plant of the land;
    // slow ashore, they slip into the sea.
    {.kind = 650, .name = "Grey seal", .cre_class = 24, .type_code = 1068, .picture = "av-gseal",
     .weight = 200.0f, .spread = 50, .frequency = 600, .terrain_mask = 0x80000, .mobility = 96,
     .attacks = {{"nip", 5, 10, 3, 50}}, .armour = {3, 3, 3, 3, 3, 3, 3}, .str = 16, .end = 18, .agi = 6,
     .smt = 14, .hrg = 14, .rhythm = 4, .stature = 2, .disposition = 1, .speed = 40, .dodge = 20,
     .carcass_damage = 0.7f, .pain = "moan", .call = "moan", .avoid = {60, 30}, .attack = {0, 10},
     .morale = {0, 30}, .flee = {60, 30}, .aggression = {0, 10}, .walk = 2, .top = {6, 3},
     .cultures = {"", "all"}},
    {.kind = 651, .name = "Ringed seal", .cre_class = 24, .type_code = 1070, .picture = "av-rseal",
     .weight = 65.0f, .frequency = 200, .terrain_mask = 0x80000, .mobility = 96,
     .attacks = {{"nip", 5, 10, 3, 50}}, .armour = {2, 2, 2, 2, 2, 2, 2}, .str = 12, .end = 16, .agi = 8,
     .smt = 14, .hrg = 14, .rhythm = 4, .stature = 1, .disposition = 1, .speed = 40, .dodge = 30,
     .carcass_damage = 1.2f, .pain = "moan", .call = "moan", .avoid = {60, 30}, .attack = {0, 10},
     .morale = {0, 30}, .flee = {60, 30}, .aggression = {0, 10}, .walk = 2, .top = {6, 3},
     .cultures = {"", "all"}},
    // The elk browses twigs at dusk and dawn; the bull carries the palm
    // antlers (see the deer maker for sex, age and picture).
    {.kind = 660, .name = "elk", .family = Family::deer, .cre_class = 10, .type_code = 1051,
     .type_code_male = 1050, .picture = "av-elk", .picture_male = "av-bullelk", .weight = 250.0f,
     .frequency = 120, .terrain_mask = 0x40e0c,
     .attacks = {{"hoof_kick", 3, 15, 0, 60}, {"antler_rake", 4, 30, 0, 70}}, .armour = {4, 3, 3, 4, 3, 4, 4},
     .str = 20, .end = 18, .agi = 10, .smt = 18, .hrg = 18, .rhythm = 3, .stature = 3, .speed = 100,
     .dodge = 30, .carcass_damage = 0.6f, .pain = "grunt", .call = "bellow", .diet1 = EATS_TWIGS,
     .diet2 = EATS_LEAVES, .avoid = {60, 30}, .attack = {0, 10}, .morale = {10, 40}, .flee = {40, 40},
     .aggression = {5, 20}, .walk = 5, .top = {50, 8}, .cultures = {"", "all"}},
};
constexpr int SPECIES_COUNT = int(sizeof kSpecies / sizeof kSpecies[0]);

const Species* species_of(int kind) {
    for (const Species& s : kSpecies)
        if (s.kind == kind) return &s;
    return nullptr;
}

uint8_t drawn(Draw d) {
    int v = d.base;
    if (d.below > 0) v += random_below(d.below);
    return uint8_t(v > 255 ? 255 : v);
}

// "[male]" and "[female]" fix the sex; otherwise it is drawn.
bool choose_male(bool forced_male) {
    if (forced_male || option_set("[male]")) return true;
    if (option_set("[female]")) return false;
    return random_below(2) == 0;
}

// The fixed values and the draws of a row.
void write_species(const Species& s) {
    CreatureRecord& c = CreScratch;
    c.cre_class = s.cre_class;
    c.predator = s.predator;
    c.type_code = s.type_code;
    copy_text(c.name, s.name);
    copy_text(c.picture_key, s.picture);
    c.stature = s.stature;
    c.attitude = s.attitude;
    c.attitude2 = s.attitude;
    c.activity = s.rhythm;
    c.hunts = s.hunts;
    c.mobility = s.mobility;
    c.attr_str = s.str;
    c.attr_end = s.end;
    c.attr_agi = s.agi;
    c.attr_smt = s.smt;
    c.attr_hrg = s.hrg;
    c.carcass_damage_factor = s.carcass_damage;
    copy_text(c.pain_word, s.pain);
    copy_text(c.call_word, s.call);
    c.disposition = s.disposition;
    c.gait2 = s.gait2;
    c.species_speed = s.speed;
    c.dodge = s.dodge;
    c.fatigue_rate = s.fatigue_rate;
    for (int a = 0; a < 3; ++a) {
        const Attack& at = s.attacks[a];
        if (at.name == nullptr) continue;
        copy_text(c.attack_name[a], at.name);
        c.attack_impact[a] = at.impact;
        c.attack_value[a] = at.value;
        c.attack_aspect[a] = at.aspect;
        c.attack_skill[a] = at.skill;
    }
    std::memcpy(c.natural_armour, s.armour, sizeof c.natural_armour);
    c.base_weight = s.weight;
    c.weight_spread = s.spread;
    c.frequency = s.frequency;
    c.season_from = s.season_from;
    c.season_to = s.season_to;
    if (s.terrain_mask != 0) c.terrain_need = 1;
    c.terrain_mask |= s.terrain_mask;
    c.diet1 |= s.diet1;
    c.diet2 |= s.diet2;
    if (s.domestic) {
        domestic_temperament();
    } else {
        c.avoid_threshold = drawn(s.avoid);
        c.attack_threshold = drawn(s.attack);
        c.morale2 = drawn(s.morale);
        c.flee_threshold = drawn(s.flee);
        c.hyokkaavyys = drawn(s.aggression);
    }
    c.walk_speed = s.walk;
    c.max_speed = drawn(s.top);
    for (int t = 0; t < 3; ++t)
        if (s.cultures[t] != nullptr) copy_text(culture_tags[t], CULTURE_TEXT_BYTES, s.cultures[t]);
}

// The sex and the picture of a kind that has both.
void set_sex(const Species& s, bool male) {
    CreatureRecord& c = CreScratch;
    if (male) c.sex_age |= SEX_MALE;
    else c.sex_age &= uint8_t(~SEX_MALE);
    if (male && s.picture_male != nullptr) copy_text(c.picture_key, s.picture_male);
    if (male && s.type_code_male != 0) c.type_code = s.type_code_male;
}

// A young one of the bear, the deer and the sheep: smaller, and its weight
// is the maker's own (the weight roll keeps it).
bool make_young_if_asked(float share) {
    if (!option_set("[young]")) return false;
    CreScratch.sex_age |= SEX_YOUNG;
    CreScratch.weight = CreScratch.base_weight * share;
    return true;
}

// The family makers: what the families share beyond their rows.
void make_bear(const Species& s) {
    creature_defaults();
    write_species(s);
    const bool male = choose_male(false);
    set_sex(s, male);
    const bool young = make_young_if_asked(YOUNG_SHARE_BEAR);
    // A he-bear strikes harder than a she-bear; a cub hardly hurts.
    CreatureRecord& c = CreScratch;
    c.attack_impact[0] = uint8_t(young ? 3 : male ? 9 : 7);
    c.attack_impact[2] = uint8_t(young ? 4 : male ? 10 : 8);
}

void make_deer(const Species& s) {
    creature_defaults();
    write_species(s);
    const bool male = choose_male(false);
    set_sex(s, male);
    const bool young = make_young_if_asked(YOUNG_SHARE_DEER);
    // Both sexes of the reindeer carry antlers, the male the bigger; a calf
    // has none to speak of.
    if (s.kind == 619) CreScratch.attack_impact[1] = uint8_t(young ? 1 : male ? 4 : 2);
}

void make_sheep(const Species& s) {
    creature_defaults();
    write_species(s);
    set_sex(s, choose_male(s.kind == 617));
    make_young_if_asked(YOUNG_SHARE_SHEEP);
}

void make_cattle(const Species& s) {
    write_species(s);
    const bool male = choose_male(s.kind == 610);
    set_sex(s, male);
    copy_text(CreScratch.name, male ? "bull" : "cow");
}

void make_pig(const Species& s) {
    write_species(s);
    // The boar is a male, the sow a female; the farm pig is either.
    const bool male = s.kind == 613 ? true : s.kind == 614 ? false : random_below(2) == 0;
    set_sex(s, male);
}

void make_water_bird(const Species& s) {
    copy_text(CreScratch.name, "Aquatic bird");
    write_species(s);
    CreScratch.mobility = 128;
}

// The coat of the tinted kinds (sheep, dog, reindeer): colouring in bits
// 0-2, its strength in bits 3-5. Half of them keep the picture's own colours
// (colouring 7 of strength 0); the rest take one of the eight colourings,
// black (0) among them, at a low strength.
uint8_t draw_coat() {
    const int r = random_below(16);
    if (r < 8) return 7;
    const int colouring = r - 8;
    const int strength = colouring == 7 ? 0 : random_below(3);
    return uint8_t(colouring | (strength << 3));
}

void make_species(const Species& s) {
    switch (s.family) {
    case Family::bear: make_bear(s); break;
    case Family::deer: make_deer(s); break;
    case Family::sheep: make_sheep(s); break;
    case Family::cattle: make_cattle(s); break;
    case Family::pig: make_pig(s); break;
    case Family::water_bird: make_water_bird(s); break;
    case Family::rodent:
    case Family::mustelid:
    case Family::none: write_species(s); break;
    }
    CreatureRecord& c = CreScratch;
    // The draws a row can't hold: the capercaillie's peck and the ringed
    // seal's spread of weights.
    if (s.kind == 632) c.attack_skill[0] = uint8_t(40 + random_below(30));
    if (s.kind == 651) c.weight_spread = uint8_t(20 + random_below(31));
    if (s.kind == 616 || s.kind == 617 || s.kind == 618 || s.kind == 619) c.species_byte = draw_coat();
}

void set_culture_masks() {
    uint16_t* masks[3] = {&CreScratch.culture_mask1, &CreScratch.culture_mask2, &CreScratch.culture_mask3};
    for (int t = 0; t < 3; ++t) {
        if (culture_tags[t][0] == 0) continue;
        for (int i = 0; i < CULTURE_CODES; ++i)
            if (text_mentions_culture(culture_tags[t], i)) *masks[t] = uint16_t(*masks[t] | (1u << i));
    }
}

}  // namespace

// ------------------------------------------------------------ cultures

int text_mentions_culture(const char* text, int culture) {
    if (text == nullptr || !valid_culture(culture)) return 0;
    if (has_whole_word(text, kCultureCodes[culture]) || has_whole_word(text, "all")) return 1;
    const bool east = culture == 0 || culture == 2 || culture == 3;
    const bool west = culture == 1 || (culture >= 4 && culture <= 6);
    const bool north = culture >= 7 && culture <= 9;
    if (east && has_whole_word(text, "eastern")) return 1;
    if (west && has_whole_word(text, "western")) return 1;
    if (north && has_whole_word(text, "northern")) return 1;
    return 0;
}

const char* culture_word(int culture) { return valid_culture(culture) ? kCultureWords[culture] : "wandering"; }

// ------------------------------------------------------------ the template

void reset_creature_making() {
    creation_options[0] = 0;
    keep_creation_options = 0;
    forced_culture_on = 0;
    forced_culture = 0;
    creation_culture = CULTURE_WANDERING;
    copy_text(creation_culture_word, "wandering");
    std::memset(culture_tags, 0, sizeof culture_tags);
    reset_encounter_species();
}

int creature_template(int kind) {
    if (!keep_creation_options) creation_options[0] = 0;
    choose_culture();
    creature_defaults();
    if (const Species* s = species_of(kind)) make_species(*s);
    else make_person_kind(kind);
    CreScratch.kind = kind;
    set_culture_masks();
    return creature_roll_weight();
}

int creature_roll_weight() {
    CreatureRecord& c = CreScratch;
    if (!(c.sex_age & SEX_YOUNG)) {
        c.weight = c.base_weight;
        const int spread = c.weight_spread;
        if (spread != 0) {
            const int share = random_below(spread);
            const float d = c.base_weight * float(share) / 100.0f;
            // Three in four come out lighter than the kind's average.
            const int lighter = random_below(4);
            c.weight = lighter != 0 ? c.base_weight - d : c.base_weight + d;
        }
    }
    c.prev_move_mode = c.move_mode;
    const float limit = std::ceil(c.weight * 35.0f);
    int reserve = 0;
    if (limit >= 1.0f) reserve = random_below(limit > 1e9f ? 1000000000 : int(limit));
    if (reserve > 32767) reserve = 32767;
    c.energy = int16_t(reserve);
    return reserve;
}

int creature_template_for_culture(int kind, int culture, CreatureRecord& out, int group) {
    forced_culture_on = 1;
    forced_culture = culture;
    const int reserve = creature_template(kind);
    forced_culture_on = 0;
    if (group > 0) CreScratch.lauma = group;
    out = CreScratch;
    return reserve;
}

int make_young_creature(int kind, CreatureRecord& out) {
    copy_text(creation_options, "[young]");
    keep_creation_options = 1;
    creature_template(kind);
    keep_creation_options = 0;
    creation_options[0] = 0;
    out = CreScratch;
    return 1;
}

int make_wolf_creature(CreatureRecord& out) {
    creature_template(611);
    out = CreScratch;
    out.cre_flags |= 0x2;
    copy_text(out.name, "Wolf");
    out.avoid_threshold = uint8_t(random_below(30));
    out.attack_threshold = uint8_t(random_below(15));
    out.morale2 = uint8_t(random_below(10));
    out.flee_threshold = 0;
    out.diet2 |= 0x400000;
    CreScratch.activity = 4;
    return 1;
}

// ------------------------------------------------------------ small makers' helpers

void domestic_temperament() {
    CreatureRecord& c = CreScratch;
    c.random_a = 0;
    c.flee_threshold = 0;
    c.avoid_threshold = 0;
    c.attack_threshold = 0;
    c.morale2 = 0;
    c.hyokkaavyys = uint8_t(random_below(30));
}

void cre_roll_personal_values(CreatureRecord& record) {
    record.flee_threshold = uint8_t(random_below(70));
    record.random_a = uint8_t(random_below(30));
    record.avoid_threshold = uint8_t(random_below(100));
    record.attack_threshold = uint8_t(random_below(100));
    record.morale2 = uint8_t(20 + random_below(10));
    record.hyokkaavyys = uint8_t(90 + random_below(10));
    for (uint8_t& b : record.attitude_block) b |= 0x2;
}

int bit_value(int i) { return i >= 0 && i <= 15 ? 1 << i : 0; }

void cre_mark_attitude_bit(int, int opponent, CreatureRecord& record, int bit) {
    if (opponent == -1) record.attitude_block[sizeof record.attitude_block - 1] |= uint8_t(bit);
}

void cre_record_death_event(int slot) {
    static const int kHunted[] = {601, 602, 603, 605, 608, 611, 612, 613, 614,
                                  619, 620, 621, 623, 624, 625, 626, 627, 660};
    if (!cre_slot_valid(slot)) return;
    for (int k : kHunted)
        if (Cre[slot].kind == k) {
            add_animal_area_event(k);
            return;
        }
}

int species_kind_count() { return SPECIES_COUNT; }
int species_kind_at(int index) { return index >= 0 && index < SPECIES_COUNT ? kSpecies[index].kind : 0; }
