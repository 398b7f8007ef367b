// The character's death and the removal of a dead character's folder.
#pragma once

#include <string>

// The cause of harm the death record tells ("died from %s"): a text of
// what hurt the player last, such as "Walked into a snare". Per game.
extern char harm_cause_text[128];

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

