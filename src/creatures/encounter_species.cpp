#include "creatures/encounter_species.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "creatures/area_events.h"
#include "creatures/creature_files.h"
#include "creatures/creature_record.h"
#include "creatures/creature_services.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/object_store.h"
#include "work/food_values.h"

namespace {

struct EncounterRow {
    int kind;
    int weight[3];
};
// The elk stands twice: twice the chance among the candidates.
const EncounterRow kEncounterRows[] = {
    {605, {3, 2, 3}}, {613, {1, 0, 0}}, {614, {1, 0, 0}}, {608, {2, 3, 3}}, {611, {2, 1, 2}},
    {660, {5, 4, 1}}, {660, {5, 4, 1}}, {604, {9, 9, 9}}, {600, {7, 6, 7}}, {601, {6, 5, 5}},
    {622, {2, 3, 1}}, {623, {4, 4, 1}}, {602, {2, 1, 3}}, {620, {4, 6, 7}}, {628, {8, 6, 6}},
    {632, {6, 6, 6}}, {629, {7, 7, 7}}, {630, {8, 7, 7}}, {631, {7, 6, 5}}, {612, {4, 3, 4}},
    {625, {3, 3, 3}}, {627, {1, 2, 1}}, {626, {3, 2, 2}}, {624, {5, 4, 3}}, {603, {2, 0, 5}},
    {510, {2, 3, 1}}, {550, {3, 3, 2}}, {540, {3, 1, 3}},
};
constexpr int ENCOUNTER_ROWS = int(sizeof kEncounterRows / sizeof kEncounterRows[0]);
static_assert(ENCOUNTER_ROWS == 28);

int last_pick = 0;

bool is_predator_kind(int kind) { return kind == 602 || kind == 605 || kind == 608 || kind == 611; }
bool is_human_kind(int kind) {
    return kind == 500 || kind == 510 || kind == 540 || kind == 550 || kind == 551;
}

// What the area records say of the table's kinds at the player's world
// cell, read in one pass over the table: the count of the first record of
// each type (kills, groups met) that covers the cell, as find_area_event
// would find it; -1 where none does.
struct AreaCounts {
    int kills[ENCOUNTER_ROWS];
    int groups[ENCOUNTER_ROWS];
};
// The table rows of a kind code, as a bit mask (the elk has two rows).
uint32_t rows_of_kind(int kind) {
    uint32_t rows = 0;
    for (int r = 0; r < ENCOUNTER_ROWS; ++r)
        if (kEncounterRows[r].kind == kind) rows |= 1u << r;
    return rows;
}
void read_area_counts(int wx, int wy, AreaCounts& out) {
    // Kind codes 500-699 to their rows, made once.
    static uint32_t rows_by_kind[200];
    static bool indexed = false;
    if (!indexed) {
        for (int k = 0; k < 200; ++k) rows_by_kind[k] = rows_of_kind(500 + k);
        indexed = true;
    }
    for (int r = 0; r < ENCOUNTER_ROWS; ++r) out.kills[r] = out.groups[r] = -1;
    for (const AreaEvent& e : AreaEvents) {
        if (e.type != AREA_ANIMALS && e.type != AREA_HUMAN_GROUP) continue;
        const unsigned k = unsigned(e.key - 500);
        if (k >= 200 || rows_by_kind[k] == 0) continue;
        if (std::abs(e.x - wx) + std::abs(e.y - wy) >= e.radius) continue;
        int* counts = e.type == AREA_ANIMALS ? out.kills : out.groups;
        for (uint32_t rows = rows_by_kind[k]; rows != 0; rows &= rows - 1) {
            const int r = __builtin_ctz(rows);
            if (counts[r] < 0) counts[r] = e.count;
        }
    }
}

// The row's weight after what the area remembers: kills of the kind lower
// it, groups of the kind met raise it.
int area_weight(const AreaCounts& area, int row, int weight) {
    if (area.kills[row] >= 0) weight = weight > area.kills[row] ? weight - area.kills[row] : 0;
    if (area.groups[row] >= 0) weight += area.groups[row];
    return weight;
}

// The place's answers, asked once per call: the land reach of the world
// cell, and each habitat mode when a template first asks for it.
struct PlaceAnswers {
    int x, y;
    int reach = -2;
    int habitat[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
};

bool suits_place_and_season(PlaceAnswers& place) {
    const CreatureRecord& t = CreScratch;
    if (t.habitat_mode != 0) {
        const int mode = t.habitat_mode;
        if (mode >= 0 && mode < 8) {
            if (place.habitat[mode] < 0) place.habitat[mode] = suits_habitat_mode(place.x, place.y, mode) ? 1 : 0;
            if (!place.habitat[mode]) return false;
        } else if (!suits_habitat_mode(place.x, place.y, mode)) {
            return false;
        }
    } else {
        if (place.reach == -2) place.reach = world_land_reach_at(world_x_of(place.x), world_y_of(place.y));
        if (place.reach > 0 && place.reach <= 15) return false;
    }
    if (t.season_from != 0 && (Plr.month < t.season_from || Plr.month > t.season_to)) return false;
    return true;
}

std::string upper_of(const char* name) {
    std::string s = name ? name : "";
    for (char& ch : s) ch = char(latin1_upper(static_cast<unsigned char>(ch)));
    return s;
}

}  // namespace

int choose_encounter_species(int column, int x, int y, int mode) {
    const int roll = random_below(9) + 1;
    const int col = column == 2 || column == 3 ? column - 1 : 0;
    AreaCounts area;
    read_area_counts(plr_world_x(), plr_world_y(), area);
    PlaceAnswers place;
    place.x = x;
    place.y = y;
    int candidates[ENCOUNTER_ROWS];
    int n = 0;
    for (int r = 0; r < ENCOUNTER_ROWS; ++r) {
        const EncounterRow& row = kEncounterRows[r];
        const int w = area_weight(area, r, row.weight[col]);
        if (mode == ENCOUNTER_PREDATORS) {
            if (!is_predator_kind(row.kind)) continue;
        } else {
            if (w == 0 || w < roll) continue;
            if (mode == ENCOUNTER_ANIMALS && is_human_kind(row.kind)) continue;
        }
        CreScratch = CreTemplates[row.kind];
        if (mode == ENCOUNTER_BIRDS && !cre_is_bird(-1)) continue;
        if (!suits_place_and_season(place)) continue;
        candidates[n++] = row.kind;
    }
    if (n == 0) return 0;
    // With one kind to choose from (the elk twice is one kind) the last
    // pick can't be avoided: it is forgotten rather than drawn for ever.
    bool one_kind = true;
    for (int i = 1; i < n; ++i)
        if (candidates[i] != candidates[0]) one_kind = false;
    if (one_kind) last_pick = 0;
    int pick;
    do pick = candidates[random_below(n)];
    while (pick == last_pick);
    last_pick = pick;
    CreScratch = CreTemplates[pick];
    return pick;
}

int last_encounter_species() { return last_pick; }
void reset_encounter_species() { last_pick = 0; }
int encounter_row_count() { return ENCOUNTER_ROWS; }
int encounter_row_kind(int row) { return row >= 0 && row < ENCOUNTER_ROWS ? kEncounterRows[row].kind : 0; }
int encounter_row_weight(int row, int column) {
    if (row < 0 || row >= ENCOUNTER_ROWS) return 0;
    return kEncounterRows[row].weight[column == 2 || column == 3 ? column - 1 : 0];
}

const char* bird_call_sound(const CreatureRecord& c) {
    char name[sizeof c.name + 1];
    copy_field(name, sizeof name, c.name, sizeof c.name);
    char text[80];
    format_text(text, sizeof text, "birdcall_%s", name);
    for (char* p = text; *p; ++p) {
        *p = char(latin1_lower(static_cast<unsigned char>(*p)));
        if (*p == ' ') *p = '_';
    }
    return ring_copy(text);
}

float pelt_price(const char* name) {
    struct Word {
        const char* word;
        float price;
    };
    // Later matches win: "ARCTIC FOX" after "FOX", "BULL" after "ELK".
    static const Word kWords[] = {
        {"LYNX", 400},      {"BEAR", 360},        {"GLUTTON", 360},    {"WOLF", 240},    {"REINDEER", 200},
        {"STAG", 200},      {"ELK", 200},         {"FOX", 80},         {"ARCTIC FOX", 112}, {"BEAVER", 160},
        {"PINE-MARTEN", 120}, {"GREY SEAL", 176}, {"RINGED SEAL", 160}, {"POLECAT", 80},  {"HORSE", 48},
        {"COW", 32},        {"BULL", 32},         {"SHEEP", 32},       {"RAM", 32},      {"BADGER", 32},
        {"PIG", 24},        {"BOAR", 24},         {"SOW", 24},         {"HARE", 16},     {"ERMINE", 16},
        {"WEASEL", 16},     {"SQUIRREL", 8},
    };
    const std::string up = upper_of(name);
    float price = 4;
    for (const Word& w : kWords)
        if (up.find(w.word) != std::string::npos) price = w.price;
    return price;
}

int is_fur_bearer(const char* name) {
    static const char* const kFur[] = {"DOG",     "LYNX",   "SEAL",        "SHEEP",   "RAM",    "REINDEER",
                                       "STAG",    "ELK",    "BEAR",        "WOLF",    "FOX",    "HARE",
                                       "GLUTTON", "SQUIRREL", "ERMINE",    "WEASEL",  "PINE-MARTEN",
                                       "POLECAT", "BADGER", "ARCTIC FOX",  "BEAVER"};
    const std::string up = upper_of(name);
    for (const char* w : kFur)
        if (up.find(w) != std::string::npos) return 1;
    return 0;
}

float cre_meat_value(CreatureRecord c) {
    char name[sizeof c.name + 1];
    copy_field(name, sizeof name, c.name, sizeof c.name);
    const ObjectRecord cut = make_meat_cut_object(name, c.kind, 1.0f);
    float value = std::ceil(cut.unit_price * c.weight) * 3.0f;
    if (c.kind == 618) value *= 3.0f;
    return value;
}
