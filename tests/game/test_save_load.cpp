// Saving and loading the character: the files and their sizes, the rotating
// backups, the plausibility check, the repairs of empty files, and that a
// bad or short record never replaces a good save.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "creatures/creature_files.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

std::string record_bytes(const PlayerRecord& rec) {
    return std::string(reinterpret_cast<const char*>(&rec), sizeof rec);
}

PlayerRecord named_record(const char* name, int days) {
    PlayerRecord rec{};
    copy_text(rec.name, name);
    copy_text(rec.map_name, "BIGMAP");
    rec.days_played = days;
    rec.bodytemp = 37.0f;
    rec.plr_version = PLR_FORMAT_VERSION;
    return rec;
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("TESTER");
        Plr.bodytemp = 37.0f;
        backup_counter = 0;
        skip_message_pauses = true;
        messages_suppressed = false;
        message_pause_count = 0;
        last_message[0] = 0;
    }
    void TearDown() override { skip_message_pauses = false; }

    std::string log() const { return folder.read("TESTER/msglog.txt"); }
    void write(const std::string& name, const std::string& bytes) const { folder.write("TESTER/" + name, bytes); }
    std::string read(const std::string& name) const { return folder.read("TESTER/" + name); }
    long long size(const std::string& name) const { return file_size(folder.file("TESTER/" + name)); }

    PlayFolder folder{false};
    FixtureWorld world;
};

TEST_F(SaveTest, PlayerSaveWritesEveryFileAtItsSizeAndSaysSo) {
    ASSERT_TRUE(save_character(SAVE_PLAYER));
    const std::string messages = log();
    EXPECT_NE(messages.find("Saving your character..."), std::string::npos) << messages;
    EXPECT_NE(messages.find("Your character has been saved."), std::string::npos) << messages;

    struct Expected {
        const char* file;
        long long bytes;
    } files[] = {
        {"TESTER.KMS", 5716},          {"TESTER.OBJ", 8582800},          {"CONSTANT.OBJ", 68800},
        {"MARKER.DAT", 1560000},       {"EXTRAMARKER.DAT", 1440000},     {"GLOBWEATHER.DAT", (long long)WEATHER_FILE_V2_SIZE},
        {"WORLD.DAT", 6296577},
    };
    for (const Expected& e : files) EXPECT_EQ(size(e.file), e.bytes) << e.file;
    EXPECT_EQ(Plr.plr_version, PLR_FORMAT_VERSION);
}

TEST_F(SaveTest, QuickSaveWritesOnlyTheRecordAndTheObjects) {
    ASSERT_TRUE(save_character(SAVE_QUICK));
    EXPECT_EQ(size("TESTER.KMS"), 5716);
    EXPECT_EQ(size("TESTER.OBJ"), 8582800);
    EXPECT_EQ(size("MARKER.DAT"), -1);
    EXPECT_EQ(size("GLOBWEATHER.DAT"), -1);
    EXPECT_EQ(log().find("Your character has been saved."), std::string::npos);
}

TEST_F(SaveTest, SuccessiveSavesRotateTheNumberedBackups) {
    // The first rotation after start writes number 1, then 2, 3, 4, 0, 1;
    // each backup holds the record as it was before that save.
    ASSERT_TRUE(save_character(SAVE_QUIET));  // a record to rotate (counter 1, nothing to copy)
    backup_counter = 0;
    const int expected[] = {1, 2, 3, 4, 0, 1};
    for (int i = 0; i < 6; ++i) {
        const std::string before = read("TESTER.KMS");
        Plr.days_played = 100 + i;
        ASSERT_TRUE(save_character(SAVE_QUICK));
        EXPECT_EQ(backup_counter, expected[i]);
        EXPECT_EQ(folder.read(character_backup_path(expected[i])), before) << "save " << i;
        EXPECT_EQ(read("TESTER.BAK"), before);
    }
}

TEST_F(SaveTest, LoadAfterSaveGivesTheSameRecord) {
    Plr.days_played = 77;
    Plr.str = 15;
    copy_text(Plr.second_name, "Kettunen");
    Objects[5].item_class = 6;
    copy_text(Objects[5].name, "Handaxe");
    Markers[3].world_x = 1200;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    const std::string saved = read("TESTER.KMS");
    ASSERT_EQ(saved, record_bytes(Plr));

    std::memset(&Plr, 0, sizeof Plr);
    std::memset(Objects, 0, sizeof(ObjectRecord) * 10);
    std::memset(Markers, 0, sizeof(Marker) * 10);
    readguy();
    EXPECT_EQ(record_bytes(Plr), saved);
    EXPECT_EQ(Objects[5].item_class, 6);
    EXPECT_STREQ(Objects[5].name, "Handaxe");
    EXPECT_EQ(Markers[3].world_x, 1200);
}

TEST_F(SaveTest, AFailedWriteIsReportedAndNeverCalledASuccess) {
    ASSERT_TRUE(save_character(SAVE_QUIET));
    // A folder where the character file should be: the record can't be
    // written whatever the user's rights are.
    remove_file(folder.file("TESTER/TESTER.KMS"));
    std::filesystem::create_directory(folder.file("TESTER/TESTER.KMS"));
    EXPECT_FALSE(save_character(SAVE_PLAYER));
    const std::string messages = log();
    EXPECT_NE(messages.find("Write error with .KMS file. Report!"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("Your character has been saved."), std::string::npos) << messages;
}

TEST_F(SaveTest, AFailedMapOrCultureFileFailsTheWholeSave) {
    // Each of these is written by the map files' own savers; a folder in
    // its place makes the write fail whatever the user's rights are.
    const char* blocked[] = {"WORLD.DAT", "WORLD.PLM", "DATA.DAT", "kulttuuri.dat", "kulttuuri.bak"};
    for (const char* name : blocked) {
        make_fixture_world("TESTER");
        ASSERT_EQ(load_culture_grid(), 1);
        ASSERT_TRUE(save_character(SAVE_QUIET)) << name;
        remove_file(folder.file(std::string("TESTER/") + name));
        std::filesystem::create_directory(folder.file(std::string("TESTER/") + name));
        remove_file(folder.file("TESTER/msglog.txt"));
        last_message[0] = 0;
        EXPECT_FALSE(save_character(SAVE_PLAYER)) << name;
        // The message line may change the case of a file's extension.
        std::string messages = log();
        std::string lower_name = name;
        for (char& ch : messages) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        for (char& ch : lower_name) ch = char(std::tolower(static_cast<unsigned char>(ch)));
        EXPECT_NE(messages.find(lower_name), std::string::npos) << name << ": " << messages;
        EXPECT_EQ(messages.find("your character has been saved."), std::string::npos) << name << ": " << messages;
        std::filesystem::remove(folder.file(std::string("TESTER/") + name));
    }
}

TEST_F(SaveTest, ADamagedCultureGridInMemoryIsTakenBackFromItsFiles) {
    ASSERT_EQ(load_culture_grid(), 1);
    const std::vector<uint8_t> good(culture_grid, culture_grid + CULTURE_CELLS);
    std::memset(culture_grid, 0, 2000);  // far too many empty blocks
    EXPECT_TRUE(save_culture_grid());
    EXPECT_TRUE(std::memcmp(culture_grid, good.data(), CULTURE_CELLS) == 0);
    EXPECT_TRUE(read_fixture_file(folder.file("TESTER/kulttuuri.dat")) == good);

    // With no whole grid in the files either, the save can't be called good.
    remove_file(folder.file("TESTER/kulttuuri.dat"));
    remove_file(folder.file("TESTER/kulttuuri.bak"));
    std::memset(culture_grid, 0, 2000);
    EXPECT_FALSE(save_culture_grid());
    EXPECT_FALSE(save_character(SAVE_PLAYER));
    EXPECT_EQ(log().find("Your character has been saved."), std::string::npos);
}

TEST_F(SaveTest, AFullDiskGivesTheWriteErrorAndNoSuccess) {
    ASSERT_TRUE(save_character(SAVE_QUIET));
    const std::string before = read("TESTER.KMS");
    // From the first file operation of the save on, nothing reaches the disk.
    arm_file_fault(1, true);
    Plr.days_played = 999;
    EXPECT_FALSE(save_character(SAVE_PLAYER));
    disarm_file_fault();
    EXPECT_EQ(read("TESTER.KMS"), before);
    EXPECT_EQ(std::string(last_message).find("has been saved"), std::string::npos) << last_message;
}

TEST_F(SaveTest, AnEmptyNameSavesNothingAtAll) {
    Plr.name[0] = 0;
    EXPECT_FALSE(save_character(SAVE_PLAYER));
    EXPECT_EQ(size("TESTER.KMS"), -1);
    EXPECT_EQ(size("TESTER.OBJ"), -1);
    EXPECT_EQ(size("MARKER.DAT"), -1);
}

TEST_F(SaveTest, RotationNeverCopiesAnEmptyOrShortRecordOverABackup) {
    const PlayerRecord good = named_record("TESTER", 40);
    write("TESTER.BAK", record_bytes(good));
    for (int n = 0; n < 5; ++n) write("TESTER.BK" + std::to_string(n), record_bytes(good));
    for (const std::string& bad : {std::string(), std::string(100, 'x'), std::string(5716, '\0')}) {
        write("TESTER.KMS", bad);
        rotate_character_backups();
        EXPECT_EQ(read("TESTER.BAK"), record_bytes(good)) << bad.size();
        EXPECT_EQ(folder.read(character_backup_path(backup_counter)), record_bytes(good)) << bad.size();
    }
}

TEST_F(SaveTest, AnEmptyCharacterFileIsRestoredFromTheNewestUsableBackup) {
    const std::string bak = record_bytes(named_record("TESTER", 50));
    const std::string older = record_bytes(named_record("TESTER", 20));
    const std::string newer = record_bytes(named_record("TESTER", 30));
    auto stamp = [&](const std::string& name, int age_seconds) {
        std::filesystem::last_write_time(folder.file("TESTER/" + name),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::seconds(age_seconds));
    };
    struct Case {
        const char* label;
        std::string kms;
        bool with_bak;
        std::string expected;  // "" nothing restored
    } cases[] = {
        {"empty file, .BAK first", "", true, bak},
        {"short file counts as empty", std::string(300, 'A'), true, bak},
        {"zero name", std::string(5716, '\0'), false, newer},
        {"no .BAK: newest numbered backup", "", false, newer},
    };
    for (const Case& c : cases) {
        for (int n = 0; n < 5; ++n) remove_file(folder.file("TESTER/TESTER.BK" + std::to_string(n)));
        remove_file(folder.file("TESTER/TESTER.BAK"));
        write("TESTER.KMS", c.kms);
        if (c.with_bak) write("TESTER.BAK", bak);
        write("TESTER.BK0", newer);  // number 0 is the newest: the fixed order 5..0 would miss it
        write("TESTER.BK4", older);
        write("TESTER.BK2", std::string(10, 'z'));  // short: never used
        stamp("TESTER.BK4", 300);
        stamp("TESTER.BK2", 1);
        stamp("TESTER.BK0", 60);
        EXPECT_TRUE(restore_empty_character_file()) << c.label;
        EXPECT_EQ(read("TESTER.KMS"), c.expected) << c.label;
    }
    // A good file (written by the game) is left alone, and with no usable
    // backup nothing changes.
    ASSERT_TRUE(write_character_file("TESTER.KMS", older.data(), older.size()));
    EXPECT_FALSE(restore_empty_character_file());
    EXPECT_EQ(read("TESTER.KMS"), older);
    for (int n = 0; n < 5; ++n) remove_file(folder.file("TESTER/TESTER.BK" + std::to_string(n)));
    remove_file(folder.file("TESTER/TESTER.BAK"));
    write("TESTER.KMS", "");
    EXPECT_FALSE(restore_empty_character_file());
    EXPECT_EQ(read("TESTER.KMS"), "");
}

TEST_F(SaveTest, AnAllZeroWorldFileIsReplacedByItsBackup) {
    const size_t size = size_t(WORLD_FILE_SIZE);
    std::string backup(size, '\x11');
    write("WORLD.BAK", backup);
    std::string zeros(size, '\0');
    write("WORLD.DAT", zeros);
    EXPECT_TRUE(restore_empty_world_file());
    EXPECT_EQ(read("WORLD.DAT"), backup);

    for (size_t at : {size_t(0), size_t(65536), size - 1}) {
        std::string one = zeros;
        one[at] = 1;
        write("WORLD.DAT", one);
        EXPECT_FALSE(restore_empty_world_file()) << at;
        EXPECT_EQ(read("WORLD.DAT"), one) << at;
    }
    // A short backup never replaces the world file; a missing world file
    // is left to the world loader.
    write("WORLD.DAT", zeros);
    write("WORLD.BAK", "short");
    EXPECT_FALSE(restore_empty_world_file());
    EXPECT_EQ(read("WORLD.DAT"), zeros);
    remove_file(folder.file("TESTER/WORLD.DAT"));
    EXPECT_FALSE(restore_empty_world_file());
    EXPECT_FALSE(folder.exists("TESTER/WORLD.DAT"));
}

TEST_F(SaveTest, AShortCharacterFileWithoutBackupsEndsTheLoadAndStaysAsItWas) {
    const std::string shortfile(1000, 'Q');
    write("TESTER.KMS", shortfile);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(readguy(), ::testing::ExitedWithCode(1), "damaged");
    EXPECT_EQ(read("TESTER.KMS"), shortfile);
    remove_file(folder.file("TESTER/TESTER.KMS"));
    EXPECT_EXIT(readguy(), ::testing::ExitedWithCode(1), "Can't open the character file");
}

TEST_F(SaveTest, AMissingObjectFileEndsTheLoad) {
    ASSERT_TRUE(save_character(SAVE_QUIET));
    remove_file(folder.file("TESTER/TESTER.OBJ"));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(readguy(), ::testing::ExitedWithCode(1), "Couldn't open object data!");
}

// The item types: a cut or lost file is told and taken from the save
// before; with no whole copy they start blank, never as the last game left
// them in memory.
TEST_F(SaveTest, ItemTypesAreTakenFromTheSaveBeforeOrStartBlank) {
    ItemTypes[5].item_class = 3;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    ItemTypes[5].item_class = 4;
    ASSERT_TRUE(save_character(SAVE_QUIET));  // the first types are the previous copy now
    struct Case {
        const char* what;
        bool deleted;
        size_t size;
    } cases[] = {{"cut", false, 68800 / 2}, {"too long", false, 68800 + 172}, {"deleted", true, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.deleted) remove_file(folder.file("TESTER/CONSTANT.OBJ"));
        else write("CONSTANT.OBJ", std::string(c.size, '\x02'));
        ItemTypes[5].item_class = 9;
        clear_load_notices();
        readguy();
        EXPECT_EQ(ItemTypes[5].item_class, 3);
        ASSERT_EQ(load_notices().size(), 1u);
        EXPECT_NE(load_notices()[0].find("CONSTANT.OBJ"), std::string::npos) << load_notices()[0];
        EXPECT_NE(load_notices()[0].find("taken from the save before"), std::string::npos) << load_notices()[0];
        // The file is whole again.
        EXPECT_EQ(size("CONSTANT.OBJ"), 68800);
    }
    // No whole copy at all: blank types, and the player is told.
    write("CONSTANT.OBJ", "short");
    remove_file(folder.file("TESTER/" + previous_name("CONSTANT.OBJ")));
    ItemTypes[5].item_class = 9;
    clear_load_notices();
    readguy();
    EXPECT_EQ(ItemTypes[5].item_class, 0);
    ASSERT_EQ(load_notices().size(), 1u);
    EXPECT_NE(load_notices()[0].find("start blank"), std::string::npos) << load_notices()[0];
    clear_load_notices();
}

// The weather file: a damaged one is taken from the save before, and the
// player is told.
TEST_F(SaveTest, ADamagedWeatherFileIsTakenFromTheSaveBefore) {
    weather.day = 100;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    weather.day = 101;
    ASSERT_TRUE(save_character(SAVE_QUIET));
    write("GLOBWEATHER.DAT", std::string(WEATHER_FILE_V2_SIZE, '\x05'));
    clear_load_notices();
    readguy();
    EXPECT_EQ(weather.day, 100);
    ASSERT_EQ(load_notices().size(), 1u);
    EXPECT_NE(load_notices()[0].find("GLOBWEATHER.DAT was damaged; the weather was taken from the save before"),
              std::string::npos)
        << load_notices()[0];
    clear_load_notices();
}

TEST_F(SaveTest, ObjectFilePastItsEndAndOverlongTemplatesLoadCleanly) {
    ASSERT_TRUE(save_character(SAVE_QUIET));
    // A folder saved before the save set (no manifest to vouch for the
    // object file's size): three records, the third cut short: slots from 2
    // on are cleared. (A short object file that its save vouches for is
    // damaged: see the table of damaged files.)
    remove_file(folder.file("TESTER/SAVESET.DAT"));
    std::string objects(172 * 2 + 50, '\0');
    objects[0] = 3;
    objects[172] = 4;
    objects[344] = 9;
    write("TESTER.OBJ", objects);
    Objects[2].item_class = 7;
    Objects[40000].item_class = 7;
    // Templates of the wrong size are not trusted: they are made anew.
    write("CONSTANT.CRE", std::string(1384 * 1003, '\x01'));
    readguy();
    EXPECT_EQ(Objects[0].item_class, 3);
    EXPECT_EQ(Objects[1].item_class, 4);
    EXPECT_EQ(Objects[2].item_class, 0);
    EXPECT_EQ(Objects[40000].item_class, 0);
    EXPECT_NE(CreTemplates[3].stature, 1);  // the file's bytes were not taken
    EXPECT_EQ(file_size(folder.file("TESTER/CONSTANT.CRE")), CRE_TEMPLATE_FILE_SIZE);
    EXPECT_EQ(load_constant_cre(), 1);
    write("CONSTANT.CRE", std::string(1384 * 2 + 100, '\x01'));
    EXPECT_EQ(load_constant_cre(), 0);
}

// ------------------------------------------------------------ plausibility

TEST(Plausibility, SkillsAttributesAndDays) {
    auto with_skills = [](int named, int high, int days) {
        PlayerRecord rec{};
        for (int i = 0; i < named; ++i) {
            set_skill_name(rec, i, "SKILL");
            rec.skill_level[i] = i < high ? 95 : 94;
        }
        rec.days_played = days;
        return rec;
    };
    struct Case {
        const char* label;
        PlayerRecord rec;
        int expected;
    } cases[] = {
        {"21 of 40 above 94 on day 29", with_skills(40, 21, 29), 1},
        {"21 of 40 above 94 on day 30", with_skills(40, 21, 30), 0},
        {"20 of 40 (exactly half) on day 1", with_skills(40, 20, 1), 0},
        {"all 40 above 94 on day 99", with_skills(40, 40, 99), 1},
        {"all 40 above 94 on day 100", with_skills(40, 40, 100), 0},
        {"level 94 is not above 94", with_skills(40, 0, 1), 0},
        {"no skills at all", with_skills(0, 0, 1), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(character_values_implausible(c.rec), c.expected) << c.label;

    PlayerRecord strong = with_skills(10, 0, 29);
    for (uint8_t* a : {&strong.str, &strong.agi, &strong.dex, &strong.spd, &strong.end, &strong.smt, &strong.eye,
                       &strong.tch, &strong.wil, &strong.intel, &strong.hrg})
        *a = 18;
    EXPECT_EQ(character_values_implausible(strong), 1);
    strong.days_played = 30;
    EXPECT_EQ(character_values_implausible(strong), 0);
    strong.days_played = 29;
    strong.hrg = 17;
    EXPECT_EQ(character_values_implausible(strong), 0);
}

}  // namespace
