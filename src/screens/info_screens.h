// Information screens: the story of the start-up scenario, the armour
// coverage statistics on the body figure, the frame of the wounds page with
// wound marks on the figure, the message log viewer, and a game-course
// reward that raises the attributes.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

// mode 0: the player's worn armour; mode 1: one armour item, the current
// object record, named by item_name ("" for a general title).
void armour_coverage_screen(int mode, const char* item_name);
void message_log_viewer();

// The picture of the story page for a scenario title: the words of the
// title choose it (a later word in the list wins), else the default.
const char* story_picture_for(const char* title, const char* default_picture);
// The story page of "<character folder>/story.txt"; nothing when it is missing.
void show_story_screen();
// The first entry of a new character (start marker, the record's scenario
// field, 100 or more): the starting clothes are put on in the first days,
// the marker drops by 100, then the encyclopedia's first-timer page and
// the story page are shown (only with a screen). Nothing for a continued game.
void show_start_story();

// ------------------------------------------------------------ the body figure

constexpr int BODY_REGIONS = 17;
constexpr int BODY_FIGURE_X = 570;
// The seed point of each region on the figure's right half; the left half
// is its mirror image about x = 668.5.
struct BodyRegion {
    int x, y;
    int dx, dy;  // how far from the seed a wound mark may lie
};
extern const BodyRegion body_regions[BODY_REGIONS];
inline int mirror_x(int x) { return 1337 - x; }

// The colour the fills use, and the figure's inside colour that they
// replace (read from the screen once the figure is drawn).
extern Uint32 body_fill_colour;
extern Uint32 body_inside_colour;

// The background picture, the screen title and the body figure; presented
// unless presenting is held back.
void draw_body_figure_page(const char* title, const char* background);
// Fills the region and its mirror in body_fill_colour, replacing the
// figure's inside colour.
void fill_body_region(int region);
// The colour of a protection value (0xRRGGBB): the grades of the coverage
// page's colour key.
uint32_t protection_colour(int protection);
// The fixed texts of the coverage page.
void draw_coverage_frame();
// The frame of the wounds page, for the injuries screen.
void draw_wounds_page();

// What a wound mark draws: kind 1 splatter, 2 a cut; nothing (kind 0) for
// ailments and unknown kinds.
struct WoundMarkShape {
    int kind;       // 0 nothing, 1 splatter, 2 cut
    int size;       // splatter spread, cut length in steps
    int thickness;  // splatter density, cut width
    int count;      // splatter samples, cut strokes
};
WoundMarkShape wound_mark_shape(int wound_kind, int severity);
// A mark for a wound on the figure: side 1 on the mirrored half. The same
// seed draws the same mark; seed -666 takes a seed from the game's random
// numbers. Marks land only on the figure's inside colour.
void draw_wound_mark(int region, int side, int wound_kind, int severity, int seed);
void draw_wound_splatter(int x, int y, int spread, int density, int samples);
void draw_wound_cut(int x, int y, int length, int width, int strokes);

// ------------------------------------------------------------ message log

constexpr int MESSAGE_LOG_RING = 70;
// The page last drawn: the numbers of its first and last message in the
// whole log, and how many lines the log has (its "%d-%d (of %d)").
extern int message_log_page_first, message_log_page_last, message_log_page_total;
// The colour of a log line (0xRRGGBB) from its tag part "(RRGGBB)...";
// black without one.
uint32_t message_log_colour(const char* tag);
// The map position of a log line's tag part "{XXXXYYYY}"; false without one.
bool message_log_position(const char* tag, int* x, int* y);

// Each of the character's eleven attributes grows by one while below 18.
void raise_all_attributes();
