#include "shell/start_menu.h"

#include <cstdio>

#include "shell/game_loop.h"
#include "ui/files.h"
#include "ui/platform.h"
#include "ui/text_ring.h"

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

// Not built yet: no intro is shown.
void intro_scren() {}

// Not built yet: the start menu chooses QUIT at once.
void start_menu() { quit_state = 1; }
