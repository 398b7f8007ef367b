// The intro, the start menu and its pages.
#include "shell/start_menu.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "game/ancestors.h"
#include "base/config.h"
#include "shell/creation.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/save_load.h"
#include "screens/setup_options.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/controller.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "base/platform.h"
#include "ui/sound.h"
#include "base/text_ring.h"

namespace {

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

// A key or click waiting? A key script stands for the keyboard: its next
// key is taken, and a used-up script counts as a closed window; either
// ends the intro.
bool intro_interrupted() {
    if (test_keys_active()) {
        read_key();
        return true;
    }
    if (test_keys_used_up()) return true;
    return poll_key_nowait() != 0;
}

// Waits `ms` milliseconds, watching for a key; true when one came.
bool hold(int ms) {
    const Uint32 end = SDL_GetTicks() + Uint32(ms);
    do {
        if (intro_interrupted()) return true;
        SDL_Delay(5);
    } while (int32_t(end - SDL_GetTicks()) > 0);
    return false;
}

// Fades a line in from black to light grey; true when a key cut it.
bool fade_in_text(int x, int y, const char* text, int delay_ms) {
    for (int step = 0; step < 63; ++step) {
        const int g = 4 * step;
        draw_text_at(x, y, text, map_rgb(g, g, g), 0);
        present_screen();
        SDL_Delay(Uint32(delay_ms));
        if (intro_interrupted()) return true;
    }
    return false;
}

// The folder name with its length bounded for a page line.
std::string bounded_path(const std::string& path) {
    if (path.size() <= 90) return path;
    return path.substr(0, 87) + "...";
}

const char* const intro_legend[] = {
    "Many tales are told of the winter that came first of all.",
    "The old ones say the land lay under ice and did not dream.",
    "Then the sun-bird laid an egg on the knee of the sleeping sea,",
    "and the egg broke, and its pieces became the sky and the earth.",
    "From the yolk the sun was made, from the white the pale moon,",
    "and the dark shell became the forests that never end.",
    "The waters woke and ran; the fells rose; the wind found its voice.",
    "Spirits came to dwell in the trees, the lakes and the stones,",
    "and the first people came with the reindeer out of the east.",
    "They took only what they needed, and thanked the land for it.",
    "So the land kept them through the long winters. So it may keep you.",
};

void page_wait_key(int x, int y) {
    draw_key_caption(x, y, " Press a key ");
    present_screen();
    wait_key();
}

}  // namespace

// ------------------------------------------------------------ version

const char* version_text() {
    char* text = next_ring_text();
    copy_text(text, 80, "1.0 (stable)");
    FILE* file = open_file_ci("verno.ksm", "r");
    if (file != nullptr) {
        char line[80];
        if (read_data_line(line, sizeof line, file) != nullptr) copy_text(text, 80, line);
        std::fclose(file);
    }
    return text;
}

void draw_logo_and_version(int x, int y) {
    if (!screen_ready()) return;
    draw_picture("logotext.png", x, y);
    char line[100];
    format_text(line, sizeof line, "Version %s", version_text());
    const int width = 8 * int(std::strlen(line));
    draw_text_at(x + 98 - width / 2, y + 50, line, map_rgb(238, 232, 170), 0);
}

// ------------------------------------------------------------ intro

void fade_in_line(int y, int x, const char* text) {
    for (int step = 0; step < 63; ++step) {
        const int g = 4 * step;
        draw_text_at(x, y, text, map_rgb(g, g, g), 0);
        if (!no_flush) present_screen();
        SDL_Delay(2);
    }
    draw_text_at(x, y, text, map_rgb(252, 252, 84), 0);
    present_screen();
}

int show_intro_legend() {
    int y = 400;
    for (const char* line : intro_legend) {
        const int x = 400 - 4 * int(std::strlen(line));
        fade_in_line(y, x, line);
        y += 10;
        if (hold(3000)) return 0;
    }
    return 1;
}

void intro_scren() {
    if (!screen_ready()) return;
    for (int i = 0; i < 32; ++i) {
        draw_translucent_rect(0, 0, 800, 40, map_rgb(0, 0, 0), 32);
        present_screen();
        SDL_Delay(1);
        if (intro_interrupted()) return;
    }
    if (fade_in_text(250, 400, "...far to the North, where the forest never ends.", 1) || hold(3000)) return;
    if (fade_in_text(180, 420, "A life of the wilds, told one turn at a time...", 1) || hold(2000)) return;
    fade(nullptr, 2.0f, 1);
    clear_screen();
    if (intro_interrupted()) return;
    draw_picture("bg-ksmstart.png", 0, 0, 800, 600);
    fade(canvas, 2.0f, 0);
    if (hold(3000)) return;
    draw_logo_and_version(300, 200);
    present_screen();
    if (hold(3000)) return;
    if (show_intro_legend()) {
        present_screen();
        wait_key();
    }
}

// ------------------------------------------------------------ start menu

std::string bonus_material_folder() {
    for (const DirEntry& e : list_matching("*.*"))
        if (e.is_dir && compare_no_case(e.name, "BONUSMATERIAL") == 0) return e.name;
    return "";
}

std::vector<std::string> start_menu_rows(bool museum, bool bonus) {
    std::vector<std::string> rows = {museum ? "" : "LOAD SAVED CHARACTER", "CREATE A CHARACTER",
                                     museum ? "" : "SETUP", "ANCESTORS", "ABOUT", "CREDITS"};
    if (!museum) {
        rows.push_back("QUIT");
        if (bonus) rows.push_back("BONUS MATERIAL");
    }
    return rows;
}

int start_menu_action(int row) { return row >= 0 && row <= 7 ? row : -1; }

int build_start_menu() {
    const std::vector<std::string> rows = start_menu_rows(museum_mode != 0, !bonus_material_folder().empty());
    list_init(int32_t(map_rgb(240, 230, 140)), "", 615, 80, 180, 125, 0);
    list_set_options(int32_t(map_rgb(255, 255, 255)), "kling", 0, 0);
    for (const std::string& row : rows) list_add_entry(row.empty() ? -1 : 0, row.c_str());
    if (museum_mode && list_header.current == 0) list_header.current = 1;
    return int(rows.size());
}

void draw_maker_caption() {
    if (!screen_ready()) return;
    draw_window(10, 520, 780, 75, "", 0);
    draw_picture("makerlogo.png", 605, 525);
    draw_text_at(20, 530, "Kesmorra is made by a small workshop of northern tale-tellers.",
                 map_rgb(176, 196, 222), 0);
    draw_text_at(20, 545, "Every world is new: no two journeys are the same.", map_rgb(255, 255, 255), 0);
    draw_text_at(20, 560, "Survive the seasons, keep the old ways, and mind the spirits.",
                 map_rgb(240, 230, 140), 0);
}

std::vector<SavedCharacter> list_saved_characters() {
    std::vector<SavedCharacter> found;
    for (const DirEntry& e : list_matching("*.*")) {
        if (!e.is_dir) continue;
        // Read only: the live record is never touched. A character whose
        // record is damaged or gone is listed too when anything names it
        // (its record or a good backup).
        const CharacterCheck check = check_character(e.name);
        if (check.record == RecordVerdict::Missing && check.backup < 0) continue;
        SavedCharacter c{};
        copy_text(c.name, sizeof c.name, check.name.c_str());
        c.folder = e.name;
        found.push_back(c);
        if (int(found.size()) >= SAVED_CHARACTERS_SHOWN) break;
    }
    return found;
}

namespace {

// A page of lines with a key caption; returns the key that closed it.
int saved_character_page(const char* title, const std::vector<std::string>& lines, const char* caption,
                         bool yes_no) {
    if (screen_ready()) {
        const int h = 60 + 10 * int(lines.size());
        draw_window(10, 220, 780, h, title, 0);
        int y = 250;
        for (const std::string& line : lines) {
            const bool head = !line.empty() && line[0] == '!';
            // Light text on the dark panel: the warning in a light red.
            draw_text_at(20, y, head ? line.c_str() + 1 : line.c_str(),
                         head ? map_rgb(255, 128, 96) : map_rgb(240, 230, 140), 0);
            y += 10;
        }
        draw_key_caption(20, y + 5, caption);
        present_screen();
    }
    for (;;) {
        const int key = wait_key();
        if (!yes_no) return key;
        if (key == 'y' || key == 'Y') return 'Y';
        if (key == 'n' || key == 'N' || key == KEY_ESC || key < 0) return 'N';
    }
}

// Checks the chosen character before it is loaded: a damaged or missing
// record is offered from its newest good backup; a character that can't
// be loaded is refused with its reasons, and nothing of it is changed.
// True when the game may be loaded (character_name is then set).
bool accept_saved_character(const std::string& folder) {
    const CharacterCheck check = check_character(folder);
    char line[300];
    if (check.record == RecordVerdict::TooOld) {
        saved_character_page("LOAD SAVED CHARACTER", {"!This saved game is too old to continue."}, " Press a key ",
                             false);
        return false;
    }
    copy_text(character_name, sizeof character_name, folder.c_str());
    clear_load_notices();
    const std::vector<std::string> missing = unrestorable_character_files();
    const bool record_bad = check.record != RecordVerdict::Good;
    if (!missing.empty() || (record_bad && check.backup < 0)) {
        std::vector<std::string> lines = {"!This character cannot be loaded:"};
        if (record_bad) {
            format_text(line, sizeof line, "%s is %s (%s), and none of its backups is whole.",
                        check.record_file.c_str(), check.record == RecordVerdict::Missing ? "missing" : "damaged",
                        check.reason.c_str());
            lines.push_back(line);
        }
        for (const std::string& m : missing) lines.push_back(m);
        lines.push_back("Nothing of the character was changed.");
        saved_character_page("LOAD SAVED CHARACTER", lines, " Press a key ", false);
        character_name[0] = 0;
        clear_load_notices();
        return false;
    }
    if (record_bad) {
        std::vector<std::string> lines;
        format_text(line, sizeof line, "!The character file %s is %s: %s.", check.record_file.c_str(),
                    check.record == RecordVerdict::Missing ? "missing" : "damaged", check.reason.c_str());
        lines.push_back(line);
        format_text(line, sizeof line, "The newest good backup of it is %s, saved on day %d of the game.",
                    check.backup_file.c_str(), check.backup_days);
        lines.push_back(line);
        lines.push_back("Loading the backup puts it in the place of the character file;");
        lines.push_back("what happened after that save is lost. Load the character from the backup?");
        if (saved_character_page("DAMAGED CHARACTER FILE", lines, "Y.Load the backup  N.Back", true) != 'Y' ||
            !restore_empty_character_file()) {
            character_name[0] = 0;
            clear_load_notices();
            return false;
        }
    }
    return true;
}

}  // namespace

void choose_saved_character() {
    const std::vector<SavedCharacter> saved = list_saved_characters();
    if (saved.empty()) {
        if (screen_ready()) {
            // In a window of its own, over the start menu's rows.
            draw_window(610, 80, 180, 60, "LOAD SAVED CHARACTER", WIN_SMOKE);
            draw_text_at(618, 104, "No saved files!", map_rgb(240, 230, 140), 0);
            draw_text_at(618, 119, "Press a key...", map_rgb(240, 230, 140), 0);
            present_screen();
        }
        wait_key();
        return;
    }
    list_init(int32_t(map_rgb(240, 230, 140)), "LOAD SAVED CHARACTER", 610, 80, 180, 300, 6);
    list_set_options(int32_t(map_rgb(255, 255, 255)), "kling", 0, 0);
    for (const SavedCharacter& c : saved) list_add_entry(0, c.name[0] ? c.name : c.folder.c_str());
    list_add_entry(-1, "");
    list_add_entry(KEY_ESC, "<ESC>.Exit");
    list_draw();
    const int row = LIST_Go();
    if (row >= 0 && row < int(saved.size())) {
        if (screen_ready()) restore_screen_backup();
        accept_saved_character(saved[size_t(row)].folder);
    }
}

int creation_mode_menu() {
    list_init(int32_t(map_rgb(240, 230, 140)), "CHARACTER CREATION", 610, 80, 180, 125, 6);
    list_set_options(int32_t(map_rgb(255, 255, 255)), "kling", 0, 0);
    list_add_entry('Q', "Q.Quick and easy");
    list_add_entry('C', "C.Custom");
    list_add_entry(-1, "");
    list_add_entry('E', "E.Custom - easy");
    list_add_entry('T', "T.Custom - too easy");
    list_add_entry(-1, "");
    list_add_entry(KEY_ESC, "ESC.Exit");
    list_draw();
    const int row = LIST_Go();
    int mode = -1;
    switch (row) {
        case 0: mode = 1; break;
        case 1: mode = 0; break;
        case 3: mode = 2; break;
        case 4: mode = 3; break;
        default: break;
    }
    if (mode < 0) return 0;
    create_character(mode);
    return 1;
}

void show_about_page() {
    if (screen_ready()) {
        draw_paper_window(10, 220, 780, 170, "ABOUT");  // written in black and grey
        const Uint32 black = map_rgb(0, 0, 0), grey = map_rgb(87, 87, 87);
        char line[1200];
        format_text(line, sizeof line, "Kesmorra - version %s", version_text());
        draw_text_at(20, 250, line, black, 0);
        draw_text_at(20, 270, "A game of the northern wilds, made with care by a small workshop.", black, 0);
        draw_text_at(20, 280, "It grew out of long winters, old stories and many walks in the forest.", black, 0);
        draw_text_at(20, 290, "Thank you for walking these lands with us.", black, 0);
        if (museum_mode) {
            draw_text_at(20, 310, "This is the exhibition edition: characters are not saved here.", black, 0);
        } else {
            draw_text_at(20, 310,
                         "For new features changelog and release notes view news.txt in your installation folder.",
                         black, 0);
            draw_text_at(20, 330, "Your Kesmorra installation folder is:", grey, 0);
            draw_text_at(20, 340, bounded_path(install_folder).c_str(), grey, 0);
            if (controller_enabled && controller_link_open()) {
                format_text(line, sizeof line, "Local IP: %s | Port: %d", "this computer", int(controller_port));
                draw_text_at(20, 350, line, grey, 0);
            }
        }
        page_wait_key(335, 365);
    } else {
        wait_key();
    }
}

void show_credits_page() {
    if (screen_ready()) {
        draw_paper_window(50, 220, 700, 320, "THANKS AND CREDITS");  // written in black
        const Uint32 black = map_rgb(0, 0, 0);
        const char* const lines[] = {
            "Thanks to everyone who has played, tested and talked about Kesmorra.",
            "Your letters, reports and ideas shaped every season of this game.",
            "",
            "The map walkers, for testing the worlds until their boots wore through.",
            "The tale-keepers, for the legends and the names of places.",
            "The sound gatherers, for wind, water and birdsong.",
            "The picture makers, for tiles, portraits and landscapes.",
            "",
            "And thanks to the forests, lakes and fells that inspired it all.",
        };
        // The lines begin under the title bar, which reaches y 240.
        int y = 247;
        for (const char* line : lines) {
            draw_text_at(55, y, line, black, 0);
            y += 12;
        }
        page_wait_key(55, 515);
    } else {
        wait_key();
    }
}

void show_bonus_material_page() {
    const std::string name = bonus_material_folder();
    const std::string folder = bounded_path(std::string(install_folder) + "/" + (name.empty() ? "BonusMaterial" : name));
    if (screen_ready()) {
        draw_paper_window(10, 220, 780, 140, "BONUS MATERIAL");  // black, blue and grey ink
        const Uint32 black = map_rgb(0, 0, 0), blue = map_rgb(60, 90, 152), grey = map_rgb(87, 87, 87);
        char line[300];
        draw_text_at(20, 250, "There is bonus material stored within in your local game folder.", black, 0);
        draw_text_at(20, 270, "Open your game folder with the file manager of your computer.", blue, 0);
        draw_text_at(20, 280, "Look for the bonus material folder among the game's files.", blue, 0);
        format_text(line, sizeof line, "There you can find and open %s folder to view the bonus content.",
                    name.empty() ? "BonusMaterial" : name.c_str());
        draw_text_at(20, 290, line, blue, 0);
        draw_text_at(20, 310, "If you want to open bonus material folder manually it is located at:", black, 0);
        draw_text_at(20, 320, folder.c_str(), grey, 0);
        page_wait_key(335, 335);
    } else {
        wait_key();
    }
}

void start_menu() {
    quit_state = 0;
    clear_load_notices();
    in_start_menu = 1;
    if (screen_ready()) {
        no_flush = true;
        draw_picture("bg-ksmstart.png", 0, 0, 800, 600);
        draw_maker_caption();
        no_flush = false;
        upload_screen();
        present_screen();
    }
    build_start_menu();
    for (;;) {
        if (sound_on && music_on && !music_started) play_intro_music(26);
        if (screen_ready()) {
            draw_maker_caption();
            draw_window(605, 5, 190, 210, "", 0);
            draw_logo_and_version(605, 15);
        }
        list_draw();
        const int row = LIST_Go();
        if (in_start_menu && quit_request) {
            quit_request = 0;
            quit_state = 1;
            return;
        }
        const int action = start_menu_action(row);
        if (action < 0) continue;
        if (action == 6) {
            quit_state = 1;
            return;
        }
        if (screen_ready()) save_screen_backup();
        switch (action) {
            case 0: choose_saved_character(); break;
            case 1: creation_mode_menu(); break;
            case 2: setup_options_screen(); break;
            case 3: show_ancestors(-1); break;
            case 4: show_about_page(); break;
            case 5: show_credits_page(); break;
            case 7: show_bonus_material_page(); break;
            default: break;
        }
        if (screen_ready()) restore_screen_backup();
        if ((action == 0 || action == 1) && character_name[0] != 0) return;
        build_start_menu();
        list_header.current = row;  // the highlight stays on the row left
    }
}
