#include "objects/map_objects.h"

// Not built yet: the map holds no objects that change by themselves.
void update_map_objects() {}
