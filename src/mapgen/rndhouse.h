// The local-map maker: makes the stored local map of one world cell on the
// request in "RNDHOUSE.DAT". This is the least the game needs until the
// full local-map generator takes its place: water for water cells, ground
// with a few trees of the cell's kind, and for settlement sites a walled
// room with a door.
#pragma once

// Makes (or keeps) the stored map of world cell (wx, wy). A cell that has a
// stored map already is loaded and stored again, never replaced.
void rndhouse_main(int wx, int wy, int defined);
