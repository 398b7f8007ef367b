// Movement commands. Not built yet: each notes its call and gives a
// neutral answer.
#include "creatures/movement_commands.h"

#include "console/console.h"
#include "shell/player.h"
#include "ui/text_ring.h"
#include "ui/platform.h"

void MovePlayer(int) { note_stub_call("MovePlayer"); }
void movement_menu() { note_stub_call("movement_menu"); }
void toggle_hiding() { note_stub_call("toggle_hiding"); }
void toggle_walk_run() { note_stub_call("toggle_walk_run"); }
int open_door(int, int) {
    note_stub_call("open_door");
    return 0;
}
int close_door() {
    note_stub_call("close_door");
    return 0;
}
void plr_enter_water(int, int) { note_stub_call("plr_enter_water"); }

const char* movement_mode_text() {
    char* out = next_ring_text();
    const char* word = "Not walking";
    switch (plr.travel_mode) {
    case 1: word = "Walking"; break;
    case 2: word = "Swimming"; break;
    case 3: word = "Rowing"; break;
    case 4: word = "Wading"; break;
    case 7: word = "Skiing"; break;
    case 9: word = "Hauling"; break;
    default: break;
    }
    copy_text(out, TEXT_RING_BYTES, word);
    return out;
}
