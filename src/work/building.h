// Building structures and taking them down: the building work, its paused
// constructions and their stage words. Not built yet: nothing is built or
// taken down (see each).
#pragma once

// The building work and its paused constructions: work/work_services.h.
// "<stage> <structure> (under construction)" of a construction record.
// Not built yet: "".
const char* construction_stage_text(int index);
// Takes down the structure at (x, y) (0 to ask; worker -1 the player).
// Not built yet: 0.
int deconstruct_structure(int x, int y, int worker);
// Frees every work record (kind 126) at the square. Not built yet: nothing.
void free_kind126_objects_at(int x, int y);
