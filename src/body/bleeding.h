// A body in a fight, turn by turn: getting up from shock, bleeding until
// the loss of blood makes it faint or die, and how hurt it is for the
// creature turns that weigh it. Creature slots, or -1 the player.
#pragma once

// A shocked body tries to recover: 1 while it stays shocked, 0 when it
// lies fallen again.
int cre_shock_recovery(int fighter);
// One turn of bleeding at (x, y) (no_faint: the loss never knocks it
// out): 1 when the body died of it.
int cre_bleed(int fighter, int x, int y, int no_faint);
// (wound total / 10) / endurance, in percent; with no endurance 100 when
// hurt at all, else 0.
int cre_injury_percent(int fighter);
// Developer command: three random wounds on the player.
void plr_take_random_wounds();

// Kind of the map record a bleeding body leaves behind (trackers follow).
constexpr int MK_BLOOD_MARK = 99;
