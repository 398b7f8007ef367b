// Starting a saved game: the format migrations (only for older records),
// the refusal of records too old to continue, and a whole start on a small
// world.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/console.h"
#include "maps/weather.h"
#include "maps/weather_messages.h"
#include "maps/world_files.h"
#include "objects/item_catalogue.h"
#include "objects/object_store.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "shell/game_start.h"
#include "ui/input.h"
#include "game/player.h"
#include "game/save_load.h"
#include "society/game_course.h"
#include "society/quest_commands.h"
#include "society/standing.h"
#include "society/villages.h"
#include "support/fixture_world.h"
#include "support/play_folder.h"
#include "screens/info_screens.h"
#include "screens/map_panel.h"
#include "ui/message_line.h"
#include "screens/side_panel.h"
#include "base/platform.h"
#include "base/stubs.h"

namespace {

PlayerRecord record_with(std::initializer_list<std::pair<const char*, int>> skills, int version) {
    PlayerRecord rec{};
    copy_text(rec.name, "OLDTIMER");
    int slot = 0;
    for (const auto& [name, level] : skills) {
        set_skill_name(rec, slot, name);
        rec.skill_level[slot] = uint8_t(level);
        ++slot;
    }
    rec.plr_version = version;
    rec.Methaltij = 40;
    rec.Vesjhaltij = -20;
    return rec;
}

int level_of(const PlayerRecord& rec, const char* name) {
    const int slot = find_skill_exact(rec, name);
    return slot < 0 ? -1 : rec.skill_level[slot];
}

TEST(Migration, RunsOnlyForOlderFormats) {
    struct Case {
        int version;
        bool accepted;
        bool migrated;
        int spirits;
    } cases[] = {
        {317, false, false, 40}, {318, true, true, 0},  {349, true, true, 0},
        {350, true, true, 40},   {370, true, true, 40}, {371, true, false, 40},
    };
    for (const Case& c : cases) {
        PlayerRecord rec = record_with({{"WOODCARVING", 30}, {"DAGGER", 25}}, c.version);
        const PlayerRecord before = rec;
        EXPECT_EQ(migrate_record(rec), c.accepted) << c.version;
        EXPECT_EQ(rec.Methaltij, c.spirits) << c.version;
        EXPECT_EQ(find_skill_exact(rec, "CARPENTRY") >= 0, c.migrated) << c.version;
        EXPECT_EQ(find_skill_exact(rec, "KNIFE") >= 0, c.migrated) << c.version;
        if (!c.migrated) {
            EXPECT_EQ(std::memcmp(&rec, &before, sizeof rec), 0) << c.version;
        }
    }
}

TEST(Migration, SkillsAreAddedRenamedAndTakeTheirLevels) {
    PlayerRecord rec = record_with({{"TRACKING", 33}, {"TIMBERCRAFT", 44}, {"WOODCARVING", 20}, {"FORAGING", 2},
                                    {"SURVIVAL", 50}, {"STEALTH", 12}},
                                   340);
    migrate_skills(rec);
    EXPECT_EQ(level_of(rec, "TRAPPING"), 33);
    EXPECT_EQ(level_of(rec, "BUILDING"), 44);
    EXPECT_EQ(level_of(rec, "CARPENTRY"), 20);
    EXPECT_EQ(find_skill_exact(rec, "WOODCARVING"), -1);
    EXPECT_GE(level_of(rec, "HERBLORE"), 0);
    EXPECT_GE(level_of(rec, "FORAGING"), 2);
    EXPECT_EQ(level_of(rec, "SURVIVAL"), 50);  // a good level is never lowered
    EXPECT_EQ(level_of(rec, "STEALTH"), 12);   // present skills are left alone
    EXPECT_GE(find_skill_exact(rec, "TEXTILECRAFT"), 0);
    // Running it again changes nothing.
    const PlayerRecord once = rec;
    migrate_skills(rec);
    EXPECT_EQ(std::memcmp(&rec, &once, sizeof rec), 0);

    // Without TRACKING or TIMBERCRAFT the new skills start at 0; a full
    // skill table takes nothing more.
    PlayerRecord bare = record_with({}, 330);
    migrate_skills(bare);
    EXPECT_EQ(level_of(bare, "TRAPPING"), 0);
    EXPECT_EQ(level_of(bare, "BUILDING"), 0);
    PlayerRecord full{};
    for (int i = 0; i < PLR_SKILLS; ++i) set_skill_name(full, i, "X");
    migrate_skills(full);
    EXPECT_EQ(find_skill_exact(full, "TRAPPING"), -1);
}

TEST(Migration, ObjectRecordsOfAnOlderFormat) {
    std::memset(Objects, 0, sizeof(ObjectRecord) * 20);
    std::memset(ItemTypes, 0, sizeof ItemTypes);
    ItemTypes[12].kind = 105;
    copy_text(ItemTypes[12].name, sizeof ItemTypes[12].name, "Handaxe");
    ItemTypes[13].kind = 121;
    copy_text(ItemTypes[13].name, sizeof ItemTypes[13].name, "Hide");
    auto raw = [](ObjectRecord& r, size_t at) -> uint8_t& { return reinterpret_cast<uint8_t*>(&r)[at]; };
    auto make = [&](int slot, uint8_t type, uint8_t cls, int kind, const char* name) -> ObjectRecord& {
        ObjectRecord& r = Objects[slot];
        raw(r, 0) = type;
        raw(r, 8) = cls;
        r.kind = kind;
        copy_text(r.name, sizeof r.name, name);
        return r;
    };
    make(0, 1, 0, 800, "Kapalalauta");
    make(1, 6, 9, 330, "Sled");
    make(2, 2, 2, 7, "Leather boots");
    make(3, 6, 6, 7, "Awl");
    make(4, 1, 0, 0, "Northern knife");
    make(5, 1, 0, 0, "Old Handaxe");
    make(6, 7, 4, 9, "Pelt");
    make(7, 1, 5, 0, "Skin");
    ObjectRecord& knife = make(8, 1, 1, 9, "Knife");
    copy_text(knife.skill, sizeof knife.skill, "KNIFE");
    raw(knife, 90) = 123;
    make(9, 1, 0, 0, "Sickle of Kaumolais knife");

    migrate_objects();
    EXPECT_STREQ(Objects[0].name, "Paw-board fox trap");
    EXPECT_EQ(Objects[1].kind, 333);
    EXPECT_EQ(get_le32(reinterpret_cast<uint8_t*>(&Objects[2]) + 140), 4u);
    EXPECT_EQ(raw(Objects[3], 98), 8);
    EXPECT_EQ(Objects[4].kind, 153);
    EXPECT_STREQ(Objects[5].name, "Handaxe");  // took the item type
    EXPECT_EQ(Objects[5].kind, 105);
    EXPECT_EQ(raw(Objects[6], 8), 0);
    EXPECT_EQ(Objects[6].kind, 500);
    EXPECT_EQ(Objects[7].kind, 120);
    EXPECT_EQ(get_le32(reinterpret_cast<uint8_t*>(&Objects[7]) + 136), 13u);
    EXPECT_EQ(raw(Objects[8], 90), 70);
    EXPECT_EQ(Objects[9].kind, 0);
    EXPECT_EQ(Objects[10].kind, 0);  // free slots stay free
    EXPECT_EQ(Objects[10].name[0], 0);
}

TEST(Migration, ClassNineRecordsTakeTheirLengthUnlessAlreadyMeasured) {
    struct Case {
        uint8_t subclass;
        uint8_t unit;
        int length_after;
        uint8_t unit_after;
    } cases[] = {{9, 0, 15, 5}, {9, 7, 15, 7}, {9, 5, 3, 5}, {9, 6, 3, 6}, {8, 0, 3, 0}};
    for (const Case& c : cases) {
        std::memset(Objects, 0, sizeof Objects);
        ObjectRecord& r = Objects[4];
        r.subclass = c.subclass;
        r.unit = c.unit;
        r.length = 3;
        r.full_length = 3;
        r.kind = 12;
        copy_text(r.name, sizeof r.name, "Sled");
        migrate_objects();
        EXPECT_EQ(Objects[4].length, c.length_after) << int(c.subclass) << " " << int(c.unit);
        EXPECT_EQ(Objects[4].full_length, c.length_after) << int(c.subclass) << " " << int(c.unit);
        EXPECT_EQ(Objects[4].unit, c.unit_after) << int(c.subclass) << " " << int(c.unit);
    }
}

TEST(CourseFlags, TheStartSetsTwoFlagsAndOneForEachCourseRitual) {
    struct Case {
        int event;
        int target;
        int state_before;
        int counter_after;
        int state_after;
    } cases[] = {
        {30, 10, 0, 7, 0},   // 2 + five list entries (20, 3, 21, 4, 4) counted
        {30, 5, -1, 0, 1},   // the fifth setting reaches the target: done, counter cleared
        {30, 10, 1, 0, 1},   // a done task counts nothing
        {48, 10, 0, 0, 0},   // another awaited event counts nothing
    };
    for (const Case& c : cases) {
        PlayerRecord rec{};
        const uint8_t rites[] = {20, 3, 7, 21, 4, 4, 0, 22};
        std::memcpy(rec.rite_list, rites, sizeof rites);
        Plr = rec;
        Plr.course_event = c.event;
        Plr.course_target = c.target;
        course_task_state = c.state_before;
        course_counter = 0;
        clear_course_flags();
        set_start_course_flags(Plr);
        EXPECT_EQ(course_counter, c.counter_after) << c.event << "/" << c.target;
        EXPECT_EQ(course_task_state, c.state_after) << c.event << "/" << c.target;
        for (int flag : {1, 2, 3, 4, 20, 21}) EXPECT_TRUE(course_flag_is_set(flag)) << flag;
        for (int flag : {0, 5, 7, 22}) EXPECT_FALSE(course_flag_is_set(flag)) << flag;
    }
    clear_course_flags();
    EXPECT_FALSE(course_flag_is_set(1));
    set_course_flag(-1);
    set_course_flag(COURSE_FLAG_COUNT);  // out of range: ignored
    EXPECT_FALSE(course_flag_is_set(0));
}

// The per-game set-up: the working copy of the constant table (each row's
// first byte kept), the last place's placeholder, a neutral standing block.
TEST(PerGameSetUp, TablesAndPlaceholdersStartAfresh) {
    PlayFolder folder;
    game_constant_work[3][0] = 7;
    game_constant_work[3][2] = 99;
    copy_text(last_place_text, "\"Siikaranta\"");
    std::memset(&talk_standing, 0x33, sizeof talk_standing);
    prepare_game_state();
    EXPECT_EQ(game_constant_work[3][0], 7);
    EXPECT_EQ(game_constant_work[3][2], game_constant_table[3][1]);
    EXPECT_STREQ(last_place_text, LAST_PLACE_PLACEHOLDER);
    const StandingBlock neutral = neutral_standing(-1000);
    EXPECT_EQ(std::memcmp(&talk_standing, &neutral, sizeof neutral), 0);
}

TEST(StartStory, TheTitleChoosesThePictureLaterWordsWinning) {
    struct Case {
        const char* title;
        const char* picture;
    } cases[] = {
        {"Scenario: FISHERMAN BY THE LAKE", "scene-fishing.jpg"},
        {"Scenario: CAMP OF TRAPPING", "scene-trapping.jpg"},
        {"Scenario: A HUNTING TRIP", "cre-bear.jpg"},
        {"Scenario: THE KESMORRA", "scene-kesmorra.jpg"},
        {"Scenario: SETTLER'S TRAP-FENCE", "info-fence.jpg"},
        {"Scenario: nothing known", "own.jpg"},
    };
    for (const Case& c : cases) EXPECT_STREQ(story_picture_for(c.title, "own.jpg"), c.picture) << c.title;
}

ObjectRecord clothing(const char* name) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_ARMOUR;
    copy_text(r.name, name);
    r.weight = r.full_weight = 2.0f;
    return r;
}

TEST(StartStory, OnlyANewCharactersFirstEntryRunsIt) {
    struct Case {
        int scenario;
        int days;
        int scenario_after;
        bool clothes;
    } cases[] = {{106, 1, 6, true}, {100, 2, 0, true}, {103, 3, 3, false}, {6, 1, 6, false}, {0, 1, 0, false}};
    for (const Case& c : cases) {
        Plr = PlayerRecord{};
        Plr.scenario = c.scenario;
        Plr.days_played = c.days;
        reset_object_store();
        Plr.plr_inv_id[0] = obj_store_new(clothing("Linen shirt"));
        Plr.plr_inv_count[0] = 1;
        show_start_story();
        EXPECT_EQ(Plr.scenario, c.scenario_after) << c.scenario;
        ObjectRecord shirt;
        obj_record(Plr.plr_inv_id[0], shirt);
        EXPECT_EQ(shirt.state_bits == OBJ_WORN, c.clothes) << c.scenario;
    }
    reset_object_store();
}

class GameStartTest : public ::testing::Test {
protected:
    void SetUp() override {
        world = make_fixture_world("TESTER");
        Plr.bodytemp = 37.0f;
        skip_message_pauses = true;
        messages_suppressed = false;
        quit_state = 0;
        clear_stub_calls();
    }
    void TearDown() override {
        skip_message_pauses = false;
        messages_suppressed = false;
    }
    PlayFolder folder{true};  // the installation: notes, messages, pictures
    FixtureWorld world;
};

TEST_F(GameStartTest, ContinuingASavedGameLoadsAndStampsTheRecord) {
    Plr.days_played = 42;
    Plr.camp_mark = 0;
    Plr.counters_init_flag = 0;
    Plr.skill_practice[3] = 17;
    load_world_files();
    ASSERT_TRUE(save_character(SAVE_QUIET));
    write_fixture_file(folder.file("TESTER/WORLD.BAK"), "old", 3);
    std::memset(&Plr, 0, sizeof Plr);

    EXPECT_EQ(start_or_continue_game(), 0);
    EXPECT_STREQ(Plr.name, "TESTER");
    EXPECT_EQ(Plr.days_played, 42);
    EXPECT_EQ(Plr.plr_version, PLR_FORMAT_VERSION);
    EXPECT_EQ(Plr.camp_mark, 1);
    EXPECT_EQ(Plr.counters_init_flag, 1);
    EXPECT_EQ(Plr.skill_practice[3], 0);
    EXPECT_EQ(in_start_menu, 0);
    EXPECT_EQ(folder.read("TESTER/WORLD.BAK"), folder.read("TESTER/WORLD.DAT"));
}

TEST_F(GameStartTest, TheStartSharesTheWeatherSetsTheCourseFlagsAndRunsTheFirstEntry) {
    Plr.scenario = 104;  // a new character's first entry, scenario 4
    Plr.days_played = 1;
    Plr.hour = 14;
    Plr.course_event = 30;
    Plr.course_target = 50;
    Plr.rite_list[0] = 21;
    // The character's first clothes, in the object file the start loads.
    Plr.plr_inv_id[0] = obj_store_new(clothing("Woollen tunic"));
    Plr.plr_inv_count[0] = 1;
    load_world_files();
    ASSERT_TRUE(save_character(SAVE_QUIET));
    std::memset(&weather_now, 0x5A, sizeof weather_now);
    std::memset(&weather_before, 0x33, sizeof weather_before);
    set_course_flag(40);  // a flag of the last game is forgotten
    course_counter = 0;
    course_task_state = 0;

    EXPECT_EQ(start_or_continue_game(), 0);
    EXPECT_EQ(std::memcmp(&weather_now, &weather.current, sizeof weather_now), 0);
    EXPECT_EQ(std::memcmp(&weather_before, &weather.current, sizeof weather_before), 0);
    EXPECT_EQ(Plr.scenario, 4);
    ObjectRecord tunic;
    EXPECT_EQ(obj_record(Plr.plr_inv_id[0], tunic).state_bits, OBJ_WORN) << "the first clothes are put on";
    EXPECT_TRUE(course_flag_is_set(21));
    EXPECT_FALSE(course_flag_is_set(40));
    EXPECT_EQ(course_counter, 3);
}

TEST_F(GameStartTest, TheCharactersPortraitIsCopiedAndLoaded) {
    copy_text(Plr.portrait, sizeof Plr.portrait, "armour.png");
    load_world_files();
    ASSERT_TRUE(save_character(SAVE_QUIET));
    ASSERT_EQ(start_or_continue_game(), 0);
    EXPECT_EQ(folder.read("TESTER/portrait.png"), folder.read("truegfx/armour.png"));
    EXPECT_NE(portrait_picture, nullptr);

    // A portrait name that leaves the picture folder is never followed.
    remove_file(folder.file("TESTER/portrait.png"));
    copy_text(Plr.portrait, sizeof Plr.portrait, "../TESTER.KMS");
    ASSERT_TRUE(save_character(SAVE_QUIET));
    ASSERT_EQ(start_or_continue_game(), 0);
    EXPECT_EQ(file_size(folder.file("TESTER/portrait.png")), -1);
    EXPECT_EQ(portrait_picture, nullptr);
}

TEST_F(GameStartTest, ARecordTooOldEndsWithAPlainMessage) {
    Plr.plr_version = 300;
    ASSERT_TRUE(save_character(SAVE_QUICK));
    // save_character stamps the current format; write the old one back.
    // A record of an old format comes from a folder saved before the save
    // set: the folder has no manifest.
    PlayerRecord old = Plr;
    old.plr_version = 300;
    ASSERT_TRUE(write_player_record(folder.file("TESTER/TESTER.KMS"), old));
    remove_file(folder.file("TESTER/SAVESET.DAT"));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(start_or_continue_game(), ::testing::ExitedWithCode(1), "This saved game is too old to continue.");
}

// The kits: the trapper gets his tools; robbers leave the clothes worn and
// a knife; the scenario runs once.
TEST_F(GameStartTest, StartScenarioKitsAreGivenOnce) {
    build_item_catalogue();
    clear_object_store();
    std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
    std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
    Plr.scenario = 6;
    run_start_scenario();
    EXPECT_EQ(Plr.scenario, 0);
    std::string kit;
    for (int slot = 0; slot < PLR_INV_SLOTS && Plr.plr_inv_count[slot] > 0; ++slot) {
        ObjectRecord r;
        kit += std::to_string(Plr.plr_inv_count[slot]) + " " + obj_record(Plr.plr_inv_id[slot], r).name + ";";
    }
    EXPECT_EQ(kit,
              "1 Knife;1 Loop snare;1 Paw-board fox trap;25 Wooden stake;1 Shovel;1 Handaxe;1 Fishing rod;1 Club;"
              "1 Spear;");
    run_start_scenario();
    EXPECT_EQ(Plr.plr_inv_count[3], 25) << "nothing given twice";

    // Robbed: of 200 things some are gone, the worn shirt stays.
    ObjectRecord shirt;
    obj_clear_record(shirt);
    shirt.item_class = ITEM_ARMOUR;
    copy_text(shirt.name, "Linen shirt");
    shirt.state_bits = OBJ_WORN;
    std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
    std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
    Plr.plr_inv_id[0] = obj_store_new(shirt);
    Plr.plr_inv_count[0] = 1;
    for (int slot = 1; slot <= 60; ++slot) {
        ObjectRecord stone;
        obj_clear_record(stone);
        stone.item_class = ITEM_TOOL;
        format_text(stone.name, sizeof stone.name, "Stone %d", slot);
        Plr.plr_inv_id[slot] = obj_store_new(stone);
        Plr.plr_inv_count[slot] = 1;
    }
    Plr.scenario = 3;
    run_start_scenario();
    int kept = 0;
    bool knife = false;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        if (Plr.plr_inv_count[slot] <= 0) continue;
        ObjectRecord r;
        obj_record(Plr.plr_inv_id[slot], r);
        kept += std::strncmp(r.name, "Stone", 5) == 0;
        knife = knife || std::strcmp(r.name, "Knife") == 0;
    }
    EXPECT_STREQ(Objects[Plr.plr_inv_id[0] - FIRST_INSTANCE_ID].name, "Linen shirt");
    EXPECT_GT(kept, 10);
    EXPECT_LT(kept, 50);
    EXPECT_TRUE(knife);
}

}  // namespace
