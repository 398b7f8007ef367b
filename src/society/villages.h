// Villages: one record per settlement of the world, kept in the character
// folder as "<name>.VIL" (a plain run of records, no header), and the one
// current village that every operation on a village works on.
//
// The file is read whole when a game starts, into a table in memory with an
// index by village id; saving a village updates the table, and the table is
// written whole with every character save (the same commit as the character
// file), so the two always belong to the same moment of the game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"

constexpr int32_t NO_VILLAGE = -1000;

// One item debt of the player (80 bytes).
struct VillageDebt {
    uint8_t in_use;
    uint8_t reserved_1[3];
    int32_t object_id;
    int32_t count;
    float total_value;  // unit value x count
    uint8_t reserved_16[48];
    int32_t stamp;      // total game minutes when the entry was made
    uint8_t reserved_68[12];
};
KSM_RECORD(VillageDebt, 80);
KSM_OFFSET(VillageDebt, object_id, 4);
KSM_OFFSET(VillageDebt, count, 8);
KSM_OFFSET(VillageDebt, total_value, 12);
KSM_OFFSET(VillageDebt, stamp, 64);

// What the village has heard of the player's deeds (116 bytes).
struct VillageNews {
    uint8_t reserved_0[2];
    uint8_t count;
    uint8_t reserved_3[9];
    int32_t village;
    uint8_t level;
    uint8_t reserved_17[15];
    uint8_t weight;
    uint8_t reserved_33[83];
};
KSM_RECORD(VillageNews, 116);
KSM_OFFSET(VillageNews, count, 2);
KSM_OFFSET(VillageNews, village, 12);
KSM_OFFSET(VillageNews, level, 16);
KSM_OFFSET(VillageNews, weight, 32);

constexpr int VILLAGE_DEBTS = 100;
constexpr int VILLAGE_POOL_SLOTS = 100;
constexpr int VILLAGE_RECRUITS = 10;
constexpr int VILLAGE_MEMBERS = 50;
constexpr int VILLAGE_CELLS = 10;

// state_flags bits.
constexpr uint32_t VILLAGE_COLLECTING = 0x4000;  // debt collection running
constexpr uint32_t VILLAGE_WELCOMING = 0x400;    // cleared by a banishment
// village_flags value: villagers treat a familiar player as a traveller.
constexpr uint8_t VILLAGE_TRAVELLERS_KIND = 2;

// One settlement's record (11,428 bytes). Reserved gaps hold zero bytes.
struct VillageRecord {
    int32_t isox;                  // world x of the centre (0, 0: no centre yet)
    int32_t isoy;
    int32_t soc;                   // the village id; the record's key
    VillageDebt item_debts[VILLAGE_DEBTS];
    uint8_t displaced_goods;       // goods of the village lie away from their place
    uint8_t has_debt;
    uint8_t reserved_8014[2];
    int32_t debt_age;              // minutes since the oldest open debt
    uint8_t debt_level;            // 0 none, 1 some, 2 above 16, 3 above 400
    uint8_t suspicion;
    uint8_t trade_ban;             // 0 none, 1 until trade_ban_end_day, 2 while a special debt is open
    uint8_t reserved_8023;
    int32_t trade_ban_end_day;
    uint8_t reserved_8028[7];
    uint8_t field_state[2];        // kept by the field update
    uint8_t village_flags;
    uint8_t culture;
    uint8_t reserved_8039;
    int32_t pool_ids[VILLAGE_POOL_SLOTS];
    uint8_t pool_counts[VILLAGE_POOL_SLOTS];
    uint8_t reserved_8540[160];
    int32_t recruits[VILLAGE_RECRUITS];  // sotu of villagers who joined the player
    int32_t members[VILLAGE_MEMBERS];    // sotu of each inhabitant, 0 free
    uint32_t state_flags;
    uint8_t refresh_mark;          // cleared when a cell of the village is refreshed
    uint8_t welcome;
    uint8_t reserved_8946[2];
    uint16_t cell_x[VILLAGE_CELLS];
    uint16_t cell_y[VILLAGE_CELLS];
    uint16_t meets;                // days on which the player met the village
    uint16_t meetgap;              // days between the last two meetings
    int32_t lastday;
    uint16_t talks;
    uint16_t day_counter;
    uint8_t reserved_9000[396];
    uint8_t mischief_mark;
    uint8_t mischief;
    int16_t mischief_stamps[4];
    uint8_t pending_mischief[4];
    uint8_t said_goods;            // warnings 1-4 already given
    uint8_t said_leave;
    uint8_t said_beating;
    uint8_t said_mischief;
    uint8_t hostile;               // its people attack the player on sight
    uint8_t help;
    uint8_t alarm;                 // combat state
    uint8_t assaults;              // offence count
    uint8_t punishments;
    uint8_t befriended;
    uint8_t help_standing;
    uint8_t offence_level;         // added to the theft count by a theft mark
    uint8_t reserved_9422[3];
    uint8_t killing;
    uint8_t theft_mark;
    uint8_t thefts;
    uint16_t theft_day;            // days_played of the theft mark
    uint8_t reserved_9430[10];
    uint8_t banish;
    uint8_t reserved_9441[3];
    int32_t banished_from;         // total minutes
    uint16_t banished_until;       // day
    uint8_t reserved_9450;
    uint8_t pending_theft_news;
    uint8_t pending_murder_news;
    uint8_t wom_pending;
    uint8_t reserved_9454[85];
    uint8_t maksuhairiot;          // payment defaults
    uint8_t payments;
    uint8_t reserved_9541[11];
    uint8_t collection_level;
    uint8_t perinta;               // debt-collection state
    uint8_t reserved_9554[6];
    int32_t collection_deadline;   // total minutes, 0 none
    uint8_t reserved_9564[304];
    uint8_t incident_flag;
    uint8_t reserved_9869;
    int16_t incident_day;
    uint8_t reserved_9872[80];
    int32_t incident_minute;
    uint8_t reserved_9956[64];
    float whole_reward;
    float credit;
    float generosity;
    float everdebt;
    uint8_t reserved_10036[116];
    VillageNews theft_news;
    VillageNews murder_news;
    uint8_t reserved_10384[1044];
};
KSM_RECORD(VillageRecord, 11428);
KSM_OFFSET(VillageRecord, isox, 0);
KSM_OFFSET(VillageRecord, isoy, 4);
KSM_OFFSET(VillageRecord, soc, 8);
KSM_OFFSET(VillageRecord, item_debts, 12);
KSM_OFFSET(VillageRecord, displaced_goods, 8012);
KSM_OFFSET(VillageRecord, has_debt, 8013);
KSM_OFFSET(VillageRecord, debt_age, 8016);
KSM_OFFSET(VillageRecord, debt_level, 8020);
KSM_OFFSET(VillageRecord, suspicion, 8021);
KSM_OFFSET(VillageRecord, trade_ban, 8022);
KSM_OFFSET(VillageRecord, trade_ban_end_day, 8024);
KSM_OFFSET(VillageRecord, field_state, 8035);
KSM_OFFSET(VillageRecord, village_flags, 8037);
KSM_OFFSET(VillageRecord, culture, 8038);
KSM_OFFSET(VillageRecord, pool_ids, 8040);
KSM_OFFSET(VillageRecord, pool_counts, 8440);
KSM_OFFSET(VillageRecord, recruits, 8700);
KSM_OFFSET(VillageRecord, members, 8740);
KSM_OFFSET(VillageRecord, state_flags, 8940);
KSM_OFFSET(VillageRecord, refresh_mark, 8944);
KSM_OFFSET(VillageRecord, welcome, 8945);
KSM_OFFSET(VillageRecord, cell_x, 8948);
KSM_OFFSET(VillageRecord, cell_y, 8968);
KSM_OFFSET(VillageRecord, meets, 8988);
KSM_OFFSET(VillageRecord, meetgap, 8990);
KSM_OFFSET(VillageRecord, lastday, 8992);
KSM_OFFSET(VillageRecord, talks, 8996);
KSM_OFFSET(VillageRecord, day_counter, 8998);
KSM_OFFSET(VillageRecord, mischief_mark, 9396);
KSM_OFFSET(VillageRecord, mischief, 9397);
KSM_OFFSET(VillageRecord, mischief_stamps, 9398);
KSM_OFFSET(VillageRecord, pending_mischief, 9406);
KSM_OFFSET(VillageRecord, said_goods, 9410);
KSM_OFFSET(VillageRecord, said_mischief, 9413);
KSM_OFFSET(VillageRecord, hostile, 9414);
KSM_OFFSET(VillageRecord, help, 9415);
KSM_OFFSET(VillageRecord, alarm, 9416);
KSM_OFFSET(VillageRecord, assaults, 9417);
KSM_OFFSET(VillageRecord, punishments, 9418);
KSM_OFFSET(VillageRecord, befriended, 9419);
KSM_OFFSET(VillageRecord, help_standing, 9420);
KSM_OFFSET(VillageRecord, offence_level, 9421);
KSM_OFFSET(VillageRecord, killing, 9425);
KSM_OFFSET(VillageRecord, theft_mark, 9426);
KSM_OFFSET(VillageRecord, thefts, 9427);
KSM_OFFSET(VillageRecord, theft_day, 9428);
KSM_OFFSET(VillageRecord, banish, 9440);
KSM_OFFSET(VillageRecord, banished_from, 9444);
KSM_OFFSET(VillageRecord, banished_until, 9448);
KSM_OFFSET(VillageRecord, pending_theft_news, 9451);
KSM_OFFSET(VillageRecord, pending_murder_news, 9452);
KSM_OFFSET(VillageRecord, wom_pending, 9453);
KSM_OFFSET(VillageRecord, maksuhairiot, 9539);
KSM_OFFSET(VillageRecord, payments, 9540);
KSM_OFFSET(VillageRecord, collection_level, 9552);
KSM_OFFSET(VillageRecord, perinta, 9553);
KSM_OFFSET(VillageRecord, collection_deadline, 9560);
KSM_OFFSET(VillageRecord, incident_flag, 9868);
KSM_OFFSET(VillageRecord, incident_day, 9870);
KSM_OFFSET(VillageRecord, incident_minute, 9952);
KSM_OFFSET(VillageRecord, whole_reward, 10020);
KSM_OFFSET(VillageRecord, credit, 10024);
KSM_OFFSET(VillageRecord, generosity, 10028);
KSM_OFFSET(VillageRecord, everdebt, 10032);
KSM_OFFSET(VillageRecord, theft_news, 10152);
KSM_OFFSET(VillageRecord, murder_news, 10268);

// Id of the current village; NO_VILLAGE when none.
extern int32_t cur_village_id;
// The record of the current village.
extern VillageRecord CurVillage;

// ------------------------------------------------------------ the file

// "<character name>.VIL".
std::string village_file_name();
// Game start: reads the village file whole into the table. Whole records
// are used (the first record of an id wins); a file that ends in part of a
// record, or that its save does not vouch for, is kept aside as
// "<name>.VIL.bad" and the player is told. A missing file starts an empty
// table. The current village is forgotten.
void load_village_file();
// Writes the table whole into the open save commit (or a commit of its
// own). The current village is written back into the table first.
bool save_village_file();
// Per-game reset: an empty table and no current village; nothing is
// written.
void reset_villages();
// Villages in the table (the current one counts once it was saved).
int village_count();
// The whole state in memory, to keep and put back (a look at a save that
// must not disturb the game).
struct VillageState {
    std::vector<VillageRecord> records;
    int32_t current = NO_VILLAGE;
    VillageRecord current_record{};
};
VillageState village_state();
void restore_village_state(const VillageState& state);

// Record index of the village, or NO_VILLAGE.
int find_village_index(int32_t id);
// The village's record by copy; a village without one gives an all-zero
// record with its soc.
VillageRecord load_village(int32_t id);
// Stamps soc = id into the record and keeps it in the table (over the old
// record of the id, else as a new one). False for ids below 1.
bool save_village(int32_t id, const VillageRecord& rec);
// Makes the village current; the record current before is written back.
// Nothing for the current id and for ids below 1.
void set_current_village(int32_t id);
// Writes the current village back and forgets it.
void clear_current_village();

// ------------------------------------------------------------ cells

// The village id of a world cell, giving it one (from the shared id
// counter) when its marker has none: `value` adds the marker's people and
// claim bits (1 and 2), and the settlement sites within 2 cells without a
// village take the same id. 0 when the marker table is full.
int assign_village_id(int world_x, int world_y, int value);
// 1 when (x, y) is the village's centre or one of its listed cells; for a
// village without a centre, a settlement site whose marker names it.
int village_owns_cell(int32_t id, int x, int y);
// Chebyshev distance to the centre or the nearest listed cell; 1000 for
// ids below 1 and for a village with neither.
int distance_to_village(int32_t id, int x, int y);
// Records the player's meeting with the village today.
void record_village_visit(int32_t id);
// The visit of a settlement cell whose marker names a village: its people,
// its land claim, the record's centre, cells and culture.
void update_village_of_cell(int world_x, int world_y);
// Villages of the 5 x 5 cells around the local map's origin (map loading).
void update_villages_around(int origin_x, int origin_y);
// Game start: every settlement-site cell with a marker gets its village id.
void assign_known_village_ids();

// Who owns a world cell: the village of the cell's marker, else the
// nearest within 5 cells when the cell is pasture (47) or a field (251).
struct VillageLookup {
    bool not_found;
    int32_t id;
};
VillageLookup village_at(int world_x, int world_y);

// ------------------------------------------------------------ people

// The member slot that held the creature (now cleared); 50 when it was not
// a member.
int remove_village_member(int32_t id, int creature);
int village_population(int32_t id);
// Creatures of the current local map whose group id is the village; 0 on
// the world map.
int count_villagers_on_map(int32_t id);

// Debug: the id and first debt of every record into "debug_vil.txt".
void dump_villages();

// The object ids that village debts and goods pools hold (for the object
// maintenance, which must keep them). Up to `capacity` ids go to `ids`;
// the count of all is returned.
int village_held_object_ids(int* ids, int capacity);

// Builds a camp of people of a new society at a world cell.
void create_npc_camp(int world_x, int world_y, int society_id, int culture_type, int count, int flags);
