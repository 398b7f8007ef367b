// The message catalogue against small fixture catalogues.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "play_folder.h"
#include "game/player.h"
#include "ui/catalogue.h"

namespace {

const char* const kFileA =
    "// a comment line\n"
    "## another comment\n"
    ".PLAIN.\n"
    "You see a hare.\n"
    "\n"
    ".HITTER. (attacker)\n"
    "[MASC:He hits you.]\n"
    "[FEM:She hits you.]\n"
    "[PC:You hit yourself.]\n"
    "[*:It bites you.]\n"
    "[HEAR:You hear a fight over by %s.]\n"
    "\n"
    ".ROLE.\n"
    "[PC:You.]\n"
    "[MASC:Him.]\n"
    "\n"
    ".REF.\n"
    "Look: [PLAIN] Done.\n"
    "\n"
    ".REFMISSING.\n"
    "Gone: [NOWHERE]\n"
    "\n"
    ".REFHEARD.\n"
    "Seen.\n"
    "[HEAR:Heard [PLAIN]]\n"
    "\n"
    ".SELF.\n"
    "Again [SELF]\n"
    "\n"
    ".NAMED.\n"
    "Hello <plr_name>, [PLAIN]\n"
    "\n"
    ".PERCENT.\n"
    "Something happens.\n"
    "[HEAR:50% %s]\n"
    "\n"
    ".COUNT.\n"
    "You have <num> arrows and <nothing_known>.\n"
    "\n"
    ".DUP.\n"
    "From a.\n";

const char* const kFileB =
    ".DUP.\n"
    "From b.\n"
    "\n"
    ".ONLYB.\n"
    "Only in b.\n";

const char* const kChat =
    ".CHATKEY.\n"
    "xx-Chat text.\n";

struct CatalogueTest : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        // Written in reverse order of their names: the first by name must
        // win whatever order the folder lists them in.
        folder.write("messages/ksm_chat.txt", kChat);
        folder.write("messages/ksm_b.txt", kFileB);
        folder.write("messages/ksm_a.txt", kFileA);
        std::memset(&plr, 0, sizeof plr);
        msg_attacker = -1;
        msg_num = 0;
        message_argument[0] = 0;
    }
};

struct KeyCase {
    const char* key;
    const char* expected;
};

TEST_F(CatalogueTest, LooksUpKeysAsTheFilesSay) {
    const KeyCase cases[] = {
        {"PLAIN", "You see a hare."},
        {"NOPE", ".NOPE."},
        {"NOPE:PC", ".NOPE.(PC)"},
        {"ROLE:PC", "You."},
        {"ROLE:MASC", "Him."},
        {"ROLE:FEM", ".ROLE.(FEM)"},  // no variant matches: the preset stands
        {"HITTER", "You hit yourself."},  // the player attacks
        {"REF", "Look: You see a hare. Done."},
        {"REFMISSING", "Gone: .NOWHERE."},
        {"DUP", "From a."},  // the first file by name wins
        {"ONLYB", "Only in b."},
        {"CHATKEY", ".CHATKEY."},  // the chat file holds no message keys
    };
    for (const KeyCase& c : cases) {
        EXPECT_STREQ(message_by_key(c.key), c.expected) << c.key;
    }
}

TEST_F(CatalogueTest, FillsVariablesAndNamesUnknownOnes) {
    msg_num = 7;
    EXPECT_STREQ(message_by_key("COUNT"), "You have 7 arrows and ?nothing_known?.");
}

TEST_F(CatalogueTest, HeardTextTakesTheArgumentOnceAndClearsIt) {
    std::strcpy(message_argument, "the lake");
    EXPECT_STREQ(message_by_key("HITTER"), "You hit yourself.");
    EXPECT_STREQ(heard_message_text, "You hear a fight over by the lake.");
    EXPECT_STREQ(message_argument, "");

    // The next lookup clears the heard text of a block that has none.
    message_by_key("PLAIN");
    EXPECT_STREQ(heard_message_text, "");

    // A reference inside the heard text is expanded; looking up the
    // referenced block does not replace the heard text being built.
    message_by_key("REFHEARD");
    EXPECT_STREQ(heard_message_text, "Heard You see a hare.");
}

TEST_F(CatalogueTest, PercentSignsAreNeverFormats) {
    message_by_key("PERCENT");
    EXPECT_STREQ(heard_message_text, "50% %s");

    std::strcpy(message_argument, "100% %d %n");
    message_by_key("PERCENT");
    EXPECT_STREQ(heard_message_text, "50% 100% %d %n");
}

TEST_F(CatalogueTest, SelfReferenceEndsAfterABoundedNumberOfExpansions) {
    std::string result = message_by_key("SELF");
    size_t count = 0;
    for (size_t at = result.find("Again"); at != std::string::npos; at = result.find("Again", at + 1)) ++count;
    EXPECT_EQ(count, 17u);  // the block's own text and 16 expansions
    EXPECT_NE(result.find("[SELF]"), std::string::npos);
    EXPECT_LT(result.size(), size_t(CATALOGUE_TEXT_BYTES));
}

TEST_F(CatalogueTest, PlayerNamesAreNeverExpandedAgain) {
    std::strcpy(plr.name, "<plr_name>");
    EXPECT_STREQ(message_by_key("NAMED"), "Hello <plr_name>, You see a hare.");
    std::strcpy(plr.name, "[PLAIN]");
    EXPECT_STREQ(message_by_key("NAMED"), "Hello [PLAIN], You see a hare.");
    std::strcpy(plr.name, "Ilmari");
    EXPECT_STREQ(message_by_key("NAMED"), "Hello Ilmari, You see a hare.");
}

TEST_F(CatalogueTest, KeyMayHoldAVariable) {
    std::strcpy(plr.name, "PLAIN");
    EXPECT_STREQ(message_by_key("<plr_name>"), "You see a hare.");
}

TEST(CatalogueMissing, NoCatalogueGivesAnErrorRefusal) {
    PlayFolder folder(false);
    std::string result = message_by_key("PLAIN");
    EXPECT_EQ(result.rfind("!ERROR: ", 0), 0u) << result;
    EXPECT_NE(result.find(" is missing!"), std::string::npos) << result;
}

TEST(CatalogueMissing, LongVariableValuesAreBounded) {
    PlayFolder folder(false);
    folder.write("messages/ksm_x.txt", ".LONG.\n<var><var><var><var><var><var><var><var><var><var><var><var>\n");
    std::memset(msg_var_text, 'v', sizeof msg_var_text - 1);
    msg_var_text[sizeof msg_var_text - 1] = 0;
    std::string result = message_by_key("LONG");
    EXPECT_EQ(result.size(), size_t(CATALOGUE_TEXT_BYTES - 1));
    std::strcpy(msg_var_text, "none");
}

TEST(MessageFormat, FillsPlacesWithoutReadingTheTextAsAFormat) {
    char out[64];
    struct Case {
        const char* text;
        std::initializer_list<const char*> values;
        const char* expected;
    };
    const Case cases[] = {
        {"You have %d %s.", {"5", "arrows"}, "You have 5 arrows."},
        {"100%% sure: %s", {"%s%n"}, "100% sure: %s%n"},
        {"%s and %s", {"one"}, "one and %s"},
        {"50% off %s", {"x"}, "50% off x"},
        {"%5.2f kg", {"1.50"}, "1.50 kg"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(fill_message_format(out, sizeof out, c.text, c.values), c.expected) << c.text;
    }
    // Cut at the buffer, always terminated.
    char small[8];
    EXPECT_STREQ(fill_message_format(small, sizeof small, "%s!", {"abcdefghij"}), "abcdefg");
}

}  // namespace

namespace {

// Chat lines at a neutral standing.
struct ChatTest : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        folder.write("messages/ksm_chat.txt",
                     "// people's talk\n"
                     ".WEATHER. (trade)\n"
                     ":(-Go away.\n"
                     ":|-It rains.\n"
                     ":)-Lovely day, friend.\n"
                     "\n"
                     ".SILENT.\n"
                     "x-\n"
                     "\n"
                     ".NAMED.\n"
                     "::-Greetings, <plr_name>.\n");
        std::memset(&plr, 0, sizeof plr);
        std::strcpy(plr.name, "Aino");
    }
};

TEST_F(ChatTest, ChoosesTheEntryOfTheStanding) {
    const KeyCase cases[] = {
        {"WEATHER", "It rains."},
        {"WEATHER:friend", "Lovely day, friend."},  // the filter keeps one entry, which is the default
        {"NAMED", "Greetings, Aino."},
        {"SILENT", "I can't talk about SILENT."},
        {"FISHING", "I haven't been taught to talk about FISHING."},
    };
    for (const KeyCase& c : cases) EXPECT_STREQ(chat_line(c.key), c.expected) << c.key;
}

TEST(ChatMissing, NoChatFile) {
    PlayFolder folder(false);
    EXPECT_STREQ(chat_line("WEATHER"), "I haven't been taught to talk about WEATHER.");
}

}  // namespace
