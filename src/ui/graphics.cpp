// Starting and stopping the graphics.
#include "ui/graphics.h"

#include "base/debug_log.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/map_overlay.h"

void InitGr() {
    if (graphics_initialised) return;
    start_canvas();
    outline_colour = colours.outline;

    init_log_line("guiInit");
    guiInit();
    init_log_line("create_surfaces");
    create_surfaces(compass_rect.r.w, compass_rect.r.h);
    init_log_line("lataa_gui");
    lataa_gui();
    init_log_line("load_sprites");
    load_font("KSM.FNT");
    init_log_line("getbackgrounds");
    getbackgrounds();

    load_palette("palette.nfo");
    init_colours();
    outline_colour = colours.outline;
    graphics_initialised = true;
    create_known_map_surfaces();

    init_log_line("NewGfx_loadtiledata");
    NewGfx_loadtiledata();
    create_map_textures();
}

void shutdown_graphics() {
    destroy_map_textures();  // before the renderer that owns them goes
    free_pictures();
    stop_canvas();
}
