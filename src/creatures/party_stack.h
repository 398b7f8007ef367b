// What travels with the player between maps is put down on the new map,
// and the portraits of the people the makers make.
#pragma once

// Puts everything on the party stack down around the player (creatures
// loaded into slots beside the player, things on the player's square) and
// empties the stack. An entry that could not be put down stays on the
// stack and the player is told once.
void unpack_party_stack();

// The portrait pickers: the name of a random picture "truegfx/<prefix>*.png"
// that is not the player's own ("" when there is none), valid until the
// next pick.
const char* pick_portrait_sage();
const char* pick_portrait_oldman();
const char* pick_portrait_man();
const char* pick_portrait_fem();
const char* pick_portrait_kid();
const char* pick_portrait_girl();

// How the pickers list the pictures (the start-up's portrait lists,
// connected at start-up; unconnected, no picture is found).
struct PortraitServices {
    void (*list)(const char* prefix);   // fills the list of the prefix
    const char* (*random_name)();       // a name of the list ("" when empty)
};
extern PortraitServices portrait_services;
