// Saving and loading the character: the character record, its rotating
// backups, the plausibility check, and every store of the character folder
// whose state lives only in memory (objects, item types, creature
// templates, weather, markers, the culture grid, the current village).
#pragma once

#include <cstdint>
#include <string>

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

// Saves the character; true when every file was written. A failure is
// reported on the message line (kind 1 never claims success after one).
// An empty character name or record name saves nothing at all.
bool save_character(int kind);

// save_character(0), then the current map again from its files.
void save_and_reload_map();

// Loads the character named by character_name (record, objects, creature
// templates, markers, weather). Ends the program on a missing character
// or object file.
void readguy();

// A character file without a name is replaced by the newest usable backup:
// ".BAK" first, then the numbered ones newest first (by modification time).
// True when a backup was copied.
bool restore_empty_character_file();
// An all-zero "WORLD.DAT" is replaced by "WORLD.BAK". True when copied.
bool restore_empty_world_file();

// Reads the leading record of a character file into `rec` (zeroed first;
// a short file leaves the rest zero). False when it can't be opened.
bool peek_character_file(const std::string& path, PlayerRecord& rec);
