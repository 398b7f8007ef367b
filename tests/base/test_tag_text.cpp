// Tag text, the word buffer, screen help texts and coded messages.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "play_folder.h"
#include "base/tag_text.h"
#include "base/text_ring.h"

namespace {

std::vector<std::string> words() {
    std::vector<std::string> out;
    for (int i = 0; i < WORD_BUFFER_SLOTS && word_buffer[i][0] != '\0'; ++i) out.push_back(word_buffer[i]);
    return out;
}

std::string coded(char section, char line) {
    char out[1024];
    std::memset(out, 'z', sizeof out);
    coded_message(section, line, out, sizeof out);
    return out;
}

}  // namespace

TEST(TagText, TagValues) {
    const char* fallback = "none";
    std::string long_value = "[NAME:" + std::string(2000, 'v') + "]";
    struct Case {
        const char* text;
        const char* key;
        std::string want;  // "<default>" for the default pointer
    } cases[] = {
        {"[NAME:Birch bark] [WEIGHT:1]", "WEIGHT", "1"},
        {"[NAME:Birch bark] [WEIGHT:1]", "NAME", "Birch bark"},
        {"[SURNAME:x]", "NAME", "<default>"},
        {"[SURNAME:x] [NAME:y]", "NAME", "y"},
        {"[name:x]", "NAME", "<default>"},
        {"[NAME:]", "NAME", ""},
        {"[NAME:open to the end", "NAME", "open to the end"},
        {"[NAME:ends with the line\r\n[WEIGHT:2]", "NAME", "ends with the line"},
        {"[NAME:ends with the line\n[WEIGHT:2]", "NAME", "ends with the line"},
        {long_value.c_str(), "NAME", std::string(TAG_TEXT_BYTES - 1, 'v')},
        {"", "NAME", "<default>"},
    };
    for (const Case& c : cases) {
        const char* got = tag_value(c.text, c.key, fallback);
        if (c.want == "<default>")
            EXPECT_EQ(got, fallback) << c.text;
        else
            EXPECT_EQ(std::string(got), c.want) << c.text;
    }
    EXPECT_EQ(tag_value(nullptr, "NAME", fallback), fallback);
}

TEST(TagText, TextBetweenDelimiters) {
    std::string wide = "(" + std::string(600, 'a') + "\x84" + std::string(1500, 'b') + ")";
    struct Case {
        std::string text;
        const char* pair;
        std::string want;
    } cases[] = {
        {"x (a) (b)", "()", "a"},
        {"x (a", "()", ""},
        {"x a)", "()", ""},
        {"x ) (a", "()", ""},          // the closing one before the opening one
        {"b) (a)", "()", ""},          // the first ')' stands before the '('
        {"{meow}!The cat", "{}", "meow"},
        {"say \"hi\" now", "\"\"", "hi"},
        {"\"\" x", "\"\"", ""},        // an empty pair is not taken as one
        {"\"", "\"\"", ""},            // a lone quote at the very end
        {"(k\x84ksi)", "()", "k\xE4ksi"},
        {"()", "()", ""},
        {wide, "()", std::string(600, 'a') + "\xE4" + std::string(TAG_TEXT_BYTES - 602, 'b')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(text_between_delimiters(c.text.c_str(), c.pair)), c.want) << c.text.substr(0, 20);
}

TEST(TagText, FixAUmlautWorksInPlaceOverTheWholeText) {
    std::string text = std::string(900, 'x') + "\x84" + "y\x84";
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    char* result = fix_a_umlaut(buffer.data());
    EXPECT_EQ(result, buffer.data());
    EXPECT_EQ(std::string(buffer.data()), std::string(900, 'x') + "\xE4y\xE4");
}

TEST(TagText, WordBufferSplitsWordsAndTags) {
    add_text_to_word_buffer(true, "Hello  there <red>you</red>.");
    EXPECT_EQ(words(), (std::vector<std::string>{"Hello ", "there", "<red>", "you", "</red>", "."}));
    EXPECT_EQ(word_count, 6);
    EXPECT_STREQ(word_buffer_text(), "Hello  there you .");

    struct Case {
        const char* text;
        std::vector<std::string> words;
        const char* joined;
    } cases[] = {
        {"line<br> next", {"line", "<br>", "next"}, "line next"},
        {"", {"<br>", "<br>"}, ""},
        {" indented text", {" ", "indented", "text"}, "  indented text"},
        {"end .", {"end", "."}, "end."},
        {"trailing blank ", {"trailing", "blank"}, "trailing blank"},
        {"<b><red>", {"<b>", "<red>"}, ""},
    };
    for (const Case& c : cases) {
        add_text_to_word_buffer(true, c.text);
        EXPECT_EQ(words(), c.words) << '"' << c.text << '"';
        EXPECT_STREQ(word_buffer_text(), c.joined) << '"' << c.text << '"';
    }

    // Without the clear flag the words go on after those already there,
    // also after word_buffer_text has walked the buffer.
    add_text_to_word_buffer(true, "first part");
    word_buffer_text();
    add_text_to_word_buffer(false, "second");
    EXPECT_EQ(words(), (std::vector<std::string>{"first", "part", "second"}));

    std::strcpy(drawn_text_copy, "drawn");
    clear_word_buffer();
    EXPECT_EQ(word_count, 0);
    EXPECT_STREQ(drawn_text_copy, "");
    EXPECT_TRUE(words().empty());
}

TEST(TagText, WordBufferIsBounded) {
    std::string long_word(300, 'w');
    add_text_to_word_buffer(true, (long_word + " next").c_str());
    ASSERT_EQ(words().size(), 2u);
    EXPECT_EQ(words()[0], std::string(WORD_BYTES - 1, 'w'));

    std::string many;
    for (int i = 0; i < 6000; ++i) many += "ab ";
    add_text_to_word_buffer(true, many.c_str());
    add_text_to_word_buffer(false, "more words still");
    EXPECT_EQ(words().size(), size_t(WORD_BUFFER_SLOTS - 1));
    EXPECT_EQ(word_buffer[WORD_BUFFER_SLOTS - 1][0], '\0');
    std::string text = word_buffer_text();
    EXPECT_LE(text.size(), 1023u);
    EXPECT_EQ(text.substr(0, 6), "ab ab ");
    clear_word_buffer();
}

TEST(TagText, JoinWordListWithAnd) {
    struct Case {
        const char* text;
        int first_slot;
        int minimum;
        const char* joined;
    } cases[] = {
        {"axe, knife, rope,", 0, 2, "axe, knife and rope"},
        {"axe, knife, rope,", 0, 4, "axe, knife, rope"},
        {"axe, knife,", 0, 2, "axe and knife"},
        {"axe,", 0, 1, "axe"},
        {"You carry: axe, knife, rope,", 2, 2, "You carry: axe, knife and rope"},
        {"You carry: axe, knife,", 3, 2, "You carry: axe, knife"},
        {"nothing here", 0, 2, "nothing here"},
    };
    for (const Case& c : cases) {
        add_text_to_word_buffer(true, c.text);
        join_word_list_with_and(c.first_slot, c.minimum);
        EXPECT_STREQ(word_buffer_text(), c.joined) << c.text << " from " << c.first_slot;
    }
    clear_word_buffer();
}

TEST(TagText, ScreenInfoTexts) {
    PlayFolder folder(false);
    load_screen_info_text("MAP");  // no file: its name and the key show
    EXPECT_EQ(words(), (std::vector<std::string>{"gameinfo/ksm_scrinfo.txt", ".MAP."}));

    folder.write("gameinfo/ksm_scrinfo.txt",
                 "// help of the screens\n"
                 ".MAP.\n"
                 "Map help line one\n"
                 "<red>second</red> line\n"
                 "***\n"
                 "not map help\n"
                 ".SKILLS.\n"
                 "Skills help\n"
                 "\n"
                 "not skills help\n"
                 ".LAST.\n"
                 "Runs to the end\n");
    struct Case {
        const char* screen;
        const char* text;
    } cases[] = {
        {"MAP", "Map help line one second line"},
        {"SKILLS", "Skills help"},
        {"LAST", "Runs to the end"},
        {"NOSUCH", ""},
    };
    for (const Case& c : cases) {
        load_screen_info_text(c.screen);
        EXPECT_STREQ(word_buffer_text(), c.text) << c.screen;
    }
    clear_word_buffer();
}

TEST(TagText, CodedMessagesFromNotesStd) {
    PlayFolder folder(false);
    std::string notes =
        "// coded messages\n"
        "*A\n"
        "You feel better.1\n"
        "x\n"
        "You feel worse.2\n"
        "*B\n"
        "Another section.1\n"
        "## more\n"
        "*C\n" +
        std::string(200, 'm') + "7\n";
    folder.write("NOTES.STD", notes);
    load_coded_messages();
    struct Case {
        char section, line;
        std::string message;
    } cases[] = {
        {'A', '1', "You feel better."},
        {'A', '2', "You feel worse."},
        {'B', '1', "Another section."},
        {'A', '3', " "},  // no such line: a single blank
        {'D', '1', " "},  // no such section
        {'C', '7', std::string(CODED_MESSAGE_BYTES - 2, 'm')},  // cut, its code kept
    };
    for (const Case& c : cases) EXPECT_EQ(coded(c.section, c.line), c.message) << c.section << c.line;

    char small[6];
    coded_message('A', '1', small, sizeof small);
    EXPECT_STREQ(small, "You f");
}

TEST(TagText, CodedMessagesWithoutNotesStd) {
    PlayFolder folder(false);
    testing::internal::CaptureStdout();
    load_coded_messages();
    std::string said = testing::internal::GetCapturedStdout();
    EXPECT_NE(said.find("Ksm internal error: couldn't open NOTES.STD"), std::string::npos);
    EXPECT_EQ(coded('A', '1'), " ");
    for (const auto& row : coded_message_table) ASSERT_STREQ(row, " ");
}

TEST(TagText, CodedMessagesPastTheLastRowAreLeftOut) {
    PlayFolder folder(false);
    std::string notes = "*A\n";
    for (int i = 0; i < 320; ++i) notes += "line " + std::to_string(i) + (i == 298 ? "Q\n" : i == 310 ? "R\n" : "x\n");
    folder.write("NOTES.STD", notes);
    testing::internal::CaptureStdout();
    load_coded_messages();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(coded('A', 'Q'), "line 298");
    // The 311th message does not fit the table: the last row is shown.
    EXPECT_EQ(coded('A', 'R'), "line 298Q");
    EXPECT_STREQ(coded_message_table[CODED_MESSAGE_ROWS - 1], "line 298Q");
}

TEST(TagText, ActivitiesAndRefusals) {
    struct Case {
        std::string got, want;
    } cases[] = {
        {activity_phrase(2), "carve trunk into a log"},
        {activity_phrase(9999), "do that"},
        {activity_phrase(-1), "craft an item"},
        {activity_phrase(0), "do that"},
        {activity_name(9999), ""},
        {activity_name(119), "Boil"},
        {activity_name(120), "Boil"},
        {activity_name(800), "Throw an item/shoot an arrow"},
        {cant_while_text(activity_phrase(9999), "swimming"), "!You can't do that while swimming!"},
        {cant_do_text(activity_phrase(455)), "!You can't sleep!"},
        {cant_do_text("%s%n"), "!You can't %s%n!"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.want);
}
