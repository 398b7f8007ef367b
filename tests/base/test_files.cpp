// Files, strings and random numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "play_folder.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "base/platform.h"

TEST(Files, DirectionFromAngle) {
    struct Case { double angle; int dir; } cases[] = {
        {22.9, 0}, {23, 7}, {67.5, 7}, {68, 6}, {180, 4}, {270, 2}, {337.5, 1}, {338, 0}, {0, 0}, {359.9, 0},
    };
    for (auto c : cases) EXPECT_EQ(direction_from_angle(c.angle), c.dir) << c.angle;
}

TEST(Files, MatchWildcards) {
    struct Case { const char* pattern; const char* text; int match; } cases[] = {
        {"*.TXT", "notes.txt", 1}, {"a?c", "ac", 0}, {"a?c", "abc", 1}, {"*", "", 1},
        {"*.*", "LOG", 0},  // plain matching: a dot is needed; listings treat "*.*" as everything
        {"msg_*.txt", "MSG_ui.TXT", 1}, {"*a*b", "xxaxxbxxb", 1}, {"*a*b", "xxaxxbxxc", 0},
        {"ksm_*.txt", "ksm_.txt", 1}, {"\xC4*", "\xE4ij\xE4", 1}, {"abc**", "abc", 1},
    };
    for (auto c : cases) EXPECT_EQ(match_wildcards(c.pattern, c.text), c.match) << c.pattern << " vs " << c.text;
}

TEST(Files, RandomBelowFollowsTheRedrawRule) {
    EXPECT_EQ(random_below(0), 0);
    EXPECT_EQ(random_below(-5), 0);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(random_below(1), 0);
    // With n = 2 the result differs from the first draw unless ten redraws all
    // equal it; replay the generator to check.
    seed_random(1234);
    std::vector<int> raw;
    for (int i = 0; i < 2000; ++i) raw.push_back(ksm_rand() % 2);
    seed_random(1234);
    size_t at = 0;
    for (int trial = 0; trial < 100; ++trial) {
        int r = random_below(2);
        int first = raw[at++];
        int expect = first;
        for (int k = 0; k < 10; ++k) {
            expect = raw[at++];
            if (expect != first) break;
        }
        ASSERT_EQ(r, expect);
    }
    for (int i = 0; i < 1000; ++i) {
        int r = random_below(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
    }
}

TEST(Files, RandomChoice) {
    const char* none[] = {""};
    EXPECT_STREQ(random_choice(none), "");
    const char* three[] = {"a", "b", "c", ""};
    for (int i = 0; i < 50; ++i) {
        std::string s = random_choice(three);
        EXPECT_TRUE(s == "a" || s == "b" || s == "c");
    }
}

TEST(Files, ReadDataLine) {
    PlayFolder folder(false);
    std::string longline(300, 'x');
    folder.write("t.txt", "//x\n##x\na//b\r\n" + longline + "\nlast");
    FILE* f = std::fopen("t.txt", "rb");
    ASSERT_TRUE(f);
    char buf[100];
    ASSERT_TRUE(read_data_line(buf, sizeof buf, f));
    EXPECT_STREQ(buf, "a//b");
    ASSERT_TRUE(read_data_line(buf, sizeof buf, f));  // the over-long line is dropped whole
    EXPECT_STREQ(buf, "last");
    EXPECT_EQ(read_data_line(buf, sizeof buf, f), nullptr);
    std::fclose(f);

    // Over-long lines of many blocks, zero bytes and line breaks at block
    // edges among them, are skipped to their very end.
    for (size_t length : {size_t(65535), size_t(65536), size_t(65537), size_t(300000)}) {
        std::string huge(length, 'y');
        huge[1000] = '\0';
        huge[70000 % length] = '\0';
        folder.write("v.txt", "first\n" + huge + "\n[KEY:after]\n" + huge + "\nend\n");
        f = std::fopen("v.txt", "rb");
        ASSERT_TRUE(read_data_line(buf, sizeof buf, f));
        EXPECT_STREQ(buf, "first");
        ASSERT_TRUE(read_data_line(buf, sizeof buf, f)) << length;
        EXPECT_STREQ(buf, "[KEY:after]") << length;
        ASSERT_TRUE(read_data_line(buf, sizeof buf, f)) << length;
        EXPECT_STREQ(buf, "end") << length;
        EXPECT_EQ(read_data_line(buf, sizeof buf, f), nullptr);
        std::fclose(f);
    }

    // A line that exactly fills the buffer at the end of the file is kept.
    folder.write("u.txt", "abcd");
    f = std::fopen("u.txt", "rb");
    char small[5];
    ASSERT_TRUE(read_data_line(small, sizeof small, f));
    EXPECT_STREQ(small, "abcd");
    std::fclose(f);
}

TEST(Files, CopyFile) {
    PlayFolder folder(false);
    folder.write("short", std::string(10, 's'));
    folder.write("long", std::string(100, 'l'));
    EXPECT_EQ(copy_file("short", "long"), 0);
    EXPECT_EQ(folder.read("long"), std::string(10, 's'));
    EXPECT_EQ(copy_file("missing", "x"), -1);
    EXPECT_EQ(copy_file("short", "no/such/folder/x"), -1);
    folder.write("big", std::string(2500, 'b'));
    EXPECT_EQ(copy_file("BIG", "big2"), 0);  // the source is found whatever its case
    EXPECT_EQ(folder.read("big2").size(), 2500u);
}

TEST(Files, ListingDeleteAndExistence) {
    PlayFolder folder(false);
    folder.write("Z.png", "1");
    folder.write("a.PNG", "2");
    folder.write("b.png", "3");
    folder.write("c.jpg", "4");
    std::vector<std::string> names;
    for (auto& e : list_matching("*.png")) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"a.PNG", "b.png", "Z.png"}));

    folder.write("x/LOG", "1");
    folder.write("x/a.txt", "1");
    make_folder("x/sub");
    EXPECT_EQ(file_exists("x/*.*"), 1);
    EXPECT_TRUE(directory_exists("x/s*"));
    EXPECT_FALSE(directory_exists("x/a*"));
    delete_files_matching("x/*.*");
    EXPECT_FALSE(folder.exists("x/LOG"));
    EXPECT_FALSE(folder.exists("x/a.txt"));
    EXPECT_TRUE(folder.exists("x/sub"));  // folders are not files
    EXPECT_EQ(file_exists("nothing*"), 0);
    delete_files_matching("nothing*");  // no effect, no failure
}

TEST(Strings, CaseConversion) {
    // Both character sets' a and o with diaeresis come out as Latin-1.
    EXPECT_STREQ(upper_case_copy("\xE4\x84\xF6\x94 abc"), "\xC4\xC4\xD6\xD6 ABC");
    EXPECT_STREQ(lower_case_copy("\xC4\x8E\xD6\x99 ABC"), "\xE4\xE4\xF6\xF6 abc");
    std::string huge(800, 'a');
    EXPECT_EQ(std::strlen(upper_case_copy(huge.c_str())), 499u);
    EXPECT_EQ(std::strlen(lower_case_copy(huge.c_str())), 500u);
}

TEST(Strings, Words) {
    EXPECT_STREQ(last_word("one two three"), "three");
    EXPECT_STREQ(last_word("single"), "single");
    EXPECT_STREQ(first_word("one two"), "one");
    EXPECT_STREQ(first_word(" leading blank"), " leading blank");
    EXPECT_STREQ(last_two_words("a big brown bear"), "brown bear");
    EXPECT_STREQ(last_two_words("brown bear"), "brown bear");
    EXPECT_STREQ(last_two_words(" x"), " x");

    char pad[8] = "7";
    pad_left_4(pad, sizeof pad);
    EXPECT_STREQ(pad, "   7");
    char longer[8] = "12345";
    pad_left_4(longer, sizeof longer);
    EXPECT_STREQ(longer, "12345");

    EXPECT_STREQ(escape_high_bytes("a\xE4z"), "a0xe4z");
    EXPECT_STREQ(key_char_text(32), "SPACE");
    EXPECT_STREQ(key_char_text(1072), "\x18");
    EXPECT_STREQ(key_char_text(1080), "\x19");
    EXPECT_STREQ(key_char_text('q'), "q");
}

TEST(Strings, Tokenizer) {
    std::string huge(2000, 'z');
    tokenizer_begin(huge.c_str(), " ,");
    EXPECT_EQ(std::strlen(tokenizer.text), 1023u);
    EXPECT_EQ(tokenizer.count, 0);
    EXPECT_EQ(tokenizer.last_token, nullptr);
}
