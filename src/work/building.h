// Building structures and taking them down: the building work, its paused
// constructions and their stage words. Taking down is not built yet.
#pragma once

// The building work and its paused constructions: work/work_services.h.
// "<stage> <structure> (under construction)" of a construction record
// (ring text; "" for a record that is none).
const char* construction_stage_text(int index);
// Takes down the structure at (x, y) (0 to ask; worker -1 the player).
// Not built yet: 0.
int deconstruct_structure(int x, int y, int worker);
// Frees every work record (kind 126) at the square.
void free_kind126_objects_at(int x, int y);
