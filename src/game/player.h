// The character record: everything about the player's character that is
// kept between sessions. It is saved byte for byte as the character file,
// so its layout is a file format: every field sits at a fixed offset and the
// record is exactly 5,716 bytes (little-endian integers, IEEE floats).
// Bytes named free_NNNN are not used yet; they are saved and loaded unchanged
// and are the place for fields that later code needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/platform.h"

constexpr size_t PLR_RECORD_SIZE = 5716;
constexpr int32_t PLR_FORMAT_VERSION = 371;
// The oldest record format that can still be continued.
constexpr int32_t PLR_OLDEST_FORMAT = 318;
constexpr int PLR_SKILLS = 50;
constexpr int PLR_SKILL_NAME_BYTES = 12;
constexpr int PLR_INV_SLOTS = 100;
constexpr int PLR_WOUND_COLUMNS = 7;
constexpr int PLR_WOUND_SLOTS = 20;

struct PlayerRecord {
    char name[13];                         // 0: 3-12 letters; empty = empty record
    uint8_t culture;                       // 13: culture index 0-9
    char second_name[18];                  // 14: shown after the name
    char skill_name[PLR_SKILLS][PLR_SKILL_NAME_BYTES];  // 32: NOT terminated when 12 letters long
    uint8_t skill_attr_base[PLR_SKILLS];   // 632: part of the level from the attributes
    uint8_t skill_level[PLR_SKILLS];       // 682: percent, boosts included
    uint8_t skill_boost[PLR_SKILLS];       // 732: temporary addition to the level
    uint8_t skill_boost_timer[PLR_SKILLS]; // 782: minutes left of each boost
    int32_t skill_practice[PLR_SKILLS];    // 832: uses since the last rise
    uint8_t skill_start_level[PLR_SKILLS]; // 1032: level at creation
    uint8_t skill_taught[PLR_SKILLS];      // 1082: bit 0 a teacher's advice pending
    uint8_t free_1132[50];                 // 1132
    uint8_t skill_rises_today[PLR_SKILLS]; // 1182: daily counters, cleared every day
    uint8_t rite_list[50];                 // 1232: rituals on the known-rituals screen, 0 ends
    uint8_t rite_blocked[50];              // 1282: non-zero = that row can't be chosen
    uint8_t free_1332[1];                  // 1332
    char portrait[20];                     // 1333: picture under "truegfx/"
    uint8_t turn_mark;                     // 1353: cleared before every command
    uint8_t noise_mark;                    // 1354: cleared before every command
    uint8_t free_1355[33];                 // 1355
    uint16_t bear_kill_day;                // 1388: days_played when a bear was killed
    uint8_t free_1390[10];                 // 1390
    int32_t Methaltij;                     // 1400: forest-spirit standing
    int32_t Vesjhaltij;                    // 1404: water-spirit standing
    int32_t supercounter;                  // 1408: spirit counter
    uint8_t rite_occasion[100];            // 1412: per rite id: 0 none, 1-199 pending, 200 done
    int32_t plr_inv_id[PLR_INV_SLOTS];     // 1512: carried object ids
    int32_t plr_inv_count[PLR_INV_SLOTS];  // 1912: amounts of the carried objects
    uint8_t plr_inv_state[PLR_INV_SLOTS];  // 2312: per slot; bit 0 chosen for the current task
    uint8_t body_state;                    // 2412: 0 upright, 1 prone, 3 shocked, 4 unconscious
    char map_name[16];                     // 2413: "BIGMAP" or "ZOOMMAP"
    uint8_t free_2429[99];                 // 2429
    int32_t scenario;                      // 2528: start scenario; > 0 = not yet set up
    int32_t quest_id_counter;              // 2532: last id issued
    int32_t need_counter_a;                // 2536: reset by the developer time skip
    int32_t need_counter_b;                // 2540: reset by the developer time skip
    int32_t plr_sleepiness;                // 2544: sleep need; above 2000 long tasks stop
    float journeyed_km;                    // 2548: distance travelled
    // Seven wound columns of 20 slots (see body/wounds.h): severity, side,
    // bleeding, body part, kind, damage, care.
    uint8_t wounds[PLR_WOUND_COLUMNS][PLR_WOUND_SLOTS];  // 2552
    uint8_t free_2692[4];                  // 2692
    uint8_t facing;                        // 2696: heading 0-7, stored at save
    uint8_t free_2697[3];                  // 2697
    int32_t x;                             // 2700: position on the current map, at save
    int32_t y;                             // 2704
    int32_t Energiavaranto;                // 2708: energy reserve, 3000 at start; never below 0
    int32_t tick_count;                    // 2712: ten-second ticks elapsed
    uint8_t hour;                          // 2716: 0-23
    uint8_t minute;                        // 2717: 0-59
    uint8_t free_2718[2];                  // 2718
    float fatigue;                         // 2720: 0-100
    uint8_t free_2724[4];                  // 2724
    float carried_load;                    // 2728: pounds carried
    uint8_t free_2732[4];                  // 2732
    int32_t body_weight;                   // 2736: pounds
    int32_t height_in;                     // 2740: inches
    int32_t build;                         // 2744: build class 1-5
    int32_t rolled_1_10;                   // 2748: rolled value 1-10
    uint8_t starvation;                    // 2752: above 99 is death at the day change
    uint8_t sex;                           // 2753: 1 male, 2 female
    uint8_t str;                           // 2754: STRENGTH
    uint8_t agi;                           // 2755: AGILITY
    uint8_t day;                           // 2756: day of the month 1-30
    uint8_t free_2757[1];                  // 2757
    uint8_t dex;                           // 2758: DEXTERITY
    uint8_t spd;                           // 2759: SPEED
    uint8_t start_day;                     // 2760: day of the month of the start
    uint8_t end;                           // 2761: ENDURANCE
    uint8_t smt;                           // 2762: SMELL/TASTE
    uint8_t start_month;                   // 2763
    uint8_t start_winters;                 // 2764
    uint8_t eye;                           // 2765: EYESIGHT
    uint8_t tch;                           // 2766: TOUCH
    uint8_t wil;                           // 2767: WILL
    uint8_t month;                         // 2768: 1-12
    uint8_t winters;                       // 2769: the year count
    uint8_t intel;                         // 2770: INTELLIGENCE
    uint8_t hrg;                           // 2771: HEARING
    uint8_t free_2772[4];                  // 2772
    int32_t rolled_5d6;                    // 2776: rolled value 5d6
    int32_t days_played;                   // 2780: 1 on the first day
    // The needs and flags the side panel reads (the body and movement code
    // keeps them up to date).
    uint8_t stomach;                       // 2784: the stomach byte of the hunger bar
    uint8_t running;                       // 2785: 1 while running
    uint8_t hiding;                        // 2786: 1 while hiding
    uint8_t sleeping;                      // 2787: 1 while asleep
    int32_t thirst;                        // 2788: 0 quenched, grows with time
    int32_t exhaustion;                    // 2792: lack of sleep and rest
    int32_t wound_total;                   // 2796: injury penalty, percent
    int32_t blood_loss;                    // 2800: lost blood
    float carry_allowance;                 // 2804: pounds carried without penalty
    uint8_t shield_stance;                 // 2808: bit 1 shown, 2 centre, 4 high, 8 side
    uint8_t free_2809[3];                  // 2809
    // Per wound slot: the treatments done on it (bits) and the herbal care
    // it has had; both go with the wound when its slot is cleared.
    int32_t wound_treatments[PLR_WOUND_SLOTS];  // 2812
    int32_t wound_herb_care[PLR_WOUND_SLOTS];   // 2892
    uint8_t LastActionBit;                 // 2972: 0x02 a step taken, 0x10 a step back or out of view
    uint8_t free_2973[1];                  // 2973
    uint8_t doorway_mark;                  // 2974: 1 while the player stands in a doorway
    uint8_t free_2975[1];                  // 2975
    // What the player ate or drank and is still feeling: bit i is herb
    // effect i (work/herblore.h); bit 14 guards against starvation.
    uint32_t food_effects;                 // 2976
    uint8_t dreaming;                      // 2980: 1 while the world looks like a dream
    uint8_t stimulant_mark;                // 2981: 1 once a stimulant has halved the exhaustion
    uint8_t luck_uses;                     // 2982: skill checks still helped by luck
    uint8_t free_2983[1];                  // 2983
    // Who knocked the player out or hurt the player last: a creature's
    // identity (sotu, 1000 and up), else the negative cause.
    int32_t knockout_ref;                  // 2984
    uint8_t eye_injury;                    // 2988: bit 1 the right eye hurt, bit 2 the left
    uint8_t free_2989[1599];               // 2989
    int32_t course_event;                  // 4588: game-course event awaited
    int32_t course_task;                   // 4592: current course task, -1 none
    int32_t course_target;                 // 4596: count that reaches the event
    int32_t total_minutes;                 // 4600: game minutes elapsed
    int32_t zoom_origin_x;                 // 4604: world cell of the current local map
    int32_t zoom_origin_y;                 // 4608
    int32_t zoom_arrival_x;                // 4612: local x of the next arrival; 0 on the world map
    int32_t zoom_arrival_y;                // 4616
    uint8_t free_4620[4];                  // 4620
    float previous_air_temp;               // 4624: set by the weather before each hourly update
    uint8_t free_4628[4];                  // 4628
    int32_t plr_version;                   // 4632: record format number, 371
    uint8_t free_4636[320];                // 4636
    int32_t recent_offerings[10];          // 4956: daily counters, cleared every day
    uint8_t free_4996[20];                 // 4996
    int32_t plr_deed_flags;                // 5016
    int32_t cause_of_fainting;             // 5020
    int32_t cause_of_fatal_wound;          // 5024
    int32_t cause_of_bleeding;             // 5028
    int32_t cause_of_death;                // 5032
    uint8_t free_5036[2];                  // 5036
    uint8_t plr_wolf_quest;                // 5038
    uint8_t free_5039[328];                // 5039
    uint8_t plr_knowledge[256];            // 5367: byte n ritual n, bit j part j known
    uint8_t day_change_mark;               // 5623: day of the last daily update; 0 new character
    uint8_t course_completion;             // 5624: bit 0x02 course 1 done, 0x04 course 2 done
    uint8_t forest_maids;                  // 5625: bit 0x02 met the forest maids
    uint8_t free_5626[2];                  // 5626
    uint8_t camp_mark;                     // 5628: 1 once the camps were seeded
    uint8_t free_5629[1];                  // 5629
    uint8_t travel_mode;                   // 5630: 1 walk, 2 swim, 3 row, 4 wade, 7 ski, 9 haul
    uint8_t exertion;                      // 5631: effort of the current action
    uint8_t energy_reset_byte;             // 5632: set to 255 by the one-time energy reset
    uint8_t free_5633[43];                 // 5633
    float bodytemp;                        // 5676: degrees Celsius, 37.0 normal
    // The body-temperature change per time unit. Older records kept it as a
    // whole number, which loads as 0.0.
    float bodytemp_change;                 // 5680: cleared with bodytemp when that is 0 at load
    float map_zoom;                        // 5684: zoom factor of the map view, at save
    // The day counter that the daily update raises once a day. It used to be
    // written into the last wound column; it has a place of its own here.
    int32_t second_day_counter;            // 5688
    // One-time initialisation flags of an older record on continuing a game:
    // the skill counters (set to 1 when done) and the energy reset (set to 1
    // when done; this used to be kept in need_counter_a, which the time skip
    // also resets).
    uint8_t counters_init_flag;            // 5692
    uint8_t energy_reset_done;             // 5693
    uint8_t free_5694[22];                 // 5694
};

KSM_RECORD(PlayerRecord, 5716);
KSM_OFFSET(PlayerRecord, name, 0);
KSM_OFFSET(PlayerRecord, culture, 13);
KSM_OFFSET(PlayerRecord, second_name, 14);
KSM_OFFSET(PlayerRecord, skill_name, 32);
KSM_OFFSET(PlayerRecord, skill_level, 682);
KSM_OFFSET(PlayerRecord, skill_boost, 732);
KSM_OFFSET(PlayerRecord, skill_boost_timer, 782);
KSM_OFFSET(PlayerRecord, skill_practice, 832);
KSM_OFFSET(PlayerRecord, skill_rises_today, 1182);
KSM_OFFSET(PlayerRecord, rite_list, 1232);
KSM_OFFSET(PlayerRecord, rite_blocked, 1282);
KSM_OFFSET(PlayerRecord, portrait, 1333);
KSM_OFFSET(PlayerRecord, turn_mark, 1353);
KSM_OFFSET(PlayerRecord, noise_mark, 1354);
KSM_OFFSET(PlayerRecord, bear_kill_day, 1388);
KSM_OFFSET(PlayerRecord, Methaltij, 1400);
KSM_OFFSET(PlayerRecord, Vesjhaltij, 1404);
KSM_OFFSET(PlayerRecord, supercounter, 1408);
KSM_OFFSET(PlayerRecord, rite_occasion, 1412);
KSM_OFFSET(PlayerRecord, plr_inv_id, 1512);
KSM_OFFSET(PlayerRecord, plr_inv_count, 1912);
KSM_OFFSET(PlayerRecord, body_state, 2412);
KSM_OFFSET(PlayerRecord, map_name, 2413);
KSM_OFFSET(PlayerRecord, scenario, 2528);
KSM_OFFSET(PlayerRecord, quest_id_counter, 2532);
KSM_OFFSET(PlayerRecord, need_counter_a, 2536);
KSM_OFFSET(PlayerRecord, need_counter_b, 2540);
KSM_OFFSET(PlayerRecord, plr_sleepiness, 2544);
KSM_OFFSET(PlayerRecord, journeyed_km, 2548);
KSM_OFFSET(PlayerRecord, wounds, 2552);
KSM_OFFSET(PlayerRecord, facing, 2696);
KSM_OFFSET(PlayerRecord, x, 2700);
KSM_OFFSET(PlayerRecord, y, 2704);
KSM_OFFSET(PlayerRecord, Energiavaranto, 2708);
KSM_OFFSET(PlayerRecord, tick_count, 2712);
KSM_OFFSET(PlayerRecord, hour, 2716);
KSM_OFFSET(PlayerRecord, minute, 2717);
KSM_OFFSET(PlayerRecord, fatigue, 2720);
KSM_OFFSET(PlayerRecord, carried_load, 2728);
KSM_OFFSET(PlayerRecord, body_weight, 2736);
KSM_OFFSET(PlayerRecord, height_in, 2740);
KSM_OFFSET(PlayerRecord, build, 2744);
KSM_OFFSET(PlayerRecord, rolled_1_10, 2748);
KSM_OFFSET(PlayerRecord, starvation, 2752);
KSM_OFFSET(PlayerRecord, sex, 2753);
KSM_OFFSET(PlayerRecord, str, 2754);
KSM_OFFSET(PlayerRecord, agi, 2755);
KSM_OFFSET(PlayerRecord, day, 2756);
KSM_OFFSET(PlayerRecord, dex, 2758);
KSM_OFFSET(PlayerRecord, spd, 2759);
KSM_OFFSET(PlayerRecord, start_day, 2760);
KSM_OFFSET(PlayerRecord, end, 2761);
KSM_OFFSET(PlayerRecord, smt, 2762);
KSM_OFFSET(PlayerRecord, start_month, 2763);
KSM_OFFSET(PlayerRecord, start_winters, 2764);
KSM_OFFSET(PlayerRecord, eye, 2765);
KSM_OFFSET(PlayerRecord, tch, 2766);
KSM_OFFSET(PlayerRecord, wil, 2767);
KSM_OFFSET(PlayerRecord, month, 2768);
KSM_OFFSET(PlayerRecord, winters, 2769);
KSM_OFFSET(PlayerRecord, intel, 2770);
KSM_OFFSET(PlayerRecord, hrg, 2771);
KSM_OFFSET(PlayerRecord, rolled_5d6, 2776);
KSM_OFFSET(PlayerRecord, days_played, 2780);
KSM_OFFSET(PlayerRecord, stomach, 2784);
KSM_OFFSET(PlayerRecord, thirst, 2788);
KSM_OFFSET(PlayerRecord, wound_total, 2796);
KSM_OFFSET(PlayerRecord, blood_loss, 2800);
KSM_OFFSET(PlayerRecord, carry_allowance, 2804);
KSM_OFFSET(PlayerRecord, shield_stance, 2808);
KSM_OFFSET(PlayerRecord, wound_treatments, 2812);
KSM_OFFSET(PlayerRecord, wound_herb_care, 2892);
KSM_OFFSET(PlayerRecord, LastActionBit, 2972);
KSM_OFFSET(PlayerRecord, doorway_mark, 2974);
KSM_OFFSET(PlayerRecord, food_effects, 2976);
KSM_OFFSET(PlayerRecord, dreaming, 2980);
KSM_OFFSET(PlayerRecord, stimulant_mark, 2981);
KSM_OFFSET(PlayerRecord, luck_uses, 2982);
KSM_OFFSET(PlayerRecord, knockout_ref, 2984);
KSM_OFFSET(PlayerRecord, eye_injury, 2988);
KSM_OFFSET(PlayerRecord, course_event, 4588);
KSM_OFFSET(PlayerRecord, course_task, 4592);
KSM_OFFSET(PlayerRecord, course_target, 4596);
KSM_OFFSET(PlayerRecord, total_minutes, 4600);
KSM_OFFSET(PlayerRecord, zoom_origin_x, 4604);
KSM_OFFSET(PlayerRecord, zoom_origin_y, 4608);
KSM_OFFSET(PlayerRecord, zoom_arrival_x, 4612);
KSM_OFFSET(PlayerRecord, zoom_arrival_y, 4616);
KSM_OFFSET(PlayerRecord, previous_air_temp, 4624);
KSM_OFFSET(PlayerRecord, plr_version, 4632);
KSM_OFFSET(PlayerRecord, recent_offerings, 4956);
KSM_OFFSET(PlayerRecord, plr_deed_flags, 5016);
KSM_OFFSET(PlayerRecord, cause_of_fainting, 5020);
KSM_OFFSET(PlayerRecord, cause_of_fatal_wound, 5024);
KSM_OFFSET(PlayerRecord, cause_of_bleeding, 5028);
KSM_OFFSET(PlayerRecord, cause_of_death, 5032);
KSM_OFFSET(PlayerRecord, plr_wolf_quest, 5038);
KSM_OFFSET(PlayerRecord, plr_knowledge, 5367);
KSM_OFFSET(PlayerRecord, day_change_mark, 5623);
KSM_OFFSET(PlayerRecord, course_completion, 5624);
KSM_OFFSET(PlayerRecord, forest_maids, 5625);
KSM_OFFSET(PlayerRecord, camp_mark, 5628);
KSM_OFFSET(PlayerRecord, travel_mode, 5630);
KSM_OFFSET(PlayerRecord, exertion, 5631);
KSM_OFFSET(PlayerRecord, energy_reset_byte, 5632);
KSM_OFFSET(PlayerRecord, bodytemp, 5676);
KSM_OFFSET(PlayerRecord, bodytemp_change, 5680);
KSM_OFFSET(PlayerRecord, map_zoom, 5684);
KSM_OFFSET(PlayerRecord, second_day_counter, 5688);
KSM_OFFSET(PlayerRecord, counters_init_flag, 5692);
KSM_OFFSET(PlayerRecord, energy_reset_done, 5693);

// The one character record of the run.
extern PlayerRecord Plr;
inline PlayerRecord& plr = Plr;
// Set while the player sleeps (the record's sleeping byte).
inline uint8_t& plr_asleep = Plr.sleeping;

// Skill names are fixed 12-byte fields: a 12-letter name ("TEXTILECRAFT")
// fills the field without a terminating zero. Never strcpy or strcmp them.
// The name of a slot as terminated text (ring text); "" for a bad slot.
const char* skill_name_text(const PlayerRecord& rec, int slot);
// True when the slot's name is exactly `name` (compared within 12 bytes;
// a name longer than 12 letters never matches).
bool skill_name_is(const PlayerRecord& rec, int slot, const char* name);
// True when the slot's name contains `word`.
bool skill_name_contains(const PlayerRecord& rec, int slot, const char* word);
// Writes a name into a slot: NUL-filled, cut at 12 bytes.
void set_skill_name(PlayerRecord& rec, int slot, const char* name);
// The first slot whose name is exactly / contains the text, -1 when none.
int find_skill_exact(const PlayerRecord& rec, const char* name);
int find_skill_containing(const PlayerRecord& rec, const char* word);
// The first empty slot, -1 when all 50 are taken.
int find_free_skill_slot(const PlayerRecord& rec);

// The character file: exactly the 5,716 bytes of the record.
// Writes atomically; false (old file kept) on any failure.
bool write_player_record(const std::string& path, const PlayerRecord& rec);
// Reads a file of exactly 5,716 bytes; false and `rec` untouched otherwise.
// A record with body temperature 0.0 gets 37.0 (and no change rate).
bool read_player_record(const std::string& path, PlayerRecord& rec);
