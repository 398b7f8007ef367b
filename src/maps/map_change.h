// Changing between the world map and local maps: the zoom command, the
// requests to map generation, the party stack, the arrival and the map
// loader that builds the new current map.
#pragma once

#include <cstdint>

// The pending map change is the game loop's map_change_request, set by the
// change routines and cleared by the loader; re-centring is its
// recentre_request.
// Arrival mode: 8 arrive at the cell's stored zoom-out point; 2 an
// encounter's arrival.
extern int32_t zoom_arrival_mode;
// Set by the game start when a saved game was continued; the first zoom-in
// then ignores the stored zoom-out point.
extern uint8_t game_just_continued;
// Raised by describe_arrival when it showed a text or picture.
extern uint8_t zoom_pause_flag;
// Raised by describe_arrival when the landscape ahead differs.
extern uint8_t zoom_look_ahead;
// Set when the map loader's change was cancelled.
extern uint8_t map_change_cancelled;
// Set once the companions were confirmed for this change.
extern uint8_t companions_confirmed;
// Set while the player is between maps: from leaving a local map until the
// next local map is built.
extern uint8_t map_transfer_flag;

// The party stack: what travels from the old map to the new one.
struct PartyEntry {
    int32_t kind;
    int32_t amount;
    int32_t data;
};
constexpr int PARTY_STACK_SIZE = 50;
extern PartyEntry party_stack[PARTY_STACK_SIZE];
extern int32_t party_stack_count;

// The per-game reset of the map change: the arrival, the flags above (but
// the mark of a continued game, which the start of a game sets), the party
// stack and the transport of goods go back to their start values.
void reset_map_change_state();

// The zoom: mode 0 the player's own, 1 an encounter, 1000 a scene;
// defined: the defining map object or -1.
void terrain_map(int mode, int defined);
int enter_location_here();
// Enters the place at the player's world cell (the game loop's request).
void enter_place();
void make_nearby_local_maps(int mode);
int ensure_local_map_at(int wx, int wy);
void switch_to_local_map(int mode);
void return_to_world_map(int mode);
// 1 go, 0 stay.
int confirm_companions_left_behind(int ask);
// 0, or -1 when the party stack filled up.
int creature_swap();
void describe_arrival(int mode);
// Writes "RNDHOUSE.DAT" and hands the request to map generation; its
// answer (1 stored, 0 nothing to do, -1 failed, told to the player).
int request_local_map(const char* terrain_name, const char* request_name, int number, int second_number,
                      const char* position, int wx, int wy, int defined);
void GetMap(const char* map_name);
void SaveMap(const char* map_name);
void save_map_with_markers();
void mapfix();
void load_remembered_layer(const char* map_name);
// Forgets what the last game's player had seen: a local map loads only its
// own cells, so the rest must not hold another game's memory.
void forget_remembered_cells();
void getmappie(int mode);
void maploader(int mode);
// Re-centres the local map on the player's world cell (the game loop's
// re-centring request).
void recentre_local_map_now();
int shelter_near_player();
// "%s,%s" of the two coordinates, each "0%d" below 10; ring text.
const char* position_text(int x, int y);
int framework_center_in_rect(int x0, int y0, int x1, int y1);
