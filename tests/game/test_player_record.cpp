// The character record and its file.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "game/player.h"
#include "support/play_folder.h"
#include "base/platform.h"

namespace {

TEST(PlayerRecordFile, IsTheWholeRecordLittleEndian) {
    EXPECT_EQ(sizeof(PlayerRecord), 5716u);
    PlayFolder folder(false);
    PlayerRecord rec{};
    copy_text(rec.name, "Aino");
    rec.plr_version = PLR_FORMAT_VERSION;
    rec.days_played = 0x01020304;
    rec.day_change_mark = 17;
    rec.second_day_counter = 99;
    rec.bodytemp = 36.5f;
    ASSERT_TRUE(write_player_record("Aino.KMS", rec));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file("Aino.KMS", bytes));
    ASSERT_EQ(bytes.size(), 5716u);
    EXPECT_EQ(get_le32s(&bytes[4632]), 371);
    EXPECT_EQ(get_le32s(&bytes[2780]), 0x01020304);
    EXPECT_EQ(bytes[2780], 0x04);
    EXPECT_EQ(bytes[5623], 17);
    EXPECT_EQ(std::memcmp(&bytes[0], "Aino", 5), 0);

    PlayerRecord back{};
    ASSERT_TRUE(read_player_record("Aino.KMS", back));
    EXPECT_EQ(std::memcmp(&back, &rec, sizeof rec), 0);
}

// The day counter and the one-time flags have places of their own: the
// wound columns and the need counters are not touched through them.
TEST(PlayerRecordFile, CounterAndFlagsDontOverlapOtherFields) {
    PlayerRecord rec{};
    rec.second_day_counter = -1;
    rec.counters_init_flag = 0xFF;
    rec.energy_reset_done = 0xFF;
    for (auto& column : rec.wounds)
        for (uint8_t w : column) EXPECT_EQ(w, 0);
    EXPECT_EQ(rec.need_counter_a, 0);
    EXPECT_EQ(rec.need_counter_b, 0);
    EXPECT_GE(offsetof(PlayerRecord, second_day_counter), offsetof(PlayerRecord, map_zoom) + 4);
}

TEST(PlayerRecordFile, BadFilesAreRefusedAndLeaveTheRecord) {
    PlayFolder folder(false);
    PlayerRecord rec{};
    copy_text(rec.name, "Keep");
    folder.write("short.KMS", std::string(5715, 'a'));
    folder.write("long.KMS", std::string(5717, 'a'));
    EXPECT_FALSE(read_player_record("short.KMS", rec));
    EXPECT_FALSE(read_player_record("long.KMS", rec));
    EXPECT_FALSE(read_player_record("missing.KMS", rec));
    EXPECT_STREQ(rec.name, "Keep");
}

TEST(PlayerRecordFile, ZeroBodyTemperatureBecomesNormal) {
    PlayFolder folder(false);
    PlayerRecord rec{};
    rec.bodytemp = 0.0f;
    rec.bodytemp_change = 5.0f;
    ASSERT_TRUE(write_player_record("t.KMS", rec));
    PlayerRecord back{};
    ASSERT_TRUE(read_player_record("t.KMS", back));
    EXPECT_FLOAT_EQ(back.bodytemp, 37.0f);
    EXPECT_EQ(back.bodytemp_change, 0.0f);
}

TEST(PlayerRecordFile, BodyTemperatureChangeIsAFloatAndOldWholeNumbersStartAnew) {
    PlayFolder folder(false);
    PlayerRecord rec{};
    rec.bodytemp = 36.5f;
    rec.bodytemp_change = -0.4f;
    ASSERT_TRUE(write_player_record("t.KMS", rec));
    PlayerRecord back{};
    ASSERT_TRUE(read_player_record("t.KMS", back));
    EXPECT_FLOAT_EQ(back.bodytemp_change, -0.4f);
    EXPECT_FLOAT_EQ(back.bodytemp, 36.5f);

    // An older record kept the change as a whole number: 5 and -1 read as no
    // sensible float and load as 0.
    for (int32_t old : {5, -1, 1000}) {
        std::memcpy(&rec.bodytemp_change, &old, sizeof old);
        ASSERT_TRUE(write_player_record("t.KMS", rec));
        ASSERT_TRUE(read_player_record("t.KMS", back));
        EXPECT_EQ(back.bodytemp_change, 0.0f) << old;
    }
}

TEST(PlayerRecordFile, ANegativeEnergyReserveLoadsAsNone) {
    PlayFolder folder(false);
    PlayerRecord rec{};
    rec.bodytemp = 37.0f;
    rec.Energiavaranto = -5;  // an unsigned reserve that had run below 0
    ASSERT_TRUE(write_player_record("t.KMS", rec));
    PlayerRecord back{};
    ASSERT_TRUE(read_player_record("t.KMS", back));
    EXPECT_EQ(back.Energiavaranto, 0);
}

TEST(SkillNames, TwelveLetterNamesReadBackWholeAndMatchOnce) {
    PlayerRecord rec{};
    set_skill_name(rec, 0, "TEXTILECRAFT");
    set_skill_name(rec, 1, "KNIFE");
    set_skill_name(rec, 2, "BOWYERCRAFTSMANSHIP");  // cut to 12 letters
    EXPECT_STREQ(skill_name_text(rec, 0), "TEXTILECRAFT");
    EXPECT_STREQ(skill_name_text(rec, 2), "BOWYERCRAFTS");
    // The 12-letter name does not run into the next slot.
    EXPECT_EQ(rec.skill_name[0][11], 'T');
    EXPECT_EQ(std::memcmp(rec.skill_name[1], "KNIFE\0\0\0\0\0\0\0", 12), 0);

    EXPECT_TRUE(skill_name_is(rec, 0, "TEXTILECRAFT"));
    EXPECT_FALSE(skill_name_is(rec, 0, "TEXTILECRAFTS"));
    EXPECT_FALSE(skill_name_is(rec, 2, "BOWYERCRAFTSMANSHIP"));
    EXPECT_FALSE(skill_name_is(rec, 1, "KNIF"));
    EXPECT_TRUE(skill_name_contains(rec, 0, "CRAFT"));
    EXPECT_FALSE(skill_name_contains(rec, 1, "KNIFEKNIFEKNIFE"));

    // Adding a missing skill on every load finds it present the second time.
    for (int load = 0; load < 3; ++load)
        if (find_skill_containing(rec, "TEXTILECRAFT") < 0) set_skill_name(rec, find_free_skill_slot(rec), "TEXTILECRAFT");
    int copies = 0;
    for (int i = 0; i < PLR_SKILLS; ++i) copies += skill_name_is(rec, i, "TEXTILECRAFT");
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(find_skill_exact(rec, "KNIFE"), 1);
    EXPECT_EQ(find_free_skill_slot(rec), 3);
    EXPECT_EQ(find_skill_exact(rec, "ARCHERY"), -1);
}

TEST(SkillNames, LastSlotAndBadSlots) {
    PlayerRecord rec{};
    set_skill_name(rec, 49, "SHIPBUILDING");
    EXPECT_STREQ(skill_name_text(rec, 49), "SHIPBUILDING");
    EXPECT_STREQ(skill_name_text(rec, 50), "");
    EXPECT_STREQ(skill_name_text(rec, -1), "");
    set_skill_name(rec, 50, "X");  // ignored
    EXPECT_FALSE(skill_name_is(rec, -1, ""));
}

}  // namespace
