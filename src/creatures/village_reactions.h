// The people of a village watch the player: theft marks, the list of
// recent mischief, the debt collection that follows unpaid goods, the
// warnings to a troublemaker, and the villager who walks up to have a word.
// Every operation first makes the villager's village current and then reads
// or writes CurVillage. Argument orders follow the village's own calling
// convention: a leading unused argument where callers pass one.
#pragma once

// Warning kinds of village_confront_troublemaker.
constexpr int WARN_DROP_GOODS = 1;
constexpr int WARN_LEAVE = 2;
constexpr int WARN_BEATING = 3;
constexpr int WARN_MISCHIEF = 4;
constexpr int WARN_GO_AWAY = 10;
// Its flags.
constexpr int WARN_RESET = 0x1;
constexpr int WARN_IN_VIEW = 0x2;
constexpr int WARN_FORCE = 0x4;
constexpr int WARN_IF_ALERT = 0x8;

// Marks the player as a thief of the village.
void village_mark_theft(int village);
// Records one mischief of the kind (severity 1-5); village 0 means the
// owner of the player's world cell. -1000 when no one of the village saw
// it, 0 when nothing was recorded, 1 when recorded.
int village_note_mischief(int unused, int kind, int village, int severity);
// The villager's part in collecting the player's debt: 1 when it acted.
int villager_collect_debt(int villager);
// A villager on its own land keeps the player in sight: 1 when it stepped.
int villager_follow_player(int unused, int villager);
// The warning of the kind shouted at the player: 1 when shouted and heard.
int village_confront_troublemaker(int unused, int kind, int villager, int flags);
// Tells the player how picking goods works (or that trade is banned).
void cre_announce_trade_terms(int villager);
// 1 when the player is on the village's land or within 10 squares of one
// of its people.
int plr_near_village(int village);
// What a villager does about the player in its turn: 1 when it acted.
int villager_react_to_player(int villager);
// The villager notices the player carrying its village's goods: 1 when it
// reacted.
int villager_notice_unpaid_goods(int unused, int villager);
