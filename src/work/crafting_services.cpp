// Requirement titles and the container put-in, as named stubs.
#include "work/crafting_services.h"

#include "base/stubs.h"
#include "objects/object_store.h"

const char* requirement_type_name(int code) {
    KSM_STUB("requirement_type_name");
    switch (code) {
        case 100: return "Broad axe";
        case 101: return "Carving axe";
        case 102: return "Woodsman's axe";
        case 104: return "Splitting axe";
        default: return "A specific item";
    }
}

int Sailioi(int product, int container_id, int, int) {
    KSM_STUB("Sailioi");
    if (!obj_id_is_instance(product) || !obj_id_is_instance(container_id)) return 0;
    ObjectRecord goods;
    ObjectRecord container;
    obj_record(product, goods);
    obj_record(container_id, container);
    // A container's weight is that of what it holds.
    container.contents = product;
    container.weight = goods.weight;
    return obj_write_record(container_id, container) ? 1 : 0;
}
