// A character saved by the game itself on a local map of the fixture world,
// for the tests of the save's safety, and snapshots of a character folder
// (every file, hidden ones too) to compare it with and put it back.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/fixture_world.h"

// The fixture world of `name` (in the current folder), loaded, zoomed in to
// its local map and saved there (the map change's own save) and once more
// by the player. Messages scroll on without waiting.
FixtureWorld make_saved_game(const std::string& name = "TESTER");

// Changes the game in memory as a little play would: days pass, the player
// moves, a thing is made, a marker and the local map change.
void play_a_little(int days);

struct FileState {
    long long size = 0;
    uint32_t sum = 0;  // CRC-32
    bool operator==(const FileState&) const = default;
};
struct FolderSnapshot {
    std::map<std::string, FileState> files;             // name -> size and sum
    std::map<std::string, std::vector<uint8_t>> bytes;  // only when kept
    bool same_as(const FolderSnapshot& other, std::string* first_difference = nullptr) const;
    // The names of the files whose bytes differ (or that only one holds).
    std::vector<std::string> differences(const FolderSnapshot& other) const;
};
// Every file of the folder, hidden ones too. A file unchanged on the disk
// since it was last looked at is not read again.
FolderSnapshot snapshot_folder(const std::string& folder, bool keep_bytes = false);
// Puts the folder back as the snapshot (taken with its bytes) holds it:
// changed files rewritten, files the snapshot lacks removed.
void restore_folder(const std::string& folder, const FolderSnapshot& snapshot);

// Runs `body` in a child process (a fork) so that nothing it does to the
// game's memory reaches the test; its result is the child's exit code (the
// exit routine's 1 included), or -1 when it did not exit normally (a crash).
int run_in_child(const std::function<int()>& body);
