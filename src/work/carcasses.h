// Carcasses: butchering and skinning, the raw skin and the tanned hide made
// from them, and what is left of an eaten carcass. Not built yet: nothing
// is cut and nothing is made (see each).
#pragma once

// Butchering and the skin and hide records: work/work_services.h.
// Mode 0 a silent test, mode 1 works. Not built yet: 0.
int skin_carcass(int carcass, int worker, int mode);
// Clears what is left of an eaten carcass at (x, y). Not built yet:
// nothing.
void remove_carcass_remains(int worker, int x, int y);
