// Creature templates ("CONSTANT.CRE") and the character's creature file.
// The creature record's fields and the making of templates come with the
// creature subsystem; until then the templates are kept, saved and loaded
// whole.
#pragma once

#include <cstdint>
#include <string>

#include "base/platform.h"

struct CreatureRecord {
    uint8_t body_class;   // 0: empty record
    uint8_t status;
    char name[30];        // 2: fewer than 3 characters marks a broken record
    uint8_t rest[1352];   // the fields of the creature subsystem
};
KSM_RECORD(CreatureRecord, 1384);

constexpr int CRE_TEMPLATE_COUNT = 1000;
constexpr long long CRE_TEMPLATE_FILE_SIZE = 1384LL * CRE_TEMPLATE_COUNT;  // 1,384,000

extern CreatureRecord CreTemplates[CRE_TEMPLATE_COUNT];

// Writes "<character folder>/CONSTANT.CRE" with the 1,000 templates.
bool write_constant_cre();
// Reads templates record by record until the end of the file, at most
// 1,000; a trailing partial record is ignored. -1 when it can't be opened,
// else the count read.
int read_constant_cre(const std::string& path);
// Fills the templates of the upper kinds (500 to 999) at game start.
void fill_upper_templates();
// Writes the creatures of the current map back to the creature file.
void cre_save_to_crs();
// Loads a creature (a template kind code below 1000, else a reference of
// the creature file) into a free slot of the creature table; 1000 + the
// slot, or -1000 when nothing was loaded. With reuse a creature already
// loaded keeps its slot.
int cre_load_into_slot(int reference, int reuse);
