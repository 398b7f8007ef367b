#include "shell/test_scene.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "body/body_queries.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/sight.h"
#include "maps/terrain_queries.h"
#include "maps/weather.h"
#include "maps/weather_messages.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"

namespace {

constexpr uint8_t OPEN_GROUND = 250;
constexpr uint8_t MOVE_MODE_FIGHTING = 2;
constexpr int MAX_OPEN_RADIUS = 60;
bool scene_applied = false;

// Always written: a test reads it to see what its scene could not do.
void note(const std::string& text) { debug_log("scene!", text.c_str()); }

bool in_play_area(int x, int y) {
    return x >= ZOOM_FIRST && x <= ZOOM_LAST && y >= ZOOM_FIRST && y <= ZOOM_LAST;
}

void open_ground(int r) {
    if (r < 0) r = 0;
    if (r > MAX_OPEN_RADIUS) r = MAX_OPEN_RADIUS;
    const uint8_t height = height_layer[map_index(player_x, player_y)];
    for (int y = player_y - r; y <= player_y + r; ++y)
        for (int x = player_x - r; x <= player_x + r; ++x) {
            if (!in_play_area(x, y)) continue;
            terrain_layer[map_index(x, y)] = OPEN_GROUND;
            height_layer[map_index(x, y)] = height;
        }
}

// The slot of the creature placed, or -1.
int place_creature(int kind, int dx, int dy, bool attack) {
    const int x = player_x + dx, y = player_y + dy;
    if (!in_play_area(x, y) || (dx == 0 && dy == 0)) {
        note("creature outside the play area or on the player's square: " + std::to_string(kind));
        return -1;
    }
    creature_template(kind);
    if (CreScratch.cre_class == CRE_CLASS_FREE) {
        note("no creature of kind " + std::to_string(kind));
        return -1;
    }
    CreScratch.home_x = world_x_of(x);
    CreScratch.home_y = world_y_of(y);
    const int ref = append_and_load_creature(CreScratch);
    if (ref == CRE_NO_CREATURE) {
        note("no room for a creature of kind " + std::to_string(kind));
        return -1;
    }
    const int slot = ref - CRE_REF_BASE;
    if (put_object_on_map(MK_CREATURE, x, y, ref, 1) < 0) {
        note("no map record for a creature of kind " + std::to_string(kind));
        CreSlotRefs[slot] = 0;
        Cre[slot].cre_class = CRE_CLASS_FREE;
        return -1;
    }
    Cre[slot].Suunta = facing_toward(x, y, player_x, player_y);
    if (attack) {
        cre_begin_attack(slot, -1, 0);
    }
    return slot;
}

// The sky stops falling for now: the next hourly step of the weather model
// decides again.
void clear_weather() {
    weather.current.rain = 0;
    weather.current.raintype = 0;
    weather_now.rain = 0;
    weather_now.raintype = 0;
}

void give_item(const std::string& name, int count, int hand) {
    if (count < 1) count = 1;
    if (!plr_give_item(name.c_str(), count, hand))
        note("item not given (items can't be given yet): " + name);
}

// An item type by its catalogue name ("_" for a space) laid on the
// ground dx, dy from the player.
void lay_item(std::string name, int count, int dx, int dy) {
    for (char& c : name) c = c == '_' ? ' ' : char(std::toupper(static_cast<unsigned char>(c)));
    const int x = player_x + dx, y = player_y + dy;
    if (!in_play_area(x, y)) {
        note("ground item outside the play area: " + name);
        return;
    }
    const int id = obj_template_by_name(name.c_str(), 1);
    if (id == 0) {
        note("no item type named " + name);
        return;
    }
    if (count < 1) count = 1;
    if (put_object_on_map(MK_ITEM, x, y, id, count) < 0) note("no map record for " + name);
}

}  // namespace

void apply_test_scene_text(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    int first = -1;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#' || word.rfind("//", 0) == 0) continue;
        if (word == "open") {
            int r = 0;
            if (words >> r) open_ground(r);
            else note("not understood: " + line);
        } else if (word == "creature") {
            int kind = 0, dx = 0, dy = 0;
            std::string extra;
            if (!(words >> kind >> dx >> dy)) {
                note("not understood: " + line);
                continue;
            }
            words >> extra;
            const int slot = place_creature(kind, dx, dy, extra == "attack");
            if (slot >= 0 && first < 0) first = slot;
        } else if (word == "weather") {
            std::string what;
            words >> what;
            if (what == "clear") clear_weather();
            else note("not understood: " + line);
        } else if (word == "item") {
            std::string name;
            if (!(words >> name)) {
                note("not understood: " + line);
                continue;
            }
            int count = 1, hand = 0;
            std::string w;
            while (words >> w) {
                if (w == "wield") words >> hand;
                else count = std::atoi(w.c_str());
            }
            give_item(name, count, hand);
        } else if (word == "ground") {
            std::string name;
            int count = 1, dx = 0, dy = 0;
            if (!(words >> name)) {
                note("not understood: " + line);
                continue;
            }
            if (words >> count) words >> dx >> dy;
            lay_item(name, count, dx, dy);
        } else {
            note("not understood: " + line);
        }
    }
    if (first >= 0) {
        const int i = cre_datapos(first);
        if (i >= 0) {
            facing = facing_toward(player_x, player_y, Data[i].x, Data[i].y);
            Plr.facing = uint8_t(facing);
        }
    }
}

bool apply_test_scene_once() {
    if (scene_applied) return false;
    const char* path = test_seam("KSM_TEST_SCENE");
    if (path == nullptr || is_world_map() || map_change_request) return false;
    scene_applied = true;
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        note(std::string("scene file missing: ") + path);
        return false;
    }
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
    apply_test_scene_text(text);
    rebuild_view();
    return true;
}
