// The help and options menu.
#include "screens/help_menu.h"

#include "base/config.h"
#include "game/clock.h"
#include "screens/setup_options.h"
#include "screens/side_panel.h"
#include "ui/canvas.h"
#include "ui/input.h"
#include "ui/menus.h"

namespace {
constexpr int MENU_F1 = 1030;  // the command menu's code for an "F1." entry
}

int help_and_options_menu() {
    const bool controller = ini_flag_default_no("KSM_CONTROLLER");
    menu_clear();
    menu_add('?', "Keyboard commands");
    // Longer labels are cut at 34 characters with "..", by the menu itself.
    menu_add('Q', controller ? "Quit the game" : "Quit and optionally save");
    if (!controller) menu_add('O', "Setup options");
    menu_add(MENU_F1, "Game encyclopedia");
    if (!controller) menu_add(KEY_CTRL_S, "Save the game");
    switch (menu_run("HELP AND GAME OPTIONS")) {
    case '?': return '?';
    case 'Q': return 'Q';
    case MENU_F1: return KEY_F1;
    case KEY_CTRL_S: return KEY_CTRL_S;
    case 'O':
        setup_options_screen();
        update_daylight_tint();
        present_screen();
        refresh_status_panel();
        return 0;
    default: return 0;
    }
}
