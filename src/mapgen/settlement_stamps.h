// The building stamps of the settlement builders: a building is drawn into
// a 15 x 15 stamp, a free level place is found for it near the position
// asked, and it is copied onto the working local map with the people or
// animals that belong to it (creature entries naming their templates).
#pragma once

#include <cstdint>

constexpr int STAMP_SIDE = 15;
// A stamp cell to be cleared: the builders turn it into ground at the end.
constexpr uint8_t STAMP_CLEAR = 255;

// The stamp: cell (col, row) at row * 15 + col; 0 paints nothing.
extern uint8_t settlement_stamp[STAMP_SIDE * STAMP_SIDE];

// What the builders keep while one settlement is laid out.
struct SettlementState {
    int culture;          // 0..13; over 13 lays no animals
    int houses;           // houses and inhabited kotas
    int grown;            // grown people placed
    int children;         // children placed
    int enclosures;       // enclosures made
    bool single_dweller;  // a homestead of one person
    bool dweller_placed;  // that one person stands
    bool extra_done;      // the extra people of the middle were added
};
extern SettlementState settlement;

// Clears the state and sets the culture.
void settlement_begin(int culture);

struct StampPlace {
    int x, y;  // the stamp's top-left cell; (0, 0) when not placed
    bool placed;
};

void stamp_clear();
// Copies the stamp with its top-left at (x, y). Mode 0 paints every
// non-zero cell, mode 1 only onto ground; mode 2 first tests and paints
// only when the place is free: returns 1 when mode 2 found it blocked.
// Nothing is read or written off the grid: a non-zero cell off the grid
// blocks in mode 2 and is skipped otherwise.
int stamp_at(int x, int y, int mode);
// The stamp painted in mode 2 at (x, y) or, when blocked, at places drawn
// around it (1,000 tries).
StampPlace find_stamp_place(int x, int y);
// A top-left near the map's edges for a clutter stamp.
StampPlace random_edge_place();
// 1 when a draw below 100 is below p.
int chance_percent(int p);

// The buildings (sizes are the largest size of the random draws).
void teetalo(int x, int y, int m);
StampPlace TeeAitta(int x, int y, int m);
void build_sauna(int x, int y, int m);
void build_hut(int x, int y);
StampPlace build_kota(int x, int y, int s);
void TeeAitaus(int x, int y, int m);

// The people of one house (entries at (x + 2, y + 2)).
void settle_people(int x, int y);
void settle_warriors(int x, int y);
// Extra people in the middle of the settlement (once per settlement).
void settle_extra_people();

// Clutter painted only onto ground near the edges.
void stamp_yard();
void stamp_camp();
void stamp_sprinkle(int kind);
void sprinkle_cell(int kind);

// A map entry that never merges with another (blood marks, fire sites,
// pits): the entry number, or -1000 when the map's entries are full.
int add_entry_unmerged(int x, int y, int kind, int data, int amount);
