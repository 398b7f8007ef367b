// The skills page: looking at skills, choosing one, spending option points.
#include "screens/skills_screen.h"

#include <algorithm>
#include <cstring>

#include "game/player.h"
#include "game/skill_setup.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/encyclopedia.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"

char skill_hotkey_letter[3][50] = {};
int skill_hotkey_id[3][50] = {};

namespace {
int remembered_row = 0;
const char* const mastery_words[11] = {"unskilled", "untrained", "amateur",  "novice",
                                       "adequate",  "competent", "skilled",  "talented",
                                       "expert",    "master",    "grandmaster"};
}  // namespace

int mastery_index(int percent) {
    if (percent <= 0) return 0;
    int i = (percent + 5) / 10;
    return i > 10 ? 10 : i;
}

const char* mastery_word(int percent) { return mastery_words[mastery_index(percent)]; }

const char* growth_stars(int base_step) {
    if (base_step > 13) return "***";
    if (base_step > 9) return "**";
    return "*";
}

void sort_skills_by_group() {
    for (int g = 0; g < 3; ++g)
        for (int i = 0; i < 50; ++i) {
            skill_hotkey_letter[g][i] = 0;
            skill_hotkey_id[g][i] = -1;
        }
    int counts[3] = {0, 0, 0};
    for (int slot = 0; slot < PLR_SKILLS; ++slot) {
        const char* name = skill_name_text(Plr, slot);
        if (!name[0]) continue;
        int group = skill_attribute_base(-1, name, 2);
        int row = group == 2 ? 2 : (group == 1 ? 1 : 0);
        if (counts[row] >= 50) continue;
        skill_hotkey_letter[row][counts[row]] = char(skill_attribute_base(-1, name, 3));
        skill_hotkey_id[row][counts[row]] = slot;
        ++counts[row];
    }
}

int skill_rows_in_order(int group, int* slots, int cap) {
    if (group < 0 || group > 2) return 0;
    int n = 0;
    int letters[50];
    for (int i = 0; i < 50 && skill_hotkey_id[group][i] >= 0; ++i) {
        if (n >= cap) break;
        // Insert by key letter; among equal letters the later slot goes first.
        int letter = (unsigned char)skill_hotkey_letter[group][i];
        int at = n;
        while (at > 0 && letters[at - 1] >= letter) --at;
        for (int k = n; k > at; --k) {
            letters[k] = letters[k - 1];
            slots[k] = slots[k - 1];
        }
        letters[at] = letter;
        slots[at] = skill_hotkey_id[group][i];
        ++n;
    }
    return n;
}

namespace {

// The skill slot of each list row; -1 for rows that are no skill.
int row_slot[150];

void draw_skill_level(int y, int slot) {
    int p = Plr.skill_level[slot];
    if (Plr.skill_boost[slot]) draw_text_at(185, y, "+", map_rgb(0, 200, 0), 0);
    draw_percent_bar(195, y + 1, 60, p);
    char text[16];
    format_text(text, sizeof text, "%d%%", p);
    draw_text_at(265, y, text, map_rgb(87, 87, 87), 0);
    char word[120];
    format_text(word, sizeof word, "(%s)", mastery_word(p));
    draw_text_at(310, y, word, map_rgb(60, 90, 152), 0);
    // Outlined: the light grey stars would fade into the paper.
    draw_text_at(410, y, growth_stars(Plr.skill_attr_base[slot]), map_rgb(171, 171, 171), 1);
}

void draw_skill_windows() {
    static const char* const titles[3] = {"LORE & CRAFT SKILLS", "PHYSICAL SKILLS", "COMBAT SKILLS"};
    int slots[3][50], rows[3], height[3];
    for (int w = 0; w < 3; ++w) {
        rows[w] = skill_rows_in_order(w, slots[w], 50);
        height[w] = 40 + 12 * rows[w];
    }
    // The windows keep clear of the hint box at the bottom (y 545): with
    // more skills than the layout was drawn for, the wide gap under the
    // first window narrows first, then the windows start higher.
    constexpr int LAST_Y = 540;
    const int stacked = height[0] + height[1] + height[2] + 10;
    int top = 55, gap = 65;
    if (top + stacked + gap > LAST_Y) gap = std::max(10, LAST_Y - top - stacked);
    if (top + stacked + gap > LAST_Y) top = std::max(30, LAST_Y - stacked - gap);
    for (int& r : row_slot) r = -1;
    for (int w = 0; w < 3; ++w) {
        draw_paper_window(60, top, 385, height[w], titles[w]);  // the rows are in dark ink
        for (int r = 0; r < rows[w]; ++r) {
            int slot = slots[w][r];
            int y = top + 25 + 12 * r;
            int key = skill_attribute_base(-1, skill_name_text(Plr, slot), 3);
            if (key == '!' || key == 0) key = '/';
            char row[40];
            format_text(row, sizeof row, "%c.%s", key, skill_name_text(Plr, slot));
            int before = list_header.count;
            list_add_item_at(65, key, y, row);
            if (list_header.count > before && before < 150) row_slot[before] = slot;
            if (skill_is_improved(skill_name_text(Plr, slot)))
                draw_text_at(73, y + 5, key_char_text(key), map_rgb(168, 0, 0), 0);  // over the cap's letter
            draw_skill_level(y, slot);
        }
        top += height[w] + (w == 0 ? gap : 10);
    }
}

}  // namespace

void draw_option_panel() {
    draw_window(545, 400, 235, 140, "", 0);
    draw_text_at(555, 410, "Options remaining:", map_rgb(238, 232, 170), 0);
    draw_sunken_box(745, 408, 25, 12);
    char count[16];
    format_text(count, sizeof count, "%d", option_state.options_left);
    draw_text_at(750, 410, count, map_rgb(255, 255, 255), 0);
    char text[300];
    format_text(text, sizeof text,
                "Maximum improvement allowed is <green>%d</green>step(s) above the initial level.<br>",
                option_state.max_improve);
    if (option_state.max_degrade > 0) {
        char more[120];
        format_text(more, sizeof more, "Maximum degrade allowed is <green>%d</green>step(s) below the initial level.",
                    option_state.max_degrade);
        append_text(text, sizeof text, more);
    }
    clear_word_buffer();
    add_text_to_word_buffer(true, text);
    draw_tagged_text(555, 425, 215, 0, map_rgb(238, 232, 170), 0);
    draw_key_caption(550, 495, "+.Improve");
    draw_key_caption(550, 510, "-.Degrade");
}

namespace {
int slot_of_row(int row) { return row >= 0 && row < 150 ? row_slot[row] : -1; }

// The encyclopedia topic of a row: its skill's name ("" for other rows).
const char* skill_topic_of_row(int row) {
    int slot = slot_of_row(row);
    return slot >= 0 ? skill_name_text(Plr, slot) : "";
}

// The screen's help text in a window right of the skills: how to choose a
// skill, or in mode 1 how to spend the option points.
void draw_skills_help(int mode) {
    const char* screen = mode == 1 ? "SKILLS_IMPROVE" : "SKILLS";
    const Uint32 colour = map_rgb(238, 232, 170);
    load_screen_info_text(screen);
    // A one-letter word never wraps: the lines keep a letter's room to the
    // window's edge.
    const int text_h = draw_tagged_text(545, 40, 227, -1, colour, 0);
    draw_window(535, 30, 255, text_h + 30, "", 0);  // the last line, and margins
    load_screen_info_text(screen);
    draw_tagged_text(545, 40, 227, 0, colour, 0);
}
}  // namespace

int skills_screen(int mode) {
    sort_skills_by_group();
    // Several skills may share a key letter: every row stays in the list.
    bool saved_duplicates = list_duplicate_keys;
    list_duplicate_keys = true;
    int result = 1000;
    int highlighted = mode == 0 ? remembered_row : 0;
    // Dodging can't be changed while points are spent; looking starts afresh.
    if (mode == 1) mark_skill_improved("DODGE");
    else if (mode == 0) clear_improved_skills();
    for (;;) {
        fill_canvas_rect(0, 0, 800, 600, map_rgb(48, 64, 80));
        draw_window(0, 0, 800, 600, "SKILLS", 0);
        if (mode == 0 || mode == 1) draw_skills_help(mode);
        list_init(0, "", 10, 50, 500, 485, LIST_TYPE_PLACED);
        // The rows' keys are the skills' own letters, most of them lower
        // case: a typed letter must reach its row as it is.
        list_header.keep_case = 1;
        draw_skill_windows();
        int rows = list_header.count;
        int improve = -1, improve2 = -1, degrade = -1;
        if (mode == 1) {
            improve = list_header.count;
            list_add_item_at(-100, '+', -100, "");
            improve2 = list_header.count;
            list_add_item_at(-100, '=', -100, "");
            degrade = list_header.count;
            list_add_item_at(-100, '-', -100, "");
            draw_option_panel();
            list_set_options(-1, "", 0, 1);  // report every move of the highlight
        } else {
            list_add_item_at(-100, KEY_ESC, -100, "");
        }
        const int first_row = list_header.count;
        list_add_item_at(-100, KEY_PGUP, -100, "");
        const int last_row = list_header.count;
        list_add_item_at(-100, KEY_PGDN, -100, "");
        // Every move of the highlight is reported: the hint bar follows it.
        list_set_options(-1, "", 0, 1);
        if (highlighted < 0 || highlighted >= rows) highlighted = 0;
        list_header.current = highlighted;
        list_draw();
        show_topic_hint(skill_topic_of_row(highlighted), "");
        save_menu_list();
        present_screen();
        int row = LIST_Go();
        if (row == first_row || row == last_row) {
            // PgUp jumps to the first skill, PgDn to the last.
            highlighted = row == first_row ? 0 : rows - 1;
            continue;
        }
        if (row >= 0 && row < list_header.count && list_items[row].code == KEY_F1) {
            // F1: the highlighted skill's page, then the list as it was.
            if (is_encyclopedia_topic(skill_topic_of_row(highlighted))) {
                infobrowser(skill_topic_of_row(highlighted));
                load_menu_list();
            }
            continue;
        }
        if (row == -1 && !window_close_requested()) {
            highlighted = list_header.current;
            continue;
        }
        if (mode == 1) {
            if (row == improve || row == improve2) change_skill_option(slot_of_row(highlighted), +1);
            else if (row == degrade) change_skill_option(slot_of_row(highlighted), -1);
            if (option_state.options_left <= 0 || window_close_requested()) break;
            continue;
        }
        if (slot_of_row(row) < 0) break;
        if (mode == 0) remembered_row = row;
        result = slot_of_row(row);
        break;
    }
    list_duplicate_keys = saved_duplicates;
    return result;
}

void spend_option_points(int max_degrade, int options, int max_improve) {
    begin_option_spending(max_degrade, options, max_improve);
    for (;;) {
        skills_screen(1);
        if (window_close_requested()) return;
        list_init(-1, "ALL OPTIONS USED", 545, 400, 235, 100, 6);
        list_add_entry(-1, "Are you happy with this?");
        list_add_entry(-1, "");
        list_add_entry('Y', "Y.Yes.");
        list_add_entry('N', "N.No, undo last and return.");
        list_header.current = 3;
        list_draw();
        int row = LIST_Go();
        if (row == 3 && option_state.last_slot >= 0) {
            change_skill_option(option_state.last_slot, -1);
            continue;
        }
        return;
    }
}
