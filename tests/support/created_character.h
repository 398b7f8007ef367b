// A character made once through the real program and shared by the
// end-to-end tests: the quick creation of "Ari" at seed 5 (the start menu,
// the name, the world accepted, free play, the page after creation, the
// encyclopedia's first-timer page left with ESC, the story page), run
// by the game binary in a play folder of its own. The first test of a build
// to ask makes it while the others wait; the made folder is kept in the
// build's test cache and made again when the game binary changes. Each test
// gets a copy in its own play folder, so none sees another's changes.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>

#include "play_folder.h"

// The key script of the creation run.
extern const char* const kCreateAriKeys;

// Copies the created character's play folder (the character folder "ARI"
// and the files the run left in the working folder) over `into`'s. False,
// with the reason in `why`, when the character could not be made.
bool copy_created_character(const PlayFolder& into, std::string* why = nullptr);

// One file of a character folder, as a test lays it out.
struct CharacterFile {
    const char* name;
    const void* data;
    size_t size;
};
// Writes files of the character "ARI" in the current folder as one save
// would, so that the save's manifest vouches for them.
void plant_character_files(std::initializer_list<CharacterFile> files);
