// Damaged and missing files of a saved game: for each, the load uses a good
// copy and says so, or refuses with a message; either way every byte of
// every good file and backup stays as it was. And a bounded fuzz run of
// mutated saves that must never crash or hang the load.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/world_files.h"
#include "support/play_folder.h"
#include "support/saved_game.h"
#include "ui/message_line.h"
#include "base/files.h"
#include "base/platform.h"

namespace {

enum class Damage { Zeroed, Random, Cut, Oversized, Deleted };
const char* damage_name(Damage d) {
    switch (d) {
    case Damage::Zeroed: return "zeroed";
    case Damage::Random: return "random";
    case Damage::Cut: return "cut";
    case Damage::Oversized: return "oversized";
    default: return "deleted";
    }
}
constexpr Damage ALL_DAMAGES[] = {Damage::Zeroed, Damage::Random, Damage::Cut, Damage::Oversized, Damage::Deleted};

void damage_file(const std::string& path, Damage d, uint32_t seed) {
    std::vector<uint8_t> bytes = read_fixture_file(path);
    seed_random(seed);
    auto noise = [](size_t n) {
        std::vector<uint8_t> out(n);
        for (uint8_t& b : out) b = uint8_t(ksm_rand() & 0xFF);
        return out;
    };
    switch (d) {
    case Damage::Zeroed: std::fill(bytes.begin(), bytes.end(), 0); break;
    case Damage::Random: bytes = noise(bytes.size()); break;
    case Damage::Cut: bytes.resize(bytes.size() / 2); break;
    case Damage::Oversized: {
        const std::vector<uint8_t> more = noise(1000);
        bytes.insert(bytes.end(), more.begin(), more.end());
        break;
    }
    case Damage::Deleted: remove_file(path); return;
    }
    write_fixture_file(path, bytes.data(), bytes.size());
}

// What a load of the character made of it.
struct LoadResult {
    int code = -1;             // 0 loaded, 10 refused at the start menu, 1 the exit routine
    std::string told;          // the lines the player was shown (notices or the refusal)
};

class DamagedSaves : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_saved_game("TESTER");
        // A second save, so that the files that changed have a previous
        // copy and the backups hold two different records.
        play_a_little(4);
        ASSERT_TRUE(save_character(SAVE_PLAYER));
        good = snapshot_folder("TESTER", true);
    }
    void TearDown() override { skip_message_pauses = false; }

    // The player's way in, as the start menu takes it: the record and the
    // files the load can't do without are checked; a damaged record with a
    // good backup is taken from it (the player says yes); then the game's
    // files are loaded, each from the disk. The checks come first, so the
    // load never has to end the program: it runs in this process.
    // (`world`: the world's files, the cultures and the local map too.)
    LoadResult load(bool world = true) {
        LoadResult r;
        alarm(60);  // a hang ends the test
        messages_suppressed = true;  // what the load tells is kept for the game screen
        clear_load_notices();
        zoom_index_invalidate();
        copy_text(character_name, sizeof character_name, "TESTER");
        std::vector<std::string> told;
        const CharacterCheck check = check_character("TESTER");
        const std::vector<std::string> missing = unrestorable_character_files();
        const bool bad_record = check.record != RecordVerdict::Good;
        if (!missing.empty() || (bad_record && check.backup < 0) || check.record == RecordVerdict::TooOld) {
            told = missing;
            told.push_back(check.record_file + ": " + check.reason);
            r.code = 10;
        } else {
            r.code = 0;
            if (bad_record && !restore_empty_character_file()) r.code = 11;
            if (r.code == 0) {
                // As the start of a game: the creature tables of the last
                // load are dropped, the creature file is read at the first
                // map's load.
                reset_creature_tables();
                readguy();
                if (world) crs_records();
                if (world) {
                    if (load_culture_grid() != 1) r.code = 12;
                    load_world_files();
                    zoom_index_invalidate();
                    if (zoom_load_stored(Plr.zoom_origin_x, Plr.zoom_origin_y) != 1 && load_notices().empty())
                        r.code = 13;  // a map lost without a word
                }
            }
            told = load_notices();
        }
        clear_load_notices();
        messages_suppressed = false;
        alarm(0);
        for (const std::string& t : told) r.told += t + "\n";
        return r;
    }

    PlayFolder folder{false};
    FixtureWorld world;
    FolderSnapshot good;
};

bool contains(const std::string& text, const std::string& word) { return text.find(word) != std::string::npos; }
// One of the words separated by '|'.
bool contains_any(const std::string& text, const std::string& words) {
    size_t from = 0;
    for (;;) {
        const size_t bar = words.find('|', from);
        if (contains(text, words.substr(from, bar == std::string::npos ? std::string::npos : bar - from))) return true;
        if (bar == std::string::npos) return false;
        from = bar + 1;
    }
}

TEST_F(DamagedSaves, EachDamagedFileIsTakenFromAGoodCopyOrRefusedAndGoodFilesStayAsTheyWere) {
    struct Row {
        std::vector<const char*> files;  // damaged together
        const char* named;               // the file the player is told of
        const char* copy;                // the good copy used ("" the load refuses)
        std::vector<const char*> repaired;  // files the load may write (the damaged ones)
    } rows[] = {
        // The newest backup: ".BAK" or the numbered copy of the same switch.
        {{"TESTER.KMS"}, "TESTER.KMS", "TESTER.BAK|TESTER.BK3", {"TESTER.KMS"}},
        // The newest backups damaged too: the newest good one is used.
        {{"TESTER.KMS", "TESTER.BAK", "TESTER.BK3"}, "TESTER.KMS", "TESTER.BK2", {"TESTER.KMS"}},
        {{"TESTER.KMS", "TESTER.BAK", "TESTER.BK3", "TESTER.BK2"}, "TESTER.KMS", "", {}},
        {{"WORLD.DAT"}, "WORLD.DAT", "WORLD.BAK", {"WORLD.DAT"}},
        {{"WORLD.DAT", "WORLD.BAK"}, "WORLD.DAT", "", {}},
        {{"kulttuuri.dat"}, "kulttuuri.dat", "kulttuuri.bak", {"kulttuuri.dat"}},
        {{"MARKER.DAT"}, "MARKER.DAT", "save before", {"MARKER.DAT"}},
        {{"TESTER.OBJ"}, "TESTER.OBJ", "save before", {"TESTER.OBJ"}},
        {{"TESTER.VIL"}, "TESTER.VIL", "save before", {"TESTER.VIL", "TESTER.VIL.bad"}},
        {{"ZOOMMAPS.DAT"}, "ZOOMMAPS.DAT", "made anew|maps kept", {"ZOOMMAPS.DAT", "ZOOMINDEX.DAT"}},
        {{"ZOOMINDEX.DAT"}, "ZOOMINDEX.DAT", "rebuilt", {"ZOOMINDEX.DAT"}},
        // A backup damaged beside its good file: the good file loads, and
        // nothing else is touched.
        {{"TESTER.BAK"}, "", "", {}},
        {{"TESTER.BK3"}, "", "", {}},
        {{"WORLD.BAK"}, "", "", {}},
        {{"kulttuuri.bak"}, "", "", {}},
        {{"EXTRAMARKER.DAT"}, "EXTRAMARKER.DAT", "save before", {"EXTRAMARKER.DAT"}},
        // Files that changed in no save of this game have no earlier copy:
        // their tables start empty or anew, and the next save writes them.
        {{"DATA.DAT"}, "DATA.DAT", "save before|without its objects", {}},
        {{"WORLD.PLM"}, "WORLD.PLM", "save before|starts empty", {}},
        {{"GLOBWEATHER.DAT"}, "GLOBWEATHER.DAT", "save before|starts anew", {}},
        {{"CONSTANT.OBJ"}, "CONSTANT.OBJ", "save before|start blank", {}},
        {{"CONSTANT.CRE"}, "CONSTANT.CRE", "made anew", {"CONSTANT.CRE"}},
        {{"TESTER.CRS"}, "TESTER.CRS", "save before|used as they are|made anew", {}},
    };
    uint32_t seed = 1;
    for (const Row& row : rows) {
        for (Damage d : ALL_DAMAGES) {
            std::string label = std::string(row.files.front()) + (row.files.size() > 1 ? "+" : "") + " " +
                                damage_name(d);
            SCOPED_TRACE(label);
            restore_folder("TESTER", good);
            for (const char* f : row.files) damage_file(folder.file(std::string("TESTER/") + f), d, ++seed);
            const FolderSnapshot damaged = snapshot_folder("TESTER");
            // A file of zeros already (blank templates, empty records) is
            // not damaged by zeroing it.
            if (damaged.same_as(good)) continue;
            const LoadResult r = load();
            if (row.named[0] == 0) {
                // Loaded from the good file without a word; only the damaged
                // backup differs from the save.
                EXPECT_EQ(r.code, 0) << r.told;
                EXPECT_EQ(r.told, "");
                for (const std::string& name : snapshot_folder("TESTER").differences(good)) {
                    bool allowed = name == "msglog.txt";
                    for (const char* f : row.files) allowed = allowed || name == f;
                    EXPECT_TRUE(allowed) << name << " changed";
                }
                continue;
            }
            if (row.copy[0] == 0) {
                // Refused, with the file named, and nothing changed at all.
                EXPECT_EQ(r.code, 10) << r.told;
                EXPECT_TRUE(contains(r.told, row.named)) << r.told;
                std::string difference;
                EXPECT_TRUE(snapshot_folder("TESTER").same_as(damaged, &difference)) << difference;
                continue;
            }
            EXPECT_EQ(r.code, 0) << r.told;
            // The player is told which file was bad and what was used.
            EXPECT_TRUE(contains(r.told, row.named)) << r.told;
            EXPECT_TRUE(contains_any(r.told, row.copy)) << r.told;
            // Every good file and backup is byte for byte as it was; only
            // the damaged files, the manifest and the message log may change.
            const FolderSnapshot after = snapshot_folder("TESTER");
            for (const std::string& name : after.differences(good)) {
                bool allowed = name == "SAVESET.DAT" || name == "msglog.txt";
                for (const char* f : row.files) allowed = allowed || name == f;
                for (const char* f : row.repaired) allowed = allowed || name == f;
                EXPECT_TRUE(allowed) << name << " changed";
            }
            // A repaired file is whole again: a second load needs no repair.
            if (!row.repaired.empty() && std::string(row.named) != "ZOOMMAPS.DAT") {
                const LoadResult again = load();
                EXPECT_EQ(again.code, 0);
                EXPECT_EQ(again.told, "") << again.told;
            }
        }
    }
}

TEST_F(DamagedSaves, TooOldOnlyForARecordReallyOfAnOldFormat) {
    PlayerRecord rec;
    ASSERT_TRUE(read_player_record(folder.file("TESTER/TESTER.KMS"), rec));
    struct Case {
        const char* label;
        int32_t version;
        bool garble_map;
        RecordVerdict expected;
    } cases[] = {
        {"format 300", 300, false, RecordVerdict::TooOld},
        {"format 317", 317, false, RecordVerdict::TooOld},
        {"format 318", 318, false, RecordVerdict::Good},
        {"format 300 with a garbled map name", 300, true, RecordVerdict::Damaged},
        {"format far in the future", 90000, false, RecordVerdict::Damaged},
        {"negative format", -5, false, RecordVerdict::Damaged},
    };
    for (const Case& c : cases) {
        PlayerRecord r = rec;
        r.plr_version = c.version;
        if (c.garble_map) r.map_name[2] = char(200);
        EXPECT_EQ(record_fields_verdict(r), c.expected) << c.label;
    }
    // A random body behind a good name is damaged, never too old.
    seed_random(99);
    for (int i = 0; i < 50; ++i) {
        PlayerRecord r;
        auto* bytes = reinterpret_cast<uint8_t*>(&r);
        for (size_t k = 0; k < sizeof r; ++k) bytes[k] = uint8_t(ksm_rand());
        std::memcpy(r.name, rec.name, sizeof r.name);
        EXPECT_EQ(record_fields_verdict(r), RecordVerdict::Damaged) << i;
    }
}

TEST_F(DamagedSaves, AMissingRecordWithGoodBackupsIsListedAndOffered) {
    remove_file(folder.file("TESTER/TESTER.KMS"));
    const CharacterCheck c = check_character("TESTER");
    EXPECT_EQ(c.record, RecordVerdict::Missing);
    EXPECT_EQ(c.name, "TESTER");
    EXPECT_TRUE(c.backup_file == "TESTER.BAK" || c.backup_file == "TESTER.BK3") << c.backup_file;
    EXPECT_GE(c.backup_days, 1);
    // But a dead character (whose folder could not be removed) stays dead.
    folder.write("TESTER/TESTER.KMS.DEAD", "");
    const CharacterCheck dead = check_character("TESTER");
    EXPECT_EQ(dead.record, RecordVerdict::Missing);
    EXPECT_EQ(dead.backup, -1);
}

// Mutated saves: bytes flipped, runs overwritten, files cut, grown or
// swapped for another file of the save. The load may refuse, repair or end
// through the exit routine with a message, but never crash or hang.
TEST_F(DamagedSaves, FuzzedSavesNeverCrashOrHangTheLoad) {
    const char* targets[] = {"TESTER.KMS", "TESTER.BAK", "TESTER.BK2", "TESTER.OBJ", "SAVESET.DAT",
                             "ZOOMINDEX.DAT", "ZOOMMAPS.DAT", "MARKER.DAT", "EXTRAMARKER.DAT", "kulttuuri.dat",
                             "kulttuuri.bak", "WORLD.DAT", "WORLD.BAK", "WORLD.PLM", "DATA.DAT", "GLOBWEATHER.DAT",
                             "CONSTANT.OBJ", "CONSTANT.CRE"};
    constexpr int RUNS = 200;
    int loaded = 0, refused = 0, ended = 0;
    // The mutations have a generator of their own: what the loads draw
    // from the game's does not change them.
    std::mt19937 rng(2024);
    auto below = [&](int n) { return int(rng() % uint32_t(n)); };
    for (int run = 0; run < RUNS; ++run) {
        restore_folder("TESTER", good);
        // One to three files of the save, each mutated one way.
        const int files = 1 + below(3);
        std::string what;
        for (int k = 0; k < files; ++k) {
            const char* name = targets[below(int(sizeof targets / sizeof targets[0]))];
            const std::string path = folder.file(std::string("TESTER/") + name);
            std::vector<uint8_t> bytes = read_fixture_file(path);
            const int how = below(6);
            if (bytes.empty()) continue;
            switch (how) {
            case 0:  // a few bytes flipped
                for (int n = 0; n < 1 + below(8); ++n) bytes[size_t(rng()) % bytes.size()] ^= uint8_t(1 + below(255));
                break;
            case 1: {  // a run overwritten
                const size_t at = size_t(rng()) % bytes.size();
                const size_t len = std::min(bytes.size() - at, size_t(1 + below(4096)));
                for (size_t i = 0; i < len; ++i) bytes[at + i] = uint8_t(rng());
                break;
            }
            case 2: bytes.resize(size_t(rng()) % bytes.size()); break;
            case 3: bytes.resize(bytes.size() + 1 + size_t(below(100000)), uint8_t(rng())); break;
            case 4: {  // the size field-like head of the file set to extremes
                for (size_t i = 0; i < std::min<size_t>(bytes.size(), 64); i += 4) put_le32(&bytes[i], i % 8 ? 0x7fffffffu : 0xffffffffu);
                break;
            }
            default: bytes = read_fixture_file(folder.file(std::string("TESTER/") + targets[below(int(sizeof targets / sizeof targets[0]))]));
            }
            write_fixture_file(path, bytes.data(), bytes.size());
            what += std::string(name) + ":" + std::to_string(how) + " ";
        }
        // The record, objects, markers and weather load every time; the
        // world's files when one of them (or the manifest) was mutated.
        bool world = false;
        for (const char* w : {"SAVESET", "WORLD", "DATA", "kulttuuri", "ZOOM"}) world = world || contains(what, w);
        const LoadResult r = load(world);
        ASSERT_NE(r.code, -1) << "run " << run << " crashed or hung: " << what;
        if (r.code == 0) ++loaded;
        else if (r.code == 10) ++refused;
        else ++ended;
    }
    // The figures of the run.
    std::printf("fuzzed saves: %d loaded, %d refused, %d ended with a message\n", loaded, refused, ended);
    EXPECT_EQ(loaded + refused + ended, RUNS);
    EXPECT_GT(loaded, 0);
}

}  // namespace
