// Choosing targets and locations. Not built yet: notes the call and
// cancels.
#include "ui/targets.h"

#include "console/console.h"

int32_t target_x = 0, target_y = 0;

int choose_target_location(int, const char*) {
    note_stub_call("choose_target_location");
    return 0;
}
