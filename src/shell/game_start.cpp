// Starting a new or continuing a saved game.
#include "shell/game_start.h"

#include "creatures/animal_turn.h"
#include "objects/fire_turn.h"
#include "ui/input.h"

#include <cstring>
#include <string>
#include <vector>

#include "body/combat_commands.h"
#include "body/wounds.h"
#include "base/stubs.h"
#include "console/console.h"
#include "creatures/creature_files.h"
#include "creatures/creature_steps.h"
#include "creatures/task_queue.h"
#include "objects/inventory_services.h"
#include "objects/item_selection.h"
#include "objects/ownership.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/regions.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "maps/weather.h"
#include "maps/weather_messages.h"
#include "maps/world_files.h"
#include "objects/item_commands.h"
#include "objects/item_tags.h"
#include "objects/map_object_table.h"
#include "objects/flora.h"
#include "objects/object_store.h"
#include "objects/wear_commands.h"
#include "society/society_services.h"
#include "base/config.h"
#include "ui/settings.h"
#include "shell/ending.h"
#include "shell/scenarios.h"
#include "shell/game_loop.h"
#include "game/save_load.h"
#include "game/save_set.h"
#include "society/game_course.h"
#include "society/standing.h"
#include "society/villages.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "base/files.h"
#include "ui/font.h"
#include "screens/info_screens.h"
#include "screens/map_panel.h"
#include "ui/message_line.h"
#include "screens/side_panel.h"
#include "screens/sky.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "ui/keyed_words.h"
#include "work/herblore.h"

namespace {

bool screen_ready() { return graphics_initialised && canvas != nullptr; }

// Adds a skill when no slot's name contains the word; the level is copied
// from the first slot whose name contains `level_from` (0 without one).
void add_missing_skill(PlayerRecord& rec, const char* name, const char* level_from) {
    if (find_skill_containing(rec, name) >= 0) return;
    const int slot = find_free_skill_slot(rec);
    if (slot < 0) return;
    set_skill_name(rec, slot, name);
    const int source = level_from ? find_skill_containing(rec, level_from) : -1;
    const uint8_t level = source >= 0 && source != slot ? rec.skill_level[source] : 0;
    rec.skill_level[slot] = level;
    rec.skill_start_level[slot] = level;
    rec.skill_attr_base[slot] = 0;
    rec.skill_boost[slot] = 0;
    rec.skill_boost_timer[slot] = 0;
    rec.skill_practice[slot] = 0;
}

// The levels that the reworked skills start from in an older record.
constexpr uint8_t FORAGING_LEVEL_FLOOR = 10;
constexpr uint8_t HERBLORE_START_LEVEL = 5;
constexpr uint8_t SURVIVAL_LEVEL_FLOOR = 10;
constexpr uint8_t RITUAL_LEVEL_FLOOR = 5;

void raise_to(uint8_t& level, uint8_t floor) {
    if (level < floor) level = floor;
}

void copy_portrait() {
    if (Plr.portrait[0] == 0) return;
    const std::string target = character_file("portrait.png");
    if (path_exists(resolve_path_ci(target))) return;
    char name[sizeof Plr.portrait + 1];
    std::memcpy(name, Plr.portrait, sizeof Plr.portrait);
    name[sizeof Plr.portrait] = 0;
    if (std::strchr(name, '/') || std::strchr(name, '\\') || std::strstr(name, "..")) return;
    std::vector<uint8_t> bytes;
    if (read_whole_file(resolve_path_ci(std::string("truegfx/") + name), bytes, 16u << 20))
        write_file_atomic(target, bytes.data(), bytes.size());
}


// Object records of an older format: the fields that changed meaning since.
bool field_contains(const char* field, size_t cap, const char* word) {
    const size_t len = strnlen(field, cap);
    const size_t wlen = std::strlen(word);
    for (size_t i = 0; i + wlen <= len; ++i)
        if (std::memcmp(field + i, word, wlen) == 0) return true;
    return false;
}
bool name_has(const ObjectRecord& r, const char* word) { return field_contains(r.name, sizeof r.name, word); }

// The item type of a kind, -1 when the catalogue has none.
int item_type_of_kind(int kind) {
    for (int i = 1; i < ITEM_TYPE_COUNT; ++i)
        if (ItemTypes[i].kind == kind && ItemTypes[i].name[0] != 0) return i;
    return -1;
}
// The record becomes a copy of the item type of that kind (when there is one).
void take_type(ObjectRecord& r, int kind) {
    const int t = item_type_of_kind(kind);
    if (t >= 0) r = ItemTypes[t];
}

void migrate_object(ObjectRecord& r) {
    const uint8_t type = r.item_class;
    const uint8_t cls = r.subclass;
    if (r.kind == 800 && name_has(r, "lauta")) {
        std::memset(r.name, 0, sizeof r.name);
        copy_text(r.name, sizeof r.name, "Paw-board fox trap");
    }
    if (cls == 9 && (r.rating == 1 || r.rating == 2))
        r.kind = 327;
    else if (cls == 9 && r.kind == 330)
        r.kind = 333;
    if (cls == 9 && r.unit != 5 && r.unit != 6) apply_item_tag("[LENGTH:15]", r);
    if (r.material == 0) {
        if (name_has(r, "irch-bark"))
            r.material = MATERIAL_BARK;
        else if (name_has(r, "Leather "))
            r.material = MATERIAL_LEATHER;
        else if (name_has(r, "Fur "))
            r.material = MATERIAL_FUR;
    }
    if (cls == 6 && r.blunt == 0 && r.edge == 0 && r.point == 0) r.point = 8;
    if (type == 3 && cls == 99) r.kind = 55;
    if (r.kind == 0 && name_has(r, "Fishing rod")) take_type(r, 249);
    if (r.subclass == 5 && r.kind == 0) {
        r.kind = 120;
        const int t = item_type_of_kind(121);
        if (t >= 0) r.effect_raw = uint32_t(t);
    }
    if (r.kind == 0 && name_has(r, "Northern knife")) r.kind = 153;
    if (r.kind == 0 && name_has(r, "Fisher's knife")) r.kind = 155;
    if (r.kind == 0 && name_has(r, "Sickle") && !name_has(r, "Kaumolais knife")) r.kind = 141;
    if (r.item_class == 3 && r.subclass == 100 && r.kind == 0) r.kind = 351;
    if (r.item_class == 7) {
        const uint8_t c = r.subclass;
        const int kind = c == 8 ? 61 : c == 4 ? 500 : c == 18 ? 490 : -1;
        if (kind >= 0) {
            r.subclass = 0;
            r.kind = kind;
        }
    }
    if (r.kind == 0) {
        static const struct {
            const char* word;
            int kind;
        } named[] = {{"Northern spear", 700}, {"Handaxe", 105}, {"Punt", 820},       {"Loop snare", 801},
                     {"Raft", 821},           {"Hunting horn", 601}, {"Fox trap", 800}};
        for (const auto& n : named)
            if (name_has(r, n.word)) {
                take_type(r, n.kind);
                break;
            }
    }
    if (r.symbol == 117 && r.kind == 331) take_type(r, 331);
    if ((field_contains(r.skill, sizeof r.skill, "DAGGER") || field_contains(r.skill, sizeof r.skill, "KNIFE")) &&
        r.symbol == 123)
        r.symbol = 70;
}

}  // namespace

void set_start_course_flags(const PlayerRecord& rec) {
    for (int flag : COURSE_START_FLAGS) set_course_flag(flag);
    for (uint8_t rite : rec.rite_list)
        if (rite == 20 || rite == 3 || rite == 21 || rite == 4) set_course_flag(rite);
}

void migrate_objects() {
    for (ObjectRecord& r : Objects)
        if (r.item_class != 0 || r.kind != 0 || r.name[0] != 0) migrate_object(r);
    obj_store_changed();
}

void migrate_skills(PlayerRecord& rec) {
    add_missing_skill(rec, "TEXTILECRAFT", nullptr);
    add_missing_skill(rec, "STEALTH", nullptr);
    add_missing_skill(rec, "TRAPPING", "TRACKING");
    add_missing_skill(rec, "BUILDING", "TIMBERCRAFT");
    for (int i = 0; i < PLR_SKILLS; ++i) {
        if (skill_name_is(rec, i, "WOODCARVING")) set_skill_name(rec, i, "CARPENTRY");
        if (skill_name_is(rec, i, "FORAGING")) {
            raise_to(rec.skill_level[i], FORAGING_LEVEL_FLOOR);
            if (find_skill_exact(rec, "HERBLORE") < 0) {
                const int slot = find_free_skill_slot(rec);
                if (slot >= 0) {
                    set_skill_name(rec, slot, "HERBLORE");
                    rec.skill_level[slot] = HERBLORE_START_LEVEL;
                    rec.skill_start_level[slot] = HERBLORE_START_LEVEL;
                }
            }
        }
        if (skill_name_is(rec, i, "SURVIVAL")) raise_to(rec.skill_level[i], SURVIVAL_LEVEL_FLOOR);
        if (skill_name_is(rec, i, "RITUAL")) raise_to(rec.skill_level[i], RITUAL_LEVEL_FLOOR);
        if (skill_name_is(rec, i, "DAGGER")) set_skill_name(rec, i, "KNIFE");
    }
}

bool migrate_record(PlayerRecord& rec) {
    if (rec.plr_version < PLR_OLDEST_FORMAT) return false;
    if (rec.plr_version >= PLR_FORMAT_VERSION) return true;
    if (rec.plr_version <= 349) {
        rec.Methaltij = 0;
        rec.Vesjhaltij = 0;
    }
    migrate_skills(rec);
    return true;
}

void seed_first_camps(PlayerRecord& rec) {
    if (rec.camp_mark != 0) return;
    rec.camp_mark = 1;
    for (int i = 0; i < 10; ++i) {
        const int x = 500 + random_below(2500);
        const int y = 500 + random_below(1000);
        const MapPoint site = pick_world_site_cell(x, y, 0, 25, 0, 0, 0);
        if (site.x == 0 && site.y == 0) continue;
        rec.quest_id_counter += 1;
        create_npc_camp(site.x, site.y, rec.quest_id_counter, 3 + random_below(4), 0, 0);
    }
    rec.plr_version = PLR_FORMAT_VERSION;
}

void prepare_game_state() {
    reset_object_store();
    reset_creature_tables();
    reset_task_queue();
    reset_creature_steps();
    reset_animal_turns();
    encounter_class = 0;
    reset_ownership();
    reset_carry_state();
    reset_wear_state();
    reset_item_selection();
    reset_map_object_table();
    forget_remembered_cells();
    reset_local_store_state();
    water_offering_day = 0;
    load_coded_messages();
    message_pause_count = 0;
    init_herb_effects();
    // The plant definitions are read once a game: generation and the plant
    // code look them up by name and never open a flora file.
    load_flora_index();
    load_unknown_plant_names();
    message_text[0] = 0;
    reset_last_message();
    copy_game_constants();
    copy_text(last_place_text, LAST_PLACE_PLACEHOLDER);
    ksm_textinit();
    // The standing shown in a conversation is the last game's no more.
    talk_standing = neutral_standing(-1000);
    reset_villages();
}

int start_or_continue_game() {
    in_start_menu = 0;
    game_just_continued = 1;
    if (screen_ready()) {
        draw_window(610, 80, 180, 125, "", 0, map_rgb(56, 88, 120));
        draw_text_at(615, 95, "Wait a moment ...", map_rgb(171, 171, 171), 0);
        present_screen();
    }
    clear_current_village();
    // The repeat key of the last game must not act in this one.
    last_activity_code = 0;
    last_activity_argument = 0;
    last_activity_data[0] = 0;
    const bool was_quiet = messages_suppressed;
    messages_suppressed = true;

    prepare_game_state();
    GetConfig();
    std::memset(Data, 0, sizeof Data);
    readguy();
    // Everybody reads the weather from the shared copy; there is no earlier
    // hour in a game just loaded.
    weather_now = weather.current;
    weather_before = weather_now;

    if (screen_ready()) {
        char line[200];
        format_text(line, sizeof line, "Loading %.13s %.18s ...", Plr.name, Plr.second_name);
        draw_text_at(615, 115, line, map_rgb(171, 171, 171), 0);
        present_screen();
    }
    if (Plr.map_zoom >= 0.5f && Plr.map_zoom <= 2.0f && Plr.map_zoom != map_view.zoom)
        set_map_view_geometry(Plr.map_zoom);

    const bool older_format = Plr.plr_version < PLR_FORMAT_VERSION;
    if (!migrate_record(Plr)) exit_with_message("This saved game is too old to continue.");
    if (older_format) migrate_objects();

    init_terrain_types();
    write_character_file("CONSTANT.OBJ", ItemTypes, sizeof ItemTypes);
    init_region_name_parts();
    load_culture_grid();
    compute_culture_bounds();
    restore_empty_world_file();
    {
        // The backup is refreshed only from a world file that its save
        // vouches for (or, never listed, that looks like a world): a
        // damaged one never takes the place of its backup.
        std::vector<uint8_t> bytes;
        const FileVerdict v = read_character_file("WORLD.DAT", bytes, size_t(WORLD_FILE_SIZE));
        if ((v == FileVerdict::Good || v == FileVerdict::Unlisted) && world_file_plausible(bytes.data(), bytes.size()))
            write_character_file("WORLD.BAK", bytes.data(), bytes.size());
    }

    if (screen_ready()) fade_to_black_and_clear(1.0f);
    show_start_story();
    messages_suppressed = true;
    cre_compute_load(-1);
    copy_portrait();
    load_portrait(character_folder().c_str());
    if (screen_ready()) {
        // The map itself is drawn once the place is loaded.
        const int32_t mode = game_view_mode;
        game_view_mode = 22;
        redraw_game_screen();
        game_view_mode = mode;
        draw_sky_indicator();
    }

    load_world_files();
    add_river_fords();
    load_region_names();
    zoom_index_invalidate();  // the index of this character's store, not the last one's
    assign_known_village_ids();
    getmappie(0);

    if (Plr.counters_init_flag == 0) {
        std::memset(Plr.skill_practice, 0, sizeof Plr.skill_practice);
        std::memset(Plr.skill_rises_today, 0, sizeof Plr.skill_rises_today);
        Plr.counters_init_flag = 1;
    }
    write_character_file("CONSTANT.OBJ", ItemTypes, sizeof ItemTypes);
    write_herblore();
    register_herbs();
    if (Plr.need_counter_a != -1 && Plr.energy_reset_done == 0) {
        Plr.energy_reset_byte = 255;
        Plr.Energiavaranto = 3000;
        Plr.energy_reset_done = 1;
    }
    seed_first_camps(Plr);
    Plr.plr_version = PLR_FORMAT_VERSION;

    clear_course_flags();
    set_start_course_flags(Plr);

    messages_suppressed = was_quiet;
    // What the load had to repair, and which copies it used.
    show_load_notices();
    if (screen_ready()) refresh_status_panel();
    return quit_state == -1 ? -1 : 0;
}

// The scenes of the start-up scenarios need the map's own work. Not built
// yet: each only notes its call.
void scenario_move_to_suitable_cell() { KSM_STUB("scenario_move_to_suitable_cell"); }
void scenario_cleared_area() { KSM_STUB("scenario_cleared_area"); }

namespace {

// What robbers leave: the clothes on the body, and of everything else what
// an even draw spares.
void take_part_of_inventory() {
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        const int id = Plr.plr_inv_id[slot];
        if (Plr.plr_inv_count[slot] <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        if (obj_record(id, r).state_bits & OBJ_WORN) continue;
        if (random_below(2) == 0) plr_take_from_slot_in_place(slot, Plr.plr_inv_count[slot]);
    }
    plr_compact_inventory();
}

void give_named(const char* name, int count) { give_item(obj_template_by_name(name, 1), count); }

}  // namespace

void scenario_robbery(int scenario) {
    take_part_of_inventory();
    give_named("Knife", 1);
    if (scenario == 5) {
        // Hurt in the robbery: a cut, a blow or a stab somewhere.
        static const int kinds[] = {1, 2, 4};
        const int kind = kinds[random_below(3)];
        const int part = roll_body_part_hit(random_below(4), -1, 0);
        const int severity = 1 + random_below(2);
        const int damage = 5 + random_below(10);
        plr_add_wound(damage, part, severity, 0, kind);
    }
}

void scenario_trapper_kit() {
    give_named("Knife", 1);
    give_named("Loop snare", 1);
    give_named("Paw-board fox trap", 1);
    give_named("Wooden stake", 25);
    give_named("Shovel", 1);
    give_named("Handaxe", 1);
    give_named("Fishing rod", 1);
    give_named("Club", 1);
    give_named("Spear", 1);
}

void run_start_scenario() {
    switch (Plr.scenario) {
        case 1: scenario_move_to_suitable_cell(); break;
        case 2:
            scenario_cleared_area();
            take_part_of_inventory();
            // The scenario begins at the place on the player's cell: the
            // game loop enters it before the next command.
            view_rebuild_request = 1;
            enter_place_request = 1;
            break;
        case 3:
        case 4:
        case 5: scenario_robbery(Plr.scenario); break;
        case 6: scenario_trapper_kit(); break;
        default: break;
    }
    Plr.scenario = 0;
    cre_compute_load(-1);
    if (screen_ready()) refresh_status_panel();
}
