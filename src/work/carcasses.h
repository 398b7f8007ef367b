// Carcasses: butchering and skinning, the raw skin and the tanned hide made
// from them, and what is left of an eaten carcass. Not built yet: nothing
// is cut and nothing is made (see each).
#pragma once

struct CreatureRecord;
struct ObjectRecord;

// Mode 0 checks, mode 1 works a step (worker -1 the player, else a
// creature slot); 1 when work was done or goes on, 0 when refused. Not
// built yet: 0.
int butcher_carcass(int carcass, int worker, int mode);
// Mode 0 a silent test, mode 1 works. Not built yet: 0.
int skin_carcass(int carcass, int worker, int mode);
// Clears what is left of an eaten carcass at (x, y). Not built yet:
// nothing.
void remove_carcass_remains(int worker, int x, int y);
// The raw skin of a creature, of a grade and the remaining share of it.
// Not built yet: out is left as it was.
void make_skin_record(int grade, float share, const CreatureRecord& creature, ObjectRecord& out);
// The finished fur or leather of a hide. Not built yet: out is left as it
// was.
void make_tanned_hide_record(int grade, float weight, const ObjectRecord& hide, ObjectRecord& out);
