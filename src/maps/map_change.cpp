// Changing maps. A change has two halves: the zoom (or an event) saves the
// current map, asks map generation for the missing local maps, switches the
// map name and raises the pending change; the game loop then runs the map
// loader, which builds the new current map and ends with the full save.
#include "maps/map_change.h"

#include "base/stubs.h"
#include "game/clock.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_record.h"
#include "creatures/creature_steps.h"
#include "creatures/creature_traits.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/movement_modes.h"
#include "creatures/party_stack.h"
#include "mapgen/heights.h"
#include "mapgen/rndhouse.h"
#include "maps/culture_regions.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/item_commands.h"
#include "objects/map_objects.h"
#include "objects/ownership.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "game/screen_hooks.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "society/game_course.h"
#include "society/villages.h"
#include "base/files.h"
#include "ui/input.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "base/platform.h"
#include "base/text_ring.h"

int32_t zoom_arrival_mode = 0;
uint8_t game_just_continued = 0;
uint8_t zoom_pause_flag = 0;
uint8_t zoom_look_ahead = 0;
uint8_t map_change_cancelled = 0;
uint8_t companions_confirmed = 0;
uint8_t map_transfer_flag = 0;
PartyEntry party_stack[PARTY_STACK_SIZE];
int32_t party_stack_count = 0;

namespace {

// Transport of goods on a watercraft for the change under way.
bool transport_on = false;

void logf_channel(const char* channel, const char* text) { debug_log(channel, text); }

bool recentring() { return recentre_request == 1; }

// The world cell under the player, also on the world map.
int player_world_x() { return is_world_map() ? player_x : plr_world_x(); }
int player_world_y() { return is_world_map() ? player_y : plr_world_y(); }

constexpr int DIR_DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int DIR_DY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

bool is_water_code(int code) { return (terrain_flags_of(code) & TF_WATER) != 0; }

// The upper-cased name of a terrain code (ring text).
const char* upper_terrain_name(int code) {
    return ring_copy(upper_case_copy(terrain_name(code)));
}

void prepare_height_field() {
    fill_height_blocks(player_world_y() - 3, player_world_x() - 3);
}

// Frees the world wanderers (kind 11, sub-kind 2) within 2 cells of the
// player on the world map.
void free_near_wanderers() {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_WORLD_CREATURE || o.subkind != MAP_SUBKIND_SPENT_ENTRY) continue;
        if (std::abs(int(o.x) - player_x) <= 2 && std::abs(int(o.y) - player_y) <= 2) free_map_object(i);
    }
}

bool world_creature_on(int wx, int wy) {
    for (const MapObject& o : Data) {
        if (o.TYPE == MK_WORLD_CREATURE && o.subkind != MAP_SUBKIND_SPENT_ENTRY && o.x == wx && o.y == wy) return true;
    }
    return false;
}

// Writes the map's object table as "<folder>/<map name>.DAT".
void save_map_objects_file(const char* map_name) {
    char name[40];
    format_text(name, sizeof name, "%s.DAT", map_name);
    if (!write_character_file(name, Data, sizeof Data) && !save_commit_open()) {
        char text[120];
        format_text(text, sizeof text, "!Could not write %s.", name);
        show_message(text);
    }
}

// The character and the stores that live only in memory, after a map
// change, in one commit: the creatures are written back first, and the
// map's objects name them by their references.
void full_save() {
    begin_save_commit();
    cre_save_to_crs();
    creature_references_begin();
    save_map_objects_file(Plr.map_name);
    creature_references_end();
    save_character(SAVE_QUIET);
    end_save_commit();
}

void report_trap_events() {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& trap = Data[i];
        if (trap.TYPE != MK_TRAP) continue;
        if (Plr.course_event == 21) report_game_course_event(21);
        int fences = 0, pits = 0;
        for (int y = trap.y - 20; y < trap.y + 20; ++y)
            for (int x = trap.x - 20; x < trap.x + 20; ++x)
                if (terrain_at(x, y) == '*') ++fences;
        for (const MapObject& o : Data)
            if (o.TYPE == MK_TRAP && (o.DATA == 396 || o.DATA == 397)) ++pits;
        if (pits > 1 && fences > 14 && Plr.course_event == 33) report_game_course_event(33);
    }
}

// Whether the creature of a map entry keeps the player from zooming out.
bool creature_blocks_leaving(const MapObject& o) {
    const int slot = o.DATA >= 1000 && o.DATA < 1500 ? o.DATA - 1000 : -1;
    if (slot >= 0 && (cre_is_companion(slot) || cre_is_own_animal(slot))) return false;
    if (creature_travels_with_player(o.DATA)) return false;
    const int distance = std::max(std::abs(int(o.x) - player_x), std::abs(int(o.y) - player_y));
    // A villager who knows the player carries the village's goods unpaid
    // sees the player off from further away.
    if (slot >= 0 && distance <= 35 && cre_is_society_member(slot) && plr_has_goods_of_village(Cre[slot].lauma))
        return true;
    return distance <= 15;
}

}  // namespace

void reset_map_change_state() {
    // The start of a game marks game_just_continued itself.
    zoom_arrival_mode = 0;
    zoom_pause_flag = 0;
    zoom_look_ahead = 0;
    map_change_cancelled = 0;
    companions_confirmed = 0;
    std::memset(party_stack, 0, sizeof party_stack);
    party_stack_count = 0;
    transport_on = false;
    map_transfer_flag = 0;
}

const char* position_text(int x, int y) {
    char* out = next_ring_text();
    char a[16], b[16];
    format_text(a, sizeof a, x < 10 ? "0%d" : "%d", x);
    format_text(b, sizeof b, y < 10 ? "0%d" : "%d", y);
    format_text(out, TEXT_RING_BYTES, "%s,%s", a, b);
    return out;
}

int request_local_map(const char* terrain_name, const char* request_name, int number, int second_number,
                      const char* position, int wx, int wy, int defined) {
    (void)second_number;
    logf_channel("terrain", "start");
    char word[24];
    copy_text(word, sizeof word - 1, terrain_name ? terrain_name : "");
    // The first word, at most 19 characters, then '#'.
    char* blank = std::strchr(word, ' ');
    if (blank) *blank = 0;
    word[19] = 0;
    append_text(word, sizeof word, "#");
    logf_channel("terrain", word);
    std::string text;
    char line[1200];
    format_text(line, sizeof line, "%s\n%s\n%d\n%d\n%s\n", word, request_name, number, int(Plr.month),
                position ? position : "");
    text += line;
    std::string folder = character_file("");
    if (!folder.empty() && folder.back() == '/') folder.pop_back();
    format_text(line, sizeof line, "%s\n%s\n%s\n", folder.c_str(), Plr.name, Plr.map_name);
    text += line;
    if (!write_file_atomic("RNDHOUSE.DAT", text)) show_message("!Could not write RNDHOUSE.DAT.");
    const int made = rndhouse_main(wx, wy, defined);
    format_text(line, sizeof line, "rndhouse completed: %d", made);
    logf_channel("terrain", line);
    if (made < 0) {
        // Nothing was stored (the player was told why): a stored map that
        // could not be read stays as it is on the disk.
        format_text(line, sizeof line, "the local map of %d,%d was not stored", wx, wy);
        debug_log("!maps", line);
    }
    return made;
}

void make_nearby_local_maps(int mode) {
    prepare_height_field();
    if (is_world_map()) std::memcpy(world_data_copy, Data, sizeof Data);
    const int x = player_world_x(), y = player_world_y();
    // The new maps of the area go to the store in one switch.
    begin_save_commit();
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const int wx = x + dx, wy = y + dy;
            if (!in_world_grid(wx, wy)) continue;
            const bool creature = is_world_map() && world_creature_on(wx, wy);
            bool make = creature;
            if (mode != 1 && !(dx == 0 && dy == 0) && zoom_index_find(wx, wy) == 0) make = true;
            if (!make) continue;
            zoom_clear_work();
            zoom_copy_height_block(dx + 3, dy + 3);
            request_local_map(upper_terrain_name(stored_world_terrain_at(wx, wy)), "ZOOM", 0, 0,
                              position_text(wx, wy), wx, wy, -1);
        }
    }
    if (!end_save_commit()) show_message("!The local maps of this area could not be stored; they are made again.");
}

int ensure_local_map_at(int wx, int wy) {
    fill_height_blocks(wy - 3, wx - 3);
    if (is_world_map()) std::memcpy(world_data_copy, Data, sizeof Data);
    if (zoom_index_find(wx, wy) != 0 && !(is_world_map() && world_creature_on(wx, wy))) return 0;
    zoom_clear_work();
    zoom_copy_height_block(3, 3);
    request_local_map(upper_terrain_name(stored_world_terrain_at(wx, wy)), "ZOOM", 0, 0, position_text(wx, wy), wx,
                      wy, -1);
    return 1;
}

int confirm_companions_left_behind(int ask) {
    companions_confirmed = 1;
    char names[512] = "";
    bool left_behind = false;
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE) continue;
        const int slot = map_object_creature(int(&o - Data));
        if (!cre_slot_valid(slot)) continue;
        CreatureRecord& c = Cre[slot];
        c.bfdom &= uint8_t(~BFDOM_COMES_ALONG);
        if (!cre_follow_leader(slot, 0)) continue;
        const bool own = c.owner == OWNER_PLAYER || c.cre_status == CRE_STATUS_TIED;
        const bool follower = cre_is_companion(slot) || (c.cre_flags & CRE_BROUGHT_BACK);
        if (!own && !follower && c.move_mode != MOVE_MODE_ASLEEP) continue;
        if (cre_can_reach_place(slot, player_x, player_y)) {
            c.bfdom |= BFDOM_COMES_ALONG;
            continue;
        }
        left_behind = true;
        if (names[0]) append_text(names, sizeof names, ", ");
        append_text(names, sizeof names, creature_name(slot, 0));
    }
    if (!left_behind || !ask || !ini_flag_default_no("LEFT_BEHIND_CONFIRMATION")) return 1;
    char text[600];
    format_text(text, sizeof text, "#%s can not reach you and will be left behind.", names);
    show_message(text);
    return ask_yes_no("Are you sure you want to exit?") ? 1 : 0;
}

int creature_swap() {
    char text[200];
    logf_channel("party!", "creature_swap()");
    format_text(text, sizeof text, "curmap: %s isox,isoy: %d,%d mintick: %d", Plr.map_name, player_x, player_y,
                int(Plr.tick_count));
    logf_channel("party!", text);
    format_text(text, sizeof text, "COMPANYZOOMCHECKED: %d", int(companions_confirmed));
    logf_channel("party!", text);
    if (Plr.travel_mode == 3) {
        transport_on = true;
        if (debug_messages_on) show_message("? TRANSPORT ON");
    }
    if (!companions_confirmed) confirm_companions_left_behind(0);
    logf_channel("party!", "parsing DATA");
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        int kind = -1;
        if (o.TYPE == MK_CREATURE) {
            format_text(text, sizeof text, "#%d cr DATA:%d", i, o.DATA);
            logf_channel("party!", text);
            if (!recentring() && creature_travels_with_player(o.DATA)) {
                logf_channel("party!", "** bfdom ZOOMFOLLOW set");
                logf_channel("party!", "*** add_cr");
                kind = MK_CREATURE;
            }
        } else if (o.x == player_x && o.y == player_y) {
            if (transport_on && (o.TYPE == MK_ITEM || o.TYPE == MK_CARCASS)) kind = o.TYPE;
            else if (o.TYPE == MK_PARTY_CREATURE) kind = MK_CREATURE;
            else if (o.TYPE == MK_PARTY_ENTRY) kind = MK_PARTY_ENTRY;
            if (kind != -1 && transport_on && debug_messages_on) show_message("? Transporting.");
        }
        if (kind == -1) continue;
        if (party_stack_count >= PARTY_STACK_SIZE) {
            show_message("!Over the partystack!");
            return -1;
        }
        // A creature of the map travels as its reference.
        int32_t data = o.DATA;
        const int slot = o.DATA - CRE_REF_BASE;
        if ((o.TYPE == MK_CREATURE || o.TYPE == MK_CARCASS) && cre_slot_valid(slot) && CreSlotRefs[slot] != 0)
            data = CreSlotRefs[slot];
        party_stack[party_stack_count++] = PartyEntry{kind, kind == MK_CREATURE && o.TYPE == MK_CREATURE ? 1 : int(o.amount), data};
        format_text(text, sizeof text, "added to party[%d] DATA: %d", party_stack_count - 1, o.DATA);
        logf_channel("party!", text);
        o.TYPE = MK_GONE;
    }
    return 0;
}

void describe_arrival(int mode) {
    const int wx = player_world_x(), wy = player_world_y();
    const int here = stored_world_terrain_at(wx, wy);
    const int d = facing & 7;
    const int ahead = stored_world_terrain_at(wx + DIR_DX[d], wy + DIR_DY[d]);
    const int m = marker_slot(wx, wy);
    const bool own = m != MARKER_NONE && Markers[m].world_x == wx && Markers[m].world_y == wy &&
                     (Markers[m].structure_flags & MARK_OWN_SETTLEMENT);
    char text[600] = "";
    bool finished = false;  // a whole sentence that takes no ending
    if (here == 86 || here == 210 || here == 211 || here == 239) {
        const char* name = culture_area_name(world_culture_at(wx, wy));
        if (!name) name = "";
        const char first = char(latin1_lower((unsigned char)name[0]));
        const char* article = std::strchr("aeiou", first) && first ? "an" : "a";
        format_text(text, sizeof text,
                    "You shake the needles from your shoulders and come forward among the people. You are entering "
                    "%s %s %s",
                    article, name, here == 86 || here == 211 ? "settlement..." : "village...");
        finished = true;
    } else if (own) {
        copy_text(text, "You have come at your settlement and enter the familiar and cosy courtyard.");
        finished = true;
    } else if (here == 30) {
        copy_text(text, "You enter into a camp with few quickly built settlements.");
        finished = true;
    } else if (here == 60) {
        copy_text(text, "The mountainside here reveals an entrance to cave.");
        finished = true;
    } else if (here == 94) {
        copy_text(text, "Here, by the mountains, where the bones of the earth rise high towards the sky ");
    } else if (here == 235 || here == 238) {
        copy_text(text, "Branches bend and curve above your head here in the majestic temple of the ageless forest as ");
    } else if (here == 246) {
        copy_text(text, "The lake here is resting under a thick ice cover ");
    } else if (ahead != here) {
        const uint32_t flags = terrain_flags_of(ahead);
        if (ahead == 176) copy_text(text, "By the ford ahead ");
        else if (ahead == 177) copy_text(text, "The sound of the surging rapids ahead fills your ears as ");
        else if (ahead == 180 || ahead == 181) copy_text(text, "By the sea ahead ");
        else if (ahead == 94) copy_text(text, "By the mountains ahead ");
        else if (flags & TF_FLOWING) copy_text(text, "You hear the river flowing peacefully ahead as ");
        else if (flags & TF_WATER)
            copy_text(text,
                      "By this lake, where the surface of the water reflects images of both you and the skies above, ");
        if (text[0] && !(is_water_code(ahead) && is_water_code(here))) zoom_look_ahead = 1;
    }
    if (!text[0]) format_text(text, sizeof text, "There is %s here and ", lower_case_copy(terrain_name(here)));
    if (!finished) {
        if (mode == 0) append_text(text, sizeof text, "you take a closer look at this area.");
        else if (mode == 1) append_text(text, sizeof text, "you encounter something.");
    }
    char message[620];
    format_text(message, sizeof message, "#%s", text);
    show_message(message);
    // The picture of the cell, unless it is plain ground.
    if (screen_hooks.show_arrival_picture) screen_hooks.show_arrival_picture(wx, wy);
    zoom_pause_flag = 1;
}

void switch_to_local_map(int mode) {
    creature_swap();
    describe_arrival(2);
    if (is_world_map()) {
        Plr.zoom_origin_x = player_x;
        Plr.zoom_origin_y = player_y;
        std::memcpy(world_data_copy, Data, sizeof Data);
        SaveMap(Plr.map_name);
    } else {
        player_x = player_y = 0;
    }
    zoom_look_ahead = 0;
    if (mode == 1) {
        player_x = player_y = -1;
    } else {
        if (is_world_map()) {
            const int m = marker_slot(Plr.zoom_origin_x, Plr.zoom_origin_y);
            if (m != MARKER_NONE && Markers[m].world_x == Plr.zoom_origin_x &&
                Markers[m].world_y == Plr.zoom_origin_y && Markers[m].zoomout_x > 0 && zoom_arrival_mode != 2)
                zoom_arrival_mode = 8;
        }
        player_x = player_y = 500;
        Plr.zoom_arrival_x = Plr.zoom_arrival_y = 0;
    }
    copy_text(Plr.map_name, "ZOOMMAP");
    map_change_request = 1;
}

void enter_place() {
    // Only the world map has places to enter; elsewhere the request lapses.
    enter_location_here();
}

int enter_location_here() {
    if (!is_world_map()) return 0;
    const int code = terrain_at(player_x, player_y);
    const char* word = nullptr;
    switch (code) {
    case 30: word = "a rororad camp"; break;
    case 60: word = "a cave"; break;
    case 86: case 210: case 211: case 239: word = "settled area"; break;
    default: break;
    }
    const int m = marker_slot(player_x, player_y);
    const bool homestead = m != MARKER_NONE && Markers[m].world_x == player_x && Markers[m].world_y == player_y &&
                           (Markers[m].structure_flags & MARK_OWN_SETTLEMENT) &&
                           compare_no_case(ini_get_string("AUTO_ENTER_HOMESTEAD", "NO"), "YES") == 0;
    if (!word && !homestead) return 0;
    if (!word) word = "your homestead";
    char text[120];
    format_text(text, sizeof text, "#Entering %s ...", word);
    show_message(text);
    format_text(text, sizeof text, "You enter %s.", word);
    show_message(text);
    if (code == 86 || code == 210 || code == 211 || code == 239) report_game_course_event(15);
    creature_swap();
    prepare_height_field();
    zoom_clear_work();
    zoom_copy_height_block(3, 3);
    char place[40];
    format_text(place, sizeof place, ">%d,%d", player_x, player_y);
    request_local_map(place, "ZOOM", 0, 0, position_text(player_x, player_y), player_x, player_y, -1);
    make_nearby_local_maps(0);
    switch_to_local_map(homestead && !(code == 30 || code == 60 || code == 86 || code == 210 || code == 211 ||
                                       code == 239)
                            ? 0
                            : 1);
    return 1;
}

void return_to_world_map(int mode) {
    (void)mode;  // temporary creatures are removed by the creature code
    if (!is_world_map()) map_transfer_flag = 1;
    if (!recentring()) flash_map_view_light();
    creature_swap();
    // The local map goes to the store once; the rest is saved with the
    // full save at the end of the change.
    SaveMap(Plr.map_name);
    zoom_arrival_mode = 0;
    if (!is_world_map()) {
        const int wx = plr_world_x(), wy = plr_world_y();
        copy_text(Plr.map_name, "BIGMAP");
        player_x = wx;
        player_y = wy;
        map_change_request = 1;
    }
    report_trap_events();
}

void terrain_map(int mode, int defined) {
    char text[200];
    format_text(text, sizeof text, "(%d,%d)", player_x, player_y);
    logf_channel("enterlocale", text);
    if (defined >= 0 && defined < MAP_OBJECT_COUNT) {
        format_text(text, sizeof text, "got defined: %d\n TYPE: %d", defined, int(Data[defined].TYPE));
        logf_channel("enterlocale", text);
    }
    const bool world = is_world_map() != 0;
    if (mode != 0 && !world) {
        // An encounter on a local map: the map is kept and reloaded.
        const char* name = mode == 1000 ? "SCENE" : "ENCOUNTER";
        char request[24];
        if (mode == 1000) format_text(request, sizeof request, "SCENE%d", defined);
        else copy_text(request, name);
        request_local_map(upper_terrain_name(terrain_at(player_x, player_y)), request,
                          defined >= 0 ? defined : 0, 0, Plr.map_name, Plr.zoom_origin_x, Plr.zoom_origin_y, defined);
        getmappie(1);
        return;
    }
    const int wx = player_world_x(), wy = player_world_y();
    format_text(text, sizeof text, "terrain_map: %s PaikkaX,PaikkaY: %d,%d", position_text(wx, wy), wx, wy);
    logf_channel("enterlocale", text);
    if (!world) {
        if (terrain_at(player_x, player_y) == 96) {
            show_message("_You must get out of the cave before you can zoom out..");
            return;
        }
        for (const MapObject& o : Data) {
            if (o.TYPE == MK_CREATURE && creature_blocks_leaving(o)) {
                show_message("_You can't zoom out directly right now. The area has activity going on.");
                show_message("_Please walk a little further from this location and press [ENTER] again.");
                return;
            }
        }
        if (!zoom_blocks_fit()) {
            show_message("_Too many things lie in one part of this area to be stored.");
            show_message("_Pick some of them up, or carry them elsewhere, before you zoom out.");
            return;
        }
        companions_confirmed = 0;
        creature_swap();
        show_message("#Zooming out ... ");
        zoom_arrival_mode = 0;
        Plr.zoom_arrival_x = Plr.zoom_arrival_y = 0;
        return_to_world_map(1);
        companions_confirmed = 0;
        return;
    }
    if (!recentring()) show_message("#Zooming in ... ");
    const char* word = upper_terrain_name(terrain_at(player_x, player_y));
    companions_confirmed = 0;
    creature_swap();
    char request[24];
    copy_text(request, mode != 0 ? "ENCOUNTER" : "ZOOM");
    if (mode != 0 && !(defined >= 0 && defined < MAP_OBJECT_COUNT && Data[defined].TYPE == MK_ITEM))
        report_game_course_event(10);
    if (!recentring()) describe_arrival(mode == 1 ? 1 : 0);
    if (mode == 1000) format_text(request, sizeof request, "SCENE%d", defined);
    free_near_wanderers();
    std::memcpy(world_data_copy, Data, sizeof Data);
    make_nearby_local_maps(0);
    SaveMap(Plr.map_name);
    zoom_clear_work();
    zoom_copy_height_block(3, 3);
    request_local_map(word, request, defined >= 0 ? defined : 0, 0, position_text(wx, wy), wx, wy, defined);
    Plr.zoom_origin_x = wx;
    Plr.zoom_origin_y = wy;
    if (zoom_arrival_mode == 2 && world_ice_thickness_at(wx, wy) > 0) zoom_arrival_mode = 0;
    const int m = marker_slot(wx, wy);
    if (m != MARKER_NONE && Markers[m].world_x == wx && Markers[m].world_y == wy && Markers[m].zoomout_x > 0 &&
        !game_just_continued && zoom_arrival_mode != 2)
        zoom_arrival_mode = 8;
    game_just_continued = 0;
    copy_text(Plr.map_name, "ZOOMMAP");
    player_x = player_y = 500;
    map_change_request = 1;
}

void load_remembered_layer(const char* map_name) {
    std::memset(drawn_layer, ' ', MAP_CELLS);
    if (std::strstr(map_name, "ZOOMMAP")) return;
    std::memset(remembered_layer, ' ', MAP_CELLS);
    std::memset(view_layer, ':', MAP_CELLS);
    std::memset(view_extra_layer, 0, MAP_CELLS);
    if (std::strstr(map_name, "BIGMAP")) {
        // load_world_files has just read "WORLD.PLM" into the stored copy.
        std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
    }
}

void forget_remembered_cells() {
    std::memset(remembered_layer, 0, MAP_CELLS);
    std::memset(drawn_layer, 0, MAP_CELLS);
}

void GetMap(const char* map_name) {
    std::memset(Data, 0, sizeof Data);
    std::memset(cover_layer, 0, MAP_CELLS);
    std::memset(height_layer, 0, MAP_CELLS);
    std::memset(terrain_layer, 250, MAP_CELLS);
    std::memset(drawn_layer, ' ', MAP_CELLS);
    std::memset(view_layer, ':', MAP_CELLS);
    if (std::strstr(map_name, "BIGMAP")) {
        load_world_files();
        load_remembered_layer(map_name);
        return;
    }
    map_kind = 2;
    Zoomer(Plr.zoom_origin_x, Plr.zoom_origin_y);
    const int d = facing & 7;
    int ax = -1, ay = -1;
    if (recentring()) {
        ax = ZOOM_MIDDLE + Plr.zoom_arrival_x;
        ay = ZOOM_MIDDLE + Plr.zoom_arrival_y;
    } else if (zoom_arrival_mode == 8) {
        const int m = marker_slot(Plr.zoom_origin_x, Plr.zoom_origin_y);
        if (m != MARKER_NONE && Markers[m].zoomout_x > 0) {
            ax = ZOOM_MIDDLE + Markers[m].zoomout_x - 1;
            ay = ZOOM_MIDDLE + Markers[m].zoomout_y - 1;
        }
        zoom_arrival_mode = 0;
    } else if (player_x == -1 || player_x > 392 || player_y > 392) {
        ax = ZOOM_MIDDLE + zoom_entry_x_for(d);
        ay = ZOOM_MIDDLE + zoom_entry_y_for(d);
        if (zoom_look_ahead) {
            static const int LX[8] = {257, 257, 232, 207, 207, 207, 232, 257};
            static const int LY[8] = {232, 207, 207, 207, 232, 257, 257, 257};
            ax = LX[d];
            ay = LY[d];
            if (Plr.travel_mode == 3 && !is_water_code(terrain_at(ax, ay))) ax = ay = 232;
        }
    } else {
        ax = player_x;
        ay = player_y;
    }
    zoom_look_ahead = 0;
    if (ax < 0 || ay < 0) ax = ay = 232;
    player_x = ax;
    player_y = ay;
    if (!terrain_is_open(terrain_at(player_x, player_y))) {
        for (int tries = 0; tries < 100 && !terrain_is_open(terrain_at(player_x, player_y)); ++tries) {
            if (tries <= 50) {
                player_x += player_x < 232 ? 1 : player_x > 232 ? -1 : 0;
                player_y += player_y < 232 ? 1 : player_y > 232 ? -1 : 0;
            } else {
                player_x = ZOOM_MIDDLE + random_below(64);
                player_y = ZOOM_MIDDLE + random_below(64);
            }
        }
    }
    load_remembered_layer(map_name);
}

void SaveMap(const char* map_name) {
    // The map's layers and its objects file switch together.
    begin_save_commit();
    cre_save_to_crs();
    creature_references_begin();
    save_world_layers(map_name);
    // The creature file before the map's objects that name its records.
    save_creature_file();
    save_map_objects_file(map_name);
    creature_references_end();
    if (!end_save_commit() && !save_commit_open()) {
        zoom_index_invalidate();
        mark_stored_world_changed();
        char text[200];
        format_text(text, sizeof text, "!The map could not be stored: %s could not be written.",
                    save_commit_failed_file().c_str());
        show_message(text);
    }
}

void save_map_with_markers() {
    static MapObject data_copy[MAP_OBJECT_COUNT];
    static MapObject world_copy[MAP_OBJECT_COUNT];
    std::memcpy(data_copy, Data, sizeof Data);
    std::memcpy(world_copy, world_data_copy, sizeof world_data_copy);
    begin_save_commit();
    SaveMap(Plr.map_name);
    save_markers();
    end_save_commit();
    std::memcpy(Data, data_copy, sizeof Data);
    std::memcpy(world_data_copy, world_copy, sizeof world_data_copy);
}

void mapfix() {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if ((o.TYPE == MK_ITEM && o.DATA == 0) || o.TYPE == MK_GONE) free_map_object(i);
    }
}

void getmappie(int mode) {
    char text[200];
    format_text(text, sizeof text, "initcall (%d) isox,isoy %d,%d", mode, player_x, player_y);
    logf_channel("getmappie", text);
    format_text(text, sizeof text, "days: %d", marker_last_visit_at(player_x, player_y));
    logf_channel("getmappie", text);
    format_text(text, sizeof text, "GetMap(%s) call", Plr.map_name);
    logf_channel("getmappie", text);
    GetMap(Plr.map_name);
    // The map's creatures get their records and slots before anything
    // else reads them; what is left naming a template is broken.
    creature_mess();
    refresh_sight_light();  // the light of the moment sets the sight distances
    const bool world = is_world_map() != 0;
    if (!world) {
        map_transfer_flag = 0;
        // The play area is 72..391 on both axes.
        if (player_x < ZOOM_FIRST || player_x > ZOOM_LAST || player_y < ZOOM_FIRST || player_y > ZOOM_LAST) {
            player_x = 232;
            player_y = 232;
        }
    }
    logf_channel("getmappie", "mapfix call");
    mapfix();
    clear_water_depth_codes();
    if (mode == 0 && map_change_cancelled) return;
    logf_channel("getmappie", "areal_itemizer call");
    int spirit_entries = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        switch (o.TYPE) {
        case MK_SPIRIT:
            if (++spirit_entries > 100) free_map_object(i);
            break;
        case MK_CREATURE:
        case MK_CARCASS:
            if (o.DATA < 1000) free_map_object(i);
            break;
        case MK_LONE_OBJECT:
            if (o.DATA == 0) free_map_object(i);
            break;
        case MK_TRAP:
            if (o.DATA < 10) {
                o.DATA = 396;
                o.amount = 1;
                if (!world) terrain_layer[map_index(o.x, o.y)] = 21;
            }
            break;
        default:
            break;
        }
    }
    // Stale fire sites and blood go, finished preparations come out, ice
    // holes age; no fire burns the player before the first command here.
    areal_itemizer();
    fire_burned_player = 1;
    // The villages of the settlements around the local map take note of
    // the visit.
    if (!is_world_map()) update_villages_around(Plr.zoom_origin_x, Plr.zoom_origin_y);
    if (mode != 0) clear_current_village();
    logf_channel("getmappie", "trap check call");
    // Wild animals come back to an area left alone for a while.
    if (!world) spawn_local_creatures();
    logf_channel("getmappie", "cre maintenance call");
    cre_maintenance();
    unpack_party_stack();
    if (zoom_pause_flag) {
        if (compare_no_case(ini_get_string("PAUSE_AFTER_ZOOM", "NO"), "YES") == 0) view_rebuild_request = 1;
        zoom_pause_flag = 0;
    }
    logf_channel("getmappie", "getmappie completed");
    if (count_markers() > 9950) zoom_prune_store();
    logf_channel("getmappie", "exiting getmappie function");
    full_save();
}

void maploader(int mode) {
    logf_channel("maploader", "starting maploader");
    if (recentring()) {
        getmappie(1);
    } else {
        logf_channel("maploader", "non-zoomrenewer calls getmappie");
        getmappie(mode);
        logf_channel("maploader", "non-zoomrenewer completed getmappie");
    }
    map_change_request = 0;
    companions_confirmed = 0;
    transport_on = false;
    if (map_change_cancelled || recentring()) {
        map_change_cancelled = 0;
        return;
    }
    logf_channel("maploader", "maploader call: drawmap");
    rebuild_view();
    logf_channel("maploader", "maploader call: stats");
    screen_hooks.refresh_status_panel();
    logf_channel("maploader", "maploader call: heading");
    logf_channel("maploader", "maploader call: drawmap 2");
    logf_channel("maploader", "maploader call: setidlesample");
    logf_channel("maploader", "maploader exiting ok");
}

void recentre_local_map_now() {
    recentre_request = 1;
    Plr.zoom_arrival_x = player_x - zoom_block_of(player_x).first;
    Plr.zoom_arrival_y = player_y - zoom_block_of(player_y).first;
    const int32_t ax = Plr.zoom_arrival_x, ay = Plr.zoom_arrival_y;
    return_to_world_map(0);
    maploader(1);
    const int32_t kept_facing = facing;
    for (int f = 0; f < 8; ++f) {
        facing = f;
        rebuild_view();
    }
    facing = kept_facing;
    Plr.zoom_arrival_x = ax;
    Plr.zoom_arrival_y = ay;
    terrain_map(0, -1);
    drain_events();
    SDL_StartTextInput();
    SDL_FlushEvents(0, 0xFFFF);
}

int shelter_near_player() {
    if (is_world_map()) return 0;
    if (is_world_site_code(stored_world_terrain_at(plr_world_x(), plr_world_y()))) return 0;
    for (int y = player_y - 64; y <= player_y + 64; ++y)
        for (int x = player_x - 64; x <= player_x + 64; ++x) {
            const int c = terrain_at(x, y);
            if (c == 31 || c == 95) return 1;
        }
    return 0;
}

int framework_center_in_rect(int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (terrain_at(x, y) == 41) return 1;
    return 0;
}
