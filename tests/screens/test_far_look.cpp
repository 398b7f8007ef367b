// Far look: what a cell holds, told on the message line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "screens/far_look.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "objects/map_object_table.h"
#include "play_folder.h"
#include "game/player.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace {

struct FarLook : ::testing::Test {
    PlayFolder folder{true};
    void SetUp() override {
        std::memset(&plr, 0, sizeof plr);
        std::strcpy(plr.name, "Looker");
        std::strcpy(plr.map_name, "BIGMAP");
        plr.day = 5;
        plr.month = 6;
        folder.write("Looker/keep.txt", "");
        std::memset(Data, 0, sizeof Data);
        std::memset(Markers, 0, sizeof Markers);
        std::memset(terrain_layer, 235, MAP_CELLS);
        player_x = 1200;
        player_y = 800;
        messages_suppressed = false;
        allow_repeated_message = true;
        skip_message_pauses = true;
        reset_last_message();
    }
    void TearDown() override {
        skip_message_pauses = false;
        allow_repeated_message = false;
    }
    // The texts of the message log, without their prefixes.
    std::vector<std::string> told() const {
        std::vector<std::string> out;
        const std::string log = folder.read("Looker/msglog.txt");
        size_t start = 0;
        while (start < log.size()) {
            size_t end = log.find('\n', start);
            if (end == std::string::npos) end = log.size();
            const std::string line = log.substr(start, end - start);
            const size_t bar = line.find("| ");
            if (bar != std::string::npos) out.push_back(line.substr(bar + 2));
            start = end + 1;
        }
        return out;
    }
    static void lay(int count, int kind, int x, int y) {
        int slot = 0;
        while (Data[slot].TYPE != KIND_UNUSED) ++slot;
        for (int i = 0; i < count; ++i, ++slot) {
            Data[slot].TYPE = uint8_t(kind);
            Data[slot].x = uint16_t(x);
            Data[slot].y = uint16_t(y);
            Data[slot].amount = 1;
        }
    }
};

TEST_F(FarLook, OneThingIsToldWithItsArticle) {
    lay(1, 99, 1210, 800);
    EXPECT_EQ(describe_location_contents(1210, 800, 0), 1);
    const auto lines = told();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "You see a bloodscape there.");
}

TEST_F(FarLook, HeadingsAndHeldBackPhrases) {
    struct Case {
        int count, flag;
        const char* heading;
        size_t phrases;
        const char* last;
    };
    const Case cases[] = {
        {2, 0, "Things that are there:", 2, "Bloodscape"},
        {6, 0, "Things that are there:", 6, "Bloodscape"},
        {7, 0, "There are several objects there:", 7, "Bloodscape"},
        {7, 1, "Things that are there:", 7, "Bloodscape"},
        {9, 0, "There are several objects there:", 9, "Bloodscape"},
        {12, 0, "There are several objects there:", 9, "...and 4 more."},
        {12, 1, "Things that are there:", 12, "Bloodscape"},
    };
    for (const Case& c : cases) {
        std::memset(Data, 0, sizeof Data);
        remove_file("Looker/msglog.txt");
        lay(c.count, 99, 1210, 800);
        lay(3, 99, 1211, 800);  // another cell
        EXPECT_EQ(describe_location_contents(1210, 800, c.flag), c.count);
        const auto lines = told();
        ASSERT_EQ(lines.size(), c.phrases + 1) << c.count;
        EXPECT_EQ(lines.front(), c.heading) << c.count;
        EXPECT_EQ(lines.back(), c.last) << c.count;
    }
    // On the player's own cell it is "here".
    std::memset(Data, 0, sizeof Data);
    remove_file("Looker/msglog.txt");
    lay(2, 98, 1200, 800);
    describe_location_contents(1200, 800, 0);
    EXPECT_EQ(told().front(), "Things that are here:");
}

TEST_F(FarLook, MarksOfTheWorldCell) {
    const int slot = marker_slot(1300, 900);
    ASSERT_GE(slot, 0);
    Markers[slot].world_x = 1300;
    Markers[slot].world_y = 900;
    Markers[slot].structure_flags = MARK_OWN_SETTLEMENT | MARK_SHELTER;
    Markers[slot].object_flags = 4 | 2;
    EXPECT_EQ(describe_location_contents(1300, 900, 1), 0);
    const std::vector<std::string> want = {
        "There's your settlement at this location.", "There is a shelter at this location.",
        "There is set trap(s) at this location.", "There is net(s) set for catch at this location."};
    EXPECT_EQ(told(), want);
}

TEST_F(FarLook, ListedObjectsTable) {
    clear_listed_objects();
    EXPECT_FALSE(object_listed(7));
    mark_object_listed(7);
    EXPECT_TRUE(object_listed(7));
    for (int i = 0; i < LISTED_OBJECTS + 20; ++i) mark_object_listed(1000 + i);
    EXPECT_TRUE(object_listed(1000 + LISTED_OBJECTS - 2));
    EXPECT_FALSE(object_listed(1000 + LISTED_OBJECTS + 5));  // the table was full
    clear_listed_objects();
    EXPECT_FALSE(object_listed(7));
}

}  // namespace
