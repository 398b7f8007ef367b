// Reading the configuration into the global settings.
#include "ui/settings.h"

#include <SDL.h>

#include <cstdlib>
#include <cstring>

#include "base/config.h"
#include "ui/sound.h"

void GetConfig() {
    museum_mode = std::strcmp(ini_get_string("MUSEUM", "NO"), "YES") == 0;
    controller_enabled = std::strcmp(ini_get_string("KSM_CONTROLLER", "NO"), "YES") == 0;
    controller_port = std::atoi(ini_get_string("KSM_CONTROLLER_PORT", "0"));
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY,
                scale_quality_hint_from(ini_get_string("SCALE_QUALITY", "2")));
    night_brightness = night_brightness_from(ini_get_string("NIGHT_BRIGHTNESS", "0"));
    // These two follow the file both ways, so that turning one back on in
    // the set-up screen takes effect at the next read.
    map_lighting = std::strcmp(ini_get_string("MAP_LIGHTING_EFFECTS", "YES"), "NO") != 0;
    map_grid = std::strcmp(ini_get_string("MAP_GRID", "NO"), "NO") != 0;
    weapon_damage = std::strcmp(ini_get_string("WEAPON_DAMAGE", "YES"), "NO") != 0;
    right_alt_hotkeys = ini_flag_default_yes("RIGHT_ALT_HOTKEYS");
    units_metric = std::strcmp(ini_get_string("UNITS", "IMPERIAL"), "METRIC") == 0;
    units_precision = units_precision_from(ini_get_string("UNITS_PRECISION", "1"));
    logical_resize = ini_flag_default_yes("LOGICAL_RESIZE");
    traditional_movement = ini_flag_default_no("TRADITIONAL_MOVEMENT");
    read_sound_settings();  // BACKGROUND_MUSIC, AMBIENT_SOUNDS, MOVEMENT_SOUNDS, VOLUME
    idle_animation = ini_flag_default_yes("IDLE_ANIMATION");
    parse_inventory_order(ini_get_string("INVENTORY_ORDER", ""), inventory_order);
}
