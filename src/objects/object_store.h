// The object store: the 400 item types ("CONSTANT.OBJ") and the character's
// 49,900 object instances ("<name>.OBJ"), one 172-byte record each.
// The item catalogue itself comes with the objects subsystem; until then the
// tables are kept, saved and loaded whole, and nothing fills them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/platform.h"

struct ObjectRecord {
    uint8_t item_class;   // 0: free slot (instances) or blank type
    uint8_t reserved_1[3];
    int32_t kind;         // item kind code
    uint8_t subclass;
    char name[40];        // 9
    char skill[27];       // 49
    uint8_t rest[96];     // 76: the fields of the objects subsystem
};
KSM_RECORD(ObjectRecord, 172);
KSM_OFFSET(ObjectRecord, kind, 4);
KSM_OFFSET(ObjectRecord, name, 9);
KSM_OFFSET(ObjectRecord, skill, 49);

constexpr int ITEM_TYPE_COUNT = 400;
constexpr int OBJECT_INSTANCE_COUNT = 49900;
constexpr long long ITEM_TYPE_FILE_SIZE = 172LL * ITEM_TYPE_COUNT;         // 68,800
constexpr long long OBJECT_STORE_FILE_SIZE = 172LL * OBJECT_INSTANCE_COUNT;  // 8,582,800

extern ObjectRecord ItemTypes[ITEM_TYPE_COUNT];
extern ObjectRecord Objects[OBJECT_INSTANCE_COUNT];

// Object ids: 1 to 399 name an item type, 50000 to 99899 an instance (its
// slot in Objects plus 50000); anything else is no object.
constexpr int OBJECT_ID_FIRST = 50000;
constexpr bool is_instance_id(int id) { return id >= OBJECT_ID_FIRST && id < OBJECT_ID_FIRST + OBJECT_INSTANCE_COUNT; }
constexpr int instance_slot(int id) { return id - OBJECT_ID_FIRST; }

// Frees every object instance (a new character starts with none).
void clear_object_store();
// Whole-file writes (atomic); false when the file could not be written.
bool save_object_store(const std::string& path);
bool save_item_types(const std::string& path);
// Reads the instances record by record; slots past the end of a short file
// are cleared. -1 when the file can't be opened, else the records read.
int load_object_store(const std::string& path);
// Reads "CONSTANT.OBJ"; false (table unchanged) unless it is 68,800 bytes.
bool load_item_types(const std::string& path);

// Applies one [KEY:value] item tag (such as "[LENGTH:15]") to an item
// record. Not built yet: the item fields come with the objects subsystem;
// the record is left as it is.
void apply_item_tag(const char* tag, ObjectRecord& rec);
// Marks as worn every armour or clothing instance of amount 1 that the
// player carries (a new character's first entry). Not built yet: nothing
// is worn.
void wear_starting_clothes();
