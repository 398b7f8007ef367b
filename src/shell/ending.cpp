// The ways a game or the whole program ends.
#include "shell/ending.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "objects/map_object_table.h"
#include "shell/ancestors.h"
#include "shell/config.h"
#include "shell/game_loop.h"
#include "shell/player.h"
#include "shell/save_load.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "ui/sound.h"

int32_t quit_request = 0;
int32_t in_start_menu = 0;

namespace {

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

}  // namespace

int exit_code_for_message(const char* text) { return (text != nullptr && text[0] != 0) ? 1 : 0; }

void exit_with_message(const char* text) {
    int code = exit_code_for_message(text);
    if (code != 0) {
        std::fprintf(stderr, "%s\n", text);
        if (screen_ready()) {
            Uint32 white = map_rgb(255, 255, 255);
            clear_screen();
            draw_text_at(10, 10, text, white, 0);
            draw_text_at(10, 30, "Thank you for playing Kesmorra.", white, 0);
            draw_text_at(10, 40, "For latest news & updates visit Ksm homepage:", white, 0);
            draw_text_at(10, 50, "https://kesmorra.example.org", white, 0);
            draw_text_at(10, 80, "Press a key ... ", white, 0);
            present_screen();
            wait_key();
            clear_screen();
        }
    }
    std::fflush(nullptr);
    if (sound_on) close_audio();
    std::exit(code);
}

void farewell_screen() {
    if (screen_ready()) {
        play_music("music_birth.ogg");
        draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
        no_flush = true;
        draw_window(0, 0, 800, 600, "YOU ARE LEAVING KESMORRA - A FINAL REMINDER...", 0);
        no_flush = false;
        const Uint32 black = map_rgb(0, 0, 0);
        draw_text_at(250, 27, "\"Take from the forest only what you need;", black, 0);
        draw_text_at(250, 37, " leave the young trees to grow;", black, 0);
        draw_text_at(250, 47, " thank the waters for every fish;", black, 0);
        draw_text_at(250, 57, " and the land will keep you through the winter.\"", black, 0);
        draw_text_at(250, 70, " - A saying of the North", black, 0);
        draw_text_centered_wrapped(0, 180, 800,
                                   "Kesmorra is dedicated to all who live by the land and keep its old ways.",
                                   map_rgb(100, 149, 237), 0);
        const Uint32 yellow = map_rgb(252, 252, 84);
        draw_text_at(10, 540, "Walk softly. The land is under your feet every day.", yellow, 0);
        draw_text_at(10, 550, "Listen to the wind and the water - they have much to tell.", yellow, 0);
        draw_text_at(10, 560, "Dare to go out, dare to look around, dare to feel the cold... now.", yellow, 0);
        draw_key_caption(350, 575, "Press a key");
        fade(canvas, 1.0f, 0);
        present_screen();
        wait_key();
        present_screen();
        fade(nullptr, 1.0f, 1);
        clear_screen();
        if (sound_on) fade_out_audio(250);
    }
    exit_with_message("");
}

// ------------------------------------------------------------ death

void plr_die() {
    skip_message_pauses = false;  // the death message must be seen
    if (screen_ready()) {
        const SDL_Rect& v = map_view.view;
        fill_canvas_rect(v.x - 1, v.y - 1, v.w + 2, v.h + 3, map_rgb(0, 0, 0));
    }
    map_view_state = 0;
    if (quit_state == -1) return;  // dead already

    show_message("!You have died...");
    pause_prompt();

    if (screen_ready()) {
        clear_screen();
        present_screen();
    }
    if (sound_on) {
        stop_all_sound();
        play_intro_music(142);
    }
    const int slot = write_ancestor();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        Data[i].x = 0;
        Data[i].y = 0;
        Data[i].TYPE = 0;
        Data[i].amount = 0;
        Data[i].DATA = 0;
    }
    remove_character_folder();
    in_start_menu = 0;
    show_ancestors(slot);
    quit_request = 0;
    quit_state = -1;
}

FolderRemoval remove_character_folder_at(const std::string& root, const char* name) {
    namespace fs = std::filesystem;
    if (name == nullptr || name[0] == 0) return FolderRemoval::Refused;
    const std::string n = name;
    if (n.find('/') != std::string::npos || n.find('\\') != std::string::npos ||
        n.find("..") != std::string::npos || n == ".")
        return FolderRemoval::Refused;
    const std::string folder = root.empty() ? resolve_path_ci(n) : resolve_path_ci(root + "/" + n);
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(folder, ec))) return FolderRemoval::Refused;
    const std::string record = resolve_path_ci(folder + "/" + n + ".KMS");
    if (!fs::is_regular_file(record, ec)) return FolderRemoval::Refused;
    // The program's own folder is never deleted.
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string entry = e.path().filename().string();
        if (compare_no_case(entry, "kesmorra") == 0 || compare_no_case(entry, "kesmorra.exe") == 0)
            return FolderRemoval::Refused;
    }
    std::fflush(nullptr);

    auto try_remove = [&]() {
        std::error_code err;
        for (const fs::directory_entry& e : fs::directory_iterator(folder, err)) {
            std::error_code one;
            const fs::file_status st = e.symlink_status(one);
            // Regular files (and links, which go without their targets).
            if (fs::is_regular_file(st) || fs::is_symlink(st)) fs::remove(e.path(), one);
        }
        return fs::remove(folder, err);
    };
    if (try_remove()) return FolderRemoval::Removed;
    SDL_Delay(250);
    make_writable(folder);
    make_writable(record);
    if (try_remove()) return FolderRemoval::Removed;

    // The folder stays: at least the dead can't be loaded again.
    if (path_exists(record) && !remove_file(record)) rename_file(record, record + ".DEAD");
    return FolderRemoval::Failed;
}

bool remove_character_folder() {
    FolderRemoval result = remove_character_folder_at(install_folder, character_name);
    if (result != FolderRemoval::Failed) return result == FolderRemoval::Removed;
    const int error = errno;
    if (screen_ready()) {
        const Uint32 white = map_rgb(255, 255, 255);
        char line[1400];
        clear_screen();
        draw_text_at(10, 10, "error: can't remove character directory:", white, 0);
        format_text(line, sizeof line, "\"%s\"! errno: %d", character_folder().c_str(), error);
        draw_text_at(10, 20, line, white, 0);
        draw_key_caption(10, 40, "Press a key to continue");
        present_screen();
        wait_key();
    }
    return false;
}

// ------------------------------------------------------------ quitting

int confirm_quit(int save_only) {
    if (save_only) {
        save_character(SAVE_PLAYER);
        return 1;
    }
    const bool pending = quit_request != 0;
    quit_request = 0;
    in_start_menu = 0;
    quit_now = 0;

    show_message(museum_mode ? "#You are about to quit playing."
                             : "#You are about to quit playing and save your character.");
    if (!ask_yes_no("Are you sure?")) {
        show_message("#Quit cancelled, the gameplay continues.");
        return 0;
    }
    bool die = false;
    if (museum_mode) {
        show_message("!Your character can not be saved in this museum version of the game.");
        if (!ask_yes_no("Do you really want to quit?")) {
            show_message("#Quit cancelled, the gameplay continues.");
            return 0;
        }
        die = true;
    } else if (!ask_yes_no("Save your character?")) {
        show_message("!Your character will die if you don't save now!");
        die = ask_yes_no("Do you wish to die?") != 0;
    }
    if (die) {
        Plr.cause_of_death = -103;
        plr_die();
    } else {
        if (!save_character(SAVE_PLAYER)) {
            // Ending now would lose the game since the last good save.
            show_message("!The game goes on, as your character could not be saved.");
            return 0;
        }
        if (!skip_message_pauses) pause_prompt();
    }
    if (pending) quit_now = 1;
    map_view_state = 0;
    return 1;
}
