// The ancestors: the texts of a death, the slot folders that keep the dead,
// their memorial pages and the list of late characters.
#include "game/ancestors.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/fatal.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "game/clock.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "objects/object_store.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"

char death_ailment_name[64] = "";
AncestorList ancestors;

namespace {

constexpr int CAUSE_BLEEDING = -99;
constexpr int CAUSE_DISEASE = -109;

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

std::string slot_folder(int slot) { return "ANCESTORS/" + std::to_string(slot); }

// The creature of a cause code, with an article; "a creature" for a slot
// that holds nobody.
const char* creature_phrase(int slot) {
    if (slot < 0 || slot >= CRE_SLOTS || Cre[slot].name[0] == 0) return "a creature";
    return with_indefinite_article(creature_name(slot, 0));
}

void capitalise(char* text) {
    if (text[0]) text[0] = char(latin1_upper(static_cast<unsigned char>(text[0])));
}

void lower_first(char* text) {
    if (text[0]) text[0] = char(latin1_lower(static_cast<unsigned char>(text[0])));
}

const char* pronoun(const PlayerRecord& rec, const char* kind) {
    char key[32];
    format_text(key, sizeof key, "%s:%s", kind, rec.sex == 2 ? "FEM" : "MASC");
    return ring_copy(message_by_key(key));
}

}  // namespace

char* cause_text(int code, int form) {
    char* out = next_ring_text();
    const char* f0 = "being hurt";
    const char* f1 = "was hurt";
    const char* f10 = "killed by death";
    if (code >= 0) {
        const char* who = creature_phrase(code);
        if (form == 0) format_text(out, TEXT_RING_BYTES, "being hit by %s", who);
        else if (form == 1) format_text(out, TEXT_RING_BYTES, "was hit by %s", who);
        else format_text(out, TEXT_RING_BYTES, "killed by %s", who);
        return out;
    }
    switch (code) {
        case -99: f0 = "having started to bleed"; f1 = "was bleeding"; f10 = "bled to death"; break;
        case -105: f0 = "felling into a trap"; f1 = "was hurt by a trap"; f10 = "killed by a trap"; break;
        case -107: f0 = "getting a frostbite"; f1 = "was freezing"; f10 = "froze to death"; break;
        case -108: f0 = "a misfortunate climbing attempt"; f1 = "was hurt while falling"; f10 = "died from a fall"; break;
        case -109: {
            const char* a = death_ailment_name;
            if (form == 0) format_text(out, TEXT_RING_BYTES, "starting to suffer from %s", a);
            else if (form == 1) format_text(out, TEXT_RING_BYTES, "was suffering from %s", a);
            else format_text(out, TEXT_RING_BYTES, "died from %s", a);
            return out;
        }
        case -110: f0 = "treating a wound"; f1 = "was bleeding from the wound"; f10 = "bled to death"; break;
        case -111: f0 = "being burned by fire"; f1 = "was burned by fire"; f10 = "burned to death"; break;
        default: break;
    }
    copy_text(out, TEXT_RING_BYTES, form == 0 ? f0 : form == 1 ? f1 : f10);
    return out;
}

char* death_text(const PlayerRecord& rec) {
    char* out = next_ring_text();
    switch (rec.cause_of_death) {
        case -100: copy_text(out, TEXT_RING_BYTES, "drowned"); break;
        case -101: copy_text(out, TEXT_RING_BYTES, "starved to death"); break;
        case -102: copy_text(out, TEXT_RING_BYTES, "died from lack of water"); break;
        case -103: copy_text(out, TEXT_RING_BYTES, "quit living"); break;
        case -104: copy_text(out, TEXT_RING_BYTES, "died from severe injuries"); break;
        case -106: copy_text(out, TEXT_RING_BYTES, "got a fatal wound"); break;
        case -107: copy_text(out, TEXT_RING_BYTES, "froze to death"); break;
        case -109: format_text(out, TEXT_RING_BYTES, "died from %s", death_ailment_name); break;
        case -112: copy_text(out, TEXT_RING_BYTES, "drowned after fainting in the freezing water"); break;
        case -99:
            format_text(out, TEXT_RING_BYTES, "bled to death after %s", cause_text(rec.cause_of_bleeding, 0));
            break;
        default: copy_text(out, TEXT_RING_BYTES, "died"); break;
    }
    return out;
}

// ------------------------------------------------------------ the slot

namespace {

// The four texts of the death.
struct DeathTexts {
    char cause[ANC_TEXT_BYTES];
    char sentence[ANC_TEXT_BYTES];
    char cell[ANC_TEXT_BYTES];
    char area[ANC_TEXT_BYTES];
};

void build_death_texts(const PlayerRecord& rec, DeathTexts& t) {
    std::memset(&t, 0, sizeof t);
    const char* death = death_text(rec);
    char fainting[ANC_TEXT_BYTES] = "";
    if (rec.cause_of_fainting != 0) {
        if (rec.cause_of_fainting == CAUSE_BLEEDING)
            format_text(fainting, sizeof fainting, "started to bleed after %s and fainted from the bloodloss",
                        cause_text(rec.cause_of_bleeding, 0));
        else
            format_text(fainting, sizeof fainting, "fainted after %s", cause_text(rec.cause_of_fainting, 0));
    }
    const int fatal = rec.cause_of_fatal_wound;
    if (fatal != 0) {
        copy_text(t.cause, sizeof t.cause, cause_text(fatal, 10));
        if (fatal == CAUSE_BLEEDING) {
            append_text(t.cause, sizeof t.cause, " after ");
            append_text(t.cause, sizeof t.cause, cause_text(rec.cause_of_bleeding, 0));
        } else if (fainting[0]) {
            append_text(t.cause, sizeof t.cause, " while unconscious");
        }
    } else {
        copy_text(t.cause, sizeof t.cause, death);
    }
    char subject[64];
    copy_text(subject, pronoun(rec, "PP_SUBJ"));
    capitalise(subject);
    format_text(t.sentence, sizeof t.sentence, "%s ", subject);
    if (fainting[0]) {
        append_text(t.sentence, sizeof t.sentence, fainting);
        append_text(t.sentence, sizeof t.sentence, ". While unconscious ");
        append_text(t.sentence, sizeof t.sentence, pronoun(rec, "PP_SUBJ"));
        append_text(t.sentence, sizeof t.sentence, " ");
    }
    if (fatal != 0 && fatal != CAUSE_BLEEDING) {
        append_text(t.sentence, sizeof t.sentence, cause_text(fatal, 1));
        append_text(t.sentence, sizeof t.sentence, " and ");
    }
    append_text(t.sentence, sizeof t.sentence, death);

    // Where it happened: the cell and the area of the world.
    int wx = player_x, wy = player_y;
    if (player_x >= 0 && is_world_map() != 1) {
        wx = rec.zoom_origin_x;
        wy = rec.zoom_origin_y;
    }
    if (player_x >= 0) {
        format_text(t.cell, sizeof t.cell, "The %s", lower_case_copy(terrain_name_at(player_x, player_y)));
        copy_text(t.area, sizeof t.area, area_and_region_text(wx, wy));
    }
}

bool copy_file_to(const std::string& from, const std::string& to) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(resolve_path_ci(from), bytes, 64u << 20)) return false;
    return write_file_unsynced(to, bytes.data(), bytes.size());
}

// Empties a slot folder whatever its files are called, then removes it.
bool clear_slot_folder(const std::string& folder) {
    if (!path_exists(folder)) return true;
    return remove_folder_tree(folder);
}

}  // namespace

int write_ancestor() {
    DeathTexts t;
    build_death_texts(Plr, t);
    scan_ancestors();

    std::vector<uint8_t> anc(ANC_FILE_SIZE, 0);
    std::memcpy(anc.data(), t.cause, ANC_TEXT_BYTES - 1);
    std::memcpy(anc.data() + ANC_TEXT_BYTES, t.sentence, ANC_TEXT_BYTES - 1);
    std::memcpy(anc.data() + 2 * ANC_TEXT_BYTES, t.cell, ANC_TEXT_BYTES - 1);
    std::memcpy(anc.data() + 3 * ANC_TEXT_BYTES, t.area, ANC_TEXT_BYTES - 1);
    Plr.plr_version = PLR_FORMAT_VERSION;
    anc[ANC_FORMAT_OFFSET] = uint8_t(PLR_FORMAT_VERSION & 0xFF);
    std::memcpy(anc.data() + ANC_RECORD_OFFSET, &Plr, sizeof Plr);

    if (!make_folder(resolve_path_ci("ANCESTORS"))) exit_with_message("Could not create ANCESTORS folder!");
    const int slot = ancestors.last + 1 >= ANCESTOR_SLOTS ? 0 : ancestors.last + 1;
    char number[32];
    format_text(number, sizeof number, "%d\n", slot);
    write_file_atomic(resolve_path_ci("ANCESTORS") + "/lastentry.txt", std::string_view(number));

    const std::string folder = resolve_path_ci("ANCESTORS") + "/" + std::to_string(slot);
    if (!clear_slot_folder(folder) || !make_folder(folder)) {
        char text[300];
        format_text(text, sizeof text, "Could not create %s folder!", folder.c_str());
        exit_with_message(text);
    }
    const std::string name = character_name;
    const std::string home = character_folder();
    {
        std::string line = name + "\n";
        write_file_unsynced(folder + "/charfile.txt", line.data(), line.size());
    }
    copy_file_to(home + "/portrait.png", folder + "/portrait.png");
    // The record first: the character folder may go only once it is whole.
    if (!write_file_atomic(folder + "/" + name + ".ANC", anc.data(), anc.size())) return -1;
    write_file_unsynced(folder + "/" + name + ".OBJ", Objects, sizeof Objects);
    copy_file_to(home + "/" + name + ".CRS", folder + "/" + name + ".CRS");
    copy_file_to(home + "/" + name + ".VIL", folder + "/" + name + ".VIL");
    copy_file_to(home + "/KILL.LOG", folder + "/KILL.LOG");
    copy_file_to(home + "/msglog.txt", folder + "/msglog.txt");
    std::string messages;
    for (const char* line : {t.cause, t.sentence, t.cell, t.area}) {
        messages += line;
        messages += "\n";
    }
    write_file_unsynced(folder + "/deathmsg.txt", messages.data(), messages.size());
    ancestors.last = slot;
    return slot;
}

bool read_ancestor(int slot, char* name, int name_cap, PlayerRecord& rec, char cause[ANC_TEXT_BYTES],
                   char sentence[ANC_TEXT_BYTES], char cell[ANC_TEXT_BYTES], char area[ANC_TEXT_BYTES]) {
    if (slot < 0 || slot >= ANCESTOR_SLOTS) return false;
    const std::string folder = resolve_path_ci(slot_folder(slot));
    std::string line;
    if (!read_text_file(resolve_path_ci(folder + "/charfile.txt"), line, 4096)) return false;
    const size_t end = line.find_first_of("\r\n");
    if (end != std::string::npos) line.resize(end);
    if (line.empty() || line.find('/') != std::string::npos || line.find("..") != std::string::npos) return false;
    std::vector<uint8_t> anc;
    const std::string file = resolve_path_ci(folder + "/" + line + ".ANC");
    if (file_size(file) != ANC_FILE_SIZE || !read_whole_file(file, anc, ANC_FILE_SIZE + 1) ||
        anc.size() != size_t(ANC_FILE_SIZE))
        return false;
    copy_text(name, size_t(name_cap), line.c_str());
    std::memcpy(&rec, anc.data() + ANC_RECORD_OFFSET, sizeof rec);
    rec.name[sizeof rec.name - 1] = 0;
    char* texts[4] = {cause, sentence, cell, area};
    for (int i = 0; i < 4; ++i)
        if (texts[i]) copy_field(texts[i], ANC_TEXT_BYTES, reinterpret_cast<const char*>(anc.data()) + i * ANC_TEXT_BYTES,
                                 ANC_TEXT_BYTES);
    return true;
}

void scan_ancestors() {
    std::memset(&ancestors, 0, sizeof ancestors);
    for (int slot = 0; slot < ANCESTOR_SLOTS; ++slot) {
        char name[128];
        PlayerRecord rec;
        if (!read_ancestor(slot, name, sizeof name, rec, nullptr, nullptr, nullptr, nullptr)) continue;
        ancestors.present[slot] = true;
        ancestors.days[slot] = rec.days_played;
        ancestors.km[slot] = rec.journeyed_km > 0 && rec.journeyed_km < 1e9f ? int32_t(rec.journeyed_km) : 0;
    }
    std::string text;
    if (read_text_file(resolve_path_ci("ANCESTORS/lastentry.txt"), text, 64)) {
        char* end = nullptr;
        const long v = std::strtol(text.c_str(), &end, 10);
        if (end != text.c_str() && v >= 0 && v < ANCESTOR_SLOTS) ancestors.last = int(v);
    }
}

int ancestor_order(char order, int out[ANCESTOR_SLOTS]) {
    int n = 0;
    for (int s = ancestors.last; s >= 0; --s)
        if (ancestors.present[s]) out[n++] = s;
    for (int s = ANCESTOR_SLOTS - 1; s > ancestors.last; --s)
        if (ancestors.present[s]) out[n++] = s;
    if (order == 'L' || order == 'J') {
        const int32_t* key = order == 'L' ? ancestors.days : ancestors.km;
        // A bubble sort: equal values keep their newest-first order.
        for (int i = 0; i < n; ++i)
            for (int j = 0; j + 1 < n - i; ++j)
                if (key[out[j]] < key[out[j + 1]]) std::swap(out[j], out[j + 1]);
    }
    return n;
}

// ------------------------------------------------------------ the pages

int draw_memorial(const char* slot_text, int y, int full) {
    char* end = nullptr;
    const long slot = std::strtol(slot_text ? slot_text : "", &end, 10);
    char name[128];
    PlayerRecord rec;
    static char cause[ANC_TEXT_BYTES], sentence[ANC_TEXT_BYTES], cell[ANC_TEXT_BYTES], area[ANC_TEXT_BYTES];
    if (end == slot_text || !read_ancestor(int(slot), name, sizeof name, rec, cause, sentence, cell, area)) return 0;
    if (!screen_ready()) return 0;
    const Uint32 yellow = map_rgb(252, 252, 84), white = map_rgb(255, 255, 255), khaki = map_rgb(240, 230, 140);
    int top = y;
    if (full) {
        fill_canvas_rect(5, 5, 790, line_height + 4, map_rgb(60, 90, 152));
        draw_text_at(10, 7, "Memorial Page", yellow, 0);
        top = y;
    }
    const int size = full ? 200 : 5 * line_height;
    char portrait[300];
    format_text(portrait, sizeof portrait, "ANCESTORS/%ld/portrait.png", slot);
    if (SDL_Surface* picture = load_picture(resolve_path_ci(portrait).c_str())) {
        draw_picture_fitted(nullptr, picture, 10, top, size, size);
        SDL_FreeSurface(picture);
    }
    const int x = 20 + size;
    char line[1200];
    format_text(line, sizeof line, "%s %s", rec.name, rec.second_name);
    draw_text_at(x, top, line, yellow, 1);
    char c[ANC_TEXT_BYTES + 2];
    copy_text(c, sizeof c, cause);
    capitalise(c);
    append_text(c, sizeof c, ".");
    draw_text_at(x, top + line_height, c, white, 1);
    int ty = top + 2 * line_height;
    const char* subject_l = pronoun(rec, "PP_SUBJ");
    char subject[64];
    copy_text(subject, subject_l);
    capitalise(subject);
    const char* possessive = pronoun(rec, "PP_GEN");
    const int width = 780 - x;
    if (full) {
        SeasonRecord season;
        season_of_date(rec.day ? rec.day : 1, rec.month ? rec.month : 1, season);
        format_text(line, sizeof line, "%s faced %s end %s.", subject, possessive, date_text(0x24, season));
        add_text_to_word_buffer(true, line);
        format_text(line, sizeof line, "%s %s became the place of %s death.", cell, area, possessive);
        add_text_to_word_buffer(false, line);
        char there[ANC_TEXT_BYTES + 16];
        copy_text(there, sizeof there, sentence);
        lower_first(there);
        format_text(line, sizeof line, "There %s.", there);
        add_text_to_word_buffer(false, line);
        ty += line_height;
        const int h = draw_tagged_text(x, ty, width, -1, khaki, 1);
        draw_tagged_text(x, ty, width, 0, khaki, 1);
        ty += h + 2 * line_height;
    }
    format_text(line, sizeof line, "%s died at %d winters old, having spent %d days of adventuring life.", subject,
                int(rec.winters), int(rec.days_played));
    draw_text_at(x, ty, line, white, 1);
    const int km = rec.journeyed_km > 0 && rec.journeyed_km < 1e9f ? int(rec.journeyed_km) : 0;
    format_text(line, sizeof line, "%s journeyed a total distance of %d kilometers.", subject, km);
    draw_text_at(x, ty + line_height, line, white, 1);
    return (full ? size : 6 * line_height);
}

void write_ancestor_memorial(int y, const char* slot, int full) { draw_memorial(slot, y, full); }

namespace {

constexpr int PANEL_Y = 500, PANEL_H = 100;

void draw_backdrop() {
    clear_screen();
    if (bg_deathscene) draw_picture_fitted(nullptr, bg_deathscene, 0, 0, 800, 600);
    draw_title_bar(5, 5, 790, "List of late characters - The ancestors to remember:", 0);
    fill_canvas_rect(0, PANEL_Y, 800, PANEL_H, map_rgb(56, 88, 120));
}

void full_page(int slot, bool death) {
    draw_backdrop();
    char number[16];
    format_text(number, sizeof number, "%d", slot);
    draw_memorial(number, 30, 1);
    const Uint32 yellow = map_rgb(252, 252, 84);
    if (death) {
        draw_text_at(20, PANEL_Y + 10, "You are dead.", map_rgb(255, 255, 255), 0);
        draw_text_at(20, PANEL_Y + 30, "The remains of your earthly body leaves behind", yellow, 0);
        draw_text_at(20, PANEL_Y + 40, "as your spirit starts its journey to the otherworld - the place where the dead live.",
                     yellow, 0);
    }
    draw_key_caption(20, PANEL_Y + 70, "Press a key to continue");
    present_screen();
    wait_key();
}

}  // namespace

void show_ancestors(int slot) {
    if (!screen_ready()) return;
    if (slot >= 0) {
        fade(nullptr, 0.5f, 1);
        full_page(slot, true);
        return;
    }
    save_screen_under("ancbg");
    scan_ancestors();
    int order[ANCESTOR_SLOTS];
    int n = ancestor_order('P', order);
    const int per_page = (600 - PANEL_H - 4 * line_height) / (6 * line_height);
    int page = 0, chosen = 0;
    for (;;) {
        const int pages = n == 0 ? 1 : (n + per_page - 1) / per_page;
        if (page >= pages) page = pages - 1;
        draw_backdrop();
        const int first = page * per_page;
        const int top = 5 + 2 * line_height;
        for (int i = first; i < n && i < first + per_page; ++i) {
            const int y = top + (i - first) * 6 * line_height;
            if (i == chosen) draw_translucent_rect(5, y - 2, 790, 6 * line_height - 2, map_rgb(60, 90, 152), 128);
            char number[16];
            format_text(number, sizeof number, "%d", order[i]);
            draw_memorial(number, y, 0);
        }
        const Uint32 white = map_rgb(255, 255, 255);
        draw_text_at(10, PANEL_Y + 6,
                     n ? "Select an ancestor by mouse click or cursor keys and [ENTER] to display a memorial page."
                       : "There are no deceased characters.",
                     white, 0);
        draw_key_caption(10, PANEL_Y + 24, "ESC.Exit");
        draw_text_at(10, PANEL_Y + 44, "List order:", white, 0);
        draw_key_caption(110, PANEL_Y + 44, "P.Played, from latest to earliest");
        draw_key_caption(400, PANEL_Y + 44, "L.Longest living");
        draw_key_caption(560, PANEL_Y + 44, "J.Journeyed distance");
        if (page > 0) draw_key_caption(10, PANEL_Y + 70, "PgUp.Previous page");
        if (page + 1 < pages) draw_key_caption(200, PANEL_Y + 70, "PgDn.Next page");
        if (pages > 1) {
            char text[40];
            format_text(text, sizeof text, "Page %d of %d", page + 1, pages);
            draw_text_at(660, PANEL_Y + 74, text, white, 0);
        }
        present_screen();
        const int key = wait_key();
        if (key == KEY_ESC || key == KEY_WINDOW_CLOSED) break;
        const int upper = key >= 'a' && key <= 'z' ? key - 32 : key;
        if (upper == 'P' || upper == 'L' || upper == 'J') {
            n = ancestor_order(char(upper), order);
            page = chosen = 0;
        } else if (key == KEY_PGUP && page > 0) {
            --page;
            chosen = page * per_page;
        } else if (key == KEY_PGDN && page + 1 < pages) {
            ++page;
            chosen = page * per_page;
        } else if (key == KEY_UP && chosen > 0) {
            --chosen;
            page = chosen / per_page;
        } else if (key == KEY_DOWN && chosen + 1 < n) {
            ++chosen;
            page = chosen / per_page;
        } else if (key == KEY_ENTER && n > 0) {
            full_page(order[chosen], false);
        } else if (mouse_flag && n > 0 && mouse_y >= top && mouse_y < PANEL_Y) {
            const int i = first + (mouse_y - top) / (6 * line_height);
            if (i < n && i < first + per_page) {
                chosen = i;
                full_page(order[chosen], false);
            }
        }
    }
    restore_screen_under("ancbg");
    present_screen();
}

void reset_ancestor_state() { death_ailment_name[0] = 0; }
