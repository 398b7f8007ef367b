// The configuration file "ksm_ini.txt": settings of the form [KEY:VALUE]
// anywhere in a line; lines beginning "//" or "##" are comments. Every key
// is read from the file at the moment it is needed; nothing is cached.
#pragma once

#include <cstdint>

constexpr const char* CONFIG_FILE = "ksm_ini.txt";
constexpr const char* CONFIG_TEMP_FILE = "ksm_ini_tmp.txt";
constexpr const char* CONFIG_DEFAULTS_FILE = "defaults/ksm_ini.def";

// The value of the first non-comment line holding "[KEY:", up to the next
// "]"; `def` when the file or the key is missing. Ring text.
const char* ini_get_string(const char* key, const char* def);
// On only when the value is exactly "YES" (default "NO").
bool ini_flag_default_no(const char* key);
// Off only when the value is exactly "NO" (default "YES").
bool ini_flag_default_yes(const char* key);
// Writes [KEY:VALUE] into the file: replaces only the "[KEY:...]" token in
// each non-comment line holding the key (the rest of the line stays), or
// appends "[KEY:VALUE]" and an empty line when no line holds it. The file
// is replaced atomically; on any failure the old file stays and false is
// returned. Nothing is done (false) when the file is missing.
bool ini_set_value(const char* key, const char* value);


// Global settings filled by GetConfig (ui/settings.h).
extern int32_t museum_mode;           // MUSEUM exactly "YES"
extern int32_t controller_enabled;    // KSM_CONTROLLER exactly "YES"
extern int32_t controller_port;       // KSM_CONTROLLER_PORT; 0 = the link's default
extern int32_t night_brightness;      // NIGHT_BRIGHTNESS 1-60, else 0
extern int32_t map_lighting;          // MAP_LIGHTING_EFFECTS not "NO"
extern int32_t map_grid;              // MAP_GRID not "NO" (default "NO")
extern int32_t weapon_damage;         // WEAPON_DAMAGE not "NO"
extern int32_t right_alt_hotkeys;     // RIGHT_ALT_HOTKEYS not "NO"
extern int32_t units_metric;          // UNITS exactly "METRIC"
extern int32_t units_precision;       // UNITS_PRECISION 0, 1 or 2
extern int32_t logical_resize;        // LOGICAL_RESIZE not "NO"
extern int32_t traditional_movement;  // TRADITIONAL_MOVEMENT exactly "YES"
// BACKGROUND_MUSIC, AMBIENT_SOUNDS, MOVEMENT_SOUNDS and VOLUME are kept by
// the sound code (ui/sound.h: read_sound_settings), which GetConfig calls.
extern int32_t idle_animation;        // IDLE_ANIMATION not "NO"
// Item categories in listing order: WEAPON 1, ARMOUR 2, CONTAINER 3, SKIN 5,
// TOOL 6, FOOD 7, FIREWOOD 8, VEHICLE 9, VALUABLE 10, PLANT 11, CARCASS 12.
extern uint8_t inventory_order[12];

// The pure rules behind GetConfig, for its callers and tests.
void parse_inventory_order(const char* value, uint8_t out[12]);
int32_t night_brightness_from(const char* value);
int32_t units_precision_from(const char* value);
// The SDL_RENDER_SCALE_QUALITY hint for a SCALE_QUALITY value: "0", "1" or "2".
const char* scale_quality_hint_from(const char* value);
