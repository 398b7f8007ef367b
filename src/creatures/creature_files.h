// Where creature records live and how they move between those places:
// the creature table of the current map (`Cre`, with the reference loaded
// in each slot), the one working record (`CreScratch`), the templates
// (`CreTemplates`, "CONSTANT.CRE") and the character's creature file
// ("<name>.CRS", the creatures of every map, one flat array of records).
//
// A creature reference below 1000 is a template (its kind code); 1000 + n
// is record n of the creature file. On the current map a creature's map
// object holds 1000 + its slot instead; a stored map holds the reference.
// A creature's permanent identity (`sotu`) is its reference in the file.
//
// The creature file is kept in memory while a game runs and written whole
// with every save commit, so a save switches the creatures together with
// the maps and objects that name them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "creatures/creature_record.h"

constexpr int CRE_SLOTS = 500;
constexpr int CRE_TEMPLATE_COUNT = 1000;
constexpr int CRE_REF_BASE = 1000;
constexpr int CRE_NO_CREATURE = -1000;
constexpr long long CRE_TEMPLATE_FILE_SIZE = 1384LL * CRE_TEMPLATE_COUNT;  // 1,384,000
// A new character's creature file holds this many empty records.
constexpr int CRS_NEW_FILE_RECORDS = 3000;
// creature_mess grows the file by CRS_GROWTH empty records when fewer than
// CRS_LOW_WATER are left.
constexpr int CRS_LOW_WATER = 50;
constexpr int CRS_GROWTH = 100;

extern CreatureRecord Cre[CRE_SLOTS];
extern int32_t CreSlotRefs[CRE_SLOTS];  // 0: the slot is free
extern CreatureRecord CreScratch;
extern CreatureRecord CreTemplates[CRE_TEMPLATE_COUNT];

inline bool cre_slot_valid(int slot) { return slot >= 0 && slot < CRE_SLOTS; }

// ------------------------------------------------------------ the file

// "<name>.CRS" of the current character.
std::string creature_file_name();
// The records of the creature file, read from the disk at its first use in
// a game. A missing file is made anew with 3,000 empty records (the player
// is told; the program ends only when that file can't be written); a
// damaged one is taken from the save before when that copy is whole, else
// its whole records are kept and the player is told.
std::vector<CreatureRecord>& crs_records();
// Makes a new character's file of 3,000 empty records; false when it
// could not be written.
bool create_creature_file();
// Joins the creature file to the open save commit (or writes it in a
// commit of its own); nothing when it was never read in this game.
bool save_creature_file();
// Forgets the file, the table and the map-entry flags (the per-game
// reset).
void reset_creature_tables();

// ------------------------------------------------------------ lookups

// The slot of the living (dead: kind 52) creature on the map whose sotu is
// s, the first such map object in table order; CRE_NO_CREATURE when none.
int cre_by_sotu(uint32_t s);
// After slots were loaded in place of cre_load_into_slot (the map entry):
// notes the identities that more than one slot holds.
void recount_creature_identities();
int dead_cre_by_sotu(uint32_t s);
// Copies the creature with sotu s into out: mode 52 among the dead on the
// map, else among the living; then from the creature file; zeroed when
// none.
void get_creature_record(uint32_t s, int mode, CreatureRecord& out);
// Loads a reference into CreScratch; false (CreScratch unchanged) when the
// reference names no record.
bool read_creature_ref(int ref);
// A template into CreScratch; from 500 up with generate, a fresh creature
// of that kind.
void cre_template_to_scratch(int t, int generate);
// Loads a reference into a free slot: 1000 + slot. With reuse a slot that
// already holds it is answered. A full table first gives back the slots no
// map object or party-stack entry names; CRE_NO_CREATURE when still full or
// when the reference can't be read or holds an empty record (no slot is
// ever overwritten).
int cre_load_into_slot(int reference, int reuse);
// The first used record of the file whose personal name holds the text;
// zeroed when none.
void find_crs_record_by_text(const char* text, CreatureRecord& out);

// ------------------------------------------------------------ writes

// Writes the record at reference ref (1000 and up) of the creature file;
// false for a template, a reference past the file's end or a record of
// class 0 (it would read as free).
bool write_crs_record(int ref, const CreatureRecord& record);
// Writes the record into the first free record of the file (or after the
// last), with its sotu set to the reference: the reference, or
// CRE_NO_CREATURE for a record of class 0.
int append_creature_record(CreatureRecord record);
// append_creature_record, then loaded into a slot: 1000 + slot, or
// CRE_NO_CREATURE.
int append_and_load_creature(const CreatureRecord& record);
// Writes back every loaded creature that is still on the map or on the
// party stack.
void cre_save_to_crs();
// Marks the dead bodies on the map dead and writes them back.
void cre_save_dead_to_crs();

// ------------------------------------------------------------ templates

// The defaults every creature starts from, in CreScratch.
void creature_defaults();
// Templates 500 to 999 made afresh by the species maker.
void docreatures();
// Builds the 1,000 templates and writes "CONSTANT.CRE"; false when it
// could not be written.
bool write_constant_cre();
// Reads "CONSTANT.CRE" (exactly 1,384,000 bytes) into the templates: 1
// when read, 0 when it was missing or damaged (the templates are then made
// anew and written, and the player is told).
int load_constant_cre();
