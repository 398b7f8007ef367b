// Clothes and cords: sewing and mending garments, joining and shortening
// ropes and cords, and twisting a bowstring. Not built yet: the player's
// commands do nothing.
#pragma once

// Sews the garment of that item-type name.
void make_clothes(const char* garment_name);
void repair_clothing();
void join_tying_equipment();
void shorten_tying_equipment();
void make_bowstring();
