// Who owns a thing: the village an item or a map item belongs to, or
// nobody. Not built yet: everything is free.
#pragma once

#include <cstdint>

struct OwnerStatus {
    int32_t spare_1;
    int32_t owner;  // the owning village's id, 0 nobody
    int32_t spare_2;
    uint8_t free;   // 1 when nobody owns it
};

// The ownership of the map record at index i.
OwnerStatus map_item_owner_status(int index);
