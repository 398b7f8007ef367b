// The new world's files, start-up scenarios, the game course, starting gear
// and the portrait lists.
#include "shell/scenarios.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/culture_gear.h"
#include "mapgen/world_gen.h"
#include "screens/info_screens.h"
#include "screens/worldgen_screen.h"
#include "objects/flora.h"
#include "objects/inventory.h"
#include "objects/item_catalogue.h"
#include "objects/object_store.h"
#include "society/game_course.h"
#include "base/config.h"
#include "base/debug_log.h"
#include "shell/creation.h"
#include "shell/ending.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "game/save_set.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "ui/gfx.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "base/platform.h"
#include "base/tag_text.h"

char portrait_list[MAX_PORTRAITS][100] = {};
int portrait_count = 0;

namespace {

bool ends_with_no_case(const std::string& name, const char* tail) {
    size_t n = std::strlen(tail);
    return name.size() >= n && compare_no_case(std::string_view(name).substr(name.size() - n), tail) == 0;
}

std::string scenario_file(int n) {
    char name[32];
    format_text(name, sizeof name, "RNDCAMP.%d", n);
    return name;
}

// The folder the new character lives in.
const char* new_folder() { return creation_folder[0] ? creation_folder : Plr.name; }

}  // namespace

int delete_old_map_files(const std::string& folder) {
    int removed = 0;
    for (const DirEntry& entry : list_matching(folder + "/*")) {
        if (entry.is_dir) continue;
        if (ends_with_no_case(entry.name, ".MAP") || ends_with_no_case(entry.name, ".DAT") ||
            ends_with_no_case(entry.name, ".PLM")) {
            if (remove_file(folder + "/" + entry.name)) ++removed;
        }
    }
    return removed;
}

// ------------------------------------------------------------ scenarios

bool read_scenario_heading(int n, char* title, int title_cap, char* description, int description_cap) {
    FILE* file = open_file_ci(scenario_file(n), "rb");
    if (!file) return false;
    char line[1024];
    if (title_cap > 0) title[0] = 0;
    if (description_cap > 0) description[0] = 0;
    if (read_data_line(line, sizeof line, file) && title_cap > 0) copy_text(title, size_t(title_cap), line);
    if (read_data_line(line, sizeof line, file) && description_cap > 0)
        copy_text(description, size_t(description_cap), line);
    std::fclose(file);
    return true;
}

int count_scenarios() {
    int n = 0;
    while (n < MAX_SCENARIOS) {
        FILE* file = open_file_ci(scenario_file(n), "rb");
        if (!file) break;
        std::fclose(file);
        ++n;
    }
    return n;
}

bool write_story_file(const std::string& folder, int n) {
    FILE* file = open_file_ci(scenario_file(n), "rb");
    if (!file) return false;
    std::string story = "Scenario: ";
    char line[1024];
    int index = 0;
    while (read_data_line(line, sizeof line, file)) {
        if (index == 0) {
            story += line;
            story += "\n";
        } else if (index >= 2) {
            story += line;
            story += "\n";
        }
        ++index;
    }
    std::fclose(file);
    return write_file_atomic(folder + "/story.txt", story);
}

void show_screen_title(const char* title) {
    draw_translucent_rect(0, 0, 800, 600, map_rgb(0, 0, 0), 128);
    draw_window(0, 0, 800, 600, title, 0);
}

int apply_scenario(int n) {
    if (!write_story_file(new_folder(), n)) exit_with_message(scenario_file(n).c_str());
    if (creation_mode == 1) return 1;
    // The story page of the scenario, with the question over it.
    draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
    show_story_screen();
    draw_text_at(10, 30, "Select this scenario? ", map_rgb(240, 230, 140), 1);
    draw_text_with_keycaps(190, 30, "<Y>es <N>o", map_rgb(240, 230, 140));
    present_screen();
    int key = read_key();
    return key == 'n' || key == 'N' ? 0 : 1;
}

const char* select_startup_scenario() {
    static char title[100];
    char description[400];
    int chosen = 1;
    for (;;) {
        int count = count_scenarios();
        if (count == 0) {
            title[0] = 0;
            return title;
        }
        if (creation_mode == 1) {
            chosen = count > 1 ? 1 : 0;
        } else {
            draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
            show_screen_title("SELECT A START-UP SCENARIO");
            list_init(int32_t(map_rgb(240, 230, 140)), "", 0, 0, 800, 600, LIST_TYPE_PLACED);
            for (int n = 0; n < count; ++n) {
                read_scenario_heading(n, title, sizeof title, description, sizeof description);
                char row[140];
                format_text(row, sizeof row, "%d.%s", n, title);
                list_add_item_at(20, n < 10 ? '0' + n : 'A' + n - 10, 40 + 35 * n, row);
                clear_word_buffer();
                add_text_to_word_buffer(true, description);
                draw_tagged_text(270, 40 + 35 * n, 500, 0, map_rgb(176, 196, 222), 1);
            }
            draw_window(5, 545, 790, 50, "", 0);
            // Two lines that fit the 790-pixel bar.
            draw_text_at(10, 552,
                         "Now pick a start-up scenario. All the scenarios but the first, The Kesmorra, give you",
                         map_rgb(255, 255, 255), 1);
            draw_text_at(10, 564, "a rough background and a plot you can start to follow.", map_rgb(255, 255, 255), 1);
            list_draw();
            int row = LIST_Go();
            chosen = row >= 0 && row < count ? row : 0;
        }
        Plr.scenario = 100 + chosen;
        if (apply_scenario(chosen)) break;
    }
    read_scenario_heading(chosen, title, sizeof title, description, sizeof description);
    return title;
}

// ------------------------------------------------------------ files of a new game

bool write_object_store(const char* folder) {
    char path[96];
    format_text(path, sizeof path, "%s/%s.OBJ", folder, folder);
    return save_object_store(path);
}

void write_constant_objects() {
    build_item_catalogue();
    // The plants of the flora files join the item types after the
    // built-in catalogue, before either file is written.
    load_flora_item_types();

    // The character folder's file is the one the game reads: without it
    // there is no character (its record is written last). The working
    // folder's copy is for the developer and may fail.
    if (!write_character_file("CONSTANT.OBJ", ItemTypes, sizeof ItemTypes))
        exit_with_message("ERROR! Couldn't write CONSTANT.OBJ");
    if (!save_item_types("CONSTANT.OBJ")) debug_log("objtable!", "CONSTANT.OBJ of the working folder not written");
}

void prepare_new_world() {
    const char* folder = new_folder();
    delete_old_map_files(folder);
    world_generation_screen();
    select_startup_scenario();
    Plr.x = start_x;
    Plr.y = start_y;
    copy_text(Plr.map_name, "BIGMAP");
    write_constant_objects();
    // The creature file of 3,000 empty records and the templates.
    if (!create_creature_file()) exit_with_message("Failed to save character!");
    if (!write_constant_cre()) exit_with_message("ERROR! Couldn't write CONSTANT.CRE");
}

void select_game_course() {
    bool museum = museum_mode != 0;
    bool wild_done = (Plr.course_completion & 0x02) != 0;
    bool advanced_done = (Plr.course_completion & 0x04) != 0;
    save_screen_under("gamecourse");
    draw_picture("bg-worldview.jpg", 0, 0, 800, 600);
    show_screen_title("SELECT A GAME COURSE");
    Uint32 text = map_rgb(238, 232, 170);
    auto describe = [text](int y, const char* picture, const char* lines) {
        draw_picture(picture, 15, y, 380, 160);
        clear_word_buffer();
        add_text_to_word_buffer(true, lines);
        draw_tagged_text(400, y + 25, 380, 0, text, 1);
    };
    describe(30, "coursepic_1.png",
             "Free gameplay - everything is up to you. You have no tasks or duties except the ones you decide to "
             "do or try out by yourself. This is the ultimate way of gaming for experienced, freedom desiring "
             "players - but suitable also for rookies to get to know the game mechanics first before trying task "
             "based game-courses.");
    describe(200, "coursepic_2.png",
             "Tasks to teach you the basics of wilderness survival and to test your survival skills as you roam "
             "across the land and explore the wide world. This game-course starts with easy and fundamental "
             "wilderness survival tasks and slowly gets you accustomed to living in the wild, eventually bringing "
             "you among people and ways of more settled life.");
    if (!museum)
        describe(370, "coursepic_3.png",
                 "Adventures further out in the wide world, among people and their settlements, with tasks that "
                 "ask for everything you have learned. This is a game-course for more experienced players.");
    Uint32 yellow = map_rgb(252, 252, 84);
    list_init(int32_t(yellow), "", 0, 0, 800, 600, LIST_TYPE_PLACED);
    list_add_item_at(400, KEY_ESC, 35, museum ? "ESC.KESMORRA" : "ESC.THE KESMORRA");
    int wild_row = -1, advanced_row = -1;
    if (wild_done) {
        draw_text_at(400, 205, "LIVING IN THE WILD -- COMPLETED", map_rgb(255, 255, 0), 1);
    } else {
        wild_row = list_header.count;
        list_add_item_at(400, 'A', 205, museum ? "A.TUTORIAL GAME COURSE" : "A.LIVING IN THE WILD");
    }
    if (!museum) {
        if (advanced_done) {
            draw_text_at(400, 375, "ADVANCED ADVENTURES -- COMPLETED", map_rgb(255, 255, 0), 1);
        } else {
            advanced_row = list_header.count;
            list_add_item_at(400, 'B', 375, "B.ADVANCED ADVENTURES");
        }
    }
    draw_window(5, 545, 790, 50, "", 0);
    if (wild_done && (advanced_done || museum)) {
        draw_text_at(10, 552, "You have completed both game courses. Now proceed with free gameplay in the Kesmorra.",
                     map_rgb(255, 255, 255), 1);
    } else {
        // Each line fits the 790-pixel bar (at most 97 characters).
        draw_text_at(10, 550, "You can play a tutorial-like game course, or have freeform adventures in Kesmorra.",
                     map_rgb(255, 255, 255), 1);
        draw_text_at(10, 561, "Game courses give you different kinds of tasks and duties to perform.",
                     map_rgb(255, 255, 255), 1);
        draw_text_at(10, 572, "As you advance you are rewarded with bonus features unique to each game course.",
                     map_rgb(255, 255, 255), 1);
    }
    list_draw();
    int row = LIST_Go();
    Plr.course_task = -1;
    if (row >= 0 && row == wild_row) start_game_course(0);
    else if (row >= 0 && row == advanced_row) start_game_course(1);
    restore_screen_under("gamecourse");
}

// ------------------------------------------------------------ starting gear

int item_type_named(const char* name) {
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i)
        if (ItemTypes[i].item_class && compare_no_case(ItemTypes[i].name, name) == 0) return i;
    return -1;
}

bool give_item(int item_type, int amount) {
    if (item_type < 0 || item_type >= ITEM_TYPE_COUNT || amount <= 0) return false;
    const ObjectRecord& type = ItemTypes[item_type];
    if (!type.item_class) return false;  // a blank type is nothing to carry
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int id = Plr.plr_inv_id[slot];
        if (Plr.plr_inv_count[slot] <= 0 || !obj_id_is_instance(id)) continue;
        const ObjectRecord& held = Objects[id - FIRST_INSTANCE_ID];
        if (held.kind == type.kind && std::strncmp(held.name, type.name, sizeof type.name) == 0) {
            Plr.plr_inv_count[slot] += amount;
            return true;
        }
    }
    int free_slot = -1;
    for (int slot = 0; slot < PLR_INV_SLOTS && free_slot < 0; ++slot)
        if (Plr.plr_inv_count[slot] <= 0) free_slot = slot;
    if (free_slot < 0) return false;  // a full inventory takes nothing more
    // The inventory holds the instance's id (50000 and up), never a bare
    // slot number, which would name an item type.
    const int id = obj_new_instance(item_type);
    if (id == 0) return false;
    Plr.plr_inv_id[free_slot] = id;
    Plr.plr_inv_count[free_slot] = amount;
    return true;
}

bool give_made_item(int item_type, int amount, int quality) {
    if (item_type < 0 || item_type >= ITEM_TYPE_COUNT || amount <= 0) return false;
    ObjectRecord made = ItemTypes[item_type];
    if (!made.item_class) return false;
    obj_set_quality(quality > 5 ? 5 : quality, made);
    made.quality |= OBJ_GRADE_KNOWN;
    const int id = obj_store_record(made);
    if (id == 0) return false;
    int free_slot = -1;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        if (Plr.plr_inv_count[slot] > 0 && Plr.plr_inv_id[slot] == id) {
            Plr.plr_inv_count[slot] += amount;
            return true;
        }
        if (free_slot < 0 && Plr.plr_inv_count[slot] <= 0) free_slot = slot;
    }
    if (free_slot < 0) return false;
    Plr.plr_inv_id[free_slot] = id;
    Plr.plr_inv_count[free_slot] = amount;
    return true;
}

void give_starting_gear() {
    const int culture = Plr.culture;
    const int grade = culture_gear_level(culture);
    // One of the catalogue's breads.
    const int bread = obj_template_by_name("BREAD", 0);
    give_item(bread, 1 + random_below(2));
    // Clothes of the culture's level: each picker may give nothing, and a
    // garment two pickers chose is given once (two cloaks would not both be
    // put on).
    int given[OUTFIT_PICKERS] = {};
    int given_count = 0;
    for (const int picker : {OUTFIT_FOOTWEAR, OUTFIT_LEGWEAR, OUTFIT_UNDERSHIRT, OUTFIT_SHIRT, OUTFIT_HEADWEAR,
                             OUTFIT_BELT}) {
        const int variant = random_clothing_variant(grade);
        const int type = outfit_item_type(picker, variant);
        if (type == 0 || std::find(given, given + given_count, type) != given + given_count) continue;
        given[given_count++] = type;
        give_made_item(type, 1, random_item_quality(grade));
    }
    // A knife and a weapon, perhaps a better weapon, a sundry and a bow.
    give_made_item(random_knife_name(culture), 1, random_item_quality(3));
    give_made_item(random_weapon_name(culture, 0), 1, random_item_quality(3));
    if (random_below(100) < 50) give_made_item(random_culture_weapon_name(culture), 1, random_item_quality(3));
    if (random_below(100) < 50) give_made_item(random_sundry_item_name(culture), 1, random_item_quality(3));
    if (random_below(100) < 25) {
        give_made_item(random_bow_name(culture), 1, random_item_quality(3));
        const int arrows = 5 + random_below(6);
        give_made_item(obj_template_by_name("ARROW", 1), arrows, random_item_quality(3));
    }
    // Two meat foods of the culture.
    for (int food = 0; food < 2; ++food) {
        const int id = random_culture_meat_food(culture);
        const int pieces = 1 + random_below(3);
        if (id != 0) plr_give_item(id, pieces);
    }
}

// ------------------------------------------------------------ portraits

void list_portrait_files(const char* prefix) {
    std::memset(portrait_list, 0, sizeof portrait_list);
    portrait_count = 0;
    std::string pattern = "truegfx/";
    pattern += prefix;
    pattern += "*.png";
    for (const DirEntry& entry : list_matching(pattern)) {
        if (entry.is_dir || portrait_count >= MAX_PORTRAITS) continue;
        // The character record keeps 19 characters of a portrait name.
        if (entry.name.size() > 19) continue;
        copy_text(portrait_list[portrait_count++], sizeof portrait_list[0], entry.name.c_str());
    }
}

namespace {
int fingerprint(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(path, bytes, 1u << 24) || bytes.size() < 100) return random_below(100);
    int sum = 0;
    for (int i = 0; i < 50; ++i) sum += get_le16(&bytes[size_t(i) * 2]);
    return sum;
}
}  // namespace

const char* random_portrait_name() {
    if (portrait_count <= 0) return "";
    char own_path[96];
    format_text(own_path, sizeof own_path, "%s/portrait.png", character_name[0] ? character_name : new_folder());
    int own = fingerprint(own_path);
    int pick = random_below(portrait_count);
    for (int tries = 0; tries < 20; ++tries) {
        if (fingerprint(std::string("truegfx/") + portrait_list[pick]) != own) break;
        pick = random_below(portrait_count);
    }
    return portrait_list[pick];
}
