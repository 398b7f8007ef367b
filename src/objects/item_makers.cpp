#include "objects/item_makers.h"

#include "base/stubs.h"

// Not built yet: the items come with their definitions; the out record is
// left as it was.
void apply_armour_coverage(const char*, ObjectRecord&) { KSM_STUB("apply_armour_coverage"); }
void make_antler_item(ObjectRecord&, const CreatureRecord&) { KSM_STUB("make_antler_item"); }
void make_bark_strip_item(int, ObjectRecord&) { KSM_STUB("make_bark_strip_item"); }
void make_fibre_item(const char*, ObjectRecord&) { KSM_STUB("make_fibre_item"); }
void make_garment_strip_item(const char*, ObjectRecord&) { KSM_STUB("make_garment_strip_item"); }
void make_hare_paw_item(const char*, ObjectRecord&) { KSM_STUB("make_hare_paw_item"); }
void make_herb_item(const char*, ObjectRecord&) { KSM_STUB("make_herb_item"); }
void make_wedge_item(ObjectRecord&) { KSM_STUB("make_wedge_item"); }
void make_yarn_item(int, ObjectRecord&, const char*) { KSM_STUB("make_yarn_item"); }
void obj_put_in_new_bag(int, ObjectRecord&) { KSM_STUB("obj_put_in_new_bag"); }
