// Making a new character.
#include "shell/creation.h"

#include <algorithm>
#include <cstring>

#include "body/body_services.h"
#include "objects/object_store.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "shell/profile.h"
#include "shell/scenarios.h"
#include "game/skill_setup.h"
#include "screens/skills_screen.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "base/text_ring.h"
#include "ui/font.h"
#include "ui/prompts.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/encyclopedia.h"
#include "ui/menus.h"
#include "base/platform.h"
#include "base/tag_text.h"

int creation_mode = 0;
int body_accepted = 0;
char creation_folder[33] = "";
int (*creation_dice)(int count) = roll_dice;

namespace {

struct Culture {
    const char* row;
    const char* second_name;
    const char* prefix;
    const char* topic;
};
const Culture cultures[10] = {
    {"0.Kaumolainen", "Kaumolainen", "east", "KAUMOLAISET"},
    {"1.Driikil\xE4inen", "Driikil\xE4inen", "west", "DRIIKIL\xC4ISET"},
    {"2.Kiessel\xE4inen", "Kiessel\xE4inen", "east", "KIESSEL\xC4ISET"},
    {"3.Reemil\xE4inen", "Reemil\xE4inen", "east", "REEMIL\xC4ISET"},
    {"4.Sartolainen", "Sartolainen", "west", "SARTOLAISET"},
    {"5.Islander", "Islander", "west", "ISLANDERS"},
    {"6.Koivulainen", "Koivulainen", "west", "KOIVULAISET"},
    {"7.Kuikka-tribe", "of Kuikka-tribe", "north", "KUIKKA-TRIBE"},
    {"8.Owl-tribe", "of Owl-tribe", "north", "OWL-TRIBE"},
    {"9.Seal-tribe", "of Seal-tribe", "north", "SEAL-TRIBE"},
};

// A letter of a name: ASCII letters and the Latin-1 letters.
bool is_name_letter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return c >= 0xC0 && c != 0xD7 && c != 0xF7;
}

// True when a folder of that name exists in the working folder, in any
// letter case.
bool folder_exists_any_case(const char* folder) {
    for (const DirEntry& entry : list_matching("*"))
        if (entry.is_dir && compare_no_case(entry.name, folder) == 0) return true;
    return false;
}

Uint32 white() { return map_rgb(255, 255, 255); }

const char* hint_text = "";
char refusal_text[400];

int clamp_attribute(int value) { return value > 18 ? 18 : (value < 1 ? 1 : value); }

}  // namespace

const char* culture_second_name(int culture) {
    return culture >= 0 && culture < 10 ? cultures[culture].second_name : "";
}
const char* culture_portrait_prefix(int culture) {
    return culture >= 0 && culture < 10 ? cultures[culture].prefix : "east";
}

// ------------------------------------------------------------ names

const char* name_refusal(const char* name) {
    size_t n = std::strlen(name);
    if (n <= 2) return "Too short character name.";
    for (size_t i = 0; i < n; ++i)
        if (!is_name_letter((unsigned char)name[i]))
            return "Character name can't contain spaces or special characters.";
    if (n > 12) return "Character name can't contain spaces or special characters.";
    char folder[33];
    folder_name_for(name, folder, sizeof folder);
    if (folder_exists_any_case(folder)) return "File folder for a character with that name already exists!";
    return "";
}

// The ASCII letters a Latin-1 letter is written with in a folder name (the
// capital's; "" for a byte that is no letter).
static const char* ascii_letters_for(unsigned char c) {
    static const char* const upper[32] = {
        "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
        "D", "N", "O", "O", "O", "O", "O", "",  "O", "U", "U", "U", "U", "Y", "TH", "SS"};
    if (c >= 0xC0 && c <= 0xDF) return upper[c - 0xC0];
    if (c >= 0xE0 && c != 0xF7) return c == 0xFF ? "Y" : upper[c - 0xE0];
    return "";
}

const char* folder_name_for(const char* name, char* out, int cap) {
    if (cap <= 0) return out;
    out[0] = 0;
    int limit = cap - 1 < 32 ? cap - 1 : 32;
    const char* upper = upper_case_copy(name);
    int len = 0;
    for (const unsigned char* p = (const unsigned char*)upper; *p; ++p) {
        char piece[8];
        const char* letters = *p > 127 ? ascii_letters_for(*p) : "";
        if (letters[0]) {
            // Latin-1 letters are written in ASCII, so that the folder name
            // reads the same on every file system: "S\xe4mp\xf6" -> "SAMPO".
            copy_text(piece, sizeof piece, letters);
        } else if (*p > 127) {
            format_text(piece, sizeof piece, "0x%02x", *p);
        } else {
            piece[0] = char(*p);
            piece[1] = 0;
        }
        int plen = int(std::strlen(piece));
        if (len + plen > limit) break;  // never half an escape
        std::memcpy(out + len, piece, size_t(plen) + 1);
        len += plen;
    }
    return out;
}

// ------------------------------------------------------------ body rolls

int height_for(int culture, int roll_5d6) {
    static const int bonus[10] = {5, 0, 0, 3, 4, 0, 0, -4, -5, 0};
    return roll_5d6 + 50 + (culture >= 0 && culture < 10 ? bonus[culture] : 0);
}

int build_roll_for(int culture, int roll_3d6) {
    static const int bonus[10] = {7, 0, 0, 3, 4, 0, 0, -4, -5, 0};
    return roll_3d6 + (culture >= 0 && culture < 10 ? bonus[culture] : 0);
}

int build_class_for(int b) {
    if (b >= 16) return 5;
    if (b >= 13) return 4;
    if (b >= 9) return 3;
    if (b >= 6) return 2;
    return 1;
}

int weight_for_height(int h) {
    if (h < 40) return h + 34;
    if (h <= 51) return 2 * h - 5;
    if (h <= 63) return 3 * h - 56;
    if (h <= 69) return 4 * h - 119;
    if (h <= 71) return 5 * h - 188;
    return 5 * h - 189;
}

int weight_with_build(int w, int build_class, int b) {
    if (build_class == 5 && b <= 15) return w;
    switch (build_class) {
        case 1: return w * 80 / 100;
        case 2: return w * 90 / 100;
        case 4: return w * 110 / 100;
        case 5: return w * 120 / 100;
        default: return w;
    }
}

int strength_weight_bonus(int w) {
    struct Band { int low, high, bonus; };
    static const Band bands[] = {{21, 55, -5},   {56, 85, -4},   {86, 110, -3},  {111, 130, -2},
                                 {131, 145, -1}, {156, 170, 1},  {171, 190, 2},  {191, 215, 3},
                                 {216, 245, 4},  {246, 280, 5},  {281, 320, 6}};
    for (const Band& band : bands)
        if (w >= band.low && w <= band.high) return band.bonus;
    return 0;
}

void roll_body() {
    int c = Plr.culture;
    Plr.height_in = height_for(c, creation_dice(5));
    int b = build_roll_for(c, creation_dice(3));
    Plr.build = build_class_for(b);
    Plr.body_weight = weight_with_build(weight_for_height(Plr.height_in), Plr.build, b);
}

void roll_attributes() {
    int c = Plr.culture;
    auto by = [c](std::initializer_list<std::pair<int, int>> rows) {
        for (const auto& row : rows)
            if (row.first == c) return row.second;
        return 0;
    };
    int str = creation_dice(3) + by({{0, 3}, {1, -1}, {3, 2}, {4, 1}}) + strength_weight_bonus(Plr.body_weight);
    Plr.str = uint8_t(clamp_attribute(str));
    int agi = clamp_attribute(creation_dice(3) + by({{0, 3}, {1, -2}, {2, 1}, {7, 4}, {9, 4}, {8, 5}}));
    Plr.agi = uint8_t(agi);
    int spd = creation_dice(3);
    if (spd > agi + 4) spd = agi + 4;
    if (spd < agi - 4) spd = agi - 4;
    Plr.spd = uint8_t(clamp_attribute(spd));
    Plr.dex = uint8_t(clamp_attribute(creation_dice(3) + by({{2, 3}, {3, 2}, {5, 2}, {7, 5}, {8, 5}, {9, 4}})));
    Plr.end = uint8_t(clamp_attribute(creation_dice(3) + by({{0, 4}, {6, 4}, {2, 2}, {3, 2}})));
    Plr.smt = uint8_t(clamp_attribute(creation_dice(3) + by({{0, 4}, {7, 4}, {2, 3}, {9, 3}, {6, 2}, {8, 5}})));
    Plr.tch = uint8_t(clamp_attribute(creation_dice(3) + by({{0, 2}, {5, 2}, {9, 2}, {2, 3}, {7, 3}, {8, 4}})));
    Plr.wil = uint8_t(clamp_attribute(
        creation_dice(3) + by({{0, 1}, {2, 1}, {3, 3}, {6, 3}, {7, 3}, {9, 3}, {4, 4}, {8, 4}})));
    Plr.eye = uint8_t(clamp_attribute(creation_dice(3) + by({{0, 2}, {2, 1}, {5, 3}, {7, 4}, {9, 4}, {8, 5}})));
    Plr.intel = uint8_t(clamp_attribute(creation_dice(3) + by({{1, 3}})));
    Plr.hrg = uint8_t(clamp_attribute(creation_dice(3) + by({{0, 3}, {7, 3}, {9, 3}, {2, 2}, {8, 4}})));
    Plr.rolled_1_10 = (random_below(10) + random_below(10) + random_below(10)) / 3 + 1;
    Plr.rolled_5d6 = creation_dice(5);
}

// ------------------------------------------------------------ record

void new_character_record() {
    std::memset(&Plr, 0, sizeof Plr);
    Plr.winters = 16;
    Plr.day = 1;
    Plr.hour = 8;
    Plr.minute = 0;
    Plr.days_played = 1;
    Plr.bodytemp = 37.0f;
    Plr.Energiavaranto = 3000;
    Plr.course_task = -1;
    Plr.skill_level[0] = 50;
    Plr.plr_version = PLR_FORMAT_VERSION;
    Plr.travel_mode = 1;
    Plr.map_zoom = 1.0f;
}

// ------------------------------------------------------------ screens

void draw_creation_hint(int style) {
    Uint32 fill = style == 2 ? map_rgb(252, random_below(100) + 100, 0) : map_rgb(40, 40, 40);
    if (style == 2) {
        int g = random_below(100) + 100;
        fill = map_rgb(252, g, g);
    }
    draw_window(5, 545, 790, 50, "", 0, fill);
    draw_text_centered_wrapped(10, 552, 780, hint_text, white(), 1);
}

namespace {
void set_hint(const char* text) { hint_text = text; }
}  // namespace

int choose_character_name() {
    int style = 0;
    set_hint("Choose a name for your character. Name must be 3 - 12 letters. No spaces or special characters allowed.");
    for (;;) {
        draw_creation_hint(style);
        draw_window(15, 30, 170, 50, "CHARACTER NAME", 0);
        draw_sunken_box(20, 55, 160, 20);
        present_screen();
        text_cursor_x = 25;
        text_cursor_y = 60;
        char* typed = input_text_line(map_rgb(238, 232, 170), 12);
        if (typed[0] == 27) return 0;
        if (window_close_requested() && !typed[0]) return 0;
        const char* refusal = name_refusal(typed);
        if (!refusal[0]) {
            copy_text(Plr.name, typed);
            folder_name_for(typed, creation_folder, sizeof creation_folder);
            return 1;
        }
        format_text(refusal_text, sizeof refusal_text,
                    "%s Please choose a different name for your character. Name must be 3 - 12 letters. "
                    "No spaces or special characters allowed.",
                    refusal);
        set_hint(refusal_text);
        style = 2;
    }
}

namespace {

// The encyclopedia topic of each culture row.
const char* const culture_topics[10] = {
    "KAUMOLAISET", "DRIIKIL\xC4ISET", "KIESSEL\xC4ISET", "REEMIL\xC4ISET", "SARTOLAISET",
    "ISLANDERS",   "KOIVULAISET",      "KUIKKA-TRIBE",     "OWL-TRIBE",       "SEAL-TRIBE",
};
constexpr int CULTURE_RANDOM_ROW = 11, CULTURE_HELP_ROW = 13, CULTURE_BACK_ROW = 15;

const char* culture_row_topic(int row) {
    if (row >= 0 && row < 10) return culture_topics[row];
    return row == CULTURE_HELP_ROW ? "CULTURES" : "-";
}

// The encyclopedia over the chooser; the list is kept in "MENULIST.SAV"
// meanwhile and read back afterwards.
void look_up_culture_topic(const char* topic) {
    save_menu_list();
    infobrowser(topic);
    load_menu_list();
}

}  // namespace

int choose_culture() {
    set_hint("");
    int highlighted = 0;
    int c = -1;
    while (c < 0) {
        list_init(-1, "Choose a culture", 15, 90, 170, 230, 6);
        for (int i = 0; i < 10; ++i) list_add_entry('0' + i, cultures[i].row);
        list_add_entry(-1, "");
        list_add_entry('R', "R.Random");
        list_add_entry(-1, "");
        list_add_entry('?', "?.Cultures");
        list_add_entry(-1, "");
        list_add_entry(KEY_ESC, "ESC.Back");
        // Every move of the highlight is reported, so the hint bar follows
        // it; the arrows stop at the last row above the hint's F1 row.
        list_set_options(-1, "", 0, 1);
        list_header.row_limit = CULTURE_BACK_ROW + 1;
        list_header.current = highlighted;
        list_draw();
        if (creation_mode == 1) {
            c = random_below(4);
            list_header.current = c;
            list_draw();
            show_topic_hint(culture_row_topic(c), "");
            present_screen();
            break;
        }
        show_topic_hint(culture_row_topic(highlighted), "");
        int row = LIST_Go();
        if (row == -1 && !window_close_requested()) {
            highlighted = list_header.current;
            continue;
        }
        if (row >= 0 && row < 10) c = row;
        else if (row == CULTURE_RANDOM_ROW) c = random_below(10);
        else if (row == CULTURE_HELP_ROW) look_up_culture_topic("CULTURES");
        else if (row >= 0 && row < list_header.count && list_items[row].code == KEY_F1)
            look_up_culture_topic(culture_row_topic(highlighted));
        else return 0;
    }
    Plr.culture = uint8_t(c);
    copy_text(Plr.second_name, cultures[c].second_name);
    return 1;
}

int choose_sex() {
    set_hint("Choose your characters sex.");
    draw_creation_hint(0);
    int sex = 1;
    if (creation_mode != 1) {
        list_init(-1, "Choose sex", 15, 325, 170, 85, 6);
        list_add_entry('M', "M.Male");
        list_add_entry('F', "F.Female");
        list_add_entry(-1, "");
        list_add_entry(KEY_ESC, "ESC.Back");
        list_draw();
        for (;;) {
            int row = LIST_Go();
            if (row == 0 || row == 1) { sex = row + 1; break; }
            if (row == 3 || row < 0) return 0;
        }
    }
    Plr.sex = uint8_t(sex);
    list_portrait_files(sex == 2 ? "fem" : culture_portrait_prefix(Plr.culture));
    return 1;
}

int choose_portrait() {
    if (portrait_count <= 0) {
        Plr.portrait[0] = 0;
        return 1;
    }
    if (creation_mode == 1) {
        copy_text(Plr.portrait, portrait_list[0]);
        return 1;
    }
    set_hint("Select a portrait for your character.");
    int shown = 0;
    for (;;) {
        draw_creation_hint(0);
        draw_window(190, 30, 220, 260, Plr.name, 0);
        draw_picture(portrait_list[shown], 200, 55, 200, 200);
        draw_text_at(200, 265, "<- previous", map_rgb(238, 232, 170), 0);
        draw_text_at(320, 265, "next ->", map_rgb(238, 232, 170), 0);
        draw_text_at(260, 278, "ENTER", map_rgb(238, 232, 170), 0);
        present_screen();
        int key = read_key();
        if (key == KEY_ESC) return 0;
        if (key == KEY_ENTER) {
            copy_text(Plr.portrait, portrait_list[shown]);  // bounded to the 20-byte field
            return 1;
        }
        if (key == KEY_LEFT) shown = (shown + portrait_count - 1) % portrait_count;
        if (key == KEY_RIGHT) shown = (shown + 1) % portrait_count;
        if (window_close_requested()) {
            copy_text(Plr.portrait, portrait_list[shown]);
            return 1;
        }
    }
}

int choose_season() {
    static const int months[4] = {4, 6, 8, 11};
    static const float temps[4] = {10.0f, 18.0f, 5.0f, -5.0f};
    int season = 1;
    if (creation_mode != 1) {
        set_hint("Now you have to choose a starting season from where on you wish to begin play. Summer is the "
                 "easiest and winter the hardest season to start.");
        draw_creation_hint(0);
        list_init(-1, "Choose a season", 415, 30, 170, 105, 6);
        list_add_entry('1', "1.Spring");
        list_add_entry('2', "2.Summer");
        list_add_entry('3', "3.Autumn");
        list_add_entry('4', "4.Winter");
        list_add_entry(-1, "");
        list_add_entry(KEY_ESC, "ESC.Back");
        list_draw();
        for (;;) {
            int row = LIST_Go();
            if (row >= 0 && row < 4) { season = row; break; }
            if (row == 5 || row < 0) return 0;
        }
    }
    Plr.month = uint8_t(months[season]);
    Plr.previous_air_temp = temps[season];
    return 1;
}

int creation_steps() {
    int step = 0;
    while (step < 5) {
        draw_picture("bg-origin.jpg", 0, 0, 800, 600);
        int go = 0;
        switch (step) {
            case 0: go = choose_character_name(); break;
            case 1: go = choose_culture(); break;
            case 2: go = choose_sex(); break;
            case 3: go = choose_portrait(); break;
            default: go = choose_season(); break;
        }
        if (go) ++step;
        else if (step == 0) return 1;
        else --step;
    }
    if (!make_folder(creation_folder)) exit_with_message("COULDN'T _TMKDIR CHARDIR!");
    if (Plr.portrait[0]) {
        char from[128], to[128];
        format_text(from, sizeof from, "truegfx/%s", Plr.portrait);
        format_text(to, sizeof to, "%s/portrait.png", creation_folder);
        copy_file(from, to);
    }
    body_accepted = 0;
    do {
        roll_body();
        roll_attributes();
        if (creation_mode == 1) body_accepted = 1;
        else physical_profile(1);
    } while (!body_accepted);
    setup_skills();
    if (creation_mode == 1) {
        for (int slot = 0; slot < PLR_SKILLS; ++slot) {
            if (!skill_name_text(Plr, slot)[0] || skill_name_is(Plr, slot, "DODGE")) continue;
            int level = Plr.skill_level[slot] + Plr.skill_attr_base[slot];
            Plr.skill_level[slot] = uint8_t(level > 100 ? 100 : level);
        }
    } else {
        static const int up[4] = {1, 0, 2, 3};
        static const int down[4] = {0, 0, 1, 2};
        spend_option_points(down[creation_mode], 5, up[creation_mode]);
    }
    std::memcpy(Plr.skill_start_level, Plr.skill_level, sizeof Plr.skill_start_level);
    return 0;
}

// ------------------------------------------------------------ the whole creation

void create_character(int mode) {
    creation_mode = mode < 0 || mode > 3 ? 0 : mode;
    character_name[0] = 0;
    creation_folder[0] = 0;
    body_accepted = 0;
    draw_picture("bg-origin.jpg", 0, 0, 800, 600);
    draw_window(0, 0, 800, 600, "A NEW CHARACTER WILL BE BROUGHT INTO THE KESMORRA ... ", 48);
    present_screen();
    new_character_record();
    if (creation_steps()) return;
    Plr.start_winters = Plr.winters;
    Plr.start_month = Plr.month;
    Plr.start_day = Plr.day;
    copy_text(character_name, sizeof character_name, creation_folder);
    prepare_new_world();
    draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
    select_game_course();
    // The store holds this character's gear and nothing of an earlier one.
    clear_object_store();
    give_starting_gear();
    if (!write_object_store(creation_folder)) exit_with_message("Failed to save character!");
    char path[128];
    format_text(path, sizeof path, "%s/%s.KMS", creation_folder, creation_folder);
    Plr.plr_version = PLR_FORMAT_VERSION;
    if (!write_player_record(path, Plr)) exit_with_message("Failed to save character!");
    if (Plr.portrait[0]) {
        char from[128], to[128];
        format_text(from, sizeof from, "truegfx/%s", Plr.portrait);
        format_text(to, sizeof to, "%s/portrait.png", creation_folder);
        copy_file(from, to);
    }
    draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
    auto centred = [](int y, const char* text, Uint32 colour) {
        draw_text_at(400 - int(std::strlen(text)) * GLYPH_W / 2, y, text, colour, 1);
    };
    char line[200];
    format_text(line, sizeof line, "%s %s is about to enter Kesmorra.", Plr.name, Plr.second_name);
    // The pale lines stand over the picture's sky: on a shade of their own.
    const int widest = std::max(int(std::strlen(line)), 53) * GLYPH_W;
    draw_translucent_rect(400 - widest / 2 - 8, 214, widest + 16, 64, map_rgb(0, 0, 0), 144);
    centred(220, "Character creation completed.", map_rgb(176, 196, 222));
    centred(230, line, map_rgb(100, 149, 237));
    centred(250, "\"Walk slowly, and the forest will show you the way.\"", map_rgb(176, 196, 222));
    centred(265, "- A saying of the North", map_rgb(171, 171, 171));
    draw_text_at(350, 575, "Press a key", white(), 1);
    present_screen();
    wait_key();
    copy_text(character_name, sizeof character_name, creation_folder);
    present_screen();
    fade_to_black_and_clear(1.0f);
}
