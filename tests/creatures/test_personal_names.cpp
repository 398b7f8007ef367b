// Personal names: which lines of a list are drawn, the memory of recent
// names, and lists that are short, blank, long-lined or missing.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "base/platform.h"
#include "creatures/personal_names.h"
#include "support/play_folder.h"

namespace {

class Names : public ::testing::Test {
protected:
    void SetUp() override {
        reset_personal_names();
        seed_random(7);
    }
    void TearDown() override { reset_personal_names(); }
    // "eastm.dat" with a header and the names given.
    void write_list(const std::string& body) { folder.write("eastm.dat", "// header\n" + body); }
    PlayFolder folder{false};
};

std::string numbered(int n, const char* end = "\n") {
    std::string s;
    for (int i = 1; i <= n; ++i) s += "Name" + std::to_string(i) + end;
    return s;
}

TEST_F(Names, TheHeaderIsNeverDrawnAndTheSecondLineComesTwiceAsOften) {
    write_list(numbered(9, "\r\n"));  // lines end in CR LF: they are taken off
    std::map<std::string, int> counts;
    for (int i = 0; i < 20000; ++i) {
        reset_personal_names();  // no memory of earlier draws
        ++counts[draw_personal_name('M', 0)];
    }
    EXPECT_EQ(counts.count("// header"), 0u);
    EXPECT_EQ(counts.size(), 9u);
    ASSERT_TRUE(counts.count("Name9"));  // the last line can be drawn
    // Ten lines: the second line 2 in 10, every later one 1 in 10.
    EXPECT_NEAR(counts["Name1"], 4000, 300);
    for (int i = 2; i <= 9; ++i) EXPECT_NEAR(counts["Name" + std::to_string(i)], 2000, 250) << i;
}

TEST_F(Names, ThirtyTwoNamesAreRememberedAndTheOldestGoesFirst) {
    write_list(numbered(40));
    std::set<std::string> seen;
    std::string first;
    for (int i = 0; i < 33; ++i) {
        const std::string n = draw_personal_name('M', 2);
        if (i == 0) first = n;
        EXPECT_TRUE(seen.insert(n).second) << n << " at " << i;
    }
    // After 33 names the first is no longer recent: it may be drawn again.
    EXPECT_EQ(name_recently_used(first.c_str()), 0);
    EXPECT_EQ(name_recently_used(first.c_str()), 1);
}

TEST_F(Names, AListOfRecentNamesEndsOnTheThirtyThirdRepeat) {
    write_list("Aino\nHelmi\n");
    const std::string a = draw_personal_name('M', 0);
    const std::string b = draw_personal_name('M', 0);
    EXPECT_NE(a, b);
    const std::string c = draw_personal_name('M', 0);  // both recent: one of them
    EXPECT_TRUE(c == "Aino" || c == "Helmi") << c;
}

TEST_F(Names, ShortBlankLongAndMissingLists) {
    struct Case {
        const char* what;
        std::string body;
        bool written;
        std::string expected;
    } cases[] = {
        {"one line", "", true, FALLBACK_PERSONAL_NAME},
        {"blank lines", "\n\n\n", true, FALLBACK_PERSONAL_NAME},
        {"a long line", std::string(100, 'x') + "\n", true, std::string(99, 'x')},
        {"missing", "", false, FALLBACK_PERSONAL_NAME},
    };
    for (const Case& c : cases) {
        reset_personal_names();
        if (c.written) write_list(c.body);
        else remove_file(folder.file("eastm.dat"));
        EXPECT_EQ(std::string(draw_personal_name('M', 11)), c.expected) << c.what;
    }
    // A name goes into the record's 16-byte field as 15 letters.
    char field[16];
    copy_text(field, std::string(100, 'x').c_str());
    EXPECT_EQ(std::string(field), std::string(15, 'x'));
}

TEST_F(Names, EachCultureReadsItsGroupsListForTheSex) {
    PlayFolder data;  // the installation's own lists
    reset_personal_names();
    struct Case {
        int culture;
        const char* word;
    } cases[] = {{0, "east"}, {2, "east"}, {13, "east"}, {1, "west"}, {6, "west"}, {7, "north"}, {9, "north"}};
    for (const Case& c : cases) EXPECT_STREQ(culture_group_word(c.culture), c.word) << c.culture;
    for (int culture = 0; culture < 14; ++culture)
        for (int sex : {'M', 'F'}) {
            const std::string n = draw_personal_name(sex, culture);
            EXPECT_NE(n, FALLBACK_PERSONAL_NAME);
            EXPECT_FALSE(n.empty());
            EXPECT_EQ(n.find("//"), std::string::npos);
        }
}

}  // namespace
