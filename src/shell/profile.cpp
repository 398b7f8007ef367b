// The physical profile. Not built yet: notes its call.
#include "shell/profile.h"

#include "console/console.h"

int physical_profile(int) {
    note_stub_call("physical_profile");
    return 0;
}
