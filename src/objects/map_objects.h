// The map objects of the current map and their per-turn update.
#pragma once

// The per-turn pass over the current map's objects: fires burn down, timed
// objects expire, each creature on the map takes its turn.
void update_map_objects();
// Puts what travelled on the party stack onto the new map and empties the
// stack.
void unpack_party_stack();
