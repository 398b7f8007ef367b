// The terrain-type table: what each terrain code 0..255 is (name, tile,
// behaviour flags, habitat class), built in code at game start and every
// new day with the ground tiles tinted for the date; and the small queries
// that read it for one cell.
#pragma once

#include <cstdint>

// Behaviour flags.
constexpr uint32_t TF_WANDER = 0x2;       // passable ground for world wanderers
constexpr uint32_t TF_OBSTACLE = 0x4;
constexpr uint32_t TF_TALL = 0x8;         // trees, rocks, walls; blocks sight
constexpr uint32_t TF_YOUNG_TREE = 0x40;  // may be a young tree
constexpr uint32_t TF_WATER = 0x80;
constexpr uint32_t TF_MIRE_ROCK = 0x100;
constexpr uint32_t TF_FENCE = 0x200;
constexpr uint32_t TF_CONIFEROUS = 0x400;
constexpr uint32_t TF_ROOF = 0x800;
constexpr uint32_t TF_FLOWING = 0x1000;
constexpr uint32_t TF_ROCK = 0x2000;
constexpr uint32_t TF_RAPIDS = 0x8000;

// Habitat class bits (the TERRAIN words of plant and animal definitions).
constexpr uint32_t HAB_BARREN = 0x1, HAB_DRYISH = 0x2, HAB_DRY = 0x4, HAB_FRESH = 0x8,
                   HAB_GROVE = 0x10, HAB_LAKE = 0x20, HAB_FIELD = 0x40, HAB_POND = 0x80,
                   HAB_MOUNTAIN = 0x100, HAB_WETLAND = 0x200, HAB_SPRUCE_MIRE = 0x400,
                   HAB_PINE_MIRE = 0x800, HAB_OPEN_MIRE = 0x1000, HAB_SETTLEMENT = 0x2000,
                   HAB_MEADOW = 0x4000, HAB_CLEARING = 0x8000, HAB_CLIFF = 0x10000,
                   HAB_RIVER = 0x20000, HAB_CONIFEROUS = 0x40000, HAB_SEA = 0x80000;

struct NeighbourRule {
    uint8_t codes[10];  // up to 9 codes, ended by 0
    uint8_t mode;       // 1..3, 0 = no rule
    uint8_t result;     // 0 = none
};

// Neighbour blocks in the order south, north, east, west.
enum { NB_SOUTH = 0, NB_NORTH = 1, NB_EAST = 2, NB_WEST = 3 };

struct TerrainType {
    uint32_t flags;
    char name[80];
    uint8_t draw_kind;   // 0, 1 waters, 2 vegetation and hills
    uint8_t underlay;    // code drawn beneath (250 ground, 95 floor, 0 none)
    uint8_t tile_index;
    uint8_t draw_class;  // 0..3
    uint8_t freezes;     // 1: its water freezes in winter
    char tile[14];       // picture name under "truetile/"
    uint32_t draw_flags; // 0x40 or 0
    NeighbourRule rules[4][10];
    uint32_t habitat;
    uint8_t reserved[8];
};
static_assert(sizeof(TerrainType) == 600, "TerrainType is 600 bytes");

extern TerrainType TerrainTypes[256];

// The room temperature of the last compute_room_temperature (whole degrees);
// read by the body-heat model and the developer console.
extern int room_temperature;

// The two tint colours of a date (byte 3 of each computed modulo 256).
struct TerrainTint {
    uint8_t first[4];
    uint8_t second[4];
    bool reload;  // false for a month outside 1..12
};
TerrainTint terrain_tints_for_date(int month, int day);

// Builds the table, recolours the ground and road tiles for the date of the
// character record and writes "debug_ter-tiles.txt".
void init_terrain_types();
// The same for a given date (the character record's date is used above).
void init_terrain_types_for_date(int month, int day);

uint32_t terrain_flags_of(int code);  // 0 for a code outside 0..255
int terrain_is_open(int code);        // no obstacle flag

const char* terrain_name(int code);     // ring text, empty above 255
const char* terrain_name_at(int x, int y);
const char* describe_world_terrain(int x, int y);

uint32_t parse_terrain_keywords(const char* text);
uint32_t terrain_class_at(int x, int y);
int area_has_terrain_class(int x, int y, uint32_t mask, int size);
int suits_habitat_mode(int x, int y, int mode);
int is_small_lake(int x, int y);

int is_wall_code(int code);
int is_roofed_at(int x, int y);
// Local maps: flood-fills the room around (x, y), sets room_temperature and
// answers the enclosure byte (0 open, 1 enclosed, 3 enclosed with a fire).
int compute_room_temperature(int x, int y);
