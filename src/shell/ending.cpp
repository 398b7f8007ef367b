// The ways a game or the whole program ends.
#include "shell/ending.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "objects/map_object_table.h"
#include "base/config.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/save_load.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "ui/sound.h"

namespace {

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

}  // namespace

void farewell_screen() {
    if (screen_ready()) {
        play_music("music_birth.ogg");
        draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
        no_flush = true;
        draw_window(0, 0, 800, 600, "YOU ARE LEAVING KESMORRA - A FINAL REMINDER...", 0);
        no_flush = false;
        const Uint32 black = map_rgb(0, 0, 0);
        draw_paper_window(240, 22, 414, 62, "");  // the saying, in black ink
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

// ------------------------------------------------------------ quitting

int confirm_quit(int save_only) {
    if (save_only) {
        // The save is told and waited on before the game screen goes; a
        // save that failed keeps the game going, as ending it would lose
        // everything since the last good save.
        if (!save_character(SAVE_PLAYER)) {
            show_message("!The game goes on, as your character could not be saved.");
            return 0;
        }
        if (!skip_message_pauses) pause_prompt();
        map_view_state = 0;
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
