// The side panel, the status line, the calendar box and the screen titles.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "body/body_condition.h"
#include "maps/map_layers.h"
#include "game/clock.h"
#include "shell/commands.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "support/screen_session.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "screens/side_panel.h"
#include "base/text_ring.h"

namespace {

TEST(SidePanelWords, VigourPenaltyAndBarRules) {
    struct Vigour {
        int x;
        const char* word;
    };
    const Vigour vigour[] = {{0, "Vigorous"},       {499, "Vigorous"}, {500, "Lively"},
                             {999, "Lively"},       {1000, "A bit tired"}, {1300, "Tired"},
                             {1600, "Weary"},       {1800, "Extremely tired"},
                             {1999, "Extremely tired"}, {2000, "Ready to drop"}, {9000, "Ready to drop"}};
    for (const Vigour& v : vigour) EXPECT_STREQ(vigour_word(v.x), v.word) << v.x;

    char text[16];
    bool none = false;
    EXPECT_STREQ(penalty_text(0, text, sizeof text, &none), "None");
    EXPECT_TRUE(none);
    EXPECT_STREQ(penalty_text(35, text, sizeof text, &none), "-35%");
    EXPECT_FALSE(none);

    struct Bar {
        int value, maximum, width;
    };
    const Bar bars[] = {{0, 100, 0},    {1, 100, 2},     {50, 100, 25},  {100, 100, 47},
                        {300, 100, 47}, {10, 0, 0},      {10, -4, 0},    {-5, 100, 0},
                        {49, 1001, 0},  {51, 1001, 4}};
    for (const Bar& b : bars) EXPECT_EQ(stat_bar_width(b.value, b.maximum), b.width) << b.value << "/" << b.maximum;
}

TEST(SidePanelWords, NeedsColoursAndPercents) {
    // Thirst colour: one rule, (d, 255 - d, 0) with d = thirst / 18 kept in 0..254.
    struct Thirst {
        int thirst, r, g, percent;
    };
    const Thirst thirsts[] = {{-400, 0, 255, 0}, {0, 0, 255, 0},     {150, 8, 247, 0},
                              {1575, 87, 168, 50}, {3000, 166, 89, 100}, {90000, 254, 1, 100}};
    for (const Thirst& t : thirsts) {
        SDL_Color c = thirst_colour(t.thirst);
        EXPECT_EQ(c.r, t.r) << t.thirst;
        EXPECT_EQ(c.g, t.g) << t.thirst;
        EXPECT_EQ(c.b, 0);
        EXPECT_EQ(thirst_percent(t.thirst), t.percent) << t.thirst;
    }
    EXPECT_EQ(hunger_percent(3000, 255), 0);
    EXPECT_EQ(hunger_percent(3000, 0), 48);
    EXPECT_EQ(hunger_percent(500, 0), 100);
    EXPECT_EQ(hunger_percent(100, 200), 24);  // the reserve counts as 500 at least
    SDL_Color full = hunger_colour(3000), starving = hunger_colour(100);
    EXPECT_EQ(full.r, 0);
    EXPECT_EQ(full.g, 255);
    EXPECT_EQ(starving.r, 245);
    EXPECT_EQ(starving.g, 10);
}

TEST(SidePanelWords, HandRowsSpeedAndSoundClues) {
    char out[120];
    const std::string n29(29, 'a'), n30(30, 'b');
    hand_row_text(n29.c_str(), false, 1, nullptr, out, sizeof out);
    EXPECT_EQ(std::string(out), n29);
    hand_row_text(n30.c_str(), false, 1, nullptr, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string(28, 'b') + "..");

    uint8_t stance = 2 | 8;
    hand_row_text("Round shield", true, 2, &stance, out, sizeof out);
    EXPECT_STREQ(out, "Round shield -- CENTER -- LEFT");
    EXPECT_EQ(stance & 1, 1);
    stance = 4;
    hand_row_text(std::string(25, 's').c_str(), true, 1, &stance, out, sizeof out);
    EXPECT_EQ(std::string(out), std::string(23, 's') + ".. -- HIGH");

    EXPECT_EQ(shown_speed(90, false), 6);  // shown as " 6"
    EXPECT_EQ(shown_speed(90, true), 9);
    EXPECT_EQ(speed_colour_percent(50, 10), 50);
    EXPECT_EQ(speed_colour_percent(50, 0), 0);  // a speed attribute of 0 divides nothing

    EXPECT_EQ(sound_clue_alpha(4), 255);
    EXPECT_EQ(sound_clue_alpha(20), 55);
    EXPECT_EQ(sound_clue_alpha(21), -1);
}

struct PanelFixture : ::testing::Test {
    PlayFolder folder{true};
    PlayerRecord saved = Plr;
    std::unique_ptr<ScreenSession> screen;
    void SetUp() override {
        screen = std::make_unique<ScreenSession>();
        no_flush = true;  // nothing needs showing
        std::memset(&Plr, 0, sizeof Plr);
        std::strcpy(Plr.name, "Aino");
        std::strcpy(Plr.second_name, "Koskela");
        std::strcpy(Plr.map_name, "BIGMAP");
        Plr.day = 2;
        Plr.month = 3;
        Plr.hour = 12;
        Plr.str = 12;
        Plr.spd = 10;
        Plr.body_weight = 160;
        Plr.Energiavaranto = 3000;
        Plr.stomach = 200;
        facing = 2;
        reset_clock_state();
        clock_services = ClockServices{};
    }
    void TearDown() override {
        no_flush = false;
        clock_services = default_clock_services();
        screen.reset();
        Plr = saved;
    }
    // The length of the red run of a stat slot's bar.
    int red_run(int slot) {
        int n = 0;
        const int x = stat_slot_x[slot] + 1, y = stat_slot_y[slot] + 4;
        while (n < 60 && same_rgb(canvas_colour(x + n, y), 168, 0, 0)) ++n;
        return n;
    }
};

TEST_F(PanelFixture, BarsForFullHalfAndNearlyEmptyValues) {
    struct Case {
        float fatigue;
        int wound, starvation, fatigue_run, wound_run, starvation_run;
    };
    const Case cases[] = {{100.0f, 100, 100, 47, 47, 47},
                          {50.0f, 50, 50, 25, 25, 25},
                          {0.4f, 1, 1, 2, 2, 2},
                          {0.0f, 0, 0, 0, 0, 0}};
    draw_side_panel();
    for (const Case& c : cases) {
        Plr.fatigue = c.fatigue;
        Plr.wound_total = c.wound;
        Plr.starvation = uint8_t(c.starvation);
        refresh_status_panel();
        EXPECT_EQ(red_run(2), c.fatigue_run) << c.fatigue;
        EXPECT_EQ(red_run(4), c.wound_run) << c.wound;
        EXPECT_EQ(red_run(11), c.starvation_run) << c.starvation;
    }
    // The slots lie where the stat grid puts them.
    EXPECT_EQ(stat_slot_x[2], 9 * 57);
    EXPECT_EQ(stat_slot_y[2], int(11.75 * 5) + 12);
}

TEST_F(PanelFixture, TheDrawnPanelIsPresentedAsAFrame) {
    ScreenshotSeam shots(folder);
    no_flush = false;
    Plr.fatigue = 50.0f;
    draw_side_panel();
    refresh_status_panel();
    SDL_Surface* frame = shots.last_frame();
    ASSERT_NE(frame, nullptr);
    // The name bar and the fatigue bar as the player sees them.
    EXPECT_TRUE(same_rgb(pixel_of(frame, 506, 9), 56, 88, 120));
    EXPECT_TRUE(same_rgb(pixel_of(frame, stat_slot_x[2] + 10, stat_slot_y[2] + 4), 168, 0, 0));
    EXPECT_TRUE(same_rgb(pixel_of(frame, stat_slot_x[2] + 30, stat_slot_y[2] + 4), 0, 0, 0));
    SDL_FreeSurface(frame);
    no_flush = true;
}

TEST_F(PanelFixture, NeedBarsUseTheirOwnColours) {
    Plr.thirst = 1575;  // half: (87, 168, 0)
    Plr.Energiavaranto = 3000;
    Plr.stomach = 0;    // hunger 48 %, full reserve: green
    draw_side_panel();
    refresh_status_panel();
    EXPECT_TRUE(same_rgb(canvas_colour(570, 214), 87, 168, 0));
    EXPECT_TRUE(same_rgb(canvas_colour(570, 201), 0, 255, 0));
    EXPECT_TRUE(same_rgb(canvas_colour(568 + 1 + 40, 214), 0, 0, 0));  // 50 % of 75
    // The thirst colour is not left behind for the next bar.
    EXPECT_EQ(bar_colour_mode, 0);
}

TEST_F(PanelFixture, ZeroStrengthDrawsWithoutBarsOrPenalty) {
    Plr.str = 0;
    Plr.blood_loss = 40;
    Plr.carried_load = 60.0f;
    Plr.carry_allowance = 20.0f;
    Plr.spd = 0;
    Plr.end = 10;
    draw_side_panel();
    refresh_status_panel();
    EXPECT_EQ(red_run(6), 0);
    // The panel shows the body's own carrying penalty: by endurance, not
    // strength, and an endurance of 0 counts as 1.
    EXPECT_EQ(carrying_penalty(), 8);  // (60 - 20) x 2 / 10
    EXPECT_EQ(carrying_penalty(), cre_penalty(-1, 4));
    Plr.end = 0;
    EXPECT_EQ(carrying_penalty(), 80);
    Plr.end = 10;
    Plr.str = 10;
    Plr.carried_load = 241.0f;         // above 1.5 x body weight
    EXPECT_EQ(carrying_penalty(), 100);
    refresh_status_panel();
    EXPECT_EQ(red_run(6), 47);  // 40 of 4 x 10
}

TEST_F(PanelFixture, StatusWordsAndMovementModes) {
    struct Case {
        int body, travel, running, sleeping, hiding;
        const char* status;
        const char* mode;
    };
    const Case cases[] = {
        {0, 1, 0, 0, 0, "Walking", "   Walking"},   {0, 1, 1, 0, 0, "Running", "   Running"},
        {1, 1, 0, 1, 0, "Sleeping", "   Sleeping"}, {1, 1, 0, 0, 0, "Fallen", "   Fallen"},
        {3, 1, 0, 0, 0, "Shocked", "   Fainted"},   {4, 1, 0, 0, 0, "Fainted", "   Fainted"},
        {0, 7, 0, 0, 0, "Skiing", "   Skiing"},     {0, 2, 0, 0, 1, "Swimming", "   Swimming"},
        {0, 1, 1, 0, 1, "Hiding", "   Hiding"},
    };
    for (const Case& c : cases) {
        Plr.body_state = uint8_t(c.body);
        Plr.travel_mode = uint8_t(c.travel);
        Plr.running = uint8_t(c.running);
        Plr.sleeping = uint8_t(c.sleeping);
        Plr.hiding = uint8_t(c.hiding);
        EXPECT_STREQ(status_word(nullptr), c.status);
        Plr.running = uint8_t(c.running);
        EXPECT_STREQ(movement_mode_word(nullptr), c.mode);
    }
    draw_side_panel();
    refresh_status_panel();  // draws with the last state without trouble
}

TEST_F(PanelFixture, CalendarTextAndCommandLine) {
    char season[64], date[64], time_name[64];
    season_box_lines(season, date, time_name, 64);
    SeasonRecord rec{};
    season_of_date(2, 3, rec);
    std::string expected_season = rec.name;
    expected_season[0] = char(std::toupper(expected_season[0]));
    EXPECT_EQ(std::string(season), expected_season);
    EXPECT_EQ(std::string(date), "Beginning of " + std::string(month_names[2]));
    EXPECT_EQ(time_name[0], std::toupper(time_name[0]));
    draw_season_box();

    draw_side_panel();
    show_command_line("100% sure %s%n");
    EXPECT_STREQ(command_line_text, "100% sure %s%n");
    show_command_line(std::string(26, 'c').c_str());
    EXPECT_EQ(std::string(command_line_text), std::string(26, 'c'));
    show_command_line(std::string(27, 'c').c_str());
    EXPECT_EQ(std::string(command_line_text), std::string(24, 'c') + "..");
    // The field is black behind the text, the prompt's window around it.
    EXPECT_TRUE(same_rgb(canvas_colour(572, 540), 0, 0, 0));
}

TEST_F(PanelFixture, ScreenTitleBarAndSoundClues) {
    draw_screen_title("SKILLS");
    EXPECT_TRUE(same_rgb(canvas_colour(20, 12), 60, 90, 152));

    player_x = 100;
    player_y = 100;
    Plr.total_minutes = 10;
    mark_sound_clue(100, 90);  // north
    EXPECT_EQ(sound_clue_time[2], 600);
    clock_seconds = 25;  // 25 seconds later the clue is cleared as it is drawn
    draw_movement_box();
    EXPECT_EQ(sound_clue_time[2], 0);
    clock_seconds = 0;
}

}  // namespace
