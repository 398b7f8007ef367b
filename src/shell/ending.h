// Ending a game and the program: the exit routine, the farewell screen,
// the character's death, the removal of a dead character's folder and the
// quit confirmation.
#pragma once

#include <cstdint>
#include <string>

// Set by the window-close handler while a game runs; read and cleared by
// the start menu and the quit confirmation.
extern int32_t quit_request;
// Set while the start menu runs: closing the window then ends the program.
extern int32_t in_start_menu;

// The exit routine every fatal condition and every orderly exit goes
// through. A non-empty text is a fatal condition: it is shown (and written
// to stderr) and the process exits with code 1. An empty text is an orderly
// exit with code 0. Open files are flushed and the mixer closed first.
[[noreturn]] void exit_with_message(const char* text);
// The exit code exit_with_message uses for a text: 0 for empty, else 1.
int exit_code_for_message(const char* text);

// The farewell screen after QUIT; ends through exit_with_message("").
[[noreturn]] void farewell_screen();

// The character dies: the ancestors get the record, the character folder
// is removed, quit_state becomes -1. A second call only blacks out the map.
void plr_die();

// Removes the current character's folder (all regular files in it, then
// the folder). False, with a message on screen, when it could not be
// removed; the character file is then at least removed or renamed.
bool remove_character_folder();
// The rule behind it: `root` is the game folder ("" the working folder),
// `name` the character's folder name. Refuses an empty name, names with
// "/", "\\" or "..", and folders without "<name>.KMS" or holding the
// program. Never changes the working folder.
enum class FolderRemoval { Removed, Refused, Failed };
FolderRemoval remove_character_folder_at(const std::string& root, const char* name);

// The quit confirmation: 1 when the game is to end (or after a plain save),
// 0 when the player cancelled.
int confirm_quit(int save_only);
