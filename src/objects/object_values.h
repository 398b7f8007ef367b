// What things are worth in trade.
#pragma once

#include "objects/object_store.h"

// The trade value of one unit of the item.
float obj_value(const ObjectRecord& record);
