// The activity dispatcher: what it remembers for the repeat key, what the
// world map refuses, and which routine each code reaches.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "base/stubs.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "objects/activities.h"
#include "ui/message_line.h"

namespace {

char shown_command_line[128];
void note_command_line(const char* text) { copy_text(shown_command_line, text); }

constexpr const char* WILDERNESS =
    "!That's not allowed on the wilderness map! Press [ENTER] to zoom on the local terrain map.";

class Dispatcher : public ::testing::Test {
protected:
    void SetUp() override {
        saved_hook = screen_hooks.show_command_line;
        screen_hooks.show_command_line = note_command_line;
        shown_command_line[0] = 0;
        on_local_map();
        last_activity_code = 7;
        last_activity_argument = 8;
        copy_text(last_activity_data, "before");
        reset_last_message();
        clear_stub_calls();
        skip_message_pauses = true;
    }
    void TearDown() override {
        skip_message_pauses = false;
        screen_hooks.show_command_line = saved_hook;
        on_local_map();
    }
    static void on_world_map() { copy_text(Plr.map_name, "BIGMAP"); }
    static void on_local_map() { copy_text(Plr.map_name, "LOCAL"); }
    void expect_last(int32_t code, int32_t argument, const char* text) {
        EXPECT_EQ(last_activity_code, code);
        EXPECT_EQ(last_activity_argument, argument);
        EXPECT_STREQ(last_activity_data, text);
    }
    void (*saved_hook)(const char*) = nullptr;
};

TEST_F(Dispatcher, CodeZeroDoesNothingAtAll) {
    EXPECT_EQ(perform_activity(0, 5, "x"), 0);
    EXPECT_STREQ(shown_command_line, "");
    expect_last(7, 8, "before");
    EXPECT_EQ(stub_call_count, 0);
}

// The item keys, the fire and the body's own commands ask anew each time:
// "r" never repeats them, and they leave the remembered action alone.
TEST_F(Dispatcher, TheSeventeenItemAndBodyCodesAreNeverRemembered) {
    const int32_t never[] = {33, 420, 423, 424, 425, 426, 451, 452, 453, 454, 455, 458, 459, 700, 701, 800, 900};
    for (int32_t code : never) {
        EXPECT_FALSE(activity_is_remembered(code)) << code;
        perform_activity(code, 99, "other");
        expect_last(7, 8, "before");
    }
    // Everything else is, with or without a routine of its own.
    for (int32_t code = -1; code <= 900; ++code) {
        bool listed = false;
        for (int32_t n : never) listed = listed || n == code;
        EXPECT_EQ(activity_is_remembered(code), !listed) << code;
    }
}

// "r" runs the remembered action again, as the key reader does: after
// felling a tree and dropping something, the tree again.
TEST_F(Dispatcher, RepeatRunsTheLastRememberedActionAgain) {
    perform_activity(1, 0, "");
    EXPECT_FALSE(activity_is_remembered(424));
    expect_last(1, 0, "");
    clear_stub_calls();
    perform_activity(last_activity_code, last_activity_argument, last_activity_data);
    EXPECT_TRUE(stub_was_called("fell_tree"));
    EXPECT_STREQ(shown_command_line, "Fell a tree");
}

TEST_F(Dispatcher, RememberedCodesKeepArgumentAndText) {
    // A structure kind rides in the argument, so "r" builds the same again.
    perform_activity(240, 0x1234, "Lean-to");
    expect_last(240, 0x1234, "Lean-to");
    EXPECT_TRUE(stub_was_called("build_structure"));
    EXPECT_STREQ(shown_command_line, "Build something");

    // A code without a routine is still remembered, -1 included.
    perform_activity(612, 3, nullptr);
    expect_last(612, 3, "");
    perform_activity(-1, 4, "Birch-bark box");
    expect_last(-1, 4, "Birch-bark box");
    EXPECT_TRUE(stub_was_called("Tee"));
}

TEST_F(Dispatcher, ALongTextIsCutToTheBuffer) {
    const std::string long_text(300, 'k');
    perform_activity(122, 0, long_text.c_str());
    EXPECT_EQ(std::strlen(last_activity_data), size_t(LAST_ACTIVITY_TEXT - 1));
    EXPECT_EQ(std::string(last_activity_data), long_text.substr(0, LAST_ACTIVITY_TEXT - 1));
    // Repeating with the remembered text itself leaves it whole.
    perform_activity(last_activity_code, last_activity_argument, last_activity_data);
    EXPECT_EQ(std::string(last_activity_data), long_text.substr(0, LAST_ACTIVITY_TEXT - 1));
}

TEST_F(Dispatcher, DisplayOnlyCodesShowTheirNameAndDoNothingElse) {
    EXPECT_EQ(perform_activity(456, 0, ""), 0);
    EXPECT_STREQ(shown_command_line, "Pack an animal");
    expect_last(456, 0, "");
    EXPECT_EQ(stub_call_count, 0);

    // The bowstring has no name but still runs.
    copy_text(shown_command_line, "old");
    perform_activity(330, 0, "");
    EXPECT_STREQ(shown_command_line, "");
    EXPECT_TRUE(stub_was_called("make_bowstring"));
}

// Moving goods, hauling, throwing and fishing are refused on the world map
// before anything is remembered; the previous last action stays.
TEST_F(Dispatcher, TheWorldMapRefusesBeforeRemembering) {
    on_world_map();
    for (int32_t code : {500, 501, 502, 700, 701, 800}) {
        reset_last_message();
        clear_stub_calls();
        EXPECT_EQ(perform_activity(code, 1, "x"), 0) << code;
        EXPECT_STREQ(last_message, WILDERNESS) << code;
        EXPECT_EQ(stub_call_count, 0) << code;
    }
    expect_last(7, 8, "before");

    // A "W" row is remembered first, then refused by its own check.
    struct Row {
        int32_t code;
        const char* routine;
    };
    const Row rows[] = {{1, "fell_tree"},      {5, "peel_bark"},     {15, "make_leaning_spruce_shelter"},
                        {28, "thresh_harvest"}, {29, "harvest_command"}, {30, "prepare_soil"},
                        {31, "sow_or_plant"},   {32, "cut_branches"},  {33, "build_fire"},
                        {35, "make_ice_hole"},  {240, "build_structure"}, {601, "build_structure"}};
    for (const Row& r : rows) {
        reset_last_message();
        clear_stub_calls();
        perform_activity(r.code, 2, "y");
        EXPECT_STREQ(last_message, WILDERNESS) << r.code;
        EXPECT_FALSE(stub_was_called(r.routine)) << r.code;
        if (r.code != 33) expect_last(r.code, 2, "y");
    }
    // Rows without the mark run anywhere.
    clear_stub_calls();
    perform_activity(27, 0, "");
    EXPECT_TRUE(stub_was_called("grind_flour"));

    on_local_map();
    for (const Row& r : rows) {
        clear_stub_calls();
        perform_activity(r.code, 2, "y");
        EXPECT_TRUE(stub_was_called(r.routine)) << r.code;
    }
}

// The rows whose routine is still a stub (dropping, hauling and pushing
// are shown by their own game tests).
TEST_F(Dispatcher, EachCodeReachesItsRoutine) {
    struct Row {
        int32_t code;
        const char* routine;
    };
    const Row rows[] = {
        {2, "do_timbercraft"},         {36, "skin_carcass_command"}, {37, "cure_skin"},
        {38, "tan_skin"},              {39, "dehair_skin"},          {43, "clean_skin"},
        {103, "Kokkaa"},               {122, "cook_by_recipe"},      {219, "join_tying_equipment"},
        {220, "shorten_tying_equipment"}, {280, "spin_yarn"},        {281, "ret_plants"},
        {282, "dry_retted_plants"},    {283, "extract_fibre"},       {350, "make_clothes"},
        {370, "repair_clothing"},      {391, "disassemble_trap"},    {396, "set_trap"},
        {402, "bait_trap"},            {449, "talk_command"},
        {453, "injuries_screen"},      {454, "butcher_carcass_command"}, {455, "plr_sleep"},
        {500, "go_fishing"},           {502, "retrieve_fishing_net"}, {600, "deconstruct_structure"},
    };
    for (const Row& r : rows) {
        clear_stub_calls();
        perform_activity(r.code, 0, "");
        EXPECT_TRUE(stub_was_called(r.routine)) << r.code << " " << r.routine;
    }
}

TEST_F(Dispatcher, FishingHasItsOwnRefusal) {
    const std::string before = last_message;
    EXPECT_EQ(wilderness_refusal_fishing(), 0);
    EXPECT_EQ(wilderness_refusal(), 0);
    EXPECT_EQ(last_message, before);
    on_world_map();
    EXPECT_EQ(wilderness_refusal_fishing(), 1);
    EXPECT_STREQ(last_message, "_Press [ENTER] to zoom on the local terrain map.");
    EXPECT_EQ(world_map_refusal(), 1);
    EXPECT_STREQ(last_message, WILDERNESS);
}

}  // namespace
