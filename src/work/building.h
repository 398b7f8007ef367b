// Building structures and taking them down: the building work, its paused
// constructions and their stage words. Not built yet: nothing is built or
// taken down (see each).
#pragma once

// Builds the structure of the code (0 continues a paused one); in
// deconstruct mode reads its recipe. 1 when the work finished. Not built
// yet: 0.
int build_structure(int code, int deconstruct);
// Keeps a paused construction at (x, y) with the minutes done and needed.
// Not built yet: nothing.
void build_pause(int x, int y, int code, int minutes_done, int minutes_needed);
// "<stage> <structure> (under construction)" of a construction record.
// Not built yet: "".
const char* construction_stage_text(int index);
// Takes down the structure at (x, y) (0 to ask; worker -1 the player).
// Not built yet: 0.
int deconstruct_structure(int x, int y, int worker);
// Frees every work record (kind 126) at the square. Not built yet: nothing.
void free_kind126_objects_at(int x, int y);
