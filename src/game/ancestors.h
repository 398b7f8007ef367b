// What remains of a dead character: the ancestors' ring of 50 slots under
// "ANCESTORS", the death texts, the memorial pages, the death screen and
// the list of late characters.
#pragma once

#include <cstdint>

struct PlayerRecord;

constexpr int ANCESTOR_SLOTS = 50;
// The slot file "<slot>/<name>.ANC": four texts, zeros, the format byte and
// the character record at death.
constexpr int ANC_TEXT_BYTES = 1024;
constexpr int ANC_FORMAT_OFFSET = 16384;
constexpr int ANC_RECORD_OFFSET = 16388;
constexpr int ANC_FILE_SIZE = 22104;

// The ailment that killed the character (cause -109), set by the body
// before the death. Per game.
extern char death_ailment_name[64];

// The text of a cause code (a creature slot 0 and up, or a negative cause)
// in a form: 0 "while" ("being hit by a wolf"), 1 "was" ("was hit by a
// wolf"), 10 the death ("killed by a wolf"). Ring text.
char* cause_text(int code, int form);
// The death text of a cause of death ("starved to death", "bled to death
// after ...").
char* death_text(const PlayerRecord& rec);

// Writes the dead character into the next ancestor slot and returns it;
// -1 when the slot's record could not be written (the character folder must
// then stay).
int write_ancestor();

// Which slots hold an ancestor, with their days played and distance.
struct AncestorList {
    bool present[ANCESTOR_SLOTS];
    int32_t days[ANCESTOR_SLOTS];
    int32_t km[ANCESTOR_SLOTS];
    int last;  // the last slot written, 0 when unknown
};
extern AncestorList ancestors;
void scan_ancestors();
// The slots present, newest first (from the last slot down, then from 49
// down); order 'L' sorts them by days played, 'J' by distance, both
// descending and stable. Returns the count.
int ancestor_order(char order, int out[ANCESTOR_SLOTS]);
// Reads a slot's character folder name and record into the caller's
// buffers; false when the slot is not whole.
bool read_ancestor(int slot, char* name, int name_cap, PlayerRecord& rec, char cause[ANC_TEXT_BYTES],
                   char sentence[ANC_TEXT_BYTES], char cell[ANC_TEXT_BYTES], char area[ANC_TEXT_BYTES]);

// A slot's memorial at y: the full page, or the summary of the list.
// Returns the height drawn.
int draw_memorial(const char* slot, int y, int full);
// The same for the console (y, slot folder text, full page flag).
void write_ancestor_memorial(int y, const char* slot, int full);
// -1: the browsable list of late characters (start menu); a slot: the
// death screen for that new slot.
void show_ancestors(int slot);

// The per-game reset.
void reset_ancestor_state();
