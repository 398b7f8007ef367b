// Age and the physical profile page.
#include "shell/profile.h"

#include "shell/creation.h"
#include "game/player.h"
#include "game/turn_state.h"
#include <cstring>
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "objects/item_commands.h"
#include "screens/side_panel.h"
#include "base/platform.h"
#include "base/text_ring.h"

const char* age_text_for(int winters, int days_played) {
    char* out = next_ring_text();
    if (days_played <= 1)
        format_text(out, TEXT_RING_BYTES, "%d winters old, this being the first day of your adventures", winters);
    else if (days_played == 2)
        format_text(out, TEXT_RING_BYTES, "%d winters old, and have lived one day of adventuring life", winters);
    else
        format_text(out, TEXT_RING_BYTES, "%d winters old, and have lived %d days of adventuring life", winters,
                    days_played - 1);
    return out;
}

const char* age_text() { return age_text_for(Plr.winters, Plr.days_played); }

int attribute_bar_width(int value) {
    if (value <= 0) return 0;
    if (value > 18) value = 18;
    return int(float(value) * 2.2222223f);
}

void draw_attribute_bar(int y, const char* label, int value) {
    draw_text_at(278, y, label, map_rgb(0, 0, 0), 0);
    draw_sunken_box(378, y, 42, 9);
    int w = attribute_bar_width(value);
    if (w > 0) fill_canvas_rect(379, y + 1, w, 7, map_rgb(255, 187, 0));
}

namespace {

// Written over the picture: on a shade, so that the pale words read.
void draw_centered(int centre_x, int y, const char* text, Uint32 colour) {
    int width = int(std::strlen(text)) * GLYPH_W;
    draw_shaded_text(centre_x - width / 2, y, text, colour);
}

}  // namespace

int physical_profile(int mode) {
    draw_picture("bg-origin.jpg", 0, 0, 800, 600);
    draw_name_bar();
    // The attributes are written in black: their windows are of paper.
    draw_paper_window(270, 360, 200, 125, "PHYSICAL PROFILE");
    draw_paper_window(270, 490, 200, 65, "PHYSIQUE");
    draw_paper_window(270, 285, 200, 70, "PERSONALITY");
    draw_window(265, 50, 210, 230, "APPEARANCE", 0);
    char line[200];
    if (mode == 0) {
        format_text(line, sizeof line, "You are %s.", age_text());
        draw_centered(400, 30, line, map_rgb(240, 230, 140));
    } else {
        // The question window stands at x 540 on the same line: the line is
        // centred in the room left of it.
        format_text(line, sizeof line, "You are %d winters old as you start your journeys and adventures.",
                    Plr.winters);
        draw_centered(270, 30, line, map_rgb(240, 230, 140));
    }
    draw_attribute_bar(390, "STRENGTH", Plr.str);
    draw_attribute_bar(400, "ENDURANCE", Plr.end);
    draw_attribute_bar(410, "DEXTERITY", Plr.dex);
    draw_attribute_bar(420, "AGILITY", Plr.agi);
    draw_attribute_bar(430, "SPEED", Plr.spd);
    draw_attribute_bar(440, "EYESIGHT", Plr.eye);
    draw_attribute_bar(450, "HEARING", Plr.hrg);
    draw_attribute_bar(460, "SMELL/TASTE", Plr.smt);
    draw_attribute_bar(470, "TOUCH", Plr.tch);
    draw_attribute_bar(310, "INTELLIGENCE", Plr.intel);
    draw_attribute_bar(320, "WILL", Plr.wil);
    // The portrait is the character folder's own copy.
    const char* folder = creation_folder[0] ? creation_folder : character_name;
    char portrait[80];
    format_text(portrait, sizeof portrait, "%s/portrait.png", folder);
    if (SDL_Surface* picture = load_picture(portrait)) {
        draw_picture_fitted(nullptr, picture, 270, 75, 200, 200);
        SDL_FreeSurface(picture);
    }
    Uint32 blue = map_rgb(176, 196, 222);
    draw_text_at(280, 520, "HEIGHT", map_rgb(0, 0, 0), 0);
    draw_sunken_box(335, 515, 130, 15);
    // Heights and weights in the player's units.
    draw_text_at(340, 518, length_text(0, Plr.height_in / 12.0), blue, 0);
    draw_text_at(280, 535, "WEIGHT", map_rgb(0, 0, 0), 0);
    draw_sunken_box(335, 530, 130, 15);
    draw_text_at(340, 533, weight_text(0, Plr.body_weight), blue, 0);
    present_screen();
    // During play the command waits for the key that closes the page.
    if (mode == 0) return 0;
    draw_window(540, 30, 245, 170, "", 0);
    Uint32 text = map_rgb(238, 232, 170);
    if (mode == 2) {
        draw_text_centered_wrapped(550, 50, 225, "Your physical and mental attributes now look like this.", text, 0);
        draw_text_centered_wrapped(550, 100, 225, "Press any key to continue.", text, 0);
        present_screen();
        wait_key();
        return 0;
    }
    draw_text_centered_wrapped(550, 40, 225,
                               "Your cultural background and startup selections are now completed, and your "
                               "character profile looks like this. Are you happy with these attributes?",
                               text, 0);
    list_init(int32_t(text), "", 590, 100, 130, 100, 0);
    list_add_entry('Y', "<Y>es.Continue");
    list_add_entry(-1, "");
    list_add_entry('N', "<N>o.Reroll");
    list_draw();
    for (;;) {
        int row = LIST_Go();
        if (row == 0 || row < 0) {  // a closed window keeps the roll
            body_accepted = 1;
            return 1;
        }
        if (row == 2) {
            body_accepted = 0;
            return 0;
        }
    }
}
