// Far look: pick a location and be told what is there.
#include "screens/far_look.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "creatures/creature_looks.h"
#include "creatures/creature_names.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "objects/item_commands.h"
#include "objects/map_object_table.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "screens/targets.h"
#include "base/text_ring.h"

namespace {

int listed[LISTED_OBJECTS];
bool describing = false;

void say(const char* mark, const std::string& text) {
    std::string line = mark;
    line += text;
    show_message(line.c_str());
}

bool on_cell(const MapObject& m, int x, int y) {
    return m.TYPE != KIND_UNUSED && m.TYPE != KIND_FREED && m.x == x && m.y == y;
}

int objects_on_cell(int x, int y) {
    int n = 0;
    for (const MapObject& m : Data) {
        if (m.TYPE == KIND_UNUSED) break;
        if (on_cell(m, x, y)) ++n;
    }
    return n;
}

// The phrase of one map object, empty for kinds that are not told.
std::string object_phrase(int index, int x, int y, bool& figure_told) {
    const MapObject& m = Data[index];
    switch (m.TYPE) {
    case 1:
        return obj_name_with_unit(m.DATA, m.amount, 0);
    case 4:
        if (creature_altitude(m.DATA - 1000) == -100) return "";  // dived out of sight
        return describe_creature_look(m.DATA - 1000);
    case 6:
        if (object_listed(index)) return "";
        return std::string(preparing_stack_text(index)) + " (being prepared)";
    case 8:
        return "fire";
    case 11:
        if (figure_told || (x == player_x && y == player_y)) return "";
        if (!can_spot_world_creature(x, y, index)) return "";
        figure_told = true;
        return "figure in the distance";
    case 13:
        return "marked location";
    case 27: {
        if (m.DATA < 10) {
            std::string text = m.amount == 10 ? "Covered " : "Uncovered ";
            text += m.DATA == 2 ? "trap-pit with pointed poles" : "trap-pit";
            return text;
        }
        const std::string name = obj_name_with_unit(m.DATA, 1, 0);
        return std::string(m.state == 100 ? "set " : "triggered ") + name;
    }
    case 28:
        return std::string(obj_name_with_unit(m.DATA, 1, 0)) + " set to catch fish";
    case 52:
        return carcass_text(m.DATA - 1000);
    case 98:
        return "burnt-out fire";
    case 99:
        return "bloodscape";
    default:
        return "";
    }
}

}  // namespace

void clear_listed_objects() {
    for (int& i : listed) i = -1;
}

bool object_listed(int index) {
    for (int i : listed) {
        if (i == index) return true;
    }
    return false;
}

void mark_object_listed(int index) {
    for (int& i : listed) {
        if (i == -1) {
            i = index;
            return;
        }
    }
}

char* preparing_stack_text(int index) {
    char* out = next_ring_text();
    if (index < 0 || index >= MAP_OBJECT_COUNT) return out;
    const MapObject& first = Data[index];
    long total = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& m = Data[i];
        if (m.TYPE == KIND_UNUSED) break;
        if (m.TYPE == 6 && m.x == first.x && m.y == first.y && m.DATA == first.DATA) {
            total += m.amount;
            mark_object_listed(i);
        }
    }
    copy_text(out, TEXT_RING_BYTES, obj_name_with_unit(first.DATA, int(total), 0));
    return out;
}

int describe_location_contents(int x, int y, int flag) {
    const bool here = x == player_x && y == player_y;
    const char* where = here ? "here" : "there";
    if (is_world_map() && in_world_grid(x, y)) {
        const int slot = marker_slot(x, y);
        if (slot != MARKER_NONE && Markers[slot].world_x == x && Markers[slot].world_y == y) {
            const Marker& mk = Markers[slot];
            if (mk.structure_flags & MARK_OWN_SETTLEMENT) say("#", "There's your settlement at this location.");
            if (mk.structure_flags & MARK_SHELTER) say("#", "There is a shelter at this location.");
            if (mk.structure_flags & MARK_KOTA) say("#", "There is a kota at this location.");
            if (mk.object_flags & 4) say("#", "There is set trap(s) at this location.");
            if (mk.object_flags & 2) say("#", "There is net(s) set for catch at this location.");
        }
    }
    const int n = objects_on_cell(x, y);
    if (n == 0) return 0;
    char text[160];
    if (n >= 2) {
        if (n <= 6 || flag) format_text(text, sizeof text, "Things that are %s:", where);
        else format_text(text, sizeof text, "There are several objects %s:", where);
        say("#", text);
    }
    clear_listed_objects();
    describing = true;
    std::vector<std::string> phrases;
    bool figure_told = false;
    bool first_is_person = false;  // a creature told by its personal name
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE == KIND_UNUSED) break;
        if (!on_cell(Data[i], x, y)) continue;
        std::string phrase = object_phrase(i, x, y, figure_told);
        if (phrase.empty()) continue;
        if (phrases.empty())
            first_is_person = Data[i].TYPE == 4 && std::isupper(static_cast<unsigned char>(phrase[0]));
        phrases.push_back(phrase);
    }
    describing = false;
    if (n == 1 && phrases.size() == 1) {
        format_text(text, sizeof text, "You see %s %s.",
                    first_is_person ? phrases[0].c_str() : article_phrase(phrases[0].c_str()), where);
        say("#", text);
        return n;
    }
    int held = 0;
    std::string last_held;
    for (size_t k = 0; k < phrases.size(); ++k) {
        if (!flag && n >= 9 && k >= 8) {
            ++held;
            last_held = phrases[k];
            continue;
        }
        say("_", phrases[k]);
    }
    if (held == 1) {
        say("_", last_held);
    } else if (held >= 2) {
        format_text(text, sizeof text, "...and %d more.", held);
        say("_", text);
    }
    return n;
}

static void describe_location_parts(int x, int y, int mode);

void describe_location(int x, int y, int mode) {
    // The player asked: the answer is told even when it repeats the last
    // message (two looks at like ground say the same words).
    const bool old_repeat = allow_repeated_message;
    allow_repeated_message = true;
    describe_location_parts(x, y, mode);
    allow_repeated_message = old_repeat;
}

static void describe_location_parts(int x, int y, int mode) {
    if (debug_logs_on) {
        char text[200];
        format_text(text, sizeof text, "%s (%d,%d) code %d", terrain_name_at(x, y), x, y, terrain_at(x, y));
        show_message_as_is(text);
    }
    const int found = describe_location_contents(x, y, 1);
    bool describe_terrain = true;
    const int code = terrain_at(x, y);
    if (found && (code == '(' || code == '_' || code == 250)) describe_terrain = false;
    if (!is_world_map() && mode == 2) {
        const int dx = std::abs(x - player_x), dy = std::abs(y - player_y);
        const int d = dx > dy ? dx : dy;
        if (d >= 2 && d <= 5 && !found) {
            for (const MapObject& m : Data) {
                if (m.TYPE == KIND_UNUSED) break;
                if (m.TYPE == 10 && m.x == x && m.y == y && !(m.subkind & 0x80)) {
                    show_message("There are some tracks over there.");
                    describe_terrain = false;
                    break;
                }
            }
        }
    }
    if (describe_terrain) {
        char text[1024] = {};
        cell_description_text(x, y, text, sizeof text);
        if (text[0]) show_message(text);
    }
    const int dx = std::abs(x - player_x), dy = std::abs(y - player_y);
    if (dx <= 1 && dy <= 1 && (terrain_flags_of(code) & TF_WATER) && !(terrain_flags_of(code) & TF_ROOF)) {
        const int v = weather.current.ice;
        char text[200];
        format_text(text, sizeof text, "_The water is %s.", temperature_word(v > 29 ? v / 10 : 3));
        show_message(text);
    }
}

void far_look_command() {
    const bool repeat = std::strcmp(ini_get_string("FAR_LOOK_REPEAT", ""), "YES") == 0;
    do {
        if (!choose_target_location(17, "")) return;
        if (target_x == 0 && target_y == 0) return;
        describe_location(target_x, target_y, 2);
        choose_creature_at(target_x, target_y, 0);
    } while (repeat);
}
