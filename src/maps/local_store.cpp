// The store of local maps. Only the working record is here so far; the
// store's files come with the local-map store itself.
#include "maps/local_store.h"

ZoomMap zoom_work;

// Not built yet: no cell has a stored map.
int zoom_index_find(int wx, int wy) { return 0; }

// Not built yet: nothing is stored, so nothing is loaded.
int zoom_load_stored(int wx, int wy) { return 0; }

// Not built yet: the local map is not written back.
void zoomsave() {}
