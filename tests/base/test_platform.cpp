// The platform layer: case-insensitive opens, atomic writes, size-checked
// records, Latin-1 text and bounded formatting.
#include <gtest/gtest.h>

#include <cstring>

#include "play_folder.h"
#include "base/platform.h"

TEST(Platform, CaseInsensitiveOpen) {
    PlayFolder folder(false);
    folder.write("truetile/ksm.fnt", "font");
    FILE* f = open_file_ci("TrueTile/KSM.FNT", "rb");
    ASSERT_TRUE(f);
    char buf[8] = {};
    EXPECT_EQ(std::fread(buf, 1, 4, f), 4u);
    std::fclose(f);
    EXPECT_STREQ(buf, "font");
    EXPECT_EQ(resolve_path_ci("TRUETILE/none.png"), "TRUETILE/none.png");
    EXPECT_EQ(open_file_ci("missing.txt", "rb"), nullptr);
}

TEST(Platform, AtomicWriteReplacesWholeOrNothing) {
    PlayFolder folder(false);
    EXPECT_TRUE(write_file_atomic("save.dat", std::string_view("first version, long")));
    EXPECT_TRUE(write_file_atomic("save.dat", std::string_view("second")));
    EXPECT_EQ(folder.read("save.dat"), "second");
    // A write whose rename can't be done (the target is a folder) fails,
    // leaves the folder as it was and no temporary file behind.
    folder.write("taken/keep.dat", "good");
    EXPECT_FALSE(write_file_atomic("taken", std::string_view("bad")));
    EXPECT_EQ(folder.read("taken/keep.dat"), "good");
    EXPECT_FALSE(write_file_atomic("no/such/folder/x.dat", std::string_view("x")));
    // No temporary files are left behind.
    int count = 0;
    for (auto& e : list_matching("*")) count += e.name[0] == '.';
    EXPECT_EQ(count, 0);
}

TEST(Platform, TheFaultSeamFailsTheOperationItIsArmedFor) {
    PlayFolder folder(false);
    folder.write("save.dat", "old");
    // Each atomic write is three operations: write, flush, rename.
    struct Case {
        int nth;
        bool and_after;
        bool first_ok, second_ok;
        FileOperation failed;
        int counted;  // a failed step ends its write
    } cases[] = {
        {1, false, false, true, FileOperation::Write, 4},
        {2, false, false, true, FileOperation::Flush, 5},
        {3, false, false, true, FileOperation::Rename, 6},
        {4, false, true, false, FileOperation::Write, 4},
        {3, true, false, false, FileOperation::Rename, 4},  // a stop: nothing after reaches the disk
        {7, false, true, true, FileOperation::Write, 6},    // past both writes: nothing fails
    };
    for (const Case& c : cases) {
        folder.write("save.dat", "old");
        folder.write("other.dat", "old");
        arm_file_fault(c.nth, c.and_after);
        EXPECT_EQ(write_file_atomic("save.dat", std::string_view("new")), c.first_ok) << c.nth;
        EXPECT_EQ(write_file_atomic("other.dat", std::string_view("new")), c.second_ok) << c.nth;
        EXPECT_EQ(counted_file_operations(), c.counted) << c.nth;
        if (!c.first_ok || !c.second_ok) {
            EXPECT_EQ(failed_file_operation(), c.failed) << c.nth;
        }
        disarm_file_fault();
        EXPECT_EQ(folder.read("save.dat"), c.first_ok ? "new" : "old") << c.nth;
        EXPECT_EQ(folder.read("other.dat"), c.second_ok ? "new" : "old") << c.nth;
    }
    int temporaries = 0;
    for (auto& e : list_matching("*")) temporaries += e.name[0] == '.';
    EXPECT_EQ(temporaries, 0);
    // Disarmed, nothing is counted and nothing fails.
    EXPECT_TRUE(write_file_atomic("save.dat", std::string_view("again")));
    EXPECT_EQ(counted_file_operations(), 0);
}

TEST(Platform, RecordsAreSizeChecked) {
    PlayFolder folder(false);
    struct Rec { int32_t a; uint8_t b[4]; };
    KSM_RECORD(Rec, 8);
    Rec out[3] = {{1, {1, 2, 3, 4}}, {-2, {5}}, {0x01020304, {}}};
    ASSERT_TRUE(write_records("recs.dat", out, 3));
    std::string bytes = folder.read("recs.dat");
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(get_le32(reinterpret_cast<const uint8_t*>(bytes.data()) + 16), 0x01020304u);
    Rec in[3] = {};
    EXPECT_TRUE(read_records("recs.dat", in, 3));
    EXPECT_EQ(in[1].a, -2);
    Rec untouched[4] = {{7, {}}, {7, {}}, {7, {}}, {7, {}}};
    EXPECT_FALSE(read_records("recs.dat", untouched, 4));  // too short
    EXPECT_FALSE(read_records("recs.dat", untouched, 2));  // too long
    EXPECT_EQ(untouched[0].a, 7);
    EXPECT_FALSE(read_records("missing.dat", untouched, 1));
    EXPECT_EQ(file_size("missing.dat"), -1);
}

TEST(Platform, Latin1) {
    struct Case { const char* utf8; const char* latin1; } cases[] = {
        {"abc", "abc"}, {"\xC3\xA4\xC3\xB6", "\xE4\xF6"}, {"\xC3\x84", "\xC4"},
        {"\xE2\x82\xAC", "?"},   // the euro sign has no Latin-1 form
        {"\xE4x", "\xE4x"},      // already Latin-1: taken byte for byte
    };
    for (auto c : cases) EXPECT_EQ(utf8_to_latin1(c.utf8), c.latin1) << c.utf8;
    EXPECT_TRUE(has_utf8_sequence("k\xC3\xA4si", 5));
    EXPECT_FALSE(has_utf8_sequence("k\xE4si", 4));
    EXPECT_FALSE(has_utf8_sequence("\xC3", 1));
    EXPECT_EQ(latin1_upper(0xE4), 0xC4);
    EXPECT_EQ(latin1_lower(0xD6), 0xF6);
    EXPECT_EQ(latin1_upper(0xF7), 0xF7);  // the division sign has no case
    EXPECT_EQ(compare_no_case("Apple", "aPPLE"), 0);
    EXPECT_LT(compare_no_case("a", "B"), 0);
}

TEST(Platform, BoundedText) {
    char small[6];
    EXPECT_EQ(copy_text(small, "much too long"), 5u);
    EXPECT_STREQ(small, "much ");
    copy_text(small, "ab");
    append_text(small, sizeof small, "cdefgh");
    EXPECT_STREQ(small, "abcde");
    char out[8];
    format_text(out, sizeof out, "%s-%d", "abcdef", 12345);
    EXPECT_STREQ(out, "abcdef-");
    const char* hostile = "%s%s%n";  // data text goes in as an argument, never as a format
    format_text(out, sizeof out, "%s", hostile);
    EXPECT_STREQ(out, "%s%s%n");
}

TEST(Platform, SeededRandomIsRepeatable) {
    seed_random(42);
    int a[5];
    for (int& v : a) v = ksm_rand();
    seed_random(42);
    for (int v : a) EXPECT_EQ(ksm_rand(), v);
    setenv("KSM_TEST_SEED", "99", 1);
    seed_random_from_clock();
    int first = ksm_rand();
    seed_random(99);
    EXPECT_EQ(ksm_rand(), first);
    unsetenv("KSM_TEST_SEED");
    EXPECT_EQ(test_seam("KSM_TEST_SEED"), nullptr);
}
