// The encyclopedia of the world and its rules: the pages of "GAME.NFO",
// each under one or more topic names, with the words that name other
// topics turned into links; the hint bar that tells a screen's player that
// a topic has a page; and the browser that shows the pages.
//
// "GAME.NFO" is read as data lines (comments skipped, line ends cut). A
// header line begins with "." and holds names each closed by a ".":
// ".FIRE.FIREMAKING."; its next two lines are the page's first lines, whose
// join up to the first "." is every name's short text. The page runs to a
// line holding "***". On a page a line beginning with "%" brings a picture
// (the next line names it, "POP" in the "%" line draws it), other lines
// beginning with "." are skipped, and every other line is text, which may
// carry the tags of tagged text ("<br>" ends a line).
#pragma once

#include <cstddef>

constexpr int TOPIC_SLOTS = 1000;
constexpr int TOPIC_NAME_BYTES = 200;    // a name of up to 199 characters
constexpr int TOPIC_SHORT_BYTES = 404;   // the join of two page lines
constexpr int TOPIC_HISTORY_SLOTS = 30;
constexpr int PAGE_LINK_SLOTS = 100;
constexpr int PAGE_LINK_FIRST = 2;       // the link count starts here on each page
constexpr int PAGE_LINK_LAST = 98;       // a link is kept while the count is at most this
constexpr const char* ENCYCLOPEDIA_FILE = "GAME.NFO";
constexpr const char* HINT_TOPIC_FILE = "GFX.NFO";
constexpr const char* TOPIC_LIST_FILE = "debug_topics.txt";

// Page layout: text from x 60 to the right edge 740, 12 px a line.
constexpr int PAGE_LEFT = 60;
constexpr int PAGE_TOP = 60;
constexpr int PAGE_RIGHT = 740;
constexpr int PAGE_LINE_STEP = 12;

struct EncyclopediaTopic {
    char name[TOPIC_NAME_BYTES];          // upper case; "" = a free entry
    char short_text[TOPIC_SHORT_BYTES];
};
extern EncyclopediaTopic encyclopedia_topics[TOPIC_SLOTS];

// The pages shown since the encyclopedia opened, oldest first; the newest
// is the last used entry.
extern char topic_history[TOPIC_HISTORY_SLOTS][TOPIC_NAME_BYTES];
// The links of the page on screen, from PAGE_LINK_FIRST up to the count.
extern char page_links[PAGE_LINK_SLOTS][TOPIC_NAME_BYTES];
extern int page_link_count;
// The name of the page shown last.
extern char last_page[TOPIC_NAME_BYTES];

// Fills the topic table from "GAME.NFO" and lists every entry's name in
// "debug_topics.txt" (each followed by "\n\r"). A missing file leaves the
// table empty and says so in the start-up log.
void load_encyclopedia_topics();
// 1 when the name, upper-cased, is a topic.
int is_encyclopedia_topic(const char* name);
// The topic's short text, or "Info missing. Report!".
const char* topic_short_text(const char* name);

// The hint bar at the bottom of a screen: the topic's name and short text
// (or the given text) and the list row "F1.Launch ..." (code 1059), which
// is made unchoosable when the name is no topic. The name goes to
// "GFX.NFO" when it differs from the last one written.
void show_topic_hint(const char* name, const char* text);
// The same bar for "SPELLS", drawn on the renderer's current target.
void show_spells_hint();

// Opens the encyclopedia on a topic over the current screen and puts the
// screen back afterwards. "FILE": the topic of the last hint bar.
void infobrowser(const char* topic);
void show_encyclopedia(const char* topic);
// 0 when the first page does not exist, 1 when the player left.
int run_encyclopedia(const char* topic);
// The list rows under a page and the player's answer: "QUIT", " " (type a
// keyword), "" (back), "START", or the name of a chosen link.
const char* encyclopedia_navigation();
// Draws the page of a topic; 0 when there is none.
int show_encyclopedia_page(const char* name);
// Lays out one page line at the page's text position.
void layout_page_text(const char* line, const char* header);
// Finds the topics named in one laid-out line that starts at (x, y): each
// becomes a link row, underlined and drawn in blue. In measure mode
// nothing changes: the answer is where the rightmost link ends, plus 20
// (0 without links).
int link_topics_in_line(int x, int y, const char* line, const char* header, bool measure_only);
void show_no_information(const char* topic);
void push_topic_history(const char* name);

// The page's text position (where layout_page_text goes on).
extern int page_text_x, page_text_y;
// The link row that a list row of the page stands for, -1 for other rows.
int page_link_of_row(int row);
