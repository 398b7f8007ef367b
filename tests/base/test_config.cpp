// The configuration readers, the writer and GetConfig.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "base/config.h"
#include "ui/settings.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

struct ReadCase {
    const char* file;
    const char* key;
    const char* def;
    const char* expected;
};

TEST(ConfigRead, ValuesComeFromTheFirstNonCommentLine) {
    const ReadCase cases[] = {
        {"[FULLSCREEN:YES]\n", "FULLSCREEN", "NO", "YES"},
        {"// [FULLSCREEN:YES]\n", "FULLSCREEN", "NO", "NO"},        // comment line
        {"## [FULLSCREEN:YES]\n", "FULLSCREEN", "NO", "NO"},        // comment line
        {" // [FULLSCREEN:YES]\n", "FULLSCREEN", "NO", "YES"},      // not a comment
        {"[FULLSCREEN:MAXIMIZED]\n[FULLSCREEN:YES]\n", "FULLSCREEN", "NO", "MAXIMIZED"},
        {"[AUDIO_X:NO]\n", "AUDIO", "YES", "YES"},                  // a longer key
        {"[XAUDIO:NO]\n", "AUDIO", "YES", "YES"},
        {"[audio:NO]\n", "AUDIO", "YES", "YES"},                    // keys keep their case
        {"a [VOLUME:70] b [UNITS:METRIC] c\n", "UNITS", "IMPERIAL", "METRIC"},
        {"[INVENTORY_ORDER:]\n", "INVENTORY_ORDER", "x", ""},
        {"[VOLUME:70\n", "VOLUME", "50", "70"},                     // unclosed: to line end
        {"[VOLUME:70]\r\n", "VOLUME", "50", "70"},
        {"", "VOLUME", "50", "50"},
    };
    for (const ReadCase& c : cases) {
        PlayFolder folder(false);
        folder.write("ksm_ini.txt", c.file);
        EXPECT_STREQ(ini_get_string(c.key, c.def), c.expected) << c.file;
    }
}

TEST(ConfigRead, MissingFileGivesDefaults) {
    PlayFolder folder(false);
    EXPECT_STREQ(ini_get_string("FULLSCREEN", "NO"), "NO");
    EXPECT_FALSE(ini_flag_default_no("TRADITIONAL_MOVEMENT"));
    EXPECT_TRUE(ini_flag_default_yes("AUDIO"));
}

TEST(ConfigRead, FlagsCompareExactly) {
    struct FlagCase {
        const char* value;
        bool default_no;
        bool default_yes;
    } cases[] = {
        {"YES", true, true}, {"yes", false, true}, {"NO", false, false},
        {"no", false, true}, {"", false, true},    {"YES ", false, true},
    };
    for (const FlagCase& c : cases) {
        PlayFolder folder(false);
        folder.write("ksm_ini.txt", std::string("[K:") + c.value + "]\n");
        EXPECT_EQ(ini_flag_default_no("K"), c.default_no) << c.value;
        EXPECT_EQ(ini_flag_default_yes("K"), c.default_yes) << c.value;
    }
}

TEST(ConfigRead, ResultSurvivesFurtherReads) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt", "[A:one]\n[B:two]\n");
    const char* a = ini_get_string("A", "");
    const char* b = ini_get_string("B", "");
    EXPECT_STREQ(a, "one");
    EXPECT_STREQ(b, "two");
}

TEST(ConfigWrite, NewKeyIsAppendedAndOtherLinesKeptByteForByte) {
    PlayFolder folder(false);
    const std::string original = "// comment [X:1]\r\n[AUDIO:YES] trailing\n\n  odd line \xE4\n[VOLUME:50]";
    folder.write("ksm_ini.txt", original);
    ASSERT_TRUE(ini_set_value("NEW_KEY", "VAL"));
    // The unterminated last line gains its newline, nothing else changes.
    EXPECT_EQ(folder.read("ksm_ini.txt"), original + "\n[NEW_KEY:VAL]\n\n");
    EXPECT_STREQ(ini_get_string("NEW_KEY", ""), "VAL");
}

TEST(ConfigWrite, ReplacesOnlyTheTokenOutsideCommentLines) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt",
                 "// [VOLUME:10]\n"
                 "## [VOLUME:20]\n"
                 "sound: [AUDIO:YES] [VOLUME:50] loud\n"
                 "[VOLUME:60]\n");
    ASSERT_TRUE(ini_set_value("VOLUME", "75"));
    EXPECT_EQ(folder.read("ksm_ini.txt"),
              "// [VOLUME:10]\n"
              "## [VOLUME:20]\n"
              "sound: [AUDIO:YES] [VOLUME:75] loud\n"
              "[VOLUME:75]\n");
    EXPECT_STREQ(ini_get_string("VOLUME", ""), "75");
    EXPECT_STREQ(ini_get_string("AUDIO", ""), "YES");
}

TEST(ConfigWrite, KeyOnlyInACommentIsAppended) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt", "// [MAP_GRID:YES]\n");
    ASSERT_TRUE(ini_set_value("MAP_GRID", "NO"));
    EXPECT_EQ(folder.read("ksm_ini.txt"), "// [MAP_GRID:YES]\n[MAP_GRID:NO]\n\n");
}

TEST(ConfigWrite, UnclosedValueIsReplacedToTheLineEnd) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt", "[VOLUME:50\r\n[AUDIO:YES]");
    ASSERT_TRUE(ini_set_value("VOLUME", "20"));
    EXPECT_EQ(folder.read("ksm_ini.txt"), "[VOLUME:20]\r\n[AUDIO:YES]\n");
}

TEST(ConfigWrite, RefusesWithoutHarm) {
    PlayFolder folder(false);
    EXPECT_FALSE(ini_set_value("AUDIO", "NO"));  // no file: nothing is created
    EXPECT_FALSE(folder.exists("ksm_ini.txt"));

    folder.write("ksm_ini.txt", "[AUDIO:YES]\n");
    EXPECT_FALSE(ini_set_value("AUDIO", "NO][MUSEUM:YES"));  // would break the file
    EXPECT_FALSE(ini_set_value("AUDIO", "NO\n[MUSEUM:YES]"));
    EXPECT_FALSE(ini_set_value("", "x"));
    EXPECT_FALSE(ini_set_value("A]B", "x"));
    EXPECT_EQ(folder.read("ksm_ini.txt"), "[AUDIO:YES]\n");
}

TEST(ConfigWrite, FailedWriteLeavesTheOldFile) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt", "[AUDIO:YES]\n");
    // Operations 1-3 write the side copy "ksm_ini_tmp.txt", 4-6 the file
    // itself (write, flush, rename): whichever of those fails, the old file
    // stays and the change is reported as not made.
    for (int nth = 4; nth <= 6; ++nth) {
        arm_file_fault(nth);
        EXPECT_FALSE(ini_set_value("AUDIO", "NO")) << "failing operation " << nth;
        disarm_file_fault();
        EXPECT_EQ(folder.read("ksm_ini.txt"), "[AUDIO:YES]\n") << "failing operation " << nth;
    }
    EXPECT_EQ(list_matching(folder.path() + "/.*tmp*").size(), 0u) << "no temporary file is left";
    EXPECT_TRUE(ini_set_value("AUDIO", "NO"));
    EXPECT_EQ(folder.read("ksm_ini.txt"), "[AUDIO:NO]\n");
}

TEST(ConfigRules, InventoryOrder) {
    struct Case {
        const char* value;
        uint8_t expected[12];
    } cases[] = {
        {"", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"FOOD,TOOL", {7, 6, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12}},
        {"FOOD,FOOD,TOOL", {7, 6, 1, 2, 3, 4, 5, 8, 9, 10, 11, 12}},
        {"food,TOOL", {6, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 12}},  // case matters
        {"CARCASS,NONSENSE,WEAPON", {12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"CARCASS,PLANT,VALUABLE,VEHICLE,FIREWOOD,FOOD,TOOL,SKIN,CONTAINER,ARMOUR,WEAPON",
         {12, 11, 10, 9, 8, 7, 6, 5, 3, 2, 1, 4}},
        {",,,", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        uint8_t out[12];
        parse_inventory_order(c.value, out);
        EXPECT_EQ(0, std::memcmp(out, c.expected, 12)) << c.value;
    }
}

TEST(ConfigRules, NumbersAndHints) {
    struct {
        const char* v;
        int32_t n;
    } brightness[] = {{"0", 0}, {"1", 1}, {"60", 60}, {"61", 0}, {"-5", 0}, {"abc", 0}, {"", 0}};
    for (auto& c : brightness) EXPECT_EQ(night_brightness_from(c.v), c.n) << c.v;
    EXPECT_EQ(units_precision_from("0"), 0);
    EXPECT_EQ(units_precision_from("2"), 2);
    EXPECT_EQ(units_precision_from("3"), 1);
    EXPECT_EQ(units_precision_from(""), 1);
    EXPECT_STREQ(scale_quality_hint_from("0"), "0");
    EXPECT_STREQ(scale_quality_hint_from("1"), "1");
    EXPECT_STREQ(scale_quality_hint_from("3"), "2");
    EXPECT_STREQ(scale_quality_hint_from(" 1"), "2");
}

TEST(GetConfigTest, FillsSettingsAndFollowsTheFileBothWays) {
    PlayFolder folder(false);
    folder.write("ksm_ini.txt",
                 "[MUSEUM:YES]\n[KSM_CONTROLLER:YES]\n[KSM_CONTROLLER_PORT:4321]\n"
                 "[NIGHT_BRIGHTNESS:61]\n[MAP_LIGHTING_EFFECTS:NO]\n[MAP_GRID:yes]\n"
                 "[WEAPON_DAMAGE:NO]\n[RIGHT_ALT_HOTKEYS:NO]\n[UNITS:METRIC]\n[UNITS_PRECISION:2]\n"
                 "[LOGICAL_RESIZE:NO]\n[TRADITIONAL_MOVEMENT:YES]\n[IDLE_ANIMATION:NO]\n"
                 "[INVENTORY_ORDER:FOOD,TOOL]\n");
    GetConfig();
    EXPECT_EQ(museum_mode, 1);
    EXPECT_EQ(controller_enabled, 1);
    EXPECT_EQ(controller_port, 4321);
    EXPECT_EQ(night_brightness, 0);
    EXPECT_EQ(map_lighting, 0);
    EXPECT_EQ(map_grid, 1);
    EXPECT_EQ(weapon_damage, 0);
    EXPECT_EQ(right_alt_hotkeys, 0);
    EXPECT_EQ(units_metric, 1);
    EXPECT_EQ(units_precision, 2);
    EXPECT_EQ(logical_resize, 0);
    EXPECT_EQ(traditional_movement, 1);
    EXPECT_EQ(idle_animation, 0);
    EXPECT_EQ(inventory_order[0], 7);
    EXPECT_EQ(inventory_order[1], 6);

    // Turning the two switches back on in the file takes effect at once.
    ASSERT_TRUE(ini_set_value("MAP_LIGHTING_EFFECTS", "YES"));
    ASSERT_TRUE(ini_set_value("WEAPON_DAMAGE", "YES"));
    ASSERT_TRUE(ini_set_value("MUSEUM", "yes"));
    GetConfig();
    EXPECT_EQ(map_lighting, 1);
    EXPECT_EQ(weapon_damage, 1);
    EXPECT_EQ(museum_mode, 0);
}

// Every key the game reads is in the defaults file with a comment line
// above it, and the defaults file gives the same settings as no file.
TEST(ConfigDefaults, EveryKeyIsListedWithItsDefaultAndAComment) {
    struct {
        const char* key;
        const char* value;
    } keys[] = {
        {"FULLSCREEN", "NO"}, {"MUSEUM", "NO"}, {"SCALE_QUALITY", "2"}, {"NIGHT_BRIGHTNESS", "0"},
        {"MAP_LIGHTING_EFFECTS", "YES"}, {"MAP_GRID", "NO"}, {"LOGICAL_RESIZE", "YES"},
        {"OLD_HARDWARE_MODE", "NO"}, {"IDLE_ANIMATION", "YES"}, {"AUDIO", "YES"},
        {"BACKGROUND_MUSIC", "YES"}, {"AMBIENT_SOUNDS", "YES"}, {"MOVEMENT_SOUNDS", "YES"},
        {"VOLUME", "50"}, {"KSM_CONTROLLER", "NO"}, {"KSM_CONTROLLER_PORT", "0"},
        {"WEAPON_DAMAGE", "YES"}, {"RIGHT_ALT_HOTKEYS", "YES"}, {"UNITS", "IMPERIAL"},
        {"UNITS_PRECISION", "1"}, {"TRADITIONAL_MOVEMENT", "NO"}, {"INVENTORY_ORDER", ""},
        {"SPEND_DELAY_ADD", "0"}, {"TASK_ABORT_ANIMALS", "YES"}, {"TASK_ABORT_HUMANS", "HOSTILE"},
        {"TASK_ABORT_SOUNDS", "NO"}, {"FAST_TARGET_CURSOR", "NO"}, {"FAR_LOOK_REPEAT", "NO"},
        {"PAUSE_AFTER_ZOOM", "NO"}, {"AUTO_WADE", "ASK"}, {"AUTO_SWIM", "ASK"},
        {"AUTO_CLIMB_FENCE", "ASK"}, {"AUTO_CLIMB_ELEVATION", "ASK"}, {"AUTO_OPEN_DOOR", "YES"},
        {"AUTO_ENTER_HOMESTEAD", "NO"}, {"BUTCHER_CONFIRMATION", "NO"},
        {"EAT_MUSHROOM_CONFIRMATION", "YES"}, {"LEFT_BEHIND_CONFIRMATION", "NO"},
        {"SLEEP_CONFIRMATION", "NO"},
    };
    PlayFolder folder;
    const std::string defaults = folder.read("defaults/ksm_ini.def");
    ASSERT_FALSE(defaults.empty());
    EXPECT_FALSE(has_utf8_sequence(defaults.data(), defaults.size()));
    folder.write("ksm_ini.txt", defaults);
    for (const auto& k : keys) {
        std::string setting = std::string("\n[") + k.key + ":" + k.value + "]\n";
        size_t at = defaults.find(setting);
        ASSERT_NE(at, std::string::npos) << k.key;
        size_t line_start = defaults.rfind('\n', at - 1);
        std::string above = defaults.substr(line_start + 1, at - line_start - 1);
        EXPECT_EQ(above.compare(0, 3, "// "), 0) << k.key << ": no comment line above";
        EXPECT_STREQ(ini_get_string(k.key, "?"), k.value) << k.key;
    }
    GetConfig();
    const int32_t from_file[] = {museum_mode,    controller_enabled, controller_port, night_brightness,
                                 map_lighting,   map_grid,           weapon_damage,   right_alt_hotkeys,
                                 units_metric,   units_precision,    logical_resize,  traditional_movement,
                                 idle_animation};
    remove_file("ksm_ini.txt");
    GetConfig();
    const int32_t without[] = {museum_mode,    controller_enabled, controller_port, night_brightness,
                               map_lighting,   map_grid,           weapon_damage,   right_alt_hotkeys,
                               units_metric,   units_precision,    logical_resize,  traditional_movement,
                               idle_animation};
    EXPECT_EQ(0, std::memcmp(from_file, without, sizeof without));
}

}  // namespace
