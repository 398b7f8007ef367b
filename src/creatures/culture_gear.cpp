// The gear of the cultures: the item-name list and its last step; the rest
// is not built yet and gives neutral answers.
#include "creatures/culture_gear.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "objects/object_store.h"

namespace {
char item_names[ITEM_NAME_LIST_SIZE][ITEM_NAME_BYTES];
}  // namespace

void clear_item_name_list() { std::memset(item_names, 0, sizeof item_names); }

void add_item_name(const char* name) {
    for (char* entry : item_names)
        if (entry[0] == 0) {
            copy_text(entry, ITEM_NAME_BYTES, name);
            return;
        }
}

int item_name_list_count() {
    int n = 0;
    while (n < ITEM_NAME_LIST_SIZE && item_names[n][0] != 0) ++n;
    return n;
}

const char* item_name_list_at(int index) {
    return index >= 0 && index < ITEM_NAME_LIST_SIZE ? item_names[index] : "";
}

int random_item_quality(int grade) {
    (void)grade;
    KSM_STUB("random_item_quality");
    return 3;
}

int random_clothing_variant(int grade) {
    (void)grade;
    KSM_STUB("random_clothing_variant");
    return 1;
}

int Arvo_Esine_Listasta() {
    const int n = item_name_list_count();
    if (n == 0) return obj_template_by_name("BRANCH", 1);
    const char* name = item_names[random_below(n)];
    const int type = obj_template_by_name(name, 1);
    if (type == 0) {
        char line[160];
        format_text(line, sizeof line, "no item type named %s", name);
        debug_log("culture!", line);
    }
    return type;
}

int pick_footwear(int) { KSM_STUB("pick_footwear"); return 0; }
int pick_legwear(int) { KSM_STUB("pick_legwear"); return 0; }
int pick_undershirt(int) { KSM_STUB("pick_undershirt"); return 0; }
int pick_shirt(int) { KSM_STUB("pick_shirt"); return 0; }
int pick_headwear(int) { KSM_STUB("pick_headwear"); return 0; }
int pick_belt(int) { KSM_STUB("pick_belt"); return 0; }
int random_culture_weapon_name(int) { KSM_STUB("random_culture_weapon_name"); return 0; }
int random_sundry_item_name(int) { KSM_STUB("random_sundry_item_name"); return 0; }
int random_bow_name(int) { KSM_STUB("random_bow_name"); return 0; }
