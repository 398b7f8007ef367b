// What the daily update asks of companions: their hunger, and a companion
// in need coming to talk to the player. Not built yet: no companion is
// hungry and none comes to talk.
#pragma once

// Sets the needs of a companion (other creatures answer 0); 1 when some
// need is set. Not built yet: 0.
int cre_update_hunger(int slot);
// A creature in need comes to the player and opens a conversation; 1 when
// it did. Not built yet: 0.
int cre_come_to_talk(int slot);
