// The save set of a character folder: every file a save writes is written
// beside the old one, flushed, and the switch from the old save to the new
// one is made at a single point, the rename of the small manifest
// "SAVESET.DAT". The manifest names the generation of the save and, for
// each file, its size and checksum (and those of the previous generation's
// copy, kept as ".<name>.prev"). A stop anywhere before the switch leaves
// the old save whole; a stop after it is completed by the next load.
//
// Files rewritten in place (the local-map store) go through a journal
// ("SAVEJRNL.DAT") that the manifest vouches for; it is applied after the
// switch and again by a load that finds it still there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"

constexpr const char* SAVE_MANIFEST_FILE = "SAVESET.DAT";
constexpr const char* SAVE_JOURNAL_FILE = "SAVEJRNL.DAT";

struct SaveSetHeader {
    char magic[8];          // "KSMSET01"
    uint32_t generation;    // raised by every switch
    uint32_t entry_count;   // entries in use, at most SAVE_SET_ENTRIES
    uint32_t sum;           // CRC-32 of the whole manifest with this field zero
    uint32_t reserved[3];
};
KSM_RECORD(SaveSetHeader, 32);
KSM_OFFSET(SaveSetHeader, generation, 8);
KSM_OFFSET(SaveSetHeader, sum, 16);

struct SaveSetEntry {
    char name[32];          // the file's name in the character folder
    int64_t size;
    uint32_t sum;           // CRC-32 of the file (with SET_SUM)
    uint32_t generation;    // the switch that wrote it last
    int64_t prev_size;      // the previous generation's copy (with SET_PREV)
    uint32_t prev_sum;
    uint32_t flags;
};
KSM_RECORD(SaveSetEntry, 64);
KSM_OFFSET(SaveSetEntry, size, 32);
KSM_OFFSET(SaveSetEntry, prev_size, 48);
KSM_OFFSET(SaveSetEntry, flags, 60);

constexpr uint32_t SET_SUM = 1;        // size and sum describe the file
constexpr uint32_t SET_SIZE_ONLY = 2;  // patched in place: only its size is known
constexpr uint32_t SET_PREV = 4;       // ".<name>.prev" holds prev_size bytes of sum prev_sum
constexpr uint32_t SET_ROTATE = 8;     // this switch moves the old copy to ".<name>.prev"
constexpr uint32_t SET_JOURNAL = 16;   // the journal of this switch

constexpr int SAVE_SET_ENTRIES = 64;
struct SaveManifest {
    SaveSetHeader header;
    SaveSetEntry entry[SAVE_SET_ENTRIES];
};
KSM_RECORD(SaveManifest, 32 + 64 * SAVE_SET_ENTRIES);

// ------------------------------------------------------------ writing

// Opens a commit on the current character folder. Commits nest: only the
// outermost end makes the switch. Before the first, a half-finished switch
// left by an earlier stop is completed or discarded.
void begin_save_commit();
// Ends a commit. The outermost end writes the staged files beside the old
// ones, writes the manifest (the switch) and then moves the new files into
// place. True when the switch was made; false when the commit failed (or
// was spoiled by a failed write), which leaves the old save as it was.
bool end_save_commit();
// Ends the outermost commit without switching (the staged files are
// dropped).
void abandon_save_commit();
bool save_commit_open();
// True when a write of the open commit has failed (its end will not switch).
bool save_commit_spoiled();
// The name of the file whose write failed the last commit ("" if none).
const std::string& save_commit_failed_file();

// A whole file of the character folder, by name. Inside a commit it joins
// the commit (a second write of the same name replaces the first); outside
// one it is a commit of its own. False when it could not be written (a
// commit of its own), or when the commit is already spoiled.
bool write_character_file(const char* name, const void* data, size_t size);
// The same for a repair made while loading (a damaged file put right from
// a good copy, a store made consistent): the old copy never takes the place
// of the previous generation's copy.
bool repair_character_file(const char* name, const void* data, size_t size);
// Bytes at `offset` of a file that is rewritten in place; `new_size` >= 0
// cuts the file to that size afterwards. Joins the open commit (or makes
// one of its own) through the journal.
bool patch_character_file(const char* name, long long offset, const void* data, size_t size,
                          long long new_size = -1);
// The bytes a patch of the open commit will put at `offset`, when one
// covers that whole range (the newest wins). False otherwise.
bool pending_patch_bytes(const char* name, long long offset, void* data, size_t size);
// Takes a finished file of the character folder (a temporary of the
// caller's) as the new copy of `name` in the open commit; only its size is
// recorded. The temporary is moved into place at the switch.
bool adopt_character_file(const char* name, const std::string& temporary);

// ------------------------------------------------------------ reading

enum class FileVerdict {
    Good,      // listed, and its size and sum match
    Unlisted,  // no manifest entry with a sum: only its size could be checked
    Missing,
    Damaged,   // wrong size, or its sum does not match
};

// Reads `name`, which must be exactly `size` bytes, into `data` and judges
// it. Good and Unlisted fill `data`; Missing and Damaged leave it as it was.
FileVerdict read_character_file(const char* name, void* data, size_t size);
// The same for a file of any size up to max_size.
FileVerdict read_character_file(const char* name, std::vector<uint8_t>& out, size_t max_size);
// Judges bytes already read against the manifest entry of `name` (in the
// current character folder, or in `folder`).
FileVerdict judge_character_bytes(const char* name, const void* data, size_t size);
FileVerdict judge_bytes_in(const std::string& folder, const char* name, const void* data, size_t size);
// Reads the previous generation's copy of `name` when the manifest vouches
// for it (its sum matches) and it is `size` bytes long.
bool read_previous_copy(const char* name, void* data, size_t size);
// Reads a file of exactly `size` bytes that must not be lost: `name` itself
// when it is good, else the first good copy of `backup` (a file of the
// folder, or nullptr) and the previous generation's copy. A copy that the
// manifest has no sum for must also pass `plausible` (when given). `source`
// tells where the bytes came from ("" when nothing good was found: `data`
// is then untouched) and `verdict` what was wrong with `name` itself.
struct GuardedRead {
    FileVerdict verdict = FileVerdict::Missing;
    std::string source;
    bool found() const { return !source.empty(); }
    bool restored() const { return found() && verdict != FileVerdict::Good && verdict != FileVerdict::Unlisted; }
};
using Plausibility = bool (*)(const void* data, size_t size);
GuardedRead read_guarded(const char* name, const char* backup, void* data, size_t size,
                         Plausibility plausible = nullptr);
// The same judgement without reading the files into memory (a listed
// copy's sum is taken as it streams by).
GuardedRead probe_guarded(const char* name, const char* backup, size_t size, Plausibility plausible = nullptr);
// The words for a verdict in a message: "missing", "damaged".
const char* verdict_words(FileVerdict v);

// The manifest entry of `name` in the current folder's manifest.
bool save_set_entry(const char* name, SaveSetEntry& out);
// The current folder's manifest. False when there is none or it is damaged.
bool read_save_manifest(SaveManifest& out);
bool read_save_manifest_in(const std::string& folder, SaveManifest& out);
// True when the file on disk matches the size and sum.
bool file_matches(const std::string& path, long long size, uint32_t sum);

// ------------------------------------------------------------ load time

// Completes a switch that a stop left half-finished (or drops the files of
// one that never reached its switch), and removes the temporary files of
// interrupted writes. Appends a line for the player to `told` when it had
// to do something worth telling. False when a committed switch could not
// be completed.
bool recover_save_set(const std::string& folder, std::vector<std::string>* told = nullptr);

// Names of the files beside a file: the staged new copy and the previous
// generation's copy.
std::string staged_name(const char* name);
std::string previous_name(const char* name);
