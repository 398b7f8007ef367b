// The object store's tables and files. The catalogue and the operations on
// records come with the objects subsystem.
#include "objects/object_store.h"

#include <cstdio>
#include <cstring>

#include "base/stubs.h"
#include "console/console.h"
#include "base/debug_log.h"

ObjectRecord ItemTypes[ITEM_TYPE_COUNT];
ObjectRecord Objects[OBJECT_INSTANCE_COUNT];

bool save_object_store(const std::string& path) { return write_records(path, Objects, OBJECT_INSTANCE_COUNT); }

bool save_item_types(const std::string& path) { return write_records(path, ItemTypes, ITEM_TYPE_COUNT); }

void clear_object_store() { std::memset(Objects, 0, sizeof Objects); }

int load_object_store(const std::string& path) {
    FILE* file = open_file_ci(path, "rb");
    if (file == nullptr) return -1;
    int count = 0;
    char line[200];
    for (int i = 0; i < OBJECT_INSTANCE_COUNT; ++i) {
        ObjectRecord rec;
        if (std::fread(&rec, sizeof rec, 1, file) != 1) {
            std::memset(&Objects[i], 0, sizeof(ObjectRecord) * size_t(OBJECT_INSTANCE_COUNT - i));
            break;
        }
        Objects[i] = rec;
        ++count;
        if (rec.item_class != 0) {
            format_text(line, sizeof line, "#%d/%d %.*s", i, OBJECT_INSTANCE_COUNT, int(sizeof rec.name), rec.name);
            debug_log("readguy", line);
        }
    }
    std::fclose(file);
    return count;
}

bool load_item_types(const std::string& path) { return read_records(path, ItemTypes, ITEM_TYPE_COUNT); }

void apply_item_tag(const char* tag, ObjectRecord& rec) {
    (void)tag;
    (void)rec;
    KSM_STUB("apply_item_tag");
}

void wear_starting_clothes() { KSM_STUB("wear_starting_clothes"); }
