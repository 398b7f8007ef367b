#include "game/goods_storage.h"

#include "base/stubs.h"

// Not built yet: settlements have no storage places; nothing is stored, so
// the goods stay where they are kept.
int store_goods_in_area(int, int, int, int) {
    KSM_STUB("store_goods_in_area");
    return 0;
}
