// Information screens. Armour coverage and the message log viewer are not
// built yet: each notes its call.
#include "screens/info_screens.h"

#include <cstdio>
#include <cstring>

#include "base/stubs.h"
#include "console/console.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "game/player.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/encyclopedia.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "base/platform.h"
#include "base/tag_text.h"

void armour_coverage_screen(int, const char*) { KSM_STUB("armour_coverage_screen"); }
void message_log_viewer() { KSM_STUB("message_log_viewer"); }

const char* story_picture_for(const char* title, const char* default_picture) {
    static const struct {
        const char* word;
        const char* picture;
    } pictures[] = {
        {"KESMORRA", "scene-kesmorra.jpg"},       {"VILLAGE", "terrain-village.jpg"},
        {"HELPLESS", "scene-helpless.jpg"},       {"HUNTING TRIP", "cre-bear.jpg"},
        {"AGRICULTURE", "scene-agriculture.jpg"}, {"FISHERMAN", "scene-fishing.jpg"},
        {"CAMP", "scene-camp.jpg"},               {"TRAPPING", "scene-trapping.jpg"},
        {"SETTLER", "terrain-house.jpg"},         {"TRAP-FENCE", "info-fence.jpg"},
    };
    const char* chosen = default_picture;
    for (const auto& p : pictures)
        if (title && std::strstr(title, p.word)) chosen = p.picture;
    return chosen;
}

namespace {
bool screen_ready() { return graphics_initialised && canvas != nullptr; }
}  // namespace

void show_story_screen() {
    FILE* file = open_file_ci(character_file("story.txt"), "rb");
    if (file == nullptr) return;
    char title[301] = "", picture[301] = "";
    read_data_line(title, sizeof title, file);
    read_data_line(picture, sizeof picture, file);
    clear_word_buffer();
    char line[1024];
    while (read_data_line(line, sizeof line, file)) {
        if (line[0] == ' ' && line[1] == ' ') add_text_to_word_buffer(false, "<br>");
        add_text_to_word_buffer(false, line);
    }
    std::fclose(file);
    if (!screen_ready()) return;
    if (background_surface) SDL_BlitSurface(background_surface, nullptr, canvas, nullptr);
    draw_window(0, 0, 800, 600, title, 48);
    draw_picture(story_picture_for(title, picture), 390, 25);
    draw_tagged_text(10, 310, 770, 0, map_rgb(246, 254, 186), 0);
}

void show_start_story() {
    if (Plr.scenario < 100) return;
    if (Plr.days_played <= 2) wear_starting_clothes();
    Plr.scenario -= 100;
    if (!screen_ready()) return;
    infobrowser("FIRST TIMER INFO");
    show_story_screen();
    clear_word_buffer();
    add_text_to_word_buffer(
        true,
        "The story below is a description of your start-up scenario and a rough background of your character. "
        "You may find it interesting to follow or you can just ignore it. It only tells you what brought "
        "your character here - the rest is up to you. There are so many paths to follow, so many scenes to see, so "
        "many windbreezes to feel and ever so many secrets to find from the world around or within you...");
    draw_paper_window(5, 25, 375, 107, "");  // the words are in black ink
    draw_tagged_text(10, 30, 360, 0, map_rgb(0, 0, 0), 0);
    draw_text_at(200, 580, "Press a key to continue - The Kesmorra awaits ", map_rgb(255, 255, 255), 1);
    present_screen();
    wait_key();
}
