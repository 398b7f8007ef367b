// The ancestors: the texts of a death, the slot folder and its record, the
// ring of 50 slots, a bad last-entry file, and the list orders.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/ancestors.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "support/play_folder.h"
#include "ui/keyed_words.h"

namespace {

class Ancestors : public ::testing::Test {
protected:
    void SetUp() override {
        ksm_textinit();
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Tester");
        Plr.sex = 1;
        Plr.bodytemp = 37;
        Plr.days_played = 12;
        Plr.journeyed_km = 3.7f;
        Plr.cause_of_death = -101;
        copy_text(character_name, "TESTER");
        install_folder[0] = 0;
        player_x = -1;  // no map: no place texts
        make_folder(folder_.file("TESTER"));
        folder_.write("TESTER/TESTER.CRS", "creatures");
        folder_.write("TESTER/msglog.txt", "the log");
    }
    void TearDown() override { character_name[0] = 0; }
    PlayFolder folder_;
};

TEST_F(Ancestors, AFirstDeathWritesSlotOneWithTheWholeRecord) {
    EXPECT_EQ(write_ancestor(), 1);
    EXPECT_EQ(folder_.read("ANCESTORS/lastentry.txt"), "1\n");
    EXPECT_EQ(folder_.read("ANCESTORS/1/charfile.txt"), "TESTER\n");
    EXPECT_EQ(folder_.read("ANCESTORS/1/TESTER.CRS"), "creatures");
    EXPECT_EQ(folder_.read("ANCESTORS/1/msglog.txt"), "the log");
    std::vector<uint8_t> anc;
    ASSERT_TRUE(read_whole_file(folder_.file("ANCESTORS/1/TESTER.ANC"), anc));
    ASSERT_EQ(anc.size(), 22104u);
    EXPECT_STREQ(reinterpret_cast<const char*>(anc.data()), "starved to death");
    EXPECT_STREQ(reinterpret_cast<const char*>(anc.data() + 1024), "He starved to death");
    for (int i = 4096; i < 16384; ++i) ASSERT_EQ(anc[size_t(i)], 0) << i;
    EXPECT_EQ(anc[16384], 0x73);
    EXPECT_EQ(anc[16385] | anc[16386] | anc[16387], 0);
    EXPECT_EQ(std::memcmp(anc.data() + 16388, &Plr, sizeof Plr), 0);
    EXPECT_EQ(folder_.read("ANCESTORS/1/deathmsg.txt"), "starved to death\nHe starved to death\n\n\n");

    scan_ancestors();
    EXPECT_TRUE(ancestors.present[1]);
    EXPECT_EQ(ancestors.days[1], 12);
    EXPECT_EQ(ancestors.km[1], 3);
}

TEST_F(Ancestors, TheRingWrapsAndAStrangeLastEntryCountsAsZero) {
    folder_.write("ANCESTORS/lastentry.txt", "49\n");
    // The slot that is reused is emptied whatever its files are called.
    make_folder(folder_.file("ANCESTORS/0"));
    folder_.write("ANCESTORS/0/old name.txt", "x");
    EXPECT_EQ(write_ancestor(), 0);
    EXPECT_FALSE(folder_.exists("ANCESTORS/0/old name.txt"));
    EXPECT_TRUE(folder_.exists("ANCESTORS/0/TESTER.ANC"));
    for (const char* text : {"73\n", "-4\n", "junk", ""}) {
        folder_.write("ANCESTORS/lastentry.txt", text);
        EXPECT_EQ(write_ancestor(), 1) << text;
    }
}

TEST_F(Ancestors, DeathTextsFollowTheCauses) {
    struct Case {
        int death, fatal, bleeding, fainting;
        const char* cause;
        const char* sentence;
    } cases[] = {
        {-104, 0, 0, 0, "died from severe injuries", "He died from severe injuries"},
        {-107, 0, 0, 0, "froze to death", "He froze to death"},
        {-99, 0, -105, 0, "bled to death after felling into a trap", "He bled to death after felling into a trap"},
        {-106, -111, 0, 0, "burned to death", "He was burned by fire and got a fatal wound"},
        {-106, -108, 0, -111, "died from a fall while unconscious",
         "He fainted after being burned by fire. While unconscious he was hurt while falling and got a fatal wound"},
        {-99, 0, -110, -99, "bled to death after treating a wound",
         "He started to bleed after treating a wound and fainted from the bloodloss. While unconscious he bled to "
         "death after treating a wound"},
        {-106, -99, -107, 0, "bled to death after getting a frostbite",
         "He got a fatal wound"},
    };
    for (const Case& c : cases) {
        Plr.cause_of_death = c.death;
        Plr.cause_of_fatal_wound = c.fatal;
        Plr.cause_of_bleeding = c.bleeding;
        Plr.cause_of_fainting = c.fainting;
        const int slot = write_ancestor();
        ASSERT_GE(slot, 0);
        std::vector<uint8_t> anc;
        ASSERT_TRUE(read_whole_file(folder_.file("ANCESTORS/" + std::to_string(slot) + "/TESTER.ANC"), anc));
        EXPECT_STREQ(reinterpret_cast<const char*>(anc.data()), c.cause) << c.death << " " << c.fatal;
        EXPECT_STREQ(reinterpret_cast<const char*>(anc.data() + 1024), c.sentence) << c.death << " " << c.fatal;
    }
    // A creature slot that holds nobody reads "a creature"; an unknown
    // code the general texts.
    EXPECT_STREQ(cause_text(CRE_SLOTS - 1, 10), "killed by a creature");
    EXPECT_STREQ(cause_text(-5000, 0), "being hurt");
    EXPECT_STREQ(cause_text(-5000, 10), "killed by death");
}

TEST_F(Ancestors, TheListOrdersAreStable) {
    std::memset(&ancestors, 0, sizeof ancestors);
    ancestors.last = 2;
    const int slots[] = {0, 1, 2, 7, 49};
    const int days[] = {5, 9, 5, 1, 9};
    const int km[] = {4, 4, 8, 0, 4};
    for (int i = 0; i < 5; ++i) {
        ancestors.present[slots[i]] = true;
        ancestors.days[slots[i]] = days[i];
        ancestors.km[slots[i]] = km[i];
    }
    int out[ANCESTOR_SLOTS];
    ASSERT_EQ(ancestor_order('P', out), 5);
    EXPECT_EQ(std::vector<int>(out, out + 5), (std::vector<int>{2, 1, 0, 49, 7}));
    ancestor_order('L', out);
    EXPECT_EQ(std::vector<int>(out, out + 5), (std::vector<int>{1, 49, 2, 0, 7}));
    ancestor_order('J', out);
    const std::vector<int> first(out, out + 5);
    EXPECT_EQ(first, (std::vector<int>{2, 1, 0, 49, 7}));
    ancestor_order('L', out);
    ancestor_order('J', out);
    EXPECT_EQ(std::vector<int>(out, out + 5), first) << "two distance sorts disagree";
}

}  // namespace
