#include "objects/object_looks.h"

#include "base/stubs.h"

#include "base/platform.h"
#include "base/text_ring.h"
#include "objects/object_store.h"

// Not built yet: no object records, so no tile.
const char* object_tile_name(int object_id) { KSM_STUB("object_tile_name"); return ""; }
int object_item_class(int object_id) {
    if (!obj_id_is_valid(object_id)) return 0;
    ObjectRecord r;
    return obj_record(object_id, r).item_class;
}
// Not built yet: no light items are known to be lit.
int lit_light_radius(int object_id) { KSM_STUB("lit_light_radius"); return 0; }
// Not built yet: no fuel is recorded.
int light_item_fuel(int object_id) { KSM_STUB("light_item_fuel"); return 0; }
// Not built yet: nothing to update.
void set_light_item_fuel(int object_id, int fuel) { KSM_STUB("set_light_item_fuel"); }
// Not built yet: a plain word for any object.
const char* obj_name(int object_id, int count, int flags) { KSM_STUB("obj_name");
    char* t = next_ring_text();
    copy_text(t, 64, count == 1 ? "item" : "items");
    return t;
}
