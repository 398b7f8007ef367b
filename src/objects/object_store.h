// The object store: the 400 item types ("CONSTANT.OBJ") and the character's
// 49,900 object instances ("<name>.OBJ"), one 172-byte record each, the
// working records through which the game reads and changes them, and the
// operations on both tables: lookup by id, new instances (identical ones
// merge into one id), writing back, defining item types, the stacking
// comparison and the searches of the item types by kind and by name.
//
// Object ids: 1..399 an item type (ItemTypes[id]); 50000..99899 an instance
// (Objects[id - 50000]); anything else is no object.
//
// Write instances only through the functions below (obj_new_instance,
// obj_store_record, obj_store_new, obj_write_record, obj_clear_record on a
// slot). Code that changes Objects directly (a migration, a fixture) calls
// obj_store_changed() afterwards: the store keeps an index of its used
// slots and a hint of the lowest free one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/platform.h"

struct ObjectRecord {
    uint8_t item_class;          // 0: free slot or blank type; 1 weapon, 2 armour, 3 container,
                                 // 5 skin, 6 tool, 7 food, 8 timber, 9 vehicle, 10 valuable, 11 plant
    uint8_t reserved_1[3];
    int32_t kind;                // item kind code, shared by several types
    uint8_t subclass;            // class-dependent sub-kind (tools: 9 leash, 14 light)
    char name[40];
    char skill[27];              // upper case; "tuntematon" when none
    char tile[13];               // tile picture
    uint8_t spoilage_days;       // 1..254 days left; 255 spoiled
    uint8_t symbol;              // symbol code for map drawing
    uint8_t reserved_91;
    float price;                 // whole item, x 8
    uint8_t blunt;               // weapons: attack 0..9, 200 none; food: carbohydrate; armour
    uint8_t edge;                // weapons: attack; food: fat; armour
    uint8_t point;               // weapons: attack; food: protein; armour
    uint8_t protection4;         // armour
    uint8_t length;              // feet when unit is 5; armour
    uint8_t full_length;         // length when whole; armour
    uint8_t state_bits;          // instances: OBJ_IN_FIRST_HAND, OBJ_IN_SECOND_HAND, OBJ_WORN
    uint8_t reserved_103;
    int16_t link;                // leash: tied creature; light: 1 lit; breads: 2
    uint8_t coverage[3];         // armour: body-part bits; weapons: one-hand penalty in [0]
    uint8_t rating;              // class-dependent; a lit light's radius
    uint8_t reserved_110[2];
    float weight;                // pounds; containers: the contents
    float full_weight;           // pounds when whole; containers: capacity
    int32_t contents;            // object id held by a container, 0 empty
    uint8_t extra_a;
    uint8_t MAGIC;               // special-item code; non-zero keeps the instance
    uint8_t extra_b;
    uint8_t container_weight10;  // containers: own weight x 10, rounded up
    int32_t extra_value;
    uint32_t effect_boiled;      // herb-effect bits when boiled
    uint32_t effect_raw;         // food: effects eaten raw; tools, weapons: attached part id
    uint32_t material;           // MATERIAL_* bits
    uint8_t Laatumuuttuja;
    uint8_t Laatu;
    uint8_t reserved_146;
    uint8_t un_id;               // plants: the plant-type index
    uint8_t water;               // food: water content
    uint8_t special_kind;        // OBJ_SPECIAL_KIND: a village's item not for trade
    uint8_t reserved_150[2];
    float unit_price;            // per pound, x 8; 0: priced by price
    int16_t x;                   // world cell where an owned item was taken; 0 not stamped
    int16_t y;
    int32_t ownerID;             // owning village, 0 nobody
    uint8_t ownflag;             // ownership bits
    uint8_t quality;             // low three bits grade 1..5 (0 counts as 3); OBJ_GRADE_KNOWN
    uint8_t unit;                // 0 count, 1 fistful, 2 pinch, 3 bunch, 4 pile, 5 feet, 6 ball,
                                 // 7 sheet, 8 bundle
    uint8_t ad_class;            // low nibble attack class, high nibble defence class, 0..6 each
    uint8_t reserved_168[4];
};
KSM_RECORD(ObjectRecord, 172);
KSM_OFFSET(ObjectRecord, item_class, 0);
KSM_OFFSET(ObjectRecord, reserved_1, 1);
KSM_OFFSET(ObjectRecord, kind, 4);
KSM_OFFSET(ObjectRecord, subclass, 8);
KSM_OFFSET(ObjectRecord, name, 9);
KSM_OFFSET(ObjectRecord, skill, 49);
KSM_OFFSET(ObjectRecord, tile, 76);
KSM_OFFSET(ObjectRecord, spoilage_days, 89);
KSM_OFFSET(ObjectRecord, symbol, 90);
KSM_OFFSET(ObjectRecord, reserved_91, 91);
KSM_OFFSET(ObjectRecord, price, 92);
KSM_OFFSET(ObjectRecord, blunt, 96);
KSM_OFFSET(ObjectRecord, edge, 97);
KSM_OFFSET(ObjectRecord, point, 98);
KSM_OFFSET(ObjectRecord, protection4, 99);
KSM_OFFSET(ObjectRecord, length, 100);
KSM_OFFSET(ObjectRecord, full_length, 101);
KSM_OFFSET(ObjectRecord, state_bits, 102);
KSM_OFFSET(ObjectRecord, reserved_103, 103);
KSM_OFFSET(ObjectRecord, link, 104);
KSM_OFFSET(ObjectRecord, coverage, 106);
KSM_OFFSET(ObjectRecord, rating, 109);
KSM_OFFSET(ObjectRecord, reserved_110, 110);
KSM_OFFSET(ObjectRecord, weight, 112);
KSM_OFFSET(ObjectRecord, full_weight, 116);
KSM_OFFSET(ObjectRecord, contents, 120);
KSM_OFFSET(ObjectRecord, extra_a, 124);
KSM_OFFSET(ObjectRecord, MAGIC, 125);
KSM_OFFSET(ObjectRecord, extra_b, 126);
KSM_OFFSET(ObjectRecord, container_weight10, 127);
KSM_OFFSET(ObjectRecord, extra_value, 128);
KSM_OFFSET(ObjectRecord, effect_boiled, 132);
KSM_OFFSET(ObjectRecord, effect_raw, 136);
KSM_OFFSET(ObjectRecord, material, 140);
KSM_OFFSET(ObjectRecord, Laatumuuttuja, 144);
KSM_OFFSET(ObjectRecord, Laatu, 145);
KSM_OFFSET(ObjectRecord, reserved_146, 146);
KSM_OFFSET(ObjectRecord, un_id, 147);
KSM_OFFSET(ObjectRecord, water, 148);
KSM_OFFSET(ObjectRecord, special_kind, 149);
KSM_OFFSET(ObjectRecord, reserved_150, 150);
KSM_OFFSET(ObjectRecord, unit_price, 152);
KSM_OFFSET(ObjectRecord, x, 156);
KSM_OFFSET(ObjectRecord, y, 158);
KSM_OFFSET(ObjectRecord, ownerID, 160);
KSM_OFFSET(ObjectRecord, ownflag, 164);
KSM_OFFSET(ObjectRecord, quality, 165);
KSM_OFFSET(ObjectRecord, unit, 166);
KSM_OFFSET(ObjectRecord, ad_class, 167);
KSM_OFFSET(ObjectRecord, reserved_168, 168);

// Item classes.
enum : uint8_t {
    ITEM_WEAPON = 1,
    ITEM_ARMOUR = 2,
    ITEM_CONTAINER = 3,
    ITEM_SKIN = 5,
    ITEM_TOOL = 6,
    ITEM_FOOD = 7,
    ITEM_TIMBER = 8,
    ITEM_VEHICLE = 9,
    ITEM_VALUABLE = 10,
    ITEM_PLANT = 11,
    ITEM_CARCASS = 12,  // a dead animal carried as an item; on the ground it is a carcass
};

// Bits of state_bits.
constexpr uint8_t OBJ_IN_FIRST_HAND = 0x80;
constexpr uint8_t OBJ_WORN = 0x20;
constexpr uint8_t OBJ_IN_SECOND_HAND = 0x10;
// Bits of quality: the grade and whether the player knows it.
constexpr uint8_t OBJ_GRADE_MASK = 0x07;
constexpr uint8_t OBJ_GRADE_KNOWN = 0x80;
// The bit of special_kind that marks a village's item that is not for trade.
constexpr uint8_t OBJ_SPECIAL_KIND = 0x08;
// ownflag: the bit that stacks with an unmarked record.
constexpr uint8_t OBJ_OWNFLAG_STACKS_WITH_NONE = 0x40;
// Material bits.
constexpr uint32_t MATERIAL_WOOD = 0x1;
constexpr uint32_t MATERIAL_IRON = 0x2;
constexpr uint32_t MATERIAL_LEATHER = 0x4;
constexpr uint32_t MATERIAL_FUR = 0x8;
constexpr uint32_t MATERIAL_BARK = 0x10;
constexpr uint32_t MATERIAL_CLOTH = 0x20;
constexpr uint32_t MATERIAL_WOOL = 0x40;
constexpr uint32_t MATERIAL_ROCK = 0x80;
constexpr uint32_t MATERIAL_BONE = 0x100;
constexpr uint32_t MATERIAL_ANTLER = 0x200;
constexpr uint32_t MATERIAL_BRONZE = 0x400;
constexpr uint32_t MATERIAL_SILVER = 0x800;
constexpr uint32_t MATERIAL_WINTER = 0x1000;  // a winter variant; no MATERIAL word sets it
constexpr uint32_t MATERIAL_YARN = 0x2000;

constexpr int ITEM_TYPE_COUNT = 400;
constexpr int OBJECT_INSTANCE_COUNT = 49900;
constexpr int FIRST_INSTANCE_ID = 50000;
constexpr int LAST_INSTANCE_ID = FIRST_INSTANCE_ID + OBJECT_INSTANCE_COUNT - 1;  // 99899
constexpr long long ITEM_TYPE_FILE_SIZE = 172LL * ITEM_TYPE_COUNT;         // 68,800
constexpr long long OBJECT_STORE_FILE_SIZE = 172LL * OBJECT_INSTANCE_COUNT;  // 8,582,800
// Instances stored from this slot on raise obj_table_nearly_full.
constexpr int OBJ_NEARLY_FULL_SLOT = 49851;
// New instances between two requests for maintenance.
constexpr int OBJ_MAINTENANCE_SPACING = 500;
// The name of a blank catalogue slot and of the cleared working record: no
// name search matches it.
constexpr const char* UNMATCHABLE_NAME = "*unmatchablestring*";
// The skill of a blank record.
constexpr const char* NO_SKILL = "tuntematon";

extern ObjectRecord ItemTypes[ITEM_TYPE_COUNT];
extern ObjectRecord Objects[OBJECT_INSTANCE_COUNT];
// The working record that commands load, change and write back.
extern ObjectRecord current_object;
// The record item types are copied through; a lookup of an invalid id
// hands it back unchanged.
extern ObjectRecord type_scratch;
// Raised when an instance lands in slot 49,851 or above (at most once per
// 500 new instances since the last maintenance); the command reader then
// runs the object maintenance, which clears it.
extern uint8_t obj_table_nearly_full;
// New instances since maintenance was last asked for or run (the
// maintenance sets it to 0).
extern int32_t obj_new_since_maintenance;
// Settings for the next obj_template_by_kind, which resets both to 0: a
// class that must not match, and a random choice among the matches.
extern int32_t template_excluded_class;
extern int32_t template_random_choice;

inline bool obj_id_is_type(int id) { return id >= 1 && id < ITEM_TYPE_COUNT; }
inline bool obj_id_is_instance(int id) { return id >= FIRST_INSTANCE_ID && id <= LAST_INSTANCE_ID; }
inline bool obj_id_is_valid(int id) { return obj_id_is_type(id) || obj_id_is_instance(id); }

// Copies the record of an id into out and returns out: an item type goes
// through type_scratch; an invalid id copies type_scratch as it stands
// (callers test the id or item_class).
ObjectRecord& obj_record(int id, ObjectRecord& out);
// The same into current_object; ids above 99899 clear it to zero bytes.
void obj_load_current(int id);
// Copies item type id into type_scratch (1..399; other ids do nothing).
void obj_type_to_scratch(int id);
// A new instance of item type t (1..399), or with t = 0 of type_scratch as
// the caller left it; an instance id is returned unchanged. 0 when t is not
// a type id or the table is full even after maintenance (the player is
// warned once a game); nothing held is ever overwritten.
int obj_new_instance(int t);
// The id of an existing instance that stacks with the record (the walk from
// slot 0 up to the first free slot), else the record stored as a new
// instance in that free slot. 0 when the table is full.
int obj_store_record(ObjectRecord record);
// The record stored as a new instance in the first free slot, without
// looking for an identical one. 0 when the table is full.
int obj_store_new(ObjectRecord record);
// Overwrites an instance with the record; false for an id that is not an
// instance.
bool obj_write_record(int id, ObjectRecord record);
// Defines an item type from current_object: slot s (0..399); with s = -1 the
// type of the same name (case-blind) or the first blank type; with s < -1
// the type of the same name, kind and class, or the first blank type.
// full_weight is raised to weight first. The slot written, or -1.
int obj_store_template(int s);
// Whether a new record b counts as one object with the stored record a.
bool obj_can_stack(const ObjectRecord& a, const ObjectRecord& b);
// Same class; food also the same kind, weapons the same skill, timber the
// same subclass and kind.
bool obj_same_sort(ObjectRecord a, ObjectRecord b);
// Same class, kind, subclass, skill and name (exact texts).
bool obj_same_item(ObjectRecord a, ObjectRecord b);
// The grade (above 5 counts as 5, below 0 as 0) into the low three bits of
// quality; the upper five bits stay.
void obj_set_quality(int grade, ObjectRecord& record);
// An item type of kind k (not of template_excluded_class, never a blank
// one): the first, or with template_random_choice one of up to 100 at
// random. out's name, class and kind are cleared first and stay so when
// none matches. Resets both settings.
ObjectRecord& obj_template_by_kind(int k, ObjectRecord& out);
// An item type by name: "*RANDOM*" any ordinary type (no plants, no kinds
// 55, 61, 69, 434); otherwise one at random of those whose upper-cased name
// holds the pattern ending at a word's end (exact: equals it). The type id,
// 0 when none; current_object holds the type returned.
int obj_template_by_name(const char* pattern, int exact);
// Index 0..399 of the first item type of kind k, or -1.
int obj_template_index_by_kind(int k);
// Kind of the first item type named exactly so (case counts), or 0.
int obj_kind_by_template_name(const char* name);
// Makes the record blank: zero bytes, skill "tuntematon". An instance slot
// cleared so becomes free.
void obj_clear_record(ObjectRecord& record);
// current_object blank, named "*unmatchablestring*".
void obj_clear_staging();
// Zeroes the reserved bytes of a record (they go to disk as zero).
void obj_clear_reserved(ObjectRecord& record);
// Plants and plant parts: class 11 and the kinds 61, 430..438 and 513.
bool obj_is_plant(const ObjectRecord& record);
// True when the record's skill name is exactly "SHIELD".
bool obj_is_shield(const ObjectRecord& record);
// The instances in use.
int count_object_instances();

// Tell the store that Objects was changed directly: the index of used slots
// is rebuilt and the free-slot hint starts again from slot 1.
void obj_store_changed();
// Frees every object instance, the item types kept (a new character starts
// with none of an earlier one's objects).
void clear_object_store();
// The per-game reset: both tables blank, the working records, flags,
// settings and counters cleared.
void reset_object_store();

// Whole-file writes (atomic); reserved bytes go out as zero. False when the
// file could not be written.
bool save_object_store(const std::string& path);
bool save_item_types(const std::string& path);
// Reads the instances, then passes each through current_object, logging
// each used one on the "readguy" channel; slots past the end of a short
// file are cleared. -1 when the file can't be opened, else the records read.
int load_object_store(const std::string& path);
// After the first `records` slots of Objects were filled from a file: each
// passes through current_object, one "readguy" line per used record, and
// the store's index is built anew.
void objects_loaded(int records = OBJECT_INSTANCE_COUNT);
// Reads "CONSTANT.OBJ"; false (table unchanged) unless it is 68,800 bytes.
bool load_item_types(const std::string& path);

// Marks as worn every armour or clothing instance of amount 1 that the
// player carries (a new character's first entry): plr_wear_starting_armour
// of objects/inventory.h.
void wear_starting_clothes();
