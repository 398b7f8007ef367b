// Filling, milking, emptying and pouring.
#include "objects/containers.h"

#include "base/stubs.h"
#include "ui/message_line.h"

void fill_command(int) { KSM_STUB("fill_command"); show_message("!Not available yet."); }
void empty_command(int) { KSM_STUB("empty_command"); show_message("!Not available yet."); }
int Kaada_Astiaan(int) { KSM_STUB("Kaada_Astiaan"); show_message("!Not available yet."); return 0; }
