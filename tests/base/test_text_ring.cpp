// The text ring and the descriptive words.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "play_folder.h"
#include "game/player.h"
#include "base/text_ring.h"
#include "ui/keyed_words.h"
#include "game/player_words.h"

namespace {

struct WordCase {
    std::string what;
    std::string got;
    std::string want;
};

void check_words(const std::vector<WordCase>& cases) {
    for (const WordCase& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
}

std::string time_name(int hour) {
    char out[64];
    time_of_day_name(hour, out);
    return out;
}

// Keeps the keyed words of a test from leaking into the others.
struct KeyedWordsGuard {
    char months[12][WORD_TEXT_BYTES];
    char big[WORD_TEXT_BYTES];
    char profile[3][WORD_TEXT_BYTES];
    char damage[5][WORD_TEXT_BYTES];
    KeyedWordsGuard() {
        std::memcpy(months, month_names, sizeof months);
        std::memcpy(big, adjective_big, sizeof big);
        std::memcpy(profile, activity_profile_words, sizeof profile);
        std::memcpy(damage, carcass_damage_words, sizeof damage);
    }
    ~KeyedWordsGuard() {
        std::memcpy(month_names, months, sizeof months);
        std::memcpy(adjective_big, big, sizeof big);
        std::memcpy(activity_profile_words, profile, sizeof profile);
        std::memcpy(carcass_damage_words, damage, sizeof damage);
    }
};

}  // namespace

TEST(TextRing, TheRingComesRoundAfter1024TextsAndHandsOutClearedBuffers) {
    char* first = next_ring_text();
    std::memset(first, 'x', TEXT_RING_BYTES - 1);
    char* previous = first;
    for (int i = 2; i <= 1024; ++i) {
        char* text = next_ring_text();
        ASSERT_NE(text, first) << "text " << i;
        ASSERT_NE(text, previous);
        previous = text;
    }
    char* again = next_ring_text();  // the 1025th
    EXPECT_EQ(again, first);
    EXPECT_EQ(again[0], '\0');
    EXPECT_EQ(again[TEXT_RING_BYTES - 2], '\0');
}

TEST(TextRing, WordTables) {
    check_words({
        {"skill 0", skill_level_word(0), "unskilled"},
        {"skill 4", skill_level_word(4), "unskilled"},
        {"skill 5", skill_level_word(5), "untrained"},
        {"skill 14", skill_level_word(14), "untrained"},
        {"skill 15", skill_level_word(15), "amateur"},
        {"skill 94", skill_level_word(94), "master"},
        {"skill 95", skill_level_word(95), "grandmaster"},
        {"skill 250", skill_level_word(250), "grandmaster"},
        {"skill -7", skill_level_word(-7), "unskilled"},
        {"skill INT_MAX", skill_level_word(2147483647), "grandmaster"},
        {"direction 0", direction_name(0), "E"},
        {"direction 2", direction_name(2), "N"},
        {"direction 7", direction_name(7), "SE"},
        {"direction 8", direction_name(8), "E"},
        {"direction -1", direction_name(-1), "E"},
        {"temperature 3", temperature_word(3), "freezing cold"},
        {"temperature -30", temperature_word(-30), "freezing cold"},
        {"temperature 4", temperature_word(4), "really cold"},
        {"temperature 10", temperature_word(10), "cold"},
        {"temperature 18", temperature_word(18), "rather warm"},
        {"temperature 21", temperature_word(21), "warm"},
        {"temperature 22", temperature_word(22), "very warm"},
        {"hour 0", time_name(0), "Midnight"},
        {"hour 1", time_name(1), "After midnight"},
        {"hour 12", time_name(12), "Noon"},
        {"hour 23", time_name(23), "Late night"},
        {"hour 24", time_name(24), "Midnight"},
        {"hour -3", time_name(-3), "Midnight"},
        {"date 3.1", date_phrase(3, 1), "beginning of january"},
        {"date 4.1", date_phrase(4, 1), "early january"},
        {"date 10.5", date_phrase(10, 5), "early may"},
        {"date 11.6", date_phrase(11, 6), "june"},
        {"date 20.6", date_phrase(20, 6), "june"},
        {"date 21.7", date_phrase(21, 7), "late july"},
        {"date 27.7", date_phrase(27, 7), "late july"},
        {"date 28.12", date_phrase(28, 12), "end of december"},
        {"date month 0", date_phrase(15, 0), "january"},
        {"date month 13", date_phrase(15, 13), "december"},
        {"date month -400", date_phrase(30, -400), "end of january"},
        {"snow 9", snow_depth_words(9), ""},
        {"snow 10", snow_depth_words(10), "very faint snow"},
        {"snow 999", snow_depth_words(999), "more than waist deep snow"},
        {"snow 1000", snow_depth_words(1000), "chest deep snow"},
        {"crust 9", snow_crust_words(9), ""},
        {"crust 149", snow_crust_words(149), "hard crust"},
        {"crust 150", snow_crust_words(150), "solid crust"},
        {"thirst 700", thirst_words(700), ""},
        {"thirst 701", thirst_words(701), "a bit thirsty."},
        {"thirst 2701", thirst_words(2701), "craving for water!"},
        {"thirst 5001", thirst_words(5001), "dying of thirst!"},
        {"nutrition 199", nutrition_word(199), "Starving"},
        {"nutrition 200", nutrition_word(200), "Malnourished"},
        {"nutrition 3200", nutrition_word(3200), "Nourished"},
        {"nutrition 3201", nutrition_word(3201), "Well-fed"},
        {"nutrition 3700", nutrition_word(3700), "Well-fed"},
        {"nutrition 3701", nutrition_word(3701), "Abundant"},
        {"role 0", companion_role_phrase(0), "wandering around with you"},
        {"role 4", companion_role_phrase(4), "working for you"},
        {"role 4+2", companion_role_phrase(6), "hunting with you"},
        {"role 4+2+8", companion_role_phrase(14), "exploring the wilderness and adventuring with you"},
    });
}

TEST(TextRing, ArticlesAndPlurals) {
    check_words({
        {"indef apple", with_indefinite_article("apple"), "an apple"},
        {"indef 2 apples", with_indefinite_article("2 apples"), "2 apples"},
        {"indef an owl", with_indefinite_article("an owl"), "an owl"},
        {"indef a hare", with_indefinite_article("a hare"), "a hare"},
        {"indef Elk", with_indefinite_article("Elk"), "an Elk"},
        {"indef wolf", with_indefinite_article("wolf"), "a wolf"},
        {"indef empty", with_indefinite_article(""), ""},
        {"indef axe-like", with_indefinite_article("axe"), "an axe"},
        {"def", with_definite_article("river"), "the river"},
        {"cap Apple", capitalised_article_phrase("Apple"), "An apple"},
        {"cap berries", capitalised_article_phrase("berries"), "Berries"},
        {"cap WOLF", capitalised_article_phrase("WOLF"), "A wolf"},
        {"art Owl", article_phrase("Owl"), "an owl"},
        {"art Stones", article_phrase("Stones"), "stones"},
        {"plural wolf", plural_form("wolf"), "wolves"},
        {"plural roof", plural_form("roof"), "roofs"},
        {"plural birch bark roof", plural_form("birch bark roof"), "birch bark roofs"},
        {"plural chief", plural_form("chief"), "chiefs"},
        {"plural belief", plural_form("belief"), "beliefs"},
        {"plural leaf", plural_form("leaf"), "leaves"},
        {"plural knife", plural_form("knife"), "knives"},
        {"plural staff", plural_form("staff"), "staves"},
        {"plural cliff", plural_form("cliff"), "cliffs"},
        {"plural tooth", plural_form("tooth"), "teeth"},
        {"plural bear tooth", plural_form("bear tooth"), "bear teeth"},
        {"plural block of wood", plural_form("block of wood"), "blocks of wood"},
        {"plural big block of wood", plural_form("big block of wood"), "big blocks of wood"},
        {"plural box", plural_form("box"), "boxes"},
        {"plural birch", plural_form("birch"), "birches"},
        {"plural berry", plural_form("berry"), "berries"},
        {"plural arrows", plural_form("arrows"), "arrows"},
        {"plural Hare", plural_form("Hare"), "hares"},
        {"plural sheep/sheep", plural_form("sheep/sheep"), "sheep"},
        {"plural knife/knives", plural_form("Knife/Knives"), "knives"},
        {"plural empty", plural_form(""), ""},
        {"singular knife/knives", singular_form("knife/knives"), "knife"},
        {"singular elk", singular_form("elk"), "elk"},
    });
}

TEST(TextRing, LongNamesStayInTheirBuffers) {
    std::string long_name(2000, 'f');
    EXPECT_LT(std::strlen(plural_form(long_name.c_str())), size_t(TEXT_RING_BYTES));
    // A name longer than the singular buffer is cut to 47 characters.
    std::string name = std::string(60, 'a') + "/" + std::string(10, 'b');
    EXPECT_EQ(std::string(singular_form(name.c_str())), std::string(47, 'a'));
    std::string short_one = std::string(30, 'c') + "/x";
    EXPECT_EQ(std::string(singular_form(short_one.c_str())), std::string(30, 'c'));
    EXPECT_LT(std::strlen(capitalised_article_phrase(long_name.c_str())), size_t(1024));
    EXPECT_LT(std::strlen(with_indefinite_article(long_name.c_str())), size_t(TEXT_RING_BYTES));
}

TEST(TextRing, JoinListWithAnd) {
    std::string too_long(1001, 'x');
    std::string just_fits = std::string(996, 'y') + ", z,";  // 1000 characters
    check_words({
        {"three", join_list_with_and("bread, fish, berries,"), "bread, fish and berries"},
        {"three, trailing blank", join_list_with_and("bread, fish, berries, "), "bread, fish and berries"},
        {"two", join_list_with_and("bread, fish,"), "bread and fish"},
        {"no blanks", join_list_with_and("a,b,c,"), "a,b and c"},
        {"one", join_list_with_and("bread,"), "bread"},
        {"none", join_list_with_and(""), ""},
        {"over 1000", join_list_with_and(too_long.c_str()), "text buffer overflow"},
        {"1000", join_list_with_and(just_fits.c_str()), std::string(996, 'y') + " and z"},
    });
}

TEST(TextRing, BodyTemperatureBandsAreClosedAtTheTop) {
    struct Case {
        float celsius;
        const char* word;
        const char* sentence;
        uint8_t rgb[3];
    } cases[] = {
        {20.0f, "Freezing to death", "You are freezing to death!", {140, 140, 255}},
        {31.5f, "Freezing to death", "You are freezing to death!", {140, 140, 255}},
        {31.6f, "Freezing", "You are freezing.", {150, 150, 230}},
        {36.0f, "Chilly", "You feel chilly.", {171, 171, 187}},
        {37.0f, "Comfortably warm", "You feel comfortably warm.", {187, 171, 171}},
        {37.5f, "Comfortably warm", "You feel comfortably warm.", {187, 171, 171}},
        {37.501f, "Rather warm", "You are feeling rather warm.", {203, 171, 171}},
        {40.0f, "Sweaty", "You are sweaty.", {230, 160, 160}},
        {40.01f, "Sweating a lot", "You are sweating a lot.", {255, 150, 150}},
    };
    for (const Case& c : cases) {
        uint8_t rgb[3] = {0, 0, 0};
        EXPECT_STREQ(body_temperature_words_for(c.celsius, false, rgb), c.word) << c.celsius;
        EXPECT_EQ(std::memcmp(rgb, c.rgb, 3), 0) << c.celsius;
        EXPECT_STREQ(body_temperature_words_for(c.celsius, true, nullptr), c.sentence) << c.celsius;
    }
}

TEST(TextRing, WordsAboutTheCharacterReadTheRecord) {
    PlayerRecord saved = plr;
    std::memset(&plr, 0, sizeof plr);
    std::strcpy(plr.name, "Aino");
    std::strcpy(plr.second_name, "Kalevantytar");
    EXPECT_STREQ(plr_full_name(), "Aino Kalevantytar");
    // Fields that fill their whole width are never read past.
    std::memset(plr.name, 'N', sizeof plr.name);
    std::memset(plr.second_name, 'S', sizeof plr.second_name);
    EXPECT_EQ(std::string(plr_full_name()), std::string(13, 'N') + " " + std::string(18, 'S'));

    plr.bodytemp = 37.5f;
    EXPECT_STREQ(body_temperature_words(false, nullptr), "Comfortably warm");
    plr.bodytemp = 31.0f;
    EXPECT_STREQ(body_temperature_words(true, nullptr), "You are freezing to death!");

    struct Case {
        int stomach;
        uint32_t reserve;
        const char* words;
    } hunger[] = {
        {80, 3000, ""},          {81, 3000, "a bit hungry"},  {121, 3000, "getting hungry"},
        {161, 3000, "hungry"},   {201, 3000, "very hungry"},  {226, 3000, "hungry as a bear"},
        {226, 999, "famished"},  {226, 699, "desperately hungry"}, {226, 199, "starving"},
        {0, 199, ""},  // a player who wants nothing more is not hungry, whatever the reserve
    };
    for (const Case& c : hunger) {
        plr.Energiavaranto = c.reserve;
        EXPECT_STREQ(hunger_words(c.stomach), c.words) << c.stomach << " / " << c.reserve;
    }
    plr = saved;
}

TEST(TextRing, NameTally) {
    clear_name_tally();
    for (const char* name : {"wolf", "hare", "wolf", "elk", "wolf", "elk"}) tally_name(name);
    tally_name("");
    EXPECT_STREQ(tally_text(), "3 wolves, hare and 2 elks");

    clear_name_tally();
    tally_name("hare");
    EXPECT_STREQ(tally_text(), "hare");
    clear_name_tally();
    EXPECT_STREQ(tally_text(), "");

    // 101 names: the 101st finds no free slot, and the text stops with
    // "and more" before it reaches 1000 characters.
    clear_name_tally();
    char name[64];
    for (int i = 0; i < 101; ++i) {
        std::snprintf(name, sizeof name, "animal number %03d", i);
        tally_name(name);
    }
    tally_name("animal number 000");
    EXPECT_EQ(name_tally[0].count, 2u);
    EXPECT_STREQ(name_tally[99].name, "animal number 099");
    std::string text = tally_text();
    EXPECT_LT(text.size(), 1010u);
    ASSERT_GE(text.size(), 9u);
    EXPECT_EQ(text.substr(text.size() - 9), " and more");
    EXPECT_EQ(text.find("animal number 100"), std::string::npos);
    EXPECT_EQ(text.rfind("2 animal number 000s", 0), 0u) << text.substr(0, 40);
    clear_name_tally();
}

TEST(TextRing, KeyedWordsKeepTheirEnglishWhenTheCatalogueLacksThem) {
    KeyedWordsGuard guard;
    PlayFolder folder(false);  // no catalogue files at all
    ksm_textinit();
    EXPECT_STREQ(month_names[0], "january");
    EXPECT_STREQ(month_names[11], "december");
    EXPECT_STREQ(adjective_big, "big");
    EXPECT_STREQ(activity_profile_words[PROFILE_UNCONSCIOUS], "unconscious");
    EXPECT_STREQ(date_phrase(28, 12), "end of december");
}

TEST(TextRing, KeyedWordsComeFromTheCatalogue) {
    KeyedWordsGuard guard;
    PlayFolder folder(false);
    folder.write("messages/ksm_words.txt",
                 ".MONTH_NAME.\n"
                 "[1:tammikuu]\n"
                 "[12:joulukuu]\n"
                 "\n"
                 ".ADJ.\n"
                 "[BIG:iso]\n"
                 "\n"
                 ".CARCASS_DAMAGE.\n"
                 "[SLIGHT:slightly damaged]\n"
                 "\n"
                 ".OUT_OF_ITEMS.\n"
                 "You have no more %s left, 100%% sure.\n"
                 "\n");
    ksm_textinit();
    EXPECT_STREQ(month_names[0], "tammikuu");
    EXPECT_STREQ(month_names[11], "joulukuu");
    EXPECT_STREQ(month_names[2], "march");  // no variant: the English word stays
    EXPECT_STREQ(date_phrase(28, 12), "end of joulukuu");
    EXPECT_STREQ(adjective_big, "iso");
    EXPECT_STREQ(adjective_small, "small");
    EXPECT_STREQ(carcass_damage_words[0], "slightly damaged");
    EXPECT_STREQ(out_of_items_text("arrows"), "You have no more arrows left, 100% sure.");
    // An item name is never read as a format.
    EXPECT_STREQ(out_of_items_text("%s%n%d"), "You have no more %s%n%d left, 100% sure.");
}
