// Creature templates and the creature file. Not built yet beyond keeping
// the template table and its file.
#include "creatures/creature_files.h"

#include <cstdio>

#include "base/stubs.h"
#include "console/console.h"
#include "game/save_set.h"
#include "maps/world_files.h"
#include "base/debug_log.h"

CreatureRecord CreTemplates[CRE_TEMPLATE_COUNT];

bool write_constant_cre() {
    return write_character_file("CONSTANT.CRE", CreTemplates, sizeof CreTemplates);
}

int read_constant_cre(const std::string& path) {
    FILE* file = open_file_ci(path, "rb");
    if (file == nullptr) return -1;
    int count = 0;
    char line[100];
    CreatureRecord rec;
    while (count < CRE_TEMPLATE_COUNT && std::fread(&rec, sizeof rec, 1, file) == 1) {
        CreTemplates[count] = rec;
        ++count;
        format_text(line, sizeof line, "#%d %.*s", count, int(sizeof rec.name), rec.name);
        debug_log("readguy", line);
    }
    std::fclose(file);
    return count;
}

// Not built yet: the upper kinds are made by the creature subsystem.
void fill_upper_templates() { KSM_STUB("fill_upper_templates"); }

// Not built yet: there is no creature table to write back.
void cre_save_to_crs() { KSM_STUB("cre_save_to_crs"); }

// Not built yet: there is no creature table to load into.
int cre_load_into_slot(int reference, int reuse) {
    KSM_STUB("cre_load_into_slot");
    return -1000;
}
