// Saving and loading the character: the character record, its rotating
// backups, the plausibility check, and every store of the character folder
// whose state lives only in memory (objects, item types, creature
// templates, weather, markers, the culture grid, the current village).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/player.h"

// Rotating backup counter: starts at 0 with the program, never saved.
extern int32_t backup_counter;
constexpr int CHARACTER_BACKUPS = 5;  // "%s/%s.BK0" .. "%s/%s.BK4"

// Save kinds.
constexpr int SAVE_QUIET = 0;    // any save without messages
constexpr int SAVE_PLAYER = 1;   // the player's save, with its messages
constexpr int SAVE_QUICK = 27;   // the record and the object store only

// The character folder "<installation>/<name>" and the paths in it.
std::string character_folder();
std::string character_record_path();         // "<folder>/<name>.KMS"
std::string character_backup_path(int n);    // "<folder>/<name>.BK<n>"; n < 0: "<folder>/<name>.BAK"

// Counter + 1 mod 5; the character file is copied to that numbered backup,
// and to ".BAK" when it holds a record with a name. A missing, short or
// nameless character file never replaces a backup.
void rotate_character_backups();

// 1 when the record's skills or attributes are too good for its days.
int character_values_implausible(const PlayerRecord& rec = Plr);

// Saves the character as one commit across its files (see game/save_set.h):
// true when the switch to the new save was made. Any failure before it is
// reported on the message line, leaves the previous save whole and the game
// going. The backups rotate in the same switch, after the new record, and
// only a whole, vouched-for old record is ever rotated into them. An empty
// character name or record name saves nothing at all.
bool save_character(int kind);

// save_character(0), then the current map again from its files.
void save_and_reload_map();

// Loads the character named by character_name (record, objects, creature
// templates, markers, weather). A damaged or missing record is taken from
// its newest good backup (and the player is told); with none, or with a
// missing object file that has no good copy, the program ends with a
// message and no file is changed.
void readguy();

// What is wrong with a character record, if anything.
enum class RecordVerdict { Good, Missing, Damaged, TooOld };
// Judges the bytes of a character file named `file_name` in `folder`: its
// size, the plausibility of its fields and, when the save set lists it,
// its checksum. `why` (when given) gets a short reason.
RecordVerdict judge_character_record(const std::string& folder, const char* file_name, const uint8_t* bytes,
                                     size_t size, std::string* why = nullptr);
// The plausibility of the fields alone: Good, Damaged or TooOld.
RecordVerdict record_fields_verdict(const PlayerRecord& rec, std::string* why = nullptr);

// A saved character as the start menu sees it.
struct CharacterCheck {
    RecordVerdict record = RecordVerdict::Missing;
    std::string reason;        // why the record is not good
    std::string record_file;   // "<name>.KMS"
    std::string name;          // the name to list ("" when nothing names it)
    int backup = -1;           // the newest good backup: 0..4 numbered, 5 ".BAK", -1 none
    std::string backup_file;   // its file name
    int backup_days = 0;       // days played in the backup
};
// Checks the record of the character folder `folder` (relative to the
// installation) and its backups; reads only.
CharacterCheck check_character(const std::string& folder);
// The files of the chosen character (character_name) that a load cannot do
// without and that have no good copy left: each line names the file. Empty
// when the game can be loaded. Reads only (besides completing a switch that
// an interrupted save had made).
std::vector<std::string> unrestorable_character_files();

// Messages of the load for the player (repairs made, copies used); shown
// once the game screen is up, then cleared. Part of the per-game state.
void tell_after_load(const std::string& text);
const std::vector<std::string>& load_notices();
void show_load_notices();
// A message for the player about the save's files: on the message line,
// or kept for after the load while a game is being loaded.
void tell_player(const char* text);
void clear_load_notices();

// A character file that is damaged or missing is replaced by the newest
// good backup (numbered ones and ".BAK", newest first). True when a backup
// was copied; the player is told which.
bool restore_empty_character_file();
// An all-zero "WORLD.DAT" is replaced by "WORLD.BAK". True when copied.
bool restore_empty_world_file();

// Reads the leading record of a character file into `rec` (zeroed first;
// a short file leaves the rest zero). False when it can't be opened.
bool peek_character_file(const std::string& path, PlayerRecord& rec);
