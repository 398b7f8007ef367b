// The character's death.
#include "game/death.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/platform.h"
#include "game/ancestors.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "objects/map_object_table.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "ui/sound.h"

char harm_cause_text[128] = "";

namespace {

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

}  // namespace

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
    eyes_closed = false;
    const int slot = write_ancestor();
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        Data[i].x = 0;
        Data[i].y = 0;
        Data[i].TYPE = 0;
        Data[i].amount = 0;
        Data[i].DATA = 0;
    }
    // The character folder goes only once the ancestor's record is whole.
    if (slot >= 0) remove_character_folder();
    else show_message("!The ancestors' record could not be written; the character folder stays.");
    in_start_menu = 0;
    if (slot >= 0) show_ancestors(slot);
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

    // The folder stays: at least the dead can't be loaded again. The record
    // is marked dead (its backups are never offered for a dead character).
    if (path_exists(record) && !rename_file(record, record + ".DEAD")) remove_file(record);
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

