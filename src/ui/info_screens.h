// Information screens: armour coverage and the message log viewer.
// Not built yet.
#pragma once

void armour_coverage_screen(int mode, const char* item_name);
void message_log_viewer();
