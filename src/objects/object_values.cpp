#include "objects/object_values.h"

#include "base/stubs.h"

// Not built yet: barter valuation comes with trade; until then one unit is
// worth its record's price (which is kept x 8).
float obj_value(const ObjectRecord& record) {
    KSM_STUB("obj_value");
    return record.price / 8.0f;
}
