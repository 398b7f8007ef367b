// The plants of the installation: the flora files "flora_*.*" read once a
// game into an index by entry name, the lookup of one entry's definition
// text, the plant item types made from them when a character's catalogue
// is made, and the names under which unknown mushrooms appear.
//
// A flora entry is a header line beginning with "." (".Name. :symbol: (n)
// [flags]") and the data lines after it, up to a line of five characters or
// fewer, joined into one text of [KEY:value] tags.
#pragma once

#include <cstdint>

#include "objects/object_store.h"

constexpr int FLORA_LINE_MOST = 400;     // characters in a line of a flora file
constexpr int FLORA_DATA_BYTES = 2048;   // the joined data of one entry
constexpr int FLORA_FILES_MOST = 50;     // flora files read
constexpr int FLORA_NAME_MOST = 29;      // characters of an entry name
constexpr int FLORA_SHORT_LINE = 5;      // a line this short (or shorter) ends an entry's data
constexpr int UNKNOWN_PLANT_NAME_SLOTS = 100;
constexpr int UNKNOWN_PLANT_NAME_BYTES = 30;

// The data and the header line of the entry last looked up (empty when it
// was not found).
extern char asciidata[FLORA_DATA_BYTES + 1];
extern char asciidata_header[FLORA_LINE_MOST + 1];

// The names an unknown mushroom goes by; a mushroom's record points at one.
extern char unknown_plant_names[UNKNOWN_PLANT_NAME_SLOTS][UNKNOWN_PLANT_NAME_BYTES];

// Reads the flora files (in sorted name order, at most 50) into the index;
// the number of entries. A file that can't be opened ends the reading
// there. Names over 29 characters and data over 2,048 bytes are cut, each
// with a log line. Called once a game (and by load_flora_item_types).
int load_flora_index();
// Forgets the index (the per-game reset).
void clear_flora_index();
int flora_entry_count();
// The entry name of the index's entry i (file order), "" past the end.
const char* flora_entry_name(int i);

// Looks an entry up by its exact name: its data into asciidata and its
// header into asciidata_header; both empty when there is no such entry.
void hae_asciidata(const char* name);

// The bits with the bits of the named herb effects added: each word of
// the list (split at blanks) that equals an effect's name sets its bit.
uint32_t effect_words_to_bits(uint32_t bits, const char* words);

// The plant item type of one entry: its header and its joined data. The
// QUANTITY must lie within 0..255: false (and out untouched) otherwise.
bool make_plant_type(const char* header, const char* data, ObjectRecord& out);
// Stores the flour type of a grain's first part record ("%s-flour"); the
// item type slot, or -1 when the catalogue is full.
int store_flour_type(const ObjectRecord& part);

// Reads every flora entry into the item types (after the built-in
// catalogue): each plant with the parts it yields, and a flour for grain.
void load_flora_item_types();

// Fills the 100 unknown-mushroom names from "messages/ksm_uname_flora.txt",
// repeating the file from its top until all are filled, and writes them to
// "debug_uflora.txt". A missing file, or one without a name, ends the
// program with its message.
void load_unknown_plant_names();
