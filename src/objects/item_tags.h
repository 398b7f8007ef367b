// Item definition tags: one [KEY:value] tag text applied to an item record
// ("[NAME:silver ring]", "[TYPE:valuable]", "[WEIGHT:3 g]" ...), the garment
// coverage table and the armour dump.
#pragma once

#include <cstdint>

struct ObjectRecord;

// Applies a tag text to the record. The keys are looked for in a fixed
// order; most of them end the parse, so a text holding several tags has only
// some of them applied (CARB, FAT, PROTEIN, WATER and LENGTH go on).
void apply_item_tag(const char* tag, ObjectRecord& record);

// The three coverage bytes of a garment code (0..31; other codes none).
struct GarmentCoverage {
    uint8_t first, second, third;
};
GarmentCoverage garment_coverage(int code);

// Writes "debug_armour.txt": the garment table and the coverage of every
// armour type. False when the file could not be written.
bool armourdump(const char* title);
