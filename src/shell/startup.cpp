// Program start-up: the steps in their fixed order, each logged to
// "init_log.txt", then the outer loop and the exit.
#include "shell/startup.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/config.h"
#include "ui/settings.h"
#include "base/debug_log.h"
#include "base/fatal.h"
#include "shell/connect.h"
#include "shell/ending.h"
#include "ui/notices.h"
#include "ui/window.h"
#include "shell/game_loop.h"
#include "shell/start_menu.h"
#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/input.h"
#include "ui/backgrounds.h"
#include "ui/controller.h"
#include "ui/encyclopedia.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/sound.h"
#include "base/text_ring.h"
#include "ui/keyed_words.h"
#include "game/skill_setup.h"
#include "maps/sight.h"

namespace {

constexpr int32_t CENTRED = int32_t(SDL_WINDOWPOS_CENTERED);

void log_fatal_sdl(const char* what) {
    char text[512];
    format_text(text, sizeof text, "%s: %s", what, SDL_GetError());
    init_log_line(text);
    exit_with_message(text);
}

// Copies the default configuration; a failed copy leaves no half file.
void copy_default_config() {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(resolve_path_ci(CONFIG_DEFAULTS_FILE), bytes, 1u << 20)) return;
    write_file_atomic(CONFIG_FILE, bytes.data(), bytes.size());
}

}  // namespace

std::string installation_essentials_problem() {
    char text[400];
    // The font and the palette are whole files of a fixed size.
    struct Fixed {
        const char* file;
        const char* what;
        long long size;
    } fixed[] = {{"KSM.FNT", "the font", FONT_FILE_SIZE}, {"palette.nfo", "the palette", PALETTE_FILE_SIZE}};
    for (const Fixed& f : fixed) {
        const long long size = file_size(resolve_path_ci(f.file));
        if (size < 0) {
            format_text(text, sizeof text, "%s (%s) is missing", f.file, f.what);
            return text;
        }
        if (size != f.size) {
            format_text(text, sizeof text, "%s (%s) is damaged: %lld bytes instead of %lld", f.file, f.what, size,
                        f.size);
            return text;
        }
    }
    if (!directory_exists("truetile") || list_matching("truetile/*.png").empty())
        return "the folder truetile (the tiles) is missing or holds no tiles";
    double numbers[SIGHT_RAYS];
    if (!read_linedist_numbers(numbers, text, sizeof text)) {
        forget_linedist_numbers();
        return text;
    }
    forget_linedist_numbers();
    if (!check_skill_table(text, sizeof text)) return text;
    return "";
}

int ksm_main() {
    // SIGTERM and SIGINT end every run the orderly way; SDL keeps its hands
    // off them (its own handler would only close the window).
    install_termination_handler();
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    connect_floors();
    // The key script first: it decides which frames the screenshot seam keeps.
    reset_test_keys();
    // 1. Fresh logs.
    remove_file(INIT_LOG_FILE);
    delete_files_matching("debug_*.txt");
    char line[256];
    format_text(line, sizeof line, "main() version %s", version_text());
    init_log_line(line);

    // 2. The window record's start value.
    window_record = {CENTRED, CENTRED, 800, 600};

    // 3. The configuration file from the defaults when missing.
    if (!file_exists(CONFIG_FILE)) {
        init_log_line("copy ksm_ini.txt from defaults/");
        copy_default_config();
    }

    // 4. Random seed and the audio log.
    seed_random_from_clock();
    remove_file("audio.txt");
    write_file_atomic("audio.txt", std::string_view("start\n"));

    // 5. SDL.
    init_log_line("SDL_Init");
    if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
        // Without a sound device the game still runs, silently.
        init_log_line(SDL_GetError());
        if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO) != 0) log_fatal_sdl("Could not initialise SDL");
    }
    std::atexit(SDL_Quit);

    // 5b. The installation's essentials: without them the game can't run,
    // and the player is told which file is to blame.
    init_log_line("Check installation");
    const std::string problem = installation_essentials_problem();
    if (!problem.empty()) {
        char text[600];
        format_text(text, sizeof text, "Kesmorra can't start: %s.", problem.c_str());
        init_log_line(text);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Kesmorra", text, nullptr);
        exit_with_message(text);
    }

    // 6. Displays: the last one's mode counts.
    init_log_line("GetVideoDisplays()");
    int display_w = 800, display_h = 600;
    std::vector<SDL_Rect> displays;
    int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetCurrentDisplayMode(i, &mode) == 0) {
            display_w = mode.w;
            display_h = mode.h;
        }
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(i, &bounds) == 0) displays.push_back(bounds);
    }

    // 7, 8. Window geometry.
    WindowRecord saved;
    bool have_saved = read_records(WINDOW_FILE, &saved, 1);
    init_log_line("Secure Window Position");
    window_record = choose_window_geometry(have_saved ? &saved : nullptr, display_w, display_h, displays);

    // 9. Window flags.
    init_log_line("Read FullScreen config");
    std::string fullscreen = ini_get_string("FULLSCREEN", "NO");
    std::string museum = ini_get_string("MUSEUM", "NO");
    museum_mode = museum == "YES";
    uint32_t flags = window_flags_for(fullscreen.c_str(), museum.c_str(), window_record, display_w);

    // 10. The window and its icon.
    init_log_line("Create Window");
    game_window = SDL_CreateWindow("Kesmorra", window_record.x, window_record.y, window_record.w,
                                   window_record.h, flags);
    if (game_window == nullptr) log_fatal_sdl("Could not create the window");
    SDL_Surface* icon = IMG_Load(resolve_path_ci("ksmicon-32.png").c_str());
    init_log_line("SetWindowIcon");
    if (icon != nullptr) {
        SDL_SetWindowIcon(game_window, icon);
        SDL_FreeSurface(icon);
    }

    // 11, 12. Topics and configuration.
    init_log_line("Get Topics");
    load_encyclopedia_topics();
    init_log_line("GetConfig");
    GetConfig();

    // 13. The installation folder.
    copy_text(install_folder, sizeof install_folder, current_folder().c_str());

    // 14. The controller link (off unless configured); its announcement goes
    // out only when the port really opened.
    if (controller_enabled) {
        openPort();
        if (controller_link_open()) announce_controller_link();
    }

    // 15, 16. Renderer and canvas; the window's real geometry.
    init_log_line("InitGr");
    InitGr();
    if (game_renderer == nullptr || canvas == nullptr) log_fatal_sdl("Could not create the renderer");
    save_window_geometry();

    // 17. The cached backgrounds of the skills and rituals screens.
    render_cached_backgrounds();

    // 18. The loading picture.
    draw_picture("tahtitaivas.jpg", 0, 0);
    fade(canvas, 1.0f, 0);
    draw_text_at(10, 10, "Entering into Kesmorra - please wait ... ", map_rgb(255, 255, 255), 0);
    present_screen();

    // 19. Sound.
    if (ini_flag_default_yes("AUDIO")) {
        show_init_step("Sound init ... ");
        start_audio();
    }

    // 20, 21. Intro and the keyed words.
    init_log_line("intro_scren ...");
    intro_scren();
    init_log_line("ksm_textinit ...");
    ksm_textinit();

    outer_loop();
    farewell_screen();
}
