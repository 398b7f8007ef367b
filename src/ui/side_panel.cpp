// The side panel. Not built yet: the command line keeps its text so that
// what a command named can be seen; the rest draws nothing.
#include "ui/side_panel.h"

#include <cstring>

#include "ui/platform.h"

char command_line_text[100] = "";

void show_command_line(const char* text) {
    if (!text || std::strcmp(text, "INIT") == 0) {
        command_line_text[0] = '\0';
        return;
    }
    copy_text(command_line_text, text);
}
void show_repeat_line(int) {}
void draw_movement_box() {}
void refresh_status_panel() {}
void draw_season_box() {}

// ---------------------------------------------------------- sound bearing

#include <cmath>

#include "maps/map_layers.h"
#include "shell/commands.h"

int sound_bearing(int x, int y) {
    // North is 0 and east 90, with y growing southward.
    int a = int(std::ceil(std::atan2(double(y - player_y), double(x - player_x)) * 57.2958)) + 90;
    if (a > 360) a -= 360;
    static const int facing_angle[8] = {90, 45, 0, 315, 270, 225, 180, 135};
    int f = (facing >= 0 && facing < 8) ? facing_angle[facing] : 90;
    int bearing = (a - f) % 360;
    if (bearing < 0) bearing += 360;
    return bearing;
}
