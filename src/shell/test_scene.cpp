#include "shell/test_scene.h"

#include <algorithm>
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
#include "creatures/creature_names.h"
#include "creatures/creature_species.h"
#include "creatures/task_queue.h"
#include "creatures/culture_goods.h"
#include "creatures/encounter_species.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/sight.h"
#include "maps/terrain_queries.h"
#include "maps/weather.h"
#include "maps/weather_messages.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/villages.h"
#include "objects/wear_commands.h"

namespace {

constexpr uint8_t OPEN_GROUND = 250;
constexpr uint8_t OPEN_WATER = 247;
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

// A cell of open water at (dx, dy) from the player.
void place_water(int dx, int dy) {
    const int x = player_x + dx, y = player_y + dy;
    if (!in_play_area(x, y) || (dx == 0 && dy == 0)) {
        note("water outside the play area or on the player's square");
        return;
    }
    terrain_layer[map_index(x, y)] = OPEN_WATER;
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

// Creatures of the kinds an encounter here brings, one after another, in a
// row of squares east of the player (three rows of five, every second
// square): the slot of the first placed, or -1.
int place_encounter(int count) {
    int region = culture_region(culture_at(player_x, player_y));
    if (region < 1) region = 1;
    int first = -1;
    for (int i = 0; i < count && i < 15; ++i) {
        const int kind = choose_encounter_species(region, player_x, player_y, 0);
        if (kind == 0) {
            note("no encounter kind fits here");
            continue;
        }
        const int slot = place_creature(kind, 3 + 2 * (i % 5), -2 + 2 * (i / 5), false);
        if (slot >= 0 && first < 0) first = slot;
    }
    return first;
}

// The sky stops falling for now: the next hourly step of the weather model
// decides again.
void clear_weather() {
    weather.current.rain = 0;
    weather.current.raintype = 0;
    weather_now.rain = 0;
    weather_now.raintype = 0;
}

// A task for the creature placed last, its target square given from the
// player's.
void give_task(int slot, int code, int turns, int dx, int dy) {
    task_target_point = {player_x + dx, player_y + dy};
    if (push_task(slot, code, turns) < 0) note("task refused: " + std::to_string(code));
}

// The creature placed last follows the player: an animal becomes the
// player's own, a person joins the party.
void make_follower(int slot) {
    if (Cre[slot].cre_class == CRE_CLASS_HUMAN) Cre[slot].party_flags |= PARTY_MEMBER;
    else Cre[slot].owner = OWNER_PLAYER;
}

// The creature placed last lives in the village of the player's world
// cell (given an id when the cell has none) and may give warnings;
// "mischief" puts a mischief of the player on the village's record.
void make_villager(int slot, std::istringstream& words) {
    const int village = assign_village_id(world_x_of(player_x), world_y_of(player_y), 0);
    if (village < 1) {
        note("no village for the villager");
        return;
    }
    Cre[slot].lauma = village;
    Cre[slot].alert = 1;
    std::string extra;
    while (words >> extra)
        if (extra == "mischief") {
            set_current_village(village);
            CurVillage.mischief_mark = 1;
        }
}

void give_item(const std::string& name, int count, int hand) {
    if (count < 1) count = 1;
    if (!plr_give_item(name.c_str(), count, hand)) note("item not given (no such item): " + name);
    else if (hand != 0 && plr_wielded_slot(hand) == PLR_NO_SLOT) note("item given but not wielded: " + name);
}

// The bow in the hand gets a new bowstring.
void string_wielded_bow(int hand) {
    const int slot = hand == 1 || hand == 2 ? plr_wielded_slot(hand) : PLR_NO_SLOT;
    if (slot == PLR_NO_SLOT) {
        note("no wielded bow to string");
        return;
    }
    const int type = obj_template_by_name("BOWSTRING", 1);
    ObjectRecord string;
    if (type <= 0) {
        note("no bowstring item type");
        return;
    }
    obj_record(type, string);
    const int string_id = obj_store_record(string);
    ObjectRecord bow;
    obj_record(Plr.plr_inv_id[slot], bow);
    bow.effect_raw = uint32_t(string_id);
    obj_write_record(Plr.plr_inv_id[slot], bow);
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
    int first = -1, last = -1;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::string word;
        if (!(words >> word) || word[0] == '#' || word.rfind("//", 0) == 0) continue;
        if (word == "open") {
            int r = 0;
            if (words >> r) open_ground(r);
            else note("not understood: " + line);
        } else if (word == "water") {
            int dx = 0, dy = 0;
            if (words >> dx >> dy) place_water(dx, dy);
            else note("not understood: " + line);
        } else if (word == "creature") {
            int kind = 0, dx = 0, dy = 0;
            std::string extra;
            if (!(words >> kind >> dx >> dy)) {
                note("not understood: " + line);
                continue;
            }
            bool attack = false, own = false, kept = false;
            creation_options[0] = 0;
            while (words >> extra) {
                attack = attack || extra == "attack";
                own = own || extra == "own";
                kept = kept || extra == "village";
                // The sex is drawn unless the line gives it.
                if (extra == "female" || extra == "male") copy_text(creation_options, extra == "male" ? "[male]" : "[female]");
            }
            keep_creation_options = creation_options[0] != 0 ? 1 : 0;
            const int slot = place_creature(kind, dx, dy, attack);
            keep_creation_options = 0;
            creation_options[0] = 0;
            if (slot >= 0 && own) Cre[slot].owner = OWNER_PLAYER;
            if (slot >= 0 && kept) {
                // The village of the player's world cell keeps it.
                const int32_t id = assign_village_id(plr_world_x(), plr_world_y(), 0);
                if (id == 0) note("no village for: " + line);
                else Cre[slot].owner = id;
            }
            if (slot >= 0 && first < 0) first = slot;
            last = slot;
        } else if (word == "energy" || word == "villager" || word == "named") {
            int value = 0;
            if (last < 0) note("no creature for: " + line);
            else if (word == "named") Cre[last].name_known |= NAME_KNOWN;
            else if (word == "villager") make_villager(last, words);
            else if (words >> value) Cre[last].energy = int16_t(std::clamp(value, -32768, 32767));
            else note("not understood: " + line);
        } else if (word == "task" || word == "follow") {
            int code = 0, turns = 0, dx = 0, dy = 0;
            if (last < 0) note("no creature for: " + line);
            else if (word == "follow") make_follower(last);
            else if (words >> code >> turns) {
                words >> dx >> dy;
                give_task(last, code, turns, dx, dy);
            } else {
                note("not understood: " + line);
            }
        } else if (word == "encounter") {
            int count = 0;
            if (!(words >> count)) {
                note("not understood: " + line);
                continue;
            }
            const int slot = place_encounter(count);
            if (slot >= 0 && first < 0) first = slot;
            last = slot;
        } else if (word == "terrain") {
            int code = 0, dx = 0, dy = 0;
            if (!(words >> code >> dx >> dy) || code < 0 || code > 255 ||
                !in_play_area(player_x + dx, player_y + dy)) {
                note("not understood: " + line);
                continue;
            }
            terrain_layer[map_index(player_x + dx, player_y + dy)] = uint8_t(code);
        } else if (word == "village") {
            if (assign_village_id(plr_world_x(), plr_world_y(), 0) == 0) note("no village for: " + line);
        } else if (word == "bodytemp") {
            float degrees = 0;
            if (words >> degrees) Plr.bodytemp = degrees;
            else note("not understood: " + line);
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
            bool strung = false;
            std::string w;
            while (words >> w) {
                if (w == "wield") words >> hand;
                else if (w == "strung") strung = true;
                else count = std::atoi(w.c_str());
            }
            give_item(name, count, hand);
            if (strung) string_wielded_bow(hand);
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
