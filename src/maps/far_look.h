// Far look and location descriptions. Not built yet.
#pragma once

void far_look_command();
// Mode 1 a cell next to the player, 2 far away.
void describe_location(int x, int y, int mode);
